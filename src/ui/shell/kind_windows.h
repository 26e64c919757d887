// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// How each analysis kind shows among the windows: the object names of its two
// analysis windows, of its menu items and submenu, its two paradigm windows, and
// the height of the form label; and the captions. The kinds' rules stay in the
// core; these names are the windows' business.
#include <QString>
#include <optional>
#include <string_view>
#include <utility>

#include "core/analysis/analysis_kind.h"

namespace varnelio::ui {

struct KindWindows {
  std::string_view submenuName;         // "acc_sing"
  std::string_view newItemName;         // "acc_sing_nouveau"
  std::string_view newWindowName;       // "frmnew_analyse"
  std::string_view existingItemName;    // "acc_sing_modif"
  std::string_view existingWindowName;  // "frmanalyse_acc_sing"
  std::string_view paradigmWindowName;  // "frmacc_singulier" (the twin adds "_modif")
  // Height in twips of the form label in each family.
  int formLabelHeightNew;
  int formLabelHeightExisting;

  QString windowName(Family f) const;
  QString itemName(Family f) const;
  QString paradigmName(Family f) const;
  int formLabelHeight(Family f) const { return f == Family::New ? formLabelHeightNew : formLabelHeightExisting; }
};

const KindWindows& kindWindows(KindId id);

// The captions name the kind as the core words it: "Varnelio - Noms - Accusatif
// singulier" for its submenu, "Orvalune - Varnelio (Analyse - Accusatif singulier)"
// for its analysis windows.
QString submenuCaption(const AnalysisKind& kind);
QString analysisWindowTitle(const AnalysisKind& kind);

// The kind and family of an analysis window name ("frmnew_analyse", "frmanalyse_acc_sing").
std::optional<std::pair<KindId, Family>> kindFromWindowName(std::string_view name);

}  // namespace varnelio::ui
