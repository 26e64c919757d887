// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/exercise/exercise_session.h"

#include <algorithm>

namespace varnelio {

ExerciseSession::ExerciseSession(AnalysisSession& session, Exercise exercise, std::string exercisePath)
    : session_(session), exercise_(std::move(exercise)), exercisePath_(std::move(exercisePath)) {}

void ExerciseSession::start() {
  correction_.reset();
  session_.openScan(exercise_.text(), exercisePath_);
}

std::size_t ExerciseSession::openCopy(const CandidateGrid& rows, std::string copyPath) {
  CandidateGrid::Edits work;
  work.scanned = true;
  work.sourceCount = static_cast<std::uint32_t>(exercise_.candidateCount());
  std::uint32_t kept = 0;
  const std::size_t unmatched =
      forEachGridAnswer(exercise_, rows, [&](std::size_t candidate, const GridAnswer& answer) {
        if (!answer.kept) {
          work.deleted.push_back(static_cast<std::uint32_t>(candidate));
          return;
        }
        if (!answer.text.empty()) {
          // Read from a file, every analysis cell was validated: aligned left and top.
          work.analyses.emplace_back(kept, std::string(answer.text));
          work.aligned.push_back(kept);
        }
        ++kept;
      });
  if (unmatched > 0) return unmatched;
  correction_.reset();
  session_.openScan(exercise_.text(), exercisePath_, std::move(work), std::move(copyPath));
  return 0;
}

const Correction& ExerciseSession::correct(std::size_t selectedRow) {
  correction_ = varnelio::correct(exercise_, session_.grid());
  std::vector<std::uint32_t> deletedNouns;
  for (const GradedCandidate& g : correction_->candidates)
    if (g.verdict == Verdict::NounDeleted) deletedNouns.push_back(g.candidate);
  if (!deletedNouns.empty() && session_.grid().isScanned()) {
    EditStep step(EditKind::Restoration, selectedRow);
    session_.change(step, [&](EditStep& s, CandidateGrid& g) { s.restoreDeleted(g, deletedNouns); });
    step.setSelectedAfter(selectedRow);
    session_.commit(std::move(step));
  }
  return *correction_;
}

const GradedCandidate* ExerciseSession::gradedAt(std::size_t r) const {
  const CandidateGrid& grid = session_.grid();
  if (!correction_ || !grid.isScanned() || r < 1 || r > grid.candidateCount()) return nullptr;
  const std::uint32_t place = grid.placeOf(r);
  const auto& graded = correction_->candidates;
  const auto it = std::lower_bound(graded.begin(), graded.end(), place,
                                   [](const GradedCandidate& g, std::uint32_t p) { return g.candidate < p; });
  return it != graded.end() && it->candidate == place ? &*it : nullptr;
}

}  // namespace varnelio
