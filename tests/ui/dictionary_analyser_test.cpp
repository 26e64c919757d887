// SPDX-License-Identifier: GPL-3.0-or-later
// The form dictionary window with the analyser beside donnees.dat: the records
// first, then what the analyser adds; the no-result text only when neither knows.
#include <QAction>
#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>
#include <gtest/gtest.h>

#include "core/dictionaries/dictionaries.h"
#include "core/morphology/analyser_data.h"
#include "ui/dictionaries/dictionary_grid.h"
#include "ui/dictionaries/dictionary_window.h"
#include "ui/shell/codec.h"
#include "ui_test_support.h"

namespace varnelio::ui {
namespace {

void writeFile(const QString& path, const std::string& bytes) {
  QFile file(path);
  ASSERT_TRUE(file.open(QIODevice::WriteOnly));
  ASSERT_EQ(file.write(bytes.data(), static_cast<qint64>(bytes.size())), static_cast<qint64>(bytes.size()));
}

// vita: "vitam" (acc. sg.) and "vita" (nom. and abl. sg.).
std::string smallAnalyser() {
  AnalyserData d;
  d.morphologies.resize(7);
  d.morphologies[1] = {"nom.", "", "sg.", "", "",
                       {FormKind::NounCase, GrammaticalCase::Nominative, GrammaticalNumber::Singular}};
  d.morphologies[3] = {"acc.", "", "sg.", "", "",
                       {FormKind::NounCase, GrammaticalCase::Accusative, GrammaticalNumber::Singular}};
  d.morphologies[6] = {"abl.", "", "sg.", "", "",
                       {FormKind::NounCase, GrammaticalCase::Ablative, GrammaticalNumber::Singular}};
  d.lemmas = {{"vita", "n. 1", "vie", "f.", 0, PartOfSpeech::Noun, 0}};
  d.endings = {{"a", 0, 1, 1}, {"am", 0, 1, 3}, {"a", 0, 1, 6}};
  d.stems = {{"vit", 0, 1}};
  return encodeAnalyserData(d);
}

QStringList row(DictionaryWindow* w, int r) {
  QStringList cells;
  for (int c = 0; c < 6; ++c) cells << w->grid()->text(r, c);
  return cells;
}

QStringList q(std::initializer_list<const char*> cp1252) {
  QStringList out;
  for (const char* s : cp1252) out << toQString(s);
  return out;
}

TEST(FormDictionaryWithAnalyser, RecordsFirstThenWhatTheAnalyserAdds) {
  testing::UiHarness h;
  // donnees.dat knows "vita" as a nominative only, and nothing of "uitam".
  writeFile(h.path(QStringLiteral("donnees.dat")),
            encodeDictionaryRecord(formLayout(), 0, {"vita", "n. 1", "vita", "nom. f. sg.", "", "vie"}));
  writeFile(h.path(QStringLiteral("analyseur.dat")), smallAnalyser());
  auto* w = qobject_cast<DictionaryWindow*>(h.workspace->open(WindowId::formDictionary()));
  ASSERT_NE(w, nullptr);
  auto search = [&](const char* text) {
    w->findChild<QLineEdit*>(QStringLiteral("Text1"))->setText(toQString(text));
    QTest::mouseClick(w->findChild<QPushButton*>(QStringLiteral("Command1")), Qt::LeftButton);
  };
  search("vita");
  ASSERT_EQ(w->grid()->rows(), 4);  // header, the record, the ablative the analyser adds, the blank row
  EXPECT_EQ(row(w, 1), q({"vita", "vita", "vie", "n. 1", "nom. f. sg.    ", ""}));  // as stored
  EXPECT_EQ(row(w, 2), q({"vita", "vita", "vie", "n. 1", "abl. f. sg.", ""}));
  search("UITAM");
  ASSERT_EQ(w->grid()->rows(), 3);
  EXPECT_EQ(row(w, 1), q({"UITAM", "vita", "vie", "n. 1", "acc. f. sg.", ""}));
  EXPECT_TRUE(w->grid()->isBold(1, 0));
  // The printout holds the analyser's rows too.
  w->findChild<QAction*>(QStringLiteral("imprimer"))->trigger();
  ASSERT_EQ(h.prompts.printed.size(), 1u);
  EXPECT_EQ(h.prompts.printed[0].pagesAsText().at(0).at(1), "0:Lemme : vita");
  search("vitas");
  auto* label = w->findChild<QLabel*>(QStringLiteral("Labelgrille"));
  EXPECT_TRUE(label->isVisibleTo(w));
  EXPECT_EQ(label->text(), toQString(kNoFormResult));
}

}  // namespace
}  // namespace varnelio::ui
