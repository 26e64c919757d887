// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/analysis/analysis_kind.h"

#include <gtest/gtest.h>

#include <set>

namespace varnelio {
namespace {

// In menu order: the command-line name and the label of the third declension.
struct KindRow {
  KindId id;
  const char* cli;
  const char* label3;  // Windows-1252
};

const KindRow kRows[] = {
    {KindId::NomSg, "nom-sg", "3 d\xE9" "cl. nom. sg. [AC00A]"}, {KindId::NomPl, "nom-pl", "3 d\xE9" "cl. nom. pl. [AC00J]"},
    {KindId::AccSg, "acc-sg", "3 d\xE9" "cl. acc. sg. [AC00C]"}, {KindId::AccPl, "acc-pl", "3 d\xE9" "cl. acc. pl. [AC00L]"},
    {KindId::GenSg, "gen-sg", "3 d\xE9" "cl. g\xE9n. sg. [AC00D]"},
    {KindId::GenPl, "gen-pl", "3 d\xE9" "cl. g\xE9n. pl. [AC00M]"},
    {KindId::DatSg, "dat-sg", "3 d\xE9" "cl. dat. sg. [AC00E]"}, {KindId::DatPl, "dat-pl", "3 d\xE9" "cl. dat. pl. [AC00N]"},
    {KindId::AblSg, "abl-sg", "3 d\xE9" "cl. abl. sg. [AC00F]"}, {KindId::AblPl, "abl-pl", "3 d\xE9" "cl. abl. pl. [AC00O]"},
};

// Each kind is found again by its command-line name, and labels its analyses with
// its own case and number; no two kinds share a name or a letter.
TEST(AnalysisKind, TheTenKindsInMenuOrderEachFoundByItsNameWithItsOwnLabels) {
  ASSERT_EQ(analysisKinds().size(), std::size(kRows));
  std::set<std::string_view> names;
  std::set<char> letters;
  for (std::size_t i = 0; i < std::size(kRows); ++i) {
    const KindRow& e = kRows[i];
    const AnalysisKind& k = analysisKinds()[i];
    SCOPED_TRACE(e.cli);
    EXPECT_EQ(k.id, e.id);
    EXPECT_EQ(&analysisKind(e.id), &k);
    EXPECT_EQ(kindFromCliName(e.cli), e.id);
    EXPECT_EQ(analysisLabel(k, 3), e.label3);
    names.insert(k.cliName);
    letters.insert(k.caseNumberLetter);
  }
  EXPECT_EQ(names.size(), std::size(kRows));
  EXPECT_EQ(letters.size(), std::size(kRows));
  EXPECT_FALSE(kindFromCliName("acc-du").has_value());
  EXPECT_FALSE(kindFromCliName("Acc-sg").has_value());
}

TEST(AnalysisKind, LabelsAreTwentyFourCharactersWithTheDeclensionLetter) {
  std::set<std::string> all;
  for (const AnalysisKind& k : analysisKinds())
    for (int d = 1; d <= 5; ++d) {
      const std::string label = analysisLabel(k, d);
      EXPECT_EQ(label.size(), 24u) << label;
      EXPECT_EQ(analysisCode(k, d), std::string("[A") + char('A' + d - 1) + "00" + k.caseNumberLetter + "]");
      EXPECT_TRUE(label.ends_with(analysisCode(k, d)));
      all.insert(label);
    }
  EXPECT_EQ(all.size(), 50u);
  EXPECT_EQ(analysisLabel(analysisKind(KindId::AccSg), 1), "1 d\xE9" "cl. acc. sg. [AA00C]");
  EXPECT_EQ(analysisLabel(analysisKind(KindId::AccSg), 5), "5 d\xE9" "cl. acc. sg. [AE00C]");
  EXPECT_EQ(analysisLabel(analysisKind(KindId::NomPl), 4), "4 d\xE9" "cl. nom. pl. [AD00J]");
  EXPECT_EQ(analysisLabel(analysisKind(KindId::AblSg), 1), "1 d\xE9" "cl. abl. sg. [AA00F]");
}

struct EndingCase {
  KindId kind;
  const char* word;
  bool candidate;
};

class EndingTest : public ::testing::TestWithParam<EndingCase> {};

TEST_P(EndingTest, MatchesExactlyTheEndingsOfEitherStage) {
  EXPECT_EQ(isCandidate(GetParam().word, analysisKind(GetParam().kind)), GetParam().candidate) << GetParam().word;
}

INSTANTIATE_TEST_SUITE_P(
    Words, EndingTest,
    ::testing::Values(
        EndingCase{KindId::AccSg, "rosam", true}, EndingCase{KindId::AccSg, "Romam", true},
        EndingCase{KindId::AccSg, "nomen", true}, EndingCase{KindId::AccSg, "rosamque", true},
        EndingCase{KindId::AccSg, "regemque", true}, EndingCase{KindId::AccSg, "ROSAM", false},
        EndingCase{KindId::AccSg, "rosasque", false}, EndingCase{KindId::AccSg, "am", true},
        EndingCase{KindId::AccSg, "m", false}, EndingCase{KindId::GenSg, "rosaeque", false},
        EndingCase{KindId::GenSg, "rosae", true}, EndingCase{KindId::GenSg, "is", true},
        EndingCase{KindId::GenPl, "templum", true}, EndingCase{KindId::GenPl, "rosarum", true},
        EndingCase{KindId::GenPl, "manuum", true}, EndingCase{KindId::GenPl, "rosa", false},
        EndingCase{KindId::AblSg, "rosa", true}, EndingCase{KindId::AblSg, "manu", true},
        EndingCase{KindId::AblSg, "rege", true}, EndingCase{KindId::AblSg, "domino", true},
        EndingCase{KindId::AblSg, "civi", true}, EndingCase{KindId::AblSg, "rosA", false},
        EndingCase{KindId::AblSg, "rosam", false}, EndingCase{KindId::AblSg, "pot\xE9", false},
        EndingCase{KindId::DatPl, "rebus", true}, EndingCase{KindId::DatPl, "rosis", true},
        EndingCase{KindId::DatPl, "bus", false}, EndingCase{KindId::AblPl, "regibus", true},
        EndingCase{KindId::NomSg, "rosa", true}, EndingCase{KindId::NomSg, "rosae", true},
        EndingCase{KindId::NomSg, "rosam", false}, EndingCase{KindId::NomPl, "domini", true},
        EndingCase{KindId::NomPl, "rosas", false}, EndingCase{KindId::AccPl, "dominos", true},
        EndingCase{KindId::AccPl, "Puella", true}, EndingCase{KindId::DatSg, "domino", true},
        EndingCase{KindId::DatSg, "fructui", true}, EndingCase{KindId::DatSg, "rosa", false}));

TEST(AnalysisKind, DativeAndAblativePluralFindTheSameWords) {
  for (const char* w : {"is", "rosis", "rebus", "regibus", "bus", "rosa", "ibu"})
    EXPECT_EQ(isCandidate(w, analysisKind(KindId::DatPl)), isCandidate(w, analysisKind(KindId::AblPl))) << w;
}

}  // namespace
}  // namespace varnelio
