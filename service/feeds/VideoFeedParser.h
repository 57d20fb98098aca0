#ifndef KRELVOX_VIDEOFEEDPARSER_H
#define KRELVOX_VIDEOFEEDPARSER_H

#include "core/VideoEntry.h"
#include "service/feeds/FeedParserBase.h"

// Reads a video feed (standard feeds, search, related videos, responses, uploads) in
// one streaming pass into VideoEntry objects. Elements are matched by namespace URI
// and local name, in any order; optional elements that are missing leave their field
// empty (counts and rating "", length 0). A document that is not an Atom feed, or
// that breaks off or is not well-formed, is an error and gives no entries.
class VideoFeedParser : public FeedParserBase<VideoEntry>
{
public:
    VideoFeedParser() = default;
    virtual ~VideoFeedParser();

private:
    void readEntry(QXmlStreamReader& reader) override;
    struct EntryExtras;
    void readGroup(QXmlStreamReader& reader, VideoEntry* entry, EntryExtras& extras);
    // The shown author name and the user name the author link asks for.
    static void setAuthor(VideoEntry* entry, const EntryExtras& extras);
};

#endif
