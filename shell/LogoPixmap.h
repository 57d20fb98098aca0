#ifndef KRELVOX_LOGOPIXMAP_H
#define KRELVOX_LOGOPIXMAP_H

#include <QPixmap>

// The application logo (":icons/logo.svg") rendered once to fit 60 x 30, keeping its
// aspect ratio; shared by every page header. Null when the artwork cannot be read.
const QPixmap& getYoutubeLogoPixmap();

#endif
