#include "core/repository/RepositoryRows.h"
#include "core/repository/PlayListPositions.h"
#include "core/PlayList.h"
#include "core/VideoEntry.h"
#include "core/repository/RepositoryDatabase.h"

#include <QDateTime>
#include <QSqlQuery>

namespace {

const QString KEYWORD_SEPARATOR = QStringLiteral("\n");

// Integer columns arrive as 64-bit values; reading them as such spares a conversion.
int intAt(const QSqlQuery& q, int column)
{
    return int(q.value(column).toLongLong());
}

// A text column of ENTRY_COLUMNS (UTF-8 bytes), or any text column. An empty text
// reads as an empty string, SQL NULL as a null string.
QString textAt(const QSqlQuery& q, int column)
{
    const QVariant value = q.value(column);
    if (value.typeId() != QMetaType::QByteArray)
        return value.toString();
    const QByteArray bytes = value.toByteArray();
    return bytes.isEmpty() ? QStringLiteral("") : QString::fromUtf8(bytes);
}

} // namespace

qint64 usageStamp()
{
    static qint64 last = 0;
    qint64 now = QDateTime::currentMSecsSinceEpoch();
    if (now <= last)
        now = last + 1;
    last = now;
    return now;
}

const QString VIDEO_FLAGS = QStringLiteral(
    "exists (select 1 from favorite s where s.video_entry_id = v.id and s.playlist_id = 1"
    "   and s.video_link = 0 and s.download_state = 1),"
    " exists (select 1 from favorite l where l.video_entry_id = v.id and l.playlist_id = 1"
    "   and l.video_link = 1),"
    " exists (select 1 from video_history h where h.video_entry_id = v.id) ");

// Text columns are read as their UTF-8 bytes and decoded by readEntry: the driver
// would have SQLite convert every text value to UTF-16 in a buffer of its own, which
// made up a third of the time of filling a long playlist.
const QString ENTRY_COLUMNS = QStringLiteral(
    "select f.id, f.playlist_id, ") + QLatin1String(PlayListPositions::POSITION_OF_ROW) + QStringLiteral(", f.download_state, f.video_link, cast(f.provider_entry_id as blob),"
    " v.id, v.vs_id, cast(v.video_id as blob), cast(v.name as blob), cast(v.description as blob),"
    " cast(v.author as blob), v.length, cast(v.upload_date as blob),"
    " cast(v.view_count as blob), cast(v.comment_count as blob), cast(v.rating as blob),"
    " cast(v.rating_count as blob), cast(v.category as blob), cast(v.keywords as blob),"
    " cast(v.watch_url as blob), cast(v.thumbnail_url as blob), cast(v.comments_url as blob),"
    " cast(v.related_url as blob), cast(v.responses_url as blob),"
    " cast(v.thumbnail_file as blob), cast(v.video_file as blob), v.video_file_size,"
    " cast(v.author_user_name as blob), ") + VIDEO_FLAGS;

const QString ENTRY_SELECT = ENTRY_COLUMNS + QStringLiteral("from favorite f join video_entry v on v.id = f.video_entry_id ");

const QString PLAYLIST_COLUMNS = QStringLiteral(
    "select vs_id, id, type, name,  provider_id, description, provider_updated_date, is_private   from playlist ");

