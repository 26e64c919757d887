// SPDX-License-Identifier: GPL-3.0-or-later
// The analysis window says what is wrong with the analyser's file, as the command
// line does: "manquant" only for a file that is missing.
#include <QAction>
#include <QFile>
#include <QLineEdit>
#include <gtest/gtest.h>

#include "ui/analysis/analysis_window.h"
#include "ui/app/main_window.h"
#include "ui/shell/kind_windows.h"
#include "ui_test_support.h"

namespace varnelio::ui {
namespace {

TEST(LatinDataInTheWindow, PreAnalysisSaysWhyTheAnalyserCannotServe) {
  struct Case {
    const char* what;
    QByteArray analyser;  // empty: no file
    QString message;      // the start of what is told
  };
  for (const Case& c : {Case{"missing", {}, QStringLiteral("Le fichier analyseur.dat est manquant!")},
                        Case{"damaged", QByteArray(4000, 'x'),
                             QStringLiteral("Le fichier analyseur.dat ne peut pas être lu")}}) {
    SCOPED_TRACE(c.what);
    testing::UiHarness h;
    if (!c.analyser.isEmpty()) {
      QFile f(h.path(QStringLiteral("analyseur.dat")));
      ASSERT_TRUE(f.open(QIODevice::WriteOnly));
      f.write(c.analyser);
    }
    QFile text(h.path(QStringLiteral("texte.txt")));
    ASSERT_TRUE(text.open(QIODevice::WriteOnly));
    text.write("Puella rosam amat. Dominus servum videt.");
    text.close();
    auto* menu = qobject_cast<MainWindow*>(h.workspace->open(WindowId::main()));
    menu->findChild<QLineEdit*>(QStringLiteral("Text1"))->setText(text.fileName());
    menu->findChild<QAction*>(kindWindows(KindId::AccSg).itemName(Family::New))->trigger();
    auto* w = h.workspace->find<AnalysisWindow>(QStringLiteral("frmnew_analyse"));
    ASSERT_NE(w, nullptr);
    const auto rowsBefore = w->candidateGrid().candidateCount();
    w->findChild<QAction*>(QStringLiteral("Preanalyse"))->trigger();
    ASSERT_EQ(h.prompts.messages().size(), 1);
    EXPECT_TRUE(h.prompts.messages()[0].startsWith(c.message)) << h.prompts.messages()[0].toStdString();
    EXPECT_TRUE(h.prompts.messages()[0].endsWith(QStringLiteral("analyseur.dat")));  // where it was looked for
    EXPECT_EQ(w->candidateGrid().candidateCount(), rowsBefore);
  }
}

}  // namespace
}  // namespace varnelio::ui
