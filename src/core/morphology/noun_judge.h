// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The judge of the pre-analysis: for a word of a sentence, the probability that
// it is a noun of each case and number. A multinomial logistic regression over
// sparse, hashed features of the word and its sentence: the analyser's readings
// of the word, its form, suffixes and lemmas, the contextual tagger's probability
// of each reading, the neighbours, the sentence's verbs and what their French
// glosses say they govern. Trained by varnelio-mkdict on annotated Latin
// (juge.dat); the file is bound to the analyseur.dat it was trained with, since
// its features are that analyser's readings.
//
// A candidate's probability of being a noun of the window's kind gives one of
// four levels: "sûr" and "probable" propose a label, "douteux" proposes none but
// is kept, "faux" is the only level offered for deletion.
#include <array>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "core/analysis/analysis_kind.h"
#include "core/files/data_file.h"
#include "core/files/file_error.h"
#include "core/morphology/contextual_tagger.h"
#include "core/morphology/latin_analyser.h"

namespace varnelio {

// The classes the judge tells apart: a noun of each kind (in the order of
// analysisKinds()) and anything else.
inline constexpr int kJudgeClassCount = kKindCount + 1;
inline constexpr int kOtherClass = kKindCount;

enum class JudgementLevel : std::uint8_t { False, Doubtful, Probable, Sure };

// The level's name as the window and the command line show it (UTF-8).
std::string_view levelName(JudgementLevel level);

// The three probabilities that cut a kind's candidates into the four levels.
struct KindThresholds {
  float drop = 0.0f;   // below: "faux"
  float label = 0.5f;  // from here: "probable", a label is proposed
  float sure = 1.0f;   // from here: "sûr"
  bool operator==(const KindThresholds&) const = default;
};

JudgementLevel levelOf(double probability, const KindThresholds& thresholds);

// One feature of a word: the hash of its name and its value (1 for a fact, a
// probability for the tagger's).
struct JudgeFeature {
  std::uint32_t hash;
  float value;
};

// Reads the features of the words of a sentence. Bound to one analyser: it
// reads the government of every verb from its gloss once.
class JudgeFeatureReader {
 public:
  explicit JudgeFeatureReader(const LatinAnalyser& analyser);
  // Reads what the words of a sentence share (their keys, readings and verbs);
  // `words` were analysed and tagged, `forms` are their texts (Windows-1252).
  // Once per sentence, before features().
  void prepareSentence(const std::vector<std::string_view>& forms, const std::vector<TaggedWord>& words);
  // The features of word k of the sentence last prepared. `out` is cleared.
  void features(const std::vector<std::string_view>& forms, const std::vector<TaggedWord>& words, std::size_t k,
                std::vector<JudgeFeature>& out);

  // What a verb's gloss says it governs: bit 0 the dative, 1 the ablative, 2 the
  // genitive, 3 the accusative. Public for the tests.
  static std::uint8_t governmentOfGloss(std::string_view gloss);

 private:
  std::string readingsOf(const TaggedWord& word) const;
  void add(std::vector<JudgeFeature>& out, std::string_view name, float value = 1.0f);

  const LatinAnalyser& analyser_;
  std::vector<std::uint8_t> government_;  // by lemma
  std::vector<std::string> keys_;         // by lemma: the headword's key, without homonym digits
  std::vector<std::string> wordKeys_, readings_;
  std::vector<int> verbs_;  // by word: index of the lemma of its chosen finite-verb reading, or -1
  std::vector<int> verbPersons_;  // by word: person-number slot of that reading
  std::vector<bool> preposition_;  // by lemma
  // By word: a bit per kind (case and number) of its noun readings, of the
  // readings that agree with a noun (adjectives, participles, pronouns,
  // numerals), and the first preposition it can be (a lemma, or -1).
  std::vector<std::uint16_t> nounKinds_, agreeingKinds_, participleKinds_;
  std::vector<int> prepositions_;
  std::vector<bool> governsDative_;  // by word: an adjective reading whose gloss takes a dative
  std::string name_;
};

// The weights, the calibration and the thresholds: what juge.dat holds.
struct JudgeModel {
  static constexpr std::uint32_t kHashBits = 20;
  std::uint64_t analyserFingerprint = 0;
  float temperature = 1.0f;
  std::array<KindThresholds, kKindCount> thresholds{};
  std::vector<float> weights;  // 1 << kHashBits

  static std::size_t slot(std::uint32_t featureHash, int cls) {
    std::uint32_t h = featureHash ^ (static_cast<std::uint32_t>(cls + 1) * 0x9E3779B1u);
    h ^= h >> 16;
    h *= 0x85EBCA6Bu;
    h ^= h >> 13;
    return h & ((1u << kHashBits) - 1);
  }
  // The raw scores (before the temperature) of every class.
  std::array<double, kJudgeClassCount> scores(const std::vector<JudgeFeature>& features) const;
  // The probability of every class.
  std::array<double, kJudgeClassCount> probabilities(const std::vector<JudgeFeature>& features) const;
};

// juge.dat, little-endian: "VARNJUGE", u32 version, u64 fingerprint of the
// analyser's file, f32 temperature, per kind three f32 thresholds, u32 hash bits,
// f32 scale, then 1 << bits i16 weights (weight = value * scale).
std::string encodeJudgeModel(const JudgeModel& model);

class NounJudge : public LoadedFromFile<NounJudge> {
 public:
  // For bytes that are not such a file.
  static constexpr std::string_view kNotThisFile = "Ce n'est pas un fichier du juge de la pr\xC3\xA9-analyse";
  static constexpr std::string_view kFileName = "juge.dat";
  static constexpr std::uint32_t kVersion = 2;

  NounJudge() = default;
  static NounJudge fromBytes(std::string_view bytes);
  static NounJudge fromModel(JudgeModel model);

  // Whether it was trained with this very analyser file.
  bool fits(const LatinAnalyser& analyser) const {
    return status_ == Status::Loaded && model_.analyserFingerprint == analyser.fingerprint();
  }
  const JudgeModel& model() const { return model_; }
  const KindThresholds& thresholds(const AnalysisKind& kind) const {
    return model_.thresholds[static_cast<int>(kind.id)];
  }

 private:
  JudgeModel model_;
};

}  // namespace varnelio
