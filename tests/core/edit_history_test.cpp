// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/analysis/edit_history.h"

#include <gtest/gtest.h>

#include <random>

#include "core/analysis/analysis_kind.h"
#include "core/analysis/candidate_scan.h"

namespace varnelio {
namespace {

// Every cell of every row, the alignment mark and the proposal with them.
std::vector<std::string> rowsOf(const CandidateGrid& grid) {
  std::vector<std::string> out;
  for (std::size_t r = 1; r <= grid.candidateCount(); ++r) {
    const CandidateRow row = grid.row(r);
    std::string line = std::to_string(row.number) + '|' + row.sentence + '|' + row.form + '|' + row.analysis + '|' +
                       (row.analysisAlignedTopLeft ? "mark" : "");
    if (const Proposal* p = grid.proposal(r))
      line += "|proposal " + std::to_string(p->declension) + ' ' + std::to_string(static_cast<int>(p->level)) + ' ' +
              std::to_string(p->confidence);
    out.push_back(line);
  }
  return out;
}

// A scanned grid, which keeps no row of its own, and a grid of rows read as texts
// with numbers that do not follow the rows, as an analysis file may hold them.
struct Grids {
  std::string text;
  CandidateGrid scanned;
  CandidateGrid texts;
};

Grids makeGrids() {
  Grids g;
  std::string& text = g.text;
  for (int s = 0; s < 40; ++s)
    text += "Puella rosam amat et dominam videt" + std::string(s % 3, '.') + " servum" + std::to_string(s) +
            " portam templum.";
  cutAndScan(text, analysisKind(KindId::AccSg), g.scanned);
  for (int i = 1; i <= 60; ++i)
    g.texts.appendRow(CandidateRow(i * 3 - 40, std::to_string(i), "forma" + std::to_string(i),
                                   i % 4 ? std::string() : "analysis " + std::to_string(i), i % 4 == 0));
  return g;
}

TEST(EditHistory, EachStepTakenBackAndDoneAgainGivesTheGridExactly) {
  Grids grids = makeGrids();
  for (CandidateGrid* grid : {&grids.scanned, &grids.texts}) {
    SCOPED_TRACE(grid->isScanned() ? "scanned" : "texts");
    ASSERT_GT(grid->candidateCount(), 50u);
    EditHistory history;
    std::vector<std::vector<std::string>> states{rowsOf(*grid)};
    const auto step = [&](EditKind kind, auto&& edit) {
      EditStep s(kind, 1);
      edit(s);
      history.push(std::move(s));
      states.push_back(rowsOf(*grid));
    };
    step(EditKind::Validation, [&](EditStep& s) { s.writeAnalyses(*grid, {{5, "1 d\xE9" "cl.  "}}); });
    step(EditKind::Validation, [&](EditStep& s) { s.writeAnalyses(*grid, {{5, ""}}); });
    step(EditKind::Deletion, [&](EditStep& s) { s.deleteRows(*grid, {1}); });
    step(EditKind::Deletion, [&](EditStep& s) { s.deleteRows(*grid, {grid->candidateCount()}); });
    step(EditKind::PreAnalysis, [&](EditStep& s) {
      s.writeAnalyses(*grid, {{2, "a"}, {3, "b"}, {8, "c"}, {grid->candidateCount(), "z"}});
      s.setProposals(*grid, {{7, Proposal{2, ProposalLevel::Sure, 97}},
                             {10, Proposal{3, ProposalLevel::Probable, 61}},
                             {grid->candidateCount(), Proposal{1, ProposalLevel::Probable, 55}}});
      s.deleteRows(*grid, {1, 4, 5, 6, 9, 20, 21, grid->candidateCount() - 1});
    });
    step(EditKind::AcceptProposals, [&](EditStep& s) {
      s.writeAnalyses(*grid, {{3, "accepted"}});
      s.setProposals(*grid, {{3, std::nullopt}, {4, Proposal{5, ProposalLevel::Sure, 100}}});
    });
    ASSERT_EQ(states.size(), 7u);
    EXPECT_NE(states[4], states[5]);
    EXPECT_NE(states[5], states[6]);
    for (std::size_t i = states.size() - 1; i > 0; --i) {
      ASSERT_TRUE(history.undo(*grid));
      EXPECT_EQ(rowsOf(*grid), states[i - 1]) << "undo to state " << i - 1;
    }
    EXPECT_FALSE(history.undo(*grid));
    for (std::size_t i = 1; i < states.size(); ++i) {
      ASSERT_TRUE(history.redo(*grid));
      EXPECT_EQ(rowsOf(*grid), states[i]) << "redo to state " << i;
    }
    EXPECT_FALSE(history.redo(*grid));
  }
}

// Random edits and random undos and redos, checked at every move against the states
// recorded as the steps were done.
TEST(EditHistory, RandomEditsUndosAndRedosAgreeWithTheStatesRecorded) {
  Grids grids = makeGrids();
  std::mt19937 random(7);
  for (CandidateGrid* grid : {&grids.scanned, &grids.texts}) {
    EditHistory history;
    std::vector<std::vector<std::string>> states{rowsOf(*grid)};
    std::size_t at = 0;
    for (int move = 0; move < 400; ++move) {
      const std::size_t count = grid->candidateCount();
      const int what = static_cast<int>(random() % 6);
      if (what == 0 && history.canUndo()) {
        history.undo(*grid);
        --at;
      } else if (what == 1 && history.canRedo()) {
        history.redo(*grid);
        ++at;
      } else if (count > 0) {
        EditStep step(EditKind::PreAnalysis, 1);
        std::vector<std::pair<std::size_t, std::string>> labels;
        for (std::size_t r = 1; r <= count; ++r)
          if (random() % 5 == 0) labels.emplace_back(r, random() % 3 ? "label" + std::to_string(move) : "");
        step.writeAnalyses(*grid, labels);
        std::vector<std::pair<std::size_t, std::optional<Proposal>>> proposals;
        for (std::size_t r = 1; r <= count; ++r)
          if (random() % 4 == 0)
            proposals.emplace_back(r, random() % 3 ? std::optional(Proposal{static_cast<std::uint8_t>(1 + r % 5),
                                                                            ProposalLevel::Sure,
                                                                            static_cast<std::uint8_t>(random() % 101)})
                                                   : std::nullopt);
        step.setProposals(*grid, proposals);
        std::vector<std::size_t> rows;
        for (std::size_t r = 1; r <= grid->candidateCount(); ++r)
          if (random() % (what == 2 ? 3 : 15) == 0) rows.push_back(r);
        step.deleteRows(*grid, rows);
        if (step.empty()) continue;
        history.push(std::move(step));
        states.resize(++at);
        states.push_back(rowsOf(*grid));
        if (grid->candidateCount() < 10) {  // start again from the full grid
          while (history.canUndo()) history.undo(*grid);
          at = 0;
        }
      }
      ASSERT_EQ(rowsOf(*grid), states[at]) << "move " << move;
    }
  }
}

TEST(EditHistory, KnowsWhetherTheGridDiffersFromTheOneSaved) {
  CandidateGrid grid = makeGrids().texts;
  EditHistory history;
  EXPECT_FALSE(history.modified());
  const auto validate = [&](const char* text) {
    EditStep step(EditKind::Validation, 1);
    step.writeAnalyses(grid, {{1, text}});
    history.push(std::move(step));
  };
  validate("a");
  EXPECT_TRUE(history.modified());
  history.undo(grid);
  EXPECT_FALSE(history.modified());  // back as opened
  history.redo(grid);
  history.markSaved();
  EXPECT_FALSE(history.modified());
  validate("b");
  history.undo(grid);
  EXPECT_FALSE(history.modified());
  history.undo(grid);
  validate("c");  // the saved state can no longer come back
  EXPECT_TRUE(history.modified());
  history.undo(grid);
  EXPECT_TRUE(history.modified());
  const std::uint64_t revision = history.revision();
  history.redo(grid);
  EXPECT_GT(history.revision(), revision);
}

TEST(EditHistory, AStepThatChangedNothingIsNotKept) {
  CandidateGrid grid = makeGrids().texts;
  EditHistory history;
  EditStep step(EditKind::Deletion, 1);
  step.deleteRows(grid, {0, grid.candidateCount() + 1});
  step.writeAnalyses(grid, {{grid.candidateCount() + 1, "x"}});
  EXPECT_TRUE(step.empty());
  history.push(std::move(step));
  EXPECT_FALSE(history.canUndo());
}

TEST(CandidateGridEdits, AppliedToAFreshScanGiveTheGridBackAndRefuseWhatDoesNotFit) {
  Grids grids = makeGrids();
  CandidateGrid& grid = grids.scanned;
  grid.validate(3, "x");
  grid.deleteRows({1, 2, 7});
  grid.validate(grid.candidateCount(), "dernier");
  std::vector<std::pair<std::uint32_t, std::optional<Proposal>>> proposals{{4, Proposal{2, ProposalLevel::Sure, 90}}};
  grid.swapProposals(proposals);
  const std::string& text = grids.text;
  CandidateGrid fresh;
  cutAndScan(text, analysisKind(KindId::AccSg), fresh);
  ASSERT_TRUE(fresh.applyEdits(grid.edits()));
  EXPECT_EQ(rowsOf(fresh), rowsOf(grid));

  CandidateGrid other;
  cutAndScan(text + " Rosam vidi.", analysisKind(KindId::AccSg), other);
  const auto before = rowsOf(other);
  EXPECT_FALSE(other.applyEdits(grid.edits()));  // another text: not its candidates
  EXPECT_EQ(rowsOf(other), before);
  CandidateGrid::Edits broken = grid.edits();
  broken.analyses.emplace_back(100000, "beyond");
  EXPECT_FALSE(fresh.applyEdits(broken));

  CandidateGrid texts;
  ASSERT_TRUE(texts.applyEdits(grids.texts.edits()));
  EXPECT_EQ(rowsOf(texts), rowsOf(grids.texts));
}

}  // namespace
}  // namespace varnelio

