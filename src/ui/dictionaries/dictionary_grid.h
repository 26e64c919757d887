// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// grille02, the result grid of the dictionary windows: a display-only grid with a
// fixed header row and a fixed first column. The model holds only the positions of
// the hits in the dictionary table and reads their texts when a cell is drawn, so
// that a result of thousands of rows is shown at once, in one batch.
#include "ui/dictionaries/layer.h"
#include <QAbstractTableModel>
#include <QColor>
#include <QStringList>
#include <QTableView>
#include <functional>
#include <string_view>
#include <vector>

namespace varnelio::ui {

// Column c of dictionary entry i, as Windows-1252 text.
using DictionaryCellSource = std::function<std::string_view(std::size_t entry, int column)>;

inline const QColor kDictionarySelectedBackground(192, 192, 192);
inline const QColor kDictionaryHeadwordColour(0, 0, 192);

// The rows below the header: one per hit, then one blank row.
class DictionaryResultModel final : public QAbstractTableModel {
  Q_OBJECT
 public:
  DictionaryResultModel(DictionaryCellSource cells, int columns, QObject* parent = nullptr);

  int rowCount(const QModelIndex& parent = {}) const override;
  int columnCount(const QModelIndex& parent = {}) const override;
  QVariant data(const QModelIndex& index, int role) const override;
  QVariant headerData(int section, Qt::Orientation orientation, int role) const override;
  Qt::ItemFlags flags(const QModelIndex& index) const override;

  // The header texts and their colour (the fixed cells' text colour).
  void setHeaders(const QStringList& headers);
  void setFixedTextColour(const QColor& colour) { fixedText_ = colour; }
  const QColor& fixedTextColour() const { return fixedText_; }
  // Column aligned left and top (the others keep the default, left and centred).
  void setTopAlignedColumn(int column) { topAligned_ = column; }

  // Replaces every row: the hits (positions in the table, in order) and the blank
  // row under them. One reset, whatever the number of hits.
  void setHits(std::vector<std::size_t> hits);
  const std::vector<std::size_t>& hits() const { return hits_; }

 private:
  DictionaryCellSource cells_;
  int columns_;
  QStringList headers_;
  QColor fixedText_{255, 0, 0};
  int topAligned_ = -1;
  std::vector<std::size_t> hits_;
};

class DictionaryGrid final : public QTableView {
  Q_OBJECT
 public:
  DictionaryGrid(DictionaryResultModel* model, QWidget* parent);

  // The grid counted as the user sees it: row 0 is the header row.
  int rows() const { return model_->rowCount() + 1; }
  QString text(int row, int column) const;
  bool isBold(int row, int column) const;
  QColor textColour(int row, int column) const;
  Qt::Alignment alignment(int row, int column) const;
  void setColumnWidthTwips(int column, int twips);
  // The view that keeps column 0 in place while the others scroll.
  QTableView* fixedColumnView() const { return frozen_; }

 protected:
  void resizeEvent(QResizeEvent* event) override;
  QModelIndex moveCursor(CursorAction action, Qt::KeyboardModifiers modifiers) override;
  void scrollTo(const QModelIndex& index, ScrollHint hint = EnsureVisible) override;

 private:
  void styleView(QTableView* view);
  void placeFixedColumn();

  DictionaryResultModel* model_;
  QTableView* frozen_;
};

}  // namespace varnelio::ui
