// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/app/recovery_offer.h"

#include <QDateTime>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QElapsedTimer>
#include <QLockFile>
#include <QTimer>
#include <QWindow>
#include <memory>

#include "core/analysis/recovery_copy.h"
#include "core/exercise/exercise_file.h"
#include "core/files/source_file.h"
#include "ui/analysis/analysis_window.h"
#include "ui/analysis/recovery_writer.h"
#include "ui/app/main_window.h"
#include "ui/shell/codec.h"
#include "ui/shell/kind_windows.h"
#include "ui/shell/prompts.h"
#include "ui/shell/workspace.h"

namespace varnelio::ui {
namespace {

// "14 h 32" today, "9 déc. 2026, 14 h 32" another day.
QString whenCopied(std::int64_t seconds) {
  const QDateTime at = QDateTime::fromSecsSinceEpoch(seconds);
  const QString time = QStringLiteral("%1 h %2").arg(at.time().hour()).arg(at.time().minute(), 2, 10, QLatin1Char('0'));
  if (at.date() == QDate::currentDate()) return time;
  return QLocale(QLocale::French).toString(at.date(), QLocale::ShortFormat) + QStringLiteral(", ") + time;
}

void removeCopy(const RecoveryWriter::Files& files) {
  QFile::remove(files.copy);
  QFile::remove(files.source);
}

// A copy that cannot be reopened is set aside, not deleted: nothing the user typed
// is thrown away, and the question is not asked again at every start.
void setAside(Workspace& workspace, const RecoveryWriter::Files& files, const QString& why) {
  const QString aside = files.copy + QStringLiteral(".illisible");
  QFile::remove(aside);
  QFile::rename(files.copy, aside);
  workspace.prompts().inform(workspace.mainWindow(),
                             why + QStringLiteral("\nElle est conservée sous le nom « %1 ».")
                                       .arg(QDir::toNativeSeparators(aside)),
                             kApplicationTitle, MessageIcon::Warning);
}

// The work of an exercise window names its exercise file as its source: while that
// file is still the same exercise, the window comes back in exercise mode. Otherwise
// the work comes back as an ordinary analysis of the text kept beside the copy.
bool reopenAsExercise(AnalysisWindow& window, const RecoveryHeader& header) {
  const QString path = QString::fromStdString(header.sourcePath);
  if (QFileInfo(path).suffix().compare(QLatin1String("exo"), Qt::CaseInsensitive) != 0) return false;
  auto read = readExerciseFile(toLocalPath(path));
  auto* exercise = std::get_if<Exercise>(&read);
  if (!exercise || exercise->kindId() != header.kind || textFingerprint(exercise->text()) != header.sourceFingerprint)
    return false;
  window.setExercise(std::move(*exercise), path);
  return true;
}

void offerCopy(Workspace& workspace, const QString& folder, const QString& id) {
  const RecoveryWriter::Files files = RecoveryWriter::filesOf(folder, id);
  auto lock = std::make_unique<QLockFile>(files.lock);
  lock->setStaleLockTime(0);
  // Held by a program running now (its window is still open): not ours to offer. A
  // program that crashed left a lock whose process is gone, which tryLock takes over.
  if (!lock->tryLock(0)) return;
  auto bytes = readSourceText(toLocalPath(files.copy));
  if (!std::holds_alternative<std::string>(bytes)) return;  // gone meanwhile, or unreadable now: next start
  const auto decoded = decodeRecoveryCopy(std::get<std::string>(bytes));
  const QString fileName = QFileInfo(files.copy).fileName();
  if (const auto* error = std::get_if<RecoveryCopyError>(&decoded)) {
    if (*error == RecoveryCopyError::OtherVersion) {
      // Another version of the program may still read it: left where it is.
      workspace.prompts().inform(workspace.mainWindow(),
                                 QStringLiteral("Des analyses non enregistrées ont été retrouvées (%1), mais elles "
                                                "viennent d'une autre version de Varnelio, qui seule peut les "
                                                "rouvrir.")
                                     .arg(fileName),
                                 kApplicationTitle, MessageIcon::Warning);
      return;
    }
    setAside(workspace, files,
             QStringLiteral("Des analyses non enregistrées ont été retrouvées (%1), mais leur copie est endommagée "
                            "et ne peut pas être rouverte.")
                 .arg(fileName));
    return;
  }
  const RecoveryCopy& copy = std::get<RecoveryCopy>(decoded);
  const QString source = QFileInfo(QString::fromStdString(copy.header.sourcePath)).fileName();
  const QString question = QStringLiteral("Des analyses non enregistrées ont été retrouvées (%1, %2, %3). Les rouvrir ?")
                               .arg(fromUtf8(analysisKind(copy.header.kind).title), source,
                                    whenCopied(copy.header.copiedAt));
  if (!workspace.prompts().askYesNo(workspace.mainWindow(), kApplicationTitle, question)) {
    if (workspace.prompts().askYesNo(workspace.mainWindow(), kApplicationTitle,
                                     QStringLiteral("Supprimer définitivement ces analyses non enregistrées ?")))
      removeCopy(files);
    return;  // kept: asked again at the next start
  }
  auto* analysis = new AnalysisWindow(workspace, copy.header.kind, copy.header.family);
  const bool exercise = reopenAsExercise(*analysis, copy.header);
  if (!analysis->loadRecovered(copy, folder, id, std::move(lock))) {
    delete analysis;
    return;
  }
  workspace.adopt(analysis);
  // Back in `Menu`, the recovered text is the one named, as when it was analysed.
  const QString sourcePath = QString::fromStdString(copy.header.sourcePath);
  if (auto* menu = qobject_cast<MainWindow*>(workspace.mainWindow()); menu && !exercise && QFileInfo(sourcePath).isFile())
    menu->setSourcePath(QDir::toNativeSeparators(sourcePath));
  analysis->show();
  analysis->raise();
  analysis->activateWindow();
}

}  // namespace

void offerRecoveredAnalyses(Workspace& workspace) {
  const QString folder = workspace.recoveryDir();
  if (folder.isEmpty()) return;
  const QStringList copies = QDir(folder).entryList({QStringLiteral("*") + QLatin1String(RecoveryWriter::kCopySuffix)},
                                                    QDir::Files, QDir::Name);
  for (const QString& name : copies) offerCopy(workspace, folder, name.chopped(int(qstrlen(RecoveryWriter::kCopySuffix))));
}

}  // namespace varnelio::ui

namespace varnelio::ui {

void offerRecoveredAnalysesOnceShown(Workspace& workspace) {
  QWidget* menu = workspace.mainWindow();
  if (!menu || workspace.recoveryDir().isEmpty()) return;
  // The window manager places a new window after it is shown, and tells when it
  // exposes it; a question asked before would be centred on where it was not.
  auto* poll = new QTimer(menu);
  QElapsedTimer waited;
  waited.start();
  QObject::connect(poll, &QTimer::timeout, menu, [poll, waited, menu, &workspace] {
    const QWindow* window = menu->windowHandle();
    if (!(window && window->isExposed()) && waited.elapsed() < 2000) return;
    poll->stop();
    poll->deleteLater();
    offerRecoveredAnalyses(workspace);
  });
  poll->start(50);
}

}  // namespace varnelio::ui
