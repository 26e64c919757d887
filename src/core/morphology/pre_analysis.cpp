#include "core/morphology/pre_analysis.h"

#include <algorithm>

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
bool endsWithQue(std::string_view w) {
  if (w.size() < 5) return false;
  const auto lower = [](char c) { return static_cast<char>(c >= 'A' && c <= 'Z' ? c + 32 : c); };
  return lower(w[w.size() - 3]) == 'q' && lower(w[w.size() - 2]) == 'u' && lower(w[w.size() - 1]) == 'e';
}

}  // namespace

int declensionOfCategory(std::string_view category) {
  if (category.size() < 2 || !category.starts_with("n")) return 0;
  const char last = category.back();
  return last >= '1' && last <= '5' && category[category.size() - 2] == ' ' ? last - '0' : 0;
}

PreAnalyser::PreAnalyser(const LatinAnalyser& analyser, ContextualTagger& tagger)
    : analyser_(analyser), tagger_(tagger) {
  tagger.bind(analyser);
}

std::string PreAnalyser::labelOf(const Analysis& a, const AnalysisKind& kind, std::string_view) const {
  if (a.lemma == Analysis::kRomanNumeral || a.lemma >= analyser_.lemmaCount()) return {};
  if (analyser_.partOfSpeech(a.lemma) != 'n') return {};
  if (analyser_.caseOf(a) != grammaticalCaseOf(kind.grammaticalCase)) return {};
  const GrammaticalNumber n = kind.number == Number::Singular ? GrammaticalNumber::Singular : GrammaticalNumber::Plural;
  if (analyser_.numberOf(a) != n) return {};
  const int declension = declensionOfCategory(analyser_.category(a.lemma));
  if (declension == 0) return {};
  return analysisLabel(kind, declension);
}

void PreAnalyser::judgeSentence(std::string_view sentence, const AnalysisKind& kind,
                                std::vector<CandidateJudgement>& out) {
  out.clear();
  // Nothing to tag where the scan finds no candidate.
  bool any = false;
  forms_.clear();
  std::size_t i = 0;
  const std::size_t n = sentence.size();
  std::size_t wordCount = 0;
  bool clauseStart = false;
  while (i < n) {
    const std::size_t start = i;
    while (i < n && isLetter(sentence[i])) ++i;
    if (i > start) {
      const std::string_view w = sentence.substr(start, i - start);
      if (wordCount == words_.size()) words_.emplace_back();
      TaggedWord& t = words_[wordCount++];
      t.clauseStart = clauseStart;
      t.enclitic = false;
      forms_.push_back(w);
      any = any || isCandidate(w, kind);
      clauseStart = false;
    }
    while (i < n && !isLetter(sentence[i])) {
      const char c = sentence[i++];
      if (c == ';' || c == ':' || c == '?' || c == '!') clauseStart = true;
    }
  }
  if (!any) return;
  words_.resize(wordCount);
  for (std::size_t k = 0; k < wordCount; ++k) {
    TaggedWord& t = words_[k];
    analyser_.analyse(forms_[k], t.analyses);
    if (endsWithQue(forms_[k]) && !t.analyses.empty()) {
      analyser_.analyse(forms_[k].substr(0, forms_[k].size() - 3), stripped_);
      t.enclitic = !stripped_.empty() && std::all_of(t.analyses.begin(), t.analyses.end(), [&](const Analysis& a) {
        return std::find(stripped_.begin(), stripped_.end(), a) != stripped_.end();
      });
    }
  }
  tagger_.tag(analyser_, words_);
  for (std::size_t k = 0; k < wordCount; ++k) {
    if (!isCandidate(forms_[k], kind)) continue;
    const TaggedWord& t = words_[k];
    CandidateJudgement j{forms_[k], {}};
    if (t.chosen >= 0) j.label = labelOf(t.analyses[static_cast<std::size_t>(t.chosen)], kind, forms_[k]);
    out.push_back(std::move(j));
  }
}

}  // namespace varnelio
