// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/files/atomic_file.h"

#include <dirent.h>
#include <cerrno>
#include <cstdlib>
#include <cstring>
#include <fcntl.h>
#include <random>
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

// Our temporary names: "." + the destination's name + ".varnelio-" + six letters
// or digits, as mkstemp makes them. The marker keeps a user's own hidden files
// (".notes.txt.backup") out of reach of the clean-up below.
constexpr std::string_view kTemporaryMarker = ".varnelio-";

bool isTemporaryNameOf(std::string_view entry, std::string_view name) {
  if (entry.size() != 1 + name.size() + kTemporaryMarker.size() + 6 || entry[0] != '.' ||
      entry.substr(1, name.size()) != name || entry.substr(1 + name.size(), kTemporaryMarker.size()) != kTemporaryMarker)
    return false;
  for (const char c : entry.substr(1 + name.size() + kTemporaryMarker.size()))
    if (!((c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9'))) return false;
  return true;
}

// A save killed while its temporary file had a name leaves that file behind; the
// next save of the same file removes it, so that none lingers for ever.
void removeStaleTemporaries(const std::string& folder, const std::string& name) {
  DIR* dir = ::opendir(folder.c_str());
  if (!dir) return;
  while (const dirent* entry = ::readdir(dir))
    if (isTemporaryNameOf(entry->d_name, name)) ::unlinkat(::dirfd(dir), entry->d_name, 0);
  ::closedir(dir);
}

// The new content's file. Where the system allows it, the file has no name while it
// is written (O_TMPFILE), so a crash or a kill in the middle leaves nothing behind;
// it gets a temporary name only for the instant before the rename over the
// destination. Elsewhere it is an ordinary mkstemp file, removed on failure.
class TemporaryFile {
 public:
  TemporaryFile(std::string folder, const std::string& name)
      : folder_(std::move(folder)), pattern_(folder_ + "/." + name + std::string(kTemporaryMarker) + "XXXXXX") {}
  TemporaryFile(const TemporaryFile&) = delete;
  TemporaryFile& operator=(const TemporaryFile&) = delete;
  ~TemporaryFile() {
    if (fd_ >= 0) ::close(fd_);
    if (!named_.empty()) ::unlink(named_.c_str());
  }

  // False with errno set when no file could be made.
  bool open() {
#ifdef O_TMPFILE
    // Naming an unnamed file goes through /proc/self/fd; without /proc, use a name.
    if (::access("/proc/self/fd", X_OK) == 0) {
      fd_ = ::open(folder_.c_str(), O_TMPFILE | O_WRONLY | O_CLOEXEC, 0600);
      if (fd_ >= 0) return true;
      // Only a folder or file system without support falls back; a real refusal
      // (permissions, no space) is the answer.
      if (errno != EOPNOTSUPP && errno != EISDIR && errno != EINVAL) return false;
    }
#endif
    named_ = pattern_;
    fd_ = ::mkostemp(named_.data(), O_CLOEXEC);
    if (fd_ < 0) named_.clear();
    return fd_ >= 0;
  }

  int fd() const { return fd_; }

  // Closes the complete file and puts it in place of `path`; 0 or the error.
  int install(const std::string& path) {
    if (named_.empty()) {
      if (int err = giveName()) return err;
    }
    const int fd = fd_;
    fd_ = -1;
    if (::close(fd) != 0) return errno;
    if (::rename(named_.c_str(), path.c_str()) != 0) return errno;
    named_.clear();
    return 0;
  }

 private:
  int giveName() {
    static constexpr char kLetters[] = "abcdefghijklmnopqrstuvwxyzABCDEFGHIJKLMNOPQRSTUVWXYZ0123456789";
    std::random_device seed;
    std::minstd_rand random(seed());
    const std::string proc = "/proc/self/fd/" + std::to_string(fd_);
    for (int attempt = 0; attempt < 100; ++attempt) {
      std::string candidate = pattern_;
      for (std::size_t i = candidate.size() - 6; i < candidate.size(); ++i)
        candidate[i] = kLetters[random() % (sizeof kLetters - 1)];
      if (::linkat(AT_FDCWD, proc.c_str(), AT_FDCWD, candidate.c_str(), AT_SYMLINK_FOLLOW) == 0) {
        named_ = std::move(candidate);
        return 0;
      }
      if (errno != EEXIST) return errno;
    }
    return EEXIST;
  }

  std::string folder_;
  std::string pattern_;
  std::string named_;  // the file's temporary name, once it has one
  int fd_ = -1;
};

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
  const std::string folder = folderOf(path);
  const std::string name = fileNameOf(path);
  removeStaleTemporaries(folder, name);
  TemporaryFile temp(folder, name);
  if (!temp.open()) return failure(errno);

  FdWriter writer(temp.fd());
  const bool produced = produce(writer);
  if (!produced || !writer.flush()) return failure(writer.error() ? writer.error() : EIO);
  // Keep the permissions of the file being replaced; a new file gets the usual ones.
  mode_t mode = 0666;
  if (exists) {
    mode = old.st_mode & 07777;
  } else {
    const mode_t mask = ::umask(0);
    ::umask(mask);
    mode &= ~mask;
  }
  if (::fchmod(temp.fd(), mode) != 0) return failure(errno);
  if (::fsync(temp.fd()) != 0) return failure(errno);
  if (int err = temp.install(path)) return failure(err);
  // Make the rename itself durable.
  const int dir = ::open(folder.c_str(), O_RDONLY | O_DIRECTORY);
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
