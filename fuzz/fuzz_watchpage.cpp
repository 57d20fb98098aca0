// The watch page a download starts with: the token it yields goes into the next
// request's query.
#include "fuzz/FuzzSupport.h"

#include "service/feeds/VideoDownloadManager.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    const QString token = VideoDownloadManager::extractToken(Fuzz::bytes(data, size));
    FUZZ_CHECK(token.size() <= 512);
    for (const QChar c : token)
        FUZZ_CHECK(c.unicode() < 0x80 && (c.isLetterOrNumber() || QStringLiteral("_-%=.").contains(c)));
    return 0;
}
