// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/analysis/edit_history.h"

#include "core/text/trim.h"

namespace varnelio {

void EditStep::writeAnalyses(CandidateGrid& grid, const std::vector<std::pair<std::size_t, std::string>>& analyses) {
  CellSwap swap;
  swap.cells.reserve(analyses.size());
  const std::size_t count = grid.candidateCount();
  for (const auto& [row, text] : analyses) {
    if (row < 1 || row > count || (!swap.cells.empty() && swap.cells.row(swap.cells.size() - 1) >= row)) continue;
    swap.cells.add(static_cast<std::uint32_t>(row), trimTrailingSpaces(text), true);
  }
  if (swap.cells.empty()) return;
  grid.swapAnalysisCells(swap.cells);
  operations_.emplace_back(std::move(swap));
}

void EditStep::deleteRows(CandidateGrid& grid, const std::vector<std::size_t>& rows) {
  Deletion deletion{grid.removeRows(rows), {}};
  if (deletion.removed.empty()) return;
  operations_.emplace_back(std::move(deletion));
}

void EditStep::restoreDeleted(CandidateGrid& grid, const std::vector<std::uint32_t>& places) {
  CandidateGrid::RemovedRows back = grid.deletedAt(places);
  if (back.empty()) return;
  operations_.emplace_back(Deletion{{}, grid.restoreRows(std::move(back)), true});
}

void EditStep::setProposals(CandidateGrid& grid,
                            const std::vector<std::pair<std::size_t, std::optional<Proposal>>>& proposals) {
  ProposalSwap swap;
  swap.cells.reserve(proposals.size());
  const std::size_t count = grid.candidateCount();
  for (const auto& [row, proposal] : proposals) {
    if (row < 1 || row > count || (!swap.cells.empty() && swap.cells.back().first >= row)) continue;
    swap.cells.emplace_back(static_cast<std::uint32_t>(row), proposal);
  }
  if (swap.cells.empty()) return;
  grid.swapProposals(swap.cells);
  operations_.emplace_back(std::move(swap));
}

// A swap of cells is its own inverse: undone and done again the same way. Whether
// op was one.
bool EditStep::swapAgain(CandidateGrid& grid, Operation& op) {
  if (auto* swap = std::get_if<CellSwap>(&op)) {
    grid.swapAnalysisCells(swap->cells);
    return true;
  }
  if (auto* proposals = std::get_if<ProposalSwap>(&op)) {
    grid.swapProposals(proposals->cells);
    return true;
  }
  return false;
}

void EditStep::undoOperation(CandidateGrid& grid, Operation& op) {
  if (swapAgain(grid, op)) return;
  auto& deletion = std::get<Deletion>(op);
  if (deletion.restoration) {
    deletion.removed = grid.removeRows(std::move(deletion.rows));
    deletion.rows = {};
    return;
  }
  deletion.rows = grid.restoreRows(std::move(deletion.removed));
}

void EditStep::redoOperation(CandidateGrid& grid, Operation& op) {
  if (swapAgain(grid, op)) return;
  auto& deletion = std::get<Deletion>(op);
  if (deletion.restoration) {
    deletion.rows = grid.restoreRows(std::move(deletion.removed));
    return;
  }
  deletion.removed = grid.removeRows(std::move(deletion.rows));
  deletion.rows = {};
}

void EditStep::undo(CandidateGrid& grid) {
  for (auto op = operations_.rbegin(); op != operations_.rend(); ++op) undoOperation(grid, *op);
}

void EditStep::redo(CandidateGrid& grid) {
  for (Operation& op : operations_) redoOperation(grid, op);
}

void EditHistory::push(EditStep step) {
  if (step.empty()) return;
  steps_.erase(steps_.begin() + static_cast<std::ptrdiff_t>(done_), steps_.end());
  // The saved state was among the steps just dropped: it cannot come back.
  if (saved_ > static_cast<std::ptrdiff_t>(done_)) saved_ = -1;
  steps_.push_back(std::move(step));
  ++done_;
  ++revision_;
}

const EditStep* EditHistory::undo(CandidateGrid& grid) {
  if (!canUndo()) return nullptr;
  EditStep& step = steps_[--done_];
  step.undo(grid);
  ++revision_;
  return &step;
}

const EditStep* EditHistory::redo(CandidateGrid& grid) {
  if (!canRedo()) return nullptr;
  EditStep& step = steps_[done_++];
  step.redo(grid);
  ++revision_;
  return &step;
}

}  // namespace varnelio
