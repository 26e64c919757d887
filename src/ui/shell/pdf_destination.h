// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Where a print that goes to a PDF file is written. Every such print gets a file of
// its own, named after what is printed; a file the user named in the print dialog
// is replaced only once the user said so, as a save does.
#include <QString>
#include <optional>

class QWidget;

namespace varnelio::ui {

class Prompts;

// The folder printouts go to unless the user names another: the user's documents,
// else the home folder.
QString defaultPdfFolder();

// "<documentName>.pdf" in the folder, or "<documentName> (2).pdf", (3)... when taken.
// Characters a file name cannot hold become "_".
QString freePdfPath(const QString& folder, const QString& documentName);

// The file a print to PDF writes: `chosen` is the name the print dialog confirmed
// (empty when it was cancelled). A cancelled dialog, or one that kept the proposed
// free name, writes a new file in `folder`; a name the user chose that exists is
// replaced only after "Fichier existant" is answered Oui. Nothing when answered Non.
std::optional<QString> pdfDestination(Prompts& prompts, QWidget* parent, const QString& folder,
                                       const QString& documentName, const QString& proposed,
                                       const QString& chosen);

}  // namespace varnelio::ui
