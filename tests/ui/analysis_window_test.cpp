// SPDX-License-Identifier: GPL-3.0-or-later
// The analysis windows: loading a new analysis, the row selection with its
// highlighting, validation, deletion, closing, the size clamp, reopening an
// analysis file, and what happens when there is nothing to show.
#include <QAction>
#include <QFile>
#include <QFontMetrics>
#include <QGroupBox>
#include <QImage>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QMenuBar>
#include <QPlainTextEdit>
#include <QTest>
#include <QTextBlock>
#include <QTextEdit>
#include <QToolButton>
#include <gtest/gtest.h>

#include "../support/required_data.h"

#include "core/analysis/candidate_scan.h"
#include "core/analysis/analysis_file.h"
#include "ui/shell/kind_windows.h"
#include "ui/analysis/analysis_window.h"
#include "ui/app/main_window.h"
#include "ui/analysis/candidate_grid_view.h"
#include "ui/shell/twips.h"
#include "ui_test_support.h"

// Readable failure messages for texts and lists of texts.
static void PrintTo(const QString& text, std::ostream* out) { *out << '"' << text.toStdString() << '"'; }

namespace varnelio::ui {
namespace {

using testing::UiHarness;

struct Session {
  UiHarness h;
  MainWindow* menu = nullptr;

