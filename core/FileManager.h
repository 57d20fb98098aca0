#ifndef KRELVOX_FILEMANAGER_H
#define KRELVOX_FILEMANAGER_H

#include <QObject>
#include <QString>

class SettingsManager;

// The media folders under <storage root>/krelvox/: videos/, thumbnails/,
// favorites/videos/, favorites/thumbnails/ and queue/ (all paths end with "/").
class FileManager : public QObject
{
    Q_OBJECT
public:
    // storageRoot: the folder that holds "krelvox/" (the memory card or /tmp).
    FileManager(const QString& storageRoot, SettingsManager* settings, QObject* parent = nullptr);

    // The memory card when it is mounted, else /tmp.
    static QString defaultStorageRoot();

    // Creates the folders that are missing; 0 success, 1 failure.
    int createFolders();

    QString getStorageRoot() const;          // e.g. "/media/mmc2"
    QString getApplicationMediaFolder() const; // <root>/krelvox/
    QString getVideoFolder() const;          // <root>/krelvox/videos/
    QString getThumbnailFolder() const;      // <root>/krelvox/thumbnails/
    QString getFavoriteVideoFolder() const;  // <root>/krelvox/favorites/videos/
    QString getFavoriteThumbnailFolder() const; // <root>/krelvox/favorites/thumbnails/
    QString getQueueFolder() const;          // <root>/krelvox/queue/

    // True when the free space in kB is at least SETTING_DISK_SPACE_LIMIT (MB) * 1024.
    // A limit of 0 or not a number traces "Saved limit is invalid!" and gives false.
    bool freeDiskSpaceAvailable() const;
    // Free space of the storage root in kB.
    qint64 diskSpaceAvailable() const;
    // How the free space of a folder is measured, in kB. A test puts a measure of its
    // own in place to play a nearly full memory card; null gives the file system's
    // figure again.
    using FreeSpaceMeasure = qint64 (*)(const QString& folder);
    static void setFreeSpaceMeasure(FreeSpaceMeasure measure);
    // Bytes used by the media folders.
    qint64 usedDiskSpace() const;

    // Removes every file of a folder (not the folder itself); 0 success, 1 failure.
    int emptyFolder(const QString& folder);
    // Removes the partial files (PARTIAL_FILE_SUFFIX) of downloads in the folders that
    // downloads write to; 0 success, 1 when one could not be removed.
    int removePartialFiles();

    // A file name made from service data (a video id, a captcha address...) that is
    // safe to put into one of the media folders: no path separators, no leading dot
    // (so neither "." nor ".."), no NUL or control characters, no half of a surrogate
    // pair, never empty, and at most MAX_FILE_NAME_BYTES bytes as the file system gets
    // them (room left for PARTIAL_FILE_SUFFIX within its 255). A name that is all that
    // already is kept as it is, so a name made here comes back unchanged. Any other
    // name keeps what it can of itself and its extension, with "~" and 16 hex digits of
    // a hash of the whole name before the extension: different names do not end up as
    // one.
    static QString sanitizeFileName(const QString& name);
    // The file system's 255 bytes less those of PARTIAL_FILE_SUFFIX.
    static constexpr int MAX_FILE_NAME_BYTES = 255 - 5;
    // folder + the sanitised name: a path that always stays inside the folder.
    static QString pathInFolder(const QString& folder, const QString& name);

private:
    QString myRoot;
    SettingsManager* mySettings;
};

#endif
