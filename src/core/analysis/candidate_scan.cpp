#include "core/analysis/candidate_scan.h"

#include <new>

namespace varnelio {

std::size_t scanText(std::string_view text, const AnalysisKind& kind, const CandidateSink& sink) {
  return SentenceTable::forEachSentence(text, [&](std::string_view sentence, std::int64_t n) {
    Cherchecandidats(sentence, n, kind, sink);
  });
}

SentenceTable cutAndScan(std::string text, const AnalysisKind& kind, CandidateGrid& grid) {
  grid.clear();
  const bool small = text.size() < 0x80000000u;
  // Each candidate is a word and its separator, so a text cannot hold more than
  // half its length of them: reserved once, the table of starts never moves while
  // it grows, and the pages it never reaches are never given memory.
  std::vector<std::uint32_t> starts;
  if (small) {
    try {
      starts.reserve(text.size() / 2 + 1);
    } catch (const std::bad_alloc&) {
    }
  }
  const char* base = nullptr;
  SentenceTable table(std::move(text), [&](std::string_view sentence, std::int64_t n) {
    if (n == 1) base = sentence.data();
    Cherchecandidats(sentence, n, kind, [&](std::string_view form, std::int64_t number) {
      if (small)
        starts.push_back(static_cast<std::uint32_t>(form.data() - base));
      else
        grid.appendCandidate(form, number);
    });
  });
  if (small) grid.assignScan(table, std::move(starts));
  return table;
}

void scanIntoGrid(std::string_view text, const AnalysisKind& kind, CandidateGrid& grid) {
  cutAndScan(std::string(text), kind, grid);
}

}  // namespace varnelio
