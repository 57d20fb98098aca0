#ifndef KRELVOX_ACCOUNTROUTES_H
#define KRELVOX_ACCOUNTROUTES_H

#include "tools/fakeservice/FakeDocuments.h"
#include "tools/fakeservice/FakeService.h"

#include <QHash>
#include <QList>
#include <QMap>
#include <QStringList>

#include <functional>
#include <memory>
#include <optional>

// The account side of the fake video service: the sign-in service (with a captcha
// for one user), the captcha picture, the account's profile, contacts, inbox,
// playlists and favourites (kept in memory, so writes show in later reads),
// comment, rating, invitation and link posts, and the upload endpoint, which checks
// the multipart body and counts what it cannot keep. Every API route wants
// "Authorization: GoogleLogin auth=<token>" with an accepted token, else 401.

namespace FakeAccount {
inline const QString USER = QStringLiteral("aino.virtanen@example.com");
inline const QString PASSWORD = QStringLiteral("revontulet 2013");
inline const QString TOKEN =
    QStringLiteral("DQAAAN4AAAB8kR2vQx7LmP0sNw4ZfH1jKq6GdE3oUiT9aXbC5lMn2vSyWzP8rJgFhD0eK4tQ7uI1oA6sL9dG3hJ");
inline const QString CAPTCHA_USER = QStringLiteral("captcha.tester@example.com");
inline const QString CAPTCHA_PASSWORD = QStringLiteral("kuusi&kahdeksan");
inline const QString CAPTCHA_TOKEN = QStringLiteral("DQAAAGgA7Zr1k9XvQm3");
inline const QString CAPTCHA_URL = QStringLiteral("Captcha?ctoken=Hk3rQz7Lp0_wVb9sNd2TfY6xUj4eGm8a");
inline const QString CAPTCHA_ANSWER = QStringLiteral("kr3lv0x");

// A form body (application/x-www-form-urlencoded) as key -> value, fully decoded.
QMap<QString, QString> parseForm(const QByteArray& body);
}

struct FakeContact
{
    QString userName;
    QString status;        // "accepted", "requested", "pending"
    QString published;     // RFC 3339
};

struct FakeListItem
{
    QString entryId;
    QString videoId;
};

struct FakePlayList
{
    QString id;
    QString title;
    QString summary;
    QList<FakeListItem> items;   // list order: position 1 first
};

// What the last upload carried.
struct FakeUpload
{
    bool received = false;
    bool wholeBody = false;        // the whole body was recorded and read
    QString error;                 // why the body was refused, "" when it was right
    QString title;
    QString description;
    QString category;
    QString keywords;
    QByteArray partType;           // the video part's Content-Type
    QByteArray slug;
    qint64 fileSize = -1;
    QByteArray fileBytes;          // with wholeBody only
};

struct FakeAccountState
{
    QHash<QString, QString> passwords;   // user -> password that signs in
    QString captchaUser = FakeAccount::CAPTCHA_USER;
    QString captchaAnswer = FakeAccount::CAPTCHA_ANSWER;
    bool captchaOnce = false;            // after one right answer the captcha user signs in without one
    QString issuedToken = FakeAccount::TOKEN;            // what a sign-in hands out
    QStringList acceptedTokens{FakeAccount::TOKEN};      // what the API takes
    QList<FakeContact> contacts;
    QList<FakePlayList> playLists;
    QList<FakeListItem> favorites;
    int inboxStatus = 200;               // 200: the inbox fixture; else that error
    bool emptyInbox = false;
    int uploadStatus = 201;              // the upload's answer once its body checks out
    int listReadDelayMs = 0;             // reads of the playlists, a playlist and the favourites
                                         // answer this much later, with the state as it was
                                         // when the request came
    FakeUpload lastUpload;
    int nextId = 1;

    // Content of the reads; where these are left empty the fixture documents answer.
    std::optional<FakeProfile> profile;      // the account's own (its counts follow the state)
    std::optional<QList<FakeMessage>> inbox;
    QHash<QString, FakeVideo> videos;        // the videos of the playlists and favourites by id
    // Told of every comment the service takes (video id, text).
    std::function<void(const QString&, const QString&)> commentPosted;

    FakePlayList* playList(const QString& id);
    QString newId(const QString& prefix);
};

// Registers the account routes with the test account (its user, playlists, favourites
// and contacts); the returned state can be changed by a test at any time (the routes
// read it on every request). The routes hold the state only weakly: keep the
// returned pointer as long as the routes are to answer.
std::shared_ptr<FakeAccountState> addAccountRoutes(FakeService& service);
// Registers the account routes over the given state as it is.
void addAccountRoutes(FakeService& service, const std::shared_ptr<FakeAccountState>& state);
// Adds a contact (and the route of its profile).
void addFakeContact(FakeService& service, const std::shared_ptr<FakeAccountState>& state, const FakeContact& contact);

#endif
