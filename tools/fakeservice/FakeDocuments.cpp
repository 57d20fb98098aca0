#include "tools/fakeservice/FakeDocuments.h"

#include <QCryptographicHash>

namespace {

const QByteArray API_ROOT = "http://gdata.youtube.com";
const QByteArray WEB_ROOT = "http://www.youtube.com";
const QByteArray CATEGORY_SCHEME = "http://gdata.youtube.com/schemas/2007/categories.cat";
const QByteArray NAMESPACES = "xmlns='http://www.w3.org/2005/Atom' xmlns:app='http://www.w3.org/2007/app' "
                              "xmlns:media='http://search.yahoo.com/mrss/' "
                              "xmlns:openSearch='http://a9.com/-/spec/opensearch/1.1/' "
                              "xmlns:gd='http://schemas.google.com/g/2005' "
                              "xmlns:yt='http://gdata.youtube.com/schemas/2007'";

// The sizes of a video's pictures by their names.
struct Picture
{
    const char* name;
    int width;
    int height;
};
constexpr Picture PICTURES[] = {{"default", 120, 90}, {"mqdefault", 320, 180}, {"hqdefault", 480, 360}};

QByteArray number(qint64 value)
{
    return QByteArray::number(value);
}

QByteArray kind(const QByteArray& term)
{
    return "<category scheme='http://schemas.google.com/g/2005#kind' term='http://gdata.youtube.com/schemas/2007#"
        + term + "'/>";
}

QByteArray userUri(const QString& userName)
{
    return API_ROOT + "/feeds/api/users/" + FakeDocuments::escape(userName);
}

// An entry's author: as in newer documents, the name is the display name (which may
// differ from the user name), the uri ends in the user name.
QByteArray author(const QString& userName, bool withId, const QString& displayName = QString())
{
    const QString name = displayName.isEmpty() ? userName : displayName;
    return "<author><name>" + FakeDocuments::escape(name) + "</name><uri>" + userUri(userName) + "</uri>"
        + (withId ? "<yt:userId>" + FakeDocuments::userId(userName).toLatin1() + "</yt:userId>" : QByteArray())
        + "</author>";
}

QString categoryLabel(const FakeVideo& video)
{
    return video.categoryLabel.isEmpty() ? video.category : video.categoryLabel;
}

QByteArray playerUrl(const FakeVideo& video)
{
    return WEB_ROOT + "/v/" + FakeDocuments::escape(video.id) + "?version=3&amp;f=standard&amp;app=youtube_gdata";
}

QByteArray watchLink(const FakeVideo& video)
{
    return "<link rel='alternate' type='text/html' href='" + WEB_ROOT + "/watch?v=" + FakeDocuments::escape(video.id)
        + "&amp;feature=youtube_gdata'/>";
}

QByteArray mediaGroup(const FakeVideo& video)
{
    using FakeDocuments::escape;
    const QByteArray id = escape(video.id);
    const QByteArray seconds = number(video.seconds);
    const QString display = video.authorDisplay.isEmpty() ? video.author : video.authorDisplay;
    QByteArray group = "<media:group>";
    if (!video.category.isEmpty())
        group += "<media:category label='" + escape(categoryLabel(video)) + "' scheme='" + CATEGORY_SCHEME + "'>"
            + escape(video.category) + "</media:category>";
    group += "<media:content url='" + playerUrl(video) + "' type='application/x-shockwave-flash' medium='video' "
             "isDefault='true' expression='full' duration='" + seconds + "' yt:format='5'/>"
             "<media:credit role='uploader' scheme='urn:youtube' yt:display='" + escape(display) + "'>"
        + escape(video.author) + "</media:credit><media:description type='plain'>" + escape(video.description)
        + "</media:description>";
    if (!video.keywords.isEmpty())
        group += "<media:keywords>" + escape(video.keywords) + "</media:keywords>";
    group += "<media:player url='" + WEB_ROOT + "/watch?v=" + id + "&amp;feature=youtube_gdata_player'/>";
    for (const Picture& picture : PICTURES)
        group += "<media:thumbnail url='" + escape(FakeDocuments::videoThumbnailUrl(video, QLatin1String(picture.name)))
            + "' height='" + number(picture.height) + "' width='" + number(picture.width) + "' yt:name='"
            + picture.name + "'/>";
    return group + "<media:title type='plain'>" + escape(video.title) + "</media:title><yt:duration seconds='"
        + seconds + "'/><yt:uploaded>" + FakeDocuments::timestamp(video.published) + "</yt:uploaded><yt:videoid>" + id
        + "</yt:videoid></media:group>";
}

} // namespace

