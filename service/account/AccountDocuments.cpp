#include "service/account/AccountDocuments.h"
#include "core/GlobalConstants.h"

#include <QXmlStreamReader>

#include <functional>

namespace AccountDocuments {

namespace {

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

// The last part of an atom:id ("tag:...:playlist:PL1:ITEM" or ".../playlists/PL1/ITEM").
QString idTail(const QString& id)
{
    const QString trimmed = id.trimmed();
    const int at = qMax(trimmed.lastIndexOf(QLatin1Char(':')), trimmed.lastIndexOf(QLatin1Char('/')));
    return trimmed.mid(at + 1);
}

// The v= value of a watch address.
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

// Reads the rest of the document after the root element: it must be complete and
// well-formed. Returns false with a message when it is not.
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

// Walks an Atom feed: entries go to readEntry, the feed's own counts to info.
bool readFeed(const QByteArray& document, FeedInfo& info, QString& error,
              const std::function<void(QXmlStreamReader&)>& readEntry)
{
    info = FeedInfo();
    error.clear();
    QXmlStreamReader reader(document);
    if (!reader.readNextStartElement() || !is(reader, NS_ATOM, ATOM_FEED)) {
        error = reader.hasError() ? reader.errorString() : QStringLiteral("Not an Atom feed");
        return false;
    }
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
        } else if (openSearch && reader.name() == QLatin1StringView("startIndex")) {
            bool ok = false;
            const int start = text(reader).trimmed().toInt(&ok);
            if (ok)
                info.startIndex = start;
        } else if (is(reader, NS_ATOM, ATOM_LINK)) {
            if (reader.attributes().value(ATTR_REL) == QLatin1StringView("next"))
                info.hasNext = true;
            reader.skipCurrentElement();
        } else {
            reader.skipCurrentElement();
        }
    }
    return finish(reader, error);
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

} // namespace

QString dayMonthYear(const QString& rfc3339)
{
    const QDateTime date = QDateTime::fromString(rfc3339.trimmed(), Qt::ISODateWithMs);
    return date.isValid() ? date.date().toString(COMMENT_DATE_FORMAT) : rfc3339.trimmed();
}

bool parseContacts(const QByteArray& document, QList<ContactItem>& items, FeedInfo& info, QString& error)
{
    QList<ContactItem> read;
    const bool ok = readFeed(document, info, error, [&read](QXmlStreamReader& reader) {
        ContactItem item;
        QString title;
        while (reader.readNextStartElement()) {
            if (is(reader, NS_YT, YT_USERNAME))
                item.userName = text(reader).trimmed();
            else if (is(reader, NS_YT, YT_STATUS))
                item.status = text(reader).trimmed();
            else if (is(reader, NS_ATOM, ATOM_PUBLISHED))
                item.since = dayMonthYear(text(reader));
            else if (is(reader, NS_ATOM, ATOM_TITLE))
                title = text(reader).trimmed();
            else
                reader.skipCurrentElement();
        }
        if (item.userName.isEmpty())
            item.userName = title;
        read.append(item);
    });
    if (ok)
        items = read;
    return ok;
}

