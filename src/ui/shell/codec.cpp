// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/shell/codec.h"

#include <QFile>

#include "core/text/cp1252.h"

namespace varnelio::ui {

QString toQString(std::string_view text) {
  QString out(static_cast<qsizetype>(text.size()), Qt::Uninitialized);
  QChar* dst = out.data();
  for (char c : text) *dst++ = QChar(static_cast<char16_t>(cp1252::toUnicode(static_cast<unsigned char>(c))));
  return out;
}

namespace {

// Converts text, stopping at the first character the code page cannot hold when
// asked to; returns where that character starts, or -1.
qsizetype convert(const QString& text, std::string& out, bool stopAtUnstorable) {
  out.reserve(static_cast<std::size_t>(text.size()));
  for (qsizetype i = 0; i < text.size(); ++i) {
    const qsizetype start = i;
    const QChar ch = text.at(i);
    char32_t cp = ch.unicode();
    if (ch.isHighSurrogate() && i + 1 < text.size() && text.at(i + 1).isLowSurrogate()) {
      cp = QChar::surrogateToUcs4(ch, text.at(i + 1));
      ++i;
    }
    // A typed "rosā", or "rosa" followed by a combining macron, is "rosa".
    auto* previous = out.empty() ? nullptr : reinterpret_cast<unsigned char*>(&out.back());
    if (previous && cp1252::absorbCombiningMark(*previous, cp)) continue;
    const unsigned char byte = cp1252::fromUnicode(cp);
    if (stopAtUnstorable && byte == '?' && cp != U'?') return start;
    out.push_back(static_cast<char>(byte));
  }
  return -1;
}

}  // namespace

std::string fromQString(const QString& text) {
  std::string out;
  convert(text, out, false);
  return out;
}

QString firstUnstorable(const QString& text) {
  std::string out;
  const qsizetype at = convert(text, out, true);
  if (at < 0) return {};
  return text.mid(at, text.at(at).isHighSurrogate() && at + 1 < text.size() ? 2 : 1);
}

std::string toLocalPath(const QString& path) { return QFile::encodeName(path).toStdString(); }

}  // namespace varnelio::ui
