// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/morphology/pre_analysis.h"

#include <algorithm>
#include <cmath>

#include "core/morphology/latin_spelling.h"
#include "core/text/cp1252.h"
#include "core/text/french_count.h"
#include "core/text/text_words.h"

namespace varnelio {

namespace {

// "-que" joined to a word is a word of its own for the tagger ("rosamque": "rosam"
// and "que"), but "atque", "quisque" and "itaque" are words in themselves.
bool endsWithQue(std::string_view w) { return w.size() >= 5 && cp1252::equalsIgnoringCase(w.substr(w.size() - 3), "que"); }

}  // namespace

bool opensClause(std::string_view gap) { return gap.find_first_of(";:?!") != std::string_view::npos; }

bool hasEncliticQue(const LatinAnalyser& analyser, std::string_view word, const std::vector<Analysis>& analyses,
                    std::vector<Analysis>& scratch) {
  if (!endsWithQue(word) || analyses.empty()) return false;
  analyser.analyse(word.substr(0, word.size() - 3), scratch);
  return !scratch.empty() && std::all_of(analyses.begin(), analyses.end(), [&](const Analysis& a) {
    return std::find(scratch.begin(), scratch.end(), a) != scratch.end();
  });
}

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

PreAnalyser::PreAnalyser(const LatinAnalyser& analyser, const ContextualTagger& tagger, const NounJudge& judge)
    : analyser_(analyser), tagger_(tagger), judge_(judge), features_(analyser) {}

int PreAnalyser::declensionAsKind(const TaggedWord& t, const AnalysisKind& kind, std::string_view form) const {
  int declension = 0;
  double best = -1;
  bool any = false;
  for (std::size_t i = 0; i < t.analyses.size(); ++i) {
    const Analysis& a = t.analyses[i];
    if (a.lemma == Analysis::kRomanNumeral || a.lemma >= analyser_.lemmaCount()) continue;
    if (analyser_.partOfSpeech(a.lemma) != PartOfSpeech::Noun) continue;
    if (kindOf(analyser_.caseOf(a), analyser_.numberOf(a)) != kind.id) continue;
    const double p = i < t.posterior.size() ? t.posterior[i] : 0.0;
    any = true;
    if (p > best) {
      best = p;
      declension = declensionOfCategory(analyser_.category(a.lemma));
    }
  }
  // A word the analyser does not read as such a noun (an unknown name): its ending.
  return any && declension != 0 ? declension : declensionOfEnding(form);
}

const PreAnalyser::WordFacts& PreAnalyser::factsOf(std::string_view word) {
  constexpr std::size_t kMostWords = 50000;
  std::string key(word);
  if (const auto found = recent_.find(key); found != recent_.end()) return found->second;
  if (recent_.size() >= kMostWords) recent_.clear();
  WordFacts facts;
  analyser_.analyse(word, facts.analyses);
  facts.enclitic = hasEncliticQue(analyser_, word, facts.analyses, stripped_);
  return recent_.emplace(std::move(key), std::move(facts)).first->second;
}

void PreAnalyser::judgeSentence(std::string_view sentence, const AnalysisKind& kind,
                                std::vector<CandidateJudgement>& out) {
  out.clear();
  // Nothing to tag where the scan finds no candidate.
  if (!cutWords(sentence, kind)) return;
  analyseWords();
  tagger_.tag(analyser_, words_);
  const SentenceFeatures& features = features_.read(forms_, words_);
  for (std::size_t k = 0; k < forms_.size(); ++k)
    if (isCandidate(forms_[k], kind)) out.push_back(judgeWord(features, k, kind));
}

bool PreAnalyser::cutWords(std::string_view sentence, const AnalysisKind& kind) {
  bool any = false;
  forms_.clear();
  forEachWord(sentence, [&](std::string_view w, std::string_view gap) {
    if (forms_.size() == words_.size()) words_.emplace_back();
    TaggedWord& t = words_[forms_.size()];
    t.clauseStart = opensClause(gap);
    t.enclitic = false;
    forms_.push_back(w);
    any = any || isCandidate(w, kind);
  });
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

CandidateJudgement PreAnalyser::judgeWord(const SentenceFeatures& features, std::size_t k, const AnalysisKind& kind) {
  CandidateJudgement j{forms_[k], {}, 0, 0.0, JudgementLevel::Doubtful};
  features.of(k, wordFeatures_);
  j.probability = judge_.model().probabilities(wordFeatures_)[static_cast<std::size_t>(judgeClassOf(kind.id))];
  j.level = levelOf(j.probability, judge_.thresholds(kind));
  // The judge weighs; the analyser knows. A word whose every reading is of another
  // case or number is no candidate, however its context reads.
  if (!features.mayBeOfKind(k, kind.id)) j.level = JudgementLevel::False;
  if (j.level == JudgementLevel::Sure || j.level == JudgementLevel::Probable) {
    j.declension = declensionAsKind(words_[k], kind, forms_[k]);
    j.label = analysisLabel(kind, j.declension);
  }
  return j;
}

namespace {

// The one pass over the rows: each row's sentence judged once, when its first row
// comes, and each row matched to the next judgement of its form there.
bool forEachJudgedRow(PreAnalyser& judge, const SentenceTable& sentences, const CandidateGrid& grid,
                      const AnalysisKind& kind,
                      const std::function<bool(std::size_t done, std::size_t total)>& progress,
                      const std::function<void(std::size_t r, const CandidateJudgement& judged)>& found) {
  const std::size_t total = grid.candidateCount();
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
    ++r;
    if (sentence != lastSentence) {
      lastSentence.assign(sentence);
      judged.clear();
      next = 0;
      if (const auto n = parseSentenceNumber(sentence))
        if (const auto text = sentences.sentence(*n)) judge.judgeSentence(*text, kind, judged);
    }
    for (std::size_t k = next; k < judged.size(); ++k)
      if (judged[k].form == form) {
        found(r, judged[k]);
        next = k + 1;
        break;
      }
  });
  if (going && progress) going = progress(total, total);
  return going;
}

}  // namespace

