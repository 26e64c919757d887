#pragma once
// A text helper that reaches up into the analysis: refused.
#include "core/analysis/candidate_grid.h"
