// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The main window `Menu`: the path of the Latin source text in `Text1`, its file
// dialog, and the "Analyse" menu of the twenty analysis windows, available exactly
// while `Text1` names an existing file.
#include "ui/app/layer.h"
#include <QList>
#include <QMainWindow>
#include <QPoint>
#include <optional>

#include "ui/shell/common_dialog.h"
#include "ui/shell/window_id.h"

class QAction;
class QGroupBox;
class QLabel;
class QLineEdit;
class QPushButton;

namespace varnelio::ui {

class Workspace;

class MainWindow final : public QMainWindow {
  Q_OBJECT
 public:
  // Outer size limits, in twips.
  static constexpr int kMaxWidthTwips = 9151;
  static constexpr int kMaxHeightTwips = 4021;

  explicit MainWindow(Workspace& workspace, QWidget* parent = nullptr);

  // The twenty analysis items, new and existing, in menu order.
  const QList<QAction*>& analysisItems() const { return analysisItems_; }
  // The path field the analysis windows read.
  QString sourcePath() const;
  // Fills the path field, as if typed: a recovered analysis names its text there.
  void setSourcePath(const QString& path);

 protected:
  void resizeEvent(QResizeEvent* event) override;
  void hideEvent(QHideEvent* event) override;
  void showEvent(QShowEvent* event) override;

 private:
  void buildControls();
  void buildMenus();
  void greyAnalysisItems();
  void onBrowse();
  void onSourcePathChanged();
  void openWindow(WindowId id);
  void onOpenExercise();
  void onQuit();

  Workspace& workspace_;
  QSize initialSize_;  // the first layout, never cut by the size clamp
  std::optional<QPoint> place_;  // where its inside stood when it was last hidden
  CommonDialog fileDialog_;  // `CommonDialog1`
  CommonDialog exerciseDialog_;  // the exercise files, apart from the texts
  QGroupBox* sourceFrame_ = nullptr;  // `Frame1`
  QLabel* sourceCaption_ = nullptr;  // `Label1`
  QLineEdit* sourcePathEdit_ = nullptr;  // `Text1`
  QPushButton* browseButton_ = nullptr;  // `Parcourir`
  QList<QAction*> analysisItems_;
};

// Registers the factory of `Menu`.
void registerMainWindow(Workspace& workspace);

}  // namespace varnelio::ui
