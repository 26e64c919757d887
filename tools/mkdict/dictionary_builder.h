// SPDX-License-Identifier: GPL-3.0-or-later
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
#include "mkdict/gloss_text.h"
#include "mkdict/inflection_models.h"
#include "mkdict/lexicon_corrections.h"
#include "mkdict/morphology_decoder.h"

namespace varnelio::mkdict {

struct CollatinusLexicon {
  std::vector<LemmaLine> lemmas;  // lemmes.la, then the lemmas of lem_ext.la it lacks
  std::map<std::string, std::string> translations;  // by lemma key
  // The lexicon's translations in its other languages (lemmes.en and lem_ext.en,
  // lemmes.de...), each with the mark shown before it ("(angl.)"): what a lemma
  // without French translation is given.
  struct OtherLanguage {
    std::string mark;
    std::map<std::string, std::string> translations;
  };
  std::vector<OtherLanguage> otherLanguages;
  InflectionModels models;
  std::map<int, std::string> morphologies;  // French descriptions by number
  MorphologyTable morphologyFeatures;       // the same decoded (decodeMorphologies), by number
  // The optional files: contractions.la, irregs.la, assimilations.la, CatLASLA.txt.
  std::vector<std::pair<std::string, std::string>> contractions;
  std::vector<IrregularLine> irregulars;
  std::vector<std::pair<std::string, std::string>> assimilations;
  std::map<std::string, std::string> modelClasses;
  std::vector<LexiconCorrection> corrections;  // ours, applied by the builders
};

// The translation of a lemma, empty when the lexicon gives none in any language:
// French; the lexicon's English after "(angl.) " where its French file holds
// English (looksEnglish); where it has no French at all, another language's
// translation after its mark ("(angl.) ", "(all.) "). Without the homograph
// numbers the lexicon writes in some glosses ("Pallas2").
std::string translationOf(const CollatinusLexicon& lexicon, const LemmaLine& lemma);

// Reads lemmes.la, lemmes.fr, modeles.la and morphos.fr from a Collatinus data
// folder, and the optional files when they are there (lem_ext.la with lem_ext.fr,
// contractions.la, irregs.la, assimilations.la, CatLASLA.txt); then our
// corrections when a path is given. Returns the French reason when a required file
// cannot be read or a correction is wrong.
std::optional<std::string> loadCollatinusLexicon(const std::string& folder, CollatinusLexicon& lexicon,
                                                 const std::string& correctionsPath = {});

struct BuildOptions {
  // The form dictionary keeps the headword forms of every lemma, then every form of
  // the nouns, pronouns and invariable words of the main lexicon, then the other
  // forms likeliest first, while the file stays within this many records (the
  // headwords are kept whatever the budget).
  std::size_t maxFormRecords = 400000;
};

struct BuiltDictionaries {
  std::string lemmaFile;  // the bytes of lexique.dat
  std::string formFile;   // the bytes of donnees.dat
  std::size_t lemmaCount = 0;
  std::size_t formCount = 0;
  std::size_t lemmasWithForms = 0;      // lemmas (of the analyser) that have at least one form record
  std::size_t lemmasWithAllForms = 0;   // ... and all of their forms
  std::size_t headwordRecords = 0;      // records of the forms spelled as their lemma, kept whatever the budget
};

BuiltDictionaries buildDictionaries(const CollatinusLexicon& lexicon, const BuildOptions& options = {});
// The same with the analyser's data already built from the lexicon (the forms of
// donnees.dat are the analyser's).
struct AnalyserBuild;
BuiltDictionaries buildDictionaries(const CollatinusLexicon& lexicon, const AnalyserBuild& analyser,
                                    const BuildOptions& options = {});

// The lookup order: by the lower-cased first byte, then alphabetically, ignoring
// case; records of one headword by decreasing score when scores are given (one per
// record), otherwise in their original order.
void sortForLookup(std::vector<std::string>& records, std::size_t headwordOffset, std::size_t headwordWidth,
                   const std::vector<double>& scores = {});

// "justus" -> "iustus" (and "J" -> "I"); the text unchanged when it has no j.
std::string withIForJ(std::string_view form);

}  // namespace varnelio::mkdict
