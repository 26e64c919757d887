// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The Latin analyser: every analysis of a word as it stands in a text (lemma,
// category, case, gender and number, or mood, tense, voice and person), computed
// at lookup from the stems of the lemmas and the endings of their inflection
// models, as compiled into analyseur.dat by varnelio-mkdict.
//
// Beyond the lexicon's own forms it reads what texts write: any capitals, u or v,
// i or j; the enclitics -que, -ne, -ve and the -cum of "mecum", "nobiscum"; a
// prefix written assimilated or not ("conloquium", "colloquium"); the contracted
// perfects ("amarunt", beside the regular analyses); the genitive in -i of the
// nouns in -ius and -ium ("consili"); the accusative plural in -is of i-stems
// ("montis"); Roman numerals; and, for a word that is nothing else, the forms of
// early Latin and of speech ("med", "siet", "materiai", "dicier", "homost",
// "viden", "dixti"), the Greek cases of names the lexicon declines as Latin ones
// ("Nestora", "Thetin") and the spellings of other ages ("sequontur", "quei",
// "transiebant"). Names it has never seen are guessed apart (guessNames), never among
// the lexicon's analyses.
#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "core/files/data_file.h"
#include "core/files/file_error.h"
#include "core/morphology/analyser_data.h"

namespace varnelio {

struct Analysis {
  static constexpr std::uint32_t kRomanNumeral = 0xFFFFFFFF;
  // A name the lexicon does not know, guessed from its ending (guessNames).
  static constexpr std::uint32_t kGuessedName = 0xFFFFFFFE;
  std::uint32_t lemma = 0;         // index of the lemma, kRomanNumeral or kGuessedName
  // Morphology number; the value of a numeral; the ending of a guessed name.
  std::uint16_t morphology = 0;
  // Read through a shortened spelling ("provincis" for "provinciis"): a rare
  // reading beside a regular one. Two analyses are the same whatever this says.
  bool contracted = false;
  // A form a teacher would point out, said so where it is shown: later Latin
  // ("transiebant" for "transibant"), early Latin ("siet" for "sit"), the Greek case of a
  // name ("Nestora"), a word with "est" or "-ne" run into it ("homost", "viden").
  enum class Note : std::uint8_t { None, Late, Early, Greek, WithEst, WithNe };
  Note note = Note::None;
  // A reading the lexicon's own forms do not give, beside a regular one: the
  // accusative plural in -is of an i-stem ("urbis"). Listed after the regular ones.
  bool variant = false;
  bool operator==(const Analysis& o) const { return lemma == o.lemma && morphology == o.morphology; }
};

// The columns of an analysis, Windows-1252, worded as in donnees.dat.
struct AnalysisText {
  std::string lemma, translation, category, caseGenderNumber, moodTenseVoice;
};

class LatinAnalyser : public LoadedFromFile<LatinAnalyser> {
 public:
  // For bytes that are not such a file.
  static constexpr std::string_view kNotThisFile = "Ce n'est pas un fichier de l'analyseur";

  LatinAnalyser() = default;
  // From the bytes of analyseur.dat (load(path) reads the file); any bytes are
  // survived: a file that is not a whole, consistent analyser file leaves the
  // analyser empty with status Invalid.
  static LatinAnalyser fromBytes(std::string bytes);

  static constexpr std::string_view kFileName = "analyseur.dat";

  bool empty() const { return lemmas_.empty(); }

  // Every analysis of the word (Windows-1252, as written in the text), without
  // repeats, in the lexicon's order (what the pre-analysis learns from). `out` is
  // cleared first.
  // A word in small letters that spells a Roman numeral and is nothing else
  // ("xiv", "iiii") is read as the numeral, unless the text writes its lines in
  // capitals (latin::writesLinesInCapitals decides it for a whole text): there,
  // numerals are written in capitals too.
  enum class SmallNumerals : bool { Ignored, Read };
  void analyse(std::string_view word, std::vector<Analysis>& out, SmallNumerals small = SmallNumerals::Read) const;
  std::vector<Analysis> analyse(std::string_view word) const {
    std::vector<Analysis> out;
    analyse(word, out);
    return out;
  }

  // A name never seen: a word written with a capital and small letters that the
  // analyser does not know ("Sostratae", "Vecellinum"), inside a sentence, is most
  // likely a proper noun. Its analyses as one of the first three declensions,
  // guessed from its ending ("-ae": gén. or dat. sg. or nom. pl. of a name in -a),
  // are appended to `out` (nothing for a word without a capital or too short).
  // The caller decides that the word is unknown and not the first of its
  // sentence; the guesses are never forms of the lexicon.
  void guessNames(std::string_view word, std::vector<Analysis>& out) const;

