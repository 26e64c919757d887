#pragma once
// The source text: a whole file read as Windows-1252 bytes.
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

// Turns the bytes of a source file into the Windows-1252 text the analysis works on.
// Most Latin texts found today are UTF-8, which read as Windows-1252 would cut
// "poëta" into "poÃ" and "ta". A file that is valid UTF-8 and either starts with the
// UTF-8 byte-order mark or holds at least one multi-byte sequence is decoded as
// UTF-8 (the mark dropped) and re-encoded, characters the code page cannot hold
// becoming '?'. Every other file is taken byte for byte.
std::string decodeSourceBytes(std::string bytes);

// readWholeFile + decodeSourceBytes.
std::variant<std::string, FileError> readSourceText(const std::string& path);

}  // namespace varnelio