namespace varnelio {
namespace {

// Deleted candidates brought back come back empty at their places, between the
// rows kept, whose analyses follow them; taking the step back deletes them again.
TEST(EditHistory, DeletedCandidatesComeBackAtTheirPlacesAsOneStep) {
  CandidateGrid grid;
  cutAndScan("Rosam amo. Aquam bibo et servum video. Templum portam dominam.", analysisKind(KindId::AccSg), grid);
  ASSERT_EQ(grid.candidateCount(), 6u);
  grid.validate(1, "A");
  grid.validate(4, "B");
  grid.validate(6, "C");
  grid.deleteRows({2, 3, 5});  // Aquam, servum, portam
  const std::vector<std::string> pruned = rowsOf(grid);
  const auto shown = [&grid] {
    std::vector<std::string> out;
    for (std::size_t r = 1; r <= grid.candidateCount(); ++r)
      out.push_back(std::to_string(grid.number(r)) + ' ' + std::string(grid.form(r)) + ' ' +
                    std::string(grid.analysis(r)));
    return out;
  };

  EditStep step(EditKind::Restoration, 1);
  // Places from 0: Rosam (0) was never deleted; Aquam (1) and portam (4) come back.
  step.restoreDeleted(grid, {0, 1, 4});
  EXPECT_EQ(shown(), (std::vector<std::string>{"1 Rosam A", "2 Aquam ", "3 Templum B", "4 portam ", "5 dominam C"}));
  EXPECT_EQ(grid.placeOf(4), 4u);
  const std::vector<std::string> restored = rowsOf(grid);
  step.undo(grid);
  EXPECT_EQ(rowsOf(grid), pruned);
  step.redo(grid);
  EXPECT_EQ(rowsOf(grid), restored);
}

}  // namespace
}  // namespace varnelio
