#include "service/feeds/AtomReader.h"
#include "service/ServiceConstants.h"

#include <QDateTime>
#include <QStringList>
#include <QXmlStreamReader>

namespace AtomReader {

bool is(const QXmlStreamReader& reader, QLatin1StringView ns, QLatin1StringView name)
{
    return reader.name() == name && reader.namespaceUri() == ns;
}

QString text(QXmlStreamReader& reader)
{
    return reader.readElementText(QXmlStreamReader::IncludeChildElements);
}

QString attribute(const QXmlStreamReader& reader, QLatin1StringView name)
{
    return reader.attributes().value(name).toString();
}

QString videoIdFromWatchUrl(const QString& url)
{
    const int query = url.indexOf(QLatin1Char('?'));
    if (query < 0)
        return QString();
    const QStringList items = url.mid(query + 1).split(QLatin1Char('&'));
    for (const QString& item : items)
        if (item.startsWith(WATCH_VIDEO_MARK))
            return item.mid(WATCH_VIDEO_MARK.size());
    return QString();
}

QString dayMonthYear(const QString& rfc3339)
{
    const QDateTime date = QDateTime::fromString(rfc3339.trimmed(), Qt::ISODateWithMs);
    return date.isValid() ? date.date().toString(COMMENT_DATE_FORMAT) : rfc3339.trimmed();
}

void readAuthorName(QXmlStreamReader& reader, QString& name)
{
    while (reader.readNextStartElement()) {
        if (is(reader, NS_ATOM, ATOM_NAME) && name.isEmpty())
            name = text(reader).trimmed();
        else
            reader.skipCurrentElement();
    }
}

void readAuthor(QXmlStreamReader& reader, Author& author)
{
    QString fromUri;
    QString fromUserName;
    while (reader.readNextStartElement()) {
        if (is(reader, NS_ATOM, ATOM_NAME) && author.name.isEmpty())
            author.name = text(reader).trimmed();
        else if (is(reader, NS_ATOM, ATOM_URI))
            fromUri = userNameFromUri(text(reader));
        else if (is(reader, NS_YT, YT_USERNAME))
            fromUserName = text(reader).trimmed();
        else
            reader.skipCurrentElement();
    }
    if (author.userName.isEmpty())
        author.userName = fromUserName.isEmpty() ? fromUri : fromUserName;
}

QString userNameFromUri(const QString& uri)
{
    const QString trimmed = uri.trimmed();
    const int at = trimmed.lastIndexOf(USER_PATH_MARK);
    if (at < 0)
        return QString();
    const QString tail = trimmed.mid(at + USER_PATH_MARK.size());
    return tail.contains(QLatin1Char('/')) || tail.contains(QLatin1Char('?')) ? QString() : tail;
}

bool readRoot(QXmlStreamReader& reader, QLatin1StringView rootName, QString& error)
{
    if (reader.readNextStartElement() && is(reader, NS_ATOM, rootName))
        return true;
    if (reader.hasError())
        error = reader.errorString();
    else
        error = rootName == ATOM_FEED ? QStringLiteral("Not an Atom feed") : QStringLiteral("Not an Atom entry");
    return false;
}

bool finish(QXmlStreamReader& reader, QString& error)
{
    while (!reader.atEnd() && !reader.hasError())
        reader.readNext();
    if (reader.hasError()) {
        error = QStringLiteral("Line %1: %2").arg(reader.lineNumber()).arg(reader.errorString());
        return false;
    }
    return true;
}

bool readFeed(const QByteArray& document, FeedInfo& info, QString& error,
              const std::function<void(QXmlStreamReader&)>& readEntry)
{
    info = FeedInfo();
    error.clear();
    QXmlStreamReader reader(document);
    if (!readRoot(reader, ATOM_FEED, error))
        return false;
    while (reader.readNextStartElement()) {
        const bool openSearch = reader.namespaceUri() == NS_OPENSEARCH || reader.namespaceUri() == NS_OPENSEARCH_RSS;
        if (is(reader, NS_ATOM, ATOM_ENTRY)) {
            ++info.entryCount;
            readEntry(reader);
        } else if (openSearch && reader.name() == OPENSEARCH_TOTAL_RESULTS) {
            bool ok = false;
            const int total = text(reader).trimmed().toInt(&ok);
            if (ok && total >= 0)
                info.totalResults = total;
        } else if (openSearch && reader.name() == OPENSEARCH_START_INDEX) {
            bool ok = false;
            const int start = text(reader).trimmed().toInt(&ok);
            if (ok)
                info.startIndex = start;
        } else if (is(reader, NS_ATOM, ATOM_LINK)) {
            if (reader.attributes().value(ATTR_REL) == REL_NEXT)
                info.hasNext = true;
            reader.skipCurrentElement();
        } else {
            reader.skipCurrentElement();
        }
    }
    return finish(reader, error);
}

} // namespace AtomReader
