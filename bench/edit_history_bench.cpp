// SPDX-License-Identifier: GPL-3.0-or-later
// What taking back a huge pre-analysis costs, and what a recovery copy costs the
// window that makes it: the grids of the nominative singular over a whole library.
#include <benchmark/benchmark.h>
#include <malloc.h>

#include <filesystem>
#include <string>

#include "core/analysis/candidate_scan.h"
#include "core/analysis/edit_history.h"
#include "core/analysis/recovery_copy.h"
#include "core/files/atomic_file.h"
#include "bench_corpus.h"

namespace {

using namespace varnelio;

// The corpus repeated until its nominative-singular scan has `candidates`, or the
// text has `bytes`.
std::string library(std::size_t candidates, std::size_t bytes) {
  const std::string& corpus = bench::wholeCorpus();
  if (corpus.empty()) return {};
  std::size_t perCopy = 0;
  scanText(corpus, analysisKind(KindId::NomSg), [&](std::string_view, std::int64_t) { ++perCopy; });
  std::string text;
  std::size_t found = 0;
  while ((candidates && found < candidates) || (bytes && text.size() < bytes)) {
    text += corpus;
    found += perCopy;
  }
  if (bytes) text.resize(bytes);
  return text;
}

// Bytes allocated, the large blocks the allocator maps apart included.
std::size_t heapInUse() {
  const struct mallinfo2 m = mallinfo2();
  return m.uordblks + m.hblkhd;
}

// What "Oui" after a pre-analysis does: a label on one candidate in four, the
// others deleted, as one step.
EditStep preAnalysis(CandidateGrid& grid) {
  EditStep step(EditKind::PreAnalysis, 1);
  std::vector<std::pair<std::size_t, std::string>> labels;
  std::vector<std::size_t> deleted;
  for (std::size_t r = 1; r <= grid.candidateCount(); ++r) {
    if (r % 4 == 0)
      labels.emplace_back(r, "2 d\xE9" "cl. nom. sg. [AB00A]");
    else
      deleted.push_back(r);
  }
  step.writeAnalyses(grid, labels);
  step.deleteRows(grid, deleted);
  return step;
}

void BM_UndoPreAnalysisOfMillionsOfCandidates(benchmark::State& state) {
  static const std::string text = library(6'000'000, 0);
  if (text.empty()) return state.SkipWithError("corpus not found");
  // What the step itself holds: the heap the pre-analysis adds with its step, less
  // what the same edits add to a grid that keeps no history.
  std::size_t withoutHistory = 0;
  {
    CandidateGrid plain;
    cutAndScan(text, analysisKind(KindId::NomSg), plain);
    const std::size_t before = heapInUse();
    preAnalysis(plain);  // the step is dropped at once: the grid keeps its edits
    withoutHistory = heapInUse() - before;
  }
  CandidateGrid grid;
  cutAndScan(text, analysisKind(KindId::NomSg), grid);
  const std::size_t candidates = grid.candidateCount();
  const std::size_t before = heapInUse();
  EditHistory history;
  history.push(preAnalysis(grid));
  const std::size_t added = heapInUse() - before;
  for (auto _ : state) {
    history.undo(grid);
    state.PauseTiming();
    if (grid.candidateCount() != candidates) state.SkipWithError("the undo lost rows");
    history.redo(grid);
    state.ResumeTiming();
  }
  state.counters["candidates"] = static_cast<double>(candidates);
  state.counters["MB_pre_analysis_with_step"] = static_cast<double>(added) / 1e6;
  state.counters["MB_held_by_the_step"] = static_cast<double>(added - withoutHistory) / 1e6;
}
BENCHMARK(BM_UndoPreAnalysisOfMillionsOfCandidates)->Unit(benchmark::kMillisecond)->Iterations(3);

struct TenMegabytes {
  std::string text = library(0, 10'000'000);
  CandidateGrid grid;
  TenMegabytes() {
    if (text.empty()) return;
    cutAndScan(text, analysisKind(KindId::NomSg), grid);
  }
};

// The part of a copy the window waits for: gathering the bytes. The writing goes to
// a thread of its own. Range 0: one validation; 1: after a whole pre-analysis.
void BM_RecoveryCopyGatheredByTheWindow(benchmark::State& state) {
  TenMegabytes ten;
  if (ten.text.empty()) return state.SkipWithError("corpus not found");
  EditHistory history;
  if (state.range(0) == 0) {
    EditStep step(EditKind::Validation, 5);
    step.writeAnalyses(ten.grid, {{5, "2 d\xE9" "cl. nom. sg. [AB00A]"}});
    history.push(std::move(step));
  } else {
    history.push(preAnalysis(ten.grid));
  }
  RecoveryHeader header{KindId::NomSg, Family::New, "/home/prof/bibliotheque.txt", textFingerprint(ten.text), ten.text.size(),
                        "", 0};
  std::size_t bytes = 0;
  for (auto _ : state) {
    const std::string copy = encodeRecoveryCopy(header, ten.grid.edits());
    bytes = copy.size();
    benchmark::DoNotOptimize(copy.data());
  }
  state.counters["copy_MB"] = static_cast<double>(bytes) / 1e6;
  state.SetLabel(state.range(0) == 0 ? "one validation" : "a whole pre-analysis");
}
BENCHMARK(BM_RecoveryCopyGatheredByTheWindow)->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond);

// The part done in the background: the atomic write of the copy after a whole
// pre-analysis, and the source text's copy, written once.
void BM_RecoveryCopyWrittenInTheBackground(benchmark::State& state) {
  TenMegabytes ten;
  if (ten.text.empty()) return state.SkipWithError("corpus not found");
  EditHistory history;
  history.push(preAnalysis(ten.grid));
  const std::string copy = encodeRecoveryCopy({}, ten.grid.edits());
  const std::string path = (std::filesystem::temp_directory_path() / "varnelio-bench.copie").string();
  for (auto _ : state) {
    writeFileAtomically(path, [&](ChunkWriter& out) { return out.write(copy); });
    writeFileAtomically(path + ".source", [&](ChunkWriter& out) { return out.write(ten.text); });
  }
  std::filesystem::remove(path);
  std::filesystem::remove(path + ".source");
}
BENCHMARK(BM_RecoveryCopyWrittenInTheBackground)->Unit(benchmark::kMillisecond);

}  // namespace
