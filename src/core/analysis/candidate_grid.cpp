#include "core/analysis/candidate_grid.h"

#include <algorithm>
#include <charconv>

#include "core/text/trim.h"

namespace varnelio {

const std::string_view CandidateGrid::kHeaders[kColumnCount] = {"N\xB0", "N\xB0 phrase", "Forme(s)",
                                                                 "Analyse(s)"};

std::string CandidateGrid::cellText(std::size_t r, int c) const {
  if (r == 0) return std::string(kHeaders[c]);
  const CandidateRow& row = rows_[r - 1];
  switch (c) {
    case 0: return std::to_string(row.number);
    case 1: return row.sentence;
    case 2: return row.form;
    default: return row.analysis;
  }
}

void CandidateGrid::appendCandidate(std::string_view form, std::int64_t sentenceNumber) {
  CandidateRow row;
  row.number = static_cast<std::int32_t>(rows_.size() + 1);
  char digits[24];
  const auto res = std::to_chars(digits, digits + sizeof digits, sentenceNumber);
  row.sentence.assign(digits, res.ptr);
  row.form.assign(form);
  rows_.push_back(std::move(row));
}

void CandidateGrid::validate(std::size_t r, std::string_view analysis) {
  if (r < 1 || r > rows_.size()) return;
  CandidateRow& row = rows_[r - 1];
  row.analysis.assign(trimTrailingSpaces(analysis));
  row.analysisAlignedTopLeft = true;
}

void CandidateGrid::deleteRow(std::size_t r) {
  if (r < 1 || r > rows_.size()) return;
  // Each later row takes its predecessor's place with its own number minus one;
  // the alignment mark stays with the place, as the grid's cell formatting does.
  const std::size_t i0 = r - 1;
  for (std::size_t i = i0; i + 1 < rows_.size(); ++i) {
    CandidateRow& dst = rows_[i];
    CandidateRow& src = rows_[i + 1];
    dst.number = src.number - 1;
    dst.sentence = std::move(src.sentence);
    dst.form = std::move(src.form);
    dst.analysis = std::move(src.analysis);
  }
  rows_.pop_back();
}

}  // namespace varnelio
