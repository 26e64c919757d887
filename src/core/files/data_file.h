// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The compiled data files the program loads whole (analyseur.dat, etiqueteur.dat,
// juge.dat): one way to read them and to say what went wrong, the same for every
// file, the windows and the command line.
#include <cstdint>
#include <string>
#include <string_view>
#include <utility>
#include <variant>

#include "core/files/file_error.h"
#include "core/files/source_file.h"

namespace varnelio {

enum class DataFileStatus {
  Loaded,
  Missing,     // no such file
  Unreadable,  // there, but it cannot be read (error() says why)
  Invalid,     // read, but not a whole file of its kind (any bytes are survived)
};

// A data file's fingerprint (64-bit FNV-1a of its bytes): a file built from
// another records it, and is refused beside any other.
inline std::uint64_t fingerprintOf(std::string_view bytes) {
  std::uint64_t h = 0xCBF29CE484222325ull;
  for (const char c : bytes) h = (h ^ static_cast<unsigned char>(c)) * 0x100000001B3ull;
  return h;
}

// The base of a class read from a data file. T provides a public default
// constructor, `static T fromBytes(std::string)` (which sets status_ to Loaded or
// Invalid) and `static constexpr std::string_view kNotThisFile`, the reason given
// for bytes that are not such a file.
template <typename T>
class LoadedFromFile {
 public:
  using Status = DataFileStatus;

  DataFileStatus status() const { return status_; }
  const FileError& error() const { return error_; }

  static T load(const std::string& path) {
    auto read = readWholeFile(path);
    if (auto* err = std::get_if<FileError>(&read)) {
      T failed;
      failed.status_ = isMissingFile(*err) ? DataFileStatus::Missing : DataFileStatus::Unreadable;
      failed.error_ = *err;
      return failed;
    }
    T loaded = T::fromBytes(std::move(std::get<std::string>(read)));
    if (loaded.status_ == DataFileStatus::Invalid) loaded.error_ = {path, std::string(T::kNotThisFile)};
    return loaded;
  }

 protected:
  DataFileStatus status_ = DataFileStatus::Missing;
  FileError error_;
};

}  // namespace varnelio
