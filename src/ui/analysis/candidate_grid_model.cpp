// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/analysis/candidate_grid_model.h"

#include <QIcon>
#include <QPainter>
#include <QPixmap>

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

// A corrected row's cell: a tick or a cross, each on its own tint.
const QColor kRightTint(214, 245, 214);
const QColor kWrongTint(255, 214, 214);

QIcon correctionIcon(bool right) {
  QPixmap picture(16, 16);
  picture.fill(Qt::transparent);
  QPainter painter(&picture);
  painter.setRenderHint(QPainter::Antialiasing);
  painter.setPen(QPen(right ? QColor(0, 128, 0) : QColor(192, 0, 0), 2.5, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
  if (right) {
    painter.drawPolyline(QPolygonF({QPointF(3, 8.5), QPointF(6.5, 12), QPointF(13, 4)}));
  } else {
    painter.drawLine(QPointF(4, 4), QPointF(12, 12));
    painter.drawLine(QPointF(12, 4), QPointF(4, 12));
  }
  painter.end();
  return QIcon(picture);
}

}  // namespace

void CandidateGridModel::correctionChanged() {
  if (rowCount() > 0) Q_EMIT dataChanged(index(0, 3), index(rowCount() - 1, 3));
}

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
  if (column == 3 && correction_) {
    if (const RowCorrection c = correction_(r); c.mark != CorrectionMark::None) {
      const bool right = c.mark == CorrectionMark::Right;
      switch (role) {
        case CorrectionRole: return static_cast<int>(c.mark);
        case Qt::ToolTipRole: return c.expected;
        case Qt::DecorationRole: {
          static const QIcon tick = correctionIcon(true), cross = correctionIcon(false);
          return right ? tick : cross;
        }
        case Qt::BackgroundRole: return right ? kRightTint : kWrongTint;
        default: break;
      }
    }
  }
  if (role == CorrectionRole) return static_cast<int>(CorrectionMark::None);
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
