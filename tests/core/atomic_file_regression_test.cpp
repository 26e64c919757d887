// SPDX-License-Identifier: GPL-3.0-or-later
// Saving onto something that is not a plain file: refused, never replaced.
#include <gtest/gtest.h>

#include <filesystem>
#include <sys/stat.h>
#include <unistd.h>

#include "core/files/atomic_file.h"
#include "temp_dir.h"

namespace varnelio {
namespace {

namespace fs = std::filesystem;
using testing::TempDir;

TEST(AtomicFileRegression, APipeOrADeviceIsNotReplacedByAFile) {
  TempDir dir;
  const std::string fifo = dir.file("tube");
  ASSERT_EQ(::mkfifo(fifo.c_str(), 0644), 0);
  for (const std::string& path : {fifo, std::string("/dev/null")}) {
    const auto error = writeFileAtomically(path, "contenu");
    ASSERT_TRUE(error.has_value()) << path;
    EXPECT_EQ(error->path, path);
    EXPECT_EQ(error->reason, "Ce n'est pas un fichier ordinaire");
  }
  EXPECT_TRUE(fs::is_fifo(fifo));
  EXPECT_TRUE(fs::is_character_file("/dev/null"));
  EXPECT_EQ(std::distance(fs::directory_iterator(dir.path()), fs::directory_iterator()), 1);
}

}  // namespace
}  // namespace varnelio
