#ifndef KRELVOX_TEXTPAGECONSTANTS_H
#define KRELVOX_TEXTPAGECONSTANTS_H

// Geometry of the text pages (comments, description, message) and of the painter of
// their long texts.

// A title longer than this (its prefix included) is cut and ends in "...".
inline constexpr int TEXT_PAGE_TITLE_MAX_CHARS = 42;

// ---- Long text rows (DescriptionDelegate)
inline constexpr int TEXT_ROW_FONT_SIZE = 12;
// The text is measured in a box this much smaller than the view.
inline constexpr int TEXT_ROW_VIEW_MARGIN = 7;
// Alpha of the white line along the top of a row.
inline constexpr int TEXT_ROW_SEPARATOR_ALPHA = 40;

#endif