bool parseProfile(const QByteArray& document, ProfileItem& profile, QString& error)
{
    error.clear();
    ProfileItem read;
    QXmlStreamReader reader(document);
    if (!reader.readNextStartElement() || !is(reader, NS_ATOM, ATOM_ENTRY)) {
        error = reader.hasError() ? reader.errorString() : QStringLiteral("Not an Atom entry");
        return false;
    }
    QString authorName;
    while (reader.readNextStartElement()) {
        if (is(reader, NS_ATOM, ATOM_PUBLISHED)) {
            read.published = dayMonthYear(text(reader));
        } else if (is(reader, NS_ATOM, ATOM_AUTHOR)) {
            readAuthorName(reader, authorName);
        } else if (is(reader, NS_YT, YT_USERNAME)) {
            read.userName = text(reader).trimmed();
        } else if (is(reader, NS_YT, YT_STATISTICS)) {
            const QString access = attribute(reader, ATTR_LAST_WEB_ACCESS);
            read.lastWebAccess = access.isEmpty() ? QString() : dayMonthYear(access);
            read.videoWatchCount = attribute(reader, ATTR_VIDEO_WATCH_COUNT);
            reader.skipCurrentElement();
        } else if (is(reader, NS_GD, GD_FEEDLINK)) {
            const QStringView rel = reader.attributes().value(ATTR_REL);
            const QString count = attribute(reader, ATTR_COUNT_HINT);
            if (rel == REL_USER_FAVORITES)
                read.favorites = count;
            else if (rel == REL_USER_CONTACTS)
                read.contacts = count;
            else if (rel == REL_USER_SUBSCRIPTIONS)
                read.subscriptions = count;
            else if (rel == REL_USER_UPLOADS)
                read.uploads = count;
            reader.skipCurrentElement();
        } else if (is(reader, NS_MEDIA, MEDIA_THUMBNAIL)) {
            if (read.thumbnailUrl.isEmpty())
                read.thumbnailUrl = attribute(reader, ATTR_URL).trimmed();
            reader.skipCurrentElement();
        } else {
            reader.skipCurrentElement();
        }
    }
    if (!finish(reader, error))
        return false;
    if (read.userName.isEmpty())
        read.userName = authorName;
    profile = read;
    return true;
}

bool parseInbox(const QByteArray& document, QList<MessageItem>& items, FeedInfo& info, QString& error)
{
    QList<MessageItem> read;
    const bool ok = readFeed(document, info, error, [&read](QXmlStreamReader& reader) {
        MessageItem item;
        QString watchUrl;
        bool defaultThumbnail = false;
        while (reader.readNextStartElement()) {
            if (is(reader, NS_ATOM, ATOM_AUTHOR)) {
                readAuthorName(reader, item.author);
            } else if (is(reader, NS_ATOM, ATOM_TITLE)) {
                item.title = text(reader).trimmed();
            } else if (is(reader, NS_ATOM, ATOM_SUMMARY)) {
                item.summary = text(reader).trimmed();
            } else if (is(reader, NS_ATOM, ATOM_CONTENT)) {
                // Older inboxes carry the message as text content; newer ones link the player.
                if (reader.attributes().value(ATTR_SRC).isEmpty())
                    item.content = text(reader).trimmed();
                else
                    reader.skipCurrentElement();
            } else if (is(reader, NS_ATOM, ATOM_PUBLISHED)) {
                item.published = dayMonthYear(text(reader));
            } else if (is(reader, NS_ATOM, ATOM_LINK)) {
                if (reader.attributes().value(ATTR_REL) == REL_ALTERNATE && watchUrl.isEmpty())
                    watchUrl = attribute(reader, ATTR_HREF);
                reader.skipCurrentElement();
            } else if (is(reader, NS_MEDIA, MEDIA_GROUP)) {
                while (reader.readNextStartElement()) {
                    if (is(reader, NS_MEDIA, MEDIA_THUMBNAIL)) {
                        // The small picture: the one named "default", else the first.
                        const bool isDefault = reader.attributes().value(NS_YT, ATTR_NAME) == THUMBNAIL_DEFAULT_NAME;
                        if (item.thumbnailUrl.isEmpty() || (isDefault && !defaultThumbnail)) {
                            item.thumbnailUrl = attribute(reader, ATTR_URL).trimmed();
                            defaultThumbnail = isDefault;
                        }
                        reader.skipCurrentElement();
                    } else if (is(reader, NS_YT, YT_VIDEOID)) {
                        item.videoId = text(reader).trimmed();
                    } else {
                        reader.skipCurrentElement();
                    }
                }
            } else {
                reader.skipCurrentElement();
            }
        }
        if (item.videoId.isEmpty())
            item.videoId = videoIdFromWatchUrl(watchUrl);
        if (item.content.isEmpty())
            item.content = item.summary;
        if (item.summary.isEmpty())
            item.summary = item.content;
        read.append(item);
    });
    if (ok)
        items = read;
    return ok;
}

