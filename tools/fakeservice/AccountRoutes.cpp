#include "tools/fakeservice/AccountRoutes.h"
#include "tools/fakeservice/AccountRequests.h"
#include "tools/fakeservice/FakeDocuments.h"

#include <QUrl>

#include <algorithm>

namespace {

const QString API = QStringLiteral("/gdata");
const QString ACCOUNTS = QStringLiteral("/google");
const QString UPLOADS = QStringLiteral("/uploads");
const QString THUMBNAILS = QStringLiteral("/ytimg");
const QString USERS = API + QStringLiteral("/feeds/api/users/");
const QString PLAYLISTS = API + QStringLiteral("/feeds/api/playlists/");
const QString DEFAULT_USER = QStringLiteral("default");

using namespace FakeAccountRequests;
using FakeDocuments::escape;

// The user name of the account in its documents.
const QString OWNER = QStringLiteral("ainovirtanen");

// ---- Documents

QByteArray feedHead(const QByteArray& kind, const QByteArray& id, const QString& title, int total, int start,
                    int perPage)
{
    return FakeDocuments::feedHead({kind, id, title, OWNER, QString(), total, start, perPage});
}

QByteArray contactEntry(const FakeContact& contact)
{
    const QByteArray user = escape(contact.userName);
    return "<entry><id>http://gdata.youtube.com/feeds/api/users/ainovirtanen/contacts/" + user + "</id><published>"
        + escape(contact.published) + "</published><updated>2013-07-01T19:24:34.916Z</updated>"
          "<category scheme='http://schemas.google.com/g/2005#kind' term='http://gdata.youtube.com/schemas/2007#friend'/>"
          "<category scheme='http://gdata.youtube.com/schemas/2007/contact.cat' term='Friends'/>"
          "<title type='text'>" + user + "</title>"
          "<link rel='related' type='application/atom+xml' href='http://gdata.youtube.com/feeds/api/users/" + user + "'/>"
          "<link rel='alternate' type='text/html' href='http://www.youtube.com/profile?user=" + user + "'/>"
          "<link rel='self' type='application/atom+xml' href='http://gdata.youtube.com/feeds/api/users/ainovirtanen/contacts/"
        + user + "'/><author><name>ainovirtanen</name><uri>http://gdata.youtube.com/feeds/api/users/ainovirtanen</uri>"
          "</author><yt:username>" + user + "</yt:username><yt:status>" + escape(contact.status) + "</yt:status></entry>";
}

QByteArray contactsFeed(const FakeRequest& request, const State& state)
{
    const int start = request.startIndex();
    const int size = request.maxResults(25);
    const int total = state->contacts.count();
    QByteArray feed = feedHead("friend", "user:ainovirtanen:contacts", QStringLiteral("ainovirtanen's Contacts"), total,
                               start, size);
    for (int i = start - 1; i < total && i < start - 1 + size; ++i)
        feed += contactEntry(state->contacts.at(i));
    return feed + FakeDocuments::feedEnd();
}

FakeResponse contactProfile(const QString& user)
{
    const int n = int(qHash(user) % 97);
    const QByteArray body = fill(FakeService::fixtureData(QStringLiteral("contact-profile.xml")),
                                 {{"USER", user},
                                  {"USER_ID", FakeDocuments::userId(user)},
                                  {"JOINED", QStringLiteral("2008-0%1-1%1T10:20:30.000Z").arg(n % 9 + 1)},
                                  {"LOGGED", QStringLiteral("2013-06-2%1T18:00:00.000Z").arg(n % 9 + 1)},
                                  {"WATCHED", QString::number(100 + n)},
                                  {"UPLOADS", QString::number(n % 13)}});
    return FakeResponse::document(body, ENTRY_TYPE);
}

// A video of the playlists and favourites: its details when the state has them, else
// a plain "Video <id>".
FakeVideo listVideo(const State& state, const QString& videoId)
{
    if (state->videos.contains(videoId))
        return state->videos.value(videoId);
    FakeVideo video;
    video.id = videoId;
    video.title = QStringLiteral("Video ") + videoId;
    video.description = video.title;
    video.author = QStringLiteral("uploader_") + videoId;
    video.authorDisplay = QStringLiteral("Uploader ") + videoId;
    video.seconds = 95;
    video.published = QDateTime(QDate(2012, 11, 3), QTime(16, 20), Qt::UTC);
    video.rating = 4.0;
    video.raters = 12;
    video.views = 1480;
    return video;
}

QByteArray playListItemEntry(const State& state, const QString& listId, const FakeListItem& item, int position)
{
    const FakeVideo video = listVideo(state, item.videoId);
    return "<entry gd:etag='W/&quot;CkMFRX47eCp7I2A9WhJREkQ.&quot;'><id>tag:youtube.com,2008:playlist:" + escape(listId)
        + ":" + escape(item.entryId) + "</id><published>2013-05-14T07:40:12.000Z</published>"
          "<updated>2013-05-14T07:40:12.000Z</updated>"
          "<category scheme='http://schemas.google.com/g/2005#kind' term='http://gdata.youtube.com/schemas/2007#video'/>"
          "<title>" + escape(video.title) + "</title>" + FakeDocuments::listedVideo(video, OWNER)
        + FakeDocuments::videoFigures(video) + "<yt:position>" + QByteArray::number(position) + "</yt:position></entry>";
}

QByteArray favoriteEntry(const State& state, const FakeListItem& item)
{
    const FakeVideo video = listVideo(state, item.videoId);
    return "<entry gd:etag='W/&quot;CkIDRn47eCp7I2A9WhVRE0o.&quot;'><id>tag:youtube.com,2008:favorite:" + escape(item.entryId)
        + "</id><published>2013-03-21T22:56:17.000Z</published><updated>2013-03-21T22:56:17.000Z</updated>"
          "<category scheme='http://schemas.google.com/g/2005#kind' term='http://gdata.youtube.com/schemas/2007#favorite'/>"
          "<title>" + escape(video.title) + "</title>" + FakeDocuments::listedVideo(video, OWNER)
        + FakeDocuments::videoFigures(video) + "</entry>";
}

QByteArray playListLinkEntry(const FakePlayList& list)
{
    const QByteArray id = escape(list.id);
    return "<entry gd:etag='W/&quot;DU8GQH47eCp7I2A9WhZaFUk.&quot;'><id>tag:youtube.com,2008:user:ainovirtanen:playlist:" + id
        + "</id><published>2013-04-30T19:22:56.000Z</published><updated>2013-06-01T19:17:01.000Z</updated>"
          "<category scheme='http://schemas.google.com/g/2005#kind' term='http://gdata.youtube.com/schemas/2007#playlistLink'/>"
          "<title>" + escape(list.title) + "</title><summary>" + escape(list.summary) + "</summary>"
          "<content type='application/atom+xml;type=feed' src='http://gdata.youtube.com/feeds/api/playlists/" + id + "'/>"
          "<link rel='alternate' type='text/html' href='http://www.youtube.com/playlist?list=" + id + "'/>"
          "<link rel='self' type='application/atom+xml' href='http://gdata.youtube.com/feeds/api/users/ainovirtanen/playlists/"
        + id + "?v=2'/><author><name>ainovirtanen</name><uri>http://gdata.youtube.com/feeds/api/users/ainovirtanen</uri>"
          "</author><yt:countHint>" + QByteArray::number(list.items.count()) + "</yt:countHint>"
          "<media:group><yt:duration seconds='0'/></media:group><yt:playlistId>" + id + "</yt:playlistId></entry>";
}

using FakeDocuments::entryDocument;

template <typename T, typename F>
QByteArray pagedFeed(const FakeRequest& request, const QList<T>& items, const QByteArray& kind, const QByteArray& id,
                     const QString& title, F entry)
{
    const int start = request.startIndex();
    const int size = request.maxResults(25);
    QByteArray feed = feedHead(kind, id, title, items.count(), start, size);
    for (int i = start - 1; i < items.count() && i < start - 1 + size; ++i)
        feed += entry(items.at(i), i + 1);
    return feed + FakeDocuments::feedEnd();
}

// ---- Sign-in

FakeResponse clientLogin(const FakeRequest& request, const State& state)
{
    const QMap<QString, QString> form = FakeAccount::parseForm(request.body);
    const QString user = form.value(QStringLiteral("Email"));
    const QString password = form.value(QStringLiteral("Passwd"));
    const bool wellFormed = request.header("Content-Type").startsWith("application/x-www-form-urlencoded")
        && form.value(QStringLiteral("accountType")) == QLatin1String("HOSTED_OR_GOOGLE")
        && form.value(QStringLiteral("service")) == QLatin1String("youtube")
        && !form.value(QStringLiteral("source")).isEmpty();
    const bool known = wellFormed && state->passwords.contains(user) && state->passwords.value(user) == password;

    if (known && user == state->captchaUser) {
        if (form.value(QStringLiteral("logintoken")) != FakeAccount::CAPTCHA_TOKEN
            || form.value(QStringLiteral("logincaptcha")) != state->captchaAnswer) {
            const QByteArray body =
                fill(FakeService::fixtureData(QStringLiteral("clientlogin-captcha-required.txt")),
                     {{"TOKEN", FakeAccount::CAPTCHA_TOKEN}, {"CAPTCHA_URL", FakeAccount::CAPTCHA_URL}});
            return FakeResponse::document(body, TEXT_TYPE, 403);
        }
        if (state->captchaOnce)
            state->captchaUser.clear();
    }
    if (!known)
        return FakeResponse::fixture(QStringLiteral("clientlogin-bad-authentication.txt"), TEXT_TYPE, 403);
    const QByteArray body =
        fill(FakeService::fixtureData(QStringLiteral("clientlogin-success.txt")), {{"AUTH", state->issuedToken}});
    return FakeResponse::document(body, TEXT_TYPE);
}

// ---- Account feeds and writes

FakeResponse usersGet(const FakeRequest& request, const State& state, const QString& tail)
{
    FakeResponse answer;
    if (refused(request, state, answer))
        return answer;
    if (tail.isEmpty()) {
        if (!state->profile)
            return FakeResponse::fixture(QStringLiteral("account-profile.xml"), ENTRY_TYPE);
        // The counts follow the lists: contacts are the accepted ones, not the
        // invitations either way.
        FakeProfile profile = *state->profile;
        profile.favorites = state->favorites.count();
        profile.contacts = int(std::count_if(state->contacts.cbegin(), state->contacts.cend(), [](const FakeContact& c) {
            return c.status == QLatin1String("accepted");
        }));
        return FakeResponse::document(FakeDocuments::profileDocument(profile), ENTRY_TYPE);
    }
    if (tail == QLatin1String("contacts"))
        return FakeResponse::document(contactsFeed(request, state), FEED_TYPE);
    if (tail == QLatin1String("inbox")) {
        if (state->inboxStatus != 200)
            return FakeResponse::error(state->inboxStatus, "ServiceException", "Inbox not available");
        if (state->emptyInbox)
            return FakeResponse::document(feedHead("videoMessage", "user:ainovirtanen:inbox",
                                                   QStringLiteral("Inbox of ainovirtanen"), 0, 1, 50)
                                              + FakeDocuments::feedEnd(),
                                          FEED_TYPE);
        if (!state->inbox)
            return FakeResponse::fixture(QStringLiteral("inbox-feed.xml"), FEED_TYPE);
        return FakeResponse::document(pagedFeed(request, *state->inbox, "videoMessage", "user:ainovirtanen:inbox",
                                                QStringLiteral("Inbox of ainovirtanen"),
                                                [](const FakeMessage& message, int) {
                                                    return FakeDocuments::messageEntry(message, OWNER);
                                                }),
                                      FEED_TYPE);
    }
    if (tail == QLatin1String("playlists")) {
        answer = FakeResponse::document(
            pagedFeed(request, state->playLists, "playlistLink", "user:ainovirtanen:playlists", QStringLiteral("Playlists of ainovirtanen"),
                      [](const FakePlayList& list, int) { return playListLinkEntry(list); }),
            FEED_TYPE);
        answer.delayMs = state->listReadDelayMs;
        return answer;
    }
    if (tail == QLatin1String("favorites")) {
        answer = FakeResponse::document(
            pagedFeed(request, state->favorites, "favorite", "user:ainovirtanen:favorites",
                      QStringLiteral("Favorites of ainovirtanen"),
                      [&state](const FakeListItem& item, int) { return favoriteEntry(state, item); }),
            FEED_TYPE);
        answer.delayMs = state->listReadDelayMs;
        return answer;
    }
    return notFound("Feed");
}

FakeResponse usersWrite(const FakeRequest& request, const State& state)
{
    FakeResponse answer;
    if (refused(request, state, answer))
        return answer;
    const QStringList parts = segmentsAfter(request.path, USERS);   // user, feed[, item]
    const QString user = parts.value(0);
    const QString feed = parts.value(1);
    const QString item = parts.value(2);
    const XmlFind xml = readXml(request.body);
    const bool hasEntry = isAtomBody(request) && xml.wellFormed && xml.isEntry;

    if (request.method == "POST" && feed == QLatin1String("inbox") && parts.size() == 2) {
        // A video sent to a contact.
        if (!hasEntry || text(xml, NS_ATOM_URI, "id").trimmed().isEmpty())
            return invalid("A video id is required");
        return FakeResponse::document(entryDocument("<entry><id>tag:youtube,2008:user:" + escape(user) + ":inbox:"
                                                    + escape(text(xml, NS_ATOM_URI, "id")) + "</id></entry>"),
                                      ENTRY_TYPE, 201);
    }
    if (user != DEFAULT_USER)
        return FakeResponse::error(403, "ServiceForbiddenException", "Only the signed-in user's feeds can be written");

    if (feed == QLatin1String("contacts") && request.method == "PUT" && parts.size() == 3) {
        const QString status = text(xml, NS_YT_URI, "status");
        const bool friends = attribute(xml, NS_ATOM_URI, "category", "term") == QLatin1String("Friends")
            && attribute(xml, NS_ATOM_URI, "category", "scheme")
                == QLatin1String("http://gdata.youtube.com/schemas/2007/contact.cat");
        if (!hasEntry || !friends || (status != QLatin1String("accepted") && status != QLatin1String("rejected")))
            return invalid("A contact list and a status are required");
        for (int i = 0; i < state->contacts.count(); ++i) {
            if (state->contacts.at(i).userName != item)
                continue;
            if (status == QLatin1String("rejected"))
                state->contacts.removeAt(i);
            else
                state->contacts[i].status = status;
            return FakeResponse::document(entryDocument(contactEntry(FakeContact{item, status, QString()})), ENTRY_TYPE);
        }
        return notFound("Contact");
    }
    if (feed == QLatin1String("playlists")) {
        if (request.method == "POST" && parts.size() == 2) {
            const QString title = text(xml, NS_ATOM_URI, "title").trimmed();
            if (!hasEntry || title.isEmpty())
                return invalid("A title is required");
            FakePlayList list;
            list.id = state->newId(QStringLiteral("PL"));
            list.title = title;
            list.summary = text(xml, NS_ATOM_URI, "summary");
            state->playLists.append(list);
            return FakeResponse::document(entryDocument(playListLinkEntry(list)), ENTRY_TYPE, 201);
        }
        FakePlayList* list = state->playList(item);
        if (!list || parts.size() != 3)
            return notFound("Playlist");
        if (request.method == "PUT") {
            const QString title = text(xml, NS_ATOM_URI, "title").trimmed();
            if (!hasEntry || title.isEmpty())
                return invalid("A title is required");
            list->title = title;
            list->summary = text(xml, NS_ATOM_URI, "summary");
            return FakeResponse::document(entryDocument(playListLinkEntry(*list)), ENTRY_TYPE);
        }
        if (request.method == "DELETE") {
            for (int i = 0; i < state->playLists.count(); ++i)
                if (state->playLists.at(i).id == item)
                    state->playLists.removeAt(i);
            return FakeResponse::document(QByteArray(), TEXT_TYPE);
        }
    }
    if (feed == QLatin1String("favorites")) {
        if (request.method == "POST" && parts.size() == 2) {
            const QString videoId = text(xml, NS_ATOM_URI, "id").trimmed();
            if (!hasEntry || videoId.isEmpty())
                return invalid("A video id is required");
            const FakeListItem added{state->newId(QStringLiteral("FL")), videoId};
            state->favorites.append(added);
            return FakeResponse::document(entryDocument(favoriteEntry(state, added)), ENTRY_TYPE, 201);
        }
        if (request.method == "DELETE" && parts.size() == 3) {
            for (int i = 0; i < state->favorites.count(); ++i) {
                if (state->favorites.at(i).entryId == item) {
                    state->favorites.removeAt(i);
                    return FakeResponse::document(QByteArray(), TEXT_TYPE);
                }
            }
            return notFound("Favorite");
        }
    }
    return FakeResponse::error(405, "UnsupportedOperationException", "Not supported on this feed");
}

FakeResponse playLists(const FakeRequest& request, const State& state)
{
    FakeResponse answer;
    if (refused(request, state, answer))
        return answer;
    const QStringList parts = segmentsAfter(request.path, PLAYLISTS);   // list[, item]
    FakePlayList* list = state->playList(parts.value(0));
    if (!list)
        return notFound("Playlist");
    const QString listId = list->id;
    const XmlFind xml = readXml(request.body);
    const bool hasEntry = isAtomBody(request) && xml.wellFormed && xml.isEntry;

    if (request.method == "GET" && parts.size() == 1) {
        answer = FakeResponse::document(pagedFeed(request, list->items, "playlist", "playlist:" + escape(listId),
                                                  list->title,
                                                  [&state, listId](const FakeListItem& item, int position) {
                                                      return playListItemEntry(state, listId, item, position);
                                                  }),
                                        FEED_TYPE);
        answer.delayMs = state->listReadDelayMs;
        return answer;
    }
    if (request.method == "POST" && parts.size() == 1) {
        const QString videoId = text(xml, NS_ATOM_URI, "id").trimmed();
        if (!hasEntry || videoId.isEmpty())
            return invalid("A video id is required");
        const FakeListItem added{state->newId(QStringLiteral("PI")), videoId};
        list->items.append(added);
        return FakeResponse::document(entryDocument(playListItemEntry(state, listId, added, list->items.count())), ENTRY_TYPE,
                                      201);
    }
    int index = -1;
    for (int i = 0; i < list->items.count(); ++i)
        if (list->items.at(i).entryId == parts.value(1))
            index = i;
    if (parts.size() != 2 || index < 0)
        return notFound("Playlist entry");
    if (request.method == "DELETE") {
        list->items.removeAt(index);
        return FakeResponse::document(QByteArray(), TEXT_TYPE);
    }
    if (request.method == "PUT") {
        bool ok = false;
        const int position = text(xml, NS_YT_URI, "position").trimmed().toInt(&ok);
        if (!hasEntry || !ok || position < 1 || position > list->items.count())
            return invalid("A position within the playlist is required");
        list->items.move(index, position - 1);
        return FakeResponse::document(entryDocument(playListItemEntry(state, listId, list->items.at(position - 1), position)),
                                      ENTRY_TYPE);
    }
    return FakeResponse::error(405, "UnsupportedOperationException", "Not supported on this feed");
}

FakeResponse videoPost(const FakeRequest& request, const State& state)
{
    FakeResponse answer;
    if (refused(request, state, answer))
        return answer;
    const QStringList parts = segmentsAfter(request.path, API + QStringLiteral("/feeds/api/videos/"));
    const QString videoId = parts.value(0);
    const XmlFind xml = readXml(request.body);
    if (!isAtomBody(request) || !xml.wellFormed || !xml.isEntry)
        return invalid("An Atom entry is required");
    if (videoId == FakeFeeds::REMOVED_VIDEO_ID)
        return notFound("Video");
    if (parts.value(1) == QLatin1String("comments") && parts.size() == 2) {
        const QString content = text(xml, NS_ATOM_URI, "content");
        if (content.trimmed().isEmpty())
            return invalid("The comment has no text");
        if (state->commentPosted)
            state->commentPosted(videoId, content);
        const QByteArray body = fill(FakeService::fixtureData(QStringLiteral("comment-post-response.xml")),
                                     {{"VIDEO_ID", videoId}, {"TITLE", content.left(16)}, {"CONTENT", content}});
        return FakeResponse::document(body, ENTRY_TYPE, 201);
    }
    if (parts.value(1) == QLatin1String("ratings") && parts.size() == 2) {
        bool ok = false;
        const int value = attribute(xml, NS_GD_URI, "rating", "value").toInt(&ok);
        if (!ok || value < 1 || value > 5)
            return invalid("A rating from 1 to 5 is required");
        return FakeResponse::document(entryDocument("<entry><gd:rating value='" + QByteArray::number(value)
                                                    + "' min='1' max='5'/></entry>"),
                                      ENTRY_TYPE, 201);
    }
    return notFound("Feed");
}

// ---- Upload

// Reads the multipart/related body; fills the upload record, "" or why it is wrong.
QString checkUpload(const FakeRequest& request, FakeUpload& upload)
{
    const QByteArray type = request.header("Content-Type");
    const int at = type.indexOf("boundary=");
    if (!type.startsWith("multipart/related") || at < 0)
        return QStringLiteral("not multipart/related");
    QByteArray boundary = type.mid(at + 9).trimmed();
    if (boundary.startsWith('"') && boundary.endsWith('"') && boundary.size() > 1)
        boundary = boundary.mid(1, boundary.size() - 2);
    if (boundary.isEmpty())
        return QStringLiteral("no boundary");
    upload.slug = request.header("Slug");
    if (upload.slug.isEmpty())
        return QStringLiteral("no Slug header");

    const QByteArray& body = request.body;
    const QByteArray open = "--" + boundary + "\r\n";
    const QByteArray between = "\r\n--" + boundary + "\r\n";
    const QByteArray close = "\r\n--" + boundary + "--\r\n";
    if (!body.startsWith(open))
        return QStringLiteral("the body does not start with the boundary");
    const int entryHeadEnd = body.indexOf("\r\n\r\n", open.size());
    if (entryHeadEnd < 0)
        return QStringLiteral("no headers of the entry part");
    if (!body.mid(open.size(), entryHeadEnd - open.size()).toLower().contains("content-type: application/atom+xml"))
        return QStringLiteral("the first part is not an Atom entry");
    const int entryEnd = body.indexOf(between, entryHeadEnd + 4);
    if (entryEnd < 0)
        return QStringLiteral("no second part");
    const XmlFind xml = readXml(body.mid(entryHeadEnd + 4, entryEnd - entryHeadEnd - 4));
    if (!xml.wellFormed || !xml.isEntry)
        return QStringLiteral("the entry is not well-formed");
    upload.title = text(xml, NS_MEDIA_URI, "title");
    upload.description = text(xml, NS_MEDIA_URI, "description");
    upload.category = text(xml, NS_MEDIA_URI, "category");
    upload.keywords = text(xml, NS_MEDIA_URI, "keywords");
    if (upload.title.isEmpty() || upload.category.isEmpty()
        || attribute(xml, NS_MEDIA_URI, "category", "scheme")
            != QLatin1String("http://gdata.youtube.com/schemas/2007/categories.cat"))
        return QStringLiteral("title or category missing");

    const int partStart = entryEnd + between.size();
    const int partHeadEnd = body.indexOf("\r\n\r\n", partStart);
    if (partHeadEnd < 0)
        return QStringLiteral("no headers of the video part");
    for (const QByteArray& line : body.mid(partStart, partHeadEnd - partStart).split('\n')) {
        const QByteArray trimmed = line.trimmed();
        if (trimmed.toLower().startsWith("content-type:"))
            upload.partType = trimmed.mid(13).trimmed();
    }
    if (upload.partType.isEmpty())
        return QStringLiteral("the video part has no type");
    const qint64 dataStart = partHeadEnd + 4;

    upload.wholeBody = request.body.size() == request.bodySize;
    upload.fileSize = request.bodySize - dataStart - close.size();
    if (upload.fileSize < 0)
        return QStringLiteral("the body is too short");
    if (upload.wholeBody) {
        if (!body.endsWith(close))
            return QStringLiteral("the body does not end with the closing boundary");
        upload.fileBytes = body.mid(int(dataStart), int(upload.fileSize));
    }
    return QString();
}

FakeResponse uploadVideo(const FakeRequest& request, const State& state)
{
    FakeResponse answer;
    if (refused(request, state, answer))
        return answer;
    FakeUpload upload;
    upload.received = true;
    upload.error = checkUpload(request, upload);
    state->lastUpload = upload;
    if (!upload.error.isEmpty())
        return FakeResponse::error(400, "InvalidRequestUriException", upload.error.toUtf8());
    if (state->uploadStatus == 503)
        return FakeResponse::error(503, "disabled_in_maintenance_mode", "The service is in maintenance");
    if (state->uploadStatus != 201)
        return FakeResponse::error(state->uploadStatus, "ServiceException", "Upload refused");
    const QByteArray body = fill(FakeService::fixtureData(QStringLiteral("upload-response.xml")),
                                 {{"VIDEO_ID", state->newId(QStringLiteral("up"))},
                                  {"TITLE", upload.title},
                                  {"DESCRIPTION", upload.description},
                                  {"CATEGORY", upload.category},
                                  {"KEYWORDS", upload.keywords}});
    return FakeResponse::document(body, ENTRY_TYPE, 201);
}

} // namespace

