// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/dictionaries/dictionaries.h"

#include <gtest/gtest.h>

#include <sys/stat.h>

#include "temp_dir.h"

namespace varnelio {
namespace {

using testing::TempDir;
using testing::writeBytes;

// lemma, category, translation, French family, Latin family (file order).
std::string lemmaRecord(std::string_view lemma, std::string_view french = "", std::string_view translation = "t") {
  return encodeDictionaryRecord(lemmaLayout(), 7, {lemma, "n.", translation, french, "lat"}, "zzzzz");
}
// form, category, lemma, case-gender-number, mood-tense-voice, translation (file order).
std::string formRecord(std::string_view form, std::string_view cgn = "acc. m. sg.") {
  return encodeDictionaryRecord(formLayout(), -1, {form, "nom", "amicus", cgn, "", "ami"}, "0123456789");
}

std::vector<std::string> lemmas(const LemmaTable& t, const std::vector<std::size_t>& hits) {
  std::vector<std::string> out;
  for (std::size_t i : hits) out.push_back(t.row(i)[0]);
  return out;
}
std::vector<std::string> forms(const FormTable& t, const std::vector<std::size_t>& hits) {
  std::vector<std::string> out;
  for (std::size_t i : hits) out.push_back(t.row(i)[0]);
  return out;
}

LemmaTable lemmaTableOf(const std::vector<std::string>& records) {
  std::string bytes;
  for (const auto& r : records) bytes += r;
  return LemmaTable(DictionaryFile(lemmaLayout(), bytes));
}

TEST(LemmaDictionary, RecordLayoutAndLoadedFields) {
  const std::string rec = lemmaRecord("amo  ", "  aimer, amour  ", "  aimer");
  ASSERT_EQ(rec.size(), 323u);
  EXPECT_EQ(rec.substr(0, 2), std::string("\x07\x00", 2));
  EXPECT_EQ(rec.substr(2, 5), "amo  ");
  EXPECT_EQ(rec.substr(72, 2), "n.");
  EXPECT_EQ(rec.substr(318, 5), "zzzzz");
  const LemmaTable t = lemmaTableOf({rec});
  ASSERT_EQ(t.count(), 1u);
  const LemmaRow row = t.row(0);
  EXPECT_EQ(row[0], "amo");
  EXPECT_EQ(row[1], "  aimer");                              // translation keeps leading blanks
  EXPECT_EQ(row[2], "n.");
  EXPECT_EQ(row[3], "aimer, amour  " + std::string(54, ' '));  // French family: leading blanks only
  EXPECT_EQ(row[4], "lat");
}

TEST(LemmaDictionary, LookupByLemmaIsAPrefixMatchIgnoringCase) {
  const LemmaTable t = lemmaTableOf({lemmaRecord("amo"), lemmaRecord("amor"), lemmaRecord("Amoenus"),
                                     lemmaRecord("amicus"), lemmaRecord(" ambo"), lemmaRecord("\xC9" "lis")});
  const std::pair<std::string, std::vector<std::string>> cases[] = {
      {"amo", {"amo", "amor", "Amoenus"}},
      {"AMOR", {"amor"}},
      {"amo ", {}},
      {"amorem", {}},
      {"", {"amo", "amor", "Amoenus", "amicus", " ambo", "\xC9" "lis"}},
      {" a", {" ambo"}},
      {"\xE9", {"\xC9" "lis"}},
      {"e", {}},
  };
  for (const auto& [text, expected] : cases) EXPECT_EQ(lemmas(t, t.findLemma(text)), expected) << text;
}

TEST(LemmaDictionary, LetterListingStopsAtTheFirstLaterInitial) {
  const LemmaTable t = lemmaTableOf({lemmaRecord("amo"), lemmaRecord(" ambo"), lemmaRecord("Amor"),
                                     lemmaRecord(""), lemmaRecord("bellum"), lemmaRecord("ara"),
                                     lemmaRecord("\xE9lis"), lemmaRecord("zelus")});
  const std::pair<char, std::vector<std::string>> cases[] = {
      {'a', {"amo", "Amor"}},  // "ara" stands after "bellum": not listed
      {'b', {"bellum"}},
      {'c', {}},
      {'z', {}},  // "élis" comes first and its code is above "z"
  };
  for (const auto& [letter, expected] : cases) EXPECT_EQ(lemmas(t, t.findLetter(letter)), expected) << letter;
  EXPECT_EQ(lemmas(t, t.findLemma("ar")), std::vector<std::string>{"ara"});
}

TEST(LemmaDictionary, WholeRecordsOnlyAndStatusOfTheFile) {
  TempDir dir;
  std::string three;
  for (int i = 0; i < 3; ++i) three += lemmaRecord("amo");
  struct Case {
    std::string name;
    std::string bytes;
    std::size_t count;
    DictionaryStatus status;
  } cases[] = {
      {"exact", three, 3, DictionaryStatus::Loaded},
      {"extra", three + std::string(100, 'x'), 3, DictionaryStatus::Loaded},
      {"short", std::string(322, 'x'), 0, DictionaryStatus::Loaded},
      {"empty", "", 0, DictionaryStatus::MissingOrEmpty},
  };
  for (const Case& c : cases) {
    writeBytes(dir.file(c.name), c.bytes);
    const LemmaTable t = LemmaTable::load(dir.file(c.name));
    EXPECT_EQ(t.count(), c.count) << c.name;
    EXPECT_EQ(t.file().status(), c.status) << c.name;
  }
  EXPECT_EQ(LemmaTable::load(dir.file("absent")).file().status(), DictionaryStatus::MissingOrEmpty);
  const LemmaTable folder = LemmaTable::load(dir.path().string());
  EXPECT_EQ(folder.file().status(), DictionaryStatus::Unreadable);
  EXPECT_EQ(folder.file().error().reason, "C'est un dossier, pas un fichier");
  EXPECT_TRUE(folder.findLemma("").empty());
}

TEST(LemmaDictionary, MoreThan32767EntriesAreAllRead) {
  std::string bytes;
  const std::string rec = lemmaRecord("amo");
  for (int i = 0; i < 40000; ++i) bytes += rec;
  const LemmaTable t = lemmaTableOf({bytes});
  EXPECT_EQ(t.count(), 40000u);
  EXPECT_EQ(t.findLetter('a').size(), 40000u);
}

TEST(FormDictionary, LookupByFormIsExactIgnoringCase) {
  std::string bytes = formRecord("amicus") + formRecord("Amicus", "   nom. m. sg. ") + formRecord("amicum") +
                      formRecord("") + formRecord("amicus");
  const FormTable t(DictionaryFile(formLayout(), bytes));
  ASSERT_EQ(t.count(), 5u);
  const std::pair<std::string, std::vector<std::string>> cases[] = {
      {"amicus", {"amicus", "Amicus", "amicus"}},
      {"AMICUM", {"amicum"}},
      {"amic", {}},
      {"", {""}},
      {"amicus ", {}},
  };
  for (const auto& [text, expected] : cases) EXPECT_EQ(forms(t, t.findForm(text)), expected) << text;
  const FormRow row = t.row(1);
  EXPECT_EQ(row[1], "amicus");                // lemma
  EXPECT_EQ(row[2], "ami");                   // translation
  EXPECT_EQ(row[3], "nom");                   // category
  EXPECT_EQ(row[4], "nom. m. sg. ");          // leading blanks gone, trailing kept
  EXPECT_EQ(row[5], "");
  EXPECT_EQ(t.findLetter('a').size(), 4u);    // the blank form neither lists nor stops
}

TEST(DictionaryPrint, TenEntriesAPageLabelledLinesWithoutTrailingBlanks) {
  const LemmaTable t = lemmaTableOf({lemmaRecord("amo", "  aimer   ")});
  const std::vector<LemmaRow> one{t.row(0)};
  const auto page = lemmaEntriesJob(one).pagesAsText();
  ASSERT_EQ(page.size(), 1u);
  const std::vector<std::string> expected = {"0:Lemme: amo", "0:Traduction : t", "0:Cat\xE9gorie : n.",
                                             "0:Famille fran\xE7" "aise : aimer", "0:Famille latine : lat",
                                             "0:" + std::string(64, '-')};
  EXPECT_EQ(page[0], expected);
  EXPECT_EQ(lemmaEntriesJob(one).ops().front().fontName, "verdana");
  EXPECT_EQ(lemmaEntriesJob(one).ops().front().fontSize, 9);

  const std::pair<std::size_t, std::vector<std::size_t>> cases[] = {
      {0, {0}}, {10, {60}}, {11, {60, 6}}, {20, {60, 60}}, {21, {60, 60, 6}}};
  for (const auto& [n, lines] : cases) {
    const auto pages = lemmaEntriesJob(std::vector<LemmaRow>(n, t.row(0))).pagesAsText();
    ASSERT_EQ(pages.size(), lines.size()) << n;
    for (std::size_t p = 0; p < pages.size(); ++p) EXPECT_EQ(pages[p].size(), lines[p]) << n;
  }

  const FormRow f{"amicus ", "amicus", "ami", "nom", "nom. m. sg.  ", "x"};
  const auto formPages = formEntriesJob(std::vector<FormRow>(11, f)).pagesAsText();
  ASSERT_EQ(formPages.size(), 2u);
  EXPECT_EQ(formPages[0].size(), 70u);
  EXPECT_EQ(formPages[1][0], "0:Formes: amicus");
  EXPECT_EQ(formPages[1][1], "0:Lemme : amicus");
  EXPECT_EQ(formPages[1][3], "0:Cat. gramm. : nom");
  EXPECT_EQ(formPages[1][4], "0:Cas, genre, nombre : nom. m. sg.");
  EXPECT_EQ(formPages[1][5], "0:Mode, temps, voix : x");
}

}  // namespace
}  // namespace varnelio
