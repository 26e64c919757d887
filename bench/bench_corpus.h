// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The benchmarks' Latin: every text of the corpus folder beside the checkout
// (VARNELIO_CORPUS_DIR), one after the other, about 1 MB. Empty when the folder
// is missing, which each benchmark reports.
#include <filesystem>
#include <string>
#include <variant>

#include "core/files/source_file.h"

namespace varnelio::bench {

inline const std::string& wholeCorpus() {
  static const std::string text = [] {
    std::string all;
    std::error_code ec;
    for (const auto& entry : std::filesystem::directory_iterator(VARNELIO_CORPUS_DIR, ec)) {
      if (entry.path().extension() != ".txt") continue;
      auto read = readSourceText(entry.path().string());
      if (auto* t = std::get_if<std::string>(&read)) all += *t;
    }
    return all;
  }();
  return text;
}

}  // namespace varnelio::bench
