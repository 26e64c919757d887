// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The source text as Windows-1252 bytes, whatever encoding its file was in.
#include <string>

namespace varnelio {

// Turns the bytes of a source file into the Windows-1252 text the analysis works on.
// Most Latin texts found today are UTF-8, which read as Windows-1252 would cut
// "poëta" into "poÃ" and "ta". A file that is valid UTF-8 and either starts with the
// UTF-8 byte-order mark or holds at least one multi-byte sequence is decoded as
// UTF-8 (the mark dropped) and re-encoded, characters the code page cannot hold
// becoming '?'. Every other file is taken byte for byte.
std::string decodeSourceBytes(std::string bytes);

}  // namespace varnelio
