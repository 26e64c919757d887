// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The view of the candidate grid `grille01`: one fixed header row and one fixed
// first column in the fixed colours, MS Sans Serif 8.25 pt, column widths in twips.
//
// A whole library gives millions of rows, all of one height: the view places them by
// arithmetic and keeps nothing per row. (A table view's row header keeps 8 bytes a
// row even when hidden, as much as a third of the text; the N° column already
// numbers the rows.) It draws the grid as a table view with a hidden row header does.
//
// Event discipline: rowSelected is raised by the user's clicks and selection
// changes only. The program moves the current cell through moveSilently(), and
// every change coming from the model (a fill, a deletion) is silent as well, so no
// handler has to guard itself against the program's own moves.
#include "ui/analysis/layer.h"
#include <QAbstractItemView>
#include <QPersistentModelIndex>

class QHeaderView;

namespace varnelio::ui {

class CandidateGridView final : public QAbstractItemView {
  Q_OBJECT
 public:
  // The columns' widths in twips: number, sentence number, form, analysis.
  static constexpr int kColumnWidthsTwips[] = {750, 800, 2000, 3500};

  explicit CandidateGridView(QWidget* parent = nullptr);
  ~CandidateGridView() override;

  void setModel(QAbstractItemModel* model) override;
  void setSelectionModel(QItemSelectionModel* selectionModel) override;

  // The header row, and the columns it sizes.
  QHeaderView* horizontalHeader() const { return header_; }
  int columnWidth(int column) const;
  void setColumnWidth(int column, int width);
  // Every row's height, in pixels.
  int rowHeight() const { return rowHeight_; }

  QRect visualRect(const QModelIndex& index) const override;
  void scrollTo(const QModelIndex& index, ScrollHint hint = EnsureVisible) override;
  QModelIndex indexAt(const QPoint& point) const override;

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

  // The layout of uniform rows under the header.
  int firstRow() const;
  int rowCount() const;
  QModelIndex moveCursor(CursorAction cursorAction, Qt::KeyboardModifiers modifiers) override;
  int horizontalOffset() const override;
  int verticalOffset() const override;
  bool isIndexHidden(const QModelIndex& index) const override;
  void setSelection(const QRect& rect, QItemSelectionModel::SelectionFlags command) override;
  QRegion visualRegionForSelection(const QItemSelection& selection) const override;
  QModelIndexList selectedIndexes() const override;
  void updateGeometries() override;
  void scrollContentsBy(int dx, int dy) override;
  void initViewItemOption(QStyleOptionViewItem* option) const override;
  void paintEvent(QPaintEvent* event) override;
  bool viewportEvent(QEvent* event) override;
  void drawCell(QPainter& painter, const QStyleOptionViewItem& option, const QModelIndex& index) const;

  QHeaderView* header_ = nullptr;
  int rowHeight_ = 1;
  int rows_ = 0;
  bool inGeometry_ = false;
  QPersistentModelIndex hover_;
  int silence_ = 0;
  bool pressing_ = false;           // inside a mouse press
  bool pressMovedCurrent_ = false;  // the last press moved the current cell

};

}  // namespace varnelio::ui
