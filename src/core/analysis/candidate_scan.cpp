// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/analysis/candidate_scan.h"

namespace varnelio {

std::size_t scanText(std::string_view text, const AnalysisKind& kind, const CandidateSink& sink) {
  return SentenceTable::forEachSentence(text, [&](std::string_view sentence, std::int64_t n) {
    scanCandidates(sentence, n, kind, sink);
  });
}

SentenceTable cutAndScan(std::string text, const AnalysisKind& kind, CandidateGrid& grid) {
  grid.clear();
  // The scan only counts the candidates of each sentence: the grid finds them
  // again when they are shown. Beyond the most a grid holds (a text of several
  // gigabytes), the candidates are not listed.
  std::vector<std::uint64_t> firstCandidate{0};
  std::uint64_t count = 0;
  SentenceTable table(std::move(text), [&](std::string_view sentence, std::int64_t n) {
    scanCandidates(sentence, n, kind, [&](std::string_view, std::int64_t) {
      if (count < CandidateGrid::kMaxCandidates) ++count;
    });
    firstCandidate.push_back(count);
  });
  grid.assignScan(table, kind, std::move(firstCandidate));
  return table;
}

void scanIntoGrid(std::string_view text, const AnalysisKind& kind, CandidateGrid& grid) {
  cutAndScan(std::string(text), kind, grid);
}

}  // namespace varnelio
