// SPDX-License-Identifier: GPL-3.0-or-later
// The lemma and form dictionary windows, driven as a user does: typing in Text1,
// clicking Command1, picking letters and menu items. Each test writes its own small
// dictionary files.
#include <QAction>
#include <QApplication>
#include <QDir>
#include <QFile>
#include <QGroupBox>
#include <QHeaderView>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QMenuBar>
#include <QPointer>
#include <QPushButton>
#include <QSignalSpy>
#include <QStatusBar>
#include <QTest>
#include <gtest/gtest.h>

#include <cstdio>
#include <deque>

#include "core/dictionaries/dictionaries.h"
#include "ui/dictionaries/dictionary_grid.h"
#include "ui/dictionaries/dictionary_window.h"
#include "ui/shell/codec.h"
#include "ui/shell/twips.h"
#include "ui_test_support.h"

namespace varnelio::ui {
namespace {

using testing::UiHarness;
using Fields = std::vector<std::string_view>;

// Records in file order of the fields: lemma, category, translation, French family,
// Latin family.
const std::vector<Fields> kLemmas = {
    {" ambulo", "v.", "marcher", "ambulance", "ambulatio"},  // stored with a leading blank
    {"amo", "v.", "  aimer", "   amour", "amor, amicus"},    // leading blanks in two fields
    {"amor", "n.m.", "amour", "amoureux", "amo"},
    {"Amoenus", "adj.", "agr\xE9" "able", "", "amoenitas"},
    {"amicus", "n.m.", "ami", "amiti\xE9", "amo"},
    {"Bellum", "n.n.", "guerre", "belliqueux", "bellicus"},
    {"casa", "n.f.", "cabane", "case", "casula"},
    {"amabilis", "adj.", "aimable", "amabilit\xE9", "amo"},  // out of order: after the c
    {"ebur", "n.n.", "ivoire", "\xE9" "burn\xE9", "eburneus"},
    {"\xE9legia", "n.f.", "\xE9l\xE9gie", "", ""},             // accented initial
    {"Zephyrus", "n.m.", "z\xE9phyr", "", ""},                 // after the accented one
};

// Records in file order of the fields: form, category, lemma, case-gender-number,
// mood-tense-voice, translation.
const std::vector<Fields> kForms = {
    {"", "", "", "", "", "(forme vide)"},
    {"amicus", "n.", "amicus", "  nom. m. sg.", "", "ami"},
    {"Amicus", "n.", "Amicus", "nom. m. sg.", "", "Amicus (nom propre)"},
    {"amicum", "n.", "amicus", "acc. m. sg.", "", "ami"},
    {"amicus", "adj.", "amicus", "nom. m. sg.", "", "amical"},
    {"amo", "v.", "amo", "", "ind. pr\xE9s. act.", "j'aime"},
    {"bellum", "n.", "bellum", "nom. n. sg.", "", "guerre"},
};

QByteArray encode(const DictionaryLayout& layout, const std::vector<Fields>& records) {
  QByteArray bytes;
  for (const Fields& f : records) {
    const std::string rec = encodeDictionaryRecord(layout, 7, f, "spare");
    bytes.append(rec.data(), static_cast<qsizetype>(rec.size()));
  }
  return bytes;
}

void writeFile(const QString& path, const QByteArray& bytes) {
  QFile file(path);
  ASSERT_TRUE(file.open(QIODevice::WriteOnly));
  ASSERT_EQ(file.write(bytes), bytes.size());
}

struct Dictionaries : UiHarness {
  Dictionaries() {
    writeFile(path(QStringLiteral("lexique.dat")), encode(lemmaLayout(), kLemmas));
    writeFile(path(QStringLiteral("donnees.dat")), encode(formLayout(), kForms));
  }
  DictionaryWindow* open(WindowId id) { return qobject_cast<DictionaryWindow*>(workspace->open(id)); }
  DictionaryWindow* open(const QString& name) { return open(*WindowId::named(name)); }
};

template <typename T>
T* child(QWidget* w, const char* name) {
  T* found = w->findChild<T*>(QString::fromLatin1(name));
  EXPECT_NE(found, nullptr) << name;
  return found;
}

void search(DictionaryWindow* w, const QString& text) {
  child<QLineEdit>(w, "Text1")->setText(text);
  QTest::mouseClick(child<QPushButton>(w, "Command1"), Qt::LeftButton);
}

void pickLetter(DictionaryWindow* w, char letter) {
  child<QAction>(w, (std::string("l") + letter).c_str())->trigger();
}

// Column 0 of the hit rows (every row but the header and the blank last row).
QStringList headwords(DictionaryWindow* w) {
  QStringList out;
  for (int r = 1; r < w->grid()->rows() - 1; ++r) out << w->grid()->text(r, 0);
  return out;
}

bool showsNoResult(DictionaryWindow* w, std::string_view text) {
  auto* label = child<QLabel>(w, "Labelgrille");
  return label->isVisibleTo(w) && !w->grid()->isVisibleTo(w) && label->text() == toQString(text);
}

QStringList q(std::initializer_list<const char*> cp1252) {
  QStringList out;
  for (const char* s : cp1252) out << toQString(s);
  return out;
}

TEST(DictionaryWindow, LemmaLookupIsAPrefixMatchIgnoringCaseOnTheUntrimmedText) {
  Dictionaries h;
  DictionaryWindow* w = h.open(WindowId::lemmaDictionary());
  ASSERT_NE(w, nullptr);
  EXPECT_EQ(w->entryCount(), kLemmas.size());
  const struct {
    const char* text;
    QStringList hits;
  } cases[] = {
      {"amo", q({"amo", "amor", "Amoenus"})},
      {"AMOR", q({"amor"})},
      {"amo ", {}},    // the blank is searched for too
      {"amorem", {}},  // longer than every lemma
      {"amab", q({"amabilis"})},  // stored out of order, still found
      {" a", q({" ambulo"})},
      {"\xC9L", q({"\xE9legia"})},  // accented capital
      {"", q({" ambulo", "amo", "amor", "Amoenus", "amicus", "Bellum", "casa", "amabilis", "ebur", "\xE9legia",
              "Zephyrus"})},
  };
  for (const auto& c : cases) {
    search(w, toQString(c.text));
    EXPECT_EQ(headwords(w), c.hits) << c.text;
    EXPECT_EQ(child<QLineEdit>(w, "Text1")->text(), toQString(c.text));  // kept as typed
    if (c.hits.isEmpty()) {
      EXPECT_TRUE(showsNoResult(w, kNoLemmaResult)) << c.text;
    } else {
      EXPECT_TRUE(w->grid()->isVisibleTo(w) && !child<QLabel>(w, "Labelgrille")->isVisibleTo(w)) << c.text;
    }
  }
}

TEST(DictionaryWindow, FormLookupIsAnExactMatchIgnoringCase) {
  Dictionaries h;
  DictionaryWindow* w = h.open(WindowId::formDictionary());
  ASSERT_NE(w, nullptr);
  const struct {
    const char* text;
    QStringList hits;
    QStringList translations;
  } cases[] = {
      {"amicus", q({"amicus", "Amicus", "amicus"}), q({"ami", "Amicus (nom propre)", "amical"})},
      {"Amicus", q({"amicus", "Amicus", "amicus"}), q({"ami", "Amicus (nom propre)", "amical"})},
      {"AMICUM", q({"amicum"}), q({"ami"})},
      {"amic", {}, {}},
      {"amicus ", {}, {}},
      {"", q({""}), q({"(forme vide)"})},
  };
  for (const auto& c : cases) {
    search(w, toQString(c.text));
    EXPECT_EQ(headwords(w), c.hits) << c.text;
    QStringList translations;
    for (int r = 1; r < w->grid()->rows() - 1; ++r) translations << w->grid()->text(r, 2);
    EXPECT_EQ(translations, c.translations) << c.text;
    if (c.hits.isEmpty()) {
      EXPECT_TRUE(showsNoResult(w, kNoFormResult)) << c.text;
    }
  }
}

TEST(DictionaryWindow, TypedLongAndShortMarksAreLookedUpWithoutThem) {
  Dictionaries h;
  DictionaryWindow* w = h.open(WindowId::formDictionary());
  ASSERT_NE(w, nullptr);
  auto* text1 = child<QLineEdit>(w, "Text1");
  // Typed as a student types it, the macron precomposed, then the breve combining.
  for (const QString& typed : {QStringLiteral("am\u012Bcum"), QStringLiteral("AMICU\u0306M")}) {
    text1->clear();
    for (const QChar ch : typed) {  // keyClicks knows only the keys of ASCII
      QKeyEvent press(QEvent::KeyPress, Qt::Key_unknown, Qt::NoModifier, QString(ch));
      QApplication::sendEvent(text1, &press);
    }
    ASSERT_EQ(text1->text(), typed);
    QTest::mouseClick(child<QPushButton>(w, "Command1"), Qt::LeftButton);
    EXPECT_EQ(headwords(w), q({"amicum"})) << typed.toStdString();
  }
}

TEST(DictionaryWindow, LetterListingStopsAtTheFirstLaterInitial) {
  Dictionaries h;
  DictionaryWindow* lemmas = h.open(WindowId::lemmaDictionary());
  DictionaryWindow* forms = h.open(WindowId::formDictionary());
  const struct {
    DictionaryWindow* w;
    char letter;
    QStringList hits;
  } cases[] = {
      {lemmas, 'a', q({"amo", "amor", "Amoenus", "amicus"})},  // not " ambulo", not amabilis after casa
      {lemmas, 'b', q({"Bellum"})},
      {lemmas, 'e', q({"ebur"})},
      {lemmas, 'q', {}},
      {lemmas, 'z', {}},  // the scan stops at the accented initial, before Zephyrus
      {forms, 'a', q({"amicus", "Amicus", "amicum", "amicus", "amo"})},  // the blank form neither listed nor stopping
      {forms, 'b', q({"bellum"})},
      {forms, 'c', {}},
  };
  for (const auto& c : cases) {
    pickLetter(c.w, c.letter);
    EXPECT_EQ(headwords(c.w), c.hits) << c.w->objectName().toStdString() << ' ' << c.letter;
    if (c.hits.isEmpty()) {
      EXPECT_TRUE(showsNoResult(c.w, kNoLetterResult)) << c.letter;
    }
  }
}

TEST(DictionaryWindow, GridHasItsHeadersWidthsColoursAndABlankLastRow) {
  Dictionaries h;
  const struct {
    QString name;
    QStringList headers;
    std::vector<int> widths;
    QColor fixedText;
    const char* search;
    QStringList firstRow;
  } cases[] = {
      {kLemmaDictionaryName,
       {QStringLiteral("Lemme"), QStringLiteral("Traduction"), QStringLiteral("Catégorie"),
        QStringLiteral("Fam. française"), QStringLiteral("Fam. latine")},
       {2000, 2500, 1000, 2000, 2000},
       QColor(255, 0, 0),
       "amicus",
       q({"amicus", "ami", "n.m.", "amiti\xE9", "amo"})},
      {kFormDictionaryName,
       {QStringLiteral("Formes"), QStringLiteral("Lemme"), QStringLiteral("Traduction"),
        QStringLiteral("Cat. gramm."), QStringLiteral("Cas, genre, nombre"), QStringLiteral("Mode, temps, voix")},
       {1500, 1500, 1750, 1500, 1750, 1750},
       QColor(192, 0, 0),
       "amo",
       q({"amo", "amo", "j'aime", "v.", "", "ind. pr\xE9s. act."})},
  };
  for (const auto& c : cases) {
    DictionaryWindow* w = h.open(c.name);
    DictionaryGrid* g = w->grid();
    EXPECT_EQ(g->rows(), 2);  // the header row and one blank row
    search(w, toQString(c.search));
    ASSERT_EQ(g->rows(), 3);
    for (int col = 0; col < c.headers.size(); ++col) {
      EXPECT_EQ(g->text(0, col), c.headers[col]);
      EXPECT_EQ(g->alignment(0, col), Qt::AlignCenter);
      EXPECT_EQ(g->textColour(0, col), c.fixedText);
      EXPECT_EQ(g->columnWidth(col), twipsToPixelsX(c.widths[static_cast<std::size_t>(col)]));
      EXPECT_EQ(g->text(1, col).trimmed(), c.firstRow[col]) << col;
      EXPECT_EQ(g->text(2, col), QString()) << col;  // the blank last row
      EXPECT_EQ(g->isBold(1, col), col == 0);
      EXPECT_EQ(g->alignment(1, col) & Qt::AlignVertical_Mask, col == 4 ? Qt::AlignTop : Qt::AlignVCenter);
    }
    EXPECT_EQ(g->textColour(1, 0), QColor(0, 0, 192));
    EXPECT_FALSE(g->isBold(2, 0));
    EXPECT_EQ(g->textColour(2, 0), c.fixedText);
    EXPECT_EQ(g->model()->columnCount(), c.headers.size());
    EXPECT_EQ(g->editTriggers(), QAbstractItemView::NoEditTriggers);
    // The header row and the fixed column's header are drawn in the grid's font,
    // not in the frame's bold italic caption font.
    for (QTableView* view : {static_cast<QTableView*>(g), g->fixedColumnView()}) {
      EXPECT_EQ(view->horizontalHeader()->font(), g->font());
      EXPECT_FALSE(view->horizontalHeader()->font().italic());
    }
    EXPECT_EQ(g->fixedColumnView()->width(), g->columnWidth(0));
  }
}

TEST(DictionaryWindow, OnlyTheFrenchFamilyAndTheCaseGenderNumberLoseTheirLeadingBlanks) {
  Dictionaries h;
  DictionaryWindow* lemmas = h.open(WindowId::lemmaDictionary());
  search(lemmas, QStringLiteral("amo"));
  EXPECT_EQ(lemmas->grid()->text(1, 1), QStringLiteral("  aimer"));        // translation keeps them
  EXPECT_TRUE(lemmas->grid()->text(1, 3).startsWith(QStringLiteral("amour ")));  // trailing blanks stay
  EXPECT_EQ(lemmas->grid()->text(1, 3).trimmed(), QStringLiteral("amour"));
  child<QAction>(lemmas, "imprimer")->trigger();
  ASSERT_EQ(h.prompts.printed.size(), 1u);
  const auto lemmaPages = h.prompts.printed.back().pagesAsText();
  EXPECT_EQ(lemmaPages[0][1], "0:Traduction :   aimer");
  EXPECT_EQ(lemmaPages[0][3], "0:Famille fran\xE7" "aise : amour");

  DictionaryWindow* forms = h.open(WindowId::formDictionary());
  search(forms, QStringLiteral("amicus"));
  EXPECT_TRUE(forms->grid()->text(1, 4).startsWith(QStringLiteral("nom. m. sg.")));
  child<QAction>(forms, "imprimer")->trigger();
  ASSERT_EQ(h.prompts.printed.size(), 2u);
  EXPECT_EQ(h.prompts.printed.back().pagesAsText()[0][4], "0:Cas, genre, nombre : nom. m. sg.");
}

// n lemmas "l00", "l01"... and n records of the form "f", one per lemma.
void writeMany(UiHarness& h, int n) {
  std::deque<std::string> texts;  // the views of the records point into it
  std::vector<Fields> lemmas, forms;
  for (int i = 0; i < n; ++i) {
    char name[16], translation[24];
    std::snprintf(name, sizeof name, "l%02d", i);
    std::snprintf(translation, sizeof translation, "trad %02d", i);
    texts.emplace_back(name);
    texts.emplace_back(translation);
    const std::string& lemma = texts[texts.size() - 2];
    lemmas.push_back({lemma, "n.", texts.back(), "fr", "lat"});
    forms.push_back({"f", "v.", lemma, "cgn", "mtv", "trad"});
  }
  writeFile(h.path(QStringLiteral("lexique.dat")), encode(lemmaLayout(), lemmas));
  writeFile(h.path(QStringLiteral("donnees.dat")), encode(formLayout(), forms));
}

TEST(DictionaryWindow, PrintsTenEntriesAPageAfterTheSetupDialog) {
  for (const int n : {10, 11}) {
    UiHarness h;
    writeMany(h, n);
    DictionaryWindow* lemmas = qobject_cast<DictionaryWindow*>(h.workspace->open(WindowId::lemmaDictionary()));
    DictionaryWindow* forms = qobject_cast<DictionaryWindow*>(h.workspace->open(WindowId::formDictionary()));
    search(lemmas, QString());
    search(forms, QStringLiteral("F"));
    child<QAction>(lemmas, "imprimer")->trigger();
    child<QAction>(forms, "imprimer")->trigger();
    ASSERT_EQ(h.prompts.printed.size(), 2u);
    ASSERT_EQ(h.prompts.shown.size(), 2u);
    for (const auto& shown : h.prompts.shown) {
      EXPECT_EQ(shown.kind, ScriptedPrompts::Shown::Kind::Print);
      EXPECT_TRUE(shown.setupOnly);
    }
    const PrintOp& font = h.prompts.printed[0].ops().front();
    EXPECT_EQ(font.kind, PrintOp::Kind::SetFont);
    EXPECT_EQ(font.fontName, "verdana");
    EXPECT_EQ(font.fontSize, 9);

    const auto lemmaPages = h.prompts.printed[0].pagesAsText();
    const auto formPages = h.prompts.printed[1].pagesAsText();
    ASSERT_EQ(lemmaPages.size(), n == 10 ? 1u : 2u) << n;
    ASSERT_EQ(formPages.size(), n == 10 ? 1u : 2u) << n;
    EXPECT_EQ(lemmaPages[0].size(), 60u);
    EXPECT_EQ(formPages[0].size(), 70u);
    const std::vector<std::string> firstLemma = {"0:Lemme: l00", "0:Traduction : trad 00", "0:Cat\xE9gorie : n.",
                                                 "0:Famille fran\xE7" "aise : fr", "0:Famille latine : lat",
                                                 "0:" + std::string(64, '-')};
    EXPECT_EQ(std::vector<std::string>(lemmaPages[0].begin(), lemmaPages[0].begin() + 6), firstLemma);
    const std::vector<std::string> firstForm = {"0:Formes: f",        "0:Lemme : l00",
                                                "0:Traduction : trad", "0:Cat. gramm. : v.",
                                                "0:Cas, genre, nombre : cgn", "0:Mode, temps, voix : mtv",
                                                "0:" + std::string(64, '-')};
    EXPECT_EQ(std::vector<std::string>(formPages[0].begin(), formPages[0].begin() + 7), firstForm);
    if (n == 11) {
      EXPECT_EQ(lemmaPages[1].size(), 6u);
      EXPECT_EQ(lemmaPages[1][0], "0:Lemme: l10");
      EXPECT_EQ(formPages[1].size(), 7u);
      EXPECT_EQ(formPages[1][1], "0:Lemme : l10");
    }
  }
}

TEST(DictionaryWindow, ThousandsOfHitsFillTheGridInOneBatch) {
  UiHarness h;
  writeMany(h, 5000);
  auto* w = qobject_cast<DictionaryWindow*>(h.workspace->open(WindowId::lemmaDictionary()));
  QSignalSpy resets(w->grid()->model(), &QAbstractItemModel::modelReset);
  QSignalSpy inserts(w->grid()->model(), &QAbstractItemModel::rowsInserted);
  search(w, QStringLiteral("L"));
  EXPECT_EQ(resets.count(), 1);
  EXPECT_EQ(inserts.count(), 0);
  ASSERT_EQ(w->grid()->rows(), 5002);
  EXPECT_EQ(w->grid()->text(5000, 0), QStringLiteral("l4999"));
  EXPECT_EQ(w->grid()->text(5001, 0), QString());
}

TEST(DictionaryWindow, PrintsNothingAfterALookupWithoutHitsOrBeforeAnyLookup) {
  Dictionaries h;
  DictionaryWindow* w = h.open(WindowId::lemmaDictionary());
  child<QAction>(w, "imprimer")->trigger();  // before any lookup
  search(w, QStringLiteral("amo"));
  search(w, QStringLiteral("xyz"));
  child<QAction>(w, "imprimer")->trigger();
  ASSERT_EQ(h.prompts.printed.size(), 2u);  // the dialog is shown all the same
  for (const PrintJob& job : h.prompts.printed) {
    for (const PrintOp& op : job.ops()) EXPECT_NE(op.kind, PrintOp::Kind::Text);
    EXPECT_EQ(job.ops().back().kind, PrintOp::Kind::EndDocument);
  }
}

TEST(DictionaryWindow, MissingEmptyShortAndUnreadableFiles) {
  const QString lemmaMissing = QStringLiteral("Le fichier lexique.dat est manquant!");
  const QString formMissing = QStringLiteral("Le fichier donnees.dat est manquant!");
  const struct {
    const char* what;
    int bytes;  // -1: no file; -2: a folder of that name
    QStringList lemmaMessages;
    QStringList formMessages;
    std::size_t lemmaEntries;
    std::size_t formEntries;
  } cases[] = {
      {"absent", -1, {lemmaMissing}, {formMissing}, 0, 0},
      {"empty", 0, {lemmaMissing}, {formMissing}, 0, 0},
      {"shorter than a record", 200, {}, {}, 0, 0},
      {"two records and a part", 323 * 2 + 100, {}, {}, 2, 3},
      {"folder", -2,
       {lemmaMissing + QStringLiteral("\nC'est un dossier, pas un fichier")},
       {formMissing + QStringLiteral("\nC'est un dossier, pas un fichier")}, 0, 0},
  };
  for (const auto& c : cases) {
    UiHarness h;
    for (const QString& name : {QStringLiteral("lexique.dat"), QStringLiteral("donnees.dat")}) {
      if (c.bytes == -2) {
        ASSERT_TRUE(QDir(h.dir.path()).mkdir(name));
      }
      if (c.bytes >= 0) writeFile(h.path(name), QByteArray(c.bytes, 'x'));
    }
    DictionaryWindow* lemmas = qobject_cast<DictionaryWindow*>(h.workspace->open(WindowId::lemmaDictionary()));
    ASSERT_NE(lemmas, nullptr) << c.what;
    EXPECT_TRUE(lemmas->isVisible()) << c.what;
    EXPECT_EQ(h.prompts.messages(), c.lemmaMessages) << c.what;
    EXPECT_EQ(lemmas->entryCount(), c.lemmaEntries) << c.what;
    h.prompts.shown.clear();
    DictionaryWindow* forms = qobject_cast<DictionaryWindow*>(h.workspace->open(WindowId::formDictionary()));
    ASSERT_NE(forms, nullptr) << c.what;
    EXPECT_EQ(h.prompts.messages(), c.formMessages) << c.what;
    EXPECT_EQ(forms->entryCount(), c.formEntries) << c.what;
    if (c.lemmaEntries == 0) {
      search(lemmas, QString());
      EXPECT_TRUE(showsNoResult(lemmas, kNoLemmaResult)) << c.what;
      pickLetter(forms, 'x');
      EXPECT_TRUE(showsNoResult(forms, kNoLetterResult)) << c.what;
    }
  }
}

TEST(DictionaryWindow, OpensWithItsCaptionsAndEnterSearches) {
  Dictionaries h;
  const struct {
    QString name;
    QString caption;
    QString banner;
    int bannerLeft;
    QString frame1;
    QString close;
    int clientWidth;
    int statusHeight;
    QRect grid;
  } cases[] = {
      {kLemmaDictionaryName, QStringLiteral("Orvalune - Dictionnaire (Lemmes)"),
       QStringLiteral("Dictionnaire (Lemmes)"), 1560, QStringLiteral("Recherche d'un lemme : "),
       QStringLiteral("&Fermer"), 10695, 270, twipsRect(120, 240, 10095, 5055)},
      {kFormDictionaryName, QStringLiteral("Orvalune - Dictionnaire (Formes)"),
       QStringLiteral("Dictionnaire (Formes)"), 1440, QStringLiteral("Recherche d'une forme : "),
       QStringLiteral("&Quitter"), 10665, 255, twipsRect(120, 360, 10095, 4935)},
  };
  for (const auto& c : cases) {
    DictionaryWindow* w = h.open(c.name);
    ASSERT_NE(w, nullptr);
    EXPECT_EQ(w->windowTitle(), c.caption);
    EXPECT_TRUE(w->testAttribute(Qt::WA_DeleteOnClose));
    const int below = w->height() - w->menuBar()->height();
    EXPECT_EQ(w->width(), twipsToPixelsX(c.clientWidth));
    EXPECT_EQ(below, twipsToPixelsY(7680));
    EXPECT_EQ(w->statusBar()->height(), twipsToPixelsY(c.statusHeight));
    for (const char* name : {"Label67", "Label68"}) {
      auto* label = child<QLabel>(w, name);
      EXPECT_EQ(label->text(), c.banner);
      EXPECT_EQ(label->geometry(), twipsRect(c.bannerLeft, 120, 7695, 615));
    }
    EXPECT_EQ(child<QGroupBox>(w, "Frame1")->title(), c.frame1);
    EXPECT_EQ(child<QGroupBox>(w, "Frame2")->title(), QStringLiteral("Résultat de la recherche :"));
    // The designed grid before the first layout pass: same place, the size follows
    // the window.
    EXPECT_EQ(w->grid()->pos(), c.grid.topLeft());
    EXPECT_EQ(child<QAction>(w, "quitter")->text(), c.close);
    EXPECT_EQ(child<QAction>(w, "imprimer")->text(), QStringLiteral("&Imprimer"));
    EXPECT_EQ(child<QAction>(w, "about")->text(), QStringLiteral("&A propos de"));
    QStringList menus;
    for (QAction* a : w->menuBar()->actions()) menus << a->text();
    EXPECT_EQ(menus, (QStringList{QStringLiteral("&Fichier"), QStringLiteral("&Recherche"), QStringLiteral("&Aide")}));
    auto* alphabet = child<QMenu>(w, "alphabet");
    EXPECT_EQ(alphabet->title(), QStringLiteral("&Alphabétique"));
    ASSERT_EQ(alphabet->actions().size(), 26);
    EXPECT_EQ(alphabet->actions().front()->text(), QStringLiteral("&A"));
    EXPECT_EQ(alphabet->actions().back()->objectName(), QStringLiteral("lz"));
    EXPECT_FALSE(child<QLabel>(w, "Labelgrille")->isVisibleTo(w));
    EXPECT_TRUE(w->grid()->isVisibleTo(w));

    auto* text1 = child<QLineEdit>(w, "Text1");
    EXPECT_EQ(w->focusWidget(), text1);
    EXPECT_TRUE(text1->text().isEmpty());
    EXPECT_EQ(text1->nextInFocusChain(), child<QPushButton>(w, "Command1"));
    QTest::keyClicks(text1, QStringLiteral("amo"));
    QTest::keyClick(text1, Qt::Key_Return);  // searches, as the button does
    const int byEnter = w->grid()->rows();
    const bool labelByEnter = child<QLabel>(w, "Labelgrille")->isVisibleTo(w);
    const QString captionByEnter = child<QLabel>(w, "Labelgrille")->text();
    EXPECT_TRUE(byEnter != 2 || labelByEnter);  // no longer the opened state
    QTest::mouseClick(child<QPushButton>(w, "Command1"), Qt::LeftButton);
    EXPECT_EQ(w->grid()->rows(), byEnter);
    EXPECT_EQ(child<QLabel>(w, "Labelgrille")->isVisibleTo(w), labelByEnter);
    EXPECT_EQ(child<QLabel>(w, "Labelgrille")->text(), captionByEnter);
  }
}

TEST(DictionaryWindow, SearchButtonShowsItsPictureWithTheYellowLeftOut) {
  const QImage picture = makeSearchPicture().toImage().convertToFormat(QImage::Format_ARGB32);
  ASSERT_EQ(picture.size(), QSize(76, 38));
  int transparent = 0, opaqueKey = 0, dark = 0;
  for (int y = 0; y < picture.height(); ++y)
    for (int x = 0; x < picture.width(); ++x) {
      const QRgb p = picture.pixel(x, y);
      if (qAlpha(p) == 0) ++transparent;
      else if ((p & 0xFFFFFF) == 0xFFFFC0) ++opaqueKey;
      else if (qGray(p) < 100) ++dark;
    }
  EXPECT_GT(transparent, 76 * 38 / 2);
  EXPECT_EQ(opaqueKey, 0);
  EXPECT_GT(dark, 100);  // the word and the glass are drawn
  Dictionaries h;
  auto* button = child<QPushButton>(h.open(WindowId::lemmaDictionary()), "Command1");
  EXPECT_TRUE(button->text().isEmpty());
  EXPECT_EQ(button->iconSize(), QSize(76, 38));
  EXPECT_FALSE(button->icon().isNull());
}

TEST(DictionaryWindow, OneInstanceKeepsItsStateUntilClosed) {
  Dictionaries h;
  for (const QString& name : {kLemmaDictionaryName, kFormDictionaryName}) {
    QPointer<DictionaryWindow> w = h.open(name);
    search(w, QStringLiteral("amicus"));
    const int rows = w->grid()->rows();
    ASSERT_GT(rows, 2);
    EXPECT_EQ(h.open(name), w.data());
    EXPECT_EQ(child<QLineEdit>(w, "Text1")->text(), QStringLiteral("amicus"));
    EXPECT_EQ(w->grid()->rows(), rows);
    child<QAction>(w, "quitter")->trigger();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    EXPECT_TRUE(w.isNull());
    DictionaryWindow* again = h.open(name);
    EXPECT_TRUE(child<QLineEdit>(again, "Text1")->text().isEmpty());
    EXPECT_EQ(again->grid()->rows(), 2);
  }
}

TEST(DictionaryWindow, AboutOpensTheAboutWindow) {
  Dictionaries h;
  if (!h.workspace->hasFactory(WindowId::about()))
    h.workspace->registerFactory(WindowId::about(), [](Workspace&) { return new QWidget; });
  child<QAction>(h.open(WindowId::formDictionary()), "about")->trigger();
  ASSERT_NE(h.workspace->find(QStringLiteral("frmAbout")), nullptr);
  EXPECT_TRUE(h.workspace->find(QStringLiteral("frmAbout"))->isVisible());
}

TEST(DictionaryWindow, ResultFrameAndGridKeepTheirMarginsToTheWindowEdges) {
  Dictionaries h;
  for (const QString& name : {kLemmaDictionaryName, kFormDictionaryName}) {
    DictionaryWindow* w = h.open(name);
    auto* frame = child<QGroupBox>(w, "Frame2");
    DictionaryGrid* grid = w->grid();
    QWidget* client = w->centralWidget();
    const int statusHeight = w->statusBar()->height();
    for (const QSize size : {QSize(713, 560), QSize(1000, 800), QSize(500, 400)}) {
      w->resize(size);
      QCoreApplication::processEvents();
      ASSERT_EQ(w->size(), size);
      const int clientWidth = client->width();
      const int clientHeight = client->height() + statusHeight;  // below the menu bar
      EXPECT_NEAR(clientWidth - frame->geometry().right() - 1, twipsToPixelsX(200), 1) << size.width();
      EXPECT_NEAR(frame->width() - grid->geometry().right() - 1, twipsToPixelsX(450 - 200 - 120), 1);
      EXPECT_NEAR(clientHeight - statusHeight - frame->geometry().bottom() - 1, twipsToPixelsY(200), 1);
      EXPECT_NEAR(grid->height(), twipsToPixelsY(pixelsToTwipsY(clientHeight - statusHeight - grid->y()) - 2200), 1);
    }
    // Too low for the frame and the grid: their heights stay, their widths follow.
    const QSize before(frame->height(), grid->height());
    w->resize(600, w->menuBar()->height() + statusHeight + 100);
    QCoreApplication::processEvents();
    EXPECT_EQ(QSize(frame->height(), grid->height()), before);
    EXPECT_NEAR(client->width() - frame->geometry().right() - 1, twipsToPixelsX(200), 1);
  }
}

TEST(PixelsToTwips, ScalesInPlaceAndRefusesSixteenBitOverflow) {
  const struct {
    int x, y, perX, perY;
    bool ok;
    int outX, outY;
  } cases[] = {
      {8, 50, 15, 15, true, 120, 750},
      {4, 46, 12, 12, true, 48, 552},
      {2184, -2184, 15, 15, true, 32760, -32760},
      {0, 2730, 15, 12, true, 0, 32760},
      {2185, 1, 15, 15, false, 2185, 1},  // unchanged on overflow
      {1, -2185, 15, 15, false, 1, -2185},
      {0, 2731, 15, 12, false, 0, 2731},
  };
  for (const auto& c : cases) {
    auto x = static_cast<std::int16_t>(c.x), y = static_cast<std::int16_t>(c.y);
    EXPECT_EQ(PixelsToTwips(x, y, c.perX, c.perY), c.ok) << c.x << ',' << c.y;
    EXPECT_EQ(x, c.outX);
    EXPECT_EQ(y, c.outY);
  }
  std::int16_t x = 8, y = 50;
  ASSERT_TRUE(PixelsToTwips(x, y));  // the screen of the tests: 96 dpi
  EXPECT_EQ(x, 120);
  EXPECT_EQ(y, 750);
}

}  // namespace
}  // namespace varnelio::ui
