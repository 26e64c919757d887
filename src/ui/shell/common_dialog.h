// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// A window's common dialog: one per window that needs one. Its filter is set by
// each command; the file name chosen last persists for the life of the window and
// pre-fills every later use (open, save as, export).
#include <QString>
#include <optional>

#include "ui/shell/prompts.h"

namespace varnelio::ui {

class CommonDialog {
 public:
  QString filter;
  QString fileName;

  std::optional<QString> showOpen(Prompts& prompts, QWidget* parent) {
    return remember(prompts.openFile(parent, filter, fileName));
  }
  std::optional<QString> showSave(Prompts& prompts, QWidget* parent) {
    return remember(prompts.saveFile(parent, filter, fileName));
  }

 private:
  std::optional<QString> remember(std::optional<QString> chosen) {
    if (chosen && chosen->isEmpty()) chosen.reset();
    if (chosen) fileName = *chosen;
    return chosen;
  }
};

}  // namespace varnelio::ui
