#include "core/files/analysis_record.h"

#include <algorithm>
#include <cstring>

#include "core/text/trim.h"

namespace varnelio {
namespace {

void putField(char* dst, std::size_t width, std::string_view text) {
  const std::size_t n = std::min(width, text.size());
  std::copy_n(text.data(), n, dst);  // an empty view may hold no pointer
  std::memset(dst + n, ' ', width - n);
}

std::string getField(std::string_view bytes, std::size_t offset, std::size_t width) {
  if (offset >= bytes.size()) return {};
  return std::string(trimTrailingSpaces(bytes.substr(offset, width)));
}

}  // namespace

AnalysisRecord::Bytes AnalysisRecord::encode() const {
  Bytes b{};
  const auto u = static_cast<std::uint16_t>(numero);
  b[0] = static_cast<char>(u & 0xFF);
  b[1] = static_cast<char>(u >> 8);
  putField(b.data() + 2, kNumphraseWidth, numphrase);
  putField(b.data() + 9, kFormeWidth, forme);
  putField(b.data() + 109, kAnalyseWidth, analyse);
  // bytes 364..368 stay zero
  return b;
}

AnalysisRecord AnalysisRecord::decode(std::string_view bytes) {
  AnalysisRecord r;
  const auto lo = bytes.size() > 0 ? static_cast<unsigned char>(bytes[0]) : 0u;
  const auto hi = bytes.size() > 1 ? static_cast<unsigned char>(bytes[1]) : 0u;
  r.numero = static_cast<std::int16_t>(static_cast<std::uint16_t>(lo | (hi << 8)));
  r.numphrase = getField(bytes, 2, kNumphraseWidth);
  r.forme = getField(bytes, 9, kFormeWidth);
  r.analyse = getField(bytes, 109, kAnalyseWidth);
  return r;
}

std::uint64_t analysisRecordCount(std::uint64_t length) {
  return length / AnalysisRecord::kSize + (length % AnalysisRecord::kSize >= 185 ? 1 : 0);
}

AnalysisRecord recordFromRow(const CandidateRow& row) {
  AnalysisRecord r;
  r.numero = static_cast<std::int16_t>(static_cast<std::uint16_t>(static_cast<std::uint64_t>(row.number)));
  r.numphrase = row.sentence;
  r.forme = row.form;
  r.analyse = row.analysis;
  return r;
}

CandidateRow rowFromRecord(const AnalysisRecord& record, std::uint64_t recordNumber) {
  CandidateRow row;
  const auto low16 = static_cast<std::uint16_t>(record.numero);
  row.number = (low16 == static_cast<std::uint16_t>(recordNumber)) ? static_cast<std::int32_t>(recordNumber)
                                                                   : static_cast<std::int32_t>(record.numero);
  row.sentence = record.numphrase;
  row.form = record.forme;
  row.analysis = record.analyse;
  row.analysisAlignedTopLeft = true;
  return row;
}

}  // namespace varnelio
