#ifndef KRELVOX_BROWSECONSTANTS_H
#define KRELVOX_BROWSECONSTANTS_H

// Geometry of the browsing pages: the result page and the search page.

// ---- Result page
// Right-hand column of action buttons.
inline constexpr int RESULT_BUTTON_COLUMN_WIDTH = 150;
inline constexpr int RESULT_BUTTON_HEIGHT = 60;
inline constexpr int RESULT_CONTENT_MARGIN = 6;
inline constexpr int RESULT_SPACING = 8;
// Paging bar under the list.
inline constexpr int RESULT_PAGING_BAR_HEIGHT = 50;
inline constexpr int RESULT_PAGING_BUTTON_WIDTH = 150;
// The time and sort boxes in the header.
inline constexpr int RESULT_HEADER_BOX_WIDTH = 190;

// ---- Search page
inline constexpr int SEARCH_MARGIN = 14;
inline constexpr int SEARCH_SPACING = 10;
inline constexpr int SEARCH_FIELD_HEIGHT = 56;
inline constexpr int SEARCH_BUTTON_WIDTH = 150;
inline constexpr int SEARCH_BOX_WIDTH = 230;
inline constexpr int SEARCH_HISTORY_ROW_HEIGHT = 46;

#endif
