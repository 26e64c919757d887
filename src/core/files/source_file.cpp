// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/files/source_file.h"

#include <cerrno>
#include <cstdio>
#include <new>
#include <stdexcept>
#include <sys/stat.h>

#include "core/text/huge_pages.h"
#include "core/text/source_text.h"

namespace varnelio {

namespace {

std::variant<std::string, FileError> readOpenFile(const std::string& path, std::FILE* f, const struct stat& st) {
  std::string bytes;
  // A regular file is read straight into the string; then, in blocks until the
  // end, whatever the file gained meanwhile. The string is allocated first and its
  // pages advised before the first write: a library's text is written at once.
  if (st.st_size > 0) {
    bytes.reserve(static_cast<size_t>(st.st_size));
    adviseHugePages(bytes.data(), bytes.capacity());
    bytes.resize(static_cast<size_t>(st.st_size));
    bytes.resize(std::fread(bytes.data(), 1, bytes.size(), f));
  }
  char buffer[1 << 16];
  while (!std::ferror(f) && !std::feof(f)) {
    const size_t got = std::fread(buffer, 1, sizeof buffer, f);
    bytes.append(buffer, got);
  }
  if (std::ferror(f)) return FileError{path, describeErrno(errno ? errno : EIO)};
  return bytes;
}

// Opens a plain file for reading. Only plain files: opening a pipe without writer
// waits forever, and a device such as /dev/zero never ends.
std::variant<std::FILE*, FileError> openRegularFile(const std::string& path, struct stat& st) {
  if (::stat(path.c_str(), &st) != 0) return FileError{path, describeErrno(errno)};
  if (S_ISDIR(st.st_mode)) return FileError{path, describeErrno(EISDIR)};
  if (!S_ISREG(st.st_mode)) return FileError{path, kNotARegularFile};
  std::FILE* f = std::fopen(path.c_str(), "rb");
  if (!f) return FileError{path, describeErrno(errno)};
  return f;
}

}  // namespace

std::optional<FileError> checkReadableFile(const std::string& path) {
  struct stat st {};
  auto opened = openRegularFile(path, st);
  if (auto* error = std::get_if<FileError>(&opened)) return *error;
  std::fclose(std::get<std::FILE*>(opened));
  return std::nullopt;
}

std::variant<std::string, FileError> readWholeFile(const std::string& path) {
  struct stat st {};
  auto opened = openRegularFile(path, st);
  if (auto* error = std::get_if<FileError>(&opened)) return *error;
  std::FILE* f = std::get<std::FILE*>(opened);
  std::variant<std::string, FileError> result = FileError{path, describeErrno(ENOMEM)};
  try {
    result = readOpenFile(path, f, st);
  } catch (const std::bad_alloc&) {
    // A file larger than the memory: said, not a crash.
  } catch (const std::length_error&) {
  }
  std::fclose(f);
  return result;
}

std::variant<std::string, FileError> readSourceText(const std::string& path) {
  auto read = readWholeFile(path);
  if (auto* err = std::get_if<FileError>(&read)) return *err;
  return decodeSourceBytes(std::move(std::get<std::string>(read)));
}

}  // namespace varnelio
