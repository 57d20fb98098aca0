#ifndef KRELVOX_SETTINGSSTYLES_H
#define KRELVOX_SETTINGSSTYLES_H

#include <QString>

// The look of the settings page and its views. Labels, the header band and the
// sign button use the shared styles of shell/ShellStyles.h.

// The tab widget: finger-sized tabs that share the row's width equally, and a thin
// white frame around a pane that fades to black at its top and bottom edges. The
// widget runs in document mode, so that its tab bar spans the row; the pane is then
// the widget's page stack, its direct child. Every tab is at least as wide as the
// widest title needs in bold, so the bold title of the current tab moves no border.
inline const QString STYLE_SETTINGS_TABS = QStringLiteral(
    "QTabWidget > QStackedWidget { border: 2px solid rgba(255, 255, 255, 60);"
    " background: qlineargradient(x1: 0, y1: 0, x2: 0, y2: 1, stop: 0 black, stop: 0.3 transparent,"
    " stop: 0.7 transparent, stop: 1 black); }"
    " QTabBar::tab { color: white; background: black; border: 1px solid rgba(255, 255, 255, 60);"
    " font-family: SansSerif; font-size: 14pt; min-width: 170px; padding: 8px 12px; }"
    " QTabBar::tab:selected { background: #651818; font-weight: bold; }"
    " QTabBar::tab:focus { border: 2px solid #49FC9A; }");

// Added to the page's style: the views and the tab widget's page stack let the
// tab pane show through.
inline const QString STYLE_SETTINGS_TRANSPARENT_VIEWS = QStringLiteral(
    " QStackedWidget, SettingsViewBase { background: transparent; }");

// The views' text fields.
inline const QString STYLE_SETTINGS_LINE_EDIT = QStringLiteral(
    "QLineEdit { color: black; background-color: rgb(240, 240, 240); border: 2px solid black;"
    " border-radius: 5px; font-family: SansSerif; font-size: 18pt; }"
    " QLineEdit:focus { border: 2px solid #49FC9A; }"
    " QLineEdit:disabled { color: #555555; background-color: rgb(200, 200, 200); }");

// The check boxes of the option views: a 50 x 50 indicator, framed in the focus
// colour while focused.
inline const QString STYLE_SETTINGS_CHECK_BOX = QStringLiteral(
    "QCheckBox { color: white; background: transparent; font-family: SansSerif; font-size: 18pt;"
    " margin: 0px; spacing: 12px; }"
    " QCheckBox::indicator { width: 50px; height: 50px; background: white; }"
    " QCheckBox::indicator:checked { image: url(:icons/checkbox_checked.svg); }"
    " QCheckBox::indicator:unchecked { image: url(:icons/checkbox_unchecked.svg); }"
    " QCheckBox::indicator:focus { width: 46px; height: 46px; border: 2px solid #49FC9A; }");

// The captcha view's "OK".
inline const QString STYLE_CAPTCHA_BUTTON = QStringLiteral(
    "QPushButton { color: black; background-color: #c0c0c0; border: 2px solid black; border-radius: 5px;"
    " font-family: SansSerif; font-size: 16pt; font-weight: bold; text-align: center; }"
    " QPushButton:pressed { background-color: #909090; }"
    " QPushButton:focus { border: 2px solid #49FC9A; }");

// The general view's two "Clear" buttons.
inline const QString STYLE_CLEAR_BUTTON = QStringLiteral(
    "QPushButton { color: white; background: transparent; font-family: SansSerif; font-size: 16pt;"
    " font-weight: bold; border-radius: 10px; border-top: 3px transparent;"
    " border-image: url(:icons/button_normal.svg) 3 10 3 10; }"
    " QPushButton:disabled { border-image: url(:icons/button_disabled.svg) 3 10 3 10; }"
    " QPushButton:pressed { border-image: url(:icons/button_pressed.svg) 3 10 3 10; }"
    " QPushButton:focus { color: #49FC9A; }");

// The account view's link to the service's web site.
inline const QString STYLE_SITE_LINK_BUTTON = QStringLiteral(
    "QPushButton { color: #29ABE2; background: transparent; border: 0px; text-decoration: underline;"
    " font-family: SansSerif; font-size: 12pt; font-weight: bold; text-align: left; }"
    " QPushButton:disabled { color: grey; }"
    " QPushButton:focus { color: #49FC9A; }");

#endif
