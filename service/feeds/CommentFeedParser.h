#ifndef KRELVOX_COMMENTFEEDPARSER_H
#define KRELVOX_COMMENTFEEDPARSER_H

#include "core/CommentEntry.h"
#include "service/feeds/FeedParserBase.h"

// Reads a comment feed into CommentEntry objects (author, text, published date as
// day.month.year) in feed order, and the feed's total. A document that is not an
// Atom feed or is broken gives no entries and an error.
class CommentFeedParser : public FeedParserBase<CommentEntry>
{
public:
    CommentFeedParser() = default;
    virtual ~CommentFeedParser();

private:
    void readEntry(QXmlStreamReader& reader) override;
};

#endif