VideoEntry* readEntry(const QSqlQuery& q)
{
    VideoEntry* entry = new VideoEntry;
    entry->setFavoriteId(intAt(q, 0));
    entry->setPlayListId(intAt(q, 1));
    entry->setSortId(intAt(q, 2));
    entry->setDownloadState(intAt(q, 3));
    entry->setVideoLink(intAt(q, 4));
    entry->setProviderEntryId(textAt(q, 5));
    entry->setEntryId(intAt(q, 6));
    entry->setServiceId(intAt(q, 7));
    entry->setVideoId(textAt(q, 8));
    entry->setName(textAt(q, 9));
    entry->setDescription(textAt(q, 10));
    entry->setAuthor(textAt(q, 11));
    entry->setLength(float(q.value(12).toDouble()));
    const QString uploaded = textAt(q, 13);
    if (!uploaded.isEmpty())
        entry->setUploadDate(QDateTime::fromString(uploaded, Qt::ISODateWithMs));
    entry->setViewCount(textAt(q, 14));
    entry->setCommentCount(textAt(q, 15));
    entry->setRating(textAt(q, 16));
    entry->setRatingCount(textAt(q, 17));
    entry->setCategory(textAt(q, 18));
    const QString keywords = textAt(q, 19);
    entry->setKeywords(keywords.isEmpty() ? QStringList() : keywords.split(KEYWORD_SEPARATOR));
    entry->setWatchUrl(textAt(q, 20));
    entry->setThumbnailUrl(textAt(q, 21));
    entry->setCommentsUrl(textAt(q, 22));
    entry->setRelatedUrl(textAt(q, 23));
    entry->setResponsesUrl(textAt(q, 24));
    // Thumbnails of stored favourites are kept on the card: shown without the network,
    // and decoded only for the rows that are painted.
    entry->deferThumbnail(textAt(q, 25));
    entry->setVideoFile(textAt(q, 26));
    entry->setVideoFileSize(intAt(q, 27));
    entry->setAuthorUserName(textAt(q, 28));
    entry->setStoredFavorite(intAt(q, 29) != 0);
    entry->setLinkFavorite(intAt(q, 30) != 0);
    entry->setInHistory(intAt(q, 31) != 0);
    return entry;
}

QList<VideoEntry*> readEntries(RepositoryDatabase& database, QSqlQuery& query, const char* caller, bool* ok)
{
    QList<VideoEntry*> entries;
    while (query.next())
        entries.append(readEntry(query));
    const bool ended = database.rowsEnded(query, caller);
    if (ok)
        *ok = ended;
    return entries;
}

PlayList* readPlayList(const QSqlQuery& q)
{
    // Columns: vs_id, id, type, name, provider_id, description, provider_updated_date, is_private
    PlayList* playList = new PlayList(q.value(1).toInt(), q.value(0).toInt(), q.value(2).toInt(), q.value(3).toString());
    playList->setProviderId(q.value(4).toString());
    playList->setDescription(q.value(5).toString());
    playList->setProviderUpdated(QDateTime::fromString(q.value(6).toString(), Qt::ISODateWithMs));
    playList->setPrivate(q.value(7).toBool());
    return playList;
}

int videoRowId(RepositoryDatabase& database, const QString& videoId)
{
    return database.scalar(QStringLiteral("select id from video_entry where video_id = ?"), {videoId}, 0,
                           "Repository::videoRowId()");
}

