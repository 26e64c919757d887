// SPDX-License-Identifier: GPL-3.0-or-later
// Exercise files as any bytes: the reader refuses or reads without crashing, and
// what it reads writes back to a file that reads to the same exercise. An
// exercise made up from the input (a text, a kind, a teacher's grid of labels,
// other texts, empty rows and deletions) gives the key the rules say, reads back
// from its file, refuses its file cut short or changed in one byte, and grades
// the teacher's own grid, and its analysis file, all right.
#include <fuzzer/FuzzedDataProvider.h>

#include <cstddef>
#include <cstdint>
#include <string>
#include <variant>
#include <vector>

#include "check.h"
#include "core/analysis/analysis_file.h"
#include "core/exercise/correction.h"
#include "core/exercise/exercise_file.h"

using namespace varnelio;

namespace {

bool sameExercise(const Exercise& a, const Exercise& b) {
  return a.text() == b.text() && a.kindId() == b.kindId() && a.key() == b.key() &&
         a.candidateCount() == b.candidateCount();
}

void checkReader(std::string_view bytes) {
  auto read = decodeExercise(std::string(bytes));
  if (!std::holds_alternative<Exercise>(read)) return;
  const Exercise& exercise = std::get<Exercise>(read);
  FUZZ_CHECK(exercise.key().size() == exercise.candidateCount());
  const std::string written = encodeExercise(exercise);
  auto again = decodeExercise(written);
  FUZZ_CHECK(std::holds_alternative<Exercise>(again));
  FUZZ_CHECK(sameExercise(std::get<Exercise>(again), exercise));
  FUZZ_CHECK(encodeExercise(std::get<Exercise>(again)) == written);
}

void checkMadeUpExercise(FuzzedDataProvider& in) {
  // Words that are candidates of several kinds, others, and full stops.
  static const char* const kWords[] = {"rosam", "Rosam", "aquae", "dominus", "templum", "illis", "puella",
                                       "et",    "video", ".",     ". ",      "rosis",   "servos", "hominibus"};
  std::string text;
  const std::size_t words = in.ConsumeIntegralInRange<std::size_t>(0, 40);
  for (std::size_t w = 0; w < words; ++w) {
    text += kWords[in.ConsumeIntegralInRange<std::size_t>(0, std::size(kWords) - 1)];
    text += ' ';
  }
  text += in.ConsumeRandomLengthString(40);
  const KindId kind = analysisKinds()[in.ConsumeIntegralInRange<int>(0, kKindCount - 1)].id;
  Exercise exercise{SentenceTable(text), kind};

  // The teacher's grid, and the key the rules give, candidate by candidate.
  CandidateGrid grid;
  exercise.scanInto(grid);
  FUZZ_CHECK(grid.candidateCount() == exercise.candidateCount());
  std::vector<Expected> expected;
  std::vector<int> declensions;
  std::vector<std::size_t> deleted;
  for (std::size_t r = 1; r <= grid.candidateCount(); ++r) {
    switch (in.ConsumeIntegralInRange<int>(0, 3)) {
      case 0: {
        const int d = in.ConsumeIntegralInRange<int>(1, 5);
        grid.validate(r, analysisLabel(exercise.kind(), d));
        expected.push_back(Expected::Noun);
        declensions.push_back(d);
        break;
      }
      case 1:
        grid.validate(r, "pronom, pas un nom");
        expected.push_back(Expected::NotOne);
        declensions.push_back(0);
        break;
      case 2:
        deleted.push_back(r);
        expected.push_back(Expected::NotOne);
        declensions.push_back(0);
        break;
      default:
        expected.push_back(Expected::NotGraded);
        declensions.push_back(0);
    }
  }
  const CandidateGrid undeleted = grid;
  grid.deleteRows(deleted);
  FUZZ_CHECK(exercise.setKey(keyFromGrid(exercise, grid)));
  const ExerciseKey& key = exercise.key();
  for (std::size_t c = 0; c < key.size(); ++c) {
    FUZZ_CHECK(key.expected(c) == expected[c]);
    FUZZ_CHECK(key.declension(c) == declensions[c]);
  }

  const std::string bytes = encodeExercise(exercise);
  auto back = decodeExercise(bytes);
  FUZZ_CHECK(std::holds_alternative<Exercise>(back));
  FUZZ_CHECK(sameExercise(std::get<Exercise>(back), exercise));
  const std::size_t cut = in.ConsumeIntegralInRange<std::size_t>(0, bytes.size() - 1);
  FUZZ_CHECK(std::holds_alternative<ExerciseFileProblem>(decodeExercise(bytes.substr(0, cut))));
  std::string changed = bytes;
  changed[in.ConsumeIntegralInRange<std::size_t>(0, bytes.size() - 1)] ^=
      static_cast<char>(in.ConsumeIntegralInRange<int>(1, 255));
  FUZZ_CHECK(std::holds_alternative<ExerciseFileProblem>(decodeExercise(changed)));

  // The teacher's own answers are all right; without deletions, so are those of
  // the analysis file, whose rows are matched by sentence and form.
  const Correction own = correct(exercise, grid);
  FUZZ_CHECK(own.graded == key.gradedCount() && own.right == own.graded && own.unmatchedRows == 0);
  if (deleted.empty()) {
    const Correction file = correct(exercise, decodeAnalysisFile(encodeAnalysisFile(undeleted)));
    FUZZ_CHECK(file.candidates == own.candidates);
  }
  // A grid with nothing done: every noun is wrong, every false candidate kept.
  CandidateGrid untouched;
  exercise.scanInto(untouched);
  const Correction none = correct(exercise, untouched);
  FUZZ_CHECK(none.right == 0 && none.wrongAnalyses + none.falseCandidatesKept == none.graded);
  if (const auto mark = none.markInHalves()) FUZZ_CHECK(*mark == 0);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  checkReader(std::string_view(reinterpret_cast<const char*>(data), size));
  FuzzedDataProvider in(data, size);
  checkMadeUpExercise(in);
  return 0;
}
