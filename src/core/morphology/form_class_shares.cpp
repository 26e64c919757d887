// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/morphology/form_class_shares.h"

#include <array>
#include <map>
#include <utility>

#include "core/morphology/form_class_counts.h"

namespace varnelio {

namespace {

int totalOf(PartOfSpeech partOfSpeech) {
  for (const auto& t : form_class_counts::kTotals)
    if (t.partOfSpeech == partOfSpeech) return t.tokens;
  return 0;
}

// The rows of the case and number table: nouns, adjectives, pronouns and
// numerals, participles.
int caseRow(PartOfSpeech partOfSpeech) {
  switch (partOfSpeech) {
    case PartOfSpeech::Noun: return 0;
    case PartOfSpeech::Adjective: return 1;
    case PartOfSpeech::Verb: return 3;
    default: return 2;
  }
}

using ClassKey = std::pair<PartOfSpeech, std::array<std::uint8_t, kFeatureBytes>>;

// The counted tokens of each form class, found by part of speech and fields: the
// form dictionary asks once for every form of every lemma.
const std::map<ClassKey, int>& tokensByClass() {
  static const std::map<ClassKey, int> tokens = [] {
    std::map<ClassKey, int> byClass;
    for (const auto& c : form_class_counts::kCounts) byClass[{c.partOfSpeech, featureBytes(c.features)}] = c.tokens;
    return byClass;
  }();
  return tokens;
}

using CaseTable = std::array<std::array<std::array<double, 2>, 7>, 4>;

// Each row's counts by case and number, as a share of the row's mean.
CaseTable caseTable() {
  CaseTable table{};
  std::array<double, 4> sums{};
  for (const auto& c : form_class_counts::kCounts) {
    const MorphologyFeatures& m = c.features;
    if (m.grammaticalCase == GrammaticalCase::None || m.number == GrammaticalNumber::None) continue;
    if (c.partOfSpeech == PartOfSpeech::Verb && m.kind != FormKind::Participle) continue;
    const int row = caseRow(c.partOfSpeech);
    table[row][static_cast<int>(m.grammaticalCase) - 1][m.number == GrammaticalNumber::Plural ? 1 : 0] += c.tokens;
    sums[row] += c.tokens;
  }
  for (int row = 0; row < 4; ++row)
    for (auto& byCase : table[row])
      for (double& cell : byCase)
        cell = sums[row] > 0 ? std::max(cell, form_class_tuning::kUnseenTokens) * 14 / sums[row] : 1.0;
  return table;
}

}  // namespace

double formClassShare(PartOfSpeech partOfSpeech, const MorphologyFeatures& m) {
  using namespace form_class_tuning;
  if (m.kind == FormKind::Adverb) return m.degree == Degree::Positive ? kPositiveAdverb : kComparedAdverb;
  const int total = totalOf(partOfSpeech);
  if (total == 0 || m.kind == FormKind::Invariable || m.kind == FormKind::None) return 1.0;
  const auto& counted = tokensByClass();
  const auto found = counted.find({partOfSpeech, featureBytes(m)});
  const double tokens = found == counted.end() ? kUnseenTokens : std::max<double>(found->second, kUnseenTokens);
  return tokens / total;
}

double caseNumberShare(PartOfSpeech partOfSpeech, GrammaticalCase c, GrammaticalNumber n) {
  static const CaseTable table = caseTable();
  if (c == GrammaticalCase::None || n == GrammaticalNumber::None) return 1.0;
  return table[caseRow(partOfSpeech)][static_cast<int>(c) - 1][n == GrammaticalNumber::Plural ? 1 : 0];
}

}  // namespace varnelio
