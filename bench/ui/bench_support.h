// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// What the window benchmarks share: the texts they open (a corpus book, or the
// corpus repeated to a size), the way a user opens them from Menu, and memory.
#include <sys/resource.h>

#include <QAction>
#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QLineEdit>
#include <QString>

#include "ui/app/main_window.h"
#include "ui/shell/kind_windows.h"
#include "ui/shell/workspace.h"

namespace varnelio::bench {

// The process's peak resident memory so far, in kilobytes.
inline long peakKilobytes() {
  rusage usage{};
  getrusage(RUSAGE_SELF, &usage);
  return usage.ru_maxrss;
}

// Caesar's book in the corpus folder, or "" when it is not there.
inline QString caesarBook(const QDir& corpus) {
  const QStringList books = corpus.entryList({QStringLiteral("*aesar*.txt"), QStringLiteral("*AESAR*.txt")});
  return books.isEmpty() ? QString() : corpus.filePath(books.first());
}

// Writes the corpus's texts, repeated, up to `megabytes` into `path`; false when
// there is no corpus or the file cannot be written.
inline bool writeRepeatedCorpus(const QDir& corpus, qint64 megabytes, const QString& path) {
  QByteArray all;
  for (const QString& name : corpus.entryList({QStringLiteral("*.txt")}, QDir::Files, QDir::Name)) {
    QFile f(corpus.filePath(name));
    if (f.open(QIODevice::ReadOnly)) all += f.readAll();
  }
  QFile out(path);
  if (all.isEmpty() || !out.open(QIODevice::WriteOnly)) return false;
  const qint64 target = megabytes * 1000 * 1000;
  qint64 written = 0;
  while (written + all.size() <= target) written += out.write(all);
  out.write(all.left(target - written));
  return true;
}

// Menu with the text's path typed into Text1, as the user does before choosing an
// analysis.
inline ui::MainWindow* menuWithText(ui::Workspace& workspace, const QString& path) {
  auto* menu = qobject_cast<ui::MainWindow*>(workspace.open(ui::WindowId::main()));
  menu->findChild<QLineEdit*>(QStringLiteral("Text1"))->setText(path);
  QCoreApplication::processEvents();
  return menu;
}

// Menu's item that opens the analysis window of that name, or null.
inline QAction* analysisItem(ui::MainWindow* menu, const QString& windowName) {
  const auto kind = ui::kindFromWindowName(windowName.toStdString());
  return kind ? menu->findChild<QAction*>(ui::kindWindows(kind->first).itemName(kind->second)) : nullptr;
}

}  // namespace varnelio::bench
