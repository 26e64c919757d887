// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// A text helper that reaches up into the analysis: refused.
#include "core/analysis/candidate_grid.h"
