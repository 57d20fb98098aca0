#include "tools/samplevideo/SampleVideo.h"

#include <QImage>
#include <QPainter>
#include <QtEndian>

#include <cstring>

namespace {

// FLV tag types and the first byte of a video tag: key frame, screen video codec.
constexpr quint8 TAG_VIDEO = 9;
constexpr quint8 TAG_SCRIPT = 18;
constexpr quint8 SCREEN_VIDEO_KEY_FRAME = 0x13;
constexpr int SCREEN_VIDEO_CODEC_ID = 3;
constexpr int HEADER_SIZE = 9;
constexpr int TAG_HEADER_SIZE = 11;
constexpr int TAG_TRAILER_SIZE = 4;
// Screen video blocks are multiples of 16 pixels wide and high.
constexpr int BLOCK_SIZE = 64;

class Writer
{
public:
    QByteArray data;

    void u8(quint8 v) { data.append(char(v)); }
    void u16(quint16 v)
    {
        u8(quint8(v >> 8));
        u8(quint8(v));
    }
    void u24(quint32 v)
    {
        u8(quint8(v >> 16));
        u16(quint16(v));
    }
    void u32(quint32 v)
    {
        u16(quint16(v >> 16));
        u16(quint16(v));
    }
    void bytes(const QByteArray& b) { data.append(b); }

    // AMF0 values of the script tag.
    void amfName(const QByteArray& name)
    {
        u16(quint16(name.size()));
        bytes(name);
    }
    void amfString(const QByteArray& text)
    {
        u8(0x02);
        amfName(text);
    }
    void amfNumber(double value)
    {
        u8(0x00);
        quint64 bits = 0;
        std::memcpy(&bits, &value, sizeof bits);
        bits = qToBigEndian(bits);
        data.append(reinterpret_cast<const char*>(&bits), sizeof bits);
    }
    void amfNumberArray(const QList<double>& values)
    {
        u8(0x0A);
        u32(quint32(values.size()));
        for (double v : values)
            amfNumber(v);
    }
    void amfEnd()
    {
        u16(0);
        u8(0x09);
    }

    void tag(quint8 type, quint32 timestampMs, const QByteArray& body)
    {
        u8(type);
        u24(quint32(body.size()));
        u24(timestampMs & 0xFFFFFF);
        u8(quint8(timestampMs >> 24));
        u24(0);
        bytes(body);
        u32(quint32(TAG_HEADER_SIZE + body.size()));
    }
};

QImage drawFrame(const SampleVideoFormat& f, int frame, int frames)
{
    QImage image(f.width, f.height, QImage::Format_RGB888);
    image.fill(f.backgroundColor);
    QPainter painter(&image);
    const QList<QColor>& colors = SampleVideo::barColors();
    const int barsHeight = f.height * 2 / 3;
    for (int i = 0; i < colors.size(); ++i) {
        const int left = f.width * i / colors.size();
        const int right = f.width * (i + 1) / colors.size();
        painter.fillRect(left, 0, right - left, barsHeight, colors.at(i));
    }
    // The moving square and the time bar show that the picture changes.
    const double done = frames > 1 ? double(frame) / (frames - 1) : 1.0;
    const int square = f.height / 6;
    painter.fillRect(int((f.width - square) * done), barsHeight + (f.height - barsHeight - square) / 2, square, square,
                     Qt::white);
    painter.fillRect(0, f.height - 6, int(f.width * done), 6, QColor(128, 128, 128));
    return image;
}

// One frame as a screen video packet: blocks from the bottom row up, left to right,
// each the zlib stream of its BGR lines from the bottom line up. Most blocks look as
// they did in the frame before: their stream is taken from there, not packed again.
class ScreenVideoPacker
{
public:
    explicit ScreenVideoPacker(int level) : myLevel(level) {}

