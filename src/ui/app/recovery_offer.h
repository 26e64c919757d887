// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// At start-up, the analyses a crash left unsaved: each recovery copy that no running
// program holds is offered back, one question per copy.
#include "ui/app/layer.h"
#include <QString>

namespace varnelio::ui {

class Workspace;

// Asks about each recovery copy of the workspace's recovery folder and reopens, in
// the analysis window of its kind, those the user wants back.
void offerRecoveredAnalyses(Workspace& workspace);
// The same, once the main window is on the screen where the window manager put it,
// so that the questions are centred on it.
void offerRecoveredAnalysesOnceShown(Workspace& workspace);

}  // namespace varnelio::ui
