// SPDX-License-Identifier: GPL-3.0-or-later
// The pre-analysis with the analyser and the tagger the build generated: the
// context decides between readings that the form alone leaves open.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>

#include <string>
#include <vector>

#include "core/analysis/candidate_scan.h"
#include "core/morphology/pre_analysis.h"
#include "mkdict/tagger_builder.h"
#include "../support/required_data.h"

namespace varnelio::mkdict {
namespace {

const std::string kDataDir = VARNELIO_DATA_DIR;

struct Loaded {
  LatinAnalyser analyser = LatinAnalyser::load(kDataDir + "/analyseur.dat");
  ContextualTagger tagger = ContextualTagger::load(kDataDir + "/etiqueteur.dat");
  NounJudge judge = NounJudge::load(kDataDir + "/juge.dat");
  Loaded() { tagger.bind(analyser); }
};

Loaded& loaded() {
  static Loaded l;
  return l;
}

// "form=label" of each candidate of the kind; "form=" when judged false.
std::string judge(std::string_view sentence, KindId kind) {
  if (loaded().analyser.status() != LatinAnalyser::Status::Loaded || !loaded().tagger.fits(loaded().analyser) ||
      loaded().judge.fitWith(loaded().analyser, loaded().tagger) != JudgeFit::Fits)
    return "not built";
  PreAnalyser pre(loaded().analyser, loaded().tagger, loaded().judge);
  std::vector<CandidateJudgement> out;
  pre.judgeSentence(sentence, analysisKind(kind), out);
  std::string s;
  for (const CandidateJudgement& j : out) {
    if (!s.empty()) s += ' ';
    s.append(j.form).append("=").append(j.label);
  }
  return s;
}

struct Case {
  const char* sentence;
  KindId kind;
  const char* expected;
};

class PreAnalysisContext : public testing::TestWithParam<Case> {};

TEST_P(PreAnalysisContext, TheContextDecides) {
  VARNELIO_REQUIRE_DATA(judge("a.", KindId::AccSg) != "not built", "analyseur.dat, etiqueteur.dat and juge.dat built");
  EXPECT_EQ(judge(GetParam().sentence, GetParam().kind), GetParam().expected) << GetParam().sentence;
}

INSTANTIATE_TEST_SUITE_P(
    Sentences, PreAnalysisContext,
    testing::Values(
        // A preposition governs its case: "in horto" is ablative, never dative.
        Case{"Rosae in horto sunt.", KindId::AblSg, "Rosae= horto=2 d\xE9" "cl. abl. sg. [AB00F]"},
        Case{"Rosae in horto sunt.", KindId::DatSg, "Rosae= horto="},
        Case{"Rosae in horto sunt.", KindId::NomPl, "Rosae=1 d\xE9" "cl. nom. pl. [AA00J]"},
        // After "ad" the accusative; "-am" is no verb here.
        Case{"Caesar legiones in Galliam duxit.", KindId::AccSg, "Galliam=1 d\xE9" "cl. acc. sg. [AA00C]"},
        Case{"Caesar legiones in Galliam duxit.", KindId::AccPl, "legiones=3 d\xE9" "cl. acc. pl. [AC00L]"},
        Case{"Caesar legiones in Galliam duxit.", KindId::NomPl, "legiones="},
        // The dative of "dare" against the ablative: no preposition, a verb of giving.
        Case{"Puella rosam dat.", KindId::NomSg, "Puella=1 d\xE9" "cl. nom. sg. [AA00A]"},
        Case{"Puella rosam dat.", KindId::AccSg, "rosam=1 d\xE9" "cl. acc. sg. [AA00C]"},
        // "cum" with the ablative; a neuter after a preposition of the accusative.
        Case{"Consul cum legionibus ad oppidum venit.", KindId::AblPl, "legionibus=3 d\xE9" "cl. abl. pl. [AC00O]"},
        Case{"Consul cum legionibus ad oppidum venit.", KindId::AccSg, "cum= oppidum=2 d\xE9" "cl. acc. sg. [AB00C]"},
        // A neuter in -um: the subject of "est", the object of "videt".
        Case{"Templum in urbe est.", KindId::NomSg, "Templum=2 d\xE9" "cl. nom. sg. [AB00A] urbe="},
        Case{"Caesar templum videt.", KindId::AccSg, "templum=2 d\xE9" "cl. acc. sg. [AB00C]"},
        // A subject agrees with the verb of its stretch between commas: a neuter
        // plural beside a verb in the singular is its object, even where another
        // stretch holds the subject.
        Case{"Caesar praesidia disponit, castella communit.", KindId::NomPl, "praesidia= castella="},
        Case{"Legatus, cum milites pugnant, castra munit.", KindId::NomPl,
             "Legatus= milites=3 d\xE9" "cl. nom. pl. [AC00J] castra="},
        // A verb that takes a dative of the person: "domino", "amicis" are not
        // ablatives here, though the ablative is the commoner reading.
        Case{"Puer domino paret.", KindId::DatSg, "domino=2 d\xE9" "cl. dat. sg. [AB00E]"},
        Case{"Puer domino paret.", KindId::AblSg, "domino="},
        Case{"Milites amicis credunt.", KindId::AblPl, "amicis="},
        // ... near it: the dative of another stretch is not its own.
        Case{"Tibi librum do, servus domino paret.", KindId::DatSg, "Tibi= do= domino=2 d\xE9" "cl. dat. sg. [AB00E]"},
        Case{"Tibi librum do, servus domino paret.", KindId::AblSg, "Tibi= do= domino="},
        // A contracted spelling is the rare reading: "provincis" has no other
        // reading. ("Caesar Gallis bellum intulit": the judge does not take
        // "Gallis" for a noun, since the treebanks it learns from tag the Gauls as
        // adjectives; no 1st-declension "Galliis" is proposed at least.)
        Case{"Caesar Gallis bellum intulit.", KindId::DatPl, "Gallis="},
        Case{"Legatus in provincis manet.", KindId::AblPl, "provincis=1 d\xE9" "cl. abl. pl. [AA00O]"},
        // A verb form is no noun ("amas", "legis" when "legis" is a verb).
        Case{"Tu amas.", KindId::AccPl, "amas="}));

// What the analyser rules out the judge cannot bring back: a word whose every
// reading is of another case or number is no candidate. Names, nouns without
// cases, locatives and unknown words stay open.
TEST(JudgeReadings, AWordIsOfAKindOnlyIfOneOfItsReadingsMayBe) {
  VARNELIO_REQUIRE_DATA(judge("a.", KindId::AccSg) != "not built", "analyseur.dat, etiqueteur.dat and juge.dat built");
  struct Probe {
    const char* form;
    KindId kind;
    bool may;
  } probes[] = {
      {"hostium", KindId::AccSg, false}, {"hostium", KindId::GenPl, true},  {"copiae", KindId::AccSg, false},
      {"copiae", KindId::NomPl, true},   {"Gallorum", KindId::AccSg, true}, {"fas", KindId::AccSg, true},
      {"domi", KindId::GenSg, true},     {"xqzw", KindId::AccSg, true},     {"amas", KindId::AccSg, false},
  };
  JudgeFeatureReader reader(loaded().analyser);
  std::vector<std::string_view> forms;
  std::vector<TaggedWord> words;
  for (const Probe& p : probes) {
    forms.push_back(p.form);
    words.emplace_back().analyses = loaded().analyser.analyse(p.form);
  }
  const SentenceFeatures& features = reader.read(forms, words);
  for (std::size_t k = 0; k < forms.size(); ++k)
    EXPECT_EQ(features.mayBeOfKind(k, probes[k].kind), probes[k].may) << probes[k].form;
  // And the pré-analyse deletes it, whatever the context says.
  PreAnalyser pre(loaded().analyser, loaded().tagger, loaded().judge);
  std::vector<CandidateJudgement> out;
  pre.judgeSentence("Expectare vero dum hostium copiae augerentur summae dementiae esse iudicabat.",
                    analysisKind(KindId::AccSg), out);
  const auto hostium = std::find_if(out.begin(), out.end(), [](const auto& j) { return j.form == "hostium"; });
  ASSERT_NE(hostium, out.end());
  EXPECT_EQ(hostium->level, JudgementLevel::False);
}

// The rows of a reopened file name their sentence as the file pads it; the
// pre-analysis finds the sentence as the window shows it, blanks and "+" included.
TEST(JudgeRows, ReadTheSentenceNumberAsTheWindowDoes) {
  VARNELIO_REQUIRE_DATA(judge("a.", KindId::AccSg) != "not built", "analyseur.dat, etiqueteur.dat and juge.dat built");
  PreAnalyser pre(loaded().analyser, loaded().tagger, loaded().judge);
  const SentenceTable sentences("Puella rosam dat. Caesar Galliam vicit.");
  CandidateGrid grid;
  grid.appendRow({1, "\t+1", "rosam", "", false});
  grid.appendRow({2, " 2 ", "Galliam", "", false});
  grid.appendRow({3, "x", "rosam", "", false});
  std::vector<RowJudgement> out;
  ASSERT_TRUE(judgeRows(pre, sentences, grid, analysisKind(KindId::AccSg), out, {}));
  ASSERT_EQ(out.size(), 3u);
  EXPECT_TRUE(out[0].found);
  EXPECT_EQ(out[0].label(analysisKind(KindId::AccSg)), "1 d\xE9" "cl. acc. sg. [AA00C]");
  EXPECT_TRUE(out[1].found);
  EXPECT_EQ(out[1].label(analysisKind(KindId::AccSg)), "1 d\xE9" "cl. acc. sg. [AA00C]");
  EXPECT_FALSE(out[2].found);
}

// A form met twice in a sentence: each row takes the judgement of its own
// occurrence, in text order, not the first one's twice.
TEST(JudgeRows, AFormRepeatedInASentenceIsJudgedInItsOwnPlace) {
  VARNELIO_REQUIRE_DATA(judge("a.", KindId::AccSg) != "not built", "analyseur.dat, etiqueteur.dat and juge.dat built");
  PreAnalyser pre(loaded().analyser, loaded().tagger, loaded().judge);
  const std::string text = "Et rosam puella amat et poeta rosam cantat.";
  std::vector<CandidateJudgement> judged;
  pre.judgeSentence(text, analysisKind(KindId::AccSg), judged);
  ASSERT_EQ(judged.size(), 2u);
  // The two places differ: otherwise this could not tell them apart.
  ASSERT_NE(judged[0].probability, judged[1].probability);
  const SentenceTable sentences(text);
  CandidateGrid grid;
  grid.appendRow({1, "1", "rosam", "", false});
  grid.appendRow({2, "1", "rosam", "", false});
  std::vector<RowJudgement> out;
  ASSERT_TRUE(judgeRows(pre, sentences, grid, analysisKind(KindId::AccSg), out, {}));
  ASSERT_EQ(out.size(), 2u);
  for (std::size_t k = 0; k < 2; ++k) {
    EXPECT_TRUE(out[k].found) << k;
    EXPECT_FLOAT_EQ(out[k].probability, static_cast<float>(judged[k].probability)) << k;
  }
}

// Two bytes a row keep what the wide rows say: found, level, declension, and the
// probability to the hundredth; a row whose form is not in its sentence stays unfound.
TEST(JudgeRows, TwoBytesARowKeepWhatTheWideRowsSay) {
  VARNELIO_REQUIRE_DATA(judge("a.", KindId::NomSg) != "not built", "analyseur.dat, etiqueteur.dat and juge.dat");
  PreAnalyser pre(loaded().analyser, loaded().tagger, loaded().judge);
  const AnalysisKind& kind = analysisKind(KindId::NomSg);
  const std::string text = "Puella rosam amat. Dominus servum vocat et poeta cantat. Caesar Galliam vicit.";
  const SentenceTable sentences(text);
  CandidateGrid grid;
  scanIntoGrid(text, kind, grid);
  ASSERT_GE(grid.candidateCount(), 4u);
  std::vector<RowJudgement> wide;
  RowJudgements compact;
  ASSERT_TRUE(judgeRows(pre, sentences, grid, kind, wide, {}));
  ASSERT_TRUE(judgeRows(pre, sentences, grid, kind, compact, {}));
  ASSERT_EQ(compact.size(), wide.size());
  for (std::size_t r = 1; r <= wide.size(); ++r) {
    const RowJudgement& w = wide[r - 1];
    EXPECT_TRUE(compact.found(r)) << r;
    EXPECT_EQ(compact.level(r), w.level) << r;
    EXPECT_EQ(compact.declension(r), w.declension) << r;
    EXPECT_EQ(compact.confidence(r), std::lround(w.probability * 100)) << r;
    EXPECT_EQ(compact.label(r, kind), w.label(kind)) << r;
  }
  CandidateGrid stale;
  stale.appendRow({1, "1", "nusquam", "", false});
  ASSERT_TRUE(judgeRows(pre, sentences, stale, kind, compact, {}));
  ASSERT_EQ(compact.size(), 1u);
  EXPECT_FALSE(compact.found(1));
  EXPECT_EQ(compact.label(1, kind), "");
}

TEST(GovernedCases, FromThePrepositionsIndications) {
  EXPECT_EQ(governedCases("pr\xE9p. + abl."), government::kAblative);
  EXPECT_EQ(governedCases("pr\xE9p. + acc. ou + abl."), government::kAccusative | government::kAblative);
  EXPECT_EQ(governedCases("adv, pr\xE9p. + acc."), government::kAccusative);
  EXPECT_EQ(governedCases("conj."), 0);
}

TEST(TaggerFile, AnyBytesAreSurvived) {
  EXPECT_EQ(ContextualTagger::fromBytes("").status(), ContextualTagger::Status::Invalid);
  EXPECT_EQ(ContextualTagger::fromBytes("VARNTAGS\x01\0\0\0garbage").status(), ContextualTagger::Status::Invalid);
  TaggerData d;
  d.tags = {{{'s', 'n', 't'}, 10}, {{'n', '1', '1'}, 5}};
  d.trigrams = {{0, 1, 0, 4}, {1, 0, 1, 3}};
  d.lemmaFrequencies = {7};
  d.lemmaGovernment = {0};
  const std::string bytes = encodeTaggerData(d);
  EXPECT_EQ(ContextualTagger::fromBytes(bytes).status(), ContextualTagger::Status::Loaded);
  for (std::size_t cut = 0; cut < bytes.size(); ++cut)
    EXPECT_EQ(ContextualTagger::fromBytes(bytes.substr(0, cut)).status(), ContextualTagger::Status::Invalid) << cut;
}

}  // namespace
}  // namespace varnelio::mkdict
