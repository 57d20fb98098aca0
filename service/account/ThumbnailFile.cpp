#include "service/account/ThumbnailFile.h"

#include <QDir>
#include <QFileInfo>
#include <QImage>
#include <QSaveFile>

namespace ThumbnailFile {

bool write(const QString& fileName, const QByteArray& data, QString& error)
{
    QImage image;
    if (!image.loadFromData(data)) {
        error = QStringLiteral("The answer is not a picture");
        return false;
    }
    QDir().mkpath(QFileInfo(fileName).absolutePath());
    QSaveFile file(fileName);
    if (!file.open(QIODevice::WriteOnly) || file.write(data) != data.size() || !file.commit()) {
        error = QStringLiteral("The picture cannot be written: ") + file.errorString();
        return false;
    }
    return true;
}

} // namespace ThumbnailFile
