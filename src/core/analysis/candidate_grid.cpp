#include "core/analysis/candidate_grid.h"

#include <algorithm>

#include "core/text/cp1252.h"

namespace varnelio {

const std::string_view CandidateGrid::kHeaders[kColumnCount] = {"N\xB0", "N\xB0 phrase", "Forme(s)",
                                                                 "Analyse(s)"};

std::string_view trimTrailingSpaces(std::string_view text) {
  const auto end = text.find_last_not_of(' ');
  return end == std::string_view::npos ? std::string_view{} : text.substr(0, end + 1);
}

std::string_view trimLeadingSpaces(std::string_view text) {
  const auto begin = text.find_first_not_of(' ');
  return begin == std::string_view::npos ? std::string_view{} : text.substr(begin);
}

std::string_view CandidateGrid::scannedForm(std::uint32_t offset) const {
  // A form is a whole word: the letters from its start up to the first non-letter,
  // which the "." ending every sentence guarantees.
  const std::string& text = source_.text();
  std::size_t end = offset;
  while (end < text.size() && cp1252::isLetter(static_cast<unsigned char>(text[end]))) ++end;
  return std::string_view(text).substr(offset, end - offset);
}

const std::string* CandidateGrid::analysisOf(std::size_t index) const {
  const auto it = std::lower_bound(analyses_.begin(), analyses_.end(), index,
                                   [](const auto& a, std::size_t i) { return a.first < i; });
  return it != analyses_.end() && it->first == index ? &it->second : nullptr;
}

std::int32_t CandidateGrid::number(std::size_t r) const {
  const std::uint32_t entry = entries_[r - 1];
  return entry & kTextRow ? textRows_[entry & ~kTextRow].number : static_cast<std::int32_t>(r);
}

std::string CandidateGrid::sentenceText(std::size_t r) const {
  const std::uint32_t entry = entries_[r - 1];
  if (entry & kTextRow) return textRows_[entry & ~kTextRow].sentence;
  return std::to_string(source_.sentenceNumberAt(entry));
}

std::string_view CandidateGrid::form(std::size_t r) const {
  const std::uint32_t entry = entries_[r - 1];
  return entry & kTextRow ? std::string_view(textRows_[entry & ~kTextRow].form) : scannedForm(entry);
}

std::string_view CandidateGrid::analysis(std::size_t r) const {
  const std::string* a = analysisOf(r - 1);
  return a ? std::string_view(*a) : std::string_view{};
}

CandidateRow CandidateGrid::row(std::size_t r) const {
  return CandidateRow(number(r), sentenceText(r), std::string(form(r)), std::string(analysis(r)),
                      analysisAlignedTopLeft(r));
}

std::string CandidateGrid::cellText(std::size_t r, int c) const {
  if (r == 0) return std::string(kHeaders[c]);
  switch (c) {
    case 0: return std::to_string(number(r));
    case 1: return sentenceText(r);
    case 2: return std::string(form(r));
    default: return std::string(analysis(r));
  }
}

void CandidateGrid::clear() {
  source_ = SentenceTable();
  std::vector<std::uint32_t>().swap(entries_);
  std::vector<TextRow>().swap(textRows_);
  analyses_.clear();
  aligned_.clear();
}

void CandidateGrid::appendCandidate(std::string_view form, std::int64_t sentenceNumber) {
  appendRow(CandidateRow(static_cast<std::int32_t>(entries_.size() + 1), std::to_string(sentenceNumber),
                         std::string(form), {}, false));
}

void CandidateGrid::appendRow(CandidateRow row) {
  const auto index = static_cast<std::uint32_t>(entries_.size());
  entries_.push_back(kTextRow | static_cast<std::uint32_t>(textRows_.size()));
  textRows_.push_back({row.number, std::move(row.sentence), std::move(row.form)});
  if (!row.analysis.empty()) analyses_.emplace_back(index, std::move(row.analysis));
  aligned_.push_back(row.analysisAlignedTopLeft);
}

void CandidateGrid::assignScan(const SentenceTable& source, std::vector<std::uint32_t> formStarts) {
  clear();
  const std::size_t scanned = source.sentenceCount() ? source.sentenceEnd(source.sentenceCount()) : 0;
  if (scanned >= kTextRow) {
    // A text beyond what an entry can point into: its rows are kept as texts.
    source_ = source;
    for (const std::uint32_t start : formStarts)
      appendCandidate(scannedForm(start), source.sentenceNumberAt(start));
    source_ = SentenceTable();
    return;
  }
  // Only starts inside the sentences: every entry must lie in a sentence.
  formStarts.erase(std::remove_if(formStarts.begin(), formStarts.end(), [&](std::uint32_t s) { return s >= scanned; }),
                   formStarts.end());
  source_ = source;
  entries_ = std::move(formStarts);
  aligned_.assign(entries_.size(), false);
}

void CandidateGrid::validate(std::size_t r, std::string_view analysis) {
  if (r < 1 || r > entries_.size()) return;
  const auto index = static_cast<std::uint32_t>(r - 1);
  const std::string_view text = trimTrailingSpaces(analysis);
  const auto it = std::lower_bound(analyses_.begin(), analyses_.end(), index,
                                   [](const auto& a, std::uint32_t i) { return a.first < i; });
  const bool present = it != analyses_.end() && it->first == index;
  if (text.empty()) {
    if (present) analyses_.erase(it);  // an empty cell stores nothing
  } else if (present) {
    it->second.assign(text);
  } else {
    analyses_.emplace(it, index, std::string(text));
  }
  aligned_[index] = true;
}

void CandidateGrid::deleteRow(std::size_t r) {
  if (r < 1 || r > entries_.size()) return;
  const std::size_t index = r - 1;
  // Every later row takes its predecessor's place with its own number minus one:
  // a scanned row's number is its index, a row kept as texts carries its own. The
  // alignment mark stays with the place, as the grid's cell formatting does.
  const std::uint32_t gone = entries_[index];
  if (gone & kTextRow) {
    TextRow& row = textRows_[gone & ~kTextRow];
    std::string().swap(row.sentence);
    std::string().swap(row.form);
  }
  entries_.erase(entries_.begin() + static_cast<std::ptrdiff_t>(index));
  if (!textRows_.empty())
    for (std::size_t i = index; i < entries_.size(); ++i)
      if (entries_[i] & kTextRow) --textRows_[entries_[i] & ~kTextRow].number;
  auto it = std::lower_bound(analyses_.begin(), analyses_.end(), index,
                             [](const auto& a, std::size_t i) { return a.first < i; });
  if (it != analyses_.end() && it->first == index) it = analyses_.erase(it);
  for (; it != analyses_.end(); ++it) --it->first;
  aligned_.pop_back();
  if (entries_.empty()) textRows_.clear();
}

}  // namespace varnelio
