// SPDX-License-Identifier: GPL-3.0-or-later
#include "mkdict/analyser_builder.h"

#include <algorithm>
#include <map>
#include <set>

#include "core/morphology/latin_analyser.h"
#include "core/morphology/latin_spelling.h"
#include "mkdict/grammar_labels.h"
#include "mkdict/inflector.h"
#include "mkdict/morphology_decoder.h"

namespace varnelio::mkdict {

namespace {

// The active forms that a deponent verb makes with the passive's endings and an
// active meaning: the finite forms, the imperatives, the present and perfect
// infinitives, and the perfect participle (the lexicon's "participe parfait
// actif", which only deponents have: "egressus"). Its present and future
// participles and future infinitive are active in form too.
bool deponentVoice(const MorphologyFeatures& m) {
  if (m.voice != Voice::Active) return false;
  switch (m.kind) {
    case FormKind::Finite:
    case FormKind::Imperative: return true;
    case FormKind::Infinitive: return m.tense == Tense::Present || m.tense == Tense::Perfect;
    case FormKind::Participle: return m.tense == Tense::Perfect;
    default: return false;
  }
}

// The number of a noun's case and number in the lexicon, or 0.
int nounCaseNumber(const CollatinusLexicon& lexicon, GrammaticalCase c, GrammaticalNumber n) {
  MorphologyFeatures m;
  m.kind = FormKind::NounCase;
  m.grammaticalCase = c;
  m.number = n;
  return morphologyNumber(lexicon.morphologyFeatures, m);
}

// A deponent model puts "-or" (or "-eor", "-ior") on its first person present.
bool isDeponentModel(const InflectionModel& model, const MorphologyTable& morphologies) {
  MorphologyFeatures firstPerson;
  firstPerson.kind = FormKind::Finite;
  firstPerson.number = GrammaticalNumber::Singular;
  firstPerson.person = GrammaticalPerson::First;
  firstPerson.mood = Mood::Indicative;
  firstPerson.tense = Tense::Present;
  firstPerson.voice = Voice::Active;
  const auto first = model.desinences.find(morphologyNumber(morphologies, firstPerson));
  if (first == model.desinences.end()) return false;
  return std::any_of(first->second.begin(), first->second.end(),
                     [](const Desinence& d) { return d.ending.ends_with("r"); });
}

// The class CatLASLA.txt gives a model, looked up along its parents.
std::string classOf(const CollatinusLexicon& lexicon, const std::string& modelName) {
  std::string name = modelName;
  for (int depth = 0; depth < 10 && !name.empty(); ++depth) {
    const auto cls = lexicon.modelClasses.find(name);
    // A7 and C7 are the Greek and Hebrew models: their parent tells the declension.
    if (cls != lexicon.modelClasses.end() && cls->second.size() == 2 && cls->second[1] != '7') return cls->second;
    const auto model = lexicon.models.find(name);
    if (model == lexicon.models.end()) break;
    name = model->second.parent;
  }
  return {};
}

}  // namespace

std::string categoryWithClass(const CollatinusLexicon& lexicon, const LemmaLine& lemma) {
  const auto modelIt = lexicon.models.find(lemma.model);
  const char pos = modelIt == lexicon.models.end() ? 0 : modelIt->second.partOfSpeech;
  std::string category = categoryOf(pos, lemma.indications, lemma.lemma);
  const std::string cls = modelIt == lexicon.models.end() ? std::string() : classOf(lexicon, lemma.model);
  if (cls.size() != 2) return category;
  const char group = cls[0], digit = cls[1];
  if (group == 'A' && digit >= '1' && digit <= '5') {
    if (category == "n.") return std::string("n. ") + digit;
    if (category == "n. pr.") return std::string("npr. ") + digit;
  } else if (group == 'B' && digit >= '1' && digit <= '5' && category == "v.") {
    return std::string("v. ") + (digit == '5' ? '3' : digit);  // capio: the third, mixed
  } else if (group == 'C' && digit >= '1' && digit <= '5' && category == "adj.") {
    return digit == '1' ? "adj. 1" : "adj. 2";  // first class (-us, -a, -um) or second (third declension)
  }
  return category;
}

namespace {

MorphologyData morphologyData(const std::string& description, const MorphologyFeatures& features) {
  const MorphologyParts parts = partsOf(description);
  MorphologyData m;
  m.personCase = parts.person;
  if (!parts.grammaticalCase.empty()) {
    if (!m.personCase.empty()) m.personCase += ' ';
    m.personCase += parts.grammaticalCase;
  }
  m.gender = parts.gender;
  m.number = parts.number;
  m.moodTenseVoice = parts.moodTenseVoice;
  m.deponentMoodTenseVoice = parts.moodTenseVoice;
  if (deponentVoice(features)) {
    const std::size_t act = m.deponentMoodTenseVoice.find("act.");
    if (act != std::string::npos) m.deponentMoodTenseVoice.replace(act, 4, "d\xE9p.");
  }
  m.features = features;
  return m;
}

// Morphologies, by number.
std::vector<MorphologyData> morphologiesOf(const CollatinusLexicon& lexicon) {
  int lastMorphology = 0;
  for (const auto& [number, description] : lexicon.morphologies) lastMorphology = std::max(lastMorphology, number);
  std::vector<MorphologyData> morphologies(static_cast<std::size_t>(lastMorphology) + 1);
  for (const auto& [number, description] : lexicon.morphologies) {
    if (number <= 0 || number > 0xFFFF) continue;
    const auto features = lexicon.morphologyFeatures.find(number);
    morphologies[static_cast<std::size_t>(number)] = morphologyData(
        description, features != lexicon.morphologyFeatures.end() ? features->second : MorphologyFeatures{});
  }
  return morphologies;
}

// The endings of one model, each (ending, radical, morphology) once.
void addEndingsOf(const InflectionModel& model, std::uint16_t index, std::vector<EndingData>& endings) {
  std::set<std::tuple<std::string, int, int>> seen;
  auto add = [&](const std::string& ending, int radical, int morphology) {
    if (radical < 0 || radical > 255 || morphology <= 0 || morphology > 0xFFFF) return;
    if (!seen.emplace(ending, radical, morphology).second) return;
    endings.push_back({ending, index, static_cast<std::uint8_t>(radical), static_cast<std::uint16_t>(morphology)});
  };
  for (const auto& [morphology, desinences] : model.desinences) {
    for (const Desinence& d : desinences) {
      if (model.requiredSuffixes.empty()) {
        add(d.ending, d.radical, morphology);
      } else {
        // quidam: "quiddam" is given whole, and takes no second "-dam".
        for (const std::string& suffix : model.requiredSuffixes)
          add(d.ending.ends_with(suffix) ? d.ending : d.ending + suffix, d.radical, morphology);
      }
      for (const auto& [numbers, suffix] : model.optionalSuffixes)
        if (std::find(numbers.begin(), numbers.end(), morphology) != numbers.end())
          add(d.ending + suffix, d.radical, morphology);
    }
  }
}

// Models, numbered in name order, with their endings; returns their numbers.
std::map<std::string, std::uint16_t> addModels(const CollatinusLexicon& lexicon, std::vector<EndingData>& endings) {
  std::map<std::string, std::uint16_t> modelIndex;
  for (const auto& [name, model] : lexicon.models) {
    const auto index = static_cast<std::uint16_t>(modelIndex.size());
    modelIndex.emplace(name, index);
    addEndingsOf(model, index, endings);
  }
  return modelIndex;
}

// Letters that Latin spells only in words taken from Greek.
bool hasGreekLetters(std::string_view key) {
  return key.find('y') != std::string_view::npos || key.find('z') != std::string_view::npos ||
         key.find("ph") != std::string_view::npos || key.find("th") != std::string_view::npos ||
         key.find("rh") != std::string_view::npos;
}

// Whether a noun of the third declension is a Greek one, from what the lexicon
// says of it ("gr." in its indications) or from its nominative and its stem, by
// the pairs that only Greek nouns make: -as/-adis of more than one syllable
// (lampas, Pallas; not vas, vadis), -on/-ontis and -on/-onis (Xenophon,
// Agamemnon), -ys/-yos (Tethys), -os/-ois (heros, Minos), -an/-anis (Titan),
// -in/-inis (delphin); and, where Latin has the same pair (lapis, lapidis;
// sanguis, sanguinis; mulier, mulieris), only for a name or a word written with
// Greek letters (Tyndaris, Thetis, Salamis; aether).
bool isGreekThirdDeclension(const LemmaLine& lemma, std::string_view nominative, std::string_view stem) {
  const bool name = !lemma.lemma.empty() && lemma.lemma.front() >= 'A' && lemma.lemma.front() <= 'Z';
  const bool greekLetters = hasGreekLetters(nominative);
  for (std::string_view rest = lemma.indications; !rest.empty();) {
    const std::size_t at = rest.find("gr.");
    if (at == std::string_view::npos) break;
    if (at == 0 || rest[at - 1] == ' ' || rest[at - 1] == ',') return true;
    rest.remove_prefix(at + 3);
  }
  const auto nominativeEnds = [&](std::string_view e) { return nominative.ends_with(e); };
  const bool sameStem = stem == nominative;
  const bool stemLessS = nominative.size() == stem.size() + 1 && nominative.starts_with(stem) && nominative.back() == 's';
  if (nominativeEnds("as") && stem.ends_with("ad")) return nominative.size() >= 5;
  if (nominativeEnds("on") && (stem.ends_with("ont") || sameStem)) return true;
  if (nominativeEnds("ys") && stemLessS) return true;
  if (nominativeEnds("os") && stemLessS) return true;
  if (nominativeEnds("an") && sameStem) return true;
  if (nominativeEnds("in") && sameStem) return true;
  if ((nominativeEnds("is") || nominativeEnds("ys")) && (stem.ends_with("id") || stem.ends_with("yd") || stem.ends_with("in")))
    return name || greekLetters;
  if (nominativeEnds("er") && sameStem) return greekLetters;
  return false;
}

// The endings of the Greek declension that poets give such a noun beside the
// Latin ones, on its oblique stem: accusative singular -a ("Pallada",
// "aethera"), genitive singular -os ("Tethyos"), accusative plural -as
// ("Cycladas", "heroas"); and after a stem in y, the accusative in -n ("Tethyn").
std::vector<std::pair<std::string, int>> greekEndingsOf(const CollatinusLexicon& lexicon, const LemmaLine& lemma,
                                                        const InflectionModel& model) {
  if (model.partOfSpeech != 'n' || classOf(lexicon, lemma.model) != "A3") return {};
  const std::vector<std::string> stems = radicalsOf(lemma, model, 1);
  if (stems.size() != 1) return {};
  const std::string nominative = latin::keyOf(lemma.lemma), stem = latin::keyOf(stems[0]);
  if (!isGreekThirdDeclension(lemma, nominative, stem)) return {};
  const auto nounCase = [&](GrammaticalCase c, GrammaticalNumber n) { return nounCaseNumber(lexicon, c, n); };
  using C = GrammaticalCase;
  const int accusative = nounCase(C::Accusative, GrammaticalNumber::Singular);
  std::vector<std::pair<std::string, int>> endings = {
      {"a", accusative}, {"os", nounCase(C::Genitive, GrammaticalNumber::Singular)},
      {"as", nounCase(C::Accusative, GrammaticalNumber::Plural)}};
  if (stem.ends_with("y")) endings.emplace_back("n", accusative);
  return endings;
}

// The model a Greek noun is inflected by: its own with the Greek endings added,
// made once per model and set of endings.
class GreekModels {
 public:
  GreekModels(std::map<std::string, std::uint16_t>& modelIndex, std::vector<EndingData>& endings)
      : modelIndex_(modelIndex), endings_(endings) {}