    QByteArray packet(const QImage& image)
    {
        Writer w;
        w.u8(SCREEN_VIDEO_KEY_FRAME);
        w.u16(quint16(((BLOCK_SIZE / 16 - 1) << 12) | image.width()));
        w.u16(quint16(((BLOCK_SIZE / 16 - 1) << 12) | image.height()));
        const int columns = (image.width() + BLOCK_SIZE - 1) / BLOCK_SIZE;
        const int rows = (image.height() + BLOCK_SIZE - 1) / BLOCK_SIZE;
        myBlocks.resize(qsizetype(columns) * rows);
        QByteArray pixels;
        for (int row = 0; row < rows; ++row) {
            const int bottom = image.height() - 1 - row * BLOCK_SIZE;
            const int blockHeight = qMin(BLOCK_SIZE, bottom + 1);
            for (int column = 0; column < columns; ++column) {
                const int left = column * BLOCK_SIZE;
                const int blockWidth = qMin(BLOCK_SIZE, image.width() - left);
                pixels.resize(qsizetype(blockWidth) * blockHeight * 3);
                char* out = pixels.data();
                for (int y = bottom; y > bottom - blockHeight; --y) {
                    const uchar* in = image.constScanLine(y) + left * 3;
                    for (int x = 0; x < blockWidth; ++x, in += 3) {
                        *out++ = char(in[2]);
                        *out++ = char(in[1]);
                        *out++ = char(in[0]);
                    }
                }
                Block& block = myBlocks[row * columns + column];
                if (block.pixels != pixels) {
                    block.pixels = pixels;
                    // qCompress puts the uncompressed size in front of the zlib stream.
                    block.packed = qCompress(pixels, myLevel).mid(4);
                }
                w.u16(quint16(block.packed.size()));
                w.bytes(block.packed);
            }
        }
        return w.data;
    }

private:
    struct Block
    {
        QByteArray pixels;
        QByteArray packed;
    };
    int myLevel;
    QList<Block> myBlocks;   // of the frame before, row by row from the bottom
};

QByteArray metaData(const SampleVideoFormat& f, double duration, const QList<double>& positions,
                    const QList<double>& times, qint64 fileSize)
{
    Writer w;
    w.amfString("onMetaData");
    w.u8(0x08); // ECMA array
    w.u32(7);
    w.amfName("duration");
    w.amfNumber(duration);
    w.amfName("width");
    w.amfNumber(f.width);
    w.amfName("height");
    w.amfNumber(f.height);
    w.amfName("framerate");
    w.amfNumber(f.framesPerSecond);
    w.amfName("videocodecid");
    w.amfNumber(SCREEN_VIDEO_CODEC_ID);
    w.amfName("filesize");
    w.amfNumber(double(fileSize));
    w.amfName("keyframes");
    w.u8(0x03); // object
    w.amfName("filepositions");
    w.amfNumberArray(positions);
    w.amfName("times");
    w.amfNumberArray(times);
    w.amfEnd();
    w.amfEnd();
    return w.data;
}

} // namespace

const QList<QColor>& SampleVideo::barColors()
{
    static const QList<QColor> colors = {QColor(192, 192, 192), QColor(192, 192, 0), QColor(0, 192, 192),
                                         QColor(0, 192, 0),     QColor(192, 0, 192), QColor(192, 0, 0),
                                         QColor(0, 0, 192)};
    return colors;
}

int SampleVideo::barAt(const SampleVideoFormat& format, int x)
{
    return qBound(0, x * int(barColors().size()) / qMax(1, format.width), int(barColors().size()) - 1);
}

QByteArray SampleVideo::make(const SampleVideoFormat& format)
{
    SampleVideoFormat f = format;
    f.width = qBound(16, f.width, 4095);
    f.height = qBound(16, f.height, 4095);
    f.framesPerSecond = qBound(1, f.framesPerSecond, 60);
    const int frames = qMax(1, int(f.seconds * f.framesPerSecond + 0.5));
    const double duration = double(frames) / f.framesPerSecond;

    QList<QByteArray> packets;
    packets.reserve(frames);
    ScreenVideoPacker packer(qBound(0, f.compressionLevel, 9));
    for (int i = 0; i < frames; ++i)
        packets.append(packer.packet(drawFrame(f, i, frames)));

    // The header's size does not depend on the numbers in it: lay it out once with
    // zeros to learn where the frames start, then write it with their positions.
    QList<double> times;
    QList<double> positions(frames, 0.0);
    for (int i = 0; i < frames; ++i)
        times.append(double(i) / f.framesPerSecond);
    const qint64 headerTag = TAG_HEADER_SIZE + metaData(f, duration, positions, times, 0).size() + TAG_TRAILER_SIZE;
    qint64 position = HEADER_SIZE + TAG_TRAILER_SIZE + headerTag;
    for (int i = 0; i < frames; ++i) {
        positions[i] = double(position);
        position += TAG_HEADER_SIZE + packets.at(i).size() + TAG_TRAILER_SIZE;
    }

    Writer w;
    w.data.reserve(position);
    w.bytes("FLV");
    w.u8(1);    // version
    w.u8(0x01); // video only
    w.u32(HEADER_SIZE);
    w.u32(0); // size of the tag before the first
    w.tag(TAG_SCRIPT, 0, metaData(f, duration, positions, times, position));
    for (int i = 0; i < frames; ++i)
        w.tag(TAG_VIDEO, quint32(i * 1000 / f.framesPerSecond), packets.at(i));
    return w.data;
}
