#ifndef KRELVOX_TEXTPAGECONSTANTS_H
#define KRELVOX_TEXTPAGECONSTANTS_H

#include <QString>

// Geometry and looks of the text pages (comments, description, message), of the
// painters of their rows and of the write-comment page.

// A title line longer than this (its prefix included) is cut and ends in "...".
inline constexpr int TEXT_PAGE_TITLE_MAX_CHARS = 42;
// Room around the page's list: at the sides as much as the header leaves before its
// logo, a little above and below.
inline constexpr int TEXT_PAGE_MARGIN = 10;
inline constexpr int TEXT_PAGE_MARGIN_TOP = 5;
inline constexpr int TEXT_PAGE_MARGIN_BOTTOM = 5;

// ---- Long text rows (DescriptionDelegate) and comment rows
inline constexpr int TEXT_ROW_FONT_SIZE = 12;
// The text is measured in a box this much smaller than the view (room for the scroll
// bar's edge).
inline constexpr int TEXT_ROW_VIEW_MARGIN = 7;
// Alpha of the white line along the top of a row.
inline constexpr int TEXT_ROW_SEPARATOR_ALPHA = 40;

// ---- Comment rows (CommentEntryItemDelegate): the font, the margin and the line of
//      the long text rows, and these.
// The line height is the height of this text in the row font, times the factor.
inline constexpr char COMMENT_LINE_SAMPLE[] = "test string";
inline constexpr double COMMENT_LINE_FACTOR = 1.2;
// The author's name takes this share of the first line, the date the rest.
inline constexpr double COMMENT_AUTHOR_SHARE = 0.6;
inline constexpr double COMMENT_DATE_SHARE = 0.4;
// Names longer than the limit are cut to the kept characters and "...".
inline constexpr int COMMENT_AUTHOR_MAX_CHARS = 14;
inline constexpr int COMMENT_AUTHOR_KEPT_CHARS = 11;
// The author link's hit area reaches this far above and below the name.
inline constexpr int COMMENT_AUTHOR_HIT_MARGIN = 8;

// ---- All-comments page (AllCommentsPage)
// Comments a page shows (the rows the painter draws); paging moves by as many.
inline constexpr int ALL_COMMENTS_PAGE_ROWS = 50;
// The paging bar under the title: "Previous", the counter and "Next" in columns 0-2
// with these stretches, and an empty fourth column that keeps them to the left.
inline constexpr int PAGING_PREVIOUS_STRETCH = 1;
inline constexpr int PAGING_COUNTER_STRETCH = 2;
inline constexpr int PAGING_NEXT_STRETCH = 1;
inline constexpr int PAGING_EMPTY_STRETCH = 10;
inline const QString STYLE_PAGING_COUNTER = QStringLiteral(
    "QLabel { font-family: SansSerif; font-size: 16pt; color: white; background: transparent; }");
// "Previous" and "Next" look like links.
inline const QString STYLE_PAGING_BUTTON = QStringLiteral(
    "QPushButton { background: transparent; border: 0px; color: white; font-family: SansSerif; font-size: 14pt;"
    " text-decoration: underline; margin: 0px 5px 0px 5px; }");

// ---- Write-comment page (WriteCommentPage)
// The longest comment, in characters (a character outside the basic plane counts once).
inline constexpr int COMMENT_MAX_CHARS = 500;
inline const QString STYLE_WRITE_COMMENT_TITLE = QStringLiteral(
    "QLabel { color: white; background-color: black; font-family: SansSerif; font-size: 18pt; font-weight: bold; }");
inline const QString STYLE_WRITE_COMMENT_EDITOR = QStringLiteral(
    "QTextEdit { font-family: SansSerif; font-size: 14pt; padding: 0px; margin: 0px 5px 0px 5px;"
    " background-color: white; color: black; }");
// The characters still allowed: white while the comment fits, red once it is too long.
inline const QString STYLE_COMMENT_COUNTER_FITS = QStringLiteral("font: 14pt; padding: 0px; margin: 0px; color: white;");
inline const QString STYLE_COMMENT_COUNTER_TOO_LONG = QStringLiteral("font: 14pt; padding: 0px; margin: 0px; color: red;");
// "SEND" and "CANCEL" are the program's large buttons.
inline constexpr int WRITE_COMMENT_BUTTON_MIN_WIDTH = 201;
inline constexpr int WRITE_COMMENT_BUTTON_MIN_HEIGHT = 81;

#endif
