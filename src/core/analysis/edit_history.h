// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The edits of an analysis window as steps that can be taken back and done again:
// a validation, a deletion, a whole pre-analysis (its labels and its deletions
// together). A step keeps only what it changed (the cells it wrote, the rows it
// took away), never a copy of the grid, so that taking back the deletion of
// millions of candidates costs what the deletion cost.
#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <utility>
#include <variant>
#include <vector>

#include "core/analysis/candidate_grid.h"

namespace varnelio {

enum class EditKind { Validation, Deletion, PreAnalysis, AcceptProposals, Restoration };

// One step: its operations are done on the grid as they are added, in order;
// taking the step back undoes them in the reverse order.
class EditStep {
 public:
  EditStep(EditKind kind, std::size_t selectedRow) : kind_(kind), selectedBefore_(selectedRow) {}

  EditKind kind() const { return kind_; }
  // The selected row before the step and after it (0: none).
  std::size_t selectedBefore() const { return selectedBefore_; }
  std::size_t selectedAfter() const { return selectedAfter_; }
  void setSelectedAfter(std::size_t row) { selectedAfter_ = row; }
  bool empty() const { return operations_.empty(); }

  // Writes each analysis (trailing spaces removed) into its row, marked aligned
  // left and top, as validating it would. Rows ascending, each at most once.
  void writeAnalyses(CandidateGrid& grid, const std::vector<std::pair<std::size_t, std::string>>& analyses);
  // Deletes the rows (ascending, from 1), renumbering those after them.
  void deleteRows(CandidateGrid& grid, const std::vector<std::size_t>& rows);
  // Brings back, empty, the deleted candidates at these places of the source
  // (ascending, from 0).
  void restoreDeleted(CandidateGrid& grid, const std::vector<std::uint32_t>& places);
  // Sets the proposals of the rows (ascending, from 1, each at most once; none
  // removes a row's proposal).
  void setProposals(CandidateGrid& grid, const std::vector<std::pair<std::size_t, std::optional<Proposal>>>& proposals);

  void undo(CandidateGrid& grid);
  void redo(CandidateGrid& grid);

 private:
  // Cells exchanged with the grid's: what the grid does not hold now.
  struct CellSwap {
    PackedCells cells;
  };
  // Proposals exchanged with the grid's.
  struct ProposalSwap {
    std::vector<std::pair<std::uint32_t, std::optional<Proposal>>> cells;
  };
  // Rows deleted: while the deletion holds, what went with them (the rows among it);
  // once taken back, only the rows. A restoration is a deletion the other way round.
  struct Deletion {
    CandidateGrid::RemovedRows removed;
    std::vector<std::uint32_t> rows;
    bool restoration = false;
  };
  using Operation = std::variant<CellSwap, ProposalSwap, Deletion>;
  static bool swapAgain(CandidateGrid& grid, Operation& op);
  static void undoOperation(CandidateGrid& grid, Operation& op);
  static void redoOperation(CandidateGrid& grid, Operation& op);

  EditKind kind_;
  std::size_t selectedBefore_;
  std::size_t selectedAfter_ = 0;
  std::vector<Operation> operations_;
};

class EditHistory {
 public:
  // Keeps a step that has been done; the steps taken back can no longer be redone.
  void push(EditStep step);

  bool canUndo() const { return done_ > 0; }
  bool canRedo() const { return done_ < steps_.size(); }
  // The step undo would take back, or redo would do again.
  const EditStep* nextUndo() const { return canUndo() ? &steps_[done_ - 1] : nullptr; }
  const EditStep* nextRedo() const { return canRedo() ? &steps_[done_] : nullptr; }
  // Takes back the last step done / does again the last step taken back; returns it.
  const EditStep* undo(CandidateGrid& grid);
  const EditStep* redo(CandidateGrid& grid);

  // The grid is as it was saved or opened.
  void markSaved() {
    saved_ = static_cast<std::ptrdiff_t>(done_);
    ++revision_;
  }
  // The grid differs from every file, whatever is done or taken back (a grid
  // recovered after a crash).
  void markUnsaved() {
    saved_ = -1;
    ++revision_;
  }
  bool modified() const { return saved_ != static_cast<std::ptrdiff_t>(done_); }
  // Counts every push, undo and redo: what a copy of the grid was made at.
  std::uint64_t revision() const { return revision_; }

 private:
  std::vector<EditStep> steps_;
  std::size_t done_ = 0;      // steps_[0, done_) are done, the rest taken back
  std::ptrdiff_t saved_ = 0;  // done_ when saved; -1 once that state cannot come back
  std::uint64_t revision_ = 0;
};

}  // namespace varnelio
