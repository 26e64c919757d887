// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Replacing a file without ever losing it: the new content goes to a temporary
// file in the same folder, is flushed to disk, and only then renamed over the old
// file. Whatever fails, the old file stays byte for byte as it was.
#include <functional>
#include <optional>
#include <string>
#include <string_view>

#include "core/files/file_error.h"

namespace varnelio {

// Receives the content piece by piece; returns false once writing failed.
class ChunkWriter {
 public:
  virtual ~ChunkWriter() = default;
  virtual bool write(std::string_view bytes) = 0;
};

// Gathers the small pieces of a stream writer and hands them on in chunks of about
// `chunkSize` bytes: append to text(), then call pieceAdded().
class ChunkBuffer {
 public:
  ChunkBuffer(ChunkWriter& out, std::size_t chunkSize) : out_(out), chunkSize_(chunkSize) {
    buffer_.reserve(chunkSize + chunkSize / 8);
  }
  std::string& text() { return buffer_; }
  // Hands the buffer on once it is full; false once any write failed.
  bool pieceAdded() { return buffer_.size() < chunkSize_ || flush(); }
  // Hands on what is left.
  bool flush() {
    if (!buffer_.empty()) ok_ = ok_ && out_.write(buffer_);
    buffer_.clear();
    return ok_;
  }

 private:
  ChunkWriter& out_;
  std::size_t chunkSize_;
  bool ok_ = true;
  std::string buffer_;
};

// Collects the chunks in memory: the same bytes a file would receive.
class StringChunkWriter final : public ChunkWriter {
 public:
  bool write(std::string_view bytes) override {
    text.append(bytes);
    return true;
  }
  std::string text;
};

// Writes through `produce` and installs the result at `path`. A read-only existing
// file is refused (it is not silently replaced). Returns the error, if any.
std::optional<FileError> writeFileAtomically(const std::string& path,
                                             const std::function<bool(ChunkWriter&)>& produce);

// Convenience for content already in memory.
std::optional<FileError> writeFileAtomically(const std::string& path, std::string_view content);

}  // namespace varnelio
