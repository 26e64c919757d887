// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/analysis/analysis_record.h"

#include <gtest/gtest.h>

#include "core/analysis/analysis_file.h"
#include "temp_dir.h"

namespace varnelio {
namespace {

using testing::readBytes;
using testing::TempDir;
using testing::writeBytes;

TEST(AnalysisRecord, WorkedExampleByteForByte) {
  CandidateRow row{1, "3", "aquam", "1 d\xE9" "cl. acc. sg. [AA00C]", true};
  const auto b = recordFromRow(row).encode();
  std::string expected;
  expected += std::string("\x01\x00", 2);
  expected += "3";
  expected.append(6, ' ');
  expected += "aquam";
  expected.append(95, ' ');
  expected += "1 d\xE9" "cl. acc. sg. [AA00C]";
  expected.append(231, ' ');
  expected += std::string(5, '\0');
  ASSERT_EQ(expected.size(), 369u);
  EXPECT_EQ(std::string(b.data(), b.size()), expected);
  EXPECT_EQ(static_cast<unsigned char>(b[112]), 0xE9);  // "é" of "décl." as one byte
}

TEST(AnalysisRecord, FieldsAreCutOrPaddedToTheirWidth) {
  CandidateRow row{-2, "12345678", std::string(120, 'f'), std::string(300, 'a'), false};
  const auto b = recordFromRow(row).encode();
  EXPECT_EQ(static_cast<unsigned char>(b[0]), 0xFE);
  EXPECT_EQ(static_cast<unsigned char>(b[1]), 0xFF);
  EXPECT_EQ(std::string(b.data() + 2, 7), "1234567");
  EXPECT_EQ(std::string(b.data() + 9, 100), std::string(100, 'f'));
  EXPECT_EQ(std::string(b.data() + 109, 255), std::string(255, 'a'));
  EXPECT_EQ(std::string(b.data() + 364, 5), std::string(5, '\0'));
  const CandidateRow back = rowFromRecord(AnalysisRecord::decode({b.data(), b.size()}), 1);
  EXPECT_EQ(back.number, -2);
  EXPECT_EQ(back.sentence, "1234567");
}

TEST(AnalysisRecord, ReadingDropsTrailingBlanksOnlyAndMarksTheAnalysis) {
  CandidateRow row{3, " 4 ", "\trosam ", "  2 d\xE9" "cl.  ", false};
  const auto b = recordFromRow(row).encode();
  const CandidateRow back = rowFromRecord(AnalysisRecord::decode({b.data(), b.size()}), 3);
  EXPECT_EQ(back.number, 3);
  EXPECT_EQ(back.sentence, " 4");
  EXPECT_EQ(back.form, "\trosam");
  EXPECT_EQ(back.analysis, "  2 d\xE9" "cl.");
  EXPECT_TRUE(back.analysisAlignedTopLeft);
}

TEST(AnalysisRecord, NumbersBeyondSixteenBitsComeBackWhenTheyFollowTheRecords) {
  struct Case {
    std::int32_t written;
    std::uint64_t recordNumber;
    std::int32_t read;
  } cases[] = {{40000, 40000, 40000}, {65536, 65536, 65536}, {70000, 70000, 70000},
               {32767, 32767, 32767}, {5, 9, 5},           {40000, 3, 40000 - 65536}};
  for (const Case& c : cases) {
    CandidateRow row{c.written, "1", "f", "", false};
    const AnalysisRecord rec = recordFromRow(row);
    EXPECT_EQ(static_cast<std::uint16_t>(rec.numero), static_cast<std::uint16_t>(c.written & 0xFFFF));
    EXPECT_EQ(rowFromRecord(rec, c.recordNumber).number, c.read) << c.written << " at " << c.recordNumber;
  }
}

TEST(AnalysisRecord, CountRoundsToTheNearestRecord) {
  const std::pair<std::uint64_t, std::uint64_t> cases[] = {
      {0, 0}, {1, 0}, {184, 0}, {185, 1}, {369, 1}, {369 * 2 + 184, 2}, {369 * 2 + 185, 3}, {1107, 3}};
  for (auto [length, count] : cases) EXPECT_EQ(analysisRecordCount(length), count) << length;
}

TEST(AnalysisFile, ThreeCandidatesMake1107BytesAndComeBackUnchanged) {
  CandidateGrid grid;
  grid.appendCandidate("rosam", 1);
  grid.appendCandidate("aquam", 2);
  grid.appendCandidate("Romam", 2);
  grid.validate(1, "1 d\xE9" "cl. acc. sg. [AA00C]");
  grid.validate(3, "  avec blancs");
  const std::string bytes = encodeAnalysisFile(grid);
  ASSERT_EQ(bytes.size(), 1107u);
  EXPECT_EQ(bytes.substr(109 + 369, 255), std::string(255, ' '));  // empty analysis: 255 blanks
  const CandidateGrid back = decodeAnalysisFile(bytes);
  ASSERT_EQ(back.candidateCount(), 3u);
  for (std::size_t r = 1; r <= 3; ++r) {
    EXPECT_EQ(back.row(r).number, grid.row(r).number);
    EXPECT_EQ(back.row(r).sentence, grid.row(r).sentence);
    EXPECT_EQ(back.row(r).form, grid.row(r).form);
    EXPECT_EQ(back.row(r).analysis, grid.row(r).analysis);
  }
  EXPECT_TRUE(encodeAnalysisFile(CandidateGrid{}).empty());
}

TEST(AnalysisFile, ShortLastRecordIsReadFromTheBytesPresent) {
  CandidateGrid grid;
  grid.appendCandidate("rosam", 1);
  grid.appendCandidate("aquam", 12);
  const std::string analysis = std::string(90, 'b') + "fin";
  grid.validate(2, analysis);
  const std::string bytes = encodeAnalysisFile(grid);
  struct Case {
    std::size_t length;
    std::size_t rows;
    std::string analysis2;
  } cases[] = {
      {369 + 6, 1, ""},
      {369 + 184, 1, ""},
      {369 + 185, 2, std::string(76, 'b')},  // 76 bytes of the analysis are there
      {369 + 200, 2, std::string(90, 'b') + "f"},
      {369 + 368, 2, analysis},
  };
  for (const Case& c : cases) {
    const CandidateGrid back = decodeAnalysisFile(std::string_view(bytes).substr(0, c.length));
    ASSERT_EQ(back.candidateCount(), c.rows) << c.length;
    if (c.rows == 2) {
      EXPECT_EQ(back.row(2).number, 2);
      EXPECT_EQ(back.row(2).sentence, "12");
      EXPECT_EQ(back.row(2).form, "aquam");
      EXPECT_EQ(back.row(2).analysis, c.analysis2) << c.length;
    }
  }
  // The numero, the sentence and the form cut short: what is there, nothing more.
  const std::string lone = bytes.substr(369, 12);  // the numero, the numphrase and "aqu"
  const AnalysisRecord rec = AnalysisRecord::decode(lone);
  EXPECT_EQ(rec.numero, 2);
  EXPECT_EQ(rec.numphrase, "12");
  EXPECT_EQ(rec.forme, "aqu");
  EXPECT_EQ(rec.analyse, "");
  EXPECT_EQ(AnalysisRecord::decode(std::string_view("", 1)).numero, 7);
  EXPECT_EQ(AnalysisRecord::decode({}).numero, 0);
}

TEST(AnalysisFile, AnyBytesReadWithoutFault) {
  std::string garbage;
  for (int i = 0; i < 369 * 3 + 250; ++i) garbage.push_back(static_cast<char>((i * 131 + 7) & 0xFF));
  const CandidateGrid grid = decodeAnalysisFile(garbage);
  EXPECT_EQ(grid.candidateCount(), 4u);
  for (const CandidateRow& row : grid.rows()) {
    EXPECT_LE(row.sentence.size(), 7u);
    EXPECT_LE(row.form.size(), 100u);
    EXPECT_LE(row.analysis.size(), 255u);
  }
}

TEST(AnalysisFile, WriteAndReadAFile) {
  TempDir dir;
  CandidateGrid grid;
  grid.appendCandidate("rosam", 1);
  const std::string path = dir.file("a.DAT");
  writeBytes(path, std::string(369 * 10, 'x'));  // an older, longer analysis
  ASSERT_FALSE(writeAnalysisFile(path, grid).has_value());
  EXPECT_EQ(readBytes(path), encodeAnalysisFile(grid));
  auto read = readAnalysisFile(path);
  ASSERT_TRUE(std::holds_alternative<CandidateGrid>(read));
  EXPECT_EQ(std::get<CandidateGrid>(read).row(1).form, "rosam");
  auto missing = readAnalysisFile(dir.file("none.DAT"));
  ASSERT_TRUE(std::holds_alternative<FileError>(missing));
  EXPECT_EQ(std::get<FileError>(missing).path, dir.file("none.DAT"));
}

}  // namespace
}  // namespace varnelio
