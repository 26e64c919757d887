// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The analyser's compiled file (analyseur.dat): everything the analyser needs to
// know every form of every lemma, as stems and endings, already resolved from the
// Latin lexicon by varnelio-mkdict. The layout, little-endian throughout:
//
//   "VARNMORF" u32 version
//   u32 n, n bytes              the string pool: strings stored as u16 length + bytes
//   u32 n, n morphologies       5 string refs (person and case, gender, number,
//                               mood-tense-voice, the same for a deponent), then
//                               the decoded fields, u8 each: kind of form, case,
//                               number, gender, person, mood, tense, voice, degree
//   u32 n, n lemmas             4 string refs (headword, category, translation,
//                               gender), u16 model, u8 part of speech, u8 flags,
//                               u32 frequency (the lexicon's count of the lemma)
//   u32 n, n endings            string ref, u16 model, u8 radical, u16 morphology
//   u32 n, n stems              string ref, u32 lemma, u8 radical
//   u32 n, n irregular forms    string ref, u32 lemma, u16 morphology
//   u32 n, n exclusions         u32 lemma, u16 morphology: the lemma lacks it
//   u32 n, n abbreviations      string ref, u32 lemma, u16 morphology: matched as
//                               written, capital included ("L" for Lucius)
//   u32 n, n contractions       string refs: short ending, long ending
//   u32 n, n assimilations      string refs: the prefix unassimilated, assimilated
//
// A string ref is the offset of the string in the pool. Every string is
// Windows-1252 text as it is shown (stems "vit", "Iuli", "jūr" written as the
// lexicon writes them); the analyser computes the lookup keys (latin::keyOf) when it
// loads, so that the same file also gives each form in its display spelling.
#include <array>
#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <utility>
#include <vector>

#include "core/analysis/analysis_kind.h"

