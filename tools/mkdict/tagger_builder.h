// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Compiles the contextual tagger's file (etiqueteur.dat) from Collatinus's tags.la
// (counts of tags and tag trigrams) and the lexicon's lemma frequencies, lemma by
// lemma in the order of the analyser just built.
#include <optional>
#include <string>
#include <string_view>

#include "core/morphology/tagger_data.h"
#include "mkdict/analyser_builder.h"

namespace varnelio::mkdict {

// tags.la: "tag,count" lines (a tag is 3 characters) and "tag tag tag,count"
// lines. Returns the French reason when the text holds no tag.
std::optional<std::string> readTagCounts(std::string_view text, TaggerData& data);

// The frequency and the governed cases of each lemma of the analyser.
void addLemmaFacts(const AnalyserBuild& analyser, TaggerData& data);

// The cases a preposition's indications name: "prép. + acc. ou + abl.".
std::uint8_t governedCases(std::string_view indications);

}  // namespace varnelio::mkdict
