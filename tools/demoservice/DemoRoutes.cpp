#include "tools/demoservice/DemoRoutes.h"

#include "tools/demoservice/DemoPictures.h"
#include "tools/demoservice/DemoVideoFiles.h"
#include "tools/fakeservice/FakeDocuments.h"

#include <QCryptographicHash>
#include <QHash>

namespace {

const QByteArray FEED_TYPE = "application/atom+xml; charset=UTF-8; type=feed";
const QByteArray ENTRY_TYPE = "application/atom+xml; charset=UTF-8; type=entry";
const QByteArray CATEGORIES_TYPE = "application/atomcat+xml; charset=UTF-8";
const QByteArray HTML_TYPE = "text/html; charset=utf-8";
const QByteArray JPEG_TYPE = "image/jpeg";

const QString API = QStringLiteral("/gdata");
const QString STANDARD_FEEDS = API + QStringLiteral("/feeds/api/standardfeeds/");
const QString VIDEOS = API + QStringLiteral("/feeds/api/videos");
const QString USERS = API + QStringLiteral("/feeds/api/users/");
const QString VIDEO_PICTURES = QStringLiteral("/ytimg/vi/");
const QString USER_PICTURES = QStringLiteral("/ytimg/i/");
const QString WEB = QStringLiteral("/www");
const QString ACCOUNTS = QStringLiteral("/google");

constexpr int DEFAULT_PAGE_SIZE = 25;
constexpr int MAX_PAGE_SIZE = 50;   // the service answers no more per page
const QSize USER_PICTURE_SIZE(88, 88);

struct PictureSize
{
    const char* name;
    QSize size;
};
const PictureSize VIDEO_PICTURE_SIZES[] = {
    {"default", {120, 90}}, {"mqdefault", {320, 180}}, {"hqdefault", {480, 360}}, {"0", {320, 240}}};

using Catalogue = std::shared_ptr<const DemoCatalogue>;

QString feedTitle(const QString& name)
{
    if (name == QLatin1String("most_viewed"))
        return QStringLiteral("Most Viewed");
    if (name == QLatin1String("most_recent"))
        return QStringLiteral("Most Recent");
    if (name == QLatin1String("most_discussed"))
        return QStringLiteral("Most Discussed");
    return QStringLiteral("Top Rated");
}

FakeResponse notFound(const QByteArray& what)
{
    return FakeResponse::error(404, "ResourceNotFoundException", what + " not found");
}

// The page of the list that the request asks for, in a feed of the kind.
template <typename T, typename Entry>
FakeResponse feed(const FakeRequest& request, const QByteArray& kind, const QByteArray& id, const QString& title,
                  const QList<T>& items, Entry entry)
{
    FakeFeedHead head;
    head.kind = kind;
    head.id = id;
    head.title = title;
    head.selfPath = request.path.mid(API.size());
    head.total = int(items.count());
    head.start = request.startIndex();
    head.perPage = qMin(request.maxResults(DEFAULT_PAGE_SIZE), MAX_PAGE_SIZE);
    QByteArray document = FakeDocuments::feedHead(head);
    for (int i = head.start - 1; i < items.count() && i < head.start - 1 + head.perPage; ++i)
        document += entry(items.at(i));
    return FakeResponse::document(document + FakeDocuments::feedEnd(), FEED_TYPE);
}

FakeResponse videoFeed(const FakeRequest& request, const QByteArray& id, const QString& title,
                       const QList<FakeVideo>& videos)
{
    return feed(request, "video", id, title, videos, FakeDocuments::videoEntry);
}

// /standardfeeds/<name>, or /standardfeeds/<region>/<name>.
FakeResponse standardFeed(const FakeRequest& request, const Catalogue& catalogue)
{
    const QString name = request.path.section(QLatin1Char('/'), -1);
    const auto videos = catalogue->standardFeed(name, request.queryValue(QStringLiteral("time")));
    if (!videos)
        return FakeResponse::error(400, "InvalidRequestUriException", "Unknown standard feed");
    return videoFeed(request, "standardfeed:global:" + name.toLatin1(), feedTitle(name), *videos);
}

FakeResponse search(const FakeRequest& request, const Catalogue& catalogue)
{
    DemoSearch query;
    query.text = request.queryValue(QStringLiteral("q"));
    query.category = request.queryValue(QStringLiteral("category"));
    query.orderBy = request.queryValue(QStringLiteral("orderby"));
    query.time = request.queryValue(QStringLiteral("time"));
    return videoFeed(request, "videos", QStringLiteral("Videos matching: ") + query.text, catalogue->search(query));
}

// /videos/<id>, /videos/<id>/related, /responses, /comments
FakeResponse video(const FakeRequest& request, const Catalogue& catalogue)
{
    const QStringList parts = request.path.mid(VIDEOS.size()).split(QLatin1Char('/'), Qt::SkipEmptyParts);
    const QString id = parts.value(0);
    const int index = catalogue->indexOf(id);
    if (index < 0 || parts.size() > 2)
        return notFound("Video");
    const FakeVideo& shown = catalogue->videos().at(index);
    const QByteArray tag = "video:" + FakeDocuments::escape(id);
    const QString part = parts.value(1);
    if (part.isEmpty())
        return FakeResponse::document(FakeDocuments::entryDocument(FakeDocuments::videoEntry(shown)), ENTRY_TYPE);
    if (part == QLatin1String("related"))
        return videoFeed(request, tag + ":related", QStringLiteral("Videos related to '%1'").arg(shown.title),
                         catalogue->related(id));
    if (part == QLatin1String("responses"))
        return videoFeed(request, tag + ":responses", QStringLiteral("Video responses to '%1'").arg(shown.title),
                         catalogue->responses(id));
    if (part == QLatin1String("comments"))
        return feed(request, "comment", tag + ":comments", QStringLiteral("Comments on '%1'").arg(shown.title),
                    catalogue->comments(id),
                    [&id](const FakeComment& comment) { return FakeDocuments::commentEntry(id, comment); });
    return notFound("Feed");
}

// /users/<name> (a profile) and /users/<name>/uploads; "default" is the demo account.
FakeResponse user(const FakeRequest& request, const Catalogue& catalogue)
{
    const QStringList parts = request.path.mid(USERS.size()).split(QLatin1Char('/'), Qt::SkipEmptyParts);
    QString name = parts.value(0);
    if (name == QLatin1String("default"))
        name = DemoCatalogue::USER;
    const auto profile = catalogue->profile(name);
    if (!profile || parts.size() > 2)
        return notFound("User");
    if (parts.size() == 1)
        return FakeResponse::document(FakeDocuments::profileDocument(*profile), ENTRY_TYPE);
    if (parts.value(1) == QLatin1String("uploads"))
        return videoFeed(request, "user:" + FakeDocuments::escape(name) + ":uploads",
                         QStringLiteral("Uploads by %1").arg(name), catalogue->uploads(name));
    return notFound("Feed");
}

// Pictures are drawn once and kept.
class PictureStore
{
public:
    explicit PictureStore(Catalogue catalogue) : myCatalogue(std::move(catalogue)) {}

