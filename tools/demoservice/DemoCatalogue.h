#ifndef KRELVOX_DEMOCATALOGUE_H
#define KRELVOX_DEMOCATALOGUE_H

#include "tools/fakeservice/AccountRoutes.h"
#include "tools/fakeservice/FakeDocuments.h"

#include <QDateTime>
#include <QHash>
#include <QList>
#include <QString>

#include <optional>

// What a search asks for, as the service's query keys give it.
struct DemoSearch
{
    QString text;       // "q"
    QString category;   // "category": a category term, "" for all
    QString orderBy;    // "orderby": "", "relevance", "published", "viewCount" or "rating"
    QString time;       // "time": "today", "this_week", "this_month" or "all_time"/""
};

// The demo service's content: videos whose titles come in many scripts, their
// authors and comments, the categories, and the demo account with its profile,
// contacts, messages, playlists and favourites. Counts and dates are made from each
// video's place in the list, so every run shows the same content; dates count back
// from the moment the catalogue is made. Comments posted during the run are kept.
class DemoCatalogue
{
public:
    // The demo account, and the second sign-in name of the same account, whose first
    // sign-in of a run is answered with a captcha challenge.
    static const QString USER;
    static const QString PASSWORD;
    static const QString CAPTCHA_USER;
    static const QString CAPTCHA_ANSWER;

    explicit DemoCatalogue(const QDateTime& now = QDateTime::currentDateTimeUtc());

    const QList<FakeVideo>& videos() const { return myVideos; }
    // The video's place in videos(), -1 for an unknown id.
    int indexOf(const QString& videoId) const;

    // A standard feed ("most_viewed", "most_recent", "most_discussed", "top_rated")
    // within the time frame; nullopt for a feed name the service does not have.
    std::optional<QList<FakeVideo>> standardFeed(const QString& name, const QString& time) const;
    QList<FakeVideo> search(const DemoSearch& search) const;
    QList<FakeVideo> related(const QString& videoId) const;
    QList<FakeVideo> responses(const QString& videoId) const;
    QList<FakeVideo> uploads(const QString& userName) const;
    // The video's comments, newest first: the posted ones, then the made ones.
    QList<FakeComment> comments(const QString& videoId) const;
    // Keeps a comment posted now for the rest of the run; the video's count grows with
    // it. False for an unknown video.
    bool addComment(const QString& videoId, const QString& author, const QString& text);
    QList<FakeCategory> categories() const;
    // The profile of a user who appears in the demo; nullopt for anyone else.
    std::optional<FakeProfile> profile(const QString& userName) const;

    // The demo account's content.
    FakeProfile accountProfile() const;
    QList<FakeContact> contacts() const;
    QList<FakeMessage> inbox() const;
    QList<FakePlayList> playLists() const;
    QList<FakeListItem> favorites() const;

private:
    const FakeVideo& videoAt(int index) const { return myVideos.at(index); }
    QList<FakeVideo> videosAt(const QList<int>& indexes) const;
    QDateTime since(const QString& time) const;   // start of the time frame; invalid for all time

    QDateTime myNow;
    QList<FakeVideo> myVideos;
    QHash<QString, QList<FakeComment>> myPosted;   // by video id, oldest first
};

#endif
