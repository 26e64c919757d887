// SPDX-License-Identifier: GPL-3.0-or-later
// Exercises in the analysis windows. Any window saves its grid as an exercise: the
// text, the kind and the teacher's answers as the key. An exercise window is a new
// analysis of the exercise's text in exercise mode: the student works on the full
// scan without the pré-analyse, opens a saved copy of the work, and corrects it.
#include "ui/analysis/analysis_window.h"

#include <QFileInfo>
#include <QMenu>
#include <QMenuBar>

#include "core/analysis/analysis_file.h"
#include "core/exercise/exercise_file.h"
#include "core/exercise/exercise_session.h"
#include "core/text/french_count.h"
#include "ui/analysis/candidate_grid_model.h"
#include "ui/analysis/candidate_grid_view.h"
#include "ui/analysis/recovery_writer.h"
#include "ui/shell/busy_cursor.h"
#include "ui/shell/codec.h"
#include "ui/shell/kind_windows.h"
#include "ui/shell/prompts.h"
#include "ui/shell/workspace.h"

namespace varnelio::ui {
namespace {

const QString kExerciseFilter = QStringLiteral("Exercices Varnelio (*.exo)|*.exo");

QString counted(std::size_t n, const QString& singular, const QString& plural) {
  return QString::fromStdString(frenchCount(n)) + QLatin1Char(' ') + (n >= 2 ? plural : singular);
}

}  // namespace

// ---- The teacher: the grid as an exercise ----

void AnalysisWindow::onSaveAsExercise() {
  Prompts& prompts = workspace_.prompts();
  const CandidateGrid& grid = candidateGrid();
  if (grid.empty()) {
    prompts.inform(this, QStringLiteral("La grille est vide : il n'y a pas d'exercice à enregistrer."));
    return;
  }
  Exercise exercise;
  std::size_t unmatched = 0;
  std::size_t notGraded = 0;
  {
    BusyCursor busy(this);
    exercise = Exercise(sentences(), kind().id);
    ExerciseKey key = keyFromGrid(exercise, grid, &unmatched);
    notGraded = key.notGradedCount();
    if (unmatched == 0 && key.gradedCount() > 0) exercise.setKey(std::move(key));
  }
  // A grid reopened against another text, or edited by hand, would give a key that
  // fits no student's scan.
  if (unmatched > 0) {
    prompts.inform(this,
                   QStringLiteral("Le corrigé ne peut pas être fait : %1 de la grille ne correspond%2 à aucun "
                                  "candidat du texte « %3 ». Rouvrez ces analyses avec le texte sur lequel elles "
                                  "ont été faites.")
                       .arg(counted(unmatched, QStringLiteral("ligne"), QStringLiteral("lignes")),
                            unmatched >= 2 ? QStringLiteral("ent") : QString(),
                            QFileInfo(QString::fromStdString(session_->source().path)).fileName()),
                   kApplicationTitle, MessageIcon::Warning);
    return;
  }
  if (exercise.key().size() == 0) {
    prompts.inform(this, QStringLiteral("Aucune analyse n'est validée ni aucun candidat supprimé : l'exercice "
                                        "n'aurait rien à corriger."));
    return;
  }
  if (notGraded > 0 && !prompts.askYesNo(this, kApplicationTitle, fromUtf8(notGradedQuestion(notGraded)))) return;

  exerciseDialog_.filter = kExerciseFilter;
  if (exerciseDialog_.fileName.isEmpty() && !sourceName_.isEmpty())
    exerciseDialog_.fileName = sourceName_ + QStringLiteral(".exo");
  std::optional<QString> chosen = exerciseDialog_.showSave(prompts, this);
  if (!chosen) return;
  if (QFileInfo(*chosen).suffix().isEmpty())
    *chosen += chosen->endsWith(QLatin1Char('.')) ? QStringLiteral("exo") : QStringLiteral(".exo");
  exerciseDialog_.fileName = *chosen;
  if (holdsAnalysisRecords(toLocalPath(*chosen))) {
    prompts.inform(this,
                   QStringLiteral("« %1 » est un fichier d'analyses : l'exercice ne peut pas le remplacer. "
                                  "Choisissez un autre nom.")
                       .arg(QFileInfo(*chosen).fileName()),
                   kApplicationTitle, MessageIcon::Warning);
    return;
  }
  if (QFileInfo::exists(*chosen) && !confirmOverwrite(prompts, this, *chosen)) return;
  std::optional<FileError> error;
  {
    BusyCursor busy(this);
    error = writeExerciseFile(toLocalPath(*chosen), exercise);
  }
  if (error) {
    exerciseDialog_.writeFailed();
    prompts.inform(this, fileFailureMessage(QStringLiteral("L'enregistrement de l'exercice a échoué."), *chosen, *error),
                   kApplicationTitle, MessageIcon::Warning);
    return;
  }
  exerciseDialog_.writeSucceeded();
  prompts.inform(this, QStringLiteral("L'enregistrement de l'exercice est terminé."), kApplicationTitle);
}

// ---- The student: the exercise window ----

void AnalysisWindow::setExercise(Exercise exercise, const QString& exercisePath) {
  exercise_ = std::make_unique<ExerciseSession>(*session_, std::move(exercise), exercisePath.toStdString());
  setWindowTitle(analysisWindowTitle(kind()) + QStringLiteral(" - Exercice"));
  sourceName_ = QFileInfo(exercisePath).completeBaseName();
  // Proposing labels, or checking them, would do the exercise for the student.
  for (QAction* a : {preAnalysisAction_, checkAction_, acceptAction_}) a->setEnabled(false);

  auto add = [this](const char* menu, const QString& caption, const char* name, QAction* before = nullptr) {
    auto* m = findChild<QMenu*>(QLatin1String(menu));
    auto* a = new QAction(caption, m);
    a->setObjectName(QLatin1String(name));
    m->insertAction(before, a);
    return a;
  };
  QAction* openCopy = add("fichier", QStringLiteral("&Ouvrir une copie…"), "OuvrirCopie", saveAction_);
  QAction* correct = add("Outils", QStringLiteral("&Corriger l'exercice"), "Corriger");
  correct->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_K));
  connect(openCopy, &QAction::triggered, this, [this] { onOpenCopy(); });
  connect(correct, &QAction::triggered, this, [this] { onCorrect(); });

  model_->setCorrectionSource([this](std::size_t r) {
    CandidateGridModel::RowCorrection shown;
    const GradedCandidate* graded = exercise_->gradedAt(r);
    if (!graded) return shown;
    shown.mark = graded->verdict == Verdict::Right ? CandidateGridModel::CorrectionMark::Right
                                                   : CandidateGridModel::CorrectionMark::Wrong;
    shown.expected = fromUtf8(expectedAnswerTooltip(exercise_->exercise(), graded->candidate));
    if (graded->verdict == Verdict::NounDeleted) shown.expected += QStringLiteral("\nCe nom avait été supprimé.");
    return shown;
  });
}

