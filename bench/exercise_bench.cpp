// SPDX-License-Identifier: GPL-3.0-or-later
// An exercise on a 10 MB text (the corpus repeated): opening its file, giving the
// student the full scan with the work done so far, and correcting it; and the
// command line's way, correcting an analysis file.
#include <benchmark/benchmark.h>
#include <malloc.h>

#include <filesystem>
#include <map>
#include <string>

#include "bench_corpus.h"
#include "core/analysis/analysis_file.h"
#include "core/exercise/correction.h"
#include "core/exercise/exercise_file.h"

namespace {

using namespace varnelio;

constexpr std::size_t kTextBytes = 10'000'000;

std::size_t heapInUse() {
  const struct mallinfo2 m = mallinfo2();
  return m.uordblks + m.hblkhd;
}

// The teacher labels one candidate in four and deletes one in two; the student
// answers the same, but one label in three is of another declension and one
// deletion in five is kept.
struct Class {
  std::string exercisePath;
  CandidateGrid::Edits studentEdits;
  std::string studentCopyPath;
  std::size_t textSize = 0;
};

const Class& classOf(KindId kind) {
  static std::map<KindId, Class> made;
  auto [it, fresh] = made.try_emplace(kind);
  Class& c = it->second;
  if (!fresh) return c;
  std::string text;
  while (!bench::wholeCorpus().empty() && text.size() < kTextBytes) text += bench::wholeCorpus();
  if (text.empty()) return c;
  text.resize(kTextBytes);
  c.textSize = text.size();
  Exercise exercise{SentenceTable(std::move(text)), kind};
  CandidateGrid teacher, student;
  exercise.scanInto(teacher);
  exercise.scanInto(student);
  std::vector<std::size_t> teacherDeleted, studentDeleted;
  for (std::size_t r = 1; r <= teacher.candidateCount(); ++r) {
    if (r % 4 == 0) {
      teacher.validate(r, analysisLabel(exercise.kind(), 2));
      student.validate(r, analysisLabel(exercise.kind(), r % 3 == 0 ? 3 : 2));
    } else if (r % 2 == 1) {
      teacherDeleted.push_back(r);
      if (r % 5 != 0) studentDeleted.push_back(r);
    }
  }
  teacher.deleteRows(teacherDeleted);
  student.deleteRows(studentDeleted);
  exercise.setKey(keyFromGrid(exercise, teacher));
  const auto dir = std::filesystem::temp_directory_path();
  c.exercisePath = (dir / ("varnelio-bench-" + std::string(exercise.kind().cliName) + ".exo")).string();
  c.studentCopyPath = (dir / ("varnelio-bench-" + std::string(exercise.kind().cliName) + ".DAT")).string();
  writeExerciseFile(c.exercisePath, exercise);
  writeAnalysisFile(c.studentCopyPath, student);
  c.studentEdits = student.edits();
  return c;
}

// What the window does: open the exercise, show the student's work on the full
// scan, correct it.
void BM_ExerciseOpenedAndCorrected(benchmark::State& state) {
  const auto kind = static_cast<KindId>(state.range(0));
  const Class& c = classOf(kind);
  if (c.textSize == 0) return state.SkipWithError("corpus not found");
  // The heap held once all is done, and the part of it that is the exercise and
  // its correction rather than the student's grid (its analyses are the grid's own).
  std::size_t held = 0, exerciseAndCorrection = 0, candidates = 0, graded = 0;
  for (auto _ : state) {
    const std::size_t before = heapInUse();
    auto read = readExerciseFile(c.exercisePath);
    const std::size_t opened = heapInUse();
    const Exercise& exercise = std::get<Exercise>(read);
    CandidateGrid grid;
    exercise.scanInto(grid);
    grid.applyEdits(c.studentEdits);
    const std::size_t shown = heapInUse();
    const Correction correction = correct(exercise, grid);
    const std::size_t corrected = heapInUse();
    held = std::max(held, corrected - before);
    exerciseAndCorrection = std::max(exerciseAndCorrection, (opened - before) + (corrected - shown));
    candidates = exercise.candidateCount();
    graded = correction.graded;
    benchmark::DoNotOptimize(correction.right);
  }
  state.counters["candidates"] = static_cast<double>(candidates);
  state.counters["graded"] = static_cast<double>(graded);
  state.counters["held_per_text"] = static_cast<double>(held) / static_cast<double>(c.textSize);
  state.counters["exercise_correction_per_text"] =
      static_cast<double>(exerciseAndCorrection) / static_cast<double>(c.textSize);
  state.SetLabel(std::string(analysisKind(kind).cliName));
}
BENCHMARK(BM_ExerciseOpenedAndCorrected)
    ->Arg(static_cast<int>(KindId::NomSg))
    ->Arg(static_cast<int>(KindId::AccSg))
    ->Arg(static_cast<int>(KindId::AblPl))
    ->Unit(benchmark::kMillisecond);

// What `varnelio-cli grade` does for one copy: the exercise and the student's
// analysis file read, the rows matched by sentence and form.
void BM_ExerciseCopyGradedFromItsFile(benchmark::State& state) {
  const auto kind = static_cast<KindId>(state.range(0));
  const Class& c = classOf(kind);
  if (c.textSize == 0) return state.SkipWithError("corpus not found");
  for (auto _ : state) {
    auto read = readExerciseFile(c.exercisePath);
    auto copy = readAnalysisFile(c.studentCopyPath);
    const Correction correction = correct(std::get<Exercise>(read), std::get<CandidateGrid>(copy));
    benchmark::DoNotOptimize(correction.right);
  }
  state.SetLabel(std::string(analysisKind(kind).cliName));
}
BENCHMARK(BM_ExerciseCopyGradedFromItsFile)
    ->Arg(static_cast<int>(KindId::NomSg))
    ->Arg(static_cast<int>(KindId::AblPl))
    ->Unit(benchmark::kMillisecond);

}  // namespace
