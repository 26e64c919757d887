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
// Reads the analysis file at path into a grid, whatever its bytes.
std::variant<CandidateGrid, FileError> readAnalysisFile(const std::string& path);

// Whether bytes can be the records of an analysis file, whoever wrote them: in every
// record (a short last one as far as it goes), the sentence number is digits (blanks
// around them allowed, or none at all), the form holds no control character, and the
// analysis none but the tab and the line breaks a typed analysis may hold; a field
// may end in blanks or zero bytes. The number and the reserve may be anything. Such
// rules keep every file the windows ever wrote, an empty one included, and refuse
// what cannot be records: an export (its tabs and line ends), a text, a picture.
bool readsAsAnalysisRecords(std::string_view bytes);

// Whether the file at path holds analyses that a write over it would lose: it is not
// empty and its first thousand records read as records (a whole book's file need not
// be read to know it).
bool holdsAnalysisRecords(const std::string& path);

// Reads the analysis file at path into a grid when its bytes read as records.
struct NotAnalysisRecords {};
std::variant<CandidateGrid, FileError, NotAnalysisRecords> openAnalysisFile(const std::string& path);

}  // namespace varnelio
