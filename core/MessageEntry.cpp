#include "core/MessageEntry.h"

#include <QDebug>

void MessageEntry::setMessageThumbnail(const QString& fileName)
{
    QImage image;
    if (!image.load(fileName)) {
        qDebug() << "MessageEntry::setMessageThumbnail:" << "Error with loading thumbnail";
        return;
    }
    myPicture = image;
    myThumbnailFile = fileName;
}
