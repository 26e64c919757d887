#pragma once
// The candidate grid as data: the header row and one row of four text cells per
// candidate ("N°", "N° phrase", "Forme(s)", "Analyse(s)"). Row r of the windows'
// grid is rows()[r - 1] here; the header is row 0. Texts are Windows-1252.
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace varnelio {

struct CandidateRow {
  CandidateRow() = default;
  CandidateRow(std::int32_t number, std::string sentence, std::string form, std::string analysis,
               bool analysisAlignedTopLeft)
      : number(number),
        analysisAlignedTopLeft(analysisAlignedTopLeft),
        sentence(std::move(sentence)),
        form(std::move(form)),
        analysis(std::move(analysis)) {}

  // Column 0, shown as decimal text. 32 bits hold the candidates of any text that
  // fits in memory; with the mark beside it, a row of a book's grid of millions of
  // rows takes 104 bytes rather than 112.
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

  // Rows 1..rowCount() in the windows' numbering; candidateCount() of them.
  std::size_t candidateCount() const { return rows_.size(); }
  bool empty() const { return rows_.empty(); }
  const std::vector<CandidateRow>& rows() const { return rows_; }
  // r counted from 1, as in the windows.
  const CandidateRow& row(std::size_t r) const { return rows_[r - 1]; }
  // The text of cell (r, c); r = 0 is the header row.
  std::string cellText(std::size_t r, int c) const;

  void clear() { rows_.clear(); }
  void reserve(std::size_t n) { rows_.reserve(n); }
  // Appends a scanned candidate: its number is its row index, its analysis empty.
  void appendCandidate(std::string_view form, std::int64_t sentenceNumber);
  void appendRow(CandidateRow row) { rows_.push_back(std::move(row)); }

  // Validate: puts the analysis, trailing spaces removed (leading ones kept), into
  // row r and marks the cell aligned left and top. Does nothing when r is not a row.
  void validate(std::size_t r, std::string_view analysis);

  // Deletes row r: every later row moves up one, its number lowered by one, so
  // that the numbers keep following the rows. Does nothing when r is not a row.
  void deleteRow(std::size_t r);

 private:
  std::vector<CandidateRow> rows_;
};

}  // namespace varnelio
