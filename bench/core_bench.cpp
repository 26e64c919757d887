// SPDX-License-Identifier: GPL-3.0-or-later
// Speed of the parts a whole book goes through: cutting and scanning the text,
// the record codec of the analysis file, and the spreadsheet export.
#include <benchmark/benchmark.h>

#include <filesystem>
#include <string>

#include "core/analysis/candidate_scan.h"
#include "core/analysis/analysis_file.h"
#include "core/analysis/analysis_record.h"
#include "core/reports/spreadsheet_export.h"
#include "core/text/sentence_table.h"
#include "core/files/source_file.h"
#include "bench_corpus.h"

namespace {

using namespace varnelio;

const std::string& corpus() { return bench::wholeCorpus(); }

bool haveCorpus(benchmark::State& state) {
  if (corpus().empty()) state.SkipWithError("corpus not found");
  return !corpus().empty();
}

void BM_CutSentences(benchmark::State& state) {
  if (!haveCorpus(state)) return;
  for (auto _ : state) benchmark::DoNotOptimize(SentenceTable::forEachSentence(corpus(), {}));
  state.SetBytesProcessed(static_cast<int64_t>(state.iterations() * corpus().size()));
}
BENCHMARK(BM_CutSentences);

void BM_ScanText(benchmark::State& state) {
  if (!haveCorpus(state)) return;
  const AnalysisKind& kind = analysisKinds()[static_cast<std::size_t>(state.range(0))];
  std::size_t found = 0;
  for (auto _ : state) {
    found = 0;
    SentenceTable::forEachSentence(corpus(), [&](std::string_view s, std::int64_t n) {
      scanCandidates(s, n, kind, [&](std::string_view, std::int64_t) { ++found; });
    });
    benchmark::DoNotOptimize(found);
  }
  state.SetBytesProcessed(static_cast<int64_t>(state.iterations() * corpus().size()));
  state.SetLabel(std::string(kind.cliName) + ", " + std::to_string(found) + " candidates");
}
BENCHMARK(BM_ScanText)->DenseRange(0, kKindCount - 1);

// The same candidates, the sentences cut and scanned in one pass, as a window and
// the command line scan a library.
void BM_ScanSentences(benchmark::State& state) {
  if (!haveCorpus(state)) return;
  const AnalysisKind& kind = analysisKinds()[static_cast<std::size_t>(state.range(0))];
  const std::string_view sentences = std::string_view(corpus()).substr(0, corpus().rfind('.') + 1);
  std::size_t found = 0, stops = 0;
  for (auto _ : state) {
    found = stops = 0;
    scanSentences(sentences, kind, [&](std::string_view) { ++found; }, [&](std::size_t) { ++stops; });
    benchmark::DoNotOptimize(found);
  }
  state.SetBytesProcessed(static_cast<int64_t>(state.iterations() * corpus().size()));
  state.SetLabel(std::string(kind.cliName) + ", " + std::to_string(found) + " candidates, " + std::to_string(stops) +
                 " sentences");
}
BENCHMARK(BM_ScanSentences)->DenseRange(0, kKindCount - 1);

void BM_CountSentenceCandidates(benchmark::State& state) {
  if (!haveCorpus(state)) return;
  const AnalysisKind& kind = analysisKinds()[static_cast<std::size_t>(state.range(0))];
  const std::string_view sentences = std::string_view(corpus()).substr(0, corpus().rfind('.') + 1);
  std::size_t found = 0, stops = 0;
  for (auto _ : state) {
    stops = 0;
    found = countSentenceCandidates(sentences, kind, [&](std::size_t, std::uint64_t) { ++stops; });
    benchmark::DoNotOptimize(found);
  }
  state.SetBytesProcessed(static_cast<int64_t>(state.iterations() * corpus().size()));
  state.SetLabel(std::string(kind.cliName) + ", " + std::to_string(found) + " candidates, " + std::to_string(stops) +
                 " sentences");
}
BENCHMARK(BM_CountSentenceCandidates)->DenseRange(0, kKindCount - 1);

void BM_ScanIntoGrid(benchmark::State& state) {
  if (!haveCorpus(state)) return;
  for (auto _ : state) {
    CandidateGrid grid;
    scanIntoGrid(corpus(), analysisKind(KindId::AccSg), grid);
    benchmark::DoNotOptimize(grid.candidateCount());
  }
  state.SetBytesProcessed(static_cast<int64_t>(state.iterations() * corpus().size()));
}
BENCHMARK(BM_ScanIntoGrid);

CandidateGrid sampleGrid() {
  CandidateGrid grid;
  scanIntoGrid(corpus(), analysisKind(KindId::AccSg), grid);
  for (std::size_t r = 1; r <= grid.candidateCount(); r += 3) grid.validate(r, "1 d\xE9" "cl. acc. sg. [AA00C]");
  return grid;
}

void BM_RecordEncode(benchmark::State& state) {
  const CandidateRow row{1234, "567", "aquam", "1 d\xE9" "cl. acc. sg. [AA00C]", true};
  for (auto _ : state) benchmark::DoNotOptimize(recordFromRow(row).encode());
  state.SetBytesProcessed(static_cast<int64_t>(state.iterations() * AnalysisRecord::kSize));
}
BENCHMARK(BM_RecordEncode);

void BM_RecordDecode(benchmark::State& state) {
  const auto bytes = recordFromRow({1234, "567", "aquam", "1 d\xE9" "cl. acc. sg. [AA00C]", true}).encode();
  for (auto _ : state) benchmark::DoNotOptimize(rowFromRecord(AnalysisRecord::decode({bytes.data(), bytes.size()}), 1234));
  state.SetBytesProcessed(static_cast<int64_t>(state.iterations() * AnalysisRecord::kSize));
}
BENCHMARK(BM_RecordDecode);

void BM_AnalysisFileRoundTrip(benchmark::State& state) {
  if (!haveCorpus(state)) return;
  const CandidateGrid grid = sampleGrid();
  for (auto _ : state) {
    const std::string bytes = encodeAnalysisFile(grid);
    benchmark::DoNotOptimize(decodeAnalysisFile(bytes).candidateCount());
  }
  state.SetItemsProcessed(static_cast<int64_t>(state.iterations() * grid.candidateCount()));
}
BENCHMARK(BM_AnalysisFileRoundTrip);

void BM_SpreadsheetExport(benchmark::State& state) {
  if (!haveCorpus(state)) return;
  const CandidateGrid grid = sampleGrid();
  std::size_t size = 0;
  for (auto _ : state) {
    const std::string bytes = encodeSpreadsheet(grid);
    size = bytes.size();
    benchmark::DoNotOptimize(bytes.data());
  }
  state.SetBytesProcessed(static_cast<int64_t>(state.iterations() * size));
  state.SetItemsProcessed(static_cast<int64_t>(state.iterations() * grid.candidateCount()));
}
BENCHMARK(BM_SpreadsheetExport);

}  // namespace
