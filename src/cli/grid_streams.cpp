#include "cli/grid_streams.h"

#include <algorithm>
#include <charconv>
#include <cstring>

#include "core/analysis/candidate_grid.h"
#include "core/files/analysis_record.h"
#include "core/reports/spreadsheet_export.h"

namespace varnelio::cli {

bool SpreadsheetStream::endLine() {
  if (lfOnly_) {
    buffer_.resize(buffer_.size() - 2);
    buffer_ += '\n';
  }
  if (buffer_.size() >= kChunk) {
    ok_ = ok_ && out_.write(buffer_);
    buffer_.clear();
  }
  return ok_;
}

bool SpreadsheetStream::header() {
  appendSpreadsheetHeader(buffer_);
  return endLine();
}

bool SpreadsheetStream::row(std::int64_t number, std::string_view sentence, std::string_view form,
                            std::string_view analysis) {
  appendSpreadsheetRow(buffer_, number, sentence, form, analysis);
  return endLine();
}

bool SpreadsheetStream::finish() {
  if (!buffer_.empty()) ok_ = ok_ && out_.write(buffer_);
  buffer_.clear();
  return ok_;
}

AnalysisFileStream::AnalysisFileStream(ChunkWriter& out) : out_(out), blank_(AnalysisRecord::kSize, ' ') {
  std::fill(blank_.end() - 5, blank_.end(), '\0');
  buffer_.reserve(kRecordsPerChunk * AnalysisRecord::kSize);
}

bool AnalysisFileStream::row(std::int64_t number, std::string_view sentence, std::string_view form,
                             std::string_view analysis) {
  const std::size_t at = buffer_.size();
  buffer_ += blank_;
  char* rec = buffer_.data() + at;
  // The low 16 bits of the number, little-endian, as the record codec writes it.
  const auto low = static_cast<std::uint16_t>(static_cast<std::uint64_t>(number));
  rec[0] = static_cast<char>(low & 0xFF);
  rec[1] = static_cast<char>(low >> 8);
  // copy_n, not memcpy: an empty view (the analysis of a scan) holds no pointer.
  std::copy_n(sentence.data(), std::min(sentence.size(), AnalysisRecord::kNumphraseWidth), rec + 2);
  std::copy_n(form.data(), std::min(form.size(), AnalysisRecord::kFormeWidth), rec + 9);
  std::copy_n(analysis.data(), std::min(analysis.size(), AnalysisRecord::kAnalyseWidth), rec + 109);
  if (buffer_.size() >= kRecordsPerChunk * AnalysisRecord::kSize) {
    ok_ = ok_ && out_.write(buffer_);
    buffer_.clear();
  }
  return ok_;
}

bool AnalysisFileStream::finish() {
  if (!buffer_.empty()) ok_ = ok_ && out_.write(buffer_);
  buffer_.clear();
  return ok_;
}

}  // namespace varnelio::cli
