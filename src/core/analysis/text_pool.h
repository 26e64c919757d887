// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Texts kept once each and named by a 32-bit id. A class labels hundreds of
// thousands of candidates with a few dozen labels ("2 décl. nom. sg. [AA00C]"):
// each row then costs its id, not a string of its own with its own heap block.
// A text stays until the pool is cleared, so that a view of it stays valid as long
// as the pool lives; the owner clears it when it starts afresh.
#include <cstdint>
#include <deque>
#include <string>
#include <string_view>
#include <unordered_map>

namespace varnelio {

class TextPool {
 public:
  TextPool() = default;
  // A copy names its texts by the same ids; its index points into its own texts.
  TextPool(const TextPool& other) : texts_(other.texts_) { reindex(); }
  TextPool& operator=(const TextPool& other) {
    if (this != &other) {
      texts_ = other.texts_;
      reindex();
    }
    return *this;
  }
  // A deque moved keeps its elements where they are: the index's views stay right.
  TextPool(TextPool&&) noexcept = default;
  TextPool& operator=(TextPool&&) noexcept = default;

  std::uint32_t intern(std::string_view text) {
    if (const auto it = ids_.find(text); it != ids_.end()) return it->second;
    const auto id = static_cast<std::uint32_t>(texts_.size());
    texts_.emplace_back(text);
    ids_.emplace(texts_.back(), id);
    return id;
  }
  std::string_view text(std::uint32_t id) const { return texts_[id]; }
  std::size_t size() const { return texts_.size(); }

 private:
  void reindex() {
    ids_.clear();
    for (std::uint32_t id = 0; id < texts_.size(); ++id) ids_.emplace(texts_[id], id);
  }
  std::deque<std::string> texts_;
  std::unordered_map<std::string_view, std::uint32_t> ids_;
};

}  // namespace varnelio
