#include "tools/fakeservice/FakeService.h"

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

QByteArray xmlEscape(const QString& text)
{
    return text.toHtmlEscaped().toUtf8();
}

QByteArray feedHead(const QByteArray& kind, const QByteArray& id, const QByteArray& selfPath, int total,
                    int startIndex, int perPage)
{
    return "<?xml version='1.0' encoding='UTF-8'?><feed xmlns='http://www.w3.org/2005/Atom' "
           "xmlns:app='http://www.w3.org/2007/app' xmlns:media='http://search.yahoo.com/mrss/' "
           "xmlns:openSearch='http://a9.com/-/spec/opensearch/1.1/' xmlns:gd='http://schemas.google.com/g/2005' "
           "xmlns:yt='http://gdata.youtube.com/schemas/2007' gd:etag='W/&quot;DkYMRnk8fCp7I2A9WhFRE0o.&quot;'>"
           "<id>tag:youtube.com,2008:" + id + "</id><updated>2013-07-02T10:14:33.105Z</updated>"
           "<category scheme='http://schemas.google.com/g/2005#kind' term='http://gdata.youtube.com/schemas/2007#" + kind + "'/>"
           "<logo>http://www.youtube.com/img/pic_youtubelogo_123x63.gif</logo>"
           "<link rel='self' type='application/atom+xml' href='http://gdata.youtube.com" + selfPath
        + "?start-index=" + QByteArray::number(startIndex) + "&amp;max-results=" + QByteArray::number(perPage)
        + "&amp;v=2.1'/><author><name>YouTube</name><uri>http://www.youtube.com/</uri></author>"
          "<generator version='2.1' uri='http://gdata.youtube.com'>YouTube data API</generator>"
          "<openSearch:totalResults>" + QByteArray::number(total) + "</openSearch:totalResults><openSearch:startIndex>"
        + QByteArray::number(startIndex) + "</openSearch:startIndex><openSearch:itemsPerPage>"
        + QByteArray::number(perPage) + "</openSearch:itemsPerPage>";
}

QByteArray videoEntry(int n)
{
    const QByteArray id = QStringLiteral("v%1").arg(n, 10, 10, QLatin1Char('0')).toLatin1();
    const QByteArray num = QByteArray::number(n);
    const QByteArray api = "http://gdata.youtube.com/feeds/api/videos/" + id;
    const QByteArray thumbs = "http://i" + QByteArray::number(n % 4 + 1) + ".ytimg.com/vi/" + id + "/";
    const QByteArray seconds = QByteArray::number(30 + n * 7 % 900);
    return "<entry gd:etag='W/&quot;C0QMQn47eCp7I2A9WhFSEEo.&quot;'><id>tag:youtube.com,2008:video:" + id
        + "</id><published>2013-02-14T19:42:07.000Z</published><updated>2013-06-30T08:11:54.000Z</updated>"
          "<category scheme='http://schemas.google.com/g/2005#kind' term='http://gdata.youtube.com/schemas/2007#video'/>"
          "<category scheme='http://gdata.youtube.com/schemas/2007/categories.cat' term='Music' label='Music'/>"
          "<title>Kappale " + num + " – live &amp; unplugged</title>"
          "<content type='application/x-shockwave-flash' src='http://www.youtube.com/v/" + id
        + "?version=3&amp;f=standard&amp;app=youtube_gdata'/>"
          "<link rel='alternate' type='text/html' href='http://www.youtube.com/watch?v=" + id + "&amp;feature=youtube_gdata'/>"
          "<link rel='http://gdata.youtube.com/schemas/2007#video.responses' type='application/atom+xml' href='" + api + "/responses?v=2.1'/>"
          "<link rel='http://gdata.youtube.com/schemas/2007#video.ratings' type='application/atom+xml' href='" + api + "/ratings?v=2.1'/>"
          "<link rel='http://gdata.youtube.com/schemas/2007#video.related' type='application/atom+xml' href='" + api + "/related?v=2.1'/>"
          "<link rel='self' type='application/atom+xml' href='" + api + "?v=2.1'/>"
          "<author><name>artist" + num + "</name><uri>http://gdata.youtube.com/feeds/api/users/artist" + num
        + "</uri><yt:userId>Vq3xK8cT1mZ0bN2wLr7yHg</yt:userId></author>"
          "<yt:accessControl action='comment' permission='allowed'/><yt:accessControl action='rate' permission='allowed'/>"
          "<yt:accessControl action='embed' permission='allowed'/>"
          "<gd:comments><gd:feedLink rel='http://gdata.youtube.com/schemas/2007#comments' href='" + api
        + "/comments?v=2.1' countHint='" + QByteArray::number(n * 3) + "'/></gd:comments>"
          "<media:group><media:category label='Music' scheme='http://gdata.youtube.com/schemas/2007/categories.cat'>Music</media:category>"
          "<media:content url='http://www.youtube.com/v/" + id + "?version=3&amp;f=standard&amp;app=youtube_gdata' "
          "type='application/x-shockwave-flash' medium='video' isDefault='true' expression='full' duration='" + seconds + "' yt:format='5'/>"
          "<media:credit role='uploader' scheme='urn:youtube' yt:display='Artist " + num + "'>artist" + num + "</media:credit>"
          "<media:description type='plain'>Livetallenne, osa " + num + ". Kuvattu Tavastialla &lt;2013&gt;.\n"
          "Kiitos kaikille &amp; nähdään taas!</media:description>"
          "<media:keywords>live, music, unplugged</media:keywords>"
          "<media:player url='http://www.youtube.com/watch?v=" + id + "&amp;feature=youtube_gdata_player'/>"
          "<media:thumbnail url='" + thumbs + "default.jpg' height='90' width='120' time='00:00:30' yt:name='default'/>"
          "<media:thumbnail url='" + thumbs + "mqdefault.jpg' height='180' width='320' yt:name='mqdefault'/>"
          "<media:thumbnail url='" + thumbs + "hqdefault.jpg' height='360' width='480' yt:name='hqdefault'/>"
          "<media:title type='plain'>Kappale " + num + " – live &amp; unplugged</media:title>"
          "<yt:duration seconds='" + seconds + "'/><yt:uploaded>2013-02-14T19:42:07.000Z</yt:uploaded>"
          "<yt:videoid>" + id + "</yt:videoid></media:group>"
          "<gd:rating average='4." + QByteArray::number(n % 10) + "' max='5' min='1' numRaters='" + QByteArray::number(n * 11)
        + "' rel='http://schemas.google.com/g/2005#overall'/>"
          "<yt:statistics favoriteCount='" + num + "' viewCount='" + QByteArray::number(n * 1000 + 7) + "'/></entry>";
}

