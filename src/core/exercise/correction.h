// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Grading a student's grid against an exercise's key. Every candidate the key
// grades is right or wrong:
//   - a noun of the kind is right when kept with a consistent label of the key's
//     declension (exercise.h, readAnswer: the code and the leading number count,
//     the spacing and case of the rest do not); deleted it is "nom supprimé à
//     tort"; kept with anything else (another declension, another text, nothing)
//     it is a wrong analysis;
//   - a false candidate is right when deleted, or kept with a text that is no
//     label of the kind ("pronom, pas un nom"); kept with a label of the kind, or
//     empty, it is "faux candidat gardé".
// The mark is the share of graded candidates answered right, on 20, rounded to
// the nearest half point (a quarter goes up).
//
// Texts made here are UTF-8, for messages, tooltips and the command line.
#include <cstddef>
#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "core/analysis/candidate_grid.h"
#include "core/exercise/exercise.h"

namespace varnelio {

enum class Verdict : std::uint8_t {
  Right,
  WrongAnalysis,       // a noun kept without the key's label
  NounDeleted,         // a noun deleted
  FalseCandidateKept,  // a false candidate kept with a label, or empty
};

struct GradedCandidate {
  std::uint32_t candidate = 0;  // its place in the exercise's scan, from 0
  // Kept: the student's row (from 1). Deleted: the row it would take if it came
  // back (one more than the rows kept before it).
  std::uint32_t row = 0;
  bool kept = false;
  Verdict verdict = Verdict::Right;
  bool operator==(const GradedCandidate&) const = default;
};

struct Correction {
  std::size_t graded = 0;               // candidates the key grades
  std::size_t right = 0;
  std::size_t wrongAnalyses = 0;
  std::size_t nounsDeleted = 0;
  std::size_t falseCandidatesKept = 0;
  std::size_t unmatchedRows = 0;        // rows of the student's grid no candidate matches
  std::vector<GradedCandidate> candidates;  // every graded candidate, in scan order

  // The mark in half points (0 to 40), none when nothing is graded.
  std::optional<int> markInHalves() const;
};

// Grades the student's grid: a grid scanned from the exercise's text (the window),
// or the rows of an analysis file (decodeAnalysisFile), matched by sentence and
// form as forEachGridAnswer says. onGraded, when given, sees each graded
// candidate with what the grid holds of it (its text lives as long as the grid).
using GradedVisitor = std::function<void(const GradedCandidate& graded, const GridAnswer& answer)>;
Correction correct(const Exercise& exercise, const CandidateGrid& studentGrid, const GradedVisitor& onGraded = {});

// "14,5", "17": a mark in half points with a decimal comma.
std::string formatMark(int halves);

// « 17 analyses justes sur 20 ; 2 noms supprimés à tort ; 3 faux candidats gardés.
// Note : 14,5 / 20 », each count agreeing with its noun (0 and 1 singular).
std::string summaryLine(const Correction& correction);

// The key's answer for a candidate: the teacher's label (« 3 décl. acc. sg.
// [AC00C] »), « pas un accusatif singulier », or « non corrigé ».
std::string expectedAnswer(const Exercise& exercise, std::size_t candidate);
// « Attendu : » and the above: a row's tooltip.
std::string expectedAnswerTooltip(const Exercise& exercise, std::size_t candidate);
// What the student gave: the analysis, « (vide) », or « supprimé ».
std::string givenAnswer(const GridAnswer& answer);

// « 12 candidats n'ont pas de réponse et ne seront pas corrigés. Continuer ? »,
// asked before an exercise with candidates left empty is written.
std::string notGradedQuestion(std::size_t notGraded);

}  // namespace varnelio
