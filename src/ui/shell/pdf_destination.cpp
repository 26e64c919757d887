// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/shell/pdf_destination.h"

#include <QDir>
#include <QFileInfo>
#include <QStandardPaths>

#include "ui/shell/prompts.h"

namespace varnelio::ui {

QString defaultPdfFolder() {
  QString folder = QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation);
  if (folder.isEmpty()) folder = QDir::homePath();
  QDir().mkpath(folder);
  return folder;
}

QString freePdfPath(const QString& folder, const QString& documentName) {
  QString base = documentName.trimmed();
  for (QChar& c : base)
    if (c == QLatin1Char('/') || c == QLatin1Char('\\') || c.unicode() < 0x20) c = QLatin1Char('_');
  if (base.isEmpty() || base.startsWith(QLatin1Char('.'))) base.prepend(QStringLiteral("Varnelio"));
  const QDir dir(folder);
  QString path = dir.filePath(base + QStringLiteral(".pdf"));
  for (int n = 2; QFileInfo::exists(path) || QFileInfo(path).isSymLink(); ++n)
    path = dir.filePath(QStringLiteral("%1 (%2).pdf").arg(base).arg(n));
  return path;
}

std::optional<QString> pdfDestination(Prompts& prompts, QWidget* parent, const QString& folder,
                                       const QString& documentName, const QString& proposed,
                                       const QString& chosen) {
  // The free name was offered before the dialog; look again, in case it was taken
  // while the dialog stood open.
  if (chosen.isEmpty() || chosen == proposed) return freePdfPath(folder, documentName);
  if (QFileInfo::exists(chosen) && !confirmOverwrite(prompts, parent, chosen)) return std::nullopt;
  return chosen;
}

}  // namespace varnelio::ui
