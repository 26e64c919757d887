// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The contextual tagger's compiled file (etiqueteur.dat), built by varnelio-mkdict
// beside analyseur.dat: the counts of each tag and of each tag trigram in a
// hand-tagged corpus of classical Latin (Collatinus's tags.la), and for every
// lemma of analyseur.dat, in the same order, its frequency in that corpus and the
// cases it governs when it is a preposition. Little-endian throughout:
//
//   "VARNTAGS" u32 version
//   u64 fingerprint of the analyseur.dat it was built with
//   u32 n, n tags          3 bytes of name ("n31", "v1 ", "snt"), u32 count
//   u32 n, n trigrams      u8 tag, u8 tag, u8 tag, u32 count
//   u32 n, n lemmas        u32 frequency, u8 government (bits: 1 accusative,
//                          2 ablative)
//
// Tag names: a letter for the part of speech (n noun, a adjective, p pronoun, m
// numeral, w participle, v verb, d adverb, r preposition, c conjunction, i
// interjection), then for the declined words the case (1 nominative, 2 vocative,
// 3 accusative, 4 genitive, 5 dative, 6 ablative, 7 locative, 8 indeclinable) and
// the number (1 singular, 2 plural); for the verbs the mood (1 indicative, 2
// subjunctive, 3 imperative, 4 infinitive) and 1 for the tenses of the present
// stem; "ce", "de", "re" the enclitics -que, -ne, -cum; "snt" the end of a sentence.
#include <array>
#include <cstdint>
#include <string>
#include <vector>

namespace varnelio {

inline constexpr char kTaggerMagic[] = "VARNTAGS";
// 2: the fingerprint of the analyser's file, to which the lemmas are bound.
inline constexpr std::uint32_t kTaggerVersion = 2;

namespace government {
inline constexpr std::uint8_t kAccusative = 1;
inline constexpr std::uint8_t kAblative = 2;
}

struct TaggerData {
  struct Tag {
    std::array<char, 3> name;
    std::uint32_t count;
  };
  struct Trigram {
    std::uint8_t first, second, third;
    std::uint32_t count;
  };
  std::uint64_t analyserFingerprint = 0;
  std::vector<Tag> tags;
  std::vector<Trigram> trigrams;
  std::vector<std::uint32_t> lemmaFrequencies;  // by lemma of analyseur.dat
  std::vector<std::uint8_t> lemmaGovernment;    // the same length
};

// The bytes of etiqueteur.dat.
std::string encodeTaggerData(const TaggerData& data);

}  // namespace varnelio
