// SPDX-License-Identifier: GPL-3.0-or-later
#include "mkdict/grammar_labels.h"

#include <vector>

namespace varnelio::mkdict {

namespace {

bool startsWith(std::string_view s, std::string_view prefix) { return s.substr(0, prefix.size()) == prefix; }

std::vector<std::string_view> words(std::string_view text) {
  std::vector<std::string_view> out;
  std::size_t i = 0;
  while (i < text.size()) {
    while (i < text.size() && (text[i] == ' ' || text[i] == ',' || text[i] == ';')) ++i;
    const std::size_t start = i;
    while (i < text.size() && text[i] != ' ' && text[i] != ',' && text[i] != ';') ++i;
    if (i > start) out.push_back(text.substr(start, i - start));
  }
  return out;
}

void append(std::string& out, std::string_view piece) {
  if (piece.empty()) return;
  if (!out.empty()) out += ' ';
  out += piece;
}

}  // namespace

std::string categoryOf(char partOfSpeech, std::string_view indications, std::string_view lemma) {
  const bool capitalized = !lemma.empty() && lemma.front() >= 'A' && lemma.front() <= 'Z';
  const bool properNoun = capitalized || indications.find("npr") != std::string_view::npos;
  switch (partOfSpeech) {
    case 'n': return properNoun ? "n. pr." : "n.";
    case 'a': return "adj.";
    case 'm': return "num.";
    case 'p': return "pron.";
    case 'v': return "v.";
    case 'd': return "adv.";
    default: break;
  }
  // Invariable words: their indications begin with what they are.
  const auto w = words(indications);
  for (std::string_view word : w) {
    if (startsWith(word, "adv")) return "adv.";
    if (startsWith(word, "pr\xE9p") || startsWith(word, "prep")) return "pr\xE9p.";
    if (startsWith(word, "conj")) return "conj.";
    if (startsWith(word, "interj")) return "interj.";
    if (startsWith(word, "num")) return "num.";
    if (startsWith(word, "pron")) return "pron.";
    if (startsWith(word, "adj")) return "adj.";
    if (word == "v." || startsWith(word, "vb")) return "v.";
    if (startsWith(word, "npr")) return "n. pr.";
    if (word == "n." || word == "m." || word == "f.") return properNoun ? "n. pr." : "n.";
    if (startsWith(word, "d\xE9t")) return "d\xE9t.";  // determiner: "aliquot"
    if (startsWith(word, "abr")) return "abr.";
    if (startsWith(word, "contr")) return "contr.";  // contracted form: "datast"
    if (startsWith(word, "ind\xE9" "cl") || startsWith(word, "indecl")) continue;
    break;  // anything else ("arch.", a sentence) says nothing sure
  }
  return {};
}

std::string fitCategory(std::string_view category, std::size_t width) {
  std::string c(category);
  if (c.size() > width && c.back() == '.') c.pop_back();
  if (c.size() > width) c.resize(width);
  return c;
}

std::string nounGender(std::string_view indications) {
  std::string gender;
  int looked = 0;
  for (std::string_view word : words(indications)) {
    if (++looked > 5) break;
    if (word == "m." || word == "f." || word == "n.") {
      if (gender.find(word) == std::string::npos) append(gender, word);
    }
  }
  return gender;
}

MorphologyParts partsOf(std::string_view description) {
  std::string grammaticalCase, gender, number, person, mood, tense, voice, degree;
  const auto w = words(description);
  for (std::size_t i = 0; i < w.size(); ++i) {
    const std::string_view word = w[i];
    if (word == "nominatif") grammaticalCase = "nom.";
    else if (word == "vocatif") grammaticalCase = "voc.";
    else if (word == "accusatif") grammaticalCase = "acc.";
    else if (word == "g\xE9nitif") grammaticalCase = "g\xE9n.";
    else if (word == "datif") grammaticalCase = "dat.";
    else if (word == "ablatif") grammaticalCase = "abl.";
    else if (word == "locatif") grammaticalCase = "loc.";
    else if (word == "masculin") gender = "m.";
    else if (word == "f\xE9minin") gender = "f.";
    else if (word == "neutre") gender = "n.";
    else if (word == "singulier") number = "sg.";
    else if (word == "pluriel") number = "pl.";
    else if (word == "1\xE8re") person = "1re p.";
    else if (word == "2\xE8me") person = "2e p.";
    else if (word == "3\xE8me") person = "3e p.";
    else if (word == "indicatif") mood = "ind.";
    else if (word == "subjonctif") mood = "subj.";
    else if (word == "imp\xE9ratif") mood = "imp\xE9r.";
    else if (word == "infinitif") mood = "inf.";
    else if (word == "participe") mood = "part.";
    else if (word == "g\xE9rondif") mood = "g\xE9r.";
    else if (word == "supin") mood = "supin";
    else if (word == "adjectif" && i + 1 < w.size() && w[i + 1] == "verbal") {
      mood = "adj. vb.";
      ++i;
    } else if (word == "pr\xE9sent") tense = "pr\xE9s.";
    else if (word == "imparfait") tense = "imparf.";
    else if (word == "futur") {
      if (i + 1 < w.size() && w[i + 1] == "ant\xE9rieur") {
        tense = "fut. ant.";
        ++i;
      } else {
        tense = "fut.";
      }
    } else if (word == "parfait") tense = "parf.";
    else if (word == "PQP") tense = "p.-q.-p.";
    else if (word == "actif") voice = "act.";
    else if (word == "passif") voice = "pass.";
    else if (word == "comparatif") degree = "comparatif";
    else if (word == "superlatif") degree = "superlatif";
  }
  MorphologyParts parts{person, grammaticalCase, gender, number, {}};
  append(parts.moodTenseVoice, mood);
  append(parts.moodTenseVoice, tense);
  append(parts.moodTenseVoice, voice);
  append(parts.moodTenseVoice, degree);
  return parts;
}

MorphologyLabels labelsOf(std::string_view description, std::string_view nounGenderText) {
  const MorphologyParts parts = partsOf(description);
  MorphologyLabels labels;
  append(labels.caseGenderNumber, parts.person);
  append(labels.caseGenderNumber, parts.grammaticalCase);
  append(labels.caseGenderNumber, isNounForm(parts) ? nounGenderText : std::string_view(parts.gender));
  append(labels.caseGenderNumber, parts.number);
  labels.moodTenseVoice = parts.moodTenseVoice;
  return labels;
}

bool isNounForm(const MorphologyParts& parts) {
  // A noun's own forms carry no gender in their description: it is the lemma's.
  return parts.gender.empty() && !parts.grammaticalCase.empty() && parts.moodTenseVoice.empty();
}

std::string fitTranslation(std::string_view translation, std::size_t width) {
  while (!translation.empty() && translation.back() == ' ') translation.remove_suffix(1);
  if (translation.size() <= width) return std::string(translation);
  if (width == 0) return {};
  const std::size_t room = width - 1;  // one byte for the ellipsis (0x85 in Windows-1252)
  std::size_t cut = translation.rfind(' ', room);
  std::string_view kept = (cut == std::string_view::npos || cut == 0) ? translation.substr(0, room)
                                                                      : translation.substr(0, cut);
  while (!kept.empty() && (kept.back() == ' ' || kept.back() == ',' || kept.back() == ';' || kept.back() == ':'))
    kept.remove_suffix(1);
  std::string out(kept);
  out += '\x85';
  return out;
}

}  // namespace varnelio::mkdict