  std::uint16_t modelFor(const std::string& modelName, const std::vector<std::pair<std::string, int>>& greek) {
    std::string name = modelName + "+grec";
    for (const auto& [ending, morphology] : greek) name += "-" + ending;
    if (const auto it = modelIndex_.find(name); it != modelIndex_.end()) return it->second;
    const std::uint16_t base = modelIndex_.at(modelName);
    const auto index = static_cast<std::uint16_t>(modelIndex_.size());
    modelIndex_.emplace(name, index);
    std::set<std::tuple<std::string, int, int>> seen;
    const std::size_t n = endings_.size();
    for (std::size_t k = 0; k < n; ++k) {
      if (endings_[k].model != base) continue;
      EndingData copy = endings_[k];
      copy.model = index;
      seen.emplace(copy.ending, copy.radical, copy.morphology);
      endings_.push_back(std::move(copy));
    }
    for (const auto& [ending, morphology] : greek)
      if (seen.emplace(ending, 1, morphology).second)
        endings_.push_back({ending, index, 1, static_cast<std::uint16_t>(morphology)});
    return index;
  }

 private:
  std::map<std::string, std::uint16_t>& modelIndex_;
  std::vector<EndingData>& endings_;
};

LemmaData lemmaData(const CollatinusLexicon& lexicon, const LemmaLine& lemma, const InflectionModel& model,
                    std::uint16_t modelIndex) {
  LemmaData l;
  l.headword = lemma.lemma;
  l.category = categoryWithClass(lexicon, lemma);
  l.translation = translationOf(lexicon, lemma);
  l.gender = model.partOfSpeech == 'n' ? nounGender(lemma.indications) : std::string();
  l.model = modelIndex;
  l.partOfSpeech = partOfSpeechOfLetter(model.partOfSpeech);
  l.frequency = static_cast<std::uint32_t>(std::clamp(lemma.frequency, 0L, 0xFFFFFFFL));
  if (model.partOfSpeech == 'v' && isDeponentModel(model, lexicon.morphologyFeatures)) l.flags |= lemma_flag::kDeponent;
  // A noun without singular (Athenae, castra) has its locative in the plural.
  const int nominativeSingular = nounCaseNumber(lexicon, GrammaticalCase::Nominative, GrammaticalNumber::Singular);
  const int nominativePlural = nounCaseNumber(lexicon, GrammaticalCase::Nominative, GrammaticalNumber::Plural);
  if (model.partOfSpeech == 'n' && !model.desinences.contains(nominativeSingular) &&
      model.desinences.contains(nominativePlural))
    l.flags |= lemma_flag::kPluralOnly;
  return l;
}

// The stems of a lemma, for every radical its model's desinences use.
void addStems(const LemmaLine& lemma, const InflectionModel& model, std::uint32_t index, std::vector<StemData>& stems) {
  std::set<int> radicals;
  for (const auto& [morphology, desinences] : model.desinences)
    for (const Desinence& d : desinences) radicals.insert(d.radical);
  for (int r : radicals) {
    if (r < 0 || r > 255) continue;
    for (const std::string& stem : radicalsOf(lemma, model, r)) stems.push_back({stem, index, static_cast<std::uint8_t>(r)});
  }
}

// A lemma by its key, else by its headword (the first lemma of that headword):
// irregs.la names its lemmas by key, in either spelling ("uulgus" for vulgus).
class LemmaFinder {
 public:
  void add(const LemmaLine& lemma, std::uint32_t index) {
    byKey_.emplace(latin::keyOf(lemma.key), index);
    byHeadword_.emplace(latin::keyOf(lemma.lemma), index);
  }
  std::optional<std::uint32_t> find(const std::string& name) const {
    const std::string key = latin::keyOf(name);
    if (const auto it = byKey_.find(key); it != byKey_.end()) return it->second;
    if (const auto it = byHeadword_.find(key); it != byHeadword_.end()) return it->second;
    return std::nullopt;
  }

