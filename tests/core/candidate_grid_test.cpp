// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/analysis/candidate_grid.h"

#include <gtest/gtest.h>

#include "../support/required_data.h"

#include <filesystem>
#include <functional>
#include <memory>

#include "core/analysis/candidate_scan.h"
#include "core/files/source_file.h"
#include "core/text/trim.h"

namespace varnelio {
namespace {

CandidateGrid gridOf(int n) {
  CandidateGrid grid;
  for (int i = 1; i <= n; ++i) grid.appendCandidate("forma" + std::to_string(i), 10 + i);
  return grid;
}

TEST(CandidateGrid, HeaderAndCellTexts) {
  CandidateGrid grid = gridOf(2);
  EXPECT_EQ(grid.cellText(0, 0), "N\xB0");
  EXPECT_EQ(grid.cellText(0, 1), "N\xB0 phrase");
  EXPECT_EQ(grid.cellText(0, 2), "Forme(s)");
  EXPECT_EQ(grid.cellText(0, 3), "Analyse(s)");
  EXPECT_EQ(grid.cellText(2, 0), "2");
  EXPECT_EQ(grid.cellText(2, 1), "12");
  EXPECT_EQ(grid.cellText(2, 2), "forma2");
  EXPECT_EQ(grid.cellText(2, 3), "");
}

TEST(CandidateGrid, ValidateKeepsLeadingSpacesDropsTrailingOnesAndReplaces) {
  struct Case {
    std::string typed;
    std::string stored;
  } cases[] = {{"  1 d\xE9" "cl.  ", "  1 d\xE9" "cl."}, {"", ""}, {"   ", ""}, {"a\t ", "a\t"}};
  for (const Case& c : cases) {
    CandidateGrid grid = gridOf(3);
    grid.validate(2, "avant");
    grid.validate(2, c.typed);
    EXPECT_EQ(grid.row(2).analysis, c.stored);
    EXPECT_TRUE(grid.row(2).analysisAlignedTopLeft);
    EXPECT_EQ(grid.row(1).analysis, "");
    EXPECT_FALSE(grid.row(1).analysisAlignedTopLeft);
  }
  CandidateGrid grid = gridOf(1);
  grid.validate(0, "x");
  grid.validate(2, "x");
  EXPECT_EQ(grid.row(1).analysis, "");
}

// Rows share the text of one label; a copy of the grid keeps its own texts when the
// original changes or goes.
TEST(CandidateGrid, RowsSharingALabelAndACopyOfTheGridKeepTheirOwnTexts) {
  auto grid = std::make_unique<CandidateGrid>(gridOf(4));
  const std::string label = "2 d\xE9" "cl. nom. sg. [AA00C]";
  for (std::size_t r : {1, 2, 4}) grid->validate(r, label);
  grid->validate(3, "pronom");
  const CandidateGrid copy = *grid;
  grid->validate(2, "autre");
  grid->deleteRow(1);
  EXPECT_EQ(grid->analysis(1), "autre");
  EXPECT_EQ(grid->analysis(3), label);
  grid.reset();
  for (std::size_t r : {1, 2, 4}) EXPECT_EQ(copy.analysis(r), label) << r;
  EXPECT_EQ(copy.analysis(3), "pronom");
  CandidateGrid back;
  ASSERT_TRUE(back.applyEdits(copy.edits()));
  EXPECT_EQ(back.analysis(4), label);
}

TEST(CandidateGrid, DeleteMovesLaterRowsUpAndRenumbersThem) {
  CandidateGrid grid = gridOf(5);
  grid.validate(3, "trois");
  grid.validate(5, "cinq");
  grid.deleteRow(2);
  ASSERT_EQ(grid.candidateCount(), 4u);
  const char* forms[] = {"forma1", "forma3", "forma4", "forma5"};
  const char* sentences[] = {"11", "13", "14", "15"};
  const char* analyses[] = {"", "trois", "", "cinq"};
  for (std::size_t r = 1; r <= 4; ++r) {
    EXPECT_EQ(grid.row(r).number, static_cast<std::int64_t>(r));
    EXPECT_EQ(grid.row(r).form, forms[r - 1]);
    EXPECT_EQ(grid.row(r).sentence, sentences[r - 1]);
    EXPECT_EQ(grid.row(r).analysis, analyses[r - 1]);
  }
}

TEST(CandidateGrid, DeleteMovesTextsWhileTheAlignmentStaysWithTheRowPlace) {
  // Like the grid's cell formatting: the texts move up, the marks do not.
  CandidateGrid grid = gridOf(3);
  grid.validate(2, "deux");
  grid.deleteRow(1);
  EXPECT_EQ(grid.row(1).analysis, "deux");
  EXPECT_FALSE(grid.row(1).analysisAlignedTopLeft);
  EXPECT_TRUE(grid.row(2).analysisAlignedTopLeft);
}

TEST(CandidateGrid, DeleteFirstOfTwoAndLastAndOutOfRange) {
  CandidateGrid grid = gridOf(2);
  grid.deleteRow(1);
  ASSERT_EQ(grid.candidateCount(), 1u);
  EXPECT_EQ(grid.row(1).number, 1);
  EXPECT_EQ(grid.row(1).form, "forma2");
  grid.deleteRow(0);
  grid.deleteRow(2);
  EXPECT_EQ(grid.candidateCount(), 1u);
  grid.deleteRow(1);
  EXPECT_TRUE(grid.empty());
  grid.deleteRow(1);
  EXPECT_TRUE(grid.empty());
}

TEST(CandidateGrid, DeleteLowersEachMovedNumberByOne) {
  // Numbers read from a file need not follow the rows; each moved one drops by one.
  CandidateGrid grid;
  for (std::int32_t n : {1, 7, 9}) grid.appendRow({n, "1", "f", "", false});
  grid.deleteRow(1);
  EXPECT_EQ(grid.row(1).number, 6);
  EXPECT_EQ(grid.row(2).number, 8);
}

TEST(CandidateGrid, TrimmingRemovesOnlyBlanks) {
  EXPECT_EQ(trimTrailingSpaces("  a b  "), "  a b");
  EXPECT_EQ(trimTrailingSpaces("a\t"), "a\t");
  EXPECT_EQ(trimLeadingSpaces("  a b  "), "a b  ");
  EXPECT_EQ(trimLeadingSpaces("    "), "");
}

}  // namespace
}  // namespace varnelio

