#include "core/repository/RepositorySchema.h"
#include "core/CoreLogging.h"
#include "core/Types.h"
#include "core/constants/Paths.h"
#include "core/constants/Texts.h"
#include "core/repository/RepositoryDatabase.h"
#include "core/repository/RepositoryRows.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSqlError>

#include <cstdio>
#include <fcntl.h>
#include <unistd.h>

namespace {

// ---- Tables. Ids of the fixed rows are given explicitly; everything else counts up.
const char* const TABLES[] = {
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
    " video_file_size integer not null default 0,"
    " author_user_name text not null default '')",

    // ENTRY_COUNT and DOWNLOAD_COUNT (entries, and stored copies still to download)
    // are kept by the triggers below; the download queue's row holds the queue's.
    // SORT_BASE: a favourite's position in the playlist is its SORT_ID less this.
    // PROVIDER_COUNT: the entries the account says an account playlist has, while its
    // own entries have not been read since (null otherwise); the triggers move it
    // along with the entries that are added or removed meanwhile.
    "create table if not exists playlist ("
    " id integer primary key autoincrement,"
    " vs_id integer not null references video_service(id),"
    " type integer not null,"
    " name text not null,"
    " description text not null default '',"
    " provider_id text not null default '',"
    " provider_updated_date text not null default '',"
    " is_private integer not null default 0,"
    " latest_usage_date integer not null default 0,"
    " entry_count integer not null default 0,"
    " download_count integer not null default 0,"
    " sort_base integer not null default 0,"
    " provider_count integer)",

    // One row per video in a playlist. SORT_ID runs base+1..base+N inside a playlist
    // (the playlist's SORT_BASE): positions 1..N, the highest shown first. DOWNLOAD_STATE: 0 queued, 1 stored, 2 invalid.
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

    // Files of removed favourites: listed in the removal's transaction and deleted
    // once it is committed. A run that ends between the two leaves them listed, and
    // the next start or the next removal deletes them (unless the video has been
    // made a stored copy again meanwhile: then the file is the new copy's).
    "create table if not exists removed_file ("
    " path text primary key,"
    " video_id text not null)",
};

// ---- Indexes and triggers of the current layout.
const char* const INDEXES_AND_TRIGGERS[] = {
    "create index if not exists favorite_playlist_sort on favorite (playlist_id, sort_id)",
    // The flags of a video (stored copy, link) are looked up per shown row, and a
    // favourite is found by its video: both from the video's own rows.
    "create index if not exists favorite_video_state on favorite (video_entry_id, playlist_id, video_link, download_state)",
    // The download queue in shown order, holding only the queue's rows: a page of a
    // sparse queue does not walk the stored favourites between its rows, and moving
    // the stored ones does not touch it.
    "create index if not exists favorite_queued on favorite (sort_id)"
    " where playlist_id = 1 and video_link = 0 and download_state <> 1",
    "create index if not exists playlist_order on playlist (vs_id, type, latest_usage_date)",
    "create index if not exists playlist_name on playlist (vs_id, name)",
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
    // A video row lives as long as a favourite or a history row refers to it: it goes
    // with the last of them, in the same transaction (both lookups are index seeks).
    "create trigger if not exists favorite_delete_video after delete on favorite"
    " when not exists (select 1 from favorite where video_entry_id = old.video_entry_id)"
    " and not exists (select 1 from video_history where video_entry_id = old.video_entry_id)"
    " begin delete from video_entry where id = old.video_entry_id; end",
    "create trigger if not exists history_delete_video after delete on video_history"
    " when not exists (select 1 from favorite where video_entry_id = old.video_entry_id)"
    " begin delete from video_entry where id = old.video_entry_id; end",
};

// The counts of the playlist rows follow every row that comes, goes or changes its
// state: counted in (sign "+", the row "new") or out ("-", "old"). A row of "All local
// favorites" that is a stored copy not on the card (queued or invalid) also counts for
// the download queue (row 2).
QString countRow(const char* sign, const char* row)
{
    return QStringLiteral(" update playlist set entry_count = entry_count %1 1, provider_count = provider_count %1 1,"
                          " download_count = download_count %1 (%2.video_link = 0 and %2.download_state = 0)"
                          " where id = %2.playlist_id;"
                          " update playlist set entry_count = entry_count %1 1,"
                          " download_count = download_count %1 (%2.download_state = 0)"
                          " where id = 2 and %2.playlist_id = 1 and %2.video_link = 0 and %2.download_state <> 1;")
        .arg(QLatin1String(sign), QLatin1String(row));
}

QStringList countTriggers()
{
    return {QStringLiteral("create trigger if not exists favorite_count_insert after insert on favorite begin")
                + countRow("+", "new") + QStringLiteral(" end"),
            QStringLiteral("create trigger if not exists favorite_count_delete after delete on favorite begin")
                + countRow("-", "old") + QStringLiteral(" end"),
            QStringLiteral("create trigger if not exists favorite_count_update"
                           " after update of playlist_id, video_link, download_state on favorite begin")
                + countRow("-", "old") + countRow("+", "new") + QStringLiteral(" end")};
}

// ---- From layout 0: counts in the playlist rows, the queue's own index, and sort
// positions made 1..N in every playlist (earlier writes could leave gaps or repeats;
// a reorder shifts positions and relies on them).
const char* const FROM_VERSION_0[] = {
    "alter table playlist add column entry_count integer not null default 0",
    "alter table playlist add column download_count integer not null default 0",
    "drop index if exists favorite_queue",
};

// ---- From layout 1: the author's user name beside the shown name (the author link
// asks for it; the shown name may be a display name).
const char* const FROM_VERSION_1[] = {
    "alter table video_entry add column author_user_name text not null default ''",
};

// ---- From layout 2: a base of the sort positions in each playlist, so that the
// rows on either side of a change can shift (the stored keys are the positions).
const char* const FROM_VERSION_2[] = {
    "alter table playlist add column sort_base integer not null default 0",
};

// ---- From layout 3: the account's count of an account playlist whose entries have
// not been read; the count triggers are made anew to keep it.
const char* const FROM_VERSION_3[] = {
    "alter table playlist add column provider_count integer",
    "drop trigger if exists favorite_count_insert",
    "drop trigger if exists favorite_count_delete",
    "drop trigger if exists favorite_count_update",
};

// ---- Once the triggers of layout 4 are there: video rows go with their last
// reference instead of in a scan of the whole table at every exit; the rows an
// earlier run left unreferenced go once, here.
const char* const AFTER_VERSION_3[] = {
    "delete from video_entry"
    " where id not in (select video_entry_id from favorite)"
    " and id not in (select video_entry_id from video_history)",
};

const char* const AFTER_MIGRATION[] = {
    "update favorite set sort_id = renumbered.position"
    " from (select id, row_number() over (partition by playlist_id order by sort_id, id) as position"
    "       from favorite) as renumbered"
    " where favorite.id = renumbered.id and favorite.sort_id <> renumbered.position",
    "update playlist set"
    " entry_count = (select count(*) from favorite f where f.playlist_id = playlist.id),"
    " download_count = (select count(*) from favorite f where f.playlist_id = playlist.id"
    "   and f.video_link = 0 and f.download_state = 0)",
    "update playlist set"
    " entry_count = (select count(*) from favorite f where f.playlist_id = 1 and f.video_link = 0"
    "   and f.download_state <> 1),"
    " download_count = (select count(*) from favorite f where f.playlist_id = 1 and f.video_link = 0"
    "   and f.download_state = 0)"
    " where id = 2",
};

const QString SET_VERSION = QStringLiteral("pragma user_version = %1");
const QString SERVICE_ROW = QStringLiteral("insert or ignore into video_service (id, name) values (?, ?)");
const QString FIXED_PLAYLIST_ROW =
    QStringLiteral("insert or ignore into playlist (id, vs_id, type, name, latest_usage_date) values (?, ?, ?, ?, ?)");

// Writes what the file system holds of a file to the disk.
bool syncToDisk(const QString& path)
{
    const int fd = ::open(QFile::encodeName(path).constData(), O_RDONLY | O_CLOEXEC);
    if (fd < 0)
        return false;
    const bool synced = ::fsync(fd) == 0;
    ::close(fd);
    return synced;
}

template <size_t N>
bool runAll(RepositoryDatabase& database, const char* const (&statements)[N], const char* caller)
{
    for (const char* statement : statements)
        if (!database.exec(QString::fromLatin1(statement), {}, caller))
            return false;
    return true;
}

// The indexes and all triggers of the current layout.
bool createIndexesAndTriggers(RepositoryDatabase& database, const char* caller)
{
    if (!runAll(database, INDEXES_AND_TRIGGERS, caller))
        return false;
    for (const QString& trigger : countTriggers())
        if (!database.exec(trigger, {}, caller))
            return false;
    return true;
}

} // namespace

