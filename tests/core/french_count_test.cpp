// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/text/french_count.h"

#include <gtest/gtest.h>

namespace varnelio {
namespace {

TEST(FrenchCount, ThousandsApartByANoBreakSpace) {
  struct Case {
    std::uint64_t n;
    const char* written;
  };
  for (const Case& c : {Case{0, "0"}, Case{7, "7"}, Case{999, "999"}, Case{1000, "1\u00A0000"},
                        Case{5376, "5\u00A0376"}, Case{743780, "743\u00A0780"}, Case{1234567, "1\u00A0234\u00A0567"},
                        Case{18446744073709551615ull, "18\u00A0446\u00A0744\u00A0073\u00A0709\u00A0551\u00A0615"}})
    EXPECT_EQ(frenchCount(c.n), c.written) << c.n;
}

}  // namespace
}  // namespace varnelio
