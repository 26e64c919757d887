// SPDX-License-Identifier: GPL-3.0-or-later
// Encoding a dictionary record from empty fields: every empty view, even one without
// a data pointer, gives a field of blanks (the sanitizer build checks the copying).
#include <gtest/gtest.h>

#include <string>
#include <string_view>

#include "core/dictionaries/dictionaries.h"
#include "core/dictionaries/dictionary_file.h"

namespace varnelio {
namespace {

TEST(DictionaryFileRegression, EmptyFieldsEncodeAsBlanks) {
  const std::string rec = encodeDictionaryRecord(lemmaLayout(), 258, {std::string_view{}, "", std::string_view{}});
  ASSERT_EQ(rec.size(), 323u);
  EXPECT_EQ(rec.substr(0, 2), std::string("\x02\x01", 2));
  EXPECT_EQ(rec.substr(2), std::string(321, ' '));
  const LemmaTable table(DictionaryFile(lemmaLayout(), rec));
  ASSERT_EQ(table.count(), 1u);
  EXPECT_EQ(table.row(0), (LemmaRow{"", "", "", "", ""}));
}

}  // namespace
}  // namespace varnelio
