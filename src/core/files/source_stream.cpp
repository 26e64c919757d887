// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/files/source_stream.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <string_view>
#include <utility>

#include "core/text/cp1252.h"

namespace varnelio {
namespace {

constexpr std::string_view kBom = "\xEF\xBB\xBF";

// read() and pread() until the count is reached, the file ends or a failure.
long long readFully(int fd, char* into, std::size_t count, long long at = -1) {
  std::size_t got = 0;
  while (got < count) {
    const ssize_t n = at < 0 ? ::read(fd, into + got, count - got)
                             : ::pread(fd, into + got, count - got, static_cast<off_t>(at + static_cast<long long>(got)));
    if (n < 0) {
      if (errno == EINTR) continue;
      return -1;
    }
    if (n == 0) break;
    got += static_cast<std::size_t>(n);
  }
  return static_cast<long long>(got);
}

}  // namespace

std::variant<SourceStream, FileError> SourceStream::open(const std::string& path, std::size_t pieceSize) {
  // Plain files only, as for a whole read: a pipe without writer or a device such
  // as /dev/zero would never end.
  struct stat st {};
  if (::stat(path.c_str(), &st) != 0) return FileError{path, describeErrno(errno)};
  if (S_ISDIR(st.st_mode)) return FileError{path, describeErrno(EISDIR)};
  if (!S_ISREG(st.st_mode)) return FileError{path, kNotARegularFile};
  const int fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC);
  if (fd < 0) return FileError{path, describeErrno(errno)};
  return SourceStream(path, fd, pieceSize == 0 ? 1 : pieceSize);
}

SourceStream::SourceStream(std::string path, int fd, std::size_t pieceSize)
    : path_(std::move(path)), fd_(fd), pieceSize_(pieceSize) {}

SourceStream::SourceStream(SourceStream&& other) noexcept
    : path_(std::move(other.path_)),
      fd_(std::exchange(other.fd_, -1)),
      pieceSize_(other.pieceSize_),
      offset_(other.offset_),
      mode_(other.mode_),
      bomLeft_(other.bomLeft_),
      raw_(std::move(other.raw_)),
      error_(std::move(other.error_)) {}

SourceStream::~SourceStream() {
  if (fd_ >= 0) ::close(fd_);
}

bool SourceStream::fail(int errorNumber) {
  error_ = FileError{path_, describeErrno(errorNumber ? errorNumber : EIO)};
  ::close(fd_);
  fd_ = -1;
  return false;
}

bool SourceStream::restIsUtf8(std::uint64_t offset) {
  std::string buffer(std::max<std::size_t>(pieceSize_, 1 << 16), '\0');
  std::size_t carried = 0;
  for (;;) {
    const long long n = readFully(fd_, buffer.data() + carried, buffer.size() - carried, static_cast<long long>(offset));
    if (n < 0) return false;
    offset += static_cast<std::uint64_t>(n);
    const std::string_view bytes(buffer.data(), carried + static_cast<std::size_t>(n));
    if (n == 0) return bytes.empty();  // a sequence cut by the end of the file is malformed
    const std::size_t complete = cp1252::completeUtf8Prefix(bytes);
    if (!cp1252::isValidUtf8(bytes.substr(0, complete))) return false;
    carried = bytes.size() - complete;
    std::memmove(buffer.data(), bytes.data() + complete, carried);
  }
}

