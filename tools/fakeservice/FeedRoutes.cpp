#include "tools/fakeservice/FakeService.h"
#include "tools/fakeservice/FakeDocuments.h"

#include <QBuffer>
#include <QColor>
#include <QImage>

namespace {

const QByteArray FEED_TYPE = "application/atom+xml; charset=UTF-8; type=feed";
const QByteArray CATEGORIES_TYPE = "application/atomcat+xml; charset=UTF-8";
const QByteArray HTML_TYPE = "text/html; charset=utf-8";

// Path prefixes of the endpoints under the base URL.
const QString API = QStringLiteral("/gdata");
const QString THUMBNAILS = QStringLiteral("/ytimg");
const QString WEB = QStringLiteral("/www");

// The generated video number n of the test feeds.
FakeVideo generatedVideo(int n)
{
    const QString num = QString::number(n);
    FakeVideo video;
    video.id = QStringLiteral("v%1").arg(n, 10, 10, QLatin1Char('0'));
    video.title = QStringLiteral("Kappale %1 – live & unplugged").arg(n);
    video.description = QStringLiteral("Livetallenne, osa %1. Kuvattu Tavastialla <2013>.\nKiitos kaikille & nähdään taas!")
                            .arg(n);
    video.author = QStringLiteral("artist") + num;
    video.authorDisplay = QStringLiteral("Artist ") + num;
    video.category = QStringLiteral("Music");
    video.keywords = QStringLiteral("live, music, unplugged");
    video.seconds = 30 + n * 7 % 900;
    video.published = QDateTime(QDate(2013, 2, 14), QTime(19, 42, 7), Qt::UTC);
    video.updated = QDateTime(QDate(2013, 6, 30), QTime(8, 11, 54), Qt::UTC);
    video.views = qint64(n) * 1000 + 7;
    video.favorites = n;
    video.rating = 4 + (n % 10) / 10.0;
    video.raters = n * 11;
    video.comments = n * 3;
    video.thumbnailHost = n % 4 + 1;
    return video;
}

FakeComment generatedComment(int n)
{
    const QString num = QString::number(n);
    return FakeComment{QStringLiteral("z13c%1xbfxrxoahs").arg(n, 8, 10, QLatin1Char('0')), QStringLiteral("viewer") + num,
                       QStringLiteral("Comment %1 & reply").arg(n),
                       QDateTime(QDate(2013, 7, 1), QTime(21, 14, 52), Qt::UTC)};
}

FakeResponse watchPage(const FakeRequest& request)
{
    const QString id = request.queryValue(QStringLiteral("v"));
    if (id.isEmpty() || id == FakeFeeds::REMOVED_VIDEO_ID)
        return FakeResponse::fixture(QStringLiteral("watch-page-removed.html"), HTML_TYPE);
    QByteArray page = FakeService::fixtureData(QStringLiteral("watch-page.html"));
    page.replace("{{VIDEO_ID}}", FakeDocuments::escape(id));
    page.replace("{{TOKEN}}", FakeFeeds::WATCH_TOKEN.toLatin1());
    page.replace("{{TITLE}}", "Revontulet Ylläksellä");
    return FakeResponse::document(page, HTML_TYPE);
}

FakeResponse videoFile(const FakeRequest& request)
{
    if (request.queryValue(QStringLiteral("t")) != FakeFeeds::WATCH_TOKEN
        || request.queryValue(QStringLiteral("video_id")).isEmpty()
        || request.queryValue(QStringLiteral("video_id")) == FakeFeeds::REMOVED_VIDEO_ID)
        return FakeResponse::document("<html><body>Not found</body></html>", HTML_TYPE, 404);
    return FakeResponse::generated(FakeFeeds::VIDEO_SIZE);
}

FakeResponse comments(const FakeRequest& request)
{
    // /gdata/feeds/api/videos/<id>/comments
    const QStringList parts = request.path.split(QLatin1Char('/'));
    const QString id = parts.value(parts.size() - 2);
    if (id == FakeFeeds::VIDEO_ID)
        return FakeResponse::fixture(QStringLiteral("comment-feed.xml"), FEED_TYPE);
    const int total = id == FakeFeeds::MANY_COMMENTS_VIDEO_ID ? FakeFeeds::MANY_COMMENTS_TOTAL : 0;
    const int start = request.startIndex();
    const int count = qBound(0, total - start + 1, request.maxResults(25));
    return FakeResponse::document(FakeFeeds::makeCommentFeed(id, count, total, start), FEED_TYPE);
}

} // namespace

QByteArray FakeFeeds::makeVideoFeed(int count, int total, int startIndex)
{
    QByteArray feed = FakeDocuments::feedHead({"video", "standardfeed:global:most_viewed", QString(), QStringLiteral("YouTube"),
                                               QStringLiteral("/feeds/api/standardfeeds/most_viewed"), total, startIndex,
                                               qMax(count, 1)});
    feed.reserve(feed.size() + count * 4200);
    for (int i = 0; i < count; ++i)
        feed += FakeDocuments::videoEntry(generatedVideo(startIndex + i));
    return feed + FakeDocuments::feedEnd();
}

