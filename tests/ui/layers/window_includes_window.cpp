// SPDX-License-Identifier: GPL-3.0-or-later
// Must not build: one feature window reaching into another.
#include "ui/analysis/candidate_grid_view.h"
