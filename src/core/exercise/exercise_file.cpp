// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/exercise/exercise_file.h"

#include <array>

#include "core/files/little_endian.h"
#include "core/files/source_file.h"

namespace varnelio {
namespace {

constexpr std::string_view kSignature = "Varnelio exercise\n";
constexpr std::uint32_t kVersion = 1;
constexpr std::string_view kKindTag = "KIND", kTextTag = "TEXT", kKeyTag = "KEY ";
constexpr std::size_t kSectionHeader = 4 + 8;

// The file's numbering of the kinds, fixed whatever order the program lists them in.
constexpr std::array<KindId, kKindCount> kFileKinds = {KindId::NomSg, KindId::NomPl, KindId::AccSg, KindId::AccPl,
                                                       KindId::GenSg, KindId::GenPl, KindId::DatSg, KindId::DatPl,
                                                       KindId::AblSg, KindId::AblPl};

// FNV-1a over pieces, as they are written or read.
class Hash {
 public:
  void add(std::string_view bytes) {
    for (const char c : bytes) {
      h_ ^= static_cast<unsigned char>(c);
      h_ *= 1099511628211ull;
    }
  }
  std::uint64_t value() const { return h_; }

 private:
  std::uint64_t h_ = 1469598103934665603ull;
};

// Hands every piece to the file and to the hash.
class HashingWriter {
 public:
  explicit HashingWriter(ChunkWriter& out) : out_(out) {}
  bool write(std::string_view bytes) {
    hash_.add(bytes);
    ok_ = ok_ && out_.write(bytes);
    return ok_;
  }
  bool section(std::string_view tag, std::string_view payload) {
    std::string header(tag);
    LittleEndianWriter(header).u64(payload.size());
    return write(header) && write(payload);
  }
  std::uint64_t hash() const { return hash_.value(); }

