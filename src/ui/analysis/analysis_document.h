// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// What the file commands of an analysis window (save as, save, export, print) need
// from the window: its grid, its common dialog and its remembered analysis file.
#include "ui/analysis/layer.h"
#include <QString>

#include "core/analysis/candidate_grid.h"
#include "ui/shell/common_dialog.h"

class QWidget;

namespace varnelio::ui {

class AnalysisDocument {
 public:
  virtual ~AnalysisDocument() = default;
  // The window: parent of the dialogs, owner of the hourglass pointer.
  virtual QWidget* documentWindow() = 0;
  virtual const CandidateGrid& candidateGrid() const = 0;
  virtual CommonDialog& commonDialog() = 0;
  // `nomfichier`: the file "saveAsAction_ les analyses" writes to; empty when none.
  virtual QString analysisPath() const = 0;
  // Sets `nomfichier` and makes `Enregistrerdirect` available.
  virtual void setAnalysisPath(const QString& path) = 0;
  // The window's object name, e.g. "frmnew_analyse" (names a PDF printout).
  virtual QString documentName() const = 0;
  // The grid has just been written whole to an analysis file.
  virtual void gridSaved() {}
};

}  // namespace varnelio::ui
