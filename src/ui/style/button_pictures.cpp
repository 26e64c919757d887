// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/style/button_pictures.h"

#include <QAbstractButton>
#include <QEvent>
#include <QPainter>
#include <QPainterPath>
#include <QPixmap>
#include <QRadialGradient>
#include <functional>

namespace varnelio::ui {
namespace {

using Drawer = std::function<void(QPainter&, double)>;

// Draws the picture on a square of side s (logical pixels), at several sizes so
// that the icon engine picks a sharp one.
QIcon drawIcon(const Drawer& draw) {
  QIcon icon;
  for (int side : {16, 24, 32, 48, 64, 96, 128}) {
    QPixmap pixmap(side, side);
    pixmap.fill(Qt::transparent);
    QPainter p(&pixmap);
    p.setRenderHint(QPainter::Antialiasing);
    p.setRenderHint(QPainter::TextAntialiasing);
    draw(p, side);
    p.end();
    icon.addPixmap(pixmap);
  }
  return icon;
}

void badge(QPainter& p, double s, const QColor& light, const QColor& dark) {
  const QRectF disc(s * 0.04, s * 0.04, s * 0.92, s * 0.92);
  QRadialGradient g(disc.center() - QPointF(s * 0.15, s * 0.18), s * 0.6);
  g.setColorAt(0, light);
  g.setColorAt(1, dark);
  p.setPen(QPen(dark.darker(140), std::max(1.0, s * 0.03)));
  p.setBrush(g);
  p.drawEllipse(disc);
  // A soft gloss on the upper half.
  QLinearGradient gloss(0, s * 0.08, 0, s * 0.5);
  gloss.setColorAt(0, QColor(255, 255, 255, 110));
  gloss.setColorAt(1, QColor(255, 255, 255, 0));
  p.setPen(Qt::NoPen);
  p.setBrush(gloss);
  p.drawEllipse(QRectF(s * 0.18, s * 0.08, s * 0.64, s * 0.42));
}

}  // namespace

QIcon helpBadgeIcon() {
  return drawIcon([](QPainter& p, double s) {
    badge(p, s, QColor(90, 150, 255), QColor(10, 50, 170));
    QFont f(QStringLiteral("DejaVu Sans"));
    f.setBold(true);
    f.setPixelSize(std::max(6, static_cast<int>(s * 0.68)));
    p.setFont(f);
    p.setPen(Qt::white);
    p.drawText(QRectF(0, s * 0.02, s, s), Qt::AlignCenter, QStringLiteral("?"));
  });
}

QIcon validateBadgeIcon() {
  return drawIcon([](QPainter& p, double s) {
    badge(p, s, QColor(190, 110, 230), QColor(90, 20, 130));
    // The raised thumb: a fist with the thumb up, in white.
    p.setPen(Qt::NoPen);
    p.setBrush(Qt::white);
    const double u = s / 100.0;
    QPainterPath thumb;
    thumb.addRoundedRect(QRectF(44 * u, 14 * u, 13 * u, 30 * u), 6 * u, 6 * u);  // thumb
    p.drawPath(thumb);
    p.drawRoundedRect(QRectF(32 * u, 36 * u, 34 * u, 26 * u), 6 * u, 6 * u);     // fist
    p.drawRect(QRectF(24 * u, 38 * u, 8 * u, 22 * u));                            // cuff
    p.setPen(QPen(QColor(120, 50, 160), std::max(0.8, 1.6 * u)));
    for (int i = 1; i < 3; ++i) p.drawLine(QPointF(44 * u, (36 + 8 * i) * u), QPointF(66 * u, (36 + 8 * i) * u));
    // The word "Valider" under the thumb.
    QFont f(QStringLiteral("DejaVu Sans"));
    f.setBold(true);
    f.setPixelSize(std::max(5, static_cast<int>(17 * u)));
    p.setFont(f);
    p.setPen(Qt::white);
    p.drawText(QRectF(0, 64 * u, s, 22 * u), Qt::AlignCenter, QStringLiteral("Valider"));
  });
}

QIcon disketteIcon() {
  return drawIcon([](QPainter& p, double s) {
    const double u = s / 100.0;
    QPainterPath body;
    body.moveTo(10 * u, 8 * u);
    body.lineTo(80 * u, 8 * u);
    body.lineTo(92 * u, 20 * u);
    body.lineTo(92 * u, 92 * u);
    body.lineTo(10 * u, 92 * u);
    body.closeSubpath();
    p.setPen(QPen(QColor(10, 30, 110), std::max(1.0, 3 * u)));
    p.setBrush(QColor(40, 90, 200));
    p.drawPath(body);
    // The metal shutter with its window.
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(205, 210, 220));
    p.drawRect(QRectF(28 * u, 10 * u, 44 * u, 26 * u));
    p.setBrush(QColor(40, 90, 200));
    p.drawRect(QRectF(58 * u, 14 * u, 9 * u, 18 * u));
    // The label.
    p.setBrush(Qt::white);
    p.drawRoundedRect(QRectF(20 * u, 50 * u, 62 * u, 36 * u), 3 * u, 3 * u);
    p.setPen(QPen(QColor(150, 170, 210), std::max(0.8, 2 * u)));
    for (int i = 0; i < 3; ++i) p.drawLine(QPointF(26 * u, (60 + 9 * i) * u), QPointF(76 * u, (60 + 9 * i) * u));
  });
}

