// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The contextual tagger: chooses, among the analyser's analyses of each word of a
// sentence, the likeliest in context. A second-order hidden Markov model over the
// tags of a hand-tagged corpus of classical Latin (part of speech with case and
// number, or mood): the transitions are the corpus's tag trigrams, smoothed with
// its pairs and single tags; a word's emission is its lemmas' frequencies in the
// same corpus. The forward-backward algorithm gives each analysis of each word its
// probability in context; within a tag, the lemmas share it by their frequencies.
// A preposition makes the case it does not govern unlikely right after it.
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "core/files/data_file.h"
#include "core/files/file_error.h"
#include "core/morphology/latin_analyser.h"
#include "core/morphology/tagger_data.h"

namespace varnelio {

// One word of a sentence, as the tagger reads and answers it.
struct TaggedWord {
  std::vector<Analysis> analyses;  // from the analyser; empty for an unknown word
  bool clauseStart = false;        // a ";", ":", "?" or "!" stands before it
  bool enclitic = false;           // "-que" is joined to it
  // Set by the tagger: the likeliest analysis (an index into analyses, or -1),
  // and the probability of each analysis in this context.
  int chosen = -1;
  std::vector<double> posterior;
};

class ContextualTagger : public LoadedFromFile<ContextualTagger> {
 public:
  // For bytes that are not such a file.
  static constexpr std::string_view kNotThisFile = "Ce n'est pas un fichier de l'\xC3\xA9tiqueteur";
  static constexpr std::string_view kFileName = "etiqueteur.dat";

  ContextualTagger() = default;
  // From the bytes of etiqueteur.dat (load(path) reads the file); any bytes are
  // survived: a file that is not a whole tagger file leaves the tagger empty with
  // status Invalid.
  static ContextualTagger fromBytes(std::string_view bytes);

  // Whether the file was built with this very analyser file.
  bool fits(const LatinAnalyser& analyser) const {
    return status_ == Status::Loaded && analyserFingerprint_ == analyser.fingerprint() &&
           lemmaFrequencies_.size() == analyser.lemmaCount();
  }
  // Prepares the tagger for the analyser whose analyses it will choose among
  // (the frequency of each class of lemmas, the share of each form in its tag);
  // returns fits(analyser). Done once, where the tagger is loaded.
  bool bind(const LatinAnalyser& analyser);
  // The fingerprint of the file it was read from: a judge learnt with this tagger
  // records it.
  std::uint64_t fingerprint() const { return fingerprint_; }

  // Sets `chosen` and `posterior` of every word of one sentence, with the
  // analyser it is bound to.
  void tag(const LatinAnalyser& analyser, std::vector<TaggedWord>& words) const;

  // The name of the tag an analysis counts under ("n31", "v1 "), or blanks where
  // the file has no such tag.
  std::array<char, 3> tagNameOf(const LatinAnalyser& analyser, const Analysis& a) const {
    const int tag = tagOf(analyser, a);
    return tag >= 0 ? tagNames_[static_cast<std::size_t>(tag)] : std::array<char, 3>{' ', ' ', ' '};
  }

  std::size_t memoryUsed() const;

 private:
  struct Candidate {
    std::uint8_t tag;
    double emission;  // relative to the word's likeliest tag
  };
  // One place of a sentence as the tagger walks it: a word, an enclitic or a
  // boundary, with the tags it may have.
  struct Position {
    std::vector<Candidate> candidates;
    int word = -1;             // the index of its word, or -1
    std::uint8_t governs = 0;  // the cases it governs if it may be a preposition
  };
  class Lattice;

  bool decode(std::string_view bytes);
  bool indexTags();
  std::vector<Position> positionsOf(const LatinAnalyser& analyser, const std::vector<TaggedWord>& words) const;
  Position wordPosition(const LatinAnalyser& analyser, const TaggedWord& word, int index) const;
  void shareAmongAnalyses(const LatinAnalyser& analyser, const std::vector<Candidate>& cands,
                          const std::vector<double>& tagProbability, TaggedWord& word) const;
  int tagOf(const LatinAnalyser& analyser, const Analysis& a) const;
  // The tag of a form of a lemma of that class (its tag letter), of that case and number.
  int tagOfForm(char letter, const MorphologyFeatures& m, GrammaticalCase c, GrammaticalNumber n) const;
  // The share of a lemma's weight in the analysis's tag that its form takes.
  double formShare(const Analysis& a) const;
  int tagId(char a, char b, char c) const;
  double weightOf(const Analysis& a) const;
  void candidatesOf(const LatinAnalyser& analyser, const TaggedWord& word, std::vector<Candidate>& out) const;

  std::uint64_t fingerprint_ = 0, analyserFingerprint_ = 0;
  std::vector<std::array<char, 3>> tagNames_;
  std::vector<std::int16_t> byName_;  // tags of a letter and two digits or blanks, by name
  std::vector<double> trigram_;  // [t1][t2][t3]: P(t3 | t1 t2), smoothed
  std::size_t tagCount_ = 0;
  std::vector<std::uint32_t> lemmaFrequencies_;
  std::vector<std::uint8_t> lemmaGovernment_;
  std::vector<double> letterMass_;  // by tag letter a..z: summed frequency of the lemmas behind it
  // The shares of the forms in their tags (see bind()), by group (a class of
  // lemmas and a model), then morphology; each lemma's group.
  static constexpr std::uint16_t kNoGroup = 0xFFFF;
  std::vector<float> formShares_;
  std::vector<std::uint16_t> lemmaGroup_;
  std::size_t morphologyCount_ = 0;
  std::vector<std::uint8_t> openTags_;  // what an unknown word may be
  int snt_ = -1, enclitic_ = -1, preposition_ = -1;
};

}  // namespace varnelio
