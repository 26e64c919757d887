// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/style/colours.h"

#include <QPalette>
#include <QWidget>

namespace varnelio::ui {

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

QString styleSheetColour(const QColor& colour) {
  return QStringLiteral("rgb(%1, %2, %3)").arg(colour.red()).arg(colour.green()).arg(colour.blue());
}

QString gridHeaderStyleSheet(const QColor& text, const QColor& rules) {
  return QStringLiteral("QHeaderView::section { background-color: %1; color: %2; border: none;"
                        " border-right: 1px solid %3; border-bottom: 1px solid %3; padding: 0px 2px; }")
      .arg(styleSheetColour(kLightYellow), styleSheetColour(text), styleSheetColour(rules));
}

}  // namespace varnelio::ui
