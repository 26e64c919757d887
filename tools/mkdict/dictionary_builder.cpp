// SPDX-License-Identifier: GPL-3.0-or-later
#include "mkdict/dictionary_builder.h"

#include <algorithm>
#include <numeric>
#include <set>
#include <type_traits>

#include "core/dictionaries/dictionaries.h"
#include "core/text/cp1252.h"
#include "core/files/source_file.h"
#include "core/morphology/form_class_shares.h"
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
  lexicon.morphologyFeatures = decodeMorphologies(lexicon.morphologies);
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
  // The other languages, in the order a French reader is likeliest to read them.
  for (const auto& [language, mark] : {std::pair{"en", "(angl.)"}, std::pair{"de", "(all.)"}, std::pair{"it", "(ital.)"},
                                       std::pair{"es", "(esp.)"}, std::pair{"pt", "(port.)"}, std::pair{"ca", "(cat.)"},
                                       std::pair{"gl", "(galic.)"}}) {
    CollatinusLexicon::OtherLanguage other{mark, readTranslations(optional((std::string("lemmes.") + language).c_str()))};
    for (auto& [key, translation] : readTranslations(optional((std::string("lem_ext.") + language).c_str())))
      other.translations.emplace(key, translation);
    if (!other.translations.empty()) lexicon.otherLanguages.push_back(std::move(other));
  }
  lexicon.contractions = readContractions(optional("contractions.la"));
  lexicon.irregulars = readIrregulars(optional("irregs.la"));
  lexicon.assimilations = readAssimilations(optional("assimilations.la"));
  lexicon.modelClasses = readModelClasses(optional("CatLASLA.txt"));
  if (!correctionsPath.empty()) {
    auto read = readWholeFile(correctionsPath);
    if (auto* err = std::get_if<FileError>(&read))
      return "Impossible de lire " + err->path + (err->reason.empty() ? "" : " : " + err->reason);
    if (auto error = readCorrections(std::get<std::string>(read), lexicon.morphologyFeatures, lexicon.corrections))
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
// present, compared with a future imperative: form_class_shares.h, the table the
// tagger uses too, counted on the treebanks). Every lemma keeps the forms spelled
// as its headword; every noun, pronoun, numeral and invariable word of the main
// lexicon is kept whole while there is room; the other forms are taken in the
// order of lemma frequency times that share, so that the file holds the forms a
// reader is likeliest to meet: the rarest forms are cut, never a lemma. The same
// order puts the likeliest analysis first among the records of one spelling.
struct FormClass {
  double share = 0;  // 0: not in the dictionary
  bool always = false;
};

FormClass formClassOf(PartOfSpeech partOfSpeech, const MorphologyFeatures& m) {
  const bool caseForm = m.kind == FormKind::NounCase || m.kind == FormKind::GenderedCase;
  if (m.kind == FormKind::None || (partOfSpeech == PartOfSpeech::Verb && caseForm)) return {};
  // Kept whole while there is room: the invariable words (one form each), and the
  // positive cases of the pronouns and numerals, few and everywhere. (Every
  // noun's forms are kept too, their endings being what Varnelio studies.)
  const bool positiveCase = caseForm && m.degree != Degree::Comparative && m.degree != Degree::Superlative &&
                            m.grammaticalCase != GrammaticalCase::Locative;
  const bool always = m.kind == FormKind::Invariable ||
                      (positiveCase && partOfSpeech != PartOfSpeech::Adjective);
  return {formClassShare(partOfSpeech, m), always};
}

// Where a form stands in the budget: pass 0, one form of each lemma, the first
// spelled as its headword (kept whatever the budget); pass 1, the forms of the
// nouns, pronouns and invariable words of the main lexicon; pass 2, the others;
// within a pass, the likelier first.
struct Place {
  int pass = 3;  // 3: beyond every pass
  double score = 0;
};

bool before(const Place& a, const Place& b) {
  if (a.pass != b.pass) return a.pass < b.pass;
  return a.pass != 0 && a.score > b.score;
}

struct PlacedForm {
  std::string text;
  std::uint16_t morphology;
  Place place;
};

// The forms the analyser gives a lemma, in its order, each (spelling,
// morphology) marked when an earlier one was the same.
class LemmaForms {
 public:
  explicit LemmaForms(std::vector<std::pair<std::string, int>> forms) : forms_(std::move(forms)), order_(forms_.size()) {
    std::iota(order_.begin(), order_.end(), 0u);
    std::sort(order_.begin(), order_.end(), [&](std::uint32_t a, std::uint32_t b) {
      return forms_[a] != forms_[b] ? forms_[a] < forms_[b] : a < b;
    });
    repeated_.assign(forms_.size(), false);
    for (std::size_t k = 1; k < order_.size(); ++k)
      repeated_[order_[k]] = forms_[order_[k]] == forms_[order_[k - 1]];
  }
  std::size_t size() const { return forms_.size(); }
  const std::pair<std::string, int>& operator[](std::size_t k) const { return forms_[k]; }
  bool repeated(std::size_t k) const { return repeated_[k]; }
  bool has(const std::string& form, int morphology) const {
    const std::pair<std::string, int> wanted{form, morphology};
    return std::binary_search(order_.begin(), order_.end(), wanted, [&](const auto& a, const auto& b) {
      if constexpr (std::is_same_v<std::decay_t<decltype(a)>, std::uint32_t>) return forms_[a] < b;
      else return a < forms_[b];
    });
  }

 private:
  std::vector<std::pair<std::string, int>> forms_;
  std::vector<std::uint32_t> order_;  // by (spelling, morphology), then as met
  std::vector<bool> repeated_;
};

// Every spelling of every form of a lemma, each with its place. The builder runs
// it twice: once to find how far the budget reaches, once to write the records, so
// that millions of forms are never held.
class FormLister {
 public:
  FormLister(const CollatinusLexicon& lexicon, const AnalyserBuild& build, const LatinAnalyser& analyser,
             std::size_t formWidth)
      : lexicon_(lexicon), build_(build), analyser_(analyser), formWidth_(formWidth) {}

  template <typename Sink>
  void forEachSpelling(std::uint32_t l, Sink&& sink) const {
    for (const PlacedForm& f : placedForms(l)) {
      const std::vector<std::string> spellings = spellingsOf(f);
      for (std::size_t k = 0; k < spellings.size(); ++k) {
        if (spellings[k].size() > formWidth_) continue;
        sink(spellings[k], f.morphology, k ? Place{std::max(f.place.pass, 1), f.place.score} : f.place);
      }
    }
  }

 private:
  std::vector<PlacedForm> placedForms(std::uint32_t l) const;
  LemmaForms formsOf(std::uint32_t l, bool& positive) const;
  FormClass classOf(std::uint32_t l, bool positive, const LemmaForms& forms, std::size_t k) const;
  std::vector<std::string> spellingsOf(const PlacedForm& f) const;

  const CollatinusLexicon& lexicon_;
  const AnalyserBuild& build_;
  const LatinAnalyser& analyser_;
  std::size_t formWidth_;
};

std::vector<PlacedForm> FormLister::placedForms(std::uint32_t l) const {
  const LemmaLine& line = *build_.lines[l];
  const PartOfSpeech pos = analyser_.partOfSpeech(l);
  const std::string headwordKey = latin::keyOf(line.lemma);
  const double frequency = static_cast<double>(std::max(line.frequency, 1L));
  bool positive = pos != PartOfSpeech::Adjective;
  const LemmaForms forms = formsOf(l, positive);
  std::vector<PlacedForm> placed;
  bool headwordFound = false;
  for (std::size_t k = 0; k < forms.size(); ++k) {
    if (forms.repeated(k)) continue;  // each spelling once per morphology, the first met kept
    const std::string& form = forms[k].first;
    const FormClass formClass = classOf(l, positive, forms, k);
    int pass = formClass.always && pos != PartOfSpeech::Noun && !line.extended ? 1 : 2;
    if (!headwordFound && latin::keyOf(form) == headwordKey) {
      pass = 0;
      headwordFound = true;
    }
    placed.push_back({form, static_cast<std::uint16_t>(forms[k].second), {pass, frequency * formClass.share}});
  }
  // A lemma none of whose forms is spelled as its headword keeps at least its
  // likeliest form.
  if (!headwordFound && !placed.empty())
    std::max_element(placed.begin(), placed.end(), [](const PlacedForm& a, const PlacedForm& b) {
      return a.place.score < b.place.score;
    })->place.pass = 0;
  return placed;
}

// The analyser's forms that fit the record. `positive` tells whether the lemma
// has a positive degree among all its forms (an adjective known only in its
// degrees, "citerior", "ulterior", has none).
LemmaForms FormLister::formsOf(std::uint32_t l, bool& positive) const {
  std::vector<std::pair<std::string, int>> forms;
  analyser_.forEachForm(l, [&](std::string_view form, std::uint16_t m) {
    const MorphologyFeatures& features = analyser_.morphology(m);
    positive = positive || (features.kind == FormKind::GenderedCase && features.degree == Degree::Positive);
    if (!form.empty() && form.size() <= formWidth_) forms.emplace_back(form, m);
  });
  return LemmaForms(std::move(forms));
}

FormClass FormLister::classOf(std::uint32_t l, bool positive, const LemmaForms& forms, std::size_t k) const {
  const PartOfSpeech pos = analyser_.partOfSpeech(l);
  const auto morphology = static_cast<std::uint16_t>(forms[k].second);
  const MorphologyFeatures& features = analyser_.morphology(morphology);
  FormClass formClass = formClassOf(pos, features);
  // An adjective known only in its degrees is met in them as often as another
  // adjective in its positive.
  if (!positive && features.kind == FormKind::GenderedCase &&
      (features.degree == Degree::Comparative || features.degree == Degree::Superlative)) {
    MorphologyFeatures asPositive = features;
    asPositive.degree = Degree::Positive;
    formClass = formClassOf(pos, asPositive);
  }
  if (formClass.share == 0) formClass = {0.0001, false};
  // A vocative spelled as its nominative adds an analysis but nothing a lookup
  // would otherwise miss, and the vocative is no case the analyses study: it
  // comes late.
  if (analyser_.caseOf({l, morphology}) == GrammaticalCase::Vocative) {
    MorphologyFeatures nominative = features;
    nominative.grammaticalCase = GrammaticalCase::Nominative;
    if (const int n = morphologyNumber(lexicon_.morphologyFeatures, nominative); n > 0 && forms.has(forms[k].first, n))
      formClass = {0.002, false};
  }
  return formClass;
}

std::vector<std::string> FormLister::spellingsOf(const PlacedForm& f) const {
  std::vector<std::string> spellings{f.text};
  // The perfect system also comes contracted: "amaverunt" and "amarunt".
  if (isPerfectSystem(analyser_.morphology(f.morphology))) {
    for (const auto& [shortEnding, longEnding] : lexicon_.contractions) {
      if (f.text.size() > longEnding.size() && f.text.ends_with(longEnding)) {
        spellings.push_back(f.text.substr(0, f.text.size() - longEnding.size()) + shortEnding);
        break;
      }
    }
  }
  // Texts write the consonant i both ways: "justus" and "iustus".
  for (std::size_t k = 0, n = spellings.size(); k < n; ++k)
    if (std::string i = withIForJ(spellings[k]); i != spellings[k]) spellings.push_back(std::move(i));
  return spellings;
}

// How far the budget reaches: the worst place kept, and how many records of
// exactly that place are kept (the first ones met).
class Budget {
 public:
  Budget(const FormLister& lister, std::uint32_t lemmaCount, std::size_t maxRecords) {
    std::vector<Place> places;
    for (std::uint32_t l = 0; l < lemmaCount; ++l)
      lister.forEachSpelling(l, [&](const std::string&, std::uint16_t, Place p) { places.push_back(p); });
    headwords_ = static_cast<std::size_t>(
        std::count_if(places.begin(), places.end(), [](const Place& p) { return p.pass == 0; }));
    const std::size_t room = std::max(maxRecords, headwords_);
    if (room >= places.size()) return;
    // Only counts are taken from the places after this: their order may change.
    std::nth_element(places.begin(), places.begin() + static_cast<std::ptrdiff_t>(room - 1), places.end(), before);
    last_ = places[room - 1];
    const std::size_t strictlyBefore = static_cast<std::size_t>(
        std::count_if(places.begin(), places.end(), [&](const Place& p) { return before(p, last_); }));
    ofLast_ = room - strictlyBefore;
  }

  std::size_t headwords() const { return headwords_; }

  // Whether the next record met, at this place, is kept.
  bool keeps(const Place& place) {
    if (last_.pass == 3 || place.pass == 0 || before(place, last_)) return true;
    if (before(last_, place) || keptOfLast_ >= ofLast_) return false;
    ++keptOfLast_;  // as good as the worst place kept, and met early enough
    return true;
  }

 private:
  std::size_t headwords_ = 0;
  Place last_;               // the worst place kept
  std::size_t ofLast_ = 0;   // records of that place kept
  std::size_t keptOfLast_ = 0;
};

std::string lemmaRecord(const CollatinusLexicon& lexicon, const LemmaLine& lemma, const std::string& translation) {
  const DictionaryLayout& layout = lemmaLayout();
  return encodeDictionaryRecord(
      layout, 0,
      {lemma.lemma.substr(0, layout.fields[lemma_field::kLemma].width),
       fitCategory(categoryWithClass(lexicon, lemma), layout.fields[lemma_field::kCategory].width),
       fitTranslation(translation, layout.fields[lemma_field::kTranslation].width), "", ""});
}

std::string formRecord(const LatinAnalyser& analyser, const Analysis& analysis, const std::string& form) {
  const DictionaryLayout& layout = formLayout();
  const AnalysisText t = analyser.describe(analysis, form);
  return encodeDictionaryRecord(
      layout, 0,
      {form, fitCategory(t.category, layout.fields[form_field::kCategory].width),
       std::string_view(t.lemma).substr(0, layout.fields[form_field::kLemma].width), t.caseGenderNumber,
       t.moodTenseVoice, fitTranslation(t.translation, layout.fields[form_field::kTranslation].width)});
}

struct FormRecords {
  std::vector<std::string> records;
  std::vector<double> scores;
  std::vector<std::size_t> keptOfLemma, formsOfLemma;
};

FormRecords formRecordsWithin(Budget& budget, const FormLister& lister, const LatinAnalyser& analyser,
                              std::uint32_t lemmaCount) {
  FormRecords out;
  out.keptOfLemma.assign(lemmaCount, 0);
  out.formsOfLemma.assign(lemmaCount, 0);
  for (std::uint32_t l = 0; l < lemmaCount; ++l) {
    lister.forEachSpelling(l, [&](const std::string& form, std::uint16_t morphology, const Place& place) {
      ++out.formsOfLemma[l];
      if (!budget.keeps(place)) return;
      ++out.keptOfLemma[l];
      out.records.push_back(formRecord(analyser, {l, morphology}, form));
      // Among the records of one spelling, the analyser's order: the likeliest first.
      out.scores.push_back(analyser.likelihood({l, morphology}));
    });
  }
  return out;
}

std::string concatenated(const std::vector<std::string>& records, std::size_t recordSize) {
  std::string file;
  file.reserve(records.size() * recordSize);
  for (const auto& r : records) file += r;
  return file;
}

}  // namespace

