// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The view of the candidate grid `grille01`: one fixed header row and one fixed
// first column in the fixed colours, MS Sans Serif 8.25 pt, column widths in twips.
//
// Event discipline: rowSelected is raised by the user's clicks and selection
// changes only. The program moves the current cell through moveSilently(), and
// every change coming from the model (a fill, a deletion) is silent as well, so no
// handler has to guard itself against the program's own moves.
#include "ui/analysis/layer.h"
#include <QTableView>

namespace varnelio::ui {

class CandidateGridView final : public QTableView {
  Q_OBJECT
 public:
  // The columns' widths in twips: number, sentence number, form, analysis.
  static constexpr int kColumnWidthsTwips[] = {750, 800, 2000, 3500};

  explicit CandidateGridView(QWidget* parent = nullptr);

  void setModel(QAbstractItemModel* model) override;

  // The row at the moving end of the selection, counted as the windows count
  // (candidates from 1); 0 when nothing is selected.
  int selectedRow() const;
  // Makes cell (row, column) the current cell and the whole selection, rows counted
  // from 1, without raising rowSelected.
  void moveSilently(int row, int column);

 Q_SIGNALS:
  // The user clicked a row or moved the selection to it (rows counted from 1).
  void rowSelected(int row);

 private:
  // RAII: while one lives, the view's moves raise no rowSelected.
  class Silence {
   public:
    explicit Silence(CandidateGridView& view) : view_(view) { ++view_.silence_; }
    ~Silence() { --view_.silence_; }
    Silence(const Silence&) = delete;
    Silence& operator=(const Silence&) = delete;
   private:
    CandidateGridView& view_;
  };

  void mousePressEvent(QMouseEvent* event) override;
  void onCurrentChanged(const QModelIndex& current);
  int silence_ = 0;
  bool pressing_ = false;           // inside a mouse press
  bool pressMovedCurrent_ = false;  // the last press moved the current cell

};

}  // namespace varnelio::ui
