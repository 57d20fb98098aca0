#ifndef KRELVOX_SERVICECONSTANTS_H
#define KRELVOX_SERVICECONSTANTS_H

#include <QByteArray>
#include <QLatin1StringView>
#include <QString>

// Service endpoints, request paths, query keys, header names and Atom element names.
// The hosts are the real service's; KRELVOX_SERVICE_BASE_URL (see README) replaces
// all of them with one base URL, which the tests use for their local fake service.
inline const QString SERVICE_ENV_BASE_URL = QStringLiteral("KRELVOX_SERVICE_BASE_URL");

// ---- Endpoints: the real hosts, and the path prefix each one gets under an
// overriding base URL (so one local server can tell them apart). The account's
// password and token go to the login, the API and uploads: those three are https.
inline const QString SERVICE_API_URL = QStringLiteral("https://gdata.youtube.com");
inline const QString SERVICE_ACCOUNTS_URL = QStringLiteral("https://www.google.com");
inline const QString SERVICE_UPLOAD_URL = QStringLiteral("https://uploads.gdata.youtube.com");
inline const QString SERVICE_THUMBNAIL_URL = QStringLiteral("http://i.ytimg.com");
inline const QString SERVICE_WEB_URL = QStringLiteral("http://www.youtube.com");
// The service's domains. Documents name many hosts of them: thumbnails come from
// numbered hosts (i1.ytimg.com...) and from the web site's picture host, the API also
// answers on hosts under its own name, and the web site on its bare domain and the
// mobile host. Each host is an endpoint's: picture hosts the thumbnails', hosts under
// the API's name the API's (uploads apart), any other host of the web site's domain
// the web site's.
inline const QString SERVICE_THUMBNAIL_DOMAIN = QStringLiteral("ytimg.com");
inline const QString SERVICE_PICTURE_HOST = QStringLiteral("img.youtube.com");
inline const QString SERVICE_API_DOMAIN = QStringLiteral("gdata.youtube.com");
inline const QString SERVICE_WEB_DOMAIN = QStringLiteral("youtube.com");

inline const QString SERVICE_API_PREFIX = QStringLiteral("/gdata");
inline const QString SERVICE_ACCOUNTS_PREFIX = QStringLiteral("/google");
inline const QString SERVICE_UPLOAD_PREFIX = QStringLiteral("/uploads");
inline const QString SERVICE_THUMBNAIL_PREFIX = QStringLiteral("/ytimg");
inline const QString SERVICE_WEB_PREFIX = QStringLiteral("/www");

// ---- Request headers
inline const QByteArray HEADER_GDATA_VERSION = QByteArrayLiteral("GData-Version");
inline const QByteArray HEADER_GDATA_VERSION_VALUE = QByteArrayLiteral("2");
inline const QByteArray HEADER_DEVELOPER_KEY = QByteArrayLiteral("X-GData-Key");
inline const QByteArray HEADER_DEVELOPER_KEY_PREFIX = QByteArrayLiteral("key=");
inline const QByteArray HEADER_USER_AGENT_VALUE = QByteArrayLiteral("Krelvox/0.1");

// The program's built-in API credentials.
inline const QByteArray SERVICE_DEVELOPER_KEY =
    QByteArrayLiteral("AI39si5kRlVx0xQmT3nWq8pZc2bHd7YeLg4uJfN1oK6rS9vAiE0wCtDyGhM3jBzU-Fq7Pk");
inline const QString SERVICE_CLIENT_ID = QStringLiteral("ytapi-Morva-Krelvox-k3v9q2r1-0");

// ---- API paths (on the API endpoint)
inline const QString PATH_STANDARD_FEEDS = QStringLiteral("/feeds/api/standardfeeds/");
inline const QString PATH_MOST_VIEWED = QStringLiteral("most_viewed");
inline const QString PATH_MOST_RECENT = QStringLiteral("most_recent");
inline const QString PATH_MOST_DISCUSSED = QStringLiteral("most_discussed");
inline const QString PATH_TOP_RATED = QStringLiteral("top_rated");
inline const QString PATH_VIDEOS = QStringLiteral("/feeds/api/videos");
inline const QString PATH_USERS = QStringLiteral("/feeds/api/users/");
inline const QString PATH_RELATED_SUFFIX = QStringLiteral("/related");
inline const QString PATH_RESPONSES_SUFFIX = QStringLiteral("/responses");
inline const QString PATH_COMMENTS_SUFFIX = QStringLiteral("/comments");
inline const QString PATH_UPLOADS_SUFFIX = QStringLiteral("/uploads");
inline const QString PATH_CATEGORIES = QStringLiteral("/schemas/2007/categories.cat");

