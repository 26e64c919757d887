// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/analysis/analysis_file_commands.h"

#include <QDir>
#include <QDir>
#include <QFile>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QWidget>
#include <gtest/gtest.h>

#include "core/analysis/analysis_file.h"
#include "ui/shell/prompts.h"

namespace varnelio::ui {
namespace {

// Stands in for an analysis window: a grid, a dialog, a remembered file.
class FakeDocument final : public AnalysisDocument {
 public:
  QWidget window;
  CandidateGrid grid;
  CommonDialog dialog;
  QString file;
  int nomfichierChanges = 0;

  QWidget* documentWindow() override { return &window; }
  const CandidateGrid& candidateGrid() const override { return grid; }
  CommonDialog& commonDialog() override { return dialog; }
  QString analysisPath() const override { return file; }
  void gridSaved(const QString& path) override {
    if (file != path) ++nomfichierChanges;
    file = path;
  }
  QString documentName() const override { return QStringLiteral("frmnew_analyse"); }
};

QByteArray readAll(const QString& path) {
  QFile f(path);
  return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray("<missing>");
}

void writeBytes(const QString& path, const QByteArray& bytes) {
  QFile f(path);
  ASSERT_TRUE(f.open(QIODevice::WriteOnly));
  f.write(bytes);
}

class FileCommands : public ::testing::Test {
 protected:
  void SetUp() override {
    doc.grid.appendCandidate("rosam", 1);
    doc.grid.appendCandidate("aquam", 2);
    doc.grid.appendCandidate("Romam", 2);
    doc.grid.validate(2, "1 d\xE9" "cl. acc. sg. [AA00C]");
  }
  QString path(const char* name) const { return dir.filePath(QString::fromLatin1(name)); }

  QTemporaryDir dir;
  FakeDocument doc;
  ScriptedPrompts prompts;
};

TEST_F(FileCommands, SaveAsWritesTheRecordsRemembersTheFileAndSaysSo) {
  prompts.fileAnswers = {path("a.DAT")};
  EXPECT_EQ(saveAnalysisAs(doc, prompts), SaveOutcome::Saved);
  EXPECT_EQ(readAll(path("a.DAT")).size(), 1107);
  EXPECT_EQ(doc.analysisPath(), path("a.DAT"));
  ASSERT_EQ(prompts.shown.size(), 2u);
  EXPECT_EQ(prompts.shown[0].text, QStringLiteral("Fichiers de données (*.DAT)|*.DAT"));
  EXPECT_EQ(prompts.shown[1].title, QStringLiteral("Varnelio"));
  EXPECT_EQ(prompts.shown[1].text, QStringLiteral("L'enregistrement est terminé."));
  const CandidateGrid back = decodeAnalysisFile(readAll(path("a.DAT")).toStdString());
  ASSERT_EQ(back.candidateCount(), 3u);
  EXPECT_EQ(back.row(2).analysis, doc.grid.row(2).analysis);

  // Save again: no dialog, no question, the same file, the same message.
  doc.grid.deleteRow(3);
  prompts.shown.clear();
  EXPECT_EQ(saveAnalysis(doc, prompts), SaveOutcome::Saved);
  EXPECT_EQ(readAll(path("a.DAT")).size(), 738);
  ASSERT_EQ(prompts.shown.size(), 1u);
  EXPECT_EQ(prompts.shown[0].text, QStringLiteral("L'enregistrement est terminé."));
}

TEST_F(FileCommands, OverwriteQuestionDecidesAndNoLeavesTheFileUntouched) {
  const QByteArray old(369 * 10, 'x');
  struct Case {
    bool yes;
    SaveOutcome outcome;
    qsizetype size;
  } cases[] = {{false, SaveOutcome::Declined, 369 * 10}, {true, SaveOutcome::Saved, 1107}};
  for (const Case& c : cases) {
    writeBytes(path("old.DAT"), old);
    prompts.fileAnswers = {path("old.DAT")};
    prompts.questionAnswers = {c.yes};
    prompts.shown.clear();
    doc.file.clear();
    EXPECT_EQ(saveAnalysisAs(doc, prompts), c.outcome);
    EXPECT_EQ(readAll(path("old.DAT")).size(), c.size);
    ASSERT_GE(prompts.shown.size(), 2u);
    EXPECT_EQ(prompts.shown[1].title, QStringLiteral("Fichier existant"));
    EXPECT_EQ(prompts.shown[1].text, path("old.DAT") + QStringLiteral(" existe.\nDésirez-vous l'écraser?"));
    EXPECT_EQ(doc.analysisPath().isEmpty(), !c.yes);
    if (!c.yes) {
      EXPECT_EQ(readAll(path("old.DAT")), old);
      EXPECT_EQ(prompts.shown.size(), 2u);  // no completion message
    }
  }
}

TEST_F(FileCommands, CancelledDialogWritesAndAsksNothingButKeepsTheRememberedName) {
  doc.dialog.fileName = path("earlier.DAT");
  doc.file = path("earlier.DAT");
  EXPECT_EQ(saveAnalysisAs(doc, prompts), SaveOutcome::Cancelled);
  EXPECT_EQ(exportAnalysis(doc, prompts), SaveOutcome::Cancelled);
  ASSERT_EQ(prompts.shown.size(), 2u);
  EXPECT_EQ(prompts.shown[0].fileName, path("earlier.DAT"));  // pre-filled
  EXPECT_EQ(prompts.shown[1].fileName, path("earlier.xls"));  // an export, never over the analyses
  EXPECT_EQ(doc.analysisPath(), path("earlier.DAT"));
  EXPECT_TRUE(QDir(dir.path()).entryList(QDir::Files).isEmpty());
}

TEST_F(FileCommands, FailedWriteKeepsTheOldFileAndTheRememberedNameAndSaysWhy) {
  // A destination whose folder is a plain file cannot be written, even by root.
  writeBytes(path("plain"), "not a folder");
  const QString bad = path("plain") + QStringLiteral("/a.DAT");
  prompts.fileAnswers = {bad, bad};
  EXPECT_EQ(saveAnalysisAs(doc, prompts), SaveOutcome::Failed);
  EXPECT_EQ(exportAnalysis(doc, prompts), SaveOutcome::Failed);
  EXPECT_TRUE(doc.analysisPath().isEmpty());
  const QStringList messages = prompts.messages();
  ASSERT_EQ(messages.size(), 2);
  EXPECT_TRUE(messages[0].startsWith(QStringLiteral("L'enregistrement a échoué.\n") + bad + QLatin1Char('\n')));
  EXPECT_TRUE(messages[1].startsWith(QStringLiteral("L'exportation a échoué.\n") + bad + QLatin1Char('\n')));
  EXPECT_FALSE(messages.join(QString()).contains(QStringLiteral("terminé")));
  EXPECT_EQ(readAll(path("plain")), QByteArray("not a folder"));

  // Saving again over a remembered file whose folder has gone keeps nothing half-written.
  doc.file = dir.filePath(QStringLiteral("gone/a.DAT"));
  EXPECT_EQ(saveAnalysis(doc, prompts), SaveOutcome::Failed);
  EXPECT_EQ(doc.analysisPath(), dir.filePath(QStringLiteral("gone/a.DAT")));
}

// After a failed write, the next dialog opens in the folder of the last write that
// succeeded (the documents folder before any), never in the one that failed.
TEST_F(FileCommands, AfterAFailedWriteTheDialogComesBackToTheLastGoodFolder) {
  writeBytes(path("plain"), "not a folder");
  const QString bad = path("plain") + QStringLiteral("/a.DAT");
  prompts.fileAnswers = {bad};
  EXPECT_EQ(saveAnalysisAs(doc, prompts), SaveOutcome::Failed);
  prompts.fileAnswers = {std::nullopt};
  saveAnalysisAs(doc, prompts);
  const QString documents = QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation);
  EXPECT_EQ(prompts.shown.back().fileName, QDir(documents).filePath(QStringLiteral("a.DAT")));

