// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// A source text read piece by piece, for the command line: a whole library passes
// through a buffer of a few pieces, decoded exactly as readSourceText decodes the
// file whole, and cut into the same sentences.
#include <cstddef>
#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <variant>

#include "core/files/file_error.h"
#include "core/text/sentence_table.h"

namespace varnelio {

class SourceStream {
 public:
  static constexpr std::size_t kDefaultPieceSize = std::size_t{1} << 20;

  // Opens a plain file, as readWholeFile does; pieceSize is how many bytes of the
  // file each read takes (at least 1).
  static std::variant<SourceStream, FileError> open(const std::string& path,
                                                     std::size_t pieceSize = kDefaultPieceSize);
  SourceStream(SourceStream&& other) noexcept;
  SourceStream& operator=(SourceStream&&) = delete;
  ~SourceStream();

  // Appends the next piece of the Windows-1252 text to `text`. Returns false once
  // the file is done, or on a failure (error() then says which).
  bool readMore(std::string& text);
  const std::optional<FileError>& error() const { return error_; }

 private:
  enum class Mode { Undecided, Bytes, Utf8 };
  SourceStream(std::string path, int fd, std::size_t pieceSize);
  bool fail(int errorNumber);
  // Whether the file, from offset on, is well-formed UTF-8 (read without moving).
  bool restIsUtf8(std::uint64_t offset);
  // Appends the UTF-8 read so far, but a sequence the next piece completes.
  void decodeRaw(std::string& text);

  std::string path_;
  int fd_ = -1;
  std::size_t pieceSize_;
  std::uint64_t offset_ = 0;  // bytes of the file read so far
  Mode mode_ = Mode::Undecided;
  std::size_t bomLeft_ = 0;  // bytes of the UTF-8 byte-order mark still to drop
  std::string raw_;  // UTF-8 read, after the bytes carried over from the last piece
  std::optional<FileError> error_;
};

// Reads a source file in runs of whole sentences: the sink receives, as soon as a
// piece has been read, the sentences completed since the last run, as one text that
// ends with a ".", and the number of its first sentence. Only the sentence being
// read is held beyond the run. Returns N.
using SentenceRunSink = std::function<void(std::string_view sentences, std::int64_t firstNumber)>;
std::variant<std::size_t, FileError> forEachSourceRun(const std::string& path, const SentenceRunSink& sink,
                                                      std::size_t pieceSize = SourceStream::kDefaultPieceSize);

// Cuts a source file into sentences while it is read: the sink receives each
// sentence with its number the moment its "." has been read, whatever piece it
// started in. Only the sentence being read is held, never the text. Returns N.
std::variant<std::size_t, FileError> forEachSourceSentence(const std::string& path,
                                                           const SentenceTable::SentenceSink& sink,
                                                           std::size_t pieceSize = SourceStream::kDefaultPieceSize);

}  // namespace varnelio
