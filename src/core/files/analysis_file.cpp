#include "core/files/analysis_file.h"

#include "core/files/analysis_record.h"
#include "core/files/atomic_file.h"
#include "core/text/source_text.h"

namespace varnelio {
namespace {

AnalysisRecord recordOf(std::int64_t number, std::string_view sentence, std::string_view form,
                        std::string_view analysis) {
  AnalysisRecord r;
  r.numero = static_cast<std::int16_t>(static_cast<std::uint16_t>(static_cast<std::uint64_t>(number)));
  r.numphrase = sentence;
  r.forme = form;
  r.analyse = analysis;
  return r;
}

}  // namespace

std::string encodeAnalysisFile(const CandidateGrid& grid) {
  std::string out;
  out.reserve(grid.candidateCount() * AnalysisRecord::kSize);
  grid.forEachRow([&](std::int64_t number, std::string_view sentence, std::string_view form,
                      std::string_view analysis) {
    const auto bytes = recordOf(number, sentence, form, analysis).encode();
    out.append(bytes.data(), bytes.size());
  });
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
    bool ok = true;
    grid.forEachRow([&](std::int64_t number, std::string_view sentence, std::string_view form,
                        std::string_view analysis) {
      const auto bytes = recordOf(number, sentence, form, analysis).encode();
      ok = ok && w.write(std::string_view(bytes.data(), bytes.size()));
    });
    return ok;
  });
}

std::variant<CandidateGrid, FileError> readAnalysisFile(const std::string& path) {
  auto read = readWholeFile(path);
  if (auto* err = std::get_if<FileError>(&read)) return *err;
  return decodeAnalysisFile(std::get<std::string>(read));
}

}  // namespace varnelio
