#include "core/files/atomic_file.h"

#include <cerrno>
#include <cstdlib>
#include <cstring>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace varnelio {
namespace {

class FdWriter final : public ChunkWriter {
 public:
  explicit FdWriter(int fd) : fd_(fd) { buffer_.reserve(kBufferSize); }
  bool write(std::string_view bytes) override {
    if (error_) return false;
    if (buffer_.size() + bytes.size() > kBufferSize) {
      if (!flush()) return false;
      if (bytes.size() >= kBufferSize) return writeAll(bytes);
    }
    buffer_.append(bytes);
    return true;
  }
  bool flush() {
    if (error_) return false;
    const bool ok = writeAll(buffer_);
    buffer_.clear();
    return ok;
  }
  int error() const { return error_; }

 private:
  static constexpr std::size_t kBufferSize = 1 << 20;
  bool writeAll(std::string_view bytes) {
    while (!bytes.empty()) {
      const ssize_t n = ::write(fd_, bytes.data(), bytes.size());
      if (n < 0) {
        if (errno == EINTR) continue;
        error_ = errno;
        return false;
      }
      bytes.remove_prefix(static_cast<std::size_t>(n));
    }
    return true;
  }
  int fd_;
  int error_ = 0;
  std::string buffer_;
};

std::string folderOf(const std::string& path) {
  const auto slash = path.find_last_of('/');
  if (slash == std::string::npos) return ".";
  if (slash == 0) return "/";
  return path.substr(0, slash);
}

std::string fileNameOf(const std::string& path) {
  const auto slash = path.find_last_of('/');
  return slash == std::string::npos ? path : path.substr(slash + 1);
}

}  // namespace

std::optional<FileError> writeFileAtomically(const std::string& givenPath,
                                             const std::function<bool(ChunkWriter&)>& produce) {
  if (givenPath.empty() || givenPath.back() == '/') return FileError{givenPath, describeErrno(ENOENT)};
  // A link to an existing file: replace the file it points to, keep the link.
  std::string path = givenPath;
  struct stat link {};
  if (::lstat(givenPath.c_str(), &link) == 0 && S_ISLNK(link.st_mode)) {
    if (char* target = ::realpath(givenPath.c_str(), nullptr)) {
      path = target;
      std::free(target);
    }
  }
  const auto failure = [&](int err) { return FileError{givenPath, describeErrno(err)}; };
  struct stat old {};
  const bool exists = ::stat(path.c_str(), &old) == 0;
  if (exists) {
    if (S_ISDIR(old.st_mode)) return failure(EISDIR);
    // A device, a pipe or a socket would be replaced by a plain file (as root even
    // /dev/null): refuse it.
    if (!S_ISREG(old.st_mode)) return FileError{givenPath, kNotARegularFile};
    // Renaming over a read-only file would succeed, yet the user protected it. The
    // mode bits are checked too, since access() grants everything to the superuser.
    if (::access(path.c_str(), W_OK) != 0) return failure(errno);
    if ((old.st_mode & 0222) == 0) return failure(EACCES);
  }
  std::string temp = folderOf(path) + "/." + fileNameOf(path) + ".XXXXXX";
  const int fd = ::mkstemp(temp.data());
  if (fd < 0) return failure(errno);

  auto fail = [&](int err) -> std::optional<FileError> {
    ::close(fd);
    ::unlink(temp.c_str());
    return failure(err ? err : EIO);
  };

  FdWriter writer(fd);
  const bool produced = produce(writer);
  if (!produced || !writer.flush()) return fail(writer.error());
  // Keep the permissions of the file being replaced; a new file gets the usual ones.
  mode_t mode = 0666;
  if (exists) {
    mode = old.st_mode & 07777;
  } else {
    const mode_t mask = ::umask(0);
    ::umask(mask);
    mode &= ~mask;
  }
  if (::fchmod(fd, mode) != 0) return fail(errno);
  if (::fsync(fd) != 0) return fail(errno);
  if (::close(fd) != 0) {
    const int err = errno;
    ::unlink(temp.c_str());
    return failure(err);
  }
  if (::rename(temp.c_str(), path.c_str()) != 0) {
    const int err = errno;
    ::unlink(temp.c_str());
    return failure(err);
  }
  // Make the rename itself durable.
  const int dir = ::open(folderOf(path).c_str(), O_RDONLY | O_DIRECTORY);
  if (dir >= 0) {
    ::fsync(dir);
    ::close(dir);
  }
  return std::nullopt;
}

std::optional<FileError> writeFileAtomically(const std::string& path, std::string_view content) {
  return writeFileAtomically(path, [&](ChunkWriter& w) { return w.write(content); });
}

}  // namespace varnelio
