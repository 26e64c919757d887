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
  // `nomfichier`: the file "Enregistrer les analyses" writes to; empty when none.
  virtual QString analysisPath() const = 0;
  // What is printed as the user knows it (names a PDF printout).
  virtual QString documentName() const = 0;
  // The grid has just been written whole to the analysis file at path, which is the
  // one "Enregistrer les analyses" writes to from now on.
  virtual void gridSaved(const QString& path) = 0;
  // The source text's name without its extension, for the names the dialogs propose.
  virtual QString sourceName() const { return {}; }
};

}  // namespace varnelio::ui
