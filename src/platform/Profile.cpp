#include "Profile.h"

#include "CodePage936.h"

#include <QFile>
#include <QFileInfo>
#include <QSaveFile>
#include <QStringList>

namespace platform::profile {
namespace {

// The file as lines without their endings; false when it exists but cannot be read.
bool loadLines(const QString &file, QStringList &lines, bool &exists)
{
    QFile f(file);
    exists = f.exists();
    if (!exists)
        return true;
    if (!f.open(QIODevice::ReadOnly))
        return false;
    QByteArray bytes = f.readAll();
    if (bytes.endsWith('\n'))
        bytes.chop(1);
    if (bytes.endsWith('\r'))
        bytes.chop(1);
    if (bytes.isEmpty())
        return true;
    for (QByteArray line : bytes.split('\n')) {
        if (line.endsWith('\r'))
            line.chop(1);
        lines.append(cp936::decode(line));
    }
    return true;
}

QString sectionName(const QString &line)
{
    const QString t = line.trimmed();
    if (!t.startsWith(u'[') )
        return QString();
    const qsizetype close = t.indexOf(u']');
    return close < 0 ? t.mid(1).trimmed() : t.mid(1, close - 1).trimmed();
}

bool isSection(const QString &line)
{
    return line.trimmed().startsWith(u'[');
}

// Key of a key=value line; empty for comments and lines without '='.
QString keyName(const QString &line)
{
    const QString t = line.trimmed();
    if (t.isEmpty() || t.startsWith(u';'))
        return QString();
    const qsizetype eq = t.indexOf(u'=');
    return eq < 0 ? QString() : t.left(eq).trimmed();
}

bool same(const QString &a, const QString &b)
{
    return a.compare(b, Qt::CaseInsensitive) == 0;
}

// Index of the section's header line, or -1.
qsizetype findSection(const QStringList &lines, const QString &section)
{
    for (qsizetype i = 0; i < lines.size(); ++i)
        if (isSection(lines[i]) && same(sectionName(lines[i]), section))
            return i;
    return -1;
}

// Cuts text so that its code-page-936 form fits maxBytes, never splitting a character.
QString cutToBytes(const QString &text, int maxBytes, bool &cut)
{
    int bytes = 0;
    QString out;
    cut = false;
    for (char32_t ch : text.toUcs4()) {
        const int size = cp936::isDoubleByte(ch) ? 2 : 1;
        if (bytes + size > maxBytes) {
            cut = true;
            break;
        }
        bytes += size;
        out.append(QString::fromUcs4(&ch, 1));
    }
    return out;
}

} // namespace

QString read(const QString &file, const QString &section, const QString &key,
             const QString &defaultValue, int bufferSize, bool *truncated)
{
    QString value = defaultValue;
    QStringList lines;
    bool exists = false;
    if (loadLines(file, lines, exists) && exists) {
        const qsizetype header = findSection(lines, section);
        if (header >= 0) {
            for (qsizetype i = header + 1; i < lines.size() && !isSection(lines[i]); ++i) {
                if (same(keyName(lines[i]), key)) {
                    value = lines[i].mid(lines[i].indexOf(u'=') + 1);
                    break;
                }
            }
        }
    }
    value = value.trimmed();
    if (value.size() >= 2 && ((value.startsWith(u'"') && value.endsWith(u'"'))
                              || (value.startsWith(u'\'') && value.endsWith(u'\''))))
        value = value.mid(1, value.size() - 2);
    bool cut = false;
    value = cutToBytes(value, bufferSize > 0 ? bufferSize - 1 : 0, cut);
    if (truncated)
        *truncated = cut;
    return value;
}

bool write(const QString &file, const QString &section, const QString &key, const QString &value)
{
    if (section.trimmed().isEmpty() || key.trimmed().isEmpty())
        return false;
    QStringList lines;
    bool exists = false;
    if (!loadLines(file, lines, exists))
        return false;
    if (exists && !QFileInfo(file).isFile())
        return false;

    const qsizetype header = findSection(lines, section);
    if (header < 0) {
        lines.append(u'[' + section + u']');
        lines.append(key + u'=' + value);
    } else {
        qsizetype end = header + 1;
        qsizetype found = -1;
        for (; end < lines.size() && !isSection(lines[end]); ++end)
            if (found < 0 && same(keyName(lines[end]), key))
                found = end;
        if (found >= 0) {
            lines[found] = keyName(lines[found]) + u'=' + value;
        } else {
            qsizetype at = end;
            while (at > header + 1 && lines[at - 1].trimmed().isEmpty())
                --at;
            lines.insert(at, key + u'=' + value);
        }
    }

    QByteArray bytes;
    for (const QString &line : std::as_const(lines)) {
        bytes += cp936::encode(line);
        bytes += "\r\n";
    }
    QSaveFile out(file);
    if (!out.open(QIODevice::WriteOnly))
        return false;
    out.write(bytes);
    return out.commit();
}

} // namespace platform::profile
