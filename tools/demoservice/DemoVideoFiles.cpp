#include "tools/demoservice/DemoVideoFiles.h"

FakeResponse demoVideoFile(const FakeVideo& video)
{
    Q_UNUSED(video);
    return FakeResponse::generated(FakeFeeds::VIDEO_SIZE);
}