 private:
  std::map<std::string, std::uint32_t> byKey_, byHeadword_;
};

// Lemmas and their stems.
LemmaFinder addLemmas(const CollatinusLexicon& lexicon, std::map<std::string, std::uint16_t>& modelIndex,
                      AnalyserBuild& build) {
  LemmaFinder finder;
  GreekModels greekModels(modelIndex, build.data.endings);
  for (const LemmaLine& lemma : lexicon.lemmas) {
    const auto modelIt = lexicon.models.find(lemma.model);
    if (modelIt == lexicon.models.end()) continue;
    const auto index = static_cast<std::uint32_t>(build.data.lemmas.size());
    finder.add(lemma, index);
    build.lines.push_back(&lemma);
    const auto greek = greekEndingsOf(lexicon, lemma, modelIt->second);
    const std::uint16_t model = greek.empty() ? modelIndex.at(lemma.model) : greekModels.modelFor(lemma.model, greek);
    build.data.lemmas.push_back(lemmaData(lexicon, lemma, modelIt->second, model));
    addStems(lemma, modelIt->second, index, build.data.stems);
  }
  return finder;
}

// The forms given whole (irregs.la, our corrections) and the morphologies that a
// lemma lacks.
class GivenForms {
 public:
  explicit GivenForms(AnalyserData& data) : data_(data) {}