bool parsePlayLists(const QByteArray& document, QList<PlayListItem>& items, FeedInfo& info, QString& error)
{
    QList<PlayListItem> read;
    const bool ok = readFeed(document, info, error, [&read](QXmlStreamReader& reader) {
        PlayListItem item;
        QString entryId;
        QString oldDescription;
        while (reader.readNextStartElement()) {
            if (is(reader, NS_ATOM, ATOM_ID)) {
                entryId = text(reader).trimmed();
            } else if (is(reader, NS_ATOM, ATOM_TITLE)) {
                item.title = text(reader).trimmed();
            } else if (is(reader, NS_ATOM, ATOM_SUMMARY)) {
                item.description = text(reader).trimmed();
            } else if (is(reader, NS_YT, MEDIA_DESCRIPTION)) {
                oldDescription = text(reader).trimmed();
            } else if (is(reader, NS_ATOM, ATOM_UPDATED)) {
                item.updated = QDateTime::fromString(text(reader).trimmed(), Qt::ISODateWithMs);
            } else if (is(reader, NS_YT, YT_PLAYLIST_ID)) {
                item.playListId = text(reader).trimmed();
            } else if (is(reader, NS_YT, YT_COUNT_HINT)) {
                item.count = text(reader).trimmed().toInt();
            } else if (is(reader, NS_YT, YT_PRIVATE)) {
                item.isPrivate = true;
                reader.skipCurrentElement();
            } else {
                reader.skipCurrentElement();
            }
        }
        if (item.description.isEmpty())
            item.description = oldDescription;
        if (item.playListId.isEmpty())
            item.playListId = idTail(entryId);
        read.append(item);
    });
    if (ok)
        items = read;
    return ok;
}

bool parseListEntries(const QByteArray& document, QList<ListEntryItem>& items, FeedInfo& info, QString& error)
{
    QList<ListEntryItem> read;
    const bool ok = readFeed(document, info, error, [&read](QXmlStreamReader& reader) {
        ListEntryItem item;
        QString watchUrl;
        while (reader.readNextStartElement()) {
            if (is(reader, NS_ATOM, ATOM_ID)) {
                item.entryId = idTail(text(reader));
            } else if (is(reader, NS_YT, YT_POSITION)) {
                item.position = text(reader).trimmed().toInt();
            } else if (is(reader, NS_ATOM, ATOM_LINK)) {
                if (reader.attributes().value(ATTR_REL) == REL_ALTERNATE && watchUrl.isEmpty())
                    watchUrl = attribute(reader, ATTR_HREF);
                reader.skipCurrentElement();
            } else if (is(reader, NS_MEDIA, MEDIA_GROUP)) {
                while (reader.readNextStartElement()) {
                    if (is(reader, NS_YT, YT_VIDEOID))
                        item.videoId = text(reader).trimmed();
                    else
                        reader.skipCurrentElement();
                }
            } else {
                reader.skipCurrentElement();
            }
        }
        if (item.videoId.isEmpty())
            item.videoId = videoIdFromWatchUrl(watchUrl);
        read.append(item);
    });
    if (ok)
        items = read;
    return ok;
}

bool parseWrittenEntry(const QByteArray& document, ListEntryItem& entry, QString& playListId, QString& error)
{
    error.clear();
    QXmlStreamReader reader(document);
    if (!reader.readNextStartElement() || !is(reader, NS_ATOM, ATOM_ENTRY)) {
        error = reader.hasError() ? reader.errorString() : QStringLiteral("Not an Atom entry");
        return false;
    }
    ListEntryItem read;
    QString list;
    while (reader.readNextStartElement()) {
        if (is(reader, NS_ATOM, ATOM_ID)) {
            read.entryId = idTail(text(reader));
        } else if (is(reader, NS_YT, YT_PLAYLIST_ID)) {
            list = text(reader).trimmed();
        } else if (is(reader, NS_YT, YT_POSITION)) {
            read.position = text(reader).trimmed().toInt();
        } else if (is(reader, NS_MEDIA, MEDIA_GROUP)) {
            while (reader.readNextStartElement()) {
                if (is(reader, NS_YT, YT_VIDEOID))
                    read.videoId = text(reader).trimmed();
                else
                    reader.skipCurrentElement();
            }
        } else {
            reader.skipCurrentElement();
        }
    }
    if (!finish(reader, error))
        return false;
    entry = read;
    playListId = list.isEmpty() ? read.entryId : list;
    return true;
}

} // namespace AccountDocuments
