#ifndef KRELVOX_ACCOUNTCONSTANTS_H
#define KRELVOX_ACCOUNTCONSTANTS_H

#include <QByteArray>
#include <QLatin1StringView>
#include <QString>

// The account side of the service: sign-in, posting, contacts, profile, inbox,
// playlists, favourites and upload. The texts the account operations report to the
// user are in service/ServiceTexts.h.

// ---- Sign-in (ClientLogin, on the accounts endpoint over HTTPS)
inline const QString PATH_CLIENT_LOGIN = QStringLiteral("/accounts/ClientLogin");
// A captcha picture is addressed relative to this path of the accounts endpoint.
inline const QString PATH_ACCOUNTS_FOLDER = QStringLiteral("/accounts/");

inline const QString LOGIN_ACCOUNT_TYPE = QStringLiteral("accountType");
inline const QString LOGIN_EMAIL = QStringLiteral("Email");
inline const QString LOGIN_PASSWORD = QStringLiteral("Passwd");
inline const QString LOGIN_SERVICE = QStringLiteral("service");
inline const QString LOGIN_SOURCE = QStringLiteral("source");
inline const QString LOGIN_CAPTCHA_TOKEN = QStringLiteral("logintoken");
inline const QString LOGIN_CAPTCHA_ANSWER = QStringLiteral("logincaptcha");
inline const QString LOGIN_ACCOUNT_TYPE_VALUE = QStringLiteral("HOSTED_OR_GOOGLE");
inline const QString LOGIN_SERVICE_VALUE = QStringLiteral("youtube");
inline const QString LOGIN_SOURCE_VALUE = QStringLiteral("Morva-Krelvox-0.1");

// Keys of the sign-in answer's "Key=value" lines.
inline const QString LOGIN_ANSWER_AUTH = QStringLiteral("Auth");
inline const QString LOGIN_ANSWER_ERROR = QStringLiteral("Error");
inline const QString LOGIN_ANSWER_CAPTCHA_TOKEN = QStringLiteral("CaptchaToken");
inline const QString LOGIN_ANSWER_CAPTCHA_URL = QStringLiteral("CaptchaUrl");

// Error codes of a refused sign-in.
inline const QString LOGIN_ERROR_BAD_AUTHENTICATION = QStringLiteral("BadAuthentication");
inline const QString LOGIN_ERROR_NOT_VERIFIED = QStringLiteral("NotVerified");
inline const QString LOGIN_ERROR_TERMS_NOT_AGREED = QStringLiteral("TermsNotAgreed");
inline const QString LOGIN_ERROR_CAPTCHA_REQUIRED = QStringLiteral("CaptchaRequired");
inline const QString LOGIN_ERROR_UNKNOWN = QStringLiteral("Unknown");
inline const QString LOGIN_ERROR_ACCOUNT_DELETED = QStringLiteral("AccountDeleted");
inline const QString LOGIN_ERROR_ACCOUNT_DISABLED = QStringLiteral("AccountDisabled");
inline const QString LOGIN_ERROR_SERVICE_DISABLED = QStringLiteral("ServiceDisabled");
inline const QString LOGIN_ERROR_SERVICE_UNAVAILABLE = QStringLiteral("ServiceUnavailable");

// ---- Request headers and body types of the account's requests
inline const QByteArray HEADER_AUTHORIZATION = QByteArrayLiteral("Authorization");
inline const QByteArray HEADER_AUTHORIZATION_PREFIX = QByteArrayLiteral("GoogleLogin auth=");
inline const QByteArray HEADER_CONTENT_TYPE = QByteArrayLiteral("Content-Type");
inline const QByteArray HEADER_SLUG = QByteArrayLiteral("Slug");
inline const QByteArray CONTENT_TYPE_FORM = QByteArrayLiteral("application/x-www-form-urlencoded");
inline const QByteArray CONTENT_TYPE_ATOM = QByteArrayLiteral("application/atom+xml; charset=UTF-8");
inline const QByteArray CONTENT_TYPE_MULTIPART_RELATED = QByteArrayLiteral("multipart/related; boundary=");
inline const QByteArray CONTENT_TYPE_OCTET_STREAM = QByteArrayLiteral("application/octet-stream");

// ---- Account paths (on the API endpoint unless said otherwise)
inline const QString USER_DEFAULT = QStringLiteral("default");   // the signed-in user
inline const QString PATH_CONTACTS_SUFFIX = QStringLiteral("/contacts");
inline const QString PATH_INBOX_SUFFIX = QStringLiteral("/inbox");
inline const QString PATH_PLAYLISTS_SUFFIX = QStringLiteral("/playlists");
inline const QString PATH_FAVORITES_SUFFIX = QStringLiteral("/favorites");
inline const QString PATH_RATINGS_SUFFIX = QStringLiteral("/ratings");
inline const QString PATH_PLAYLIST_FEEDS = QStringLiteral("/feeds/api/playlists/");
// On the upload endpoint.
inline const QString PATH_UPLOAD_FEED = QStringLiteral("/feeds/api/users/default/uploads");

// Pictures of contacts and of inbox messages in the thumbnails folder.
inline const QString CONTACT_THUMBNAIL_PREFIX = QStringLiteral("contact_thumb_");
inline const QString MESSAGE_THUMBNAIL_PREFIX = QStringLiteral("message_thumb_");

