#pragma once

#include <QByteArray>
#include <QString>

// Code page 936 (GBK) from a compiled-in table, so texts, widths and pinyin codes never
// depend on the host's converters. Characters the code page lacks become '?', as the
// Windows conversion does.
namespace platform::cp936 {

// The double-byte code of a character (lead byte high), 0 when the character is
// single-byte (below 128) or not in the code page.
quint16 codeOf(char32_t ch);

// True when the character is stored in two bytes (every character at or above 128 that
// the code page holds, and the '?' substitute of one it lacks counts as one byte).
bool isDoubleByte(char32_t ch);

QByteArray encode(const QString &text);
QString decode(const QByteArray &bytes);

} // namespace platform::cp936
