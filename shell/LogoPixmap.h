#ifndef KRELVOX_LOGOPIXMAP_H
#define KRELVOX_LOGOPIXMAP_H

#include <QImage>
#include <QPixmap>

// The application logo (":icons/logo.svg") rendered once to fit 60 x 30, keeping its
// aspect ratio. Null when the artwork cannot be read.
// The image may be asked for from any thread (start-up renders it on a worker while
// the first page is built); the first caller renders it, later ones wait for it.
const QImage& logoImage();
// The same as a pixmap, shared by every page header; the GUI thread only.
const QPixmap& getYoutubeLogoPixmap();

#endif
