// SPDX-License-Identifier: GPL-3.0-or-later
// The file commands as the user reaches them in an analysis window: the menu items
// and « Enregistrer && Quitter », in both families.
#include <QAction>
#include <QFile>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QTest>
#include <QToolButton>
#include <gtest/gtest.h>

#include "core/analysis/analysis_file.h"
#include "ui/analysis/analysis_window.h"
#include "ui/app/main_window.h"
#include "ui_test_support.h"

namespace varnelio::ui {
namespace {

using testing::UiHarness;

class WindowFiles : public ::testing::Test {
 protected:
  void SetUp() override {
    menu = h.workspace->open(WindowId::main());
    QFile f(h.path(QStringLiteral("texte.txt")));
    ASSERT_TRUE(f.open(QIODevice::WriteOnly));
    f.write("Rosam vidi. Puella rosam et Rosam amat. Aquam bibit.");
    f.close();
    QTest::keyClicks(menu->findChild<QLineEdit*>(QStringLiteral("Text1")), f.fileName());
  }
  AnalysisWindow* open(const char* item, const char* window) {
    menu->findChild<QAction*>(QLatin1String(item))->trigger();
    return h.workspace->find<AnalysisWindow>(QLatin1String(window));
  }
  static void trigger(QWidget* w, const char* action) { w->findChild<QAction*>(QLatin1String(action))->trigger(); }
  static void settle() {
    QCoreApplication::processEvents();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    QCoreApplication::processEvents();
  }
  QByteArray fileBytes(const QString& path) {
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
  }

