#ifndef KRELVOX_FEEDPARSERBASE_H
#define KRELVOX_FEEDPARSERBASE_H

#include "service/feeds/AtomReader.h"

#include <QList>
#include <QString>

class QXmlStreamReader;

// What every feed parser keeps: the entries read from one Atom document (owned until
// taken), the feed's total and the error of a document that could not be read. A
// parser reads one entry element in readEntry; its header includes the entry's, so
// that the entries can be deleted wherever the parser is used.
template <typename Entry>
class FeedParserBase
{
public:
    FeedParserBase() = default;
    FeedParserBase(const FeedParserBase&) = delete;
    FeedParserBase& operator=(const FeedParserBase&) = delete;

    // True when the whole document was read; otherwise no entries are kept.
    bool parse(const QByteArray& document)
    {
        return AtomReader::readFeedEntries(document, myEntries, myTotal, myError,
                                           [this](QXmlStreamReader& reader) { readEntry(reader); });
    }

    // The entries in feed order; the caller owns them afterwards.
    QList<Entry*> takeEntries()
    {
        QList<Entry*> entries;
        entries.swap(myEntries);
        return entries;
    }
    int entryCount() const { return myEntries.count(); }
    // openSearch:totalResults, -1 when the feed has none.
    int totalResults() const { return myTotal; }
    QString errorString() const { return myError; }

protected:
    ~FeedParserBase() { qDeleteAll(myEntries); }

    // Reads one entry element and appends its new entry to myEntries.
    virtual void readEntry(QXmlStreamReader& reader) = 0;

    QList<Entry*> myEntries;

private:
    int myTotal = -1;
    QString myError;
};

#endif
