#ifndef KRELVOX_PLAYERSTYLES_H
#define KRELVOX_PLAYERSTYLES_H

#include <QString>

// Styles of the video views.

// The full-screen view: black, nothing but the video and its controls.
inline const QString STYLE_FULL_SCREEN_VIEW =
    QStringLiteral("QFrame { background-color: black; color: white; border: 0px; }");
// The area the video is drawn in, black around the picture.
inline const QString STYLE_VIDEO_AREA = QStringLiteral("background-color: black;");
// The tabs over the information view's panes: checked, the tab of the pane shown.
inline const QString STYLE_INFO_TAB = QStringLiteral(
    "QPushButton { color: white; background: rgba(0, 0, 0, 40%); border: 0px; font-family: SansSerif;"
    " font-size: 12pt; font-weight: bold; }"
    " QPushButton:checked { background: rgba(255, 255, 255, 25%); border-bottom: 3px solid #29ABE2; }");
// The buttons of the panes beside the video: the shared push button in a smaller
// font, so that their texts fit the narrower column.
inline const QString STYLE_PANEL_BUTTON_FONT = QStringLiteral(" QPushButton { font-size: 12pt; }");

#endif
