#include "CodePage936.h"

#include <algorithm>
#include <array>
#include <unordered_map>

#include <QList>

namespace platform::cp936 {
namespace {

struct Pair {
    quint16 unicode;
    quint16 code;
};

constexpr Pair kTable[] = {
#include "cp936_table.inc"
};

const std::unordered_map<quint16, quint16> &reverseTable()
{
    static const std::unordered_map<quint16, quint16> table = [] {
        std::unordered_map<quint16, quint16> t;
        t.reserve(std::size(kTable));
        for (const Pair &p : kTable)
            t.emplace(p.code, p.unicode);
        return t;
    }();
    return table;
}

} // namespace

quint16 codeOf(char32_t ch)
{
    if (ch < 0x80 || ch > 0xFFFF)
        return 0;
    const auto it = std::lower_bound(std::begin(kTable), std::end(kTable), ch,
                                     [](const Pair &p, char32_t c) { return p.unicode < c; });
    return (it != std::end(kTable) && it->unicode == ch) ? it->code : 0;
}

bool isDoubleByte(char32_t ch)
{
    return codeOf(ch) != 0;
}

QByteArray encode(const QString &text)
{
    QByteArray out;
    out.reserve(text.size() * 2);
    for (char32_t ch : text.toUcs4()) {
        if (ch < 0x80) {
            out.append(static_cast<char>(ch));
        } else if (const quint16 code = codeOf(ch)) {
            out.append(static_cast<char>(code >> 8));
            out.append(static_cast<char>(code & 0xFF));
        } else {
            out.append('?');
        }
    }
    return out;
}

QString decode(const QByteArray &bytes)
{
    QString out;
    out.reserve(bytes.size());
    const auto &rev = reverseTable();
    for (qsizetype i = 0; i < bytes.size(); ++i) {
        const auto b = static_cast<unsigned char>(bytes[i]);
        if (b < 0x80) {
            out.append(QChar(static_cast<char16_t>(b)));
            continue;
        }
        if (i + 1 < bytes.size()) {
            const auto code = static_cast<quint16>(b << 8 | static_cast<unsigned char>(bytes[i + 1]));
            if (const auto it = rev.find(code); it != rev.end()) {
                out.append(QChar(it->second));
                ++i;
                continue;
            }
        }
        out.append(QChar(0xFFFD));
    }
    return out;
}

} // namespace platform::cp936