namespace varnelio {
namespace {

// The rows a plain scan gives, as texts, before any edit.
std::vector<CandidateRow> plainScan(std::string_view text, const AnalysisKind& kind) {
  std::vector<CandidateRow> rows;
  scanText(text, kind, [&](std::string_view form, std::int64_t n) {
    rows.emplace_back(static_cast<std::int32_t>(rows.size() + 1), std::to_string(n), std::string(form), "", false);
  });
  return rows;
}

void expectSameRows(const CandidateGrid& grid, const std::vector<CandidateRow>& expected) {
  ASSERT_EQ(grid.candidateCount(), expected.size());
  for (std::size_t r = 1; r <= expected.size(); ++r) {
    const CandidateRow row = grid.row(r);
    const CandidateRow& want = expected[r - 1];
    ASSERT_EQ(row.number, want.number) << r;
    ASSERT_EQ(row.sentence, want.sentence) << r;
    ASSERT_EQ(row.form, want.form) << r;
    ASSERT_EQ(row.analysis, want.analysis) << r;
    ASSERT_EQ(row.analysisAlignedTopLeft, want.analysisAlignedTopLeft) << r;
  }
  // The pass in order gives the same cells.
  std::size_t r = 0;
  grid.forEachRow([&](std::int64_t number, std::string_view sentence, std::string_view form, std::string_view analysis) {
    const CandidateRow& want = expected[r++];
    ASSERT_EQ(number, want.number);
    ASSERT_EQ(sentence, want.sentence);
    ASSERT_EQ(form, want.form);
    ASSERT_EQ(analysis, want.analysis);
  });
  EXPECT_EQ(r, expected.size());
}

std::string corpusText(const char* name) {
  const auto file = std::filesystem::path(VARNELIO_CORPUS_DIR) / name;
  if (!std::filesystem::exists(file)) return {};
  return std::get<std::string>(readSourceText(file.string()));
}

TEST(ScannedGrid, HoldsThePlainScanOfTheCorpusForEveryKind) {
  const std::string text = corpusText("caesar-bellum-gallicum.txt");
  VARNELIO_REQUIRE_DATA(!text.empty(), "the corpus");
  for (const AnalysisKind& kind : analysisKinds()) {
    SCOPED_TRACE(std::string(kind.cliName));
    CandidateGrid grid;
    const SentenceTable table = cutAndScan(text, kind, grid);
    EXPECT_EQ(table.text(), text);
    const std::vector<CandidateRow> expected = plainScan(text, kind);
    ASSERT_GT(expected.size(), 1000u);
    expectSameRows(grid, expected);
  }
}

TEST(ScannedGrid, ValidateAndDeleteAtTheFirstAMiddleAndTheLastRowAsTheGridDoes) {
  const std::string text = corpusText("cicero-in-catilinam.txt");
  VARNELIO_REQUIRE_DATA(!text.empty(), "the corpus");
  const AnalysisKind& kind = analysisKind(KindId::AblSg);
  CandidateGrid grid;
  cutAndScan(text, kind, grid);
  std::vector<CandidateRow> expected = plainScan(text, kind);
  // The same edits on rows kept as texts, which store every cell, are the reference.
  const auto validate = [&](std::size_t r, const std::string& analysis) {
    grid.validate(r, analysis + "  ");
    expected[r - 1].analysis = analysis;
    expected[r - 1].analysisAlignedTopLeft = true;
  };
  const auto remove = [&](std::size_t r) {
    grid.deleteRow(r);
    for (std::size_t i = r; i < expected.size(); ++i) {
      expected[i - 1].number = expected[i].number - 1;
      expected[i - 1].sentence = expected[i].sentence;
      expected[i - 1].form = expected[i].form;
      expected[i - 1].analysis = expected[i].analysis;
    }
    expected.pop_back();
  };
  const std::size_t middle = expected.size() / 2;
  validate(1, "premier");
  validate(middle, "milieu");
  validate(middle + 1, "suivant");
  validate(expected.size(), "dernier");
  validate(expected.size() - 1, "avant-dernier");
  expectSameRows(grid, expected);
  const auto last = [&] { return expected.size(); };
  for (const auto& at : std::vector<std::function<std::size_t()>>{
           [] { return std::size_t{1}; }, [&] { return middle; }, [&] { return middle; }, last,
           [] { return std::size_t{1}; }, [&] { return last() - 2; }}) {
    const std::size_t r = at();
    SCOPED_TRACE(r);
    remove(r);
    expectSameRows(grid, expected);
  }
  // Emptying the analysis of a row keeps its mark; a row beyond the last is none.
  validate(2, "");
  grid.deleteRow(expected.size() + 1);
  grid.validate(expected.size() + 1, "rien");
  expectSameRows(grid, expected);
}

}  // namespace
}  // namespace varnelio

