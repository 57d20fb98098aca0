#ifndef KRELVOX_SHELLSTYLES_H
#define KRELVOX_SHELLSTYLES_H

#include <QString>

// The shared look of the pages and dialogs: page frame, header band, labels, fields,
// buttons, dialogs and the application menu. The kinetic lists and the selection box
// have their styles in widgets/WidgetStyles.h.
//
// Each look is one declaration block (LOOK_...). The program's style sheet
// (shell/ApplicationStyle.cpp) gives the blocks to the widgets by their class and
// place, once for the whole application; the STYLE_... sheets below give a block to
// the one widget they are set on, for a widget that does not follow the class rules.
inline const QString PAGE_BACKGROUND_COLOR = QStringLiteral("#651818");

inline QString styleRule(const QString& selector, const QString& declarations)
{
    return selector + QStringLiteral(" { ") + declarations + QStringLiteral(" }");
}

// ---- Declaration blocks
// The page: dark red background, white text, no frame.
inline const QString LOOK_PAGE =
    QStringLiteral("background-color: #651818; color: white; border: 0px; border-radius: 0px; padding: 0px;");
// The black header band of a page (at least 800 x 70) and its bold 18 pt texts.
inline const QString LOOK_HEADER_BAND =
    QStringLiteral("background-color: black; min-width: 800px; min-height: 70px; border: 0px;");
inline const QString LOOK_BOLD_18 = QStringLiteral(
    "color: white; background: transparent; font-family: SansSerif; font-size: 18pt; font-weight: bold;");
inline const QString LOOK_LABEL_18 =
    QStringLiteral("color: white; background: transparent; font-family: SansSerif; font-size: 18pt;");
inline const QString LOOK_LABEL_16 =
    QStringLiteral("color: white; background: transparent; font-family: SansSerif; font-size: 16pt;");
inline const QString LOOK_LABEL_12 =
    QStringLiteral("color: white; background: transparent; font-family: SansSerif; font-size: 12pt;");
inline const QString LOOK_LINE_EDIT = QStringLiteral(
    "color: black; background-color: white; border: 2px solid #888888; border-radius: 6px;"
    " padding: 4px; font-family: SansSerif; font-size: 18pt;");
// Push buttons draw one of four border images by state; the keyboard focus (moved
// with the arrow keys) is framed in the program's focus colour.
inline const QString LOOK_BUTTON = QStringLiteral(
    "color: white; font-family: SansSerif; font-size: 16pt; font-weight: bold;"
    " border-image: url(:icons/button_normal.svg) 10 10 10 10 stretch stretch; border-width: 10px;");
inline const QString LOOK_BUTTON_FOCUS =
    QStringLiteral("border-image: url(:icons/button_focused.svg) 10 10 10 10 stretch stretch;");
inline const QString LOOK_BUTTON_PRESSED =
    QStringLiteral("border-image: url(:icons/button_pressed.svg) 10 10 10 10 stretch stretch;");
inline const QString LOOK_BUTTON_DISABLED =
    QStringLiteral("color: #aaaaaa; border-image: url(:icons/button_disabled.svg) 10 10 10 10 stretch stretch;");
// The home view's buttons take a quarter of the screen's width each: their texts are
// a size smaller, so that the longest keeps clear of the button's edges.
inline const QString LOOK_HOME_BUTTON_TEXT = QStringLiteral("font-size: 14pt;");
// The flat back button of the header band.
inline const QString LOOK_BACK_BUTTON =
    QStringLiteral("background: transparent; border: 2px solid transparent; border-radius: 8px;");
inline const QString LOOK_FOCUS_FRAME = QStringLiteral("border-color: #49FC9A;");
// The framed modal dialog and its progress bar.
inline const QString LOOK_DIALOG =
    QStringLiteral("background-color: #2b0a0a; border: 3px solid white; border-radius: 10px;");
inline const QString LOOK_PROGRESS_BAR = QStringLiteral(
    "color: white; background-color: black; border: 2px solid white; border-radius: 6px;"
    " text-align: center; font-family: SansSerif; font-size: 12pt; min-height: 28px;");
inline const QString LOOK_PROGRESS_CHUNK = QStringLiteral("background-color: #29ABE2;");
// The application menu and its entries.
inline const QString LOOK_MENU = QStringLiteral(
    "color: white; background-color: #2b0a0a; border: 2px solid white; font-family: SansSerif; font-size: 18pt;");
inline const QString LOOK_MENU_ITEM = QStringLiteral("padding: 10px 40px 10px 20px;");
inline const QString LOOK_MENU_ITEM_SELECTED = QStringLiteral("background-color: #651818;");
inline const QString LOOK_LINK_BUTTON = QStringLiteral(
    "color: #29ABE2; background: transparent; border: 0px; text-decoration: underline;"
    " font-family: SansSerif; font-size: 14pt; text-align: left;");

// ---- Sheets for one widget
// The page itself (its frames get the page's look from the program's style sheet).
inline const QString STYLE_PAGE = styleRule(QStringLiteral("PageBase"), LOOK_PAGE);
inline const QString STYLE_HEADER_BAND = styleRule(QStringLiteral("QFrame"), LOOK_HEADER_BAND);
inline const QString STYLE_HEADER_LABEL = styleRule(QStringLiteral("QLabel"), LOOK_BOLD_18);
inline const QString STYLE_LABEL_18 = styleRule(QStringLiteral("QLabel"), LOOK_LABEL_18);
inline const QString STYLE_LABEL_12 = styleRule(QStringLiteral("QLabel"), LOOK_LABEL_12);
inline const QString STYLE_LINE_EDIT = styleRule(QStringLiteral("QLineEdit"), LOOK_LINE_EDIT);
inline const QString STYLE_PUSH_BUTTON = styleRule(QStringLiteral("QPushButton"), LOOK_BUTTON)
    + styleRule(QStringLiteral(" QPushButton:focus"), LOOK_BUTTON_FOCUS)
    + styleRule(QStringLiteral(" QPushButton:pressed"), LOOK_BUTTON_PRESSED)
    + styleRule(QStringLiteral(" QPushButton:disabled"), LOOK_BUTTON_DISABLED);
inline const QString STYLE_LINK_BUTTON = styleRule(QStringLiteral("QPushButton"), LOOK_LINK_BUTTON);
inline const QString STYLE_CHECK_BOX = QStringLiteral(
    "QCheckBox { color: white; font-family: SansSerif; font-size: 18pt; spacing: 12px; }"
    " QCheckBox::indicator { width: 40px; height: 40px; }"
    " QCheckBox::indicator:checked { image: url(:icons/checkbox_checked.svg); }"
    " QCheckBox::indicator:unchecked { image: url(:icons/checkbox_unchecked.svg); }");
inline const QString STYLE_DIALOG = styleRule(QStringLiteral("BaseDialog"), LOOK_DIALOG);
inline const QString STYLE_DIALOG_TITLE = STYLE_HEADER_LABEL;
inline const QString STYLE_DIALOG_TEXT = styleRule(QStringLiteral("QLabel"), LOOK_LABEL_16);
inline const QString STYLE_PROGRESS_BAR = styleRule(QStringLiteral("QProgressBar"), LOOK_PROGRESS_BAR)
    + styleRule(QStringLiteral(" QProgressBar::chunk"), LOOK_PROGRESS_CHUNK);

#endif
