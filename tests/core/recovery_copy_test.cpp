// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/analysis/recovery_copy.h"

#include <gtest/gtest.h>

#include "core/analysis/analysis_kind.h"
#include "core/analysis/candidate_scan.h"

namespace varnelio {
namespace {

RecoveryHeader header() {
  return {KindId::AccSg, Family::New, "/home/prof/caesar.txt", 0x0123456789ABCDEFull, 12345, "/home/prof/c\xC3\xA9sar.DAT",
          1765400000};
}

CandidateGrid editedScan() {
  CandidateGrid grid;
  cutAndScan("Puella rosam amat. Dominam video et servum. Templum portam.", analysisKind(KindId::AccSg), grid);
  grid.validate(2, "1 d\xE9" "cl. acc. sg. [AA00C]");
  grid.deleteRow(1);
  return grid;
}

TEST(RecoveryCopy, ReadsBackWhatItWrote) {
  CandidateGrid texts;
  texts.appendRow(CandidateRow(-7, "3", "forma", "  analysis\r\nline 2", true));
  texts.appendRow(CandidateRow(40000, "x", "", "", false));
  for (const CandidateGrid* grid : {&texts}) {
    const std::string bytes = encodeRecoveryCopy(header(), grid->edits());
    const auto read = decodeRecoveryCopy(bytes);
    ASSERT_TRUE(std::holds_alternative<RecoveryCopy>(read));
    const RecoveryCopy& copy = std::get<RecoveryCopy>(read);
    EXPECT_EQ(copy.header, header());
    CandidateGrid back;
    ASSERT_TRUE(back.applyEdits(copy.edits));
    EXPECT_EQ((std::vector<CandidateRow>(back.rows().begin(), back.rows().end())),
              (std::vector<CandidateRow>(grid->rows().begin(), grid->rows().end())));
  }
  const CandidateGrid scanned = editedScan();
  const auto read = decodeRecoveryCopy(encodeRecoveryCopy(header(), scanned.edits()));
  ASSERT_TRUE(std::holds_alternative<RecoveryCopy>(read));
  const CandidateGrid::Edits& edits = std::get<RecoveryCopy>(read).edits;
  EXPECT_TRUE(edits.scanned);
  EXPECT_EQ(edits.sourceCount, 5u);
  EXPECT_EQ(edits.deleted, std::vector<std::uint32_t>{0});
  EXPECT_EQ(edits.aligned, std::vector<std::uint32_t>{1});
}

TEST(RecoveryCopy, RefusesEveryCutAndChangeAndTellsAnotherVersion) {
  const std::string bytes = encodeRecoveryCopy(header(), editedScan().edits());
  for (std::size_t n = 0; n < bytes.size(); ++n) {
    EXPECT_TRUE(std::holds_alternative<RecoveryCopyError>(decodeRecoveryCopy(bytes.substr(0, n)))) << n;
    std::string changed = bytes;
    changed[n] = static_cast<char>(changed[n] ^ 0x20);
    EXPECT_TRUE(std::holds_alternative<RecoveryCopyError>(decodeRecoveryCopy(changed))) << n;
  }
  std::string later = bytes;
  later[std::string_view("Varnelio recovery copy\n").size()] = 3;
  const auto read = decodeRecoveryCopy(later);
  ASSERT_TRUE(std::holds_alternative<RecoveryCopyError>(read));
  EXPECT_EQ(std::get<RecoveryCopyError>(read), RecoveryCopyError::OtherVersion);
}

}  // namespace
}  // namespace varnelio
