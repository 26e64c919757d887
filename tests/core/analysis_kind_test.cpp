#include "core/analysis/analysis_kind.h"

#include <gtest/gtest.h>

#include <set>

namespace varnelio {
namespace {

struct KindRow {
  KindId id;
  const char* cli;
  const char* submenu;
  const char* submenuCaption;
  const char* newItem;
  const char* newWindow;
  const char* existingItem;
  const char* existingWindow;
  const char* title;
  const char* paradigm;
  char letter;
  int labelHeightNew;
  int labelHeightExisting;
  const char* label3;  // the label of the third declension, Windows-1252
};

const KindRow kRows[] = {
    {KindId::NomSg, "nom-sg", "nom_sing", "Varnelio - Noms - Nominatif singulier", "nom_sing_nouveau",
     "frmnew_nom_sing", "nom_sing_modif", "frmanalyse_nom_sing",
     "Orvalune - Varnelio (Analyse - Nominatif singulier)", "frmnom_sing", 'A', 495, 495,
     "3 d\xE9" "cl. nom. sg. [AC00A]"},
    {KindId::NomPl, "nom-pl", "nom_plu", "Varnelio - Noms - Nominatif pluriel", "nom_pluriel_nouveau",
     "frmnew_nom_pluriel", "nom_pluriel_modif", "frmanalyse_nom_pluriel",
     "Orvalune - Varnelio (Analyse - Nominatif pluriel)", "frmnom_pluriel", 'J', 255, 255,
     "3 d\xE9" "cl. nom. pl. [AC00J]"},
    {KindId::AccSg, "acc-sg", "acc_sing", "Varnelio - Noms - Accusatif singulier", "acc_sing_nouveau",
     "frmnew_analyse", "acc_sing_modif", "frmanalyse_acc_sing",
     "Orvalune - Varnelio (Analyse - Accusatif singulier)", "frmacc_singulier", 'C', 255, 255,
     "3 d\xE9" "cl. acc. sg. [AC00C]"},
    {KindId::AccPl, "acc-pl", "acc_plu", "Varnelio - Noms - Accusatif pluriel", "acc_pluriel_nouveau",
     "frmnew_acc_pluriel", "acc_pluriel_modif", "frmanalyse_acc_pluriel",
     "Orvalune - Varnelio (Analyse - Accusatif pluriel)", "frmacc_pluriel", 'L', 255, 255,
     "3 d\xE9" "cl. acc. pl. [AC00L]"},
    {KindId::GenSg, "gen-sg", "gen_sing", "Varnelio - Noms - G\u00e9nitif singulier", "gen_sing_nouveau",
     "frmnew_gen_sing", "gen_sing_modif", "frmanalyse_gen_sing",
     "Orvalune - Varnelio (Analyse - G\u00e9nitif singulier)", "frmgen_sing", 'D', 255, 255,
     "3 d\xE9" "cl. g\xE9n. sg. [AC00D]"},
    {KindId::GenPl, "gen-pl", "gen_pluriel", "Varnelio - Noms - G\u00e9nitif pluriel", "gen_pluriel_nouveau",
     "frmnew_gen_pluriel", "gen_pluriel_modif", "frmanalyse_gen_pluriel",
     "Orvalune - Varnelio (Analyse - G\u00e9nitif pluriel)", "frmgen_pluriel", 'M', 255, 255,
     "3 d\xE9" "cl. g\xE9n. pl. [AC00M]"},
    {KindId::DatSg, "dat-sg", "dat_sing", "Varnelio - Noms - Datif singulier", "dat_sing_nouveau",
     "frmnew_dat_sing", "dat_sing_modif", "frmanalyse_dat_sing", "Orvalune - Varnelio (Analyse - Datif singulier)",
     "frmdat_sing", 'E', 495, 495, "3 d\xE9" "cl. dat. sg. [AC00E]"},
    {KindId::DatPl, "dat-pl", "dat_pluriel", "Varnelio - Noms - Datif pluriel", "dat_pluriel_nouveau",
     "frmnew_dat_pluriel", "dat_pluriel_modif", "frmanalyse_dat_pluriel",
     "Orvalune - Varnelio (Analyse - Datif pluriel)", "frmdat_pluriel", 'N', 495, 255,
     "3 d\xE9" "cl. dat. pl. [AC00N]"},
    {KindId::AblSg, "abl-sg", "abl_sing", "Varnelio - Noms - Ablatif singulier", "abl_sing_nouveau",
     "frmnew_abl_sing", "abl_sing_modif", "frmanalyse_abl_sing", "Orvalune - Varnelio (Analyse - Ablatif singulier)",
     "frmabl_sing", 'F', 495, 495, "3 d\xE9" "cl. abl. sg. [AC00F]"},
    {KindId::AblPl, "abl-pl", "abl_pluriel", "Varnelio - Noms - Ablatif pluriel", "abl_pluriel_nouveau",
     "frmnew_abl_pluriel", "abl_pluriel_modif", "frmanalyse_abl_pluriel",
     "Orvalune - Varnelio (Analyse - Ablatif pluriel)", "frmabl_pluriel", 'O', 495, 255,
     "3 d\xE9" "cl. abl. pl. [AC00O]"},
};

TEST(AnalysisKind, TheTenKindsInMenuOrderWithTheirNamesAndLabels) {
  ASSERT_EQ(analysisKinds().size(), std::size(kRows));
  for (std::size_t i = 0; i < std::size(kRows); ++i) {
    const KindRow& e = kRows[i];
    const AnalysisKind& k = analysisKinds()[i];
    SCOPED_TRACE(e.cli);
    EXPECT_EQ(k.id, e.id);
    EXPECT_EQ(&analysisKind(e.id), &k);
    EXPECT_EQ(kindFromCliName(e.cli), e.id);
    EXPECT_EQ(k.submenuName, e.submenu);
    EXPECT_EQ(k.submenuCaption, e.submenuCaption);
    EXPECT_EQ(k.itemName(Family::New), e.newItem);
    EXPECT_EQ(k.windowName(Family::New), e.newWindow);
    EXPECT_EQ(k.itemName(Family::Existing), e.existingItem);
    EXPECT_EQ(k.windowName(Family::Existing), e.existingWindow);
    EXPECT_EQ(k.windowTitle, e.title);
    EXPECT_EQ(k.paradigmName(Family::New), e.paradigm);
    EXPECT_EQ(k.paradigmName(Family::Existing), std::string(e.paradigm) + "_modif");
    EXPECT_EQ(k.caseNumberLetter, e.letter);
    EXPECT_EQ(k.formLabelHeight(Family::New), e.labelHeightNew);
    EXPECT_EQ(k.formLabelHeight(Family::Existing), e.labelHeightExisting);
    EXPECT_EQ(analysisLabel(k, 3), e.label3);
    EXPECT_EQ(kindFromWindowName(e.newWindow), std::pair(e.id, Family::New));
    EXPECT_EQ(kindFromWindowName(e.existingWindow), std::pair(e.id, Family::Existing));
  }
  EXPECT_FALSE(kindFromCliName("acc-du").has_value());
  EXPECT_FALSE(kindFromWindowName("frmlexique").has_value());
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
