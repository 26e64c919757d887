// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The pre-analysis: for each candidate of a kind, the probability that it is a
// noun of the kind's case and number, its level (sûr, probable, douteux, faux),
// and, when sûr or probable, with which declension, hence its label
// ("3 décl. acc. sg. [AC00C]"). The analyser gives every reading of each word of
// the sentence, the contextual tagger weighs them, and the judge (juge.dat)
// gives the probability from them and the sentence around.
#include <functional>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

#include "core/analysis/analysis_kind.h"
#include "core/analysis/candidate_grid.h"
#include "core/text/sentence_table.h"
#include "core/morphology/contextual_tagger.h"
#include "core/morphology/latin_analyser.h"
#include "core/morphology/noun_judge.h"

namespace varnelio {

// One candidate of a sentence, in text order: its form (a view into the
// sentence), the probability that it is a noun of the kind, its level, and the
// proposed label when the level is "sûr" or "probable" (else empty).
struct CandidateJudgement {
  std::string_view form;
  std::string label;
  int declension = 0;  // of the label, 0 when none is proposed
  double probability = 0;
  JudgementLevel level = JudgementLevel::Doubtful;
};

class PreAnalyser {
 public:
  // All three must be loaded and built together, the tagger bound to the
  // analyser (judge.fitWith(analyser, tagger) == JudgeFit::Fits); they must
  // outlive the pre-analyser.
  PreAnalyser(const LatinAnalyser& analyser, const ContextualTagger& tagger, const NounJudge& judge);

  // The judgements of the candidates of the kind in one sentence (as the scan
  // cuts it, ending with "."), in the order the scan finds them. `out` is cleared.
  void judgeSentence(std::string_view sentence, const AnalysisKind& kind, std::vector<CandidateJudgement>& out);

 private:
  // The declension of the likeliest noun reading of the kind, from the lexicon
  // (or the ending for the nouns it gives none), or 0 when there is none.
  int declensionAsKind(const TaggedWord& word, const AnalysisKind& kind, std::string_view form) const;

  const LatinAnalyser& analyser_;
  const ContextualTagger& tagger_;
  const NounJudge& judge_;
  JudgeFeatureReader features_;
  std::vector<JudgeFeature> wordFeatures_;
  std::vector<TaggedWord> words_;  // reused from sentence to sentence
  std::vector<std::string_view> forms_;
  std::vector<Analysis> stripped_;
  // The analyses of the words met lately: a text uses its common words again and
  // again, and the analyser is the costliest step. Emptied when it grows large.
  struct WordFacts {
    std::vector<Analysis> analyses;
    bool enclitic = false;
  };
  std::unordered_map<std::string, WordFacts> recent_;
  const WordFacts& factsOf(std::string_view word);

  // cutWords fills forms_ and the first words_ and tells whether a word is a
  // candidate of the kind; analyseWords then sizes words_ to the sentence.
  bool cutWords(std::string_view sentence, const AnalysisKind& kind);
  void analyseWords();
  CandidateJudgement judgeWord(const SentenceFeatures& features, std::size_t k, const AnalysisKind& kind);
};

// The judgement of one row of a grid: found when its form is a candidate of its
// sentence in the text (a reopened file may not match the text), and then the
// declension of its label, 0 when none is proposed, its level and probability.
// Eight bytes a row: a whole library's grid is judged at once.
struct RowJudgement {
  bool found = false;
  std::uint8_t declension = 0;  // of the proposed label, 0 when none
  JudgementLevel level = JudgementLevel::Doubtful;
  float probability = 0;  // that it is a noun of the kind
  // The proposed label, or "" when none is proposed.
  std::string label(const AnalysisKind& kind) const;
};

// Judges every row of the grid, in order, against the sentences of the text: the
// rows of one sentence are its candidates in text order, some perhaps deleted.
// progress(done, total) is called now and then; when it returns false the work
// stops and the function returns false.
bool judgeRows(PreAnalyser& judge, const SentenceTable& sentences, const CandidateGrid& grid,
               const AnalysisKind& kind, std::vector<RowJudgement>& out,
               const std::function<bool(std::size_t done, std::size_t total)>& progress);

// How many rows of each level a pre-analysis gave: what the window's status line
// tells once it is done.
struct LevelCounts {
  std::size_t sure = 0, probable = 0, doubtful = 0, falseCandidates = 0;
  void add(JudgementLevel level);
  bool operator==(const LevelCounts&) const = default;
};
// The rows found in the text, each counted under its level.
LevelCounts countLevels(const std::vector<RowJudgement>& rows);
// "Pré-analyse : 312 sûres, 540 probables, 1 583 douteuses, 4 107 supprimées"
// (UTF-8, thousands apart as French writes them): the "faux" are the rows the
// pre-analysis deletes, or "fausses gardées" when the user kept them.
std::string levelSummary(const LevelCounts& counts, bool falseDeleted = true);

// How the pre-analysis (and the judge's training, which must read words as it
// does) marks a word for the tagger: whether the gap before it opens a clause (a
// ";", ":", "?" or "!", as a sentence's start does), and whether "-que" is joined
// to it (every reading of "rosamque" is one of "rosam", while "atque", "quisque"
// and "itaque" are words in themselves). `scratch` is reused.
bool opensClause(std::string_view gap);
bool hasEncliticQue(const LatinAnalyser& analyser, std::string_view word, const std::vector<Analysis>& analyses,
                    std::vector<Analysis>& scratch);

// The judgements of every row of a grid, two bytes a row: its confidence (the
// probability in hundredths) and one byte for whether it was found, its level and
// the declension of its label. A library's grid of millions of rows is judged
// sentence by sentence with nothing more kept.
class RowJudgements {
 public:
  std::size_t size() const { return confidence_.size(); }
  // Row r of the grid, counted from 1.
  bool found(std::size_t r) const { return facts_[r - 1] & kFound; }
  JudgementLevel level(std::size_t r) const { return static_cast<JudgementLevel>(facts_[r - 1] & kLevelMask); }
  int declension(std::size_t r) const { return facts_[r - 1] >> kDeclensionShift; }
  // 0 to 100: the probability that it is a noun of the kind, rounded.
  std::uint8_t confidence(std::size_t r) const { return confidence_[r - 1]; }
  double probability(std::size_t r) const { return confidence_[r - 1] / 100.0; }
  // The proposed label, or "" when none is proposed.
  std::string label(std::size_t r, const AnalysisKind& kind) const;
  // The row as the wide record (probability to the hundredth).
  RowJudgement row(std::size_t r) const;

  void assign(std::size_t rows);
  void set(std::size_t r, const CandidateJudgement& judged);

 private:
  static constexpr std::uint8_t kLevelMask = 0x03;
  static constexpr std::uint8_t kFound = 0x04;
  static constexpr int kDeclensionShift = 3;
  std::vector<std::uint8_t> confidence_;
  std::vector<std::uint8_t> facts_;
};

// judgeRows into the two bytes a row. The rows of each sentence are judged when
// its first row comes, and only that sentence's judgements are held meanwhile.
bool judgeRows(PreAnalyser& judge, const SentenceTable& sentences, const CandidateGrid& grid,
               const AnalysisKind& kind, RowJudgements& out,
               const std::function<bool(std::size_t done, std::size_t total)>& progress);

// The declension (1 to 5) of a noun's category ("n. 3", "npr. 2"), or 0.
int declensionOfCategory(std::string_view category);
// The declension a form's ending suggests, for the nouns the lexicon gives no
// declension (the indeclinable and Hebrew names: "Abraham", "Iesum").
int declensionOfEnding(std::string_view form);

}  // namespace varnelio
