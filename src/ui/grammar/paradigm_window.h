// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The grammar summary of one analysis kind: the paradigm table of the five
// declensions, singular or plural, with the analysed case's row highlighted. Its
// clickable cells (the five declension headers and the seven highlighted forms)
// write the matching analysis label into the analysis box `Textanalyse` of the
// analysis window it serves, then close the summary. One class for the twenty
// windows: the kind picks the table, the row and the labels; the family picks the
// analysis window that receives the label (frmacc_singulier serves frmnew_analyse,
// its twin frmacc_singulier_modif serves frmanalyse_acc_sing).
#include "ui/grammar/layer.h"
#include <QLabel>
#include <QMainWindow>
#include <string>

#include "core/analysis/analysis_kind.h"

namespace varnelio::ui {

class Workspace;

// A cell of the table: a label with a single-line border. A clickable cell emits
// clicked() for a click completed inside it (press and release).
class ParadigmCell : public QLabel {
  Q_OBJECT
 public:
  using QLabel::QLabel;

 Q_SIGNALS:
  void clicked();

 protected:
  void mousePressEvent(QMouseEvent* event) override;
  void mouseReleaseEvent(QMouseEvent* event) override;
  void paintEvent(QPaintEvent* event) override;

 private:
  bool pressed_ = false;
};

class ParadigmWindow : public QMainWindow {
  Q_OBJECT
 public:
  ParadigmWindow(Workspace& workspace, KindId kind, Family family, QWidget* parent = nullptr);

  const AnalysisKind& kind() const { return kind_; }
  Family family() const { return family_; }
  // The object name of the analysis window that receives the labels.
  QString targetName() const;

 protected:
  void resizeEvent(QResizeEvent* event) override;

 private:
  void buildMenu();
  void buildTable(QWidget* panel);
  ParadigmCell* makeCell(QWidget* panel, const QString& name, const QString& caption, const QRect& twips,
                         Qt::Alignment alignment, const QFont& font);
  void makeClickable(ParadigmCell* cell, int declension);

  // Hands the label (Windows-1252) to the analysis window this summary serves,
  // and closes the summary. The target is neither shown nor activated.
  void chooseLabel(const std::string& label);
  void onPrint();
  void onClose();

  Workspace& workspace_;
  const AnalysisKind& kind_;
  Family family_;
  QWidget* client_ = nullptr;
};

// Registers the twenty paradigm windows with the workspace, under their names.
void registerParadigmWindows(Workspace& workspace);

}  // namespace varnelio::ui
