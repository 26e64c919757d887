// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
#include "ui/app/layer.h"
namespace varnelio::ui {
class Workspace;
// Registers the factory of every window of the program with the workspace.
void registerAllWindows(Workspace& workspace);
}  // namespace varnelio::ui
