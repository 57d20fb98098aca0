#ifndef KRELVOX_ATOMREADER_H
#define KRELVOX_ATOMREADER_H

#include <QByteArray>
#include <QLatin1StringView>
#include <QList>
#include <QString>
#include <QtAlgorithms>

#include <functional>

class QXmlStreamReader;

// What the service's Atom documents share, for their streaming readers: elements
// matched by namespace URI and local name, the feed's own counts and links, the
// author's name, dates and watch addresses. A document that is not of the expected
// kind, or that is not well-formed or breaks off, gives false and a message.
namespace AtomReader {

// What every feed tells about itself.
struct FeedInfo
{
    int totalResults = -1;   // -1 when the feed does not say
    int startIndex = -1;
    int entryCount = 0;      // entries in this document
    bool hasNext = false;    // a link to the next page
};

bool is(const QXmlStreamReader& reader, QLatin1StringView ns, QLatin1StringView name);
// The element's text, with the text of any child elements.
QString text(QXmlStreamReader& reader);
QString attribute(const QXmlStreamReader& reader, QLatin1StringView name);

// The v= value of a watch address, "" when it has none.
QString videoIdFromWatchUrl(const QString& url);
// The date part of an RFC 3339 date as day.month.year, in the date's own offset;
// text that is not a date is returned trimmed.
QString dayMonthYear(const QString& rfc3339);
// Reads an atom:author element: its first atom:name goes to name unless name already
// holds one.
void readAuthorName(QXmlStreamReader& reader, QString& name);

// An atom:author as the documents give it: the name (in newer documents often a
// display name with blanks) and the account's user name, from yt:username or the
// last part of the author's uri (".../users/<user name>").
struct Author
{
    QString name;
    QString userName;
};
// Reads an atom:author element into author; a field already filled is kept.
void readAuthor(QXmlStreamReader& reader, Author& author);
// The user name at the end of a ".../users/<user name>" address, "" for any other.
QString userNameFromUri(const QString& uri);

// Reads up to the document's root element, which must be the Atom element rootName.
bool readRoot(QXmlStreamReader& reader, QLatin1StringView rootName, QString& error);
// Reads the rest of the document: it must be complete and well-formed.
bool finish(QXmlStreamReader& reader, QString& error);
// Walks an Atom feed: each entry goes to readEntry (positioned on its start
// element, to be read up to its end), the feed's own counts and links to info.
bool readFeed(const QByteArray& document, FeedInfo& info, QString& error,
              const std::function<void(QXmlStreamReader&)>& readEntry);

// Reads a feed whose readEntry appends one new entry to entries for each of its
// entries, after deleting the entries of an earlier document. When the document
// cannot be read whole, no entries are left and error says why.
template <typename Entry, typename ReadEntry>
bool readFeedEntries(const QByteArray& document, QList<Entry*>& entries, int& totalResults, QString& error,
                     ReadEntry readEntry)
{
    qDeleteAll(entries);
    entries.clear();
    FeedInfo info;
    const bool ok = readFeed(document, info, error, readEntry);
    totalResults = info.totalResults;
    if (!ok) {
        qDeleteAll(entries);
        entries.clear();
    }
    return ok;
}

} // namespace AtomReader

#endif