std::string translationOf(const CollatinusLexicon& lexicon, const LemmaLine& lemma) {
  const auto found = lexicon.translations.find(lemma.key);
  if (found != lexicon.translations.end() && !found->second.empty()) {
    // Part of the extended lexicon is glossed in English only: a French student is
    // told so before reading it.
    if (looksEnglish(found->second)) return "(angl.) " + withoutHomographNumbers(found->second);
    return withoutHomographNumbers(found->second);
  }
  for (const CollatinusLexicon::OtherLanguage& other : lexicon.otherLanguages) {
    const auto it = other.translations.find(lemma.key);
    if (it != other.translations.end() && !it->second.empty())
      return other.mark + " " + withoutHomographNumbers(it->second);
  }
  return {};
}

BuiltDictionaries buildDictionaries(const CollatinusLexicon& lexicon, const BuildOptions& options) {
  return buildDictionaries(lexicon, buildAnalyserData(lexicon), options);
}

BuiltDictionaries buildDictionaries(const CollatinusLexicon& lexicon, const AnalyserBuild& analyserBuild,
                                    const BuildOptions& options) {
  const DictionaryLayout& lemmaL = lemmaLayout();
  const DictionaryLayout& formL = formLayout();
  std::vector<std::string> lemmaRecords;
  lemmaRecords.reserve(lexicon.lemmas.size());
  // The analyser's translation of a lemma where it has one (a lemma without
  // translation may refer to the lemma it is a form of), else the lexicon's.
  std::map<const LemmaLine*, const std::string*> analysed;
  for (std::size_t i = 0; i < analyserBuild.lines.size() && i < analyserBuild.data.lemmas.size(); ++i)
    analysed.emplace(analyserBuild.lines[i], &analyserBuild.data.lemmas[i].translation);
  for (const LemmaLine& lemma : lexicon.lemmas) {
    const auto it = analysed.find(&lemma);
    lemmaRecords.push_back(lemmaRecord(lexicon, lemma, it != analysed.end() ? *it->second : translationOf(lexicon, lemma)));
  }

  // The forms come from the analyser itself, so that the file holds no form the
  // analyser would not give (our corrections included), worded as it words them.
  const LatinAnalyser analyser = LatinAnalyser::fromBytes(encodeAnalyserData(analyserBuild.data));
  const auto lemmaCount = static_cast<std::uint32_t>(analyser.lemmaCount());
  const FormLister lister(lexicon, analyserBuild, analyser, formL.fields[form_field::kForm].width);
  Budget budget(lister, lemmaCount, options.maxFormRecords);
  FormRecords forms = formRecordsWithin(budget, lister, analyser, lemmaCount);

  BuiltDictionaries built;
  built.headwordRecords = budget.headwords();
  for (std::size_t l = 0; l < lemmaCount; ++l) {
    if (forms.keptOfLemma[l]) ++built.lemmasWithForms;
    if (forms.keptOfLemma[l] && forms.keptOfLemma[l] == forms.formsOfLemma[l]) ++built.lemmasWithAllForms;
  }
  sortForLookup(lemmaRecords, lemmaL.fields[lemma_field::kLemma].offset, lemmaL.fields[lemma_field::kLemma].width);
  sortForLookup(forms.records, formL.fields[form_field::kForm].offset, formL.fields[form_field::kForm].width,
                forms.scores);
  built.lemmaCount = lemmaRecords.size();
  built.formCount = forms.records.size();
  built.lemmaFile = concatenated(lemmaRecords, lemmaL.recordSize);
  built.formFile = concatenated(forms.records, formL.recordSize);
  return built;
}

}  // namespace varnelio::mkdict