QIcon wasteBinIcon(bool lidLifted) {
  return drawIcon([lidLifted](QPainter& p, double s) {
    const double u = s / 100.0;
    const QColor metal(110, 120, 130), edge(50, 55, 60);
    p.setPen(QPen(edge, std::max(1.0, 3 * u)));
    // The can, narrowing to the bottom.
    QPainterPath can;
    can.moveTo(22 * u, 34 * u);
    can.lineTo(78 * u, 34 * u);
    can.lineTo(72 * u, 94 * u);
    can.lineTo(28 * u, 94 * u);
    can.closeSubpath();
    QLinearGradient g(22 * u, 0, 78 * u, 0);
    g.setColorAt(0, metal.lighter(140));
    g.setColorAt(0.5, metal.lighter(110));
    g.setColorAt(1, metal.darker(120));
    p.setBrush(g);
    p.drawPath(can);
    for (int i = 0; i < 3; ++i) {
      const double x = (38 + 12 * i) * u;
      p.drawLine(QPointF(x, 42 * u), QPointF(x + (i - 1) * 1.5 * u, 86 * u));
    }
    // The lid with its handle, lifted and tilted when the pointer is over the button.
    p.save();
    if (lidLifted) {
      p.translate(20 * u, 26 * u);
      p.rotate(-24);
      p.translate(-20 * u, -34 * u);
    }
    p.setBrush(metal.lighter(125));
    p.drawRoundedRect(QRectF(16 * u, 24 * u, 68 * u, 10 * u), 3 * u, 3 * u);
    p.setBrush(Qt::NoBrush);
    p.drawRoundedRect(QRectF(40 * u, 14 * u, 20 * u, 10 * u), 3 * u, 3 * u);
    p.restore();
  });
}

namespace {

class HoverIconSwapper final : public QObject {
 public:
  HoverIconSwapper(QAbstractButton* button, QIcon normal, QIcon hover)
      : QObject(button), normal_(std::move(normal)), hover_(std::move(hover)) {
    button->setIcon(normal_);
    button->installEventFilter(this);
  }
  bool eventFilter(QObject* watched, QEvent* event) override {
    auto* button = static_cast<QAbstractButton*>(watched);
    if (event->type() == QEvent::Enter) button->setIcon(hover_);
    else if (event->type() == QEvent::Leave) button->setIcon(normal_);
    return false;
  }

 private:
  QIcon normal_, hover_;
};

}  // namespace

void swapIconOnHover(QAbstractButton* button, const QIcon& normal, const QIcon& hover) {
  new HoverIconSwapper(button, normal, hover);
}

}  // namespace varnelio::ui
