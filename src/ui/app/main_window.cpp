// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/shell/kind_windows.h"
#include "ui/app/main_window.h"

#include <QAction>
#include <QApplication>
#include <QFileInfo>
#include <QGroupBox>
#include <QHideEvent>
#include <QLabel>
#include <QLineEdit>
#include <QMenuBar>
#include <QPointer>
#include <QShowEvent>
#include <QWindow>
#include <QPushButton>
#include <QStatusBar>

#include "core/analysis/analysis_kind.h"
#include "core/files/file_error.h"
#include "core/exercise/exercise_file.h"
#include "core/files/source_file.h"
#include "ui/analysis/analysis_window.h"
#include "ui/shell/workspace.h"
#include "ui/shell/busy_cursor.h"
#include "ui/shell/codec.h"
#include "ui/shell/prompts.h"
#include "ui/style/colours.h"
#include "ui/style/fonts.h"
#include "ui/shell/size_clamp.h"
#include "ui/shell/twips.h"

namespace varnelio::ui {
namespace {

constexpr int kClientWidthTwips = 9030;
constexpr int kClientHeightTwips = 3330;

QFont defaultFont() { return msSansSerif(); }

// Resets a child of a coloured frame to the ordinary text colour.
void plainText(QWidget* w) {
  setTextColour(w, Qt::black);
  w->setFont(defaultFont());
}

}  // namespace

MainWindow::MainWindow(Workspace& workspace, QWidget* parent)
    : QMainWindow(parent, Qt::Window | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowSystemMenuHint |
                              Qt::WindowMinimizeButtonHint | Qt::WindowCloseButtonHint),
      workspace_(workspace) {
  setObjectName(WindowId::main().objectName());
  setWindowTitle(QStringLiteral("Menu"));
  workspace_.setSourcePathProvider(
      [menu = QPointer<MainWindow>(this)] { return menu ? menu->sourcePath() : QString(); });
  setWindowIcon(QApplication::windowIcon());
  setFont(defaultFont());
  buildControls();
  buildMenus();
  // The client area (below the menu bar, status bar included) is 9030 x 3330.
  resize(twipsToPixelsX(kClientWidthTwips), menuBar()->sizeHint().height() + twipsToPixelsY(kClientHeightTwips));
  initialSize_ = size();
  greyAnalysisItems();
}

void MainWindow::buildControls() {
  auto* client = new QWidget(this);
  client->setObjectName(QStringLiteral("client"));
  setBackground(client, kLightYellow);
  setCentralWidget(client);

  sourceFrame_ = new QGroupBox(QStringLiteral(" Menu : "), client);
  sourceFrame_->setObjectName(QStringLiteral("Frame1"));
  sourceFrame_->setGeometry(twipsRect(120, 480, 8775, 2055));
  sourceFrame_->setFont(makeFont(QStringLiteral("Times New Roman"), 12, true));
  setBackground(sourceFrame_, kLightYellow);
  setTextColour(sourceFrame_, kDarkBlue);
  // The caption sits on the frame's top line, as a captioned frame does.
  sourceFrame_->setStyleSheet(
      QStringLiteral("QGroupBox#Frame1 { border: 1px solid #a0a0a0; margin-top: 9px; background-color: %1;"
                     " color: %2; }"
                     "QGroupBox#Frame1::title { subcontrol-origin: margin; subcontrol-position: top left; left: 6px;"
                     " padding: 0px; background-color: %1; }")
          .arg(styleSheetColour(kLightYellow), styleSheetColour(kDarkBlue)));

  sourceCaption_ = new QLabel(QStringLiteral("Ouvrir un fichier source :"), sourceFrame_);
  sourceCaption_->setObjectName(QStringLiteral("Label1"));
  sourceCaption_->setGeometry(twipsRect(120, 480, 5775, 255));
  plainText(sourceCaption_);

  sourcePathEdit_ = new QLineEdit(sourceFrame_);
  sourcePathEdit_->setObjectName(QStringLiteral("Text1"));
  sourcePathEdit_->setGeometry(twipsRect(120, 900, 5895, 285));
  plainText(sourcePathEdit_);
  setBackground(sourcePathEdit_, Qt::white);

  browseButton_ = new QPushButton(QStringLiteral("Parcourir..."), sourceFrame_);
  browseButton_->setObjectName(QStringLiteral("Parcourir"));
  browseButton_->setGeometry(twipsRect(6120, 840, 1575, 375));
  plainText(browseButton_);
  setTabOrder(sourcePathEdit_, browseButton_);

  auto* status = new QStatusBar(this);
  status->setObjectName(QStringLiteral("StatusBar1"));
  setStatusBar(status);

  connect(sourcePathEdit_, &QLineEdit::textChanged, this, [this] { onSourcePathChanged(); });
  connect(browseButton_, &QPushButton::clicked, this, [this] { onBrowse(); });
}

void MainWindow::buildMenus() {
  auto separator = [](QMenu* menu, const char* name) { menu->addSeparator()->setObjectName(QLatin1String(name)); };

  QMenu* fichier = menuBar()->addMenu(QStringLiteral("&Fichier"));
  fichier->setObjectName(QStringLiteral("fichier"));
  QAction* ouvrir = fichier->addAction(QStringLiteral("&Ouvrir un fichier source"));
  ouvrir->setObjectName(QStringLiteral("Ouvrir_texte"));
  connect(ouvrir, &QAction::triggered, this, [this] { onBrowse(); });
  QAction* exercise = fichier->addAction(QStringLiteral("Ouvrir un &exercice…"));
  exercise->setObjectName(QStringLiteral("OuvrirExercice"));
  connect(exercise, &QAction::triggered, this, [this] { onOpenExercise(); });
  separator(fichier, "blanc01");
  QAction* quitter = fichier->addAction(QStringLiteral("&Quitter"));
  quitter->setObjectName(QStringLiteral("quitter"));
  connect(quitter, &QAction::triggered, this, [this] { onQuit(); });

  QMenu* analyse = menuBar()->addMenu(QStringLiteral("&Analyse"));
  analyse->setObjectName(QStringLiteral("analyse"));
  for (const AnalysisKind& kind : analysisKinds()) {
    const KindWindows& windows = kindWindows(kind.id);
    QMenu* sub = analyse->addMenu(submenuCaption(kind));
    sub->setObjectName(fromUtf8(windows.submenuName));
    sub->menuAction()->setObjectName(fromUtf8(windows.submenuName));
    for (Family family : {Family::New, Family::Existing}) {
      QAction* item = sub->addAction(family == Family::New ? QStringLiteral("Nouvelle analyse")
                                                           : QStringLiteral("Analyse existante"));
      item->setObjectName(windows.itemName(family));
      const WindowId window = WindowId::analysis(kind.id, family);
      connect(item, &QAction::triggered, this, [this, window] { openWindow(window); });
      analysisItems_.append(item);
    }
    switch (kind.id) {
      case KindId::NomPl: separator(analyse, "b04"); break;
      case KindId::AccPl: separator(analyse, "b01"); break;
      case KindId::GenPl: separator(analyse, "b02"); break;
      case KindId::DatPl: separator(analyse, "b03"); break;
      default: break;
    }
  }

  QMenu* aide = menuBar()->addMenu(QStringLiteral("&Aide"));
  aide->setObjectName(QStringLiteral("aide"));
  QAction* about = aide->addAction(QStringLiteral("&A propos de..."));
  about->setObjectName(QStringLiteral("about"));
  connect(about, &QAction::triggered, this, [this] { openWindow(WindowId::about()); });
}

QString MainWindow::sourcePath() const { return sourcePathEdit_->text(); }

void MainWindow::setSourcePath(const QString& path) { sourcePathEdit_->setText(path); }

void MainWindow::greyAnalysisItems() {
  for (QAction* item : analysisItems_) item->setEnabled(false);
}

// The path test, on every change of the text: the whole text, untrimmed, must name
// a file (a folder is not one). The twenty items always change together.
void MainWindow::onSourcePathChanged() {
  const bool isFile = QFileInfo(sourcePathEdit_->text()).isFile();
  for (QAction* item : analysisItems_) item->setEnabled(isFile);
}

void MainWindow::onBrowse() {
  fileDialog_.filter = QStringLiteral("Fichiers Texte (*.TXT)|*.TXT");
  const std::optional<QString> chosen = fileDialog_.showOpen(workspace_.prompts(), this);
  if (!chosen) return;
  BusyCursor busy(this);
  // The dialog lets a typed name through: a file that cannot be read leaves the
  // path field as it was and says why.
  if (const auto error = checkReadableFile(toLocalPath(*chosen))) {
    busy.restore();
    workspace_.prompts().inform(this, fileFailureMessage(QStringLiteral("Le fichier source ne peut pas être lu."), {},
                                                         *error));
    return;
  }
  sourcePathEdit_->setText(*chosen);
}

void MainWindow::openWindow(WindowId id) {
  BusyCursor busy(this);
  workspace_.open(id);
}

// An exercise opens in an analysis window of its kind, on its own text: the path
// field is left as it is.
void MainWindow::onOpenExercise() {
  exerciseDialog_.filter = QStringLiteral("Exercices Varnelio (*.exo)|*.exo");
  const std::optional<QString> chosen = exerciseDialog_.showOpen(workspace_.prompts(), this);
  if (!chosen) return;
  BusyCursor busy(this);
  auto read = readExerciseFile(toLocalPath(*chosen));
  if (auto* error = std::get_if<FileError>(&read)) {
    busy.restore();
    workspace_.prompts().inform(
        this, fileFailureMessage(QStringLiteral("L'exercice ne peut pas être ouvert."), *chosen, *error),
        kApplicationTitle, MessageIcon::Warning);
    return;
  }
  Exercise& exercise = std::get<Exercise>(read);
  auto* window = new AnalysisWindow(workspace_, exercise.kindId(), Family::New);
  if (!window->loadExercise(std::move(exercise), *chosen)) {
    delete window;
    return;
  }
  workspace_.adopt(window);
  window->show();
  window->raise();
  window->activateWindow();
}

void MainWindow::onQuit() {
  // Ends the program at once: the event loop stops and the workspace deletes every
  // window without their closing steps or any question.
  QCoreApplication::quit();
}

void MainWindow::resizeEvent(QResizeEvent* event) {
  QMainWindow::resizeEvent(event);
  clampOuterSize(this, kMaxWidthTwips, kMaxHeightTwips, initialSize_);
}

// The window hides while an analysis window is open. Some window managers place a
// window anew each time it is mapped; the user's place is kept and given back.
void MainWindow::hideEvent(QHideEvent* event) {
  QMainWindow::hideEvent(event);
  // The inside's place: the frame's size is unknown to Qt while the window is
  // unmapped, so a frame position given back would land off by the title bar.
  if (!event->spontaneous()) place_ = geometry().topLeft();
}

void MainWindow::showEvent(QShowEvent* event) {
  // Given to the window itself: a move to where the widget believes it already is
  // does nothing, and the window manager would then place it as a new window.
  if (!event->spontaneous() && place_) {
    if (QWindow* window = windowHandle()) window->setPosition(*place_);
    else setGeometry(QRect(*place_, size()));
  }
  QMainWindow::showEvent(event);
}

void registerMainWindow(Workspace& workspace) {
  workspace.registerFactory(WindowId::main(), [](Workspace& ws) -> QWidget* { return new MainWindow(ws); });
}

}  // namespace varnelio::ui
