// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Whether two names given on the command line designate one file, so that a
// command never writes over its own source nor writes two outputs into one file.
#include <string>

namespace varnelio::cli {

// Existing files are compared by device and inode (links, "./" and ".." included);
// a name not yet created by the absolute path it would resolve to.
bool nameTheSameFile(const std::string& a, const std::string& b);

}  // namespace varnelio::cli
