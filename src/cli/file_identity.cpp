// SPDX-License-Identifier: GPL-3.0-or-later
#include "cli/file_identity.h"

#include <filesystem>
#include <sys/stat.h>

namespace varnelio::cli {
namespace {

namespace fs = std::filesystem;

// The absolute path a name leads to, following links, including a link whose
// target does not exist yet (the write would create that target).
fs::path resolved(const std::string& name) {
  std::error_code ec;
  fs::path path = fs::absolute(name, ec);
  if (ec) return fs::path(name).lexically_normal();
  for (int hops = 0; hops < 40 && fs::is_symlink(fs::symlink_status(path, ec)); ++hops) {
    const fs::path target = fs::read_symlink(path, ec);
    if (ec) break;
    path = target.is_absolute() ? target : path.parent_path() / target;
  }
  const fs::path canonical = fs::weakly_canonical(path, ec);
  return ec ? path.lexically_normal() : canonical;
}

}  // namespace

bool nameTheSameFile(const std::string& a, const std::string& b) {
  struct stat sa {}, sb {};
  const bool aExists = ::stat(a.c_str(), &sa) == 0;
  const bool bExists = ::stat(b.c_str(), &sb) == 0;
  if (aExists && bExists) return sa.st_dev == sb.st_dev && sa.st_ino == sb.st_ino;
  // A link to a file not yet made resolves, like any other name, to where it leads.
  return resolved(a) == resolved(b);
}

}  // namespace varnelio::cli
