// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/analysis/candidate_scan.h"

#include <algorithm>
#include <stdexcept>
#include <string>

#include "core/text/cp1252.h"

namespace varnelio {

const ScanEndings& scanEndings(const AnalysisKind& kind) {
  static const auto tables = [] {
    std::array<ScanEndings, kKindCount> t{};
    for (const AnalysisKind& k : analysisKinds()) {
      ScanEndings& e = t[static_cast<int>(k.id)];
      e.count = k.endingCount;
      for (int i = 0; i < k.endingCount; ++i) {
        const std::string_view ending = k.endings[i];
        if (ending.empty() || ending.size() > 8)
          throw std::logic_error("an ending the scan cannot hold: " + std::string(ending));
        e.length[i] = static_cast<int>(ending.size());
        for (std::size_t b = 0; b < ending.size(); ++b) {
          const auto c = static_cast<unsigned char>(ending[ending.size() - 1 - b]);
          if (!cp1252::isLetter(c) || !e.bytes.add(c))
            throw std::logic_error("an ending the scan cannot hold: " + std::string(ending));
          e.byteFromEnd[i][b] = static_cast<std::uint8_t>(e.bytes.indexOf(c));
        }
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
        countSentenceCandidates(whole.substr(0, lastDot + 1), kind, [&](std::size_t end, std::uint64_t before) {
          sentenceEnd(end);
          firstCandidate.push_back(static_cast<std::uint32_t>(std::min(before, CandidateGrid::kMaxCandidates)));
        });
      });
  grid.assignScan(table, kind, std::move(firstCandidate));
  return table;
}

void scanIntoGrid(std::string_view text, const AnalysisKind& kind, CandidateGrid& grid) {
  cutAndScan(std::string(text), kind, grid);
}

}  // namespace varnelio
