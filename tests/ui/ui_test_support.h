// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Shared set-up of the window tests: scripted prompts, a workspace with every
// window registered, and a temporary folder for the files a test writes.
#include <QTemporaryDir>
#include <QString>
#include <memory>

#include "ui/app/window_registry.h"
#include "ui/shell/workspace.h"
#include "ui/shell/prompts.h"

namespace varnelio::ui::testing {

struct UiHarness {
  ScriptedPrompts prompts;
  QTemporaryDir dir;
  std::unique_ptr<Workspace> workspace;

  explicit UiHarness(const QString& dataDir = {}) {
    workspace = std::make_unique<Workspace>(prompts, dataDir.isEmpty() ? dir.path() : dataDir);
    registerAllWindows(*workspace);
  }
  QString path(const QString& name) const { return dir.filePath(name); }
};

}  // namespace varnelio::ui::testing
