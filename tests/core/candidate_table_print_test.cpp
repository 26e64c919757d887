// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/reports/candidate_table_print.h"

#include <gtest/gtest.h>

namespace varnelio {
namespace {

CandidateGrid gridOf(int n) {
  CandidateGrid grid;
  for (int i = 1; i <= n; ++i) grid.appendCandidate("forma", i);
  return grid;
}

const std::string kHyphens(73, '-');
const std::string kUnderscores(76, '_');

TEST(CandidateTablePrint, HeadingFontsPositionsAndRules) {
  CandidateGrid grid = gridOf(1);
  grid.validate(1, "  analyse  ");
  grid.appendRow({2, "   ", "f", "", false});
  const PrintJob job = candidateTableJob(grid);
  const auto& ops = job.ops();
  using K = PrintOp::Kind;
  std::vector<std::string> seen;
  for (const PrintOp& op : ops) {
    switch (op.kind) {
      case K::SetFont:
        seen.push_back("font " + op.fontName + " " + std::to_string(static_cast<int>(op.fontSize)) +
                       (op.bold ? " bold" : ""));
        break;
      case K::SetX: seen.push_back("x " + std::to_string(op.x)); break;
      case K::Text: seen.push_back("'" + op.text + "'" + (op.endLine ? " EOL" : "")); break;
      case K::NewPage: seen.push_back("page"); break;
      case K::EndDocument: seen.push_back("end"); break;
      case K::Image: seen.push_back("image"); break;
    }
  }
  const std::vector<std::string> expected = {
      "font verdana 12 bold", "x 0", "'N\xB0'", "x 750", "'N\xB0 phrase'", "x 2250", "'Forme(s)'", "x 4250",
      "'Analyse(s)' EOL", "'" + kHyphens + "' EOL", "font verdana 9",
      "x 0", "'1'", "x 750", "'1'", "x 2250", "'forma'", "x 4250", "'  analyse' EOL", "'" + kUnderscores + "' EOL",
      "x 0", "'2'", "x 750", "''", "x 2250", "'f'", "x 4250", "'' EOL", "'" + kUnderscores + "' EOL",
      "end"};
  EXPECT_EQ(seen, expected);
}

TEST(CandidateTablePrint, ThirtyFiveAPageAndNoEmptyLastPage) {
  // Candidates per page (the first page also holds the heading and its rule).
  const std::pair<int, std::vector<int>> cases[] = {
      {0, {0}}, {1, {1}}, {34, {34}}, {35, {34, 1}}, {69, {34, 35}}, {70, {34, 35, 1}}, {104, {34, 35, 35}}};
  for (const auto& [n, perPage] : cases) {
    const PrintJob job = candidateTableJob(gridOf(n));
    const auto pages = job.pagesAsText();
    ASSERT_EQ(pages.size(), perPage.size()) << n << " candidates";
    for (std::size_t p = 0; p < pages.size(); ++p) {
      const std::size_t lines = 2 * static_cast<std::size_t>(perPage[p]) + (p == 0 ? 2 : 0);
      EXPECT_EQ(pages[p].size(), lines) << n << " candidates, page " << p + 1;
    }
    // The job itself never breaks a page right before its end.
    const auto& ops = job.ops();
    ASSERT_EQ(ops.back().kind, PrintOp::Kind::EndDocument);
    EXPECT_NE(ops[ops.size() - 2].kind, PrintOp::Kind::NewPage) << n;
    EXPECT_EQ(std::count_if(ops.begin(), ops.end(), [](const PrintOp& o) { return o.kind == PrintOp::Kind::NewPage; }),
              static_cast<long>(perPage.size() - 1));
  }
}

TEST(CandidateTablePrint, SecondPageStartsWithTheThirtyFifthCandidate) {
  const auto pages = candidateTableJob(gridOf(35)).pagesAsText();
  ASSERT_EQ(pages.size(), 2u);
  EXPECT_EQ(pages[0][0], "0:N\xB0 | 750:N\xB0 phrase | 2250:Forme(s) | 4250:Analyse(s)");
  EXPECT_EQ(pages[0][1], "0:" + kHyphens);
  EXPECT_EQ(pages[0][68], "0:34 | 750:34 | 2250:forma | 4250:");
  EXPECT_EQ(pages[1][0], "0:35 | 750:35 | 2250:forma | 4250:");
  EXPECT_EQ(pages[1][1], "0:" + kUnderscores);
}

}  // namespace
}  // namespace varnelio
