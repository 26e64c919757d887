// SPDX-License-Identifier: GPL-3.0-or-later
// The pre-analysis's judge: its levels, its file, the treebank reader, and its
// training on tiny hand-made treebanks where one feature alone decides.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "../support/required_data.h"
#include "core/morphology/noun_judge.h"
#include "core/morphology/pre_analysis.h"
#include "mkdict/judge_trainer.h"

namespace varnelio::mkdict {
namespace {

const std::string kDataDir = VARNELIO_DATA_DIR;

TEST(JudgementLevels, FromTheProbabilityAtTheThresholds) {
  // Values a float holds exactly, so that "at the threshold" is exact.
  const KindThresholds t{0.015625f, 0.375f, 0.875f};
  struct Row {
    double p;
    JudgementLevel level;
  };
  for (const Row& row : {Row{0.0, JudgementLevel::False}, Row{0.0156, JudgementLevel::False},
                         Row{0.015625, JudgementLevel::Doubtful}, Row{0.3749, JudgementLevel::Doubtful},
                         Row{0.375, JudgementLevel::Probable}, Row{0.8749, JudgementLevel::Probable},
                         Row{0.875, JudgementLevel::Sure}, Row{1.0, JudgementLevel::Sure}})
    EXPECT_EQ(levelOf(row.p, t), row.level) << row.p;
  EXPECT_EQ(levelName(JudgementLevel::Sure), "s\xC3\xBBr");
  EXPECT_EQ(levelName(JudgementLevel::False), "faux");
}

TEST(JudgementLevels, CountedOverTheRowsFoundAndToldAsFrenchCounts) {
  std::vector<RowJudgement> rows;
  const auto addRows = [&](std::size_t n, JudgementLevel level, bool found = true) {
    RowJudgement row;
    row.found = found;
    row.level = level;
    rows.insert(rows.end(), n, row);
  };
  addRows(312, JudgementLevel::Sure);
  addRows(540, JudgementLevel::Probable);
  addRows(1583, JudgementLevel::Doubtful);
  addRows(4107, JudgementLevel::False);
  addRows(9, JudgementLevel::Sure, false);  // a row of a reopened file the text does not have
  const LevelCounts counts = countLevels(rows);
  EXPECT_EQ(counts, (LevelCounts{312, 540, 1583, 4107}));
  EXPECT_EQ(levelSummary(counts),
            "Pr\xC3\xA9-analyse : 312 s\xC3\xBBres, 540 probables, 1\xC2\xA0" "583 douteuses, 4\xC2\xA0" "107 supprim\xC3\xA9" "es");
  // None and one in the singular, as French says them.
  EXPECT_EQ(levelSummary({1, 0, 1, 2}),
            "Pr\xC3\xA9-analyse : 1 s\xC3\xBBre, 0 probable, 1 douteuse, 2 supprim\xC3\xA9" "es");
  // Kept when the user answered Non to their deletion.
  EXPECT_EQ(levelSummary({0, 2, 0, 1}, false),
            "Pr\xC3\xA9-analyse : 0 s\xC3\xBBre, 2 probables, 0 douteuse, 1 fausse gard\xC3\xA9" "e");
}

TEST(VerbGovernment, FromTheFrenchGloss) {
  struct Row {
    const char* gloss;
    std::uint8_t government;
  };
  for (const Row& row : {Row{"ob\xC3\xA9ir \xC3\xA0", 1}, Row{"nuire \xE0 quelqu'un", 1}, Row{"confier (+ dat.)", 1},
                         Row{"user de [avec abl.]", 2}, Row{"se souvenir (+ g\xC3\xA9n.)", 4}, Row{"aimer", 0},
                         Row{"donner, offrir [avec acc. et dat.]", 9}})
    EXPECT_EQ(JudgeFeatureReader::governmentOfGloss(row.gloss), row.government) << row.gloss;
}

TEST(TreebankReader, ClassesWordsAsTheScanCutsThem) {
  std::vector<JudgeSentence> sentences;
  readJudgeSentences(
      "# text = Rosamque qui videt\n"
      "1-2\tRosamque\t_\t_\t_\t_\t_\t_\t_\t_\n"
      "1\tRosam\trosa\tNOUN\t_\tCase=Acc|Number=Sing\t_\t_\t_\t_\n"
      "2\tque\tque\tCCONJ\t_\t_\t_\t_\t_\t_\n"
      "3\tqui\tqui1\tNOUN\t_\tCase=Nom|Number=Sing\t_\t_\t_\t_\n"
      "4\t,\t,\tPUNCT\t_\t_\t_\t_\t_\t_\n"
      "5\tdomino\tdominus\tNOUN\t_\tCase=Dat|Number=Sing\t_\t_\t_\t_\n"
      "6\tRomae\tRoma\tPROPN\t_\tCase=Loc|Number=Sing\t_\t_\t_\t_\n"
      "\n"
      "1\tuidet\tuideo\tVERB\t_\tMood=Ind\t_\t_\t_\t_\n",
      sentences);
  ASSERT_EQ(sentences.size(), 2u);
  EXPECT_EQ(sentences[0].forms, (std::vector<std::string>{"Rosamque", "qui", "domino", "Romae"}));
  // The noun part gives the multi-word token its class; "qui" is a pronoun
  // whatever the treebank says; a locative is none of the ten kinds.
  EXPECT_EQ(sentences[0].classes, (std::vector<int>{2, kOtherClass, 6, kOtherClass}));
  EXPECT_EQ(sentences[1].classes, (std::vector<int>{kOtherClass}));
  // A ";" opens a clause for the word after it, as in the pre-analysis; a "," does not.
  EXPECT_EQ(sentences[0].clauseStarts, (std::vector<bool>{false, false, false, false}));
  sentences.clear();
  readJudgeSentences("1\tuenit\tuenio\tVERB\t_\t_\t_\t_\t_\t_\n2\t;\t;\tPUNCT\t_\t_\t_\t_\t_\t_\n"
                     "3\tuicit\tuinco\tVERB\t_\t_\t_\t_\t_\t_\n",
                     sentences);
  ASSERT_EQ(sentences.size(), 1u);
  EXPECT_EQ(sentences[0].clauseStarts, (std::vector<bool>{false, true}));
}

TEST(TreebankReader, SentencesKnowTheirPassageAndWholePassagesShareAFold) {
  std::vector<JudgeSentence> sentences;
  const auto sentence = [](const char* id) {
    return std::string("# sent_id = ") + id + "\n1\tet\tet\tCCONJ\t_\t_\t_\t_\t_\t_\n\n";
  };
  readJudgeSentences(sentence("urn:cts:latinLit:phi0448.phi001.perseus-lat1-2.7-24") +
                         sentence("urn:cts:latinLit:phi0448.phi001.perseus-lat1-2.7-25") +
                         sentence("urn:cts:latinLit:phi0448.phi001.perseus-lat1-2.8-1") +
                         sentence("Latin_Tacitus_Ger_prose-12") + "1\tet\tet\tCCONJ\t_\t_\t_\t_\t_\t_\n\n",
                     sentences);
  // A file that names its documents: they are the passages.
  readJudgeSentences("# newdoc id = Germania\n" + sentence("s-1") + sentence("s-2"), sentences);
  ASSERT_EQ(sentences.size(), 7u);
  const std::vector<std::string> passages{"urn:cts:latinLit:phi0448.phi001.perseus-lat1-2.7",
                                          "urn:cts:latinLit:phi0448.phi001.perseus-lat1-2.7",
                                          "urn:cts:latinLit:phi0448.phi001.perseus-lat1-2.8",
                                          "Latin_Tacitus_Ger_prose", "", "Germania", "Germania"};
  for (std::size_t s = 0; s < passages.size(); ++s) EXPECT_EQ(sentences[s].passage, passages[s]) << s;
  // Passages dealt in turn; the sentence of no passage is one by itself.
  EXPECT_EQ(foldsOfSentences(sentences, 3), (std::vector<int>{0, 0, 1, 2, 0, 1, 1}));
}

struct Built {
  LatinAnalyser analyser = LatinAnalyser::load(kDataDir + "/analyseur.dat");
  ContextualTagger tagger = ContextualTagger::load(kDataDir + "/etiqueteur.dat");
  Built() { tagger.bind(analyser); }
  bool ok() const { return analyser.status() == LatinAnalyser::Status::Loaded && tagger.fits(analyser); }
};

Built& built() {
  static Built b;
  return b;
}

// "oppidum" is an accusative after "ad" and a nominative before "est", in as
// many sentences: only the word before it tells them apart.
std::vector<JudgeSentence> tinyTreebank() {
  std::vector<JudgeSentence> s;
  for (int k = 0; k < 30; ++k) {
    s.push_back({{"Milites", "ad", "oppidum", "currunt"}, {1, kOtherClass, 2, kOtherClass}, {}, {}});
    s.push_back({{"Magnum", "oppidum", "est"}, {kOtherClass, 0, kOtherClass}, {}, {}});
  }
  return s;
}

TEST(JudgeTraining, TheNeighbourAloneDecides) {
  VARNELIO_REQUIRE_DATA(built().ok(), "analyseur.dat and etiqueteur.dat built");
  JudgeModel model = trainJudge(built().analyser, built().tagger, tinyTreebank(), {});
  EXPECT_EQ(model.analyserFingerprint, built().analyser.fingerprint());
  // Thresholds chosen on sixty sentences say little: set them, to read the labels.
  for (KindThresholds& t : model.thresholds) t = {0.05f, 0.5f, 0.95f};
  const NounJudge judge = NounJudge::fromModel(model);
  ASSERT_EQ(judge.fitWith(built().analyser, built().tagger), JudgeFit::Fits);
  PreAnalyser pre(built().analyser, built().tagger, judge);
  std::vector<CandidateJudgement> out;
  pre.judgeSentence("Legati ad oppidum veniunt.", analysisKind(KindId::AccSg), out);
  ASSERT_EQ(out.size(), 1u);
  EXPECT_GT(out[0].probability, 0.9);
  EXPECT_NE(out[0].level, JudgementLevel::False);
  EXPECT_EQ(out[0].label, "2 d\xE9" "cl. acc. sg. [AB00C]");
  pre.judgeSentence("Magnum oppidum est.", analysisKind(KindId::AccSg), out);
  ASSERT_EQ(out.size(), 2u);  // "Magnum" and "oppidum"
  EXPECT_LT(out[1].probability, 0.1);
  EXPECT_EQ(out[1].label, "");
  EXPECT_EQ(out[1].level, JudgementLevel::False);
  pre.judgeSentence("Magnum oppidum est.", analysisKind(KindId::NomSg), out);
  ASSERT_EQ(out.size(), 2u);
  EXPECT_GT(out[1].probability, 0.9);
  EXPECT_EQ(out[1].label, "2 d\xE9" "cl. nom. sg. [AB00A]");
}

// "militibus" is an ablative after "cum" and a dative without it, in as many
// sentences with the same verb. Asked about "cum" three words back, a place it
// never stood while learning, only the preposition before the word can tell.
TEST(JudgeTraining, ThePrepositionAFewWordsBackDecides) {
  VARNELIO_REQUIRE_DATA(built().ok(), "analyseur.dat and etiqueteur.dat built");
  std::vector<JudgeSentence> s;
  for (int k = 0; k < 30; ++k) {
    s.push_back({{"Legatus", "cum", "militibus", "venit"}, {0, kOtherClass, 9, kOtherClass}, {}, {}});
    s.push_back({{"Legatus", "militibus", "venit"}, {0, 7, kOtherClass}, {}, {}});
  }
  JudgeModel model = trainJudge(built().analyser, built().tagger, s, {});
  const NounJudge judge = NounJudge::fromModel(model);
  PreAnalyser pre(built().analyser, built().tagger, judge);
  std::vector<CandidateJudgement> out;
  pre.judgeSentence("Legatus cum illis tribus militibus venit.", analysisKind(KindId::AblPl), out);
  ASSERT_FALSE(out.empty());
  EXPECT_EQ(out.back().form, "militibus");
  EXPECT_GT(out.back().probability, 0.6);  // 0.24 without the preposition
  pre.judgeSentence("Legatus illis tribus militibus venit.", analysisKind(KindId::DatPl), out);
  ASSERT_FALSE(out.empty());
  EXPECT_GT(out.back().probability, 0.6);
}

// "fratribus" is a dative and "doloribus" an ablative, in the same sentence
// with the same verb; both masculine, of the third declension, "-ribus". Asked
// about two feminine nouns never seen, in that sentence, with endings of their
// own: nothing the treebank taught tells them apart but what raw Latin says of
// their lemmas, a mother mostly a dative ("matri"), a voice an ablative ("voce").
TEST(JudgeTraining, WhatRawLatinSaysOfALemmaDecidesWhereNothingElseDoes) {
  VARNELIO_REQUIRE_DATA(built().ok(), "analyseur.dat and etiqueteur.dat built");
  std::vector<JudgeSentence> s;
  for (int k = 0; k < 30; ++k) {
    s.push_back({{"Legatus", "fratribus", "venit"}, {judgeClassOf(KindId::NomSg), judgeClassOf(KindId::DatPl), kOtherClass}, "", {}});
    s.push_back({{"Legatus", "doloribus", "venit"}, {judgeClassOf(KindId::NomSg), judgeClassOf(KindId::AblPl), kOtherClass}, "", {}});
  }
  const NounJudge judge = NounJudge::fromModel(trainJudge(built().analyser, built().tagger, s, {}));
  PreAnalyser pre(built().analyser, built().tagger, judge);
  const auto probability = [&](const char* sentence, KindId kind) {
    std::vector<CandidateJudgement> out;
    pre.judgeSentence(sentence, analysisKind(kind), out);
    EXPECT_EQ(out.size(), 1u) << sentence;
    return out.empty() ? 0.0 : out[0].probability;
  };
  EXPECT_GT(probability("Legatus matribus venit.", KindId::DatPl), probability("Legatus matribus venit.", KindId::AblPl));
  EXPECT_GT(probability("Legatus vocibus venit.", KindId::AblPl), probability("Legatus vocibus venit.", KindId::DatPl));
}

TEST(DropThreshold, AsManyNounsLostAsKeepOnePercentWithConfidence) {
  // The held-out share plus 1.645 standard errors within 1 %.
  const struct {
    std::size_t nouns, lost;
  } cases[] = {{0, 0}, {99, 0}, {300, 1}, {1000, 5}, {24000, 215}, {1000000, 9837}};
  for (const auto& c : cases) EXPECT_EQ(mostNounsLost(c.nouns), c.lost) << c.nouns;
}

TEST(DropThreshold, OneCutForTheNounsOfAllKinds) {
  // 1,000 true nouns of several kinds together: five may be lost. The sixth
  // lowest noun sets the cut, halfway from the candidate just below it.
  std::vector<HeldOut> all;
  for (int k = 0; k < 994; ++k) all.push_back({0.6 + 0.0001 * k, true});
  for (const double p : {0.01, 0.02, 0.03, 0.035, 0.038, 0.4}) all.push_back({p, true});
  for (int k = 0; k < 500; ++k) all.push_back({0.0005 * k, false});
  EXPECT_NEAR(chooseDropThreshold(all), (0.2495 + 0.4) / 2, 1e-6);
  // Few nouns: none may be lost, the cut stays under the lowest.
  EXPECT_NEAR(chooseDropThreshold({{0.3, true}, {0.1, false}, {0.05, true}, {0.01, false}}), 0.03, 1e-6);
  EXPECT_EQ(chooseDropThreshold({}), 0.0f);
}

TEST(JudgeTraining, TheSameTreebankGivesTheSameBytes) {
  VARNELIO_REQUIRE_DATA(built().ok(), "analyseur.dat and etiqueteur.dat built");
  const std::string first = encodeJudgeModel(trainJudge(built().analyser, built().tagger, tinyTreebank(), {2, 2}));
  const std::string second = encodeJudgeModel(trainJudge(built().analyser, built().tagger, tinyTreebank(), {2, 2}));
  EXPECT_EQ(first, second);
}

TEST(JudgeFile, RefusedWhenTruncatedOfAnotherVersionOrAnotherAnalyser) {
  JudgeModel model;
  model.analyserFingerprint = 0x0123456789ABCDEFull;
  model.weights.assign(std::size_t{1} << JudgeModel::kHashBits, 0.0f);
  model.weights[7] = 1.5f;
  model.thresholds[3] = {0.01f, 0.3f, 0.95f};
  const std::string bytes = encodeJudgeModel(model);
  const NounJudge read = NounJudge::fromBytes(bytes);
  ASSERT_EQ(read.status(), NounJudge::Status::Loaded);
  EXPECT_EQ(read.model().analyserFingerprint, model.analyserFingerprint);
  EXPECT_EQ(read.model().thresholds[3], model.thresholds[3]);
  EXPECT_NEAR(read.model().weights[7], 1.5f, 1e-3);
  for (const std::size_t cut : {std::size_t{0}, std::size_t{8}, std::size_t{20}, bytes.size() - 1})
    EXPECT_EQ(NounJudge::fromBytes(bytes.substr(0, cut)).status(), NounJudge::Status::Invalid) << cut;
  EXPECT_EQ(NounJudge::fromBytes(bytes + "x").status(), NounJudge::Status::Invalid);
  std::string otherVersion = bytes;
  otherVersion[8] = static_cast<char>(NounJudge::kVersion + 1);
  EXPECT_EQ(NounJudge::fromBytes(otherVersion).status(), NounJudge::Status::Invalid);
  // Bound to another analyser file: loaded, but it does not fit this one.
  if (built().ok()) {
    EXPECT_EQ(read.fitWith(built().analyser, built().tagger), JudgeFit::OtherAnalyser);
  }
  EXPECT_EQ(NounJudge::load(kDataDir + "/nothing-here.dat").status(), NounJudge::Status::Missing);
}

TEST(JudgeFile, TheBuiltOneFitsTheBuiltAnalyser) {
  VARNELIO_REQUIRE_DATA(built().ok(), "analyseur.dat and etiqueteur.dat built");
  const NounJudge judge = NounJudge::load(kDataDir + "/juge.dat");
  ASSERT_EQ(judge.status(), NounJudge::Status::Loaded);
  EXPECT_EQ(judge.fitWith(built().analyser, built().tagger), JudgeFit::Fits);
  for (const AnalysisKind& kind : analysisKinds()) {
    const KindThresholds& t = judge.thresholds(kind);
    EXPECT_LE(t.drop, t.label) << kind.cliName;
    EXPECT_LE(t.label, t.sure) << kind.cliName;
  }
}

}  // namespace
}  // namespace varnelio::mkdict
