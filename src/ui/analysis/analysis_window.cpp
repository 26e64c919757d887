// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/shell/kind_windows.h"
#include "ui/analysis/analysis_window.h"

#include <QAction>
#include <QCloseEvent>
#include <QDateTime>
#include <QFileInfo>
#include <QKeyEvent>
#include <QLockFile>
#include <QGroupBox>
#include <QLabel>
#include <QMenuBar>
#include <QPlainTextEdit>
#include <QSignalBlocker>
#include <QStatusBar>
#include <QTextCursor>
#include <QTextEdit>
#include <QTimer>
#include <QToolButton>

#include "core/analysis/candidate_scan.h"
#include "core/exercise/exercise_session.h"
#include "core/analysis/analysis_file.h"
#include "core/analysis/analysis_record.h"
#include "core/text/cp1252.h"
#include "core/files/source_file.h"
#include "ui/analysis/analysis_file_commands.h"
#include "ui/shell/workspace.h"
#include "ui/shell/busy_cursor.h"
#include "ui/style/button_pictures.h"
#include "ui/analysis/candidate_grid_model.h"
#include "ui/analysis/candidate_grid_view.h"
#include "ui/analysis/recovery_writer.h"
#include "ui/shell/codec.h"
#include "ui/shell/prompts.h"
#include "ui/style/colours.h"
#include "ui/style/fonts.h"
#include "ui/shell/size_clamp.h"
#include "ui/shell/twips.h"

namespace varnelio::ui {
namespace {

constexpr int kClientWidthTwips = 11385;
constexpr int kClientHeightTwips = 7650;
const QColor kHighlightBlue(0, 0, 255);
const QColor kFormRed(255, 0, 0);

// How long the status line shows why a typed character was refused.
constexpr int kRefusalShownMs = 8000;

const QString kSourceUnreadable = QStringLiteral("Le fichier source ne peut pas être lu.");

QFont times(double points, bool bold = false) { return makeFont(QStringLiteral("Times New Roman"), points, bold); }

// A line break typed into the analysis box is stored as CR LF, as analysis files
// hold it; the box itself works with bare LF.
std::string analysisFromBox(const QString& typed) {
  QString text = typed;
  text.replace(QLatin1Char('\n'), QStringLiteral("\r\n"));
  return fromQString(text);
}

QString analysisForBox(std::string_view stored) {
  QString text = toQString(stored);
  text.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
  return text;
}

// A panel without caption, light yellow to its thin border. The style's own group
// box shades its inside, which would change the colour.
QGroupBox* panel(QWidget* parent, const char* name, const QRect& rect) {
  auto* box = new QGroupBox(parent);
  box->setObjectName(QLatin1String(name));
  box->setGeometry(rect);
  box->setStyleSheet(QStringLiteral("QGroupBox#%1 { background-color: %2; border: 1px solid rgb(160, 160, 160);"
                                    " margin: 0px; padding: 0px; }")
                         .arg(QLatin1String(name), styleSheetColour(kLightYellow)));
  return box;
}

QLabel* label(QWidget* parent, const char* name, const QString& text, const QRect& rect, const QColor& colour) {
  auto* l = new QLabel(text, parent);
  l->setObjectName(QLatin1String(name));
  l->setGeometry(rect);
  l->setFont(times(12, true));
  l->setAlignment(Qt::AlignLeft | Qt::AlignTop);
  setTextColour(l, colour);
  return l;
}

// A picture button: the picture above the caption, if any.
QToolButton* pictureButton(QWidget* parent, const char* name, const QString& caption, const QString& tooltip,
                           const QIcon& icon, const QRect& rect, int iconSide, bool white) {
  auto* b = new QToolButton(parent);
  b->setObjectName(QLatin1String(name));
  b->setText(caption);
  b->setToolTip(tooltip);
  b->setIcon(icon);
  b->setIconSize(QSize(iconSide, iconSide));
  b->setToolButtonStyle(caption.isEmpty() ? Qt::ToolButtonIconOnly : Qt::ToolButtonTextUnderIcon);
  b->setGeometry(rect);
  b->setFocusPolicy(Qt::StrongFocus);
  if (white) {
    QPalette p = b->palette();
    p.setColor(QPalette::Button, Qt::white);
    p.setColor(QPalette::Window, Qt::white);
    b->setPalette(p);
    b->setAutoFillBackground(true);
  }
  return b;
}

}  // namespace

// Keeps the window's commands and menus in step with the session's history and file.
class AnalysisWindow::StateListener final : public SessionListener {
 public:
  explicit StateListener(AnalysisWindow& window) : window_(window) {}
  void stateChanged() override { window_.sessionStateChanged(); }