// Page size of the contacts, inbox and playlist feeds.
inline constexpr int ACCOUNT_FEED_PAGE_SIZE = 50;

// ---- Elements, attributes and values of the account's documents
inline constexpr QLatin1StringView ATOM_SUMMARY("summary");
inline constexpr QLatin1StringView ATOM_SUBTITLE("subtitle");
inline constexpr QLatin1StringView ATOM_UPDATED("updated");
inline constexpr QLatin1StringView YT_STATUS("status");
inline constexpr QLatin1StringView YT_PLAYLIST_ID("playlistId");
inline constexpr QLatin1StringView YT_COUNT_HINT("countHint");
inline constexpr QLatin1StringView YT_POSITION("position");
inline constexpr QLatin1StringView YT_PRIVATE("private");
inline constexpr QLatin1StringView YT_RATING("rating");
inline constexpr QLatin1StringView MEDIA_TITLE("title");
inline constexpr QLatin1StringView ATTR_LAST_WEB_ACCESS("lastWebAccess");
inline constexpr QLatin1StringView ATTR_VIDEO_WATCH_COUNT("videoWatchCount");
inline constexpr QLatin1StringView ATTR_SRC("src");

inline constexpr QLatin1StringView REL_USER_FAVORITES("http://gdata.youtube.com/schemas/2007#user.favorites");
inline constexpr QLatin1StringView REL_USER_CONTACTS("http://gdata.youtube.com/schemas/2007#user.contacts");
inline constexpr QLatin1StringView REL_USER_SUBSCRIPTIONS("http://gdata.youtube.com/schemas/2007#user.subscriptions");
inline constexpr QLatin1StringView REL_USER_UPLOADS("http://gdata.youtube.com/schemas/2007#user.uploads");
inline constexpr QLatin1StringView SCHEME_CONTACT_LIST("http://gdata.youtube.com/schemas/2007/contact.cat");
inline constexpr QLatin1StringView SCHEME_KIND("http://schemas.google.com/g/2005#kind");
inline constexpr QLatin1StringView ID_PLAYLIST_MARK(":playlist:");

inline const QString CONTACT_LIST_FRIENDS = QStringLiteral("Friends");
inline const QString CONTACT_STATUS_ACCEPTED = QStringLiteral("accepted");
inline const QString CONTACT_STATUS_REQUESTED = QStringLiteral("requested");
inline const QString CONTACT_STATUS_REJECTED = QStringLiteral("rejected");
inline const QString RATING_MIN = QStringLiteral("1");
inline const QString RATING_MAX = QStringLiteral("5");
inline const QString MEDIA_TYPE_PLAIN = QStringLiteral("plain");

// ---- The profile hash delivered with profileFetched (keys)
inline const QString PROFILE_PUBLISHED = QStringLiteral("published");
inline const QString PROFILE_LAST_WEB_ACCESS = QStringLiteral("lastWebAccess");
inline const QString PROFILE_VIDEO_WATCH_COUNT = QStringLiteral("videoWatchCount");
inline const QString PROFILE_FAVORITES = QStringLiteral("favorites");
inline const QString PROFILE_CONTACTS = QStringLiteral("contacts");
inline const QString PROFILE_SUBSCRIPTIONS = QStringLiteral("subscriptions");
inline const QString PROFILE_SEARCHES = QStringLiteral("searches");
inline const QString PROFILE_MOST_SEARCHED = QStringLiteral("mostSearched");
inline const QString PROFILE_MOST_VIEWED_VIDEO = QStringLiteral("mostViewedVideo");
inline const QString PROFILE_DISK_SPACE_USED = QStringLiteral("diskSpaceUsed");
inline const QString PROFILE_DISK_SPACE_AVAILABLE = QStringLiteral("diskSpaceAvailable");

// ---- Upload: the keys of the map handed to uploadVideo, and the parts of the body
inline const QString UPLOAD_LOCATION = QStringLiteral("location");
inline const QString UPLOAD_TITLE = QStringLiteral("title");
inline const QString UPLOAD_DESCRIPTION = QStringLiteral("description");
inline const QString UPLOAD_CATEGORY = QStringLiteral("category");
inline const QString UPLOAD_KEYWORDS = QStringLiteral("keywords");
inline const QByteArray UPLOAD_BOUNDARY_PREFIX = QByteArrayLiteral("krelvox-part-");
inline const QByteArray HEADER_CONTENT_TRANSFER_ENCODING_BINARY =
    QByteArrayLiteral("Content-Transfer-Encoding: binary");

// The body type of an uploaded file by its extension (lower case); other files are
// sent as CONTENT_TYPE_OCTET_STREAM.
struct VideoMimeType { const char* extension; const char* type; };
inline constexpr VideoMimeType UPLOAD_VIDEO_TYPES[] = {
    {"avi", "video/x-msvideo"}, {"3gp", "video/3gpp"},      {"mov", "video/quicktime"},
    {"mp4", "video/mp4"},       {"mpeg", "video/mpeg"},     {"mpg", "video/mpeg"},
    {"flv", "video/x-flv"},     {"swf", "application/x-shockwave-flash"},
    {"mkv", "video/x-matroska"},
};

#endif
