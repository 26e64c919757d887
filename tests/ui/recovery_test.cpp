// SPDX-License-Identifier: GPL-3.0-or-later
// Recovery copies: a window with unsaved changes keeps one, a saved or closed
// window leaves none, and a program started after a crash offers each copy back,
// whatever state the copy, its source and the other programs are in.
#include <QAction>
#include <QDir>
#include <QFile>
#include <QLineEdit>
#include <QLockFile>
#include <QPlainTextEdit>
#include <QProcess>
#include <QRegularExpression>
#include <QTest>
#include <QToolButton>
#include <gtest/gtest.h>

#include "core/analysis/analysis_file.h"
#include "ui/analysis/analysis_window.h"
#include "ui/analysis/candidate_grid_view.h"
#include "ui/analysis/recovery_writer.h"
#include "ui/app/main_window.h"
#include "ui/app/recovery_offer.h"
#include "ui/shell/kind_windows.h"
#include "ui_test_support.h"

static void PrintTo(const QString& text, std::ostream* out) { *out << '"' << text.toStdString() << '"'; }

namespace varnelio::ui {
namespace {

using testing::UiHarness;
using Kind = ScriptedPrompts::Shown::Kind;

const QByteArray kText =
    "Puella rosam amat. Dominus servum videt et dominam. Templum Romanum et portam video. Nautam laudo.";

QStringList rowsOf(AnalysisWindow* w) {
  const auto* m = w->findChild<CandidateGridView*>(QStringLiteral("grille01"))->model();
  QStringList out;
  for (int r = 0; r < m->rowCount(); ++r) {
    QStringList cells;
    for (int c = 0; c < 4; ++c) cells << m->index(r, c).data().toString();
    out << cells.join(QLatin1Char('|'));
  }
  return out;
}

QStringList copiesIn(const QString& folder) { return QDir(folder).entryList(QDir::Files, QDir::Name); }

struct Program {
  UiHarness h;
  QString folder = h.path(QStringLiteral("recovery"));
  QString source = h.path(QStringLiteral("caesar.txt"));
  MainWindow* menu = nullptr;

  Program() {
    h.workspace->setRecoveryDir(folder);
    menu = qobject_cast<MainWindow*>(h.workspace->open(WindowId::main()));
    menu->show();
  }
  void writeSource(const QByteArray& bytes) {
    QFile f(source);
    f.open(QIODevice::WriteOnly);
    f.write(bytes);
  }
  AnalysisWindow* open() {
    menu->findChild<QLineEdit*>(QStringLiteral("Text1"))->setText(source);
    menu->findChild<QAction*>(kindWindows(KindId::AccSg).itemName(Family::New))->trigger();
    return h.workspace->find<AnalysisWindow>(kindWindows(KindId::AccSg).windowName(Family::New));
  }
  static void edit(AnalysisWindow* w) {
    auto* grid = w->findChild<CandidateGridView*>(QStringLiteral("grille01"));
    const QModelIndex index = grid->model()->index(1, 2);
    QTest::mouseClick(grid->viewport(), Qt::LeftButton, {}, grid->visualRect(index).center());
    w->findChild<QPlainTextEdit*>(QStringLiteral("Textanalyse"))->setPlainText(QStringLiteral("1 décl. acc. sg."));
    QTest::mouseClick(w->findChild<QToolButton*>(QStringLiteral("Command2")), Qt::LeftButton);
    QTest::mouseClick(w->findChild<QToolButton*>(QStringLiteral("cmb_delete")), Qt::LeftButton);
  }
  QStringList questions() const {
    QStringList out;
    for (const auto& shown : h.prompts.shown)
      if (shown.kind == Kind::Question) out << shown.text;
    return out;
  }
};

TEST(Recovery, AProgramKilledWithUnsavedChangesGivesThemBackAtTheNextStart) {
  Program p;
  p.writeSource(kText);
  QProcess child;
  QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
  env.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("offscreen"));
  child.setProcessEnvironment(env);
  child.start(QStringLiteral(VARNELIO_CRASH_CHILD), {p.source, p.folder});
  QByteArray out;
  while (!out.contains("PRET\n") && child.waitForReadyRead(30000)) out += child.readAllStandardOutput();
  ASSERT_TRUE(out.contains("PRET\n")) << out.toStdString() << child.readAllStandardError().toStdString();
  child.kill();  // SIGKILL: no close, no clean-up
  child.waitForFinished();
  QStringList unsaved = QString::fromUtf8(out).split(QLatin1Char('\n'), Qt::SkipEmptyParts);
  unsaved.removeLast();  // "PRET"