// ---- Public

QMap<QString, QString> FakeAccount::parseForm(const QByteArray& body)
{
    QMap<QString, QString> form;
    for (const QByteArray& item : body.split('&')) {
        if (item.isEmpty())
            continue;
        const int equals = item.indexOf('=');
        QByteArray key = equals < 0 ? item : item.left(equals);
        QByteArray value = equals < 0 ? QByteArray() : item.mid(equals + 1);
        key.replace('+', ' ');
        value.replace('+', ' ');
        form.insert(QUrl::fromPercentEncoding(key), QUrl::fromPercentEncoding(value));
    }
    return form;
}

FakePlayList* FakeAccountState::playList(const QString& id)
{
    for (FakePlayList& list : playLists)
        if (list.id == id)
            return &list;
    return nullptr;
}

QString FakeAccountState::newId(const QString& prefix)
{
    return prefix + QStringLiteral("%1").arg(nextId++, 12, 16, QLatin1Char('0')).toUpper();
}

void addFakeContact(FakeService& service, const std::shared_ptr<FakeAccountState>& state, const FakeContact& contact)
{
    state->contacts.append(contact);
    const QString user = contact.userName;
    std::weak_ptr<FakeAccountState> weak = state;
    service.addRoute("GET", USERS + user, [weak, user](const FakeRequest& request) {
        const State state = weak.lock();
        FakeResponse answer;
        if (!state)
            return notFound("User");
        if (refused(request, state, answer))
            return answer;
        return contactProfile(user);
    });
}