 private:
  AnalysisWindow& window_;
};

AnalysisWindow::AnalysisWindow(Workspace& workspace, KindId kind, Family family, QWidget* parent)
    : QMainWindow(parent, Qt::Window | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowSystemMenuHint |
                              Qt::WindowMinimizeButtonHint | Qt::WindowCloseButtonHint),
      workspace_(workspace),
      session_(std::make_unique<AnalysisSession>(kind, family)),
      stateListener_(std::make_unique<StateListener>(*this)) {
  setAttribute(Qt::WA_DeleteOnClose);
  setObjectName(kindWindows(kind).windowName(family));
  setWindowTitle(analysisWindowTitle(session_->kind()));
  setFont(msSansSerif());
  buildControls();
  buildMenus();
  session_->addListener(stateListener_.get());
  startRecoveryCopies(std::make_unique<RecoveryWriter>(workspace_.recoveryDir()));
  resize(twipsToPixelsX(kClientWidthTwips), menuBar()->sizeHint().height() + twipsToPixelsY(kClientHeightTwips));
  initialSize_ = size();
}

AnalysisWindow::~AnalysisWindow() {
  // The model and the recovery copy are children of the window, deleted after its
  // members: they stop listening to the session while it lives.
  gridView_->setModel(nullptr);
  delete model_;
  session_->setRecoveryKeeper(nullptr);
  session_->removeListener(stateListener_.get());
}

void AnalysisWindow::buildControls() {
  auto* client = new QWidget(this);
  client->setObjectName(QStringLiteral("client"));
  setBackground(client, kLightYellow);
  setCentralWidget(client);

  sentenceView_ = new QTextEdit(client);
  sentenceView_->setObjectName(QStringLiteral("phrase"));
  sentenceView_->setGeometry(twipsRect(150, 120, 11175, 1695));
  sentenceView_->setReadOnly(true);
  sentenceView_->setAcceptRichText(false);
  sentenceView_->setUndoRedoEnabled(false);  // read-only: the highlighting needs no history
  sentenceView_->setFont(times(12));
  {
    QPalette p = sentenceView_->palette();
    p.setColor(QPalette::Base, Qt::white);
    p.setColor(QPalette::Text, Qt::black);
    sentenceView_->setPalette(p);
  }

  gridFrame_ = panel(client, "Frame1", twipsRect(120, 1920, 8415, 4335));

  model_ = new CandidateGridModel(*session_, this);
  gridView_ = new CandidateGridView(client);
  gridView_->setObjectName(QStringLiteral("grille01"));
  gridView_->setGeometry(twipsRect(240, 2160, 8175, 3975));
  gridView_->setModel(model_);
  model_->setKind(&session_->kind());
  {
    QFont proposal = gridView_->font();
    proposal.setItalic(true);
    model_->setProposalFont(proposal);
  }
  connect(gridView_, &CandidateGridView::rowSelected, this, [this] { showSelectedRow(); });

  buildAnalysisPanel();
  buildBottomButtons(client);
  auto* status = new QStatusBar(this);
  status->setObjectName(QStringLiteral("StatusBar1"));
  setStatusBar(status);

  const WindowId paradigm = WindowId::paradigm(kind().id, family());
  connect(lemmaDictionaryButton_, &QToolButton::clicked, this,
          [this] { openSideWindow(WindowId::lemmaDictionary()); });
  connect(formDictionaryButton_, &QToolButton::clicked, this,
          [this] { openSideWindow(WindowId::formDictionary()); });
  connect(grammarButton_, &QToolButton::clicked, this, [this, paradigm] { openSideWindow(paradigm); });
  connect(grammarBadgeButton_, &QToolButton::clicked, this, [this, paradigm] { openSideWindow(paradigm); });
  connect(validateButton_, &QToolButton::clicked, this, [this] { onValidate(); });
  connect(deleteButton_, &QToolButton::clicked, this, [this] { onDelete(); });
  connect(saveAndQuitButton_, &QToolButton::clicked, this, [this] { onSaveAndQuit(); });
}

// analysisPanel_: the form, the analysis box, and the grammar, validate and delete buttons.
void AnalysisWindow::buildAnalysisPanel() {
  QWidget* client = centralWidget();
  analysisPanel_ = panel(client, "Frame2", twipsRect(8640, 1920, 2655, 4335));
  analysisPanel_->hide();
  formCaption_ = label(analysisPanel_, "Label3", QStringLiteral("Forme :"), twipsRect(120, 240, 855, 255), kDarkBlue);
  formLabel_ = label(analysisPanel_, "labelforme", QString(),
                     twipsRect(120, 600, 2535, kindWindows(kind().id).formLabelHeight(family())), kFormRed);
  formLabel_->setWordWrap(true);
  analysisCaption_ =
      label(analysisPanel_, "Label7", QStringLiteral("Analyse :"), twipsRect(120, 1200, 1455, 255), kDarkBlue);
  analysisEdit_ = new QPlainTextEdit(analysisPanel_);
  analysisEdit_->setObjectName(QStringLiteral("Textanalyse"));
  analysisEdit_->setGeometry(twipsRect(120, 1680, 2295, 615));
  analysisEdit_->setFont(times(9));
  // Tab and Shift+Tab move the focus, as in every dialog; Ctrl+Tab types a TAB for
  // whoever wants one.
  analysisEdit_->setTabChangesFocus(true);
  analysisEdit_->installEventFilter(this);
  connect(analysisEdit_, &QPlainTextEdit::textChanged, this, [this] { keepAnalysisBoxStorable(); });
  setTextColour(analysisEdit_, Qt::black);
  {
    QPalette p = analysisEdit_->palette();
    p.setColor(QPalette::Base, Qt::white);
    analysisEdit_->setPalette(p);
  }

  const QIcon help = helpBadgeIcon();
  grammarBadgeButton_ = pictureButton(analysisPanel_, "Command1_b", QString(), QStringLiteral("Précis grammatical"), help,
                             twipsRect(1800, 1080, 615, 540), twipsToPixelsY(540) - 8, true);
  validateButton_ = pictureButton(analysisPanel_, "Command2", QString(), QStringLiteral("Valider l'analyse"), validateBadgeIcon(),
                           twipsRect(360, 2520, 975, 975), twipsToPixelsY(975) - 8, false);
  deleteButton_ = pictureButton(analysisPanel_, "cmb_delete", QString(), QStringLiteral("Supprimer l'enregistrement"),
                             wasteBinIcon(), twipsRect(1560, 2640, 735, 735), twipsToPixelsY(735) - 8, false);
  swapIconOnHover(deleteButton_, wasteBinIcon(false), wasteBinIcon(true));

}

// buttonFrame_ and the four large buttons along the bottom of the window.
void AnalysisWindow::buildBottomButtons(QWidget* client) {
  const QIcon help = helpBadgeIcon();
  buttonFrame_ = panel(client, "Frame3", twipsRect(120, 6240, 11175, 1095));
  const int bigIcon = 32;
  lemmaDictionaryButton_ = pictureButton(client, "Command3", QStringLiteral("Dictionnaire des lemmes"),
                           QStringLiteral("Dictionnaire des lemmes"), help, twipsRect(510, 6360, 2295, 900), bigIcon,
                           true);
  lemmaDictionaryButton_->setFont(times(9, true));
  formDictionaryButton_ = pictureButton(client, "Command1", QStringLiteral("Dictionnaire des formes"),
                           QStringLiteral("Dictionnaire des formes"), help, twipsRect(3150, 6360, 2295, 900), bigIcon,
                           true);
  formDictionaryButton_->setFont(times(9, true));
  grammarButton_ = pictureButton(client, "Command4", QStringLiteral("Précis grammatical"),
                           QStringLiteral("Précis grammatical"), help, twipsRect(5910, 6360, 2295, 900), bigIcon, true);
  grammarButton_->setFont(times(9.75, true));
  const QRect saveQuitRect = family() == Family::New ? twipsRect(8790, 6360, 2175, 900)
                                                    : twipsRect(8670, 6360, 2295, 900);
  saveAndQuitButton_ = pictureButton(client, "Command5", QStringLiteral("Enregistrer && Quitter"), QString(), disketteIcon(),
                           saveQuitRect, bigIcon, true);
  saveAndQuitButton_->setFont(times(9.75, true));
  for (QWidget* w : {static_cast<QWidget*>(gridView_), static_cast<QWidget*>(lemmaDictionaryButton_), static_cast<QWidget*>(formDictionaryButton_),
                     static_cast<QWidget*>(grammarButton_), static_cast<QWidget*>(saveAndQuitButton_)})
    w->raise();

}

void AnalysisWindow::buildMenus() {
  auto action = [this](QMenu* menu, const QString& caption, const char* name) {
    QAction* a = menu->addAction(caption);
    a->setObjectName(QLatin1String(name));
    return a;
  };
  QMenu* fichier = menuBar()->addMenu(QStringLiteral("&Fichier"));
  fichier->setObjectName(QStringLiteral("fichier"));
  saveAction_ = action(fichier, QStringLiteral("&Enregistrer les analyses"), "Enregistrerdirect");
  saveAsAction_ = action(fichier, QStringLiteral("&Enregistrer les analyses sous ..."), "Enregistrer");
  saveAsExerciseAction_ = action(fichier, QStringLiteral("Enregistrer comme e&xercice…"), "EnregistrerExercice");
  fichier->addSeparator();
  QMenu* exporter = fichier->addMenu(QStringLiteral("&Exporter le tableau"));
  exporter->setObjectName(QStringLiteral("Exporter"));
  exporter->menuAction()->setObjectName(QStringLiteral("Exporter"));
  exportAction_ = action(exporter, QStringLiteral("Vers Microsoft Excel"), "exportexcell");
  printAction_ = action(fichier, QStringLiteral("&Imprimer le tableau"), "Imprimertable");
  fichier->addSeparator();
  closeAction_ = action(fichier, QStringLiteral("&Fermer"), "Fermer");

  QMenu* edition = menuBar()->addMenu(QStringLiteral("&Édition"));
  edition->setObjectName(QStringLiteral("Edition"));
  undoAction_ = action(edition, QStringLiteral("&Annuler"), "Annuler");
  undoAction_->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_Z));
  redoAction_ = action(edition, QStringLiteral("&Rétablir"), "Retablir");
  redoAction_->setShortcuts({QKeySequence(Qt::CTRL | Qt::Key_Y), QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_Z)});
  // In the analysis box the same keys take back typing, as in any text box: the box
  // claims them before the menu's shortcuts see them.
  connect(undoAction_, &QAction::triggered, this, [this] { undo(); });
  connect(redoAction_, &QAction::triggered, this, [this] { redo(); });

  QMenu* dictionnaire = menuBar()->addMenu(QStringLiteral("&Dictionnaire"));
  dictionnaire->setObjectName(QStringLiteral("Dictionnaire"));
  QAction* dicoLemmes = action(dictionnaire, QStringLiteral("&Dictionnaire (Lemmes)"), "dico_lemmes");
  QAction* dicoFormes = action(dictionnaire, QStringLiteral("&Dictionnaire (Formes)"), "dico_formes");

  QMenu* outils = menuBar()->addMenu(QStringLiteral("&Outils"));
  outils->setObjectName(QStringLiteral("Outils"));
  preAnalysisAction_ = action(outils, QStringLiteral("&Pré-analyse"), "Preanalyse");
  checkAction_ = action(outils, QStringLiteral("&Vérifier les analyses"), "Verifier");
  acceptAction_ = action(outils, QStringLiteral("&Accepter les propositions sûres"), "Accepter");

  QMenu* aide = menuBar()->addMenu(QStringLiteral("&Aide"));
  aide->setObjectName(QStringLiteral("aide"));
  QAction* about = action(aide, QStringLiteral("&A propos de..."), "about");

  saveAction_->setEnabled(false);
  updateEditActions();
  connect(saveAction_, &QAction::triggered, this, [this] { saveAnalysis(*this, workspace_.prompts()); });
  connect(saveAsAction_, &QAction::triggered, this, [this] { saveAnalysisAs(*this, workspace_.prompts()); });
  connect(exportAction_, &QAction::triggered, this, [this] { exportAnalysis(*this, workspace_.prompts()); });
  connect(printAction_, &QAction::triggered, this, [this] { printAnalysisTable(*this, workspace_.prompts()); });
  connect(closeAction_, &QAction::triggered, this, [this] { close(); });
  connect(dicoLemmes, &QAction::triggered, this, [this] { openSideWindow(WindowId::lemmaDictionary()); });
  connect(dicoFormes, &QAction::triggered, this, [this] { openSideWindow(WindowId::formDictionary()); });
  connect(about, &QAction::triggered, this, [this] { openSideWindow(WindowId::about(), false); });
  connect(preAnalysisAction_, &QAction::triggered, this, [this] { onPreAnalysis(); });
  connect(checkAction_, &QAction::triggered, this, [this] { onCheckAnalyses(); });
  connect(acceptAction_, &QAction::triggered, this, [this] { acceptSureProposals(); });
  connect(saveAsExerciseAction_, &QAction::triggered, this, [this] { onSaveAsExercise(); });
}


