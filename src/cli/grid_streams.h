#pragma once
// The export and the analysis file written candidate by candidate, so that a
// whole book goes from the scan to the disk without a grid in memory. The bytes
// are those of encodeSpreadsheet and encodeAnalysisFile for the same rows.
#include <cstdint>
#include <string>
#include <string_view>

#include "core/files/atomic_file.h"

namespace varnelio::cli {

class SpreadsheetStream {
 public:
  // lfOnly: lines end with LF instead of CR LF (the text shown on a terminal).
  SpreadsheetStream(ChunkWriter& out, bool lfOnly) : out_(out), lfOnly_(lfOnly) { buffer_.reserve(kChunk + 512); }
  bool header();
  bool row(std::int64_t number, std::string_view sentence, std::string_view form, std::string_view analysis);
  bool finish();

 private:
  static constexpr std::size_t kChunk = 1 << 16;
  bool endLine();
  ChunkWriter& out_;
  bool lfOnly_;
  bool ok_ = true;
  std::string buffer_;
};

class AnalysisFileStream {
 public:
  explicit AnalysisFileStream(ChunkWriter& out);
  bool row(std::int64_t number, std::string_view sentence, std::string_view form, std::string_view analysis);
  bool finish();

 private:
  static constexpr std::size_t kRecordsPerChunk = 256;
  ChunkWriter& out_;
  bool ok_ = true;
  std::string buffer_;
  std::string blank_;  // one record of blanks with its five zero bytes
};

}  // namespace varnelio::cli
