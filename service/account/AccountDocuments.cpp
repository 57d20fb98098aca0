#include "service/account/AccountDocuments.h"
#include "service/ServiceConstants.h"
#include "service/account/AccountConstants.h"

#include <QXmlStreamReader>

namespace AccountDocuments {

namespace {

using AtomReader::attribute;
using AtomReader::finish;
using AtomReader::is;
using AtomReader::skip;
using AtomReader::readAuthorName;
using AtomReader::readRoot;
using AtomReader::text;
using AtomReader::videoIdFromWatchUrl;

// The last part of an atom:id ("tag:...:playlist:PL1:ITEM" or ".../playlists/PL1/ITEM").
QString idTail(const QString& id)
{
    const QString trimmed = id.trimmed();
    const int at = qMax(trimmed.lastIndexOf(QLatin1Char(':')), trimmed.lastIndexOf(QLatin1Char('/')));
    return trimmed.mid(at + 1);
}

// Reads the entries of a feed with readItem (an item from the reader on an entry's
// start element); items are replaced only when the whole document could be read.
template <typename Item, typename ReadItem>
bool readItems(const QByteArray& document, QList<Item>& items, FeedInfo& info, QString& error, ReadItem readItem)
{
    QList<Item> read;
    const bool ok = AtomReader::readFeed(document, info, error,
                                         [&read, &readItem](QXmlStreamReader& reader) { read.append(readItem(reader)); });
    if (ok)
        items = read;
    return ok;
}

// Reads a media:group for the video id it names.
void readGroupVideoId(QXmlStreamReader& reader, QString& videoId)
{
    while (reader.readNextStartElement()) {
        if (is(reader, NS_YT, YT_VIDEOID))
            videoId = text(reader).trimmed();
        else
            skip(reader);
    }
}

} // namespace

bool parseContacts(const QByteArray& document, QList<ContactItem>& items, FeedInfo& info, QString& error)
{
    return readItems(document, items, info, error, [](QXmlStreamReader& reader) {
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
                skip(reader);
        }
        if (item.userName.isEmpty())
            item.userName = title;
        return item;
    });
}

bool parseProfile(const QByteArray& document, ProfileItem& profile, QString& error)
{
    error.clear();
    ProfileItem read;
    QXmlStreamReader reader(document);
    if (!readRoot(reader, ATOM_ENTRY, error))
        return false;
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
            skip(reader);
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
            skip(reader);
        } else if (is(reader, NS_MEDIA, MEDIA_THUMBNAIL)) {
            if (read.thumbnailUrl.isEmpty())
                read.thumbnailUrl = attribute(reader, ATTR_URL).trimmed();
            skip(reader);
        } else {
            skip(reader);
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
    return readItems(document, items, info, error, [](QXmlStreamReader& reader) {
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
                    skip(reader);
            } else if (is(reader, NS_ATOM, ATOM_PUBLISHED)) {
                item.published = dayMonthYear(text(reader));
            } else if (is(reader, NS_ATOM, ATOM_LINK)) {
                if (reader.attributes().value(ATTR_REL) == REL_ALTERNATE && watchUrl.isEmpty())
                    watchUrl = attribute(reader, ATTR_HREF);
                skip(reader);
            } else if (is(reader, NS_MEDIA, MEDIA_GROUP)) {
                while (reader.readNextStartElement()) {
                    if (is(reader, NS_MEDIA, MEDIA_THUMBNAIL)) {
                        // The small picture: the one named "default", else the first.
                        const bool isDefault = reader.attributes().value(NS_YT, ATTR_NAME) == THUMBNAIL_DEFAULT_NAME;
                        if (item.thumbnailUrl.isEmpty() || (isDefault && !defaultThumbnail)) {
                            item.thumbnailUrl = attribute(reader, ATTR_URL).trimmed();
                            defaultThumbnail = isDefault;
                        }
                        skip(reader);
                    } else if (is(reader, NS_YT, YT_VIDEOID)) {
                        item.videoId = text(reader).trimmed();
                    } else {
                        skip(reader);
                    }
                }
            } else {
                skip(reader);
            }
        }
        if (item.videoId.isEmpty())
            item.videoId = videoIdFromWatchUrl(watchUrl);
        if (item.content.isEmpty())
            item.content = item.summary;
        if (item.summary.isEmpty())
            item.summary = item.content;
        return item;
    });
}

bool parsePlayLists(const QByteArray& document, QList<PlayListItem>& items, FeedInfo& info, QString& error)
{
    return readItems(document, items, info, error, [](QXmlStreamReader& reader) {
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
                skip(reader);
            } else {
                skip(reader);
            }
        }
        if (item.description.isEmpty())
            item.description = oldDescription;
        if (item.playListId.isEmpty())
            item.playListId = idTail(entryId);
        return item;
    });
}

bool parseListEntries(const QByteArray& document, QList<ListEntryItem>& items, FeedInfo& info, QString& error)
{
    return readItems(document, items, info, error, [](QXmlStreamReader& reader) {
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
                skip(reader);
            } else if (is(reader, NS_MEDIA, MEDIA_GROUP)) {
                readGroupVideoId(reader, item.videoId);
            } else {
                skip(reader);
            }
        }
        if (item.videoId.isEmpty())
            item.videoId = videoIdFromWatchUrl(watchUrl);
        return item;
    });
}

bool parseWrittenEntry(const QByteArray& document, ListEntryItem& entry, QString& playListId, QString& error)
{
    error.clear();
    QXmlStreamReader reader(document);
    if (!readRoot(reader, ATOM_ENTRY, error))
        return false;
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
            readGroupVideoId(reader, read.videoId);
        } else {
            skip(reader);
        }
    }
    if (!finish(reader, error))
        return false;
    entry = read;
    playListId = list.isEmpty() ? read.entryId : list;
    return true;
}

} // namespace AccountDocuments
