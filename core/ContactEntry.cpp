#include "core/ContactEntry.h"
#include "core/CoreLogging.h"
#include "core/SharedImages.h"
#include "core/constants/Icons.h"

#include <QDebug>

void ContactEntry::setContactThumbnail(const QString& fileName)
{
    QImage image;
    if (!image.load(fileName)) {
        qCDebug(lcCore) << "ContactEntry::setContactThumbnail:"
                        << "Error with loading thumbnail";
        return;
    }
    myThumbnail = image;
    myThumbnailFile = fileName;
}

const QImage& ContactEntry::getInfoButtonImage()
{
    return getSharedImage(ICON_INFOBUTTON);
}
