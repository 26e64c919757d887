// SPDX-License-Identifier: GPL-3.0-or-later
// The lookups compare the stored, blank-padded bytes in place; they must agree
// with comparing the trimmed values, whatever blanks the search text and the
// values hold.
#include <gtest/gtest.h>

#include "core/dictionaries/dictionaries.h"
#include "core/text/cp1252.h"

namespace varnelio {
namespace {

TEST(DictionaryLookup, OnlyABlankLowerCasesToABlank) {
  for (int c = 0; c < 256; ++c) {
    if (c == ' ') continue;
    EXPECT_NE(cp1252::toLower(static_cast<unsigned char>(c)), ' ') << c;
  }
}

TEST(DictionaryLookup, InPlaceComparisonAgreesWithTheTrimmedValues) {
  const std::vector<std::string_view> values = {
      "res publica", "res", "RES", " res", "re", "", "amo", "Zeta", "b", "a", std::string_view("abcdefghijklmnopqrstuvwxyz0123")};
  std::string lemmaBytes, formBytes;
  for (const std::string_view v : values) {
    lemmaBytes += encodeDictionaryRecord(lemmaLayout(), 0, {v, "", "", "", ""});
    formBytes += encodeDictionaryRecord(formLayout(), 0, {v, "", "", "", "", ""});
  }
  const LemmaTable lemmas(DictionaryFile(lemmaLayout(), lemmaBytes));
  const FormTable forms(DictionaryFile(formLayout(), formBytes));
  const std::vector<std::string> texts = {"",     " ",    "r",   "res",  "res ", "res  ", "RES P", "res publica",
                                          "res publica ", " r", "re",  "a",    "amo ", "\xE9",
                                          "abcdefghijklmnopqrstuvwxyz0123", "abcdefghijklmnopqrstuvwxyz01234",
                                          std::string(71, 'a')};
  for (const std::string& t : texts) {
    std::vector<std::size_t> prefix, exact;
    for (std::size_t i = 0; i < values.size(); ++i) {
      const std::string_view value = values[i];  // as loaded: no trailing blanks
      if (value.size() >= t.size() && cp1252::equalsIgnoringCase(value.substr(0, t.size()), t)) prefix.push_back(i);
      if (cp1252::equalsIgnoringCase(value, t)) exact.push_back(i);
    }
    EXPECT_EQ(lemmas.findLemma(t), prefix) << '"' << t << '"';
    EXPECT_EQ(forms.findForm(t), exact) << '"' << t << '"';
  }
  EXPECT_EQ(lemmas.findLemma("res "), (std::vector<std::size_t>{0}));  // "res publica" goes on after the blank
  // Letters: the initial of the loaded value; an empty value neither lists nor stops.
  for (char letter = 'a'; letter <= 'z'; ++letter) {
    std::vector<std::size_t> expected;
    for (std::size_t i = 0; i < values.size(); ++i) {
      if (values[i].empty()) continue;
      const unsigned char f = cp1252::toLower(static_cast<unsigned char>(values[i][0]));
      if (f == static_cast<unsigned char>(letter)) expected.push_back(i);
      if (f > static_cast<unsigned char>(letter)) break;
    }
    EXPECT_EQ(lemmas.findLetter(letter), expected) << letter;
    EXPECT_EQ(forms.findLetter(letter), expected) << letter;
  }
}

TEST(DictionaryLookup, TheLemmaLookupTakesIForJAndUForV) {
  std::string bytes;
  for (const std::string_view v : {"jam", "Julius", "vita", "uva", "ivi", "iam"})
    bytes += encodeDictionaryRecord(lemmaLayout(), 0, {v, "", "", "", ""});
  const LemmaTable lemmas(DictionaryFile(lemmaLayout(), bytes));
  const std::vector<std::pair<std::string, std::vector<std::size_t>>> cases = {
      {"iam", {0, 5}}, {"JAM", {0, 5}}, {"Iul", {1}}, {"uita", {2}}, {"VITA", {2}},
      {"vua", {3}},    {"iui", {4}},    {"jvj", {4}}, {"jamque", {}}, {"íam", {}},  // accents still count
  };
  for (const auto& [text, expected] : cases) EXPECT_EQ(lemmas.findLemma(text), expected) << text;
  // The form lookup stays exact: the analyser answers for other spellings.
  std::string forms;
  for (const std::string_view v : {"vita", "uita"}) forms += encodeDictionaryRecord(formLayout(), 0, {v, "", "", "", "", ""});
  EXPECT_EQ(FormTable(DictionaryFile(formLayout(), forms)).findForm("VITA"), (std::vector<std::size_t>{0}));
}

}  // namespace
}  // namespace varnelio