  const QString good = path("bon.DAT");
  prompts.fileAnswers = {good, bad};
  EXPECT_EQ(saveAnalysisAs(doc, prompts), SaveOutcome::Saved);
  EXPECT_EQ(exportAnalysis(doc, prompts), SaveOutcome::Failed);
  prompts.fileAnswers = {std::nullopt};
  exportAnalysis(doc, prompts);
  EXPECT_EQ(prompts.shown.back().fileName, path("a.xls"));  // the good folder, the name tried
}

TEST_F(FileCommands, ExportWritesTabsCrLfAndWindows1252) {
  doc.grid.validate(1, "  deux blancs  ");
  prompts.fileAnswers = {path("table")};  // typed without extension: gets ".xls"
  EXPECT_EQ(exportAnalysis(doc, prompts), SaveOutcome::Saved);
  EXPECT_EQ(prompts.shown[0].text, QStringLiteral("Fichiers de données (*.XLS)|*.XLS"));
  EXPECT_EQ(prompts.messages(), QStringList{QStringLiteral("L'exportation est terminée.")});
  EXPECT_FALSE(QFile::exists(path("table")));
  EXPECT_EQ(readAll(path("table.xls")),
            QByteArray("N\xB0\tN\xB0 phrase\tForme(s)\tAnalyse(s)\r\n"
                       "1\t1\trosam\t  deux blancs\r\n"
                       "2\t2\taquam\t1 d\xE9" "cl. acc. sg. [AA00C]\r\n"
                       "3\t2\tRomam\t\r\n"));
  // Exporting again to the same name asks first, Non by default; No keeps the file.
  prompts.fileAnswers = {path("table.xls")};
  prompts.questionAnswers = {false};
  doc.grid.deleteRow(1);
  EXPECT_EQ(exportAnalysis(doc, prompts), SaveOutcome::Declined);
  EXPECT_EQ(prompts.shown.back().kind, ScriptedPrompts::Shown::Kind::Question);
  EXPECT_EQ(prompts.shown.back().defaultAnswer, DefaultAnswer::No);
  EXPECT_TRUE(readAll(path("table.xls")).contains("rosam"));
}

TEST_F(FileCommands, PrintShowsThePrintDialogAndPrintsTheTable) {
  printAnalysisTable(doc, prompts);
  ASSERT_EQ(prompts.printed.size(), 1u);
  EXPECT_FALSE(prompts.shown.back().setupOnly);
  const auto pages = prompts.printed[0].pagesAsText();
  ASSERT_EQ(pages.size(), 1u);
  ASSERT_EQ(pages[0].size(), 2u + 2u * 3u);
  EXPECT_EQ(pages[0][2], "0:1 | 750:1 | 2250:rosam | 4250:");
}

}  // namespace
}  // namespace varnelio::ui
