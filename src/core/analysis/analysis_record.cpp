// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/analysis/analysis_record.h"

#include "core/files/fixed_record.h"
#include "core/text/trim.h"

namespace varnelio {
namespace {

std::string getField(std::string_view bytes, std::size_t offset, std::size_t width) {
  return std::string(trimTrailingSpaces(fixed_record::getField(bytes, offset, width)));
}

}  // namespace

AnalysisRecord::Bytes AnalysisRecord::encode() const {
  Bytes b{};  // the reserve, bytes 364..368, stays zero
  encodeRecord(b.data(), numero, numphrase, forme, analyse);
  return b;
}

AnalysisRecord AnalysisRecord::decode(std::string_view bytes) {
  AnalysisRecord r;
  r.numero = fixed_record::getInt16(bytes);
  r.numphrase = getField(bytes, kNumphraseOffset, kNumphraseWidth);
  r.forme = getField(bytes, kFormeOffset, kFormeWidth);
  r.analyse = getField(bytes, kAnalyseOffset, kAnalyseWidth);
  return r;
}

void AnalysisRecord::encodeRecord(char* record, std::int64_t number, std::string_view sentence,
                                  std::string_view form, std::string_view analysis) {
  fixed_record::putInt16(record, number);
  fixed_record::putField(record, kNumphraseOffset, kNumphraseWidth, sentence);
  fixed_record::putField(record, kFormeOffset, kFormeWidth, form);
  fixed_record::putField(record, kAnalyseOffset, kAnalyseWidth, analysis);
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
