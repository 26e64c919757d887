// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Reading and writing whole analysis files.
#include <optional>
#include <string>
#include <string_view>
#include <variant>

#include "core/analysis/candidate_grid.h"
#include "core/files/atomic_file.h"
#include "core/files/file_error.h"

namespace varnelio {

// The analysis file written row by row, in chunks of whole records, so that a scan
// goes to the disk without a grid in memory. Every way of writing an analysis file
// goes through it.
class AnalysisFileWriter {
 public:
  explicit AnalysisFileWriter(ChunkWriter& out);
  bool row(std::int64_t number, std::string_view sentence, std::string_view form, std::string_view analysis);
  // Writes what is buffered; false once any write failed.
  bool finish() { return chunks_.flush(); }

 private:
  ChunkBuffer chunks_;
};

// The bytes of the analysis file of a grid: one record per candidate row.
std::string encodeAnalysisFile(const CandidateGrid& grid);
// The grid held by the bytes of an analysis file (any bytes: a short last record is
// read from the bytes present, fewer than 185 bytes give no row).
CandidateGrid decodeAnalysisFile(std::string_view bytes);

// Writes the grid to path, replacing any old file only once the new one is complete.
std::optional<FileError> writeAnalysisFile(const std::string& path, const CandidateGrid& grid);
// Reads the analysis file at path into a grid.
std::variant<CandidateGrid, FileError> readAnalysisFile(const std::string& path);

}  // namespace varnelio
