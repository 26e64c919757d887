#pragma once
// MS Sans Serif, the face of the windows' plain controls and of the grid. Where it
// is missing, fontconfig would fall back to its default sans face, which is much
// wider; Liberation Sans (Arial's metric twin) keeps the narrow proportions the
// twips layouts were made for.
#include <QFont>
#include <QStringList>

#include "ui/platform/shadowed_title.h"

namespace varnelio::ui {

inline QFont msSansSerif(double points = 8.25, bool bold = false) {
  QFont font = makeFont(QStringLiteral("MS Sans Serif"), points, bold);
  font.setFamilies({QStringLiteral("MS Sans Serif"), QStringLiteral("Microsoft Sans Serif"),
                    QStringLiteral("Liberation Sans"), QStringLiteral("Arial")});
  return font;
}

}  // namespace varnelio::ui
