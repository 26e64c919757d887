// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/analysis/analysis_file_commands.h"

#include <QDir>
#include <QFileInfo>
#include <functional>

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
const QString kAnalysisExtension = QStringLiteral("DAT");
const QString kSpreadsheetExtension = QStringLiteral("xls");

// A name typed without an extension gets the command's; one with an extension keeps
// it. Without it, a file saved as "caesar-acc" would be missing from the "*.DAT" list
// of the dialog that reopens analyses.
QString withExtension(const QString& path, const QString& extension) {
  const QFileInfo info(path);
  if (!info.suffix().isEmpty()) return path;
  if (path.endsWith(QLatin1Char('.'))) return path + extension;
  return path + QLatin1Char('.') + extension;
}

// The name a save dialog proposes: the one the window's dialog remembers, else the
// analysis file's, else the source text's, with the command's extension in place of
// the other command's, so that Enter twice never writes an export over the analysis
// file or the analyses over an export.
QString proposedName(AnalysisDocument& doc, const QString& extension, const QString& otherExtension) {
  QString name = doc.commonDialog().fileName;
  if (name.isEmpty()) name = doc.analysisPath();
  if (name.isEmpty() && !doc.sourceName().isEmpty()) name = doc.sourceName() + QLatin1Char('.') + extension;
  if (name.isEmpty()) return name;
  const QFileInfo info(name);
  if (info.suffix().compare(otherExtension, Qt::CaseInsensitive) == 0)
    return name.left(name.size() - info.suffix().size()) + extension;
  return withExtension(name, extension);
}

// Shows the save dialog with the command's filter; then, for an existing file, the
// overwrite question. Returns the path to write, or the outcome that ends the command.
std::optional<QString> chooseDestination(AnalysisDocument& doc, Prompts& prompts, const QString& filter,
                                         const QString& extension, const QString& otherExtension,
                                         DefaultAnswer overwrite, SaveOutcome& outcome,
                                         const std::function<bool(const QString&)>& refused = {}) {
  CommonDialog& dialog = doc.commonDialog();
  dialog.filter = filter;
  dialog.fileName = proposedName(doc, extension, otherExtension);
  std::optional<QString> chosen = dialog.showSave(prompts, doc.documentWindow());
  if (!chosen) {
    outcome = SaveOutcome::Cancelled;
    return std::nullopt;
  }
  *chosen = withExtension(*chosen, extension);
  dialog.fileName = *chosen;
  if (refused && refused(*chosen)) {
    prompts.inform(doc.documentWindow(),
                   QStringLiteral("« %1 » est un fichier d'analyses : l'exportation ne peut pas le remplacer. "
                                  "Choisissez un autre nom.")
                       .arg(QFileInfo(*chosen).fileName()),
                   kApplicationTitle, MessageIcon::Warning);
    outcome = SaveOutcome::Declined;
    return std::nullopt;
  }
  if (QFileInfo::exists(*chosen) && !confirmOverwrite(prompts, doc.documentWindow(), *chosen, overwrite)) {
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
  doc.gridSaved(path);
  prompts.inform(doc.documentWindow(), QStringLiteral("L'enregistrement est terminé."), kApplicationTitle);
  return SaveOutcome::Saved;
}

}  // namespace

SaveOutcome saveAnalysisAs(AnalysisDocument& doc, Prompts& prompts) {
  SaveOutcome outcome = SaveOutcome::Saved;
  const std::optional<QString> path = chooseDestination(doc, prompts, kAnalysisFilter, kAnalysisExtension,
                                                       kSpreadsheetExtension, DefaultAnswer::Yes, outcome);
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
  // An export is never written over analyses, this window's file or any other: that
  // is refused with a word, and the question over any other file defaults to Non.
  const auto holdsAnalyses = [&doc](const QString& chosen) {
    const QString own = doc.analysisPath();
    return (!own.isEmpty() && QFileInfo(chosen).absoluteFilePath() == QFileInfo(own).absoluteFilePath()) ||
           holdsAnalysisRecords(toLocalPath(chosen));
  };
  const std::optional<QString> path =
      chooseDestination(doc, prompts, kSpreadsheetFilter, kSpreadsheetExtension, kAnalysisExtension,
                        DefaultAnswer::No, outcome, holdsAnalyses);
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
