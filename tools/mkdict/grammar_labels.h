// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The short French grammatical labels of the dictionary records: the category
// ("n.", "adj.", "v."...), and for an inflected form its case, gender and number
// ("acc. f. sg.") and its mood, tense and voice ("ind. prés. act."), all Windows-1252.
#include <string>
#include <string_view>

#include "mkdict/collatinus_lexicon.h"

namespace varnelio::mkdict {

// The category of a lemma from its model's part of speech and, for the invariable
// words, its indications ("prép. + abl." -> "prép."). Empty when nothing says. A noun
// is a proper noun ("n. pr.") when its indications say "npr." or its lemma is
// capitalized, as Collatinus writes the names.
std::string categoryOf(char partOfSpeech, std::string_view indications, std::string_view lemma = {});

// Fits a category into a narrower field: "interj." becomes "interj" rather than
// losing a letter.
std::string fitCategory(std::string_view category, std::size_t width);

// The gender a noun's indications give ("ae, f." -> "f.", "i, m. f." -> "m. f."),
// empty when they give none.
std::string nounGender(std::string_view indications);

struct MorphologyLabels {
  std::string caseGenderNumber;  // "acc. f. sg.", "3e p. sg."
  std::string moodTenseVoice;    // "ind. prés. act.", "comparatif"; empty for a plain noun form
};

// The pieces of a morphos.fr description, as the labels word them.
struct MorphologyParts {
  std::string person;           // "1re p."
  std::string grammaticalCase;  // "acc."
  std::string gender;           // "f."
  std::string number;           // "sg."
  std::string moodTenseVoice;   // "ind. prés. act.", "comparatif"
};
MorphologyParts partsOf(std::string_view description);
// A case without gender nor mood: a noun's form, whose gender is its lemma's.
bool isNounForm(const MorphologyParts& parts);

// From a morphos.fr description ("accusatif féminin singulier", "3ème singulier
// indicatif présent actif"); nounGender fills in the gender the description lacks.
MorphologyLabels labelsOf(std::string_view description, std::string_view nounGender);

// Cuts a French translation at a word boundary so that it fits `width` bytes,
// ending with "…" where it was cut.
std::string fitTranslation(std::string_view translation, std::size_t width);

}  // namespace varnelio::mkdict
