// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/analysis/analysis_file.h"

#include "core/analysis/analysis_record.h"
#include "core/files/source_file.h"

#include <fstream>

namespace varnelio {

// 256 records a chunk: large writes, and a buffer that stays small.
AnalysisFileWriter::AnalysisFileWriter(ChunkWriter& out) : chunks_(out, 256 * AnalysisRecord::kSize) {}

bool AnalysisFileWriter::row(std::int64_t number, std::string_view sentence, std::string_view form,
                             std::string_view analysis) {
  std::string& buffer = chunks_.text();
  const std::size_t at = buffer.size();
  buffer.resize(at + AnalysisRecord::kSize, '\0');  // the reserve of each record is zero
  AnalysisRecord::encodeRecord(buffer.data() + at, number, sentence, form, analysis);
  return chunks_.pieceAdded();
}

namespace {

bool writeRows(const CandidateGrid& grid, ChunkWriter& out) {
  AnalysisFileWriter records(out);
  grid.forEachRow([&](std::int64_t number, std::string_view sentence, std::string_view form,
                      std::string_view analysis) { records.row(number, sentence, form, analysis); });
  return records.finish();
}

}  // namespace

std::string encodeAnalysisFile(const CandidateGrid& grid) {
  StringChunkWriter out;
  out.text.reserve(grid.candidateCount() * AnalysisRecord::kSize);
  writeRows(grid, out);
  return std::move(out.text);
}

CandidateGrid decodeAnalysisFile(std::string_view bytes) {
  CandidateGrid grid;
  const std::uint64_t count = analysisRecordCount(bytes.size());
  grid.reserve(count);
  for (std::uint64_t n = 1; n <= count; ++n) {
    const std::size_t offset = (n - 1) * AnalysisRecord::kSize;
    grid.appendRow(rowFromRecord(AnalysisRecord::decode(bytes.substr(offset, AnalysisRecord::kSize)), n));
  }
  return grid;
}

std::optional<FileError> writeAnalysisFile(const std::string& path, const CandidateGrid& grid) {
  return writeFileAtomically(path, [&](ChunkWriter& w) { return writeRows(grid, w); });
}

std::variant<CandidateGrid, FileError> readAnalysisFile(const std::string& path) {
  auto read = readWholeFile(path);
  if (auto* err = std::get_if<FileError>(&read)) return *err;
  return decodeAnalysisFile(std::get<std::string>(read));
}

namespace {

bool isPadding(char c) { return c == ' ' || c == '\0'; }

std::string_view withoutPadding(std::string_view field) {
  while (!field.empty() && isPadding(field.back())) field.remove_suffix(1);
  return field;
}

bool isControl(char c) { return static_cast<unsigned char>(c) < 0x20; }

bool sentenceNumberField(std::string_view field) {
  field = withoutPadding(field);
  while (!field.empty() && field.front() == ' ') field.remove_prefix(1);
  for (const char c : field)
    if (c < '0' || c > '9') return false;
  return true;
}

bool formField(std::string_view field) {
  for (const char c : withoutPadding(field))
    if (isControl(c)) return false;
  return true;
}

bool analysisField(std::string_view field) {
  for (const char c : withoutPadding(field))
    if (isControl(c) && c != '\t' && c != '\r' && c != '\n') return false;
  return true;
}

// The bytes of a field of a record that are present: all of them, or the part a
// short record holds.
std::string_view fieldOf(std::string_view record, std::size_t offset, std::size_t width) {
  if (offset >= record.size()) return {};
  return record.substr(offset, width);
}

}  // namespace

bool readsAsAnalysisRecords(std::string_view bytes) {
  using R = AnalysisRecord;
  for (std::size_t at = 0; at < bytes.size(); at += R::kSize) {
    const std::string_view record = bytes.substr(at, R::kSize);
    if (!sentenceNumberField(fieldOf(record, R::kNumphraseOffset, R::kNumphraseWidth)) ||
        !formField(fieldOf(record, R::kFormeOffset, R::kFormeWidth)) ||
        !analysisField(fieldOf(record, R::kAnalyseOffset, R::kAnalyseWidth)))
      return false;
  }
  return true;
}

bool holdsAnalysisRecords(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  if (!in) return false;
  std::string head(1000 * AnalysisRecord::kSize, '\0');
  in.read(head.data(), static_cast<std::streamsize>(head.size()));
  head.resize(static_cast<std::size_t>(in.gcount()));
  // A record cut by the end of what was read counts only when the file ends there.
  if (head.size() == 1000 * AnalysisRecord::kSize) head.resize(999 * AnalysisRecord::kSize);
  return !head.empty() && readsAsAnalysisRecords(head);
}

std::variant<CandidateGrid, FileError, NotAnalysisRecords> openAnalysisFile(const std::string& path) {
  auto read = readWholeFile(path);
  if (auto* err = std::get_if<FileError>(&read)) return *err;
  const std::string& bytes = std::get<std::string>(read);
  if (!readsAsAnalysisRecords(bytes)) return NotAnalysisRecords{};
  return decodeAnalysisFile(bytes);
}

}  // namespace varnelio
