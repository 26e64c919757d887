// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Our own corrections of the Collatinus lexicon: faults of its data that a user
// would see (a form it lacks, a form it invents), applied when the files are built.
// The file is plain text (UTF-8), one correction a line, each after the comment
// lines that give its reason:
//
//   # "tres" has no singular: the model fortis gives it "tris", "tri"...
//   absent tres masculin/féminin/neutre singulier
//   # the genitive of alius is "alius", not "aliius"
//   form alius alius génitif masculin/féminin/neutre singulier only
//
//   absent KEY MORPHOLOGIES             the lemma has none of these forms
//   form FORM KEY MORPHOLOGIES [only]   the lemma has this form for these
//                                       morphologies; "only": in place of the
//                                       regular ones
//   contraction SHORT LONG              a perfect ending LONG is also written
//                                       SHORT (as in contractions.la)
//   ending MODEL WRONG RIGHT MORPHOLOGY the model's desinence WRONG for this
//                                       morphology is RIGHT (every lemma of the
//                                       model, not the models that inherit from it)
//   ending+ MODEL RADICAL DESINENCE MORPHOLOGIES
//                                       the model also puts DESINENCE on its
//                                       radical RADICAL for these morphologies
//   abbreviation ABBR KEY [MORPHOLOGIES]
//                                       ABBR, written as it stands (capital or
//                                       not), stands for the lemma in these
//                                       morphologies, by default every case of
//                                       the singular ("L" for Lucius)
//
// KEY is the lemma's key in lemmes.la or lem_ext.la, homonym number included.
// MORPHOLOGIES names them in the words of morphos.fr, as morphologiesNamed reads
// them: "locatif", "impératif", "génitif féminin pluriel participe présent actif",
// "datif/ablatif pluriel", several separated by commas.
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "mkdict/collatinus_lexicon.h"
#include "mkdict/inflection_models.h"
#include "mkdict/morphology_decoder.h"

namespace varnelio::mkdict {

struct LexiconCorrection {
  enum class Kind { Absent, Form, Ending, AddedEnding, Contraction, Abbreviation };
  Kind kind = Kind::Absent;
  std::string reason;
  std::string lemmaKey;  // the model's name for Kind::Ending
  std::string form;      // Kind::Form; the right desinence for Kind::Ending; the long ending of a contraction
  std::string wrong;     // Kind::Ending; the short ending of a contraction
  std::vector<int> morphologies;
  bool only = false;  // Kind::Form: replaces the regular forms
  int radical = 0;    // Kind::AddedEnding
  int line = 0;
};

// Parses the corrections, naming their morphologies from the lexicon's decoded
// table, or says in French which line is wrong and why (a correction without its
// reason, a word that names no field of a morphology).
std::optional<std::string> readCorrections(std::string_view text, const MorphologyTable& morphologies,
                                           std::vector<LexiconCorrection>& out);

// Applies the desinence corrections to the models; returns the French description
// of each one that found nothing to correct.
std::vector<std::string> correctModels(const std::vector<LexiconCorrection>& corrections, InflectionModels& models);

}  // namespace varnelio::mkdict
