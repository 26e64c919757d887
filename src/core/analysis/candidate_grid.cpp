// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/analysis/candidate_grid.h"

#include <algorithm>
#include <charconv>

#include "core/analysis/candidate_scan.h"
#include "core/text/trim.h"

namespace varnelio {
namespace {

// Entries kept by row index (from 0, ascending) that follow their rows: those of
// the rows deleted (indexes `gone`, ascending) go to `out`, the others move up.
template <typename Value>
void followDeletion(std::vector<std::pair<std::uint32_t, Value>>& entries, const std::vector<std::uint32_t>& gone,
                    std::vector<std::pair<std::uint32_t, Value>>& out) {
  std::size_t next = 0, to = 0;
  for (std::size_t from = 0; from < entries.size(); ++from) {
    auto& entry = entries[from];
    while (next < gone.size() && gone[next] < entry.first) ++next;
    if (next < gone.size() && gone[next] == entry.first) {
      out.push_back(std::move(entry));
      continue;
    }
    entry.first -= static_cast<std::uint32_t>(next);
    if (to != from) entries[to] = std::move(entry);
    ++to;
  }
  entries.resize(to);
}

// The other way: each entry goes back to its index before the deletion of `rows`
// (ascending, from 1), and those of the rows put back join them there.
template <typename Value>
void followRestoration(std::vector<std::pair<std::uint32_t, Value>>& entries, const std::vector<std::uint32_t>& rows,
                       std::vector<std::pair<std::uint32_t, Value>>&& back) {
  std::vector<std::pair<std::uint32_t, Value>> all;
  all.reserve(entries.size() + back.size());
  std::size_t next = 0, b = 0;
  for (auto& entry : entries) {
    while (next < rows.size() && rows[next] - 1 <= entry.first + next) ++next;
    const auto index = static_cast<std::uint32_t>(entry.first + next);
    while (b < back.size() && back[b].first < index) all.push_back(std::move(back[b++]));
    all.emplace_back(index, std::move(entry.second));
  }
  while (b < back.size()) all.push_back(std::move(back[b++]));
  entries = std::move(all);
}

}  // namespace

const std::string_view CandidateGrid::kHeaders[kColumnCount] = {"N\xB0", "N\xB0 phrase", "Forme(s)",
                                                                 "Analyse(s)"};

// ---- The source ----

std::uint32_t CandidateGrid::sourceCount() const {
  if (const auto* scan = std::get_if<ScanRows>(&source_))
    return static_cast<std::uint32_t>(scan->firstCandidate.back());
  return static_cast<std::uint32_t>(std::get<TextRows>(source_).rows.size());
}

std::int32_t CandidateGrid::sourceNumber(std::uint32_t id) const {
  if (std::holds_alternative<ScanRows>(source_)) return static_cast<std::int32_t>(id + 1);
  return std::get<TextRows>(source_).rows[id].number;
}

std::string CandidateGrid::sourceSentence(std::uint32_t id) const {
  if (const auto* scan = std::get_if<ScanRows>(&source_)) {
    const auto after = std::upper_bound(scan->firstCandidate.begin(), scan->firstCandidate.end(), id);
    return std::to_string(after - scan->firstCandidate.begin());
  }
  return std::get<TextRows>(source_).rows[id].sentence;
}

std::string_view CandidateGrid::sourceForm(std::uint32_t id) const {
  const auto* scan = std::get_if<ScanRows>(&source_);
  if (!scan) return std::get<TextRows>(source_).rows[id].form;
  const auto after = std::upper_bound(scan->firstCandidate.begin(), scan->firstCandidate.end(), id);
  const auto sentence = static_cast<std::size_t>(after - scan->firstCandidate.begin()) - 1;
  if (scan->cachedSentence != sentence) {
    scan->cachedForms.clear();
    const std::string_view text = *scan->text.sentence(static_cast<std::int64_t>(sentence) + 1);
    scanCandidates(text, 0, *scan->kind,
                   [&](std::string_view form, std::int64_t) { scan->cachedForms.push_back(form); });
    scan->cachedSentence = sentence;
  }
  return scan->cachedForms[id - scan->firstCandidate[sentence]];
}

void CandidateGrid::forEachSourceRow(const SourceVisitor& visit) const {
  if (const auto* texts = std::get_if<TextRows>(&source_)) {
    for (std::uint32_t id = 0; id < texts->rows.size(); ++id) {
      const TextRow& row = texts->rows[id];
      visit(id, row.number, row.sentence, row.form);
    }
    return;
  }
  // The sentences that hold candidates are scanned again, in order.
  const ScanRows& scan = std::get<ScanRows>(source_);
  char digits[24];
  for (std::size_t s = 0; s + 1 < scan.firstCandidate.size(); ++s) {
    auto id = static_cast<std::uint32_t>(scan.firstCandidate[s]);
    if (id == scan.firstCandidate[s + 1]) continue;
    const auto n = static_cast<std::int64_t>(s + 1);
    const std::string_view number(
        digits, static_cast<std::size_t>(std::to_chars(digits, digits + sizeof digits, n).ptr - digits));
    scanCandidates(*scan.text.sentence(n), n, *scan.kind, [&](std::string_view form, std::int64_t) {
      if (id < scan.firstCandidate[s + 1]) visit(id, static_cast<std::int32_t>(id + 1), number, form);
      ++id;
    });
  }
}

// ---- Rows under the edits ----

std::size_t CandidateGrid::candidateCount() const { return sourceCount() - deleted_.size(); }

std::uint32_t CandidateGrid::idOf(std::size_t r) const {
  // Row r is the r-th place the deletions left. A deleted place d, the i-th deleted,
  // had d - i places kept before it: those with d - i < r come before row r.
  const auto target = static_cast<std::uint32_t>(r - 1);
  std::size_t lo = 0, hi = deleted_.size();
  while (lo < hi) {
    const std::size_t mid = (lo + hi) / 2;
    if (deleted_[mid] - mid <= target) lo = mid + 1;
    else hi = mid;
  }
  return static_cast<std::uint32_t>(target + lo);
}

std::string_view CandidateGrid::analysisAt(std::size_t index) const {
  const auto it = std::lower_bound(analyses_.begin(), analyses_.end(), index,
                                   [](const auto& a, std::size_t i) { return a.first < i; });
  return it != analyses_.end() && it->first == index ? texts_.text(it->second) : std::string_view{};
}

bool CandidateGrid::analysisAlignedTopLeft(std::size_t r) const {
  return std::binary_search(aligned_.begin(), aligned_.end(), static_cast<std::uint32_t>(r - 1));
}

std::int32_t CandidateGrid::number(std::size_t r) const {
  // Every row deleted before it lowered its number by one.
  const std::uint32_t id = idOf(r);
  return sourceNumber(id) - static_cast<std::int32_t>(id - (r - 1));
}

std::string CandidateGrid::sentenceText(std::size_t r) const { return sourceSentence(idOf(r)); }

std::string_view CandidateGrid::form(std::size_t r) const { return sourceForm(idOf(r)); }

std::string_view CandidateGrid::analysis(std::size_t r) const { return analysisAt(r - 1); }

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
  std::size_t nextAnalysis = 0, nextDeleted = 0;
  std::uint32_t index = 0;  // of the row visited, from 0
  forEachSourceRow([&](std::uint32_t id, std::int32_t number, std::string_view sentence, std::string_view form) {
    if (nextDeleted < deleted_.size() && deleted_[nextDeleted] == id) {
      ++nextDeleted;
      return;
    }
    std::string_view analysis;
    if (nextAnalysis < analyses_.size() && analyses_[nextAnalysis].first == index)
      analysis = texts_.text(analyses_[nextAnalysis++].second);
    visit(std::int64_t{number} - static_cast<std::int64_t>(nextDeleted), sentence, form, analysis);
    ++index;
  });
}

