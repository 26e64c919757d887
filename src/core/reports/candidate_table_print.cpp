// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/reports/candidate_table_print.h"

#include <string>

#include "core/text/trim.h"

namespace varnelio {

PrintJob candidateTableJob(const CandidateGrid& grid) {
  PrintJob job;
  job.setFont("verdana", 12, true);
  int fill = 1;  // the heading takes one candidate's place
  for (int c = 0; c < CandidateGrid::kColumnCount; ++c) {
    job.setX(kTableColumnPositions[c]);
    const std::string title = c == 0 ? std::string("N\xB0") : grid.cellText(0, c);
    job.print(trimTrailingSpaces(title), c == CandidateGrid::kColumnCount - 1);
  }
  job.print(std::string(73, '-'), true);
  job.setFont("verdana", 9, false);
  for (std::size_t r = 1; r <= grid.candidateCount(); ++r) {
    ++fill;
    for (int c = 0; c < CandidateGrid::kColumnCount; ++c) {
      job.setX(kTableColumnPositions[c]);
      job.print(trimTrailingSpaces(grid.cellText(r, c)), c == CandidateGrid::kColumnCount - 1);
    }
    job.print(std::string(76, '_'), true);
    // A full page breaks only when a candidate follows: the document never ends
    // on an empty page, whatever printer runs the job.
    if (fill == kTablePageCapacity && r < grid.candidateCount()) {
      fill = 0;
      job.newPage();
    }
  }
  job.endDocument();
  return job;
}

}  // namespace varnelio
