// SPDX-License-Identifier: GPL-3.0-or-later
// varnelio-make-icons: writes the application icon, drawn by the program itself, as
// the files the desktop uses: <folder>/hicolor/<n>x<n>/apps/varnelio.png for every
// installed size and <folder>/hicolor/scalable/apps/varnelio.svg. The files in
// data/icons are its output (target varnelio-icons rewrites them).
#include <QDir>
#include <QFile>
#include <QGuiApplication>
#include <cstdio>

#include "ui/style/identity_pictures.h"

int main(int argc, char** argv) {
  QGuiApplication app(argc, argv);
  if (argc != 2) {
    std::fprintf(stderr, "usage: varnelio-make-icons <folder>\n");
    return 2;
  }
  const QDir root(QString::fromLocal8Bit(argv[1]));
  for (int size : varnelio::ui::applicationIconSizes()) {
    const QString dir = root.filePath(QStringLiteral("hicolor/%1x%1/apps").arg(size));
    if (!QDir().mkpath(dir) || !varnelio::ui::applicationIconImage(size).save(dir + QStringLiteral("/varnelio.png"))) {
      std::fprintf(stderr, "varnelio-make-icons: cannot write %s\n", qPrintable(dir));
      return 1;
    }
  }
  const QString scalable = root.filePath(QStringLiteral("hicolor/scalable/apps"));
  QFile svg(scalable + QStringLiteral("/varnelio.svg"));
  if (!QDir().mkpath(scalable) || !svg.open(QIODevice::WriteOnly | QIODevice::Truncate) ||
      svg.write(varnelio::ui::applicationIconSvg().toUtf8()) < 0) {
    std::fprintf(stderr, "varnelio-make-icons: cannot write %s\n", qPrintable(svg.fileName()));
    return 1;
  }
  return 0;
}
