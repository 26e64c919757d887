// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/analysis/analysis_file_commands.h"

#include <QDir>
#include <QFileInfo>

#include "core/analysis/analysis_file.h"
#include "core/reports/candidate_table_print.h"
#include "core/reports/spreadsheet_export.h"
#include "ui/shell/busy_cursor.h"
#include "ui/shell/codec.h"
#include "ui/shell/prompts.h"

namespace varnelio::ui {
namespace {

const QString kAnalysisFilter = QStringLiteral("Fichiers de données (*.DAT)|*.DAT");
const QString kSpreadsheetFilter = QStringLiteral("Fichiers de données (*.XLS)|*.XLS");

// Shows the save dialog with the command's filter; then, for an existing file, the
// overwrite question. Returns the path to write, or the outcome that ends the command.
std::optional<QString> chooseDestination(AnalysisDocument& doc, Prompts& prompts, const QString& filter,
                                         SaveOutcome& outcome) {
  CommonDialog& dialog = doc.commonDialog();
  dialog.filter = filter;
  const std::optional<QString> chosen = dialog.showSave(prompts, doc.documentWindow());
  if (!chosen) {
    outcome = SaveOutcome::Cancelled;
    return std::nullopt;
  }
  if (QFileInfo::exists(*chosen) && !confirmOverwrite(prompts, doc.documentWindow(), *chosen)) {
    outcome = SaveOutcome::Declined;
    return std::nullopt;
  }
  return chosen;
}

// Tells the window's dialog how a write to path went, when path is the name it
// holds: it comes back to the folder of the last success, never to a failed one.
void noteWrite(AnalysisDocument& doc, const QString& path, bool succeeded) {
  CommonDialog& dialog = doc.commonDialog();
  if (dialog.fileName != path) return;
  if (succeeded)
    dialog.writeSucceeded();
  else
    dialog.writeFailed();
}

// The failure message: what failed, then the file and the system's reason.
void reportFailure(AnalysisDocument& doc, Prompts& prompts, const QString& what, const QString& path,
                   const FileError& error) {
  prompts.inform(doc.documentWindow(), fileFailureMessage(what, path, error), kApplicationTitle,
                 MessageIcon::Warning);
}

// Writes the analysis file; the old file at that path is replaced only once the new
// one is complete, so a failed save never loses it.
SaveOutcome writeGrid(AnalysisDocument& doc, Prompts& prompts, const QString& path) {
  std::optional<FileError> error;
  {
    BusyCursor busy(doc.documentWindow());
    error = writeAnalysisFile(toLocalPath(path), doc.candidateGrid());
  }
  noteWrite(doc, path, !error);
  if (error) {
    reportFailure(doc, prompts, QStringLiteral("L'enregistrement a échoué."), path, *error);
    return SaveOutcome::Failed;
  }
  if (doc.analysisPath() != path) doc.setAnalysisPath(path);
  doc.gridSaved();
  prompts.inform(doc.documentWindow(), QStringLiteral("L'enregistrement est terminé."), kApplicationTitle);
  return SaveOutcome::Saved;
}

}  // namespace

SaveOutcome saveAnalysisAs(AnalysisDocument& doc, Prompts& prompts) {
  SaveOutcome outcome = SaveOutcome::Saved;
  const std::optional<QString> path = chooseDestination(doc, prompts, kAnalysisFilter, outcome);
  if (!path) return outcome;
  return writeGrid(doc, prompts, *path);
}

SaveOutcome saveAnalysis(AnalysisDocument& doc, Prompts& prompts) {
  const QString path = doc.analysisPath();
  if (path.isEmpty()) return SaveOutcome::Cancelled;  // the menu item is greyed then
  return writeGrid(doc, prompts, path);
}

SaveOutcome exportAnalysis(AnalysisDocument& doc, Prompts& prompts) {
  SaveOutcome outcome = SaveOutcome::Saved;
  const std::optional<QString> path = chooseDestination(doc, prompts, kSpreadsheetFilter, outcome);
  if (!path) return outcome;
  std::optional<FileError> error;
  {
    BusyCursor busy(doc.documentWindow());
    error = writeSpreadsheetFile(toLocalPath(*path), doc.candidateGrid());
  }
  noteWrite(doc, *path, !error);
  if (error) {
    reportFailure(doc, prompts, QStringLiteral("L'exportation a échoué."), *path, *error);
    return SaveOutcome::Failed;
  }
  prompts.inform(doc.documentWindow(), QStringLiteral("L'exportation est terminée."), kApplicationTitle);
  return SaveOutcome::Saved;
}

void printAnalysisTable(AnalysisDocument& doc, Prompts& prompts) {
  BusyCursor busy(doc.documentWindow());
  const PrintJob job = candidateTableJob(doc.candidateGrid());
  busy.restore();
  prompts.print(doc.documentWindow(), job, /*setupOnly=*/false, doc.documentName());
}

}  // namespace varnelio::ui