  p.h.prompts.questionAnswers = {true};
  offerRecoveredAnalyses(*p.h.workspace);
  ASSERT_EQ(p.questions().size(), 1);
  EXPECT_TRUE(QRegularExpression(QStringLiteral("^Des analyses non enregistrées ont été retrouvées \\(Accusatif "
                                                "singulier, caesar\\.txt, \\d{1,2} h \\d\\d\\)\\. Les rouvrir \\?$"))
                  .match(p.questions()[0])
                  .hasMatch())
      << p.questions()[0].toStdString();
  EXPECT_EQ(p.h.prompts.shown[0].title, QStringLiteral("Varnelio"));
  auto* w = p.h.workspace->find<AnalysisWindow>(QStringLiteral("frmnew_analyse"));
  ASSERT_NE(w, nullptr);
  EXPECT_EQ(rowsOf(w), unsaved);
  EXPECT_TRUE(unsaved.join(QString()).contains(QStringLiteral("1 décl. acc. sg. [AA00C]")));
  EXPECT_TRUE(w->editHistory().modified());
  EXPECT_FALSE(w->findChild<QAction*>(QStringLiteral("Enregistrerdirect"))->isEnabled());
  EXPECT_FALSE(p.menu->isVisible());
  // Back in Menu, the recovered text is the one named.
  EXPECT_EQ(p.menu->findChild<QLineEdit*>(QStringLiteral("Text1"))->text(), QDir::toNativeSeparators(p.source));
  // The recovered window keeps the copy until it is closed.
  EXPECT_TRUE(copiesIn(p.folder).contains(w->recoveryWriter()->id() + QStringLiteral(".copie")));
  w->close();
  EXPECT_EQ(copiesIn(p.folder), QStringList{});
}

TEST(Recovery, ACopyIsKeptWhileChangesAreUnsavedAndGoesWhenSavedOrClosed) {
  Program p;
  p.writeSource(kText);
  AnalysisWindow* w = p.open();
  ASSERT_NE(w, nullptr);
  w->recoveryWriter()->flush();
  EXPECT_EQ(copiesIn(p.folder), QStringList{});  // nothing changed yet
  Program::edit(w);
  w->recoveryWriter()->flush();
  const QString id = w->recoveryWriter()->id();
  EXPECT_EQ(copiesIn(p.folder), (QStringList{id + QStringLiteral(".copie"), id + QStringLiteral(".lock"),
                                              id + QStringLiteral(".source")}));
  p.h.prompts.fileAnswers = {p.h.path(QStringLiteral("a.DAT"))};
  w->findChild<QAction*>(QStringLiteral("Enregistrer"))->trigger();
  EXPECT_EQ(copiesIn(p.folder), QStringList{});
  w->findChild<QAction*>(QStringLiteral("Annuler"))->trigger();  // differs from the file again
  w->recoveryWriter()->flush();
  EXPECT_EQ(copiesIn(p.folder).size(), 3);
  w->findChild<QAction*>(QStringLiteral("Retablir"))->trigger();  // as saved
  EXPECT_EQ(copiesIn(p.folder), QStringList{});
  w->findChild<QAction*>(QStringLiteral("Annuler"))->trigger();
  w->recoveryWriter()->flush();
  w->close();
  EXPECT_EQ(copiesIn(p.folder), QStringList{});
}

TEST(Recovery, AReopenedAnalysisComesBackWithItsRowsAndItsFile) {
  Program p;
  p.writeSource(kText);
  CandidateGrid file;
  for (int i = 1; i <= 5; ++i)
    file.appendRow(CandidateRow(100 + i, std::to_string(i % 3 + 1), "forma" + std::to_string(i), "", false));
  const QString dat = p.h.path(QStringLiteral("analyse.DAT"));
  ASSERT_FALSE(writeAnalysisFile(dat.toStdString(), file).has_value());
  p.menu->findChild<QLineEdit*>(QStringLiteral("Text1"))->setText(p.source);
  p.h.prompts.fileAnswers = {dat};
  p.menu->findChild<QAction*>(kindWindows(KindId::AccSg).itemName(Family::Existing))->trigger();
  const QString name = kindWindows(KindId::AccSg).windowName(Family::Existing);
  auto* w = p.h.workspace->find<AnalysisWindow>(name);
  ASSERT_NE(w, nullptr);
  Program::edit(w);
  const QStringList unsaved = rowsOf(w);
  w->recoveryWriter()->flush();
  delete w;  // as a crash leaves it

  p.h.prompts.questionAnswers = {true};
  offerRecoveredAnalyses(*p.h.workspace);
  auto* back = p.h.workspace->find<AnalysisWindow>(name);
  ASSERT_NE(back, nullptr);
  EXPECT_EQ(rowsOf(back), unsaved);
  EXPECT_EQ(back->analysisPath(), dat);
  EXPECT_TRUE(back->findChild<QAction*>(QStringLiteral("Enregistrerdirect"))->isEnabled());
  // Saved where it was opened from: the copy goes.
  back->findChild<QAction*>(QStringLiteral("Enregistrerdirect"))->trigger();
  EXPECT_EQ(copiesIn(p.folder), QStringList{});
  auto read = readAnalysisFile(dat.toStdString());
  ASSERT_TRUE(std::holds_alternative<CandidateGrid>(read));
  EXPECT_EQ(std::get<CandidateGrid>(read).candidateCount(), 4u);
}

// A program that crashed: its window went without closing, its copy stayed.
QString leaveCopy(Program& p) {
  AnalysisWindow* w = p.open();
  Program::edit(w);
  w->recoveryWriter()->flush();
  const QString id = w->recoveryWriter()->id();
  delete w;
  p.menu->show();
  return id;
}

TEST(Recovery, EachStateOfACopyAtStartUpIsToldInFrenchAndNothingIsLost) {
  struct Case {
    const char* what;
    std::function<void(Program&, const QString& id)> before;
    std::deque<bool> answers;
    QString message;             // the start of the message shown, if any
    QStringList filesLeft;       // suffixes of the files left of the copy
    bool opened;
  };
  const auto files = [](const QString& id, const Program& p) { return RecoveryWriter::filesOf(p.folder, id); };
  std::unique_ptr<QLockFile> held;
  const std::vector<Case> cases = {
      {"held by a running program",
       [&](Program& p, const QString& id) {
         held = std::make_unique<QLockFile>(files(id, p).lock);
         ASSERT_TRUE(held->tryLock(0));
       },
       {}, {}, {".copie", ".lock", ".source"}, false},
      {"damaged",
       [&](Program& p, const QString& id) { QFile(files(id, p).copy).resize(40); },
       {}, QStringLiteral("Des analyses non enregistrées ont été retrouvées (%1.copie), mais leur copie est endommagée"),
       {".copie.illisible", ".source"}, false},
      {"of another version",
       [&](Program& p, const QString& id) {
         QFile f(files(id, p).copy);
         f.open(QIODevice::ReadWrite);
         f.seek(23);
         f.write("\x07", 1);
       },
       {}, QStringLiteral("Des analyses non enregistrées ont été retrouvées (%1.copie), mais elles viennent d'une autre version"),
       {".copie", ".source"}, false},
      {"not wanted, then deleted", [](Program&, const QString&) {}, {false, true}, {}, {}, false},
      {"not wanted, then kept", [](Program&, const QString&) {}, {false, false}, {}, {".copie", ".source"}, false},
      {"source changed: shown with the text as it was",
       [](Program& p, const QString&) { p.writeSource("Aliud omnino. Rosam."); },
       {true}, QStringLiteral("Le texte source « caesar.txt » a changé ou a disparu depuis"),
       {".copie", ".lock", ".source"}, true},
      {"source gone and its copy too",
       [&](Program& p, const QString& id) {
         QFile::remove(p.source);
         QFile::remove(files(id, p).source);
       },
       {true}, QStringLiteral("Les analyses retrouvées ne peuvent pas être rouvertes"), {".copie"}, false},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    Program p;
    p.writeSource(kText);
    const QString id = leaveCopy(p);
    AnalysisWindow* reference = p.open();  // what the copy must give back
    Program::edit(reference);
    const QStringList expected = rowsOf(reference);
    reference->close();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    c.before(p, id);
    p.h.prompts.shown.clear();
    p.h.prompts.questionAnswers = c.answers;
    offerRecoveredAnalyses(*p.h.workspace);
    EXPECT_EQ(p.questions().size(), static_cast<qsizetype>(c.answers.size()));
    const QStringList messages = p.h.prompts.messages();
    if (c.message.isEmpty()) {
      EXPECT_EQ(messages, QStringList{});
    } else {
      ASSERT_EQ(messages.size(), 1);
      const QString start = c.message.contains(QLatin1String("%1")) ? c.message.arg(id) : c.message;
      EXPECT_TRUE(messages[0].startsWith(start)) << messages[0].toStdString();
    }
    auto* w = p.h.workspace->find<AnalysisWindow>(QStringLiteral("frmnew_analyse"));
    EXPECT_EQ(w != nullptr, c.opened);
    if (w) {
      EXPECT_EQ(rowsOf(w), expected);
    }
    QStringList left;
    for (const QString& name : copiesIn(p.folder)) left << name.mid(id.size());
    EXPECT_EQ(left, c.filesLeft);
    held.reset();
  }
}

}  // namespace
}  // namespace varnelio::ui
