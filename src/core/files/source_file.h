// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Reading the files the program is given: whole, byte for byte, or as a source
// text decoded to Windows-1252. Only plain files are read.
#include <optional>
#include <string>
#include <variant>

#include "core/files/file_error.h"

namespace varnelio {

// Reads a whole file into memory, byte for byte. On failure the error names the
// path and the reason (a directory, a missing or unreadable file).
std::variant<std::string, FileError> readWholeFile(const std::string& path);

// Whether readWholeFile could open the file: a plain file that opens for reading.
// Folders, pipes and devices are refused without being opened (a pipe without a
// writer would block).
std::optional<FileError> checkReadableFile(const std::string& path);

// readWholeFile, then decodeSourceBytes (core/text/source_text.h).
std::variant<std::string, FileError> readSourceText(const std::string& path);

}  // namespace varnelio
