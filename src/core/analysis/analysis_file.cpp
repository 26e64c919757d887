// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/analysis/analysis_file.h"

#include "core/analysis/analysis_record.h"
#include "core/files/source_file.h"

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

}  // namespace varnelio
