// SPDX-License-Identifier: GPL-3.0-or-later
// The Latin analyser against its targets: at least 500,000 words analysed per
// second on one core, ready in at most 0.2 s, at most 60 MB once loaded. Reads the
// analyseur.dat of the build and the corpus texts.
#include <benchmark/benchmark.h>

#include <filesystem>
#include <string>
#include <vector>

#include "core/morphology/latin_analyser.h"
#include "core/text/text_words.h"
#include "bench_corpus.h"

namespace {

using namespace varnelio;

const std::string kAnalyserPath = std::string(VARNELIO_DATA_DIR) + "/analyseur.dat";

// Every word of the corpus, in text order (about 160,000 words).
const std::vector<std::string>& corpusWords() {
  static const std::vector<std::string> words = [] {
    std::vector<std::string> all;
    forEachWord(bench::wholeCorpus(), [&](std::string_view w, std::string_view) { all.emplace_back(w); });
    return all;
  }();
  return words;
}

const LatinAnalyser& analyser() {
  static const LatinAnalyser loaded = LatinAnalyser::load(kAnalyserPath);
  return loaded;
}

void BM_AnalyserLoad(benchmark::State& state) {
  std::size_t memory = 0;
  for (auto _ : state) {
    const LatinAnalyser a = LatinAnalyser::load(kAnalyserPath);
    if (a.status() != LatinAnalyser::Status::Loaded) {
      state.SkipWithError("analyseur.dat not built");
      return;
    }
    memory = a.memoryUsed();
    benchmark::DoNotOptimize(memory);
  }
  state.counters["MB"] = static_cast<double>(memory) / (1024.0 * 1024.0);
}
BENCHMARK(BM_AnalyserLoad)->Unit(benchmark::kMillisecond);

void BM_AnalyseCorpusWords(benchmark::State& state) {
  const LatinAnalyser& a = analyser();
  const auto& words = corpusWords();
  if (a.status() != LatinAnalyser::Status::Loaded || words.empty()) {
    state.SkipWithError("analyseur.dat or corpus missing");
    return;
  }
  std::vector<Analysis> out;
  std::size_t analyses = 0;
  for (auto _ : state) {
    for (const std::string& w : words) {
      a.analyse(w, out);
      analyses += out.size();
    }
  }
  benchmark::DoNotOptimize(analyses);
  state.counters["words/s"] =
      benchmark::Counter(static_cast<double>(words.size() * state.iterations()), benchmark::Counter::kIsRate);
}
BENCHMARK(BM_AnalyseCorpusWords)->Unit(benchmark::kMillisecond);

}  // namespace
