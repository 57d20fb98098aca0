#ifndef KRELVOX_STOREDFILES_H
#define KRELVOX_STOREDFILES_H

#include <QStringList>

class FileManager;
class RepositoryDatabase;
class VideoEntry;

// The files of stored favourites on the card and the rows that name them: where an
// entry's video file is, what a finished or failed background download leaves, the
// files a removed favourite takes along, and the clean-up at exit.
class StoredFiles
{
public:
    StoredFiles(RepositoryDatabase& database, FileManager& files) : myDatabase(database), myFiles(files) {}

    int resolveVideoFilePath(VideoEntry* entry);
    int storeDownloadedEntry(VideoEntry* entry);
    int markEntryInvalid(VideoEntry* entry);

    // For a favourite being removed, inside the caller's transaction: the files of the
    // video in the favourites folders (stored copy, thumbnail, a partial download),
    // which the row stops naming. False when the row could not be read or written.
    bool forgetFiles(int videoRowId, QStringList& files);
    // Deletes what forgetFiles listed, once the removal is committed.
    static void deleteFiles(const QStringList& files);

    int exitCleanup();

private:
    int storeEntryFiles(VideoEntry* entry, const QStringList& sourceFolders);
    QString findThumbnail(const VideoEntry* entry) const;

    RepositoryDatabase& myDatabase;
    FileManager& myFiles;
};

#endif
