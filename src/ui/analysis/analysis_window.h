// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The twenty analysis windows, one class configured by (kind, family). A window
// shows one analysis session: a new analysis scans the source text named by the main
// window for the kind's candidate forms; an existing analysis reopens an analysis
// file and shows it against that text. The user selects candidates, sees each one's
// sentence with the form in bold blue, validates an analysis or deletes the
// candidate, and saves, exports or prints the grid; the window forwards each command
// to the session, and asks before closing on work that is not saved.
#include "ui/analysis/layer.h"
#include <QMainWindow>
#include <QString>
#include <memory>
#include <optional>
#include <vector>

#include "core/analysis/analysis_kind.h"
#include "core/analysis/analysis_session.h"
#include "core/analysis/recovery_copy.h"
#include "ui/analysis/analysis_document.h"
#include "ui/shell/analysis_target.h"
#include "ui/shell/common_dialog.h"
#include "ui/shell/window_id.h"

class QAction;
class QLockFile;
class QGroupBox;
class QLabel;
class QPlainTextEdit;
class QTextEdit;
class QToolButton;

namespace varnelio {
class Exercise;
class ExerciseSession;
class PreAnalyser;
class RowJudgements;
}

namespace varnelio::ui {

class CandidateGridModel;
class CandidateGridView;
class RecoveryWriter;
class Workspace;

class AnalysisWindow final : public QMainWindow, public AnalysisDocument, public AnalysisTarget {
  Q_OBJECT
 public:
  // Outer size limits, in twips.
  static constexpr int kMaxWidthTwips = 11506;
  static constexpr int kMaxHeightTwips = 8341;

  AnalysisWindow(Workspace& workspace, KindId kind, Family family, QWidget* parent = nullptr);
  ~AnalysisWindow() override;

  // The load step: a new analysis reads, cuts and scans the source text; an
  // existing one asks for its analysis file first. Returns false when the window
  // must not stay open (the user has been told why). A cancelled file dialog is not
  // a failure: the window closes itself once shown.
  bool load();
  // Shows again the grid of a recovery copy (the copy's files are taken over with
  // their lock). Returns false when it cannot be shown (the user has been told why).
  bool loadRecovered(const RecoveryCopy& copy, const QString& recoveryFolder, const QString& copyId,
                     std::unique_ptr<QLockFile> lock);

  // An exercise window: the student's work on the full scan of the exercise's text
  // (its file at exercisePath), with "Corriger l'exercice" and without the
  // pré-analyse. Returns false when it must not stay open (the user told why).
  bool loadExercise(Exercise exercise, const QString& exercisePath);
  // Puts the window in exercise mode before a recovery copy of one is shown again.
  void setExercise(Exercise exercise, const QString& exercisePath);
  // The exercise the window belongs to; none outside exercise mode.
  ExerciseSession* exerciseSession() const { return exercise_.get(); }

  const AnalysisKind& kind() const { return session_->kind(); }
  Family family() const { return session_->family(); }
  // The analysis shown.
  AnalysisSession& session() { return *session_; }
  const AnalysisSession& session() const { return *session_; }
  // The row of the selected candidate (counted from 1), 0 before any selection.
  int selectedRow() const { return selectedRow_; }
  // How the load of an existing analysis went with its file dialog.
  enum class LoadState { NotAsked, FileChosen, DialogCancelled };
  LoadState loadState() const { return loadState_; }
  const SentenceTable& sentences() const { return session_->sentences(); }

  // AnalysisDocument
  QWidget* documentWindow() override { return this; }
  const CandidateGrid& candidateGrid() const override { return session_->grid(); }
  CommonDialog& commonDialog() override { return fileDialog_; }
  QString analysisPath() const override { return QString::fromStdString(session_->analysisPath()); }
  QString documentName() const override;
  QString sourceName() const override { return sourceName_; }
  void gridSaved(const QString& path) override;

  // The edits that can be taken back, and whether the grid differs from its file.
  const EditHistory& editHistory() const { return session_->history(); }
  // Takes back the last edit / does it again, as "Édition" does.
  void undo();
  void redo();
  // The recovery copy kept while the grid has unsaved changes.
  RecoveryWriter* recoveryWriter() const { return recovery_; }

  // AnalysisTarget: a label picked in the paradigm window goes into `Textanalyse`.
  void receiveAnalysis(const QString& label) override;

 protected:
  void resizeEvent(QResizeEvent* event) override;
  bool eventFilter(QObject* watched, QEvent* event) override;
  void closeEvent(QCloseEvent* event) override;
  void changeEvent(QEvent* event) override;
  void showEvent(QShowEvent* event) override;

 private:
  void buildControls();
  void buildAnalysisPanel();
  void buildBottomButtons(QWidget* client);
  void buildMenus();
  bool loadNew();
  bool loadExisting();
  // Reads the text named by the main window and cuts it into sentences, handing
  // each one to the scan when scan is true. False (and the user told) on failure.
  bool readAndCutSource(bool scan, CandidateGrid rows = {}, const QString& analysisPath = {});
  QWidget* messageParent();
  void hideMainWindow();
  void finishLoad();
  void showEmptyGrid();

