#include "core/FileManager.h"
#include "core/CoreLogging.h"
#include "core/SettingsManager.h"
#include "core/StoragePaths.h"
#include "core/constants/Paths.h"
#include "core/constants/Settings.h"

#include <QCryptographicHash>
#include <QDebug>
#include <QDir>
#include <QDirIterator>
#include <QFile>
#include <QFileInfo>
#include <QRegularExpression>
#include <QStorageInfo>

namespace {

// An extension: a dot and at most 15 letters or digits (".flv", ".jpg"), not at the start.
const QRegularExpression EXTENSION(QStringLiteral("(?<=.)\\.[A-Za-z0-9]{1,15}$"));
// Hex digits of the hash that tells altered names apart.
const int NAME_TAG_DIGITS = 16;
const QChar NAME_TAG_MARK = QLatin1Char('~');

// Control characters and separators, and half a surrogate pair: one has no UTF-8 of
// its own, so the file system would get a replacement character in its place.
bool isUnsafe(const QString& name, qsizetype i)
{
    const QChar c = name.at(i);
    const ushort u = c.unicode();
    if (c.isHighSurrogate())
        return i + 1 >= name.size() || !name.at(i + 1).isLowSurrogate();
    if (c.isLowSurrogate())
        return i == 0 || !name.at(i - 1).isHighSurrogate();
    return u < 0x20 || u == 0x7f || c == QLatin1Char('/') || c == QLatin1Char('\\');
}

// What the name takes on disk: the bytes the file system is given.
int utf8Bytes(const QString& text)
{
    return int(QFile::encodeName(text).size());
}

// The longest start of text that fits in maxBytes of UTF-8, never half a character.
QString cutToBytes(const QString& text, int maxBytes)
{
    int bytes = 0;
    int end = 0;
    while (end < text.size()) {
        const bool pair = text.at(end).isHighSurrogate() && end + 1 < text.size() && text.at(end + 1).isLowSurrogate();
        const int length = pair ? 2 : 1;
        const int size = utf8Bytes(text.mid(end, length));
        if (bytes + size > maxBytes)
            break;
        bytes += size;
        end += length;
    }
    return text.left(end);
}

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
            qCWarning(lcCore) << "FileManager::createFolders() cannot create" << folder;
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
        qCDebug(lcCore) << "Saved limit is invalid!";
        return false;
    }
    return diskSpaceAvailable() >= qint64(limit) * 1024;
}

namespace {
FileManager::FreeSpaceMeasure freeSpaceMeasure = nullptr;
} // namespace

void FileManager::setFreeSpaceMeasure(FreeSpaceMeasure measure)
{
    freeSpaceMeasure = measure;
}

qint64 FileManager::diskSpaceAvailable() const
{
    if (freeSpaceMeasure)
        return freeSpaceMeasure(myRoot);
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
            qCWarning(lcCore) << "FileManager::emptyFolder() cannot remove" << file.absoluteFilePath();
            result = 1;
        }
    }
    return result;
}

int FileManager::removePartialFiles()
{
    int result = 0;
    for (const QString& folder : {getVideoFolder(), getFavoriteVideoFolder(), getQueueFolder()}) {
        const QFileInfoList partials =
            QDir(folder).entryInfoList({QStringLiteral("*") + PARTIAL_FILE_SUFFIX}, QDir::Files | QDir::Hidden);
        for (const QFileInfo& file : partials) {
            if (QFile::remove(file.absoluteFilePath()))
                continue;
            qCWarning(lcCore) << "FileManager::removePartialFiles() cannot remove" << file.absoluteFilePath();
            result = 1;
        }
    }
    return result;
}

QString FileManager::sanitizeFileName(const QString& name)
{
    QString safe;
    safe.reserve(name.size());
    for (qsizetype i = 0; i < name.size(); ++i)
        safe.append(isUnsafe(name, i) ? QLatin1Char('_') : name.at(i));
    // No hidden files, and neither "." nor "..": leading dots become underscores.
    for (int i = 0; i < safe.size() && safe.at(i) == QLatin1Char('.'); ++i)
        safe[i] = QLatin1Char('_');
    if (!safe.isEmpty() && safe == name && utf8Bytes(safe) <= MAX_FILE_NAME_BYTES)
        return safe;

    const QString tag = NAME_TAG_MARK
        + QString::fromLatin1(QCryptographicHash::hash(name.toUtf8(), QCryptographicHash::Sha1).toHex().left(NAME_TAG_DIGITS));
    const QString extension = EXTENSION.match(safe).captured();
    const QString base = safe.left(safe.size() - extension.size());
    const QString kept = cutToBytes(base.isEmpty() ? QStringLiteral("_") : base,
                                    MAX_FILE_NAME_BYTES - utf8Bytes(tag) - utf8Bytes(extension));
    return kept + tag + extension;
}

QString FileManager::pathInFolder(const QString& folder, const QString& name)
{
    return withSlash(folder) + sanitizeFileName(name);
}
