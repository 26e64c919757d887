// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// ui/dictionaries is a feature window: neither another feature window, the shell nor the style includes it.
// Only the targets that link this layer define the macro below.
#ifndef VARNELIO_UI_SEES_DICTIONARIES
#error "ui/dictionaries is not visible from here: the windows depend downward only (app, feature windows, shell and style, core)"
#endif
