// File names made from service data (video ids, user names, picture addresses).
#include "fuzz/FuzzSupport.h"

#include "core/FileManager.h"

#include <QDir>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    const QString name = Fuzz::text(data, size);
    const QString safe = FileManager::sanitizeFileName(name);
    // One file in the folder, never a path, a hidden file, "." or "..".
    FUZZ_CHECK(!safe.isEmpty());
    FUZZ_CHECK(!safe.startsWith(QLatin1Char('.')));
    FUZZ_CHECK(!safe.contains(QLatin1Char('/')) && !safe.contains(QLatin1Char('\0')));
    // Room for the partial file's suffix within the file system's 255 bytes.
    FUZZ_CHECK(safe.toUtf8().size() <= FileManager::MAX_FILE_NAME_BYTES);
    // A name made here comes back unchanged.
    FUZZ_CHECK(FileManager::sanitizeFileName(safe) == safe);
    const QString folder = QStringLiteral("/media/mmc2/krelvox/thumbnails");
    const QString path = FileManager::pathInFolder(folder, name);
    FUZZ_CHECK(QDir::cleanPath(path) == path);
    FUZZ_CHECK(path.section(QLatin1Char('/'), 0, -2) == folder);
    return 0;
}
