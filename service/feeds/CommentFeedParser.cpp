#include "service/feeds/CommentFeedParser.h"
#include "core/CommentEntry.h"
#include "core/GlobalConstants.h"

#include <QDateTime>
#include <QXmlStreamReader>

namespace {

bool is(const QXmlStreamReader& reader, QLatin1StringView ns, QLatin1StringView name)
{
    return reader.name() == name && reader.namespaceUri() == ns;
}

// The date part as written in the document (its own offset), day.month.year; text
// that is not a date is kept as it is.
QString commentDate(const QString& published)
{
    const QDateTime date = QDateTime::fromString(published.trimmed(), Qt::ISODateWithMs);
    return date.isValid() ? date.date().toString(COMMENT_DATE_FORMAT) : published.trimmed();
}

} // namespace

CommentFeedParser::~CommentFeedParser()
{
    qDeleteAll(myEntries);
}

QList<CommentEntry*> CommentFeedParser::takeEntries()
{
    QList<CommentEntry*> entries;
    entries.swap(myEntries);
    return entries;
}

bool CommentFeedParser::parse(const QByteArray& document)
{
    qDeleteAll(myEntries);
    myEntries.clear();
    myTotal = -1;
    myError.clear();

    QXmlStreamReader reader(document);
    if (!reader.readNextStartElement() || !is(reader, NS_ATOM, ATOM_FEED)) {
        myError = reader.hasError() ? reader.errorString() : QStringLiteral("Not an Atom feed");
    } else {
        while (reader.readNextStartElement()) {
            if (is(reader, NS_ATOM, ATOM_ENTRY)) {
                readEntry(reader);
            } else if (reader.name() == OPENSEARCH_TOTAL_RESULTS
                       && (reader.namespaceUri() == NS_OPENSEARCH || reader.namespaceUri() == NS_OPENSEARCH_RSS)) {
                bool ok = false;
                const int total = reader.readElementText().trimmed().toInt(&ok);
                if (ok && total >= 0)
                    myTotal = total;
            } else {
                reader.skipCurrentElement();
            }
        }
        while (!reader.atEnd() && !reader.hasError())
            reader.readNext();
        if (reader.hasError())
            myError = QStringLiteral("Line %1: %2").arg(reader.lineNumber()).arg(reader.errorString());
    }
    if (!myError.isEmpty()) {
        qDeleteAll(myEntries);
        myEntries.clear();
        return false;
    }
    return true;
}

void CommentFeedParser::readEntry(QXmlStreamReader& reader)
{
    auto* entry = new CommentEntry;
    myEntries.append(entry);
    QString title;
    while (reader.readNextStartElement()) {
        if (reader.namespaceUri() != NS_ATOM) {
            reader.skipCurrentElement();
        } else if (reader.name() == ATOM_CONTENT) {
            entry->setContent(reader.readElementText(QXmlStreamReader::IncludeChildElements));
        } else if (reader.name() == ATOM_TITLE) {
            title = reader.readElementText(QXmlStreamReader::IncludeChildElements);
        } else if (reader.name() == ATOM_PUBLISHED) {
            entry->setPublished(commentDate(reader.readElementText()));
        } else if (reader.name() == ATOM_AUTHOR) {
            while (reader.readNextStartElement()) {
                if (is(reader, NS_ATOM, ATOM_NAME) && entry->getAuthor().isEmpty())
                    entry->setAuthor(reader.readElementText().trimmed());
                else
                    reader.skipCurrentElement();
            }
        } else {
            reader.skipCurrentElement();
        }
    }
    // The title is a shortened copy of the text; it stands in only when there is no text.
    if (entry->getContent().isEmpty())
        entry->setContent(title);
}
