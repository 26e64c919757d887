// SPDX-License-Identifier: GPL-3.0-or-later
// Exercises in the windows: the teacher saves a grid as an exercise, the student
// opens it from Menu, answers, corrects, saves the work and has it corrected again.
#include <QAction>
#include <QFile>
#include <QFileInfo>
#include <QIcon>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QTest>
#include <QToolButton>
#include <gtest/gtest.h>

#include "core/analysis/analysis_file.h"
#include "core/exercise/exercise_file.h"
#include "core/exercise/exercise_session.h"
#include "ui/analysis/analysis_window.h"
#include "ui/analysis/candidate_grid_model.h"
#include "ui/analysis/candidate_grid_view.h"
#include "ui/analysis/recovery_writer.h"
#include "ui/app/main_window.h"
#include "ui/app/recovery_offer.h"
#include "ui_test_support.h"

static void PrintTo(const QString& text, std::ostream* out) { *out << '"' << text.toStdString() << '"'; }

namespace varnelio::ui {
namespace {

using testing::UiHarness;
using Kind = ScriptedPrompts::Shown::Kind;
using Mark = CandidateGridModel::CorrectionMark;

// Seven accusative singular candidates: rosam, servum, dominam, Templum, Romanum,
// portam, Nautam.
const QByteArray kText =
    "Puella rosam amat. Dominus servum videt et dominam. Templum Romanum et portam video. Nautam laudo.";
const QString kFirst = QStringLiteral("1 décl. acc. sg. [AA00C]");
const QString kSecond = QStringLiteral("2 décl. acc. sg. [AB00C]");

class ExerciseWindow : public ::testing::Test {
 protected:
  void SetUp() override {
    menu = qobject_cast<MainWindow*>(h.workspace->open(WindowId::main()));
    QFile f(h.path(QStringLiteral("texte.txt")));
    ASSERT_TRUE(f.open(QIODevice::WriteOnly));
    f.write(kText);
    f.close();
    menu->findChild<QLineEdit*>(QStringLiteral("Text1"))->setText(f.fileName());
  }
  static CandidateGridView* grid(AnalysisWindow* w) { return w->findChild<CandidateGridView*>(QStringLiteral("grille01")); }
  static QAction* action(AnalysisWindow* w, const char* name) { return w->findChild<QAction*>(QLatin1String(name)); }
  static void select(AnalysisWindow* w, int row) {
    CandidateGridView* g = grid(w);
    QTest::mouseClick(g->viewport(), Qt::LeftButton, {}, g->visualRect(g->model()->index(row - 1, 2)).center());
  }
  static QString form(AnalysisWindow* w, int row) { return grid(w)->model()->index(row - 1, 2).data().toString(); }
  static void answer(AnalysisWindow* w, int row, const QString& text) {
    select(w, row);
    w->findChild<QPlainTextEdit*>(QStringLiteral("Textanalyse"))->setPlainText(text);
    QTest::mouseClick(w->findChild<QToolButton*>(QStringLiteral("Command2")), Qt::LeftButton);
  }
  static void remove(AnalysisWindow* w, int row) {
    select(w, row);
    QTest::mouseClick(w->findChild<QToolButton*>(QStringLiteral("cmb_delete")), Qt::LeftButton);
  }
  static QVariant cell(AnalysisWindow* w, int row, int role) { return grid(w)->model()->index(row - 1, 3).data(role); }
  static Mark mark(AnalysisWindow* w, int row) {
    return static_cast<Mark>(cell(w, row, CandidateGridModel::CorrectionRole).toInt());
  }
  static void settle() {
    QCoreApplication::processEvents();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    QCoreApplication::processEvents();
  }
  // The row of the form, 0 when it is not in the grid.
  static int rowOf(AnalysisWindow* w, const QString& f) {
    for (int r = 1; r <= grid(w)->model()->rowCount(); ++r)
      if (form(w, r) == f) return r;
    return 0;
  }

