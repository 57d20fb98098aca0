#include "core/repository/StoredFiles.h"
#include "core/CoreLogging.h"
#include "core/FileManager.h"
#include "core/Types.h"
#include "core/VideoEntry.h"
#include "core/constants/Paths.h"
#include "core/repository/RepositoryDatabase.h"
#include "core/repository/RepositoryRows.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSqlQuery>

#include <climits>

namespace {

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

int StoredFiles::resolveVideoFilePath(VideoEntry* entry)
{
    if (!entry || entry->getVideoId().isEmpty())
        return eRepFailure;
    const QString name = QFileInfo(entry->getVideoFile()).fileName();
    if (name.isEmpty()) {
        entry->setVideoFile(QString());
        return eRepOk;
    }
    const QString stored = FileManager::pathInFolder(myFiles.getFavoriteVideoFolder(), name);
    const QString downloaded = FileManager::pathInFolder(myFiles.getVideoFolder(), name);
    if (QFileInfo(stored).isFile())
        entry->setVideoFile(stored);
    else if (QFileInfo(downloaded).isFile())
        entry->setVideoFile(downloaded);
    else
        entry->setVideoFile(QString());
    return eRepOk;
}

// The thumbnail of a finished download: the entry's own file when it lies in one of
// our folders, else a file named after the video id; "" when there is none.
QString StoredFiles::findThumbnail(const VideoEntry* entry) const
{
    const QStringList folders = {myFiles.getFavoriteThumbnailFolder(), myFiles.getThumbnailFolder(),
                                 myFiles.getQueueFolder()};
    const QString own = QFileInfo(entry->getThumbnailFile()).fileName();
    const QString base = FileManager::sanitizeFileName(entry->getVideoId());
    for (const QString& folder : folders) {
        if (!own.isEmpty()) {
            const QString candidate = FileManager::pathInFolder(folder, own);
            if (QFileInfo(candidate).isFile())
                return candidate;
        }
        const QFileInfoList named = QDir(folder).entryInfoList({base + QStringLiteral(".*")}, QDir::Files);
        for (const QFileInfo& info : named)
            if (info.completeBaseName() == base && !info.fileName().endsWith(VIDEO_FILE_SUFFIX))
                return info.filePath();
    }
    return QString();
}

// Moves the entry's finished video file (and its thumbnail, when there is one) from
// the first of sourceFolders that holds it into the favourites folders and marks the
// video stored. 0 success, 2 when no video file was found, 1 on failure (files are
// moved back).
int StoredFiles::storeEntryFiles(VideoEntry* entry, const QStringList& sourceFolders)
{
    QStringList videoNames;
    const QString ownName = QFileInfo(entry->getVideoFile()).fileName();
    if (!ownName.isEmpty())
        videoNames << FileManager::sanitizeFileName(ownName);
    videoNames << FileManager::sanitizeFileName(entry->getVideoId() + VIDEO_FILE_SUFFIX);

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

    const QString thumbnailSource = findThumbnail(entry);
    const QString videoTarget = FileManager::pathInFolder(myFiles.getFavoriteVideoFolder(), QFileInfo(videoSource).fileName());
    const QString thumbnailTarget = thumbnailSource.isEmpty()
        ? QString()
        : FileManager::pathInFolder(myFiles.getFavoriteThumbnailFolder(), QFileInfo(thumbnailSource).fileName());
    QDir().mkpath(myFiles.getFavoriteVideoFolder());
    QDir().mkpath(myFiles.getFavoriteThumbnailFolder());
    if (!moveFile(videoSource, videoTarget)) {
        qCWarning(lcCore) << "Repository::storeDownloadedEntry() cannot move" << videoSource;
        return eRepFailure;
    }
    if (!thumbnailSource.isEmpty() && !moveFile(thumbnailSource, thumbnailTarget)) {
        qCWarning(lcCore) << "Repository::storeDownloadedEntry() cannot move" << thumbnailSource;
        moveFile(videoTarget, videoSource);
        return eRepFailure;
    }
    const qint64 size = QFileInfo(videoTarget).size();
    const int fileSize = size > INT_MAX ? INT_MAX : int(size);

    const char* caller = "Repository::storeDownloadedEntry()";
    bool ok = false;
    {
        Transaction transaction(myDatabase, caller);
        const int rowId = transaction.isActive() ? upsertVideo(myDatabase, entry) : -1;
        ok = rowId > 0
            && myDatabase.exec(QStringLiteral("update video_entry set video_file = ?, video_file_size = ?,"
                                              " thumbnail_file = case when ? = '' then thumbnail_file else ? end"
                                              " where id = ?"),
                               {videoTarget, fileSize, thumbnailTarget, thumbnailTarget, rowId}, caller)
            && myDatabase.exec(QStringLiteral("update favorite set download_state = 1"
                                              " where video_entry_id = ? and video_link = 0"),
                               {rowId}, caller)
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

int StoredFiles::storeDownloadedEntry(VideoEntry* entry)
{
    if (!entry || entry->getVideoId().isEmpty() || !myDatabase.isUsable())
        return eRepFailure;
    // The favourite may have been removed while its file was being fetched: then there
    // is nothing to store, and the files stay where they are for the caller to drop.
    bool ok = false;
    const int queued = myDatabase.scalar(QStringLiteral("select count(*) from favorite"
                                                        " where video_entry_id = (select id from video_entry where video_id = ?)"
                                                        " and video_link = 0"),
                                         {entry->getVideoId()}, 0, "Repository::storeDownloadedEntry()", &ok);
    if (!ok)
        return eRepFailure;
    if (queued == 0)
        return eRepNotFound;
    const int result = storeEntryFiles(entry, {myFiles.getFavoriteVideoFolder(), myFiles.getQueueFolder(),
                                               myFiles.getVideoFolder()});
    if (result == eRepNotFound) {
        // A download reported as finished that left no file would be fetched again and
        // again; it leaves the queue as one that cannot be downloaded.
        qCDebug(lcCore) << "Repository::storeDownloadedEntry() no video file for" << entry->getVideoId();
        markEntryInvalid(entry);
        return eRepFailure;
    }
    return result;
}

int StoredFiles::markEntryInvalid(VideoEntry* entry)
{
    if (!entry || entry->getVideoId().isEmpty() || !myDatabase.isUsable())
        return eRepFailure;
    const int rowId = videoRowId(myDatabase, entry->getVideoId());
    if (rowId <= 0)
        return eRepNotFound;
    const char* caller = "Repository::markEntryInvalid()";
    {
        Transaction transaction(myDatabase, caller);
        const bool ok = transaction.isActive()
            && myDatabase.exec(QStringLiteral("update favorite set download_state = 2"
                                              " where video_entry_id = ? and video_link = 0"),
                               {rowId}, caller)
            && myDatabase.exec(QStringLiteral("update video_entry set video_file_size = 0 where id = ?"), {rowId}, caller)
            && transaction.commit();
        if (!ok)
            return eRepFailure;
    }
    entry->setDownloadState(eDownloadInvalid);
    entry->setVideoFileSize(0);
    return eRepOk;
}

bool StoredFiles::leftoverFiles(QStringList& files, const char* caller)
{
    return myDatabase.readRows(QStringLiteral("select r.path from removed_file r where not exists"
                                              " (select 1 from video_entry v join favorite f on f.video_entry_id = v.id"
                                              " where v.video_id = r.video_id and f.video_link = 0)"),
                               {}, caller, [&files](const QSqlQuery& q) { files << q.value(0).toString(); });
}

void StoredFiles::deleteLeftoverFiles()
{
    QStringList files;
    if (leftoverFiles(files, "Repository::openDatabase()"))
        deleteFiles(files);
}

bool StoredFiles::forgetFiles(int videoRowId, QStringList& files)
{
    const char* caller = "Repository::removeFavorite()";
    // What earlier removals listed is deleted with this one's files and unlisted in
    // its transaction, so that the list holds no more than the last removal's.
    if (!leftoverFiles(files, caller) || !myDatabase.exec(QStringLiteral("delete from removed_file"), {}, caller))
        return false;
    QSqlQuery query(myDatabase.connection());
    if (!myDatabase.run(query, QStringLiteral("select video_id, video_file, thumbnail_file from video_entry where id = ?"),
                        {videoRowId}, caller))
        return false;
    if (!query.next())
        return myDatabase.rowsEnded(query, caller);
    const QString videoFolder = myFiles.getFavoriteVideoFolder();
    const QString videoFile = query.value(1).toString();
    const QString named = FileManager::pathInFolder(videoFolder, query.value(0).toString() + VIDEO_FILE_SUFFIX);
    // A download of it that a killed run left behind goes too.
    const QStringList candidates = {videoFile, query.value(2).toString(), named,
                                    videoFile.isEmpty() ? QString() : videoFile + PARTIAL_FILE_SUFFIX,
                                    named + PARTIAL_FILE_SUFFIX};
    const QString videoId = query.value(0).toString();
    query.finish();
    for (const QString& file : candidates) {
        if (file.isEmpty() || files.contains(file)
            || !(isInside(file, videoFolder) || isInside(file, myFiles.getFavoriteThumbnailFolder())))
            continue;
        // Only a file that is there can be left behind (a partial download that
        // starts later goes with the partial files at start).
        if (QFileInfo::exists(file)
            && !myDatabase.exec(QStringLiteral("insert or replace into removed_file (path, video_id) values (?, ?)"),
                                {file, videoId}, caller))
            return false;
        files << file;
    }
    const QString favorites = myFiles.getApplicationMediaFolder() + QStringLiteral("favorites/%");
    return myDatabase.exec(QStringLiteral("update video_entry set video_file = '', thumbnail_file = '', video_file_size = 0"
                                          " where id = ? and (video_file like ? or thumbnail_file like ?)"),
                           {videoRowId, favorites, favorites}, caller);
}

void StoredFiles::deleteFiles(const QStringList& files)
{
    for (const QString& file : files)
        if (QFileInfo::exists(file) && !QFile::remove(file))
            qCWarning(lcCore) << "Repository::removeFavorite() cannot remove" << file;
}

int StoredFiles::exitCleanup()
{
    if (!myDatabase.isUsable())
        return eRepFailure;
    const char* caller = "Repository::exitCleanup()";
    int result = eRepOk;

    // 1. Queued favourites whose finished file waits in queue/ become stored.
    if (!QDir(myFiles.getQueueFolder()).isEmpty(QDir::Files)) {
        QSqlQuery query(myDatabase.connection());
        bool read = myDatabase.run(query,
                                   ENTRY_SELECT + QStringLiteral("where f.playlist_id = ? and f.download_state = 0"
                                                                 " and f.video_link = 0"),
                                   {int(ePlayListIdAllFavorites)}, caller);
        const QList<VideoEntry*> queued = read ? readEntries(myDatabase, query, caller, &read) : QList<VideoEntry*>();
        query.finish();
        if (!read)
            result = eRepFailure;
        for (VideoEntry* entry : queued) {
            if (storeEntryFiles(entry, {myFiles.getQueueFolder()}) == eRepFailure)
                result = eRepFailure;
            delete entry;
        }
    }

    // 2. Files of this run only. (Video rows that nothing refers to any more went
    // with their last reference.)
    if (myFiles.emptyFolder(myFiles.getThumbnailFolder()) != 0 || myFiles.emptyFolder(myFiles.getVideoFolder()) != 0
        || myFiles.emptyFolder(myFiles.getQueueFolder()) != 0)
        result = eRepFailure;
    return result;
}
