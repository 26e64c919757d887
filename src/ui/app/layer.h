// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// ui/app is the application on top of the windows: no window, shell or style includes it.
// Only the targets that link this layer define the macro below.
#ifndef VARNELIO_UI_SEES_APP
#error "ui/app is not visible from here: the windows depend downward only (app, feature windows, shell and style, core)"
#endif