bool SourceStream::readMore(std::string& text) {
  if (fd_ < 0) return false;
  if (mode_ != Mode::Utf8) {
    // Windows-1252 bytes, and ASCII before anything decides, are the text as they
    // come: they are read straight into it.
    const std::size_t at = text.size();
    text.resize(at + pieceSize_);
    const long long n = readFully(fd_, text.data() + at, pieceSize_);
    text.resize(at + static_cast<std::size_t>(std::max(n, 0LL)));
    if (n < 0) return fail(errno);
    const std::uint64_t pieceOffset = offset_;
    offset_ += static_cast<std::uint64_t>(n);
    if (n == 0) {
      ::close(fd_);
      fd_ = -1;
      return false;
    }
    if (mode_ == Mode::Bytes) return true;
    // The first byte above 0x7F decides, as the whole read decides: UTF-8 when the
    // rest of the file is well-formed UTF-8.
    std::size_t ascii = at;
    while (ascii < text.size() && static_cast<unsigned char>(text[ascii]) < 0x80) ++ascii;
    if (ascii == text.size()) return true;
    const std::uint64_t first = pieceOffset + (ascii - at);
    char head[3] = {};
    const bool bom = first == 0 && readFully(fd_, head, 3, 0) == 3 && std::string_view(head, 3) == kBom;
    mode_ = restIsUtf8(first) ? Mode::Utf8 : Mode::Bytes;
    if (mode_ == Mode::Bytes) return true;
    if (bom) bomLeft_ = kBom.size();
    // From that byte on, the piece is UTF-8 to decode.
    raw_.assign(text, ascii, std::string::npos);
    text.resize(ascii);
    decodeRaw(text);
    return true;
  }
  const std::size_t carried = raw_.size();
  raw_.resize(carried + pieceSize_);
  const long long n = readFully(fd_, raw_.data() + carried, pieceSize_);
  raw_.resize(carried + static_cast<std::size_t>(std::max(n, 0LL)));
  if (n < 0) return fail(errno);
  offset_ += static_cast<std::uint64_t>(n);
  if (n == 0) {
    // The end: what was carried is a sequence the file cut short.
    cp1252::appendFromUtf8(text, raw_);
    raw_.clear();
    ::close(fd_);
    fd_ = -1;
    return carried > 0;
  }
  decodeRaw(text);
  return true;
}

void SourceStream::decodeRaw(std::string& text) {
  std::string_view piece(raw_);
  const std::size_t skip = std::min(bomLeft_, piece.size());
  piece.remove_prefix(skip);
  bomLeft_ -= skip;
  const std::size_t complete = cp1252::completeUtf8Prefix(piece);
  cp1252::appendFromUtf8(text, piece.substr(0, complete));
  piece.remove_prefix(complete);
  // What is left is the start of a sequence the next piece completes.
  if (!piece.empty()) std::memmove(raw_.data(), piece.data(), piece.size());
  raw_.resize(piece.size());
}

std::variant<std::size_t, FileError> forEachSourceRun(const std::string& path, const SentenceRunSink& sink,
                                                      std::size_t pieceSize) {
  auto opened = SourceStream::open(path, pieceSize);
  if (auto* error = std::get_if<FileError>(&opened)) return *error;
  SourceStream& stream = std::get<SourceStream>(opened);
  // The sentence being read, from the last "." on; a sentence may span pieces.
  std::string pending;
  std::size_t searched = 0;  // bytes of pending known to hold no "."
  std::size_t count = 0;
  while (stream.readMore(pending)) {
    const std::string_view fresh = std::string_view(pending).substr(searched);
    const std::size_t lastDot = fresh.rfind('.');
    if (lastDot == std::string_view::npos) {
      searched = pending.size();
      continue;
    }
    const std::string_view run = std::string_view(pending).substr(0, searched + lastDot + 1);
    const auto first = static_cast<std::int64_t>(count) + 1;
    count += SentenceTable::countSentences(fresh.substr(0, lastDot + 1));
    if (sink) sink(run, first);
    pending.erase(0, run.size());
    searched = pending.size();
  }
  if (stream.error()) return *stream.error();
  return count;
}

std::variant<std::size_t, FileError> forEachSourceSentence(const std::string& path,
                                                           const SentenceTable::SentenceSink& sink,
                                                           std::size_t pieceSize) {
  return forEachSourceRun(
      path,
      [&](std::string_view run, std::int64_t first) {
        if (!sink) return;
        SentenceTable::forEachSentence(run, [&](std::string_view sentence, std::int64_t n) { sink(sentence, first + n - 1); });
      },
      pieceSize);
}

}  // namespace varnelio
