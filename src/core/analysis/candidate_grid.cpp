#include "core/analysis/candidate_grid.h"

#include <algorithm>
#include <charconv>

#include "core/analysis/candidate_scan.h"
#include "core/text/trim.h"

namespace varnelio {

const std::string_view CandidateGrid::kHeaders[kColumnCount] = {"N\xB0", "N\xB0 phrase", "Forme(s)",
                                                                 "Analyse(s)"};

std::size_t CandidateGrid::candidateCount() const {
  return scanned() ? firstCandidate_.back() - deleted_.size() : textRows_.size();
}

CandidateGrid::Place CandidateGrid::placeOf(std::size_t r) const {
  // The candidate of row r is the r-th one the deletions left. A deleted candidate
  // d, the i-th deleted, had d - i candidates kept before it: those with d - i < r
  // come before row r.
  const auto target = static_cast<std::uint32_t>(r - 1);
  std::size_t lo = 0, hi = deleted_.size();
  while (lo < hi) {
    const std::size_t mid = (lo + hi) / 2;
    if (deleted_[mid] - mid <= target) lo = mid + 1;
    else hi = mid;
  }
  const auto candidate = static_cast<std::uint32_t>(target + lo);
  const auto after = std::upper_bound(firstCandidate_.begin(), firstCandidate_.end(), candidate);
  const auto sentence = static_cast<std::size_t>(after - firstCandidate_.begin()) - 1;
  return {sentence, candidate - firstCandidate_[sentence]};
}

std::string_view CandidateGrid::scannedForm(const Place& place) const {
  if (cachedSentence_ != place.sentence) {
    cachedForms_.clear();
    const std::string_view sentence = *source_.sentence(static_cast<std::int64_t>(place.sentence) + 1);
    Cherchecandidats(sentence, 0, *kind_, [&](std::string_view form, std::int64_t) { cachedForms_.push_back(form); });
    cachedSentence_ = place.sentence;
  }
  return cachedForms_[place.rank];
}

const std::string* CandidateGrid::analysisOf(std::size_t index) const {
  const auto it = std::lower_bound(analyses_.begin(), analyses_.end(), index,
                                   [](const auto& a, std::size_t i) { return a.first < i; });
  return it != analyses_.end() && it->first == index ? &it->second : nullptr;
}

bool CandidateGrid::analysisAlignedTopLeft(std::size_t r) const {
  return std::binary_search(aligned_.begin(), aligned_.end(), static_cast<std::uint32_t>(r - 1));
}

std::int32_t CandidateGrid::number(std::size_t r) const {
  return scanned() ? static_cast<std::int32_t>(r) : textRows_[r - 1].number;
}

std::string CandidateGrid::sentenceText(std::size_t r) const {
  if (!scanned()) return textRows_[r - 1].sentence;
  return std::to_string(placeOf(r).sentence + 1);
}

std::string_view CandidateGrid::form(std::size_t r) const {
  return scanned() ? scannedForm(placeOf(r)) : std::string_view(textRows_[r - 1].form);
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

void CandidateGrid::forEachRow(const RowVisitor& visit) const {
  std::size_t nextAnalysis = 0;
  std::uint32_t index = 0;  // of the row visited, from 0
  const auto analysisAt = [&]() -> std::string_view {
    if (nextAnalysis < analyses_.size() && analyses_[nextAnalysis].first == index)
      return analyses_[nextAnalysis++].second;
    return {};
  };
  if (!scanned()) {
    for (const TextRow& row : textRows_) {
      visit(row.number, row.sentence, row.form, analysisAt());
      ++index;
    }
    return;
  }
  // The sentences that hold candidates are scanned again, in order.
  std::size_t nextDeleted = 0;
  char digits[24];
  for (std::size_t s = 0; s + 1 < firstCandidate_.size(); ++s) {
    std::uint32_t candidate = firstCandidate_[s];
    if (candidate == firstCandidate_[s + 1]) continue;
    const auto n = static_cast<std::int64_t>(s + 1);
    const std::string_view number(digits, static_cast<std::size_t>(std::to_chars(digits, digits + sizeof digits, n).ptr - digits));
    Cherchecandidats(*source_.sentence(n), n, *kind_, [&](std::string_view form, std::int64_t) {
      if (nextDeleted < deleted_.size() && deleted_[nextDeleted] == candidate) {
        ++nextDeleted;
      } else {
        visit(static_cast<std::int64_t>(index) + 1, number, form, analysisAt());
        ++index;
      }
      ++candidate;
    });
  }
}

void CandidateGrid::clear() {
  source_ = SentenceTable();
  kind_ = nullptr;
  std::vector<std::uint32_t>().swap(firstCandidate_);
  std::vector<std::uint32_t>().swap(deleted_);
  cachedSentence_ = static_cast<std::size_t>(-1);
  cachedForms_.clear();
  std::vector<TextRow>().swap(textRows_);
  analyses_.clear();
  aligned_.clear();
}

void CandidateGrid::keepAsTexts() {
  if (!scanned()) return;
  std::vector<TextRow> rows;
  rows.reserve(candidateCount());
  forEachRow([&](std::int64_t number, std::string_view sentence, std::string_view form, std::string_view) {
    rows.push_back({static_cast<std::int32_t>(number), std::string(sentence), std::string(form)});
  });
  auto analyses = std::move(analyses_);
  auto aligned = std::move(aligned_);
  clear();
  textRows_ = std::move(rows);
  analyses_ = std::move(analyses);
  aligned_ = std::move(aligned);
}

void CandidateGrid::appendCandidate(std::string_view form, std::int64_t sentenceNumber) {
  appendRow(CandidateRow(static_cast<std::int32_t>(candidateCount() + 1), std::to_string(sentenceNumber),
                         std::string(form), {}, false));
}

void CandidateGrid::appendRow(CandidateRow row) {
  keepAsTexts();
  const auto index = static_cast<std::uint32_t>(textRows_.size());
  textRows_.push_back({row.number, std::move(row.sentence), std::move(row.form)});
  if (!row.analysis.empty()) analyses_.emplace_back(index, std::move(row.analysis));
  if (row.analysisAlignedTopLeft) aligned_.push_back(index);
}

void CandidateGrid::assignScan(const SentenceTable& source, const AnalysisKind& kind,
                               std::vector<std::uint32_t> firstCandidate) {
  clear();
  if (firstCandidate.size() != source.sentenceCount() + 1 || firstCandidate.front() != 0 ||
      !std::is_sorted(firstCandidate.begin(), firstCandidate.end()))
    return;  // not the counts of this table: no rows
  source_ = source;
  kind_ = &kind;
  firstCandidate_ = std::move(firstCandidate);
}

void CandidateGrid::validate(std::size_t r, std::string_view analysis) {
  if (r < 1 || r > candidateCount()) return;
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
  const auto mark = std::lower_bound(aligned_.begin(), aligned_.end(), index);
  if (mark == aligned_.end() || *mark != index) aligned_.insert(mark, index);
}

void CandidateGrid::deleteRow(std::size_t r) { deleteRows({r}); }

void CandidateGrid::deleteRows(const std::vector<std::size_t>& rows) { removeRows(rows); }

CandidateGrid::RemovedRows CandidateGrid::removeRows(const std::vector<std::size_t>& rows) {
  std::vector<std::uint32_t> kept;
  kept.reserve(rows.size());
  for (const std::size_t r : rows)
    if (r >= 1 && r <= candidateCount()) kept.push_back(static_cast<std::uint32_t>(r));
  return removeRows(std::move(kept));
}

CandidateGrid::RemovedRows CandidateGrid::removeRows(std::vector<std::uint32_t> rows) {
  RemovedRows removed;
  const std::size_t count = candidateCount();
  // The rows turn into indexes from 0 while working, ascending, each once.
  std::vector<std::uint32_t>& gone = removed.rows_;
  gone = std::move(rows);
  std::size_t kept = 0;
  for (const std::uint32_t r : gone)
    if (r >= 1 && r <= count && (kept == 0 || gone[kept - 1] < r - 1)) gone[kept++] = r - 1;
  gone.resize(kept);
  if (gone.empty()) return removed;
  if (scanned()) {
    std::vector<std::uint32_t>& candidates = removed.candidates_;
    candidates.reserve(gone.size());
    for (const std::uint32_t index : gone) {
      const Place place = placeOf(index + 1);
      candidates.push_back(firstCandidate_[place.sentence] + place.rank);
    }
    std::vector<std::uint32_t> merged(deleted_.size() + candidates.size());
    std::merge(deleted_.begin(), deleted_.end(), candidates.begin(), candidates.end(), merged.begin());
    deleted_ = std::move(merged);
  } else {
    // Each row kept moves up by the rows deleted before it, its number with it.
    removed.texts_.reserve(gone.size());
    std::size_t next = 0, to = 0;
    for (std::size_t from = 0; from < textRows_.size(); ++from) {
      if (next < gone.size() && gone[next] == from) {
        ++next;
        removed.texts_.push_back(std::move(textRows_[from]));
        continue;
      }
      textRows_[from].number -= static_cast<std::int32_t>(next);
      if (to != from) textRows_[to] = std::move(textRows_[from]);
      ++to;
    }
    textRows_.resize(to);
  }
  // The analyses follow their rows; the alignment marks stay with the places, and
  // the last places go with theirs.
  std::size_t next = 0, to = 0;
  for (std::size_t from = 0; from < analyses_.size(); ++from) {
    auto& entry = analyses_[from];
    while (next < gone.size() && gone[next] < entry.first) ++next;
    if (next < gone.size() && gone[next] == entry.first) {
      removed.analyses_.push_back(std::move(entry));
      continue;
    }
    entry.first -= static_cast<std::uint32_t>(next);
    if (to != from) analyses_[to] = std::move(entry);
    ++to;
  }
  analyses_.resize(to);
  const std::size_t firstGonePlace = count - gone.size();
  const auto tail = std::lower_bound(aligned_.begin(), aligned_.end(), static_cast<std::uint32_t>(firstGonePlace));
  removed.tailMarks_.assign(tail, aligned_.end());
  aligned_.erase(tail, aligned_.end());
  for (std::uint32_t& index : gone) ++index;  // the rows as the windows number them
  return removed;
}

std::vector<std::uint32_t> CandidateGrid::restoreRows(RemovedRows&& removed) {
  const std::vector<std::uint32_t>& rows = removed.rows_;
  if (rows.empty()) return {};
  if (scanned()) {
    std::vector<std::uint32_t> kept;
    kept.reserve(deleted_.size() - std::min(deleted_.size(), removed.candidates_.size()));
    std::set_difference(deleted_.begin(), deleted_.end(), removed.candidates_.begin(), removed.candidates_.end(),
                        std::back_inserter(kept));
    deleted_ = std::move(kept);
  } else {
    // The rows kept move down again by the rows put back before them.
    std::vector<TextRow> all;
    all.reserve(textRows_.size() + removed.texts_.size());
    std::size_t next = 0, kept = 0;
    while (all.size() < textRows_.size() + removed.texts_.size()) {
      if (next < rows.size() && rows[next] == all.size() + 1) {
        all.push_back(std::move(removed.texts_[next++]));
      } else {
        TextRow& row = textRows_[kept++];
        row.number += static_cast<std::int32_t>(next);
        all.push_back(std::move(row));
      }
    }
    textRows_ = std::move(all);
  }
  // Each analysis kept goes back to its index before the deletion, and those of the
  // rows put back join them there.
  std::vector<std::pair<std::uint32_t, std::string>> analyses;
  analyses.reserve(analyses_.size() + removed.analyses_.size());
  std::size_t next = 0, back = 0;
  for (auto& entry : analyses_) {
    while (next < rows.size() && rows[next] - 1 <= entry.first + next) ++next;
    const auto index = static_cast<std::uint32_t>(entry.first + next);
    while (back < removed.analyses_.size() && removed.analyses_[back].first < index)
      analyses.push_back(std::move(removed.analyses_[back++]));
    analyses.emplace_back(index, std::move(entry.second));
  }
  while (back < removed.analyses_.size()) analyses.push_back(std::move(removed.analyses_[back++]));
  analyses_ = std::move(analyses);
  aligned_.insert(aligned_.end(), removed.tailMarks_.begin(), removed.tailMarks_.end());
  std::vector<std::uint32_t> restored = std::move(removed.rows_);
  removed = RemovedRows();
  return restored;
}

void CandidateGrid::swapAnalysisCells(PackedCells& cells) {
  const std::size_t count = candidateCount();
  PackedCells replaced;
  replaced.reserve(cells.size());
  std::vector<std::pair<std::uint32_t, std::string>> analyses;
  analyses.reserve(analyses_.size() + cells.size());
  std::vector<std::uint32_t> aligned;
  aligned.reserve(aligned_.size() + cells.size());
  std::size_t a = 0, m = 0;
  for (std::size_t i = 0; i < cells.size(); ++i) {
    const std::uint32_t row = cells.row(i);
    if (row < 1 || row > count || (!replaced.empty() && replaced.row(replaced.size() - 1) >= row)) continue;
    const std::uint32_t index = row - 1;
    while (a < analyses_.size() && analyses_[a].first < index) analyses.push_back(std::move(analyses_[a++]));
    while (m < aligned_.size() && aligned_[m] < index) aligned.push_back(aligned_[m++]);
    std::string_view text;
    if (a < analyses_.size() && analyses_[a].first == index) text = analyses_[a++].second;
    const bool mark = m < aligned_.size() && aligned_[m] == index;
    if (mark) ++m;
    replaced.add(row, text, mark);
    if (!cells.text(i).empty()) analyses.emplace_back(index, std::string(cells.text(i)));  // an empty cell stores nothing
    if (cells.alignedTopLeft(i)) aligned.push_back(index);
  }
  while (a < analyses_.size()) analyses.push_back(std::move(analyses_[a++]));
  aligned.insert(aligned.end(), aligned_.begin() + static_cast<std::ptrdiff_t>(m), aligned_.end());
  analyses_ = std::move(analyses);
  aligned_ = std::move(aligned);
  // Swapped, not move-assigned: a string moved onto keeps its own buffer, which
  // would keep the texts just given to the grid alive in the step.
  std::swap(cells, replaced);
}

CandidateGrid::Edits CandidateGrid::edits() const {
  Edits e;
  e.scanned = scanned();
  if (e.scanned) {
    e.scanCount = firstCandidate_.back();
    e.deleted = deleted_;
  } else {
    e.textRows = textRows_;
  }
  e.analyses = analyses_;
  e.aligned = aligned_;
  return e;
}

bool CandidateGrid::applyEdits(Edits edits) {
  if (edits.scanned != scanned()) return false;
  std::size_t count = 0;
  if (scanned()) {
    if (edits.scanCount != firstCandidate_.back() || !std::is_sorted(edits.deleted.begin(), edits.deleted.end()) ||
        std::adjacent_find(edits.deleted.begin(), edits.deleted.end()) != edits.deleted.end() ||
        (!edits.deleted.empty() && edits.deleted.back() >= edits.scanCount))
      return false;
    count = edits.scanCount - edits.deleted.size();
  } else {
    count = edits.textRows.size();
  }
  const auto ascending = [count](const auto& indexes, auto key) {
    for (std::size_t i = 0; i < indexes.size(); ++i)
      if (key(indexes[i]) >= count || (i > 0 && key(indexes[i - 1]) >= key(indexes[i]))) return false;
    return true;
  };
  if (!ascending(edits.analyses, [](const auto& a) { return a.first; }) ||
      !ascending(edits.aligned, [](std::uint32_t i) { return i; }))
    return false;
  if (scanned()) {
    deleted_ = std::move(edits.deleted);
  } else {
    textRows_ = std::move(edits.textRows);
  }
  analyses_ = std::move(edits.analyses);
  aligned_ = std::move(edits.aligned);
  return true;
}

}  // namespace varnelio
