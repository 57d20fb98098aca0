#ifndef KRELVOX_SHELLTEXTS_H
#define KRELVOX_SHELLTEXTS_H

#include "core/constants/Texts.h"

// Texts of the shell: the buttons every page and dialog shares, the home view and
// the application menu.

// ---- Shared by the pages and dialogs
KRELVOX_TEXT(TEXT_OK, "OK")
KRELVOX_TEXT(TEXT_CANCEL, "Cancel")
KRELVOX_TEXT(TEXT_SEND, "SEND")
KRELVOX_TEXT(TEXT_CANCEL_UPPER, "CANCEL")
KRELVOX_TEXT(TEXT_PREVIOUS, "Previous")
KRELVOX_TEXT(TEXT_NEXT, "Next")

// ---- Shell: home view, menu and dialogs
KRELVOX_TEXT(TEXT_APPLICATION_NAME, "Krelvox")
KRELVOX_TEXT(TEXT_MOST_VIEWED, "Most viewed")
KRELVOX_TEXT(TEXT_MOST_RECENT, "Most recent")
KRELVOX_TEXT(TEXT_MOST_DISCUSSED, "Most discussed")
KRELVOX_TEXT(TEXT_TOP_RATED, "Top rated")
KRELVOX_TEXT(TEXT_SEARCH, "Search")
KRELVOX_TEXT(TEXT_FAVORITES, "Favorites")
KRELVOX_TEXT(TEXT_UPLOAD, "Upload")
KRELVOX_TEXT(TEXT_SETTINGS, "Settings")
KRELVOX_TEXT(TEXT_STATISTICS, "Statistics")
KRELVOX_TEXT(TEXT_HELP, "Help")
KRELVOX_TEXT(TEXT_HELP_NOT_AVAILABLE, "Help is not available on this device.")
KRELVOX_TEXT(TEXT_EXIT, "Exit")
KRELVOX_TEXT(TEXT_ERROR, "Error")

#endif
