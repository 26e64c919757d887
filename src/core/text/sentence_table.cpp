// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/text/sentence_table.h"

#include <algorithm>
#include <charconv>
#include <cstring>

#include "core/text/trim.h"

namespace varnelio {

std::size_t SentenceTable::forEachSentence(std::string_view text, const SentenceSink& sink) {
  std::size_t start = 0;
  std::size_t count = 0;
  const char* data = text.data();
  const std::size_t size = text.size();
  while (start < size) {
    const void* dot = std::memchr(data + start, '.', size - start);
    if (!dot) break;
    const std::size_t end = static_cast<std::size_t>(static_cast<const char*>(dot) - data) + 1;
    ++count;
    if (sink) sink(text.substr(start, end - start), static_cast<std::int64_t>(count));
    start = end;
  }
  return count;
}

std::size_t SentenceTable::countSentences(std::string_view text) {
  return static_cast<std::size_t>(std::count(text.begin(), text.end(), '.'));
}

SentenceTable::SentenceTable(std::string text, const SentenceSink& sink) {
  auto data = std::make_shared<Data>(std::move(text));
  // Sized once: the table of a library never holds two buffers at once.
  data->ends.reserve(countSentences(data->text));
  std::size_t start = 0;
  forEachSentence(data->text, [&](std::string_view s, std::int64_t n) {
    start += s.size();
    data->ends.push_back(start);
    if (sink) sink(s, n);
  });
  data_ = std::move(data);
}

const std::string& SentenceTable::text() const {
  static const std::string kEmpty;
  return data_ ? data_->text : kEmpty;
}

std::optional<std::string_view> SentenceTable::sentence(std::int64_t n) const {
  if (n < 1 || static_cast<std::uint64_t>(n) > slotCount()) return std::nullopt;
  const auto i = static_cast<std::size_t>(n - 1);
  if (i >= sentenceCount()) return std::string_view{};
  const Ends& ends = data_->ends;
  const std::size_t begin = i == 0 ? 0 : ends.at(i - 1);
  return std::string_view(data_->text).substr(begin, ends.at(i) - begin);
}

std::optional<std::int64_t> parseSentenceNumber(std::string_view text) {
  text = trimBlanks(text);
  if (!text.empty() && text.front() == '+') {
    text.remove_prefix(1);
    if (!text.empty() && text.front() == '-') return std::nullopt;
  }
  if (text.empty()) return std::nullopt;
  std::int64_t n = 0;
  const auto [end, ec] = std::from_chars(text.data(), text.data() + text.size(), n);
  if (ec != std::errc() || end != text.data() + text.size()) return std::nullopt;
  return n;
}

}  // namespace varnelio
