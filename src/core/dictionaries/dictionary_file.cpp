#include "core/dictionaries/dictionary_file.h"

#include <algorithm>
#include <cerrno>
#include <cstring>

#include "core/analysis/candidate_grid.h"
#include "core/text/cp1252.h"
#include "core/text/source_text.h"

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
    const bool missing = err->reason == describeErrno(ENOENT);
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
  const auto u = static_cast<std::uint16_t>(spareInt);
  rec[0] = static_cast<char>(u & 0xFF);
  rec[1] = static_cast<char>(u >> 8);
  for (std::size_t f = 0; f < layout.fields.size() && f < fields.size(); ++f) {
    const DictionaryField& d = layout.fields[f];
    // copy_n, not memcpy: an empty view may hold no pointer at all.
    std::copy_n(fields[f].data(), std::min(d.width, fields[f].size()), rec.data() + d.offset);
  }
  std::copy_n(spareText.data(), std::min(layout.spareTextWidth, spareText.size()), rec.data() + layout.spareTextOffset);
  return rec;
}

std::vector<std::size_t> findByPrefix(const DictionaryFile& file, std::size_t field, std::string_view text) {
  const std::string wanted = cp1252::toLower(text);
  std::vector<std::size_t> hits;
  for (std::size_t i = 0; i < file.count(); ++i) {
    const std::string_view value = file.field(i, field);
    const std::string_view prefix = value.substr(0, std::min(value.size(), wanted.size()));
    if (cp1252::equalsIgnoringCase(prefix, wanted)) hits.push_back(i);
  }
  return hits;
}

std::vector<std::size_t> findExact(const DictionaryFile& file, std::size_t field, std::string_view text) {
  std::vector<std::size_t> hits;
  for (std::size_t i = 0; i < file.count(); ++i)
    if (cp1252::equalsIgnoringCase(file.field(i, field), text)) hits.push_back(i);
  return hits;
}

std::vector<std::size_t> findByLetter(const DictionaryFile& file, std::size_t field, char letter) {
  const auto c = static_cast<unsigned char>(letter);
  std::vector<std::size_t> hits;
  for (std::size_t i = 0; i < file.count(); ++i) {
    const std::string_view value = file.field(i, field);
    if (value.empty()) continue;  // an empty headword has no initial: neither listed nor stopping
    const unsigned char f = cp1252::toLower(static_cast<unsigned char>(value[0]));
    if (f == c) hits.push_back(i);
    if (f > c) break;
  }
  return hits;
}

}  // namespace varnelio
