#ifndef KRELVOX_UPLOADCONSTANTS_H
#define KRELVOX_UPLOADCONSTANTS_H

#include <QString>

// Geometry, looks and fonts of the upload form and its file chooser.

// ---- The form grid: row labels at the left, fields from column 3 on, an empty
// column 10 that keeps the fields off the right edge.
inline constexpr int UPLOAD_FORM_SPACING = 5;
inline constexpr int UPLOAD_FORM_BOTTOM_MARGIN = 10;
inline constexpr int UPLOAD_LABEL_INDENT = 25;
inline constexpr int UPLOAD_SPACER_SIZE = 25;
inline constexpr int UPLOAD_BROWSE_MIN_WIDTH = 121;
inline constexpr int UPLOAD_BROWSE_MIN_HEIGHT = 40;
inline constexpr int UPLOAD_BUTTON_MIN_WIDTH = 201;
inline constexpr int UPLOAD_BUTTON_MIN_HEIGHT = 81;
// The page's title bar takes what it needs, the form the rest.
inline constexpr int UPLOAD_FORM_STRETCH = 10;

// From the first time the user browses for a video, item views use the larger font
// and every other widget without a font of its own the smaller one, for the rest of
// the run.
inline const QString UPLOAD_FONT_FAMILY = QStringLiteral("SansSerif");
inline constexpr int UPLOAD_ITEM_VIEW_FONT_POINTS = 22;
inline constexpr int UPLOAD_WIDGET_FONT_POINTS = 18;

// ---- Looks
inline const QString STYLE_UPLOAD_LABEL = QStringLiteral(
    "QLabel { color: white; background: transparent; font-family: SansSerif; font-size: 18pt; }");
// The file field is grey: it shows the chosen file and cannot be typed into.
inline const QString STYLE_UPLOAD_FILE_FIELD = QStringLiteral(
    "QLineEdit { color: black; background-color: rgb(190, 190, 190); border: 2px solid black;"
    " border-radius: 5px; font-family: SansSerif; font-size: 18pt; }");
// The title and tags fields and the description box.
inline const QString STYLE_UPLOAD_TEXT_FIELD = QStringLiteral(
    "QLineEdit, QTextEdit { color: black; background-color: rgb(240, 240, 240); border: 2px solid black;"
    " border-radius: 5px; font-family: SansSerif; font-size: 18pt; }"
    " QLineEdit:focus, QTextEdit:focus { border: 2px solid #49FC9A; }");
// The description box's thin scroll bar.
inline const QString STYLE_UPLOAD_SCROLL_BAR = QStringLiteral(
    "QScrollBar:vertical { width: 7px; border: 0px; margin: 0px; padding: 0px;"
    " background: qlineargradient(x1: 0, y1: 0, x2: 1, y2: 1, stop: 0 black, stop: 0.5 gray, stop: 1 black); }"
    " QScrollBar::handle:vertical { background: rgb(144, 144, 144); border: 1px solid rgb(10, 10, 10);"
    " border-radius: 2px; min-width: 7px; }"
    " QScrollBar::add-line:vertical, QScrollBar::sub-line:vertical { width: 0px; border: 0px; }"
    " QScrollBar::up-arrow:vertical, QScrollBar::down-arrow:vertical { width: 3px; height: 3px; }"
    " QScrollBar::add-page:vertical, QScrollBar::sub-page:vertical { background: none; }");
inline const QString STYLE_UPLOAD_BROWSE_BUTTON = QStringLiteral(
    "QPushButton { color: white; background: transparent; padding: 0px; margin: 0px; border-radius: 5px;"
    " border-top: 3px transparent; border-image: url(:icons/button_normal.svg) 3 10 3 10;"
    " font-family: SansSerif; font-size: 16pt; font-weight: bold; text-align: center; }"
    " QPushButton:disabled { border-image: url(:icons/button_disabled.svg) 3 10 3 10; }"
    " QPushButton:pressed { border-image: url(:icons/button_pressed.svg) 3 10 3 10; }");

#endif
