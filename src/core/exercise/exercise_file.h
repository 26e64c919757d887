// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The exercise file (.exo): one file holds the source text, the kind and the key,
// so that a student needs nothing else.
//
//   "Varnelio exercise\n"   18 bytes, the signature
//   u32 version              1
//   sections, each: a 4-byte ASCII tag, a u64 length, that many bytes
//     "KIND"  u8: the kind, 0 to 9 (nom-sg nom-pl acc-sg acc-pl gen-sg gen-pl
//             dat-sg dat-pl abl-sg abl-pl)
//     "TEXT"  the source text, Windows-1252, as the analysis reads it
//     "KEY "  u32 C, the candidates of the text's scan for the kind; C bytes, one
//             a candidate: 0 not graded, 1 not one, 1 + d a noun of declension d;
//             u32 T, then T teacher's texts: u32 candidate (ascending), u32
//             length, the bytes (Windows-1252); a noun without a text was
//             labelled with the kind's own label
//   u64 the FNV-1a hash of every byte before it
// Integers are little-endian. A later version that only adds sections keeps
// version 1: this reader skips the sections it does not know, and refuses a file
// whose version is above its own. The hash refuses a file cut short or changed,
// and the key must have exactly one entry per candidate the text gives.
#include <optional>
#include <string>
#include <variant>

#include "core/exercise/exercise.h"
#include "core/files/atomic_file.h"
#include "core/files/file_error.h"

namespace varnelio {

enum class ExerciseFileProblem {
  NotAnExercise,       // no signature: another kind of file
  Damaged,             // cut short, changed, or malformed
  LaterVersion,        // made by a later version of the program
  TextAndKeyDisagree,  // the key does not have one entry per candidate of the text
};
// The problem in French, for the line under "cannot open": "Ce n'est pas un
// exercice de Varnelio".
std::string describe(ExerciseFileProblem problem);

// Writes the file's bytes piece by piece (the text is not copied); false once a
// write failed.
bool writeExercise(ChunkWriter& out, const Exercise& exercise);
std::string encodeExercise(const Exercise& exercise);
// Any bytes: an exercise, or why they are none. The bytes are taken so that the
// text is kept where it lies.
std::variant<Exercise, ExerciseFileProblem> decodeExercise(std::string bytes);

// Written atomically: an old file stays whole until the new one is complete.
std::optional<FileError> writeExerciseFile(const std::string& path, const Exercise& exercise);
// A file that cannot be read, or is no exercise, gives the path and the reason.
std::variant<Exercise, FileError> readExerciseFile(const std::string& path);

}  // namespace varnelio
