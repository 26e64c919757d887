// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/analysis/candidate_grid_view.h"

#include <QHeaderView>
#include <QStyledItemDelegate>

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

CandidateGridView::CandidateGridView(QWidget* parent) : QTableView(parent) {
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
  setWordWrap(false);
  setCornerButtonEnabled(false);
  setHorizontalScrollMode(QAbstractItemView::ScrollPerPixel);

  // Row 0 of the grid is the horizontal header; column 0 a fixed column drawn by
  // the model's colours, so the vertical header is not needed.
  verticalHeader()->hide();
  verticalHeader()->setSectionResizeMode(QHeaderView::Fixed);
  verticalHeader()->setDefaultSectionSize(twipsToPixelsY(kRowHeightTwips));
  verticalHeader()->setMinimumSectionSize(1);

  QHeaderView* header = horizontalHeader();
  header->setSectionsClickable(false);
  header->setHighlightSections(false);
  header->setSectionResizeMode(QHeaderView::Interactive);
  header->setStretchLastSection(false);
  header->setDefaultAlignment(Qt::AlignCenter);
  header->setFixedHeight(twipsToPixelsY(kRowHeightTwips) + 2);
  header->setStyleSheet(gridHeaderStyleSheet(kDarkRed, QColor(160, 160, 160)));

  // A click raises rowSelected even on the row already selected: the row's
  // analysis is shown again, as a click on the grid always does. A click that moved
  // the current cell has already raised it once, at the press.
  connect(this, &QAbstractItemView::clicked, this, [this](const QModelIndex& index) {
    const bool alreadyRaised = pressMovedCurrent_;
    pressMovedCurrent_ = false;
    if (index.isValid() && silence_ == 0 && !alreadyRaised) Q_EMIT rowSelected(index.row() + 1);
  });
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
  QTableView::setModel(model);
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
  QTableView::mousePressEvent(event);
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

}  // namespace varnelio::ui
