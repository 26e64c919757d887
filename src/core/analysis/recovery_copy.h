// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The recovery copy of an analysis with unsaved changes: enough to show it again
// after a crash. It holds what the analysis was opened on (its kind and family; the
// source text's path and fingerprint; the
// analysis file it saves to) and the grid's own edits, not its rows: a scanned grid
// is the scan of its text plus what was deleted and written, so a book of millions
// of candidates is copied in a few bytes per edit, with every number, analysis and
// alignment mark exact (an analysis file would cut numbers to 16 bits, lose the
// marks and cost 369 bytes a row). The source text itself is copied beside it once.
#include <cstdint>
#include <string>
#include <string_view>
#include <variant>

#include "core/analysis/analysis_kind.h"
#include "core/analysis/candidate_grid.h"

namespace varnelio {

struct RecoveryHeader {
  KindId kind = KindId::AccSg;
  Family family = Family::New;
  std::string sourcePath;    // UTF-8
  std::uint64_t sourceFingerprint = 0;
  std::uint64_t sourceSize = 0;
  std::string analysisPath;  // the remembered analysis file, UTF-8; empty when none
  std::int64_t copiedAt = 0;  // seconds since 1970, UTC
  bool operator==(const RecoveryHeader&) const = default;
};

struct RecoveryCopy {
  RecoveryHeader header;
  CandidateGrid::Edits edits;
};

enum class RecoveryCopyError {
  Damaged,       // cut short, or bytes that are not a copy
  OtherVersion,  // a copy in a format this program does not know
};

std::string encodeRecoveryCopy(const RecoveryHeader& header, const CandidateGrid::Edits& edits);
std::variant<RecoveryCopy, RecoveryCopyError> decodeRecoveryCopy(std::string_view bytes);

// A 64-bit fingerprint of a text (FNV-1a): tells whether a source changed.
std::uint64_t textFingerprint(std::string_view text);

}  // namespace varnelio