  AnalysisText describe(const Analysis& analysis, std::string_view word = {}) const;
  // How likely a reader is to meet this analysis of a form, relative to the other
  // analyses of the same form: the lemma's frequency in the lexicon's count, times
  // how often its case and number are met in texts, divided by the number of ways
  // its model writes that morphology. analyse() lists the likeliest first.
  double likelihood(const Analysis& analysis) const;
  // The analyses of a word in the order a reader would try them, as the form
  // dictionary and `varnelio-cli analyse` show them: the likeliest first, the
  // readings through a shortened or later spelling or beside the regular ones
  // after those, the numeral after the lexicon, a guessed name last.
  void likeliestFirst(std::vector<Analysis>& out) const;
  // The case and number of an analysis, as the scan and the pre-analysis study
  // them: a locative takes its noun's number; a supine is a verb's form, without case.
  GrammaticalCase caseOf(const Analysis& analysis) const;
  GrammaticalNumber numberOf(const Analysis& analysis) const;
  // The decoded fields of a morphology of the file (all None for a number it does
  // not hold).
  std::size_t morphologyCount() const { return morphologies_.size(); }
  // A lemma's inflection model, and whether a model has an ending for a morphology
  // (a form the lexicon gives whole, "alius", is no ending of its model).
  std::uint16_t modelOf(std::uint32_t lemma) const { return lemmas_[lemma].model; }
  bool modelHas(std::uint16_t model, std::uint16_t morphology) const {
    const std::size_t slot = static_cast<std::size_t>(model) * morphologies_.size() + morphology;
    return morphology < morphologies_.size() && slot < spellingCount_.size() && spellingCount_[slot] > 0;
  }
  const MorphologyFeatures& morphology(std::uint16_t morphology) const {
    static constexpr MorphologyFeatures kNone{};
    return morphology < morphologies_.size() ? morphologies_[morphology].features : kNone;
  }

  std::size_t lemmaCount() const { return lemmas_.size(); }
  std::string_view headword(std::uint32_t lemma) const { return lemmas_[lemma].headword; }
  std::string_view category(std::uint32_t lemma) const { return lemmas_[lemma].category; }
  std::string_view translation(std::uint32_t lemma) const { return lemmas_[lemma].translation; }
  PartOfSpeech partOfSpeech(std::uint32_t lemma) const { return lemmas_[lemma].partOfSpeech; }
  // A noun's gender as the lexicon gives it ("m.", "f.", "n.", "m., f."...), or "".
  std::string_view gender(std::uint32_t lemma) const { return lemmas_[lemma].gender; }

  // Every form of a lemma in the lexicon's spelling, with its morphology, in the
  // order of the model (irregular forms first). Contracted perfects, enclitics and
  // the other spellings a text may use are not listed.
  template <typename Sink>
  void forEachForm(std::uint32_t lemma, Sink&& sink) const;

  // Bytes held by the loaded analyser (its file and its indexes).
  std::size_t memoryUsed() const;
  // A hash of the analyser's file: what was learnt from its readings (the
  // pre-analysis's judge) holds for this file only.
  std::uint64_t fingerprint() const;

 private:
  struct Morphology {
    std::string_view personCase, gender, number, moodTenseVoice, deponentMoodTenseVoice;
    MorphologyFeatures features;
  };
  struct Lemma {
    std::string_view headword, category, translation, gender;
    std::uint16_t model;
    PartOfSpeech partOfSpeech;
    std::uint8_t flags;
    std::uint32_t frequency;
  };
  struct Ending {
    std::string_view text;
    std::uint16_t model;
    std::uint8_t radical;
    std::uint16_t morphology;
  };
  struct Stem {
    std::string_view text;
    std::uint32_t lemma;
    std::uint8_t radical;
  };
  struct Irregular {
    std::string_view text;
    std::uint32_t lemma;
    std::uint16_t morphology;
  };

  // Open addressing over (key, tag): each slot holds the first entry of one key,
  // and `next` chains the entries of the same key in file order.
  class KeyIndex {
   public:
    void build(const std::vector<std::string_view>& keys, const std::vector<std::uint32_t>& tags);
    template <typename F>
    void forEach(std::string_view key, std::uint32_t tag, F&& f) const;
    bool contains(std::string_view key, std::uint32_t tag) const;
    std::size_t memoryUsed() const;

   private:
    // A slot holds the key's hash beside its first entry, so that a probe compares
    // keys only when their hashes agree.
    struct Slot {
      std::uint32_t hash;
      std::uint32_t head;
    };
    std::vector<Slot> slots_;
    std::vector<std::uint32_t> next_;
    std::vector<std::string_view> keys_;
    std::vector<std::uint32_t> tags_;
    std::uint32_t mask_ = 0;
  };

