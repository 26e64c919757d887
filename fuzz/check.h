// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// A property that must hold for every input. A broken one aborts, so that libFuzzer
// records the input as a finding, with the reason on stderr.
#include <cstdio>
#include <cstdlib>

#define FUZZ_CHECK(cond)                                                              \
  do {                                                                                \
    if (!(cond)) {                                                                    \
      std::fprintf(stderr, "%s:%d: property broken: %s\n", __FILE__, __LINE__, #cond); \
      std::abort();                                                                   \
    }                                                                                 \
  } while (0)
