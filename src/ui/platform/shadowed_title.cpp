#include "ui/platform/shadowed_title.h"

#include <QLabel>
#include <QPalette>

namespace varnelio::ui {

QFont makeFont(const QString& family, double pointSize, bool bold, bool italic, bool underline) {
  QFont font(family);
  font.setPointSizeF(pointSize);
  font.setBold(bold);
  font.setItalic(italic);
  font.setUnderline(underline);
  return font;
}

void setBackground(QWidget* widget, const QColor& colour) {
  QPalette p = widget->palette();
  p.setColor(QPalette::Window, colour);
  p.setColor(QPalette::Base, colour);
  widget->setPalette(p);
  widget->setAutoFillBackground(true);
}

void setTextColour(QWidget* widget, const QColor& colour) {
  QPalette p = widget->palette();
  p.setColor(QPalette::WindowText, colour);
  p.setColor(QPalette::Text, colour);
  p.setColor(QPalette::ButtonText, colour);
  widget->setPalette(p);
}

ShadowedTitle makeShadowedTitle(QWidget* parent, const QString& caption, const QRect& rect, const QFont& font,
                                const QString& lowerName, const QString& upperName, const QColor& upperTextColor) {
  ShadowedTitle t;
  t.lower = new QLabel(caption, parent);
  t.lower->setObjectName(lowerName);
  t.lower->setGeometry(rect);
  t.lower->setFont(font);
  t.lower->setAlignment(Qt::AlignCenter);
  setBackground(t.lower, kBandBlue);
  setTextColour(t.lower, Qt::white);

  t.upper = new QLabel(caption, parent);
  t.upper->setObjectName(upperName);
  t.upper->setGeometry(rect);
  t.upper->setFont(font);
  t.upper->setAlignment(Qt::AlignCenter);
  t.upper->setFrameStyle(QFrame::Box | QFrame::Plain);
  t.upper->setLineWidth(1);
  // The border insets the upper text; a little more makes the shadow readable.
  t.upper->setContentsMargins(2, 2, 0, 0);
  t.upper->setAutoFillBackground(false);
  t.upper->setAttribute(Qt::WA_TranslucentBackground);
  setTextColour(t.upper, upperTextColor.isValid() ? upperTextColor
                                                  : parent->palette().color(QPalette::WindowText));
  t.upper->raise();
  return t;
}

}  // namespace varnelio::ui
