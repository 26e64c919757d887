// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/analysis/candidate_scan.h"

namespace varnelio {

const ScanEndings& scanEndings(const AnalysisKind& kind) {
  static const auto tables = [] {
    std::array<ScanEndings, kKindCount> t{};
    for (const AnalysisKind& k : analysisKinds()) {
      ScanEndings& e = t[static_cast<int>(k.id)];
      e.count = k.endingCount;
      e.packed = std::endian::native == std::endian::little;
      for (int i = 0; i < k.endingCount; ++i) {
        const std::string_view ending = k.endings[i];
        e.lastLetters.add(static_cast<unsigned char>(ending.back()));
        if (ending.empty() || ending.size() > 8) {
          e.packed = false;
          continue;
        }
        // The ending as the last bytes of the eight read before a word's end.
        const std::size_t shift = 8 * (8 - ending.size());
        std::uint64_t bytes = 0;
        for (std::size_t b = 0; b < ending.size(); ++b)
          bytes |= std::uint64_t{static_cast<unsigned char>(ending[b])} << (8 * b);
        e.pattern[i] = bytes << shift;
        e.mask[i] = ~std::uint64_t{0} << shift;
        e.length[i] = ending.size();
      }
    }
    return t;
  }();
  return tables[static_cast<int>(kind.id)];
}

std::size_t scanText(std::string_view text, const AnalysisKind& kind, const CandidateSink& sink) {
  // Words after the last "." belong to no sentence.
  const std::size_t lastDot = text.rfind('.');
  if (lastDot == std::string_view::npos) return 0;
  std::int64_t n = 1;
  scanSentences(
      text.substr(0, lastDot + 1), kind, [&](std::string_view form) { sink(form, n); },
      [&](std::size_t) { ++n; });
  return static_cast<std::size_t>(n - 1);
}

SentenceTable cutAndScan(std::string text, const AnalysisKind& kind, CandidateGrid& grid) {
  grid.clear();
  // The scan only counts the candidates of each sentence: the grid finds them
  // again when they are shown. Beyond the most a grid holds (a text of several
  // gigabytes), the candidates are not listed.
  // The counts are sized once, from the full stops: a vector grown by doubling would
  // hold its old and new buffers at once, at the moment the memory peaks.
  std::vector<std::uint32_t> firstCandidate;
  SentenceTable table = SentenceTable::cutDuring(
      std::move(text), [&](std::string_view whole, std::size_t sentences, auto&& sentenceEnd) {
        firstCandidate.reserve(sentences + 1);
        firstCandidate.push_back(0);
        const std::size_t lastDot = whole.rfind('.');
        if (lastDot == std::string_view::npos) return;
        std::uint32_t count = 0;
        scanSentences(
            whole.substr(0, lastDot + 1), kind,
            [&](std::string_view) {
              if (count < CandidateGrid::kMaxCandidates) ++count;
            },
            [&](std::size_t end) {
              sentenceEnd(end);
              firstCandidate.push_back(count);
            });
      });
  grid.assignScan(table, kind, std::move(firstCandidate));
  return table;
}

void scanIntoGrid(std::string_view text, const AnalysisKind& kind, CandidateGrid& grid) {
  cutAndScan(std::string(text), kind, grid);
}

}  // namespace varnelio
