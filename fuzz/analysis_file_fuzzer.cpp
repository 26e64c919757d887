// SPDX-License-Identifier: GPL-3.0-or-later
// Analysis files as any bytes of any length: the record count follows the rounding
// rule, every record reads as its bytes say, and whatever was read writes back to
// the same bytes and reads back to the same grid. A grid made up from the input is
// written and read back too: the same grid, trailing blanks aside.
#include <fuzzer/FuzzedDataProvider.h>

#include <cmath>
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

#include "check.h"
#include "core/analysis/candidate_grid.h"
#include "core/analysis/analysis_file.h"
#include "core/analysis/analysis_record.h"

using namespace varnelio;

namespace {

constexpr std::size_t kRecord = 369;

std::string withoutTrailingBlanks(std::string_view s) {
  while (!s.empty() && s.back() == ' ') s.remove_suffix(1);
  return std::string(s);
}

bool sameRows(const CandidateGrid& a, const CandidateGrid& b) {
  if (a.candidateCount() != b.candidateCount()) return false;
  for (std::size_t r = 1; r <= a.candidateCount(); ++r) {
    const CandidateRow &x = a.row(r), &y = b.row(r);
    if (x.number != y.number || x.sentence != y.sentence || x.form != y.form || x.analysis != y.analysis)
      return false;
  }
  return true;
}

void checkReader(std::string_view bytes) {
  // The count: the length divided by 369 in floating point, rounded to the nearest.
  const auto expectedCount = static_cast<std::size_t>(std::llround(static_cast<double>(bytes.size()) / kRecord));
  FUZZ_CHECK(analysisRecordCount(bytes.size()) == expectedCount);

  const CandidateGrid grid = decodeAnalysisFile(bytes);
  FUZZ_CHECK(grid.candidateCount() == expectedCount);
  for (std::size_t n = 1; n <= expectedCount; ++n) {
    // The record as its bytes say; bytes missing from a short last record count as
    // blanks (the rounding leaves at least 185 of them, the number always whole).
    std::string rec(bytes.substr((n - 1) * kRecord, kRecord));
    FUZZ_CHECK(rec.size() >= 185);
    rec.resize(kRecord, ' ');
    const auto numero = static_cast<std::int16_t>(static_cast<std::uint16_t>(
        static_cast<unsigned char>(rec[0]) | (static_cast<unsigned char>(rec[1]) << 8)));
    const CandidateRow& row = grid.row(n);
    const bool followsRecord = static_cast<std::uint16_t>(numero) == static_cast<std::uint16_t>(n);
    FUZZ_CHECK(row.number == (followsRecord ? static_cast<std::int64_t>(n) : numero));
    FUZZ_CHECK(row.sentence == withoutTrailingBlanks(std::string_view(rec).substr(2, 7)));
    FUZZ_CHECK(row.form == withoutTrailingBlanks(std::string_view(rec).substr(9, 100)));
    FUZZ_CHECK(row.analysis == withoutTrailingBlanks(std::string_view(rec).substr(109, 255)));
  }

  // Written again, each record gives back its bytes (the reserve aside, which is
  // always written as zeros), and reads back to the same grid.
  const std::string written = encodeAnalysisFile(grid);
  FUZZ_CHECK(written.size() == expectedCount * kRecord);
  for (std::size_t n = 1; n <= expectedCount; ++n) {
    std::string rec(bytes.substr((n - 1) * kRecord, kRecord));
    rec.resize(kRecord, ' ');
    const std::string_view out = std::string_view(written).substr((n - 1) * kRecord, kRecord);
    FUZZ_CHECK(out.substr(0, 364) == std::string_view(rec).substr(0, 364));
    FUZZ_CHECK(out.substr(364) == std::string_view("\0\0\0\0\0", 5));
  }
  FUZZ_CHECK(sameRows(decodeAnalysisFile(written), grid));
}

void checkGridRoundTrip(FuzzedDataProvider& in) {
  CandidateGrid grid;
  const std::size_t rows = in.ConsumeIntegralInRange<std::size_t>(0, 12);
  for (std::size_t i = 1; i <= rows; ++i) {
    CandidateRow row;
    // Numbers as the windows make them (the row index) or anything a file held.
    row.number = in.ConsumeBool() ? static_cast<std::int64_t>(i) : in.ConsumeIntegral<std::int16_t>();
    row.sentence = in.ConsumeRandomLengthString(12);
    row.form = in.ConsumeRandomLengthString(130);
    row.analysis = in.ConsumeRandomLengthString(300);
    grid.appendRow(row);
  }
  const std::string written = encodeAnalysisFile(grid);
  FUZZ_CHECK(written.size() == rows * kRecord);
  const CandidateGrid back = decodeAnalysisFile(written);
  FUZZ_CHECK(back.candidateCount() == rows);
  for (std::size_t r = 1; r <= rows; ++r) {
    const CandidateRow &a = grid.row(r), &b = back.row(r);
    FUZZ_CHECK(b.number == a.number);
    // Texts longer than their field lose their end; trailing blanks are not kept.
    FUZZ_CHECK(b.sentence == withoutTrailingBlanks(std::string_view(a.sentence).substr(0, 7)));
    FUZZ_CHECK(b.form == withoutTrailingBlanks(std::string_view(a.form).substr(0, 100)));
    FUZZ_CHECK(b.analysis == withoutTrailingBlanks(std::string_view(a.analysis).substr(0, 255)));
    FUZZ_CHECK(b.analysisAlignedTopLeft);
  }
  // Reading what was read and writing it again changes nothing more.
  FUZZ_CHECK(encodeAnalysisFile(back) == written);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::string_view bytes(reinterpret_cast<const char*>(data), size);
  checkReader(bytes);

  FuzzedDataProvider in(data, size);
  // The rounding rule for lengths far beyond the input: k whole records and r bytes.
  const std::uint64_t k = in.ConsumeIntegralInRange<std::uint64_t>(0, std::uint64_t{1} << 44);
  const std::uint64_t r = in.ConsumeIntegralInRange<std::uint64_t>(0, kRecord - 1);
  FUZZ_CHECK(analysisRecordCount(k * kRecord + r) == k + (r >= 185 ? 1 : 0));

  checkGridRoundTrip(in);
  return 0;
}