std::shared_ptr<FakeAccountState> addAccountRoutes(FakeService& service)
{
    auto state = std::make_shared<FakeAccountState>();
    state->passwords.insert(FakeAccount::USER, FakeAccount::PASSWORD);
    state->passwords.insert(FakeAccount::CAPTCHA_USER, FakeAccount::CAPTCHA_PASSWORD);
    state->playLists.append(FakePlayList{QStringLiteral("PL8D1A4C2B7E9F0311"), QStringLiteral("Tunturit"),
                                         QStringLiteral("Lapin maisemia"),
                                         {{QStringLiteral("PI8D1A4C2B0001"), QStringLiteral("k7Qm2Lx9Pw4")},
                                          {QStringLiteral("PI8D1A4C2B0002"), QStringLiteral("Zp4sD0qVn8E")},
                                          {QStringLiteral("PI8D1A4C2B0003"), QStringLiteral("Rt5vB1nM3qW")}}});
    state->playLists.append(
        FakePlayList{QStringLiteral("PL3F0C6E1D2A8B9477"), QStringLiteral("Musiikki & muuta"), QString(), {}});
    state->favorites.append(FakeListItem{QStringLiteral("FLq2W8eR4tY6uI0o"), QStringLiteral("kx9fW2qHb1s")});
    addAccountRoutes(service, state);

    addFakeContact(service, state, {QStringLiteral("mikkokorhonen"), QStringLiteral("accepted"),
                                    QStringLiteral("2008-02-26T14:13:03.000-08:00")});
    addFakeContact(service, state,
                   {QStringLiteral("liisa_h"), QStringLiteral("requested"), QStringLiteral("2011-11-02T08:15:00.000Z")});
    addFakeContact(service, state,
                   {QStringLiteral("pekka.p"), QStringLiteral("pending"), QStringLiteral("2012-01-05T12:00:00.000Z")});
    addFakeContact(service, state, {QStringLiteral("tuulikki"), QStringLiteral("accepted"),
                                    QStringLiteral("2010-05-17T23:30:11.000+03:00")});
    return state;
}

