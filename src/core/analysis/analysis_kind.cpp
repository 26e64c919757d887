#include "core/analysis/analysis_kind.h"

namespace varnelio {
namespace {

using E = std::array<std::string_view, 8>;

constexpr std::array<AnalysisKind, kKindCount> kKinds = {{
    {KindId::NomSg, Case::Nominative, Number::Singular, "nom-sg", "Nominatif singulier",
     "nom_sing", "Varnelio - Noms - Nominatif singulier", "nom_sing_nouveau", "frmnew_nom_sing",
     "nom_sing_modif", "frmanalyse_nom_sing", "Orvalune - Varnelio (Analyse - Nominatif singulier)",
     "frmnom_sing", E{"us", "um", "es", "is", "en", "a", "e"}, 7, 'A', "nom. sg.", "N.", 495, 495},
    {KindId::NomPl, Case::Nominative, Number::Plural, "nom-pl", "Nominatif pluriel",
     "nom_plu", "Varnelio - Noms - Nominatif pluriel", "nom_pluriel_nouveau", "frmnew_nom_pluriel",
     "nom_pluriel_modif", "frmanalyse_nom_pluriel", "Orvalune - Varnelio (Analyse - Nominatif pluriel)",
     "frmnom_pluriel", E{"ae", "es", "us", "ia", "a", "i"}, 6, 'J', "nom. pl.", "N.", 255, 255},
    {KindId::AccSg, Case::Accusative, Number::Singular, "acc-sg", "Accusatif singulier",
     "acc_sing", "Varnelio - Noms - Accusatif singulier", "acc_sing_nouveau", "frmnew_analyse",
     "acc_sing_modif", "frmanalyse_acc_sing", "Orvalune - Varnelio (Analyse - Accusatif singulier)",
     "frmacc_singulier", E{"am", "um", "em", "en", "amque", "umque", "emque", "enque"}, 8, 'C',
     "acc. sg.", "Acc.", 255, 255},
    {KindId::AccPl, Case::Accusative, Number::Plural, "acc-pl", "Accusatif pluriel",
     "acc_plu", "Varnelio - Noms - Accusatif pluriel", "acc_pluriel_nouveau", "frmnew_acc_pluriel",
     "acc_pluriel_modif", "frmanalyse_acc_pluriel", "Orvalune - Varnelio (Analyse - Accusatif pluriel)",
     "frmacc_pluriel", E{"as", "os", "es", "us", "ia", "a"}, 6, 'L', "acc. pl.", "Acc.", 255, 255},
    {KindId::GenSg, Case::Genitive, Number::Singular, "gen-sg", "Génitif singulier",
     "gen_sing", "Varnelio - Noms - Génitif singulier", "gen_sing_nouveau", "frmnew_gen_sing",
     "gen_sing_modif", "frmanalyse_gen_sing", "Orvalune - Varnelio (Analyse - Génitif singulier)",
     "frmgen_sing", E{"ae", "is", "us", "ei", "i"}, 5, 'D', "g\xE9n. sg.", "G.", 255, 255},
    {KindId::GenPl, Case::Genitive, Number::Plural, "gen-pl", "Génitif pluriel",
     "gen_pluriel", "Varnelio - Noms - Génitif pluriel", "gen_pluriel_nouveau", "frmnew_gen_pluriel",
     "gen_pluriel_modif", "frmanalyse_gen_pluriel", "Orvalune - Varnelio (Analyse - Génitif pluriel)",
     "frmgen_pluriel", E{"arum", "orum", "erum", "uum", "ium", "um"}, 6, 'M', "g\xE9n. pl.", "G.",
     255, 255},
    {KindId::DatSg, Case::Dative, Number::Singular, "dat-sg", "Datif singulier",
     "dat_sing", "Varnelio - Noms - Datif singulier", "dat_sing_nouveau", "frmnew_dat_sing",
     "dat_sing_modif", "frmanalyse_dat_sing", "Orvalune - Varnelio (Analyse - Datif singulier)",
     "frmdat_sing", E{"ae", "ui", "ei", "i", "o"}, 5, 'E', "dat. sg.", "D.", 495, 495},
    {KindId::DatPl, Case::Dative, Number::Plural, "dat-pl", "Datif pluriel",
     "dat_pluriel", "Varnelio - Noms - Datif pluriel", "dat_pluriel_nouveau", "frmnew_dat_pluriel",
     "dat_pluriel_modif", "frmanalyse_dat_pluriel", "Orvalune - Varnelio (Analyse - Datif pluriel)",
     "frmdat_pluriel", E{"is", "ibus", "ebus"}, 3, 'N', "dat. pl.", "D.", 495, 255},
    {KindId::AblSg, Case::Ablative, Number::Singular, "abl-sg", "Ablatif singulier",
     "abl_sing", "Varnelio - Noms - Ablatif singulier", "abl_sing_nouveau", "frmnew_abl_sing",
     "abl_sing_modif", "frmanalyse_abl_sing", "Orvalune - Varnelio (Analyse - Ablatif singulier)",
     "frmabl_sing", E{"a", "u", "i", "e", "o"}, 5, 'F', "abl. sg.", "Abl.", 495, 495},
    {KindId::AblPl, Case::Ablative, Number::Plural, "abl-pl", "Ablatif pluriel",
     "abl_pluriel", "Varnelio - Noms - Ablatif pluriel", "abl_pluriel_nouveau", "frmnew_abl_pluriel",
     "abl_pluriel_modif", "frmanalyse_abl_pluriel", "Orvalune - Varnelio (Analyse - Ablatif pluriel)",
     "frmabl_pluriel", E{"is", "ibus", "ebus"}, 3, 'O', "abl. pl.", "Abl.", 495, 255},
}};

}  // namespace

std::string AnalysisKind::paradigmName(Family f) const {
  std::string name(paradigmWindowName);
  if (f == Family::Existing) name += "_modif";
  return name;
}

const std::array<AnalysisKind, kKindCount>& analysisKinds() { return kKinds; }

const AnalysisKind& analysisKind(KindId id) { return kKinds[static_cast<int>(id)]; }

std::optional<KindId> kindFromCliName(std::string_view name) {
  for (const auto& k : kKinds)
    if (k.cliName == name) return k.id;
  return std::nullopt;
}

std::optional<std::pair<KindId, Family>> kindFromWindowName(std::string_view name) {
  for (const auto& k : kKinds) {
    if (k.newWindowName == name) return std::pair{k.id, Family::New};
    if (k.existingWindowName == name) return std::pair{k.id, Family::Existing};
  }
  return std::nullopt;
}

const std::array<unsigned char, 256>& endingLastLetters(const AnalysisKind& kind) {
  static const auto tables = [] {
    std::array<std::array<unsigned char, 256>, kKindCount> t{};
    for (const AnalysisKind& k : kKinds)
      for (int i = 0; i < k.endingCount; ++i)
        t[static_cast<int>(k.id)][static_cast<unsigned char>(k.endings[i].back())] = 1;
    return t;
  }();
  return tables[static_cast<int>(kind.id)];
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
