// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/analysis/analysis_kind.h"

namespace varnelio {
namespace {

using E = std::array<std::string_view, 8>;

constexpr std::array<AnalysisKind, kKindCount> kKinds = {{
    {KindId::NomSg, Case::Nominative, Number::Singular, "nom-sg", "Nominatif singulier",
     E{"us", "um", "es", "is", "en", "a", "e"}, 7, 'A', "nom. sg.", "N."},
    {KindId::NomPl, Case::Nominative, Number::Plural, "nom-pl", "Nominatif pluriel",
     E{"ae", "es", "us", "ia", "a", "i"}, 6, 'J', "nom. pl.", "N."},
    {KindId::AccSg, Case::Accusative, Number::Singular, "acc-sg", "Accusatif singulier",
     E{"am", "um", "em", "en", "amque", "umque", "emque", "enque"}, 8, 'C',
     "acc. sg.", "Acc."},
    {KindId::AccPl, Case::Accusative, Number::Plural, "acc-pl", "Accusatif pluriel",
     E{"as", "os", "es", "us", "ia", "a"}, 6, 'L', "acc. pl.", "Acc."},
    {KindId::GenSg, Case::Genitive, Number::Singular, "gen-sg", "Génitif singulier",
     E{"ae", "is", "us", "ei", "i"}, 5, 'D', "g\xE9n. sg.", "G."},
    {KindId::GenPl, Case::Genitive, Number::Plural, "gen-pl", "Génitif pluriel",
     E{"arum", "orum", "erum", "uum", "ium", "um"}, 6, 'M', "g\xE9n. pl.", "G."},
    {KindId::DatSg, Case::Dative, Number::Singular, "dat-sg", "Datif singulier",
     E{"ae", "ui", "ei", "i", "o"}, 5, 'E', "dat. sg.", "D."},
    {KindId::DatPl, Case::Dative, Number::Plural, "dat-pl", "Datif pluriel",
     E{"is", "ibus", "ebus"}, 3, 'N', "dat. pl.", "D."},
    {KindId::AblSg, Case::Ablative, Number::Singular, "abl-sg", "Ablatif singulier",
     E{"a", "u", "i", "e", "o"}, 5, 'F', "abl. sg.", "Abl."},
    {KindId::AblPl, Case::Ablative, Number::Plural, "abl-pl", "Ablatif pluriel",
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
