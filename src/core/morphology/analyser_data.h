// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The analyser's compiled file (analyseur.dat): everything the analyser needs to
// know every form of every lemma, as stems and endings, already resolved from the
// Latin lexicon by varnelio-mkdict. The layout, little-endian throughout:
//
//   "VARNMORF" u32 version
//   u32 n, n bytes              the string pool: strings stored as u16 length + bytes
//   u32 n, n morphologies       5 string refs (person and case, gender, number,
//                               mood-tense-voice, the same for a deponent), u8 case,
//                               u8 number, u8 noun form
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
#include <cstdint>
#include <optional>
#include <string>
#include <utility>
#include <vector>

namespace varnelio {

inline constexpr char kAnalyserMagic[] = "VARNMORF";
// 2: each lemma's frequency, by which the analyses of a word are ordered.
inline constexpr std::uint32_t kAnalyserVersion = 2;

enum class GrammaticalCase : std::uint8_t { None, Nominative, Vocative, Accusative, Genitive, Dative, Ablative, Locative };
enum class GrammaticalNumber : std::uint8_t { None, Singular, Plural };

struct MorphologyData {
  std::string personCase;   // "acc.", "3e p."
  std::string gender;       // the morphology's own gender, "f."; empty for a noun's forms
  std::string number;       // "sg.", "pl."
  std::string moodTenseVoice;          // "ind. prés. act."
  std::string deponentMoodTenseVoice;  // the same for a deponent verb: "ind. prés. dép."
  GrammaticalCase grammaticalCase = GrammaticalCase::None;
  GrammaticalNumber grammaticalNumber = GrammaticalNumber::None;
  bool nounForm = false;  // a case without gender nor mood: the lemma gives the gender
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
  char partOfSpeech = 0;    // n a m p v d, or 0 for an invariable word
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

// Perfect, pluperfect, future perfect (indicative and subjunctive) and the perfect
// infinitive: the forms a contraction shortens ("amarunt" for "amaverunt").
inline constexpr bool isPerfectSystem(std::uint16_t morphology) {
  return (morphology >= 139 && morphology <= 156) || (morphology >= 169 && morphology <= 180) || morphology == 188;
}

// The finite forms of a verb come in blocks of six (three persons of the singular,
// then of the plural), one block per tense and mood: 121-180 in the active,
// 267-296 in the passive. The place of a form in its voice's run, or -1.
inline constexpr int finiteVerbSlot(std::uint16_t morphology) {
  if (morphology >= 121 && morphology <= 180) return morphology - 121;
  if (morphology >= 267 && morphology <= 296) return morphology - 267;
  return -1;
}
inline constexpr bool isThirdPerson(int finiteSlot) { return finiteSlot % 3 == 2; }
inline constexpr bool isPluralPerson(int finiteSlot) { return finiteSlot % 6 >= 3; }

// The bytes of analyseur.dat.
std::string encodeAnalyserData(const AnalyserData& data);

}  // namespace varnelio
