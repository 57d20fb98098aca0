#include "core/MessageEntry.h"
#include "core/CoreLogging.h"

#include <QDebug>

void MessageEntry::setMessageThumbnail(const QString& fileName)
{
    QImage image;
    if (!image.load(fileName)) {
        qCDebug(lcCore) << "MessageEntry::setMessageThumbnail:"
                        << "Error with loading thumbnail";
        return;
    }
    myPicture = image;
    myThumbnailFile = fileName;
}
