// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The spreadsheet export: one line per grid row, the header first, the four cell
// texts separated by TAB, every line ended by CR LF, Windows-1252, no quoting.
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

#include "core/analysis/candidate_grid.h"
#include "core/files/atomic_file.h"
#include "core/files/file_error.h"

namespace varnelio {

// The export written line by line, in chunks, so that a scan goes to the disk
// without a grid in memory. Every way of writing the export goes through it.
class SpreadsheetWriter {
 public:
  enum class LineEnd { CrLf, Lf };  // Lf: the text shown on a terminal
  explicit SpreadsheetWriter(ChunkWriter& out, LineEnd end = LineEnd::CrLf);
  // `extra` names the columns after the fourth (the pre-analysis's confidence and
  // level, TAB apart), when there are any.
  bool header(std::string_view extra = {});
  // A confidence from 0 gives the fifth column; a level (the pre-analysis's
  // "sûr", "probable"..., Windows-1252) the sixth.
  bool row(std::int64_t number, std::string_view sentence, std::string_view form, std::string_view analysis,
           int confidence = -1, std::string_view level = {});
  // Writes what is buffered; false once any write failed.
  bool finish() { return chunks_.flush(); }

 private:
  bool endLine();
  ChunkBuffer chunks_;
  LineEnd end_;
};

void appendSpreadsheetHeader(std::string& out);
void appendSpreadsheetRow(std::string& out, std::int64_t number, std::string_view sentence,
                          std::string_view form, std::string_view analysis);

std::string encodeSpreadsheet(const CandidateGrid& grid);
// Writes the export, replacing any old file only once the new one is complete.
std::optional<FileError> writeSpreadsheetFile(const std::string& path, const CandidateGrid& grid);

}  // namespace varnelio
