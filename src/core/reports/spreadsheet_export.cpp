#include "core/reports/spreadsheet_export.h"

#include <charconv>


namespace varnelio {

void appendSpreadsheetHeader(std::string& out) {
  for (int c = 0; c < CandidateGrid::kColumnCount; ++c) {
    if (c) out += '\t';
    out += CandidateGrid::kHeaders[c];
  }
  out += "\r\n";
}

void appendSpreadsheetRow(std::string& out, std::int64_t number, std::string_view sentence,
                          std::string_view form, std::string_view analysis) {
  char digits[24];
  const auto res = std::to_chars(digits, digits + sizeof digits, number);
  out.append(digits, res.ptr);
  out += '\t';
  out += sentence;
  out += '\t';
  out += form;
  out += '\t';
  out += analysis;
  out += "\r\n";
}

SpreadsheetWriter::SpreadsheetWriter(ChunkWriter& out, LineEnd end) : out_(out), end_(end) {
  buffer_.reserve(kChunk + 512);
}

bool SpreadsheetWriter::endLine() {
  if (end_ == LineEnd::Lf) {
    buffer_.resize(buffer_.size() - 2);
    buffer_ += '\n';
  }
  if (buffer_.size() >= kChunk) {
    ok_ = ok_ && out_.write(buffer_);
    buffer_.clear();
  }
  return ok_;
}

bool SpreadsheetWriter::header() {
  appendSpreadsheetHeader(buffer_);
  return endLine();
}

bool SpreadsheetWriter::row(std::int64_t number, std::string_view sentence, std::string_view form,
                            std::string_view analysis) {
  appendSpreadsheetRow(buffer_, number, sentence, form, analysis);
  return endLine();
}

bool SpreadsheetWriter::finish() {
  if (!buffer_.empty()) ok_ = ok_ && out_.write(buffer_);
  buffer_.clear();
  return ok_;
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
