#include "ui/shell/kind_windows.h"

#include <array>

#include "ui/shell/codec.h"

namespace varnelio::ui {
namespace {

// In the order of the kinds (KindId).
constexpr std::array<KindWindows, kKindCount> kWindows = {{
    {"nom_sing", "nom_sing_nouveau", "frmnew_nom_sing", "nom_sing_modif", "frmanalyse_nom_sing", "frmnom_sing", 495,
     495},
    {"nom_plu", "nom_pluriel_nouveau", "frmnew_nom_pluriel", "nom_pluriel_modif", "frmanalyse_nom_pluriel",
     "frmnom_pluriel", 255, 255},
    {"acc_sing", "acc_sing_nouveau", "frmnew_analyse", "acc_sing_modif", "frmanalyse_acc_sing", "frmacc_singulier", 255,
     255},
    {"acc_plu", "acc_pluriel_nouveau", "frmnew_acc_pluriel", "acc_pluriel_modif", "frmanalyse_acc_pluriel",
     "frmacc_pluriel", 255, 255},
    {"gen_sing", "gen_sing_nouveau", "frmnew_gen_sing", "gen_sing_modif", "frmanalyse_gen_sing", "frmgen_sing", 255,
     255},
    {"gen_pluriel", "gen_pluriel_nouveau", "frmnew_gen_pluriel", "gen_pluriel_modif", "frmanalyse_gen_pluriel",
     "frmgen_pluriel", 255, 255},
    {"dat_sing", "dat_sing_nouveau", "frmnew_dat_sing", "dat_sing_modif", "frmanalyse_dat_sing", "frmdat_sing", 495,
     495},
    {"dat_pluriel", "dat_pluriel_nouveau", "frmnew_dat_pluriel", "dat_pluriel_modif", "frmanalyse_dat_pluriel",
     "frmdat_pluriel", 495, 255},
    {"abl_sing", "abl_sing_nouveau", "frmnew_abl_sing", "abl_sing_modif", "frmanalyse_abl_sing", "frmabl_sing", 495,
     495},
    {"abl_pluriel", "abl_pluriel_nouveau", "frmnew_abl_pluriel", "abl_pluriel_modif", "frmanalyse_abl_pluriel",
     "frmabl_pluriel", 495, 255},
}};

}  // namespace

QString KindWindows::windowName(Family f) const {
  return fromUtf8(f == Family::New ? newWindowName : existingWindowName);
}

QString KindWindows::itemName(Family f) const { return fromUtf8(f == Family::New ? newItemName : existingItemName); }

QString KindWindows::paradigmName(Family f) const {
  return fromUtf8(paradigmWindowName) + (f == Family::Existing ? QStringLiteral("_modif") : QString());
}

QString submenuCaption(const AnalysisKind& kind) { return QStringLiteral("Varnelio - Noms - ") + fromUtf8(kind.title); }

QString analysisWindowTitle(const AnalysisKind& kind) {
  return QStringLiteral("Orvalune - Varnelio (Analyse - ") + fromUtf8(kind.title) + QLatin1Char(')');
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
