// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/reports/spreadsheet_export.h"

#include <gtest/gtest.h>

#include "temp_dir.h"

namespace varnelio {
namespace {

constexpr std::string_view kHeaderLine = "N\xB0\tN\xB0 phrase\tForme(s)\tAnalyse(s)\r\n";

TEST(SpreadsheetExport, HeaderOnlyGridGivesOneLine) {
  EXPECT_EQ(encodeSpreadsheet(CandidateGrid{}), kHeaderLine);
}

TEST(SpreadsheetExport, CellsAsTheyAreTabSeparatedCrLfEnded) {
  CandidateGrid grid;
  grid.appendCandidate("rosam", 1);
  grid.appendCandidate("aquam", 2);
  grid.appendRow({-3, "7  ", " po\xEBtam ", "", false});
  grid.validate(1, "1 d\xE9" "cl. acc. sg. [AA00C]");
  const std::string expected = std::string(kHeaderLine) +
                               "1\t1\trosam\t1 d\xE9" "cl. acc. sg. [AA00C]\r\n"
                               "2\t2\taquam\t\r\n"
                               "-3\t7  \t po\xEBtam \t\r\n";
  EXPECT_EQ(encodeSpreadsheet(grid), expected);

  testing::TempDir dir;
  const std::string path = dir.file("export");  // no extension added
  testing::writeBytes(path, "old content that is longer than nothing");
  ASSERT_FALSE(writeSpreadsheetFile(path, grid).has_value());
  EXPECT_EQ(testing::readBytes(path), expected);
}

// Whatever an analysis holds, each row keeps its four fields on one line: a TAB or a
// line break inside a field becomes one space.
TEST(SpreadsheetExport, TabsAndLineBreaksInsideAFieldBecomeOneSpace) {
  struct Case {
    std::string analysis, written;
  } cases[] = {{"a\tb", "a b"},      {"ligne 1\r\nligne 2", "ligne 1 ligne 2"},
               {"a\nb\rc", "a b c"},  {"\t\r\n\r\n", "   "},
               {"sans rien", "sans rien"}};
  for (const Case& c : cases) {
    CandidateGrid grid;
    grid.appendRow({1, "2\t", "ro\nsam", c.analysis, true});
    EXPECT_EQ(encodeSpreadsheet(grid), std::string(kHeaderLine) + "1\t2 \tro sam\t" + c.written + "\r\n")
        << c.analysis;
  }
}

TEST(SpreadsheetExport, LargeGridWrittenInChunksIsIdentical) {
  CandidateGrid grid;
  for (int i = 0; i < 20000; ++i) grid.appendCandidate("forma" + std::to_string(i), i / 3 + 1);
  testing::TempDir dir;
  ASSERT_FALSE(writeSpreadsheetFile(dir.file("big.XLS"), grid).has_value());
  const std::string bytes = testing::readBytes(dir.file("big.XLS"));
  EXPECT_EQ(bytes, encodeSpreadsheet(grid));
  EXPECT_EQ(std::count(bytes.begin(), bytes.end(), '\n'), 20001);
}

}  // namespace
}  // namespace varnelio
