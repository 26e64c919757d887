// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/exercise/exercise.h"

#include <gtest/gtest.h>

#include "core/analysis/analysis_file.h"
#include "core/analysis/recovery_copy.h"
#include "core/exercise/correction.h"
#include "core/exercise/exercise_file.h"
#include "core/files/little_endian.h"
#include "temp_dir.h"

namespace varnelio {
namespace {

const std::string kA1 = "1 d\xE9" "cl. acc. sg. [AA00C]";
const std::string kB2 = "2 d\xE9" "cl. acc. sg. [AB00C]";
// Candidates for the accusative singular: rosam, aquam, Illum, Templum, donum.
const std::string kText = "Puella rosam amat. Nautae aquam dant. Illum video. Templum et donum.";

Exercise exerciseOf(const std::string& text, KindId kind = KindId::AccSg) { return Exercise(SentenceTable(text), kind); }

// A grid of the exercise's scan, deletions given as rows (ascending) made after
// the analyses.
CandidateGrid scanned(const Exercise& exercise, const std::vector<std::pair<std::size_t, std::string>>& analyses,
                      const std::vector<std::size_t>& deleted = {}) {
  CandidateGrid grid;
  exercise.scanInto(grid);
  for (const auto& [row, text] : analyses) grid.validate(row, text);
  grid.deleteRows(deleted);
  return grid;
}

// The same grid as its analysis file reads back: rows given as texts.
CandidateGrid asFile(const CandidateGrid& grid) { return decodeAnalysisFile(encodeAnalysisFile(grid)); }

struct KeyEntry {
  Expected expected;
  int declension;
  std::string text;
  bool operator==(const KeyEntry&) const = default;
};
std::vector<KeyEntry> entries(const ExerciseKey& key) {
  std::vector<KeyEntry> out;
  for (std::size_t c = 0; c < key.size(); ++c)
    out.push_back({key.expected(c), key.declension(c), std::string(key.teacherText(c))});
  return out;
}

// The teacher's grid: labels, another text, a deletion and an empty row.
CandidateGrid teachersGrid(const Exercise& exercise) {
  return scanned(exercise, {{1, kA1}, {2, " 1 d\xE9" "cl. acc. sg. [aa00c]  "}, {3, "pronom, pas un nom"}}, {4});
}

TEST(ExerciseKey, FromTheTeachersGridScannedOrReadFromItsFile) {
  Exercise exercise = exerciseOf(kText);
  ASSERT_EQ(exercise.candidateCount(), 5u);
  const std::vector<KeyEntry> expected = {
      {Expected::Noun, 1, ""},  // the kind's own label
      {Expected::Noun, 1, " 1 d\xE9" "cl. acc. sg. [aa00c]"},
      {Expected::NotOne, 0, "pronom, pas un nom"},
      {Expected::NotOne, 0, ""},     // deleted
      {Expected::NotGraded, 0, ""},  // left empty
  };
  const CandidateGrid grid = teachersGrid(exercise), file = asFile(grid);
  for (const CandidateGrid* g : {&grid, &file}) {
    std::size_t unmatched = 9;
    const ExerciseKey key = keyFromGrid(exercise, *g, &unmatched);
    EXPECT_EQ(entries(key), expected);
    EXPECT_EQ(key.notGradedCount(), 1u);
    EXPECT_EQ(unmatched, 0u);
  }
  EXPECT_EQ(notGradedQuestion(12), "12 candidats n'ont pas de r\xC3\xA9ponse et ne seront pas corrig\xC3\xA9s. Continuer ?");
  EXPECT_EQ(notGradedQuestion(1), "1 candidat n'a pas de r\xC3\xA9ponse et ne sera pas corrig\xC3\xA9. Continuer ?");
}

TEST(ExerciseKey, RowsOfAFileAreMatchedBySentenceAndFormInOrder) {
  // "rosam rosam": the second kept; a row of no candidate and one out of order
  // match nothing; a candidate the file lacks counts as deleted.
  Exercise exercise = exerciseOf("Rosam rosam vident. Aquam dant. Donum.");
  CandidateGrid file;
  file.appendRow(CandidateRow(1, "1", "rosam", kA1, true));
  file.appendRow(CandidateRow(2, "1", "puellam", kA1, true));
  file.appendRow(CandidateRow(3, "3", "Donum", "2 d\xE9" "cl. acc. sg. [AB00C]", true));
  file.appendRow(CandidateRow(4, "2", "Aquam", kA1, true));
  std::size_t unmatched = 0;
  const ExerciseKey key = keyFromGrid(exercise, file, &unmatched);
  EXPECT_EQ(unmatched, 2u);
  EXPECT_EQ(entries(key), (std::vector<KeyEntry>{{Expected::NotOne, 0, ""},
                                                 {Expected::Noun, 1, ""},
                                                 {Expected::NotOne, 0, ""},
                                                 {Expected::Noun, 2, ""}}));
}

TEST(ExerciseAnswer, LabelsAreReadByTheirCodeAndLeadingNumber) {
  using S = AnswerReading::Shape;
  const struct {
    std::string text;
    AnswerReading reading;
  } cases[] = {
      {"3 d\xE9" "cl. acc. sg. [AC00C]", {S::Label, 3, true}},
      {"[ac00c]", {S::Label, 3, true}},
      {"  3   DECL   ACC SG [AC00C] (rex)", {S::Label, 3, true}},
      {"1 d\xE9" "cl. acc. sg. [AC00C]", {S::Label, 3, false}},  // the number says another declension
      {"[AC00C] ou [AB00C]", {S::Label, 3, false}},
      {"3 d\xE9" "cl. g\xE9n. sg. [AC00D]", {S::OtherText, 0, false}},  // another kind's code
      {"[AF00C]", {S::OtherText, 0, false}},
      {"pronom, pas un nom", {S::OtherText, 0, false}},
      {" \t ", {S::Empty, 0, false}},
  };
  for (const auto& c : cases) EXPECT_EQ(readAnswer(c.text, analysisKind(KindId::AccSg)), c.reading) << c.text;
}

TEST(ExerciseCorrection, EachAnswerAgainstTheKey) {
  enum Action { Delete, Validate, Leave };
  const struct {
    const char* name;
    Expected expected;
    Action action;
    std::string text;
    std::optional<Verdict> verdict;  // none: not graded
  } cases[] = {
      {"right label", Expected::Noun, Validate, kA1, Verdict::Right},
      {"spacing and case of the rest", Expected::Noun, Validate, "  1 DECL acc.sg.[AA00C] ", Verdict::Right},
      {"wrong declension", Expected::Noun, Validate, "2 d\xE9" "cl. acc. sg. [AA00C]", Verdict::WrongAnalysis},
      {"wrong code", Expected::Noun, Validate, "1 d\xE9" "cl. acc. sg. [AB00C]", Verdict::WrongAnalysis},
      {"noun called no noun", Expected::Noun, Validate, "adverbe", Verdict::WrongAnalysis},
      {"noun left empty", Expected::Noun, Leave, "", Verdict::WrongAnalysis},
      {"noun deleted", Expected::Noun, Delete, "", Verdict::NounDeleted},
      {"false candidate deleted", Expected::NotOne, Delete, "", Verdict::Right},
      {"false candidate named", Expected::NotOne, Validate, "pronom", Verdict::Right},
      {"false candidate kept with a label", Expected::NotOne, Validate, kA1, Verdict::FalseCandidateKept},
      {"false candidate kept empty", Expected::NotOne, Leave, "", Verdict::FalseCandidateKept},
      {"ungraded row", Expected::NotGraded, Validate, kA1, std::nullopt},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    Exercise exercise = exerciseOf("Puella rosam amat.");
    ExerciseKey key;
    if (c.expected == Expected::Noun) key.addNoun(1, kA1);
    if (c.expected == Expected::NotOne) key.addNotOne({});
    if (c.expected == Expected::NotGraded) key.addNotGraded();
    ASSERT_TRUE(exercise.setKey(key));
    const CandidateGrid student = scanned(exercise, c.action == Validate ? std::vector<std::pair<std::size_t, std::string>>{{1, c.text}}
                                                                          : std::vector<std::pair<std::size_t, std::string>>{},
                                          c.action == Delete ? std::vector<std::size_t>{1} : std::vector<std::size_t>{});
    const CandidateGrid file = asFile(student);
    for (const CandidateGrid* g : {&student, &file}) {
      const Correction correction = correct(exercise, *g);
      ASSERT_EQ(correction.candidates.size(), c.verdict ? 1u : 0u);
      EXPECT_EQ(correction.graded, correction.candidates.size());
      if (!c.verdict) continue;
      EXPECT_EQ(correction.candidates[0], (GradedCandidate{0, 1, c.action != Delete, *c.verdict}));
      EXPECT_EQ(correction.right, *c.verdict == Verdict::Right ? 1u : 0u);
    }
  }
}

TEST(ExerciseCorrection, CountsRowsAndSummary) {
  Exercise exercise = exerciseOf(kText);
  ASSERT_TRUE(exercise.setKey(keyFromGrid(exercise, teachersGrid(exercise))));
  // rosam wrong, aquam deleted, Illum kept with a label, Templum deleted, donum ungraded.
  const CandidateGrid student = scanned(exercise, {{1, kB2}, {3, kA1}, {5, kA1}}, {2, 4});
  const Correction c = correct(exercise, student);
  EXPECT_EQ(c.candidates, (std::vector<GradedCandidate>{{0, 1, true, Verdict::WrongAnalysis},
                                                        {1, 2, false, Verdict::NounDeleted},
                                                        {2, 2, true, Verdict::FalseCandidateKept},
                                                        {3, 3, false, Verdict::Right}}));
  EXPECT_EQ(summaryLine(c), "1 analyse juste sur 4 ; 1 nom supprim\xC3\xA9 \xC3\xA0 tort ; 1 faux candidat gard\xC3\xA9. "
                            "Note : 5 / 20");
  EXPECT_EQ(expectedAnswerTooltip(exercise, 0), "Attendu : 1 d\xC3\xA9" "cl. acc. sg. [AA00C]");
  EXPECT_EQ(expectedAnswerTooltip(exercise, 1), "Attendu : 1 d\xC3\xA9" "cl. acc. sg. [aa00c]");  // the teacher's own
  EXPECT_EQ(expectedAnswerTooltip(exercise, 2), "Attendu : pas un accusatif singulier");
  EXPECT_EQ(expectedAnswer(exerciseOf("Templum.", KindId::GenSg), 0), "non corrig\xC3\xA9");

  Correction many;
  many.graded = 20;
  many.right = 17;
  many.nounsDeleted = 2;
  many.falseCandidatesKept = 3;
  EXPECT_EQ(summaryLine(many), "17 analyses justes sur 20 ; 2 noms supprim\xC3\xA9s \xC3\xA0 tort ; 3 faux candidats "
                               "gard\xC3\xA9s. Note : 17 / 20");
  EXPECT_EQ(summaryLine(Correction{}), "Aucun candidat n'a de r\xC3\xA9ponse attendue : rien \xC3\xA0 corriger.");
}

TEST(ExerciseCorrection, MarkIsRoundedToTheNearestHalfPoint) {
  const struct {
    std::size_t right, graded;
    const char* mark;
  } cases[] = {
      {17, 20, "17"}, {29, 40, "14,5"}, {1, 3, "6,5"},  {2, 3, "13,5"}, {1, 8, "2,5"},
      {1, 16, "1,5"},  // 1.25: a quarter goes up
      {3, 16, "4"},    // 3.75
      {0, 5, "0"},     {5, 5, "20"},  {199, 200, "20"},  // 19.9
  };
  for (const auto& c : cases) {
    Correction correction;
    correction.right = c.right;
    correction.graded = c.graded;
    ASSERT_TRUE(correction.markInHalves());
    EXPECT_EQ(formatMark(*correction.markInHalves()), c.mark) << c.right << " / " << c.graded;
  }
  EXPECT_FALSE(Correction{}.markInHalves());
}

// ---- The file ----

Exercise keyedExercise() {
  Exercise exercise = exerciseOf(kText + " Caes\xE4rem.");
  EXPECT_TRUE(exercise.setKey(keyFromGrid(exercise, teachersGrid(exercise))));
  return exercise;
}

// Bytes re-sealed with their hash, as a later program would write them.
std::string sealed(std::string bodyWithoutHash) {
  LittleEndianWriter(bodyWithoutHash).u64(textFingerprint(bodyWithoutHash));
  return bodyWithoutHash;
}

TEST(ExerciseFile, ReadsBackTextKindAndKey) {
  for (const KindId kind : {KindId::AccSg, KindId::AblPl, KindId::NomSg}) {
    Exercise exercise = exerciseOf(kText + " Caes\xE4rem.", kind);
    ASSERT_TRUE(exercise.setKey(keyFromGrid(exercise, teachersGrid(exercise))));
    auto back = decodeExercise(encodeExercise(exercise));
    ASSERT_TRUE(std::holds_alternative<Exercise>(back));
    const Exercise& read = std::get<Exercise>(back);
    EXPECT_EQ(read.text(), exercise.text());
    EXPECT_EQ(read.kindId(), kind);
    EXPECT_EQ(read.key(), exercise.key());
    EXPECT_EQ(read.formOf(read.candidateCount() - 1), exercise.formOf(exercise.candidateCount() - 1));
  }
  testing::TempDir dir;
  const Exercise exercise = keyedExercise();
  ASSERT_FALSE(writeExerciseFile(dir.file("caesar.exo"), exercise));
  auto read = readExerciseFile(dir.file("caesar.exo"));
  ASSERT_TRUE(std::holds_alternative<Exercise>(read));
  EXPECT_EQ(std::get<Exercise>(read).key(), exercise.key());

  // A section a later version adds is skipped.
  const std::string bytes = encodeExercise(exercise);
  std::string later = bytes.substr(0, bytes.size() - 8) + "NOTE";
  LittleEndianWriter(later).u64(3);
  later += "abc";
  auto withNote = decodeExercise(sealed(later));
  ASSERT_TRUE(std::holds_alternative<Exercise>(withNote));
  EXPECT_EQ(std::get<Exercise>(withNote).key(), exercise.key());
}

TEST(ExerciseFile, RefusesDamagedAndForeignFilesNamingThem) {
  const std::string bytes = encodeExercise(keyedExercise());
  const auto problem = [](std::string b) -> std::optional<ExerciseFileProblem> {
    auto read = decodeExercise(std::move(b));
    if (auto* p = std::get_if<ExerciseFileProblem>(&read)) return *p;
    return std::nullopt;
  };
  for (std::size_t n = 0; n < bytes.size(); ++n) {
    EXPECT_EQ(problem(bytes.substr(0, n)), n == 0 ? ExerciseFileProblem::NotAnExercise : ExerciseFileProblem::Damaged)
        << n;
    std::string changed = bytes;
    changed[n] = static_cast<char>(changed[n] ^ 0x01);
    EXPECT_TRUE(problem(changed)) << n;
  }
  EXPECT_EQ(problem(encodeAnalysisFile(teachersGrid(keyedExercise()))), ExerciseFileProblem::NotAnExercise);

  const std::size_t version = std::string_view("Varnelio exercise\n").size();
  std::string later = bytes.substr(0, bytes.size() - 8);
  later[version] = 2;
  EXPECT_EQ(problem(sealed(later)), ExerciseFileProblem::LaterVersion);
  // A key of one candidate less than the text gives, hash and all in order.
  Exercise shorter = exerciseOf(kText);
  ExerciseKey four;
  for (int i = 0; i < 4; ++i) four.addNotGraded();
  std::string body = encodeExercise(shorter);
  const std::size_t keyAt = body.find("KEY ");
  body = body.substr(0, keyAt) + "KEY ";
  std::string payload;
  LittleEndianWriter w(payload);
  w.u32(4);
  w.raw(std::string(4, '\0'));
  w.u32(0);
  LittleEndianWriter(body).u64(payload.size());
  EXPECT_EQ(problem(sealed(body + payload)), ExerciseFileProblem::TextAndKeyDisagree);

  testing::TempDir dir;
  testing::writeBytes(dir.file("copie.exo"), bytes.substr(0, bytes.size() / 2));
  auto read = readExerciseFile(dir.file("copie.exo"));
  ASSERT_TRUE(std::holds_alternative<FileError>(read));
  EXPECT_EQ(std::get<FileError>(read).path, dir.file("copie.exo"));
  EXPECT_EQ(std::get<FileError>(read).reason, describe(ExerciseFileProblem::Damaged));
}

}  // namespace
}  // namespace varnelio