// ---- Loading ----

bool AnalysisWindow::load() { return family() == Family::New ? loadNew() : loadExisting(); }

bool AnalysisWindow::loadNew() {
  if (!readAndCutSource(/*scan=*/true)) return false;
  if (candidateGrid().empty()) {
    QString text = QStringLiteral("Aucune forme candidate n'a été trouvée dans ce texte.");
    if (sentences().text().find('.') == std::string::npos)
      text += QStringLiteral("\nLe texte ne contient aucun point : seules les phrases terminées par un point "
                             "sont analysées.");
    workspace_.prompts().inform(messageParent(), text);
    return false;
  }
  hideMainWindow();
  finishLoad();
  return true;
}

bool AnalysisWindow::loadExisting() {
  loadState_ = LoadState::FileChosen;
  fileDialog_.filter = QStringLiteral("Fichiers Texte (*.DAT)|*.DAT");
  const std::optional<QString> chosen = fileDialog_.showOpen(workspace_.prompts(), messageParent());
  if (!chosen) {
    // Not an error: the window closes itself as soon as it becomes active.
    loadState_ = LoadState::DialogCancelled;
    return true;
  }
  BusyCursor busy(this);
  auto read = openAnalysisFile(toLocalPath(*chosen));
  if (auto* error = std::get_if<FileError>(&read)) {
    busy.restore();
    workspace_.prompts().inform(
        messageParent(),
        fileFailureMessage(QStringLiteral("Le fichier d'analyse ne peut pas être lu."), *chosen, *error),
        kApplicationTitle, MessageIcon::Warning);
    return false;
  }
  if (std::holds_alternative<NotAnalysisRecords>(read)) {
    busy.restore();
    workspace_.prompts().inform(
        messageParent(), QStringLiteral("« %1 » n'est pas un fichier d'analyses.").arg(QFileInfo(*chosen).fileName()),
        kApplicationTitle, MessageIcon::Warning);
    return false;
  }
  if (!readAndCutSource(/*scan=*/false, std::move(std::get<CandidateGrid>(read)), *chosen)) return false;
  if (candidateGrid().empty()) {
    // Told while the main window is still up: a message box closing while no other
    // window is visible would end the program.
    showEmptyGrid();
    busy.restore();
    workspace_.prompts().inform(messageParent(), QStringLiteral("Ce fichier ne contient aucune analyse."));
    hideMainWindow();
    return true;
  }
  hideMainWindow();
  finishLoad();
  return true;
}

