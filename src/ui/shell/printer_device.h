// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Runs a PrintJob on a Qt paint device: fonts, horizontal positions in twips from
// the left edge of the printable area, lines advancing by the font's line spacing,
// new pages, images scaled to the page. A new page directly followed by the end of
// the document adds no empty page.
#include <QString>

#include "core/reports/print_job.h"

class QPrinter;

namespace varnelio::ui {

// True when the job prints at least one text or image.
bool printJobHasContent(const PrintJob& job);

// Prints on a printer already set up (native printer or PDF output). Returns
// false when the printer could not start the document.
bool runPrintJob(const PrintJob& job, QPrinter& printer, const QString& documentName);

// Writes the job to a PDF file. Returns false when the file cannot be written.
bool printJobToPdf(const PrintJob& job, const QString& pdfPath, const QString& documentName);

}  // namespace varnelio::ui