    // /ytimg/vi/<id>/<name>.jpg
    FakeResponse videoPicture(const FakeRequest& request)
    {
        const QStringList parts = request.path.mid(VIDEO_PICTURES.size()).split(QLatin1Char('/'));
        const int index = myCatalogue->indexOf(parts.value(0));
        const QString file = parts.value(1);
        if (index < 0 || parts.size() != 2 || !file.endsWith(QLatin1String(".jpg")))
            return notFound("Picture");
        for (const PictureSize& size : VIDEO_PICTURE_SIZES) {
            if (file.chopped(4) != QLatin1String(size.name))
                continue;
            QByteArray& picture = myPictures[request.path];
            if (picture.isEmpty())
                picture = DemoPictures::jpeg(
                    DemoPictures::videoPicture(index, myCatalogue->videos().at(index).category, size.size));
            return FakeResponse::document(picture, JPEG_TYPE);
        }
        return notFound("Picture");
    }

    // /ytimg/i/<user id>/1.jpg
    FakeResponse userPicture(const FakeRequest& request)
    {
        const QString userId = request.path.mid(USER_PICTURES.size()).section(QLatin1Char('/'), 0, 0);
        if (userId.isEmpty())
            return notFound("Picture");
        QByteArray& picture = myPictures[request.path];
        if (picture.isEmpty())
            picture = DemoPictures::jpeg(DemoPictures::userPicture(userId, USER_PICTURE_SIZE));
        return FakeResponse::document(picture, JPEG_TYPE);
    }

private:
    Catalogue myCatalogue;
    QHash<QString, QByteArray> myPictures;   // by path
};

// The watch page carries the token of the file request in its player arguments.
FakeResponse watchPage(const FakeRequest& request, const Catalogue& catalogue)
{
    const QString id = request.queryValue(QStringLiteral("v"));
    const int index = catalogue->indexOf(id);
    const QByteArray title =
        FakeDocuments::escape(index < 0 ? QStringLiteral("This video is unavailable.") : catalogue->videos().at(index).title);
    QByteArray page = "<!DOCTYPE html><html lang='en'><head><meta charset='utf-8'><title>" + title
        + "</title></head><body><h1>" + title + "</h1>";
    if (index >= 0)
        page += "<script>var swfArgs = {\"video_id\": \"" + FakeDocuments::escape(id) + "\", \"t\": \""
            + demoWatchToken(id).toLatin1() + "\", \"fmt_map\": \"34/0/9/0/115\"};</script>";
    return FakeResponse::document(page + "</body></html>", HTML_TYPE);
}

FakeResponse videoFile(const FakeRequest& request, const Catalogue& catalogue, DemoVideoFiles& files)
{
    const QString id = request.queryValue(QStringLiteral("video_id"));
    const int index = catalogue->indexOf(id);
    if (index < 0 || request.queryValue(QStringLiteral("t")) != demoWatchToken(id))
        return FakeResponse::document("<html><body>Not found</body></html>", HTML_TYPE, 404);
    return files.response(index);
}

// The demo account, also reached under the captcha sign-in name, whose first sign-in
// is answered with a challenge. Comments posted on the catalogue's videos are kept
// there, and the listed copies of those videos count them too.
std::shared_ptr<FakeAccountState> demoAccount(const std::shared_ptr<DemoCatalogue>& catalogue)
{
    auto state = std::make_shared<FakeAccountState>();
    state->passwords.insert(DemoCatalogue::USER, DemoCatalogue::PASSWORD);
    state->passwords.insert(DemoCatalogue::CAPTCHA_USER, DemoCatalogue::PASSWORD);
    state->captchaUser = DemoCatalogue::CAPTCHA_USER;
    state->captchaAnswer = DemoCatalogue::CAPTCHA_ANSWER;
    state->captchaOnce = true;
    state->contacts = catalogue->contacts();
    state->playLists = catalogue->playLists();
    state->favorites = catalogue->favorites();
    state->profile = catalogue->accountProfile();
    state->inbox = catalogue->inbox();
    for (const FakeVideo& video : catalogue->videos())
        state->videos.insert(video.id, video);
    std::weak_ptr<FakeAccountState> weak = state;
    state->commentPosted = [catalogue, weak](const QString& videoId, const QString& text) {
        const auto account = weak.lock();
        if (!account || !catalogue->addComment(videoId, DemoCatalogue::USER, text))
            return;
        account->videos[videoId].comments = catalogue->videos().at(catalogue->indexOf(videoId)).comments;
    };
    return state;
}

} // namespace

