#include "core/Repository.h"
#include "core/FileManager.h"
#include "core/PlayList.h"
#include "core/PlayListModel.h"
#include "core/SettingsManager.h"
#include "core/VideoEntry.h"
#include "core/VideoListModel.h"
#include "core/constants/Paths.h"
#include "core/constants/Settings.h"
#include "core/constants/Texts.h"

#include <QAtomicInt>
#include <QDateTime>
#include <QDebug>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSet>
#include <QSqlError>
#include <QSqlQuery>

#include <climits>

namespace {

// ---- Schema. Ids of the fixed rows are given explicitly; everything else counts up.
const char* const SCHEMA[] = {
    "create table if not exists video_service ("
    " id integer primary key,"
    " name text not null)",

    "create table if not exists video_entry ("
    " id integer primary key autoincrement,"
    " vs_id integer not null default 0 references video_service(id),"
    " video_id text not null unique,"
    " name text not null default '',"
    " description text not null default '',"
    " author text not null default '',"
    " length real not null default 0,"
    " upload_date text not null default '',"
    " view_count text not null default '',"
    " comment_count text not null default '',"
    " rating text not null default '',"
    " rating_count text not null default '',"
    " category text not null default '',"
    " keywords text not null default '',"
    " watch_url text not null default '',"
    " thumbnail_url text not null default '',"
    " comments_url text not null default '',"
    " related_url text not null default '',"
    " responses_url text not null default '',"
    " thumbnail_file text not null default '',"
    " video_file text not null default '',"
    " video_file_size integer not null default 0)",

    "create table if not exists playlist ("
    " id integer primary key autoincrement,"
    " vs_id integer not null references video_service(id),"
    " type integer not null,"
    " name text not null,"
    " description text not null default '',"
    " provider_id text not null default '',"
    " provider_updated_date text not null default '',"
    " is_private integer not null default 0,"
    " latest_usage_date integer not null default 0)",

    // One row per video in a playlist. SORT_ID runs 1..N inside a playlist; the
    // highest is shown first. DOWNLOAD_STATE: 0 queued, 1 stored, 2 invalid.
    // VIDEO_LINK 1: the favourite is a link, nothing is downloaded for it.
    "create table if not exists favorite ("
    " id integer primary key autoincrement,"
    " playlist_id integer not null references playlist(id),"
    " video_entry_id integer not null references video_entry(id),"
    " sort_id integer not null,"
    " download_state integer not null default 0,"
    " video_link integer not null default 0,"
    " provider_entry_id text not null default '')",

    "create table if not exists video_history ("
    " id integer primary key autoincrement,"
    " video_entry_id integer not null unique references video_entry(id),"
    " view_count integer not null default 0,"
    " viewed_date integer not null default 0)",

    "create table if not exists search_history ("
    " id integer primary key autoincrement,"
    " search_text text not null unique,"
    " search_count integer not null default 0,"
    " latest_usage_date integer not null default 0)",

    "create index if not exists favorite_playlist_sort on favorite (playlist_id, sort_id)",
    // The flags of a video (stored copy, link) are looked up per shown row: this index
    // answers them from the video's own rows instead of the whole queue.
    "create index if not exists favorite_video_state on favorite (video_entry_id, playlist_id, video_link, download_state)",
    "create index if not exists favorite_queue on favorite (playlist_id, video_link, download_state, sort_id)",
    "create index if not exists playlist_order on playlist (vs_id, type, latest_usage_date)",
    "create index if not exists history_date on video_history (viewed_date)",

    // A removed playlist takes its entries with it.
    "create trigger if not exists playlist_delete_entries after delete on playlist"
    " begin delete from favorite where playlist_id = old.id; end",
    // Adding a video to a playlist counts as using it: it moves up in the tree.
    "create trigger if not exists favorite_insert_usage after insert on favorite"
    " begin update playlist set latest_usage_date ="
    " max(cast((julianday('now') - 2440587.5) * 86400000 as integer),"
    " (select coalesce(max(latest_usage_date), 0) + 1 from playlist))"
    " where id = new.playlist_id; end",
};

// The three flags of video v: a stored copy among the favourites, a link among them,
// and a row in the viewing history.
const QString VIDEO_FLAGS = QStringLiteral(
    "exists (select 1 from favorite s where s.video_entry_id = v.id and s.playlist_id = 1"
    "   and s.video_link = 0 and s.download_state = 1),"
    " exists (select 1 from favorite l where l.video_entry_id = v.id and l.playlist_id = 1"
    "   and l.video_link = 1),"
    " exists (select 1 from video_history h where h.video_entry_id = v.id) ");

// Columns of a playlist entry: the favourite row, its video and the video's flags.
// Text columns are read as their UTF-8 bytes and decoded by readEntry: the driver
// would have SQLite convert every text value to UTF-16 in a buffer of its own, which
// made up a third of the time of filling a long playlist.
const QString ENTRY_COLUMNS = QStringLiteral(
    "select f.id, f.playlist_id, f.sort_id, f.download_state, f.video_link, cast(f.provider_entry_id as blob),"
    " v.id, v.vs_id, cast(v.video_id as blob), cast(v.name as blob), cast(v.description as blob),"
    " cast(v.author as blob), v.length, cast(v.upload_date as blob),"
    " cast(v.view_count as blob), cast(v.comment_count as blob), cast(v.rating as blob),"
    " cast(v.rating_count as blob), cast(v.category as blob), cast(v.keywords as blob),"
    " cast(v.watch_url as blob), cast(v.thumbnail_url as blob), cast(v.comments_url as blob),"
    " cast(v.related_url as blob), cast(v.responses_url as blob),"
    " cast(v.thumbnail_file as blob), cast(v.video_file as blob), v.video_file_size, ") + VIDEO_FLAGS;
const QString ENTRY_SELECT = ENTRY_COLUMNS + QStringLiteral("from favorite f join video_entry v on v.id = f.video_entry_id ");

// The entries of a playlist; the download queue (id 2) is the stored copies of "All
// local favorites" that are not on the card yet (queued or invalid).
const QString PLAYLIST_FILTER = QStringLiteral("where f.playlist_id = ? ");
const QString QUEUE_FILTER = QStringLiteral("where f.playlist_id = ? and f.video_link = 0 and f.download_state <> 1 ");
// Shown order of a playlist; the favourite id orders equal SORT_IDs, so that a page
// read goes on exactly where the one before it ended.
const QString SHOWN_ORDER = QStringLiteral("order by f.sort_id desc, f.id desc ");
// The entries shown after the cursor's entry, bound with its sort id twice and its
// favourite id; the first comparison lets the (playlist, sort id) index start the
// page at the cursor instead of at the top.
const QString AFTER_CURSOR = QStringLiteral("and f.sort_id <= ? and (f.sort_id < ? or f.id < ?) ");

// Usage stamp of a playlist: milliseconds since the epoch, and always later than every
// other playlist's, so the playlist just used is the newest even within one millisecond.
const QString NEXT_USAGE = QStringLiteral(
    "max(cast((julianday('now') - 2440587.5) * 86400000 as integer),"
    " (select coalesce(max(latest_usage_date), 0) + 1 from playlist))");

const QString KEYWORD_SEPARATOR = QStringLiteral("\n");

QAtomicInt connectionCounter;

// Milliseconds since the epoch, strictly increasing within the run so that "most
// recent first" orders are exact even for writes in the same millisecond.
qint64 usageStamp()
{
    static qint64 last = 0;
    qint64 now = QDateTime::currentMSecsSinceEpoch();
    if (now <= last)
        now = last + 1;
    last = now;
    return now;
}

bool run(QSqlQuery& query, const char* where)
{
    if (query.exec())
        return true;
    qDebug() << where << query.lastError().text();
    return false;
}

bool prepare(QSqlQuery& query, const QString& sql, const QVariantList& values = QVariantList())
{
    // Every result is read once from its first row on: a forward-only query keeps
    // the current row only, not all rows read so far.
    query.setForwardOnly(true);
    if (!query.prepare(sql)) {
        qDebug() << "Repository: cannot prepare" << sql << query.lastError().text();
        return false;
    }
    // A null QString would bind as SQL NULL; our text columns hold "" instead.
    for (const QVariant& value : values) {
        if (value.typeId() == QMetaType::QString && value.toString().isNull())
            query.addBindValue(QStringLiteral(""));
        else
            query.addBindValue(value);
    }
    return true;
}

// One statement with its values bound; true when it ran.
bool execute(QSqlDatabase db, const QString& sql, const QVariantList& values, const char* where)
{
    QSqlQuery query(db);
    return prepare(query, sql, values) && run(query, where);
}

// For an update or delete of one row: 0 when it changed a row, 2 when there was none,
// 1 when it failed.
int changeRow(QSqlDatabase db, const QString& sql, const QVariantList& values, const char* where)
{
    QSqlQuery query(db);
    if (!prepare(query, sql, values) || !run(query, where))
        return eRepFailure;
    return query.numRowsAffected() > 0 ? eRepOk : eRepNotFound;
}

// The first column of the first row as text; "" when there is no row.
QString firstText(QSqlDatabase db, const QString& sql, const char* where)
{
    QSqlQuery query(db);
    if (!prepare(query, sql) || !run(query, where) || !query.next())
        return QString();
    return query.value(0).toString();
}

// The built-in API credentials are no settings the program may change.
bool isFixedKey(const QString& key)
{
    if (key != SETTING_YOUTUBE_CLIENT_ID && key != SETTING_YOUTUBE_DEVELOPER_KEY)
        return false;
    qDebug() << "setSetting() - this key cannot be modified! ";
    return true;
}

// The first column of the first row as an int; fallback when there is no row.
int scalar(QSqlDatabase db, const QString& sql, const QVariantList& values, int fallback, bool* ok = nullptr)
{
    QSqlQuery query(db);
    bool good = prepare(query, sql, values) && run(query, "Repository::scalar");
    if (ok)
        *ok = good;
    if (good && query.next())
        return query.value(0).toInt();
    return fallback;
}

// Rolls back unless committed.
class Transaction
{
public:
    explicit Transaction(QSqlDatabase db) : myDb(db), myActive(db.transaction())
    {
        if (!myActive)
            qDebug() << "Repository: cannot start a transaction" << db.lastError().text();
    }
    ~Transaction()
    {
        if (myActive)
            myDb.rollback();
    }
    bool isActive() const { return myActive; }
    bool commit()
    {
        if (!myActive)
            return false;
        myActive = false;
        if (myDb.commit())
            return true;
        qDebug() << "Repository: commit failed" << myDb.lastError().text();
        myDb.rollback();
        return false;
    }

private:
    QSqlDatabase myDb;
    bool myActive;
};

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
    entry->setStoredFavorite(intAt(q, 28) != 0);
    entry->setLinkFavorite(intAt(q, 29) != 0);
    entry->setInHistory(intAt(q, 30) != 0);
    return entry;
}

