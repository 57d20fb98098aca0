#ifndef KRELVOX_CONSTANTS_STYLES_H
#define KRELVOX_CONSTANTS_STYLES_H

#include <QString>

// Fonts and colours shared by every page.
inline const QString FONT_FAMILY = QStringLiteral("SansSerif");
inline const QString FONT_FAMILY_DEVICE = QStringLiteral("Nokia Sans");
inline const QString LINK_COLOR = QStringLiteral("#29ABE2");
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
// Push buttons draw one of three border images by state.
inline const QString STYLE_PUSH_BUTTON = QStringLiteral(
    "QPushButton { color: white; font-family: SansSerif; font-size: 16pt; font-weight: bold;"
    " border-image: url(:icons/button_normal.svg) 10 10 10 10 stretch stretch; border-width: 10px; }"
    " QPushButton:pressed { border-image: url(:icons/button_pressed.svg) 10 10 10 10 stretch stretch; }"
    " QPushButton:disabled { color: #aaaaaa; border-image: url(:icons/button_disabled.svg) 10 10 10 10 stretch stretch; }");
inline const QString STYLE_LINK_BUTTON = QStringLiteral(
    "QPushButton { color: #29ABE2; background: transparent; border: 0px; text-decoration: underline;"
    " font-family: SansSerif; font-size: 14pt; text-align: left; }");
inline const QString STYLE_CHECK_BOX = QStringLiteral(
    "QCheckBox { color: white; font-family: SansSerif; font-size: 18pt; spacing: 12px; }"
    " QCheckBox::indicator { width: 40px; height: 40px; }"
    " QCheckBox::indicator:checked { image: url(:icons/checkbox_checked.svg); }"
    " QCheckBox::indicator:unchecked { image: url(:icons/checkbox_unchecked.svg); }");
inline const QString STYLE_LIST = QStringLiteral(
    "QListView { color: white; background: rgba(0, 0, 0, 25%); border: 0px; padding: 0px; margin: 0px; }");
inline const QString STYLE_SWEEP_LIST_TRANSLUCENT = QStringLiteral(
    " SweepListBase {     background: rgba(0, 0, 0, 25%); } ");
inline const QString STYLE_VARIABLE_SWEEP_LIST = QStringLiteral(
    "VariableSweepList {    background: rgba(0,0,0,0);     padding: 0px;    margin: 0px;    border: 0px;}");

// Shell: the framed modal dialog, its title, message and progress bar.
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
// Shell: the header band of PageHeader. Scoped to its class so that the labels inside
// it do not inherit the band's minimum size.
inline const QString STYLE_PAGE_HEADER = QStringLiteral(
    "PageHeader { background-color: black; min-width: 800px; min-height: 70px; border: 0px; }");
// Shell: the flat back button of the header band and the application menu.
inline const QString STYLE_BACK_BUTTON = QStringLiteral(
    "BackButton { background: transparent; border: 0px; }");
inline const QString STYLE_MENU = QStringLiteral(
    "QMenu { color: white; background-color: #2b0a0a; border: 2px solid white; font-family: SansSerif; font-size: 18pt; }"
    " QMenu::item { padding: 10px 40px 10px 20px; }"
    " QMenu::item:selected { background-color: #651818; }");

// ---- Browsing: kinetic lists and the selection box
// Own style of every kinetic list: no fill of its own, white text, and a slim scroll
// bar that shows only while the list scrolls.
inline const QString STYLE_SWEEP_LIST = QStringLiteral(
    "SweepListBase { background: transparent; color: white; border: 0px; padding: 0px; margin: 0px;"
    " font-family: SansSerif; font-size: 16pt; }"
    " QScrollBar:vertical { background: rgba(0, 0, 0, 40%); width: 10px; margin: 0px; border: 0px; }"
    " QScrollBar::handle:vertical { background: rgba(255, 255, 255, 70%); min-height: 30px; border-radius: 4px; }"
    " QScrollBar::add-line:vertical, QScrollBar::sub-line:vertical { height: 0px; border: 0px; }"
    " QScrollBar::add-page:vertical, QScrollBar::sub-page:vertical { background: none; }");
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
    " QPushButton { background-color: #333333; border: 1px solid white; }"
    " QPushButton:disabled { background-color: #111111; border: 1px solid #555555; }");

#endif