namespace varnelio {
namespace {

// Deleting many rows at once leaves the grid exactly as deleting them one by one
// from the last: numbers, texts, analyses and alignment marks, for a scanned grid
// and for rows kept as texts (numbers not following each other, as a reopened file
// may hold them).
TEST(CandidateGrid, DeletingRowsAtOnceEqualsDeletingThemOneByOne) {
  const std::string text = "Rosam vidi. Puella aquam et viam amat. Nautam, reginam, undam, terram video. Rem.";
  const AnalysisKind& kind = analysisKind(KindId::AccSg);
  const auto prepare = [&](CandidateGrid& grid, bool scanned) {
    if (scanned) {
      cutAndScan(text, kind, grid);
    } else {
      for (int i = 1; i <= 9; ++i) grid.appendRow(CandidateRow(i * 3, std::to_string(i), "forme" + std::to_string(i), "", false));
    }
    grid.validate(2, "deux");
    grid.validate(4, "quatre");
    grid.validate(grid.candidateCount(), "dernier");
  };
  for (const bool scanned : {true, false}) {
    SCOPED_TRACE(scanned ? "scanned" : "texts");
    const std::vector<std::size_t> rows = {1, 4, 5, 7};
    CandidateGrid atOnce, oneByOne;
    prepare(atOnce, scanned);
    prepare(oneByOne, scanned);
    ASSERT_GE(atOnce.candidateCount(), 8u);
    atOnce.deleteRows(rows);
    for (auto r = rows.rbegin(); r != rows.rend(); ++r) oneByOne.deleteRow(*r);
    ASSERT_EQ(atOnce.candidateCount(), oneByOne.candidateCount());
    for (std::size_t r = 1; r <= oneByOne.candidateCount(); ++r) {
      const CandidateRow a = atOnce.row(r), b = oneByOne.row(r);
      EXPECT_EQ(a.number, b.number) << r;
      EXPECT_EQ(a.sentence, b.sentence) << r;
      EXPECT_EQ(a.form, b.form) << r;
      EXPECT_EQ(a.analysis, b.analysis) << r;
      EXPECT_EQ(a.analysisAlignedTopLeft, b.analysisAlignedTopLeft) << r;
    }
  }
}

}  // namespace
}  // namespace varnelio