namespace FakeDocuments {

QByteArray escape(const QString& text)
{
    return text.toHtmlEscaped().toUtf8();
}

QByteArray timestamp(const QDateTime& time)
{
    return time.toUTC().toString(QStringLiteral("yyyy-MM-ddTHH:mm:ss.zzzZ")).toLatin1();
}

QString userId(const QString& userName)
{
    return QString::fromLatin1(QCryptographicHash::hash(userName.toUtf8(), QCryptographicHash::Md5)
                                   .toBase64(QByteArray::Base64UrlEncoding | QByteArray::OmitTrailingEquals))
        .left(22);
}

QString videoThumbnailUrl(const FakeVideo& video, const QString& name)
{
    const QString host = video.thumbnailHost > 0 ? QStringLiteral("i%1").arg(video.thumbnailHost) : QStringLiteral("i");
    return QStringLiteral("http://%1.ytimg.com/vi/%2/%3.jpg").arg(host, video.id, name);
}

QByteArray feedHead(const FakeFeedHead& head)
{
    QByteArray feed = "<?xml version='1.0' encoding='UTF-8'?><feed " + NAMESPACES
        + " gd:etag='W/&quot;DkYMRnk8fCp7I2A9WhFRE0o.&quot;'><id>tag:youtube.com,2008:" + head.id
        + "</id><updated>2013-07-02T10:14:33.105Z</updated>" + kind(head.kind);
    if (!head.title.isEmpty())
        feed += "<title>" + escape(head.title) + "</title>";
    feed += "<logo>http://www.youtube.com/img/pic_youtubelogo_123x63.gif</logo>";
    if (!head.selfPath.isEmpty()) {
        const QByteArray feedUrl = API_ROOT + escape(head.selfPath);
        auto page = [&feedUrl, &head](const QByteArray& rel, int start) {
            return "<link rel='" + rel + "' type='application/atom+xml' href='" + feedUrl + "?start-index="
                + number(start) + "&amp;max-results=" + number(head.perPage) + "&amp;v=2.1'/>";
        };
        feed += page("self", head.start);
        if (head.start + head.perPage <= head.total)
            feed += page("next", head.start + head.perPage);
    }
    feed += head.author == QLatin1String("YouTube")
        ? QByteArray("<author><name>YouTube</name><uri>http://www.youtube.com/</uri></author>")
        : author(head.author, false);
    return feed + "<generator version='2.1' uri='http://gdata.youtube.com'>YouTube data API</generator>"
                  "<openSearch:totalResults>" + number(head.total) + "</openSearch:totalResults>"
                  "<openSearch:startIndex>" + number(head.start) + "</openSearch:startIndex>"
                  "<openSearch:itemsPerPage>" + number(head.perPage) + "</openSearch:itemsPerPage>";
}

QByteArray feedEnd()
{
    return "</feed>";
}

QByteArray videoEntry(const FakeVideo& video)
{
    const QByteArray id = escape(video.id);
    const QByteArray api = API_ROOT + "/feeds/api/videos/" + id;
    const QDateTime updated = video.updated.isValid() ? video.updated : video.published;
    QByteArray entry = "<entry gd:etag='W/&quot;C0QMQn47eCp7I2A9WhFSEEo.&quot;'><id>tag:youtube.com,2008:video:" + id
        + "</id><published>" + timestamp(video.published) + "</published><updated>" + timestamp(updated)
        + "</updated>" + kind("video");
    if (!video.category.isEmpty())
        entry += "<category scheme='" + CATEGORY_SCHEME + "' term='" + escape(video.category) + "' label='"
            + escape(categoryLabel(video)) + "'/>";
    entry += "<title>" + escape(video.title) + "</title><content type='application/x-shockwave-flash' src='"
        + playerUrl(video) + "'/>" + watchLink(video);
    for (const char* rel : {"responses", "ratings", "related"})
        entry += "<link rel='http://gdata.youtube.com/schemas/2007#video." + QByteArray(rel)
            + "' type='application/atom+xml' href='" + api + '/' + rel + "?v=2.1'/>";
    entry += "<link rel='self' type='application/atom+xml' href='" + api + "?v=2.1'/>"
        + author(video.author, true, video.authorDisplay)
        + "<yt:accessControl action='comment' permission='allowed'/>"
          "<yt:accessControl action='rate' permission='allowed'/>"
          "<yt:accessControl action='embed' permission='allowed'/>"
          "<gd:comments><gd:feedLink rel='http://gdata.youtube.com/schemas/2007#comments' href='" + api
        + "/comments?v=2.1' countHint='" + number(video.comments) + "'/></gd:comments>" + mediaGroup(video);
    return entry + videoFigures(video) + "</entry>";
}

QByteArray videoFigures(const FakeVideo& video)
{
    QByteArray figures;
    if (video.rating > 0)
        figures += "<gd:rating average='" + QByteArray::number(video.rating, 'f', 1) + "' max='5' min='1' numRaters='"
            + number(video.raters) + "' rel='http://schemas.google.com/g/2005#overall'/>";
    return figures + "<yt:statistics favoriteCount='" + number(video.favorites) + "' viewCount='"
        + number(video.views) + "'/>";
}

QByteArray listedVideo(const FakeVideo& video, const QString& owner)
{
    return watchLink(video) + "<link rel='related' type='application/atom+xml' href='" + API_ROOT
        + "/feeds/api/videos/" + escape(video.id) + "?v=2'/>" + author(owner, false) + mediaGroup(video);
}

QByteArray commentEntry(const QString& videoId, const FakeComment& comment)
{
    const QByteArray video = escape(videoId);
    const QByteArray published = timestamp(comment.published);
    return "<entry gd:etag='W/&quot;CUIBQ347eCp7I2A9WhFQEkQ.&quot;'><id>tag:youtube.com,2008:video:" + video
        + ":comment:" + escape(comment.id) + "</id><published>" + published + "</published><updated>" + published
        + "</updated><app:edited>" + published + "</app:edited>" + kind("comment") + "<title>"
        + escape(comment.text.left(40)) + "</title><content>" + escape(comment.text) + "</content>"
        + "<link rel='related' type='application/atom+xml' href='" + API_ROOT + "/feeds/api/videos/" + video + "'/>"
        + author(comment.author, true) + "<yt:videoid>" + video + "</yt:videoid></entry>";
}

QByteArray messageEntry(const FakeMessage& message, const QString& owner)
{
    const QByteArray sent = timestamp(message.sent);
    QByteArray entry = "<entry gd:etag='W/&quot;DkQNRX47eCp7I2A9WhFRE0o.&quot;'><id>tag:youtube,2008:user:"
        + escape(owner) + ":inbox:" + escape(message.id) + "</id><published>" + sent + "</published><updated>" + sent
        + "</updated>" + kind("videoMessage");
    if (!message.video.category.isEmpty())
        entry += "<category scheme='" + CATEGORY_SCHEME + "' term='" + escape(message.video.category) + "' label='"
            + escape(categoryLabel(message.video)) + "'/>";
    // The sender is the entry's author; the owner of the inbox only names the feed.
    return entry + "<title>" + escape(message.sender) + " sent you a video!</title><summary>" + escape(message.summary)
        + "</summary>" + listedVideo(message.video, message.sender) + "</entry>";
}

QByteArray entryDocument(const QByteArray& entry)
{
    return "<?xml version='1.0' encoding='UTF-8'?><entry " + NAMESPACES + entry.mid(6);
}

QByteArray profileDocument(const FakeProfile& profile)
{
    const QByteArray user = escape(profile.userName);
    const QByteArray id = userId(profile.userName).toLatin1();
    const QByteArray display = escape(profile.displayName.isEmpty() ? profile.userName : profile.displayName);
    auto feedLink = [&user](const char* rel, const char* path, int count) {
        return "<gd:feedLink rel='http://gdata.youtube.com/schemas/2007#user." + QByteArray(rel) + "' href='"
            + API_ROOT + "/feeds/api/users/" + user + '/' + path + "?v=2.1'"
            + (count >= 0 ? " countHint='" + number(count) + "'" : QByteArray()) + "/>";
    };
    QByteArray entry = "<?xml version='1.0' encoding='UTF-8'?><entry " + NAMESPACES
        + " gd:etag='W/&quot;CU4FQX47eCp7I2A9WhFRE0w.&quot;'><id>tag:youtube.com,2008:user:" + id + "</id><published>"
        + timestamp(profile.joined) + "</published><updated>" + timestamp(profile.lastWebAccess) + "</updated>"
        + kind("userProfile") + "<title>" + display + "</title>";
    if (!profile.summary.isEmpty())
        entry += "<summary>" + escape(profile.summary) + "</summary>";
    entry += "<link rel='alternate' type='text/html' href='" + WEB_ROOT + "/channel/UC" + id + "'/>"
             "<link rel='self' type='application/atom+xml' href='" + API_ROOT + "/feeds/api/users/" + id + "?v=2.1'/>"
             "<author><name>" + display + "</name><uri>" + userUri(profile.userName) + "</uri><yt:userId>" + id
        + "</yt:userId></author>" + feedLink("subscriptions", "subscriptions", profile.subscriptions)
        + feedLink("favorites", "favorites", profile.favorites) + feedLink("contacts", "contacts", profile.contacts)
        + feedLink("inbox", "inbox", -1) + feedLink("playlists", "playlists", -1)
        + feedLink("uploads", "uploads", profile.uploads);
    if (!profile.location.isEmpty())
        entry += "<yt:location>" + escape(profile.location) + "</yt:location>";
    return entry + "<yt:statistics lastWebAccess='" + timestamp(profile.lastWebAccess) + "' subscriberCount='"
        + number(profile.subscribers) + "' videoWatchCount='" + number(profile.watched)
        + "' viewCount='" + number(profile.watched * 3 + profile.subscribers) + "'/>"
          "<media:thumbnail url='http://i3.ytimg.com/i/" + id + "/1.jpg'/><yt:userId>" + id
        + "</yt:userId><yt:username display='" + display + "'>" + user + "</yt:username></entry>";
}

QByteArray categoriesDocument(const QList<FakeCategory>& categories)
{
    QByteArray document = "<?xml version='1.0' encoding='UTF-8'?><app:categories xmlns:app='http://www.w3.org/2007/app' "
                          "xmlns:atom='http://www.w3.org/2005/Atom' xmlns:yt='http://gdata.youtube.com/schemas/2007' "
                          "fixed='yes' scheme='" + CATEGORY_SCHEME + "'>";
    for (const FakeCategory& category : categories) {
        document += "<atom:category term='" + escape(category.term) + "' label='" + escape(category.label)
            + "' xml:lang='en-US'>";
        if (category.assignable)
            document += "<yt:assignable/><yt:browsable regions='AR AU BR CA DE ES FI FR GB GR IL IN JP KR RU SE TH "
                        "TW UA US'/>";
        else
            document += "<yt:deprecated/>";
        document += "</atom:category>";
    }
    return document + "</app:categories>";
}

} // namespace FakeDocuments
