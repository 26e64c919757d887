// SPDX-License-Identifier: GPL-3.0-or-later
// varnelio-cli analyse on a small text and a small analyser file written here.
#include <gtest/gtest.h>

#include <string>

#include "core/dictionaries/dictionaries.h"
#include "core/morphology/analyser_data.h"
#include "run_program.h"
#include "temp_dir.h"

namespace varnelio {
namespace {

using testing::TempDir;
using testing::writeBytes;

// vita (acc. sg. "vitam", nom. sg. "vita") and the deponent sequor ("sequor").
std::string smallAnalyser() {
  AnalyserData d;
  d.morphologies.resize(122);
  d.morphologies[1] = {"nom.", "", "sg.", "", "",
                       {FormKind::NounCase, GrammaticalCase::Nominative, GrammaticalNumber::Singular}};
  d.morphologies[3] = {"acc.", "", "sg.", "", "",
                       {FormKind::NounCase, GrammaticalCase::Accusative, GrammaticalNumber::Singular}};
  d.morphologies[121] = {"1re p.", "", "sg.", "ind. pr\xE9s. act.", "ind. pr\xE9s. d\xE9p.",
                         {FormKind::Finite, GrammaticalCase::None, GrammaticalNumber::Singular, GrammaticalGender::None,
                          GrammaticalPerson::First, Mood::Indicative, Tense::Present, Voice::Active}};
  d.lemmas = {{"vita", "n. 1", "vie", "f.", 0, PartOfSpeech::Noun, 0}, {"sequor", "v. 3", "suivre", "", 1, PartOfSpeech::Verb, lemma_flag::kDeponent}};
  d.endings = {{"a", 0, 1, 1}, {"am", 0, 1, 3}, {"or", 1, 0, 121}};
  d.stems = {{"vit", 0, 1}, {"sequ", 1, 0}};
  return encodeAnalyserData(d);
}

// `varnelio-cli analyse` of a text, with the small analyser above.
testing::CliRun analyseWithSmallAnalyser(const std::string& text) {
  TempDir dir;
  writeBytes(dir.file("analyseur.dat"), smallAnalyser());
  writeBytes(dir.file("t.txt"), text);
  return testing::runProgram(VARNELIO_CLI, {"analyse", "--dict", dir.file("analyseur.dat"), dir.file("t.txt")});
}

TEST(CliAnalyse, EveryWordInTextOrderWithEachAnalysis) {
  // Words are cut as the scan cuts them, and the words after the last "." count.
  const auto r = analyseWithSmallAnalyser("Vitam sequor.\r\nxyz, uita-l\xE6ta");
  ASSERT_EQ(r.exitCode, 0) << r.err;
  EXPECT_EQ(r.out,
            "1\tVitam\tvita\tvie\tn. 1\tacc. f. sg.\t\n"
            "2\tsequor\tsequor\tsuivre\tv. 3\t1re p. sg.\tind. pr\xC3\xA9s. d\xC3\xA9p.\n"
            "3\txyz\t\t\t\t\t\n"
            "4\tuita\tvita\tvie\tn. 1\tnom. f. sg.\t\n"
            "5\tl\xC3\xA6ta\t\t\t\t\t\n");
  EXPECT_TRUE(r.err.empty());
}

TEST(CliAnalyse, AnUnknownNameInsideASentenceIsGuessed) {
  // "Pullam" starts a sentence and stays unknown; inside one it is guessed, after
  // the known words; a word in small letters is never guessed.
  const auto r = analyseWithSmallAnalyser("Pullam vita. Vita Pullam pullam");
  ASSERT_EQ(r.exitCode, 0) << r.err;
  EXPECT_EQ(r.out,
            "1\tPullam\t\t\t\t\t\n"
            "2\tvita\tvita\tvie\tn. 1\tnom. f. sg.\t\n"
            "3\tVita\tvita\tvie\tn. 1\tnom. f. sg.\t\n"
            "4\tPullam\tPulla\t(nom propre inconnu)\tnpr. 1\tacc. f. sg.\t\n"
            "5\tpullam\t\t\t\t\t\n");
}

TEST(CliAnalyse, FailuresExitAsTheOtherCommands) {
  TempDir dir;
  writeBytes(dir.file("analyseur.dat"), smallAnalyser());
  writeBytes(dir.file("bad.dat"), "not an analyser");
  writeBytes(dir.file("t.txt"), "vita");
  EXPECT_EQ(testing::runProgram(VARNELIO_CLI, {"analyse"}).exitCode, 2);
  EXPECT_EQ(testing::runProgram(VARNELIO_CLI, {"analyse", dir.file("t.txt"), dir.file("t.txt")}).exitCode, 2);
  EXPECT_EQ(testing::runProgram(VARNELIO_CLI, {"analyse", "--dict", dir.file("analyseur.dat"), dir.file("none.txt")})
                .exitCode,
            1);
  const auto missing = testing::runProgram(VARNELIO_CLI, {"analyse", "--dict", dir.file("none.dat"), dir.file("t.txt")});
  EXPECT_EQ(missing.exitCode, 1);
  EXPECT_NE(missing.err.find("est manquant"), std::string::npos) << missing.err;
  const auto bad = testing::runProgram(VARNELIO_CLI, {"analyse", "--dict", dir.file("bad.dat"), dir.file("t.txt")});
  EXPECT_EQ(bad.exitCode, 1);
  EXPECT_TRUE(bad.out.empty());
}

TEST(CliForm, TheAnalyserBesideTheFormDictionaryAddsWhatItsRecordsLack) {
  TempDir dir;
  writeBytes(dir.file("analyseur.dat"), smallAnalyser());
  writeBytes(dir.file("donnees.dat"), encodeDictionaryRecord(formLayout(), 0, {"vita", "n. 1", "vita", "nom. f. sg.", "", "vie"}));
  const auto vitam = testing::runProgram(VARNELIO_CLI, {"form", "--dict", dir.file("donnees.dat"), "uitam"});
  EXPECT_EQ(vitam.exitCode, 0);
  EXPECT_EQ(vitam.out, "uitam\tvita\tvie\tn. 1\tacc. f. sg.\t\n");
  // The record's own analysis is not repeated.
  const auto vita = testing::runProgram(VARNELIO_CLI, {"form", "--dict", dir.file("donnees.dat"), "vita"});
  EXPECT_EQ(vita.out, "vita\tvita\tvie\tn. 1\tnom. f. sg.    \t\n");
  const auto none = testing::runProgram(VARNELIO_CLI, {"form", "--dict", dir.file("donnees.dat"), "vitas"});
  EXPECT_EQ(none.exitCode, 0);
  EXPECT_TRUE(none.out.empty());
  EXPECT_NE(none.err.find("Aucune information"), std::string::npos);
  // A name typed with its capital that nothing knows is guessed, said to be a guess.
  const auto name = testing::runProgram(VARNELIO_CLI, {"form", "--dict", dir.file("donnees.dat"), "Pullam"});
  EXPECT_EQ(name.exitCode, 0);
  EXPECT_EQ(name.out, "Pullam\tPulla\t(nom propre inconnu)\tnpr. 1\tacc. f. sg.\t\n");
}

}  // namespace
}  // namespace varnelio
