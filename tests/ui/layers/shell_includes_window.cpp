// SPDX-License-Identifier: GPL-3.0-or-later
// Must not build: the shell reaching up into a feature window.
#include "ui/analysis/analysis_window.h"
