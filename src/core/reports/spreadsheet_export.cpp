#include "core/reports/spreadsheet_export.h"

#include <charconv>

#include "core/files/atomic_file.h"

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

std::string encodeSpreadsheet(const CandidateGrid& grid) {
  std::string out;
  appendSpreadsheetHeader(out);
  grid.forEachRow([&](std::int64_t number, std::string_view sentence, std::string_view form,
                      std::string_view analysis) { appendSpreadsheetRow(out, number, sentence, form, analysis); });
  return out;
}

std::optional<FileError> writeSpreadsheetFile(const std::string& path, const CandidateGrid& grid) {
  return writeFileAtomically(path, [&](ChunkWriter& w) {
    std::string chunk;
    appendSpreadsheetHeader(chunk);
    bool ok = true;
    grid.forEachRow([&](std::int64_t number, std::string_view sentence, std::string_view form,
                        std::string_view analysis) {
      appendSpreadsheetRow(chunk, number, sentence, form, analysis);
      if (chunk.size() >= (1u << 16)) {
        ok = ok && w.write(chunk);
        chunk.clear();
      }
    });
    return ok && w.write(chunk);
  });
}

}  // namespace varnelio
