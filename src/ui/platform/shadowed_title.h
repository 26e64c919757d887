#pragma once
// A title made of two labels of the same rectangle and caption: underneath, an
// opaque band-blue label with white text and no border; on top, a transparent
// label with a single-line border whose text, inset by the border, lies slightly
// offset from the one below.
#include <QColor>
#include <QFont>
#include <QRect>
#include <QString>

class QLabel;
class QWidget;

namespace varnelio::ui {

inline const QColor kBandBlue(128, 128, 255);
inline const QColor kLightYellow(255, 255, 192);
inline const QColor kPeach(255, 224, 192);
inline const QColor kDarkBlue(0, 0, 192);
inline const QColor kDarkRed(192, 0, 0);

struct ShadowedTitle {
  QLabel* lower = nullptr;
  QLabel* upper = nullptr;
};

// rect is in pixels, relative to the parent. An invalid upperTextColor means the
// system window-text colour.
ShadowedTitle makeShadowedTitle(QWidget* parent, const QString& caption, const QRect& rect, const QFont& font,
                                const QString& lowerName, const QString& upperName,
                                const QColor& upperTextColor = QColor());

// A font by its name and point size, e.g. ("Times New Roman", 21.75, bold).
QFont makeFont(const QString& family, double pointSize, bool bold = false, bool italic = false,
               bool underline = false);

// Sets a widget's background colour (and makes it paint it).
void setBackground(QWidget* widget, const QColor& colour);
void setTextColour(QWidget* widget, const QColor& colour);

}  // namespace varnelio::ui