QByteArray commentEntry(const QByteArray& videoId, int n)
{
    const QByteArray num = QByteArray::number(n);
    const QByteArray cid = "z13c" + QByteArray::number(n).rightJustified(8, '0') + "xbfxrxoahs";
    return "<entry gd:etag='W/&quot;CUIBQ347eCp7I2A9WhFQEkQ.&quot;'><id>tag:youtube.com,2008:video:" + videoId
        + ":comment:" + cid + "</id><published>2013-07-01T21:14:52.000Z</published><updated>2013-07-01T21:14:52.000Z</updated>"
          "<app:edited>2013-07-01T21:14:52.000Z</app:edited>"
          "<category scheme='http://schemas.google.com/g/2005#kind' term='http://gdata.youtube.com/schemas/2007#comment'/>"
          "<title>Comment " + num + "</title><content>Comment " + num + " &amp; reply</content>"
          "<link rel='related' type='application/atom+xml' href='http://gdata.youtube.com/feeds/api/videos/" + videoId + "'/>"
          "<author><name>viewer" + num + "</name><uri>http://gdata.youtube.com/feeds/api/users/viewer" + num
        + "</uri><yt:userId>Hq7u2LbC8V98jsR_tu6GA</yt:userId></author><yt:videoid>" + videoId + "</yt:videoid></entry>";
}

int pageStart(const FakeRequest& request)
{
    return qMax(1, request.queryValue(QStringLiteral("start-index")).toInt());
}

int pageSize(const FakeRequest& request, int fallback)
{
    const int size = request.queryValue(QStringLiteral("max-results")).toInt();
    return size > 0 ? size : fallback;
}

FakeResponse watchPage(const FakeRequest& request)
{
    const QString id = request.queryValue(QStringLiteral("v"));
    if (id.isEmpty() || id == FakeFeeds::REMOVED_VIDEO_ID)
        return FakeResponse::fixture(QStringLiteral("watch-page-removed.html"), HTML_TYPE);
    QByteArray page = FakeService::fixtureData(QStringLiteral("watch-page.html"));
    page.replace("{{VIDEO_ID}}", xmlEscape(id));
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
    const int start = pageStart(request);
    const int count = qBound(0, total - start + 1, pageSize(request, 25));
    return FakeResponse::document(FakeFeeds::makeCommentFeed(id, count, total, start), FEED_TYPE);
}

} // namespace

QByteArray FakeFeeds::makeVideoFeed(int count, int total, int startIndex)
{
    QByteArray feed = feedHead("video", "standardfeed:global:most_viewed", "/feeds/api/standardfeeds/most_viewed",
                               total, startIndex, qMax(count, 1));
    feed.reserve(feed.size() + count * 4200);
    for (int i = 0; i < count; ++i)
        feed += videoEntry(startIndex + i);
    return feed + "</feed>";
}

QByteArray FakeFeeds::makeCommentFeed(const QString& videoId, int count, int total, int startIndex)
{
    const QByteArray id = xmlEscape(videoId);
    QByteArray feed = feedHead("comment", "video:" + id + ":comments", "/feeds/api/videos/" + id + "/comments", total,
                               startIndex, qMax(count, 1));
    for (int i = 0; i < count; ++i)
        feed += commentEntry(id, startIndex + i);
    return feed + "</feed>";
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
