#ifndef KRELVOX_ACCOUNTDOCUMENTS_H
#define KRELVOX_ACCOUNTDOCUMENTS_H

#include "service/feeds/AtomReader.h"

#include <QByteArray>
#include <QDateTime>
#include <QList>
#include <QString>

// Readers of the account's documents: the contacts, inbox and playlist feeds, a user
// profile, and the entry that answers a write. Elements are matched by namespace URI
// and local name, in any order. A document that is not of the expected kind, or that
// is not well-formed or breaks off, gives false and a message, and no items.
namespace AccountDocuments {

// What every feed tells about itself.
using FeedInfo = AtomReader::FeedInfo;

struct ContactItem
{
    QString userName;
    QString status;          // "accepted", "requested", "pending"...
    QString since;           // day.month.year
};

struct ProfileItem
{
    QString userName;
    QString published;       // day.month.year
    QString lastWebAccess;   // day.month.year
    QString videoWatchCount;
    QString favorites;       // count hints of the profile's feed links
    QString contacts;
    QString subscriptions;
    QString uploads;
    QString thumbnailUrl;
};

struct MessageItem
{
    QString author;
    QString title;
    QString summary;
    QString content;
    QString published;       // day.month.year
    QString thumbnailUrl;
    QString videoId;
};

struct PlayListItem
{
    QString playListId;
    QString title;
    QString description;
    int count = -1;          // the number of videos; -1 when the feed does not say
    QDateTime updated;
    bool isPrivate = false;
};

// One entry of a playlist or favourites feed: the item's own id (needed to move or
// remove it), its video and its position.
struct ListEntryItem
{
    QString entryId;
    QString videoId;
    int position = 0;        // 0 when the feed gives none
};

// The date part of an RFC 3339 date as day.month.year, in the date's own offset;
// text that is not a date is returned trimmed.
using AtomReader::dayMonthYear;

bool parseContacts(const QByteArray& document, QList<ContactItem>& items, FeedInfo& info, QString& error);
bool parseProfile(const QByteArray& document, ProfileItem& profile, QString& error);
bool parseInbox(const QByteArray& document, QList<MessageItem>& items, FeedInfo& info, QString& error);
bool parsePlayLists(const QByteArray& document, QList<PlayListItem>& items, FeedInfo& info, QString& error);
bool parseListEntries(const QByteArray& document, QList<ListEntryItem>& items, FeedInfo& info, QString& error);
// The entry that a successful write answers with: its own id (the last part of
// atom:id) and, for a playlist, its playlist id. False when it is not an Atom entry.
bool parseWrittenEntry(const QByteArray& document, ListEntryItem& entry, QString& playListId, QString& error);

} // namespace AccountDocuments

#endif
