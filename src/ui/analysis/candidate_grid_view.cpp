// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/analysis/candidate_grid_view.h"

#include <QBitArray>
#include <QEvent>
#include <QHeaderView>
#include <QHoverEvent>
#include <QPainter>
#include <QPaintEvent>
#include <QScrollBar>
#include <QStyledItemDelegate>
#include <algorithm>

#include "core/analysis/candidate_grid.h"
#include "ui/analysis/candidate_grid_model.h"
#include "ui/style/colours.h"
#include "ui/style/fonts.h"
#include "ui/shell/twips.h"

namespace varnelio::ui {
namespace {

// Row height of the grid, as a grid of MS Sans Serif 8.25 pt draws it.
constexpr int kRowHeightTwips = 240;

// The fixed column keeps its colours when its row is selected.
class FixedColumnDelegate final : public QStyledItemDelegate {
 public:
  using QStyledItemDelegate::QStyledItemDelegate;
  void initStyleOption(QStyleOptionViewItem* option, const QModelIndex& index) const override {
    QStyledItemDelegate::initStyleOption(option, index);
    if (index.column() == 0) {
      option->state &= ~QStyle::State_Selected;
      option->state &= ~QStyle::State_HasFocus;
    }
  }
};

}  // namespace

CandidateGridView::CandidateGridView(QWidget* parent) : QAbstractItemView(parent) {
  setFont(msSansSerif());
  // Only the fixed cells have colours of their own; the others are a plain grid's,
  // whatever the window behind it paints.
  QPalette plain = palette();
  plain.setColor(QPalette::Base, Qt::white);
  plain.setColor(QPalette::Text, Qt::black);
  setPalette(plain);
  setItemDelegate(new FixedColumnDelegate(this));
  setSelectionBehavior(QAbstractItemView::SelectRows);
  setSelectionMode(QAbstractItemView::SingleSelection);
  setEditTriggers(QAbstractItemView::NoEditTriggers);
  setTabKeyNavigation(true);  // as in a table: Tab moves from cell to cell
  setHorizontalScrollMode(QAbstractItemView::ScrollPerPixel);
  setVerticalScrollMode(QAbstractItemView::ScrollPerItem);
  viewport()->setAttribute(Qt::WA_Hover);

  // Row 0 of the grid is the horizontal header; column 0 a fixed column drawn by
  // the model's colours, so no row header is needed.
  rowHeight_ = std::max(1, twipsToPixelsY(kRowHeightTwips));

  header_ = new QHeaderView(Qt::Horizontal, this);
  header_->setSectionsClickable(false);
  header_->setHighlightSections(false);
  header_->setSectionResizeMode(QHeaderView::Interactive);
  header_->setStretchLastSection(false);
  header_->setDefaultAlignment(Qt::AlignCenter);
  header_->setFixedHeight(twipsToPixelsY(kRowHeightTwips) + 2);
  header_->setStyleSheet(gridHeaderStyleSheet(kDarkRed, QColor(160, 160, 160)));
  connect(header_, &QHeaderView::sectionResized, this, [this] {
    updateGeometries();
    viewport()->update();
  });
  connect(header_, &QHeaderView::sectionCountChanged, this, [this] {
    updateGeometries();
    header_->setOffset(horizontalScrollBar()->value());
    viewport()->update();
  });
  connect(header_, &QHeaderView::geometriesChanged, this, [this] { updateGeometries(); });

  // A click raises rowSelected even on the row already selected: the row's
  // analysis is shown again, as a click on the grid always does. A click that moved
  // the current cell has already raised it once, at the press.
  connect(this, &QAbstractItemView::clicked, this, [this](const QModelIndex& index) {
    const bool alreadyRaised = pressMovedCurrent_;
    pressMovedCurrent_ = false;
    if (index.isValid() && silence_ == 0 && !alreadyRaised) Q_EMIT rowSelected(index.row() + 1);
  });
}

// The header and the selection are hidden and destroyed after this class is gone,
// and the model may outlive the view: nothing they signal then may reach it.
CandidateGridView::~CandidateGridView() {
  header_->disconnect(this);
  if (QItemSelectionModel* selection = selectionModel()) selection->disconnect(this);
  if (QAbstractItemModel* m = model()) m->disconnect(this);
}

void CandidateGridView::setModel(QAbstractItemModel* model) {
  if (QAbstractItemModel* old = this->model()) old->disconnect(this);
  // Whatever the model does to its rows is the program's doing, never the user's:
  // the current cell it moves must not run the row selection. The silence starts
  // before the view and its selection model hear of a change (connected first)
  // and ends after they have handled it (connected last).
  if (model) {
    auto hush = [this] { ++silence_; };
    connect(model, &QAbstractItemModel::modelAboutToBeReset, this, hush);
    connect(model, &QAbstractItemModel::rowsAboutToBeRemoved, this, hush);
    connect(model, &QAbstractItemModel::rowsAboutToBeInserted, this, hush);
  }
  // The count of rows is kept here, as a header would keep it: the layout never asks
  // a model that may be going away. Counted before the view hears of the change.
  rows_ = model ? model->rowCount() : 0;
  if (model) {
    auto recount = [this, model] {
      rows_ = model->rowCount();
      scheduleDelayedItemsLayout();
    };
    connect(model, &QAbstractItemModel::rowsInserted, this, recount);
    connect(model, &QAbstractItemModel::rowsRemoved, this, recount);
    connect(model, &QAbstractItemModel::modelReset, this, recount);
    connect(model, &QAbstractItemModel::layoutChanged, this, recount);
  }
  header_->setModel(model);  // first: the selection model made next is the header's too
  QAbstractItemView::setModel(model);
  if (!model) return;
  auto unhush = [this] { --silence_; };
  connect(model, &QAbstractItemModel::modelReset, this, unhush);
  connect(model, &QAbstractItemModel::rowsRemoved, this, unhush);
  connect(model, &QAbstractItemModel::rowsInserted, this, unhush);
  connect(selectionModel(), &QItemSelectionModel::currentChanged, this,
          [this](const QModelIndex& current, const QModelIndex&) { onCurrentChanged(current); });
  for (int c = 0; c < CandidateGrid::kColumnCount && c < model->columnCount(); ++c)
    setColumnWidth(c, twipsToPixelsX(kColumnWidthsTwips[c]));
}

void CandidateGridView::mousePressEvent(QMouseEvent* event) {
  pressMovedCurrent_ = false;
  pressing_ = true;
  QAbstractItemView::mousePressEvent(event);
  pressing_ = false;
}

void CandidateGridView::onCurrentChanged(const QModelIndex& current) {
  if (silence_ != 0 || !current.isValid()) return;
  if (pressing_) pressMovedCurrent_ = true;
  Q_EMIT rowSelected(current.row() + 1);
}

int CandidateGridView::selectedRow() const {
  const QModelIndex current = currentIndex();
  return current.isValid() ? current.row() + 1 : 0;
}

void CandidateGridView::moveSilently(int row, int column) {
  if (!model() || row < 1 || row > model()->rowCount()) return;
  Silence silence(*this);
  const QModelIndex cell = model()->index(row - 1, column);
  selectionModel()->setCurrentIndex(cell, QItemSelectionModel::ClearAndSelect | QItemSelectionModel::Rows);
  scrollTo(cell);
}

void CandidateGridView::setSelectionModel(QItemSelectionModel* selectionModel) {
  QAbstractItemView::setSelectionModel(selectionModel);
  if (selectionModel && selectionModel->model() == header_->model()) header_->setSelectionModel(selectionModel);
}

int CandidateGridView::columnWidth(int column) const { return header_->sectionSize(column); }

void CandidateGridView::setColumnWidth(int column, int width) { header_->resizeSection(column, width); }

// ---- Rows of one height, placed by arithmetic ----

int CandidateGridView::rowCount() const { return rows_; }

// Rows scroll one at a time: the scroll bar's value is the first row shown.
int CandidateGridView::firstRow() const { return verticalScrollBar()->value(); }

int CandidateGridView::horizontalOffset() const { return header_->offset(); }

int CandidateGridView::verticalOffset() const { return firstRow() * rowHeight_; }

bool CandidateGridView::isIndexHidden(const QModelIndex&) const { return false; }

QRect CandidateGridView::visualRect(const QModelIndex& index) const {
  if (!index.isValid() || index.model() != model() || index.parent() != rootIndex()) return {};
  // A cell is its row and column less the grid lines on its right and bottom.
  const qint64 top = qint64{index.row() - firstRow()} * rowHeight_;
  return QRect(header_->sectionViewportPosition(index.column()),
               static_cast<int>(std::clamp<qint64>(top, -(qint64{1} << 30), qint64{1} << 30)),
               columnWidth(index.column()) - 1, rowHeight_ - 1);
}

QModelIndex CandidateGridView::indexAt(const QPoint& point) const {
  if (!model()) return {};
  const_cast<CandidateGridView*>(this)->executeDelayedItemsLayout();
  const qint64 row = firstRow() + qint64{point.y() < 0 ? (point.y() - rowHeight_ + 1) / rowHeight_ : point.y() / rowHeight_};
  const int column = header_->logicalIndexAt(point.x());
  if (row < 0 || row >= rowCount() || column < 0) return {};
  return model()->index(static_cast<int>(row), column, rootIndex());
}

void CandidateGridView::scrollTo(const QModelIndex& index, ScrollHint hint) {
  if (!index.isValid() || index.model() != model() || index.parent() != rootIndex()) return;
  // Across: by pixels.
  const int viewportWidth = viewport()->width();
  const int left = header_->sectionPosition(index.column());
  const int width = header_->sectionSize(index.column());
  if (hint == PositionAtCenter) {
    horizontalScrollBar()->setValue(left - (viewportWidth - width) / 2);
  } else if (left - header_->offset() < 0 || width > viewportWidth) {
    horizontalScrollBar()->setValue(left);
  } else if (left - header_->offset() + width > viewportWidth) {
    horizontalScrollBar()->setValue(left - viewportWidth + width);
  }
  // Down: by rows.
  const int viewportHeight = viewport()->height();
  const qint64 top = qint64{index.row() - firstRow()} * rowHeight_;
  if (top < 0 || rowHeight_ > viewportHeight) {
    if (hint == EnsureVisible) hint = PositionAtTop;
  } else if (top + rowHeight_ > viewportHeight) {
    if (hint == EnsureVisible) hint = PositionAtBottom;
  }
  if (hint == PositionAtBottom || hint == PositionAtCenter) {
    // As many rows above it as fit whole in the height (half of it to centre).
    const int height = hint == PositionAtCenter ? viewportHeight / 2 : viewportHeight;
    const int above = std::max(0, height / rowHeight_ - 1);
    verticalScrollBar()->setValue(std::max(0, index.row() - above));
  } else if (hint == PositionAtTop) {
    verticalScrollBar()->setValue(index.row());
  }
  update(index);
}

QModelIndex CandidateGridView::moveCursor(CursorAction cursorAction, Qt::KeyboardModifiers modifiers) {
  const int bottom = rowCount() - 1;
  const int right = model() ? model()->columnCount(rootIndex()) - 1 : -1;
  if (bottom < 0 || right < 0) return {};
  const QModelIndex current = currentIndex();
  if (!current.isValid()) return model()->index(0, 0, rootIndex());
  int row = current.row(), column = current.column();
  switch (cursorAction) {
    case MoveUp:
      if (row > 0) --row;
      break;
    case MoveDown:
      if (row < bottom) ++row;
      break;
    case MoveLeft:
      if (column > 0) --column;
      break;
    case MoveRight:
      if (column < right) ++column;
      break;
    case MovePrevious:  // back along the rows, from the first cell to the last
      if (column > 0) {
        --column;
      } else {
        column = right;
        row = row > 0 ? row - 1 : bottom;
      }
      break;
    case MoveNext:
      if (column < right) {
        ++column;
      } else {
        column = 0;
        row = row < bottom ? row + 1 : 0;
      }
      break;
    case MoveHome:
      column = 0;
      if (modifiers & Qt::ControlModifier) row = 0;
      break;
    case MoveEnd:
      column = right;
      if (modifiers & Qt::ControlModifier) row = bottom;
      break;
    case MovePageUp: {
      // The row a viewport's height above the current row's last line.
      const qint64 y = qint64{row} * rowHeight_ + rowHeight_ - 2 - viewport()->height();
      row = y < 0 ? 0 : static_cast<int>(y / rowHeight_);
      break;
    }
    case MovePageDown: {
      const qint64 y = qint64{row} * rowHeight_ + viewport()->height();
      row = static_cast<int>(std::min<qint64>(y / rowHeight_, bottom));
      break;
    }
  }
  return model()->index(row, column, rootIndex());
}

void CandidateGridView::setSelection(const QRect& rect, QItemSelectionModel::SelectionFlags command) {
  const QModelIndex topLeft = indexAt(QPoint(std::min(rect.left(), rect.right()), std::min(rect.top(), rect.bottom())));
  const QModelIndex bottomRight =
      indexAt(QPoint(std::max(rect.left(), rect.right()), std::max(rect.top(), rect.bottom())));
  if (!selectionModel() || !topLeft.isValid() || !bottomRight.isValid()) return;
  if (!(topLeft.flags() & Qt::ItemIsEnabled) || !(bottomRight.flags() & Qt::ItemIsEnabled)) return;
  QItemSelection selection;
  const QItemSelectionRange range(topLeft, bottomRight);
  if (!range.isEmpty()) selection.append(range);
  selectionModel()->select(selection, command);
}

QRegion CandidateGridView::visualRegionForSelection(const QItemSelection& selection) const {
  QRegion region;
  const QRect viewportRect = viewport()->rect();
  for (const QItemSelectionRange& range : selection) {
    if (!range.isValid() || range.parent() != rootIndex()) continue;
    // Clamped to just around the viewport: a range may span millions of rows.
    const auto clampY = [&](qint64 y) {
      return static_cast<int>(std::clamp<qint64>(y, -rowHeight_, qint64{viewportRect.height()} + rowHeight_));
    };
    const int top = clampY(qint64{range.top() - firstRow()} * rowHeight_);
    const int bottom = clampY(qint64{range.bottom() + 1 - firstRow()} * rowHeight_);
    const int left = header_->sectionViewportPosition(range.left());
    const int right = header_->sectionViewportPosition(range.right()) + columnWidth(range.right());
    const QRect rect(QPoint(left, top), QPoint(right - 2, bottom - 2));
    if (viewportRect.intersects(rect)) region += rect;
  }
  return region;
}

QModelIndexList CandidateGridView::selectedIndexes() const {
  QModelIndexList indexes;
  if (!selectionModel()) return indexes;
  for (const QModelIndex& index : selectionModel()->selectedIndexes())
    if (index.parent() == rootIndex()) indexes.append(index);
  return indexes;
}

void CandidateGridView::updateGeometries() {
  if (inGeometry_ || !header_) return;  // (the base class asks before the header is made)
  inGeometry_ = true;
  const int headerHeight =
      header_->isHidden() ? 0 : std::clamp(header_->sizeHint().height(), header_->minimumHeight(), header_->maximumHeight());
  setViewportMargins(0, headerHeight, 0, 0);
  const QRect area = viewport()->geometry();
  header_->setGeometry(area.left(), area.top() - headerHeight, area.width(), headerHeight);

  // The scroll bars: across by pixels, down by rows.
  QSize size = viewport()->size();
  const QSize most = maximumViewportSize();
  const int rows = rowCount();
  const int length = header_->length();
  if (most.width() >= length && qint64{most.height()} >= qint64{rows} * rowHeight_) size = most;
  int columnsInSight = 0;
  for (int width = 0, c = header_->count() - 1; c >= 0; --c) {
    width += header_->sectionSize(header_->logicalIndex(c));
    if (width > size.width()) break;
    ++columnsInSight;
  }
  horizontalScrollBar()->setPageStep(size.width());
  horizontalScrollBar()->setRange(0, length - size.width());
  horizontalScrollBar()->setSingleStep(std::max(size.width() / (std::max(columnsInSight, 1) + 1), 2));
  const int rowsInSight = std::max(1, std::min(rows, size.height() / rowHeight_));
  verticalScrollBar()->setRange(0, std::max(0, rows - rowsInSight));
  verticalScrollBar()->setPageStep(rowsInSight);
  verticalScrollBar()->setSingleStep(1);
  header_->setOffset(horizontalScrollBar()->value());
  inGeometry_ = false;
  QAbstractItemView::updateGeometries();
}

void CandidateGridView::scrollContentsBy(int dx, int dy) {
  // dy counts rows.
  if (dx) header_->setOffset(horizontalScrollBar()->value());
  QAbstractItemView::scrollContentsBy(dx, static_cast<int>(std::clamp<qint64>(
                                              qint64{dy} * rowHeight_, -4 * qint64{viewport()->height()} - rowHeight_,
                                              4 * qint64{viewport()->height()} + rowHeight_)));
}

void CandidateGridView::initViewItemOption(QStyleOptionViewItem* option) const {
  QAbstractItemView::initViewItemOption(option);
  option->showDecorationSelected = true;
}

bool CandidateGridView::viewportEvent(QEvent* event) {
  switch (event->type()) {
    case QEvent::HoverEnter:
    case QEvent::HoverMove: {
      const QModelIndex index = indexAt(static_cast<QHoverEvent*>(event)->position().toPoint());
      if (index != hover_) {
        const QModelIndex old = hover_;
        hover_ = index;
        if (old.isValid()) update(old);
        if (index.isValid()) update(index);
      }
      break;
    }
    case QEvent::HoverLeave:
      if (hover_.isValid()) {
        const QModelIndex old = hover_;
        hover_ = QModelIndex();
        update(old);
      }
      break;
    default:
      break;
  }
  return QAbstractItemView::viewportEvent(event);
}

void CandidateGridView::drawCell(QPainter& painter, const QStyleOptionViewItem& option, const QModelIndex& index) const {
  QStyleOptionViewItem cell = option;
  if (selectionModel() && selectionModel()->isSelected(index)) cell.state |= QStyle::State_Selected;
  if (index == hover_) cell.state |= QStyle::State_MouseOver;
  if (option.state & QStyle::State_Enabled) {
    const bool enabled = index.flags() & Qt::ItemIsEnabled;
    if (!enabled) cell.state &= ~QStyle::State_Enabled;
    cell.palette.setCurrentColorGroup(enabled ? QPalette::Normal : QPalette::Disabled);
  }
  if (index == currentIndex() && (hasFocus() || viewport()->hasFocus())) cell.state |= QStyle::State_HasFocus;
  style()->drawPrimitive(QStyle::PE_PanelItemViewRow, &cell, &painter, this);
  itemDelegateForIndex(index)->paint(&painter, cell, index);
}

void CandidateGridView::paintEvent(QPaintEvent* event) {
  QStyleOptionViewItem option;
  initViewItemOption(&option);
  const QColor gridColour =
      QColor::fromRgba(static_cast<QRgb>(style()->styleHint(QStyle::SH_Table_GridLineColor, &option, this)));
  const QPen gridPen(gridColour, 1, Qt::SolidLine);
  QPainter painter(viewport());
  const int rows = rowCount();
  if (header_->count() == 0 || rows == 0 || !itemDelegate()) return;

  const int first = firstRow();
  // The last pixel of the grid, across and down.
  const int lastX = header_->length() - header_->offset() - 1;
  const int lastY = static_cast<int>(std::min<qint64>(qint64{rows - first} * rowHeight_ - 1, viewport()->height() + 1));
  const int rowsInSight = std::min(rows - first, viewport()->height() / rowHeight_ + 2);
  const int columns = header_->count();
  QBitArray drawn(std::max(rowsInSight, 1) * columns);  // each cell once, whatever the dirty areas

  for (QRect dirty : event->region()) {
    dirty.setBottom(std::min(dirty.bottom(), lastY));
    dirty.setRight(std::min(dirty.right(), lastX));
    if (!dirty.isValid()) continue;
    int left = header_->visualIndexAt(dirty.left());
    int right = header_->visualIndexAt(dirty.right());
    if (left == -1) left = 0;
    if (right == -1) right = columns - 1;
    const int top = first + std::max(0, dirty.top()) / rowHeight_;
    const int bottom = std::min(rows - 1, first + std::max(0, dirty.bottom()) / rowHeight_);
    if (top > bottom) continue;

    for (int row = top; row <= bottom; ++row) {
      const int y = (row - first) * rowHeight_;
      for (int v = left; v <= right; ++v) {
        const int bit = (row - first) * columns + v;
        if (bit < 0 || bit >= drawn.size() || drawn.testBit(bit)) continue;
        drawn.setBit(bit);
        const int column = header_->logicalIndex(v);
        if (header_->isSectionHidden(column)) continue;
        const QModelIndex index = model()->index(row, column, rootIndex());
        if (!index.isValid()) continue;
        option.rect = QRect(header_->sectionViewportPosition(column), y, columnWidth(column) - 1, rowHeight_ - 1);
        drawCell(painter, option, index);
      }
    }

    // The grid lines: under each row and right of each column, and the left edge of
    // the first column, which no row header borders.
    const QPen old = painter.pen();
    painter.setPen(gridPen);
    for (int row = top; row <= bottom; ++row) {
      const int y = (row - first) * rowHeight_ + rowHeight_ - 1;
      painter.drawLine(QLineF(dirty.left(), y, dirty.right(), y).translated(0.5, 0.5));
    }
    for (int v = left; v <= right; ++v) {
      const int column = header_->logicalIndex(v);
      if (header_->isSectionHidden(column)) continue;
      const int x = header_->sectionViewportPosition(column) + columnWidth(column) - 1;
      painter.drawLine(QLineF(x, dirty.top(), x, dirty.bottom()).translated(0.5, 0.5));
    }
    if (style()->styleHint(QStyle::SH_Table_AlwaysDrawLeftTopGridLines, &option, this)) {
      const int column = header_->logicalIndex(left);
      if (!header_->isSectionHidden(column)) {
        const int x = header_->sectionViewportPosition(column);
        if (x == dirty.left()) painter.drawLine(x, dirty.top(), x, dirty.bottom());
      }
    }
    painter.setPen(old);
  }
}

}  // namespace varnelio::ui
