// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/morphology/pre_analysis.h"

#include <algorithm>

#include "core/morphology/latin_spelling.h"
#include "core/text/cp1252.h"

namespace varnelio {

namespace {

GrammaticalCase grammaticalCaseOf(Case c) {
  switch (c) {
    case Case::Nominative: return GrammaticalCase::Nominative;
    case Case::Accusative: return GrammaticalCase::Accusative;
    case Case::Genitive: return GrammaticalCase::Genitive;
    case Case::Dative: return GrammaticalCase::Dative;
    case Case::Ablative: return GrammaticalCase::Ablative;
  }
  return GrammaticalCase::None;
}

bool isLetter(char c) { return cp1252::isLetter(static_cast<unsigned char>(c)); }

// "-que" joined to a word is a word of its own for the tagger ("rosamque": "rosam"
// and "que"), but "atque", "quisque" and "itaque" are words in themselves.
bool endsWithQue(std::string_view w) { return w.size() >= 5 && cp1252::equalsIgnoringCase(w.substr(w.size() - 3), "que"); }

// The probability from which a noun reading of the kind is proposed.
constexpr double kNounShare = 0.25;

// How much likelier a nominative of the number of the sentence's verbs is, and
// how much less likely one of the other number.
constexpr double kSubjectWeight = 2.0;

// The most a dative's odds are raised by the verb that calls for it.
constexpr double kMostDativeRaise = 10.0;

}  // namespace

int declensionOfCategory(std::string_view category) {
  if (category.size() < 2 || !category.starts_with("n")) return 0;
  const char last = category.back();
  return last >= '1' && last <= '5' && category[category.size() - 2] == ' ' ? last - '0' : 0;
}

int declensionOfEnding(std::string_view form) {
  const std::string w = cp1252::toLower(form.substr(form.size() > 4 ? form.size() - 4 : 0));
  const auto ends = [&](std::string_view e) { return w.size() >= e.size() && w.compare(w.size() - e.size(), e.size(), e) == 0; };
  if (ends("ei") || ends("erum") || ends("ebus")) return 5;
  if (ends("uum") || ends("ui") || ends("ubus") || ends("u")) return 4;
  if (ends("arum") || ends("am") || ends("ae") || ends("as") || ends("a")) return 1;
  if (ends("orum") || ends("us") || ends("um") || ends("os") || ends("i") || ends("o") || ends("is")) return 2;
  return 3;
}

PreAnalyser::PreAnalyser(const LatinAnalyser& analyser, ContextualTagger& tagger)
    : analyser_(analyser), tagger_(tagger) {
  tagger.bind(analyser);
  findDativeVerbs();
}

int PreAnalyser::declensionAsKind(const Analysis& a, const AnalysisKind& kind, std::string_view form) const {
  if (a.lemma == Analysis::kRomanNumeral || a.lemma >= analyser_.lemmaCount()) return 0;
  if (analyser_.partOfSpeech(a.lemma) != 'n') return 0;
  if (analyser_.caseOf(a) != grammaticalCaseOf(kind.grammaticalCase)) return 0;
  const GrammaticalNumber n = kind.number == Number::Singular ? GrammaticalNumber::Singular : GrammaticalNumber::Plural;
  if (analyser_.numberOf(a) != n) return 0;
  const int declension = declensionOfCategory(analyser_.category(a.lemma));
  return declension != 0 ? declension : declensionOfEnding(form);
}

const PreAnalyser::WordFacts& PreAnalyser::factsOf(std::string_view word) {
  constexpr std::size_t kMostWords = 50000;
  std::string key(word);
  if (const auto found = recent_.find(key); found != recent_.end()) return found->second;
  if (recent_.size() >= kMostWords) recent_.clear();
  WordFacts facts;
  analyser_.analyse(word, facts.analyses);
  if (endsWithQue(word) && !facts.analyses.empty()) {
    analyser_.analyse(word.substr(0, word.size() - 3), stripped_);
    facts.enclitic = !stripped_.empty() && std::all_of(facts.analyses.begin(), facts.analyses.end(), [&](const Analysis& a) {
      return std::find(stripped_.begin(), stripped_.end(), a) != stripped_.end();
    });
  }
  return recent_.emplace(std::move(key), std::move(facts)).first->second;
}

void PreAnalyser::judgeSentence(std::string_view sentence, const AnalysisKind& kind,
                                std::vector<CandidateJudgement>& out) {
  out.clear();
  // Nothing to tag where the scan finds no candidate.
  if (!cutWords(sentence, kind)) return;
  analyseWords();
  weighNominatives();
  tagger_.tag(analyser_, words_);
  expectDative();
  for (std::size_t k = 0; k < forms_.size(); ++k)
    if (isCandidate(forms_[k], kind)) out.push_back(judgeWord(k, kind));
}

bool PreAnalyser::cutWords(std::string_view sentence, const AnalysisKind& kind) {
  bool any = false;
  forms_.clear();
  std::size_t i = 0;
  const std::size_t n = sentence.size();
  bool clauseStart = false;
  int segment = 0;
  segments_.clear();
  while (i < n) {
    const std::size_t start = i;
    while (i < n && isLetter(sentence[i])) ++i;
    if (i > start) {
      const std::string_view w = sentence.substr(start, i - start);
      if (forms_.size() == words_.size()) words_.emplace_back();
      TaggedWord& t = words_[forms_.size()];
      t.clauseStart = clauseStart;
      t.enclitic = false;
      forms_.push_back(w);
      segments_.push_back(segment);
      any = any || isCandidate(w, kind);
      clauseStart = false;
    }
    while (i < n && !isLetter(sentence[i])) {
      const char c = sentence[i++];
      if (c == ';' || c == ':' || c == '?' || c == '!') clauseStart = true;
      if (c == ',' || c == ';' || c == ':' || c == '?' || c == '!') segment = static_cast<int>(forms_.size());
    }
  }
  return any;
}

void PreAnalyser::analyseWords() {
  words_.resize(forms_.size());
  for (std::size_t k = 0; k < forms_.size(); ++k) {
    const WordFacts& facts = factsOf(forms_[k]);
    words_[k].analyses = facts.analyses;
    words_[k].enclitic = facts.enclitic;
  }
}

// 1 when every analysis is a finite verb of the third person singular, 2 of the
// plural, 3 when both occur, -1 when one is not such a verb, 0 for no analysis.
int PreAnalyser::thirdPersonNumber(const std::vector<Analysis>& analyses) const {
  int number = 0;
  for (const Analysis& a : analyses) {
    const int slot = a.lemma != Analysis::kRomanNumeral && analyser_.partOfSpeech(a.lemma) == 'v'
                         ? finiteVerbSlot(a.morphology)
                         : -1;
    if (slot < 0 || !isThirdPerson(slot)) return -1;
    number |= isPluralPerson(slot) ? 2 : 1;
  }
  return number;
}

// The word after the last of the stretch between commas that starts at `first`.
std::size_t PreAnalyser::stretchEnd(std::size_t first) const {
  std::size_t end = first;
  while (end < segments_.size() && segments_[end] == segments_[first]) ++end;
  return end;
}

// Whether every analysis is a nominative (or vocative) of that number.
bool PreAnalyser::isSureSubject(const std::vector<Analysis>& analyses, GrammaticalNumber number) const {
  return !analyses.empty() && std::all_of(analyses.begin(), analyses.end(), [&](const Analysis& a) {
    const GrammaticalCase c = analyser_.caseOf(a);
    return (c == GrammaticalCase::Nominative || c == GrammaticalCase::Vocative) && analyser_.numberOf(a) == number;
  });
}

// A verb that can only be a finite verb of the third person calls for a subject
// of its number near it. Within each stretch of the sentence between commas (or
// ";", ":", "?", "!") whose sure verbs are of one number only, the nominatives of
// that number are likelier and those of the other less likely, unless a word of
// the stretch can only be its subject already. A subject is far more often in the
// stretch of its verb than beyond a comma.
void PreAnalyser::weighNominatives() {
  for (std::size_t first = 0, end = 0; first < words_.size(); first = end) {
    end = stretchEnd(first);
    bool singular = false, plural = false;
    for (std::size_t k = first; k < end; ++k) {
      const int number = thirdPersonNumber(words_[k].analyses);
      singular = singular || number == 1;
      plural = plural || number == 2;
    }
    if (singular != plural) {
      const GrammaticalNumber wanted = singular ? GrammaticalNumber::Singular : GrammaticalNumber::Plural;
      for (std::size_t k = first; k < end; ++k)
        if (isSureSubject(words_[k].analyses, wanted)) singular = plural = false;
    }
    const double sgWeight = singular && !plural ? kSubjectWeight : plural && !singular ? 1 / kSubjectWeight : 1.0;
    const double plWeight = plural && !singular ? kSubjectWeight : singular && !plural ? 1 / kSubjectWeight : 1.0;
    for (std::size_t k = first; k < end; ++k) {
      words_[k].nominativeWeight[0] = sgWeight;
      words_[k].nominativeWeight[1] = plWeight;
    }
  }
}

namespace {

// Verbs that take a dative of the person: given to, told, entrusted, obeyed,
// served, helped, harmed, pleased, trusted, set over. Headwords with i for j and
// u for v.
constexpr std::string_view kDativeVerbs[] = {
    "accido", "adsum", "aio", "antepono", "appropinquo", "assentior", "blandior", "cedo", "committo",
    "concedo", "confido", "credo", "desum", "dico", "diffido", "displiceo", "do", "dono", "faueo",
    "fido", "gratulor", "ignosco", "impero", "indulgeo", "inquam", "insto", "intersum", "inuideo",
    "irascor", "libet", "licet", "mando", "medeor", "minor", "ministro", "narro", "noceo", "nubo",
    "nuntio", "obsisto", "obsto", "obsum", "obtempero", "occurro", "oboedio", "ostendo", "parco",
    "pareo", "permitto", "persuadeo", "placeo", "praeficio", "praepono", "praesum", "praesto",
    "promitto", "prosum", "reddo", "resisto", "respondeo", "scribo", "seruio", "studeo", "suadeo",
    "subuenio", "succurro", "supplico", "trado", "tribuo", "uideor"};

// "Iuvo2" as "iuuo": the word's key without the homonym's number.
std::string plainHeadword(std::string_view headword) {
  std::string key = latin::keyOf(headword);
  std::erase_if(key, [](char c) { return c >= '0' && c <= '9'; });
  return key;
}

}  // namespace

void PreAnalyser::findDativeVerbs() {
  std::vector<std::string_view> sorted(std::begin(kDativeVerbs), std::end(kDativeVerbs));
  std::sort(sorted.begin(), sorted.end());
  dativeVerb_.assign(analyser_.lemmaCount(), false);
  for (std::uint32_t l = 0; l < analyser_.lemmaCount(); ++l)
    dativeVerb_[l] = analyser_.partOfSpeech(l) == 'v' &&
                     std::binary_search(sorted.begin(), sorted.end(), plainHeadword(analyser_.headword(l)));
}

// The one a verb gives to, obeys or serves is a person: a pronoun or a noun that
// is not neuter ("bello", "gladio" are ablatives of means far more often).
bool PreAnalyser::isDativeOfPerson(const Analysis& a) const {
  if (a.lemma >= analyser_.lemmaCount() || analyser_.caseOf(a) != GrammaticalCase::Dative) return false;
  const char pos = analyser_.partOfSpeech(a.lemma);
  return pos == 'p' || (pos == 'n' && analyser_.gender(a.lemma) != "n.");
}

double PreAnalyser::dativeShare(const TaggedWord& w) const {
  double share = 0;
  for (std::size_t a = 0; a < w.analyses.size() && a < w.posterior.size(); ++a)
    if (isDativeOfPerson(w.analyses[a])) share += w.posterior[a];
  return share;
}

// A verb that takes a dative calls for one near it. Where a stretch between
// commas has such a verb and its words together hold less than one dative, the
// datives of persons in it are made likelier, each word's odds by the same least
// factor that makes one (at most kMostDativeRaise): the ablatives of "-o" and
// "-is" no longer hide them.
void PreAnalyser::expectDative() {
  for (std::size_t first = 0, end = 0; first < words_.size(); first = end) {
    end = stretchEnd(first);
    bool called = false;
    for (std::size_t k = first; k < end; ++k) {
      const TaggedWord& w = words_[k];
      for (std::size_t a = 0; a < w.analyses.size() && a < w.posterior.size(); ++a)
        if (w.analyses[a].lemma < dativeVerb_.size() && dativeVerb_[w.analyses[a].lemma] && w.posterior[a] > 0.5) called = true;
    }
    if (called) expectDativeIn(first, end);
  }
}

void PreAnalyser::expectDativeIn(std::size_t first, std::size_t end) {
  shares_.clear();
  for (std::size_t k = first; k < end; ++k) shares_.push_back(dativeShare(words_[k]));
  const auto expected = [&](double factor) {
    double e = 0;
    for (const double d : shares_) e += d * factor / (d * factor + 1 - d);
    return e;
  };
  if (expected(1.0) >= 1.0) return;
  double low = 1.0, high = kMostDativeRaise;
  if (expected(high) >= 1.0)
    for (int step = 0; step < 20; ++step) {
      const double middle = (low + high) / 2;
      (expected(middle) < 1.0 ? low : high) = middle;
    }
  for (std::size_t k = first; k < end; ++k) {
    const double share = shares_[k - first];
    if (share <= 0) continue;
    TaggedWord& w = words_[k];
    const double total = share * high + 1 - share;
    for (std::size_t a = 0; a < w.analyses.size() && a < w.posterior.size(); ++a)
      w.posterior[a] *= (isDativeOfPerson(w.analyses[a]) ? high : 1.0) / total;
  }
}

// A noun of the kind whenever that reading keeps a fair share of the probability,
// not only when it is the likeliest: a teacher deletes a wrong proposal at a
// glance, but a noun judged false disappears from the exercise.
CandidateJudgement PreAnalyser::judgeWord(std::size_t k, const AnalysisKind& kind) const {
  const TaggedWord& t = words_[k];
  CandidateJudgement j{forms_[k], {}, 0};
  double share = 0, best = -1;
  for (std::size_t a = 0; a < t.analyses.size() && a < t.posterior.size(); ++a) {
    const int declension = declensionAsKind(t.analyses[a], kind, forms_[k]);
    if (declension == 0) continue;
    share += t.posterior[a];
    if (t.posterior[a] > best) {
      best = t.posterior[a];
      j.declension = declension;
    }
  }
  if (share < kNounShare) j.declension = 0;
  if (j.declension != 0) j.label = analysisLabel(kind, j.declension);
  return j;
}

bool judgeRows(PreAnalyser& judge, const SentenceTable& sentences, const CandidateGrid& grid,
               const AnalysisKind& kind, std::vector<RowJudgement>& out,
               const std::function<bool(std::size_t done, std::size_t total)>& progress) {
  const std::size_t total = grid.candidateCount();
  out.assign(total, RowJudgement{});
  std::vector<CandidateJudgement> judged;
  std::string lastSentence = "\n";  // no sentence number is that
  std::size_t next = 0;               // the first candidate of the sentence not yet matched
  std::size_t r = 0;
  bool going = true;
  grid.forEachRow([&](std::int64_t, std::string_view sentence, std::string_view form, std::string_view) {
    if (!going) return;
    if (r % 256 == 0 && progress && !progress(r, total)) {
      going = false;
      return;
    }
    RowJudgement& row = out[r++];
    if (sentence != lastSentence) {
      lastSentence.assign(sentence);
      judged.clear();
      next = 0;
      if (const auto n = parseSentenceNumber(sentence))
        if (const auto text = sentences.sentence(*n)) judge.judgeSentence(*text, kind, judged);
    }
    for (std::size_t k = next; k < judged.size(); ++k)
      if (judged[k].form == form) {
        row.found = true;
        row.declension = static_cast<std::uint8_t>(judged[k].declension);
        next = k + 1;
        break;
      }
  });
  if (going && progress) going = progress(total, total);
  return going;
}

std::string RowJudgement::label(const AnalysisKind& kind) const {
  return declension == 0 ? std::string() : analysisLabel(kind, declension);
}

}  // namespace varnelio
