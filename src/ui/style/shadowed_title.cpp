// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/style/shadowed_title.h"

#include <QLabel>
#include <QPainter>
#include <QPalette>

namespace varnelio::ui {
namespace {

// QFrame derives its box from the contents margins, so the uneven margins that
// inset the upper text would push the box's right and bottom edges out of the
// label. This label draws its single-line box around its whole rectangle itself.
class BoxedLabel final : public QLabel {
 public:
  using QLabel::QLabel;

 protected:
  void paintEvent(QPaintEvent* event) override {
    QLabel::paintEvent(event);
    QPainter p(this);
    p.setPen(QPen(Qt::black, 1));
    p.setBrush(Qt::NoBrush);
    p.drawRect(rect().adjusted(0, 0, -1, -1));
  }
};

}  // namespace

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

  t.upper = new BoxedLabel(caption, parent);
  t.upper->setObjectName(upperName);
  t.upper->setGeometry(rect);
  t.upper->setFont(font);
  t.upper->setAlignment(Qt::AlignCenter);
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
