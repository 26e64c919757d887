// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The judge of the pre-analysis: for a word of a sentence, the probability that
// it is a noun of each case and number. A multinomial logistic regression over
// sparse, hashed features of the word and its sentence: the analyser's readings
// of the word, its form, suffixes and lemmas, the contextual tagger's probability
// of each reading, the neighbours, the sentence's verbs and what their French
// glosses say they govern, and what raw Latin says of the word's lemma and of
// the verb or adjective near it. Trained by varnelio-mkdict on annotated Latin
// (juge.dat); the file is bound to the analyseur.dat and the etiqueteur.dat it
// was trained with and to the set of features it learnt on, since its weights
// mean something only for those readings and those features.
//
// A candidate's probability of being a noun of the window's kind gives one of
// four levels: "sûr" and "probable" propose a label, "douteux" proposes none but
// is kept, "faux" is the only level offered for deletion.
#include <array>
#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "core/analysis/analysis_kind.h"
#include "core/files/data_file.h"
#include "core/files/file_error.h"
#include "core/morphology/contextual_tagger.h"
#include "core/morphology/latin_analyser.h"

namespace varnelio {

// The classes the judge tells apart: a noun of each kind, at the kind's place
// among the KindId values, and anything else after them.
inline constexpr int kJudgeClassCount = kKindCount + 1;
inline constexpr int kOtherClass = kKindCount;
constexpr int judgeClassOf(KindId kind) { return static_cast<int>(kind); }

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

class JudgeFeatureReader;

// What the words of one sentence share (their keys, readings, verbs,
// prepositions, agreeing words), read once: the features of each word are read
// from it. Only the reader makes one (JudgeFeatureReader::read), so no word's
// features can be asked of a sentence not read; it stays valid until the
// reader's next read, and the forms and words it was read from must live as long.
class SentenceFeatures {
 public:
  // The features of word k, in named groups (see the .cpp). `out` is cleared.
  void of(std::size_t k, std::vector<JudgeFeature>& out) const;
  // Whether word k can be of the kind at all: false only when the analyser knows
  // every reading of it and none is of the kind's case and number, neither a noun
  // nor a word that agrees with one ("hostium" is no accusative singular).
  bool mayBeOfKind(std::size_t k, KindId kind) const;

 private:
  friend class JudgeFeatureReader;
  explicit SentenceFeatures(const JudgeFeatureReader& reader) : reader_(reader) {}

  void addWordItself(std::size_t k) const;
  void addReadings(std::size_t k) const;
  void addNeighbours(std::size_t k) const;
  void addVerbs(std::size_t k) const;
  void addGovernment(std::size_t k) const;
  void addRawCounts(std::size_t k) const;
  void add(std::string_view name, float value = 1.0f) const;
  void named(std::string_view prefix, std::string_view value, float v = 1.0f) const;

  const JudgeFeatureReader& reader_;
  const std::vector<std::string_view>* forms_ = nullptr;
  const std::vector<TaggedWord>* words_ = nullptr;
  std::vector<std::string> wordKeys_, readings_;
  std::vector<int> verbs_;        // by word: the lemma of its chosen finite-verb reading, or -1
  std::vector<int> verbPersons_;  // by word: the person-number slot of that reading
  // By word: a bit per kind (judgeClassOf) of its noun readings, of its readings
  // that agree with a noun (adjectives, participles, pronouns, numerals), of its
  // participles; the first preposition it can be (a lemma, or -1).
  std::vector<std::uint16_t> nounKinds_, agreeingKinds_, participleKinds_;
  std::vector<int> prepositions_;
  std::vector<bool> governsDative_;  // by word: an adjective reading whose gloss takes a dative
  std::vector<int> governors_;       // by word: its chosen reading's lemma when raw Latin says what stands near it, or -1
  mutable std::vector<JudgeFeature>* out_ = nullptr;
  mutable std::string name_;
};

// Reads the features of the words of a sentence. Bound to one analyser: it
// reads the government of every verb from its gloss once.
class JudgeFeatureReader {
 public:
  explicit JudgeFeatureReader(const LatinAnalyser& analyser);
  JudgeFeatureReader(const JudgeFeatureReader&) = delete;
  JudgeFeatureReader& operator=(const JudgeFeatureReader&) = delete;

