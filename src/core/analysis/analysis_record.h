// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The analysis file: a headerless sequence of 369-byte records, one per candidate
// row, in grid order.
//   offset 0   2 bytes  numero     signed 16-bit, little-endian   (column 0)
//   offset 2   7 bytes  numphrase  Windows-1252, blank-padded     (column 1)
//   offset 9   100      forme      Windows-1252, blank-padded     (column 2)
//   offset 109 255      analyse    Windows-1252, blank-padded     (column 3)
//   offset 364 5 bytes  reserve    zero bytes, ignored on reading
#include <array>
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

#include "core/analysis/candidate_grid.h"

namespace varnelio {

struct AnalysisRecord {
  static constexpr std::size_t kSize = 369;
  static constexpr std::size_t kNumphraseOffset = 2, kNumphraseWidth = 7;
  static constexpr std::size_t kFormeOffset = 9, kFormeWidth = 100;
  static constexpr std::size_t kAnalyseOffset = 109, kAnalyseWidth = 255;

  std::int16_t numero = 0;
  std::string numphrase;  // trailing blanks removed on reading
  std::string forme;
  std::string analyse;

  using Bytes = std::array<char, kSize>;
  // Texts longer than their field lose their end; shorter ones are blank-padded.
  Bytes encode() const;
  // Decodes up to 369 bytes; bytes missing at the end of a short record count as
  // blanks (and as zero for a missing half of numero).
  static AnalysisRecord decode(std::string_view bytes);
  // Writes the number and the three texts into 369 bytes whose reserve is already
  // zero; the number keeps its low 16 bits.
  static void encodeRecord(char* record, std::int64_t number, std::string_view sentence, std::string_view form,
                           std::string_view analysis);
};

// Record count of a file of the given length: length / 369 rounded to the nearest
// whole number (a remainder of 185 bytes or more counts as one more record).
std::uint64_t analysisRecordCount(std::uint64_t fileLength);

// Grid row -> record. Numbers beyond 16 bits keep their low 16 bits.
AnalysisRecord recordFromRow(const CandidateRow& row);
// Record n (from 1) -> grid row, trailing blanks removed, analysis aligned top-left.
// A numero equal to n modulo 65,536 shows as n, so that analyses of more than
// 32,767 candidates survive a save and a reopen.
CandidateRow rowFromRecord(const AnalysisRecord& record, std::uint64_t recordNumber);

}  // namespace varnelio
