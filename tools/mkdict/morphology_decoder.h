// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The one place that reads the lexicon's morphologies: each description of
// morphos.fr ("accusatif féminin singulier participe parfait passif") is decoded
// here into typed fields, stored in analyseur.dat; everything else, in the
// program and in varnelio-mkdict, asks the fields, never the lexicon's numbers.
// Our corrections name morphologies with the same French words
// (morphologiesNamed), so that a renumbered morphos.fr changes nothing else.
#include <map>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "core/morphology/analyser_data.h"

namespace varnelio::mkdict {

// The fields of one description (Windows-1252, as readMorphologies gives it).
// Words it does not know are passed over.
MorphologyFeatures decodeMorphology(std::string_view description);

// Every morphology of the lexicon, decoded once, by its number.
using MorphologyTable = std::map<int, MorphologyFeatures>;
MorphologyTable decodeMorphologies(const std::map<int, std::string>& descriptions);

// The numbers of the morphologies that a French naming describes, in increasing
// order. A naming is one or more morphologies separated by commas, each a few
// words of morphos.fr (UTF-8 or Windows-1252), with "/" between the values one
// field may take: "génitif masculin/neutre pluriel, locatif". A field left
// unnamed may take any value, except three: without a mood the morphology is no
// verb form, without a degree it is the positive (or has none), and without a
// gender it has none of its own (a noun's form). Returns the French reason
// (UTF-8, for the console) when a word is unknown or nothing answers.
std::optional<std::string> morphologiesNamed(std::string_view naming, const MorphologyTable& table,
                                             std::vector<int>& out);

// The number of the morphology with exactly these fields, or 0.
int morphologyNumber(const MorphologyTable& table, const MorphologyFeatures& features);

}  // namespace varnelio::mkdict
