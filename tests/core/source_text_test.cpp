// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/files/source_file.h"
#include "core/text/source_text.h"

#include <gtest/gtest.h>

#include <sys/stat.h>

#include <cstdio>

#include "temp_dir.h"

namespace varnelio {
namespace {

using testing::TempDir;
using testing::writeBytes;

struct DecodeCase {
  const char* name;
  std::string bytes;
  std::string text;
};

class SourceDecoding : public ::testing::TestWithParam<DecodeCase> {};

TEST_P(SourceDecoding, ReadsUtf8OnlyWhenItIsClearlyUtf8) {
  EXPECT_EQ(decodeSourceBytes(GetParam().bytes), GetParam().text);
}

INSTANTIATE_TEST_SUITE_P(
    Files, SourceDecoding,
    ::testing::Values(
        DecodeCase{"Ascii", "Rosam amat.\r\n", "Rosam amat.\r\n"},
        DecodeCase{"Cp1252KeptByteForByte", "po\xEBta \x9C" "conomia.", "po\xEBta \x9C" "conomia."},
        DecodeCase{"Utf8Converted", "po\xC3\xABta \xC5\x93.", "po\xEBta \x9C."},
        DecodeCase{"BomDropped", "\xEF\xBB\xBFRosa.", "Rosa."},
        DecodeCase{"BomWithAccent", "\xEF\xBB\xBF" "d\xC3\xA9" "cl.", "d\xE9" "cl."},
        DecodeCase{"UnrepresentableBecomesQuestionMark", "\xE4\xB8\xAD.", "?."},
        DecodeCase{"InvalidUtf8TakenAsCp1252", "\xC3\xAB \xEB.", "\xC3\xAB \xEB."},
        DecodeCase{"BomButInvalidKeptWhole", "\xEF\xBB\xBF\xE9.", "\xEF\xBB\xBF\xE9."},
        DecodeCase{"Empty", "", ""}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(SourceText, ReadsTheWholeFileWithNulAndCrLf) {
  TempDir dir;
  std::string bytes = "Rosa.\r\n";
  bytes.push_back('\0');
  bytes += std::string(200000, 'a') + "\xE9.";
  writeBytes(dir.file("t.txt"), bytes);
  auto read = readSourceText(dir.file("t.txt"));
  ASSERT_TRUE(std::holds_alternative<std::string>(read));
  EXPECT_EQ(std::get<std::string>(read), bytes);
}

TEST(SourceText, FailuresNameTheFileAndTheReason) {
  TempDir dir;
  // A pipe without a writer would block whoever opens it: refused before opening.
  ASSERT_EQ(::mkfifo(dir.file("pipe").c_str(), 0600), 0);
  struct Case {
    std::string path;
    std::string reason;
  } cases[] = {{dir.file("absent.txt"), "Fichier ou dossier introuvable"},
               {dir.path().string(), "C'est un dossier, pas un fichier"},
               {dir.file("pipe"), kNotARegularFile}};
  for (const auto& c : cases) {
    auto read = readSourceText(c.path);
    ASSERT_TRUE(std::holds_alternative<FileError>(read)) << c.path;
    EXPECT_EQ(std::get<FileError>(read).path, c.path);
    EXPECT_EQ(std::get<FileError>(read).reason, c.reason);
    // The check the main window makes before taking a chosen file says the same.
    const auto checked = checkReadableFile(c.path);
    ASSERT_TRUE(checked.has_value()) << c.path;
    EXPECT_EQ(checked->reason, c.reason);
  }
  std::FILE* f = std::fopen(dir.file("rosa.txt").c_str(), "wb");
  ASSERT_NE(f, nullptr);
  std::fclose(f);
  EXPECT_FALSE(checkReadableFile(dir.file("rosa.txt")).has_value());
}

}  // namespace
}  // namespace varnelio
