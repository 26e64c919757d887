// SPDX-License-Identifier: GPL-3.0-or-later
// The "Outils" menu of the analysis windows, with the analyser and the tagger the
// build generated: the pre-analysis writes its labels into the empty analyses
// only, asks whether to delete the false candidates, and leaves the grid as it was
// when cancelled; the check walks the analyses that disagree with it.
#include <QAction>
#include <QFile>
#include <QLineEdit>
#include <QMenuBar>
#include <QPlainTextEdit>
#include <QProgressDialog>
#include <QTest>
#include <QStatusBar>
#include <QTimer>
#include <QToolButton>
#include <QRegularExpression>
#include <gtest/gtest.h>

#include "../support/required_data.h"

#include "core/analysis/analysis_file.h"
#include "ui/analysis/analysis_window.h"
#include "ui/analysis/candidate_grid_view.h"
#include "ui/app/main_window.h"
#include "ui/shell/kind_windows.h"
#include "ui_test_support.h"

namespace varnelio::ui {
namespace {

using testing::UiHarness;
using Kind = ScriptedPrompts::Shown::Kind;

bool preAnalysisBuilt() {
  return QFile::exists(QStringLiteral(VARNELIO_DATA_DIR "/analyseur.dat")) &&
         QFile::exists(QStringLiteral(VARNELIO_DATA_DIR "/etiqueteur.dat")) &&
         QFile::exists(QStringLiteral(VARNELIO_DATA_DIR "/juge.dat"));
}

struct Session {
  UiHarness h{QStringLiteral(VARNELIO_DATA_DIR)};
  MainWindow* menu = nullptr;
  AnalysisWindow* w = nullptr;

