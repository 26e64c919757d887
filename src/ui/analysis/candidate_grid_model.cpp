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

// The pre-analysis's levels, each seen at a glance and not by colour alone: a sure
// label in bold green italics, a probable one in grey italics, a doubtful row marked
// « douteux » on a light orange ground. None is an analysis until the user makes it
// one.
const QColor kSureGreen(0, 110, 0);
const QColor kProposalGrey(128, 128, 128);
const QColor kDoubtfulBrown(150, 75, 0);
const QColor kDoubtfulGround(255, 228, 196);

QString levelName(ProposalLevel level) {
  switch (level) {
    case ProposalLevel::Sure: return QStringLiteral("sûr");
    case ProposalLevel::Probable: return QStringLiteral("probable");
    case ProposalLevel::Doubtful: return QStringLiteral("douteux");
  }
  return {};
}

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
  const CandidateGrid& grid = session_.grid();
  const std::string_view written = grid.analysis(r);
  if (!written.empty() || !kind_) return toQString(written);
  const Proposal* proposal = grid.proposal(r);
  return proposal && proposal->level != ProposalLevel::Doubtful
             ? toQString(analysisLabel(*kind_, proposal->declension))
             : QString();
}

QVariant CandidateGridModel::data(const QModelIndex& index, int role) const {
  if (!index.isValid() || index.row() >= rowCount()) return {};
  // Only the rows in sight are asked for: each cell is read from the grid's row,
  // a span of the source text for a scanned form.
  const auto r = static_cast<std::size_t>(index.row()) + 1;
  const CandidateGrid& grid = session_.grid();
  const int column = index.column();
  // The proposal the analysis cell shows, while no analysis is written.
  const Proposal* proposal = column == 3 && grid.analysis(r).empty() ? grid.proposal(r) : nullptr;
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
      switch (column) {
        case 0: return QString::number(grid.number(r));
        case 1: return toQString(grid.sentenceText(r));
        case 2: return toQString(grid.form(r));
        case 3:
          if (proposal && proposal->level == ProposalLevel::Doubtful) return QStringLiteral("douteux");
          return shownAnalysis(r);
        default: return {};
      }
    case Qt::ToolTipRole:
      if (!proposal) return data(index, Qt::DisplayRole);
      if (proposal->level == ProposalLevel::Doubtful)
        return QStringLiteral("Pré-analyse : douteux (confiance %1 %) : à décider vous-même").arg(proposal->confidence);
      return QStringLiteral("Proposition de la pré-analyse (%1, confiance %2 %) : %3")
          .arg(levelName(proposal->level))
          .arg(proposal->confidence)
          .arg(shownAnalysis(r));
    case Qt::FontRole:
      if (!proposal) return {};
      if (proposal->level == ProposalLevel::Sure) {
        QFont bold = proposalFont_;
        bold.setBold(true);
        return bold;
      }
      return proposalFont_;
    case Qt::TextAlignmentRole:
      if (column == 3 && grid.analysisAlignedTopLeft(r)) return QVariant::fromValue(Qt::AlignLeft | Qt::AlignTop);
      return QVariant::fromValue(Qt::AlignLeft | Qt::AlignVCenter);
    case Qt::BackgroundRole:
      if (column == 0) return kLightYellow;
      if (proposal && proposal->level == ProposalLevel::Doubtful) return kDoubtfulGround;
      return {};
    case Qt::ForegroundRole:
      if (column == 0) return kDarkRed;
      if (!proposal) return {};
      switch (proposal->level) {
        case ProposalLevel::Sure: return kSureGreen;
        case ProposalLevel::Probable: return kProposalGrey;
        case ProposalLevel::Doubtful: return kDoubtfulBrown;
      }
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
