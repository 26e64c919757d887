#pragma once
// Builds the records of the two dictionary files from the Collatinus lexicon:
// lexique.dat (one record per lemma) and donnees.dat (one record per inflected form
// and analysis), sorted as the letter lookups need them.
#include <cstddef>
#include <map>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "mkdict/collatinus_lexicon.h"
#include "mkdict/inflection_models.h"

namespace varnelio::mkdict {

struct CollatinusLexicon {
  std::vector<LemmaLine> lemmas;
  std::map<std::string, std::string> translations;  // by lemma key
  InflectionModels models;
  std::map<int, std::string> morphologies;  // French descriptions by number
  std::vector<std::pair<std::string, std::string>> contractions;  // optional: contractions.la
};

// Reads lemmes.la, lemmes.fr, modeles.la and morphos.fr from a Collatinus data
// folder, and contractions.la when it is there; returns the French reason when a
// required file cannot be read.
std::optional<std::string> loadCollatinusLexicon(const std::string& folder, CollatinusLexicon& lexicon);

struct BuildOptions {
  // The form dictionary keeps every noun, adjective, pronoun and invariable word,
  // then adds the verbs' forms and the adjectives' degrees lemma by lemma, most
  // frequent first, while the file stays within this many records.
  std::size_t maxFormRecords = 400000;
};

struct BuiltDictionaries {
  std::string lemmaFile;  // the bytes of lexique.dat
  std::string formFile;   // the bytes of donnees.dat
  std::size_t lemmaCount = 0;
  std::size_t formCount = 0;
  std::size_t lemmasWithForms = 0;      // lemmas that have at least one form record
  std::size_t lemmasWithAllForms = 0;   // ... and all of their forms
};

BuiltDictionaries buildDictionaries(const CollatinusLexicon& lexicon, const BuildOptions& options = {});

// The lookup order: by the lower-cased first byte, then alphabetically, ignoring
// case; records of one headword by decreasing score when scores are given (one per
// record), otherwise in their original order.
void sortForLookup(std::vector<std::string>& records, std::size_t headwordOffset, std::size_t headwordWidth,
                   const std::vector<double>& scores = {});

// "justus" -> "iustus" (and "J" -> "I"); the text unchanged when it has no j.
std::string withIForJ(std::string_view form);

}  // namespace varnelio::mkdict
