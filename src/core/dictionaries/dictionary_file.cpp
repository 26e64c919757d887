// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/dictionaries/dictionary_file.h"

#include <algorithm>
#include <cerrno>
#include <cstring>

#include "core/files/fixed_record.h"
#include "core/text/trim.h"
#include "core/text/cp1252.h"
#include "core/files/source_file.h"

namespace varnelio {

DictionaryFile::DictionaryFile(const DictionaryLayout& layout, std::string bytes)
    : layout_(layout), bytes_(std::move(bytes)) {
  count_ = layout_.recordSize ? bytes_.size() / layout_.recordSize : 0;
  status_ = bytes_.empty() ? DictionaryStatus::MissingOrEmpty : DictionaryStatus::Loaded;
}

DictionaryFile DictionaryFile::load(const DictionaryLayout& layout, const std::string& path) {
  auto read = readWholeFile(path);
  if (auto* err = std::get_if<FileError>(&read)) {
    DictionaryFile file;
    file.layout_ = layout;
    file.error_ = *err;
    // A file that is not there is the ordinary "missing" case; anything else (a
    // folder, no permission, a read error) is reported with its reason.
    const bool missing = isMissingFile(*err);
    file.status_ = missing ? DictionaryStatus::MissingOrEmpty : DictionaryStatus::Unreadable;
    return file;
  }
  return DictionaryFile(layout, std::move(std::get<std::string>(read)));
}

std::string_view DictionaryFile::field(std::size_t i, std::size_t f) const {
  const DictionaryField& d = layout_.fields[f];
  const std::string_view raw(bytes_.data() + i * layout_.recordSize + d.offset, d.width);
  return d.trimLeading ? trimLeadingSpaces(raw) : trimTrailingSpaces(raw);
}

std::string encodeDictionaryRecord(const DictionaryLayout& layout, std::int16_t spareInt,
                                   const std::vector<std::string_view>& fields, std::string_view spareText) {
  std::string rec(layout.recordSize, ' ');
  fixed_record::putInt16(rec.data(), spareInt);
  for (std::size_t f = 0; f < layout.fields.size() && f < fields.size(); ++f) {
    const DictionaryField& d = layout.fields[f];
    fixed_record::putField(rec.data(), d.offset, d.width, fields[f]);
  }
  fixed_record::putField(rec.data(), layout.spareTextOffset, layout.spareTextWidth, spareText);
  return rec;
}

namespace {

// The lookups run over hundreds of thousands of records: they compare the stored
// bytes in place, without trimming or copying a field, and lower-case through the
// code page's table.

// The lemma lookup also takes i for j and u for v, either way: texts print
// "iam", "Iulius", "uita" where the lexicon writes "jam", "Julius", "vita".
struct SpellingTable {
  unsigned char map[256];
  SpellingTable() {
    for (int c = 0; c < 256; ++c) {
      unsigned char l = cp1252::toLower(static_cast<unsigned char>(c));
      if (l == 'j') l = 'i';
      if (l == 'v') l = 'u';
      map[c] = l;
    }
  }
};
const SpellingTable& spellingTable() {
  static const SpellingTable table;
  return table;
}

// Whether the first text.size() bytes of raw equal the (lower-cased) text,
// ignoring case. Only a blank lower-cases to a blank.
bool startsWithLowered(const unsigned char* raw, std::string_view lowered, const unsigned char* lower) {
  for (std::size_t j = 0; j < lowered.size(); ++j)
    if (lower[raw[j]] != static_cast<unsigned char>(lowered[j])) return false;
  return true;
}

bool allBlank(const unsigned char* begin, const unsigned char* end) {
  for (; begin != end; ++begin)
    if (*begin != ' ') return false;
  return true;
}

}  // namespace

std::vector<std::size_t> findByPrefix(const DictionaryFile& file, std::size_t field, std::string_view text) {
  const unsigned char* lower = spellingTable().map;
  std::string wanted(text);
  for (char& c : wanted) c = static_cast<char>(lower[static_cast<unsigned char>(c)]);
  std::vector<std::size_t> hits;
  const DictionaryField& d = file.layout().fields[field];
  if (d.trimLeading) {
    for (std::size_t i = 0; i < file.count(); ++i) {
      const std::string_view value = file.field(i, field);
      if (value.size() >= wanted.size() &&
          startsWithLowered(reinterpret_cast<const unsigned char*>(value.data()), wanted, lower))
        hits.push_back(i);
    }
    return hits;
  }
  // The trimmed value begins with the text when the stored bytes do and the value
  // reaches the text's end: a text ending in blanks needs a non-blank after them.
  const std::size_t k = wanted.size();
  if (k > d.width) return hits;  // longer than any value
  const bool endsWithBlank = k > 0 && wanted.back() == ' ';
  for (std::size_t i = 0; i < file.count(); ++i) {
    const auto* raw = reinterpret_cast<const unsigned char*>(file.rawField(i, field).data());
    if (!startsWithLowered(raw, wanted, lower)) continue;
    if (endsWithBlank && allBlank(raw + k, raw + d.width)) continue;
    hits.push_back(i);
  }
  return hits;
}

std::vector<std::size_t> findExact(const DictionaryFile& file, std::size_t field, std::string_view text) {
  std::vector<std::size_t> hits;
  const DictionaryField& d = file.layout().fields[field];
  if (d.trimLeading) {
    for (std::size_t i = 0; i < file.count(); ++i)
      if (cp1252::equalsIgnoringCase(file.field(i, field), text)) hits.push_back(i);
    return hits;
  }
  // A value lost its trailing blanks: a text ending in a blank, or longer than the
  // field, equals none. Otherwise the stored bytes hold the text, then blanks only.
  const std::size_t k = text.size();
  if (k > d.width || (k > 0 && text.back() == ' ')) return hits;
  const std::string wanted = cp1252::toLower(text);
  const unsigned char* lower = cp1252::lowerTable();
  for (std::size_t i = 0; i < file.count(); ++i) {
    const auto* raw = reinterpret_cast<const unsigned char*>(file.rawField(i, field).data());
    if (startsWithLowered(raw, wanted, lower) && allBlank(raw + k, raw + d.width)) hits.push_back(i);
  }
  return hits;
}

std::vector<std::size_t> findByLetter(const DictionaryFile& file, std::size_t field, char letter) {
  const auto c = static_cast<unsigned char>(letter);
  const DictionaryField& d = file.layout().fields[field];
  const unsigned char* lower = cp1252::lowerTable();
  std::vector<std::size_t> hits;
  for (std::size_t i = 0; i < file.count(); ++i) {
    unsigned char first;
    if (d.trimLeading) {
      const std::string_view value = file.field(i, field);
      if (value.empty()) continue;
      first = static_cast<unsigned char>(value[0]);
    } else {
      // The stored first byte is the value's, unless the value is empty.
      const auto* raw = reinterpret_cast<const unsigned char*>(file.rawField(i, field).data());
      if (raw[0] == ' ' && allBlank(raw, raw + d.width)) continue;  // no initial: neither listed nor stopping
      first = raw[0];
    }
    const unsigned char f = lower[first];
    if (f == c) hits.push_back(i);
    if (f > c) break;
  }
  return hits;
}

}  // namespace varnelio
