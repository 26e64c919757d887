// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Compiles the Collatinus lexicon into the analyser's data (analyseur.dat): the
// stems of every lemma, the endings of every model with the morphology each one
// marks, the irregular forms, our corrections, and the labels of the morphologies.
#include <cstddef>
#include <string>
#include <vector>

#include "core/morphology/analyser_data.h"
#include "mkdict/dictionary_builder.h"

namespace varnelio::mkdict {

struct AnalyserBuild {
  AnalyserData data;
  std::vector<std::string> problems;  // corrections that name no lemma, in French: the build fails
  std::vector<std::string> warnings;  // irregular forms of the lexicon that name no lemma
  std::vector<const LemmaLine*> lines;  // the lexicon's line of each lemma of data.lemmas
};

AnalyserBuild buildAnalyserData(const CollatinusLexicon& lexicon);

// The category shown for a lemma: its part of speech with its declension or
// conjugation, "n. 3", "npr. 2", "adj. 1", "v. 4", when CatLASLA.txt gives the
// model's class (or its parent's).
std::string categoryWithClass(const CollatinusLexicon& lexicon, const LemmaLine& lemma);

}  // namespace varnelio::mkdict
