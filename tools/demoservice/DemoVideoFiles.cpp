#include "tools/demoservice/DemoVideoFiles.h"

#include "tools/demoservice/DemoPictures.h"
#include "tools/samplevideo/SampleVideo.h"

namespace {

const QByteArray VIDEO_TYPE = "video/x-flv";
// 320x240 at 10 frames a second, lightly packed: about 45 KB (360 kbit) a second,
// the rate of the service's own small videos.
constexpr int WIDTH = 320;
constexpr int HEIGHT = 240;
constexpr int FRAMES_PER_SECOND = 10;
constexpr int COMPRESSION_LEVEL = 1;
// A connection that keeps ahead of playback, and one that falls behind it.
constexpr double FAST_SHARE = 1.5;
constexpr double SLOW_SHARE = 0.6;
constexpr int SLOW_EVERY = 3;
// Bytes per write: a few writes a second, as packets would come.
constexpr int CHUNK_SIZE = 8 * 1024;
constexpr int FILES_KEPT = 2;

} // namespace

DemoVideoFiles::DemoVideoFiles(std::shared_ptr<const DemoCatalogue> catalogue) : myCatalogue(std::move(catalogue))
{
}

QByteArray DemoVideoFiles::file(int index)
{
    for (int i = 0; i < myFiles.count(); ++i) {
        if (myFiles.at(i).first == index) {
            myFiles.move(i, 0);
            return myFiles.first().second;
        }
    }
    SampleVideoFormat format;
    format.width = WIDTH;
    format.height = HEIGHT;
    format.framesPerSecond = FRAMES_PER_SECOND;
    format.seconds = myCatalogue->videos().at(index).seconds;
    format.compressionLevel = COMPRESSION_LEVEL;
    format.backgroundColor = DemoPictures::signatureColour(index);
    myFiles.prepend(qMakePair(index, SampleVideo::make(format)));
    while (myFiles.count() > FILES_KEPT)
        myFiles.removeLast();
    return myFiles.first().second;
}

FakeResponse DemoVideoFiles::response(int index)
{
    const QByteArray video = file(index);
    const int seconds = qMax(1, myCatalogue->videos().at(index).seconds);
    FakeResponse response = FakeResponse::document(video, VIDEO_TYPE);
    response.bytesPerSecond = qMax<qint64>(1, qint64(video.size() / seconds * paceShare(index)));
    response.chunkSize = CHUNK_SIZE;
    return response;
}

double DemoVideoFiles::paceShare(int index)
{
    return index % SLOW_EVERY == SLOW_EVERY - 1 ? SLOW_SHARE : FAST_SHARE;
}
