// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// What went wrong with a file, for a message to the user. Both texts are UTF-8
// (they are file-system paths and French sentences, not Windows-1252 content).
#include <cerrno>
#include <string>

namespace varnelio {

struct FileError {
  std::string path;
  std::string reason;  // in French, e.g. "Permission refusée", empty when unknown
};

// The reason given for a pipe, a device or a socket where a file is read or written:
// reading one may never end (a pipe without writer, /dev/zero), and replacing one
// by a plain file would break it.
inline constexpr const char* kNotARegularFile = "Ce n'est pas un fichier ordinaire";

// A French wording of a system error number, for the line under a failure message.
std::string describeErrno(int errorNumber);

// Whether the file simply is not there: the ordinary "missing" case of the data
// files, as against one that exists and cannot be read.
inline bool isMissingFile(const FileError& error) { return error.reason == describeErrno(ENOENT); }

}  // namespace varnelio