  // The teacher's exercise: rosam, dominam, portam of the first declension, servum and
  // Templum of the second, Romanum deleted, Nautam left without an answer.
  QString makeExercise() {
    menu->findChild<QAction*>(QStringLiteral("acc_sing_nouveau"))->trigger();
    auto* w = h.workspace->find<AnalysisWindow>(QStringLiteral("frmnew_analyse"));
    for (const auto& [row, label] : {std::pair{1, kFirst}, {2, kSecond}, {3, kFirst}, {4, kSecond}, {6, kFirst}})
      answer(w, row, label);
    remove(w, 5);
    const QString path = h.path(QStringLiteral("cours.exo"));
    h.prompts.questionAnswers = {true};
    h.prompts.fileAnswers = {path};
    action(w, "EnregistrerExercice")->trigger();
    w->close();
    settle();
    h.prompts.shown.clear();
    return path;
  }
  AnalysisWindow* openExercise(const QString& path) {
    h.prompts.fileAnswers = {path};
    menu->findChild<QAction*>(QStringLiteral("OuvrirExercice"))->trigger();
    return h.workspace->find<AnalysisWindow>(QStringLiteral("frmnew_analyse"));
  }
  // A student's answers: rosam right, servum of the wrong declension, dominam deleted,
  // Templum right in other spacing and case, Romanum kept as a noun, portam empty.
  static void answerWrongly(AnalysisWindow* w) {
    answer(w, 1, kFirst);
    answer(w, 2, kFirst);
    answer(w, 4, QStringLiteral("2 DECL acc.sg. [ab00c]"));
    answer(w, 5, kSecond);
    remove(w, 3);
  }

