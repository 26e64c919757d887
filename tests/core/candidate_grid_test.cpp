#include "core/analysis/candidate_grid.h"

#include <gtest/gtest.h>

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
  EXPECT_EQ((std::vector<int>(std::begin(CandidateGrid::kColumnWidths), std::end(CandidateGrid::kColumnWidths))),
            (std::vector<int>{750, 800, 2000, 3500}));
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
