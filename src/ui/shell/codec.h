// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The one conversion between the core's Windows-1252 bytes and Qt's strings. Every
// byte maps to exactly one UTF-16 unit, so positions agree on both sides and a byte
// survives the round trip. Going back, a letter with marks the code page lacks is
// read as the letter (cp1252::fromUnicode, cp1252::absorbCombiningMark); anything
// else it cannot hold comes back as '?'.
#include <QString>
#include <string>
#include <string_view>

namespace varnelio::ui {

QString toQString(std::string_view cp1252Text);
std::string fromQString(const QString& text);
// The first character of text that Windows-1252 cannot hold (one that fromQString
// would turn into '?'), or an empty string when it holds them all.
QString firstUnstorable(const QString& text);
// For file-system paths, which are not Windows-1252 content.
std::string toLocalPath(const QString& path);
// For texts the core keeps in UTF-8 (captions, titles, file errors).
inline QString fromUtf8(std::string_view utf8) {
  return QString::fromUtf8(utf8.data(), static_cast<qsizetype>(utf8.size()));
}

}  // namespace varnelio::ui
