// SPDX-License-Identifier: GPL-3.0-or-later
// The dictionaries the build generated from the Collatinus lexicon installed on the
// machine: their content, their order, and how well they answer for a real text.
#include <gtest/gtest.h>

#include "../support/required_data.h"

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <filesystem>
#include <string>
#include <unordered_set>

#include "core/analysis/candidate_grid.h"
#include "core/dictionaries/dictionaries.h"
#include "core/text/cp1252.h"
#include "core/files/source_file.h"
#include "core/text/trim.h"
#include "mkdict/collatinus_lexicon.h"
#include "mkdict/grammar_labels.h"

namespace varnelio {
namespace {

const std::string kLexique = std::string(VARNELIO_DATA_DIR) + "/lexique.dat";
const std::string kDonnees = std::string(VARNELIO_DATA_DIR) + "/donnees.dat";

// A macro, not a function: a skip (or a failure) must end the test itself.
#define REQUIRE_LEXICON_AND_DICTIONARIES()                                                          \
  do {                                                                                              \
    VARNELIO_REQUIRE_DATA(std::filesystem::exists(VARNELIO_COLLATINUS_DATA), "the Collatinus data"); \
    VARNELIO_REQUIRE_DATA(std::filesystem::exists(kLexique) && std::filesystem::exists(kDonnees),    \
                          std::string("the dictionaries generated in ") + VARNELIO_DATA_DIR);        \
  } while (0)

// Every record: a headword, fields of Windows-1252 text without control bytes, the
// lookup order (lower-cased headword ascending, so initials come grouped).
void checkFile(const DictionaryFile& file, std::size_t headword) {
  std::string previous;
  for (std::size_t i = 0; i < file.count(); ++i) {
    const std::string_view word = file.field(i, headword);
    ASSERT_FALSE(word.empty()) << i;
    for (std::size_t f = 0; f < file.layout().fields.size(); ++f)
      for (unsigned char c : file.field(i, f)) ASSERT_GE(c, 0x20) << "record " << i << " field " << f;
    std::string lower = cp1252::toLower(word);
    ASSERT_LE(previous, lower) << "record " << i;
    previous = std::move(lower);
  }
}

TEST(GeneratedDictionaries, LemmaDictionary) {
  REQUIRE_LEXICON_AND_DICTIONARIES();
  const LemmaTable table = LemmaTable::load(kLexique);
  ASSERT_EQ(table.file().status(), DictionaryStatus::Loaded);
  EXPECT_GT(table.count(), 20000u);
  checkFile(table.file(), lemma_field::kLemma);
  bool found = false;
  for (std::size_t i : table.findLemma("dominus")) {
    const LemmaRow row = table.row(i);
    if (row[0] != "dominus") continue;
    found = true;
    EXPECT_NE(row[1].find("ma\xEEtre"), std::string::npos) << row[1];
    EXPECT_EQ(row[2], "n. 2");  // the declension beside the part of speech
    EXPECT_EQ(row[3], "");
    EXPECT_EQ(row[4], "");
  }
  EXPECT_TRUE(found);
  // The alphabetical menu lists each letter up to the next one.
  EXPECT_GT(table.findLetter('a').size(), 1000u);
  EXPECT_GT(table.findLetter('z').size(), 10u);
}

TEST(GeneratedDictionaries, FormDictionary) {
  REQUIRE_LEXICON_AND_DICTIONARIES();
  // The best of three loads: the machine running the tests may be busy.
  double seconds = 1e9;
  FormTable table;
  for (int attempt = 0; attempt < 3; ++attempt) {
    const auto start = std::chrono::steady_clock::now();
    table = FormTable::load(kDonnees);
    seconds = std::min(seconds, std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count());
  }
  ASSERT_EQ(table.file().status(), DictionaryStatus::Loaded);
  EXPECT_LE(table.count(), 400000u);
  std::printf("donnees.dat: %zu records loaded in %.3f s\n", table.count(), seconds);
  // A guard against a load that stops being one read of the file, not a benchmark:
  // the load takes about 0.1 s on a quiet machine, and CI machines are busy.
  EXPECT_LT(seconds, 2.0) << "loading " << table.count() << " records";
  checkFile(table.file(), form_field::kForm);

  bool rosam = false;
  for (std::size_t i : table.findForm("rosam")) {
    const FormRow row = table.row(i);
    if (row[1] == "rosa" && row[3] == "n. 1" && trimTrailingSpaces(row[4]) == "acc. f. sg.") rosam = true;
  }
  EXPECT_TRUE(rosam);
  bool iustus = false;
  for (std::size_t i : table.findForm("iustus")) iustus = iustus || table.row(i)[1] == "justus";
  EXPECT_TRUE(iustus);
  EXPECT_FALSE(table.findForm("justus").empty());
  EXPECT_GT(table.findLetter('v').size(), 1000u);
}

// Every label fits its field as it is: nothing is cut when a record is written.
TEST(GeneratedDictionaries, EveryMorphologyLabelFitsItsField) {
  auto text = readWholeFile(std::string(VARNELIO_COLLATINUS_DATA) + "/morphos.fr");
  VARNELIO_REQUIRE_DATA(std::holds_alternative<std::string>(text), "the Collatinus data");
  const auto morphologies = mkdict::readMorphologies(std::get<std::string>(text));
  EXPECT_GE(morphologies.size(), 416u);
  const DictionaryLayout& layout = formLayout();
  for (const auto& [number, description] : morphologies) {
    const mkdict::MorphologyLabels labels = mkdict::labelsOf(description, "m. f.");
    EXPECT_LE(labels.caseGenderNumber.size(), layout.fields[form_field::kCaseGenderNumber].width) << number;
    EXPECT_LE(labels.moodTenseVoice.size(), layout.fields[form_field::kMoodTenseVoice].width) << number;
    if (number <= 410) {  // every inflected form says what it is
      EXPECT_FALSE(labels.caseGenderNumber.empty() && labels.moodTenseVoice.empty()) << description;
    }
  }
}

// The record budget is spent as documented: the whole budget is used (the lexicon
// gives far more forms), and within it every lemma keeps at least one of its forms,
// whatever its frequency: the rarest forms are cut, never a lemma.
TEST(GeneratedDictionaries, TheRecordBudgetKeepsEveryLemmaAndIsSpentWhole) {
  REQUIRE_LEXICON_AND_DICTIONARIES();
  const FormTable forms = FormTable::load(kDonnees);
  const LemmaTable lemmas = LemmaTable::load(kLexique);
  ASSERT_EQ(forms.file().status(), DictionaryStatus::Loaded);
  ASSERT_EQ(lemmas.file().status(), DictionaryStatus::Loaded);
  EXPECT_EQ(forms.count(), 400000u);
  std::unordered_set<std::string_view> kept;
  for (std::size_t f = 0; f < forms.count(); ++f)
    kept.insert(trimTrailingSpaces(forms.file().field(f, form_field::kLemma)));
  std::size_t missing = 0;
  std::string example;
  for (std::size_t i = 0; i < lemmas.count(); ++i) {
    const std::string_view lemma = trimTrailingSpaces(lemmas.file().field(i, lemma_field::kLemma));
    if (!kept.contains(lemma) && missing++ == 0) example = lemma;
  }
  EXPECT_EQ(missing, 0u) << "for example " << example;
}

}  // namespace
}  // namespace varnelio