bool AnalysisWindow::loadExercise(Exercise exercise, const QString& exercisePath) {
  setExercise(std::move(exercise), exercisePath);
  {
    BusyCursor busy(this);
    exercise_->start();
    recovery_->setSource(sentences());
  }
  if (candidateGrid().empty()) {
    workspace_.prompts().inform(messageParent(),
                                QStringLiteral("Cet exercice ne contient aucune forme candidate."));
    return false;
  }
  hideMainWindow();
  finishLoad();
  return true;
}

void AnalysisWindow::onOpenCopy() {
  if (!exercise_ || !mayReplace(QStringLiteral("d'ouvrir une copie"))) return;
  fileDialog_.filter = QStringLiteral("Fichiers de données (*.DAT)|*.DAT");
  const std::optional<QString> chosen = fileDialog_.showOpen(workspace_.prompts(), this);
  if (!chosen) return;
  BusyCursor busy(this);
  auto read = openAnalysisFile(toLocalPath(*chosen));
  const QString name = QFileInfo(*chosen).fileName();
  QString refusal;
  if (auto* error = std::get_if<FileError>(&read)) {
    refusal = fileFailureMessage(QStringLiteral("Le fichier d'analyse ne peut pas être lu."), *chosen, *error);
  } else if (std::holds_alternative<NotAnalysisRecords>(read)) {
    refusal = QStringLiteral("« %1 » n'est pas un fichier d'analyses.").arg(name);
  } else if (const std::size_t unmatched = exercise_->openCopy(std::get<CandidateGrid>(read), chosen->toStdString());
             unmatched > 0) {
    refusal = QStringLiteral("« %1 » n'est pas une copie de cet exercice : %2 ne correspond%3 à aucun candidat de "
                             "son texte.")
                  .arg(name, counted(unmatched, QStringLiteral("ligne"), QStringLiteral("lignes")),
                       unmatched >= 2 ? QStringLiteral("ent") : QString());
  }
  if (!refusal.isEmpty()) {
    busy.restore();
    workspace_.prompts().inform(this, refusal, kApplicationTitle, MessageIcon::Warning);
    return;
  }
  // The session now holds the copy: the one it had is gone, and so is its recovery copy.
  session_->discardChanges();
  busy.restore();
  onCorrect();
}

// ---- Correction ----

void AnalysisWindow::onCorrect() {
  if (!exercise_ || candidateGrid().empty()) return;
  const std::size_t selected = selectedRow_ >= 1 ? static_cast<std::size_t>(selectedRow_) : 1;
  {
    BusyCursor busy(this);
    exercise_->correct(selected);
  }
  showCorrection();
}

// The marks on the rows, the first wrong one selected, then the summary.
void AnalysisWindow::showCorrection() {
  model_->correctionChanged();
  std::size_t firstWrong = 0;
  for (std::size_t r = 1; r <= candidateGrid().candidateCount() && firstWrong == 0; ++r)
    if (const GradedCandidate* g = exercise_->gradedAt(r); g && g->verdict != Verdict::Right) firstWrong = r;
  selectRow(firstWrong != 0 ? firstWrong : std::max(selectedRow_, 1));
  workspace_.prompts().inform(this, fromUtf8(summaryLine(*exercise_->lastCorrection())), kApplicationTitle);
}

}  // namespace varnelio::ui
