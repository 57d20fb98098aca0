#ifndef KRELVOX_WIDGETSTYLES_H
#define KRELVOX_WIDGETSTYLES_H

#include <QString>

// Fonts and colours shared by every page.
inline const QString FONT_FAMILY = QStringLiteral("SansSerif");
inline const QString FONT_FAMILY_DEVICE = QStringLiteral("Nokia Sans");
inline const QString LINK_COLOR = QStringLiteral("#29ABE2");

// ---- Kinetic lists and the selection box
// A plain list on a translucent fill, and the fills a page may give its kinetic lists.
inline const QString STYLE_LIST = QStringLiteral(
    "QListView { color: white; background: rgba(0, 0, 0, 25%); border: 0px; padding: 0px; margin: 0px; }");
// A translucent fill for lists that the arrow keys move the focus to: the list that
// has the focus is framed in the program's focus colour (the frame is always there, so that
// the rows do not move when the focus comes and goes).
inline const QString STYLE_SWEEP_LIST_FOCUSABLE = QStringLiteral(
    " SweepListBase { background: rgba(0, 0, 0, 25%); border: 2px solid transparent; }"
    " SweepListBase:focus { border-color: #49FC9A; } ");
inline const QString STYLE_VARIABLE_SWEEP_LIST = QStringLiteral(
    "VariableSweepList {    background: rgba(0,0,0,0);     padding: 0px;    margin: 0px;    border: 0px;}");

// Own style of every kinetic list: no fill of its own, white text, and a slim scroll
// bar that shows only while the list scrolls.
inline const QString STYLE_SWEEP_LIST = QStringLiteral(
    "SweepListBase { background: transparent; color: white; border: 0px; padding: 0px; margin: 0px;"
    " font-family: SansSerif; font-size: 16pt; }"
    " QScrollBar:vertical { background: rgba(0, 0, 0, 40%); width: 10px; margin: 0px; border: 0px; }"
    " QScrollBar::handle:vertical { background: rgba(255, 255, 255, 70%); min-height: 30px; border-radius: 4px; }"
    " QScrollBar::add-line:vertical, QScrollBar::sub-line:vertical { height: 0px; border: 0px; }"
    " QScrollBar::add-page:vertical, QScrollBar::sub-page:vertical { background: none; }");

// The completion pop-up of a text field: finger-high rows in the program's font, on
// black like the drop-down lists.
inline const QString STYLE_COMPLETION_LIST = QStringLiteral(
    "QListView { background-color: black; color: white; font-family: SansSerif; font-size: 16pt;"
    " border: 2px solid white; padding: 0px; margin: 0px; }"
    " QListView::item { padding-left: 10px; }");

// The selection box: the chosen text and an arrow on black, framed in white; the
// focus frame is the program's focus colour.
inline const QString STYLE_SELECTION_BOX = QStringLiteral(
    "SelectionBox { background-color: black; border: 2px solid white; border-radius: 8px; padding: 0px 4px; }"
    " SelectionBox:focus { border: 2px solid #49FC9A; }"
    " SelectionBox:disabled { border: 2px solid #888888; }"
    " QLabel { color: white; background: transparent; border: 0px; font-family: SansSerif; font-size: 16pt; }"
    " QLabel:disabled { color: #888888; }");
// The selection box's drop-down list unless the owner gives it a style of its own.
inline const QString STYLE_SELECTION_LIST = QStringLiteral(
    "SelectionList { background-color: black; border: 2px solid white; }"
    " SweepListBase { background-color: black; color: white; font-family: SansSerif; font-size: 16pt;"
    " border: 0px; padding: 0px; margin: 0px; }"
    " SweepListBase::item { padding-left: 10px; }"
    " SweepListBase::item:selected { background-color: #651818; color: white; }"
    " QPushButton { background-color: #333333; border: 1px solid white; border-image: none; }"
    " QPushButton:disabled { background-color: #111111; border: 1px solid #555555; border-image: none; }");

#endif
