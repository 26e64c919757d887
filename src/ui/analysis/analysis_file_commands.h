// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The file commands of the analysis windows: save as (`Enregistrer`), save
// (`Enregistrerdirect`), export for a spreadsheet (`exportexcell`) and print the
// table (`Imprimertable`). Files are replaced only once the new one is complete; a
// failure leaves the old file as it was and says so.
#include "ui/analysis/layer.h"
#include "ui/analysis/analysis_document.h"

namespace varnelio::ui {

class Prompts;

enum class SaveOutcome { Saved, Cancelled, Declined, Failed };

// Save as: dialog "Fichiers de données (*.DAT)|*.DAT", the overwrite question, then
// the write and its message.
SaveOutcome saveAnalysisAs(AnalysisDocument& doc, Prompts& prompts);
// Save to `nomfichier`, without dialog or question.
SaveOutcome saveAnalysis(AnalysisDocument& doc, Prompts& prompts);
// Export: dialog "Fichiers de données (*.XLS)|*.XLS", the overwrite question, the
// tab-separated file and its message.
SaveOutcome exportAnalysis(AnalysisDocument& doc, Prompts& prompts);
// Print: the print dialog, then the table, whatever the dialog's outcome.
void printAnalysisTable(AnalysisDocument& doc, Prompts& prompts);

}  // namespace varnelio::ui
