#ifndef KRELVOX_BROWSETEXTS_H
#define KRELVOX_BROWSETEXTS_H

#include "core/constants/Texts.h"

// Texts of the browsing pages: the result page, the search page and the notice when
// a video cannot be stored.

// ---- Saving a video
KRELVOX_TEXT(TEXT_VIDEO_CANNOT_BE_DOWNLOADED, "Video cannot be downloaded!")

// ---- Result and search pages
KRELVOX_TEXT(TEXT_SEARCH_RESULTS, "Search results")
KRELVOX_TEXT(TEXT_RELATED_VIDEOS, "Related videos")
KRELVOX_TEXT(TEXT_VIDEO_RESPONSES, "Video responses")
KRELVOX_TEXT(TEXT_UPLOADS_OF, "Videos of %1")
KRELVOX_TEXT(TEXT_NO_VIDEOS_FOUND, "No videos found")
KRELVOX_TEXT(TEXT_RESULT_RANGE, "%1-%2/%3")
KRELVOX_TEXT(TEXT_FEED_REQUEST_FAILED, "The videos could not be fetched. Check the network connection and try again.")
KRELVOX_TEXT(TEXT_RELATED_REQUEST_FAILED, "The related videos could not be fetched. Check the network connection and try again.")
KRELVOX_TEXT(TEXT_PLAY, "Play")
KRELVOX_TEXT(TEXT_ADD_LINK, "Add link")
KRELVOX_TEXT(TEXT_SAVE_VIDEO, "Save video")
KRELVOX_TEXT(TEXT_NOT_ENOUGH_SPACE, "There is not enough free space on the memory card. Remove stored favourites or lower the disk space limit.")
KRELVOX_TEXT(TEXT_TO_FAVORITES, "Favorites")
KRELVOX_TEXT(TEXT_TO_SETTINGS, "Settings")
KRELVOX_TEXT(TEXT_FAVORITE_NOT_ADDED, "The video could not be added to the favorites.")
KRELVOX_TEXT(TEXT_TIME_FRAME, "Time frame")
KRELVOX_TEXT(TEXT_SORT_BY, "Sort by")
KRELVOX_TEXT(TEXT_CATEGORY, "Category")
KRELVOX_TEXT(TEXT_SEARCH_HISTORY, "Earlier searches")
KRELVOX_TEXT(TEXT_TITLE_WITH_DETAIL, "%1: %2")
KRELVOX_TEXT(TEXT_ENTER_SEARCH, "Type the words to search for")

#endif