RepositorySchema::Opened RepositorySchema::open(RepositoryDatabase& database, const QString& fileName,
                                                 bool setAsideDamaged)
{
    QSqlDatabase db = database.connection();
    if (!db.isValid()) {
        qCWarning(lcCore) << "RepositorySchema::open() no SQLite driver";
        return Opened::Failed;
    }
    db.setDatabaseName(fileName);
    bool opened = openAndCheck(database, setAsideDamaged);
    if (!opened && setAsideDamaged && QFileInfo::exists(fileName) && setAside(database, fileName))
        opened = openAndCheck(database, false);
    if (!opened) {
        qCWarning(lcCore) << "RepositorySchema::open() cannot open" << fileName << db.lastError().text();
        return Opened::Failed;
    }

    // SQLite writes nothing into a file before its first write: an empty file is a
    // new database, made whole beside it and moved in place.
    const bool created = QFileInfo(fileName).size() == 0;
    if (created) {
        database.close();
        if (!createFile(database, fileName) || !openAndCheck(database, false)) {
            qCWarning(lcCore) << "RepositorySchema::open() cannot create" << fileName;
            return Opened::Failed;
        }
    }

    QSqlQuery pragma(db);
    pragma.exec(QStringLiteral("pragma foreign_keys = on"));
    const int version = database.scalar(QStringLiteral("pragma user_version"), {}, 0, "RepositorySchema::open()");
    const bool isNew = database.scalar(QStringLiteral("select count(*) from sqlite_master"
                                                      " where type = 'table' and name = 'playlist'"),
                                       {}, 0, "RepositorySchema::open()") == 0;
    // Commits go to a log beside the file instead of a journal file written, synced
    // and deleted beside the database's own sync. A new file takes the log before its
    // tables are written; a stored file once it is of the current layout, so that one
    // that could not be brought up to date stays as it was.
    if (isNew)
        useLog(pragma);
    if (isNew ? !create(database) : version < VERSION && !migrate(database, version))
        return Opened::Failed;
    if (!isNew)
        useLog(pragma);
    return created || isNew ? Opened::Created : Opened::Existing;
}