  // Reads what the words of a sentence share; `words` were analysed and tagged,
  // `forms` are their texts (Windows-1252).
  const SentenceFeatures& read(const std::vector<std::string_view>& forms, const std::vector<TaggedWord>& words);

  // What a verb's gloss says it governs: bit 0 the dative, 1 the ablative, 2 the
  // genitive, 3 the accusative. Public for the tests.
  static std::uint8_t governmentOfGloss(std::string_view gloss);

  // The identity of the features the reader reads, recorded in juge.dat: a
  // judge learnt on other features is refused, its weights meaning nothing here.
  static std::uint32_t featureSet();

 private:
  friend class SentenceFeatures;
  std::string readingsOf(const TaggedWord& word) const;
  // The kind of a reading that is a noun of one of the ten kinds.
  std::optional<KindId> nounKindOf(const Analysis& a) const;
  void readRawCounts();

  const LatinAnalyser& analyser_;
  std::vector<std::uint8_t> government_;  // by lemma
  std::vector<std::string> keys_;         // by lemma: the headword's key, without homonym digits
  std::vector<bool> preposition_;         // by lemma
  // What raw Latin says (raw_latin_counts.h), by lemma, as the log of how much
  // likelier than usual each of the five cases is: a noun's own forms
  // (against the nouns of its model), and the forms standing near a verb or an
  // adjective (against those near any). Empty for a lemma it says nothing of.
  std::vector<std::array<float, 5>> ownCases_, nearbyCases_;
  std::vector<bool> hasOwnCases_, hasNearbyCases_;
  SentenceFeatures sentence_{*this};
};

// Turns raw scores into probabilities (a softmax at a temperature).
void toProbabilities(std::array<double, kJudgeClassCount>& scores, double temperature);

// The weights, the calibration and the thresholds: what juge.dat holds, with
// what they were learnt with.
struct JudgeModel {
  static constexpr std::uint32_t kHashBits = 20;
  std::uint64_t analyserFingerprint = 0;
  std::uint64_t taggerFingerprint = 0;
  std::uint32_t featureSet = 0;
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
  std::array<double, kJudgeClassCount> scores(std::span<const JudgeFeature> features) const;
  // The probability of every class.
  std::array<double, kJudgeClassCount> probabilities(std::span<const JudgeFeature> features) const;
};

// juge.dat, little-endian: "VARNJUGE", u32 version, u64 fingerprint of the
// analyser's file, u64 fingerprint of the tagger's file, u32 feature set, f32
// temperature, per kind three f32 thresholds, u32 hash bits, f32 scale, then
// 1 << bits i16 weights (weight = value * scale).
std::string encodeJudgeModel(const JudgeModel& model);

// Whether a judge can serve beside an analyser and a tagger: it was learnt from
// their readings, with this program's features.
enum class JudgeFit { Fits, NotLoaded, OtherAnalyser, OtherTagger, OtherFeatures };

class NounJudge : public LoadedFromFile<NounJudge> {
 public:
  // For bytes that are not such a file.
  static constexpr std::string_view kNotThisFile = "Ce n'est pas un fichier du juge de la pr\xC3\xA9-analyse";
  static constexpr std::string_view kFileName = "juge.dat";
  // 3: the tagger's fingerprint and the feature set.
  static constexpr std::uint32_t kVersion = 3;

  NounJudge() = default;
  static NounJudge fromBytes(std::string_view bytes);
  static NounJudge fromModel(JudgeModel model);

  // Whether it was learnt with these very files and this program's features.
  JudgeFit fitWith(const LatinAnalyser& analyser, const ContextualTagger& tagger) const;
  // What is wrong, in one French sentence (UTF-8), or "" when it fits.
  static std::string mismatchMessage(JudgeFit fit);
  const JudgeModel& model() const { return model_; }
  const KindThresholds& thresholds(const AnalysisKind& kind) const {
    return model_.thresholds[static_cast<std::size_t>(judgeClassOf(kind.id))];
  }

 private:
  JudgeModel model_;
};

}  // namespace varnelio