bool AnalysisWindow::readAndCutSource(bool scan, CandidateGrid rows, const QString& analysisPath) {
  const QString path = workspace_.sourcePath();
  sourceName_ = QFileInfo(path).completeBaseName();
  auto read = readSourceText(toLocalPath(path));
  QString reason;
  if (auto* error = std::get_if<FileError>(&read)) {
    reason = fromUtf8(error->reason);
  } else if (std::get<std::string>(read).empty()) {
    reason = QStringLiteral("Le fichier est vide.");
  } else {
    std::string& text = std::get<std::string>(read);
    if (scan)
      session_->openScan(std::move(text), path.toStdString());
    else
      session_->openRecords(std::move(rows), std::move(text), path.toStdString(), analysisPath.toStdString());
    recovery_->setSource(sentences());
    return true;
  }
  workspace_.prompts().inform(messageParent(), fileFailureMessage(kSourceUnreadable, {}, reason),
                              kApplicationTitle, MessageIcon::Warning);
  return false;
}

// While the window loads it is not shown yet: its dialogs and messages are centred
// on the main window the user is looking at, not at a corner of the screen.
QWidget* AnalysisWindow::messageParent() {
  if (isVisible()) return this;
  QWidget* menu = workspace_.mainWindow();
  return menu && menu->isVisible() ? menu : this;
}

