#ifndef KRELVOX_STOREDFILES_H
#define KRELVOX_STOREDFILES_H

#include <QStringList>

class FileManager;
class RepositoryDatabase;
class VideoEntry;

// The files of stored favourites on the card and the rows that name them: where an
// entry's video file is, what a finished or failed background download leaves, the
// files a removed favourite takes along (also when the run ends before they are
// deleted), and the clean-up at exit.
class StoredFiles
{
public:
    StoredFiles(RepositoryDatabase& database, FileManager& files) : myDatabase(database), myFiles(files) {}

    int resolveVideoFilePath(VideoEntry* entry);
    int storeDownloadedEntry(VideoEntry* entry);
    int markEntryInvalid(VideoEntry* entry);

    // For a favourite being removed, inside the caller's transaction and before its
    // rows go: the files of the video in the favourites folders (stored copy,
    // thumbnail, a partial download), which the row stops naming, listed in the
    // database as removed, together with what earlier removals listed. False when a
    // row could not be read or written.
    bool forgetFiles(int videoRowId, QStringList& files);
    // Deletes what forgetFiles listed, once the removal is committed.
    static void deleteFiles(const QStringList& files);
    // At start: deletes the files that a run ended before it could delete (listed as
    // removed, of videos that are no stored copy again). Writes nothing.
    void deleteLeftoverFiles();

    int exitCleanup();

private:
    int storeEntryFiles(VideoEntry* entry, const QStringList& sourceFolders);
    QString findThumbnail(const VideoEntry* entry) const;
    // The files listed as removed whose video is no stored copy (again); false when
    // they could not be read.
    bool leftoverFiles(QStringList& files, const char* caller);

    RepositoryDatabase& myDatabase;
    FileManager& myFiles;
};

#endif