QByteArray FakeFeeds::makeCommentFeed(const QString& videoId, int count, int total, int startIndex)
{
    const QByteArray id = FakeDocuments::escape(videoId);
    QByteArray feed = FakeDocuments::feedHead({"comment", "video:" + id + ":comments", QString(), QStringLiteral("YouTube"),
                                               QStringLiteral("/feeds/api/videos/%1/comments").arg(videoId), total,
                                               startIndex, qMax(count, 1)});
    for (int i = 0; i < count; ++i)
        feed += FakeDocuments::commentEntry(videoId, generatedComment(startIndex + i));
    return feed + FakeDocuments::feedEnd();
}

QByteArray FakeFeeds::thumbnailImage()
{
    static const QByteArray jpeg = [] {
        QImage image(120, 90, QImage::Format_RGB32);
        image.fill(QColor(41, 171, 226));
        for (int y = 30; y < 60; ++y)
            for (int x = 45; x < 75; ++x)
                image.setPixel(x, y, qRgb(255, 255, 255));
        QByteArray data;
        QBuffer buffer(&data);
        buffer.open(QIODevice::WriteOnly);
        image.save(&buffer, "JPG");
        return data;
    }();
    return jpeg;
}

void addFeedRoutes(FakeService& service)
{
    service.addRoute("GET", API + QStringLiteral("/feeds/api/standardfeeds/*"),
                     FakeResponse::fixture(QStringLiteral("standard-feed.xml"), FEED_TYPE));

    // Search.
    service.addRoute("GET", API + QStringLiteral("/feeds/api/videos"), [](const FakeRequest& request) {
        if (request.queryValue(QStringLiteral("q")) == FakeFeeds::EMPTY_SEARCH)
            return FakeResponse::fixture(QStringLiteral("empty-feed.xml"), FEED_TYPE);
        return FakeResponse::fixture(QStringLiteral("standard-feed.xml"), FEED_TYPE);
    });

    // Related videos, video responses and comments of one video.
    service.addRoute("GET", API + QStringLiteral("/feeds/api/videos/*"), [](const FakeRequest& request) {
        if (request.path.endsWith(QLatin1String("/comments")))
            return comments(request);
        if (request.path.endsWith(QLatin1String("/related")) || request.path.endsWith(QLatin1String("/responses")))
            return FakeResponse::fixture(QStringLiteral("standard-feed.xml"), FEED_TYPE);
        return FakeResponse::error(404, "ResourceNotFoundException", "Video not found");
    });

    // An author's uploads.
    service.addRoute("GET", API + QStringLiteral("/feeds/api/users/*"), [](const FakeRequest& request) {
        if (!request.path.endsWith(QLatin1String("/uploads")))
            return FakeResponse::error(404, "ResourceNotFoundException", "User not found");
        if (request.path.contains(QLatin1Char('/') + FakeFeeds::EMPTY_USER + QLatin1Char('/')))
            return FakeResponse::fixture(QStringLiteral("empty-feed.xml"), FEED_TYPE);
        return FakeResponse::fixture(QStringLiteral("standard-feed.xml"), FEED_TYPE);
    });

    service.addRoute("GET", API + QStringLiteral("/schemas/2007/categories.cat"),
                     FakeResponse::fixture(QStringLiteral("categories.xml"), CATEGORIES_TYPE));

    service.addRoute("GET", THUMBNAILS + QStringLiteral("/vi/*"),
                     FakeResponse::document(FakeFeeds::thumbnailImage(), "image/jpeg"));

    service.addRoute("GET", WEB + QStringLiteral("/watch"), watchPage);
    service.addRoute("GET", WEB + QStringLiteral("/get_video"), videoFile);
}

void servePlayableVideo(FakeService& service, const QByteArray& video, qint64 bytesPerSecond, int chunkSize)
{
    service.addRoute("GET", WEB + QStringLiteral("/get_video"), [=](const FakeRequest& request) {
        FakeResponse response = videoFile(request);
        if (response.status != 200)
            return response;
        response = FakeResponse::document(video, "video/x-flv");
        response.bytesPerSecond = bytesPerSecond;
        response.chunkSize = chunkSize;
        return response;
    });
}

void serveGeneratedVideo(FakeService& service, qint64 size, int chunkSize)
{
    service.addRoute("GET", WEB + QStringLiteral("/get_video"), [=](const FakeRequest& request) {
        FakeResponse response = videoFile(request);
        if (response.status != 200)
            return response;
        response = FakeResponse::generated(size);
        response.chunkSize = chunkSize;
        return response;
    });
}