  UiHarness h;
  QWidget* menu = nullptr;
};

TEST_F(WindowFiles, SaveAsEnablesSaveWhichThenWritesWithoutAsking) {
  AnalysisWindow* w = open("acc_sing_nouveau", "frmnew_analyse");
  ASSERT_NE(w, nullptr);
  QAction* direct = w->findChild<QAction*>(QStringLiteral("Enregistrerdirect"));
  EXPECT_FALSE(direct->isEnabled());
  h.prompts.fileAnswers = {h.path(QStringLiteral("a.DAT"))};
  trigger(w, "Enregistrer");
  EXPECT_EQ(fileBytes(h.path(QStringLiteral("a.DAT"))).size(), 4 * 369);
  EXPECT_TRUE(direct->isEnabled());
  EXPECT_EQ(w->analysisPath(), h.path(QStringLiteral("a.DAT")));

  QTest::mouseClick(w->findChild<QToolButton*>(QStringLiteral("cmb_delete")), Qt::LeftButton);
  h.prompts.shown.clear();
  trigger(w, "Enregistrerdirect");
  EXPECT_EQ(fileBytes(h.path(QStringLiteral("a.DAT"))).size(), 3 * 369);
  ASSERT_EQ(h.prompts.shown.size(), 1u);
  EXPECT_EQ(h.prompts.shown[0].text, QStringLiteral("L'enregistrement est terminé."));

  // Export and print from the same window; the export dialog starts from the name
  // chosen last in the window's one dialog, as an export.
  h.prompts.fileAnswers = {h.path(QStringLiteral("a.XLS"))};
  trigger(w, "exportexcell");
  EXPECT_EQ(h.prompts.shown[1].fileName, h.path(QStringLiteral("a.xls")));
  EXPECT_TRUE(fileBytes(h.path(QStringLiteral("a.XLS"))).startsWith("N\xB0\tN\xB0 phrase\tForme(s)\tAnalyse(s)\r\n"));
  trigger(w, "Imprimertable");
  ASSERT_EQ(h.prompts.printed.size(), 1u);
  EXPECT_EQ(h.prompts.printed[0].pagesAsText()[0].size(), 2u + 2u * 3u);
}

TEST_F(WindowFiles, SaveAndQuitClosesOnlyOnceSaved) {
  AnalysisWindow* w = open("acc_sing_nouveau", "frmnew_analyse");
  ASSERT_NE(w, nullptr);
  w->session().validate(1, "une analyse");
  QTest::mouseClick(w->findChild<QToolButton*>(QStringLiteral("Command5")), Qt::LeftButton);  // dialog cancelled
  settle();
  EXPECT_EQ(h.workspace->find(QStringLiteral("frmnew_analyse")), w);  // nothing saved: still open
  EXPECT_TRUE(w->session().modified());
  EXPECT_FALSE(menu->isVisible());
  EXPECT_TRUE(h.prompts.messages().isEmpty());
  h.prompts.fileAnswers = {h.path(QStringLiteral("quitte"))};  // typed without extension
  QTest::mouseClick(w->findChild<QToolButton*>(QStringLiteral("Command5")), Qt::LeftButton);
  settle();
  EXPECT_EQ(h.workspace->find(QStringLiteral("frmnew_analyse")), nullptr);
  EXPECT_TRUE(menu->isVisible());
  EXPECT_EQ(fileBytes(h.path(QStringLiteral("quitte.DAT"))).size(), 4 * 369);
  EXPECT_EQ(h.prompts.messages(), QStringList{QStringLiteral("L'enregistrement est terminé.")});
  h.prompts.shown.clear();

  // Reopened in the existing family, the save dialog starts with the reopened file.
  const QString file = h.path(QStringLiteral("b.DAT"));
  CandidateGrid grid;
  grid.appendCandidate("rosam", 2);
  ASSERT_FALSE(writeAnalysisFile(file.toStdString(), grid).has_value());
  h.prompts.shown.clear();
  h.prompts.fileAnswers = {file, file};
  h.prompts.questionAnswers = {true};
  w = open("acc_sing_modif", "frmanalyse_acc_sing");
  ASSERT_NE(w, nullptr);
  QTest::mouseClick(w->findChild<QToolButton*>(QStringLiteral("Command5")), Qt::LeftButton);
  settle();
  const auto& saveDialog = h.prompts.shown[1];
  EXPECT_EQ(saveDialog.kind, ScriptedPrompts::Shown::Kind::SaveFile);
  EXPECT_EQ(saveDialog.fileName, file);
  EXPECT_EQ(h.prompts.messages(), QStringList{QStringLiteral("L'enregistrement est terminé.")});
  EXPECT_EQ(h.workspace->find(QStringLiteral("frmanalyse_acc_sing")), nullptr);
  EXPECT_TRUE(menu->isVisible());
}

// A write that fails must not take the unsaved analyses with the window: the grid
// stays, and the next save elsewhere holds the analysis typed before.
TEST_F(WindowFiles, SaveAndQuitKeepsTheWindowWhenTheWriteFails) {
  AnalysisWindow* w = open("acc_sing_nouveau", "frmnew_analyse");
  ASSERT_NE(w, nullptr);
  w->findChild<QPlainTextEdit*>(QStringLiteral("Textanalyse"))->setPlainText(QStringLiteral("1 décl. acc. sg."));
  QTest::mouseClick(w->findChild<QToolButton*>(QStringLiteral("Command2")), Qt::LeftButton);
  h.prompts.fileAnswers = {h.path(QStringLiteral("absent/a.DAT"))};
  QTest::mouseClick(w->findChild<QToolButton*>(QStringLiteral("Command5")), Qt::LeftButton);
  settle();
  ASSERT_EQ(h.workspace->find(QStringLiteral("frmnew_analyse")), w);
  EXPECT_FALSE(menu->isVisible());
  ASSERT_EQ(h.prompts.messages().size(), 1);
  EXPECT_TRUE(h.prompts.messages()[0].startsWith(QStringLiteral("L'enregistrement a échoué.")));

  h.prompts.fileAnswers = {h.path(QStringLiteral("a.DAT"))};
  QTest::mouseClick(w->findChild<QToolButton*>(QStringLiteral("Command5")), Qt::LeftButton);
  settle();
  EXPECT_EQ(h.workspace->find(QStringLiteral("frmnew_analyse")), nullptr);
  const QByteArray saved = fileBytes(h.path(QStringLiteral("a.DAT")));
  ASSERT_EQ(saved.size(), 4 * 369);
  EXPECT_TRUE(saved.mid(109, 16) == QByteArray("1 d\xE9" "cl. acc. sg."));
}

}  // namespace
}  // namespace varnelio::ui
