#ifndef KRELVOX_FAKEDOCUMENTS_H
#define KRELVOX_FAKEDOCUMENTS_H

#include <QByteArray>
#include <QDateTime>
#include <QList>
#include <QString>

// Documents of the video service's API written from plain data, shared by the fake
// service's test routes and the demo service: feed heads, video, comment, inbox and
// profile entries, the categories document. The documents have the shape and
// namespaces of the service's own answers.

// One video as the service describes it.
struct FakeVideo
{
    QString id;
    QString title;
    QString description;
    QString author;            // user name of the uploader
    QString authorDisplay;     // display name; "" gives the user name
    QString category;          // category term
    QString categoryLabel;     // "" gives the term
    QString keywords;          // comma separated
    int seconds = 0;
    QDateTime published;
    QDateTime updated;         // invalid: the published time
    qint64 views = 0;
    int favorites = 0;
    double rating = 0;         // average from 1 to 5; 0: nobody rated
    int raters = 0;
    int comments = 0;          // comment count
    int thumbnailHost = 0;     // pictures on i<n>.ytimg.com; 0: i.ytimg.com
};

struct FakeComment
{
    QString id;
    QString author;
    QString text;
    QDateTime published;
};

// A video sent to the account's inbox.
struct FakeMessage
{
    QString id;
    QString sender;
    QString summary;
    QDateTime sent;
    FakeVideo video;
};

// A user's profile entry.
struct FakeProfile
{
    QString userName;
    QString displayName;       // "" gives the user name
    QString summary;
    QString location;          // country code
    QDateTime joined;
    QDateTime lastWebAccess;
    int watched = 0;           // videos watched
    int subscribers = 0;
    int favorites = 0;
    int contacts = 0;
    int subscriptions = 0;
    int uploads = 0;
};

struct FakeCategory
{
    QString term;
    QString label;
    bool assignable = true;    // may be chosen for an upload
};

// The opening of a feed, up to its first entry.
struct FakeFeedHead
{
    QByteArray kind;           // "video", "comment", "friend", "playlist", ...
    QByteArray id;             // tail of the feed's tag id
    QString title;             // "" leaves the title out
    QString author = QStringLiteral("YouTube");
    QString selfPath;          // API path of the feed ("" leaves the links out)
    int total = 0;
    int start = 1;
    int perPage = 25;
};

namespace FakeDocuments {

QByteArray escape(const QString& text);
// "2013-02-14T19:42:07.000Z"
QByteArray timestamp(const QDateTime& time);
// The 22-character user id the service gives a user name.
QString userId(const QString& userName);
QString videoThumbnailUrl(const FakeVideo& video, const QString& name);   // name: "default", ...

QByteArray feedHead(const FakeFeedHead& head);
QByteArray feedEnd();

// An entry of a video feed (standard feeds, search, related, uploads).
QByteArray videoEntry(const FakeVideo& video);
// The links, author and media group of a video inside a favourite, playlist or
// inbox entry (whose author is the list's owner).
QByteArray listedVideo(const FakeVideo& video, const QString& owner);
// The rating (when the video has one) and the statistics of a video entry, which
// favourite and playlist entries carry as well.
QByteArray videoFigures(const FakeVideo& video);
QByteArray commentEntry(const QString& videoId, const FakeComment& comment);
QByteArray messageEntry(const FakeMessage& message, const QString& owner);
// A whole entry document: the entry (starting "<entry") with the namespaces.
QByteArray entryDocument(const QByteArray& entry);
// A whole profile document (an entry with its namespaces).
QByteArray profileDocument(const FakeProfile& profile);
QByteArray categoriesDocument(const QList<FakeCategory>& categories);

} // namespace FakeDocuments

#endif
