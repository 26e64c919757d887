// SPDX-License-Identifier: GPL-3.0-or-later
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "core/analysis/analysis_file.h"
#include "core/analysis/candidate_scan.h"
#include "core/exercise/exercise_file.h"
#include "core/text/cp1252.h"
#include "run_program.h"
#include "temp_dir.h"

namespace varnelio {
namespace {

using testing::readBytes;
using testing::TempDir;
using testing::writeBytes;

const std::string kA1 = "1 d\xE9" "cl. acc. sg. [AA00C]";
// Candidates: rosam, aquam, Illum, Templum.
const std::string kText = "Puella rosam amat. Nautae aquam dant. Illum video. Templum.";

testing::CliRun runCli(const std::vector<std::string>& args) { return testing::runProgram(VARNELIO_CLI, args); }

// An analysis file of the text's scan with these analyses, then these rows deleted.
std::string analysisFile(const std::vector<std::pair<std::size_t, std::string>>& analyses,
                         const std::vector<std::size_t>& deleted) {
  CandidateGrid grid;
  cutAndScan(kText, analysisKind(KindId::AccSg), grid);
  for (const auto& [row, text] : analyses) grid.validate(row, text);
  grid.deleteRows(deleted);
  return encodeAnalysisFile(grid);
}

class CliExercise : public ::testing::Test {
 protected:
  void SetUp() override {
    writeBytes(dir.file("texte.txt"), kText);
    // rosam and aquam nouns, Illum not one, Templum left without an answer.
    writeBytes(dir.file("prof.DAT"), analysisFile({{1, kA1}, {2, kA1}, {3, "pronom"}}, {}));
    const auto made = runCli({"exercise", "acc-sg", dir.file("texte.txt"), dir.file("prof.DAT"), exo});
    ASSERT_EQ(made.exitCode, 0) << made.err;
    EXPECT_EQ(made.out, "4 candidats : 2 noms, 1 faux candidat, 1 sans r\xC3\xA9ponse (non corrig\xC3\xA9)\n");
    writeBytes(dir.file("juste.DAT"), analysisFile({{1, kA1}, {2, "1 DECL ACC SG [AA00C]"}}, {3}));
    // rosam with another declension, aquam deleted, Illum kept with a label.
    writeBytes(dir.file("fausse.DAT"), analysisFile({{1, "2 d\xE9" "cl. acc. sg. [AB00C]"}, {3, kA1}}, {2}));
    writeBytes(dir.file("abimee.DAT"), std::string(400, 'x'));
  }
  TempDir dir;
  const std::string exo = dir.file("texte.exo");
};

TEST_F(CliExercise, GradesEachCopyAndGoesOnPastADamagedOne) {
  const auto r = runCli({"grade", exo, dir.file("juste.DAT"), dir.file("abimee.DAT"), dir.file("fausse.DAT")});
  EXPECT_EQ(r.exitCode, 1);
  EXPECT_EQ(r.out,
            "Copie\tJustes\tCorrig\xC3\xA9s\tNoms supprim\xC3\xA9s \xC3\xA0 tort\tFaux candidats gard\xC3\xA9s\tNote\n" +
                dir.file("juste.DAT") + "\t3\t3\t0\t0\t20\n" + dir.file("abimee.DAT") + "\tle fichier " +
                dir.file("abimee.DAT") +
                " n'est pas un fichier d'analyse (sa longueur n'est pas un multiple de 369 octets)\n" +
                dir.file("fausse.DAT") + "\t0\t3\t1\t1\t0\n");

  // Every copy graded: status 0; the detail lists the wrong rows under their copy.
  const auto detail = runCli({"grade", "--detail", exo, dir.file("fausse.DAT"), dir.file("juste.DAT")});
  EXPECT_EQ(detail.exitCode, 0) << detail.err;
  const std::string expected =
      dir.file("fausse.DAT") + "\t0\t3\t1\t1\t0\n"
      "\t1\trosam\t2 d\xC3\xA9" "cl. acc. sg. [AB00C]\t1 d\xC3\xA9" "cl. acc. sg. [AA00C]\n"
      "\t2\taquam\tsupprim\xC3\xA9\t1 d\xC3\xA9" "cl. acc. sg. [AA00C]\n"
      "\t3\tIllum\t1 d\xC3\xA9" "cl. acc. sg. [AA00C]\tpas un accusatif singulier\n" +
      dir.file("juste.DAT") + "\t3\t3\t0\t0\t20\n";
  EXPECT_EQ(detail.out.substr(detail.out.find('\n') + 1), expected);

  // The same table for a spreadsheet: Windows-1252, CR LF, nothing on stdout.
  const auto tsv = runCli({"grade", exo, dir.file("fausse.DAT"), dir.file("juste.DAT"), "--tsv", dir.file("notes.XLS")});
  EXPECT_EQ(tsv.exitCode, 0) << tsv.err;
  EXPECT_TRUE(tsv.out.empty());
  const auto plain = runCli({"grade", exo, dir.file("fausse.DAT"), dir.file("juste.DAT")});
  std::string crlf;
  for (const char c : cp1252::fromUtf8(plain.out)) crlf += c == '\n' ? std::string("\r\n") : std::string(1, c);
  EXPECT_EQ(readBytes(dir.file("notes.XLS")), crlf);
  EXPECT_NE(crlf.find("Corrig\xE9s"), std::string::npos);
}

TEST_F(CliExercise, ADamagedExerciseOrACopyOfAnotherTextIsRefused) {
  std::string bytes = readBytes(exo);
  bytes[bytes.size() / 2] ^= 1;
  writeBytes(dir.file("abime.exo"), bytes);
  const auto damaged = runCli({"grade", dir.file("abime.exo"), dir.file("juste.DAT")});
  EXPECT_EQ(damaged.exitCode, 1);
  EXPECT_TRUE(damaged.out.empty());
  EXPECT_EQ(damaged.err, "varnelio-cli: impossible de lire le fichier " + dir.file("abime.exo") + " : " +
                             describe(ExerciseFileProblem::Damaged) + "\n");

  CandidateGrid other;
  cutAndScan("Dominum video. Servum audio.", analysisKind(KindId::AccSg), other);
  writeBytes(dir.file("autre.DAT"), encodeAnalysisFile(other));
  const auto r = runCli({"grade", exo, dir.file("autre.DAT")});
  EXPECT_EQ(r.exitCode, 1);
  EXPECT_NE(r.out.find(dir.file("autre.DAT") + "\taucune ligne du fichier"), std::string::npos) << r.out;
  EXPECT_EQ(runCli({"grade", exo}).exitCode, 2);
  EXPECT_EQ(runCli({"exercise", "acc-sg", dir.file("texte.txt"), dir.file("prof.DAT"), dir.file("prof.DAT")}).exitCode, 2);
}

}  // namespace
}  // namespace varnelio
