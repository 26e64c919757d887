// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The inflection models of Collatinus (modeles.la): for each model, how its
// radicals derive from the lemma, which desinence each morphology number takes on
// which radical, the forms it lacks, the suffixes it adds, and its part of speech,
// all with inheritance from a parent model ("pere").
#include <map>
#include <string>
#include <string_view>
#include <vector>

namespace varnelio::mkdict {

struct RadicalRule {
  enum class Kind {
    Derived,    // cut characters off the lemma's spelling, then append a text
    Canonical,  // the lemma's spelling itself ("K")
    GivenOnly,  // exists only when lemmes.la writes it out ("-")
  };
  Kind kind = Kind::Derived;
  int cut = 0;
  std::string append;
};

struct Desinence {
  int radical = 0;
  std::string ending;  // plain letters; empty for a bare radical
};

struct InflectionModel {
  std::string name;
  std::string parent;     // the model it inherits from ("pere"), empty for none
  char partOfSpeech = 0;  // n noun, a adjective, m numeral, p pronoun, v verb, d adverb; 0 unknown
  std::map<int, RadicalRule> radicals;
  std::map<int, std::vector<Desinence>> desinences;  // by morphology number
  // Forms that may also take a suffix ("suf"), and suffixes every form takes ("sufd").
  std::vector<std::pair<std::vector<int>, std::string>> optionalSuffixes;
  std::vector<std::string> requiredSuffixes;
};

using InflectionModels = std::map<std::string, InflectionModel>;

InflectionModels readInflectionModels(std::string_view utf8Text);

// "1-4,6" -> 1 2 3 4 6
std::vector<int> parseMorphologyList(std::string_view text);

}  // namespace varnelio::mkdict
