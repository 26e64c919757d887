// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The candidate grid as data: the header row and one row of four text cells per
// candidate ("N°", "N° phrase", "Forme(s)", "Analyse(s)"). Row r of the windows'
// grid is row(r) here; the header is row 0. Texts are Windows-1252.
//
// The grid is its rows before any edit (its source) under the edits made since:
// the rows deleted, the analyses written, the alignment marks. Two sources, one set
// of edits: the candidates of a scan, and rows given as texts (read from an
// analysis file). A whole book gives millions of candidates, so the rows of a scan
// cost nothing each: a form is a span of the source text, found again in its
// sentence when it is shown, its sentence number is that sentence's, and its number
// its place in the scan; an analysis is stored only once one is written.
#include <cstddef>
#include <cstdint>
#include <functional>
#include <iterator>
#include <optional>
#include <string>
#include <string_view>
#include <utility>
#include <variant>
#include <vector>

#include "core/analysis/text_pool.h"
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
  bool operator==(const CandidateRow&) const = default;
};

struct AnalysisKind;

// An analysis cell: its text and its alignment mark.
struct AnalysisCell {
  std::string text;
  bool alignedTopLeft = false;
  bool operator==(const AnalysisCell&) const = default;
};

// What the pre-analysis proposes for a row, until the user validates an analysis:
// the declension of the label it would write, how sure it is, and its confidence. A
// doubtful row proposes no label (declension 0): it is marked, so that the user
// knows where to look.
enum class ProposalLevel : std::uint8_t { Sure, Probable, Doubtful };
struct Proposal {
  std::uint8_t declension = 0;  // 1 to 5; 0 for a doubtful row
  ProposalLevel level = ProposalLevel::Probable;
  std::uint8_t confidence = 0;  // 0 to 100: the probability, rounded
  bool operator==(const Proposal&) const = default;
};

// Analysis cells of some rows, packed tight (a few bytes a cell besides its text):
// what an edit keeps of the cells it replaced, for thousands of rows at once.
class PackedCells {
 public:
  // Rows are added in ascending order, each once.
  void add(std::uint32_t row, std::string_view text, bool alignedTopLeft) {
    rows_.push_back(row);
    texts_.append(text);
    ends_.push_back(static_cast<std::uint32_t>(texts_.size()));
    marks_.push_back(alignedTopLeft);
  }
  void reserve(std::size_t cells) {
    rows_.reserve(cells);
    ends_.reserve(cells);
    marks_.reserve(cells);
  }
  std::size_t size() const { return rows_.size(); }
  bool empty() const { return rows_.empty(); }
  std::uint32_t row(std::size_t i) const { return rows_[i]; }
  std::string_view text(std::size_t i) const {
    const std::uint32_t begin = i ? ends_[i - 1] : 0;
    return std::string_view(texts_).substr(begin, ends_[i] - begin);
  }
  bool alignedTopLeft(std::size_t i) const { return marks_[i]; }

 private:
  std::vector<std::uint32_t> rows_;
  std::vector<std::uint32_t> ends_;  // where each cell's text ends in texts_
  std::string texts_;
  std::vector<bool> marks_;
};

class CandidateGrid {
 public:
  static constexpr int kColumnCount = 4;
  // The header texts, Windows-1252.
  static const std::string_view kHeaders[kColumnCount];

  // Rows 1..candidateCount() in the windows' numbering.
  std::size_t candidateCount() const;
  bool empty() const { return candidateCount() == 0; }

  // The cells of row r (counted from 1, as in the windows). The views stay valid
  // until the grid changes.
  std::int32_t number(std::size_t r) const;
  std::string sentenceText(std::size_t r) const;
  std::string_view form(std::size_t r) const;
  std::string_view analysis(std::size_t r) const;
  bool analysisAlignedTopLeft(std::size_t r) const;
  // Row r as texts, made on demand.
  CandidateRow row(std::size_t r) const;
  // The text of cell (r, c); r = 0 is the header row.
  std::string cellText(std::size_t r, int c) const;

