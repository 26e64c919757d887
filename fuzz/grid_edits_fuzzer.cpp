// SPDX-License-Identifier: GPL-3.0-or-later
// Edits of the candidate grid driven by any bytes: validations, deletions one by
// one and in bulk, undos and redos, on a scanned grid (which holds no row) and on
// the same rows given as texts, each checked against a plain list of rows after
// every move; the bulk deletion against deleting the same rows one by one from the
// last; and the grid's edits through a recovery copy and back.
#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "check.h"
#include "core/analysis/analysis_kind.h"
#include "core/analysis/candidate_grid.h"
#include "core/analysis/candidate_scan.h"
#include "core/analysis/edit_history.h"
#include "core/analysis/recovery_copy.h"

using namespace varnelio;

namespace {

const std::string kText =
    "Gallia est omnis divisa in partes tres, quarum unam incolunt Belgae, aliam Aquitani. "
    "Hi omnes lingua, institutis, legibus inter se differunt. Gallos ab Aquitanis Garumna flumen dividit. "
    "Horum omnium fortissimi sunt Belgae, propterea quod a cultu atque humanitate provinciae longissime absunt. "
    "Proelium committunt. Oppidum cingit.";

// The plain list: rows with their texts, and the alignment marks of the places.
struct Reference {
  std::vector<CandidateRow> rows;
  std::vector<bool> marks;
  std::vector<std::optional<Proposal>> proposals;  // they follow their rows
  void validate(std::size_t r, std::string text) {
    if (r < 1 || r > rows.size()) return;
    while (!text.empty() && text.back() == ' ') text.pop_back();
    rows[r - 1].analysis = text;
    marks[r - 1] = true;
  }
  void remove(const std::vector<std::size_t>& ascending) {
    std::vector<CandidateRow> kept;
    std::vector<std::optional<Proposal>> keptProposals;
    std::size_t next = 0;
    for (std::size_t i = 0; i < rows.size(); ++i) {
      if (next < ascending.size() && ascending[next] == i + 1) {
        ++next;
        continue;
      }
      kept.push_back(rows[i]);
      kept.back().number -= static_cast<std::int32_t>(next);
      keptProposals.push_back(proposals[i]);
    }
    rows = std::move(kept);
    proposals = std::move(keptProposals);
    marks.resize(rows.size());
  }
};

void expectSame(const CandidateGrid& grid, const Reference& ref) {
  FUZZ_CHECK(grid.candidateCount() == ref.rows.size());
  for (std::size_t r = 1; r <= ref.rows.size(); ++r) {
    CandidateRow expected = ref.rows[r - 1];
    expected.analysisAlignedTopLeft = ref.marks[r - 1];
    FUZZ_CHECK(grid.row(r) == expected);
    const Proposal* p = grid.proposal(r);
    FUZZ_CHECK((p != nullptr) == ref.proposals[r - 1].has_value());
    if (p) FUZZ_CHECK(*p == *ref.proposals[r - 1]);
  }
}

const char* const kAnalyses[] = {"", "1 d\xE9" "cl. acc. sg. [AA00C]", "  x  ", "y", "   "};

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const AnalysisKind& kind = analysisKinds()[size ? data[0] % kKindCount : 0];
  CandidateGrid scanned;
  cutAndScan(kText, kind, scanned);
  CandidateGrid texts;
  Reference ref;
  for (const CandidateRow& row : scanned.rows()) {
    texts.appendRow(row);
    ref.rows.push_back(row);
  }
  ref.marks.assign(ref.rows.size(), false);
  ref.proposals.assign(ref.rows.size(), std::nullopt);
  EditHistory scannedHistory, textsHistory;
  std::vector<Reference> states{ref};  // the reference after each step done
  std::size_t at = 0;

