// SPDX-License-Identifier: GPL-3.0-or-later
#include "mkdict/analyser_builder.h"

#include <algorithm>
#include <map>
#include <set>

#include "core/morphology/latin_spelling.h"
#include "mkdict/grammar_labels.h"
#include "mkdict/inflector.h"

namespace varnelio::mkdict {

namespace {

GrammaticalCase caseOf(std::string_view label) {
  if (label == "nom.") return GrammaticalCase::Nominative;
  if (label == "voc.") return GrammaticalCase::Vocative;
  if (label == "acc.") return GrammaticalCase::Accusative;
  if (label == "g\xE9n.") return GrammaticalCase::Genitive;
  if (label == "dat.") return GrammaticalCase::Dative;
  if (label == "abl.") return GrammaticalCase::Ablative;
  if (label == "loc.") return GrammaticalCase::Locative;
  return GrammaticalCase::None;
}

// The finite forms, imperatives and infinitives that a deponent verb has in the
// passive's endings with an active meaning.
bool deponentVoice(int morphology) { return morphology >= 121 && morphology <= 188; }

// A deponent model puts "-or" (or "-eor", "-ior") on its first person present.
bool isDeponentModel(const InflectionModel& model) {
  const auto first = model.desinences.find(121);
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

MorphologyData morphologyData(int number, const std::string& description) {
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
  if (deponentVoice(number)) {
    const std::size_t act = m.deponentMoodTenseVoice.find("act.");
    if (act != std::string::npos) m.deponentMoodTenseVoice.replace(act, 4, "d\xE9p.");
  }
  m.grammaticalCase = caseOf(parts.grammaticalCase);
  m.grammaticalNumber = parts.number == "sg."   ? GrammaticalNumber::Singular
                        : parts.number == "pl." ? GrammaticalNumber::Plural
                                                : GrammaticalNumber::None;
  m.nounForm = isNounForm(parts);
  return m;
}

// Morphologies, by number.
std::vector<MorphologyData> morphologiesOf(const CollatinusLexicon& lexicon) {
  int lastMorphology = 0;
  for (const auto& [number, description] : lexicon.morphologies) lastMorphology = std::max(lastMorphology, number);
  std::vector<MorphologyData> morphologies(static_cast<std::size_t>(lastMorphology) + 1);
  for (const auto& [number, description] : lexicon.morphologies)
    if (number > 0 && number <= 0xFFFF) morphologies[static_cast<std::size_t>(number)] = morphologyData(number, description);
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

LemmaData lemmaData(const CollatinusLexicon& lexicon, const LemmaLine& lemma, const InflectionModel& model,
                    std::uint16_t modelIndex) {
  LemmaData l;
  l.headword = lemma.lemma;
  l.category = categoryWithClass(lexicon, lemma);
  l.translation = translationOf(lexicon, lemma);
  l.gender = model.partOfSpeech == 'n' ? nounGender(lemma.indications) : std::string();
  l.model = modelIndex;
  l.partOfSpeech = model.partOfSpeech;
  if (model.partOfSpeech == 'v' && isDeponentModel(model)) l.flags |= lemma_flag::kDeponent;
  // A noun without singular (Athenae, castra) has its locative in the plural.
  if (model.partOfSpeech == 'n' && !model.desinences.contains(1) && model.desinences.contains(7))
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
LemmaFinder addLemmas(const CollatinusLexicon& lexicon, const std::map<std::string, std::uint16_t>& modelIndex,
                      AnalyserBuild& build) {
  LemmaFinder finder;
  for (const LemmaLine& lemma : lexicon.lemmas) {
    const auto modelIt = lexicon.models.find(lemma.model);
    if (modelIt == lexicon.models.end()) continue;
    const auto index = static_cast<std::uint32_t>(build.data.lemmas.size());
    finder.add(lemma, index);
    build.lines.push_back(&lemma);
    build.data.lemmas.push_back(lemmaData(lexicon, lemma, modelIt->second, modelIndex.at(lemma.model)));
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

AnalyserBuild buildAnalyserData(const CollatinusLexicon& lexicon) {
  AnalyserBuild build;
  AnalyserData& data = build.data;
  data.morphologies = morphologiesOf(lexicon);
  const std::map<std::string, std::uint16_t> modelIndex = addModels(lexicon, data.endings);
  const LemmaFinder finder = addLemmas(lexicon, modelIndex, build);
  // Irregular forms, then our corrections.
  GivenForms given(data);
  addIrregulars(lexicon, finder, given, build);
  addCorrections(lexicon, finder, given, build);
  given.writeExclusions();
  data.contractions = lexicon.contractions;
  data.assimilations = lexicon.assimilations;
  return build;
}

}  // namespace varnelio::mkdict
