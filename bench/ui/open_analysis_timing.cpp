// SPDX-License-Identifier: GPL-3.0-or-later
// open_analysis_timing [megabytes | text file] [window name] [corpus folder] [--save]
// Opens a text in the analysis window as a user does: the path typed into Text1 of
// Menu, the menu item chosen. Given a number, it first writes a text of that many
// megabytes (the corpus repeated); given a file, it opens that file. Prints the
// time until the window is shown with row 1 selected, the peak memory of the
// process against the text's size, the time to delete row 1, and with --save the
// time to save the grid as an analysis file beside a cp of that file. The last
// line, "result ...", is for scripts/bench-open.
#include <sys/resource.h>

#include <QAction>
#include <QApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QLineEdit>
#include <QTemporaryDir>
#include <QToolButton>
#include <cstdio>
#include <cstdlib>

#include "bench_support.h"
#include "core/analysis/analysis_file.h"

#include "core/analysis/analysis_kind.h"
#include "ui/shell/kind_windows.h"
#include "ui/analysis/analysis_window.h"
#include "ui/app/main_window.h"
#include "ui/app/window_registry.h"
#include "ui/shell/workspace.h"
#include "ui/analysis/candidate_grid_view.h"
#include "ui/shell/prompts.h"

namespace {

long currentKilobytes() {
  QFile status(QStringLiteral("/proc/self/status"));
  if (!status.open(QIODevice::ReadOnly)) return 0;
  for (const QByteArray& line : status.readAll().split('\n'))
    if (line.startsWith("VmRSS:")) return line.mid(6).trimmed().split(' ').value(0).toLong();
  return 0;
}

}  // namespace

int main(int argc, char** argv) {
  qputenv("QT_QPA_PLATFORM", "offscreen");
  const qint64 megabytes = argc > 1 ? QByteArray(argv[1]).toLongLong() : 10;
  const QString windowName = argc > 2 ? QString::fromLocal8Bit(argv[2]) : QStringLiteral("frmnew_analyse");

  QTemporaryDir dir;
  const QString given = argc > 1 ? QString::fromLocal8Bit(argv[1]) : QString();
  const bool save = argc > 4 && QByteArray(argv[4]) == "--save";
  QString path = dir.filePath(QStringLiteral("livre.txt"));
  if (QFileInfo(given).isFile()) {
    path = given;
  } else {
    const QDir corpusDir(argc > 3 ? QString::fromLocal8Bit(argv[3]) : QStringLiteral(VARNELIO_CORPUS_DIR));
    if (!varnelio::bench::writeRepeatedCorpus(corpusDir, megabytes, path)) {
      std::fprintf(stderr, "no corpus in %s, or %s cannot be written\n", qPrintable(corpusDir.path()),
                   qPrintable(path));
      return 1;
    }
  }
  const qint64 textBytes = QFileInfo(path).size();

  QApplication app(argc, argv);
  varnelio::ui::ScriptedPrompts prompts;
  varnelio::ui::Workspace workspace(prompts, dir.path());
  varnelio::ui::registerAllWindows(workspace);
  auto* menu = varnelio::bench::menuWithText(workspace, path);
  const long baseline = currentKilobytes();

  QAction* item = varnelio::bench::analysisItem(menu, windowName);
  if (!item) return 1;
  QElapsedTimer timer;
  timer.start();
  item->trigger();
  auto* window = workspace.find<varnelio::ui::AnalysisWindow>(windowName);
  QCoreApplication::processEvents();  // the first paint of the window
  const qint64 elapsed = timer.elapsed();
  if (!window || window->selectedRow() != 1) {
    std::fprintf(stderr, "the window did not open on row 1\n");
    return 1;
  }
  const long peak = varnelio::bench::peakKilobytes();
  const std::size_t candidates = window->candidateGrid().candidateCount();
  const double textMb = double(textBytes) / 1e6;
  std::printf("%s: text %.1f MB, %zu candidates, %zu sentences\n", qPrintable(windowName), textMb,
              window->candidateGrid().candidateCount(), window->sentences().sentenceCount());
  std::printf("open to row 1 shown: %lld ms\n", static_cast<long long>(elapsed));
  std::printf("peak memory: %.1f MB (%.2f x the text); above the idle program: %.1f MB (%.2f x the text)\n",
              peak * 1024.0 / 1e6, peak * 1024.0 / double(textBytes), (peak - baseline) * 1024.0 / 1e6,
              (peak - baseline) * 1024.0 / double(textBytes));
  // Deleting the first candidate moves every row below it up.
  timer.restart();
  window->findChild<QToolButton*>(QStringLiteral("cmb_delete"))->click();
  QCoreApplication::processEvents();
  const qint64 deleteMs = timer.elapsed();
  std::printf("delete row 1: %lld ms\n", static_cast<long long>(deleteMs));
  if (save) {
    // What "saveAsAction_ les analyses" writes, then a plain copy of the same bytes.
    const QString saved = dir.filePath(QStringLiteral("analyse.DAT"));
    timer.restart();
    if (varnelio::writeAnalysisFile(saved.toStdString(), window->candidateGrid())) return 1;
    const qint64 saveMs = timer.elapsed();
    const QString copy = dir.filePath(QStringLiteral("copie.DAT"));
    timer.restart();
    if (std::system(qPrintable(QStringLiteral("cp '%1' '%2'").arg(saved, copy))) != 0) return 1;
    const qint64 cpMs = timer.elapsed();
    std::printf("save as an analysis file: %lld ms for %.1f MB (written, synced, renamed); cp of it: %lld ms\n",
                static_cast<long long>(saveMs), QFileInfo(saved).size() / 1e6, static_cast<long long>(cpMs));
  }
  std::printf("result %s %zu %lld %ld %lld %lld\n", qPrintable(windowName), candidates,
              static_cast<long long>(elapsed), peak, static_cast<long long>(textBytes),
              static_cast<long long>(deleteMs));
  return 0;
}
