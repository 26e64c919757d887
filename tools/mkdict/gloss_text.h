// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The glosses of the Collatinus lexicon as a reader should see them: its HTML
// character references decoded, its homograph numbers taken out, and its English
// glosses told from its French ones.
#include <string>
#include <string_view>

namespace varnelio::mkdict {

// "&oelig;", "&AElig;", "&eacute;", "&mdash;", "&#233;", "&#xE9;"... as the
// characters they stand for (UTF-8 in, UTF-8 out). A reference this does not know
// stays as it is written.
std::string decodeHtmlEntities(std::string_view utf8);

// The lexicon numbers the lemmas that share a spelling ("Pallas2") and writes the
// numbers into some glosses ("Pallas2 (père d'une certaine Minerve...)"): digits
// right after a letter, ending a word, are taken out. Windows-1252 or UTF-8.
std::string withoutHomographNumbers(std::string_view text);

// Whether a gloss (Windows-1252) is English rather than French: it holds more
// words that only the English word list has than words that only the French one
// has (gloss_language_words.h, derived from Debian's wamerican and wfrench). A word
// that both lists have, a name, an abbreviation before its full stop tell nothing;
// a gloss that nothing tells is French, the lexicon's language.
bool looksEnglish(std::string_view translation);

}  // namespace varnelio::mkdict
