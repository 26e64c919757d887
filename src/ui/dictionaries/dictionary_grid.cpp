// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/dictionaries/dictionary_grid.h"

#include <QFontMetrics>
#include <QHeaderView>
#include <QResizeEvent>
#include <QScrollBar>

#include "ui/shell/codec.h"
#include "ui/style/colours.h"
#include "ui/style/fonts.h"
#include "ui/shell/twips.h"

namespace varnelio::ui {

DictionaryResultModel::DictionaryResultModel(DictionaryCellSource cells, int columns, QObject* parent)
    : QAbstractTableModel(parent), cells_(std::move(cells)), columns_(columns) {}

int DictionaryResultModel::rowCount(const QModelIndex& parent) const {
  return parent.isValid() ? 0 : static_cast<int>(hits_.size()) + 1;
}

int DictionaryResultModel::columnCount(const QModelIndex& parent) const { return parent.isValid() ? 0 : columns_; }

QVariant DictionaryResultModel::data(const QModelIndex& index, int role) const {
  if (!index.isValid()) return {};
  const auto row = static_cast<std::size_t>(index.row());
  const int column = index.column();
  const bool hit = row < hits_.size();
  switch (role) {
    case Qt::DisplayRole:
      return hit ? toQString(cells_(hits_[row], column)) : QString();
    case Qt::FontRole:
      if (hit && column == 0) {
        QFont bold;
        bold.setBold(true);
        return bold;
      }
      return {};
    case Qt::ForegroundRole:
      // Column 0 is a fixed column: its own text colour, except that a hit's
      // headword is written in bold blue.
      if (column == 0) return QBrush(hit ? kDictionaryHeadwordColour : fixedText_);
      return {};
    case Qt::BackgroundRole:
      if (column == 0) return QBrush(kLightYellow);
      return {};
    case Qt::TextAlignmentRole:
      return QVariant::fromValue(column == topAligned_ ? Qt::Alignment(Qt::AlignLeft | Qt::AlignTop)
                                                       : Qt::Alignment(Qt::AlignLeft | Qt::AlignVCenter));
    default:
      return {};
  }
}

QVariant DictionaryResultModel::headerData(int section, Qt::Orientation orientation, int role) const {
  if (orientation != Qt::Horizontal || section < 0 || section >= columns_) return {};
  switch (role) {
    case Qt::DisplayRole: return section < headers_.size() ? headers_.at(section) : QString();
    case Qt::TextAlignmentRole: return QVariant::fromValue(Qt::Alignment(Qt::AlignCenter));
    case Qt::ForegroundRole: return QBrush(fixedText_);
    case Qt::BackgroundRole: return QBrush(kLightYellow);
    default: return {};
  }
}

Qt::ItemFlags DictionaryResultModel::flags(const QModelIndex& index) const {
  if (!index.isValid()) return Qt::NoItemFlags;
  // The fixed column is not part of a selection; nothing is editable.
  return index.column() == 0 ? Qt::ItemIsEnabled : Qt::ItemIsEnabled | Qt::ItemIsSelectable;
}

void DictionaryResultModel::setHeaders(const QStringList& headers) {
  headers_ = headers;
  Q_EMIT headerDataChanged(Qt::Horizontal, 0, columns_ - 1);
}

void DictionaryResultModel::setHits(std::vector<std::size_t> hits) {
  beginResetModel();
  hits_ = std::move(hits);
  endResetModel();
}

DictionaryGrid::DictionaryGrid(DictionaryResultModel* model, QWidget* parent)
    : QTableView(parent), model_(model), frozen_(new QTableView(this)) {
  setModel(model_);
  styleView(this);
  setHorizontalScrollMode(ScrollPerPixel);
  setVerticalScrollMode(ScrollPerPixel);

  // Column 0 is drawn a second time by a view laid over the left edge, which does
  // not scroll sideways: the fixed column.
  frozen_->setObjectName(QStringLiteral("grille02_fixedColumn"));
  frozen_->setModel(model_);
  styleView(frozen_);
  frozen_->setFocusPolicy(Qt::NoFocus);
  frozen_->setFrameShape(QFrame::NoFrame);
  frozen_->setSelectionModel(selectionModel());
  frozen_->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
  frozen_->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
  frozen_->setVerticalScrollMode(ScrollPerPixel);
  viewport()->stackUnder(frozen_);
  const auto hideScrolledColumns = [this] {
    for (int c = 1; c < model_->columnCount(); ++c) frozen_->setColumnHidden(c, true);
    frozen_->setColumnWidth(0, columnWidth(0));
  };
  hideScrolledColumns();
  connect(model_, &QAbstractItemModel::modelReset, this, hideScrolledColumns);

  connect(horizontalHeader(), &QHeaderView::sectionResized, this, [this](int column, int, int size) {
    if (column == 0) {
      frozen_->setColumnWidth(0, size);
      placeFixedColumn();
    }
  });
  connect(frozen_->verticalScrollBar(), &QAbstractSlider::valueChanged, verticalScrollBar(),
          &QAbstractSlider::setValue);
  connect(verticalScrollBar(), &QAbstractSlider::valueChanged, frozen_->verticalScrollBar(),
          &QAbstractSlider::setValue);
  frozen_->show();
  placeFixedColumn();
}

void DictionaryGrid::styleView(QTableView* view) {
  view->setEditTriggers(NoEditTriggers);
  view->setSelectionMode(ExtendedSelection);
  view->setWordWrap(false);
  view->setFont(msSansSerif());
  view->verticalHeader()->hide();

  QPalette p = view->palette();
  p.setColor(QPalette::Base, Qt::white);
  p.setColor(QPalette::Window, Qt::white);
  p.setColor(QPalette::Text, Qt::black);
  p.setColor(QPalette::WindowText, Qt::black);
  p.setColor(QPalette::Highlight, kDictionarySelectedBackground);
  p.setColor(QPalette::HighlightedText, Qt::black);
  view->setPalette(p);

  // Rows of one height, as the grid's default row; the header row is one of them.
  const int rowHeight = std::max(twipsToPixelsY(240), QFontMetrics(view->font()).height() + 3);
  view->verticalHeader()->setMinimumSectionSize(1);
  view->verticalHeader()->setDefaultSectionSize(rowHeight);
  view->verticalHeader()->setSectionResizeMode(QHeaderView::Fixed);
  QHeaderView* header = view->horizontalHeader();
  header->setFixedHeight(rowHeight);
  header->setDefaultAlignment(Qt::AlignCenter);
  header->setHighlightSections(false);
  header->setSectionsClickable(false);
  header->setMinimumSectionSize(1);
  header->setStyleSheet(QStringLiteral("QHeaderView { background-color: white; } ") +
                        gridHeaderStyleSheet(model_->fixedTextColour(), QColor(128, 128, 128)));
  // The header row is a row of the grid: the grid's font, not the frame's.
  header->setFont(view->font());
}

void DictionaryGrid::placeFixedColumn() {
  frozen_->setGeometry(frameWidth(), frameWidth(), columnWidth(0),
                       viewport()->height() + horizontalHeader()->height());
}

void DictionaryGrid::resizeEvent(QResizeEvent* event) {
  QTableView::resizeEvent(event);
  placeFixedColumn();
}

QModelIndex DictionaryGrid::moveCursor(CursorAction action, Qt::KeyboardModifiers modifiers) {
  const QModelIndex current = QTableView::moveCursor(action, modifiers);
  // Keep the cell reached with the keyboard from hiding under the fixed column.
  if (action == MoveLeft && current.column() > 0 && visualRect(current).left() < frozen_->columnWidth(0)) {
    horizontalScrollBar()->setValue(horizontalScrollBar()->value() + visualRect(current).left() -
                                    frozen_->columnWidth(0));
  }
  return current;
}

void DictionaryGrid::scrollTo(const QModelIndex& index, ScrollHint hint) {
  if (index.column() > 0) QTableView::scrollTo(index, hint);
}

QString DictionaryGrid::text(int row, int column) const {
  if (row == 0) return model_->headerData(column, Qt::Horizontal, Qt::DisplayRole).toString();
  return model_->index(row - 1, column).data(Qt::DisplayRole).toString();
}

bool DictionaryGrid::isBold(int row, int column) const {
  if (row == 0) return false;
  const QVariant font = model_->index(row - 1, column).data(Qt::FontRole);
  return font.isValid() && font.value<QFont>().bold();
}

QColor DictionaryGrid::textColour(int row, int column) const {
  const QVariant brush = row == 0 ? model_->headerData(column, Qt::Horizontal, Qt::ForegroundRole)
                                  : model_->index(row - 1, column).data(Qt::ForegroundRole);
  return brush.isValid() ? brush.value<QBrush>().color() : palette().color(QPalette::Text);
}

Qt::Alignment DictionaryGrid::alignment(int row, int column) const {
  const QVariant a = row == 0 ? model_->headerData(column, Qt::Horizontal, Qt::TextAlignmentRole)
                              : model_->index(row - 1, column).data(Qt::TextAlignmentRole);
  return a.value<Qt::Alignment>();
}

void DictionaryGrid::setColumnWidthTwips(int column, int twips) { setColumnWidth(column, twipsToPixelsX(twips)); }

}  // namespace varnelio::ui
