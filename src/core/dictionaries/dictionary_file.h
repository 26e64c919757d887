// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The two dictionary files: headerless sequences of fixed-size records, each a
// 16-bit integer followed by blank-padded Windows-1252 text fields. The whole file
// is kept in memory and fields are cut out of it on demand, so that a file of
// hundreds of thousands of records loads at the speed of reading it.
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "core/files/file_error.h"

namespace varnelio {

struct DictionaryField {
  std::size_t offset;
  std::size_t width;
  bool trimLeading;  // this field loses its leading blanks (and keeps its trailing ones)
};

struct DictionaryLayout {
  std::size_t recordSize;
  std::vector<DictionaryField> fields;  // the loaded fields, in file order
  std::size_t spareTextOffset;
  std::size_t spareTextWidth;
};

// How loading went; the window decides what to say.
enum class DictionaryStatus {
  Loaded,        // read (possibly with no whole record)
  MissingOrEmpty,  // no such file, or 0 bytes
  Unreadable,    // exists but could not be read: see error
};

class DictionaryFile {
 public:
  DictionaryFile() = default;
  DictionaryFile(const DictionaryLayout& layout, std::string bytes);

  static DictionaryFile load(const DictionaryLayout& layout, const std::string& path);

  DictionaryStatus status() const { return status_; }
  const FileError& error() const { return error_; }
  // Whole records; bytes after the last one are ignored.
  std::size_t count() const { return count_; }
  // Field f (index into the layout's fields) of entry i (from 0), trimmed as loaded.
  std::string_view field(std::size_t i, std::size_t f) const;
  // The same field as stored, blanks included.
  std::string_view rawField(std::size_t i, std::size_t f) const {
    const DictionaryField& d = layout_.fields[f];
    return std::string_view(bytes_.data() + i * layout_.recordSize + d.offset, d.width);
  }
  const DictionaryLayout& layout() const { return layout_; }

 private:
  DictionaryLayout layout_{};
  std::string bytes_;
  std::size_t count_ = 0;
  DictionaryStatus status_ = DictionaryStatus::MissingOrEmpty;
  FileError error_;
};

// Encodes one record: the integer, then each field of the layout blank-padded or cut
// to its width, then the spare text blank-padded. For the tools that build the files.
std::string encodeDictionaryRecord(const DictionaryLayout& layout, std::int16_t spareInt,
                                   const std::vector<std::string_view>& fields,
                                   std::string_view spareText = {});

// The shared lookups, on the headword field of a table.
// Prefix match ignoring case and taking i for j and u for v (the lemma lookup: "iam"
// finds "jam", "uita" finds "vita"); the search text is not trimmed.
std::vector<std::size_t> findByPrefix(const DictionaryFile& file, std::size_t field, std::string_view text);
// Whole-field match ignoring case (the form lookup).
std::vector<std::size_t> findExact(const DictionaryFile& file, std::size_t field, std::string_view text);
// Entries whose lower-cased initial is the letter, stopping at the first entry whose
// initial is greater by character code.
std::vector<std::size_t> findByLetter(const DictionaryFile& file, std::size_t field, char letter);

}  // namespace varnelio
