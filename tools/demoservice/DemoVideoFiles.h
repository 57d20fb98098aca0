#ifndef KRELVOX_DEMOVIDEOFILES_H
#define KRELVOX_DEMOVIDEOFILES_H

#include "tools/fakeservice/FakeDocuments.h"
#include "tools/fakeservice/FakeService.h"

// The one place where the demo service answers for a video's file, once the watch
// page's token has been checked. For now every video is the fake service's generated
// byte stream of FakeFeeds::VIDEO_SIZE bytes (not playable); playable files that the
// demo service writes itself, sent at the pace of a real connection, go here.
FakeResponse demoVideoFile(const FakeVideo& video);

#endif
