#include "core/analysis/candidate_scan.h"

namespace varnelio {

std::size_t scanText(std::string_view text, const AnalysisKind& kind, const CandidateSink& sink) {
  return SentenceTable::forEachSentence(text, [&](std::string_view sentence, std::int64_t n) {
    Cherchecandidats(sentence, n, kind, sink);
  });
}

SentenceTable cutAndScan(std::string text, const AnalysisKind& kind, CandidateGrid& grid) {
  grid.clear();
  // The scan only counts the candidates of each sentence: the grid finds them
  // again when they are shown. Counts are 32 bits: a text that could hold more
  // candidates keeps its rows as texts.
  const bool counted = text.size() <= 0xFFFFFFFFu;
  std::vector<std::uint32_t> firstCandidate{0};
  std::uint32_t count = 0;
  SentenceTable table(std::move(text), [&](std::string_view sentence, std::int64_t n) {
    Cherchecandidats(sentence, n, kind, [&](std::string_view form, std::int64_t number) {
      if (counted) ++count;
      else grid.appendCandidate(form, number);
    });
    firstCandidate.push_back(count);
  });
  if (counted) grid.assignScan(table, kind, std::move(firstCandidate));
  return table;
}

void scanIntoGrid(std::string_view text, const AnalysisKind& kind, CandidateGrid& grid) {
  cutAndScan(std::string(text), kind, grid);
}

}  // namespace varnelio
