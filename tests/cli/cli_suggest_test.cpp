// SPDX-License-Identifier: GPL-3.0-or-later
// varnelio-cli scan --suggest [--drop], with the analyser and the tagger the build
// generated beside the program, on sentences whose answers a grammar settles.
#include <gtest/gtest.h>

#include <filesystem>
#include <algorithm>
#include <string>
#include <vector>

#include "../support/required_data.h"
#include "run_program.h"
#include "temp_dir.h"

namespace varnelio {
namespace {

namespace fs = std::filesystem;
using testing::TempDir;
using testing::writeBytes;

bool preAnalysisBuilt() {
  const fs::path data = fs::path(VARNELIO_CLI).parent_path() / ".." / "share" / "varnelio";
  return fs::exists(data / "analyseur.dat") && fs::exists(data / "etiqueteur.dat") && fs::exists(data / "juge.dat");
}

class CliSuggest : public ::testing::Test {
 protected:
  void SetUp() override {
    VARNELIO_REQUIRE_DATA(preAnalysisBuilt(), "analyseur.dat, etiqueteur.dat and juge.dat built");
    writeBytes(source, "Puella rosam dat. Rosae in horto sunt. Caesar legiones in Galliam duxit.");
  }
  TempDir dir;
  const std::string source = dir.file("t.txt");
};

// The rows of a scan's output, each split at its tabs.
std::vector<std::vector<std::string>> rowsOf(const std::string& out) {
  std::vector<std::vector<std::string>> rows;
  std::size_t start = out.find('\n') + 1;
  while (start < out.size()) {
    const std::size_t end = out.find('\n', start);
    std::vector<std::string> cols;
    std::size_t c = start;
    while (true) {
      const std::size_t tab = out.find('\t', c);
      if (tab == std::string::npos || tab > end) {
        cols.push_back(out.substr(c, end - c));
        break;
      }
      cols.push_back(out.substr(c, tab - c));
      c = tab + 1;
    }
    rows.push_back(cols);
    start = end + 1;
  }
  return rows;
}

// The level of a row's sixth column, and whether it proposes a label.
bool proposes(const std::string& level) {
  EXPECT_TRUE(level == "s\xC3\xBBr" || level == "probable" || level == "douteux" || level == "faux") << level;
  return level == "s\xC3\xBBr" || level == "probable";
}

TEST_F(CliSuggest, TheLabelOfEachNounOfTheKindAndTheConfidenceAndLevelOfEveryCandidate) {
  const auto r = testing::runProgram(VARNELIO_CLI, {"scan", "nom-pl", source, "--suggest"});
  ASSERT_EQ(r.exitCode, 0) << r.err;
  ASSERT_EQ(r.out.substr(0, r.out.find('\n')), "N\xC2\xB0\tN\xC2\xB0 phrase\tForme(s)\tAnalyse(s)\tConfiance\tNiveau");
  const auto rows = rowsOf(r.out);
  ASSERT_EQ(rows.size(), 3u) << r.out;
  const char* forms[] = {"Puella", "Rosae", "legiones"};
  for (std::size_t k = 0; k < rows.size(); ++k) {
    ASSERT_EQ(rows[k].size(), 6u) << r.out;
    // A label is proposed exactly for the "sûr" and "probable".
    EXPECT_EQ(proposes(rows[k][5]), !rows[k][3].empty()) << r.out;
    EXPECT_EQ(rows[k][2], forms[k]);
    const int confidence = std::stoi(rows[k][4]);
    EXPECT_GE(confidence, 0);
    EXPECT_LE(confidence, 100);
  }
  // "Rosae" is the subject of "sunt"; "Puella" is no plural.
  EXPECT_EQ(rows[1][3], "1 d\xC3\xA9" "cl. nom. pl. [AA00J]");
  EXPECT_GE(std::stoi(rows[1][4]), 50);
  EXPECT_EQ(rows[0][3], "");
  EXPECT_LE(std::stoi(rows[0][4]), 5);
  // "in" governs the ablative of "horto"; "Rosae" is no ablative.
  const auto abl = testing::runProgram(VARNELIO_CLI, {"scan", "abl-sg", source, "--suggest"});
  EXPECT_NE(abl.out.find("\t2\tRosae\t\t"), std::string::npos) << abl.out;
  EXPECT_NE(abl.out.find("\t2\thorto\t2 d\xC3\xA9" "cl. abl. sg. [AB00F]\t"), std::string::npos) << abl.out;
  // The export file has the same six columns, in Windows-1252.
  const std::string sheet = dir.file("abl.XLS");
  ASSERT_EQ(testing::runProgram(VARNELIO_CLI, {"scan", "abl-sg", source, "--suggest", "--tsv", sheet}).exitCode, 0);
  std::string fileText = testing::readBytes(sheet);
  EXPECT_TRUE(fileText.starts_with("N\xB0\tN\xB0 phrase\tForme(s)\tAnalyse(s)\tConfiance\tNiveau\r\n")) << fileText;
  const std::size_t horto = fileText.find("\thorto\t2 d\xE9" "cl. abl. sg. [AB00F]\t");
  ASSERT_NE(horto, std::string::npos) << fileText;
  const std::string line = fileText.substr(horto, fileText.find("\r\n", horto) - horto);
  EXPECT_TRUE(line.ends_with("\ts\xFBr") || line.ends_with("\tprobable")) << line;
  // Without --suggest, four columns as before.
  const auto plain = testing::runProgram(VARNELIO_CLI, {"scan", "nom-pl", source});
  EXPECT_EQ(plain.out.substr(0, plain.out.find('\n')), "N\xC2\xB0\tN\xC2\xB0 phrase\tForme(s)\tAnalyse(s)");
}

// --drop leaves out the "faux" only: within a kind they are the least likely, and
// never a candidate with a proposed label; a "douteux" one stays.
TEST_F(CliSuggest, DropLeavesOutOnlyTheLeastLikelyAndNumbersTheRest) {
  for (const char* kind : {"nom-sg", "nom-pl", "acc-sg", "abl-sg", "dat-sg"}) {
    const auto all = rowsOf(testing::runProgram(VARNELIO_CLI, {"scan", kind, source, "--suggest"}).out);
    const auto kept = rowsOf(testing::runProgram(VARNELIO_CLI, {"scan", kind, source, "--suggest", "--drop"}).out);
    ASSERT_LE(kept.size(), all.size()) << kind;
    std::size_t next = 0;
    int leastKept = 101, mostDropped = -1;
    for (const auto& row : all) {
      if (next < kept.size() && kept[next][1] == row[1] && kept[next][2] == row[2]) {
        EXPECT_EQ(kept[next][0], std::to_string(next + 1)) << kind;
        EXPECT_EQ(kept[next][3], row[3]) << kind;
        EXPECT_NE(kept[next][5], "faux") << kind;
        leastKept = std::min(leastKept, std::stoi(row[4]));
        ++next;
      } else {
        EXPECT_EQ(row[3], "") << kind << ": " << row[2] << " has a label and was dropped";
        EXPECT_EQ(row[5], "faux") << kind << ": " << row[2];
        mostDropped = std::max(mostDropped, std::stoi(row[4]));
      }
    }
    EXPECT_EQ(next, kept.size()) << kind;
    EXPECT_LE(mostDropped, leastKept) << kind;
  }
  // "legiones" is accusative here, but a nominative plural is not ruled out: doubtful, kept.
  const auto nomPl = rowsOf(testing::runProgram(VARNELIO_CLI, {"scan", "nom-pl", source, "--suggest", "--drop"}).out);
  ASSERT_FALSE(nomPl.empty());
  EXPECT_EQ(nomPl[0][2], "Rosae");
  // The analysis file holds the same rows, the labels as analyses, and no confidence.
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