void CandidateGrid::forEachPlace(const PlaceVisitor& visit) const {
  std::size_t nextAnalysis = 0, nextDeleted = 0;
  std::uint32_t index = 0;  // of the next row kept, from 0
  const std::uint32_t count = sourceCount();
  for (std::uint32_t place = 0; place < count; ++place) {
    if (nextDeleted < deleted_.size() && deleted_[nextDeleted] == place) {
      ++nextDeleted;
      visit(place, false, {});
      continue;
    }
    std::string_view analysis;
    if (nextAnalysis < analyses_.size() && analyses_[nextAnalysis].first == index)
      analysis = texts_.text(analyses_[nextAnalysis++].second);
    visit(place, true, analysis);
    ++index;
  }
}

void CandidateGrid::clear() { *this = CandidateGrid(); }

void CandidateGrid::reserve(std::size_t n) {
  if (auto* texts = std::get_if<TextRows>(&source_)) texts->rows.reserve(n);
}

void CandidateGrid::appendCandidate(std::string_view form, std::int64_t sentenceNumber) {
  appendRow(CandidateRow(static_cast<std::int32_t>(candidateCount() + 1), std::to_string(sentenceNumber),
                         std::string(form), {}, false));
}

void CandidateGrid::appendRow(CandidateRow row) {
  if (!std::holds_alternative<TextRows>(source_) || sourceCount() >= kMaxCandidates) {
    if (isScanned()) clear();  // rows given as texts never follow a scan's
    else return;
  }
  auto& rows = std::get<TextRows>(source_).rows;
  const auto index = static_cast<std::uint32_t>(candidateCount());
  rows.push_back({row.number, std::move(row.sentence), std::move(row.form)});
  if (!row.analysis.empty()) analyses_.emplace_back(index, texts_.intern(row.analysis));
  if (row.analysisAlignedTopLeft) aligned_.push_back(index);
}

