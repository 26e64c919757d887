#include "core/text/source_text.h"

#include <cerrno>
#include <cstdio>
#include <sys/stat.h>

#include "core/text/cp1252.h"

namespace varnelio {

std::variant<std::string, FileError> readWholeFile(const std::string& path) {
  struct stat st {};
  if (::stat(path.c_str(), &st) != 0) return FileError{path, describeErrno(errno)};
  if (S_ISDIR(st.st_mode)) return FileError{path, describeErrno(EISDIR)};
  std::FILE* f = std::fopen(path.c_str(), "rb");
  if (!f) return FileError{path, describeErrno(errno)};
  std::string bytes;
  // A regular file is read straight into the string; then, in blocks until the
  // end, whatever else there is (a file that grew, pipes, special files whose
  // size the system does not know in advance).
  if (S_ISREG(st.st_mode) && st.st_size > 0) {
    bytes.resize(static_cast<size_t>(st.st_size));
    bytes.resize(std::fread(bytes.data(), 1, bytes.size(), f));
  }
  char buffer[1 << 16];
  while (!std::ferror(f) && !std::feof(f)) {
    const size_t got = std::fread(buffer, 1, sizeof buffer, f);
    bytes.append(buffer, got);
  }
  const bool failed = std::ferror(f);
  const int err = errno;
  std::fclose(f);
  if (failed) return FileError{path, describeErrno(err ? err : EIO)};
  return bytes;
}

std::string decodeSourceBytes(std::string bytes) {
  static constexpr std::string_view kBom = "\xEF\xBB\xBF";
  const bool bom = std::string_view(bytes).starts_with(kBom);
  if (!bom && !cp1252::hasHighBytes(bytes)) return bytes;  // plain ASCII: the same either way
  if (!cp1252::isValidUtf8(bytes)) return bytes;
  if (bom) bytes.erase(0, kBom.size());
  cp1252::fromUtf8InPlace(bytes);
  return bytes;
}

std::variant<std::string, FileError> readSourceText(const std::string& path) {
  auto read = readWholeFile(path);
  if (auto* err = std::get_if<FileError>(&read)) return *err;
  return decodeSourceBytes(std::move(std::get<std::string>(read)));
}

}  // namespace varnelio
