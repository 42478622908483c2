#include "SaveGIF.h"

#include <QImage>
#include <QSaveFile>

#include <array>

namespace reports {
namespace {

constexpr int kMinCodeSize = 8;
constexpr int kClearCode = 1 << kMinCodeSize;
constexpr int kEndCode = kClearCode + 1;
constexpr int kMaxCodeSize = 12;

void putWord(QByteArray &out, int value)
{
    out.append(static_cast<char>(value & 0xFF));
    out.append(static_cast<char>((value >> 8) & 0xFF));
}

// Packs codes into bytes, low bits first, and the bytes into sub-blocks of at most 255.
class CodeStream {
public:
    explicit CodeStream(QByteArray &out) : m_out(out) {}

    void put(int code, int size)
    {
        m_bits |= static_cast<quint32>(code) << m_count;
        m_count += size;
        while (m_count >= 8) {
            putByte(static_cast<char>(m_bits & 0xFF));
            m_bits >>= 8;
            m_count -= 8;
        }
    }

    void finish()
    {
        if (m_count > 0)
            putByte(static_cast<char>(m_bits & 0xFF));
        m_bits = 0;
        m_count = 0;
        if (!m_block.isEmpty())
            writeBlock();
        m_out.append('\0');
    }

private:
    void putByte(char b)
    {
        m_block.append(b);
        if (m_block.size() == 255)
            writeBlock();
    }

    void writeBlock()
    {
        m_out.append(static_cast<char>(m_block.size()));
        m_out.append(m_block);
        m_block.clear();
    }

    QByteArray &m_out;
    QByteArray m_block;
    quint32 m_bits = 0;
    int m_count = 0;
};

// The dictionary as a trie: each code's first child, its next sibling and the byte it
// adds to its parent.
class LzwEncoder {
public:
    explicit LzwEncoder(CodeStream &stream) : m_stream(stream) {}

    void encode(const QImage &pixels)
    {
        reset();
        int current = -1;
        for (int y = 0; y < pixels.height(); ++y) {
            const uchar *line = pixels.constScanLine(y);
            for (int x = 0; x < pixels.width(); ++x) {
                const int k = line[x];
                if (current < 0)
                    current = k;
                else
                    current = step(current, k);
            }
        }
        m_stream.put(current, m_codeSize);
        m_stream.put(kEndCode, m_codeSize);
        m_stream.finish();
    }

private:
    int step(int current, int k)
    {
        int last = 0;
        for (int child = m_firstChild[current]; child != 0; child = m_nextSibling[child]) {
            if (m_byte[child] == k)
                return child;
            last = child;
        }
        if (m_firstChild[current] == 0)
            m_firstChild[current] = static_cast<quint16>(m_nextCode);
        else
            m_nextSibling[last] = static_cast<quint16>(m_nextCode);
        m_stream.put(current, m_codeSize);
        m_byte[m_nextCode] = static_cast<quint8>(k);
        ++m_nextCode;
        if (m_nextCode > m_limit) {
            if (m_codeSize < kMaxCodeSize) {
                ++m_codeSize;
                m_limit *= 2;
            } else {
                reset();
            }
        }
        return k;
    }

    void reset()
    {
        m_stream.put(kClearCode, m_codeSize);
        m_codeSize = kMinCodeSize + 1;
        m_nextCode = kEndCode + 1;
        m_limit = 1 << m_codeSize;
        m_firstChild.fill(0);
        m_nextSibling.fill(0);
        m_byte.fill(0);
    }

    CodeStream &m_stream;
    std::array<quint16, 4097> m_firstChild{};
    std::array<quint16, 4097> m_nextSibling{};
    std::array<quint8, 4097> m_byte{};
    int m_codeSize = kMinCodeSize + 1;
    int m_nextCode = kEndCode + 1;
    int m_limit = 1 << (kMinCodeSize + 1);
};

} // namespace

bool SaveGIF(const QImage &picture, const QString &fileName)
{
    if (picture.isNull() || picture.depth() < 8)
        return false;
    const int width = picture.width();
    const int height = picture.height();
    if (width < 1 || height < 1 || width > 0xFFFF || height > 0xFFFF)
        return false;
    // Nearest colours without error diffusion, so a white page stays white around its text.
    const QImage pixels = picture.format() == QImage::Format_Indexed8
                              ? picture
                              : picture.convertToFormat(QImage::Format_Indexed8, Qt::ThresholdDither);
    if (pixels.isNull())
        return false;

    QByteArray gif("GIF87a");
    putWord(gif, width);
    putWord(gif, height);
    gif.append(static_cast<char>(0x80 + (kMinCodeSize - 1) * 0x11));
    gif.append('\0'); // background colour index
    gif.append('\0'); // pixel aspect ratio
    const QList<QRgb> palette = pixels.colorTable();
    for (int i = 0; i < 256; ++i) {
        const QRgb c = palette.value(i, qRgb(0, 0, 0));
        gif.append(static_cast<char>(qRed(c)));
        gif.append(static_cast<char>(qGreen(c)));
        gif.append(static_cast<char>(qBlue(c)));
    }
    gif.append(',');
    putWord(gif, 0);
    putWord(gif, 0);
    putWord(gif, width);
    putWord(gif, height);
    gif.append('\0'); // no local colour table, not interlaced
    gif.append(static_cast<char>(kMinCodeSize));
    CodeStream stream(gif);
    LzwEncoder(stream).encode(pixels);
    gif.append(';');

    QSaveFile file(fileName);
    if (!file.open(QIODevice::WriteOnly))
        return false;
    if (file.write(gif) != gif.size()) {
        file.cancelWriting();
        return false;
    }
    return file.commit();
}

} // namespace reports