void CandidateGrid::assignScan(const SentenceTable& source, const AnalysisKind& kind,
                               std::vector<std::uint64_t> firstCandidate) {
  if (!firstCandidate.empty() && firstCandidate.back() > kMaxCandidates) {
    clear();
    return;  // more than a grid holds: no rows
  }
  assignScan(source, kind, std::vector<std::uint32_t>(firstCandidate.begin(), firstCandidate.end()));
}

void CandidateGrid::assignScan(const SentenceTable& source, const AnalysisKind& kind,
                               std::vector<std::uint32_t> firstCandidate) {
  clear();
  if (firstCandidate.size() != source.sentenceCount() + 1 || firstCandidate.front() != 0 ||
      !std::is_sorted(firstCandidate.begin(), firstCandidate.end()))
    return;  // not the counts of this table: no rows
  ScanRows scan;
  scan.text = source;
  scan.kind = &kind;
  scan.firstCandidate = std::move(firstCandidate);
  source_ = std::move(scan);
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
    it->second = texts_.intern(text);
  } else {
    analyses_.emplace(it, index, texts_.intern(text));
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
  std::vector<std::uint32_t>& ids = removed.ids_;
  ids.reserve(gone.size());
  for (const std::uint32_t index : gone) ids.push_back(idOf(index + 1));
  std::vector<std::uint32_t> merged(deleted_.size() + ids.size());
  std::merge(deleted_.begin(), deleted_.end(), ids.begin(), ids.end(), merged.begin());
  deleted_ = std::move(merged);
  // The analyses and the proposals follow their rows; the alignment marks stay with
  // the places, and the last places go with theirs.
  // What went keeps its texts: the steps that put it back outlive the pool's ids.
  std::vector<std::pair<std::uint32_t, std::uint32_t>> goneAnalyses;
  followDeletion(analyses_, gone, goneAnalyses);
  removed.analyses_.reserve(goneAnalyses.size());
  for (const auto& [index, id] : goneAnalyses) removed.analyses_.emplace_back(index, std::string(texts_.text(id)));
  followDeletion(proposals_, gone, removed.proposals_);
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
  std::vector<std::uint32_t> kept;
  kept.reserve(deleted_.size() - std::min(deleted_.size(), removed.ids_.size()));
  std::set_difference(deleted_.begin(), deleted_.end(), removed.ids_.begin(), removed.ids_.end(),
                      std::back_inserter(kept));
  deleted_ = std::move(kept);
  std::vector<std::pair<std::uint32_t, std::uint32_t>> back;
  back.reserve(removed.analyses_.size());
  for (const auto& [index, text] : removed.analyses_) back.emplace_back(index, texts_.intern(text));
  followRestoration(analyses_, rows, std::move(back));
  followRestoration(proposals_, rows, std::move(removed.proposals_));
  aligned_.insert(aligned_.end(), removed.tailMarks_.begin(), removed.tailMarks_.end());
  std::vector<std::uint32_t> restored = std::move(removed.rows_);
  removed = RemovedRows();
  return restored;
}

CandidateGrid::RemovedRows CandidateGrid::deletedAt(const std::vector<std::uint32_t>& places) const {
  RemovedRows back;
  std::size_t deletedBefore = 0;  // of deleted_, below the place
  for (const std::uint32_t place : places) {
    if (!back.ids_.empty() && back.ids_.back() >= place) continue;
    const auto it = std::lower_bound(deleted_.begin() + static_cast<std::ptrdiff_t>(deletedBefore), deleted_.end(), place);
    deletedBefore = static_cast<std::size_t>(it - deleted_.begin());
    if (it == deleted_.end() || *it != place) continue;
    // Once back, it follows the rows kept before it and those brought back before it.
    back.rows_.push_back(static_cast<std::uint32_t>(place - deletedBefore + back.ids_.size() + 1));
    back.ids_.push_back(place);
  }
  return back;
}

