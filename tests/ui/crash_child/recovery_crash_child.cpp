// SPDX-License-Identifier: GPL-3.0-or-later
// A program that makes unsaved changes in an analysis window and then waits to be
// killed: the recovery test starts it, kills it with SIGKILL once its recovery copy
// is on the disk, and recovers the changes in a program started after it.
// Arguments: the source text, the recovery folder. Prints the grid's rows, one per
// line, then "PRET".
#include <QAction>
#include <QApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QTemporaryDir>
#include <QTest>
#include <QThread>
#include <QToolButton>
#include <cstdio>

#include "ui/analysis/analysis_window.h"
#include "ui/analysis/candidate_grid_view.h"
#include "ui/analysis/recovery_writer.h"
#include "ui/app/main_window.h"
#include "ui/app/window_registry.h"
#include "ui/shell/kind_windows.h"
#include "ui/shell/prompts.h"
#include "ui/shell/workspace.h"

using namespace varnelio;
using namespace varnelio::ui;

int main(int argc, char** argv) {
  QApplication app(argc, argv);
  if (argc != 3) return 2;
  ScriptedPrompts prompts;
  QTemporaryDir data;
  Workspace workspace(prompts, data.path());
  workspace.setRecoveryDir(QString::fromLocal8Bit(argv[2]));
  registerAllWindows(workspace);
  auto* menu = qobject_cast<MainWindow*>(workspace.open(WindowId::main()));
  menu->findChild<QLineEdit*>(QStringLiteral("Text1"))->setText(QString::fromLocal8Bit(argv[1]));
  menu->findChild<QAction*>(kindWindows(KindId::AccSg).itemName(Family::New))->trigger();
  auto* window = workspace.find<AnalysisWindow>(kindWindows(KindId::AccSg).windowName(Family::New));
  if (!window) return 3;
  auto* grid = window->findChild<CandidateGridView*>(QStringLiteral("grille01"));
  const auto click = [&](int row) {
    const QModelIndex index = grid->model()->index(row - 1, 2);
    QTest::mouseClick(grid->viewport(), Qt::LeftButton, {}, grid->visualRect(index).center());
  };
  click(3);
  window->findChild<QPlainTextEdit*>(QStringLiteral("Textanalyse"))->setPlainText(QStringLiteral("1 décl. acc. sg. [AA00C]"));
  QTest::mouseClick(window->findChild<QToolButton*>(QStringLiteral("Command2")), Qt::LeftButton);
  click(1);
  QTest::mouseClick(window->findChild<QToolButton*>(QStringLiteral("cmb_delete")), Qt::LeftButton);
  // The copy comes by itself, a second after the last change.
  QElapsedTimer waited;
  waited.start();
  const auto copy = [&] { return RecoveryWriter::filesOf(workspace.recoveryDir(), window->recoveryWriter()->id()).copy; };
  while (window->recoveryWriter()->id().isEmpty() || !QFile::exists(copy())) {
    if (waited.elapsed() > 20000) return 4;
    QCoreApplication::processEvents(QEventLoop::AllEvents, 50);
    QThread::msleep(20);
  }
  for (int r = 0; r < grid->model()->rowCount(); ++r) {
    QStringList cells;
    for (int c = 0; c < 4; ++c) cells << grid->model()->index(r, c).data().toString();
    std::printf("%s\n", cells.join(QLatin1Char('|')).toUtf8().constData());
  }
  std::printf("PRET\n");
  std::fflush(stdout);
  return app.exec();  // until killed
}
