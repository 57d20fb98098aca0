// File names made from service data (video ids, user names, picture addresses).
#include "fuzz/FuzzSupport.h"

#include "core/FileManager.h"

#include <QDir>
#include <QFile>

namespace {

void checkName(const QString& name)
{
    const QString safe = FileManager::sanitizeFileName(name);
    // One file in the folder, never a path, a hidden file, "." or "..".
    FUZZ_CHECK(!safe.isEmpty());
    FUZZ_CHECK(!safe.startsWith(QLatin1Char('.')));
    FUZZ_CHECK(!safe.contains(QLatin1Char('/')) && !safe.contains(QLatin1Char('\0')));
    // Room for the partial file's suffix within the file system's 255 bytes, counted
    // as the file system gets them.
    FUZZ_CHECK(QFile::encodeName(safe).size() <= FileManager::MAX_FILE_NAME_BYTES);
    // A name made here comes back unchanged.
    FUZZ_CHECK(FileManager::sanitizeFileName(safe) == safe);
    const QString folder = QStringLiteral("/media/mmc2/krelvox/thumbnails");
    const QString path = FileManager::pathInFolder(folder, name);
    FUZZ_CHECK(QDir::cleanPath(path) == path);
    FUZZ_CHECK(path.section(QLatin1Char('/'), 0, -2) == folder);
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    checkName(Fuzz::text(data, size));
    // Text from UTF-8 never holds half a surrogate pair; the same bytes read as UTF-16
    // can.
    checkName(QString::fromUtf16(reinterpret_cast<const char16_t*>(data), qsizetype(size / 2)));
    return 0;
}
