// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/analysis/analysis_kind.h"

namespace varnelio {
namespace {

using E = std::array<std::string_view, 8>;

constexpr std::array<AnalysisKind, kKindCount> kKinds = {{
    {KindId::NomSg, GrammaticalCase::Nominative, GrammaticalNumber::Singular, "nom-sg", "Nominatif singulier",
     E{"us", "um", "es", "is", "en", "a", "e"}, 7, 'A', "nom. sg.", "N."},
    {KindId::NomPl, GrammaticalCase::Nominative, GrammaticalNumber::Plural, "nom-pl", "Nominatif pluriel",
     E{"ae", "es", "us", "ia", "a", "i"}, 6, 'J', "nom. pl.", "N."},
    {KindId::AccSg, GrammaticalCase::Accusative, GrammaticalNumber::Singular, "acc-sg", "Accusatif singulier",
     E{"am", "um", "em", "en", "amque", "umque", "emque", "enque"}, 8, 'C',
     "acc. sg.", "Acc."},
    {KindId::AccPl, GrammaticalCase::Accusative, GrammaticalNumber::Plural, "acc-pl", "Accusatif pluriel",
     E{"as", "os", "es", "us", "ia", "a"}, 6, 'L', "acc. pl.", "Acc."},
    {KindId::GenSg, GrammaticalCase::Genitive, GrammaticalNumber::Singular, "gen-sg", "Génitif singulier",
     E{"ae", "is", "us", "ei", "i"}, 5, 'D', "g\xE9n. sg.", "G."},
    {KindId::GenPl, GrammaticalCase::Genitive, GrammaticalNumber::Plural, "gen-pl", "Génitif pluriel",
     E{"arum", "orum", "erum", "uum", "ium", "um"}, 6, 'M', "g\xE9n. pl.", "G."},
    {KindId::DatSg, GrammaticalCase::Dative, GrammaticalNumber::Singular, "dat-sg", "Datif singulier",
     E{"ae", "ui", "ei", "i", "o"}, 5, 'E', "dat. sg.", "D."},
    {KindId::DatPl, GrammaticalCase::Dative, GrammaticalNumber::Plural, "dat-pl", "Datif pluriel",
     E{"is", "ibus", "ebus"}, 3, 'N', "dat. pl.", "D."},
    {KindId::AblSg, GrammaticalCase::Ablative, GrammaticalNumber::Singular, "abl-sg", "Ablatif singulier",
     E{"a", "u", "i", "e", "o"}, 5, 'F', "abl. sg.", "Abl."},
    {KindId::AblPl, GrammaticalCase::Ablative, GrammaticalNumber::Plural, "abl-pl", "Ablatif pluriel",
     E{"is", "ibus", "ebus"}, 3, 'O', "abl. pl.", "Abl."},
}};

}  // namespace

const std::array<AnalysisKind, kKindCount>& analysisKinds() { return kKinds; }

const AnalysisKind& analysisKind(KindId id) { return kKinds[static_cast<int>(id)]; }

std::optional<KindId> kindFromCliName(std::string_view name) {
  for (const auto& k : kKinds)
    if (k.cliName == name) return k.id;
  return std::nullopt;
}

std::optional<KindId> kindOf(GrammaticalCase grammaticalCase, GrammaticalNumber number) {
  for (const auto& k : kKinds)
    if (k.grammaticalCase == grammaticalCase && k.number == number) return k.id;
  return std::nullopt;
}

std::string analysisCode(const AnalysisKind& kind, int declension) {
  std::string code = "[A";
  code += static_cast<char>('A' + declension - 1);
  code += "00";
  code += kind.caseNumberLetter;
  code += ']';
  return code;
}

std::string analysisLabel(const AnalysisKind& kind, int declension) {
  std::string label(1, static_cast<char>('0' + declension));
  label += " d\xE9" "cl. ";
  label += kind.labelPart;
  label += ' ';
  label += analysisCode(kind, declension);
  return label;
}

}  // namespace varnelio
