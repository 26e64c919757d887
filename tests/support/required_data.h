// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Tests that read the Latin corpus or the Collatinus lexicon skip on a machine
// without them, and say so; under CI, which always has them, a missing file is a
// broken set-up and the test fails.
#include <gtest/gtest.h>

#include <cstdlib>

#define VARNELIO_REQUIRE_DATA(present, what)                                        \
  do {                                                                              \
    if (!(present)) {                                                               \
      if (std::getenv("CI")) FAIL() << (what) << " missing, and CI always has it"; \
      GTEST_SKIP() << (what) << " missing";                                         \
    }                                                                               \
  } while (0)
