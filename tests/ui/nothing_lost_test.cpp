// SPDX-License-Identifier: GPL-3.0-or-later
// No close, export or open throws work away: the question before closing on unsaved
// analyses and each of its answers, exports kept off analysis files, what is refused
// as an analysis file, and what the analysis box refuses as it is typed.
#include <QAction>
#include <QDir>
#include <QFile>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QStatusBar>
#include <QTest>
#include <QToolButton>
#include <gtest/gtest.h>

#include "core/analysis/analysis_file.h"
#include "ui/analysis/analysis_window.h"
#include "ui/analysis/candidate_grid_view.h"
#include "ui/analysis/recovery_writer.h"
#include "ui/app/main_window.h"
#include "ui/shell/kind_windows.h"
#include "ui_test_support.h"

static void PrintTo(const QString& text, std::ostream* out) { *out << '"' << text.toStdString() << '"'; }

namespace varnelio::ui {
namespace {

using testing::UiHarness;
using Kind = ScriptedPrompts::Shown::Kind;

const QByteArray kText = "Puella rosam amat. Dominus servum videt et dominam. Templum Romanum et portam video.";

struct Program {
  UiHarness h;
  QString folder = h.path(QStringLiteral("recovery"));
  MainWindow* menu = nullptr;

  Program() {
    h.workspace->setRecoveryDir(folder);
    menu = qobject_cast<MainWindow*>(h.workspace->open(WindowId::main()));
    menu->show();
    write(QStringLiteral("caesar.txt"), kText);
    menu->findChild<QLineEdit*>(QStringLiteral("Text1"))->setText(h.path(QStringLiteral("caesar.txt")));
  }
  void write(const QString& name, const QByteArray& bytes) {
    QFile f(h.path(name));
    ASSERT_TRUE(f.open(QIODevice::WriteOnly));
    f.write(bytes);
  }
  QByteArray read(const QString& name) const {
    QFile f(h.path(name));
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray("<absent>");
  }
  AnalysisWindow* open(Family family = Family::New) {
    menu->findChild<QAction*>(kindWindows(KindId::AccSg).itemName(family))->trigger();
    return find(family);
  }
  AnalysisWindow* find(Family family = Family::New) const {
    return h.workspace->find<AnalysisWindow>(kindWindows(KindId::AccSg).windowName(family));
  }
  static void settle() {
    QCoreApplication::processEvents();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    QCoreApplication::processEvents();
  }
  QStringList copies() const { return QDir(folder).entryList({QStringLiteral("*.copie")}, QDir::Files); }
};

QPlainTextEdit* analysisBox(AnalysisWindow* w) { return w->findChild<QPlainTextEdit*>(QStringLiteral("Textanalyse")); }

void validateRow(AnalysisWindow* w, int row, const QString& analysis) {
  auto* grid = w->findChild<CandidateGridView*>(QStringLiteral("grille01"));
  QTest::mouseClick(grid->viewport(), Qt::LeftButton, {}, grid->visualRect(grid->model()->index(row - 1, 2)).center());
  analysisBox(w)->setPlainText(analysis);
  QTest::mouseClick(w->findChild<QToolButton*>(QStringLiteral("Command2")), Qt::LeftButton);
}

const QString kQuestion =
    QStringLiteral("Enregistrer les analyses de « caesar.txt » (Accusatif singulier) avant de fermer ?");

TEST(NothingLost, AnUnchangedWindowClosesWithoutAQuestion) {
  Program p;
  AnalysisWindow* w = p.open();
  ASSERT_NE(w, nullptr);
  w->findChild<QAction*>(QStringLiteral("Fermer"))->trigger();
  Program::settle();
  EXPECT_EQ(p.find(), nullptr);
  EXPECT_TRUE(p.h.prompts.shown.empty());
  EXPECT_TRUE(p.menu->isVisible());
}

// Each answer of the question, by the close box and by « Fermer ».
TEST(NothingLost, ClosingOnUnsavedWorkAsksAndEachAnswerDoesWhatItSays) {
  struct Case {
    const char* name;
    std::vector<SaveChoice> choices;
    std::vector<std::optional<QString>> files;  // the save dialog's answers
    bool closes;
    bool saved;  // the analyses are in "sauve.DAT"
  };
  for (const Case& c : {Case{"Annuler keeps everything", {SaveChoice::Cancel}, {}, false, false},
                        Case{"Ne pas enregistrer closes without the work", {SaveChoice::Discard}, {}, true, false},
                        Case{"Enregistrer saves, then closes", {SaveChoice::Save}, {QStringLiteral("sauve")}, true, true},
                        Case{"Enregistrer, then a cancelled dialog keeps the window",
                             {SaveChoice::Save},
                             {std::nullopt},
                             false,
                             false}}) {
    for (const bool byMenu : {false, true}) {
      SCOPED_TRACE(std::string(c.name) + (byMenu ? ", « Fermer »" : ", close box"));
      Program p;
      AnalysisWindow* w = p.open();
      ASSERT_NE(w, nullptr);
      validateRow(w, 2, QStringLiteral("2 décl. acc. sg. [AB00C]"));
      w->recoveryWriter()->flush();
      ASSERT_EQ(p.copies().size(), 1);
      p.h.prompts.shown.clear();
      p.h.prompts.saveChoices.assign(c.choices.begin(), c.choices.end());
      for (const auto& f : c.files) p.h.prompts.fileAnswers.push_back(f ? p.h.path(*f) : f);
      if (byMenu)
        w->findChild<QAction*>(QStringLiteral("Fermer"))->trigger();
      else
        w->close();
      Program::settle();
      ASSERT_FALSE(p.h.prompts.shown.empty());
      EXPECT_EQ(p.h.prompts.shown[0].kind, Kind::SaveQuestion);
      EXPECT_EQ(p.h.prompts.shown[0].title, QStringLiteral("Varnelio"));
      EXPECT_EQ(p.h.prompts.shown[0].text, kQuestion);
      EXPECT_EQ(p.find() == nullptr, c.closes);
      EXPECT_EQ(p.menu->isVisible(), c.closes);
      const CandidateGrid savedGrid = decodeAnalysisFile(p.read(QStringLiteral("sauve.DAT")).toStdString());
      EXPECT_EQ(savedGrid.candidateCount() == 6 && savedGrid.analysis(2) == "2 d\xE9" "cl. acc. sg. [AB00C]", c.saved);
      // The recovery copy goes only once the work is saved or given up.
      EXPECT_EQ(p.copies().size(), c.closes ? 0 : 1);
      if (!c.closes) {
        EXPECT_TRUE(w->session().modified());
        EXPECT_EQ(w->candidateGrid().analysis(2), "2 d\xE9" "cl. acc. sg. [AB00C]");
        p.h.prompts.saveChoices = {SaveChoice::Discard};
        w->close();
        Program::settle();
      }
    }
  }
}

// A window that knows its file saves there without a dialog, and a failed save keeps
// the window and its work.
TEST(NothingLost, EnregistrerWritesTheKnownFileAndAFailedSaveKeepsTheWindow) {
  Program p;
  AnalysisWindow* w = p.open();
  ASSERT_NE(w, nullptr);
  p.h.prompts.fileAnswers = {p.h.path(QStringLiteral("connu.DAT"))};
  w->findChild<QAction*>(QStringLiteral("Enregistrer"))->trigger();
  validateRow(w, 1, QStringLiteral("1 décl. acc. sg. [AA00C]"));
  p.h.prompts.shown.clear();
  p.h.prompts.saveChoices = {SaveChoice::Save};
  w->close();
  Program::settle();
  EXPECT_EQ(p.find(), nullptr);
  ASSERT_EQ(p.h.prompts.shown.size(), 2u);  // the question, then the completion message: no dialog
  EXPECT_EQ(p.h.prompts.shown[1].text, QStringLiteral("L'enregistrement est terminé."));
  EXPECT_EQ(decodeAnalysisFile(p.read(QStringLiteral("connu.DAT")).toStdString()).analysis(1),
            "1 d\xE9" "cl. acc. sg. [AA00C]");

  w = p.open();
  validateRow(w, 1, QStringLiteral("x"));
  p.write(QStringLiteral("dossier"), "un fichier, pas un dossier");
  p.h.prompts.saveChoices = {SaveChoice::Save};
  p.h.prompts.fileAnswers = {p.h.path(QStringLiteral("dossier/a.DAT"))};
  w->close();
  Program::settle();
  EXPECT_EQ(p.find(), w);
  EXPECT_TRUE(p.h.prompts.messages().last().startsWith(QStringLiteral("L'enregistrement a échoué.")));
  p.h.prompts.saveChoices = {SaveChoice::Discard};
  w->close();
}

TEST(NothingLost, TheExportProposesAnXlsAndNeverReplacesAnalyses) {
  Program p;
  AnalysisWindow* w = p.open();
  ASSERT_NE(w, nullptr);
  p.h.prompts.fileAnswers = {p.h.path(QStringLiteral("caesar-acc"))};
  w->findChild<QAction*>(QStringLiteral("Enregistrer"))->trigger();
  const QByteArray analyses = p.read(QStringLiteral("caesar-acc.DAT"));
  ASSERT_EQ(analyses.size(), 6 * 369);  // the extension added
  EXPECT_EQ(w->analysisPath(), p.h.path(QStringLiteral("caesar-acc.DAT")));
  CandidateGrid other;
  other.appendCandidate("rosam", 1);
  ASSERT_FALSE(writeAnalysisFile(p.h.path(QStringLiteral("autre.DAT")).toStdString(), other).has_value());
  const QByteArray otherBytes = p.read(QStringLiteral("autre.DAT"));

  for (const char* target : {"caesar-acc.DAT", "autre.DAT"}) {
    SCOPED_TRACE(target);
    p.h.prompts.shown.clear();
    p.h.prompts.fileAnswers = {p.h.path(QLatin1String(target))};
    p.h.prompts.questionAnswers = {true};  // never asked
    w->findChild<QAction*>(QStringLiteral("exportexcell"))->trigger();
    ASSERT_EQ(p.h.prompts.shown.size(), 2u);
    EXPECT_EQ(p.h.prompts.shown[0].kind, Kind::SaveFile);
    // Proposed as the name chosen last, with ".xls".
    EXPECT_EQ(p.h.prompts.shown[0].fileName, p.h.path(QStringLiteral("caesar-acc.xls")));
    EXPECT_EQ(p.h.prompts.shown[1].kind, Kind::Message);
    EXPECT_EQ(p.h.prompts.shown[1].text,
              QStringLiteral("« %1 » est un fichier d'analyses : l'exportation ne peut pas le remplacer. "
                             "Choisissez un autre nom.")
                  .arg(QLatin1String(target)));
    p.h.prompts.questionAnswers.clear();
  }
  EXPECT_EQ(p.read(QStringLiteral("caesar-acc.DAT")), analyses);
  EXPECT_EQ(p.read(QStringLiteral("autre.DAT")), otherBytes);

  // A name without extension gets ".xls".
  p.h.prompts.shown.clear();
  p.h.prompts.fileAnswers = {p.h.path(QStringLiteral("tableau"))};
  w->findChild<QAction*>(QStringLiteral("exportexcell"))->trigger();
  EXPECT_EQ(p.h.prompts.shown[0].fileName, p.h.path(QStringLiteral("autre.xls")));
  EXPECT_TRUE(p.read(QStringLiteral("tableau.xls")).startsWith("N\xB0\tN\xB0 phrase"));
  EXPECT_EQ(p.h.prompts.messages(), QStringList{QStringLiteral("L'exportation est terminée.")});
}

// Only what can be records opens: a junk file, an export and a text are refused with
// Menu back, while an empty file and a short last record open as before.
TEST(NothingLost, WhatIsNotAnAnalysisFileIsRefused) {
  CandidateGrid two;
  two.appendCandidate("rosam", 1);
  two.appendCandidate("servum", 2);
  two.validate(1, "1 d\xE9" "cl.");
  const std::string records = encodeAnalysisFile(two);
  QByteArray junk;
  for (int i = 0; i < 2000; ++i) junk.append(static_cast<char>((i * 7919) % 256));
  struct Case {
    const char* name;
    QByteArray bytes;
    int rows;  // -1: refused
  };
  for (const Case& c :
       {Case{"junk.DAT", junk, -1},
        Case{"export.xls", QByteArray("N\xB0\tN\xB0 phrase\tForme(s)\tAnalyse(s)\r\n1\t1\trosam\t\r\n"), -1},
        Case{"caesar.txt", kText, -1},
        Case{"vide.DAT", QByteArray(), 0},
        Case{"court.DAT", QByteArray::fromStdString(records.substr(0, 369 + 190)), 2}}) {
    SCOPED_TRACE(c.name);
    Program p;
    p.write(QLatin1String(c.name), c.bytes);
    p.h.prompts.fileAnswers = {p.h.path(QLatin1String(c.name))};
    AnalysisWindow* w = p.open(Family::Existing);
    Program::settle();
    if (c.rows < 0) {
      EXPECT_EQ(w, nullptr);
      EXPECT_EQ(p.find(Family::Existing), nullptr);
      EXPECT_EQ(p.h.prompts.messages(),
                QStringList{QStringLiteral("« %1 » n'est pas un fichier d'analyses.").arg(QLatin1String(c.name))});
      EXPECT_TRUE(p.menu->isVisible());
    } else {
      ASSERT_NE(w, nullptr);
      EXPECT_EQ(w->candidateGrid().candidateCount(), static_cast<std::size_t>(c.rows));
    }
  }
}

TEST(NothingLost, TheAnalysisBoxRefusesWhatARecordCannotHold) {
  Program p;
  AnalysisWindow* w = p.open();
  ASSERT_NE(w, nullptr);
  QPlainTextEdit* box = analysisBox(w);
  box->clear();
  QTest::keyClicks(box, QString(254, QLatin1Char('a')));
  QTest::keyClicks(box, QStringLiteral("bc"));
  EXPECT_EQ(box->toPlainText(), QString(254, QLatin1Char('a')) + QLatin1Char('b'));
  EXPECT_EQ(w->statusBar()->currentMessage(),
            QStringLiteral("Une analyse tient en 255 caractères au plus : la suite est refusée."));
  // A line break takes two characters in the file.
  box->clear();
  QTest::keyClicks(box, QString(253, QLatin1Char('a')));
  QTest::keyClick(box, Qt::Key_Return);
  EXPECT_EQ(box->toPlainText(), QString(253, QLatin1Char('a')) + QLatin1Char('\n'));
  QTest::keyClicks(box, QStringLiteral("z"));
  EXPECT_EQ(box->toPlainText(), QString(253, QLatin1Char('a')) + QLatin1Char('\n'));

  // Greek pasted in the middle is refused whole; the caret stays where it was.
  box->setPlainText(QStringLiteral("3 décl."));
  w->statusBar()->clearMessage();
  QTextCursor caret = box->textCursor();
  caret.setPosition(2);
  box->setTextCursor(caret);
  box->insertPlainText(QStringLiteral("λόγος → "));
  EXPECT_EQ(box->toPlainText(), QStringLiteral("3 décl."));
  EXPECT_EQ(box->textCursor().position(), 2);
  EXPECT_EQ(w->statusBar()->currentMessage(),
            QStringLiteral("« λ » ne peut pas être enregistré dans un fichier d'analyses : ce caractère est refusé."));

  // Marked Latin vowels keep their reading.
  validateRow(w, 1, QStringLiteral("rosām"));
  EXPECT_EQ(w->candidateGrid().analysis(1), "rosam");
  p.h.prompts.saveChoices = {SaveChoice::Discard};
}

}  // namespace
}  // namespace varnelio::ui
