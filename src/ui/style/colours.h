// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The program's colours, and the two ways a widget is given them.
#include <QColor>
#include <QString>

class QWidget;

namespace varnelio::ui {

inline const QColor kBandBlue(128, 128, 255);
inline const QColor kLightYellow(255, 255, 192);
inline const QColor kPeach(255, 224, 192);
inline const QColor kDarkBlue(0, 0, 192);
inline const QColor kDarkRed(192, 0, 0);

// Sets a widget's background colour (and makes it paint it).
void setBackground(QWidget* widget, const QColor& colour);
void setTextColour(QWidget* widget, const QColor& colour);

// A colour as a style sheet writes it: "rgb(255, 255, 192)".
QString styleSheetColour(const QColor& colour);

// The header row of the grids: light yellow cells, titles in `text`, thin rules of
// the `rules` colour between them.
QString gridHeaderStyleSheet(const QColor& text, const QColor& rules);

}  // namespace varnelio::ui