int upsertVideo(RepositoryDatabase& database, VideoEntry* entry)
{
    const int id = videoRowId(database, entry->getVideoId());
    const QString keywords = entry->getKeywords().join(KEYWORD_SEPARATOR);
    const QString uploaded = entry->getUploadDate().isValid() ? entry->getUploadDate().toString(Qt::ISODateWithMs) : QString();
    if (id > 0) {
        const bool ok = database.exec(QStringLiteral(
            "update video_entry set"
            " name = coalesce(nullif(?, ''), name), description = coalesce(nullif(?, ''), description),"
            " author = coalesce(nullif(?, ''), author), author_user_name = coalesce(nullif(?, ''), author_user_name),"
            " length = case when ? > 0 then ? else length end,"
            " upload_date = coalesce(nullif(?, ''), upload_date), view_count = coalesce(nullif(?, ''), view_count),"
            " comment_count = coalesce(nullif(?, ''), comment_count), rating = coalesce(nullif(?, ''), rating),"
            " rating_count = coalesce(nullif(?, ''), rating_count), category = coalesce(nullif(?, ''), category),"
            " keywords = coalesce(nullif(?, ''), keywords), watch_url = coalesce(nullif(?, ''), watch_url),"
            " thumbnail_url = coalesce(nullif(?, ''), thumbnail_url), comments_url = coalesce(nullif(?, ''), comments_url),"
            " related_url = coalesce(nullif(?, ''), related_url), responses_url = coalesce(nullif(?, ''), responses_url),"
            " thumbnail_file = case when thumbnail_file = '' then ? else thumbnail_file end,"
            " video_file = case when video_file = '' then ? else video_file end"
            " where id = ?"),
            {entry->getName(), entry->getDescription(), entry->getAuthor(), entry->getAuthorUserName(),
             double(entry->getLength()),
             double(entry->getLength()), uploaded, entry->getViewCount(), entry->getCommentCount(),
             entry->getRating(), entry->getRatingCount(), entry->getCategory(), keywords, entry->getWatchUrl(),
             entry->getThumbnailUrl(), entry->getCommentsUrl(), entry->getRelatedUrl(), entry->getResponsesUrl(),
             entry->getThumbnailFile(), entry->getVideoFile(), id},
            "Repository::upsertVideo()");
        if (!ok)
            return -1;
        entry->setEntryId(id);
        return id;
    }
    QSqlQuery query(database.connection());
    if (!database.run(query, QStringLiteral(
            "insert into video_entry (vs_id, video_id, name, description, author, length, upload_date,"
            " view_count, comment_count, rating, rating_count, category, keywords, watch_url, thumbnail_url,"
            " comments_url, related_url, responses_url, thumbnail_file, video_file, video_file_size,"
            " author_user_name)"
            " values (?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?)"),
            {entry->getServiceId() == eAccountService ? int(eAccountService) : int(eLocalService),
             entry->getVideoId(), entry->getName(), entry->getDescription(), entry->getAuthor(),
             double(entry->getLength()), uploaded, entry->getViewCount(), entry->getCommentCount(),
             entry->getRating(), entry->getRatingCount(), entry->getCategory(), keywords, entry->getWatchUrl(),
             entry->getThumbnailUrl(), entry->getCommentsUrl(), entry->getRelatedUrl(), entry->getResponsesUrl(),
             entry->getThumbnailFile(), entry->getVideoFile(), entry->getVideoFileSize(),
             entry->getAuthorUserName()},
            "Repository::upsertVideo()"))
        return -1;
    const int newId = query.lastInsertId().toInt();
    entry->setEntryId(newId);
    return newId;
}

bool readFavoriteRow(RepositoryDatabase& database, int playListId, int videoRow, FavoriteRow& row, bool& found,
                     const char* caller)
{
    QSqlQuery query(database.connection());
    if (!database.run(query, QStringLiteral("select f.id, ") + QLatin1String(PlayListPositions::POSITION_OF_ROW)
                          + QStringLiteral(", f.download_state, f.video_link from favorite f"
                                           " where f.playlist_id = ? and f.video_entry_id = ?"),
                      {playListId, videoRow}, caller))
        return false;
    found = query.next();
    if (found) {
        row.id = query.value(0).toInt();
        row.sortId = query.value(1).toInt();
        row.state = query.value(2).toInt();
        row.link = query.value(3).toInt();
    }
    return found || database.rowsEnded(query, caller);
}

bool readSharedState(RepositoryDatabase& database, int videoRow, FavoriteRow& row, const char* caller)
{
    FavoriteRow favorite;
    bool found = false;
    if (!readFavoriteRow(database, ePlayListIdAllFavorites, videoRow, favorite, found, caller))
        return false;
    row.state = favorite.state;
    row.link = favorite.link;
    return true;
}

bool insertFavoriteRow(RepositoryDatabase& database, int playListId, int videoRow, FavoriteRow& row,
                       const QString& providerEntryId, const char* caller)
{
    QSqlQuery insert(database.connection());
    if (!database.run(insert, QStringLiteral("insert into favorite (playlist_id, video_entry_id, sort_id,"
                                             " download_state, video_link, provider_entry_id) values (?, ?, ")
                          + QLatin1String(PlayListPositions::KEY_OF_POSITION) + QStringLiteral(", ?, ?, ?)"),
                      {playListId, videoRow, row.sortId, playListId, row.state, row.link, providerEntryId}, caller))
        return false;
    row.id = insert.lastInsertId().toInt();
    return true;
}

void writeFavoriteRow(VideoEntry* entry, int playListId, const FavoriteRow& row)
{
    entry->setFavoriteId(row.id);
    entry->setPlayListId(playListId);
    entry->setSortId(row.sortId);
    entry->setDownloadState(row.state);
    entry->setVideoLink(row.link);
}
