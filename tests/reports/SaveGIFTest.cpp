#include "reports/SaveGIF.h"

#include "TempFolder.h"

#include <QDir>
#include <QFile>
#include <QImage>
#include <QProcess>

#include <gtest/gtest.h>

#include <random>

namespace {

QByteArray readAll(const QString &path)
{
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

int word(const QByteArray &b, int at)
{
    return static_cast<uchar>(b[at]) | static_cast<uchar>(b[at + 1]) << 8;
}

constexpr int kImageData = 6 + 7 + 768 + 1 + 9 + 1; // where the first sub-block starts

struct ImageData {
    QList<int> blockLengths;
    QByteArray bytes;
    int end = 0; // offset after the block terminator
};

ImageData imageData(const QByteArray &gif)
{
    ImageData d;
    int pos = kImageData;
    while (pos < gif.size() && gif[pos] != 0) {
        const int len = static_cast<uchar>(gif[pos]);
        d.blockLengths.append(len);
        d.bytes += gif.mid(pos + 1, len);
        pos += 1 + len;
    }
    d.end = pos + 1;
    return d;
}

struct Code {
    int code;
    int size;
};

// Reads the codes back with the code-size rules of a GIF decoder.
QList<Code> readCodes(const QByteArray &bytes)
{
    QList<Code> codes;
    int size = 9, next = 258, bitPos = 0;
    bool first = true;
    while (bitPos + size <= bytes.size() * 8) {
        int code = 0;
        for (int i = 0; i < size; ++i, ++bitPos)
            code |= ((static_cast<uchar>(bytes[bitPos / 8]) >> (bitPos % 8)) & 1) << i;
        codes.append({code, size});
        if (code == 256) {
            size = 9;
            next = 258;
            first = true;
        } else if (code == 257) {
            break;
        } else if (first) {
            first = false;
        } else if (next < 4096 && ++next >= (1 << size) && size < 12) {
            ++size;
        }
    }
    return codes;
}

QImage indexed(int width, int height, int colours)
{
    QImage img(width, height, QImage::Format_Indexed8);
    QList<QRgb> table;
    for (int i = 0; i < colours; ++i)
        table.append(qRgb(i, 255 - i, (i * 7) & 0xFF));
    img.setColorTable(table);
    return img;
}

TEST(SaveGIF, TwoPixelsGiveTheExactFile)
{
    TempFolder dir;
    QImage img = indexed(2, 1, 2);
    img.setPixel(0, 0, 0);
    img.setPixel(1, 0, 1);
    const QString file = dir.file(QStringLiteral("two.gif"));
    ASSERT_TRUE(reports::SaveGIF(img, file));
    const QByteArray gif = readAll(file);

    ASSERT_EQ(gif.size(), 800);
    EXPECT_EQ(gif.left(6), QByteArray("GIF87a"));
    EXPECT_EQ(word(gif, 6), 2);
    EXPECT_EQ(word(gif, 8), 1);
    EXPECT_EQ(static_cast<uchar>(gif[10]), 0xF7);
    EXPECT_EQ(gif.mid(11, 2), QByteArray(2, '\0'));
    EXPECT_EQ(gif.mid(13, 6), QByteArray::fromHex("00ff00" "01fe07"));
    EXPECT_EQ(gif.mid(19, 768 - 6), QByteArray(768 - 6, '\0')); // unused entries
    EXPECT_EQ(gif.mid(781, 11), QByteArray::fromHex("2c" "0000" "0000" "0200" "0100" "00" "08"));
    EXPECT_EQ(gif.mid(792), QByteArray::fromHex("05" "0001040808" "00" "3b"));
}

TEST(SaveGIF, NoiseReachesTwelveBitsAndClearsAndReadsBack)
{
    TempFolder dir;
    QImage img = indexed(150, 120, 256);
    std::mt19937 random(7);
    for (int y = 0; y < img.height(); ++y)
        for (int x = 0; x < img.width(); ++x)
            img.setPixel(x, y, static_cast<uint>(random() % 256));
    const QString file = dir.file(QStringLiteral("noise.gif"));
    ASSERT_TRUE(reports::SaveGIF(img, file));
    const QByteArray gif = readAll(file);

    const ImageData data = imageData(gif);
    ASSERT_GT(data.blockLengths.size(), 2);
    for (int i = 0; i + 1 < data.blockLengths.size(); ++i)
        ASSERT_EQ(data.blockLengths[i], 255) << "sub-block " << i;
    EXPECT_GT(data.blockLengths.last(), 0);
    EXPECT_EQ(gif.mid(data.end), QByteArray(";"));

    const QList<Code> codes = readCodes(data.bytes);
    ASSERT_FALSE(codes.isEmpty());
    EXPECT_EQ(codes.first().code, 256);
    EXPECT_EQ(codes.last().code, 257);
    int clears = 0, widest = 0;
    for (int i = 1; i < codes.size(); ++i) {
        widest = std::max(widest, codes[i].size);
        if (codes[i].code == 256) {
            ++clears;
            EXPECT_EQ(codes[i].size, 12);
            EXPECT_EQ(codes[i + 1].size, 9);
        }
    }
    EXPECT_EQ(widest, 12);
    EXPECT_GE(clears, 2);

    QImage back(file);
    ASSERT_FALSE(back.isNull());
    ASSERT_EQ(back.size(), img.size());
    for (int y = 0; y < img.height(); ++y)
        for (int x = 0; x < img.width(); ++x)
            ASSERT_EQ(back.pixel(x, y), img.pixel(x, y)) << x << "," << y;

    QProcess gif2rgb;
    gif2rgb.start(QStringLiteral("gif2rgb"), {QStringLiteral("-1"), QStringLiteral("-o"),
                                              dir.file(QStringLiteral("noise.rgb")), file});
    ASSERT_TRUE(gif2rgb.waitForFinished()) << "giflib-tools missing (scripts/packages.sh installs it)";
    EXPECT_EQ(gif2rgb.exitCode(), 0);
    EXPECT_EQ(gif2rgb.readAllStandardError(), QByteArray());
    EXPECT_EQ(QFile(dir.file(QStringLiteral("noise.rgb"))).size(), 150 * 120 * 3);
}

TEST(SaveGIF, ColourPictureIsReducedToAPalette)
{
    TempFolder dir;
    QImage img(400, 30, QImage::Format_RGB32); // more colours than a palette holds
    img.fill(Qt::white);
    for (int x = 0; x < 400; ++x) {
        img.setPixel(x, 2, qRgb(x % 256, (x * 3) % 256, 255 - x % 256));
        img.setPixel(x, 10, qRgb(255, 0, 0));
        img.setPixel(x, 20, qRgb(0, 0, 255));
    }
    const QString file = dir.file(QStringLiteral("page.gif"));
    ASSERT_TRUE(reports::SaveGIF(img, file));
    const QImage back(file);
    ASSERT_EQ(back.size(), img.size());
    EXPECT_EQ(back.pixel(3, 10), qRgb(255, 0, 0));
    EXPECT_EQ(back.pixel(3, 20), qRgb(0, 0, 255));
    for (int y = 4; y < 30; y += 2) { // the white page stays white, without dithering dots
        if (y == 10 || y == 20)
            continue;
        for (int x = 0; x < 400; ++x)
            ASSERT_EQ(back.pixel(x, y), qRgb(255, 255, 255)) << x << "," << y;
    }
}

TEST(SaveGIF, RefusalsLeaveNoFile)
{
    TempFolder dir;
    QImage mono(8, 8, QImage::Format_Mono);
    mono.fill(0);
    const struct {
        const char *what;
        QImage picture;
        QString file;
    } cases[] = {
        {"empty picture", QImage(), dir.file(QStringLiteral("a.gif"))},
        {"1 bit a pixel", mono, dir.file(QStringLiteral("b.gif"))},
        {"wider than 65535", indexed(65536, 1, 2), dir.file(QStringLiteral("c.gif"))},
        {"folder missing", indexed(2, 2, 2), dir.file(QStringLiteral("missing/d.gif"))},
    };
    for (const auto &c : cases) {
        EXPECT_FALSE(reports::SaveGIF(c.picture, c.file)) << c.what;
        EXPECT_FALSE(QFile::exists(c.file)) << c.what;
    }
    EXPECT_EQ(QDir(dir.path()).entryList(QDir::Files | QDir::NoDotAndDotDot), QStringList());
}

} // namespace
