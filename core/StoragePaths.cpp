#include "core/StoragePaths.h"
#include "core/constants/Paths.h"

#include <QFile>
#include <QTextStream>

namespace {

bool haveOverride = false;

StoragePaths& overridePaths()
{
    static StoragePaths paths;
    return paths;
}

// True when the folder is listed as a mount point in /proc/mounts.
bool isMountPoint(const QString& folder)
{
    QFile mounts(QStringLiteral("/proc/mounts"));
    if (!mounts.open(QIODevice::ReadOnly | QIODevice::Text))
        return false;
    QTextStream in(&mounts);
    while (!in.atEnd()) {
        const QStringList fields = in.readLine().split(QLatin1Char(' '));
        if (fields.size() > 1 && fields.at(1) == folder)
            return true;
    }
    return false;
}

} // namespace

StoragePaths StoragePaths::defaults()
{
    StoragePaths paths;
    paths.storageRoot = isMountPoint(PATH_MEMORY_CARD) ? PATH_MEMORY_CARD : PATH_TMP;
    QString home = qEnvironmentVariable("HOME");
    if (home.isEmpty())
        home = PATH_FALLBACK_HOME;
    paths.applicationFolder = home + PATH_APPLICATION_FOLDER;
    return paths;
}

StoragePaths StoragePaths::current()
{
    return haveOverride ? overridePaths() : defaults();
}

void StoragePaths::setOverride(const StoragePaths& paths)
{
    overridePaths() = paths;
    haveOverride = true;
}

void StoragePaths::clearOverride()
{
    overridePaths() = StoragePaths();
    haveOverride = false;
}