// ---- Web site paths (on the web endpoint)
inline const QString PATH_WATCH = QStringLiteral("/watch");
inline const QString PATH_GET_VIDEO = QStringLiteral("/get_video");

// ---- Query keys and values
inline const QString QUERY_MAX_RESULTS = QStringLiteral("max-results");
inline const QString QUERY_START_INDEX = QStringLiteral("start-index");
inline const QString QUERY_TIME = QStringLiteral("time");
inline const QString QUERY_SAFE_SEARCH = QStringLiteral("safeSearch");
inline const QString QUERY_VERSION = QStringLiteral("v");
inline const QString QUERY_VERSION_VALUE = QStringLiteral("2");
inline const QString QUERY_TEXT = QStringLiteral("q");
inline const QString QUERY_ORDER_BY = QStringLiteral("orderby");
inline const QString QUERY_CATEGORY = QStringLiteral("category");
inline const QString QUERY_WATCH_VIDEO = QStringLiteral("v");
inline const QString QUERY_VIDEO_ID = QStringLiteral("video_id");
inline const QString QUERY_TOKEN = QStringLiteral("t");

inline const QString SAFE_SEARCH_STRICT = QStringLiteral("strict");
inline const QString SAFE_SEARCH_NONE = QStringLiteral("none");
inline const QString TIME_TODAY = QStringLiteral("today");
inline const QString TIME_THIS_WEEK = QStringLiteral("this_week");
inline const QString TIME_THIS_MONTH = QStringLiteral("this_month");
inline const QString TIME_ALL_TIME = QStringLiteral("all_time");

// Sort values of a search (keys of the sort-order map; "" is relevance).
inline const QString SORT_RELEVANCE = QString();
inline const QString SORT_PUBLISHED = QStringLiteral("published");
inline const QString SORT_VIEW_COUNT = QStringLiteral("viewCount");
inline const QString SORT_RATING = QStringLiteral("rating");

// A download reports its progress at most this often, not on every read of the
// network: each report repaints a row or moves a progress bar.
inline constexpr int DOWNLOAD_PROGRESS_INTERVAL_MS = 100;

// Page sizes.
inline constexpr int COMMENTS_PAGE_SIZE = 50;
inline constexpr int SERVICE_MAX_RESULTS_LIMIT = 50;

// ---- Atom and its extensions: namespaces (matched by URI, never by prefix)
inline constexpr QLatin1StringView NS_ATOM("http://www.w3.org/2005/Atom");
inline constexpr QLatin1StringView NS_APP("http://www.w3.org/2007/app");
inline constexpr QLatin1StringView NS_MEDIA("http://search.yahoo.com/mrss/");
inline constexpr QLatin1StringView NS_YT("http://gdata.youtube.com/schemas/2007");
inline constexpr QLatin1StringView NS_GD("http://schemas.google.com/g/2005");
inline constexpr QLatin1StringView NS_OPENSEARCH("http://a9.com/-/spec/opensearch/1.1/");
inline constexpr QLatin1StringView NS_OPENSEARCH_RSS("http://a9.com/-/spec/opensearchrss/1.0/");

