#ifndef KRELVOX_STATISTICSCONSTANTS_H
#define KRELVOX_STATISTICSCONSTANTS_H

#include <QColor>
#include <QSize>
#include <QString>

// Geometry and look of the account pages: the query page frame, the statistics page
// and its figures, and the contact and message rows and lists.

// ---- Query page frame (BaseQueryPage)
inline constexpr QSize QUERY_LOGO_SIZE(60, 30);
inline constexpr QSize QUERY_ICON_SIZE(77, 77);
inline constexpr QSize QUERY_ICON_BUTTON_MAX_SIZE(81, 81);
inline constexpr int QUERY_HEADER_LEFT_MARGIN = 5;
inline constexpr int QUERY_CONTENT_MARGIN_LEFT = 10;
inline constexpr int QUERY_CONTENT_MARGIN = 5;
inline constexpr int QUERY_CONTENT_STRETCH = 2;

inline const QString STYLE_QUERY_TITLE = QStringLiteral(
    "QLabel{     font: bold 18pt;     color: white;     background-color: black; }");
// The subtitle, count and no-results labels; transparent, so that the page's frame
// colour does not box them in on the header bar.
inline const QString STYLE_QUERY_LABEL_16 = QStringLiteral(
    "        QLabel{         font: 16pt; color: white; background: transparent; }");
inline const QString STYLE_QUERY_HEADER_BAR = QStringLiteral(
    "QFrame {    background-color: black;    min-width: 800px;    min-height: 70px;}");
inline const QString STYLE_QUERY_ICON_BUTTON = QStringLiteral(
    "QPushButton{     color: white;     padding: 0px;    margin: 0px;     border: 0px;     }"
    "QPushButton:focus {    padding: 0px;     margin: 0px;     border: 2px solid #49FC9A;"
    "    border-radius: 18px;     }"
    "QPushButton:disabled {    padding: 0px;     margin: 0px;     color: lightgray;     border: 0px;} ");

// ---- Statistics page (StatisticsPage)
inline const QString STYLE_STATISTICS_STACK = QStringLiteral("QStackedWidget { margin: 0 0 0 0; padding: 0 0 0 0; }");
// Tabs at least 160 x 25, 12 pt white text, the selected tab lighter, the bar 10 px in.
inline const QString STYLE_STATISTICS_TABS = QStringLiteral(
    "QTabWidget::pane { border: 0px; background: transparent; }"
    " QTabWidget::tab-bar { left: 10px; }"
    " QTabBar::tab { min-width: 160px; min-height: 25px; color: white; font-family: SansSerif; font-size: 12pt;"
    " background: rgba(0, 0, 0, 40%); border: 1px solid rgba(255, 255, 255, 40%); padding: 2px 8px; }"
    " QTabBar::tab:selected { background: rgba(255, 255, 255, 30%); }");

// ---- Statistics figures (StatisticsWidget)
inline constexpr int STATISTICS_ROWS = 5;
inline constexpr int STATISTICS_LINES = 10;
inline const QString STYLE_STATISTICS_WIDGET = QStringLiteral(
    "QWidget { background: transparent; }"
    " QWidget > QLabel { color: white; font-size: 14pt; }"
    " QLabel#thumbnail { min-width: 50px; min-height: 50px; border: 1px dashed white; }");
inline const QString STYLE_STATISTICS_COLUMN = QStringLiteral(" QFrame { min-width: 250px; } ");

// ---- Contact and message rows (ContactEntryItemDelegate, MessageEntryItemDelegate)
// Row height: the view's height divided by the factor, within the range.
inline constexpr double ACCOUNT_ROW_FACTOR = 3.5;
inline constexpr double ACCOUNT_ROW_MIN = 50.0;
inline constexpr double ACCOUNT_ROW_MAX = 150.0;
inline constexpr int ACCOUNT_ROW_FONT_SIZE = 12;
// Margin around the parts as a share of the row height; the picture cell is 4:3.
inline constexpr double ACCOUNT_ROW_MARGIN_FACTOR = 0.07;
inline constexpr double ACCOUNT_THUMBNAIL_ASPECT = 1.3333334;
inline constexpr int ACCOUNT_ROW_TEXT_LINES = 3;
// Fill of a selected row.
inline const QColor ACCOUNT_ROW_SELECTED_COLOR = QColor(100, 100, 100, 90);
// A contact's name is cut after this many characters; its link reaches this far
// above the name line.
inline constexpr int CONTACT_NAME_MAX_CHARS = 20;
inline constexpr int CONTACT_LINK_HIT_MARGIN = 8;
// Between the name and the information sign after it.
inline constexpr int CONTACT_INFO_SIGN_GAP = 6;
// The answer buttons of an invitation: a share of the right column's width each,
// the second one half a column in.
inline constexpr double CONTACT_BUTTON_WIDTH_DIVISOR = 2.5;
inline const QString CONTACT_ACCEPT = QStringLiteral("ACCEPT");
inline const QString CONTACT_REJECT = QStringLiteral("REJECT");

#endif