  Session() {
    menu = qobject_cast<MainWindow*>(h.workspace->open(WindowId::main()));
    menu->show();
  }
  // Writes the source text (Windows-1252 bytes) and types its path into Text1.
  void chooseText(const QByteArray& bytes, const QString& name = QStringLiteral("texte.txt")) {
    QFile f(h.path(name));
    f.open(QIODevice::WriteOnly);
    f.write(bytes);
    f.close();
    auto* text1 = menu->findChild<QLineEdit*>(QStringLiteral("Text1"));
    text1->clear();
    QTest::keyClicks(text1, f.fileName());
  }
  // Chooses the menu item that opens the window, as the user does.
  AnalysisWindow* open(const QString& windowName) {
    const auto kind = kindFromWindowName(windowName.toStdString());
    const QString item = kindWindows(kind->first).itemName(kind->second);
    QAction* action = menu->findChild<QAction*>(item);
    if (!action || !action->isEnabled()) return nullptr;
    action->trigger();
    return h.workspace->find<AnalysisWindow>(windowName);
  }
  // Lets deferred deletions and queued closes happen.
  static void settle() {
    QCoreApplication::processEvents();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    QCoreApplication::processEvents();
  }
};

CandidateGridView* grid(AnalysisWindow* w) { return w->findChild<CandidateGridView*>(QStringLiteral("grille01")); }
QString cell(AnalysisWindow* w, int row, int column) {
  return grid(w)->model()->index(row - 1, column).data().toString();
}
QStringList rows(AnalysisWindow* w) {
  QStringList out;
  for (int r = 1; r <= grid(w)->model()->rowCount(); ++r)
    out << cell(w, r, 0) + QLatin1Char('|') + cell(w, r, 1) + QLatin1Char('|') + cell(w, r, 2) + QLatin1Char('|') +
               cell(w, r, 3);
  return out;
}
QString phraseText(AnalysisWindow* w) { return w->findChild<QTextEdit*>(QStringLiteral("phrase"))->toPlainText(); }
QString formLabel(AnalysisWindow* w) { return w->findChild<QLabel*>(QStringLiteral("labelforme"))->text(); }
QPlainTextEdit* analysisBox(AnalysisWindow* w) { return w->findChild<QPlainTextEdit*>(QStringLiteral("Textanalyse")); }
bool panelVisible(AnalysisWindow* w) { return w->findChild<QGroupBox*>(QStringLiteral("Frame2"))->isVisible(); }
// Types any text, accents included, key by key.
void typeText(QWidget* widget, const QString& text) {
  for (QChar ch : text) {
    QKeyEvent press(QEvent::KeyPress, Qt::Key_unknown, Qt::NoModifier, QString(ch));
    QKeyEvent release(QEvent::KeyRelease, Qt::Key_unknown, Qt::NoModifier, QString(ch));
    QCoreApplication::sendEvent(widget, &press);
    QCoreApplication::sendEvent(widget, &release);
  }
}
void clickButton(AnalysisWindow* w, const char* name) {
  QTest::mouseClick(w->findChild<QToolButton*>(QLatin1String(name)), Qt::LeftButton);
}
void clickRow(AnalysisWindow* w, int row, int column = 2) {
  CandidateGridView* view = grid(w);
  const QModelIndex index = view->model()->index(row - 1, column);
  view->scrollTo(index);
  QTest::mouseClick(view->viewport(), Qt::LeftButton, {}, view->visualRect(index).center());
}
// The runs of the sentence view set in bold blue, as "start+length".
QStringList highlightedRuns(AnalysisWindow* w) {
  QStringList runs;
  QTextDocument* doc = w->findChild<QTextEdit*>(QStringLiteral("phrase"))->document();
  for (QTextBlock b = doc->begin(); b.isValid(); b = b.next())
    for (auto it = b.begin(); !it.atEnd(); ++it) {
      const QTextFragment frag = it.fragment();
      const QTextCharFormat fmt = frag.charFormat();
      if (fmt.fontWeight() == QFont::Bold && fmt.foreground().color() == QColor(0, 0, 255))
        runs << QStringLiteral("%1+%2").arg(frag.position()).arg(frag.length());
      else
        EXPECT_NE(fmt.fontWeight(), QFont::Bold) << "bold without the blue at " << frag.position();
    }
  return runs;
}

TEST(AnalysisWindow, NewAnalysisOfEachKindScansTheTextAndSelectsRowOne) {
  struct Case {
    const char* window;
    const char* title;
    int formLabelHeight;
    QStringList expectedRows;
  };
  const QByteArray text = "Puella rosam amat. Nautae aquam dant. Dominorum equis.";
  const std::vector<Case> cases = {
      {"frmnew_analyse", "Orvalune - Varnelio (Analyse - Accusatif singulier)", 255,
       {"1|1|rosam|", "2|2|aquam|", "3|3|Dominorum|"}},
      {"frmnew_acc_pluriel", "Orvalune - Varnelio (Analyse - Accusatif pluriel)", 255, {"1|1|Puella|"}},
      {"frmnew_gen_pluriel", "Orvalune - Varnelio (Analyse - Génitif pluriel)", 255, {"1|3|Dominorum|"}},
      {"frmnew_dat_pluriel", "Orvalune - Varnelio (Analyse - Datif pluriel)", 495, {"1|3|equis|"}},
      {"frmnew_nom_sing", "Orvalune - Varnelio (Analyse - Nominatif singulier)", 495,
       {"1|1|Puella|", "2|2|Nautae|", "3|3|Dominorum|", "4|3|equis|"}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.window);
    Session s;
    s.chooseText(text);
    AnalysisWindow* w = s.open(QLatin1String(c.window));
    ASSERT_NE(w, nullptr);
    EXPECT_EQ(w->windowTitle(), QString::fromUtf8(c.title));
    EXPECT_EQ(rows(w), c.expectedRows);
    EXPECT_TRUE(w->isVisible());
    EXPECT_FALSE(s.menu->isVisible());
    EXPECT_TRUE(panelVisible(w));
    EXPECT_EQ(w->selectedRow(), 1);
    EXPECT_EQ(grid(w)->currentIndex(), grid(w)->model()->index(0, 2));
    EXPECT_EQ(formLabel(w), cell(w, 1, 2));
    EXPECT_TRUE(w->analysisPath().isEmpty());
    EXPECT_FALSE(w->findChild<QAction*>(QStringLiteral("Enregistrerdirect"))->isEnabled());
    EXPECT_EQ(w->findChild<QLabel*>(QStringLiteral("labelforme"))->height(), twipsToPixelsY(c.formLabelHeight));
    EXPECT_EQ(w->findChild<QToolButton*>(QStringLiteral("Command5"))->geometry(), twipsRect(8790, 6360, 2175, 900));
    EXPECT_EQ(w->findChild<QToolButton*>(QStringLiteral("Command5"))->text(), QStringLiteral("Enregistrer && Quitter"));
    EXPECT_EQ(w->findChild<QWidget*>(QStringLiteral("grille01"))->geometry(), twipsRect(240, 2160, 8175, 3975));
    EXPECT_EQ(grid(w)->columnWidth(2), twipsToPixelsX(2000));
    EXPECT_EQ(grid(w)->model()->headerData(1, Qt::Horizontal).toString(), QStringLiteral("N° phrase"));
    EXPECT_TRUE(s.h.prompts.messages().isEmpty());
  }
}

TEST(AnalysisWindow, MenusButtonsAndPanelsAsGiven) {
  Session s;
  s.chooseText("Rosam vidi.");
  AnalysisWindow* w = s.open(QStringLiteral("frmnew_analyse"));
  ASSERT_NE(w, nullptr);
  auto describe = [](QMenu* menu) {
    QStringList items;
    for (QAction* a : menu->actions())
      items << (a->isSeparator() ? QStringLiteral("-") : a->objectName() + QLatin1Char('=') + a->text());
    return items;
  };
  const QList<QAction*> top = w->menuBar()->actions();
  ASSERT_EQ(top.size(), 5);
  EXPECT_EQ(top[0]->text(), QStringLiteral("&Fichier"));
  EXPECT_EQ(describe(top[0]->menu()),
            QStringList({"Enregistrerdirect=&Enregistrer les analyses", "Enregistrer=&Enregistrer les analyses sous ...",
                         "EnregistrerExercice=Enregistrer comme e&xercice…", "-", "Exporter=&Exporter le tableau", "Imprimertable=&Imprimer le tableau", "-",
                         "Fermer=&Fermer"}));
  EXPECT_EQ(describe(w->findChild<QMenu*>(QStringLiteral("Exporter"))),
            QStringList({"exportexcell=Vers Microsoft Excel"}));
  EXPECT_EQ(top[1]->text(), QStringLiteral("&\u00c9dition"));
  EXPECT_EQ(describe(top[1]->menu()), QStringList({"Annuler=&Annuler", "Retablir=&R\u00e9tablir"}));
  EXPECT_EQ(top[2]->text(), QStringLiteral("&Dictionnaire"));
  EXPECT_EQ(describe(top[2]->menu()),
            QStringList({"dico_lemmes=&Dictionnaire (Lemmes)", "dico_formes=&Dictionnaire (Formes)"}));
  EXPECT_EQ(top[3]->text(), QStringLiteral("&Outils"));
  EXPECT_EQ(describe(top[3]->menu()),
            QStringList({"Preanalyse=&Pr\u00e9-analyse", "Verifier=&V\u00e9rifier les analyses",
                         "Accepter=&Accepter les propositions s\u00fbres"}));
  EXPECT_EQ(top[4]->text(), QStringLiteral("&Aide"));
  EXPECT_EQ(describe(top[4]->menu()), QStringList({"about=&A propos de..."}));

  struct Button {
    const char* name;
    const char* caption;
    const char* tooltip;
    const char* parent;
  };
  QList<QToolButton*> buttons;
  for (const Button& b : {Button{"Command3", "Dictionnaire des lemmes", "Dictionnaire des lemmes", "client"},
                          Button{"Command1", "Dictionnaire des formes", "Dictionnaire des formes", "client"},
                          Button{"Command4", "Précis grammatical", "Précis grammatical", "client"},
                          Button{"Command1_b", "", "Précis grammatical", "Frame2"},
                          Button{"Command2", "", "Valider l'analyse", "Frame2"},
                          Button{"cmb_delete", "", "Supprimer l'enregistrement", "Frame2"}}) {
    SCOPED_TRACE(b.name);
    auto* button = w->findChild<QToolButton*>(QLatin1String(b.name));
    ASSERT_NE(button, nullptr);
    EXPECT_EQ(button->text(), QString::fromUtf8(b.caption));
    EXPECT_EQ(button->toolTip(), QString::fromUtf8(b.tooltip));
    EXPECT_EQ(button->parentWidget()->objectName(), QLatin1String(b.parent));
    EXPECT_FALSE(button->icon().isNull());
    // Wholly inside its panel, its caption on one line within its width.
    EXPECT_TRUE(button->parentWidget()->rect().contains(button->geometry())) << button->geometry().x();
    EXPECT_LE(QFontMetrics(button->font()).horizontalAdvance(button->text()), button->width());
    buttons << button;
  }
  // No button hides part of another.
  for (int i = 0; i < buttons.size(); ++i)
    for (int j = i + 1; j < buttons.size(); ++j) {
      if (buttons[i]->parentWidget() != buttons[j]->parentWidget()) continue;
      EXPECT_FALSE(buttons[i]->geometry().intersects(buttons[j]->geometry()))
          << buttons[i]->objectName().toStdString() << " " << buttons[j]->objectName().toStdString();
    }
  EXPECT_EQ(w->findChild<QToolButton*>(QStringLiteral("Command4"))->font().pointSizeF(), 9.75);
  EXPECT_EQ(w->findChild<QToolButton*>(QStringLiteral("Command3"))->font().pointSizeF(), 9.0);
  // The sentence view and the three panels lie side by side inside the window (a
  // shared border line at most, as the layout's neighbouring frames have), the
  // grid on the first panel, the analysis box inside the second.
  QList<QWidget*> areas;
  const QRect inside = w->centralWidget()->rect().adjusted(0, 0, 0, 2);  // the status bar may cover a line
  for (const char* name : {"phrase", "Frame1", "Frame2", "Frame3"}) {
    QWidget* area = w->findChild<QWidget*>(QLatin1String(name));
    EXPECT_TRUE(inside.contains(area->geometry())) << name;
    for (QWidget* other : areas) {
      const QRect shared = area->geometry().intersected(other->geometry());
      EXPECT_TRUE(shared.isEmpty() || shared.width() <= 2 || shared.height() <= 2) << name;
    }
    areas << area;
  }
  EXPECT_TRUE(areas[1]->geometry().contains(w->findChild<QWidget*>(QStringLiteral("grille01"))->geometry()));
  EXPECT_TRUE(areas[2]->rect().contains(analysisBox(w)->geometry()));
  EXPECT_EQ(analysisBox(w)->font().family(), QStringLiteral("Times New Roman"));
  EXPECT_EQ(analysisBox(w)->font().pointSizeF(), 9.0);
  auto* form = w->findChild<QLabel*>(QStringLiteral("labelforme"));
  EXPECT_EQ(form->palette().color(QPalette::WindowText), QColor(255, 0, 0));
  EXPECT_EQ(w->findChild<QLabel*>(QStringLiteral("Label7"))->text(), QStringLiteral("Analyse :"));
  EXPECT_EQ(w->findChild<QLabel*>(QStringLiteral("Label3"))->palette().color(QPalette::WindowText), QColor(0, 0, 192));
  EXPECT_EQ(w->width(), twipsToPixelsX(11385));
  EXPECT_EQ(w->height() - w->menuBar()->height(), twipsToPixelsY(7650));

  // The panels are painted in the exact light yellow, inside and along their edges.
  for (const char* name : {"Frame1", "Frame2", "Frame3"}) {
    QWidget* panel = w->findChild<QWidget*>(QLatin1String(name));
    const QImage image = panel->grab().toImage();
    for (const QPoint p : {QPoint(2, image.height() - 3), QPoint(image.width() - 3, image.height() / 2)})
      EXPECT_EQ(image.pixelColor(p), QColor(255, 255, 192)) << name << " at " << p.x() << "," << p.y();
  }
}

TEST(AnalysisWindow, RowSelectionShowsTheSentenceWithEveryOccurrenceOfTheForm) {
  Session s;
  s.chooseText("Rosam vidi. Puella rosam et Rosam amat rosamque.");
  AnalysisWindow* w = s.open(QStringLiteral("frmnew_analyse"));
  ASSERT_NE(w, nullptr);
  EXPECT_EQ(rows(w), QStringList({"1|1|Rosam|", "2|2|rosam|", "3|2|Rosam|", "4|2|rosamque|"}));
  EXPECT_EQ(phraseText(w), QStringLiteral("Rosam vidi."));
  EXPECT_EQ(highlightedRuns(w), QStringList({"0+5"}));

  clickRow(w, 2, 0);  // a click in the fixed column selects the row too
  EXPECT_EQ(w->selectedRow(), 2);
  EXPECT_EQ(phraseText(w), QStringLiteral(" Puella rosam et Rosam amat rosamque."));
  EXPECT_EQ(highlightedRuns(w), QStringList({"8+5", "17+5"}));  // not inside "rosamque"
  EXPECT_EQ(formLabel(w), QStringLiteral("rosam"));
  EXPECT_EQ(grid(w)->currentIndex(), grid(w)->model()->index(1, 2));
  EXPECT_FALSE(w->findChild<QTextEdit*>(QStringLiteral("phrase"))->textCursor().hasSelection());

  // The keyboard moves the selection as well; text typed and not validated is lost.
  typeText(analysisBox(w), QStringLiteral("brouillon"));
  grid(w)->setFocus();
  QTest::keyClick(grid(w), Qt::Key_Down);
  EXPECT_EQ(w->selectedRow(), 3);
  EXPECT_EQ(analysisBox(w)->toPlainText(), QString());
  EXPECT_EQ(highlightedRuns(w), QStringList({"8+5", "17+5"}));
  QTest::keyClick(grid(w), Qt::Key_Down);
  EXPECT_EQ(highlightedRuns(w), QStringList({"28+8"}));
  EXPECT_EQ(formLabel(w), QStringLiteral("rosamque"));
}

TEST(AnalysisWindow, HighlightingComparesLowerCasedAccentedCapitals) {
  Session s;
  // Windows-1252 "Ætheram", "ætheram", "ÆTHERAM" (the last no candidate: upper-case ending).
  s.chooseText("Vidi \xC6theram et \xE6theram \xC6THERAM.");
  AnalysisWindow* w = s.open(QStringLiteral("frmnew_analyse"));
  ASSERT_NE(w, nullptr);
  EXPECT_EQ(rows(w), QStringList({QStringLiteral("1|1|\u00C6theram|"), QStringLiteral("2|1|\u00E6theram|")}));
  EXPECT_EQ(highlightedRuns(w), QStringList({"5+7", "16+7", "24+7"}));
}

TEST(AnalysisWindow, HighlightingAcrossLineBreaksLandsOnTheForm) {
  Session s;
  s.chooseText("Rosam\r\nvidi. Puella\r\nrosam\tet\r\n\r\nROSAM amat.");
  AnalysisWindow* w = s.open(QStringLiteral("frmnew_analyse"));
  ASSERT_NE(w, nullptr);
  clickRow(w, 2);
  QTextDocument* doc = w->findChild<QTextEdit*>(QStringLiteral("phrase"))->document();
  QStringList words;
  for (const QString& run : highlightedRuns(w)) {
    const QStringList parts = run.split(QLatin1Char('+'));
    QTextCursor c(doc);
    c.setPosition(parts[0].toInt());
    c.setPosition(parts[0].toInt() + parts[1].toInt(), QTextCursor::KeepAnchor);
    words << c.selectedText();
  }
  EXPECT_EQ(words, QStringList({QStringLiteral("rosam"), QStringLiteral("ROSAM")}));
}

TEST(AnalysisWindow, ValidateKeepsLeadingSpacesAndNeverMovesTheSelection) {
  Session s;
  s.chooseText("Rosam vidi. Puella rosam amat. Aquam bibit.");
  AnalysisWindow* w = s.open(QStringLiteral("frmnew_analyse"));
  ASSERT_NE(w, nullptr);
  clickRow(w, 2);
  typeText(analysisBox(w), QStringLiteral("  1 décl. acc. sg. [AA00C]  "));
  clickButton(w, "Command2");
  EXPECT_EQ(cell(w, 2, 3), QStringLiteral("  1 décl. acc. sg. [AA00C]"));
  EXPECT_EQ(grid(w)->model()->index(1, 3).data(Qt::TextAlignmentRole).value<Qt::Alignment>(),
            Qt::AlignLeft | Qt::AlignTop);
  EXPECT_EQ(w->selectedRow(), 2);
  EXPECT_EQ(analysisBox(w)->toPlainText(), QStringLiteral("  1 décl. acc. sg. [AA00C]  "));
  EXPECT_EQ(phraseText(w), QStringLiteral(" Puella rosam amat."));

  analysisBox(w)->clear();
  typeText(analysisBox(w), QStringLiteral("2 décl."));
  clickButton(w, "Command2");
  EXPECT_EQ(cell(w, 2, 3), QStringLiteral("2 décl."));
  analysisBox(w)->clear();
  clickButton(w, "Command2");
  EXPECT_EQ(cell(w, 2, 3), QString());
  EXPECT_EQ(cell(w, 1, 3), QString());
  EXPECT_EQ(cell(w, 3, 3), QString());

  // A line break typed in the box is stored as CR LF and shown again as one break.
  typeText(analysisBox(w), QStringLiteral("a"));
  QTest::keyClick(analysisBox(w), Qt::Key_Return);
  typeText(analysisBox(w), QStringLiteral("b"));
  clickButton(w, "Command2");
  EXPECT_EQ(w->candidateGrid().row(2).analysis, "a\r\nb");
  clickRow(w, 1);
  clickRow(w, 2);
  EXPECT_EQ(analysisBox(w)->toPlainText(), QStringLiteral("a\nb"));
  analysisBox(w)->clear();

  // Selecting the row again shows its analysis.
  typeText(analysisBox(w), QStringLiteral("x"));
  clickButton(w, "Command2");
  clickRow(w, 1);
  clickRow(w, 2);
  EXPECT_EQ(analysisBox(w)->toPlainText(), QStringLiteral("x"));
}

TEST(AnalysisWindow, DeleteRenumbersAndShowsTheFollowingCandidate) {
  Session s;
  s.chooseText("Rosam vidi. Aquam bibit. Terram colit. Viam facit. Formam dat.");
  AnalysisWindow* w = s.open(QStringLiteral("frmnew_analyse"));
  ASSERT_NE(w, nullptr);
  clickRow(w, 3);
  typeText(analysisBox(w), QStringLiteral("1 décl. acc. sg. [AA00C]"));
  clickButton(w, "Command2");
  clickRow(w, 2);
  clickButton(w, "cmb_delete");
  EXPECT_EQ(rows(w), QStringList({"1|1|Rosam|", "2|3|Terram|1 décl. acc. sg. [AA00C]", "3|4|Viam|", "4|5|Formam|"}));
  EXPECT_EQ(w->selectedRow(), 2);
  EXPECT_EQ(grid(w)->currentIndex().row(), 1);
  EXPECT_EQ(phraseText(w), QStringLiteral(" Terram colit."));
  EXPECT_EQ(formLabel(w), QStringLiteral("Terram"));
  EXPECT_EQ(analysisBox(w)->toPlainText(), QStringLiteral("1 décl. acc. sg. [AA00C]"));
  EXPECT_EQ(w->cursor().shape(), Qt::ArrowCursor);

  // Deleting the last row selects the new last row.
  clickRow(w, 4);
  clickButton(w, "cmb_delete");
  EXPECT_EQ(rows(w), QStringList({"1|1|Rosam|", "2|3|Terram|1 décl. acc. sg. [AA00C]", "3|4|Viam|"}));
  EXPECT_EQ(w->selectedRow(), 3);
  EXPECT_EQ(formLabel(w), QStringLiteral("Viam"));

  // Down to the only candidate, then nothing: the panel goes, and validate and
  // delete do nothing on an empty grid.
  clickRow(w, 1);
  clickButton(w, "cmb_delete");
  clickButton(w, "cmb_delete");
  EXPECT_EQ(rows(w), QStringList({"1|4|Viam|"}));
  clickButton(w, "cmb_delete");
  EXPECT_TRUE(rows(w).isEmpty());
  EXPECT_FALSE(panelVisible(w));
  EXPECT_EQ(phraseText(w), QString());
  clickButton(w, "Command2");
  clickButton(w, "cmb_delete");
  EXPECT_TRUE(rows(w).isEmpty());
  EXPECT_TRUE(w->isVisible());
}

TEST(AnalysisWindow, EveryWayOfClosingShowsTheMainWindowAgain) {
  Session s;
  s.chooseText("Rosam vidi.");
  const QString path = s.menu->sourcePath();
  const QPoint place(123, 77);
  s.menu->move(place);
  for (const char* how : {"Fermer", "closeBox", "Command5"}) {
    SCOPED_TRACE(how);
    AnalysisWindow* w = s.open(QStringLiteral("frmnew_analyse"));
    ASSERT_NE(w, nullptr);
    EXPECT_FALSE(s.menu->isVisible());
    const std::size_t before = s.h.prompts.shown.size();
    if (QLatin1String(how) == QLatin1String("Fermer")) w->findChild<QAction*>(QStringLiteral("Fermer"))->trigger();
    else if (QLatin1String(how) == QLatin1String("closeBox")) w->close();
    else {  // saved, then closed
      s.h.prompts.fileAnswers = {s.h.path(QStringLiteral("ferme.DAT"))};
      clickButton(w, "Command5");
    }
    Session::settle();
    EXPECT_TRUE(s.menu->isVisible());
    EXPECT_EQ(s.menu->pos(), place);
    EXPECT_EQ(s.menu->sourcePath(), path);
    EXPECT_EQ(s.h.workspace->find(QStringLiteral("frmnew_analyse")), nullptr);
    if (QLatin1String(how) == QLatin1String("Command5")) {
      ASSERT_EQ(s.h.prompts.shown.size(), before + 2);
      EXPECT_EQ(s.h.prompts.shown[before].kind, ScriptedPrompts::Shown::Kind::SaveFile);
      EXPECT_EQ(s.h.prompts.shown.back().text, QStringLiteral("L'enregistrement est terminé."));
    }
  }
  EXPECT_EQ(QDir(s.h.dir.path()).entryList(QDir::Files), QStringList({"ferme.DAT", "texte.txt"}));
}

TEST(AnalysisWindow, OuterSizeIsClampedToItsFirstLayout) {
  Session s;
  s.chooseText("Rosam vidi.");
  AnalysisWindow* w = s.open(QStringLiteral("frmnew_analyse"));
  ASSERT_NE(w, nullptr);
  const QSize frame = w->frameGeometry().size() - w->size();
  struct Case {
    int widthTwips, heightTwips, expectedWidthTwips, expectedHeightTwips;
  };
  for (const Case& c : {Case{14000, 9000, 11505, 8340}, Case{11520, 6000, 11505, 6000},
                        Case{11505, 8340, 11505, 8340}, Case{9000, 8355, 9000, 8340}}) {
    w->resize(twipsToPixelsX(c.widthTwips) - frame.width(), twipsToPixelsY(c.heightTwips) - frame.height());
    QCoreApplication::processEvents();
    EXPECT_EQ(pixelsToTwipsX(w->frameGeometry().width()), c.expectedWidthTwips) << c.widthTwips;
    EXPECT_EQ(pixelsToTwipsY(w->frameGeometry().height()), c.expectedHeightTwips) << c.heightTwips;
  }
}

TEST(AnalysisWindow, NothingToAnalyseLeavesNoWindowAndTheMainWindowShown) {
  struct Case {
    const char* name;
    QByteArray text;
    bool removeFile;
    QString message;
  };
  const std::vector<Case> cases = {
      {"missing", "Rosam vidi.", true,
       QStringLiteral("Le fichier source ne peut pas être lu.\nFichier ou dossier introuvable")},
      {"empty", "", false, QStringLiteral("Le fichier source ne peut pas être lu.\nLe fichier est vide.")},
      {"no full stop", "Rosam vidi", false,
       QStringLiteral("Aucune forme candidate n'a été trouvée dans ce texte.\nLe texte ne contient aucun point : "
                      "seules les phrases terminées par un point sont analysées.")},
      {"no candidate", "Puella amat.", false, QStringLiteral("Aucune forme candidate n'a été trouvée dans ce texte.")},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    Session s;
    s.chooseText(c.text);
    if (c.removeFile) QFile::remove(s.menu->sourcePath());  // gone after the path test
    EXPECT_EQ(s.open(QStringLiteral("frmnew_analyse")), nullptr);
    Session::settle();
    EXPECT_EQ(s.h.prompts.messages(), QStringList({c.message}));
    // Centred on the window the user sees, not on the one never shown.
    EXPECT_EQ(s.h.prompts.shown.back().parent, s.menu);
    EXPECT_TRUE(s.menu->isVisible());
    EXPECT_EQ(s.h.workspace->find(QStringLiteral("frmnew_analyse")), nullptr);
    EXPECT_EQ(s.menu->cursor().shape(), Qt::ArrowCursor);
  }
}

TEST(AnalysisWindow, SideWindowsOpenOnceAndComeToTheFront) {
  Session s;
  s.chooseText("Rosam vidi.");
  QMap<QString, int> made;
  for (const QString& name : {QStringLiteral("frmlexique"), QStringLiteral("frmrecherche01"),
                              QStringLiteral("frmacc_singulier"), QStringLiteral("frmacc_singulier_modif"),
                              QStringLiteral("frmAbout")})
    s.h.workspace->registerFactory(*WindowId::named(name), [&made, name](Workspace&) -> QWidget* {
      ++made[name];
      auto* w = new QWidget;
      w->setObjectName(name);
      return w;
    });
  AnalysisWindow* w = s.open(QStringLiteral("frmnew_analyse"));
  ASSERT_NE(w, nullptr);
  clickButton(w, "Command1");
  clickButton(w, "Command1");
  clickButton(w, "Command3");
  clickButton(w, "Command4");
  clickButton(w, "Command1_b");
  w->findChild<QAction*>(QStringLiteral("dico_lemmes"))->trigger();
  w->findChild<QAction*>(QStringLiteral("dico_formes"))->trigger();
  w->findChild<QAction*>(QStringLiteral("about"))->trigger();
  EXPECT_EQ(made.value(QStringLiteral("frmrecherche01")), 1);
  EXPECT_EQ(made.value(QStringLiteral("frmlexique")), 1);
  EXPECT_EQ(made.value(QStringLiteral("frmacc_singulier")), 1);
  EXPECT_EQ(made.value(QStringLiteral("frmacc_singulier_modif")), 0);
  EXPECT_EQ(made.value(QStringLiteral("frmAbout")), 1);
  EXPECT_TRUE(s.h.workspace->find(QStringLiteral("frmrecherche01"))->isVisible());
  EXPECT_EQ(w->cursor().shape(), Qt::ArrowCursor);
  // The summary writes into the window through its analysis box.
  auto* box = s.h.workspace->find(QStringLiteral("frmnew_analyse"))->findChild<QPlainTextEdit*>(QStringLiteral("Textanalyse"));
  ASSERT_NE(box, nullptr);
  w->close();
  Session::settle();
  EXPECT_TRUE(s.h.workspace->find(QStringLiteral("frmrecherche01"))->isVisible());  // side windows stay
}

TEST(AnalysisWindow, GridEqualsTheCoreScanOnACorpusBook) {
  const QString corpus = qEnvironmentVariable("VARNELIO_CORPUS_DIR", QStringLiteral(VARNELIO_CORPUS_DIR));
  QFile book(corpus + QStringLiteral("/alanus-1.txt"));
  VARNELIO_REQUIRE_DATA(book.open(QIODevice::ReadOnly), "the corpus");
  const QByteArray bytes = book.readAll();
  for (const char* window : {"frmnew_analyse", "frmnew_abl_sing", "frmnew_gen_pluriel"}) {
    SCOPED_TRACE(window);
    Session s;
    s.chooseText(bytes);
    AnalysisWindow* w = s.open(QLatin1String(window));
    ASSERT_NE(w, nullptr);
    CandidateGrid expected;
    scanIntoGrid(std::string_view(bytes.constData(), static_cast<std::size_t>(bytes.size())), w->kind(), expected);
    const CandidateGrid& shown = w->candidateGrid();
    ASSERT_EQ(shown.candidateCount(), expected.candidateCount());
    ASSERT_GT(shown.candidateCount(), 100u);
    for (std::size_t r = 1; r <= shown.candidateCount(); ++r) {
      ASSERT_EQ(shown.row(r).number, expected.row(r).number);
      ASSERT_EQ(shown.row(r).sentence, expected.row(r).sentence) << r;
      ASSERT_EQ(shown.row(r).form, expected.row(r).form) << r;
    }
    EXPECT_EQ(grid(w)->model()->rowCount(), static_cast<int>(expected.candidateCount()));
  }
}

// ---- Existing analyses ----

CandidateGrid threeRows() {
  CandidateGrid g;
  g.appendCandidate("rosam", 2);
  g.appendCandidate("Rosam", 2);
  g.appendCandidate("aquam", 3);
  g.validate(1, "1 d\xE9" "cl. acc. sg. [AA00C]");
  g.validate(3, "  libre  ");
  return g;
}

TEST(AnalysisWindow, ReopensAnAnalysisFileInAnyKind) {
  for (const char* window : {"frmanalyse_acc_sing", "frmanalyse_nom_sing", "frmanalyse_dat_pluriel"}) {
    SCOPED_TRACE(window);
    Session s;
    s.chooseText("Rosam vidi. Puella rosam et Rosam amat. Aquam bibit.");
    const QString file = s.h.path(QStringLiteral("analyse.DAT"));
    ASSERT_FALSE(writeAnalysisFile(file.toStdString(), threeRows()).has_value());
    s.h.prompts.fileAnswers = {file};
    AnalysisWindow* w = s.open(QLatin1String(window));
    ASSERT_NE(w, nullptr);
    ASSERT_EQ(s.h.prompts.shown.size(), 1u);
    EXPECT_EQ(s.h.prompts.shown[0].kind, ScriptedPrompts::Shown::Kind::OpenFile);
    EXPECT_EQ(s.h.prompts.shown[0].text, QStringLiteral("Fichiers Texte (*.DAT)|*.DAT"));
    EXPECT_EQ(rows(w), QStringList({"1|2|rosam|1 décl. acc. sg. [AA00C]", "2|2|Rosam|", "3|3|aquam|  libre"}));
    EXPECT_EQ(grid(w)->model()->index(1, 3).data(Qt::TextAlignmentRole).value<Qt::Alignment>(),
              Qt::AlignLeft | Qt::AlignTop);
    EXPECT_EQ(w->loadState(), AnalysisWindow::LoadState::FileChosen);
    EXPECT_EQ(w->analysisPath(), file);
    EXPECT_TRUE(w->findChild<QAction*>(QStringLiteral("Enregistrerdirect"))->isEnabled());
    EXPECT_FALSE(s.menu->isVisible());
    EXPECT_EQ(w->selectedRow(), 1);
    EXPECT_EQ(phraseText(w), QStringLiteral(" Puella rosam et Rosam amat."));
    EXPECT_EQ(highlightedRuns(w), QStringList({"8+5", "17+5"}));
    EXPECT_EQ(analysisBox(w)->toPlainText(), QStringLiteral("1 décl. acc. sg. [AA00C]"));
    EXPECT_EQ(w->findChild<QToolButton*>(QStringLiteral("Command5"))->geometry(), twipsRect(8670, 6360, 2295, 900));
    const int labelHeight = QLatin1String(window) == QLatin1String("frmanalyse_nom_sing") ? 495 : 255;
    EXPECT_EQ(w->findChild<QLabel*>(QStringLiteral("labelforme"))->height(), twipsToPixelsY(labelHeight));

    // "saveAsAction_ les analyses" rewrites the opened file at once, without a dialog.
    clickRow(w, 2);
    typeText(analysisBox(w), QStringLiteral("3 décl."));
    clickButton(w, "Command2");
    w->findChild<QAction*>(QStringLiteral("Enregistrerdirect"))->trigger();
    EXPECT_EQ(s.h.prompts.shown.size(), 2u);
    EXPECT_EQ(s.h.prompts.messages(), QStringList({QStringLiteral("L'enregistrement est terminé.")}));
    auto reread = readAnalysisFile(file.toStdString());
    ASSERT_TRUE(std::holds_alternative<CandidateGrid>(reread));
    EXPECT_EQ(std::get<CandidateGrid>(reread).row(2).analysis, "3 d\xE9" "cl.");
  }
}

TEST(AnalysisWindow, ASentenceNumberOutsideTheTextStopsTheSelectionSilently) {
  Session s;
  s.chooseText("Rosam vidi.");
  CandidateGrid g;
  g.appendCandidate("Rosam", 1);
  g.appendCandidate("aquam", 999);  // beyond the table's 11 slots
  g.appendCandidate("viam", 5);     // beyond the last sentence, within the slots
  const QString file = s.h.path(QStringLiteral("autre.DAT"));
  ASSERT_FALSE(writeAnalysisFile(file.toStdString(), g).has_value());
  s.h.prompts.fileAnswers = {file};
  AnalysisWindow* w = s.open(QStringLiteral("frmanalyse_acc_sing"));
  ASSERT_NE(w, nullptr);
  clickRow(w, 2);
  EXPECT_EQ(w->selectedRow(), 2);
  EXPECT_TRUE(panelVisible(w));
  EXPECT_EQ(phraseText(w), QStringLiteral("Rosam vidi."));
  EXPECT_EQ(formLabel(w), QStringLiteral("Rosam"));
  clickRow(w, 3);
  EXPECT_EQ(phraseText(w), QString());
  EXPECT_EQ(formLabel(w), QStringLiteral("viam"));
  EXPECT_TRUE(s.h.prompts.messages().isEmpty());
}

// A reopened file may hold its sentence number with blanks around it: it is that
// number, and the row shows its own sentence, form and analysis, never the last ones.
TEST(AnalysisWindow, ASentenceNumberWithBlanksIsThatNumber) {
  Session s;
  s.chooseText("Rosam vidi. Aquam bibit.");
  CandidateGrid g;
  g.appendCandidate("Rosam", 1);
  g.appendCandidate("Aquam", 2);
  g.validate(1, "ancienne");
  const QString file = s.h.path(QStringLiteral("blancs.DAT"));
  ASSERT_FALSE(writeAnalysisFile(file.toStdString(), g).has_value());
  {
    QFile f(file);
    ASSERT_TRUE(f.open(QIODevice::ReadWrite));
    f.seek(369 + 2);
    f.write("  2    ", 7);
  }
  s.h.prompts.fileAnswers = {file};
  AnalysisWindow* w = s.open(QStringLiteral("frmanalyse_acc_sing"));
  ASSERT_NE(w, nullptr);
  clickRow(w, 2);
  EXPECT_EQ(phraseText(w), QStringLiteral(" Aquam bibit."));
  EXPECT_EQ(formLabel(w), QStringLiteral("Aquam"));
  EXPECT_EQ(analysisBox(w)->toPlainText(), QString());
  typeText(analysisBox(w), QStringLiteral("nouvelle"));
  clickButton(w, "Command2");
  EXPECT_EQ(cell(w, 1, 3), QStringLiteral("ancienne"));
  EXPECT_EQ(cell(w, 2, 3), QStringLiteral("nouvelle"));
}

TEST(AnalysisWindow, ExistingAnalysisCancelEmptyAndUnreadableFiles) {
  {
    SCOPED_TRACE("cancel");
    Session s;
    s.chooseText("Rosam vidi.");
    AnalysisWindow* w = s.open(QStringLiteral("frmanalyse_gen_sing"));
    ASSERT_NE(w, nullptr);
    EXPECT_EQ(w->loadState(), AnalysisWindow::LoadState::DialogCancelled);
    Session::settle();
    EXPECT_EQ(s.h.workspace->find(QStringLiteral("frmanalyse_gen_sing")), nullptr);
    EXPECT_TRUE(s.menu->isVisible());
    EXPECT_TRUE(s.h.prompts.messages().isEmpty());
  }
  {
    SCOPED_TRACE("no record");
    Session s;
    s.chooseText("Rosam vidi.");
    const QString file = s.h.path(QStringLiteral("court.DAT"));
    QFile f(file);
    f.open(QIODevice::WriteOnly);
    f.write(QByteArray(100, ' '));
    f.close();
    s.h.prompts.fileAnswers = {file};
    AnalysisWindow* w = s.open(QStringLiteral("frmanalyse_acc_sing"));
    ASSERT_NE(w, nullptr);
    Session::settle();
    EXPECT_TRUE(w->isVisible());
    EXPECT_EQ(grid(w)->model()->rowCount(), 0);
    EXPECT_FALSE(panelVisible(w));
    EXPECT_EQ(s.h.prompts.messages(), QStringList({QStringLiteral("Ce fichier ne contient aucune analyse.")}));
    EXPECT_FALSE(s.menu->isVisible());
    clickButton(w, "Command2");
    clickButton(w, "cmb_delete");
    w->close();
    Session::settle();
    EXPECT_TRUE(s.menu->isVisible());
  }
  {
    SCOPED_TRACE("unreadable");
    Session s;
    s.chooseText("Rosam vidi.");
    const QString file = s.h.path(QStringLiteral("absent.DAT"));
    s.h.prompts.fileAnswers = {file};
    EXPECT_EQ(s.open(QStringLiteral("frmanalyse_acc_sing")), nullptr);
    Session::settle();
    ASSERT_EQ(s.h.prompts.messages().size(), 1);
    EXPECT_TRUE(s.h.prompts.messages()[0].contains(file));
    EXPECT_TRUE(s.h.prompts.messages()[0].contains(QStringLiteral("Fichier ou dossier introuvable")));
    EXPECT_EQ(s.h.prompts.shown.front().parent, s.menu);  // the open dialog too
    EXPECT_EQ(s.h.prompts.shown.back().parent, s.menu);
    EXPECT_TRUE(s.menu->isVisible());
    EXPECT_EQ(s.h.workspace->find(QStringLiteral("frmanalyse_acc_sing")), nullptr);
    EXPECT_FALSE(QFile::exists(file));
  }
  {
    SCOPED_TRACE("source text gone");
    Session s;
    s.chooseText("Rosam vidi.");
    const QString file = s.h.path(QStringLiteral("analyse.DAT"));
    ASSERT_FALSE(writeAnalysisFile(file.toStdString(), threeRows()).has_value());
    QFile::remove(s.menu->sourcePath());
    s.h.prompts.fileAnswers = {file};
    EXPECT_EQ(s.open(QStringLiteral("frmanalyse_acc_sing")), nullptr);
    Session::settle();
    EXPECT_EQ(s.h.prompts.messages(),
              QStringList({QStringLiteral("Le fichier source ne peut pas être lu.\nFichier ou dossier introuvable")}));
    EXPECT_TRUE(s.menu->isVisible());
    EXPECT_EQ(s.h.workspace->find(QStringLiteral("frmanalyse_acc_sing")), nullptr);
  }
}

}  // namespace
}  // namespace varnelio::ui
