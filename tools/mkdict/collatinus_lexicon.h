// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Readers of the Collatinus Latin-French lexicon: lemmes.la (the lemmas with their
// inflection model, given radicals, indications and frequency), lemmes.fr (their
// French translations) and morphos.fr (the French names of the morphologies).
// Every text comes out in plain Windows-1252 letters, quantity marks removed.
#include <map>
#include <string>
#include <string_view>
#include <vector>

namespace varnelio::mkdict {

// One line of lemmes.la:
//   key[=spelling,spelling...]|model|radicals 1|radicals 2|indications|frequency
struct LemmaLine {
  std::string key;                          // "abdico2": the name lemmes.fr uses
  std::string lemma;                        // "abdico": the headword, without homonym number
  std::vector<std::string> spellings;       // the forms the model derives its radicals from
  std::string model;                        // e.g. "amo"
  std::map<int, std::vector<std::string>> givenRadicals;  // radicals 1 and 2 when written out
  std::string indications;                  // "is, ere, dixi, dictum", "ae, f."
  long frequency = 0;
  bool extended = false;                    // from the extended lexicon lem_ext.la
};

std::vector<LemmaLine> readLemmas(std::string_view utf8Text);

// lemmes.fr: "key:translation" lines, keyed by LemmaLine::key.
std::map<std::string, std::string> readTranslations(std::string_view utf8Text);

// morphos.fr: "number:description" lines ("27:accusatif féminin singulier").
std::map<int, std::string> readMorphologies(std::string_view utf8Text);

// contractions.la: "short:long" endings of the perfect system ("arunt:averunt":
// "amaverunt" is also written "amarunt"). In file order.
std::vector<std::pair<std::string, std::string>> readContractions(std::string_view utf8Text);

// irregs.la: "form[*]:lemma key:morphologies" ("ălĭŭd*:alius:37-39"); a star says
// the form replaces the regular forms of these morphologies instead of adding to them.
struct IrregularLine {
  std::string form;
  std::string lemmaKey;
  std::vector<int> morphologies;
  bool exclusive = false;
};
std::vector<IrregularLine> readIrregulars(std::string_view utf8Text);

// assimilations.la: "unassimilated:assimilated" prefixes ("adc:acc"), the same
// "a:b" lines as contractions.la.
inline std::vector<std::pair<std::string, std::string>> readAssimilations(std::string_view utf8Text) {
  return readContractions(utf8Text);
}

// CatLASLA.txt: "model,class" lines ("uita,A1", "amo,B1", "doctus,C1"); lines
// without a class are headings and say nothing.
std::map<std::string, std::string> readModelClasses(std::string_view utf8Text);

// Splits on a separator, keeping empty pieces.
std::vector<std::string_view> splitOn(std::string_view text, char separator);
// Lines without their CR; comment lines ('!') and blank lines are skipped.
std::vector<std::string_view> dataLines(std::string_view text);

}  // namespace varnelio::mkdict
