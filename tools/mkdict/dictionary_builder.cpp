#include "mkdict/dictionary_builder.h"

#include <algorithm>
#include <numeric>
#include <set>
#include <type_traits>

#include "core/dictionaries/dictionaries.h"
#include "core/text/cp1252.h"
#include "core/files/source_file.h"
#include "core/morphology/latin_analyser.h"
#include "core/morphology/latin_spelling.h"
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
// present, compared with a future imperative). Every lemma keeps the forms spelled
// as its headword; every noun, pronoun, numeral and invariable word of the main
// lexicon is kept whole while there is room; the other forms are taken in the
// order of lemma frequency times that share, so that the file holds the forms a
// reader is likeliest to meet: the rarest forms are cut, never a lemma. The same
// order puts the likeliest analysis first among the records of one spelling.
struct FormClass {
  int id = -1;  // -1: not in the dictionary
  double share = 0;
  bool always = false;
};

FormClass formClassOf(char partOfSpeech, int morphology) {
  const bool verb = partOfSpeech == 'v';
  if (morphology == 413) return {13, 0.002};  // the locative, of a few nouns
  if (morphology <= 48) {
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
    if (morphology == 411 || morphology == 412) return {3, 0.003};  // an adjective's adverb, compared
    if (morphology == 414) return {1, 0.03};  // an adjective's adverb
    return {6, 1.0, true};  // invariable words: one form each
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

}  // namespace

BuiltDictionaries buildDictionaries(const CollatinusLexicon& lexicon, const BuildOptions& options) {
  return buildDictionaries(lexicon, buildAnalyserData(lexicon), options);
}

BuiltDictionaries buildDictionaries(const CollatinusLexicon& lexicon, const AnalyserBuild& analyserBuild,
                                    const BuildOptions& options) {
  const DictionaryLayout& lemmaL = lemmaLayout();
  const DictionaryLayout& formL = formLayout();
  const std::size_t lemmaWidth = lemmaL.fields[lemma_field::kLemma].width;
  const std::size_t formWidth = formL.fields[form_field::kForm].width;

  std::vector<std::string> lemmaRecords;
  lemmaRecords.reserve(lexicon.lemmas.size());
  for (const LemmaLine& lemma : lexicon.lemmas) {
    const auto tr = lexicon.translations.find(lemma.key);
    const std::string translation = tr == lexicon.translations.end() ? std::string() : tr->second;
    lemmaRecords.push_back(encodeDictionaryRecord(
        lemmaL, 0,
        {lemma.lemma.substr(0, lemmaWidth),
         fitCategory(categoryWithClass(lexicon, lemma), lemmaL.fields[lemma_field::kCategory].width),
         fitTranslation(translation, lemmaL.fields[lemma_field::kTranslation].width), "", ""}));
  }

  // The forms come from the analyser itself, so that the file holds no form the
  // analyser would not give (our corrections included), worded as it words them.
  const LatinAnalyser analyser = LatinAnalyser::fromBytes(encodeAnalyserData(analyserBuild.data));
  const std::uint32_t lemmaCount = static_cast<std::uint32_t>(analyser.lemmaCount());

  // Every form of every lemma, each spelling once per morphology, with its place:
  // pass 0, one form of each lemma, the first spelled as its headword (kept
  // whatever the budget);
  // pass 1, the forms of the nouns, pronouns and invariable words of the main
  // lexicon; pass 2, the others. Run twice: once to find how far the budget
  // reaches, once to write the records, so that millions of forms are never held.
  auto forEachForm = [&](std::uint32_t l, auto&& sink) {
    const LemmaLine& line = *analyserBuild.lines[l];
    const char pos = analyser.partOfSpeech(l);
    const std::string headwordKey = latin::keyOf(line.lemma);
    const double frequency = static_cast<double>(std::max(line.frequency, 1L));
    struct Form {
      std::string text;
      std::uint16_t morphology;
      int pass;
      double score;
    };
    std::vector<Form> forms;
    bool headwordFound = false;
    // An adjective known only in its degrees ("citerior", "ulterior") is met in them
    // as often as another adjective in its positive.
    bool positive = pos != 'a';
    std::vector<std::pair<std::string, int>> raw;
    analyser.forEachForm(l, [&](std::string_view form, std::uint16_t m) {
      positive = positive || (m >= 13 && m <= 48);
      if (!form.empty() && form.size() <= formWidth) raw.emplace_back(form, m);
    });
    // Each spelling once per morphology, the first met kept.
    std::vector<std::uint32_t> order(raw.size());
    std::iota(order.begin(), order.end(), 0u);
    std::sort(order.begin(), order.end(), [&](std::uint32_t a, std::uint32_t b) {
      return raw[a] != raw[b] ? raw[a] < raw[b] : a < b;
    });
    std::vector<bool> repeated(raw.size(), false);
    for (std::size_t k = 1; k < order.size(); ++k) repeated[order[k]] = raw[order[k]] == raw[order[k - 1]];
    const auto has = [&](const std::string& form, int morphology) {
      const std::pair<std::string, int> wanted{form, morphology};
      return std::binary_search(order.begin(), order.end(), wanted, [&](const auto& a, const auto& b) {
        if constexpr (std::is_same_v<std::decay_t<decltype(a)>, std::uint32_t>) return raw[a] < b;
        else return a < raw[b];
      });
    };
    for (std::size_t k = 0; k < raw.size(); ++k) {
      if (repeated[k]) continue;
      const std::string& form = raw[k].first;
      const auto morphology = static_cast<std::uint16_t>(raw[k].second);
      FormClass formClass = formClassOf(pos, morphology);
      if (!positive && morphology >= 49 && morphology <= 120)
        formClass = formClassOf(pos, morphology - 36 * ((morphology - 13) / 36));
      if (formClass.id < 0) formClass = {99, 0.0001, false};
      // A vocative spelled as its nominative adds an analysis but nothing a lookup
      // would otherwise miss, and the vocative is no case the analyses study: it
      // comes late. (The vocative always follows its nominative.)
      if (has(form, morphology - 1) && analyser.caseOf({l, morphology}) == GrammaticalCase::Vocative)
        formClass = {13, 0.002, false};
      int pass = formClass.always && pos != 'n' && !line.extended ? 1 : 2;
      if (!headwordFound && latin::keyOf(form) == headwordKey) {
        pass = 0;
        headwordFound = true;
      }
      forms.push_back({form, morphology, pass, frequency * formClass.share});
    }
    // A lemma none of whose forms is spelled as its headword keeps at least its
    // likeliest form.
    if (!headwordFound && !forms.empty())
      std::max_element(forms.begin(), forms.end(), [](const Form& a, const Form& b) { return a.score < b.score; })
          ->pass = 0;
    for (const Form& f : forms) {
      std::vector<std::string> spellings{f.text};
      // The perfect system also comes contracted: "amaverunt" and "amarunt".
      if ((f.morphology >= 139 && f.morphology <= 156) || (f.morphology >= 169 && f.morphology <= 180) ||
          f.morphology == 188) {
        for (const auto& [shortEnding, longEnding] : lexicon.contractions) {
          if (f.text.size() > longEnding.size() && f.text.ends_with(longEnding)) {
            spellings.push_back(f.text.substr(0, f.text.size() - longEnding.size()) + shortEnding);
            break;
          }
        }
      }
      // Texts write the consonant i both ways: "justus" and "iustus".
      for (std::size_t k = 0, n = spellings.size(); k < n; ++k)
        if (std::string i = withIForJ(spellings[k]); i != spellings[k]) spellings.push_back(std::move(i));
      for (std::size_t k = 0; k < spellings.size(); ++k)
        if (spellings[k].size() <= formWidth) sink(spellings[k], f.morphology, k ? std::max(f.pass, 1) : f.pass, f.score);
    }
  };

  // First run: the lowest pass and score that still fit, and how many records of
  // exactly that pass and score fit (the first ones met).
  std::vector<std::pair<int, double>> places;
  for (std::uint32_t l = 0; l < lemmaCount; ++l)
    forEachForm(l, [&](const std::string&, std::uint16_t, int pass, double score) { places.emplace_back(pass, score); });
  const auto better = [](const std::pair<int, double>& a, const std::pair<int, double>& b) {
    if (a.first != b.first) return a.first < b.first;
    return a.first != 0 && a.second > b.second;
  };
  const std::size_t headwords =
      static_cast<std::size_t>(std::count_if(places.begin(), places.end(), [](const auto& p) { return p.first == 0; }));
  const std::size_t room = std::max(options.maxFormRecords, headwords);
  std::pair<int, double> last{3, 0.0};  // the worst place kept
  std::size_t ofLast = 0;               // records of that place kept
  if (room < places.size()) {
    std::vector<std::pair<int, double>> sorted = places;
    std::nth_element(sorted.begin(), sorted.begin() + static_cast<std::ptrdiff_t>(room - 1), sorted.end(), better);
    last = sorted[room - 1];
    const std::size_t strictlyBetter =
        static_cast<std::size_t>(std::count_if(places.begin(), places.end(), [&](const auto& p) { return better(p, last); }));
    ofLast = room - strictlyBetter;
  }
  places.clear();
  places.shrink_to_fit();

  // Second run: the records.
  std::vector<std::string> formRecords;
  std::vector<double> formScores;
  std::vector<std::size_t> keptOfLemma(lemmaCount, 0), formsOfLemma(lemmaCount, 0);
  std::size_t lastKept = 0;
  for (std::uint32_t l = 0; l < lemmaCount; ++l) {
    forEachForm(l, [&](const std::string& form, std::uint16_t morphology, int pass, double score) {
      ++formsOfLemma[l];
      const std::pair<int, double> place{pass, score};
      bool keep = last.first == 3 || pass == 0 || better(place, last);
      if (!keep && !better(last, place) && lastKept < ofLast) {
        keep = true;  // as good as the worst place kept, and met early enough
        ++lastKept;
      }
      if (!keep) return;
      ++keptOfLemma[l];
      const AnalysisText t = analyser.describe({l, morphology}, form);
      const std::string category = fitCategory(t.category, formL.fields[form_field::kCategory].width);
      const std::string translation = fitTranslation(t.translation, formL.fields[form_field::kTranslation].width);
      formRecords.push_back(encodeDictionaryRecord(
          formL, 0,
          {form, category, std::string_view(t.lemma).substr(0, formL.fields[form_field::kLemma].width),
           t.caseGenderNumber, t.moodTenseVoice, translation}));
      formScores.push_back(pass == 0 ? 1e12 + score : score);
    });
  }

  BuiltDictionaries built;
  built.headwordRecords = headwords;
  for (std::size_t l = 0; l < lemmaCount; ++l) {
    if (keptOfLemma[l]) ++built.lemmasWithForms;
    if (keptOfLemma[l] && keptOfLemma[l] == formsOfLemma[l]) ++built.lemmasWithAllForms;
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
