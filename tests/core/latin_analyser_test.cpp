// SPDX-License-Identifier: GPL-3.0-or-later
// The analyser's mechanics on a lexicon of three lemmas built here: stems and
// endings, spellings, enclitics, irregular and excluded forms, numerals, and the
// file read back from any bytes.
#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <tuple>
#include <vector>

#include "core/morphology/analyser_data.h"
#include "core/morphology/latin_analyser.h"
#include "core/morphology/latin_spelling.h"

namespace varnelio {
namespace {

// Morphologies 1 (nom. sg.), 3 (acc. sg.), 4 (gén. sg.), 6 (abl. sg.), 10 (gén.
// pl.) of a noun, 121 and 123 (first and third person present) of a verb.
AnalyserData smallLexicon() {
  AnalyserData d;
  d.morphologies.resize(124);
  auto noun = [&](int m, const char* c, GrammaticalCase gc, const char* n, GrammaticalNumber gn) {
    d.morphologies[m] = {c, "", n, "", "", {FormKind::NounCase, gc, gn}};
  };
  noun(1, "nom.", GrammaticalCase::Nominative, "sg.", GrammaticalNumber::Singular);
  noun(3, "acc.", GrammaticalCase::Accusative, "sg.", GrammaticalNumber::Singular);
  noun(4, "g\xE9n.", GrammaticalCase::Genitive, "sg.", GrammaticalNumber::Singular);
  noun(6, "abl.", GrammaticalCase::Ablative, "sg.", GrammaticalNumber::Singular);
  noun(10, "g\xE9n.", GrammaticalCase::Genitive, "pl.", GrammaticalNumber::Plural);
  MorphologyFeatures present{FormKind::Finite, GrammaticalCase::None, GrammaticalNumber::Singular};
  present.mood = Mood::Indicative;
  present.tense = Tense::Present;
  present.voice = Voice::Active;
  present.person = GrammaticalPerson::First;
  d.morphologies[121] = {"1re p.", "", "sg.", "ind. pr\xE9s. act.", "ind. pr\xE9s. d\xE9p.", present};
  present.person = GrammaticalPerson::Third;
  d.morphologies[123] = {"3e p.", "", "sg.", "ind. pr\xE9s. act.", "ind. pr\xE9s. d\xE9p.", present};
  // 0: vita (model 0, radical 1 "vit"); 1: consilium (model 1); 2: sequor (model 2, deponent).
  d.lemmas = {{"vita", "n. 1", "vie", "f.", 0, PartOfSpeech::Noun, 0},
              {"consilium", "n. 2", "conseil", "n.", 1, PartOfSpeech::Noun, lemma_flag::kHasExclusions},
              {"sequor", "v. 3", "suivre", "", 2, PartOfSpeech::Verb, lemma_flag::kDeponent}};
  d.endings = {{"a", 0, 1, 1},   {"am", 0, 1, 3},   {"ae", 0, 1, 4},  {"a", 0, 1, 6}, {"arum", 0, 1, 10},
               {"um", 1, 1, 1},  {"i", 1, 1, 4},   {"o", 1, 1, 6},   {"orum", 1, 1, 10},
               {"or", 2, 0, 121}, {"itur", 2, 0, 123}};
  d.stems = {{"vit", 0, 1}, {"consili", 1, 1}, {"sequ", 2, 0}};
  d.irregulars = {{"consilio", 1, 1}};  // an invented irregular nominative, for the test
  d.exclusions = {{1, 10}};             // consilium loses its genitive plural
  d.abbreviations = {{"Vi", 0, 1}};
  d.assimilations = {{"conl", "coll"}};
  return d;
}

const LatinAnalyser& small() {
  static const LatinAnalyser a = LatinAnalyser::fromBytes(encodeAnalyserData(smallLexicon()));
  return a;
}

// "lemma|case-gender-number|mood-tense-voice" of every analysis, in order.
std::vector<std::string> answers(const LatinAnalyser& a, std::string_view word) {
  std::vector<std::string> out;
  for (const Analysis& x : a.analyse(word)) {
    const AnalysisText t = a.describe(x, word);
    out.push_back(t.lemma + "|" + t.caseGenderNumber + "|" + t.moodTenseVoice);
  }
  return out;
}

using Strings = std::vector<std::string>;

TEST(LatinAnalyser, StemsAndEndingsInEverySpelling) {
  ASSERT_EQ(small().status(), LatinAnalyser::Status::Loaded);
  const std::vector<std::pair<std::string, Strings>> cases = {
      {"vitam", {"vita|acc. f. sg.|"}},
      {"VITAM", {"vita|acc. f. sg.|"}},              // capitals
      {"uitam", {"vita|acc. f. sg.|"}},              // u for v
      {"vita", {"vita|nom. f. sg.|", "vita|abl. f. sg.|"}},
      {"vitamque", {"vita|acc. f. sg.|"}},           // -que
      {"vitane", {"vita|nom. f. sg.|", "vita|abl. f. sg.|"}},  // -ne, on a word that is nothing else
      {"vitarum", {"vita|g\xE9n. f. pl.|"}},
      {"vitum", {}},                                 // a genitive plural in -um is the second declension's
      {"consilii", {"consilium|g\xE9n. n. sg.|"}},
      {"consili", {"consilium|g\xE9n. n. sg.|"}},    // genitive of -ium in one i
      {"conloquium", {}},                            // no such lemma, in either spelling
      {"consiliorum", {}},                           // excluded
      {"consilio", {"consilium|nom. n. sg.|", "consilium|abl. n. sg.|"}},  // irregular first
      {"sequitur", {"sequor|3e p. sg.|ind. pr\xE9s. d\xE9p."}},       // deponent
      {"sequor", {"sequor|1re p. sg.|ind. pr\xE9s. d\xE9p."}},
      {"vitas", {}},
      {"Vi", {"vita|nom. f. sg.|"}},                 // an abbreviation, as written
      {"vi", {"VI||"}},                              // ... else a numeral in small letters
  };
  for (const auto& [word, expected] : cases) EXPECT_EQ(answers(small(), word), expected) << word;
}

TEST(LatinAnalyser, AssimilatedPrefixes) {
  AnalyserData d = smallLexicon();
  d.lemmas.push_back({"colloquium", "n. 2", "entretien", "n.", 1, PartOfSpeech::Noun, 0});
  d.stems.push_back({"colloqui", 3, 1});
  const LatinAnalyser a = LatinAnalyser::fromBytes(encodeAnalyserData(d));
  EXPECT_EQ(answers(a, "conloquium"), Strings{"colloquium|nom. n. sg.|"});
  EXPECT_EQ(answers(a, "colloquium"), Strings{"colloquium|nom. n. sg.|"});
}

TEST(LatinAnalyser, NamesNeverSeenAreGuessedFromTheirEnding) {
  const auto guesses = [](std::string_view word) {
    std::vector<Analysis> out;
    small().guessNames(word, out);
    std::vector<std::string> described;
    for (const Analysis& a : out) {
      const AnalysisText t = small().describe(a, word);
      EXPECT_EQ(t.translation, "(nom propre inconnu)");
      EXPECT_EQ(small().caseOf(a) != GrammaticalCase::None, true) << word;
      described.push_back(t.lemma + "|" + t.category + "|" + t.caseGenderNumber);
    }
    return described;
  };
  const std::vector<std::pair<std::string, Strings>> cases = {
      {"Sostratae", {"Sostrata|npr. 1|g\xE9n. f. sg.", "Sostrata|npr. 1|dat. f. sg.", "Sostrata|npr. 1|nom. f. pl."}},
      {"Vecellinum", {"Vecellinus|npr. 2|acc. m. sg.", "Vecellin-|npr. 3|g\xE9n. m. pl."}},
      {"Ciceronem", {"Cicero|npr. 3|acc. m. sg."}},  // -o, -onis: not a stem in -on
      {"Dumnorigi", {"Dumnorigus|npr. 2|g\xE9n. m. sg.", "Dumnorigus|npr. 2|nom. m. pl.", "Dumnorig-|npr. 3|dat. m. sg."}},
      {"sostratae", {}},  // no capital
      {"SPQR", {}},     // capitals only
      {"Io", {}},       // too short to be cut
      {"Ea", {}},
  };
  for (const auto& [word, expected] : cases) EXPECT_EQ(guesses(word), expected) << word;
}

TEST(LatinAnalyser, RomanNumerals) {
  const std::vector<std::pair<std::string, int>> cases = {
      {"I", 1}, {"IV", 4}, {"XIV", 14}, {"xliv", 44}, {"MCMXCIX", 1999}, {"CD", 400},
      {"IIII", 4}, {"VIIII", 9}, {"XXXX", 40}, {"LXXXX", 90}, {"DCCCC", 900}, {"MMMCMXCIX", 3999}, {"iiii", 4},
      {"IIIII", 0}, {"VIV", 0}, {"IIX", 0}, {"MMMM", 0}, {"VV", 0},
      {"VX", 0}, {"IM", 0}, {"XXC", 0}, {"IL", 0}, {"Xiv", 0}, {"", 0}, {"ABC", 0}};
  for (const auto& [word, value] : cases) EXPECT_EQ(latin::romanNumeralValue(word), value) << word;
  // In capitals a numeral is one beside the words it spells; in small letters only
  // when it is nothing else.
  const auto xiv = small().analyse("XIV");
  ASSERT_EQ(xiv.size(), 1u);
  const AnalysisText t = small().describe(xiv[0], "xiv");
  EXPECT_EQ(std::tie(t.lemma, t.translation, t.category), std::make_tuple("XIV", "14", "num."));
  EXPECT_EQ(small().analyse("xiv").size(), 1u);
  // A text that writes a line in capitals writes its numerals in capitals: there
  // a word in small letters is no numeral; one in capitals still is.
  std::vector<Analysis> out;
  small().analyse("xiv", out, LatinAnalyser::SmallNumerals::Ignored);
  EXPECT_TRUE(out.empty());
  small().analyse("XIV", out, LatinAnalyser::SmallNumerals::Ignored);
  EXPECT_EQ(out.size(), 1u);
}

TEST(LatinAnalyser, LinesInCapitals) {
  const std::vector<std::pair<std::string, bool>> cases = {
      {"C. IVLI CAESARIS COMMENTARIORVM\r\nGallia est omnis divisa.", true},  // a title line
      {"Gallia est omnis divisa. DE BELLO GALLICO", true},                     // the last, unended
      {"Idibus Martiis. SENATVS POPVLVSQVE ROMANVS! Cetera.", true},
      {"Caesar XIV legiones duxit. XVII.", false},       // numerals and names in a sentence
      {"Senatus populusque Romanus\nS. P. Q. R.", false},  // words of one letter
      {"C. VALERIVS catullus", false},                   // a small letter in the line
      {"\xC6" "DES SACRAE\n", true},                       // capitals of Windows-1252
      {"\xE6" "des sacrae", false},
      {"", false},
  };
  for (const auto& [text, expected] : cases) EXPECT_EQ(latin::writesLinesInCapitals(text), expected) << text;
}

TEST(LatinAnalyser, Keys) {
  EXPECT_EQ(latin::keyOf("IVLIVS"), "iulius");
  EXPECT_EQ(latin::keyOf("Jubeo"), "iubeo");
  EXPECT_EQ(latin::keyOf("po\xEBta"), "poeta");
  EXPECT_EQ(latin::keyOf("c\xE6lum"), "caelum");
  EXPECT_EQ(latin::keyOf("c\x9C" "pi"), "coepi");
}

TEST(LatinAnalyser, SurvivesAnyBytes) {
  const std::string good = encodeAnalyserData(smallLexicon());
  EXPECT_EQ(LatinAnalyser::fromBytes("").status(), LatinAnalyser::Status::Invalid);
  EXPECT_EQ(LatinAnalyser::fromBytes(std::string(100000, '\xFF')).status(), LatinAnalyser::Status::Invalid);
  // Every truncation, and every single corrupted byte, is refused or read safely.
  for (std::size_t n = 0; n < good.size(); ++n) {
    const LatinAnalyser a = LatinAnalyser::fromBytes(good.substr(0, n));
    EXPECT_EQ(a.status(), LatinAnalyser::Status::Invalid) << n;
  }
  for (std::size_t at = 0; at < good.size(); ++at) {
    std::string bad = good;
    bad[at] = static_cast<char>(bad[at] ^ 0xA5);
    const LatinAnalyser a = LatinAnalyser::fromBytes(bad);
    for (const char* w : {"vitam", "consili", "sequitur", "V", "conloquium"})
      for (const Analysis& x : a.analyse(w)) a.describe(x, w);
  }
  EXPECT_EQ(LatinAnalyser::load("/nonexistent/analyseur.dat").status(), LatinAnalyser::Status::Missing);
  EXPECT_EQ(LatinAnalyser::load("/").status(), LatinAnalyser::Status::Unreadable);
}

}  // namespace
}  // namespace varnelio
