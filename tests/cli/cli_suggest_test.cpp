// SPDX-License-Identifier: GPL-3.0-or-later
// varnelio-cli scan --suggest [--drop], with the analyser and the tagger the build
// generated beside the program, on sentences whose answers a grammar settles.
#include <gtest/gtest.h>

#include <filesystem>
#include <string>

#include "run_program.h"
#include "temp_dir.h"

namespace varnelio {
namespace {

namespace fs = std::filesystem;
using testing::TempDir;
using testing::writeBytes;

bool preAnalysisBuilt() {
  const fs::path data = fs::path(VARNELIO_CLI).parent_path() / ".." / "share" / "varnelio";
  return fs::exists(data / "analyseur.dat") && fs::exists(data / "etiqueteur.dat");
}

class CliSuggest : public ::testing::Test {
 protected:
  void SetUp() override {
    if (!preAnalysisBuilt()) GTEST_SKIP() << "analyseur.dat or etiqueteur.dat not built";
    writeBytes(source, "Puella rosam dat. Rosae in horto sunt. Caesar legiones in Galliam duxit.");
  }
  TempDir dir;
  const std::string source = dir.file("t.txt");
};

TEST_F(CliSuggest, TheLabelOfEachNounOfTheKindAndNothingForTheOthers) {
  const auto r = testing::runProgram(VARNELIO_CLI, {"scan", "nom-pl", source, "--suggest"});
  ASSERT_EQ(r.exitCode, 0) << r.err;
  EXPECT_EQ(r.out,
            "N\xC2\xB0\tN\xC2\xB0 phrase\tForme(s)\tAnalyse(s)\n"
            "1\t1\tPuella\t\n"
            "2\t2\tRosae\t1 d\xC3\xA9" "cl. nom. pl. [AA00J]\n"
            "3\t3\tlegiones\t\n");
  // "in" governs the ablative of "horto"; "Rosae" is no ablative.
  const auto abl = testing::runProgram(VARNELIO_CLI, {"scan", "abl-sg", source, "--suggest"});
  EXPECT_NE(abl.out.find("\t2\tRosae\t\n"), std::string::npos) << abl.out;
  EXPECT_NE(abl.out.find("\t2\thorto\t2 d\xC3\xA9" "cl. abl. sg. [AB00F]\n"), std::string::npos) << abl.out;
}

TEST_F(CliSuggest, DropLeavesOutTheFalseCandidatesAndNumbersTheRest) {
  const auto r = testing::runProgram(VARNELIO_CLI, {"scan", "nom-pl", source, "--suggest", "--drop"});
  ASSERT_EQ(r.exitCode, 0) << r.err;
  EXPECT_EQ(r.out,
            "N\xC2\xB0\tN\xC2\xB0 phrase\tForme(s)\tAnalyse(s)\n"
            "1\t2\tRosae\t1 d\xC3\xA9" "cl. nom. pl. [AA00J]\n");
  // The analysis file holds the same rows, the labels as analyses.
  const auto dat = testing::runProgram(VARNELIO_CLI, {"scan", "acc-sg", source, "--suggest", "--drop", "--dat",
                                                      dir.file("a.DAT")});
  ASSERT_EQ(dat.exitCode, 0) << dat.err;
  const auto shown = testing::runProgram(VARNELIO_CLI, {"show", dir.file("a.DAT")});
  EXPECT_EQ(shown.out,
            "N\xC2\xB0\tN\xC2\xB0 phrase\tForme(s)\tAnalyse(s)\n"
            "1\t1\trosam\t1 d\xC3\xA9" "cl. acc. sg. [AA00C]\n"
            "2\t3\tGalliam\t1 d\xC3\xA9" "cl. acc. sg. [AA00C]\n");
}

TEST_F(CliSuggest, DropAloneIsAUsageError) {
  EXPECT_EQ(testing::runProgram(VARNELIO_CLI, {"scan", "abl-sg", source, "--drop"}).exitCode, 2);
  EXPECT_EQ(testing::runProgram(VARNELIO_CLI, {"scan", "abl-sg", source, "--suggest", "--suggest"}).exitCode, 2);
}

}  // namespace
}  // namespace varnelio
