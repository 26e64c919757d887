// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// An exercise: a source text, an analysis kind and the teacher's answer for every
// candidate the scan of that text finds. The teacher makes one from a grid; each
// student works on a grid of the same scan, and correction.h grades it.
//
// Candidates are counted by their place in the scan of the whole text, from 0:
// the place a scanned grid gives its rows before any deletion. Texts held here
// (the text, the teacher's answers) are Windows-1252; what is made for messages
// (correction.h) is UTF-8.
#include <cstddef>
#include <cstdint>
#include <functional>
#include <string>
#include <string_view>
#include <vector>

#include "core/analysis/analysis_kind.h"
#include "core/analysis/candidate_grid.h"
#include "core/text/sentence_table.h"

namespace varnelio {

// What the key expects of one candidate.
enum class Expected : std::uint8_t {
  NotGraded,  // the teacher gave no answer: the candidate is not corrected
  NotOne,     // not a noun of the kind: to be deleted (or kept with a text that is no label)
  Noun,       // a noun of the kind, of the key's declension
};

// The answer key, one entry per candidate in scan order. About one byte a
// candidate, plus the teacher's texts.
class ExerciseKey {
 public:
  // Appends the next candidate's entry. A noun has a declension from 1 to 5; the
  // teacher's text (what the grid held, Windows-1252) is kept to show the expected
  // answer. It is empty when the candidate was deleted or left empty, and for a
  // noun labelled with the kind's own label ("3 décl. acc. sg. [AC00C]"), which
  // most are: a book's key then costs about a byte a candidate.
  void addNotGraded() { add(Expected::NotGraded, 0, {}); }
  void addNotOne(std::string_view teacherText) { add(Expected::NotOne, 0, teacherText); }
  void addNoun(int declension, std::string_view teacherText) { add(Expected::Noun, declension, teacherText); }

  std::size_t size() const { return codes_.size(); }
  Expected expected(std::size_t candidate) const;
  // 1 to 5 for a noun, 0 otherwise.
  int declension(std::size_t candidate) const;
  std::string_view teacherText(std::size_t candidate) const;
  // The candidates left without an answer, which will not be corrected.
  std::size_t notGradedCount() const;
  std::size_t gradedCount() const { return size() - notGradedCount(); }

  void reserve(std::size_t candidates) { codes_.reserve(candidates); }
  bool operator==(const ExerciseKey&) const = default;

 private:
  void add(Expected expected, int declension, std::string_view teacherText);
  // 0 not graded, 1 not one, 1 + d a noun of declension d.
  std::vector<std::uint8_t> codes_;
  // The teacher's texts, of the candidates that have one (ascending).
  std::vector<std::uint32_t> textCandidates_;
  std::vector<std::uint32_t> textEnds_;  // where each text ends in texts_
  std::string texts_;
};

class Exercise {
 public:
  Exercise() = default;
  // The exercise of a text cut into its sentences: the text is scanned once for
  // the kind; the key is empty until setKey.
  Exercise(SentenceTable text, KindId kind);

  const SentenceTable& sentences() const { return text_; }
  const std::string& text() const { return text_.text(); }
  KindId kindId() const { return kind_; }
  const AnalysisKind& kind() const { return analysisKind(kind_); }

  std::size_t candidateCount() const { return static_cast<std::size_t>(firstCandidate_.back()); }
  // The candidates before sentence n + 1 (n from 0 to N): sentence n holds
  // firstCandidate()[n] - firstCandidate()[n - 1] of them.
  const std::vector<std::uint64_t>& firstCandidate() const { return firstCandidate_; }
  // The sentence number (from 1) and the form of a candidate (from 0); the form is
  // a view of the text, found again in its sentence.
  std::int64_t sentenceOf(std::size_t candidate) const;
  std::string_view formOf(std::size_t candidate) const;

  // The full scan of the text into a grid, which shares the text: what a student
  // works on.
  void scanInto(CandidateGrid& grid) const;

  const ExerciseKey& key() const { return key_; }
  // False, with the key unchanged, when the key does not have one entry per candidate.
  bool setKey(ExerciseKey key);

 private:
  SentenceTable text_;
  KindId kind_ = KindId::NomSg;
  std::vector<std::uint64_t> firstCandidate_{0};
  ExerciseKey key_;
};

// What a text in the analysis column says, for a kind. A label holds the kind's
// analysis code ("[AC00C]": A, the declension letter A to E, 00, the kind's
// case-number letter; letters in either case). Its declension is the first code's;
// the label is consistent when every code of the kind it holds gives that
// declension and its leading number, when there is one ("3 décl."), is that
// declension too. Anything else that is not blank is another text.
struct AnswerReading {
  enum class Shape : std::uint8_t { Empty, Label, OtherText };
  Shape shape = Shape::Empty;
  int declension = 0;       // 1 to 5 for a label
  bool consistent = false;  // for a label
  bool operator==(const AnswerReading&) const = default;
};
AnswerReading readAnswer(std::string_view analysis, const AnalysisKind& kind);

// A candidate as a grid holds it.
struct GridAnswer {
  bool kept = false;        // false: deleted, or missing from the grid
  std::uint32_t row = 0;    // kept: its row (from 1); deleted: the row it would take back
  std::string_view text;    // kept: its analysis (Windows-1252)
};

// Visits every candidate of the exercise, in order, with what the grid holds of
// it. A grid scanned from the exercise's text is read by the candidates' places;
// other rows (an analysis file) are matched to the candidates by sentence number
// and form, in order, a candidate no row matches counting as deleted. Returns
// the rows that match no candidate (a file of another text, or edited by hand).
using GridAnswerVisitor = std::function<void(std::size_t candidate, const GridAnswer& answer)>;
std::size_t forEachGridAnswer(const Exercise& exercise, const CandidateGrid& grid, const GridAnswerVisitor& visit);

// The key a teacher's grid gives: a candidate validated with a label is a noun of
// that declension; one deleted, or validated with another text, is not one; one
// left empty is not graded. unmatchedRows, when given, receives the rows that
// match no candidate.
ExerciseKey keyFromGrid(const Exercise& exercise, const CandidateGrid& grid, std::size_t* unmatchedRows = nullptr);

}  // namespace varnelio
