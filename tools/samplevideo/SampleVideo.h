#ifndef KRELVOX_SAMPLEVIDEO_H
#define KRELVOX_SAMPLEVIDEO_H

#include <QByteArray>
#include <QColor>
#include <QList>

// A short playable video made in memory, for the tests and the local fake service:
// an FLV file with one key frame of Flash screen video (zlib-compressed BGR blocks)
// per picture and an "onMetaData" header that gives the duration and an index of
// the key frames, so a player can seek in it and knows its length before the end
// has arrived. The picture is a row of colour bars with a white square that moves
// from left to right over the video's length and a grey bar along the bottom that
// grows with the time played, on a black ground or one of the caller's colour.
struct SampleVideoFormat
{
    int width = 320;
    int height = 240;
    int framesPerSecond = 10;
    double seconds = 3.0;
    // zlib level of the blocks: 0 stores them (about width x height x 3 bytes a
    // frame, a size the tests can count on), 9 packs them tightest.
    int compressionLevel = 0;
    // The lower third, behind the square and the time bar.
    QColor backgroundColor = Qt::black;
};

class SampleVideo
{
public:
    static QByteArray make(const SampleVideoFormat& format = SampleVideoFormat());

    // The colours of the bars, left to right.
    static const QList<QColor>& barColors();
    // The bar a point of the picture lies in, counted from the left; the bars fill
    // the top two thirds of the picture.
    static int barAt(const SampleVideoFormat& format, int x);
};

#endif