// What a printout of this window is called, as the user knows it: the source
// text's name and the window's caption.
QString AnalysisWindow::documentName() const {
  return sourceName_.isEmpty() ? windowTitle() : sourceName_ + QStringLiteral(" - ") + windowTitle();
}

void AnalysisWindow::hideMainWindow() {
  if (QWidget* menu = workspace_.mainWindow()) menu->hide();
}

// The finishing step: row 1 selected and shown.
void AnalysisWindow::finishLoad() {
  gridView_->moveSilently(1, 2);
  showSelectedRow();
}

void AnalysisWindow::showEmptyGrid() {
  analysisPanel_->hide();
  sentenceView_->clear();
  selectedRow_ = 0;
}

// ---- Row selection ----

void AnalysisWindow::showSelectedRow() {
  analysisPanel_->show();
  selectedRow_ = gridView_->selectedRow();
  if (selectedRow_ < 1 || static_cast<std::size_t>(selectedRow_) > candidateGrid().candidateCount()) return;
  const CandidateRow& row = candidateGrid().row(static_cast<std::size_t>(selectedRow_));
  // A sentence number that is no number or lies outside the table stops here
  // silently: the view, the form and the analysis keep what they showed.
  const std::optional<std::int64_t> n = parseSentenceNumber(row.sentence);
  if (!n) return;
  const std::optional<std::string_view> sentence = sentences().sentence(*n);
  if (!sentence) return;
  sentenceView_->setCurrentCharFormat(QTextCharFormat());
  sentenceView_->setPlainText(toQString(*sentence));
  const QString form = toQString(row.form);
  highlightForm(form);
  formLabel_->setText(form);
  // A row the pre-analysis proposes a label for offers it, ready to validate.
  analysisEdit_->setPlainText(analysisForBox(fromQString(model_->shownAnalysis(static_cast<std::size_t>(selectedRow_)))));
  gridView_->moveSilently(selectedRow_, 2);
}