  Session(const QByteArray& text, const char* window, const CandidateGrid* file = nullptr) {
    menu = qobject_cast<MainWindow*>(h.workspace->open(WindowId::main()));
    menu->show();
    QFile f(h.path(QStringLiteral("texte.txt")));
    f.open(QIODevice::WriteOnly);
    f.write(text);
    f.close();
    auto* text1 = menu->findChild<QLineEdit*>(QStringLiteral("Text1"));
    text1->clear();
    QTest::keyClicks(text1, f.fileName());
    if (file) {
      const QString path = h.path(QStringLiteral("analyse.DAT"));
      EXPECT_FALSE(writeAnalysisFile(path.toStdString(), *file).has_value());
      h.prompts.fileAnswers = {path};
    }
    const auto kind = kindFromWindowName(window);
    menu->findChild<QAction*>(kindWindows(kind->first).itemName(kind->second))->trigger();
    w = h.workspace->find<AnalysisWindow>(QLatin1String(window));
  }
  CandidateGridView* grid() const { return w->findChild<CandidateGridView*>(QStringLiteral("grille01")); }
  QStringList rows() const {
    QStringList out;
    const auto* m = grid()->model();
    for (int r = 0; r < m->rowCount(); ++r) {
      QStringList cells;
      for (int c = 0; c < 4; ++c) cells << m->index(r, c).data().toString();
      out << cells.join(QLatin1Char('|'));
    }
    return out;
  }
  void trigger(const char* action) { w->findChild<QAction*>(QLatin1String(action))->trigger(); }
  void writeAnalysis(int row, const QString& text) {
    const QModelIndex index = grid()->model()->index(row - 1, 2);
    QTest::mouseClick(grid()->viewport(), Qt::LeftButton, {}, grid()->visualRect(index).center());
    auto* box = w->findChild<QPlainTextEdit*>(QStringLiteral("Textanalyse"));
    box->setPlainText(text);
    QTest::mouseClick(w->findChild<QToolButton*>(QStringLiteral("Command2")), Qt::LeftButton);
  }
};

const QByteArray kText = "Puella rosam dat. Rosae in horto sunt. Caesar legiones in Galliam duxit.";
const QString kNomPl = QStringLiteral("1 décl. nom. pl. [AA00J]");

TEST(AnalysisWindowTools, OutilsStandsBeforeAide) {
  VARNELIO_REQUIRE_DATA(preAnalysisBuilt(), "analyseur.dat and etiqueteur.dat");
  Session s(kText, "frmnew_nom_pluriel");
  ASSERT_NE(s.w, nullptr);
  QStringList menus;
  for (QAction* a : s.w->menuBar()->actions()) menus << a->text();
  EXPECT_EQ(menus, (QStringList{QStringLiteral("&Fichier"), QStringLiteral("&Édition"), QStringLiteral("&Dictionnaire"),
                                QStringLiteral("&Outils"), QStringLiteral("&Aide")}));
  EXPECT_EQ(s.w->findChild<QAction*>(QStringLiteral("Preanalyse"))->text(), QStringLiteral("&Pré-analyse"));
  EXPECT_EQ(s.w->findChild<QAction*>(QStringLiteral("Verifier"))->text(), QStringLiteral("&Vérifier les analyses"));
}

// "Puella" is no plural: "faux", deleted on "Oui". "legiones" is the object of
// "duxit" but might be a nominative: "douteux", kept without a label.
TEST(AnalysisWindowTools, PreAnalysisLabelsTheNounsAndOuiDeletesOnlyTheFalse) {
  VARNELIO_REQUIRE_DATA(preAnalysisBuilt(), "analyseur.dat and etiqueteur.dat");
  Session s(kText, "frmnew_nom_pluriel");
  s.h.prompts.questionAnswers = {true};
  s.trigger("Preanalyse");
  ASSERT_EQ(s.h.prompts.shown.size(), 1u);
  EXPECT_EQ(s.h.prompts.shown[0].kind, Kind::Question);
  EXPECT_EQ(s.h.prompts.shown[0].title, QStringLiteral("Varnelio"));
  EXPECT_EQ(s.h.prompts.shown[0].text,
            QStringLiteral("1 candidats ne semblent pas être des noms au nominatif pluriel (environ 0 pourraient "
                           "pourtant en être). Les supprimer ? Vous pourrez annuler la suppression (Ctrl+Z)."));
  // The label is proposed, not written: the row shows it, the grid holds no analysis.
  // "legiones" shows as « douteux », marked but without a label.
  EXPECT_EQ(s.rows(), (QStringList{QStringLiteral("1|2|Rosae|") + kNomPl, QStringLiteral("2|3|legiones|douteux")}));
  EXPECT_EQ(s.w->candidateGrid().analysis(2), "");
  ASSERT_NE(s.w->candidateGrid().proposal(2), nullptr);
  EXPECT_EQ(s.w->candidateGrid().proposal(2)->level, ProposalLevel::Doubtful);
  const bool rosaeSure = s.w->candidateGrid().proposal(1)->level == ProposalLevel::Sure;
  EXPECT_EQ(s.w->statusBar()->currentMessage(),
            rosaeSure ? QStringLiteral("Pré-analyse : 1 sûre, 0 probable, 1 douteuse, 1 supprimée")
                      : QStringLiteral("Pré-analyse : 0 sûre, 1 probable, 1 douteuse, 1 supprimée"));
  EXPECT_EQ(s.w->candidateGrid().analysis(1), "");
  ASSERT_NE(s.w->candidateGrid().proposal(1), nullptr);
  EXPECT_EQ(s.w->selectedRow(), 1);
}

// A count of thousands is written the French way in the question: "1 000", the
// thousands apart by a no-break space.
TEST(AnalysisWindowTools, TheQuestionGroupsThousands) {
  VARNELIO_REQUIRE_DATA(preAnalysisBuilt(), "analyseur.dat and etiqueteur.dat");
  Session s(QByteArray("Puella rosam dat. ").repeated(1200), "frmnew_nom_pluriel");
  s.h.prompts.questionAnswers = {false};
  s.trigger("Preanalyse");
  ASSERT_EQ(s.h.prompts.shown.size(), 1u);
  const QString& question = s.h.prompts.shown[0].text;
  EXPECT_TRUE(question.contains(QRegularExpression(QStringLiteral("^1\u00A0\\d{3} candidats ne semblent pas"))))
      << question.toStdString();
}

// The proposals and the deletions of one pre-analysis are one step: taken back
// together, done again together, the selection with them.
TEST(AnalysisWindowTools, OnePreAnalysisIsOneStepToTakeBackAndDoAgain) {
  VARNELIO_REQUIRE_DATA(preAnalysisBuilt(), "analyseur.dat and etiqueteur.dat");
  Session s(kText, "frmnew_nom_pluriel");
  s.writeAnalysis(3, QStringLiteral("à revoir"));
  const QStringList before = s.rows();
  s.h.prompts.questionAnswers = {true};
  s.trigger("Preanalyse");
  const QStringList after = s.rows();
  ASSERT_NE(after, before);
  auto* undo = s.w->findChild<QAction*>(QStringLiteral("Annuler"));
  auto* redo = s.w->findChild<QAction*>(QStringLiteral("Retablir"));
  EXPECT_EQ(undo->text(), QStringLiteral("&Annuler la pré-analyse"));
  undo->trigger();
  EXPECT_EQ(s.rows(), before);
  EXPECT_EQ(s.w->candidateGrid().proposal(1), nullptr);
  EXPECT_EQ(s.w->selectedRow(), 3);  // where the user was
  EXPECT_EQ(undo->text(), QStringLiteral("&Annuler la validation"));
  EXPECT_EQ(redo->text(), QStringLiteral("&Rétablir la pré-analyse"));
  redo->trigger();
  EXPECT_EQ(s.rows(), after);
  EXPECT_EQ(s.w->selectedRow(), 1);
}

TEST(AnalysisWindowTools, PreAnalysisKeepsWhatTheUserWroteAndNonKeepsTheCandidates) {
  VARNELIO_REQUIRE_DATA(preAnalysisBuilt(), "analyseur.dat and etiqueteur.dat");
  Session s(kText, "frmnew_nom_pluriel");
  s.writeAnalysis(3, QStringLiteral("à revoir"));
  s.writeAnalysis(2, QStringLiteral("mon analyse"));
  s.h.prompts.questionAnswers = {false};
  s.trigger("Preanalyse");
  ASSERT_EQ(s.h.prompts.shown.size(), 1u);
  EXPECT_EQ(s.h.prompts.shown[0].text,
            QStringLiteral("1 candidats ne semblent pas être des noms au nominatif pluriel (environ 0 pourraient "
                           "pourtant en être). Les supprimer ? Vous pourrez annuler la suppression (Ctrl+Z)."));
  EXPECT_EQ(s.rows(), (QStringList{QStringLiteral("1|1|Puella|"), QStringLiteral("2|2|Rosae|mon analyse"),
                                   QStringLiteral("3|3|legiones|à revoir")}));
  EXPECT_EQ(s.w->selectedRow(), 1);
}

TEST(AnalysisWindowTools, AnnulerLeavesTheGridAsItWas) {
  VARNELIO_REQUIRE_DATA(preAnalysisBuilt(), "analyseur.dat and etiqueteur.dat");
  QByteArray text;
  for (int i = 0; i < 2500; ++i) text += "Rosae in horto sunt. ";
  Session s(text, "frmnew_nom_pluriel");
  s.writeAnalysis(5, QStringLiteral("x"));
  const QStringList before = s.rows();
  ASSERT_EQ(before.size(), 2500);
  bool sawDialog = false;
  QTimer::singleShot(0, [&] {
    if (auto* p = s.w->findChild<QProgressDialog*>(QStringLiteral("progression"))) {
      sawDialog = p->labelText().contains(QStringLiteral("Pré-analyse"));
      p->cancel();
    }
  });
  s.trigger("Preanalyse");
  EXPECT_TRUE(sawDialog);
  EXPECT_EQ(s.rows(), before);
  EXPECT_TRUE(s.h.prompts.shown.empty());
}

TEST(AnalysisWindowTools, VerifierWalksFromTheSelectedRowRoundOnceAndEnds) {
  VARNELIO_REQUIRE_DATA(preAnalysisBuilt(), "analyseur.dat and etiqueteur.dat");
  Session s(kText, "frmnew_nom_pluriel");
  s.writeAnalysis(1, kNomPl);                                   // Puella is no plural
  s.writeAnalysis(2, QStringLiteral("2 décl. nom. pl. [AB00J]"));  // Rosae is of the first
  // Row 2 is selected: the walk goes from it to the end, then from the top back to it,
  // stopping once at each disagreement, and ends with its summary.
  s.trigger("Verifier");
  EXPECT_EQ(s.h.prompts.messages().back(), QStringLiteral("Ligne 2 : « Rosae » semble être 1 décl. nom. pl. [AA00J]."));
  EXPECT_EQ(s.w->selectedRow(), 2);
  s.trigger("Verifier");
  EXPECT_EQ(s.h.prompts.messages().back(),
            QStringLiteral("Ligne 1 : « Puella » ne semble pas être un nom au nominatif pluriel."));
  EXPECT_EQ(s.w->selectedRow(), 1);
  s.trigger("Verifier");
  EXPECT_EQ(s.h.prompts.messages().back(),
            QStringLiteral("Vérification terminée : 2 analyses diffèrent de la pré-analyse. 1 candidat reste douteux."));
  const auto shownBefore = s.h.prompts.messages().size();
  s.trigger("Verifier");  // a new walk, from row 1
  EXPECT_EQ(s.h.prompts.messages().size(), shownBefore + 1);
  EXPECT_EQ(s.h.prompts.messages().back(),
            QStringLiteral("Ligne 1 : « Puella » ne semble pas être un nom au nominatif pluriel."));
  s.writeAnalysis(1, QString());
  s.writeAnalysis(2, kNomPl);
  s.trigger("Verifier");
  // "legiones" is left, without an analysis, "douteux".
  EXPECT_EQ(s.h.prompts.messages().back(),
            QStringLiteral("Toutes les analyses concordent avec la pré-analyse. 1 candidat reste douteux."));
  s.writeAnalysis(3, QStringLiteral("3 décl. acc. pl. [AC00L]"));
  s.trigger("Verifier");
  EXPECT_EQ(s.h.prompts.messages().back(), QStringLiteral("Toutes les analyses concordent avec la pré-analyse."));
}

TEST(AnalysisWindowTools, AReopenedAnalysisIsJudgedAgainstItsText) {
  VARNELIO_REQUIRE_DATA(preAnalysisBuilt(), "analyseur.dat and etiqueteur.dat");
  // A file of the same text: one row left empty, one with the user's analysis.
  CandidateGrid file;
  file.appendRow(CandidateRow(1, "1", "rosam", "", false));
  file.appendRow(CandidateRow(2, "3", "Galliam", "x", true));
  Session s(kText, "frmanalyse_acc_sing", &file);
  ASSERT_NE(s.w, nullptr);
  s.trigger("Preanalyse");
  EXPECT_EQ(s.rows(), (QStringList{QStringLiteral("1|1|rosam|1 décl. acc. sg. [AA00C]"), QStringLiteral("2|3|Galliam|x")}));
  EXPECT_EQ(s.h.prompts.shown.size(), 1u);  // the file dialog only: no candidate judged false
  s.trigger("Verifier");
  EXPECT_EQ(s.h.prompts.messages().back(), QStringLiteral("Ligne 2 : « Galliam » semble être 1 décl. acc. sg. [AA00C]."));
}

}  // namespace
}  // namespace varnelio::ui
