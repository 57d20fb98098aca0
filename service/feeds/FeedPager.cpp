#include "service/feeds/FeedPager.h"

bool FeedPager::advance(const AtomReader::FeedInfo& page)
{
    ++myPages;
    const int read = myStart - 1 + page.entryCount;
    if (page.entryCount <= 0 || myPages >= MAX_PAGES)
        return false;
    const bool more = page.totalResults >= 0 ? read < page.totalResults : page.hasNext;
    if (!more)
        return false;
    if (!page.nextLink.isEmpty()) {
        if (myLinks.contains(page.nextLink))
            return false;
        myLinks.insert(page.nextLink);
    }
    myStart = read + 1;
    return true;
}
