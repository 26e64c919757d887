// SPDX-License-Identifier: GPL-3.0-or-later
#include <QFile>
#include <QProcess>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <gtest/gtest.h>

#include "core/reports/candidate_table_print.h"
#include "ui/shell/codec.h"
#include "ui/shell/common_dialog.h"
#include "ui/shell/pdf_destination.h"
#include "ui/shell/printer_device.h"
#include "ui/shell/prompts.h"
#include "ui/shell/twips.h"

namespace varnelio::ui {

TEST(Codec, EveryByteIsOneUnitAndSurvivesTheRoundTrip) {
  std::string all;
  for (int b = 0; b < 256; ++b) all.push_back(static_cast<char>(b));
  const QString q = toQString(all);
  ASSERT_EQ(q.size(), 256);
  EXPECT_EQ(q.at(0xE9), QChar(0x00E9));
  EXPECT_EQ(q.at(0x80), QChar(0x20AC));
  EXPECT_EQ(q.at(0x81), QChar(0x0081));
  EXPECT_EQ(fromQString(q), all);
  EXPECT_EQ(fromQString(QString::fromUtf8("a\xE4\xB8\xAD\xF0\x9F\x98\x80z")), "a??z");
}

TEST(Twips, FifteenTwipsPerPixelAtNinetySixDpi) {
  // The offscreen platform reports 96 dpi, the reference screen of the layouts.
  EXPECT_EQ(twipsPerPixelX(), 15);
  EXPECT_EQ(twipsToPixelsX(9030), 602);
  EXPECT_EQ(twipsRect(120, 480, 8775, 2055), QRect(8, 32, 585, 137));
}

TEST(CommonDialog, RemembersTheLastChosenNameAcrossUses) {
  ScriptedPrompts prompts;
  CommonDialog dialog;
  prompts.fileAnswers = {QStringLiteral("/tmp/a.DAT"), std::nullopt};
  dialog.filter = QStringLiteral("Fichiers Texte (*.DAT)|*.DAT");
  EXPECT_EQ(dialog.showOpen(prompts, nullptr), QStringLiteral("/tmp/a.DAT"));
  dialog.filter = QStringLiteral("Fichiers de données (*.XLS)|*.XLS");
  EXPECT_FALSE(dialog.showSave(prompts, nullptr).has_value());
  ASSERT_EQ(prompts.shown.size(), 2u);
  EXPECT_EQ(prompts.shown[1].fileName, QStringLiteral("/tmp/a.DAT"));  // pre-filled
  EXPECT_EQ(prompts.shown[1].text, QStringLiteral("Fichiers de données (*.XLS)|*.XLS"));
  EXPECT_EQ(dialog.fileName, QStringLiteral("/tmp/a.DAT"));  // a cancel keeps the name
}

TEST(PrinterDevice, PrintsTheTableIntoAPdfWithItsPages) {
  if (QStandardPaths::findExecutable(QStringLiteral("pdftotext")).isEmpty()) GTEST_SKIP() << "no pdftotext";
  CandidateGrid grid;
  for (int i = 0; i < 70; ++i) grid.appendCandidate(i % 2 ? "rosam" : "aquam", i / 3 + 1);
  grid.validate(1, "1 d\xE9" "cl. acc. sg. [AA00C]");
  QTemporaryDir dir;
  const QString pdf = dir.filePath(QStringLiteral("table.pdf"));
  ASSERT_TRUE(printJobToPdf(candidateTableJob(grid), pdf, QStringLiteral("table")));
  QProcess p;
  p.start(QStringLiteral("pdftotext"), {QStringLiteral("-layout"), pdf, QStringLiteral("-")});
  ASSERT_TRUE(p.waitForFinished(20000));
  const QString text = QString::fromUtf8(p.readAllStandardOutput());
  const QStringList pages = text.split(QChar('\f'), Qt::SkipEmptyParts);
  ASSERT_EQ(pages.size(), 3);  // 34 + 35 + 1 candidates
  EXPECT_TRUE(pages[0].contains(QStringLiteral("N° phrase")));
  EXPECT_TRUE(pages[0].contains(QStringLiteral("1 décl. acc. sg. [AA00C]")));
  EXPECT_FALSE(pages[1].contains(QStringLiteral("N° phrase")));
  EXPECT_TRUE(pages[2].contains(QStringLiteral("70")));
}

}  // namespace varnelio::ui

namespace varnelio::ui {

// A print to PDF never writes over a file silently: each print gets a new file
// named after what is printed, and a name the user chose that exists is replaced
// only after "Fichier existant" is answered Oui.
TEST(PdfDestination, EveryPrintGetsANewFileUnlessTheUserAgreesToReplaceOne) {
  QTemporaryDir dir;
  const QString name = QStringLiteral("caesar - Varnelio - Noms - Accusatif singulier");
  ScriptedPrompts prompts;
  const QString first = freePdfPath(dir.path(), name);
  EXPECT_EQ(first, dir.filePath(name + QStringLiteral(".pdf")));
  // The dialog cancelled, then kept the name it offered: each time a file not yet there.
  const std::optional<QString> a = pdfDestination(prompts, nullptr, dir.path(), name, first, QString());
  ASSERT_TRUE(a.has_value());
  EXPECT_EQ(*a, first);
  QFile(*a).open(QIODevice::WriteOnly);
  const QString offered = freePdfPath(dir.path(), name);
  const std::optional<QString> b = pdfDestination(prompts, nullptr, dir.path(), name, offered, offered);
  ASSERT_TRUE(b.has_value());
  EXPECT_EQ(*b, dir.filePath(name + QStringLiteral(" (2).pdf")));
  EXPECT_TRUE(prompts.shown.empty());
  EXPECT_EQ(freePdfPath(dir.path(), QStringLiteral("a/b")), dir.filePath(QStringLiteral("a_b.pdf")));

  // A name typed by the user: a new one is taken as it is; an existing one asks.
  const QString typed = dir.filePath(QStringLiteral("mon fichier.pdf"));
  EXPECT_EQ(pdfDestination(prompts, nullptr, dir.path(), name, offered, typed), typed);
  QFile(typed).open(QIODevice::WriteOnly);
  prompts.questionAnswers = {false, true};
  EXPECT_EQ(pdfDestination(prompts, nullptr, dir.path(), name, offered, typed), std::nullopt);
  EXPECT_EQ(pdfDestination(prompts, nullptr, dir.path(), name, offered, typed), typed);
  ASSERT_EQ(prompts.shown.size(), 2u);
  EXPECT_EQ(prompts.shown[0].title, QStringLiteral("Fichier existant"));
  EXPECT_EQ(prompts.shown[0].text, typed + QStringLiteral(" existe.\nDésirez-vous l'écraser?"));
}

}  // namespace varnelio::ui
