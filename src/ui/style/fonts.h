// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The fonts of the windows, asked for by their names; fontconfig substitutes.
#include <QFont>
#include <QString>

namespace varnelio::ui {

// A font by its name and point size, e.g. ("Times New Roman", 21.75, bold).
QFont makeFont(const QString& family, double pointSize, bool bold = false, bool italic = false,
               bool underline = false);

// MS Sans Serif, the face of the windows' plain controls and of the grids. Where it
// is missing, fontconfig would fall back to its default sans face, which is much
// wider; Liberation Sans (Arial's metric twin) keeps the narrow proportions the
// twips layouts were made for.
QFont msSansSerif(double points = 8.25, bool bold = false);

}  // namespace varnelio::ui
