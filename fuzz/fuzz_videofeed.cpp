// Video feeds (standard feeds, search, related videos, uploads) as the service sends them.
#include "fuzz/FuzzSupport.h"

#include "core/VideoEntry.h"
#include "service/feeds/VideoFeedParser.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    VideoFeedParser parser;
    const bool ok = parser.parse(Fuzz::bytes(data, size));
    FUZZ_CHECK(ok || (parser.entryCount() == 0 && !parser.errorString().isEmpty()));
    FUZZ_CHECK(parser.totalResults() >= -1);
    const QList<VideoEntry*> entries = parser.takeEntries();
    for (const VideoEntry* entry : entries) {
        // Shown as hours, minutes and seconds in whole numbers.
        FUZZ_CHECK(entry->getLength() >= 0 && entry->getLength() <= 1e7f);
    }
    qDeleteAll(entries);
    return 0;
}