// Every word of the sentence equal to the form once both are lower-cased is set in
// bold blue; a longer word that merely contains the form is not.
void AnalysisWindow::highlightForm(const QString& form) {
  QTextDocument* document = sentenceView_->document();
  // The view's own text: one character per position of the document.
  const std::string text = fromQString(document->toPlainText());
  const std::string f = fromQString(form);
  QTextCharFormat highlight;
  highlight.setFontWeight(QFont::Bold);
  highlight.setForeground(kHighlightBlue);
  QTextCursor cursor(document);
  // One grouped edit: the sentence is laid out once, however many occurrences it
  // holds, instead of once for each.
  cursor.beginEditBlock();
  int lastStart = 0;
  std::string word;
  for (std::size_t p = 0; p < text.size(); ++p) {
    const auto c = static_cast<unsigned char>(text[p]);
    if (cp1252::isLetter(c)) {
      word.push_back(static_cast<char>(c));
      continue;
    }
    if (!word.empty() && cp1252::equalsIgnoringCase(word, f)) {
      cursor.setPosition(static_cast<int>(p - f.size()));
      cursor.setPosition(static_cast<int>(p), QTextCursor::KeepAnchor);
      cursor.mergeCharFormat(highlight);
      lastStart = static_cast<int>(p - f.size());
    }
    word.clear();
  }
  cursor.endEditBlock();
  // No text stays selected; the caret rests where the last occurrence starts, so a
  // long sentence scrolls to show it.
  QTextCursor collapsed(document);
  collapsed.setPosition(lastStart);
  sentenceView_->setTextCursor(collapsed);
  sentenceView_->ensureCursorVisible();
}

// ---- Commands ----

void AnalysisWindow::onValidate() {
  if (candidateGrid().empty() || selectedRow_ < 1) return;
  session_->validate(static_cast<std::size_t>(selectedRow_), analysisFromBox(analysisEdit_->toPlainText()));
}

void AnalysisWindow::onDelete() {
  if (candidateGrid().empty() || selectedRow_ < 1) return;
  std::size_t after = 0;
  {
    BusyCursor busy(this);
    after = session_->deleteRow(static_cast<std::size_t>(selectedRow_));
  }
  if (candidateGrid().empty()) {
    showEmptyGrid();
    return;
  }
  gridView_->moveSilently(static_cast<int>(after), 3);
  showSelectedRow();
}

// ---- Édition ----

void AnalysisWindow::sessionStateChanged() {
  updateEditActions();
  saveAction_->setEnabled(!session_->analysisPath().empty());
}

void AnalysisWindow::updateEditActions() {
  const EditHistory& history = session_->history();
  const auto what = [](const EditStep* step) -> QString {
    if (!step) return {};
    switch (step->kind()) {
      case EditKind::Validation: return QStringLiteral(" la validation");
      case EditKind::Deletion: return QStringLiteral(" la suppression");
      case EditKind::PreAnalysis: return QStringLiteral(" la pré-analyse");
      case EditKind::AcceptProposals: return QStringLiteral(" l'acceptation des propositions");
      case EditKind::Restoration: return QStringLiteral(" le retour des noms supprimés");
    }
    return {};
  };
  undoAction_->setText(QStringLiteral("&Annuler") + what(history.nextUndo()));
  undoAction_->setEnabled(history.canUndo());
  redoAction_->setText(QStringLiteral("&Rétablir") + what(history.nextRedo()));
  redoAction_->setEnabled(history.canRedo());
}

void AnalysisWindow::undo() {
  const EditStep* step = nullptr;
  {
    BusyCursor busy(this);
    step = session_->undo();
  }
  if (step) selectRow(step->selectedBefore());
}

