// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/app/window_registry.h"

#include "ui/analysis/analysis_window.h"
#include "ui/app/about_window.h"
#include "ui/app/main_window.h"
#include "ui/shell/workspace.h"
#include "ui/dictionaries/dictionary_window.h"
#include "ui/grammar/paradigm_window.h"

namespace varnelio::ui {

// Each window family registers its own factories; one line per family.
void registerAllWindows(Workspace& workspace) {
  registerShellWindows(workspace);
  registerMainWindow(workspace);
  registerAnalysisWindows(workspace);
  registerParadigmWindows(workspace);
  registerDictionaryWindows(workspace);
}

}  // namespace varnelio::ui
