// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The candidate grid `grille01` seen by Qt: a table model that reads the core's
// CandidateGrid directly. Model row i is the windows' candidate row i + 1; the
// header row is the horizontal header and column 0 (the candidate number) is the
// fixed column, painted in the fixed colours. A whole book gives hundreds of
// thousands of rows, so the model never copies them: a fill is one reset, a
// deletion one removal.
#include "ui/analysis/layer.h"
#include <QAbstractTableModel>
#include <QColor>
#include <QFont>
#include <functional>

#include "ui/style/colours.h"
#include "core/analysis/analysis_kind.h"
#include "core/analysis/candidate_grid.h"

namespace varnelio::ui {


class CandidateGridModel final : public QAbstractTableModel {
  Q_OBJECT
 public:
  explicit CandidateGridModel(CandidateGrid& grid, QObject* parent = nullptr);
  // The kind whose labels the proposals of the pre-analysis show.
  void setKind(const AnalysisKind* kind) { kind_ = kind; }
  // The font of a proposal's cell: the grid's, in italics.
  void setProposalFont(const QFont& font) { proposalFont_ = font; }
  // What the analysis cell of row r (from 1) shows: the analysis written, or else the
  // label the pre-analysis proposes.
  QString shownAnalysis(std::size_t r) const;

  const CandidateGrid& grid() const { return grid_; }

  int rowCount(const QModelIndex& parent = {}) const override;
  int columnCount(const QModelIndex& parent = {}) const override;
  QVariant data(const QModelIndex& index, int role = Qt::DisplayRole) const override;
  QVariant headerData(int section, Qt::Orientation orientation, int role = Qt::DisplayRole) const override;
  Qt::ItemFlags flags(const QModelIndex& index) const override;

  // Runs fill on the grid (clearing, scanning, loading a file) as one reset.
  void refill(const std::function<void(CandidateGrid&)>& fill);
  // Validates the analysis of candidate row r (counted from 1).
  void validate(std::size_t r, std::string_view analysis);
  // Deletes candidate row r (counted from 1), renumbering the rows after it.
  void deleteRow(std::size_t r);
  // Runs remove, which takes row r away (and only it), as one removal.
  void removeRow(std::size_t r, const std::function<void(CandidateGrid&)>& remove);
  // The analysis cell of row r changed.
  void analysisChanged(std::size_t r);

 private:
  CandidateGrid& grid_;
  const AnalysisKind* kind_ = nullptr;
  QFont proposalFont_;
};

}  // namespace varnelio::ui
