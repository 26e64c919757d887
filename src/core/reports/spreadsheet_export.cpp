// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/reports/spreadsheet_export.h"

#include <algorithm>
#include <charconv>

namespace varnelio {

void appendSpreadsheetHeader(std::string& out) {
  for (int c = 0; c < CandidateGrid::kColumnCount; ++c) {
    if (c) out += '\t';
    out += CandidateGrid::kHeaders[c];
  }
  out += "\r\n";
}

namespace {

// A TAB or a line break inside a field would add a column or split the row: each is
// written as one space (a CR LF is one break). The analysis file keeps the text as
// typed; only the export, a table, flattens it.
bool hasBreak(std::string_view field) {
  // Millions of fields a library: one pass without a branch a byte (find_first_of
  // calls memchr for every byte).
  bool breaks = false;
  for (const char c : field) breaks |= (c == '\t') | (c == '\r') | (c == '\n');
  return breaks;
}

void appendField(std::string& out, std::string_view field) {
  if (!hasBreak(field)) {
    out += field;
    return;
  }
  for (std::size_t i = 0; i < field.size(); ++i) {
    const char c = field[i];
    if (c == '\r' && i + 1 < field.size() && field[i + 1] == '\n') continue;  // the LF makes the space
    out += (c == '\t' || c == '\r' || c == '\n') ? ' ' : c;
  }
}

// std::copy, not memcpy: an empty cell's view may hold no pointer at all, which
// memcpy may not be given even for no bytes.
char* put(char* at, std::string_view text) { return std::copy(text.begin(), text.end(), at); }

}  // namespace

void appendSpreadsheetRow(std::string& out, std::int64_t number, std::string_view sentence,
                          std::string_view form, std::string_view analysis) {
  char digits[24];
  const std::string_view n(digits, static_cast<std::size_t>(std::to_chars(digits, digits + sizeof digits, number).ptr - digits));
  if (!hasBreak(sentence) && !hasBreak(form) && !hasBreak(analysis)) {
    // The usual row, written in one piece: a scan exports millions.
    const std::size_t at = out.size();
    out.resize(at + n.size() + sentence.size() + form.size() + analysis.size() + 5);
    char* p = put(out.data() + at, n);
    *p++ = '\t';
    p = put(p, sentence);
    *p++ = '\t';
    p = put(p, form);
    *p++ = '\t';
    p = put(p, analysis);
    *p++ = '\r';
    *p = '\n';
    return;
  }
  out += n;
  out += '\t';
  appendField(out, sentence);
  out += '\t';
  appendField(out, form);
  out += '\t';
  appendField(out, analysis);
  out += "\r\n";
}

SpreadsheetWriter::SpreadsheetWriter(ChunkWriter& out, LineEnd end) : chunks_(out, 1 << 16), end_(end) {}

bool SpreadsheetWriter::endLine() {
  std::string& buffer = chunks_.text();
  if (end_ == LineEnd::Lf) {
    buffer.resize(buffer.size() - 2);
    buffer += '\n';
  }
  return chunks_.pieceAdded();
}

bool SpreadsheetWriter::header(std::string_view extra) {
  std::string& buffer = chunks_.text();
  appendSpreadsheetHeader(buffer);
  if (!extra.empty()) {
    buffer.resize(buffer.size() - 2);
    buffer += '\t';
    buffer += extra;
    buffer += "\r\n";
  }
  return endLine();
}

bool SpreadsheetWriter::row(std::int64_t number, std::string_view sentence, std::string_view form,
                            std::string_view analysis, int confidence, std::string_view level) {
  std::string& buffer = chunks_.text();
  appendSpreadsheetRow(buffer, number, sentence, form, analysis);
  if (confidence >= 0) {
    buffer.resize(buffer.size() - 2);
    buffer += '\t';
    buffer += std::to_string(confidence);
    if (!level.empty()) {
      buffer += '\t';
      buffer += level;
    }
    buffer += "\r\n";
  }
  return endLine();
}

namespace {

bool writeLines(const CandidateGrid& grid, ChunkWriter& out) {
  SpreadsheetWriter sheet(out);
  sheet.header();
  grid.forEachRow([&](std::int64_t number, std::string_view sentence, std::string_view form,
                      std::string_view analysis) { sheet.row(number, sentence, form, analysis); });
  return sheet.finish();
}

}  // namespace

std::string encodeSpreadsheet(const CandidateGrid& grid) {
  StringChunkWriter out;
  writeLines(grid, out);
  return std::move(out.text);
}

std::optional<FileError> writeSpreadsheetFile(const std::string& path, const CandidateGrid& grid) {
  return writeFileAtomically(path, [&](ChunkWriter& w) { return writeLines(grid, w); });
}

}  // namespace varnelio