  // The row-selection behaviour, for the row the grid has selected.
  void showSelectedRow();
  void highlightForm(const QString& form);
  void onValidate();
  void onDelete();
  void onSaveAndQuit();
  // Asks what to do with unsaved work before the window closes; true when it may close.
  bool mayClose();
  // Keeps what the analysis box may hold: what a record holds, in Windows-1252.
  void keepAnalysisBoxStorable();
  void openSideWindow(WindowId id, bool hourglass = true);

  // What follows from a change of the session's history or file.
  void sessionStateChanged();
  void updateEditActions();
  // Selects row r (the nearest row left) and shows it, as a click would.
  void selectRow(std::size_t r);
  void startRecoveryCopies(std::unique_ptr<RecoveryWriter> writer);

  // The "Outils" menu (analysis_window_tools.cpp).
  struct PreAnalysisTools;
  PreAnalyser* preAnalyser();
  bool judgeAllRows(RowJudgements& out);
  void onPreAnalysis();
  void onCheckAnalyses();
  // Turns every "sûr" proposal of a row without analysis into its analysis, as one step.
  void acceptSureProposals();
  std::shared_ptr<PreAnalysisTools> tools_;
  // Where « Vérifier les analyses » is in its walk over the rows.
  struct CheckWalk {
    std::size_t start;          // the row the walk started from
    std::size_t visited;        // rows looked at so far, from start on
    std::size_t lastStop;       // the row it last stopped at (0: none yet)
    std::size_t rows;           // the grid's rows when it started
    std::size_t disagreements = 0;
  };
  std::optional<CheckWalk> checkWalk_;

  // Exercises (analysis_window_exercise.cpp).
  void onSaveAsExercise();
  void onOpenCopy();
  void onCorrect();
  void showCorrection();
  // Asks what to do with unsaved work before it is replaced (before: « de fermer »);
  // true when it may be.
  bool mayReplace(const QString& before);
  std::unique_ptr<ExerciseSession> exercise_;
  CommonDialog exerciseDialog_;  // the .exo files, apart from the analyses' dialog

  Workspace& workspace_;
  QSize initialSize_;  // the first layout, never cut by the size clamp
  std::unique_ptr<AnalysisSession> session_;
  class StateListener;
  std::unique_ptr<StateListener> stateListener_;
  CommonDialog fileDialog_;  // `CommonDialog1`
  QString sourceName_;  // the source text's file name without its extension
  LoadState loadState_ = LoadState::NotAsked;
  int selectedRow_ = 0;
  RecoveryWriter* recovery_ = nullptr;
  QString lastStorableAnalysis_;  // what the analysis box held last that a record can hold

  CandidateGridModel* model_ = nullptr;
  QTextEdit* sentenceView_ = nullptr;  // `phrase`
  CandidateGridView* gridView_ = nullptr;  // `grille01`
  QGroupBox* gridFrame_ = nullptr;  // `Frame1`
  QGroupBox* analysisPanel_ = nullptr;  // `Frame2`
  QGroupBox* buttonFrame_ = nullptr;  // `Frame3`
  QLabel* formCaption_ = nullptr;  // `Label3`
  QLabel* formLabel_ = nullptr;  // `labelforme`
  QLabel* analysisCaption_ = nullptr;  // `Label7`
  QPlainTextEdit* analysisEdit_ = nullptr;  // `Textanalyse`
  QToolButton* formDictionaryButton_ = nullptr;  // `Command1`
  QToolButton* lemmaDictionaryButton_ = nullptr;  // `Command3`
  QToolButton* grammarButton_ = nullptr;  // `Command4`
  QToolButton* saveAndQuitButton_ = nullptr;  // `Command5`
  QToolButton* grammarBadgeButton_ = nullptr;  // `Command1_b`
  QToolButton* validateButton_ = nullptr;  // `Command2`
  QToolButton* deleteButton_ = nullptr;  // `cmb_delete`
  QAction* saveAction_ = nullptr;  // `Enregistrerdirect`
  QAction* saveAsAction_ = nullptr;  // `Enregistrer`
  QAction* exportAction_ = nullptr;  // `exportexcell`
  QAction* printAction_ = nullptr;  // `Imprimertable`
  QAction* closeAction_ = nullptr;  // `Fermer`
  QAction* undoAction_ = nullptr;  // `Annuler`
  QAction* redoAction_ = nullptr;  // `Retablir`
  QAction* preAnalysisAction_ = nullptr;  // `Preanalyse`
  QAction* checkAction_ = nullptr;  // `Verifier`
  QAction* acceptAction_ = nullptr;  // `Accepter`
  QAction* saveAsExerciseAction_ = nullptr;  // `EnregistrerExercice`
};

// Registers the factories of the twenty analysis windows under their names.
void registerAnalysisWindows(Workspace& workspace);

}  // namespace varnelio::ui
