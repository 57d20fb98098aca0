#ifndef KRELVOX_DEMOVIDEOFILES_H
#define KRELVOX_DEMOVIDEOFILES_H

#include "tools/demoservice/DemoCatalogue.h"
#include "tools/fakeservice/FakeService.h"

#include <QByteArray>
#include <QList>
#include <QPair>

#include <memory>

// The demo service's video files, written by the sample video generator when a video
// is first asked for rather than stored: each is as long as its entry says and shows
// the colour bars over the colour of the video's pictures. They go out at the pace of
// a mobile connection: most arrive faster than they play, so the player waits for its
// start threshold and then plays through; every third arrives slower than it plays,
// so playback catches up with the download and has to buffer.
class DemoVideoFiles
{
public:
    explicit DemoVideoFiles(std::shared_ptr<const DemoCatalogue> catalogue);

    // The file of the video at that place of the catalogue. Made once; the last few
    // are kept (the longest are tens of megabytes).
    QByteArray file(int index);
    // The answer to the video's file request, paced as above.
    FakeResponse response(int index);

    // The pace of the video's file as a share of the rate at which it plays.
    static double paceShare(int index);

private:
    std::shared_ptr<const DemoCatalogue> myCatalogue;
    QList<QPair<int, QByteArray>> myFiles;   // by index, the latest first
};

#endif
