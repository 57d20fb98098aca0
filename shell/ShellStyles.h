#ifndef KRELVOX_SHELLSTYLES_H
#define KRELVOX_SHELLSTYLES_H

#include <QString>

// The shared look of the pages and dialogs: page frame, header band, labels, fields,
// buttons, dialogs and the application menu. The kinetic lists and the selection box
// have their styles in widgets/WidgetStyles.h.
inline const QString PAGE_BACKGROUND_COLOR = QStringLiteral("#651818");

// The shared page style: dark red background, white text, no frame.
inline const QString STYLE_PAGE = QStringLiteral(
    "QFrame { background-color: #651818; color: white; border: 0px; border-radius: 0px; padding: 0px; }");
// The black header band of a page (at least 800 x 70) and its bold 18 pt title.
inline const QString STYLE_HEADER_BAND = QStringLiteral(
    "QFrame { background-color: black; min-width: 800px; min-height: 70px; border: 0px; }");
inline const QString STYLE_HEADER_LABEL = QStringLiteral(
    "QLabel { color: white; background: transparent; font-family: SansSerif; font-size: 18pt; font-weight: bold; }");
inline const QString STYLE_LABEL_18 = QStringLiteral(
    "QLabel { color: white; background: transparent; font-family: SansSerif; font-size: 18pt; }");
inline const QString STYLE_LABEL_12 = QStringLiteral(
    "QLabel { color: white; background: transparent; font-family: SansSerif; font-size: 12pt; }");
inline const QString STYLE_LINE_EDIT = QStringLiteral(
    "QLineEdit { color: black; background-color: white; border: 2px solid #888888; border-radius: 6px;"
    " padding: 4px; font-family: SansSerif; font-size: 18pt; }");
// Push buttons draw one of four border images by state; the keyboard focus (moved
// with the arrow keys) is framed in the program's focus colour.
inline const QString STYLE_PUSH_BUTTON = QStringLiteral(
    "QPushButton { color: white; font-family: SansSerif; font-size: 16pt; font-weight: bold;"
    " border-image: url(:icons/button_normal.svg) 10 10 10 10 stretch stretch; border-width: 10px; }"
    " QPushButton:focus { border-image: url(:icons/button_focused.svg) 10 10 10 10 stretch stretch; }"
    " QPushButton:pressed { border-image: url(:icons/button_pressed.svg) 10 10 10 10 stretch stretch; }"
    " QPushButton:disabled { color: #aaaaaa; border-image: url(:icons/button_disabled.svg) 10 10 10 10 stretch stretch; }");
// The home view's buttons take a quarter of the screen's width each: their texts are
// a size smaller, so that the longest keeps clear of the button's edges.
inline const QString STYLE_HOME_BUTTON_TEXT = QStringLiteral(" QPushButton { font-size: 14pt; }");
inline const QString STYLE_LINK_BUTTON = QStringLiteral(
    "QPushButton { color: #29ABE2; background: transparent; border: 0px; text-decoration: underline;"
    " font-family: SansSerif; font-size: 14pt; text-align: left; }");
inline const QString STYLE_CHECK_BOX = QStringLiteral(
    "QCheckBox { color: white; font-family: SansSerif; font-size: 18pt; spacing: 12px; }"
    " QCheckBox::indicator { width: 40px; height: 40px; }"
    " QCheckBox::indicator:checked { image: url(:icons/checkbox_checked.svg); }"
    " QCheckBox::indicator:unchecked { image: url(:icons/checkbox_unchecked.svg); }");

// The framed modal dialog, its title, message and progress bar.
inline const QString STYLE_DIALOG = QStringLiteral(
    "BaseDialog { background-color: #2b0a0a; border: 3px solid white; border-radius: 10px; }");
inline const QString STYLE_DIALOG_TITLE = QStringLiteral(
    "QLabel { color: white; background: transparent; font-family: SansSerif; font-size: 18pt; font-weight: bold; }");
inline const QString STYLE_DIALOG_TEXT = QStringLiteral(
    "QLabel { color: white; background: transparent; font-family: SansSerif; font-size: 16pt; }");
inline const QString STYLE_PROGRESS_BAR = QStringLiteral(
    "QProgressBar { color: white; background-color: black; border: 2px solid white; border-radius: 6px;"
    " text-align: center; font-family: SansSerif; font-size: 12pt; min-height: 28px; }"
    " QProgressBar::chunk { background-color: #29ABE2; }");
// The header band of PageHeader. Scoped to its class so that the labels inside
// it do not inherit the band's minimum size.
inline const QString STYLE_PAGE_HEADER = QStringLiteral(
    "PageHeader { background-color: black; min-width: 800px; min-height: 70px; border: 0px; }");
// The flat back button of the header band and the application menu.
inline const QString STYLE_BACK_BUTTON = QStringLiteral(
    "BackButton { background: transparent; border: 2px solid transparent; border-radius: 8px; }"
    " BackButton:focus { border-color: #49FC9A; }");
inline const QString STYLE_MENU = QStringLiteral(
    "QMenu { color: white; background-color: #2b0a0a; border: 2px solid white; font-family: SansSerif; font-size: 18pt; }"
    " QMenu::item { padding: 10px 40px 10px 20px; }"
    " QMenu::item:selected { background-color: #651818; }");

#endif
