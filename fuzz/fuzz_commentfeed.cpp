// Comment feeds of a video.
#include "fuzz/FuzzSupport.h"

#include "core/CommentEntry.h"
#include "service/feeds/CommentFeedParser.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    CommentFeedParser parser;
    const bool ok = parser.parse(Fuzz::bytes(data, size));
    const QList<CommentEntry*> entries = parser.takeEntries();
    FUZZ_CHECK(ok || (entries.isEmpty() && !parser.errorString().isEmpty()));
    qDeleteAll(entries);
    return 0;
}
