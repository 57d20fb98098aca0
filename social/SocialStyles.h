#ifndef KRELVOX_SOCIALSTYLES_H
#define KRELVOX_SOCIALSTYLES_H

#include <QString>

// Looks shared by the pages of the account, comments and upload.

// The large push button of the forms ("Upload", "SEND", "CANCEL"): one of three
// border images by state, white bold 16 pt text.
inline const QString STYLE_LARGE_BUTTON = QStringLiteral(
    "QPushButton { color: white; background: transparent; border-radius: 0px;"
    " border-top: 3px transparent; border-bottom: 3px transparent; border-right: 10px transparent;"
    " border-left: 10px transparent; border-image: url(:icons/button_normal.svg) 3 10 3 10;"
    " font-family: SansSerif; font-size: 16pt; font-weight: bold; text-align: center; }"
    " QPushButton:disabled { color: #aaaaaa; border-image: url(:icons/button_disabled.svg) 3 10 3 10; }"
    " QPushButton:pressed { border-image: url(:icons/button_pressed.svg) 3 10 3 10; }");

#endif