  class Reader;  // of the file's little-endian values and pooled strings
  bool decode();
  void readMorphologies(Reader& r);
  void readLemmas(Reader& r);
  void readEndings(Reader& r);
  void readStems(Reader& r);
  void readForms(Reader& r, std::vector<Irregular>& forms, bool abbreviations);
  void readExclusions(Reader& r);
  void readPairs(Reader& r, std::vector<std::pair<std::string, std::string>>& pairs);
  std::vector<std::string_view> buildKeys();
  bool buildIndexes();
  void buildRuns();
  void coreAnalyses(std::string_view key, std::vector<Analysis>& out) const;
  void baseAnalyses(std::string_view key, std::vector<Analysis>& out) const;
  void withEnclitics(std::string_view key, std::vector<Analysis>& out) const;
  void olderSpellings(std::string_view key, std::vector<Analysis>& out) const;
  void laterImperfects(std::string_view key, std::vector<Analysis>& out) const;
  void earlyAndSpokenForms(std::string_view key, std::vector<Analysis>& out) const;
  void runTogether(std::string_view key, std::vector<Analysis>& out) const;
  void thirdDeclensionGenitives(std::string_view key, std::vector<Analysis>& out) const;
  void secondPersonsInRe(std::string_view key, std::vector<Analysis>& out) const;
  void syncopatedPerfects(std::string_view key, std::vector<Analysis>& out) const;
  void sigmaticOptatives(std::string_view key, std::vector<Analysis>& out) const;
  void greekCasesOfNames(std::string_view key, std::vector<Analysis>& out) const;
  void pronounCompounds(std::string_view key, std::vector<Analysis>& out) const;
  void joinedPronouns(std::string_view key, std::vector<Analysis>& out) const;
  void numeralsOfOffices(std::string_view key, std::vector<Analysis>& out) const;
  void keptReduplications(std::string_view key, std::vector<Analysis>& out) const;
  std::optional<std::uint32_t> lemmaNamed(std::string_view headword) const;
  void spellingsOfOtherAges(std::string_view key, std::vector<Analysis>& out) const;
  // The first morphology with these fields, or none.
  std::optional<std::uint16_t> findMorphology(const MorphologyFeatures& wanted) const;
  void iStemAccusatives(std::string_view key, std::vector<Analysis>& out) const;
  bool excluded(std::uint32_t lemma, std::uint16_t morphology) const;
  GrammaticalNumber locativeNumber(std::uint32_t lemma) const;

  // The tables below hold views into these two buffers: each lives on the heap on
  // its own, so that moving the analyser leaves the views valid.
  std::unique_ptr<std::string> bytes_ = std::make_unique<std::string>();
  std::unique_ptr<std::string> keyPool_ = std::make_unique<std::string>();  // lookup keys of endings, stems, forms
  std::vector<Morphology> morphologies_;
  std::vector<Lemma> lemmas_;
  std::vector<Ending> endings_;
  std::vector<Stem> stems_;
  std::vector<Irregular> irregulars_;
  std::vector<std::uint64_t> exclusions_;  // lemma << 16 | morphology, sorted
  std::vector<Irregular> abbreviations_;   // matched as written, sorted by their text
  std::size_t longestAbbreviation_ = 0;
  std::vector<std::pair<std::string, std::string>> contractions_, assimilations_;  // keys
  // For forEachForm: the endings of each model and the stems of each lemma, as
  // runs of one list (run k is list[start[k]] to list[start[k + 1]]).
  std::vector<std::uint32_t> modelEndingStart_, modelEndings_, lemmaStemStart_, lemmaStems_;
  // How many endings each model has for each morphology (model * morphologies +
  // morphology): a morphology written two ways ("urbes", "urbis") gives each way
  // half its likelihood.
  std::vector<std::uint8_t> spellingCount_;
  KeyIndex stemIndex_, endingIndex_, irregularIndex_;
  // Every distinct ending once: a split whose ending no model has is passed over
  // before the large stem table is probed.
  KeyIndex endingSet_;
  std::size_t longestEnding_ = 0;
};

template <typename Sink>
void LatinAnalyser::forEachForm(std::uint32_t lemma, Sink&& sink) const {
  if (lemma >= lemmas_.size()) return;
  for (const Irregular& i : irregulars_)
    if (i.lemma == lemma) sink(i.text, i.morphology);
  const Lemma& l = lemmas_[lemma];
  if (l.model + 1u >= modelEndingStart_.size()) return;
  std::string form;
  for (std::uint32_t k = modelEndingStart_[l.model]; k < modelEndingStart_[l.model + 1]; ++k) {
    const Ending& ending = endings_[modelEndings_[k]];
    if ((l.flags & lemma_flag::kHasExclusions) && excluded(lemma, ending.morphology)) continue;
    for (std::uint32_t j = lemmaStemStart_[lemma]; j < lemmaStemStart_[lemma + 1]; ++j) {
      const std::uint32_t s = lemmaStems_[j];
      if (stems_[s].radical != ending.radical) continue;
      form.assign(stems_[s].text);
      form += ending.text;
      sink(std::string_view(form), ending.morphology);
    }
  }
}

}  // namespace varnelio
