#ifndef KRELVOX_VIDEOFEEDPARSER_H
#define KRELVOX_VIDEOFEEDPARSER_H

#include <QList>
#include <QString>

class QXmlStreamReader;
class VideoEntry;

// Reads a video feed (standard feeds, search, related videos, responses, uploads) in
// one streaming pass into VideoEntry objects. Elements are matched by namespace URI
// and local name, in any order; optional elements that are missing leave their field
// empty (counts and rating "", length 0). A document that is not an Atom feed, or
// that breaks off or is not well-formed, is an error and gives no entries.
class VideoFeedParser
{
public:
    VideoFeedParser() = default;
    ~VideoFeedParser();
    VideoFeedParser(const VideoFeedParser&) = delete;
    VideoFeedParser& operator=(const VideoFeedParser&) = delete;

    // True when the whole document was read.
    bool parse(const QByteArray& document);

    // The entries in feed order; the caller owns them afterwards.
    QList<VideoEntry*> takeEntries();
    int entryCount() const { return myEntries.count(); }
    // openSearch:totalResults, -1 when the feed has none.
    int totalResults() const { return myTotal; }
    QString errorString() const { return myError; }

private:
    void readEntry(QXmlStreamReader& reader);
    struct EntryExtras;
    void readGroup(QXmlStreamReader& reader, VideoEntry* entry, EntryExtras& extras);

    QList<VideoEntry*> myEntries;
    int myTotal = -1;
    QString myError;
};

#endif
