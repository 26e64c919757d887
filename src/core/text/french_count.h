// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Counts as French writes them in a sentence: "5 376 candidats", "743 780 lignes",
// the thousands apart by a no-break space (U+00A0, which Windows-1252 has too) so
// that a number is never cut at the end of a line.
#include <cstdint>
#include <string>

namespace varnelio {

// The digits of n grouped by three, in UTF-8 ("5\u00A0376").
std::string frenchCount(std::uint64_t n);

}  // namespace varnelio
