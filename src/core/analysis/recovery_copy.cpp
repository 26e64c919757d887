// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/analysis/recovery_copy.h"

#include <optional>

#include "core/files/little_endian.h"

namespace varnelio {
namespace {

constexpr std::string_view kMagic = "Varnelio recovery copy\n";
// Version 1 named the window a copy came from; version 2 names its kind and family.
// A copy of another version is left for the program that wrote it.
constexpr std::uint32_t kFormatVersion = 2;

}  // namespace

std::uint64_t textFingerprint(std::string_view text) {
  std::uint64_t h = 1469598103934665603ull;
  for (const char c : text) {
    h ^= static_cast<unsigned char>(c);
    h *= 1099511628211ull;
  }
  return h;
}

std::string encodeRecoveryCopy(const RecoveryHeader& header, const CandidateGrid::Edits& edits) {
  std::string out(kMagic);
  LittleEndianWriter w(out);
  w.u32(kFormatVersion);
  w.u8(static_cast<std::uint8_t>(header.kind));
  w.u8(static_cast<std::uint8_t>(header.family));
  w.bytes(header.sourcePath);
  w.u64(header.sourceFingerprint);
  w.u64(header.sourceSize);
  w.bytes(header.analysisPath);
  w.i64(header.copiedAt);
  w.u8(edits.scanned ? 1 : 0);
  w.u32(edits.sourceCount);
  w.u32(static_cast<std::uint32_t>(edits.deleted.size()));
  for (const std::uint32_t d : edits.deleted) w.u32(d);
  w.u32(static_cast<std::uint32_t>(edits.textRows.size()));
  for (const CandidateGrid::TextRow& row : edits.textRows) {
    w.i32(row.number);
    w.bytes(row.sentence);
    w.bytes(row.form);
  }
  w.u32(static_cast<std::uint32_t>(edits.analyses.size()));
  for (const auto& [index, text] : edits.analyses) {
    w.u32(index);
    w.bytes(text);
  }
  w.u32(static_cast<std::uint32_t>(edits.aligned.size()));
  for (const std::uint32_t a : edits.aligned) w.u32(a);
  w.u32(static_cast<std::uint32_t>(edits.proposals.size()));
  for (const auto& [index, p] : edits.proposals) {
    w.u32(index);
    w.u8(p.declension);
    w.u8(static_cast<std::uint8_t>(p.level));
    w.u8(p.confidence);
  }
  // The fingerprint of all that precedes: a copy cut short or changed is refused.
  w.u64(textFingerprint(out));
  return out;
}

std::variant<RecoveryCopy, RecoveryCopyError> decodeRecoveryCopy(std::string_view bytes) {
  if (bytes.substr(0, kMagic.size()) != kMagic) return RecoveryCopyError::Damaged;
  LittleEndianReader r(bytes.substr(kMagic.size()));
  const std::uint32_t version = r.u32();
  if (!r.ok()) return RecoveryCopyError::Damaged;
  if (version != kFormatVersion) return RecoveryCopyError::OtherVersion;
  if (bytes.size() < kMagic.size() + 8 ||
      textFingerprint(bytes.substr(0, bytes.size() - 8)) !=
          LittleEndianReader(bytes.substr(bytes.size() - 8)).u64())
    return RecoveryCopyError::Damaged;
  RecoveryCopy copy;
  RecoveryHeader& h = copy.header;
  const std::uint8_t kind = r.u8();
  const std::uint8_t family = r.u8();
  if (kind >= kKindCount || family > static_cast<std::uint8_t>(Family::Existing)) return RecoveryCopyError::Damaged;
  h.kind = static_cast<KindId>(kind);
  h.family = static_cast<Family>(family);
  h.sourcePath = r.bytes();
  h.sourceFingerprint = r.u64();
  h.sourceSize = r.u64();
  h.analysisPath = r.bytes();
  h.copiedAt = r.i64();
  CandidateGrid::Edits& e = copy.edits;
  e.scanned = r.u8() != 0;
  e.sourceCount = r.u32();
  // Counts are checked against the bytes left before anything is reserved, so that
  // a damaged count cannot ask for gigabytes.
  const auto count = [&r](std::size_t leastBytesEach) -> std::optional<std::uint32_t> {
    const std::uint32_t n = r.u32();
    if (!r.ok() || n > r.remaining() / leastBytesEach) return std::nullopt;
    return n;
  };
  std::optional<std::uint32_t> n = count(4);
  if (!n) return RecoveryCopyError::Damaged;
  e.deleted.reserve(*n);
  for (std::uint32_t i = 0; i < *n; ++i) e.deleted.push_back(r.u32());
  if (!(n = count(12))) return RecoveryCopyError::Damaged;
  e.textRows.reserve(*n);
  for (std::uint32_t i = 0; i < *n; ++i) {
    CandidateGrid::TextRow row;
    row.number = r.i32();
    row.sentence = r.bytes();
    row.form = r.bytes();
    e.textRows.push_back(std::move(row));
  }
  if (!(n = count(8))) return RecoveryCopyError::Damaged;
  e.analyses.reserve(*n);
  for (std::uint32_t i = 0; i < *n; ++i) {
    const std::uint32_t index = r.u32();
    e.analyses.emplace_back(index, std::string(r.bytes()));
  }
  if (!(n = count(4))) return RecoveryCopyError::Damaged;
  e.aligned.reserve(*n);
  for (std::uint32_t i = 0; i < *n; ++i) e.aligned.push_back(r.u32());
  if (!(n = count(7))) return RecoveryCopyError::Damaged;
  e.proposals.reserve(*n);
  for (std::uint32_t i = 0; i < *n; ++i) {
    const std::uint32_t index = r.u32();
    Proposal p;
    p.declension = r.u8();
    const std::uint8_t level = r.u8();
    p.confidence = r.u8();
    if (level > static_cast<std::uint8_t>(ProposalLevel::Doubtful) || p.confidence > 100)
      return RecoveryCopyError::Damaged;
    p.level = static_cast<ProposalLevel>(level);
    e.proposals.emplace_back(index, p);
  }
  r.u64();
  if (!r.ok() || !r.atEnd()) return RecoveryCopyError::Damaged;
  return copy;
}

}  // namespace varnelio