void AnalysisWindow::redo() {
  const EditStep* step = nullptr;
  {
    BusyCursor busy(this);
    step = session_->redo();
  }
  if (step) selectRow(step->selectedAfter());
}

void AnalysisWindow::selectRow(std::size_t r) {
  if (candidateGrid().empty()) {
    showEmptyGrid();
    return;
  }
  r = std::clamp<std::size_t>(r, 1, candidateGrid().candidateCount());
  gridView_->moveSilently(static_cast<int>(r), 2);
  showSelectedRow();
}

void AnalysisWindow::gridSaved(const QString& path) { session_->saved(path.toStdString()); }

// ---- Recovery copies ----

void AnalysisWindow::startRecoveryCopies(std::unique_ptr<RecoveryWriter> writer) {
  session_->setRecoveryKeeper(nullptr);
  delete recovery_;
  recovery_ = writer.release();
  recovery_->setParent(this);
  recovery_->setSource(sentences());
  recovery_->setEncoder([this] { return session_->encodeRecoveryCopy(QDateTime::currentSecsSinceEpoch()); });
  session_->setRecoveryKeeper(recovery_);
}

bool AnalysisWindow::loadRecovered(const RecoveryCopy& copy, const QString& recoveryFolder, const QString& copyId,
                                   std::unique_ptr<QLockFile> lock) {
  const QString path = QString::fromStdString(copy.header.sourcePath);
  const QString name = QFileInfo(path).fileName();
  sourceName_ = QFileInfo(path).completeBaseName();
  const auto readText = [](const QString& file) -> std::optional<std::string> {
    auto read = readSourceText(toLocalPath(file));
    if (auto* text = std::get_if<std::string>(&read)) return std::move(*text);
    return std::nullopt;
  };
  // An exercise's text is the one its file holds.
  const AnalysisSession::Recovered outcome = session_->openRecovered(
      copy, exercise_ ? std::optional<std::string>(exercise_->exercise().text()) : readText(path), [&] { return readText(RecoveryWriter::filesOf(recoveryFolder, copyId).source); });
  switch (outcome) {
    case AnalysisSession::Recovered::SourceLost:
      workspace_.prompts().inform(
          messageParent(),
          QStringLiteral("Les analyses retrouvées ne peuvent pas être rouvertes : leur texte source « %1 » a changé "
                         "ou a disparu, et sa copie manque.")
              .arg(name),
          kApplicationTitle, MessageIcon::Warning);
      return false;
    case AnalysisSession::Recovered::DoesNotFit:
      workspace_.prompts().inform(messageParent(),
                                  QStringLiteral("Les analyses retrouvées ne peuvent pas être rouvertes : leur copie ne "
                                                 "correspond pas au texte source « %1 ».")
                                      .arg(name),
                                  kApplicationTitle, MessageIcon::Warning);
      return false;
    case AnalysisSession::Recovered::OnKeptText:
      workspace_.prompts().inform(messageParent(),
                                  QStringLiteral("Le texte source « %1 » a changé ou a disparu depuis : les analyses "
                                                 "retrouvées sont montrées avec le texte tel qu'il était alors.")
                                      .arg(name),
                                  kApplicationTitle, MessageIcon::Warning);
      break;
    case AnalysisSession::Recovered::AsItWas:
      break;
  }
  startRecoveryCopies(std::make_unique<RecoveryWriter>(recoveryFolder, copyId, std::move(lock)));
  hideMainWindow();
  if (candidateGrid().empty())
    showEmptyGrid();
  else
    finishLoad();
  return true;
}

void AnalysisWindow::onSaveAndQuit() {
  // The window closes only once its analyses are on the disk: a cancelled dialog, a
  // declined overwrite or a failed write keep it open, with its grid.
  if (saveAnalysisAs(*this, workspace_.prompts()) != SaveOutcome::Saved) return;
  close();
}

bool AnalysisWindow::mayClose() { return mayReplace(QStringLiteral("de fermer")); }

bool AnalysisWindow::mayReplace(const QString& before) {
  if (!session_->modified()) return true;
  const QString question =
      QStringLiteral("Enregistrer les analyses de « %1 » (%2) avant %3 ?")
          .arg(QFileInfo(QString::fromStdString(session_->source().path)).fileName(), fromUtf8(kind().title), before);
  switch (workspace_.prompts().askSaveChanges(this, question)) {
    case SaveChoice::Save: {
      const SaveOutcome saved = session_->analysisPath().empty() ? saveAnalysisAs(*this, workspace_.prompts())
                                                                 : saveAnalysis(*this, workspace_.prompts());
      return saved == SaveOutcome::Saved;
    }
    case SaveChoice::Discard:
      session_->discardChanges();
      return true;
    case SaveChoice::Cancel:
      return false;
  }
  return false;
}

