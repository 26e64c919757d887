#pragma once
// The candidate grid as data: the header row and one row of four text cells per
// candidate ("N°", "N° phrase", "Forme(s)", "Analyse(s)"). Row r of the windows'
// grid is row(r) here; the header is row 0. Texts are Windows-1252.
//
// A whole book gives millions of candidates, so a scanned row costs four bytes:
// where its form starts in the source text. The form is the run of letters from
// there, the sentence number is found in the sentence table, the candidate number
// is the row index, and an analysis is stored only once one is written. Rows read
// from an analysis file (or given as texts) keep their texts beside the scanned ones.
#include <charconv>
#include <cstddef>
#include <cstdint>
#include <iterator>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "core/text/sentence_table.h"

namespace varnelio {

// A row's four cells as texts: what a row of the grid shows.
struct CandidateRow {
  CandidateRow() = default;
  CandidateRow(std::int32_t number, std::string sentence, std::string form, std::string analysis,
               bool analysisAlignedTopLeft)
      : number(number),
        analysisAlignedTopLeft(analysisAlignedTopLeft),
        sentence(std::move(sentence)),
        form(std::move(form)),
        analysis(std::move(analysis)) {}

  // Column 0, shown as decimal text.
  std::int32_t number = 0;
  // Validated analyses (and those read from a file) are aligned left and top.
  bool analysisAlignedTopLeft = false;
  std::string sentence;  // column 1: a decimal number after a scan; any text from a file
  std::string form;      // column 2
  std::string analysis;  // column 3
};

class CandidateGrid {
 public:
  static constexpr int kColumnCount = 4;
  // Column widths in twips.
  static constexpr int kColumnWidths[kColumnCount] = {750, 800, 2000, 3500};
  // The header texts, Windows-1252.
  static const std::string_view kHeaders[kColumnCount];

  // Rows 1..candidateCount() in the windows' numbering.
  std::size_t candidateCount() const { return entries_.size(); }
  bool empty() const { return entries_.empty(); }

  // The cells of row r (counted from 1, as in the windows). The views stay valid
  // until the grid changes.
  std::int32_t number(std::size_t r) const;
  std::string sentenceText(std::size_t r) const;
  std::string_view form(std::size_t r) const;
  std::string_view analysis(std::size_t r) const;
  bool analysisAlignedTopLeft(std::size_t r) const { return aligned_[r - 1]; }
  // Row r as texts, made on demand.
  CandidateRow row(std::size_t r) const;
  // The text of cell (r, c); r = 0 is the header row.
  std::string cellText(std::size_t r, int c) const;

  // Visits every row in order: f(number, sentence, form, analysis). Cheaper than
  // row(r) for each r: the sentence numbers of a scan are followed, not searched.
  template <typename F>
  void forEachRow(F&& f) const;

  // The rows as CandidateRow values, in order.
  class RowRange;
  RowRange rows() const;

  void clear();
  void reserve(std::size_t n) { entries_.reserve(n); }
  // Appends a candidate given as text: its number is its row index, its analysis empty.
  void appendCandidate(std::string_view form, std::int64_t sentenceNumber);
  void appendRow(CandidateRow row);
  // Replaces the rows by those of a scan of the table's text: formStarts holds,
  // in text order, where each candidate form starts. The grid shares the table.
  void assignScan(const SentenceTable& source, std::vector<std::uint32_t> formStarts);

  // Validate: puts the analysis, trailing spaces removed (leading ones kept), into
  // row r and marks the cell aligned left and top. Does nothing when r is not a row.
  void validate(std::size_t r, std::string_view analysis);

  // Deletes row r: every later row moves up one, its number lowered by one, so
  // that the numbers keep following the rows. Does nothing when r is not a row.
  void deleteRow(std::size_t r);

 private:
  // An entry is the offset of a scanned form in the source text or, with the top
  // bit set, the index of a row kept as texts.
  static constexpr std::uint32_t kTextRow = 0x80000000u;
  struct TextRow {
    std::int32_t number;
    std::string sentence;
    std::string form;
  };
  std::string_view scannedForm(std::uint32_t offset) const;
  const std::string* analysisOf(std::size_t index) const;

  SentenceTable source_;
  std::vector<std::uint32_t> entries_;
  std::vector<TextRow> textRows_;
  // The analyses written, by row index (from 0), in increasing order.
  std::vector<std::pair<std::uint32_t, std::string>> analyses_;
  // The alignment mark of each row's analysis cell; it stays with its place.
  std::vector<bool> aligned_;
};

class CandidateGrid::RowRange {
 public:
  class iterator {
   public:
    using iterator_category = std::input_iterator_tag;
    using value_type = CandidateRow;
    using difference_type = std::ptrdiff_t;
    using pointer = void;
    using reference = CandidateRow;
    iterator(const CandidateGrid* grid, std::size_t r) : grid_(grid), r_(r) {}
    CandidateRow operator*() const { return grid_->row(r_); }
    iterator& operator++() {
      ++r_;
      return *this;
    }
    bool operator==(const iterator& other) const { return r_ == other.r_; }

   private:
    const CandidateGrid* grid_;
    std::size_t r_;
  };
  explicit RowRange(const CandidateGrid* grid) : grid_(grid) {}
  iterator begin() const { return {grid_, 1}; }
  iterator end() const { return {grid_, grid_->candidateCount() + 1}; }
  std::size_t size() const { return grid_->candidateCount(); }

 private:
  const CandidateGrid* grid_;
};

inline CandidateGrid::RowRange CandidateGrid::rows() const { return RowRange(this); }

template <typename F>
void CandidateGrid::forEachRow(F&& f) const {
  std::int64_t sentence = 0;  // the sentence of the last scanned row, and its bounds
  std::size_t sentenceBegin = 0, sentenceEnd = 0;
  std::size_t nextAnalysis = 0;
  char digits[24];
  for (std::size_t i = 0; i < entries_.size(); ++i) {
    std::string_view analysis;
    if (nextAnalysis < analyses_.size() && analyses_[nextAnalysis].first == i)
      analysis = analyses_[nextAnalysis++].second;
    const std::uint32_t entry = entries_[i];
    if (entry & kTextRow) {
      const TextRow& row = textRows_[entry & ~kTextRow];
      f(static_cast<std::int64_t>(row.number), std::string_view(row.sentence), std::string_view(row.form), analysis);
      continue;
    }
    if (sentence == 0 || entry < sentenceBegin || entry >= sentenceEnd) {
      sentence = source_.sentenceNumberAt(entry);
      sentenceBegin = sentence > 1 ? source_.sentenceEnd(sentence - 1) : 0;
      sentenceEnd = source_.sentenceEnd(sentence);
    }
    const auto length = static_cast<std::size_t>(std::to_chars(digits, digits + sizeof digits, sentence).ptr - digits);
    f(static_cast<std::int64_t>(i + 1), std::string_view(digits, length), scannedForm(entry), analysis);
  }
}

// Removes trailing spaces (0x20 only).
std::string_view trimTrailingSpaces(std::string_view text);
// Removes leading spaces (0x20 only).
std::string_view trimLeadingSpaces(std::string_view text);

}  // namespace varnelio
