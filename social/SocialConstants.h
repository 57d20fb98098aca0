#ifndef KRELVOX_SOCIALCONSTANTS_H
#define KRELVOX_SOCIALCONSTANTS_H

#include <QColor>

// Geometry of the comments, statistics, contacts, messages and upload pages.

// ---- Comment rows (CommentEntryItemDelegate)
inline constexpr int COMMENT_FONT_SIZE = 12;
// The line height is the height of this text in the row font, times the factor.
inline constexpr char COMMENT_LINE_SAMPLE[] = "test string";
inline constexpr double COMMENT_LINE_FACTOR = 1.2;
// Rows are this much narrower than the view (room for the scroll bar's edge).
inline constexpr int COMMENT_ROW_WIDTH_MARGIN = 7;
// The author's name takes this share of the first line, the date the rest.
inline constexpr double COMMENT_AUTHOR_SHARE = 0.6;
inline constexpr double COMMENT_DATE_SHARE = 0.4;
// Names longer than the limit are cut to the kept characters and "...".
inline constexpr int COMMENT_AUTHOR_MAX_CHARS = 14;
inline constexpr int COMMENT_AUTHOR_KEPT_CHARS = 11;
// The author link's hit area reaches this far above and below the name.
inline constexpr int COMMENT_AUTHOR_HIT_MARGIN = 8;
// The faint white line along the top of a row.
inline const QColor COMMENT_SEPARATOR_COLOR = QColor(255, 255, 255, 40);

#endif
