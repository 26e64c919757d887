#include "core/files/analysis_file.h"

#include "core/files/analysis_record.h"
#include "core/files/atomic_file.h"
#include "core/text/source_text.h"

namespace varnelio {

std::string encodeAnalysisFile(const CandidateGrid& grid) {
  std::string out;
  out.reserve(grid.candidateCount() * AnalysisRecord::kSize);
  for (const CandidateRow& row : grid.rows()) {
    const auto bytes = recordFromRow(row).encode();
    out.append(bytes.data(), bytes.size());
  }
  return out;
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
  return writeFileAtomically(path, [&](ChunkWriter& w) {
    for (const CandidateRow& row : grid.rows()) {
      const auto bytes = recordFromRow(row).encode();
      if (!w.write(std::string_view(bytes.data(), bytes.size()))) return false;
    }
    return true;
  });
}

std::variant<CandidateGrid, FileError> readAnalysisFile(const std::string& path) {
  auto read = readWholeFile(path);
  if (auto* err = std::get_if<FileError>(&read)) return *err;
  return decodeAnalysisFile(std::get<std::string>(read));
}

}  // namespace varnelio
