// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// An analysis session in exercise mode: the student works on the full scan of the
// exercise's text with the same grid and edits as any analysis, and a correction
// grades the grid against the key. The analysis session's source is the exercise
// file itself (its text lives there), so a recovery copy names the exercise; the
// student's work saves as an ordinary analysis file.
#include <cstddef>
#include <optional>
#include <string>

#include "core/analysis/analysis_session.h"
#include "core/exercise/correction.h"
#include "core/exercise/exercise.h"

namespace varnelio {

class ExerciseSession {
 public:
  ExerciseSession(AnalysisSession& session, Exercise exercise, std::string exercisePath);

  const Exercise& exercise() const { return exercise_; }
  // UTF-8, as the user named it.
  const std::string& exercisePath() const { return exercisePath_; }
  AnalysisSession& analysis() { return session_; }

  // The student starts: the full scan of the exercise's text, the rows the teacher
  // deleted included, since telling them apart is the exercise.
  void start();
  // A student's analysis file (its rows as read) shown on the scan, which is what the
  // window saves back to copyPath: its rows are matched to the candidates, a candidate
  // no row matches counting as deleted. Returns the rows that match no candidate; the
  // session is opened only when there is none, since saving would lose them.
  std::size_t openCopy(const CandidateGrid& rows, std::string copyPath);

  // Grades the grid as it is now and brings back, as one step that can be taken back,
  // the nouns the student deleted, so that they can be seen. selectedRow is the row
  // selected before (for undo).
  const Correction& correct(std::size_t selectedRow);
  const std::optional<Correction>& lastCorrection() const { return correction_; }
  // What the last correction said of the candidate shown in row r (from 1) of the
  // grid as it is now; none when it was not graded, or nothing was corrected yet.
  const GradedCandidate* gradedAt(std::size_t r) const;

 private:
  AnalysisSession& session_;
  Exercise exercise_;
  std::string exercisePath_;
  std::optional<Correction> correction_;
};

}  // namespace varnelio
