// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/shell/kind_windows.h"
#include "ui/grammar/paradigm_window.h"

#include <QAction>
#include <QApplication>
#include <QFrame>
#include <QImage>
#include <QMenu>
#include <QMenuBar>
#include <QMouseEvent>
#include <QPainter>
#include <QResizeEvent>
#include <array>
#include <string_view>

#include "core/grammar/paradigm.h"
#include "core/reports/print_job.h"
#include "ui/shell/analysis_target.h"
#include "ui/shell/codec.h"
#include "ui/shell/prompts.h"
#include "ui/shell/size_clamp.h"
#include "ui/style/shadowed_title.h"
#include "ui/shell/twips.h"
#include "ui/shell/workspace.h"

namespace varnelio::ui {
namespace {

// The object names of the clickable cells: the five headers I..V, then the seven
// form cells of the highlighted row, columns 1..7.
constexpr std::array<std::string_view, 5> kParadigmHeaderNames = {"Label2", "Label10", "Label13", "Label12",
                                                                    "Label11"};
constexpr std::array<std::string_view, 7> kParadigmHighlightedCellNames = {
    "Label19", "Label26", "Label34", "Label48", "Label40", "Label56", "Label63"};

// Client area, and the outer size the window never grows beyond (twips).
constexpr int kClientWidth = 9000;
constexpr int kClientHeight = 4440;
constexpr int kMaxOuterWidth = 9120;
constexpr int kMaxOuterHeight = 5130;

const QString kSerif = QStringLiteral("Times New Roman");

QColor systemWindowBackground() { return QApplication::palette().color(QPalette::Base); }
QColor systemWindowText() { return QApplication::palette().color(QPalette::WindowText); }

QString formCellName(int caseRow, int column) {
  return QStringLiteral("forme_%1_%2").arg(caseRow).arg(column);
}

}  // namespace

void ParadigmCell::mousePressEvent(QMouseEvent* event) {
  if (event->button() == Qt::LeftButton) pressed_ = true;
  QLabel::mousePressEvent(event);
}

void ParadigmCell::mouseReleaseEvent(QMouseEvent* event) {
  const bool click = pressed_ && event->button() == Qt::LeftButton && rect().contains(event->position().toPoint());
  pressed_ = false;
  QLabel::mouseReleaseEvent(event);
  if (click) Q_EMIT clicked();
}

void ParadigmCell::paintEvent(QPaintEvent* event) {
  QLabel::paintEvent(event);
  // A single-line border in the window-frame colour, whatever the text colour, so
  // that the borders shared by neighbouring cells look the same on both sides.
  QPainter painter(this);
  painter.setPen(QApplication::palette().color(QPalette::WindowText));
  painter.drawRect(rect().adjusted(0, 0, -1, -1));
}

ParadigmWindow::ParadigmWindow(Workspace& workspace, KindId kind, Family family, QWidget* parent)
    : QMainWindow(parent), workspace_(workspace), kind_(analysisKind(kind)), family_(family) {
  setObjectName(kindWindows(kind_.id).paradigmName(family));
  setAttribute(Qt::WA_DeleteOnClose);
  // Sizable, but without a maximize button.
  setWindowFlags(Qt::Window | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowSystemMenuHint |
                 Qt::WindowMinimizeButtonHint | Qt::WindowCloseButtonHint);
  setWindowTitle(submenuCaption(kind_));

  client_ = new QWidget(this);
  client_->setObjectName(QStringLiteral("client"));
  setBackground(client_, kLightYellow);
  setCentralWidget(client_);

  makeShadowedTitle(client_, QStringLiteral("Noms - ") + fromUtf8(kind_.title), twipsRect(600, 120, 7695, 615),
                    makeFont(kSerif, 24, true), QStringLiteral("titre_ombre"), QStringLiteral("titre"));

  auto* panel = new QFrame(client_);
  panel->setObjectName(QStringLiteral("Frame1"));
  panel->setFrameStyle(QFrame::Box | QFrame::Sunken);
  panel->setGeometry(twipsRect(120, 840, 8775, 3495));
  setBackground(panel, kLightYellow);
  buildTable(panel);

  buildMenu();
  const QSize client = twipsSize(kClientWidth, kClientHeight);
  resize(client.width(), client.height() + menuBar()->sizeHint().height());
}

QString ParadigmWindow::targetName() const { return kindWindows(kind_.id).windowName(family_); }

void ParadigmWindow::buildMenu() {
  QMenu* fichier = menuBar()->addMenu(QStringLiteral("&Fichier"));
  fichier->setObjectName(QStringLiteral("Fichier"));
  QAction* imprimer = fichier->addAction(QStringLiteral("&Imprimer"));
  imprimer->setObjectName(QStringLiteral("Imprimer"));
  connect(imprimer, &QAction::triggered, this, &ParadigmWindow::onPrint);
  fichier->addSeparator();
  QAction* fermer = fichier->addAction(QStringLiteral("&Fermer"));
  fermer->setObjectName(QStringLiteral("Fermer"));
  connect(fermer, &QAction::triggered, this, &ParadigmWindow::onClose);
}

ParadigmCell* ParadigmWindow::makeCell(QWidget* panel, const QString& name, const QString& caption,
                                       const QRect& twips, Qt::Alignment alignment, const QFont& font) {
  auto* cell = new ParadigmCell(caption, panel);
  cell->setObjectName(name);
  cell->setTextFormat(Qt::PlainText);
  // Text at the top of the cell; the alignment only places it horizontally.
  cell->setAlignment(alignment | Qt::AlignTop);
  cell->setFont(font);
  // The text starts right inside the border: the leading blanks of the captions are
  // the only indent, and the longest forms need the whole width.
  cell->setIndent(0);
  cell->setContentsMargins(1, 1, 1, 1);
  cell->setGeometry(twipsRect(twips.x(), twips.y(), twips.width(), twips.height()));
  setBackground(cell, systemWindowBackground());
  setTextColour(cell, systemWindowText());
  return cell;
}

void ParadigmWindow::makeClickable(ParadigmCell* cell, int declension) {
  const std::string label = analysisLabel(kind_, declension);
  cell->setCursor(Qt::PointingHandCursor);
  cell->setToolTip(toQString(label));
  connect(cell, &ParadigmCell::clicked, this, [this, label] { chooseLabel(label); });
}

void ParadigmWindow::buildTable(QWidget* panel) {
  const auto& columns = paradigmColumns();
  const QFont headerFont = makeFont(kSerif, 14.25, true);
  const QFont rowLabelFont = makeFont(kSerif, 14.25);
  const QFont formFont = makeFont(kSerif, 12);
  const QFont genderFont = makeFont(kSerif, 12, false, false, true);

  // Declension headers, over an empty corner.
  makeCell(panel, QStringLiteral("coin"), QString(),
           QRect(columns[0].left, kParadigmHeaderTop, columns[0].width, kParadigmHeaderHeight), Qt::AlignHCenter,
           headerFont);
  for (std::size_t i = 0; i < paradigmHeaders().size(); ++i) {
    const ParadigmHeader& h = paradigmHeaders()[i];
    ParadigmCell* cell = makeCell(panel, fromUtf8(kParadigmHeaderNames[i]), fromUtf8(h.caption),
                                  QRect(h.left, kParadigmHeaderTop, h.width, kParadigmHeaderHeight),
                                  Qt::AlignHCenter, headerFont);
    setBackground(cell, kPeach);
    makeClickable(cell, h.declension);
  }

  // Gender row: empty cells, with the transparent gender labels laid over them.
  for (int c = 0; c < kParadigmColumnCount; ++c)
    makeCell(panel, QStringLiteral("case_genre_%1").arg(c), QString(),
             QRect(columns[c].left, kParadigmGenderTop, columns[c].width, kParadigmGenderHeight), Qt::AlignHCenter,
             formFont);
  for (std::size_t i = 0; i < paradigmGenderLabels().size(); ++i) {
    const ParadigmGenderLabel& g = paradigmGenderLabels()[i];
    auto* label = new QLabel(toQString(g.caption), panel);
    label->setObjectName(QStringLiteral("genre_%1").arg(i));
    label->setTextFormat(Qt::PlainText);
    label->setAlignment(Qt::AlignHCenter | Qt::AlignTop);
    label->setWordWrap(true);
    label->setFont(genderFont);
    label->setGeometry(twipsRect(g.left, g.top, g.width, g.height));
    label->setAutoFillBackground(false);
    setTextColour(label, systemWindowText());
  }

  // The six case rows; the analysed case's row is highlighted and its forms clickable.
  const int highlighted = paradigmHighlightedRow(kind_);
  for (int r = 0; r < kParadigmCaseCount; ++r) {
    const int top = kParadigmRowTops[r];
    const bool lit = r == highlighted;
    ParadigmCell* rowLabel =
        makeCell(panel, QStringLiteral("cas_%1").arg(r), fromUtf8(kParadigmRowLabels[r]),
                 QRect(columns[0].left, top, columns[0].width, kParadigmRowHeight), Qt::AlignHCenter, rowLabelFont);
    if (lit) {
      setBackground(rowLabel, kPeach);
      setTextColour(rowLabel, kDarkBlue);
    }
    for (int c = 1; c < kParadigmColumnCount; ++c) {
      const QString name = lit ? fromUtf8(kParadigmHighlightedCellNames[c - 1]) : formCellName(r, c);
      ParadigmCell* cell =
          makeCell(panel, name, toQString(paradigmCellCaption(kind_.number, r, c)),
                   QRect(columns[c].left, top, columns[c].width, kParadigmRowHeight), Qt::AlignLeft, formFont);
      if (lit) {
        setBackground(cell, kPeach);
        setTextColour(cell, kDarkBlue);
        makeClickable(cell, columns[c].declension);
      }
    }
  }
}

void ParadigmWindow::chooseLabel(const std::string& label) {
  // The analysis window may have been closed while the summary stayed open: then
  // there is nowhere to write, and the summary just closes.
  if (auto* target = dynamic_cast<AnalysisTarget*>(workspace_.find(targetName())))
    target->receiveAnalysis(toQString(label));
  close();
}

void ParadigmWindow::onPrint() {
  // The client area as displayed (banner and table), on one page.
  const QImage shot = client_->grab().toImage().convertToFormat(QImage::Format_ARGB32);
  PrintImage image;
  image.width = shot.width();
  image.height = shot.height();
  image.argb.reserve(static_cast<std::size_t>(image.width) * image.height);
  for (int y = 0; y < shot.height(); ++y) {
    const auto* line = reinterpret_cast<const QRgb*>(shot.constScanLine(y));
    image.argb.insert(image.argb.end(), line, line + shot.width());
  }
  PrintJob job;
  job.printImage(std::move(image));
  job.endDocument();
  workspace_.prompts().print(this, job, /*setupOnly*/ true, windowTitle());
}

void ParadigmWindow::onClose() { close(); }

void ParadigmWindow::resizeEvent(QResizeEvent* event) {
  QMainWindow::resizeEvent(event);
  // An outer size beyond the maximum (by more than a twip) comes back to it.
  clampOuterSize(this, kMaxOuterWidth + 1, kMaxOuterHeight + 1);
}

void registerParadigmWindows(Workspace& workspace) {
  for (const AnalysisKind& kind : analysisKinds())
    for (const Family family : {Family::New, Family::Existing})
      workspace.registerFactory(WindowId::paradigm(kind.id, family),
                                [id = kind.id, family](Workspace& ws) -> QWidget* {
                                  return new ParadigmWindow(ws, id, family);
                                });
}

}  // namespace varnelio::ui