  // Visits every row in order with its four cells. One pass over the rows, much
  // cheaper than row(r) for each r.
  using RowVisitor = std::function<void(std::int64_t number, std::string_view sentence, std::string_view form,
                                        std::string_view analysis)>;
  void forEachRow(const RowVisitor& visit) const;
  // Visits every place of the source in order, the deleted ones too, without
  // finding the forms again: whether it is kept, and a kept one's analysis.
  using PlaceVisitor = std::function<void(std::uint32_t place, bool kept, std::string_view analysis)>;
  void forEachPlace(const PlaceVisitor& visit) const;
  // The places of the source: the rows before any deletion.
  std::uint32_t placeCount() const { return sourceCount(); }

  // The rows as CandidateRow values, in order.
  class RowRange;
  RowRange rows() const;

  // The most candidates a grid holds (the rows are counted in 32 bits).
  static constexpr std::uint64_t kMaxCandidates = 0xFFFFFFFFu;

  void clear();
  void reserve(std::size_t n);
  // Appends a row given as texts (a grid of scanned candidates becomes a grid of
  // rows given as texts, empty before the first). Its number is kept as given; an
  // appended candidate's is its row index, its analysis empty.
  void appendCandidate(std::string_view form, std::int64_t sentenceNumber);
  void appendRow(CandidateRow row);
  // Replaces the rows by the candidates of the kind in the table's text, which a
  // scan has counted: sentence n holds firstCandidate[n] - firstCandidate[n - 1] of
  // them (N + 1 counts, the first 0, the last at most kMaxCandidates). The grid
  // shares the table.
  void assignScan(const SentenceTable& source, const AnalysisKind& kind, std::vector<std::uint64_t> firstCandidate);
  // The same counts in 32 bits, which a grid never exceeds: the grid keeps them as
  // they are (4 bytes a sentence).
  void assignScan(const SentenceTable& source, const AnalysisKind& kind, std::vector<std::uint32_t> firstCandidate);

  // Validate: puts the analysis, trailing spaces removed (leading ones kept), into
  // row r and marks the cell aligned left and top. Does nothing when r is not a row.
  void validate(std::size_t r, std::string_view analysis);

  // Deletes row r: every later row moves up one, its number lowered by one, so
  // that the numbers keep following the rows. Does nothing when r is not a row.
  void deleteRow(std::size_t r);
  // Deletes the rows given (ascending, from 1) in one pass, exactly as deleting them
  // one by one from the last would: a scanned grid stays without rows of its own.
  void deleteRows(const std::vector<std::size_t>& rows);

  // ---- Edits that can be taken back ----
  // Exchanges the analysis cells of the rows given (ascending, from 1, each at most
  // once) with the cells held beside them: doing it twice gives the grid back. One
  // pass over the analyses whatever the number of cells, so that thousands of
  // labels are written or taken back at once.
  void swapAnalysisCells(PackedCells& cells);

  // The proposal for row r, if any. A proposal is no analysis: files, exports and
  // printouts hold the analyses only.
  const Proposal* proposal(std::size_t r) const;
  // Exchanges the proposals of the rows given (ascending, from 1, each at most once;
  // none: no proposal) with those held beside them, as swapAnalysisCells does.
  void swapProposals(std::vector<std::pair<std::uint32_t, std::optional<Proposal>>>& cells);

  struct TextRow {
    std::int32_t number;
    std::string sentence;
    std::string form;
  };
  // What a deletion took away, enough to put it back exactly: the rows with their
  // numbers, forms, analyses and the alignment marks of the places that went.
  class RemovedRows {
   public:
    bool empty() const { return rows_.empty(); }
    // The rows deleted, as they were numbered before (ascending, from 1).
    const std::vector<std::uint32_t>& rows() const { return rows_; }
    std::vector<std::uint32_t> takeRows() { return std::move(rows_); }