 private:
  ChunkWriter& out_;
  Hash hash_;
  bool ok_ = true;
};

std::string keyPayload(const ExerciseKey& key) {
  std::string out;
  LittleEndianWriter w(out);
  w.u32(static_cast<std::uint32_t>(key.size()));
  std::uint32_t texts = 0;
  for (std::size_t c = 0; c < key.size(); ++c) {
    const Expected e = key.expected(c);
    w.u8(e == Expected::NotGraded ? 0 : e == Expected::NotOne ? 1 : static_cast<std::uint8_t>(1 + key.declension(c)));
    if (!key.teacherText(c).empty()) ++texts;
  }
  w.u32(texts);
  for (std::size_t c = 0; c < key.size(); ++c) {
    const std::string_view text = key.teacherText(c);
    if (text.empty()) continue;
    w.u32(static_cast<std::uint32_t>(c));
    w.bytes(text);
  }
  return out;
}

std::optional<ExerciseKey> readKey(std::string_view payload) {
  LittleEndianReader r(payload);
  const std::uint32_t count = r.u32();
  if (!r.holds(count, 1)) return std::nullopt;
  const std::string_view codes = r.raw(count);
  const std::uint32_t textCount = r.u32();
  if (!r.holds(textCount, 8)) return std::nullopt;
  ExerciseKey key;
  key.reserve(count);
  std::size_t c = 0;
  // Each text joins its candidate's entry: the entries are appended in order.
  const auto addUpTo = [&](std::size_t end, std::string_view text) {
    for (; c < end; ++c) {
      const auto code = static_cast<std::uint8_t>(codes[c]);
      const std::string_view own = c + 1 == end ? text : std::string_view{};
      if (code == 0) {
        if (!own.empty()) return false;  // an ungraded candidate has no text
        key.addNotGraded();
      } else if (code == 1) {
        key.addNotOne(own);
      } else if (code <= 6) {
        key.addNoun(code - 1, own);
      } else {
        return false;
      }
    }
    return true;
  };
  std::int64_t last = -1;
  for (std::uint32_t i = 0; i < textCount; ++i) {
    const std::uint32_t candidate = r.u32();
    const std::string_view text = r.bytes();
    if (!r.ok() || candidate >= count || static_cast<std::int64_t>(candidate) <= last || text.empty())
      return std::nullopt;
    last = candidate;
    if (!addUpTo(std::size_t{candidate} + 1, text)) return std::nullopt;
  }
  if (!addUpTo(count, {}) || !r.ok() || !r.atEnd()) return std::nullopt;
  return key;
}

}  // namespace

std::string describe(ExerciseFileProblem problem) {
  switch (problem) {
    case ExerciseFileProblem::NotAnExercise: return "Ce n'est pas un exercice de Varnelio";
    case ExerciseFileProblem::Damaged: return "Exercice endommag\xC3\xA9 : il est incomplet ou a \xC3\xA9t\xC3\xA9 modifi\xC3\xA9";
    case ExerciseFileProblem::LaterVersion: return "Exercice fait par une version plus r\xC3\xA9" "cente de Varnelio";
    case ExerciseFileProblem::TextAndKeyDisagree:
      return "Exercice endommag\xC3\xA9 : le texte et le corrig\xC3\xA9 ne vont pas ensemble";
  }
  return {};
}

bool writeExercise(ChunkWriter& out, const Exercise& exercise) {
  HashingWriter w(out);
  std::string head(kSignature);
  LittleEndianWriter(head).u32(kVersion);
  w.write(head);
  std::uint8_t kindCode = 0;
  while (kFileKinds[kindCode] != exercise.kindId()) ++kindCode;
  w.section(kKindTag, std::string(1, static_cast<char>(kindCode)));
  w.section(kTextTag, exercise.text());
  w.section(kKeyTag, keyPayload(exercise.key()));
  std::string hash;
  LittleEndianWriter(hash).u64(w.hash());
  return w.write(hash);
}

std::string encodeExercise(const Exercise& exercise) {
  StringChunkWriter out;
  writeExercise(out, exercise);
  return std::move(out.text);
}

std::variant<Exercise, ExerciseFileProblem> decodeExercise(std::string bytes) {
  const std::string_view all(bytes);
  if (all.substr(0, kSignature.size()) != kSignature)
    return !all.empty() && kSignature.starts_with(all) ? ExerciseFileProblem::Damaged : ExerciseFileProblem::NotAnExercise;
  LittleEndianReader head(all.substr(kSignature.size()));
  const std::uint32_t version = head.u32();
  if (!head.ok() || version == 0) return ExerciseFileProblem::Damaged;
  if (version > kVersion) return ExerciseFileProblem::LaterVersion;
  const std::size_t bodyStart = kSignature.size() + 4;
  if (all.size() < bodyStart + 8) return ExerciseFileProblem::Damaged;
  const std::size_t bodyEnd = all.size() - 8;
  Hash hash;
  hash.add(all.substr(0, bodyEnd));
  if (hash.value() != LittleEndianReader(all.substr(bodyEnd)).u64()) return ExerciseFileProblem::Damaged;

  std::optional<std::uint8_t> kindCode;
  std::optional<std::pair<std::size_t, std::size_t>> text;  // where it lies in the bytes
  std::optional<ExerciseKey> key;
  std::size_t at = bodyStart;
  while (at < bodyEnd) {
    if (bodyEnd - at < kSectionHeader) return ExerciseFileProblem::Damaged;
    const std::string_view tag = all.substr(at, 4);
    const std::uint64_t length = LittleEndianReader(all.substr(at + 4, 8)).u64();
    at += kSectionHeader;
    if (length > bodyEnd - at) return ExerciseFileProblem::Damaged;
    const std::string_view payload = all.substr(at, static_cast<std::size_t>(length));
    if (tag == kKindTag) {
      if (kindCode || payload.size() != 1 || static_cast<std::uint8_t>(payload[0]) >= kKindCount)
        return ExerciseFileProblem::Damaged;
      kindCode = static_cast<std::uint8_t>(payload[0]);
    } else if (tag == kTextTag) {
      if (text) return ExerciseFileProblem::Damaged;
      text.emplace(at, payload.size());
    } else if (tag == kKeyTag) {
      if (key || !(key = readKey(payload))) return ExerciseFileProblem::Damaged;
    }  // a section of a later version: skipped
    at += payload.size();
  }
  if (!kindCode || !text || !key) return ExerciseFileProblem::Damaged;
  // The text stays in the bytes read: what precedes and follows it goes.
  bytes.resize(text->first + text->second);
  bytes.erase(0, text->first);
  Exercise exercise(SentenceTable(std::move(bytes)), kFileKinds[*kindCode]);
  if (!exercise.setKey(std::move(*key))) return ExerciseFileProblem::TextAndKeyDisagree;
  return exercise;
}

std::optional<FileError> writeExerciseFile(const std::string& path, const Exercise& exercise) {
  return writeFileAtomically(path, [&](ChunkWriter& out) { return writeExercise(out, exercise); });
}

std::variant<Exercise, FileError> readExerciseFile(const std::string& path) {
  auto read = readWholeFile(path);
  if (auto* err = std::get_if<FileError>(&read)) return *err;
  auto decoded = decodeExercise(std::move(std::get<std::string>(read)));
  if (auto* problem = std::get_if<ExerciseFileProblem>(&decoded)) return FileError{path, describe(*problem)};
  return std::move(std::get<Exercise>(decoded));
}

}  // namespace varnelio