// ---- Element and attribute names
inline constexpr QLatin1StringView ATOM_FEED("feed");
inline constexpr QLatin1StringView ATOM_ENTRY("entry");
inline constexpr QLatin1StringView ATOM_ID("id");
inline constexpr QLatin1StringView ATOM_TITLE("title");
inline constexpr QLatin1StringView ATOM_CONTENT("content");
inline constexpr QLatin1StringView ATOM_PUBLISHED("published");
inline constexpr QLatin1StringView ATOM_AUTHOR("author");
inline constexpr QLatin1StringView ATOM_NAME("name");
inline constexpr QLatin1StringView ATOM_URI("uri");
inline constexpr QLatin1StringView ATOM_LINK("link");
inline constexpr QLatin1StringView ATOM_CATEGORY("category");
inline constexpr QLatin1StringView OPENSEARCH_TOTAL_RESULTS("totalResults");
inline constexpr QLatin1StringView OPENSEARCH_START_INDEX("startIndex");
inline constexpr QLatin1StringView MEDIA_GROUP("group");
inline constexpr QLatin1StringView MEDIA_DESCRIPTION("description");
inline constexpr QLatin1StringView MEDIA_THUMBNAIL("thumbnail");
inline constexpr QLatin1StringView MEDIA_CATEGORY("category");
inline constexpr QLatin1StringView MEDIA_KEYWORDS("keywords");
inline constexpr QLatin1StringView MEDIA_CONTENT("content");
inline constexpr QLatin1StringView MEDIA_CREDIT("credit");
inline constexpr QLatin1StringView MEDIA_PLAYER("player");
inline constexpr QLatin1StringView YT_VIDEOID("videoid");
inline constexpr QLatin1StringView YT_DURATION("duration");
inline constexpr QLatin1StringView YT_UPLOADED("uploaded");
inline constexpr QLatin1StringView YT_STATISTICS("statistics");
inline constexpr QLatin1StringView YT_ASSIGNABLE("assignable");
inline constexpr QLatin1StringView YT_DEPRECATED("deprecated");
inline constexpr QLatin1StringView YT_USERNAME("username");
inline constexpr QLatin1StringView GD_RATING("rating");
inline constexpr QLatin1StringView GD_COMMENTS("comments");
inline constexpr QLatin1StringView GD_FEEDLINK("feedLink");
inline constexpr QLatin1StringView APP_CATEGORIES("categories");
inline constexpr QLatin1StringView GDATA_ERRORS("errors");
inline constexpr QLatin1StringView GDATA_ERROR_CODE("code");
inline constexpr QLatin1StringView GDATA_ERROR_REASON("internalReason");

inline constexpr QLatin1StringView ATTR_SECONDS("seconds");
inline constexpr QLatin1StringView ATTR_DURATION("duration");
inline constexpr QLatin1StringView ATTR_VIEW_COUNT("viewCount");
inline constexpr QLatin1StringView ATTR_AVERAGE("average");
inline constexpr QLatin1StringView ATTR_NUM_RATERS("numRaters");
inline constexpr QLatin1StringView ATTR_COUNT_HINT("countHint");
inline constexpr QLatin1StringView ATTR_HREF("href");
inline constexpr QLatin1StringView ATTR_REL("rel");
inline constexpr QLatin1StringView ATTR_URL("url");
inline constexpr QLatin1StringView ATTR_NAME("name");
inline constexpr QLatin1StringView ATTR_ROLE("role");
inline constexpr QLatin1StringView ATTR_TYPE("type");
inline constexpr QLatin1StringView ATTR_TERM("term");
inline constexpr QLatin1StringView ATTR_LABEL("label");
inline constexpr QLatin1StringView ATTR_SCHEME("scheme");
inline constexpr QLatin1StringView ATTR_DISPLAY("display");

inline constexpr QLatin1StringView REL_ALTERNATE("alternate");
inline constexpr QLatin1StringView REL_NEXT("next");
inline constexpr QLatin1StringView REL_RELATED("http://gdata.youtube.com/schemas/2007#video.related");
inline constexpr QLatin1StringView REL_RESPONSES("http://gdata.youtube.com/schemas/2007#video.responses");
inline constexpr QLatin1StringView ROLE_UPLOADER("uploader");
inline constexpr QLatin1StringView THUMBNAIL_DEFAULT_NAME("default");
inline constexpr QLatin1StringView SCHEME_CATEGORIES("http://gdata.youtube.com/schemas/2007/categories.cat");
inline constexpr QLatin1StringView TEXT_TYPE("text");
inline constexpr QLatin1StringView ID_VIDEO_MARK(":video:");
inline constexpr QLatin1StringView ID_VIDEO_PATH_MARK("/videos/");
inline constexpr QLatin1StringView USER_PATH_MARK("/users/");
inline constexpr QLatin1StringView WATCH_VIDEO_MARK("v=");

// Dates of comments as the lists show them (day.month.year).
inline const QString COMMENT_DATE_FORMAT = QStringLiteral("dd.MM.yyyy");

// ---- Downloaded files
inline const QString THUMBNAIL_FILE_SUFFIX = QStringLiteral(".jpg");

#endif