void addAccountRoutes(FakeService& service, const std::shared_ptr<FakeAccountState>& state)
{
    std::weak_ptr<FakeAccountState> weak = state;
    auto with = [weak](FakeResponse (*handler)(const FakeRequest&, const State&)) {
        return [weak, handler](const FakeRequest& request) {
            const State state = weak.lock();
            return state ? handler(request, state) : FakeResponse::error(500, "ServiceException", "No account");
        };
    };

    service.addRoute("POST", ACCOUNTS + QStringLiteral("/accounts/ClientLogin"), with(clientLogin));
    service.addRoute("GET", ACCOUNTS + QStringLiteral("/accounts/Captcha"),
                     FakeResponse::document(FakeFeeds::thumbnailImage(), "image/jpeg"));
    service.addRoute("GET", THUMBNAILS + QStringLiteral("/i/*"),
                     FakeResponse::document(FakeFeeds::thumbnailImage(), "image/jpeg"));

    for (const QString& tail : {QString(), QStringLiteral("contacts"), QStringLiteral("inbox"),
                                QStringLiteral("playlists"), QStringLiteral("favorites")}) {
        const QString path = USERS + DEFAULT_USER + (tail.isEmpty() ? QString() : QLatin1Char('/') + tail);
        service.addRoute("GET", path, [weak, tail](const FakeRequest& request) {
            const State state = weak.lock();
            return state ? usersGet(request, state, tail) : notFound("User");
        });
    }
    for (const char* method : {"POST", "PUT", "DELETE"})
        service.addRoute(method, USERS + QLatin1Char('*'), with(usersWrite));
    for (const char* method : {"GET", "POST", "PUT", "DELETE"})
        service.addRoute(method, PLAYLISTS + QLatin1Char('*'), with(playLists));
    service.addRoute("POST", API + QStringLiteral("/feeds/api/videos/*"), with(videoPost));
    service.addRoute("POST", UPLOADS + QStringLiteral("/feeds/api/users/default/uploads"), with(uploadVideo));
}
