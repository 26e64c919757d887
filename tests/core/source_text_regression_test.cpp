// SPDX-License-Identifier: GPL-3.0-or-later
// Reading what is not a plain file, or a file larger than the memory: a French
// reason, never a wait without end nor a crash.
#include <gtest/gtest.h>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <string>
#include <variant>

#include "core/files/source_file.h"
#include "temp_dir.h"

namespace varnelio {
namespace {

using testing::TempDir;

TEST(SourceTextRegression, PipesAndDevicesAreRefusedAtOnce) {
  TempDir dir;
  const std::string fifo = dir.file("tube");
  ASSERT_EQ(::mkfifo(fifo.c_str(), 0644), 0);
  // A pipe without writer would block the open; /dev/zero would fill the memory.
  for (const std::string& path : {fifo, std::string("/dev/zero"), std::string("/dev/null")}) {
    if (!std::filesystem::exists(path)) continue;
    const auto read = readWholeFile(path);
    ASSERT_TRUE(std::holds_alternative<FileError>(read)) << path;
    EXPECT_EQ(std::get<FileError>(read).path, path);
    EXPECT_EQ(std::get<FileError>(read).reason, "Ce n'est pas un fichier ordinaire");
  }
}

#if !defined(__SANITIZE_ADDRESS__)
TEST(SourceTextRegression, AFileLargerThanTheMemoryIsAnErrorNotACrash) {
  // A sparse file of 1 TiB takes no room on disk; the memory cannot hold it (the
  // kernel's default heuristic refuses such an allocation at once).
  std::ifstream mode("/proc/sys/vm/overcommit_memory");
  int overcommit = -1;
  if (!(mode >> overcommit) || overcommit != 0) GTEST_SKIP() << "memory overcommit not heuristic";
  TempDir dir;
  const std::string path = dir.file("immense.txt");
  const int fd = ::open(path.c_str(), O_WRONLY | O_CREAT, 0644);
  ASSERT_GE(fd, 0);
  const bool sized = ::ftruncate(fd, off_t{1} << 40) == 0;
  ::close(fd);
  if (!sized) GTEST_SKIP() << "no sparse file of 1 TiB here";
  const auto read = readWholeFile(path);
  ASSERT_TRUE(std::holds_alternative<FileError>(read));
  EXPECT_EQ(std::get<FileError>(read).reason, "M\xC3\xA9moire insuffisante");
}
#endif

}  // namespace
}  // namespace varnelio
