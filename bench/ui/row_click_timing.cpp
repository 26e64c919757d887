// SPDX-License-Identifier: GPL-3.0-or-later
// row_click_timing [corpus folder]
// The time of one click on a row of the analysis window, from the press to the
// sentence shown with its form highlighted: on a sentence of 18,000 characters
// that repeats the form 3,000 times, and on rows of a corpus book (Caesar).
#include <QAction>
#include <QApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QLineEdit>
#include <QTemporaryDir>
#include <QTest>
#include <algorithm>
#include <cstdio>
#include <vector>

#include "bench_support.h"
#include "core/analysis/analysis_kind.h"
#include "ui/analysis/analysis_window.h"
#include "ui/app/main_window.h"
#include "ui/app/window_registry.h"
#include "ui/shell/workspace.h"
#include "ui/analysis/candidate_grid_view.h"
#include "ui/shell/prompts.h"

namespace {

using namespace varnelio::ui;

// Opens a new accusative singular analysis of the text, as the user does.
AnalysisWindow* openAnalysis(Workspace& workspace, const QString& path) {
  varnelio::bench::analysisItem(varnelio::bench::menuWithText(workspace, path), QStringLiteral("frmnew_analyse"))
      ->trigger();
  QCoreApplication::processEvents();
  return workspace.find<AnalysisWindow>(QStringLiteral("frmnew_analyse"));
}

// Milliseconds of one click on the row, its paint included.
double clickRow(AnalysisWindow* window, int row) {
  auto* view = window->findChild<CandidateGridView*>(QStringLiteral("grille01"));
  const QModelIndex index = view->model()->index(row - 1, 2);
  view->scrollTo(index);
  QCoreApplication::processEvents();
  QElapsedTimer timer;
  timer.start();
  QTest::mouseClick(view->viewport(), Qt::LeftButton, {}, view->visualRect(index).center());
  QCoreApplication::processEvents();
  return timer.nsecsElapsed() / 1e6;
}

double median(std::vector<double> v) {
  std::sort(v.begin(), v.end());
  return v[v.size() / 2];
}

}  // namespace

int main(int argc, char** argv) {
  qputenv("QT_QPA_PLATFORM", "offscreen");
  QApplication app(argc, argv);
  const QDir corpus(argc > 1 ? QString::fromLocal8Bit(argv[1]) : QStringLiteral(VARNELIO_CORPUS_DIR));
  QTemporaryDir dir;
  ScriptedPrompts prompts;

  {
    const QString path = dir.filePath(QStringLiteral("long.txt"));
    QFile f(path);
    if (!f.open(QIODevice::WriteOnly)) return 1;
    f.write("Puella aquam portat.");
    f.write(QByteArray("rosam ").repeated(3000));
    f.write(".");
    f.close();
    Workspace workspace(prompts, dir.path());
    registerAllWindows(workspace);
    AnalysisWindow* window = openAnalysis(workspace, path);
    if (!window) return 1;
    std::vector<double> times;
    for (int i = 0; i < 5; ++i) times.push_back(clickRow(window, 2 + (i % 2)));
    std::printf("sentence of 18,000 characters, the form 3,000 times: %.1f ms per click (median of 5)\n",
                median(times));
  }
  {
    const QString book = varnelio::bench::caesarBook(corpus);
    if (book.isEmpty()) {
      std::fprintf(stderr, "no Caesar text in %s\n", qPrintable(corpus.path()));
      return 1;
    }
    Workspace workspace(prompts, dir.path());
    registerAllWindows(workspace);
    AnalysisWindow* window = openAnalysis(workspace, book);
    if (!window) return 1;
    const int rows = static_cast<int>(window->candidateGrid().candidateCount());
    std::vector<double> times;
    for (int i = 1; i <= 50; ++i) times.push_back(clickRow(window, 1 + (i * 7919) % rows));
    std::printf("%s: %.1f ms per click (median of 50 rows), slowest %.1f ms\n", qPrintable(QFileInfo(book).fileName()),
                median(times), *std::max_element(times.begin(), times.end()));
  }
  return 0;
}
