// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Generates the inflected forms of a lemma from its model: each morphology's
// desinences put on the radical they name, the radicals derived from the lemma's
// spellings or taken from lemmes.la, then the model's suffixes.
#include <string>
#include <vector>

#include "mkdict/collatinus_lexicon.h"
#include "mkdict/inflection_models.h"

namespace varnelio::mkdict {

struct Inflection {
  std::string form;  // plain Windows-1252 letters
  int morphology = 0;
};

// In morphology order, without repeats of the same form and morphology.
std::vector<Inflection> inflect(const LemmaLine& lemma, const InflectionModel& model);

// The radicals number n of the lemma: written out in lemmes.la, or derived by the
// model's rule from each spelling. Empty when the lemma has none.
std::vector<std::string> radicalsOf(const LemmaLine& lemma, const InflectionModel& model, int n);

}  // namespace varnelio::mkdict
