// SPDX-License-Identifier: GPL-3.0-or-later
// pre_analysis_memory [megabytes | text file] [kind] [--wide]
// The pre-analysis of a whole grid in the core, as the window runs it: the data
// loaded and the text scanned first (what is loaded once), then every row judged.
// Prints the time of the judging and the memory it adds at its peak, against the
// text's size. Given a number, the corpus repeated to that many megabytes (10 by
// default); --wide keeps the eight-byte rows instead of the two-byte ones.
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <string>

#include "bench_corpus.h"
#include "core/analysis/candidate_scan.h"
#include "core/files/source_file.h"
#include "core/morphology/latin_data.h"
#include "core/morphology/pre_analysis.h"

namespace {

using namespace varnelio;

// A line of /proc/self/status, in kilobytes.
long statusKilobytes(const std::string& field) {
  std::ifstream status("/proc/self/status");
  for (std::string line; std::getline(status, line);)
    if (line.rfind(field + ":", 0) == 0) return std::strtol(line.c_str() + field.size() + 1, nullptr, 10);
  return 0;
}

// Starts the peak over from the memory in use now.
void resetPeak() { std::ofstream("/proc/self/clear_refs") << "5"; }

}  // namespace

int main(int argc, char** argv) {
  const std::string given = argc > 1 ? argv[1] : "10";
  const std::string kindName = argc > 2 ? argv[2] : "nom-sg";
  const bool wide = argc > 3 && std::string(argv[3]) == "--wide";
  const auto id = kindFromCliName(kindName);
  if (!id) {
    std::fprintf(stderr, "unknown kind %s\n", kindName.c_str());
    return 1;
  }
  const AnalysisKind& kind = analysisKind(*id);

  std::string text;
  if (auto read = readSourceText(given); std::holds_alternative<std::string>(read)) {
    text = std::move(std::get<std::string>(read));
  } else {
    const std::size_t bytes = std::strtoul(given.c_str(), nullptr, 10) * 1000 * 1000;
    const std::string& corpus = bench::wholeCorpus();
    if (corpus.empty()) {
      std::fprintf(stderr, "no corpus\n");
      return 1;
    }
    while (text.size() < bytes) text.append(corpus, 0, std::min(corpus.size(), bytes - text.size()));
  }
  const std::size_t textBytes = text.size();

  LatinData data(VARNELIO_DATA_DIR);
  const auto* analyser = std::get_if<std::shared_ptr<const LatinAnalyser>>(&data.analyser());
  const auto* tagger = std::get_if<std::shared_ptr<const ContextualTagger>>(&data.tagger());
  const auto* nounJudge = std::get_if<std::shared_ptr<const NounJudge>>(&data.judge());
  if (!analyser || !tagger || !nounJudge) {
    std::fprintf(stderr, "the data of %s do not load\n", VARNELIO_DATA_DIR);
    return 1;
  }
  PreAnalyser judge(**analyser, **tagger, **nounJudge);
  CandidateGrid grid;
  const SentenceTable sentences = cutAndScan(std::move(text), kind, grid);

  const long before = statusKilobytes("VmRSS");
  resetPeak();
  const auto start = std::chrono::steady_clock::now();
  std::size_t found = 0;
  if (wide) {
    std::vector<RowJudgement> rows;
    judgeRows(judge, sentences, grid, kind, rows, {});
    for (const RowJudgement& r : rows) found += r.found;
  } else {
    RowJudgements rows;
    judgeRows(judge, sentences, grid, kind, rows, {});
    for (std::size_t r = 1; r <= rows.size(); ++r) found += rows.found(r);
  }
  const double seconds = std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
  const long added = statusKilobytes("VmHWM") - before;
  std::printf("%s, %.1f MB text, %zu rows (%zu judged), %s rows: %.2f s, peak memory added %.1f MB (%.2f x the text)\n",
              kindName.c_str(), textBytes / 1e6, grid.candidateCount(), found, wide ? "8-byte" : "2-byte", seconds,
              added * 1024.0 / 1e6, added * 1024.0 / static_cast<double>(textBytes));
  return 0;
}