// Built in place, a new file costs a journal for its switch to the log, then a synced
// log and its folder: seven synced writes. Built under another name without a
// journal or a sync of its own, it costs one: the finished file, before it is moved
// in place, so that the name never stands for half a file. The folder is not synced
// for the move: the first commit syncs it (SQLite does when it first syncs the log or
// journal it created there), and until then nothing is lost if the move is: the
// next start finds no database, or an empty file, and builds it again.
bool RepositorySchema::createFile(RepositoryDatabase& database, const QString& fileName)
{
    const QString building = fileName + QStringLiteral(".new");
    const QStringList suffixes = {QString(), QStringLiteral("-journal"), QStringLiteral("-wal"), QStringLiteral("-shm")};
    for (const QString& suffix : suffixes)
        QFile::remove(building + suffix);
    bool built = false;
    {
        RepositoryDatabase file(database.connection().connectionName() + QStringLiteral("_new"));
        QSqlDatabase db = file.connection();
        db.setDatabaseName(building);
        if (db.open()) {
            {
                QSqlQuery pragma(db);
                built = pragma.exec(QStringLiteral("pragma journal_mode = off"))
                    && pragma.exec(QStringLiteral("pragma synchronous = off"));
            }
            // The log is switched on last: the switch writes the file's header, and
            // the file keeps it.
            built = built && create(file) && QSqlQuery(db).exec(QStringLiteral("pragma journal_mode = wal"));
        }
        file.close();
    }
    built = built && syncToDisk(building)
        && std::rename(QFile::encodeName(building).constData(), QFile::encodeName(fileName).constData()) == 0;
    if (!built)
        QFile::remove(building);
    return built;
}

// With the log, a commit is one synced append to the log instead of a journal file
// written, synced and deleted beside the database's own sync. Every commit is still
// synced: a favourite the user saw stored stays stored through a power cut, which a
// tablet on battery meets. Without the log (a file system that cannot share memory
// maps) the file keeps its journal.
void RepositorySchema::useLog(QSqlQuery& pragma)
{
    pragma.exec(QStringLiteral("pragma journal_mode = wal"));
    pragma.finish();
    pragma.exec(QStringLiteral("pragma synchronous = full"));
}

