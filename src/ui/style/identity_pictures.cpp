// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/style/identity_pictures.h"

#include "ui/style/colours.h"

#include <QPainter>
#include <QPainterPath>
#include <QPixmap>
#include <QPolygonF>
#include <QTextStream>
#include <cmath>
#include <vector>

namespace varnelio::ui {
namespace {

const QColor kWhite(255, 255, 255);
const QColor kLeaf(46, 125, 50);
const QColor kLeafEdge(20, 70, 24);
const QColor kRibbon(255, 0, 0);
const QColor kRibbonEdge(128, 0, 0);

// The icon is a short list of filled and stroked shapes on a 256 x 256 grid, so the
// same drawing can be painted at any size and written out as SVG.
struct Shape {
  enum class Kind { RoundedRect, Polygon, Line };
  Kind kind;
  std::vector<QPointF> points;  // RoundedRect: top-left and bottom-right
  double radius = 0;
  QColor fill;  // invalid: no fill
  QColor stroke;
  double strokeWidth = 0;
};

std::vector<Shape> iconShapes(bool withBackground) {
  std::vector<Shape> shapes;
  if (withBackground)
    shapes.push_back({Shape::Kind::RoundedRect, {{12, 12}, {244, 244}}, 44, kBandBlue, kDarkBlue, 8});
  // The open book.
  shapes.push_back({Shape::Kind::Polygon, {{32, 132}, {124, 148}, {124, 224}, {32, 208}}, 0, kLightYellow, kDarkBlue, 6});
  shapes.push_back({Shape::Kind::Polygon, {{132, 148}, {224, 132}, {224, 208}, {132, 224}}, 0, kLightYellow, kDarkBlue, 6});
  for (int i = 0; i < 3; ++i) {
    const double dy = 22.0 + 18.0 * i;
    shapes.push_back({Shape::Kind::Line, {{48, 135 + dy}, {110, 146 + dy}}, 0, QColor(), kBandBlue, 6});
    shapes.push_back({Shape::Kind::Line, {{146, 146 + dy}, {208, 135 + dy}}, 0, QColor(), kBandBlue, 6});
  }
  // The "V" rising from the spine.
  shapes.push_back({Shape::Kind::Polygon,
                    {{60, 30}, {104, 30}, {128, 102}, {152, 30}, {196, 30}, {148, 142}, {108, 142}},
                    0,
                    kWhite,
                    kDarkBlue,
                    7});
  return shapes;
}

void paintShapes(QPainter& p, const std::vector<Shape>& shapes) {
  for (const Shape& s : shapes) {
    QPen pen(s.stroke, s.strokeWidth);
    pen.setJoinStyle(Qt::RoundJoin);
    pen.setCapStyle(Qt::RoundCap);
    p.setPen(s.strokeWidth > 0 ? pen : QPen(Qt::NoPen));
    p.setBrush(s.fill.isValid() ? QBrush(s.fill) : QBrush(Qt::NoBrush));
    switch (s.kind) {
      case Shape::Kind::RoundedRect:
        p.drawRoundedRect(QRectF(s.points[0], s.points[1]), s.radius, s.radius);
        break;
      case Shape::Kind::Polygon:
        p.drawPolygon(QPolygonF(QList<QPointF>(s.points.begin(), s.points.end())));
        break;
      case Shape::Kind::Line:
        p.drawLine(s.points[0], s.points[1]);
        break;
    }
  }
}

QString svgColour(const QColor& c) { return c.isValid() ? c.name(QColor::HexRgb) : QStringLiteral("none"); }

// One laurel branch: leaves along an arc of the circle around centre, from angle
// `from` to `to` (degrees, counter-clockwise from the right, y pointing up).
void paintLaurelBranch(QPainter& p, QPointF centre, double radius, double from, double to, int leaves) {
  p.setPen(QPen(kLeafEdge, 1.2));
  QPainterPath stem;
  for (int i = 0; i <= 24; ++i) {
    const double a = qDegreesToRadians(from + (to - from) * i / 24.0);
    const QPointF pt(centre.x() + radius * std::cos(a), centre.y() - radius * std::sin(a));
    if (i == 0)
      stem.moveTo(pt);
    else
      stem.lineTo(pt);
  }
  p.setBrush(Qt::NoBrush);
  p.drawPath(stem);
  p.setBrush(kLeaf);
  const double direction = to > from ? 1.0 : -1.0;
  for (int i = 0; i < leaves; ++i) {
    const double deg = from + (to - from) * (i + 0.5) / leaves;
    const double a = qDegreesToRadians(deg);
    const QPointF base(centre.x() + radius * std::cos(a), centre.y() - radius * std::sin(a));
    // A pair of leaves on each side of the stem, pointing along the branch.
    for (double side : {-1.0, 1.0}) {
      p.save();
      p.translate(base);
      p.rotate(-(deg + 90.0 * direction) + side * 35.0 * direction);
      p.drawEllipse(QRectF(0, -3, 13, 6));
      p.restore();
    }
  }
}

}  // namespace

QImage applicationIconImage(int size) {
  QImage image(size, size, QImage::Format_ARGB32_Premultiplied);
  image.fill(Qt::transparent);
  QPainter p(&image);
  p.setRenderHint(QPainter::Antialiasing);
  p.scale(size / 256.0, size / 256.0);
  paintShapes(p, iconShapes(true));
  p.end();
  return image;
}

QString applicationIconSvg() {
  QString svg;
  QTextStream out(&svg);
  out << "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n"
      << "<svg xmlns=\"http://www.w3.org/2000/svg\" width=\"256\" height=\"256\" viewBox=\"0 0 256 256\">\n";
  for (const Shape& s : iconShapes(true)) {
    const QString paint = QStringLiteral(" fill=\"%1\" stroke=\"%2\" stroke-width=\"%3\"")
                              .arg(svgColour(s.fill), svgColour(s.stroke))
                              .arg(s.strokeWidth);
    switch (s.kind) {
      case Shape::Kind::RoundedRect:
        out << QStringLiteral("  <rect x=\"%1\" y=\"%2\" width=\"%3\" height=\"%4\" rx=\"%5\"")
                   .arg(s.points[0].x())
                   .arg(s.points[0].y())
                   .arg(s.points[1].x() - s.points[0].x())
                   .arg(s.points[1].y() - s.points[0].y())
                   .arg(s.radius)
            << paint << "/>\n";
        break;
      case Shape::Kind::Polygon: {
        QStringList pts;
        for (const QPointF& pt : s.points) pts << QStringLiteral("%1,%2").arg(pt.x()).arg(pt.y());
        out << "  <polygon points=\"" << pts.join(QLatin1Char(' ')) << "\"" << paint
            << " stroke-linejoin=\"round\"/>\n";
        break;
      }
      case Shape::Kind::Line:
        out << QStringLiteral("  <line x1=\"%1\" y1=\"%2\" x2=\"%3\" y2=\"%4\"")
                   .arg(s.points[0].x())
                   .arg(s.points[0].y())
                   .arg(s.points[1].x())
                   .arg(s.points[1].y())
            << paint << " stroke-linecap=\"round\"/>\n";
        break;
    }
  }
  out << "</svg>\n";
  return svg;
}

QList<int> applicationIconSizes() { return {16, 22, 24, 32, 48, 64, 128, 256}; }

QIcon applicationIcon() {
  QIcon icon;
  for (int size : applicationIconSizes()) icon.addPixmap(QPixmap::fromImage(applicationIconImage(size)));
  return icon;
}

QImage identityLogo() {
  QImage image(125, 138, QImage::Format_ARGB32_Premultiplied);
  image.fill(Qt::transparent);
  QPainter p(&image);
  p.setRenderHint(QPainter::Antialiasing);
  const QPointF centre(62.5, 55);

  // Laurel: two branches rising from the bottom, open at the top.
  paintLaurelBranch(p, centre, 51, 255, 110, 8);
  paintLaurelBranch(p, centre, 51, 285, 430, 8);

  // The medallion with the book and the "V" of the icon.
  p.setPen(QPen(kDarkBlue, 3));
  p.setBrush(kBandBlue);
  p.drawEllipse(centre, 42, 42);
  p.save();
  p.translate(centre.x() - 128 * 0.29, centre.y() - 128 * 0.29 - 1);
  p.scale(0.29, 0.29);
  paintShapes(p, iconShapes(false));
  p.restore();

  // The ribbon tying the branches, with notched ends.
  p.setPen(QPen(kRibbonEdge, 1.2));
  p.setBrush(kRibbon);
  const QPolygonF ribbon({{18, 100}, {107, 100}, {100, 108}, {107, 116}, {18, 116}, {25, 108}});
  p.drawPolygon(ribbon);
  p.setPen(QPen(kLightYellow, 1.5));
  p.drawLine(QPointF(30, 108), QPointF(95, 108));
  p.end();
  return image;
}

QImage identityEmblem() {
  // Drawn without smoothing, in the sixteen colours of its palette only.
  const QList<QRgb> palette = {
      kLightYellow.rgb(),           QColor(255, 255, 255).rgb(), QColor(192, 192, 192).rgb(), QColor(128, 128, 128).rgb(),
      QColor(64, 64, 64).rgb(), QColor(0, 0, 0).rgb(),       kBandBlue.rgb(),                 kDarkBlue.rgb(),
      QColor(0, 0, 255).rgb(), QColor(255, 0, 0).rgb(),     QColor(128, 0, 0).rgb(),     QColor(255, 224, 192).rgb(),
      QColor(224, 176, 64).rgb(), QColor(128, 64, 0).rgb(), kLeaf.rgb(),                 kLeafEdge.rgb()};
  QImage image(100, 220, QImage::Format_RGB32);
  image.fill(kLightYellow);
  QPainter p(&image);
  const QColor black(0, 0, 0), white(255, 255, 255), light(192, 192, 192), grey(128, 128, 128),
      dark(64, 64, 64), gold(224, 176, 64);
  auto box = [&](int x1, int y1, int x2, int y2, const QColor& fill) {
    p.setPen(black);
    p.setBrush(fill);
    p.drawRect(x1, y1, x2 - x1, y2 - y1);
  };

  // Pediment stone above the capital.
  box(6, 4, 94, 12, QColor(255, 224, 192));
  // Abacus and echinus.
  box(10, 14, 90, 22, light);
  box(20, 22, 80, 32, white);
  p.setPen(gold);
  for (int x = 24; x <= 76; x += 6) p.drawPoint(x, 27);
  // The two volutes: a scroll of circles on each side.
  for (int cx : {18, 82}) {
    p.setPen(black);
    p.setBrush(white);
    p.drawEllipse(QPoint(cx, 32), 11, 11);
    p.setBrush(light);
    p.drawEllipse(QPoint(cx, 32), 7, 7);
    p.setBrush(grey);
    p.drawEllipse(QPoint(cx, 32), 3, 3);
  }
  // Necking ring.
  box(25, 40, 75, 46, light);
  // Shaft: lit on the left, shaded on the right, with flutes.
  box(28, 46, 72, 190, white);
  p.fillRect(29, 47, 4, 143, white);
  p.fillRect(64, 47, 8, 143, light);
  p.fillRect(70, 47, 2, 143, grey);
  p.setPen(grey);
  for (int x = 36; x <= 64; x += 7) p.drawLine(x, 50, x, 186);
  p.setPen(dark);
  p.drawLine(71, 47, 71, 189);
  // Base: torus and plinth, then the ground.
  box(24, 190, 76, 197, light);
  box(16, 197, 84, 207, grey);
  p.fillRect(4, 209, 92, 5, kDarkBlue);
  p.fillRect(4, 214, 92, 2, kBandBlue);
  p.end();
  return image.convertToFormat(QImage::Format_Indexed8, palette, Qt::ThresholdDither | Qt::AvoidDither);
}

}  // namespace varnelio::ui
