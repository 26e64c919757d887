// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/files/atomic_file.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <sys/stat.h>
#include <unistd.h>

#include "temp_dir.h"

namespace varnelio {
namespace {

namespace fs = std::filesystem;
using testing::readBytes;
using testing::TempDir;
using testing::writeBytes;

std::size_t entriesIn(const fs::path& folder) {
  return static_cast<std::size_t>(std::distance(fs::directory_iterator(folder), fs::directory_iterator()));
}

TEST(AtomicFile, ReplacesTheOldFileAndKeepsItsPermissions) {
  TempDir dir;
  const std::string path = dir.file("a.DAT");
  writeBytes(path, "ancien contenu, plus long que le nouveau");
  ::chmod(path.c_str(), 0640);
  ASSERT_FALSE(writeFileAtomically(path, "neuf").has_value());
  EXPECT_EQ(readBytes(path), "neuf");
  EXPECT_EQ(fs::status(path).permissions() & fs::perms::all,
            fs::perms::owner_read | fs::perms::owner_write | fs::perms::group_read);
  EXPECT_EQ(entriesIn(dir.path()), 1u);
}

TEST(AtomicFile, ChunksAreWrittenInOrder) {
  TempDir dir;
  const std::string path = dir.file("b.XLS");
  std::string expected;
  ASSERT_FALSE(writeFileAtomically(path, [&](ChunkWriter& w) {
                 for (int i = 0; i < 3000; ++i) {
                   const std::string piece = std::to_string(i) + std::string(i % 700, 'x') + "\r\n";
                   expected += piece;
                   if (!w.write(piece)) return false;
                 }
                 return w.write(std::string(3 << 20, 'z')) && (expected += std::string(3 << 20, 'z'), true);
               }).has_value());
  EXPECT_EQ(readBytes(path), expected);
}

// While the new content is written, nothing new has a name in the folder, so a
// kill at that moment leaves nothing; a temporary left by an earlier killed save of
// the same file goes with the next save, and nothing else in the folder is touched.
TEST(AtomicFile, LeavesNoTemporaryFileBehind) {
  TempDir dir;
  const std::string path = dir.file("analyse.DAT");
  writeBytes(path, "ancien");
  const char* stale[] = {".analyse.DAT.varnelio-a1B2c3", ".analyse.DAT.varnelio-XXXXXX"};
  const char* kept[] = {".analyse.DAT.bak", ".analyse.DAT.backup", ".autre.DAT.varnelio-a1B2c3",
                        "analyse.DAT.varnelio-a1B2c3", ".analyse.DAT.varnelio-a1B2c"};
  for (const char* name : stale) writeBytes(dir.file(name), "reste");
  for (const char* name : kept) writeBytes(dir.file(name), "autre");
  std::size_t duringWrite = 0;
  ASSERT_FALSE(writeFileAtomically(path, [&](ChunkWriter& w) {
                 duringWrite = entriesIn(dir.path());
                 return w.write("neuf");
               }).has_value());
  EXPECT_EQ(duringWrite, 1u + std::size(kept));
  EXPECT_EQ(readBytes(path), "neuf");
  for (const char* name : stale) EXPECT_FALSE(fs::exists(dir.file(name))) << name;
  for (const char* name : kept) EXPECT_EQ(readBytes(dir.file(name)), "autre") << name;
}

// Every failure leaves the old file byte for byte and no temporary file behind.
TEST(AtomicFile, FailuresKeepTheOldFileAndRemoveTheTemporary) {
  const std::string old = std::string("ancien\0contenu", 14);
  struct Case {
    const char* name;
    std::function<std::string(const TempDir&)> setUp;  // returns the path to write
    std::string reason;
  } cases[] = {
      {"missing folder", [](const TempDir& d) { return d.file("absent/a.DAT"); }, "Fichier ou dossier introuvable"},
      {"read-only file",
       [&](const TempDir& d) {
         writeBytes(d.file("a.DAT"), old);
         ::chmod(d.file("a.DAT").c_str(), 0444);
         return d.file("a.DAT");
       },
       "Permission refusée"},
      {"folder in the way",
       [](const TempDir& d) {
         fs::create_directory(d.file("a.DAT"));
         return d.file("a.DAT");
       },
       "C'est un dossier, pas un fichier"},
      {"producer fails",
       [&](const TempDir& d) {
         writeBytes(d.file("a.DAT"), old);
         return std::string("FAIL:") + d.file("a.DAT");
       },
       "Erreur d'entrée-sortie"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    TempDir dir;
    std::string path = c.setUp(dir);
    bool failProducer = path.starts_with("FAIL:");
    if (failProducer) path = path.substr(5);
    const std::size_t before = entriesIn(dir.path());
    const auto err = writeFileAtomically(path, [&](ChunkWriter& w) { return w.write("nouveau") && !failProducer; });
    ASSERT_TRUE(err.has_value());
    EXPECT_EQ(err->path, path);
    EXPECT_EQ(err->reason, c.reason);
    EXPECT_EQ(entriesIn(dir.path()), before);
    if (fs::is_regular_file(path)) {
      EXPECT_EQ(readBytes(path), old);
    }
  }
}

TEST(AtomicFile, ReadOnlyFolderKeepsTheOldFile) {
  TempDir dir;
  const std::string path = dir.file("a.DAT");
  writeBytes(path, "ancien");
  ::chmod(dir.path().c_str(), 0555);
  // The superuser writes into read-only folders; there is nothing to check then.
  if (::access(dir.path().c_str(), W_OK) == 0) GTEST_SKIP() << "running with rights over read-only folders";
  const auto err = writeFileAtomically(path, "nouveau");
  ASSERT_TRUE(err.has_value());
  EXPECT_EQ(err->reason, "Permission refusée");
  EXPECT_EQ(readBytes(path), "ancien");
  EXPECT_EQ(entriesIn(dir.path()), 1u);
}

TEST(AtomicFile, FolderWhereNothingCanBeCreated) {
  // /proc refuses new files to everyone, the superuser included.
  if (!fs::is_directory("/proc/self")) GTEST_SKIP() << "no /proc";
  const auto err = writeFileAtomically("/proc/varnelio-test.DAT", "x");
  ASSERT_TRUE(err.has_value());
  EXPECT_FALSE(err->reason.empty());
  EXPECT_FALSE(fs::exists("/proc/varnelio-test.DAT"));
}

}  // namespace
}  // namespace varnelio

namespace varnelio {
namespace {

TEST(AtomicFile, ALinkKeepsPointingToTheReplacedFile) {
  testing::TempDir dir;
  testing::writeBytes(dir.file("real.DAT"), "ancien");
  std::filesystem::create_symlink("real.DAT", dir.file("link.DAT"));
  ASSERT_FALSE(writeFileAtomically(dir.file("link.DAT"), "nouveau").has_value());
  EXPECT_TRUE(std::filesystem::is_symlink(dir.file("link.DAT")));
  EXPECT_EQ(testing::readBytes(dir.file("real.DAT")), "nouveau");
  EXPECT_EQ(entriesIn(dir.path()), 2u);
}

}  // namespace
}  // namespace varnelio