// Every row of a query over ENTRY_COLUMNS, as new entries in the query's order.
QList<VideoEntry*> readEntries(QSqlQuery& query)
{
    QList<VideoEntry*> entries;
    while (query.next())
        entries.append(readEntry(query));
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

// A video's row in a playlist: its id, its position and its download state.
struct FavoriteRow
{
    int id = 0;
    int sortId = 0;
    int state = eDownloadQueued;
    int link = 1;
};

// Reads the video's row of the playlist into row when there is one (found);
// false when the query failed.
bool readFavoriteRow(QSqlDatabase db, int playListId, int videoRow, FavoriteRow& row, bool& found, const char* where)
{
    QSqlQuery query(db);
    if (!prepare(query, QStringLiteral("select id, sort_id, download_state, video_link from favorite"
                                       " where playlist_id = ? and video_entry_id = ?"),
                 {playListId, videoRow})
        || !run(query, where))
        return false;
    found = query.next();
    if (found) {
        row.id = query.value(0).toInt();
        row.sortId = query.value(1).toInt();
        row.state = query.value(2).toInt();
        row.link = query.value(3).toInt();
    }
    return true;
}

// A video joins a playlist with the download state of its favourite; a video that
// is not a favourite joins as a link. False when the query failed.
bool readSharedState(QSqlDatabase db, int videoRow, FavoriteRow& row, const char* where)
{
    FavoriteRow favorite;
    bool found = false;
    if (!readFavoriteRow(db, ePlayListIdAllFavorites, videoRow, favorite, found, where))
        return false;
    row.state = favorite.state;
    row.link = favorite.link;
    return true;
}

// Inserts the row at its sort position and writes its new id into it.
bool insertFavoriteRow(QSqlDatabase db, int playListId, int videoRow, FavoriteRow& row,
                       const QString& providerEntryId, const char* where)
{
    QSqlQuery insert(db);
    if (!prepare(insert, QStringLiteral("insert into favorite (playlist_id, video_entry_id, sort_id,"
                                        " download_state, video_link, provider_entry_id) values (?, ?, ?, ?, ?, ?)"),
                 {playListId, videoRow, row.sortId, row.state, row.link, providerEntryId})
        || !run(insert, where))
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

const QString PLAYLIST_COLUMNS = QStringLiteral(
    "select vs_id, id, type, name,  provider_id, description, provider_updated_date, is_private   from playlist ");

// The playlist whose FAVORITE rows hold the entries shown for playListId.
int rowsPlayList(int playListId)
{
    return playListId == ePlayListIdDownloadQueue ? int(ePlayListIdAllFavorites) : playListId;
}

const QString& filterFor(int playListId)
{
    return playListId == ePlayListIdDownloadQueue ? QUEUE_FILTER : PLAYLIST_FILTER;
}

// Moves a file, replacing the target; falls back to copy and remove across devices.
bool moveFile(const QString& from, const QString& to)
{
    if (from == to)
        return true;
    if (QFileInfo::exists(to))
        QFile::remove(to);
    if (QFile::rename(from, to))
        return true;
    if (QFile::copy(from, to)) {
        QFile::remove(from);
        return true;
    }
    return false;
}

bool isInside(const QString& path, const QString& folder)
{
    const QString clean = QDir::cleanPath(path);
    const QString base = QDir::cleanPath(folder) + QLatin1Char('/');
    return clean.startsWith(base) && clean.indexOf(QLatin1Char('/'), base.size()) < 0;
}

} // namespace

Repository::Repository(QObject* parent) : Repository(StoragePaths::current(), parent)
{
}

Repository::Repository(const StoragePaths& paths, QObject* parent)
    : QObject(parent),
      myPaths(paths),
      myConnectionName(QStringLiteral("krelvox_db_%1").arg(connectionCounter.fetchAndAddRelaxed(1)))
{
    if (myPaths.storageRoot.isEmpty())
        myPaths.storageRoot = FileManager::defaultStorageRoot();
    if (myPaths.applicationFolder.isEmpty())
        myPaths.applicationFolder = StoragePaths::defaults().applicationFolder;
    if (!myPaths.applicationFolder.endsWith(QLatin1Char('/')))
        myPaths.applicationFolder += QLatin1Char('/');
    mySettingsManager = new SettingsManager(myPaths.settingsFile, this);
    myFileManager = new FileManager(myPaths.storageRoot, mySettingsManager, this);
}

Repository::~Repository()
{
    if (QSqlDatabase::contains(myConnectionName)) {
        {
            QSqlDatabase db = QSqlDatabase::database(myConnectionName, false);
            db.close();
        }
        QSqlDatabase::removeDatabase(myConnectionName);
    }
}

QSqlDatabase Repository::database() const
{
    return QSqlDatabase::database(myConnectionName, false);
}

QString Repository::databaseFileName() const
{
    return myPaths.applicationFolder + DATABASE_FILE_NAME;
}

bool Repository::isDatabaseUsable() const
{
    return myDatabaseUsable;
}

QString Repository::getThumbnailFolder() const
{
    return myFileManager ? myFileManager->getThumbnailFolder() : QString();
}

int Repository::openDatabase(bool createNew)
{
    myDatabaseUsable = false;
    if (QSqlDatabase::contains(myConnectionName))
        database().close();

    if (myFileManager->createFolders() != 0)
        qWarning() << "Repository::openDatabase() media folders missing under" << myFileManager->getApplicationMediaFolder();

    if (!QDir().mkpath(myPaths.applicationFolder)) {
        qWarning() << "Repository::openDatabase() cannot create" << myPaths.applicationFolder;
        return eRepFailure;
    }
    const QString fileName = databaseFileName();
    QSqlDatabase db = QSqlDatabase::contains(myConnectionName)
        ? database()
        : QSqlDatabase::addDatabase(DATABASE_DRIVER, myConnectionName);
    if (!db.isValid()) {
        qWarning() << "Repository::openDatabase() no SQLite driver";
        return eRepFailure;
    }
    db.setDatabaseName(fileName);

    // Opening is lazy in SQLite: a file that is not a database shows only at the first
    // statement, so the check reads the schema.
    auto openAndCheck = [&db]() {
        if (!db.open())
            return false;
        QSqlQuery check(db);
        if (check.exec(QStringLiteral("select count(*) from sqlite_master")) && check.next())
            return true;
        db.close();
        return false;
    };

    bool opened = openAndCheck();
    if (!opened && createNew && QFileInfo::exists(fileName)) {
        const QString aside = fileName + QStringLiteral(".broken");
        QFile::remove(aside);
        if (QFile::rename(fileName, aside)) {
            qWarning() << "Repository::openDatabase() unusable database moved to" << aside;
            opened = openAndCheck();
        }
    }
    if (!opened) {
        qWarning() << "Repository::openDatabase() cannot open" << fileName << db.lastError().text();
        return eRepFailure;
    }

    QSqlQuery pragma(db);
    pragma.exec(QStringLiteral("pragma foreign_keys = on"));

    const bool isNew = scalar(db, QStringLiteral("select count(*) from sqlite_master where type = 'table' and name = 'playlist'"),
                              {}, 0) == 0;
    {
        Transaction transaction(db);
        if (!transaction.isActive())
            return eRepFailure;
        for (const char* statement : SCHEMA) {
            QSqlQuery query(db);
            if (!query.exec(QString::fromLatin1(statement))) {
                qWarning() << "Repository::openDatabase() schema:" << query.lastError().text();
                return eRepFailure;
            }
        }
        const qint64 now = usageStamp();
        const QString serviceRow = QStringLiteral("insert or ignore into video_service (id, name) values (?, ?)");
        const QString playListRow =
            QStringLiteral("insert or ignore into playlist (id, vs_id, type, name, latest_usage_date) values (?, ?, ?, ?, ?)");
        const QList<QPair<QString, QVariantList>> fixedRows = {
            {serviceRow, {int(eLocalService), DATABASE_SERVICE_LOCAL}},
            {serviceRow, {int(eAccountService), DATABASE_SERVICE_ACCOUNT}},
            {playListRow, {int(ePlayListIdAllFavorites), int(eLocalService), int(ePlayListAllFavorites),
                           TEXT_ALL_LOCAL_FAVORITES(), now}},
            {playListRow, {int(ePlayListIdDownloadQueue), int(eLocalService), int(ePlayListDownloadQueue),
                           TEXT_DOWNLOAD_QUEUE(), now}},
            {playListRow, {int(ePlayListIdLocalFolder), int(eLocalService), int(ePlayListLocalFolder),
                           TEXT_LOCAL_PLAYLISTS(), now}},
        };
        for (const auto& row : fixedRows)
            if (!execute(db, row.first, row.second, "Repository::openDatabase()"))
                return eRepFailure;
        if (!transaction.commit())
            return eRepFailure;
    }

    if (isNew)
        mySettingsManager->writeDefaults();
    else
        mySettingsManager->writeMissingDefaults();
    myDatabaseUsable = true;
    return eRepOk;
}

// ---------------------------------------------------------------- Settings

int Repository::getSetting(const QString& key, int& value) const
{
    return mySettingsManager->getSetting(key, value);
}

int Repository::getSetting(const QString& key, QString& value) const
{
    return mySettingsManager->getSetting(key, value);
}

int Repository::setSetting(const QString& key, int value)
{
    if (isFixedKey(key))
        return eRepFailure;
    const int result = mySettingsManager->setSetting(key, value);
    if (result != 0)
        return result;
    if (key == SETTING_BACKGROUND_DOWNLOADING_ENABLED)
        Q_EMIT backgroundDownloadStatusChanged();
    else
        Q_EMIT settingChanged(key, value);
    return eRepOk;
}

int Repository::setSetting(const QString& key, const QString& value)
{
    if (isFixedKey(key))
        return eRepFailure;
    mySettingsManager->setSetting(key, value);
    return eRepOk;
}

int Repository::clearAccount()
{
    mySettingsManager->setSetting(SETTING_YOUTUBE_USERNAME, QString());
    mySettingsManager->setSetting(SETTING_YOUTUBE_PASSWORD, QString());
    mySettingsManager->setSetting(SETTING_YOUTUBE_AUTHENTICATION_TOKEN, QString());
    return eRepOk;
}

// ---------------------------------------------------------------- Playlists

int Repository::getPlayLists(PlayListModel* model, bool collapsed[2])
{
    if (!model || !myDatabaseUsable)
        return eRepFailure;
    const bool* flags = collapsed ? collapsed : model->getVsFolderCollapsedFlags();
    QSqlQuery query(database());
    const QString sql = PLAYLIST_COLUMNS
        + QStringLiteral("where not (? and type = 4 and vs_id = 0) and not (? and type in (5, 6) and vs_id = 1)")
        + QStringLiteral(" order by vs_id, type, latest_usage_date desc, id desc");
    if (!prepare(query, sql, {int(flags[0]), int(flags[1])}) || !run(query, "Repository::getPlayLists()"))
        return eRepFailure;
    while (query.next()) {
        PlayList* playList = readPlayList(query);
        const int vsId = playList->getServiceId();
        if ((playList->getType() == ePlayListLocalFolder || playList->getType() == ePlayListAccountFolder)
            && (vsId == 0 || vsId == 1))
            playList->setFolderOpen(flags[vsId]);
        model->addPlayList(playList);
    }
    int result = addPlayListCountsToModel(model);
    if (result == eRepOk)
        result = addDownloadCountsToModel(model);
    return result;
}

int Repository::addPlayListCountsToModel(PlayListModel* model)
{
    if (!model || !myDatabaseUsable)
        return eRepFailure;
    for (PlayList* playList : model->entries())
        playList->setCount(0);
    QSqlQuery query(database());
    if (!prepare(query, QStringLiteral("select playlist_id, count(*) from favorite group by playlist_id"))
        || !run(query, "Repository::addPlayListCountsToModel()"))
        return eRepFailure;
    while (query.next())
        if (PlayList* playList = model->getPlayListById(query.value(0).toInt()))
            playList->setCount(query.value(1).toInt());
    if (PlayList* queue = model->getPlayListById(ePlayListIdDownloadQueue)) {
        bool ok = false;
        const int count = scalar(database(), QStringLiteral("select count(*) from favorite f ") + QUEUE_FILTER,
                                 {int(ePlayListIdAllFavorites)}, 0, &ok);
        if (!ok)
            return eRepFailure;
        queue->setCount(count);
    }
    return eRepOk;
}

int Repository::addDownloadCountsToModel(PlayListModel* model)
{
    if (!model || !myDatabaseUsable)
        return eRepFailure;
    for (PlayList* playList : model->entries())
        playList->setDownloadCount(0);
    QSqlQuery query(database());
    if (!prepare(query, QStringLiteral("select playlist_id, count(*) from favorite"
                                       " where video_link = 0 and download_state = 0 group by playlist_id"))
        || !run(query, "Repository::addDownloadCountsToModel()"))
        return eRepFailure;
    int pending = 0;
    while (query.next()) {
        const int id = query.value(0).toInt();
        if (id == ePlayListIdAllFavorites)
            pending = query.value(1).toInt();
        if (PlayList* playList = model->getPlayListById(id))
            playList->setDownloadCount(query.value(1).toInt());
    }
    if (PlayList* queue = model->getPlayListById(ePlayListIdDownloadQueue))
        queue->setDownloadCount(pending);
    return eRepOk;
}

int Repository::addPlayList(PlayList* playList)
{
    if (!playList || !myDatabaseUsable)
        return eRepFailure;
    const int vsId = playList->getServiceId();
    if (vsId != eLocalService && vsId != eAccountService)
        return eRepUnsupportedService;
    // Only user rows are added here: the local fixed rows exist from the start. A type
    // that does not belong to the service becomes that service's plain playlist.
    int type = playList->getType();
    if (vsId == eLocalService)
        type = ePlayListLocal;
    else if (type != ePlayListAccountFolder && type != ePlayListAccountFavorites)
        type = ePlayListAccount;
    if (!isPlayListNameFree(playList->getName(), vsId))
        return eRepNameInUse;
    QSqlDatabase db = database();
    QSqlQuery query(db);
    if (!prepare(query, QStringLiteral("insert into playlist (vs_id, type, name, description, provider_id,"
                                       " provider_updated_date, is_private, latest_usage_date)"
                                       " values (?, ?, ?, ?, ?, ?, ?, ") + NEXT_USAGE + QStringLiteral(")"),
                 {vsId, type, playList->getName(), playList->getDescription(), playList->getProviderId(),
                  playList->getProviderUpdated().toString(Qt::ISODateWithMs), int(playList->isPrivate())})
        || !run(query, "Repository::addPlayList()"))
        return eRepFailure;
    playList->setId(query.lastInsertId().toInt());
    playList->setType(type);
    return eRepOk;
}

int Repository::removePlayList(int playListId)
{
    if (!myDatabaseUsable)
        return eRepFailure;
    if (playListId == ePlayListIdAllFavorites || playListId == ePlayListIdDownloadQueue
        || playListId == ePlayListIdLocalFolder)
        return eRepFailure;
    QSqlDatabase db = database();
    Transaction transaction(db);
    if (!transaction.isActive())
        return eRepFailure;
    // The trigger removes the playlist's entries in the same transaction.
    const int result = changeRow(db, QStringLiteral("delete from playlist where id = ?"), {playListId},
                                 "Repository::removePlayList()");
    if (result != eRepOk)
        return result;
    return transaction.commit() ? eRepOk : eRepFailure;
}

int Repository::renamePlayList(int playListId, const QString& name)
{
    if (!myDatabaseUsable)
        return eRepFailure;
    bool ok = false;
    const int vsId = scalar(database(), QStringLiteral("select vs_id from playlist where id = ?"), {playListId}, -1, &ok);
    if (!ok)
        return eRepFailure;
    if (vsId < 0)
        return eRepNotFound;
    const int other = scalar(database(), QStringLiteral("select id from playlist where vs_id = ? and name = ?"),
                             {vsId, name}, 0, &ok);
    if (!ok)
        return eRepFailure;
    if (other != 0 && other != playListId)
        return eRepNameInUse;
    return execute(database(), QStringLiteral("update playlist set name = ? where id = ?"), {name, playListId},
                   "Repository::renamePlayList()") ? eRepOk : eRepFailure;
}

int Repository::setPlayListDescription(int playListId, const QString& description)
{
    if (!myDatabaseUsable)
        return eRepFailure;
    return changeRow(database(), QStringLiteral("update playlist set description = ? where id = ?"),
                     {description, playListId}, "Repository::setPlayListDescription()");
}

int Repository::touchPlayList(int playListId)
{
    if (!myDatabaseUsable)
        return eRepFailure;
    return changeRow(database(),
                     QStringLiteral("update playlist set latest_usage_date = ") + NEXT_USAGE + QStringLiteral(" where id = ?"),
                     {playListId}, "Repository::touchPlayList()");
}

bool Repository::isPlayListNameFree(const QString& name, int serviceId)
{
    if (!myDatabaseUsable)
        return false;
    bool ok = false;
    const int count = scalar(database(), QStringLiteral("select count(*) from playlist where vs_id = ? and name = ?"),
                             {serviceId, name}, 1, &ok);
    return ok && count == 0;
}

int Repository::getUserPlayListCount(int serviceId)
{
    if (!myDatabaseUsable)
        return 0;
    const int type = serviceId == eAccountService ? ePlayListAccount : ePlayListLocal;
    return scalar(database(), QStringLiteral("select count(*) from playlist where vs_id = ? and type = ?"),
                  {serviceId, type}, 0);
}

PlayList* Repository::getPlayList(int playListId)
{
    if (!myDatabaseUsable)
        return nullptr;
    QSqlQuery query(database());
    if (!prepare(query, PLAYLIST_COLUMNS + QStringLiteral("where id = ?"), {playListId})
        || !run(query, "Repository::getPlayList()") || !query.next())
        return nullptr;
    return readPlayList(query);
}

int Repository::addAccountPlayListFolder()
{
    if (!myDatabaseUsable)
        return -1;
    bool ok = false;
    const int existing = scalar(database(), QStringLiteral("select id from playlist where vs_id = ? and type = ? order by id limit 1"),
                                {int(eAccountService), int(ePlayListAccountFolder)}, 0, &ok);
    if (!ok)
        return -1;
    if (existing > 0)
        return existing;
    QSqlQuery query(database());
    if (!prepare(query, QStringLiteral("insert into playlist (vs_id, type, name, latest_usage_date) values (?, ?, ?, ")
                            + NEXT_USAGE + QStringLiteral(")"),
                 {int(eAccountService), int(ePlayListAccountFolder), TEXT_ACCOUNT_PLAYLISTS()})
        || !run(query, "Repository::addAccountPlayListFolder()"))
        return -1;
    return query.lastInsertId().toInt();
}

// ---------------------------------------------------------------- Videos and favourites

int Repository::videoRowId(const QString& videoId)
{
    return scalar(database(), QStringLiteral("select id from video_entry where video_id = ?"), {videoId}, 0);
}

// Inserts the video, or refreshes what the service tells of it; the file columns of
// an existing row are kept (they are the card's business). The row id, or -1.
int Repository::upsertVideo(VideoEntry* entry)
{
    QSqlDatabase db = database();
    const int id = videoRowId(entry->getVideoId());
    const QString keywords = entry->getKeywords().join(KEYWORD_SEPARATOR);
    const QString uploaded = entry->getUploadDate().isValid() ? entry->getUploadDate().toString(Qt::ISODateWithMs) : QString();
    if (id > 0) {
        const bool ok = execute(db, QStringLiteral(
            "update video_entry set"
            " name = coalesce(nullif(?, ''), name), description = coalesce(nullif(?, ''), description),"
            " author = coalesce(nullif(?, ''), author), length = case when ? > 0 then ? else length end,"
            " upload_date = coalesce(nullif(?, ''), upload_date), view_count = coalesce(nullif(?, ''), view_count),"
            " comment_count = coalesce(nullif(?, ''), comment_count), rating = coalesce(nullif(?, ''), rating),"
            " rating_count = coalesce(nullif(?, ''), rating_count), category = coalesce(nullif(?, ''), category),"
            " keywords = coalesce(nullif(?, ''), keywords), watch_url = coalesce(nullif(?, ''), watch_url),"
            " thumbnail_url = coalesce(nullif(?, ''), thumbnail_url), comments_url = coalesce(nullif(?, ''), comments_url),"
            " related_url = coalesce(nullif(?, ''), related_url), responses_url = coalesce(nullif(?, ''), responses_url),"
            " thumbnail_file = case when thumbnail_file = '' then ? else thumbnail_file end,"
            " video_file = case when video_file = '' then ? else video_file end"
            " where id = ?"),
            {entry->getName(), entry->getDescription(), entry->getAuthor(), double(entry->getLength()),
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
    QSqlQuery query(db);
    if (!prepare(query, QStringLiteral(
            "insert into video_entry (vs_id, video_id, name, description, author, length, upload_date,"
            " view_count, comment_count, rating, rating_count, category, keywords, watch_url, thumbnail_url,"
            " comments_url, related_url, responses_url, thumbnail_file, video_file, video_file_size)"
            " values (?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?)"),
            {entry->getServiceId() == eAccountService ? int(eAccountService) : int(eLocalService),
             entry->getVideoId(), entry->getName(), entry->getDescription(), entry->getAuthor(),
             double(entry->getLength()), uploaded, entry->getViewCount(), entry->getCommentCount(),
             entry->getRating(), entry->getRatingCount(), entry->getCategory(), keywords, entry->getWatchUrl(),
             entry->getThumbnailUrl(), entry->getCommentsUrl(), entry->getRelatedUrl(), entry->getResponsesUrl(),
             entry->getThumbnailFile(), entry->getVideoFile(), entry->getVideoFileSize()})
        || !run(query, "Repository::upsertVideo()"))
        return -1;
    const int newId = query.lastInsertId().toInt();
    entry->setEntryId(newId);
    return newId;
}

int Repository::nextSortId(int playListId)
{
    return scalar(database(), QStringLiteral("select coalesce(max(sort_id), 0) + 1 from favorite where playlist_id = ?"),
                  {playListId}, -1);
}

int Repository::addFavorite(VideoEntry* entry, bool asLink)
{
    if (!entry || entry->getVideoId().isEmpty() || !myDatabaseUsable)
        return eRepFailure;
    QSqlDatabase db = database();
    bool queued = false;
    FavoriteRow row;
    row.link = asLink ? 1 : 0;
    {
        Transaction transaction(db);
        if (!transaction.isActive())
            return eRepFailure;
        const int videoId = upsertVideo(entry);
        if (videoId < 0)
            return eRepFailure;
        bool found = false;
        if (!readFavoriteRow(db, ePlayListIdAllFavorites, videoId, row, found, "Repository::addFavorite()"))
            return eRepFailure;
        if (found) {
            // One favourite per video. A stored copy covers a link; asking for a stored
            // copy of a link, or again for one that could not be downloaded, queues it.
            if (!asLink && (row.link == 1 || row.state == eDownloadInvalid)) {
                if (!execute(db, QStringLiteral("update favorite set video_link = 0, download_state = 0"
                                                " where video_entry_id = ? and (playlist_id = ? or video_link = 1)"),
                             {videoId, int(ePlayListIdAllFavorites)}, "Repository::addFavorite()"))
                    return eRepFailure;
                row.link = 0;
                row.state = eDownloadQueued;
                queued = true;
            }
        } else {
            row.sortId = nextSortId(ePlayListIdAllFavorites);
            if (row.sortId < 1
                || !insertFavoriteRow(db, ePlayListIdAllFavorites, videoId, row, QString(), "Repository::addFavorite()"))
                return eRepFailure;
            queued = !asLink;
        }
        if (!transaction.commit())
            return eRepFailure;
    }
    writeFavoriteRow(entry, ePlayListIdAllFavorites, row);
    updateVideoStatus(entry);
    if (queued)
        Q_EMIT downloadEntryAdded();
    return eRepOk;
}

int Repository::addVideoToPlayList(VideoEntry* entry, int playListId)
{
    if (!entry || entry->getVideoId().isEmpty() || !myDatabaseUsable)
        return eRepFailure;
    if (playListId == ePlayListIdAllFavorites)
        return addFavorite(entry, entry->getVideoLink() == 1);
    if (playListId == ePlayListIdDownloadQueue)
        return addFavorite(entry, false);
    QSqlDatabase db = database();
    bool ok = false;
    const int type = scalar(db, QStringLiteral("select type from playlist where id = ?"), {playListId}, -1, &ok);
    if (!ok)
        return eRepFailure;
    if (type < 0)
        return eRepNotFound;
    if (type == ePlayListLocalFolder || type == ePlayListAccountFolder)
        return eRepFailure; // folders hold playlists, not videos
    FavoriteRow row;
    {
        Transaction transaction(db);
        if (!transaction.isActive())
            return eRepFailure;
        const int videoId = upsertVideo(entry);
        if (videoId < 0)
            return eRepFailure;
        bool found = false;
        if (!readFavoriteRow(db, playListId, videoId, row, found, "Repository::addVideoToPlayList()"))
            return eRepFailure;
        if (!found) {
            row.sortId = nextSortId(playListId);
            if (!readSharedState(db, videoId, row, "Repository::addVideoToPlayList()") || row.sortId < 1
                || !insertFavoriteRow(db, playListId, videoId, row, entry->getProviderEntryId(),
                                      "Repository::addVideoToPlayList()"))
                return eRepFailure;
        }
        if (!transaction.commit())
            return eRepFailure;
    }
    writeFavoriteRow(entry, playListId, row);
    return eRepOk;
}

int Repository::removeFavorite(VideoEntry* entry, int playListId)
{
    if (!entry || !myDatabaseUsable)
        return eRepFailure;
    const int rowsList = rowsPlayList(playListId);
    QSqlDatabase db = database();
    // The row: the entry's own favourite when it belongs to the playlist, else the
    // playlist's row of the same video.
    QSqlQuery find(db);
    if (!prepare(find, QStringLiteral("select f.id, f.sort_id, f.video_entry_id from favorite f"
                                      " join video_entry v on v.id = f.video_entry_id"
                                      " where f.playlist_id = ? and (f.id = ? or v.video_id = ?)"
                                      " order by f.id = ? desc limit 1"),
                 {rowsList, entry->getFavoriteId(), entry->getVideoId(), entry->getFavoriteId()})
        || !run(find, "Repository::removeFavorite()"))
        return eRepFailure;
    if (!find.next())
        return eRepNotFound;
    const int favoriteId = find.value(0).toInt();
    const int sortId = find.value(1).toInt();
    const int videoId = find.value(2).toInt();
    find.finish();

    const bool wholeFavorite = rowsList == ePlayListIdAllFavorites;
    {
        Transaction transaction(db);
        if (!transaction.isActive())
            return eRepFailure;
        if (wholeFavorite) {
            // Gone from every local playlist; rows of the account's playlists stay, as links.
            QSqlQuery rows(db);
            if (!prepare(rows, QStringLiteral("select f.playlist_id, f.sort_id from favorite f join playlist p on p.id = f.playlist_id"
                                              " where f.video_entry_id = ? and p.vs_id = 0"),
                         {videoId})
                || !run(rows, "Repository::removeFavorite()"))
                return eRepFailure;
            QList<QPair<int, int>> removed;
            while (rows.next())
                removed.append(qMakePair(rows.value(0).toInt(), rows.value(1).toInt()));
            rows.finish();
            if (!execute(db, QStringLiteral("delete from favorite where video_entry_id = ?"
                                            " and playlist_id in (select id from playlist where vs_id = 0)"),
                         {videoId}, "Repository::removeFavorite()"))
                return eRepFailure;
            for (const auto& row : removed)
                if (!execute(db, QStringLiteral("update favorite set sort_id = sort_id - 1 where playlist_id = ? and sort_id > ?"),
                             {row.first, row.second}, "Repository::removeFavorite()"))
                    return eRepFailure;
            if (!execute(db, QStringLiteral("update favorite set video_link = 1 where video_entry_id = ?"),
                         {videoId}, "Repository::removeFavorite()"))
                return eRepFailure;
        } else {
            if (!execute(db, QStringLiteral("delete from favorite where id = ?"), {favoriteId}, "Repository::removeFavorite()")
                || !execute(db, QStringLiteral("update favorite set sort_id = sort_id - 1 where playlist_id = ? and sort_id > ?"),
                            {rowsList, sortId}, "Repository::removeFavorite()"))
                return eRepFailure;
        }
        if (!transaction.commit())
            return eRepFailure;
    }
    if (wholeFavorite) {
        removeStoredFiles(videoId);
        entry->setStoredFavorite(false);
        entry->setLinkFavorite(false);
        entry->setFavoriteId(0);
    }
    return eRepOk;
}

// Deletes the video's files in the favourites folders and forgets them; files
// elsewhere are never touched from here.
void Repository::removeStoredFiles(int videoRowId)
{
    QSqlQuery query(database());
    if (!prepare(query, QStringLiteral("select video_id, video_file, thumbnail_file from video_entry where id = ?"), {videoRowId})
        || !run(query, "Repository::removeStoredFiles()") || !query.next())
        return;
    const QString videoId = query.value(0).toString();
    const QStringList files = {query.value(1).toString(), query.value(2).toString(),
                               FileManager::pathInFolder(myFileManager->getFavoriteVideoFolder(), videoId + VIDEO_FILE_SUFFIX)};
    query.finish();
    for (const QString& file : files) {
        if (file.isEmpty())
            continue;
        if (isInside(file, myFileManager->getFavoriteVideoFolder()) || isInside(file, myFileManager->getFavoriteThumbnailFolder()))
            QFile::remove(file);
    }
    execute(database(), QStringLiteral("update video_entry set video_file = '', thumbnail_file = '', video_file_size = 0"
                                       " where id = ? and (video_file like ? or thumbnail_file like ?)"),
            {videoRowId, myFileManager->getApplicationMediaFolder() + QStringLiteral("favorites/%"),
             myFileManager->getApplicationMediaFolder() + QStringLiteral("favorites/%")},
            "Repository::removeStoredFiles()");
}

int Repository::getPlayListEntries(int playListId, VideoListModel* model)
{
    if (!model || !myDatabaseUsable)
        return eRepFailure;
    QSqlQuery query(database());
    if (!prepare(query, ENTRY_SELECT + filterFor(playListId) + SHOWN_ORDER, {rowsPlayList(playListId)})
        || !run(query, "Repository::getPlayListEntries()"))
        return eRepFailure;
    model->addEntries(readEntries(query));
    return eRepOk;
}

int Repository::getPlayListEntries(int playListId, VideoListModel* model, int limit, PlayListCursor& cursor)
{
    if (!model || !myDatabaseUsable || limit < 0)
        return eRepFailure;
    if (limit == 0)
        return eRepOk;
    QSqlQuery query(database());
    if (!prepare(query, ENTRY_SELECT + filterFor(playListId) + AFTER_CURSOR + SHOWN_ORDER + QStringLiteral("limit ?"),
                 {rowsPlayList(playListId), cursor.sortId, cursor.sortId, cursor.favoriteId, limit})
        || !run(query, "Repository::getPlayListEntries(page)"))
        return eRepFailure;
    const QList<VideoEntry*> entries = readEntries(query);
    if (!entries.isEmpty()) {
        cursor.sortId = entries.last()->getSortId();
        cursor.favoriteId = entries.last()->getFavoriteId();
    }
    model->addEntries(entries);
    return eRepOk;
}

int Repository::updatePlayListOrder(int playListId, VideoEntry* entry, int targetSortId, bool afterLast)
{
    if (!entry || !myDatabaseUsable)
        return eRepFailure;
    const int rowsList = rowsPlayList(playListId);
    QSqlDatabase db = database();
    Transaction transaction(db);
    if (!transaction.isActive())
        return eRepFailure;
    // The whole playlist in shown order (highest SORT_ID first).
    QSqlQuery query(db);
    if (!prepare(query, QStringLiteral("select id, sort_id from favorite where playlist_id = ? order by sort_id desc"), {rowsList})
        || !run(query, "Repository::updatePlayListOrder()"))
        return eRepFailure;
    QList<int> order;
    int target = -1;
    while (query.next()) {
        if (query.value(1).toInt() == targetSortId && target < 0)
            target = query.value(0).toInt();
        order.append(query.value(0).toInt());
    }
    query.finish();
    const int moving = entry->getFavoriteId();
    if (!order.contains(moving) || target < 0)
        return eRepNotFound;
    if (moving == target)
        return eRepOk;
    order.removeOne(moving);
    int position = order.indexOf(target) + (afterLast ? 1 : 0);
    order.insert(position, moving);
    int newSortId = 0;
    for (int i = 0; i < order.size(); ++i) {
        const int sortId = order.size() - i;
        if (!execute(db, QStringLiteral("update favorite set sort_id = ? where id = ?"), {sortId, order.at(i)},
                     "Repository::updatePlayListOrder()"))
            return eRepFailure;
        if (order.at(i) == moving)
            newSortId = sortId;
    }
    if (!transaction.commit())
        return eRepFailure;
    entry->setSortId(newSortId);
    return eRepOk;
}

VideoEntry* Repository::queryOneEntry(const QString& condition, const QString& order, const QVariantList& values)
{
    if (!myDatabaseUsable)
        return nullptr;
    QSqlQuery query(database());
    if (!prepare(query, ENTRY_SELECT + condition + order + QStringLiteral(" limit 1"), values)
        || !run(query, "Repository::queryOneEntry()") || !query.next())
        return nullptr;
    return readEntry(query);
}

VideoEntry* Repository::getFirstPlayListsEntry(int playListId)
{
    return queryOneEntry(filterFor(playListId), QStringLiteral("order by f.sort_id desc"), {rowsPlayList(playListId)});
}

VideoEntry* Repository::getLastPlayListsEntry(int playListId)
{
    return queryOneEntry(filterFor(playListId), QStringLiteral("order by f.sort_id asc"), {rowsPlayList(playListId)});
}

VideoEntry* Repository::getNextPlayListsEntry(int playListId, int favoriteId)
{
    return neighbourEntry(playListId, favoriteId, true);
}

VideoEntry* Repository::getPreviousPlayListsEntry(int playListId, int favoriteId)
{
    return neighbourEntry(playListId, favoriteId, false);
}

// The entry nearest to the favourite below it (lower SORT_ID, shown after it) or above it.
VideoEntry* Repository::neighbourEntry(int playListId, int favoriteId, bool below)
{
    const int rows = rowsPlayList(playListId);
    const QString side = below ? QStringLiteral("<") : QStringLiteral(">");
    return queryOneEntry(filterFor(playListId) + QStringLiteral("and f.sort_id ") + side
                             + QStringLiteral(" (select c.sort_id from favorite c where c.id = ? and c.playlist_id = ?) "),
                         below ? QStringLiteral("order by f.sort_id desc") : QStringLiteral("order by f.sort_id asc"),
                         {rows, favoriteId, rows});
}

VideoEntry* Repository::getPlayListsEntryById(int playListId, int favoriteId)
{
    return queryOneEntry(filterFor(playListId) + QStringLiteral("and f.id = ? "), QString(),
                         {rowsPlayList(playListId), favoriteId});
}

int Repository::resolveVideoFilePath(VideoEntry* entry)
{
    if (!entry || entry->getVideoId().isEmpty())
        return eRepFailure;
    const QString name = QFileInfo(entry->getVideoFile()).fileName();
    if (name.isEmpty()) {
        entry->setVideoFile(QString());
        return eRepOk;
    }
    const QString stored = FileManager::pathInFolder(myFileManager->getFavoriteVideoFolder(), name);
    const QString downloaded = FileManager::pathInFolder(myFileManager->getVideoFolder(), name);
    if (QFileInfo(stored).isFile())
        entry->setVideoFile(stored);
    else if (QFileInfo(downloaded).isFile())
        entry->setVideoFile(downloaded);
    else
        entry->setVideoFile(QString());
    return eRepOk;
}

VideoEntry* Repository::getFirstDownloadEntry()
{
    return queryOneEntry(QStringLiteral("where f.playlist_id = ? and f.download_state = 0 and f.video_link = 0 "),
                         QStringLiteral("order by f.sort_id asc"), {int(ePlayListIdAllFavorites)});
}

int Repository::getDownloadQueueCount()
{
    if (!myDatabaseUsable)
        return 0;
    return scalar(database(), QStringLiteral("select count(*) from favorite where playlist_id = ? and download_state = 0 and video_link = 0"),
                  {int(ePlayListIdAllFavorites)}, 0);
}

// Moves the entry's finished video file (and its thumbnail, when there is one) from
// the first of sourceFolders that holds it into the favourites folders and marks the
// video stored. 0 success, 2 when no video file was found, 1 on failure (files are
// moved back).
int Repository::storeEntryFiles(VideoEntry* entry, const QStringList& sourceFolders)
{
    const QString videoId = entry->getVideoId();
    QStringList videoNames;
    const QString ownName = QFileInfo(entry->getVideoFile()).fileName();
    if (!ownName.isEmpty())
        videoNames << FileManager::sanitizeFileName(ownName);
    videoNames << FileManager::sanitizeFileName(videoId + VIDEO_FILE_SUFFIX);

    QString videoSource;
    for (const QString& folder : sourceFolders) {
        for (const QString& name : videoNames) {
            const QFileInfo info(FileManager::pathInFolder(folder, name));
            if (info.isFile() && info.size() > 0) {
                videoSource = info.filePath();
                break;
            }
        }
        if (!videoSource.isEmpty())
            break;
    }
    if (videoSource.isEmpty())
        return eRepNotFound;

    // The thumbnail: the entry's own file when it lies in one of our folders, else a
    // file named after the video id.
    QString thumbnailSource;
    const QStringList thumbnailFolders = {myFileManager->getFavoriteThumbnailFolder(), myFileManager->getThumbnailFolder(),
                                          myFileManager->getQueueFolder()};
    const QString ownThumbnail = QFileInfo(entry->getThumbnailFile()).fileName();
    const QString thumbnailBase = FileManager::sanitizeFileName(videoId);
    for (const QString& folder : thumbnailFolders) {
        if (!ownThumbnail.isEmpty()) {
            const QString candidate = FileManager::pathInFolder(folder, ownThumbnail);
            if (QFileInfo(candidate).isFile()) {
                thumbnailSource = candidate;
                break;
            }
        }
        const QFileInfoList named = QDir(folder).entryInfoList({thumbnailBase + QStringLiteral(".*")}, QDir::Files);
        for (const QFileInfo& info : named) {
            if (info.completeBaseName() == thumbnailBase && !info.fileName().endsWith(VIDEO_FILE_SUFFIX)) {
                thumbnailSource = info.filePath();
                break;
            }
        }
        if (!thumbnailSource.isEmpty())
            break;
    }

    const QString videoTarget = FileManager::pathInFolder(myFileManager->getFavoriteVideoFolder(), QFileInfo(videoSource).fileName());
    const QString thumbnailTarget = thumbnailSource.isEmpty()
        ? QString()
        : FileManager::pathInFolder(myFileManager->getFavoriteThumbnailFolder(), QFileInfo(thumbnailSource).fileName());
    QDir().mkpath(myFileManager->getFavoriteVideoFolder());
    QDir().mkpath(myFileManager->getFavoriteThumbnailFolder());
    if (!moveFile(videoSource, videoTarget)) {
        qDebug() << "Repository::storeDownloadedEntry() cannot move" << videoSource;
        return eRepFailure;
    }
    if (!thumbnailSource.isEmpty() && !moveFile(thumbnailSource, thumbnailTarget)) {
        qDebug() << "Repository::storeDownloadedEntry() cannot move" << thumbnailSource;
        moveFile(videoTarget, videoSource);
        return eRepFailure;
    }
    const qint64 size = QFileInfo(videoTarget).size();
    const int fileSize = size > INT_MAX ? INT_MAX : int(size);

    QSqlDatabase db = database();
    bool ok = false;
    {
        Transaction transaction(db);
        const int rowId = transaction.isActive() ? upsertVideo(entry) : -1;
        ok = rowId > 0
            && execute(db, QStringLiteral("update video_entry set video_file = ?, video_file_size = ?,"
                                          " thumbnail_file = case when ? = '' then thumbnail_file else ? end where id = ?"),
                       {videoTarget, fileSize, thumbnailTarget, thumbnailTarget, rowId}, "Repository::storeDownloadedEntry()")
            && execute(db, QStringLiteral("update favorite set download_state = 1 where video_entry_id = ? and video_link = 0"),
                       {rowId}, "Repository::storeDownloadedEntry()")
            && transaction.commit();
    }
    if (!ok) {
        moveFile(videoTarget, videoSource);
        if (!thumbnailSource.isEmpty())
            moveFile(thumbnailTarget, thumbnailSource);
        return eRepFailure;
    }
    entry->setVideoFile(videoTarget);
    entry->setVideoFileSize(fileSize);
    if (!thumbnailTarget.isEmpty())
        entry->setThumbnailFile(thumbnailTarget);
    entry->setDownloadState(eDownloadStored);
    entry->setStoredFavorite(true);
    return eRepOk;
}

int Repository::storeDownloadedEntry(VideoEntry* entry)
{
    if (!entry || entry->getVideoId().isEmpty() || !myDatabaseUsable)
        return eRepFailure;
    // The favourite may have been removed while its file was being fetched: then there
    // is nothing to store, and the files stay where they are for the caller to drop.
    QSqlQuery queued(database());
    if (!prepare(queued, QStringLiteral("select 1 from favorite f join video_entry v on v.id = f.video_entry_id"
                                        " where v.video_id = ? and f.video_link = 0 limit 1"),
                 {entry->getVideoId()})
        || !run(queued, "Repository::storeDownloadedEntry()"))
        return eRepFailure;
    if (!queued.next())
        return eRepNotFound;
    queued.finish();
    const int result = storeEntryFiles(entry, {myFileManager->getFavoriteVideoFolder(), myFileManager->getQueueFolder(),
                                               myFileManager->getVideoFolder()});
    if (result == eRepNotFound) {
        // A download reported as finished that left no file would be fetched again and
        // again; it leaves the queue as one that cannot be downloaded.
        qDebug() << "Repository::storeDownloadedEntry() no video file for" << entry->getVideoId();
        markEntryInvalid(entry);
        return eRepFailure;
    }
    return result;
}

int Repository::markEntryInvalid(VideoEntry* entry)
{
    if (!entry || entry->getVideoId().isEmpty() || !myDatabaseUsable)
        return eRepFailure;
    QSqlDatabase db = database();
    const int rowId = videoRowId(entry->getVideoId());
    if (rowId <= 0)
        return eRepNotFound;
    {
        Transaction transaction(db);
        const bool ok = transaction.isActive()
            && execute(db, QStringLiteral("update favorite set download_state = 2 where video_entry_id = ? and video_link = 0"),
                       {rowId}, "Repository::markEntryInvalid()")
            && execute(db, QStringLiteral("update video_entry set video_file_size = 0 where id = ?"), {rowId},
                       "Repository::markEntryInvalid()")
            && transaction.commit();
        if (!ok)
            return eRepFailure;
    }
    entry->setDownloadState(eDownloadInvalid);
    entry->setVideoFileSize(0);
    return eRepOk;
}

int Repository::getVideoStatus(const QString& videoId, RepVideoStatus& status)
{
    status = RepVideoStatus();
    if (!myDatabaseUsable)
        return eRepFailure;
    QSqlQuery query(database());
    if (!prepare(query, QStringLiteral("select ") + VIDEO_FLAGS + QStringLiteral("from video_entry v where v.video_id = ?"),
                 {videoId})
        || !run(query, "Repository::getVideoStatus()"))
        return eRepFailure;
    if (!query.next())
        return eRepNotFound;
    status.storedFavorite = query.value(0).toBool();
    status.linkFavorite = query.value(1).toBool();
    status.inHistory = query.value(2).toBool();
    return eRepOk;
}

int Repository::updateVideoStatus(VideoEntry* entry)
{
    if (!entry)
        return eRepFailure;
    RepVideoStatus status;
    const int result = getVideoStatus(entry->getVideoId(), status);
    entry->setStoredFavorite(status.storedFavorite);
    entry->setInHistory(status.inHistory);
    entry->setLinkFavorite(status.linkFavorite);
    return result;
}

// ---------------------------------------------------------------- Viewing history

int Repository::addToHistory(VideoEntry* entry)
{
    if (!entry || entry->getVideoId().isEmpty() || !myDatabaseUsable)
        return eRepFailure;
    int limit = 0;
    getSetting(SETTING_AMOUNT_OF_RESULTS, limit);
    if (limit < 1)
        limit = DEFAULT_AMOUNT_OF_RESULTS;
    QSqlDatabase db = database();
    {
        Transaction transaction(db);
        if (!transaction.isActive())
            return eRepFailure;
        const int rowId = upsertVideo(entry);
        const bool ok = rowId > 0
            && execute(db, QStringLiteral("insert or ignore into video_history (video_entry_id, view_count, viewed_date)"
                                          " values (?, 0, 0)"),
                       {rowId}, "Repository::addToHistory()")
            && execute(db, QStringLiteral("update video_history set view_count = view_count + 1, viewed_date = ?"
                                          " where video_entry_id = ?"),
                       {usageStamp(), rowId}, "Repository::addToHistory()")
            && execute(db, QStringLiteral("delete from video_history where id not in"
                                          " (select id from video_history order by viewed_date desc, id desc limit ?)"),
                       {limit}, "Repository::addToHistory()")
            && transaction.commit();
        if (!ok)
            return eRepFailure;
    }
    entry->setInHistory(true);
    return eRepOk;
}

int Repository::getHistory(VideoListModel* model)
{
    if (!model || !myDatabaseUsable)
        return eRepFailure;
    QSqlQuery query(database());
    // History entries have no favourite row: the favourite columns read as empty.
    const QString sql = ENTRY_COLUMNS
        + QStringLiteral("from video_history h0 join video_entry v on v.id = h0.video_entry_id"
                         " left join favorite f on f.id = 0 order by h0.viewed_date desc, h0.id desc");
    if (!prepare(query, sql) || !run(query, "Repository::getHistory()"))
        return eRepFailure;
    model->addEntries(readEntries(query));
    return eRepOk;
}

int Repository::deleteAllHistoryEntries()
{
    if (!myDatabaseUsable)
        return eRepFailure;
    return execute(database(), QStringLiteral("delete from video_history"), {}, "Repository::deleteAllHistoryEntries()")
        ? eRepOk : eRepFailure;
}

QString Repository::getMostViewedVideo()
{
    if (!myDatabaseUsable)
        return QString();
    return firstText(database(), QStringLiteral("select v.name from video_history h join video_entry v on v.id = h.video_entry_id"
                                                " order by h.view_count desc, h.viewed_date desc limit 1"),
                     "Repository::getMostViewedVideo()");
}

// ---------------------------------------------------------------- Search history

int Repository::addSearchHistory(const QString& text)
{
    if (text.trimmed().isEmpty() || !myDatabaseUsable)
        return eRepFailure;
    QSqlDatabase db = database();
    Transaction transaction(db);
    const bool ok = transaction.isActive()
        && execute(db, QStringLiteral("insert or ignore into search_history (search_text, search_count, latest_usage_date)"
                                      " values (?, 0, 0)"),
                   {text}, "Repository::addSearchHistory()")
        && execute(db, QStringLiteral("update search_history set search_count = search_count + 1, latest_usage_date = ?"
                                      " where search_text = ?"),
                   {usageStamp(), text}, "Repository::addSearchHistory()")
        && transaction.commit();
    return ok ? eRepOk : eRepFailure;
}

int Repository::getSearchHistory(QStringList& texts)
{
    texts.clear();
    if (!myDatabaseUsable)
        return eRepFailure;
    QSqlQuery query(database());
    if (!prepare(query, QStringLiteral("select search_text from search_history order by latest_usage_date desc, id desc"))
        || !run(query, "Repository::getSearchHistory()"))
        return eRepFailure;
    while (query.next())
        texts.append(query.value(0).toString());
    return eRepOk;
}

int Repository::clearSearchHistory()
{
    if (myDatabaseUsable) {
        QSqlQuery query(database());
        if (query.prepare(QStringLiteral("delete from  search_history")) && query.exec())
            return eRepOk;
    }
    qDebug() << " ERROR";
    return eRepFailure;
}

int Repository::getSearchCount()
{
    if (!myDatabaseUsable)
        return 0;
    return scalar(database(), QStringLiteral("select coalesce(sum(search_count), 0) from search_history"), {}, 0);
}

QString Repository::getMostSearched()
{
    if (!myDatabaseUsable)
        return QString();
    return firstText(database(), QStringLiteral("select search_text from search_history"
                                                " order by search_count desc, latest_usage_date desc limit 1"),
                     "Repository::getMostSearched()");
}

// ---------------------------------------------------------------- Exit

int Repository::exitCleanup()
{
    if (!myDatabaseUsable)
        return eRepFailure;
    int result = eRepOk;

    // 1. Queued favourites whose finished file waits in queue/ become stored.
    QList<VideoEntry*> queued;
    {
        QSqlQuery query(database());
        if (prepare(query, ENTRY_SELECT + QStringLiteral("where f.playlist_id = ? and f.download_state = 0 and f.video_link = 0"),
                    {int(ePlayListIdAllFavorites)})
            && run(query, "Repository::exitCleanup()")) {
            queued = readEntries(query);
        } else {
            result = eRepFailure;
        }
    }
    for (VideoEntry* entry : queued) {
        const int stored = storeEntryFiles(entry, {myFileManager->getQueueFolder()});
        if (stored == eRepFailure)
            result = eRepFailure;
        delete entry;
    }

    // 2. Files of this run only.
    if (myFileManager->emptyFolder(myFileManager->getThumbnailFolder()) != 0
        || myFileManager->emptyFolder(myFileManager->getVideoFolder()) != 0
        || myFileManager->emptyFolder(myFileManager->getQueueFolder()) != 0)
        result = eRepFailure;

    // 3. Videos nothing refers to any more.
    if (!execute(database(), QStringLiteral("delete from video_entry"
                                            " where id not in (select video_entry_id from favorite)"
                                            " and id not in (select video_entry_id from video_history)"),
                 {}, "Repository::exitCleanup()"))
        result = eRepFailure;
    return result;
}

// ---------------------------------------------------------------- The account's playlists

int Repository::syncAccountPlayLists(PlayListModel* model, bool* changed)
{
    if (changed)
        *changed = false;
    if (!model || !myDatabaseUsable)
        return eRepFailure;
    QSqlDatabase db = database();
    Transaction transaction(db);
    if (!transaction.isActive())
        return eRepFailure;
    bool wrote = false;

    bool ok = false;
    const int favorites = scalar(db, QStringLiteral("select count(*) from playlist where vs_id = ? and type = ?"),
                                 {int(eAccountService), int(ePlayListAccountFavorites)}, -1, &ok);
    if (!ok)
        return eRepFailure;
    if (favorites == 0) {
        if (!execute(db, QStringLiteral("insert into playlist (vs_id, type, name, latest_usage_date) values (?, ?, ?, ")
                             + NEXT_USAGE + QStringLiteral(")"),
                     {int(eAccountService), int(ePlayListAccountFavorites), TEXT_ACCOUNT_FAVORITES()},
                     "Repository::syncAccountPlayLists()"))
            return eRepFailure;
        wrote = true;
    }

    struct Stored
    {
        int id;
        QString name;
        QString description;
        QString providerId;
        QString updated;
        bool isPrivate;
        bool kept;
    };
    QList<Stored> stored;
    {
        QSqlQuery query(db);
        if (!prepare(query, QStringLiteral("select id, name, description, provider_id, provider_updated_date, is_private"
                                           " from playlist where vs_id = ? and type = ? order by id"),
                     {int(eAccountService), int(ePlayListAccount)})
            || !run(query, "Repository::syncAccountPlayLists()"))
            return eRepFailure;
        while (query.next())
            stored.append({query.value(0).toInt(), query.value(1).toString(), query.value(2).toString(),
                           query.value(3).toString(), query.value(4).toString(), query.value(5).toBool(), false});
    }
    auto find = [&stored](const auto& matches) -> Stored* {
        for (Stored& row : stored)
            if (!row.kept && matches(row))
                return &row;
        return nullptr;
    };

    QList<PlayList*> added;
    QSet<QString> seen;
    for (PlayList* playList : model->entries()) {
        if (!playList || playList->getProviderId().isEmpty() || seen.contains(playList->getProviderId()))
            continue;
        const QString providerId = playList->getProviderId();
        seen.insert(providerId);
        // A row that never had the account's id takes it over by its name.
        Stored* row = find([&providerId](const Stored& s) { return s.providerId == providerId; });
        if (!row)
            row = find([playList](const Stored& s) { return s.providerId.isEmpty() && s.name == playList->getName(); });
        if (!row) {
            added.append(playList);
            continue;
        }
        row->kept = true;
        const QString updated = playList->getProviderUpdated().toString(Qt::ISODateWithMs);
        if (row->name == playList->getName() && row->description == playList->getDescription()
            && row->providerId == providerId && row->updated == updated && row->isPrivate == playList->isPrivate())
            continue;
        if (!execute(db, QStringLiteral("update playlist set name = ?, description = ?, provider_id = ?,"
                                        " provider_updated_date = ?, is_private = ? where id = ?"),
                     {playList->getName(), playList->getDescription(), providerId, updated, int(playList->isPrivate()),
                      row->id},
                     "Repository::syncAccountPlayLists()"))
            return eRepFailure;
        wrote = true;
    }

    // Gone from the account: the trigger takes the entries along.
    for (const Stored& row : stored) {
        if (row.kept)
            continue;
        if (!execute(db, QStringLiteral("delete from playlist where id = ?"), {row.id}, "Repository::syncAccountPlayLists()"))
            return eRepFailure;
        wrote = true;
    }

    // The newest row is shown first: the account's first playlist is added last.
    for (int i = added.count() - 1; i >= 0; --i) {
        const PlayList* playList = added.at(i);
        if (!execute(db, QStringLiteral("insert into playlist (vs_id, type, name, description, provider_id,"
                                        " provider_updated_date, is_private, latest_usage_date)"
                                        " values (?, ?, ?, ?, ?, ?, ?, ") + NEXT_USAGE + QStringLiteral(")"),
                     {int(eAccountService), int(ePlayListAccount), playList->getName(), playList->getDescription(),
                      playList->getProviderId(), playList->getProviderUpdated().toString(Qt::ISODateWithMs),
                      int(playList->isPrivate())},
                     "Repository::syncAccountPlayLists()"))
            return eRepFailure;
        wrote = true;
    }

    if (!transaction.commit())
        return eRepFailure;
    if (changed)
        *changed = wrote;
    return eRepOk;
}

int Repository::syncAccountPlayListEntries(int playListId, VideoListModel* model, bool* changed)
{
    if (changed)
        *changed = false;
    if (!model || !myDatabaseUsable)
        return eRepFailure;
    QSqlDatabase db = database();
    qint64 usage = 0;
    {
        QSqlQuery query(db);
        if (!prepare(query, QStringLiteral("select vs_id, type, latest_usage_date from playlist where id = ?"), {playListId})
            || !run(query, "Repository::syncAccountPlayListEntries()"))
            return eRepFailure;
        if (!query.next())
            return eRepNotFound;
        const int type = query.value(1).toInt();
        if (query.value(0).toInt() != eAccountService || (type != ePlayListAccount && type != ePlayListAccountFavorites))
            return eRepFailure;
        usage = query.value(2).toLongLong();
    }

    Transaction transaction(db);
    if (!transaction.isActive())
        return eRepFailure;
    bool wrote = false;
    bool inserted = false;

    struct Stored
    {
        int id;
        QString videoId;
        QString entryId;
        int sortId;
        bool kept;
    };
    QList<Stored> stored;
    {
        QSqlQuery query(db);
        if (!prepare(query, QStringLiteral("select f.id, v.video_id, f.provider_entry_id, f.sort_id from favorite f"
                                           " join video_entry v on v.id = f.video_entry_id"
                                           " where f.playlist_id = ? order by f.sort_id desc"),
                     {playListId})
            || !run(query, "Repository::syncAccountPlayListEntries()"))
            return eRepFailure;
        while (query.next())
            stored.append({query.value(0).toInt(), query.value(1).toString(), query.value(2).toString(),
                           query.value(3).toInt(), false});
    }

    QList<VideoEntry*> wanted;
    for (VideoEntry* entry : model->entries())
        if (entry && !entry->getVideoId().isEmpty())
            wanted.append(entry);

    // Matched by the account's entry id; a row that never had one, by its video.
    QList<Stored*> match(wanted.count(), nullptr);
    auto claim = [&stored](const auto& matches) -> Stored* {
        for (Stored& row : stored) {
            if (!row.kept && matches(row)) {
                row.kept = true;
                return &row;
            }
        }
        return nullptr;
    };
    for (int i = 0; i < wanted.count(); ++i) {
        const QString entryId = wanted.at(i)->getProviderEntryId();
        if (!entryId.isEmpty())
            match[i] = claim([&entryId](const Stored& row) { return row.entryId == entryId; });
    }
    for (int i = 0; i < wanted.count(); ++i) {
        if (match.at(i))
            continue;
        const QString videoId = wanted.at(i)->getVideoId();
        match[i] = claim([&videoId](const Stored& row) { return row.entryId.isEmpty() && row.videoId == videoId; });
    }

    for (const Stored& row : stored) {
        if (row.kept)
            continue;
        if (!execute(db, QStringLiteral("delete from favorite where id = ?"), {row.id},
                     "Repository::syncAccountPlayListEntries()"))
            return eRepFailure;
        wrote = true;
    }

    // SORT_IDs count down from the top: the account's first entry gets the highest.
    for (int i = 0; i < wanted.count(); ++i) {
        VideoEntry* entry = wanted.at(i);
        const int sortId = wanted.count() - i;
        const int videoRow = upsertVideo(entry);
        if (videoRow < 0)
            return eRepFailure;
        if (const Stored* row = match.at(i)) {
            if (row->sortId == sortId && row->entryId == entry->getProviderEntryId())
                continue;
            if (!execute(db, QStringLiteral("update favorite set sort_id = ?, provider_entry_id = ? where id = ?"),
                         {sortId, entry->getProviderEntryId(), row->id}, "Repository::syncAccountPlayListEntries()"))
                return eRepFailure;
            wrote = true;
            continue;
        }
        FavoriteRow added;
        added.sortId = sortId;
        if (!readSharedState(db, videoRow, added, "Repository::syncAccountPlayListEntries()")
            || !insertFavoriteRow(db, playListId, videoRow, added, entry->getProviderEntryId(),
                                  "Repository::syncAccountPlayListEntries()"))
            return eRepFailure;
        wrote = true;
        inserted = true;
    }

    // The insert trigger marks the playlist used; reading the account does not.
    if (inserted
        && !execute(db, QStringLiteral("update playlist set latest_usage_date = ? where id = ?"), {usage, playListId},
                    "Repository::syncAccountPlayListEntries()"))
        return eRepFailure;

    if (!transaction.commit())
        return eRepFailure;
    if (changed)
        *changed = wrote;
    return eRepOk;
}
