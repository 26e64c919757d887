// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// A window's common dialog: one per window that needs one. Its filter is set by
// each command; the file name chosen last persists for the life of the window and
// pre-fills every later use (open, save as, export).
#include <QDir>
#include <QFileInfo>
#include <QStandardPaths>
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

  // What was written to the file chosen: a success makes its folder the one to come
  // back to; after a failure the next dialog opens there again (or in the documents
  // folder), never in the folder that failed, which may not even be one to browse
  // (a dialog opened in /proc never came back).
  void writeSucceeded() { goodFolder_ = QFileInfo(fileName).absolutePath(); }
  void writeFailed() {
    const QString folder =
        goodFolder_.isEmpty() ? QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation) : goodFolder_;
    fileName = QDir(folder).filePath(QFileInfo(fileName).fileName());
  }

 private:
  QString goodFolder_;  // where the last write succeeded

  std::optional<QString> remember(std::optional<QString> chosen) {
    if (chosen && chosen->isEmpty()) chosen.reset();
    if (chosen) fileName = *chosen;
    return chosen;
  }
};

}  // namespace varnelio::ui
