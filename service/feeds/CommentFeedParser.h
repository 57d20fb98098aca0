#ifndef KRELVOX_COMMENTFEEDPARSER_H
#define KRELVOX_COMMENTFEEDPARSER_H

#include <QList>
#include <QString>

class CommentEntry;
class QXmlStreamReader;

// Reads a comment feed into CommentEntry objects (author, text, published date as
// day.month.year) in feed order, and the feed's total. A document that is not an
// Atom feed or is broken gives no entries and an error.
class CommentFeedParser
{
public:
    CommentFeedParser() = default;
    ~CommentFeedParser();
    CommentFeedParser(const CommentFeedParser&) = delete;
    CommentFeedParser& operator=(const CommentFeedParser&) = delete;

    bool parse(const QByteArray& document);
    QList<CommentEntry*> takeEntries();   // the caller owns them afterwards
    int totalResults() const { return myTotal; }   // -1 when the feed has none
    QString errorString() const { return myError; }

private:
    void readEntry(QXmlStreamReader& reader);

    QList<CommentEntry*> myEntries;
    int myTotal = -1;
    QString myError;
};

#endif
