#include "core/FileManager.h"
#include "core/SettingsManager.h"
#include "core/StoragePaths.h"
#include "core/constants/Paths.h"
#include "core/constants/Settings.h"

#include <QDebug>
#include <QDir>
#include <QDirIterator>
#include <QFileInfo>
#include <QStorageInfo>

namespace {

// Longest file name we make; well below the 255 bytes of common file systems even
// when every character needs several bytes.
const int MAX_FILE_NAME_LENGTH = 120;

QString withSlash(const QString& folder)
{
    return folder.endsWith(QLatin1Char('/')) ? folder : folder + QLatin1Char('/');
}

} // namespace

FileManager::FileManager(const QString& storageRoot, SettingsManager* settings, QObject* parent)
    : QObject(parent), myRoot(storageRoot), mySettings(settings)
{
    while (myRoot.size() > 1 && myRoot.endsWith(QLatin1Char('/')))
        myRoot.chop(1);
}

QString FileManager::defaultStorageRoot()
{
    return StoragePaths::defaults().storageRoot;
}

int FileManager::createFolders()
{
    const QStringList folders = {getVideoFolder(), getThumbnailFolder(), getFavoriteVideoFolder(),
                                 getFavoriteThumbnailFolder(), getQueueFolder()};
    int result = 0;
    for (const QString& folder : folders) {
        if (!QDir().mkpath(folder)) {
            qWarning() << "FileManager::createFolders() cannot create" << folder;
            result = 1;
        }
    }
    return result;
}

QString FileManager::getStorageRoot() const
{
    return myRoot;
}

QString FileManager::getApplicationMediaFolder() const
{
    // PATH_APPLICATION_FOLDER is "/krelvox/"; a root of "/" must not give "//krelvox/".
    return (myRoot == QLatin1String("/") ? QString() : myRoot) + PATH_APPLICATION_FOLDER;
}

QString FileManager::getVideoFolder() const
{
    return getApplicationMediaFolder() + FOLDER_VIDEOS;
}

QString FileManager::getThumbnailFolder() const
{
    return getApplicationMediaFolder() + FOLDER_THUMBNAILS;
}

QString FileManager::getFavoriteVideoFolder() const
{
    return getApplicationMediaFolder() + FOLDER_FAVORITE_VIDEOS;
}

QString FileManager::getFavoriteThumbnailFolder() const
{
    return getApplicationMediaFolder() + FOLDER_FAVORITE_THUMBNAILS;
}

QString FileManager::getQueueFolder() const
{
    return getApplicationMediaFolder() + FOLDER_QUEUE;
}

bool FileManager::freeDiskSpaceAvailable() const
{
    int limit = 0;
    if (mySettings)
        mySettings->getSetting(SETTING_DISK_SPACE_LIMIT, limit);
    if (limit <= 0) {
        qDebug() << "Saved limit is invalid!";
        return false;
    }
    return diskSpaceAvailable() >= qint64(limit) * 1024;
}

qint64 FileManager::diskSpaceAvailable() const
{
    QStorageInfo storage(myRoot);
    if (!storage.isValid())
        return 0;
    return storage.bytesAvailable() / 1024;
}

qint64 FileManager::usedDiskSpace() const
{
    qint64 total = 0;
    QDirIterator it(getApplicationMediaFolder(), QDir::Files | QDir::Hidden | QDir::NoSymLinks,
                    QDirIterator::Subdirectories);
    while (it.hasNext()) {
        it.next();
        total += it.fileInfo().size();
    }
    return total;
}

int FileManager::emptyFolder(const QString& folder)
{
    QDir dir(folder);
    if (!dir.exists())
        return 0;
    int result = 0;
    const QFileInfoList files = dir.entryInfoList(QDir::Files | QDir::Hidden | QDir::System);
    for (const QFileInfo& file : files) {
        if (!QFile::remove(file.absoluteFilePath())) {
            qWarning() << "FileManager::emptyFolder() cannot remove" << file.absoluteFilePath();
            result = 1;
        }
    }
    return result;
}

QString FileManager::sanitizeFileName(const QString& name)
{
    QString safe;
    safe.reserve(name.size());
    for (const QChar c : name) {
        const ushort u = c.unicode();
        if (u < 0x20 || u == 0x7f || c == QLatin1Char('/') || c == QLatin1Char('\\'))
            safe.append(QLatin1Char('_'));
        else
            safe.append(c);
    }
    // No hidden files, and neither "." nor "..": leading dots become underscores.
    for (int i = 0; i < safe.size() && safe.at(i) == QLatin1Char('.'); ++i)
        safe[i] = QLatin1Char('_');
    if (safe.size() > MAX_FILE_NAME_LENGTH) {
        safe.truncate(MAX_FILE_NAME_LENGTH);
        if (safe.at(safe.size() - 1).isHighSurrogate())
            safe.chop(1);
    }
    if (safe.isEmpty())
        safe = QStringLiteral("_");
    return safe;
}

QString FileManager::pathInFolder(const QString& folder, const QString& name)
{
    return withSlash(folder) + sanitizeFileName(name);
}
