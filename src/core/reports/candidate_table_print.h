// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The printed candidate table: a heading line and its rule, then one line per
// candidate followed by an underscore rule; 35 candidates a page (the heading
// counts as one on the first page).
#include "core/analysis/candidate_grid.h"
#include "core/reports/print_job.h"

namespace varnelio {

inline constexpr int kTableColumnPositions[4] = {0, 750, 2250, 4250};
inline constexpr int kTablePageCapacity = 35;

PrintJob candidateTableJob(const CandidateGrid& grid);

}  // namespace varnelio
