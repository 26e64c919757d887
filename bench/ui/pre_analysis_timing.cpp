// SPDX-License-Identifier: GPL-3.0-or-later
// pre_analysis_timing [text file | megabytes] [window name] [corpus folder]
// Outils > Pré-analyse in the analysis window, as a user does: the text opened
// from Menu, the menu item chosen, "Oui" to deleting the candidates judged false.
// Given a file, that file; given a number, a text of that many megabytes (the
// corpus repeated); by default Caesar's book of the corpus. Prints the time of the
// pre-analysis (judging every row, writing the labels, deleting the false ones,
// row 1 shown again) and the memory it adds to the open window, against the text.
#include <QAction>
#include <QApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QLineEdit>
#include <QTemporaryDir>
#include <cstdio>

#include "bench_support.h"
#include "ui/analysis/analysis_window.h"
#include "ui/app/main_window.h"
#include "ui/app/window_registry.h"
#include "ui/shell/kind_windows.h"
#include "ui/shell/prompts.h"
#include "ui/shell/workspace.h"

namespace {

// The text to open: the file given, a text of the megabytes given, or Caesar.
QString textToOpen(const QString& given, const QDir& corpus, const QString& scratch) {
  if (QFileInfo(given).isFile()) return given;
  if (given.isEmpty()) return varnelio::bench::caesarBook(corpus);
  return varnelio::bench::writeRepeatedCorpus(corpus, given.toLongLong(), scratch) ? scratch : QString();
}

}  // namespace

int main(int argc, char** argv) {
  qputenv("QT_QPA_PLATFORM", "offscreen");
  QApplication app(argc, argv);
  QTemporaryDir dir;
  const QString windowName = argc > 2 ? QString::fromLocal8Bit(argv[2]) : QStringLiteral("frmnew_analyse");
  const QDir corpus(argc > 3 ? QString::fromLocal8Bit(argv[3]) : QStringLiteral(VARNELIO_CORPUS_DIR));
  const QString path = textToOpen(argc > 1 ? QString::fromLocal8Bit(argv[1]) : QString(), corpus,
                                  dir.filePath(QStringLiteral("livre.txt")));
  const auto kind = varnelio::ui::kindFromWindowName(windowName.toStdString());
  if (path.isEmpty() || !kind) {
    std::fprintf(stderr, "usage: pre_analysis_timing [text | megabytes] [window name] [corpus folder]\n");
    return 1;
  }

  varnelio::ui::ScriptedPrompts prompts;
  prompts.questionAnswers = {true};  // delete the candidates judged false
  varnelio::ui::Workspace workspace(prompts, QStringLiteral(VARNELIO_DATA_DIR));
  varnelio::ui::registerAllWindows(workspace);
  varnelio::bench::analysisItem(varnelio::bench::menuWithText(workspace, path), windowName)->trigger();
  QCoreApplication::processEvents();
  auto* window = workspace.find<varnelio::ui::AnalysisWindow>(windowName);
  if (!window || window->selectedRow() != 1) {
    std::fprintf(stderr, "the window did not open on row 1\n");
    return 1;
  }
  const std::size_t before = window->candidateGrid().candidateCount();
  const long windowPeak = varnelio::bench::peakKilobytes();

  QElapsedTimer timer;
  timer.start();
  window->findChild<QAction*>(QStringLiteral("Preanalyse"))->trigger();
  QCoreApplication::processEvents();
  const qint64 elapsed = timer.elapsed();
  const long peak = varnelio::bench::peakKilobytes();
  if (prompts.shown.empty() || prompts.shown.back().kind != varnelio::ui::ScriptedPrompts::Shown::Kind::Question ||
      window->selectedRow() != 1) {
    std::fprintf(stderr, "the pre-analysis did not ask its question or did not come back to row 1\n");
    return 1;
  }
  const double textBytes = double(QFileInfo(path).size());
  std::printf("%s, %s: text %.2f MB, %zu candidates, %zu kept\n", qPrintable(QFileInfo(path).fileName()),
              qPrintable(windowName), textBytes / 1e6, before, window->candidateGrid().candidateCount());
  std::printf("pre-analysis, question answered \"Oui\", row 1 shown: %lld ms\n", static_cast<long long>(elapsed));
  std::printf("memory added to the open window: %.1f MB (%.2f x the text), the analyser and tagger included\n",
              (peak - windowPeak) * 1024.0 / 1e6, (peak - windowPeak) * 1024.0 / textBytes);
  return 0;
}
