// SPDX-License-Identifier: GPL-3.0-or-later
// The grammar summaries: one window per kind and family, whose clickable cells
// write the analysis label of their declension into the serving analysis window.
#include <QAction>
#include <QCoreApplication>
#include <QFile>
#include <QFontMetrics>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QTest>
#include <QToolButton>
#include <gtest/gtest.h>

#include "core/reports/print_job.h"
#include "ui/analysis/analysis_window.h"
#include "ui/analysis/candidate_grid_view.h"
#include "ui/grammar/paradigm_window.h"
#include "ui/shell/twips.h"
#include "ui/shell/analysis_target.h"
#include "ui/shell/kind_windows.h"
#include "ui_test_support.h"

namespace varnelio::ui {
namespace {

using testing::UiHarness;

const QStringList kClickable = {"Label2",  "Label10", "Label13", "Label12", "Label11", "Label19",
                                "Label26", "Label34", "Label48", "Label40", "Label56", "Label63"};
// Declension sent by each clickable cell, in the order above.
const int kDeclensionOf[12] = {1, 2, 3, 4, 5, 1, 2, 2, 3, 3, 4, 5};

// Stands in for an analysis window: a window of that name that takes the label
// into its analysis box.
class StandInTarget final : public QWidget, public AnalysisTarget {
 public:
  StandInTarget() : box(new QPlainTextEdit(this)) {}
  void receiveAnalysis(const QString& label) override { box->setPlainText(label); }
  QPlainTextEdit* box;
};

QPlainTextEdit* addTarget(UiHarness& h, const QString& name, QWidget** window = nullptr) {
  auto* w = new StandInTarget;
  w->setObjectName(name);
  h.workspace->adopt(w);
  if (window) *window = w;
  return w->box;
}

void flushDeletes() { QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete); }

QLabel* cell(QWidget* window, const QString& name) { return window->findChild<QLabel*>(name); }

struct KindCase {
  const char* window;
  const char* target;       // the new-analysis window served
  const char* modifTarget;  // the existing-analysis window served by the _modif twin
  const char* title;
  const char* rowLabel;   // the highlighted row
  const char* labelPart;  // "acc. sg."
  char letter;
  const char* forms;      // the seven highlighted forms, as shown
};

const KindCase kKinds[] = {
    {"frmnom_sing", "frmnew_nom_sing", "frmanalyse_nom_sing",
     "Nominatif singulier", "N.", "nom. sg.", 'A',
     "aqua|dominus|donum|homo|nomen|gradus|res"},
    {"frmnom_pluriel", "frmnew_nom_pluriel", "frmanalyse_nom_pluriel",
     "Nominatif pluriel", "N.", "nom. pl.", 'J',
     "aquae|domini|dona|homines|nomina|gradus|res"},
    {"frmgen_sing", "frmnew_gen_sing", "frmanalyse_gen_sing",
     "Génitif singulier", "G.", "gén. sg.", 'D',
     "aquae|domini|doni|hominis|nominis|gradus|rei"},
    {"frmgen_pluriel", "frmnew_gen_pluriel", "frmanalyse_gen_pluriel",
     "Génitif pluriel", "G.", "gén. pl.", 'M',
     "aquarum|dominorum|donorum|hominum|nominum|graduum|rerum"},
    {"frmdat_sing", "frmnew_dat_sing", "frmanalyse_dat_sing",
     "Datif singulier", "D.", "dat. sg.", 'E',
     "aquae|domino|dono|homini|nomini|gradui|rei"},
    {"frmdat_pluriel", "frmnew_dat_pluriel", "frmanalyse_dat_pluriel",
     "Datif pluriel", "D.", "dat. pl.", 'N',
     "aquis|dominis|donis|hominibus|nominibus|gradibus|rebus"},
    {"frmacc_singulier", "frmnew_analyse", "frmanalyse_acc_sing",
     "Accusatif singulier", "Acc.", "acc. sg.", 'C',
     "aquam|dominum|donum|hominem|nomen|gradum|rem"},
    {"frmacc_pluriel", "frmnew_acc_pluriel", "frmanalyse_acc_pluriel",
     "Accusatif pluriel", "Acc.", "acc. pl.", 'L',
     "aquas|dominos|dona|homines|nomina|gradus|res"},
    {"frmabl_sing", "frmnew_abl_sing", "frmanalyse_abl_sing",
     "Ablatif singulier", "Abl.", "abl. sg.", 'F',
     "aqua|domino|dono|homine|nomine|gradu|re"},
    {"frmabl_pluriel", "frmnew_abl_pluriel", "frmanalyse_abl_pluriel",
     "Ablatif pluriel", "Abl.", "abl. pl.", 'O',
     "aquis|dominis|donis|hominibus|nominibus|gradibus|rebus"},
};

TEST(ParadigmWindow, EveryKindAndFamilySendsItsTwelveLabelsAndCloses) {
  UiHarness h;
  for (const KindCase& k : kKinds) {
    for (const bool modif : {false, true}) {
      const QString name = QString::fromLatin1(k.window) + (modif ? QStringLiteral("_modif") : QString());
      const QString targetName = QString::fromLatin1(modif ? k.modifTarget : k.target);
      SCOPED_TRACE(name.toStdString());
      QWidget* targetWindow = nullptr;
      QPlainTextEdit* box = addTarget(h, targetName, &targetWindow);
      const QStringList forms = QString::fromUtf8(k.forms).split(QChar('|'));

      for (int i = 0; i < kClickable.size(); ++i) {
        SCOPED_TRACE(kClickable[i].toStdString());
        QWidget* w = h.workspace->open(*WindowId::named(name));
        ASSERT_NE(w, nullptr);
        EXPECT_EQ(w->windowTitle(), QStringLiteral("Varnelio - Noms - ") + QString::fromUtf8(k.title));
        QLabel* c = cell(w, kClickable[i]);
        ASSERT_NE(c, nullptr);
        if (i >= 5) {
          EXPECT_EQ(c->text().trimmed(), forms[i - 5]);
        }
        const int d = kDeclensionOf[i];
        const QString label = QString::number(d) + QStringLiteral(" décl. ") + QString::fromUtf8(k.labelPart) +
                              QStringLiteral(" [A") + QChar('A' + d - 1) + QStringLiteral("00") + QChar(k.letter) +
                              QStringLiteral("]");
        EXPECT_EQ(c->toolTip(), label);
        EXPECT_EQ(c->cursor().shape(), Qt::PointingHandCursor);

        box->setPlainText(QStringLiteral("texte saisi avant"));
        QTest::mouseClick(c, Qt::LeftButton);
        EXPECT_EQ(box->toPlainText(), label);  // replaced, exactly
        EXPECT_FALSE(w->isVisible());
        flushDeletes();
        EXPECT_EQ(h.workspace->find(name), nullptr);
      }
      delete targetWindow;
    }
  }
}

TEST(ParadigmWindow, HighlightsTheAnalysedCaseRowOnly) {
  UiHarness h;
  for (const KindCase& k : kKinds) {
    SCOPED_TRACE(k.window);
    QWidget* w = h.workspace->open(*WindowId::named(QString::fromLatin1(k.window)));
    ASSERT_NE(w, nullptr);
    EXPECT_EQ(cell(w, QStringLiteral("titre"))->text(), QStringLiteral("Noms - ") + QString::fromUtf8(k.title));
    EXPECT_EQ(cell(w, QStringLiteral("titre_ombre"))->text(), cell(w, QStringLiteral("titre"))->text());
    int lit = 0;
    for (int r = 0; r < 6; ++r) {
      QLabel* rowLabel = cell(w, QStringLiteral("cas_%1").arg(r));
      ASSERT_NE(rowLabel, nullptr);
      const bool peach = rowLabel->palette().color(QPalette::Window) == QColor(255, 224, 192);
      const bool blue = rowLabel->palette().color(QPalette::WindowText) == QColor(0, 0, 192);
      EXPECT_EQ(peach, rowLabel->text() == QString::fromLatin1(k.rowLabel)) << rowLabel->text().toStdString();
      EXPECT_EQ(blue, peach);
      lit += peach;
    }
    EXPECT_EQ(lit, 1);
    EXPECT_EQ(cell(w, QStringLiteral("Label63"))->palette().color(QPalette::Window), QColor(255, 224, 192));
    EXPECT_EQ(cell(w, QStringLiteral("Label63"))->palette().color(QPalette::WindowText), QColor(0, 0, 192));
    w->close();
  }
}

TEST(ParadigmWindow, CellsSitAtTheirPlacesWithTheirCaptions) {
  UiHarness h;
  QWidget* w = h.workspace->open(WindowId::paradigm(KindId::GenPl, Family::New));
  ASSERT_NE(w, nullptr);
  struct Place {
    const char* name;
    QRect twips;
    const char* caption;
  };
  const Place places[] = {
      {"Label2", {960, 240, 915, 375}, "I"},
      {"Label10", {1860, 240, 2475, 375}, "II"},
      {"Label13", {4320, 240, 2460, 375}, "III"},
      {"coin", {120, 240, 855, 375}, ""},
      {"genre_2", {4440, 600, 975, 615}, "masculin féminin"},
      {"cas_0", {120, 1200, 855, 375}, "N."},
      {"Label19", {960, 2280, 915, 375}, " aquarum"},    // narrow column, seven letters: one blank
      {"Label26", {1860, 2280, 1245, 375}, "  dominorum"},
      {"Label56", {6765, 2280, 915, 375}, " graduum"},
      {"Label63", {7665, 2280, 915, 375}, "  rerum"},
      {"forme_5_6", {6765, 3000, 915, 375}, " gradibus"},
      {"forme_0_7", {7665, 1200, 915, 375}, "  res"},
  };
  for (const Place& p : places) {
    SCOPED_TRACE(p.name);
    QLabel* c = cell(w, QString::fromLatin1(p.name));
    ASSERT_NE(c, nullptr);
    EXPECT_EQ(c->geometry(), twipsRect(p.twips.x(), p.twips.y(), p.twips.width(), p.twips.height()));
    EXPECT_EQ(c->text(), QString::fromUtf8(p.caption));
  }
  QWidget* panel = w->findChild<QWidget*>(QStringLiteral("Frame1"));
  ASSERT_NE(panel, nullptr);
  EXPECT_EQ(panel->geometry(), twipsRect(120, 840, 8775, 3495));
  EXPECT_EQ(w->findChild<QWidget*>(QStringLiteral("client"))->size(), twipsSize(9000, 4440));
  w->close();
}

// In all twenty windows every cell shows its whole text: no form or label is cut
// by its cell, whatever the kind.
TEST(ParadigmWindow, EveryCellShowsItsWholeText) {
  UiHarness h;
  for (const AnalysisKind& kind : analysisKinds())
    for (const Family family : {Family::New, Family::Existing}) {
      const QString name = kindWindows(kind.id).paradigmName(family);
      QWidget* w = h.workspace->open(*WindowId::named(name));
      ASSERT_NE(w, nullptr) << name.toStdString();
      int cells = 0;
      for (QLabel* c : w->findChild<QWidget*>(QStringLiteral("Frame1"))->findChildren<QLabel*>()) {
        if (c->text().isEmpty()) continue;
        ++cells;
        const QFontMetrics metrics(c->font());
        const QRect room = c->contentsRect();
        const QString text = c->text().trimmed();
        // A cell that wraps (the gender labels) must hold its lines in its height.
        const QRect needed = c->wordWrap() ? metrics.boundingRect(room, Qt::TextWordWrap, text)
                                           : QRect(0, 0, metrics.horizontalAdvance(text), metrics.height());
        EXPECT_LE(needed.width(), room.width()) << name.toStdString() << " " << c->objectName().toStdString();
        EXPECT_LE(needed.height(), room.height()) << name.toStdString() << " " << c->objectName().toStdString();
      }
      EXPECT_GT(cells, 40) << name.toStdString();
      w->close();
      flushDeletes();
    }
}

TEST(ParadigmWindow, OtherCellsNeitherReactNorShowATooltip) {
  UiHarness h;
  QPlainTextEdit* box = addTarget(h, QStringLiteral("frmnew_analyse"));
  box->setPlainText(QStringLiteral("inchangé"));
  QWidget* w = h.workspace->open(WindowId::paradigm(KindId::AccSg, Family::New));
  ASSERT_NE(w, nullptr);
  // A form outside the highlighted row, the vocative row, a row label, the corner,
  // a gender cell and a gender label.
  for (const char* name : {"forme_0_2", "forme_1_1", "forme_5_7", "cas_2", "cas_0", "coin", "case_genre_3", "genre_1"}) {
    SCOPED_TRACE(name);
    QLabel* c = cell(w, QString::fromLatin1(name));
    ASSERT_NE(c, nullptr);
    EXPECT_TRUE(c->toolTip().isEmpty());
    EXPECT_NE(c->cursor().shape(), Qt::PointingHandCursor);
    QTest::mouseClick(c, Qt::LeftButton);
    EXPECT_TRUE(w->isVisible());
    EXPECT_EQ(box->toPlainText(), QStringLiteral("inchangé"));
  }
  int withTooltip = 0;
  for (QLabel* c : w->findChildren<QLabel*>()) withTooltip += !c->toolTip().isEmpty();
  EXPECT_EQ(withTooltip, 12);
  w->close();
}

TEST(ParadigmWindow, AClickAfterTheTargetClosedSendsNothingAndCloses) {
  UiHarness h;
  QWidget* targetWindow = nullptr;
  addTarget(h, QStringLiteral("frmanalyse_dat_sing"), &targetWindow);
  QWidget* w = h.workspace->open(WindowId::paradigm(KindId::DatSg, Family::Existing));
  ASSERT_NE(w, nullptr);
  delete targetWindow;  // the analysis window is closed; the summary stays open
  QTest::mouseClick(cell(w, QStringLiteral("Label26")), Qt::LeftButton);
  EXPECT_FALSE(w->isVisible());
  flushDeletes();
  EXPECT_EQ(h.workspace->find(QStringLiteral("frmdat_sing_modif")), nullptr);
}

TEST(ParadigmWindow, OneInstanceThatFermerDestroys) {
  UiHarness h;
  QWidget* first = h.workspace->open(WindowId::paradigm(KindId::AblPl, Family::New));
  EXPECT_EQ(h.workspace->open(WindowId::paradigm(KindId::AblPl, Family::New)), first);
  first->findChild<QAction*>(QStringLiteral("Fermer"))->trigger();
  flushDeletes();
  EXPECT_EQ(h.workspace->find(QStringLiteral("frmabl_pluriel")), nullptr);
}

TEST(ParadigmWindow, ATwinLooksTheSame) {
  UiHarness h;
  QWidget* a = h.workspace->open(WindowId::paradigm(KindId::AccSg, Family::New));
  QWidget* b = h.workspace->open(WindowId::paradigm(KindId::AccSg, Family::Existing));
  ASSERT_TRUE(a && b);
  EXPECT_EQ(a->windowTitle(), b->windowTitle());
  const QImage ia = a->findChild<QWidget*>(QStringLiteral("client"))->grab().toImage();
  const QImage ib = b->findChild<QWidget*>(QStringLiteral("client"))->grab().toImage();
  EXPECT_EQ(ia, ib);
  EXPECT_EQ(static_cast<ParadigmWindow*>(b)->targetName(), QStringLiteral("frmanalyse_acc_sing"));
}

TEST(ParadigmWindow, ImprimerPrintsTheClientAreaOnOnePageAfterThePrintSetup) {
  UiHarness h;
  QWidget* w = h.workspace->open(WindowId::paradigm(KindId::NomPl, Family::New));
  ASSERT_NE(w, nullptr);
  w->findChild<QAction*>(QStringLiteral("Imprimer"))->trigger();
  ASSERT_EQ(h.prompts.shown.size(), 1u);
  EXPECT_EQ(h.prompts.shown[0].kind, ScriptedPrompts::Shown::Kind::Print);
  EXPECT_TRUE(h.prompts.shown[0].setupOnly);
  ASSERT_EQ(h.prompts.printed.size(), 1u);
  const PrintJob& job = h.prompts.printed[0];
  const QSize client = twipsSize(9000, 4440);
  const auto pages = job.pagesAsText();
  ASSERT_EQ(pages.size(), 1u);
  ASSERT_EQ(pages[0].size(), 1u);
  EXPECT_EQ(pages[0][0], "[image " + std::to_string(client.width()) + "x" + std::to_string(client.height()) + "]");
  // The banner is in the picture: its band-blue shadow label.
  const PrintOp& image = job.ops().front();
  ASSERT_EQ(image.kind, PrintOp::Kind::Image);
  const QRect banner = twipsRect(600, 120, 7695, 615);
  const std::uint32_t pixel = image.image.argb[static_cast<std::size_t>(banner.top() + 3) * image.image.width + banner.left() + 3];
  EXPECT_EQ(QColor::fromRgba(pixel), QColor(128, 128, 255));
  EXPECT_TRUE(w->isVisible());
}

TEST(ParadigmWindow, GrowingBeyondTheMaximumSnapsBackShrinkingIsAllowed) {
  UiHarness h;
  QWidget* w = h.workspace->open(WindowId::paradigm(KindId::GenSg, Family::New));
  ASSERT_NE(w, nullptr);
  ASSERT_TRUE(QTest::qWaitForWindowExposed(w));
  const QSize maximum = twipsSize(9120, 5130);
  const auto outerBecomes = [w](QSize expected) {
    (void)QTest::qWaitFor([&] { return w->frameGeometry().size() == expected; }, 2000);
    return w->frameGeometry().size();
  };
  w->resize(900, 700);
  EXPECT_EQ(outerBecomes(maximum), maximum);
  const QSize frame = w->frameGeometry().size() - w->size();
  w->resize(300, 200);
  EXPECT_EQ(outerBecomes(QSize(300, 200) + frame), QSize(300, 200) + frame);
  w->resize(300, 900);  // only the height is too large
  EXPECT_EQ(outerBecomes(QSize(300 + frame.width(), maximum.height())), QSize(300 + frame.width(), maximum.height()));
}

TEST(ParadigmWindow, FillsTheRealAnalysisWindowWhoseUserThenValidates) {
  UiHarness h;
  QWidget* menu = h.workspace->open(WindowId::main());
  ASSERT_NE(menu, nullptr);
  QFile text(h.path(QStringLiteral("texte.txt")));
  ASSERT_TRUE(text.open(QIODevice::WriteOnly));
  text.write("Dominum vidi. Donum dedit.");
  text.close();
  auto* text1 = menu->findChild<QLineEdit*>(QStringLiteral("Text1"));
  ASSERT_NE(text1, nullptr);
  QTest::keyClicks(text1, text.fileName());
  menu->findChild<QAction*>(QStringLiteral("acc_sing_nouveau"))->trigger();
  auto* analysis = h.workspace->find<AnalysisWindow>(QStringLiteral("frmnew_analyse"));
  ASSERT_NE(analysis, nullptr);

  // "Précis grammatical" opens the summary of the kind; "dominum" sends the label.
  QTest::mouseClick(analysis->findChild<QToolButton*>(QStringLiteral("Command4")), Qt::LeftButton);
  QWidget* summary = h.workspace->find(QStringLiteral("frmacc_singulier"));
  ASSERT_NE(summary, nullptr);
  ASSERT_TRUE(summary->isVisible());
  QTest::mouseClick(cell(summary, QStringLiteral("Label26")), Qt::LeftButton);
  flushDeletes();
  EXPECT_EQ(h.workspace->find(QStringLiteral("frmacc_singulier")), nullptr);
  auto* box = analysis->findChild<QPlainTextEdit*>(QStringLiteral("Textanalyse"));
  EXPECT_EQ(box->toPlainText(), QStringLiteral("2 décl. acc. sg. [AB00C]"));

  QTest::mouseClick(analysis->findChild<QToolButton*>(QStringLiteral("Command2")), Qt::LeftButton);
  auto* grid = analysis->findChild<CandidateGridView*>(QStringLiteral("grille01"));
  EXPECT_EQ(grid->model()->index(0, 2).data().toString(), QStringLiteral("Dominum"));
  EXPECT_EQ(grid->model()->index(0, 3).data().toString(), QStringLiteral("2 décl. acc. sg. [AB00C]"));
}

}  // namespace
}  // namespace varnelio::ui