bool judgeRows(PreAnalyser& judge, const SentenceTable& sentences, const CandidateGrid& grid,
               const AnalysisKind& kind, std::vector<RowJudgement>& out,
               const std::function<bool(std::size_t done, std::size_t total)>& progress) {
  out.assign(grid.candidateCount(), RowJudgement{});
  return forEachJudgedRow(judge, sentences, grid, kind, progress, [&](std::size_t r, const CandidateJudgement& j) {
    RowJudgement& row = out[r - 1];
    row.found = true;
    row.declension = static_cast<std::uint8_t>(j.declension);
    row.level = j.level;
    row.probability = static_cast<float>(j.probability);
  });
}

bool judgeRows(PreAnalyser& judge, const SentenceTable& sentences, const CandidateGrid& grid,
               const AnalysisKind& kind, RowJudgements& out,
               const std::function<bool(std::size_t done, std::size_t total)>& progress) {
  out.assign(grid.candidateCount());
  return forEachJudgedRow(judge, sentences, grid, kind, progress,
                          [&](std::size_t r, const CandidateJudgement& j) { out.set(r, j); });
}

void RowJudgements::assign(std::size_t rows) {
  // Sized exactly, and given back whole when smaller than before.
  confidence_ = std::vector<std::uint8_t>(rows, 0);
  facts_ = std::vector<std::uint8_t>(rows, static_cast<std::uint8_t>(JudgementLevel::Doubtful));
}

void RowJudgements::set(std::size_t r, const CandidateJudgement& judged) {
  confidence_[r - 1] = static_cast<std::uint8_t>(std::lround(std::clamp(judged.probability, 0.0, 1.0) * 100));
  const int declension = judged.declension >= 0 && judged.declension <= 5 ? judged.declension : 0;
  facts_[r - 1] = static_cast<std::uint8_t>((static_cast<int>(judged.level) & kLevelMask) | kFound |
                                            (declension << kDeclensionShift));
}

std::string RowJudgements::label(std::size_t r, const AnalysisKind& kind) const {
  return declension(r) == 0 ? std::string() : analysisLabel(kind, declension(r));
}

RowJudgement RowJudgements::row(std::size_t r) const {
  RowJudgement j;
  j.found = found(r);
  j.declension = static_cast<std::uint8_t>(declension(r));
  j.level = level(r);
  j.probability = static_cast<float>(probability(r));
  return j;
}

void LevelCounts::add(JudgementLevel level) {
  switch (level) {
    case JudgementLevel::Sure: ++sure; break;
    case JudgementLevel::Probable: ++probable; break;
    case JudgementLevel::Doubtful: ++doubtful; break;
    case JudgementLevel::False: ++falseCandidates; break;
  }
}

LevelCounts countLevels(const std::vector<RowJudgement>& rows) {
  LevelCounts counts;
  for (const RowJudgement& row : rows)
    if (row.found) counts.add(row.level);
  return counts;
}

std::string levelSummary(const LevelCounts& counts, bool falseDeleted) {
  // French puts 0 and 1 in the singular.
  const auto part = [](std::size_t n, std::string_view word) {
    return frenchCount(n) + " " + std::string(word) + (n > 1 ? "s" : "");
  };
  return "Pr\xC3\xA9-analyse : " + part(counts.sure, "s\xC3\xBBre") + ", " + part(counts.probable, "probable") + ", " +
         part(counts.doubtful, "douteuse") + ", " +
         (falseDeleted ? part(counts.falseCandidates, "supprim\xC3\xA9" "e")
                       : part(counts.falseCandidates, "fausse") + (counts.falseCandidates > 1 ? " gard\xC3\xA9" "es"
                                                                                             : " gard\xC3\xA9" "e"));
}

std::string RowJudgement::label(const AnalysisKind& kind) const {
  return declension == 0 ? std::string() : analysisLabel(kind, declension);
}

}  // namespace varnelio
