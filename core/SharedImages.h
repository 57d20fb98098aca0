#ifndef KRELVOX_SHAREDIMAGES_H
#define KRELVOX_SHAREDIMAGES_H

#include <QImage>
#include <QString>

// Images shared by every painter: each is rendered from its compiled-in icon once, on
// first use, and lives until the program ends. Callers never own them.

// Renders an icon of the resource tree at its own size (SVG at its view box).
// The result is cached per path.
const QImage& getSharedImage(const QString& path);

// Five stars in one image (":icons/star5.svg").
const QImage& getStarImage();
// Background of the contact rows' ACCEPT and REJECT buttons (":icons/back_bg.svg").
const QImage& getBackBgImage();

enum eStateImage { eStateEmpty, eStateLink, eStateMemory, eStateHistory };
const QImage& getStateImage(eStateImage which);

#endif
