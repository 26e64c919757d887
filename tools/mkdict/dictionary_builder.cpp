#include "mkdict/dictionary_builder.h"

#include <algorithm>
#include <numeric>
#include <set>

#include "core/dictionaries/dictionaries.h"
#include "core/text/cp1252.h"
#include "core/text/source_text.h"
#include "mkdict/analyser_builder.h"
#include "mkdict/grammar_labels.h"
#include "mkdict/inflector.h"

namespace varnelio::mkdict {

std::optional<std::string> loadCollatinusLexicon(const std::string& folder, CollatinusLexicon& lexicon,
                                                 const std::string& correctionsPath) {
  std::map<std::string, std::string> texts;
  for (const char* name : {"lemmes.la", "lemmes.fr", "modeles.la", "morphos.fr"}) {
    auto read = readWholeFile(folder + "/" + name);
    if (auto* err = std::get_if<FileError>(&read))
      return "Impossible de lire " + err->path + (err->reason.empty() ? "" : " : " + err->reason);
    texts[name] = std::move(std::get<std::string>(read));
  }
  lexicon.lemmas = readLemmas(texts["lemmes.la"]);
  lexicon.translations = readTranslations(texts["lemmes.fr"]);
  lexicon.models = readInflectionModels(texts["modeles.la"]);
  lexicon.morphologies = readMorphologies(texts["morphos.fr"]);
  const auto optional = [&](const char* name) -> std::string {
    auto read = readWholeFile(folder + "/" + name);
    auto* text = std::get_if<std::string>(&read);
    return text ? std::move(*text) : std::string();
  };
  // The extended lexicon adds rarer lemmas; where it repeats a key of lemmes.la,
  // the main lexicon's entry stands.
  std::set<std::string> keys;
  for (const LemmaLine& l : lexicon.lemmas) keys.insert(l.key);
  for (LemmaLine& l : readLemmas(optional("lem_ext.la"))) {
    if (!keys.insert(l.key).second) continue;
    l.extended = true;
    lexicon.lemmas.push_back(std::move(l));
  }
  for (auto& [key, translation] : readTranslations(optional("lem_ext.fr"))) lexicon.translations.emplace(key, translation);
  lexicon.contractions = readContractions(optional("contractions.la"));
  lexicon.irregulars = readIrregulars(optional("irregs.la"));
  lexicon.assimilations = readAssimilations(optional("assimilations.la"));
  lexicon.modelClasses = readModelClasses(optional("CatLASLA.txt"));
  if (!correctionsPath.empty()) {
    auto read = readWholeFile(correctionsPath);
    if (auto* err = std::get_if<FileError>(&read))
      return "Impossible de lire " + err->path + (err->reason.empty() ? "" : " : " + err->reason);
    if (auto error = readCorrections(std::get<std::string>(read), lexicon.corrections))
      return correctionsPath + ", " + *error;
    if (const auto unused = correctModels(lexicon.corrections, lexicon.models); !unused.empty())
      return correctionsPath + ", " + unused.front();
    for (const LexiconCorrection& c : lexicon.corrections)
      if (c.kind == LexiconCorrection::Kind::Contraction) lexicon.contractions.emplace_back(c.wrong, c.form);
  }
  return std::nullopt;
}

std::string withIForJ(std::string_view form) {
  std::string out(form);
  for (char& c : out) {
    if (c == 'j') c = 'i';
    else if (c == 'J') c = 'I';
  }
  return out;
}

void sortForLookup(std::vector<std::string>& records, std::size_t offset, std::size_t width,
                   const std::vector<double>& scores) {
  std::vector<std::string> keys;
  keys.reserve(records.size());
  for (const std::string& r : records) keys.push_back(cp1252::toLower(std::string_view(r).substr(offset, width)));
  std::vector<std::size_t> order(records.size());
  std::iota(order.begin(), order.end(), 0);
  // Blank padding sorts before every letter, so "rosa" comes before "rosae".
  const bool scored = scores.size() == records.size();
  std::stable_sort(order.begin(), order.end(), [&](std::size_t a, std::size_t b) {
    if (const int c = keys[a].compare(keys[b]); c != 0) return c < 0;
    return scored && scores[a] > scores[b];
  });
  std::vector<std::string> sorted;
  sorted.reserve(records.size());
  for (std::size_t i : order) sorted.push_back(std::move(records[i]));
  records = std::move(sorted);
}

namespace {

// The form dictionary cannot hold every form of every lemma within its size, so
// forms come in classes, each with the share of a lemma's occurrences that one of
// its forms takes in running text (how often a Latin text shows a third person
// present, compared with a future imperative). A class of a lemma is kept whole.
// Every noun, pronoun, numeral and invariable word is kept; the other classes are
// taken in the order of lemma frequency times that share, so that the file holds
// the forms a reader is likeliest to meet. The same order puts the likeliest
// analysis first among the records of one spelling.
struct FormClass {
  int id = -1;  // -1: not in the dictionary
  double share = 0;
  bool always = false;
};

FormClass formClassOf(char partOfSpeech, int morphology) {
  const bool verb = partOfSpeech == 'v';
  if (morphology <= 48 || morphology == 413) {
    if (verb) return {};
    switch (partOfSpeech) {
      case 'n': return {0, 0.12, true};  // every noun: their endings are what Varnelio studies
      case 'a': return {1, 0.03};   // the thirty-six of an adjective
      default: return {2, 0.05, true};  // pronouns and numerals: few and everywhere
    }
  }
  if (morphology <= 84) return {3, 0.003};  // comparative
  if (morphology <= 120) return {4, 0.002};  // superlative
  if (morphology >= 411) {
    if (morphology == 415) return {5, 0.04};  // future infinitive
    return {6, 1.0, true};  // adverbs and invariable words: one form or three
  }
  if (morphology >= 261 && morphology <= 264) return {12, 0.01};  // gerund: four forms, often met
  if (morphology >= 265 && morphology <= 266) return {9, 0.0008};  // supines
  const auto thirdPerson = [](int first, int m) { return m == first + 2 || m == first + 5; };
  // Finite forms: blocks of six persons, one block per tense.
  if ((morphology >= 121 && morphology <= 180) || (morphology >= 267 && morphology <= 296)) {
    const bool passive = morphology >= 267;
    const int first = passive ? 267 + (morphology - 267) / 6 * 6 : 121 + (morphology - 121) / 6 * 6;
    const bool common = !passive && (first == 121 || first == 127 || first == 139 || first == 145 ||
                                     first == 157 || first == 163 || first == 175);
    if (!thirdPerson(first, morphology)) return {7, 0.003};  // first and second persons
    return common ? FormClass{5, 0.04} : FormClass{8, 0.015};
  }
  if (morphology == 187 || morphology == 188 || morphology == 302) return {5, 0.04};  // infinitives
  if (morphology == 181 || morphology == 182 || morphology == 297 || morphology == 298) return {7, 0.003};
  if ((morphology >= 183 && morphology <= 186) || (morphology >= 299 && morphology <= 301)) return {9, 0.0008};
  if ((morphology >= 303 && morphology <= 338) || (morphology >= 375 && morphology <= 410))
    return {10, 0.006};  // perfect participles
  if ((morphology >= 189 && morphology <= 224) || (morphology >= 339 && morphology <= 374))
    return {11, 0.003};  // present participle, gerundive
  if (morphology >= 225 && morphology <= 260) return {9, 0.0008};  // future participle
  return {};
}

// Perfect, pluperfect and future perfect, indicative and subjunctive, and the
// perfect infinitive: the forms built on the perfect radical.
bool isPerfectSystem(int morphology) {
  return (morphology >= 139 && morphology <= 156) || (morphology >= 169 && morphology <= 180) || morphology == 188;
}

// The spellings under which a generated form is stored.
std::vector<std::string> spellingsOf(const Inflection& inflection, const CollatinusLexicon& lexicon) {
  std::vector<std::string> spellings{inflection.form};
  // The perfect system also comes contracted: "amaverunt" and "amarunt".
  if (isPerfectSystem(inflection.morphology)) {
    const std::string& f = inflection.form;
    for (const auto& [shortEnding, longEnding] : lexicon.contractions) {
      if (f.size() > longEnding.size() && f.ends_with(longEnding)) {
        spellings.push_back(f.substr(0, f.size() - longEnding.size()) + shortEnding);
        break;
      }
    }
  }
  // Texts write the consonant i both ways: "justus" and "iustus".
  for (std::size_t k = 0, n = spellings.size(); k < n; ++k)
    if (std::string i = withIForJ(spellings[k]); i != spellings[k]) spellings.push_back(std::move(i));
  return spellings;
}

// What the form records of one lemma share.
struct LemmaFormFields {
  std::string category, lemma, translation, gender;
};

struct PendingForm {
  std::string form;
  int morphology;
};

// One class of forms of one lemma, kept or left out as a whole.
struct FormGroup {
  std::size_t lemma = 0;
  bool always = false;
  double score = 0;  // lemma frequency times the class's share
  std::vector<PendingForm> forms;
};

}  // namespace

BuiltDictionaries buildDictionaries(const CollatinusLexicon& lexicon, const BuildOptions& options) {
  const DictionaryLayout& lemmaL = lemmaLayout();
  const DictionaryLayout& formL = formLayout();
  const std::size_t lemmaWidth = lemmaL.fields[lemma_field::kLemma].width;
  const std::size_t formWidth = formL.fields[form_field::kForm].width;

  std::vector<std::string> lemmaRecords;
  std::vector<LemmaFormFields> shared(lexicon.lemmas.size());
  std::vector<FormGroup> groups;
  lemmaRecords.reserve(lexicon.lemmas.size());

  for (std::size_t lemmaIndex = 0; lemmaIndex < lexicon.lemmas.size(); ++lemmaIndex) {
    const LemmaLine& lemma = lexicon.lemmas[lemmaIndex];
    const auto modelIt = lexicon.models.find(lemma.model);
    const InflectionModel* model = modelIt == lexicon.models.end() ? nullptr : &modelIt->second;
    const char pos = model ? model->partOfSpeech : 0;
    const std::string category = categoryWithClass(lexicon, lemma);
    const auto tr = lexicon.translations.find(lemma.key);
    const std::string translation = tr == lexicon.translations.end() ? std::string() : tr->second;

    lemmaRecords.push_back(encodeDictionaryRecord(
        lemmaL, 0,
        {lemma.lemma.substr(0, lemmaWidth), fitCategory(category, lemmaL.fields[lemma_field::kCategory].width),
         fitTranslation(translation, lemmaL.fields[lemma_field::kTranslation].width), "", ""}));
    // The form dictionary's budget goes to the main lexicon; the analyser answers
    // for the rarer lemmas of the extended one.
    if (!model || lemma.extended) continue;

    shared[lemmaIndex] = {fitCategory(category, formL.fields[form_field::kCategory].width),
                          lemma.lemma.substr(0, formL.fields[form_field::kLemma].width),
                          fitTranslation(translation, formL.fields[form_field::kTranslation].width),
                          pos == 'n' ? nounGender(lemma.indications) : std::string()};
    const std::vector<Inflection> inflections = inflect(lemma, *model);
    std::set<std::pair<int, std::string>> present;
    for (const Inflection& inflection : inflections) present.emplace(inflection.morphology, inflection.form);
    // An adjective known only in its degrees ("citerior", "ulterior") is met in them
    // as often as another adjective in its positive.
    const bool degreesOnly = pos == 'a' && std::none_of(inflections.begin(), inflections.end(), [](const Inflection& i) {
      return i.morphology >= 13 && i.morphology <= 48;
    });
    std::map<int, std::size_t> groupOfClass;
    for (const Inflection& inflection : inflections) {
      FormClass formClass = formClassOf(pos, inflection.morphology);
      if (formClass.id < 0 || inflection.form.size() > formWidth) continue;
      if (degreesOnly && inflection.morphology >= 49 && inflection.morphology <= 120)
        formClass = formClassOf(pos, inflection.morphology - 36 * ((inflection.morphology - 13) / 36));
      // A vocative spelled as its nominative adds an analysis but nothing a lookup
      // would otherwise miss, and the vocative is no case the analyses study: it
      // comes last. (The vocative always follows its nominative in morphos.fr.)
      if (present.contains({inflection.morphology - 1, inflection.form})) {
        const auto d = lexicon.morphologies.find(inflection.morphology);
        if (d != lexicon.morphologies.end() && d->second.starts_with("vocatif")) formClass = {13, 0.002, false};
      }
      auto slot = groupOfClass.find(formClass.id);
      if (slot == groupOfClass.end()) {
        slot = groupOfClass.emplace(formClass.id, groups.size()).first;
        groups.push_back(
            {lemmaIndex, formClass.always, static_cast<double>(std::max(lemma.frequency, 1L)) * formClass.share, {}});
      }
      for (std::string& spelling : spellingsOf(inflection, lexicon))
        groups[slot->second].forms.push_back({std::move(spelling), inflection.morphology});
    }
  }

  // Likeliest classes first; the sort is stable, so equal scores keep the lexicon's
  // order. A class that no longer fits is passed over for smaller ones.
  std::stable_sort(groups.begin(), groups.end(), [](const FormGroup& a, const FormGroup& b) {
    if (a.always != b.always) return a.always;
    return a.score > b.score;
  });
  std::vector<std::string> formRecords;
  std::vector<double> formScores;
  std::vector<int> groupsIn(lexicon.lemmas.size(), 0), groupsOut(lexicon.lemmas.size(), 0);
  std::map<std::pair<int, std::string>, MorphologyLabels> labelCache;  // by morphology and noun gender
  for (const FormGroup& group : groups) {
    if (formRecords.size() + group.forms.size() > options.maxFormRecords) {
      ++groupsOut[group.lemma];
      continue;
    }
    ++groupsIn[group.lemma];
    const LemmaFormFields& fields = shared[group.lemma];
    for (const PendingForm& pending : group.forms) {
      auto labels = labelCache.find({pending.morphology, fields.gender});
      if (labels == labelCache.end()) {
        const auto d = lexicon.morphologies.find(pending.morphology);
        const std::string_view description = d == lexicon.morphologies.end() ? std::string_view() : d->second;
        labels = labelCache.emplace(std::pair{pending.morphology, fields.gender}, labelsOf(description, fields.gender))
                     .first;
      }
      formScores.push_back(group.score);
      formRecords.push_back(encodeDictionaryRecord(formL, 0,
                                                   {pending.form, fields.category, fields.lemma,
                                                    labels->second.caseGenderNumber, labels->second.moodTenseVoice,
                                                    fields.translation}));
    }
  }

  BuiltDictionaries built;
  for (std::size_t i = 0; i < lexicon.lemmas.size(); ++i) {
    if (groupsIn[i]) ++built.lemmasWithForms;
    if (groupsIn[i] && !groupsOut[i]) ++built.lemmasWithAllForms;
  }

  sortForLookup(lemmaRecords, lemmaL.fields[lemma_field::kLemma].offset, lemmaWidth);
  sortForLookup(formRecords, formL.fields[form_field::kForm].offset, formWidth, formScores);
  built.lemmaCount = lemmaRecords.size();
  built.formCount = formRecords.size();
  built.lemmaFile.reserve(lemmaRecords.size() * lemmaL.recordSize);
  for (const auto& r : lemmaRecords) built.lemmaFile += r;
  built.formFile.reserve(formRecords.size() * formL.recordSize);
  for (const auto& r : formRecords) built.formFile += r;
  return built;
}

}  // namespace varnelio::mkdict