namespace varnelio {

inline constexpr char kAnalyserMagic[] = "VARNMORF";
// 2: each lemma's frequency, by which the analyses of a word are ordered.
// 3: each morphology's decoded fields (kind of form, gender, person, mood, tense,
//    voice, degree beside the case and number), so that no reader of the file
//    needs the lexicon's numbering of its morphologies; the noun-form byte is
//    now the kind of form.
inline constexpr std::uint32_t kAnalyserVersion = 3;

enum class GrammaticalGender : std::uint8_t { None, Masculine, Feminine, Neuter };
enum class GrammaticalPerson : std::uint8_t { None, First, Second, Third };
enum class Mood : std::uint8_t { None, Indicative, Subjunctive, Imperative, Infinitive, Participle, Gerund, Gerundive, Supine };
enum class Tense : std::uint8_t { None, Present, Imperfect, Future, Perfect, Pluperfect, FuturePerfect };
enum class Voice : std::uint8_t { None, Active, Passive };
enum class Degree : std::uint8_t { None, Positive, Comparative, Superlative };

// What a lemma is. The values are the bytes of the analyser's file, the letters
// the lexicon's models use.
enum class PartOfSpeech : std::uint8_t {
  Invariable = 0,  // a preposition, a conjunction, an interjection: the category says which
  Noun = 'n',
  Adjective = 'a',
  Numeral = 'm',
  Pronoun = 'p',
  Verb = 'v',
  Adverb = 'd',
};

// The part of speech of a model's letter, Invariable for any other.
inline constexpr PartOfSpeech partOfSpeechOfLetter(char letter) {
  switch (letter) {
    case 'n': return PartOfSpeech::Noun;
    case 'a': return PartOfSpeech::Adjective;
    case 'm': return PartOfSpeech::Numeral;
    case 'p': return PartOfSpeech::Pronoun;
    case 'v': return PartOfSpeech::Verb;
    case 'd': return PartOfSpeech::Adverb;
    default: return PartOfSpeech::Invariable;
  }
}

// What a form is, as the grammar books sort them.
enum class FormKind : std::uint8_t {
  None,
  NounCase,      // a case without a gender of its own: a noun's form (the lemma gives the gender), the locative
  GenderedCase,  // a case with its gender: an adjective's, a pronoun's, a numeral's, in a degree
  Finite,        // indicative or subjunctive, with a person
  Imperative,
  Infinitive,
  Participle,
  Gerund,
  Gerundive,
  Supine,
  Adverb,      // an adjective's adverb, in a degree
  Invariable,  // the one morphology of the words that do not inflect
};

// A morphology of the lexicon, decoded by varnelio-mkdict from its French
// description ("accusatif féminin singulier participe parfait passif"): every
// field a reader needs, so that none knows how the lexicon numbers them.
struct MorphologyFeatures {
  FormKind kind = FormKind::None;
  GrammaticalCase grammaticalCase = GrammaticalCase::None;  // a supine's too: accusative in -um, ablative in -u
  GrammaticalNumber number = GrammaticalNumber::None;
  GrammaticalGender gender = GrammaticalGender::None;
  GrammaticalPerson person = GrammaticalPerson::None;
  Mood mood = Mood::None;
  Tense tense = Tense::None;
  Voice voice = Voice::None;
  Degree degree = Degree::None;  // Positive for a gendered case or an adverb that names no degree
  bool operator==(const MorphologyFeatures&) const = default;
};

// The decoded fields as the file stores them, one byte each in the order of the
// layout above; read back, a byte out of its field's values is refused.
inline constexpr std::size_t kFeatureBytes = 9;
std::array<std::uint8_t, kFeatureBytes> featureBytes(const MorphologyFeatures& m);
std::optional<MorphologyFeatures> featuresFromBytes(const std::array<std::uint8_t, kFeatureBytes>& bytes);

struct MorphologyData {
  std::string personCase;   // "acc.", "3e p."
  std::string gender;       // the morphology's own gender, "f."; empty for a noun's forms
  std::string number;       // "sg.", "pl."
  std::string moodTenseVoice;          // "ind. prés. act."
  std::string deponentMoodTenseVoice;  // the same for a deponent verb: "ind. prés. dép."
  MorphologyFeatures features;
};

namespace lemma_flag {
inline constexpr std::uint8_t kDeponent = 1;       // active forms are deponent forms
inline constexpr std::uint8_t kHasExclusions = 2;  // some morphologies of its model are not its own
inline constexpr std::uint8_t kPluralOnly = 4;     // a noun without singular: its locative is plural
}

struct LemmaData {
  std::string headword;     // "Iulius", as the lexicon spells it
  std::string category;     // "n. 2", "v. 1", "adj. 1", "prép."
  std::string translation;  // French
  std::string gender;       // a noun's gender: "m.", "f.", "n.", "m. f."
  std::uint16_t model = 0;
  PartOfSpeech partOfSpeech = PartOfSpeech::Invariable;
  std::uint8_t flags = 0;
  std::uint32_t frequency = 0;  // how often the lemma is met, as the lexicon counts it
};

struct EndingData {
  std::string ending;
  std::uint16_t model = 0;
  std::uint8_t radical = 0;
  std::uint16_t morphology = 0;
};

struct StemData {
  std::string stem;
  std::uint32_t lemma = 0;
  std::uint8_t radical = 0;
};

struct IrregularData {
  std::string form;
  std::uint32_t lemma = 0;
  std::uint16_t morphology = 0;
};

struct AnalyserData {
  std::vector<MorphologyData> morphologies;  // by morphology number (0 unused)
  std::vector<LemmaData> lemmas;
  std::vector<EndingData> endings;
  std::vector<StemData> stems;
  std::vector<IrregularData> irregulars;
  std::vector<std::pair<std::uint32_t, std::uint16_t>> exclusions;  // (lemma, morphology)
  std::vector<IrregularData> abbreviations;
  std::vector<std::pair<std::string, std::string>> contractions;    // ("arunt", "auerunt")
  std::vector<std::pair<std::string, std::string>> assimilations;   // ("adc", "acc")
};

// A case without a gender of its own: the lemma gives it (a noun's forms).
inline constexpr bool isNounForm(const MorphologyFeatures& m) { return m.kind == FormKind::NounCase; }

// The active perfect, pluperfect and future perfect (indicative and subjunctive)
// and the perfect infinitive, all built on the perfect stem: the forms a
// contraction shortens ("amarunt" for "amaverunt", "audisse" for "audivisse").
inline constexpr bool isPerfectSystem(const MorphologyFeatures& m) {
  const bool perfectTense = m.tense == Tense::Perfect || m.tense == Tense::Pluperfect || m.tense == Tense::FuturePerfect;
  const bool perfectStemMood = m.mood == Mood::Indicative || m.mood == Mood::Subjunctive || m.mood == Mood::Infinitive;
  return m.voice == Voice::Active && perfectTense && perfectStemMood;
}

// A finite form's place among the six persons of its mood, tense and voice: the
// first, second and third singular (0 to 2), then plural (3 to 5); -1 for any
// other form.
inline constexpr int finiteVerbSlot(const MorphologyFeatures& m) {
  if (m.kind != FormKind::Finite || m.person == GrammaticalPerson::None) return -1;
  const int person = static_cast<int>(m.person) - 1;
  return m.number == GrammaticalNumber::Plural ? person + 3 : person;
}

// The bytes of analyseur.dat.
std::string encodeAnalyserData(const AnalyserData& data);

}  // namespace varnelio