  std::size_t i = 1;
  const auto next = [&]() -> std::uint8_t { return i < size ? data[i++] : 0; };
  while (i < size) {
    const std::uint8_t op = next() % 5;
    const std::size_t count = ref.rows.size();
    if (op == 3) {
      const bool can = scannedHistory.canUndo();
      FUZZ_CHECK(can == textsHistory.canUndo() && can == (at > 0));
      if (can) {
        scannedHistory.undo(scanned);
        textsHistory.undo(texts);
        ref = states[--at];
      }
    } else if (op == 4) {
      const bool can = scannedHistory.canRedo();
      FUZZ_CHECK(can == textsHistory.canRedo() && can == (at + 1 < states.size()));
      if (can) {
        scannedHistory.redo(scanned);
        textsHistory.redo(texts);
        ref = states[++at];
      }
    } else {
      std::vector<std::pair<std::size_t, std::string>> labels;
      std::vector<std::pair<std::size_t, std::optional<Proposal>>> proposals;
      std::vector<std::size_t> gone;
      if (op == 0) {
        const std::size_t r = count ? 1 + next() % count : 1;
        labels.emplace_back(r, kAnalyses[next() % 5]);
      } else if (op == 1) {
        if (count) gone.push_back(1 + next() % count);
      } else {
        // A pre-analysis: labels on some rows, then some rows deleted, in one step.
        const std::uint8_t pattern = next(), modulus = static_cast<std::uint8_t>(2 + next() % 5);
        for (std::size_t r = 1; r <= count; ++r) {
          if ((r + pattern) % modulus == 0) labels.emplace_back(r, kAnalyses[(r + pattern) % 5]);
          else if ((r * pattern) % 3 == 1) gone.push_back(r);
          if ((r ^ pattern) % 4 == 0)
            proposals.emplace_back(r, (r & 1) ? std::optional(Proposal{static_cast<std::uint8_t>(1 + r % 5),
                                                                         ProposalLevel::Sure,
                                                                         static_cast<std::uint8_t>(pattern % 101)})
                                              : std::nullopt);
        }
      }
      // The bulk deletion deletes what one-by-one deletions from the last would.
      CandidateGrid oneByOne = texts;
      for (const auto& [r, text] : labels) oneByOne.validate(r, text);
      {
        std::vector<std::pair<std::uint32_t, std::optional<Proposal>>> cells;
        for (const auto& [r, p] : proposals) cells.emplace_back(static_cast<std::uint32_t>(r), p);
        oneByOne.swapProposals(cells);
      }
      for (auto r = gone.rbegin(); r != gone.rend(); ++r) oneByOne.deleteRow(*r);

      EditStep scannedStep(EditKind::PreAnalysis, 1), textsStep(EditKind::PreAnalysis, 1);
      scannedStep.writeAnalyses(scanned, labels);
      scannedStep.setProposals(scanned, proposals);
      scannedStep.deleteRows(scanned, gone);
      textsStep.writeAnalyses(texts, labels);
      textsStep.setProposals(texts, proposals);
      textsStep.deleteRows(texts, gone);
      for (const auto& [r, text] : labels) ref.validate(r, text);
      for (const auto& [r, p] : proposals) ref.proposals[r - 1] = p;
      ref.remove(gone);
      const bool changed = !scannedStep.empty();
      FUZZ_CHECK(changed == !textsStep.empty());
      scannedHistory.push(std::move(scannedStep));
      textsHistory.push(std::move(textsStep));
      if (changed) {
        states.resize(++at);
        states.push_back(ref);
      }
      expectSame(oneByOne, ref);
    }
    expectSame(scanned, ref);
    expectSame(texts, ref);
  }

  // Through a recovery copy and back, onto a fresh scan of the same text.
  for (const CandidateGrid* grid : {&scanned, &texts}) {
    const auto read = decodeRecoveryCopy(encodeRecoveryCopy({}, grid->edits()));
    FUZZ_CHECK(std::holds_alternative<RecoveryCopy>(read));
    CandidateGrid back;
    if (grid->isScanned()) cutAndScan(kText, kind, back);
    FUZZ_CHECK(back.applyEdits(std::get<RecoveryCopy>(read).edits));
    expectSame(back, ref);
  }
  return 0;
}