QString demoWatchToken(const QString& videoId)
{
    const QByteArray hash = QCryptographicHash::hash("watch " + videoId.toUtf8(), QCryptographicHash::Sha1);
    return QString::fromLatin1(hash.toBase64(QByteArray::Base64UrlEncoding | QByteArray::OmitTrailingEquals));
}

std::shared_ptr<FakeAccountState> addDemoRoutes(FakeService& service, const std::shared_ptr<DemoCatalogue>& catalogue)
{
    const std::shared_ptr<FakeAccountState> account = demoAccount(catalogue);
    addAccountRoutes(service, account);

    // Registered after the account routes: the user pictures and the captcha replace theirs.
    service.addRoute("GET", ACCOUNTS + QStringLiteral("/accounts/Captcha"), [](const FakeRequest&) {
        return FakeResponse::document(DemoPictures::jpeg(DemoPictures::captchaPicture(DemoCatalogue::CAPTCHA_ANSWER)),
                                      JPEG_TYPE);
    });
    auto with = [catalogue](FakeResponse (*handler)(const FakeRequest&, const Catalogue&)) {
        return [catalogue, handler](const FakeRequest& request) { return handler(request, catalogue); };
    };
    service.addRoute("GET", STANDARD_FEEDS + QLatin1Char('*'), with(standardFeed));
    service.addRoute("GET", VIDEOS, with(search));
    service.addRoute("GET", VIDEOS + QStringLiteral("/*"), with(video));
    service.addRoute("GET", USERS + QLatin1Char('*'), with(user));
    service.addRoute("GET", API + QStringLiteral("/schemas/2007/categories.cat"),
                     FakeResponse::document(FakeDocuments::categoriesDocument(catalogue->categories()), CATEGORIES_TYPE));
    auto pictures = std::make_shared<PictureStore>(catalogue);
    service.addRoute("GET", VIDEO_PICTURES + QLatin1Char('*'),
                     [pictures](const FakeRequest& request) { return pictures->videoPicture(request); });
    service.addRoute("GET", USER_PICTURES + QLatin1Char('*'),
                     [pictures](const FakeRequest& request) { return pictures->userPicture(request); });
    service.addRoute("GET", WEB + QStringLiteral("/watch"), with(watchPage));
    auto files = std::make_shared<DemoVideoFiles>(catalogue);
    service.addRoute("GET", WEB + QStringLiteral("/get_video"),
                     [catalogue, files](const FakeRequest& request) { return videoFile(request, catalogue, *files); });
    return account;
}
