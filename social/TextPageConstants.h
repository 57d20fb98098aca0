#ifndef KRELVOX_TEXTPAGECONSTANTS_H
#define KRELVOX_TEXTPAGECONSTANTS_H

// Geometry of the text pages (comments, description, message) and of the painters of
// their rows.

// A title longer than this (its prefix included) is cut and ends in "...".
inline constexpr int TEXT_PAGE_TITLE_MAX_CHARS = 42;

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

#endif
