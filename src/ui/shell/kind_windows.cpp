#include "ui/shell/kind_windows.h"

#include <array>

namespace varnelio::ui {
namespace {

// In the order of the kinds (KindId).
constexpr std::array<KindWindows, kKindCount> kWindows = {{
    {"nom_sing", "Varnelio - Noms - Nominatif singulier", "nom_sing_nouveau", "frmnew_nom_sing", "nom_sing_modif",
     "frmanalyse_nom_sing", "Orvalune - Varnelio (Analyse - Nominatif singulier)", "frmnom_sing", 495, 495},
    {"nom_plu", "Varnelio - Noms - Nominatif pluriel", "nom_pluriel_nouveau", "frmnew_nom_pluriel",
     "nom_pluriel_modif", "frmanalyse_nom_pluriel", "Orvalune - Varnelio (Analyse - Nominatif pluriel)",
     "frmnom_pluriel", 255, 255},
    {"acc_sing", "Varnelio - Noms - Accusatif singulier", "acc_sing_nouveau", "frmnew_analyse", "acc_sing_modif",
     "frmanalyse_acc_sing", "Orvalune - Varnelio (Analyse - Accusatif singulier)", "frmacc_singulier", 255, 255},
    {"acc_plu", "Varnelio - Noms - Accusatif pluriel", "acc_pluriel_nouveau", "frmnew_acc_pluriel",
     "acc_pluriel_modif", "frmanalyse_acc_pluriel", "Orvalune - Varnelio (Analyse - Accusatif pluriel)",
     "frmacc_pluriel", 255, 255},
    {"gen_sing", "Varnelio - Noms - Génitif singulier", "gen_sing_nouveau", "frmnew_gen_sing", "gen_sing_modif",
     "frmanalyse_gen_sing", "Orvalune - Varnelio (Analyse - Génitif singulier)", "frmgen_sing", 255, 255},
    {"gen_pluriel", "Varnelio - Noms - Génitif pluriel", "gen_pluriel_nouveau", "frmnew_gen_pluriel",
     "gen_pluriel_modif", "frmanalyse_gen_pluriel", "Orvalune - Varnelio (Analyse - Génitif pluriel)",
     "frmgen_pluriel", 255, 255},
    {"dat_sing", "Varnelio - Noms - Datif singulier", "dat_sing_nouveau", "frmnew_dat_sing", "dat_sing_modif",
     "frmanalyse_dat_sing", "Orvalune - Varnelio (Analyse - Datif singulier)", "frmdat_sing", 495, 495},
    {"dat_pluriel", "Varnelio - Noms - Datif pluriel", "dat_pluriel_nouveau", "frmnew_dat_pluriel",
     "dat_pluriel_modif", "frmanalyse_dat_pluriel", "Orvalune - Varnelio (Analyse - Datif pluriel)",
     "frmdat_pluriel", 495, 255},
    {"abl_sing", "Varnelio - Noms - Ablatif singulier", "abl_sing_nouveau", "frmnew_abl_sing", "abl_sing_modif",
     "frmanalyse_abl_sing", "Orvalune - Varnelio (Analyse - Ablatif singulier)", "frmabl_sing", 495, 495},
    {"abl_pluriel", "Varnelio - Noms - Ablatif pluriel", "abl_pluriel_nouveau", "frmnew_abl_pluriel",
     "abl_pluriel_modif", "frmanalyse_abl_pluriel", "Orvalune - Varnelio (Analyse - Ablatif pluriel)",
     "frmabl_pluriel", 495, 255},
}};

QString utf8(std::string_view text) { return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size())); }

}  // namespace

QString KindWindows::windowName(Family f) const {
  return utf8(f == Family::New ? newWindowName : existingWindowName);
}

QString KindWindows::itemName(Family f) const { return utf8(f == Family::New ? newItemName : existingItemName); }

QString KindWindows::paradigmName(Family f) const {
  return utf8(paradigmWindowName) + (f == Family::Existing ? QStringLiteral("_modif") : QString());
}

const KindWindows& kindWindows(KindId id) { return kWindows[static_cast<std::size_t>(id)]; }

std::optional<std::pair<KindId, Family>> kindFromWindowName(std::string_view name) {
  for (const AnalysisKind& kind : analysisKinds()) {
    const KindWindows& w = kindWindows(kind.id);
    if (w.newWindowName == name) return std::pair{kind.id, Family::New};
    if (w.existingWindowName == name) return std::pair{kind.id, Family::Existing};
  }
  return std::nullopt;
}

}  // namespace varnelio::ui
