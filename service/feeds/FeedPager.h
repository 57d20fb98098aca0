#ifndef KRELVOX_FEEDPAGER_H
#define KRELVOX_FEEDPAGER_H

#include "service/feeds/AtomReader.h"

#include <QSet>
#include <QString>

// Follows a feed that is read to its end page by page. Another page is read while
// the feed says there is more: its total when it gives one, else its link to the
// next page. A service that always says there is more cannot keep the read going:
// it ends at a link that was followed already and after MAX_PAGES pages.
class FeedPager
{
public:
    static constexpr int MAX_PAGES = 100;

    explicit FeedPager(int startIndex = 1) : myStart(startIndex < 1 ? 1 : startIndex) {}

    // The start index of the page to read (1 for the first).
    int startIndex() const { return myStart; }

    // Takes in the page that was read from startIndex(): true when another page is
    // to be read, from the new startIndex().
    bool advance(const AtomReader::FeedInfo& page);

private:
    int myStart = 1;
    int myPages = 0;
    QSet<QString> myLinks;
};

#endif
