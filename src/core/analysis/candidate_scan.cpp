#include "core/analysis/candidate_scan.h"

#include "core/text/sentence_table.h"

namespace varnelio {

std::size_t scanText(std::string_view text, const AnalysisKind& kind, const CandidateSink& sink) {
  return SentenceTable::forEachSentence(text, [&](std::string_view sentence, std::int64_t n) {
    Cherchecandidats(sentence, n, kind, sink);
  });
}

void scanIntoGrid(std::string_view text, const AnalysisKind& kind, CandidateGrid& grid) {
  grid.clear();
  SentenceTable::forEachSentence(text, [&](std::string_view sentence, std::int64_t n) {
    Cherchecandidats(sentence, n, kind,
                     [&](std::string_view form, std::int64_t number) { grid.appendCandidate(form, number); });
  });
}

}  // namespace varnelio
