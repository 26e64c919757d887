// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The ten analyses, one per case and number, as one constant table in the order of
// the main window's "Analyse" menu: the rules that tell a kind's candidates and
// label its analyses. How the windows name and show each kind is theirs to say.
//
// Encodings: the title is UTF-8; endings and labels are Windows-1252, like every
// text of the grid and the files.
#include <array>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace varnelio {

// A case and a number as Latin has them, the analyses' and the analyser's alike
// (None where a form has none: a verb, an adverb). The values are the bytes of
// the analyser's file.
enum class GrammaticalCase : std::uint8_t { None, Nominative, Vocative, Accusative, Genitive, Dative, Ablative, Locative };
enum class GrammaticalNumber : std::uint8_t { None, Singular, Plural };
// The two families of analysis windows: a new analysis scans the text, an existing
// one reopens an analysis file.
enum class Family { New, Existing };

enum class KindId {
  NomSg, NomPl, AccSg, AccPl, GenSg, GenPl, DatSg, DatPl, AblSg, AblPl,
};
inline constexpr int kKindCount = 10;

struct AnalysisKind {
  KindId id;
  GrammaticalCase grammaticalCase;  // one of the five cases the analyses have
  GrammaticalNumber number;         // Singular or Plural
  std::string_view cliName;        // "acc-sg"
  std::string_view title;          // "Accusatif singulier" (UTF-8)
  // Ending rule: a word is a candidate when it ends with one of these endings
  // (both stages of the rule together; the stages only order the comparisons).
  std::array<std::string_view, 8> endings;
  int endingCount;
  char caseNumberLetter;           // 'C'
  std::string_view labelPart;      // "acc. sg." (Windows-1252)
  std::string_view paradigmRowLabel;  // "Acc.": the highlighted row of the paradigm table
};

// The ten kinds, in menu order.
const std::array<AnalysisKind, kKindCount>& analysisKinds();
const AnalysisKind& analysisKind(KindId id);
std::optional<KindId> kindFromCliName(std::string_view name);
// The kind of a case and number: none for the vocative, the locative, or a form
// without case or number.
std::optional<KindId> kindOf(GrammaticalCase grammaticalCase, GrammaticalNumber number);

// The ending test. Comparisons are exact and case-sensitive. Inline, since the scan
// runs it on every word of a book: the last character rules most endings out
// before any longer comparison.
inline bool isCandidate(std::string_view word, const AnalysisKind& kind) {
  if (word.empty()) return false;
  const char last = word.back();
  for (int i = 0; i < kind.endingCount; ++i) {
    const std::string_view e = kind.endings[i];
    if (e.back() != last || e.size() > word.size()) continue;
    const char* w = word.data() + (word.size() - e.size());
    std::size_t k = 0;
    while (k + 1 < e.size() && w[k] == e[k]) ++k;
    if (k + 1 == e.size()) return true;
  }
  return false;
}

// "[A" + declension letter + "00" + case-number letter + "]".
std::string analysisCode(const AnalysisKind& kind, int declension);
// The 24-character label, e.g. "1 décl. acc. sg. [AA00C]" (Windows-1252).
std::string analysisLabel(const AnalysisKind& kind, int declension);

}  // namespace varnelio