// What a record cannot hold is refused as it is typed or pasted, and the status line
// says why, instead of a grid that shows "?" or a file that cuts the end off.
void AnalysisWindow::keepAnalysisBoxStorable() {
  const QString text = analysisEdit_->toPlainText();
  QString refusal;
  if (const QString bad = firstUnstorable(text); !bad.isEmpty())
    refusal = QStringLiteral("« %1 » ne peut pas être enregistré dans un fichier d'analyses : ce caractère est refusé.")
                  .arg(bad);
  else if (analysisFromBox(text).size() > AnalysisRecord::kAnalyseWidth)
    refusal = QStringLiteral("Une analyse tient en %1 caractères au plus : la suite est refusée.")
                  .arg(AnalysisRecord::kAnalyseWidth);
  if (refusal.isEmpty()) {
    lastStorableAnalysis_ = text;
    return;
  }
  // Back to what the box held, the caret where the refused text was put.
  const int caret = analysisEdit_->textCursor().position() - static_cast<int>(text.size() - lastStorableAnalysis_.size());
  {
    const QSignalBlocker blocker(analysisEdit_);
    analysisEdit_->setPlainText(lastStorableAnalysis_);
  }
  QTextCursor cursor = analysisEdit_->textCursor();
  cursor.setPosition(std::clamp(caret, 0, static_cast<int>(lastStorableAnalysis_.size())));
  analysisEdit_->setTextCursor(cursor);
  statusBar()->showMessage(refusal, kRefusalShownMs);
}

void AnalysisWindow::receiveAnalysis(const QString& label) { analysisEdit_->setPlainText(label); }

void AnalysisWindow::openSideWindow(WindowId id, bool hourglass) {
  std::optional<BusyCursor> busy;
  if (hourglass) busy.emplace(this);
  workspace_.open(id);
}

// ---- Window events ----

bool AnalysisWindow::eventFilter(QObject* watched, QEvent* event) {
  if (watched == analysisEdit_ && event->type() == QEvent::KeyPress) {
    const auto* key = static_cast<QKeyEvent*>(event);
    if (key->key() == Qt::Key_Tab && key->modifiers() == Qt::ControlModifier) {
      analysisEdit_->insertPlainText(QStringLiteral("\t"));
      return true;
    }
  }
  return QMainWindow::eventFilter(watched, event);
}

void AnalysisWindow::resizeEvent(QResizeEvent* event) {
  QMainWindow::resizeEvent(event);
  clampOuterSize(this, kMaxWidthTwips, kMaxHeightTwips, initialSize_);
}

void AnalysisWindow::closeEvent(QCloseEvent* event) {
  if (!mayClose()) {
    event->ignore();
    return;
  }
  QMainWindow::closeEvent(event);
  if (!event->isAccepted()) return;
  // Saved, unchanged or given up: only a crash leaves a copy behind.
  recovery_->discard();
  // However the window closes, the main window comes back.
  if (QWidget* menu = workspace_.mainWindow()) {
    menu->show();
    menu->raise();
    menu->activateWindow();
  }
}

// The activation check of a window whose open dialog was cancelled.
void AnalysisWindow::changeEvent(QEvent* event) {
  QMainWindow::changeEvent(event);
  if (event->type() == QEvent::ActivationChange && isActiveWindow() && loadState_ == LoadState::DialogCancelled)
    QTimer::singleShot(0, this, &QWidget::close);
}

void AnalysisWindow::showEvent(QShowEvent* event) {
  QMainWindow::showEvent(event);
  // Where the platform never activates the window (no window manager), closing once
  // shown keeps the cancelled window from lingering.
  if (loadState_ == LoadState::DialogCancelled) QTimer::singleShot(0, this, &QWidget::close);
}

void registerAnalysisWindows(Workspace& workspace) {
  for (const AnalysisKind& kind : analysisKinds()) {
    for (Family family : {Family::New, Family::Existing}) {
      const KindId id = kind.id;
      workspace.registerFactory(WindowId::analysis(kind.id, family), [id, family](Workspace& ws) -> QWidget* {
        auto* window = new AnalysisWindow(ws, id, family);
        if (!window->load()) {
          delete window;
          return nullptr;
        }
        return window;
      });
    }
  }
}

}  // namespace varnelio::ui
