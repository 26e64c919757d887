// SPDX-License-Identifier: GPL-3.0-or-later
#include "mkdict/morphology_decoder.h"

#include <algorithm>
#include <array>
#include <cstdint>

#include "mkdict/plain_latin.h"

namespace varnelio::mkdict {

namespace {

// The fields in the order of featureBytes.
enum Field : std::size_t { kKind, kCase, kNumber, kGender, kPerson, kMood, kTense, kVoice, kDegree };

// A word of morphos.fr and the value it gives one field. "futur antérieur" and
// "adjectif verbal" are two words: their second follows the first.
struct FeatureWord {
  std::string_view word;
  std::string_view next;  // the second word, or empty
  Field field;
  std::uint8_t value;
};

template <typename E>
constexpr std::uint8_t v(E e) {
  return static_cast<std::uint8_t>(e);
}

using C = GrammaticalCase;
constexpr FeatureWord kWords[] = {
    {"nominatif", {}, kCase, v(C::Nominative)},
    {"vocatif", {}, kCase, v(C::Vocative)},
    {"accusatif", {}, kCase, v(C::Accusative)},
    {"g\xE9nitif", {}, kCase, v(C::Genitive)},
    {"datif", {}, kCase, v(C::Dative)},
    {"ablatif", {}, kCase, v(C::Ablative)},
    {"locatif", {}, kCase, v(C::Locative)},
    {"singulier", {}, kNumber, v(GrammaticalNumber::Singular)},
    {"pluriel", {}, kNumber, v(GrammaticalNumber::Plural)},
    {"masculin", {}, kGender, v(GrammaticalGender::Masculine)},
    {"f\xE9minin", {}, kGender, v(GrammaticalGender::Feminine)},
    {"neutre", {}, kGender, v(GrammaticalGender::Neuter)},
    {"1\xE8re", {}, kPerson, v(GrammaticalPerson::First)},
    {"2\xE8me", {}, kPerson, v(GrammaticalPerson::Second)},
    {"3\xE8me", {}, kPerson, v(GrammaticalPerson::Third)},
    {"indicatif", {}, kMood, v(Mood::Indicative)},
    {"subjonctif", {}, kMood, v(Mood::Subjunctive)},
    {"imp\xE9ratif", {}, kMood, v(Mood::Imperative)},
    {"infinitif", {}, kMood, v(Mood::Infinitive)},
    {"participe", {}, kMood, v(Mood::Participle)},
    {"g\xE9rondif", {}, kMood, v(Mood::Gerund)},
    {"adjectif", "verbal", kMood, v(Mood::Gerundive)},
    {"supin", {}, kMood, v(Mood::Supine)},
    {"pr\xE9sent", {}, kTense, v(Tense::Present)},
    {"imparfait", {}, kTense, v(Tense::Imperfect)},
    {"futur", "ant\xE9rieur", kTense, v(Tense::FuturePerfect)},
    {"futur", {}, kTense, v(Tense::Future)},
    {"parfait", {}, kTense, v(Tense::Perfect)},
    {"PQP", {}, kTense, v(Tense::Pluperfect)},
    {"actif", {}, kVoice, v(Voice::Active)},
    {"passif", {}, kVoice, v(Voice::Passive)},
    {"positif", {}, kDegree, v(Degree::Positive)},
    {"comparatif", {}, kDegree, v(Degree::Comparative)},
    {"superlatif", {}, kDegree, v(Degree::Superlative)},
};

bool separator(char c) { return c == ' ' || c == '\t' || c == ',' || c == ';'; }

std::vector<std::string_view> wordsOf(std::string_view text) {
  std::vector<std::string_view> out;
  std::size_t i = 0;
  while (i < text.size()) {
    while (i < text.size() && separator(text[i])) ++i;
    const std::size_t start = i;
    while (i < text.size() && !separator(text[i])) ++i;
    if (i > start) out.push_back(text.substr(start, i - start));
  }
  return out;
}

// The feature word at words[i] (two words long where it says so), or nothing.
const FeatureWord* featureWordAt(const std::vector<std::string_view>& words, std::size_t i) {
  for (const FeatureWord& w : kWords) {
    if (words[i] != w.word) continue;
    if (w.next.empty()) return &w;
    if (i + 1 < words.size() && words[i + 1] == w.next) return &w;
  }
  return nullptr;
}

// What a form is, from its other fields.
FormKind kindOf(const MorphologyFeatures& m, bool invariable) {
  switch (m.mood) {
    case Mood::Indicative:
    case Mood::Subjunctive: return FormKind::Finite;
    case Mood::Imperative: return FormKind::Imperative;
    case Mood::Infinitive: return FormKind::Infinitive;
    case Mood::Participle: return FormKind::Participle;
    case Mood::Gerund: return FormKind::Gerund;
    case Mood::Gerundive: return FormKind::Gerundive;
    case Mood::Supine: return FormKind::Supine;
    case Mood::None: break;
  }
  if (m.grammaticalCase != GrammaticalCase::None)
    return m.gender == GrammaticalGender::None ? FormKind::NounCase : FormKind::GenderedCase;
  if (m.degree != Degree::None) return FormKind::Adverb;
  return invariable ? FormKind::Invariable : FormKind::None;
}

}  // namespace

MorphologyFeatures decodeMorphology(std::string_view description) {
  std::array<std::uint8_t, kFeatureBytes> bytes{};
  const auto words = wordsOf(description);
  bool invariable = false;
  for (std::size_t i = 0; i < words.size(); ++i) {
    if (words[i] == "inv.") invariable = true;
    // The supines: "supin en -um" (the accusative), "supin en -u" (the ablative).
    if (words[i] == "-um") bytes[kCase] = v(C::Accusative);
    if (words[i] == "-u") bytes[kCase] = v(C::Ablative);
    if (const FeatureWord* w = featureWordAt(words, i)) {
      bytes[w->field] = w->value;
      if (!w->next.empty()) ++i;
    }
  }
  MorphologyFeatures m = *featuresFromBytes(bytes);
  m.kind = kindOf(m, invariable);
  // An adjective's case and an adverb that name no degree are of the positive.
  if ((m.kind == FormKind::GenderedCase || m.kind == FormKind::Adverb) && m.degree == Degree::None)
    m.degree = Degree::Positive;
  return m;
}

MorphologyTable decodeMorphologies(const std::map<int, std::string>& descriptions) {
  MorphologyTable table;
  for (const auto& [number, description] : descriptions) table.emplace(number, decodeMorphology(description));
  return table;
}

namespace {

// One morphology of a naming: for each field, the values it may take (bit k for
// the value k).
using Allowed = std::array<std::uint16_t, kFeatureBytes>;

std::optional<std::string> parseOne(std::string_view text, Allowed& allowed) {
  allowed.fill(0xFFFF);
  const std::vector<std::string_view> written = wordsOf(text);
  std::vector<std::string> converted;
  for (std::string_view w : written) converted.push_back(plainLatin(w));
  if (converted.empty()) return "aucune morphologie";
  const std::vector<std::string_view> words(converted.begin(), converted.end());
  std::array<bool, kFeatureBytes> named{};
  std::array<std::uint16_t, kFeatureBytes> values{};
  const auto add = [&](const FeatureWord& w) {
    named[w.field] = true;
    values[w.field] |= static_cast<std::uint16_t>(1u << w.value);
  };
  for (std::size_t i = 0; i < words.size(); ++i) {
    // "futur antérieur", "adjectif verbal": two words, one value.
    if (const FeatureWord* w = featureWordAt(words, i); w && !w->next.empty()) {
      add(*w);
      ++i;
      continue;
    }
    // "masculin/neutre": either value of one field.
    std::string_view rest = words[i];
    while (true) {
      const std::size_t slash = rest.find('/');
      const std::string_view alternative = rest.substr(0, slash);
      const FeatureWord* found = nullptr;
      for (const FeatureWord& w : kWords)
        if (w.next.empty() && alternative == w.word) found = &w;
      if (!found) return "mot inconnu « " + std::string(written[i]) + " »";
      add(*found);
      if (slash == std::string_view::npos) break;
      rest.remove_prefix(slash + 1);
    }
  }
  for (std::size_t f = 0; f < kFeatureBytes; ++f)
    if (named[f]) allowed[f] = values[f];
  if (!named[kMood]) allowed[kMood] = 1u << v(Mood::None);
  if (!named[kDegree]) allowed[kDegree] = 1u << v(Degree::None) | 1u << v(Degree::Positive);
  if (!named[kGender]) allowed[kGender] = 1u << v(GrammaticalGender::None);
  return std::nullopt;
}

}  // namespace

std::optional<std::string> morphologiesNamed(std::string_view naming, const MorphologyTable& table,
                                             std::vector<int>& out) {
  out.clear();
  std::string_view rest = naming;
  while (true) {
    const std::size_t comma = rest.find(',');
    const std::string_view one = rest.substr(0, comma);
    Allowed allowed;
    if (auto error = parseOne(one, allowed)) return error;
    for (const auto& [number, features] : table) {
      const auto bytes = featureBytes(features);
      bool fits = true;
      for (std::size_t f = kCase; f < kFeatureBytes; ++f) fits = fits && (allowed[f] >> bytes[f] & 1u);
      if (fits) out.push_back(number);
    }
    if (comma == std::string_view::npos) break;
    rest.remove_prefix(comma + 1);
  }
  std::sort(out.begin(), out.end());
  out.erase(std::unique(out.begin(), out.end()), out.end());
  if (out.empty()) return "aucune morphologie ne répond à « " + std::string(naming) + " »";
  return std::nullopt;
}

int morphologyNumber(const MorphologyTable& table, const MorphologyFeatures& features) {
  for (const auto& [number, f] : table)
    if (f == features) return number;
  return 0;
}

}  // namespace varnelio::mkdict
