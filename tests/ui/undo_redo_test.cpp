// SPDX-License-Identifier: GPL-3.0-or-later
// "Édition" in the analysis windows: each validation, deletion and pre-analysis is a
// step that Ctrl+Z takes back and Ctrl+Y does again, the grid, the selection and the
// panel coming back exactly; the window knows whether its grid differs from its file.
#include <QAction>
#include <QApplication>
#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QTest>
#include <QTextEdit>
#include <QToolButton>
#include <gtest/gtest.h>

#include "core/analysis/analysis_file.h"
#include "ui/analysis/analysis_window.h"
#include "ui/analysis/candidate_grid_view.h"
#include "ui/app/main_window.h"
#include "ui/shell/kind_windows.h"
#include "ui_test_support.h"

static void PrintTo(const QString& text, std::ostream* out) { *out << '"' << text.toStdString() << '"'; }

namespace varnelio::ui {
namespace {

using testing::UiHarness;

const QByteArray kText =
    "Puella rosam amat. Dominus servum videt et dominam. Templum Romanum et portam video. Nautam laudo.";

// What the user sees of the window: every row, the selected row, the panel.
struct Seen {
  QStringList rows;
  int selected;
  QString form, analysis, sentence;
  bool operator==(const Seen&) const = default;
};
void PrintTo(const Seen& s, std::ostream* out) {
  *out << s.rows.join(QLatin1Char(';')).toStdString() << " @" << s.selected << " " << s.form.toStdString() << " ["
       << s.analysis.toStdString() << "] " << s.sentence.toStdString();
}

struct Session {
  UiHarness h;
  AnalysisWindow* w = nullptr;

