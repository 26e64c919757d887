// SPDX-License-Identifier: GPL-3.0-or-later
// The main window `Menu`: its layout and menus, the path test on every keystroke,
// the source-file dialog and the size clamp.
#include <QAction>
#include <QDir>
#include <QFile>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QMenuBar>
#include <QPushButton>
#include <QStatusBar>
#include <QTest>
#include <QTimer>
#include <gtest/gtest.h>

#include "core/analysis/analysis_kind.h"
#include "ui/shell/kind_windows.h"
#include "ui/app/main_window.h"
#include "ui/shell/size_clamp.h"
#include "ui/shell/twips.h"
#include "ui_test_support.h"

namespace varnelio::ui {
namespace {

using testing::UiHarness;

struct MenuFixture {
  UiHarness h;
  MainWindow* menu = nullptr;
  QLineEdit* text1 = nullptr;

  MenuFixture() {
    menu = qobject_cast<MainWindow*>(h.workspace->open(WindowId::main()));
    if (menu) text1 = menu->findChild<QLineEdit*>(QStringLiteral("Text1"));
  }
  QAction* action(const char* name) const { return menu->findChild<QAction*>(QLatin1String(name)); }
  int enabledItems() const {
    int n = 0;
    for (QAction* a : menu->analysisItems()) n += a->isEnabled() ? 1 : 0;
    return n;
  }
  QString writeFile(const QString& name, const QByteArray& bytes = "Rosam vidi.") const {
    QFile f(h.path(name));
    f.open(QIODevice::WriteOnly);
    f.write(bytes);
    return f.fileName();
  }
};

TEST(MainWindow, LayoutCaptionsAndMenusAsGiven) {
  MenuFixture f;
  ASSERT_NE(f.menu, nullptr);
  ASSERT_NE(f.text1, nullptr);
  EXPECT_EQ(f.menu->windowTitle(), QStringLiteral("Menu"));
  EXPECT_TRUE(f.text1->text().isEmpty());
  EXPECT_EQ(f.enabledItems(), 0);
  EXPECT_FALSE(f.menu->windowFlags() & Qt::WindowMaximizeButtonHint);

  // Client area (below the menu bar) 9030 x 3330 twips.
  EXPECT_EQ(f.menu->width(), twipsToPixelsX(9030));
  EXPECT_EQ(f.menu->height() - f.menu->menuBar()->height(), twipsToPixelsY(3330));
  auto* frame = f.menu->findChild<QGroupBox*>(QStringLiteral("Frame1"));
  ASSERT_NE(frame, nullptr);
  EXPECT_EQ(frame->title(), QStringLiteral(" Menu : "));
  EXPECT_EQ(frame->geometry(), twipsRect(120, 480, 8775, 2055));
  EXPECT_EQ(frame->font().family(), QStringLiteral("Times New Roman"));
  EXPECT_TRUE(frame->font().bold());
  EXPECT_EQ(frame->palette().color(QPalette::WindowText), QColor(0, 0, 192));
  EXPECT_EQ(f.menu->centralWidget()->palette().color(QPalette::Window), QColor(255, 255, 192));
  auto* label = f.menu->findChild<QLabel*>(QStringLiteral("Label1"));
  ASSERT_NE(label, nullptr);
  EXPECT_EQ(label->text(), QStringLiteral("Ouvrir un fichier source :"));
  EXPECT_EQ(label->geometry(), twipsRect(120, 480, 5775, 255));
  EXPECT_EQ(f.text1->geometry(), twipsRect(120, 900, 5895, 285));
  auto* browse = f.menu->findChild<QPushButton*>(QStringLiteral("Parcourir"));
  ASSERT_NE(browse, nullptr);
  EXPECT_EQ(browse->text(), QStringLiteral("Parcourir..."));
  EXPECT_EQ(browse->geometry(), twipsRect(6120, 840, 1575, 375));
  EXPECT_NE(f.menu->findChild<QStatusBar*>(QStringLiteral("StatusBar1")), nullptr);

  // The menu bar in order, with the ten submenus of "Analyse".
  const QList<QAction*> top = f.menu->menuBar()->actions();
  ASSERT_EQ(top.size(), 3);
  EXPECT_EQ(top[0]->text(), QStringLiteral("&Fichier"));
  EXPECT_EQ(top[1]->text(), QStringLiteral("&Analyse"));
  EXPECT_EQ(top[2]->text(), QStringLiteral("&Aide"));
  QStringList fichier;
  for (QAction* a : top[0]->menu()->actions()) fichier << a->objectName() + QLatin1Char('=') + a->text();
  EXPECT_EQ(fichier, QStringList({QStringLiteral("Ouvrir_texte=&Ouvrir un fichier source"),
                                  QStringLiteral("OuvrirExercice=Ouvrir un &exercice…"), QStringLiteral("blanc01="), QStringLiteral("quitter=&Quitter")}));
  QStringList analyse;
  for (QAction* a : top[1]->menu()->actions()) analyse << a->objectName();
  EXPECT_EQ(analyse.join(QLatin1Char(' ')),
            QStringLiteral("nom_sing nom_plu b04 acc_sing acc_plu b01 gen_sing gen_pluriel b02 dat_sing dat_pluriel "
                           "b03 abl_sing abl_pluriel"));
  int k = 0;
  for (QAction* a : top[1]->menu()->actions()) {
    if (a->isSeparator()) continue;
    const AnalysisKind& kind = analysisKinds()[static_cast<std::size_t>(k++)];
    // The submenu is named after the kind in words; its items open the kind's two windows.
    EXPECT_EQ(a->text(), QStringLiteral("Varnelio - Noms - ") + QString::fromUtf8(kind.title));
    const QList<QAction*> items = a->menu()->actions();
    ASSERT_EQ(items.size(), 2);
    EXPECT_EQ(items[0]->objectName(), kindWindows(kind.id).itemName(Family::New));
    EXPECT_EQ(items[0]->text(), QStringLiteral("Nouvelle analyse"));
    EXPECT_EQ(items[1]->objectName(), kindWindows(kind.id).itemName(Family::Existing));
    EXPECT_EQ(items[1]->text(), QStringLiteral("Analyse existante"));
  }
  EXPECT_EQ(k, 10);
  ASSERT_EQ(top[2]->menu()->actions().size(), 1);
  EXPECT_EQ(top[2]->menu()->actions()[0]->objectName(), QStringLiteral("about"));
  EXPECT_EQ(top[2]->menu()->actions()[0]->text(), QStringLiteral("&A propos de..."));
}

TEST(MainWindow, PathTestRunsOnEveryKeystroke) {
  MenuFixture f;
  const QString path = f.writeFile(QStringLiteral("a.txt"));
  // Letter by letter: available exactly at the keystroke that completes the name.
  for (qsizetype i = 0; i < path.size(); ++i) {
    QTest::keyClicks(f.text1, path.mid(i, 1));
    ASSERT_EQ(f.enabledItems(), i + 1 == path.size() ? 20 : 0) << f.text1->text().toStdString();
  }
  QTest::keyClicks(f.text1, QStringLiteral("x"));  // spoils the name
  EXPECT_EQ(f.enabledItems(), 0);
  QTest::keyClick(f.text1, Qt::Key_Backspace);
  EXPECT_EQ(f.enabledItems(), 20);
  QTest::keyClicks(f.text1, QStringLiteral(" "));  // no trimming
  EXPECT_EQ(f.enabledItems(), 0);

  // A folder is no file.
  f.text1->clear();
  QTest::keyClicks(f.text1, f.h.dir.path());
  EXPECT_TRUE(QFileInfo(f.text1->text()).isDir());
  EXPECT_EQ(f.enabledItems(), 0);
  f.text1->clear();
  EXPECT_EQ(f.enabledItems(), 0);
}

TEST(MainWindow, BrowseFillsThePathAndACancelChangesNothing) {
  MenuFixture f;
  const QString any = f.writeFile(QStringLiteral("texte.dat"));  // any extension, if typed
  f.h.prompts.fileAnswers = {any, std::nullopt};
  QTest::mouseClick(f.menu->findChild<QPushButton*>(QStringLiteral("Parcourir")), Qt::LeftButton);
  EXPECT_EQ(f.text1->text(), any);
  EXPECT_EQ(f.enabledItems(), 20);
  ASSERT_EQ(f.h.prompts.shown.size(), 1u);
  EXPECT_EQ(f.h.prompts.shown[0].kind, ScriptedPrompts::Shown::Kind::OpenFile);
  EXPECT_EQ(f.h.prompts.shown[0].text, QStringLiteral("Fichiers Texte (*.TXT)|*.TXT"));

  // "Ouvrir un fichier source" is the same command; a cancel after a choice keeps it.
  f.action("Ouvrir_texte")->trigger();
  EXPECT_EQ(f.text1->text(), any);
  EXPECT_EQ(f.enabledItems(), 20);
  ASSERT_EQ(f.h.prompts.shown.size(), 2u);
  EXPECT_EQ(f.h.prompts.shown[1].fileName, any);  // the dialog remembers the last name
  EXPECT_TRUE(f.h.prompts.messages().isEmpty());
}

TEST(MainWindow, AnUnreadableChoiceIsReportedAndLeavesThePath) {
  MenuFixture f;
  const QString good = f.writeFile(QStringLiteral("a.txt"));
  f.text1->setText(good);
  f.h.prompts.fileAnswers = {f.h.path(QStringLiteral("absent.txt"))};
  f.action("Ouvrir_texte")->trigger();
  EXPECT_EQ(f.text1->text(), good);
  EXPECT_EQ(f.enabledItems(), 20);
  ASSERT_EQ(f.h.prompts.messages().size(), 1);
  EXPECT_EQ(f.h.prompts.messages()[0],
            QStringLiteral("Le fichier source ne peut pas être lu.\nFichier ou dossier introuvable"));
  EXPECT_EQ(f.menu->cursor().shape(), Qt::ArrowCursor);
}

TEST(MainWindow, OuterSizeIsClampedToItsFirstLayout) {
  MenuFixture f;
  f.menu->show();
  QCoreApplication::processEvents();
  const QSize frame = f.menu->frameGeometry().size() - f.menu->size();
  struct Case {
    int widthTwips, heightTwips, expectedWidthTwips, expectedHeightTwips;
  };
  // 15 twips per pixel: 9165 > 9151 snaps to 9150; 9150 and smaller stay.
  for (const Case& c : {Case{12000, 6000, 9150, 4020}, Case{9165, 3000, 9150, 3000}, Case{9150, 4020, 9150, 4020},
                        Case{6000, 2505, 6000, 2505}}) {
    f.menu->resize(twipsToPixelsX(c.widthTwips) - frame.width(), twipsToPixelsY(c.heightTwips) - frame.height());
    QCoreApplication::processEvents();
    EXPECT_EQ(pixelsToTwipsX(f.menu->frameGeometry().width()), c.expectedWidthTwips) << c.widthTwips;
    EXPECT_EQ(pixelsToTwipsY(f.menu->frameGeometry().height()), c.expectedHeightTwips) << c.heightTwips;
  }
}

TEST(SizeClamp, NeverCutsIntoTheFirstLayout) {
  // A first layout taller than the maximum (a taller title bar, say) stays whole;
  // anything larger still snaps back to it.
  QWidget w;
  w.resize(twipsToPixelsX(6000), twipsToPixelsY(4200));
  const QSize initial = w.size();
  w.resize(initial + QSize(40, 40));
  EXPECT_TRUE(clampOuterSize(&w, 9151, 4021, initial));
  EXPECT_EQ(pixelsToTwipsY(w.height()), 4200);
  EXPECT_EQ(pixelsToTwipsX(w.width()), 6600);  // under its maximum: left alone
  EXPECT_FALSE(clampOuterSize(&w, 9151, 4021, initial));
  w.resize(twipsToPixelsX(9300), twipsToPixelsY(3000));
  EXPECT_TRUE(clampOuterSize(&w, 9151, 4021, initial));
  EXPECT_EQ(w.size(), QSize(twipsToPixelsX(9150), twipsToPixelsY(3000)));
}

TEST(MainWindow, QuitterEndsTheProgramAtOnce) {
  MenuFixture f;
  f.menu->show();
  QTimer::singleShot(0, f.action("quitter"), &QAction::trigger);
  QTimer safety;
  safety.setSingleShot(true);
  QObject::connect(&safety, &QTimer::timeout, [] { QCoreApplication::exit(7); });
  safety.start(5000);
  EXPECT_EQ(QCoreApplication::exec(), 0);
  EXPECT_EQ(f.h.prompts.shown.size(), 0u);  // no question asked
}

}  // namespace
}  // namespace varnelio::ui