// Opening is lazy in SQLite: a file that is not a database shows only at the first
// statement, so the check reads the schema, or with wholeFile every page of it. The
// whole-file check also matches every index against its table: a changed byte in an
// index page leaves the pages well formed, and only that comparison finds it. It
// costs a few tens of milliseconds with 10,000 favourites, and only with -create-db.
bool RepositorySchema::openAndCheck(RepositoryDatabase& database, bool wholeFile)
{
    QSqlDatabase db = database.connection();
    if (!db.open())
        return false;
    QSqlQuery check(db);
    bool usable = check.exec(QStringLiteral("select count(*) from sqlite_master")) && check.next();
    if (usable && wholeFile) {
        usable = check.exec(QStringLiteral("pragma integrity_check")) && check.next()
            && check.value(0).toString() == QLatin1String("ok");
        if (!usable)
            qCWarning(lcCore) << "RepositorySchema::open() the integrity check failed:"
                              << (check.isValid() ? check.value(0).toString() : check.lastError().text());
    }
    check.finish();
    if (!usable)
        db.close();
    return usable;
}

bool RepositorySchema::setAside(RepositoryDatabase& database, const QString& fileName)
{
    database.close();
    const QString aside = fileName + QStringLiteral(".broken");
    // The log goes along under the name SQLite looks for beside the set-aside file;
    // left here it would be replayed into the new database.
    const QStringList suffixes = {QString(), QStringLiteral("-wal"), QStringLiteral("-shm")};
    for (const QString& suffix : suffixes)
        QFile::remove(aside + suffix);
    if (!QFile::rename(fileName, aside))
        return false;
    QFile::rename(fileName + QStringLiteral("-wal"), aside + QStringLiteral("-wal"));
    QFile::remove(fileName + QStringLiteral("-shm"));
    qCWarning(lcCore) << "RepositorySchema::open() unusable database moved to" << aside;
    return true;
}

bool RepositorySchema::create(RepositoryDatabase& database)
{
    const char* caller = "RepositorySchema::create()";
    Transaction transaction(database, caller);
    if (!transaction.isActive() || !runAll(database, TABLES, caller) || !createIndexesAndTriggers(database, caller))
        return false;
    const qint64 now = usageStamp();
    const QList<QPair<QString, QVariantList>> fixedRows = {
        {SERVICE_ROW, {int(eLocalService), DATABASE_SERVICE_LOCAL}},
        {SERVICE_ROW, {int(eAccountService), DATABASE_SERVICE_ACCOUNT}},
        {FIXED_PLAYLIST_ROW, {int(ePlayListIdAllFavorites), int(eLocalService), int(ePlayListAllFavorites),
                              TEXT_ALL_LOCAL_FAVORITES(), now}},
        {FIXED_PLAYLIST_ROW, {int(ePlayListIdDownloadQueue), int(eLocalService), int(ePlayListDownloadQueue),
                              TEXT_DOWNLOAD_QUEUE(), now}},
        {FIXED_PLAYLIST_ROW, {int(ePlayListIdLocalFolder), int(eLocalService), int(ePlayListLocalFolder),
                              TEXT_LOCAL_PLAYLISTS(), now}},
    };
    for (const auto& row : fixedRows)
        if (!database.exec(row.first, row.second, caller))
            return false;
    return database.exec(SET_VERSION.arg(VERSION), {}, caller) && transaction.commit();
}

bool RepositorySchema::migrate(RepositoryDatabase& database, int version)
{
    const char* caller = "RepositorySchema::migrate()";
    Transaction transaction(database, caller);
    const bool fromZero = version < 1;
    // The tables, indexes and triggers that a layout lacks are made once its columns
    // are there (each statement makes only what is missing).
    const bool ok = transaction.isActive()
        && (!fromZero || runAll(database, FROM_VERSION_0, caller))
        && (version >= 2 || runAll(database, FROM_VERSION_1, caller))
        && (version >= 3 || runAll(database, FROM_VERSION_2, caller))
        && runAll(database, FROM_VERSION_3, caller)
        && runAll(database, TABLES, caller) && createIndexesAndTriggers(database, caller)
        && runAll(database, AFTER_VERSION_3, caller)
        && (!fromZero || runAll(database, AFTER_MIGRATION, caller))
        && database.exec(SET_VERSION.arg(VERSION), {}, caller) && transaction.commit();
    if (ok)
        qCDebug(lcCore) << "RepositorySchema::migrate() the database was brought to layout" << VERSION;
    return ok;
}