  void add(const std::string& form, std::uint32_t lemma, const std::vector<int>& morphologies, bool only) {
    for (int m : morphologies) {
      if (m <= 0 || static_cast<std::size_t>(m) >= data_.morphologies.size()) continue;
      data_.irregulars.push_back({form, lemma, static_cast<std::uint16_t>(m)});
      if (only) exclusions_.emplace(lemma, static_cast<std::uint16_t>(m));
    }
  }
  void exclude(std::uint32_t lemma, const std::vector<int>& morphologies) {
    for (int m : morphologies) exclusions_.emplace(lemma, static_cast<std::uint16_t>(m));
  }
  // An excluded morphology removes the regular forms only: a form given for it
  // (irregs.la, a correction) stays, since the analyser answers irregular forms
  // before it looks at exclusions.
  void writeExclusions() {
    for (const auto& [lemma, morphology] : exclusions_) {
      data_.exclusions.emplace_back(lemma, morphology);
      data_.lemmas[lemma].flags |= lemma_flag::kHasExclusions;
    }
  }

 private:
  AnalyserData& data_;
  std::set<std::pair<std::uint32_t, std::uint16_t>> exclusions_;
};

void addIrregulars(const CollatinusLexicon& lexicon, const LemmaFinder& finder, GivenForms& given,
                   AnalyserBuild& build) {
  for (const IrregularLine& irregular : lexicon.irregulars) {
    const auto lemma = finder.find(irregular.lemmaKey);
    if (!lemma) {
      build.warnings.push_back("irregs.la : lemme inconnu " + irregular.lemmaKey + " (" + irregular.form + ")");
      continue;
    }
    given.add(irregular.form, *lemma, irregular.morphologies, irregular.exclusive);
  }
}

void addCorrections(const CollatinusLexicon& lexicon, const LemmaFinder& finder, GivenForms& given,
                    AnalyserBuild& build) {
  for (const LexiconCorrection& c : lexicon.corrections) {
    // Desinences and contractions are already in the lexicon's models and lists.
    if (c.kind == LexiconCorrection::Kind::Ending || c.kind == LexiconCorrection::Kind::AddedEnding ||
        c.kind == LexiconCorrection::Kind::Contraction)
      continue;
    const auto lemma = finder.find(c.lemmaKey);
    if (!lemma) {
      build.problems.push_back("correction ligne " + std::to_string(c.line) + " : lemme inconnu " + c.lemmaKey);
      continue;
    }
    if (c.kind == LexiconCorrection::Kind::Absent) {
      given.exclude(*lemma, c.morphologies);
    } else if (c.kind == LexiconCorrection::Kind::Abbreviation) {
      for (int m : c.morphologies) build.data.abbreviations.push_back({c.form, *lemma, static_cast<std::uint16_t>(m)});
    } else {
      given.add(c.form, *lemma, c.morphologies, c.only);
    }
  }
}

}  // namespace

// A lemma the lexicon translates in no language is mostly a form of another
// lemma that it lists apart ("aethera", the Greek accusative of aether): its
// translation sends the reader there, as the lexicon's own cross-references do
// ("v. aether"). The other lemma is the likeliest one whose forms include the
// headword and that has a translation; a lemma whose headword is no other
// lemma's form stays without translation.
namespace {

bool capitalised(std::string_view word) { return !word.empty() && word.front() >= 'A' && word.front() <= 'Z'; }

void referToLemmasOfTheirForms(AnalyserData& data) {
  const LatinAnalyser analyser = LatinAnalyser::fromBytes(encodeAnalyserData(data));
  std::vector<Analysis> analyses;
  std::vector<std::string> references(data.lemmas.size());
  for (std::uint32_t l = 0; l < data.lemmas.size(); ++l) {
    if (!data.lemmas[l].translation.empty()) continue;
    analyser.analyse(data.lemmas[l].headword, analyses);
    analyser.likeliestFirst(analyses);
    for (const Analysis& a : analyses) {
      const bool regular = !a.contracted && !a.variant && a.note == Analysis::Note::None;
      if (!regular || a.lemma == l || a.lemma >= data.lemmas.size() || data.lemmas[a.lemma].translation.empty())
        continue;
      // A name is a form of a name only ("Acervetis" is no form of acervo).
      if (capitalised(data.lemmas[l].headword) && !capitalised(data.lemmas[a.lemma].headword)) continue;
      references[l] = "v. " + data.lemmas[a.lemma].headword;
      break;
    }
  }
  for (std::uint32_t l = 0; l < data.lemmas.size(); ++l)
    if (!references[l].empty()) data.lemmas[l].translation = std::move(references[l]);
}

}  // namespace

AnalyserBuild buildAnalyserData(const CollatinusLexicon& lexicon) {
  AnalyserBuild build;
  AnalyserData& data = build.data;
  data.morphologies = morphologiesOf(lexicon);
  std::map<std::string, std::uint16_t> modelIndex = addModels(lexicon, data.endings);
  const LemmaFinder finder = addLemmas(lexicon, modelIndex, build);
  // Irregular forms, then our corrections.
  GivenForms given(data);
  addIrregulars(lexicon, finder, given, build);
  addCorrections(lexicon, finder, given, build);
  given.writeExclusions();
  data.contractions = lexicon.contractions;
  data.assimilations = lexicon.assimilations;
  referToLemmasOfTheirForms(data);
  return build;
}


}  // namespace varnelio::mkdict
