// SPDX-License-Identifier: GPL-3.0-or-later
// The decoder of the lexicon's morphologies, the corrections that name
// morphologies by its words, and what the rest of the program answers from the
// decoded fields whatever the lexicon's numbering.
#include <gtest/gtest.h>

#include <algorithm>
#include <map>
#include <string>
#include <vector>

#include "core/morphology/contextual_tagger.h"
#include "core/morphology/latin_analyser.h"
#include "mkdict/collatinus_lexicon.h"
#include "mkdict/inflection_models.h"
#include "mkdict/lexicon_corrections.h"
#include "mkdict/morphology_decoder.h"

namespace varnelio::mkdict {
namespace {

using C = GrammaticalCase;
using N = GrammaticalNumber;
using G = GrammaticalGender;
using P = GrammaticalPerson;
using K = FormKind;

// Lines of morphos.fr as the lexicon writes them (UTF-8), one of each kind of form.
const std::vector<std::pair<int, std::string>> kLines = {
    {1, "nominatif singulier"},
    {3, "accusatif singulier"},
    {4, "génitif singulier"},
    {7, "nominatif pluriel"},
    {9, "accusatif pluriel"},
    {12, "ablatif pluriel"},
    {15, "accusatif masculin singulier"},
    {16, "génitif masculin singulier"},
    {28, "génitif féminin singulier"},
    {40, "génitif neutre singulier"},
    {51, "accusatif masculin singulier comparatif"},
    {87, "accusatif masculin singulier superlatif"},
    {121, "1ère singulier indicatif présent actif"},
    {126, "3ème pluriel indicatif présent actif"},
    {141, "3ème singulier indicatif parfait actif"},
    {153, "3ème singulier indicatif futur antérieur actif"},
    {171, "3ème singulier subjonctif parfait actif"},
    {176, "2ème singulier subjonctif PQP actif"},
    {181, "2ème singulier impératif présent actif"},
    {184, "3ème singulier impératif futur actif"},
    {187, "infinitif présent actif"},
    {188, "infinitif parfait actif"},
    {210, "génitif féminin pluriel participe présent actif"},
    {262, "gérondif génitif"},
    {265, "supin en -um"},
    {266, "supin en -u"},
    {272, "3ème pluriel indicatif présent passif"},
    {296, "3ème pluriel subjonctif imparfait passif"},
    {302, "infinitif présent passif"},
    {305, "accusatif masculin singulier participe parfait passif"},
    {341, "accusatif masculin singulier adjectif verbal"},
    {411, "comparatif"},
    {413, "locatif"},
    {414, "positif "},
    {415, "infinitif futur actif"},
    {416, "inv."},
};

std::string morphosText(const std::vector<std::pair<int, std::string>>& lines) {
  std::string text = "! morphos.fr\n";
  for (const auto& [number, description] : lines) text += std::to_string(number) + ":" + description + "\n";
  return text;
}

MorphologyTable tableOf(const std::vector<std::pair<int, std::string>>& lines) {
  return decodeMorphologies(readMorphologies(morphosText(lines)));
}

MorphologyFeatures fields(K kind, C c = C::None, N n = N::None, G g = G::None, P p = P::None, Mood mood = Mood::None,
                          Tense tense = Tense::None, Voice voice = Voice::None, Degree degree = Degree::None) {
  return {kind, c, n, g, p, mood, tense, voice, degree};
}

TEST(MorphologyDecoder, EachDescriptionGivesItsFields) {
  const MorphologyTable table = tableOf(kLines);
  const std::map<int, MorphologyFeatures> expected = {
      {1, fields(K::NounCase, C::Nominative, N::Singular)},
      {12, fields(K::NounCase, C::Ablative, N::Plural)},
      {15, fields(K::GenderedCase, C::Accusative, N::Singular, G::Masculine, P::None, Mood::None, Tense::None,
                  Voice::None, Degree::Positive)},
      {51, fields(K::GenderedCase, C::Accusative, N::Singular, G::Masculine, P::None, Mood::None, Tense::None,
                  Voice::None, Degree::Comparative)},
      {87, fields(K::GenderedCase, C::Accusative, N::Singular, G::Masculine, P::None, Mood::None, Tense::None,
                  Voice::None, Degree::Superlative)},
      {126, fields(K::Finite, C::None, N::Plural, G::None, P::Third, Mood::Indicative, Tense::Present, Voice::Active)},
      {153, fields(K::Finite, C::None, N::Singular, G::None, P::Third, Mood::Indicative, Tense::FuturePerfect,
                   Voice::Active)},
      {176, fields(K::Finite, C::None, N::Singular, G::None, P::Second, Mood::Subjunctive, Tense::Pluperfect,
                   Voice::Active)},
      {184, fields(K::Imperative, C::None, N::Singular, G::None, P::Third, Mood::Imperative, Tense::Future,
                   Voice::Active)},
      {188, fields(K::Infinitive, C::None, N::None, G::None, P::None, Mood::Infinitive, Tense::Perfect, Voice::Active)},
      {210, fields(K::Participle, C::Genitive, N::Plural, G::Feminine, P::None, Mood::Participle, Tense::Present,
                   Voice::Active)},
      {262, fields(K::Gerund, C::Genitive, N::None, G::None, P::None, Mood::Gerund)},
      {265, fields(K::Supine, C::Accusative, N::None, G::None, P::None, Mood::Supine)},
      {266, fields(K::Supine, C::Ablative, N::None, G::None, P::None, Mood::Supine)},
      {296, fields(K::Finite, C::None, N::Plural, G::None, P::Third, Mood::Subjunctive, Tense::Imperfect,
                   Voice::Passive)},
      {341, fields(K::Gerundive, C::Accusative, N::Singular, G::Masculine, P::None, Mood::Gerundive)},
      {411, fields(K::Adverb, C::None, N::None, G::None, P::None, Mood::None, Tense::None, Voice::None,
                   Degree::Comparative)},
      {413, fields(K::NounCase, C::Locative)},
      {414, fields(K::Adverb, C::None, N::None, G::None, P::None, Mood::None, Tense::None, Voice::None,
                   Degree::Positive)},
      {415, fields(K::Infinitive, C::None, N::None, G::None, P::None, Mood::Infinitive, Tense::Future, Voice::Active)},
      {416, fields(K::Invariable)},
  };
  for (const auto& [number, features] : expected) {
    ASSERT_TRUE(table.contains(number)) << number;
    EXPECT_EQ(table.at(number), features) << number;
  }
  // Each field survives the file's bytes; a value out of its field is refused.
  for (const auto& [number, features] : table) EXPECT_EQ(featuresFromBytes(featureBytes(features)), features);
  auto bytes = featureBytes(table.at(126));
  bytes[5] = 9;  // no mood has that value
  EXPECT_EQ(featuresFromBytes(bytes), std::nullopt);
}

TEST(MorphologyDecoder, FiniteSlotsAndThePerfectSystem) {
  const MorphologyTable table = tableOf(kLines);
  const std::vector<std::tuple<int, int, bool>> cases = {
      // morphology, finite slot, perfect system
      {121, 0, false}, {126, 5, false}, {141, 2, true},  {153, 2, true}, {171, 2, true}, {176, 1, true},
      {181, -1, false}, {187, -1, false}, {188, -1, true}, {272, 5, false}, {296, 5, false}, {305, -1, false},
      {15, -1, false}, {415, -1, false},
  };
  for (const auto& [number, slot, perfect] : cases) {
    EXPECT_EQ(finiteVerbSlot(table.at(number)), slot) << number;
    EXPECT_EQ(isPerfectSystem(table.at(number)), perfect) << number;
  }
}

std::vector<int> named(const std::string& naming, const MorphologyTable& table) {
  std::vector<int> out;
  const auto error = morphologiesNamed(naming, table, out);
  EXPECT_EQ(error, std::nullopt) << naming;
  return out;
}

TEST(MorphologyDecoder, NamingsPickTheMorphologiesTheyDescribe) {
  const MorphologyTable table = tableOf(kLines);
  const std::vector<std::pair<std::string, std::vector<int>>> cases = {
      {"locatif", {413}},
      {"accusatif singulier", {3}},  // a noun's: not the adjective's nor the participle's
      {"génitif masculin/féminin/neutre singulier", {16, 28, 40}},
      {"accusatif masculin singulier comparatif/superlatif", {51, 87}},
      {"impératif", {181, 184}},
      {"génitif féminin pluriel participe présent actif", {210}},
      {"3ème singulier futur antérieur indicatif", {153}},
      {"accusatif masculin singulier adjectif verbal", {341}},
      {"nominatif/accusatif pluriel, locatif", {7, 9, 413}},
      {"infinitif parfait", {188}},
  };
  for (const auto& [naming, numbers] : cases) EXPECT_EQ(named(naming, table), numbers) << naming;
  std::vector<int> out;
  EXPECT_EQ(morphologiesNamed("accusatif masculn singulier", table, out), "mot inconnu « masculn »");
  EXPECT_EQ(morphologiesNamed("vocatif pluriel", table, out), "aucune morphologie ne répond à « vocatif pluriel »");
  EXPECT_EQ(morphologiesNamed("locatif, ", table, out), "aucune morphologie");
}

TEST(LexiconCorrections, FormatAndMistakes) {
  const MorphologyTable table = tableOf(kLines);
  std::vector<LexiconCorrection> c;
  EXPECT_EQ(readCorrections("# why\n# and more\nabsent tres nominatif/accusatif singulier, génitif singulier\n\n"
                            "# b\nform alius alius génitif masculin singulier only\n"
                            "# c\nending eo nt ntum génitif féminin pluriel participe présent actif\n"
                            "# d\ncontraction isse ivisse\n# e\nabbreviation L Lucius\n"
                            "# f\nending+ domus 1 us accusatif pluriel\n# g\nform militiae militia locatif\n",
                            table, c),
            std::nullopt);
  ASSERT_EQ(c.size(), 7u);
  EXPECT_EQ(c[0].reason, "why and more");
  EXPECT_EQ(c[0].morphologies, (std::vector<int>{1, 3, 4}));
  EXPECT_TRUE(c[1].only);
  EXPECT_EQ(c[1].morphologies, (std::vector<int>{16}));
  EXPECT_EQ(c[2].wrong, "nt");
  EXPECT_EQ(c[2].morphologies, (std::vector<int>{210}));
  EXPECT_EQ(c[4].morphologies, (std::vector<int>{1, 3, 4}));  // the singular's cases this table has
  EXPECT_EQ(c[5].radical, 1);
  EXPECT_EQ(c[5].morphologies, (std::vector<int>{9}));
  EXPECT_FALSE(c[6].only);
  EXPECT_EQ(c[6].morphologies, (std::vector<int>{413}));
  const std::vector<std::pair<std::string, std::string>> wrong = {
      {"absent tres locatif\n", "ligne 1 : correction sans sa raison"},
      {"# a\n\nabsent tres locatif\n", "ligne 3 : correction sans sa raison"},  // a blank line ends a reason
      {"# a\nabsent tres\n", "ligne 2 : correction inconnue"},
      {"# a\n# b\n\n# c\nform tris tres nominatif plurel\n", "ligne 5 : mot inconnu « plurel »"},
      {"# a\nabsent tres 13-18\n", "ligne 2 : mot inconnu « 13-18 »"},  // numbers are the lexicon's, not ours
      {"# a\nending eo nt ntum génitif pluriel\n", "ligne 2 : aucune morphologie ne répond"},
      {"# a\nending eo nt ntum nominatif/génitif singulier\n", "ligne 2 : une seule morphologie"},
      {"# a\nrename tres x\n", "ligne 2 : correction inconnue"},
  };
  for (const auto& [text, message] : wrong) {
    std::vector<LexiconCorrection> out;
    const auto error = readCorrections(text, table, out);
    ASSERT_TRUE(error.has_value()) << text;
    EXPECT_EQ(error->substr(0, message.size()), message) << text;
  }
  InflectionModels models;
  models["eo"].desinences[210] = {{5, "nt"}};
  EXPECT_TRUE(correctModels(c, models).size() == 1u);  // domus is not among these models
  EXPECT_EQ(models["eo"].desinences[210][0].ending, "ntum");
}

// An analyser of three lemmas (a noun, an adjective, a verb) whose morphologies
// are those of the table, at the table's numbers.
LatinAnalyser analyserOf(const MorphologyTable& table) {
  AnalyserData d;
  d.morphologies.resize(static_cast<std::size_t>(table.rbegin()->first) + 1);
  for (const auto& [number, features] : table) d.morphologies[static_cast<std::size_t>(number)].features = features;
  d.lemmas = {{"rosa", "n. 1", "rose", "f.", 0, PartOfSpeech::Noun, 0},
              {"bonus", "adj. 1", "bon", "", 0, PartOfSpeech::Adjective, 0},
              {"amo", "v. 1", "aimer", "", 0, PartOfSpeech::Verb, 0}};
  return LatinAnalyser::fromBytes(encodeAnalyserData(d));
}

// A tagger that knows every tag a word may get, so that each analysis shows its own.
ContextualTagger everyTag() {
  TaggerData t;
  t.tags.push_back({{'s', 'n', 't'}, 1});
  for (const char letter : {'n', 'a', 'w', 'v', 'd'})
    for (const char first : {' ', '1', '2', '3', '4', '5', '6', '7', '8'})
      for (const char second : {' ', '1', '2'}) t.tags.push_back({{letter, first, second}, 1});
  t.trigrams = {{0, 0, 0, 2}};
  t.lemmaFrequencies = {1, 1, 1};
  t.lemmaGovernment = {0, 0, 0};
  return ContextualTagger::fromBytes(encodeTaggerData(t));
}

// The same morphologies numbered otherwise, in another order: everything the
// program derives from them is the same.
TEST(MorphologyDecoder, RenumberingTheLexiconChangesNoAnswer) {
  std::vector<std::pair<int, std::string>> renumbered;
  for (const auto& [number, description] : kLines) renumbered.emplace_back(1000 - number, description);
  std::reverse(renumbered.begin(), renumbered.end());
  const MorphologyTable original = tableOf(kLines), other = tableOf(renumbered);
  const LatinAnalyser a = analyserOf(original), b = analyserOf(other);
  ASSERT_EQ(a.status(), LatinAnalyser::Status::Loaded);
  ASSERT_EQ(b.status(), LatinAnalyser::Status::Loaded);
  const ContextualTagger tagger = everyTag();
  ASSERT_EQ(tagger.status(), ContextualTagger::Status::Loaded);
  for (const auto& [number, description] : kLines) {
    const auto x = static_cast<std::uint16_t>(number), y = static_cast<std::uint16_t>(1000 - number);
    const MorphologyFeatures& fx = a.morphology(x);
    const MorphologyFeatures& fy = b.morphology(y);
    EXPECT_EQ(fx, fy) << description;
    EXPECT_EQ(finiteVerbSlot(fx), finiteVerbSlot(fy)) << description;
    EXPECT_EQ(isPerfectSystem(fx), isPerfectSystem(fy)) << description;
    for (std::uint32_t lemma = 0; lemma < 3; ++lemma) {
      EXPECT_EQ(a.caseOf({lemma, x}), b.caseOf({lemma, y})) << description;
      EXPECT_EQ(a.numberOf({lemma, x}), b.numberOf({lemma, y})) << description;
      EXPECT_EQ(tagger.tagNameOf(a, {lemma, x}), tagger.tagNameOf(b, {lemma, y})) << description << " " << lemma;
    }
    EXPECT_EQ(original.at(number), other.at(1000 - number));
  }
  // A correction names the same lines in either numbering.
  for (const std::string naming : {"génitif masculin/féminin/neutre singulier", "impératif", "locatif", "supin"}) {
    std::vector<int> x = named(naming, original), y = named(naming, other);
    for (int& n : y) n = 1000 - n;
    std::sort(y.begin(), y.end());
    EXPECT_EQ(x, y) << naming;
  }
  // Some tags, as the tagger's corpus names them.
  const auto tag = [&](std::uint32_t lemma, int number) {
    const auto name = tagger.tagNameOf(b, {lemma, static_cast<std::uint16_t>(1000 - number)});
    return std::string(name.begin(), name.end());
  };
  EXPECT_EQ(tag(2, 126), "v11");
  EXPECT_EQ(tag(2, 141), "v1 ");
  EXPECT_EQ(tag(2, 176), "v2 ");
  EXPECT_EQ(tag(2, 184), "v3 ");
  EXPECT_EQ(tag(2, 188), "v4 ");
  EXPECT_EQ(tag(2, 262), "n41");  // the gerund, a noun of the verb
  EXPECT_EQ(tag(2, 266), "n61");
  EXPECT_EQ(tag(2, 305), "w31");
  EXPECT_EQ(tag(0, 9), "n32");
  EXPECT_EQ(tag(1, 414), "d  ");
}

}  // namespace
}  // namespace varnelio::mkdict