  UiHarness h;
  MainWindow* menu = nullptr;
};

TEST_F(ExerciseWindow, TheTeacherSavesTheGridAsAnExerciseAfterTheQuestion) {
  menu->findChild<QAction*>(QStringLiteral("acc_sing_nouveau"))->trigger();
  auto* w = h.workspace->find<AnalysisWindow>(QStringLiteral("frmnew_analyse"));
  ASSERT_NE(w, nullptr);
  EXPECT_EQ(action(w, "EnregistrerExercice")->text(), QStringLiteral("Enregistrer comme e&xercice…"));
  answer(w, 1, kFirst);
  answer(w, 2, QStringLiteral("pronom, pas un nom"));
  remove(w, 3);

  // Declined: nothing is written and no dialog shown.
  h.prompts.questionAnswers = {false};
  action(w, "EnregistrerExercice")->trigger();
  ASSERT_EQ(h.prompts.shown.size(), 1u);
  EXPECT_EQ(h.prompts.shown[0].kind, Kind::Question);
  EXPECT_EQ(h.prompts.shown[0].text,
            QStringLiteral("4 candidats n'ont pas de réponse et ne seront pas corrigés. Continuer ?"));

  // Accepted: a name without extension gets ".exo"; the file holds text, kind and key.
  h.prompts.shown.clear();
  h.prompts.questionAnswers = {true};
  h.prompts.fileAnswers = {h.path(QStringLiteral("cours"))};
  action(w, "EnregistrerExercice")->trigger();
  ASSERT_EQ(h.prompts.shown.size(), 3u);
  EXPECT_EQ(h.prompts.shown[1].kind, Kind::SaveFile);
  EXPECT_EQ(h.prompts.shown[1].text, QStringLiteral("Exercices Varnelio (*.exo)|*.exo"));
  EXPECT_EQ(h.prompts.messages(), QStringList{QStringLiteral("L'enregistrement de l'exercice est terminé.")});
  auto read = readExerciseFile(h.path(QStringLiteral("cours.exo")).toStdString());
  ASSERT_TRUE(std::holds_alternative<Exercise>(read));
  const Exercise& exercise = std::get<Exercise>(read);
  EXPECT_EQ(exercise.text(), kText.toStdString());
  EXPECT_EQ(exercise.kindId(), KindId::AccSg);
  const ExerciseKey& key = exercise.key();
  ASSERT_EQ(key.size(), 7u);
  EXPECT_EQ(key.expected(0), Expected::Noun);
  EXPECT_EQ(key.declension(0), 1);
  EXPECT_EQ(key.expected(1), Expected::NotOne);
  EXPECT_EQ(key.expected(2), Expected::NotOne);
  EXPECT_EQ(key.notGradedCount(), 4u);
  // The exercise is no analysis file: "Enregistrer les analyses" still has none.
  EXPECT_FALSE(action(w, "Enregistrerdirect")->isEnabled());
}

TEST_F(ExerciseWindow, AnAnalysisReopenedAgainstAnotherTextMakesNoKey) {
  QFile other(h.path(QStringLiteral("autre.txt")));
  ASSERT_TRUE(other.open(QIODevice::WriteOnly));
  other.write("Servum video. Rosam amo.");
  other.close();
  menu->findChild<QAction*>(QStringLiteral("acc_sing_nouveau"))->trigger();
  auto* w = h.workspace->find<AnalysisWindow>(QStringLiteral("frmnew_analyse"));
  h.prompts.fileAnswers = {h.path(QStringLiteral("a.DAT"))};
  action(w, "Enregistrer")->trigger();
  w->close();
  settle();
  menu->findChild<QLineEdit*>(QStringLiteral("Text1"))->setText(other.fileName());
  h.prompts.fileAnswers = {h.path(QStringLiteral("a.DAT"))};
  menu->findChild<QAction*>(QStringLiteral("acc_sing_modif"))->trigger();
  w = h.workspace->find<AnalysisWindow>(QStringLiteral("frmanalyse_acc_sing"));
  ASSERT_NE(w, nullptr);
  h.prompts.shown.clear();
  action(w, "EnregistrerExercice")->trigger();
  ASSERT_EQ(h.prompts.messages().size(), 1);
  EXPECT_TRUE(h.prompts.messages()[0].startsWith(QStringLiteral("Le corrigé ne peut pas être fait : 7 lignes de la "
                                                                "grille ne correspondent à aucun candidat du texte "
                                                                "« autre.txt ».")))
      << h.prompts.messages()[0].toStdString();
  EXPECT_FALSE(QFile::exists(h.path(QStringLiteral("a.exo"))));
}

TEST_F(ExerciseWindow, TheExerciseWindowHasNoPreAnalysisAndTheFullScan) {
  const QString path = makeExercise();
  AnalysisWindow* w = openExercise(path);
  ASSERT_NE(w, nullptr);
  ASSERT_NE(w->exerciseSession(), nullptr);
  EXPECT_EQ(w->windowTitle(), QStringLiteral("Orvalune - Varnelio (Analyse - Accusatif singulier) - Exercice"));
  for (const char* name : {"Preanalyse", "Verifier", "Accepter"}) EXPECT_FALSE(action(w, name)->isEnabled()) << name;
  for (const char* name : {"dico_lemmes", "dico_formes", "Corriger", "OuvrirCopie", "Annuler"}) EXPECT_NE(action(w, name), nullptr) << name;
  EXPECT_TRUE(w->findChild<QToolButton*>(QStringLiteral("Command4"))->isEnabled());
  EXPECT_EQ(action(w, "Corriger")->shortcut(), QKeySequence(Qt::CTRL | Qt::Key_K));
  // Romanum, deleted by the teacher, is there: telling it apart is the exercise.
  EXPECT_EQ(grid(w)->model()->rowCount(), 7);
  EXPECT_EQ(form(w, 5), QStringLiteral("Romanum"));
  EXPECT_FALSE(menu->isVisible());
  // An ordinary window has no correction.
  w->close();
  settle();
  menu->findChild<QAction*>(QStringLiteral("acc_sing_nouveau"))->trigger();
  auto* plain = h.workspace->find<AnalysisWindow>(QStringLiteral("frmnew_analyse"));
  EXPECT_EQ(action(plain, "Corriger"), nullptr);
  EXPECT_TRUE(action(plain, "Preanalyse")->isEnabled());
}

TEST_F(ExerciseWindow, CorrectingMarksTheRowsBringsBackDeletedNounsAndSumsUp) {
  AnalysisWindow* w = openExercise(makeExercise());
  ASSERT_NE(w, nullptr);
  answerWrongly(w);
  ASSERT_EQ(rowOf(w, QStringLiteral("dominam")), 0);
  h.prompts.shown.clear();
  action(w, "Corriger")->trigger();
  EXPECT_EQ(h.prompts.messages(),
            QStringList{QStringLiteral("2 analyses justes sur 6 ; 1 nom supprimé à tort ; 1 faux candidat gardé. "
                                       "Note : 6,5 / 20")});
  ASSERT_EQ(grid(w)->model()->rowCount(), 7);
  struct Case {
    const char* form;
    Mark mark;
    const char* tooltip;
  };
  for (const Case& c : {Case{"rosam", Mark::Right, "Attendu : 1 décl. acc. sg. [AA00C]"},
                        Case{"servum", Mark::Wrong, "Attendu : 2 décl. acc. sg. [AB00C]"},
                        Case{"dominam", Mark::Wrong, "Attendu : 1 décl. acc. sg. [AA00C]\nCe nom avait été supprimé."},
                        Case{"Templum", Mark::Right, "Attendu : 2 décl. acc. sg. [AB00C]"},
                        Case{"Romanum", Mark::Wrong, "Attendu : pas un accusatif singulier"},
                        Case{"portam", Mark::Wrong, "Attendu : 1 décl. acc. sg. [AA00C]"},
                        Case{"Nautam", Mark::None, ""}}) {
    const int row = rowOf(w, QString::fromUtf8(c.form));
    ASSERT_NE(row, 0) << c.form;
    EXPECT_EQ(mark(w, row), c.mark) << c.form;
    EXPECT_EQ(cell(w, row, Qt::ToolTipRole).toString(), QString::fromUtf8(c.tooltip)) << c.form;
    EXPECT_EQ(cell(w, row, Qt::DecorationRole).value<QIcon>().isNull(), c.mark == Mark::None) << c.form;
  }
  // The marks are the view's: the analyses are as the student wrote them.
  EXPECT_EQ(cell(w, rowOf(w, QStringLiteral("rosam")), Qt::DisplayRole).toString(), kFirst);
  EXPECT_EQ(cell(w, rowOf(w, QStringLiteral("dominam")), Qt::DisplayRole).toString(), QString());

  // Bringing the noun back is one step that can be taken back.
  EXPECT_EQ(action(w, "Annuler")->text(), QStringLiteral("&Annuler le retour des noms supprimés"));
  w->undo();
  EXPECT_EQ(rowOf(w, QStringLiteral("dominam")), 0);
  w->redo();

  // The student goes on and corrects again: the marks follow.
  answer(w, rowOf(w, QStringLiteral("servum")), kSecond);
  answer(w, rowOf(w, QStringLiteral("dominam")), kFirst);
  h.prompts.shown.clear();
  action(w, "Corriger")->trigger();
  EXPECT_EQ(h.prompts.messages(),
            QStringList{QStringLiteral("4 analyses justes sur 6 ; 0 nom supprimé à tort ; 1 faux candidat gardé. "
                                       "Note : 13,5 / 20")});
  EXPECT_EQ(mark(w, rowOf(w, QStringLiteral("servum"))), Mark::Right);
  EXPECT_EQ(mark(w, rowOf(w, QStringLiteral("dominam"))), Mark::Right);
}

TEST_F(ExerciseWindow, TheStudentsSavedWorkReopensInTheExerciseWindowCorrected) {
  const QString exo = makeExercise();
  AnalysisWindow* w = openExercise(exo);
  ASSERT_NE(w, nullptr);
  answerWrongly(w);
  const QString copy = h.path(QStringLiteral("eleve.DAT"));
  h.prompts.fileAnswers = {copy};
  action(w, "Enregistrer")->trigger();
  // An ordinary analysis file: the six rows kept.
  EXPECT_EQ(QFileInfo(copy).size(), 6 * 369);
  w->close();
  settle();

  w = openExercise(exo);
  ASSERT_NE(w, nullptr);
  h.prompts.shown.clear();
  h.prompts.fileAnswers = {copy};
  action(w, "OuvrirCopie")->trigger();
  EXPECT_EQ(h.prompts.messages(),
            QStringList{QStringLiteral("2 analyses justes sur 6 ; 1 nom supprimé à tort ; 1 faux candidat gardé. "
                                       "Note : 6,5 / 20")});
  EXPECT_EQ(w->analysisPath(), copy);
  EXPECT_EQ(mark(w, rowOf(w, QStringLiteral("dominam"))), Mark::Wrong);
  EXPECT_EQ(mark(w, rowOf(w, QStringLiteral("rosam"))), Mark::Right);
  EXPECT_EQ(cell(w, rowOf(w, QStringLiteral("servum")), Qt::DisplayRole).toString(), kFirst);

  // A copy of another text is refused, and the window keeps what it shows.
  const QString other = h.path(QStringLiteral("autre.DAT"));
  CandidateGrid rows;
  rows.appendRow(CandidateRow(1, "9", "rosam", "", false));
  ASSERT_FALSE(writeAnalysisFile(other.toStdString(), rows));
  h.prompts.shown.clear();
  h.prompts.saveChoices = {SaveChoice::Discard};
  h.prompts.fileAnswers = {other};
  action(w, "OuvrirCopie")->trigger();
  ASSERT_EQ(h.prompts.shown[0].kind, Kind::SaveQuestion);
  EXPECT_EQ(h.prompts.shown[0].text, QStringLiteral("Enregistrer les analyses de « cours.exo » (Accusatif singulier) "
                                                    "avant d'ouvrir une copie ?"));
  ASSERT_EQ(h.prompts.messages().size(), 1);
  EXPECT_EQ(h.prompts.messages()[0], QStringLiteral("« autre.DAT » n'est pas une copie de cet exercice : 1 ligne ne "
                                                    "correspond à aucun candidat de son texte."));
  EXPECT_EQ(w->analysisPath(), copy);
}

TEST_F(ExerciseWindow, AnExerciseWindowComesBackAsOneAfterACrash) {
  const QString exo = makeExercise();
  h.workspace->setRecoveryDir(h.path(QStringLiteral("recovery")));
  AnalysisWindow* w = openExercise(exo);
  ASSERT_NE(w, nullptr);
  answerWrongly(w);
  w->recoveryWriter()->flush();
  // The crash: the window goes without its closing steps, the copy stays.
  const QString id = w->recoveryWriter()->id();
  ASSERT_FALSE(id.isEmpty());
  delete w;  // a window deleted without closing keeps its copy, as a crash would
  menu->show();
  h.prompts.questionAnswers = {true};
  offerRecoveredAnalyses(*h.workspace);
  w = h.workspace->find<AnalysisWindow>(QStringLiteral("frmnew_analyse"));
  ASSERT_NE(w, nullptr);
  ASSERT_NE(w->exerciseSession(), nullptr);
  EXPECT_EQ(w->windowTitle(), QStringLiteral("Orvalune - Varnelio (Analyse - Accusatif singulier) - Exercice"));
  EXPECT_EQ(grid(w)->model()->rowCount(), 6);
  h.prompts.shown.clear();
  action(w, "Corriger")->trigger();
  EXPECT_EQ(h.prompts.messages(),
            QStringList{QStringLiteral("2 analyses justes sur 6 ; 1 nom supprimé à tort ; 1 faux candidat gardé. "
                                       "Note : 6,5 / 20")});
}

}  // namespace
}  // namespace varnelio::ui
