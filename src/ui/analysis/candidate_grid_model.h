// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The candidate grid `grille01` seen by Qt: a table model that reads the grid of an
// analysis session directly and follows the session's changes as it reports them. Model row i is the windows' candidate row i + 1; the
// header row is the horizontal header and column 0 (the candidate number) is the
// fixed column, painted in the fixed colours. A whole book gives hundreds of
// thousands of rows, so the model never copies them: a change of many rows is one
// reset, a deletion one removal, a validation one cell.
#include "ui/analysis/layer.h"
#include <QAbstractTableModel>
#include <QColor>
#include <QFont>
#include <functional>

#include "ui/style/colours.h"
#include "core/analysis/analysis_kind.h"
#include "core/analysis/analysis_session.h"
#include "core/analysis/candidate_grid.h"

namespace varnelio::ui {


class CandidateGridModel final : public QAbstractTableModel, private SessionListener {
  Q_OBJECT
 public:
  // Listens to the session for as long as the model lives.
  explicit CandidateGridModel(AnalysisSession& session, QObject* parent = nullptr);
  ~CandidateGridModel() override;
  // The kind whose labels the proposals of the pre-analysis show.
  void setKind(const AnalysisKind* kind) { kind_ = kind; }
  // The font of a proposal's cell: the grid's, in italics.
  void setProposalFont(const QFont& font) { proposalFont_ = font; }
  // What the analysis cell of row r (from 1) shows: the analysis written, or else the
  // label the pre-analysis proposes.
  QString shownAnalysis(std::size_t r) const;

  const CandidateGrid& grid() const { return session_.grid(); }

  // What a correction says of a row, shown in its analysis cell by a picture (a tick
  // or a cross: never a colour alone) on a tinted background, with the expected
  // answer as its tooltip. The view shows it; files, exports and printouts never do.
  enum class CorrectionMark { None, Right, Wrong };
  struct RowCorrection {
    CorrectionMark mark = CorrectionMark::None;
    QString expected;  // the tooltip
  };
  // The mark of the analysis cell, as an int of CorrectionMark.
  static constexpr int CorrectionRole = Qt::UserRole + 1;
  using CorrectionSource = std::function<RowCorrection(std::size_t r)>;
  // Where the marks of row r (from 1) come from; none shows none.
  void setCorrectionSource(CorrectionSource source) { correction_ = std::move(source); }
  // The marks changed: the analysis cells are shown again.
  void correctionChanged();

  int rowCount(const QModelIndex& parent = {}) const override;
  int columnCount(const QModelIndex& parent = {}) const override;
  QVariant data(const QModelIndex& index, int role = Qt::DisplayRole) const override;
  QVariant headerData(int section, Qt::Orientation orientation, int role = Qt::DisplayRole) const override;
  Qt::ItemFlags flags(const QModelIndex& index) const override;


 private:
  // SessionListener
  void gridAboutToChange() override { beginResetModel(); }
  void gridChanged() override { endResetModel(); }
  void rowAboutToBeRemoved(std::size_t r) override;
  void rowRemoved(std::size_t r) override;
  void analysisChanged(std::size_t r) override;

  AnalysisSession& session_;
  const AnalysisKind* kind_ = nullptr;
  QFont proposalFont_;
  CorrectionSource correction_;
};

}  // namespace varnelio::ui