   private:
    friend class CandidateGrid;
    std::vector<std::uint32_t> rows_;
    std::vector<std::uint32_t> ids_;  // their places in the source
    std::vector<std::pair<std::uint32_t, std::string>> analyses_;  // by row index before
    std::vector<std::pair<std::uint32_t, Proposal>> proposals_;    // by row index before
    std::vector<std::uint32_t> tailMarks_;   // marks of the last places, which went
  };
  // Deletes the rows given (as deleteRows) and returns what went.
  RemovedRows removeRows(const std::vector<std::size_t>& rows);
  RemovedRows removeRows(std::vector<std::uint32_t> rows);
  // Puts back what removeRows took, on the grid it left: numbers, forms, analyses
  // and marks as they were. Returns the rows put back (ascending, from 1).
  std::vector<std::uint32_t> restoreRows(RemovedRows&& removed);
  // What restoreRows needs to bring back, empty, the deleted candidates at these
  // places of the source (ascending, from 0; places not deleted are passed over).
  RemovedRows deletedAt(const std::vector<std::uint32_t>& places) const;
  // The place in the source of row r (from 1): for a scanned grid, the candidate's
  // place in the scan of the whole text.
  std::uint32_t placeOf(std::size_t r) const { return idOf(r); }

  // ---- The grid's own state, apart from its text ----
  // The edits, with the source's rows when they are given as texts (a scan's are
  // found again from its text). Recovery copies store this, not the rows.
  struct Edits {
    bool scanned = false;
    std::uint32_t sourceCount = 0;          // the rows of the source
    std::vector<std::uint32_t> deleted;     // places in the source, ascending
    std::vector<TextRow> textRows;          // a source of rows given as texts: the rows
    std::vector<std::pair<std::uint32_t, std::string>> analyses;  // by row index, ascending
    std::vector<std::uint32_t> aligned;     // row indexes, ascending
    std::vector<std::pair<std::uint32_t, Proposal>> proposals;  // by row index, ascending
  };
  Edits edits() const;
  // Applies edits to this grid (a fresh scan of the same text for scanned edits, any
  // grid otherwise). False, with the grid unchanged, when they do not fit it.
  bool applyEdits(Edits edits);
  bool isScanned() const { return std::holds_alternative<ScanRows>(source_); }

 private:
  // The candidates of a scan: none is stored; each is found again in its sentence
  // (a few hundred bytes of scanning) from how many each sentence holds.
  struct ScanRows {
    SentenceTable text;
    const AnalysisKind* kind = nullptr;
    std::vector<std::uint32_t> firstCandidate;  // per sentence, the candidates before it
    // The candidates of the sentence scanned last: views into the text, which lives
    // as long as any table shares it.
    mutable std::size_t cachedSentence = static_cast<std::size_t>(-1);
    mutable std::vector<std::string_view> cachedForms;
  };
  struct TextRows {
    std::vector<TextRow> rows;
  };
  // The source's rows, by place (from 0). These are the only functions that tell
  // the two sources apart.
  std::uint32_t sourceCount() const;
  std::int32_t sourceNumber(std::uint32_t id) const;
  std::string sourceSentence(std::uint32_t id) const;
  std::string_view sourceForm(std::uint32_t id) const;
  using SourceVisitor = std::function<void(std::uint32_t id, std::int32_t number, std::string_view sentence,
                                           std::string_view form)>;
  void forEachSourceRow(const SourceVisitor& visit) const;

  // The place in the source of row r.
  std::uint32_t idOf(std::size_t r) const;
  // The analysis of the row of index `index` (from 0), empty when none.
  std::string_view analysisAt(std::size_t index) const;

  std::variant<TextRows, ScanRows> source_;
  // The rows deleted, by their places in the source, ascending: a later row's
  // number is its source number less the rows deleted before it.
  std::vector<std::uint32_t> deleted_;
  // The analyses written, by row index (from 0), in increasing order, each as the
  // id of its text in texts_.
  std::vector<std::pair<std::uint32_t, std::uint32_t>> analyses_;
  TextPool texts_;
  // The rows (from 0) whose analysis cell is marked aligned left and top, in
  // increasing order; a mark stays with its place when rows move.
  std::vector<std::uint32_t> aligned_;
  // The proposals of the pre-analysis, by row index (from 0), in increasing order;
  // they follow their rows.
  std::vector<std::pair<std::uint32_t, Proposal>> proposals_;
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


}  // namespace varnelio