void CandidateGrid::swapAnalysisCells(PackedCells& cells) {
  const std::size_t count = candidateCount();
  PackedCells replaced;
  replaced.reserve(cells.size());
  std::vector<std::pair<std::uint32_t, std::uint32_t>> analyses;
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
    if (a < analyses_.size() && analyses_[a].first == index) text = texts_.text(analyses_[a++].second);
    const bool mark = m < aligned_.size() && aligned_[m] == index;
    if (mark) ++m;
    replaced.add(row, text, mark);
    if (!cells.text(i).empty())
      analyses.emplace_back(index, texts_.intern(cells.text(i)));  // an empty cell stores nothing
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

const Proposal* CandidateGrid::proposal(std::size_t r) const {
  const auto index = static_cast<std::uint32_t>(r - 1);
  const auto it = std::lower_bound(proposals_.begin(), proposals_.end(), index,
                                   [](const auto& p, std::uint32_t i) { return p.first < i; });
  return it != proposals_.end() && it->first == index ? &it->second : nullptr;
}

void CandidateGrid::swapProposals(std::vector<std::pair<std::uint32_t, std::optional<Proposal>>>& cells) {
  const std::size_t count = candidateCount();
  std::vector<std::pair<std::uint32_t, Proposal>> proposals;
  proposals.reserve(proposals_.size() + cells.size());
  std::size_t p = 0;
  std::uint32_t last = 0;
  for (auto& [row, cell] : cells) {
    if (row < 1 || row > count || row <= last) continue;
    last = row;
    const std::uint32_t index = row - 1;
    while (p < proposals_.size() && proposals_[p].first < index) proposals.push_back(proposals_[p++]);
    std::optional<Proposal> before;
    if (p < proposals_.size() && proposals_[p].first == index) before = proposals_[p++].second;
    if (cell) proposals.emplace_back(index, *cell);
    cell = before;
  }
  proposals.insert(proposals.end(), proposals_.begin() + static_cast<std::ptrdiff_t>(p), proposals_.end());
  proposals_ = std::move(proposals);
}

CandidateGrid::Edits CandidateGrid::edits() const {
  Edits e;
  e.scanned = isScanned();
  e.sourceCount = sourceCount();
  if (const auto* texts = std::get_if<TextRows>(&source_)) e.textRows = texts->rows;
  e.deleted = deleted_;
  e.analyses.reserve(analyses_.size());
  for (const auto& [index, id] : analyses_) e.analyses.emplace_back(index, std::string(texts_.text(id)));
  e.aligned = aligned_;
  e.proposals = proposals_;
  return e;
}

bool CandidateGrid::applyEdits(Edits edits) {
  if (edits.scanned != isScanned()) return false;
  if (!edits.scanned && edits.textRows.size() != edits.sourceCount) return false;
  if (edits.scanned ? edits.sourceCount != sourceCount() : edits.sourceCount > kMaxCandidates) return false;
  const auto ascending = [](const auto& items, std::size_t limit, auto key) {
    for (std::size_t i = 0; i < items.size(); ++i)
      if (key(items[i]) >= limit || (i > 0 && key(items[i - 1]) >= key(items[i]))) return false;
    return true;
  };
  const auto itself = [](std::uint32_t i) { return i; };
  if (!ascending(edits.deleted, edits.sourceCount, itself)) return false;
  const std::size_t count = edits.sourceCount - edits.deleted.size();
  const auto byIndex = [](const auto& a) { return a.first; };
  if (!ascending(edits.analyses, count, byIndex) || !ascending(edits.aligned, count, itself) ||
      !ascending(edits.proposals, count, byIndex))
    return false;
  if (!edits.scanned) source_ = TextRows{std::move(edits.textRows)};
  deleted_ = std::move(edits.deleted);
  // The pool starts afresh: the texts of the edits replaced go with them.
  texts_ = TextPool();
  analyses_.clear();
  analyses_.reserve(edits.analyses.size());
  for (const auto& [index, text] : edits.analyses) analyses_.emplace_back(index, texts_.intern(text));
  aligned_ = std::move(edits.aligned);
  proposals_ = std::move(edits.proposals);
  return true;
}

}  // namespace varnelio
