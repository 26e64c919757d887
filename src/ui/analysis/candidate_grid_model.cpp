// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/analysis/candidate_grid_model.h"

#include "ui/shell/codec.h"

namespace varnelio::ui {

CandidateGridModel::CandidateGridModel(AnalysisSession& session, QObject* parent)
    : QAbstractTableModel(parent), session_(session) {
  session_.addListener(this);
}

CandidateGridModel::~CandidateGridModel() { session_.removeListener(this); }

int CandidateGridModel::rowCount(const QModelIndex& parent) const {
  return parent.isValid() ? 0 : static_cast<int>(session_.grid().candidateCount());
}

int CandidateGridModel::columnCount(const QModelIndex& parent) const {
  return parent.isValid() ? 0 : CandidateGrid::kColumnCount;
}

namespace {

// A proposal is shown in grey italics: visibly not yet the user's analysis.
const QColor kProposalGrey(128, 128, 128);

}  // namespace

QString CandidateGridModel::shownAnalysis(std::size_t r) const {
  const CandidateGrid& grid_ = session_.grid();
  const std::string_view written = grid_.analysis(r);
  if (!written.empty() || !kind_) return toQString(written);
  const Proposal* proposal = grid_.proposal(r);
  return proposal ? toQString(analysisLabel(*kind_, proposal->declension)) : QString();
}

QVariant CandidateGridModel::data(const QModelIndex& index, int role) const {
  if (!index.isValid() || index.row() >= rowCount()) return {};
  // Only the rows in sight are asked for: each cell is read from the grid's row,
  // a span of the source text for a scanned form.
  const auto r = static_cast<std::size_t>(index.row()) + 1;
  const CandidateGrid& grid_ = session_.grid();
  const int column = index.column();
  const auto showsProposal = [&] { return column == 3 && grid_.analysis(r).empty() && grid_.proposal(r); };
  switch (role) {
    case Qt::DisplayRole:
    case Qt::ToolTipRole:
      if (role == Qt::ToolTipRole && showsProposal()) {
        const Proposal& p = *grid_.proposal(r);
        return QStringLiteral("Proposition de la pré-analyse (%1, confiance %2 %) : %3")
            .arg(p.level == ProposalLevel::Sure ? QStringLiteral("sûr") : QStringLiteral("probable"))
            .arg(p.confidence)
            .arg(shownAnalysis(r));
      }
      switch (column) {
        case 0: return QString::number(grid_.number(r));
        case 1: return toQString(grid_.sentenceText(r));
        case 2: return toQString(grid_.form(r));
        case 3: return shownAnalysis(r);
        default: return {};
      }
    case Qt::FontRole:
      if (showsProposal()) return proposalFont_;
      return {};
    case Qt::TextAlignmentRole:
      if (column == 3 && grid_.analysisAlignedTopLeft(r)) return QVariant::fromValue(Qt::AlignLeft | Qt::AlignTop);
      return QVariant::fromValue(Qt::AlignLeft | Qt::AlignVCenter);
    case Qt::BackgroundRole:
      if (column == 0) return kLightYellow;
      return {};
    case Qt::ForegroundRole:
      if (column == 0) return kDarkRed;
      if (showsProposal()) return kProposalGrey;
      return {};
    default:
      return {};
  }
}

QVariant CandidateGridModel::headerData(int section, Qt::Orientation orientation, int role) const {
  if (orientation != Qt::Horizontal || section < 0 || section >= CandidateGrid::kColumnCount) return {};
  switch (role) {
    case Qt::DisplayRole: return toQString(CandidateGrid::kHeaders[section]);
    case Qt::TextAlignmentRole: return QVariant::fromValue(Qt::AlignCenter);
    case Qt::BackgroundRole: return kLightYellow;
    case Qt::ForegroundRole: return kDarkRed;
    default: return {};
  }
}

Qt::ItemFlags CandidateGridModel::flags(const QModelIndex& index) const {
  if (!index.isValid()) return Qt::NoItemFlags;
  // The fixed column can be clicked (it selects its row) but is never highlighted.
  return Qt::ItemIsEnabled | Qt::ItemIsSelectable;
}

void CandidateGridModel::analysisChanged(std::size_t r) {
  if (r < 1 || r > session_.grid().candidateCount()) return;
  const QModelIndex cell = index(static_cast<int>(r - 1), 3);
  Q_EMIT dataChanged(cell, cell);
}

void CandidateGridModel::rowAboutToBeRemoved(std::size_t r) {
  const int row = static_cast<int>(r - 1);
  beginRemoveRows({}, row, row);
}

void CandidateGridModel::rowRemoved(std::size_t r) {
  endRemoveRows();
  // The rows below moved up with new numbers, and an analysis cell's alignment stays
  // with its place: repaint from the deleted place down.
  const int row = static_cast<int>(r - 1);
  if (row < rowCount()) Q_EMIT dataChanged(index(row, 0), index(rowCount() - 1, columnCount() - 1));
}

}  // namespace varnelio::ui
