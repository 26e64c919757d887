// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/shell/kind_windows.h"

#include <array>

#include "ui/shell/codec.h"

namespace varnelio::ui {
namespace {

// The height of the form label, in twips: two lines of its 12-point bold text in
// eight of the windows, one line in the other twelve, as each was laid out.
constexpr int kOneLine = 255;
constexpr int kTwoLines = 495;

// In the order of the kinds (KindId).
constexpr std::array<KindWindows, kKindCount> kWindows = {{
    {.submenuName = "nom_sing",
     .newItemName = "nom_sing_nouveau",
     .newWindowName = "frmnew_nom_sing",
     .existingItemName = "nom_sing_modif",
     .existingWindowName = "frmanalyse_nom_sing",
     .paradigmWindowName = "frmnom_sing",
     .formLabelHeightNew = kTwoLines,
     .formLabelHeightExisting = kTwoLines},
    {.submenuName = "nom_plu",
     .newItemName = "nom_pluriel_nouveau",
     .newWindowName = "frmnew_nom_pluriel",
     .existingItemName = "nom_pluriel_modif",
     .existingWindowName = "frmanalyse_nom_pluriel",
     .paradigmWindowName = "frmnom_pluriel",
     .formLabelHeightNew = kOneLine,
     .formLabelHeightExisting = kOneLine},
    {.submenuName = "acc_sing",
     .newItemName = "acc_sing_nouveau",
     .newWindowName = "frmnew_analyse",
     .existingItemName = "acc_sing_modif",
     .existingWindowName = "frmanalyse_acc_sing",
     .paradigmWindowName = "frmacc_singulier",
     .formLabelHeightNew = kOneLine,
     .formLabelHeightExisting = kOneLine},
    {.submenuName = "acc_plu",
     .newItemName = "acc_pluriel_nouveau",
     .newWindowName = "frmnew_acc_pluriel",
     .existingItemName = "acc_pluriel_modif",
     .existingWindowName = "frmanalyse_acc_pluriel",
     .paradigmWindowName = "frmacc_pluriel",
     .formLabelHeightNew = kOneLine,
     .formLabelHeightExisting = kOneLine},
    {.submenuName = "gen_sing",
     .newItemName = "gen_sing_nouveau",
     .newWindowName = "frmnew_gen_sing",
     .existingItemName = "gen_sing_modif",
     .existingWindowName = "frmanalyse_gen_sing",
     .paradigmWindowName = "frmgen_sing",
     .formLabelHeightNew = kOneLine,
     .formLabelHeightExisting = kOneLine},
    {.submenuName = "gen_pluriel",
     .newItemName = "gen_pluriel_nouveau",
     .newWindowName = "frmnew_gen_pluriel",
     .existingItemName = "gen_pluriel_modif",
     .existingWindowName = "frmanalyse_gen_pluriel",
     .paradigmWindowName = "frmgen_pluriel",
     .formLabelHeightNew = kOneLine,
     .formLabelHeightExisting = kOneLine},
    {.submenuName = "dat_sing",
     .newItemName = "dat_sing_nouveau",
     .newWindowName = "frmnew_dat_sing",
     .existingItemName = "dat_sing_modif",
     .existingWindowName = "frmanalyse_dat_sing",
     .paradigmWindowName = "frmdat_sing",
     .formLabelHeightNew = kTwoLines,
     .formLabelHeightExisting = kTwoLines},
    {.submenuName = "dat_pluriel",
     .newItemName = "dat_pluriel_nouveau",
     .newWindowName = "frmnew_dat_pluriel",
     .existingItemName = "dat_pluriel_modif",
     .existingWindowName = "frmanalyse_dat_pluriel",
     .paradigmWindowName = "frmdat_pluriel",
     .formLabelHeightNew = kTwoLines,
     .formLabelHeightExisting = kOneLine},
    {.submenuName = "abl_sing",
     .newItemName = "abl_sing_nouveau",
     .newWindowName = "frmnew_abl_sing",
     .existingItemName = "abl_sing_modif",
     .existingWindowName = "frmanalyse_abl_sing",
     .paradigmWindowName = "frmabl_sing",
     .formLabelHeightNew = kTwoLines,
     .formLabelHeightExisting = kTwoLines},
    {.submenuName = "abl_pluriel",
     .newItemName = "abl_pluriel_nouveau",
     .newWindowName = "frmnew_abl_pluriel",
     .existingItemName = "abl_pluriel_modif",
     .existingWindowName = "frmanalyse_abl_pluriel",
     .paradigmWindowName = "frmabl_pluriel",
     .formLabelHeightNew = kTwoLines,
     .formLabelHeightExisting = kOneLine},
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
