// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// A window that takes an analysis label chosen in another window: a paradigm
// window hands the label of the clicked cell to the analysis window it serves,
// without knowing that window's class or controls.
#include <QString>

namespace varnelio::ui {

class AnalysisTarget {
 public:
  virtual ~AnalysisTarget() = default;
  // Replaces the analysis being written with the label; nothing is validated yet.
  virtual void receiveAnalysis(const QString& label) = 0;
};

}  // namespace varnelio::ui
