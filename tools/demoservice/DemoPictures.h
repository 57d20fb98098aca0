#ifndef KRELVOX_DEMOPICTURES_H
#define KRELVOX_DEMOPICTURES_H

#include <QByteArray>
#include <QColor>
#include <QImage>
#include <QSize>
#include <QString>

// The pictures of the demo service, drawn rather than stored: a small scene for
// every video (a sky, a disc of the video's own colour and a motif of its category)
// a portrait for every user and the captcha's word.
namespace DemoPictures {

// The colour of the disc in every picture of the video at that place of the catalogue.
QColor signatureColour(int videoIndex);
QImage videoPicture(int videoIndex, const QString& category, const QSize& size);
QImage userPicture(const QString& userId, const QSize& size);
// The captcha challenge's picture: the answer in dark letters, each a little turned,
// over a light ground with pale lines, so that a person reads it at a glance.
QImage captchaPicture(const QString& answer);
QByteArray jpeg(const QImage& image);

} // namespace DemoPictures

#endif
