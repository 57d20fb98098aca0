#ifndef KRELVOX_THUMBNAILFILE_H
#define KRELVOX_THUMBNAILFILE_H

#include <QByteArray>
#include <QString>

// Pictures fetched for the account's lists (contact and message thumbnails, the
// captcha) are kept as files in the thumbnails folder.
namespace ThumbnailFile {

// Writes the data to the file (replacing it as a whole) when it is a picture; false
// with a message when it is not, or when the file cannot be written.
bool write(const QString& fileName, const QByteArray& data, QString& error);

} // namespace ThumbnailFile

#endif