  explicit Session(Family family) {
    auto* menu = qobject_cast<MainWindow*>(h.workspace->open(WindowId::main()));
    menu->show();
    QFile f(h.path(QStringLiteral("texte.txt")));
    f.open(QIODevice::WriteOnly);
    f.write(kText);
    f.close();
    menu->findChild<QLineEdit*>(QStringLiteral("Text1"))->setText(f.fileName());
    if (family == Family::Existing) {
      // A file whose numbers do not follow its rows, with analyses of its own.
      CandidateGrid file;
      for (int i = 1; i <= 6; ++i)
        file.appendRow(CandidateRow(10 * i, std::to_string(1 + i % 4), "forma" + std::to_string(i),
                                    i % 2 ? "analyse " + std::to_string(i) : std::string(), i % 2 == 1));
      const QString path = h.path(QStringLiteral("analyse.DAT"));
      EXPECT_FALSE(writeAnalysisFile(path.toStdString(), file).has_value());
      h.prompts.fileAnswers = {path};
    }
    const QString name = kindWindows(KindId::AccSg).windowName(family);
    menu->findChild<QAction*>(kindWindows(KindId::AccSg).itemName(family))->trigger();
    w = h.workspace->find<AnalysisWindow>(name);
    if (w) {
      w->show();
      QApplication::setActiveWindow(w);
    }
  }
  CandidateGridView* grid() const { return w->findChild<CandidateGridView*>(QStringLiteral("grille01")); }
  QPlainTextEdit* box() const { return w->findChild<QPlainTextEdit*>(QStringLiteral("Textanalyse")); }
  QAction* action(const char* name) const { return w->findChild<QAction*>(QLatin1String(name)); }
  void click(int row) {
    const QModelIndex index = grid()->model()->index(row - 1, 2);
    grid()->scrollTo(index);
    QTest::mouseClick(grid()->viewport(), Qt::LeftButton, {}, grid()->visualRect(index).center());
  }
  void validate(int row, const QString& text) {
    click(row);
    box()->setPlainText(text);
    QTest::mouseClick(w->findChild<QToolButton*>(QStringLiteral("Command2")), Qt::LeftButton);
  }
  void remove(int row) {
    click(row);
    QTest::mouseClick(w->findChild<QToolButton*>(QStringLiteral("cmb_delete")), Qt::LeftButton);
  }
  void keys(QKeySequence keys) { QTest::keySequence(grid(), keys); }
  Seen seen() const {
    Seen s;
    const auto* m = grid()->model();
    for (int r = 0; r < m->rowCount(); ++r) {
      QStringList cells;
      for (int c = 0; c < 4; ++c) cells << m->index(r, c).data().toString();
      cells << m->index(r, 3).data(Qt::TextAlignmentRole).toString();
      s.rows << cells.join(QLatin1Char('|'));
    }
    s.selected = w->selectedRow();
    s.form = w->findChild<QLabel*>(QStringLiteral("labelforme"))->text();
    s.analysis = box()->toPlainText();
    s.sentence = w->findChild<QTextEdit*>(QStringLiteral("phrase"))->toPlainText();
    return s;
  }
};

TEST(UndoRedo, EveryStepComesBackExactlyInAScannedAndAReopenedGrid) {
  for (const Family family : {Family::New, Family::Existing}) {
    SCOPED_TRACE(family == Family::New ? "new" : "existing");
    Session s(family);
    ASSERT_NE(s.w, nullptr);
    QAction* undo = s.action("Annuler");
    QAction* redo = s.action("Retablir");
    EXPECT_FALSE(undo->isEnabled());
    EXPECT_EQ(undo->text(), QStringLiteral("&Annuler"));
    EXPECT_EQ(redo->text(), QStringLiteral("&Rétablir"));
    EXPECT_FALSE(s.w->editHistory().modified());

    s.click(2);
    // The state after each step, and the row each step acted on.
    std::vector<Seen> states{s.seen()};
    std::vector<int> actedOn{0};
    s.validate(3, QStringLiteral("1 décl. acc. sg. [AA00C]"));
    EXPECT_EQ(undo->text(), QStringLiteral("&Annuler la validation"));
    states.push_back(s.seen());
    actedOn.push_back(3);
    s.remove(1);
    EXPECT_EQ(undo->text(), QStringLiteral("&Annuler la suppression"));
    states.push_back(s.seen());
    actedOn.push_back(1);
    const int last = s.grid()->model()->rowCount();
    s.remove(last);  // the last row: the new last is selected
    states.push_back(s.seen());
    actedOn.push_back(last);
    s.validate(2, QString());
    states.push_back(s.seen());
    actedOn.push_back(2);
    EXPECT_TRUE(s.w->editHistory().modified());

    // Taken back one by one, with the keys and the menu in turn, then done again.
    for (std::size_t i = states.size() - 1; i > 0; --i) {
      if (i % 2)
        s.keys(QKeySequence(Qt::CTRL | Qt::Key_Z));
      else
        undo->trigger();
      // After the undo the row the step acted on is selected and shown.
      const Seen back = s.seen();
      EXPECT_EQ(back.rows, states[i - 1].rows) << i;
      EXPECT_EQ(back.selected, actedOn[i]) << i;
      s.click(states[i - 1].selected);
      EXPECT_EQ(s.seen(), states[i - 1]) << i;
    }
    EXPECT_FALSE(undo->isEnabled());
    EXPECT_EQ(undo->text(), QStringLiteral("&Annuler"));
    EXPECT_FALSE(s.w->editHistory().modified());
    EXPECT_EQ(redo->text(), QStringLiteral("&Rétablir la validation"));
    for (std::size_t i = 1; i < states.size(); ++i) {
      s.keys(i % 2 ? QKeySequence(Qt::CTRL | Qt::Key_Y) : QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_Z));
      EXPECT_EQ(s.seen(), states[i]) << i;
    }
    EXPECT_FALSE(redo->isEnabled());
    // A new step drops the steps taken back.
    undo->trigger();
    s.validate(1, QStringLiteral("x"));
    EXPECT_FALSE(redo->isEnabled());
  }
}

TEST(UndoRedo, AfterTheBinTheUndoShowsTheRowWhereItWasWithItsPanel) {
  Session s(Family::New);
  ASSERT_NE(s.w, nullptr);
  s.validate(2, QStringLiteral("1 décl. acc. sg. [AA00C]"));
  s.click(1);
  s.click(2);
  const Seen before = s.seen();
  s.remove(2);
  EXPECT_NE(s.seen(), before);
  s.keys(QKeySequence(Qt::CTRL | Qt::Key_Z));
  EXPECT_EQ(s.seen(), before);
}

TEST(UndoRedo, CtrlZInTheAnalysisBoxTakesBackTypingNotTheGrid) {
  Session s(Family::New);
  ASSERT_NE(s.w, nullptr);
  s.validate(1, QStringLiteral("premier"));
  s.click(2);
  const Seen before = s.seen();
  s.box()->setFocus();
  QTest::keyClicks(s.box(), QStringLiteral("abc"));
  EXPECT_EQ(s.box()->toPlainText(), QStringLiteral("abc"));
  QTest::keySequence(s.box(), QKeySequence(Qt::CTRL | Qt::Key_Z));
  EXPECT_NE(s.box()->toPlainText(), QStringLiteral("abc"));
  Seen after = s.seen();
  EXPECT_EQ(after.rows, before.rows);  // the validation of row 1 still stands
  EXPECT_TRUE(s.action("Annuler")->isEnabled());
}

TEST(UndoRedo, SavingKeepsTheHistoryAndTheWindowKnowsWhatDiffersFromTheFile) {
  Session s(Family::New);
  ASSERT_NE(s.w, nullptr);
  s.validate(1, QStringLiteral("a"));
  s.h.prompts.fileAnswers = {s.h.path(QStringLiteral("sauve.DAT"))};
  s.action("Enregistrer")->trigger();
  EXPECT_FALSE(s.w->editHistory().modified());
  EXPECT_TRUE(s.action("Annuler")->isEnabled());
  s.action("Annuler")->trigger();
  EXPECT_TRUE(s.w->editHistory().modified());
  s.action("Retablir")->trigger();
  EXPECT_FALSE(s.w->editHistory().modified());
}

}  // namespace
}  // namespace varnelio::ui

namespace varnelio::ui {
namespace {

// In the analysis box, Tab and Shift+Tab move the focus as in every dialog; Ctrl+Tab
// types a TAB.
TEST(AnalysisBox, TabMovesTheFocusAndCtrlTabTypesATab) {
  Session s(Family::New);
  ASSERT_NE(s.w, nullptr);
  s.click(1);
  QPlainTextEdit* box = s.box();
  box->setFocus();
  ASSERT_TRUE(box->hasFocus());
  box->setPlainText(QStringLiteral("a"));
  box->moveCursor(QTextCursor::End);
  QTest::keyClick(box, Qt::Key_Tab, Qt::ControlModifier);
  EXPECT_EQ(box->toPlainText(), QStringLiteral("a\t"));
  QTest::keyClick(box, Qt::Key_Tab);
  EXPECT_FALSE(box->hasFocus());
  EXPECT_EQ(box->toPlainText(), QStringLiteral("a\t"));
  box->setFocus();
  QTest::keyClick(box, Qt::Key_Backtab, Qt::ShiftModifier);
  EXPECT_FALSE(box->hasFocus());
}

}  // namespace
}  // namespace varnelio::ui
