#ifndef KRELVOX_SETTINGSTEXTS_H
#define KRELVOX_SETTINGSTEXTS_H

#include "core/constants/Texts.h"

// Texts of the settings page and its views.

// ---- Page and tabs
KRELVOX_TEXT(TEXT_SETTINGS_TITLE, "Settings")
KRELVOX_TEXT(TEXT_TAB_ACCOUNT, "Account Info")
KRELVOX_TEXT(TEXT_TAB_PLAY, "Play Options")
KRELVOX_TEXT(TEXT_TAB_RESULTS, "Search Results")
KRELVOX_TEXT(TEXT_TAB_GENERAL, "General Options")

// ---- Account
KRELVOX_TEXT(TEXT_ACCOUNT_INFORMATION, "Account information")
KRELVOX_TEXT(TEXT_USERNAME, "Username:")
KRELVOX_TEXT(TEXT_PASSWORD, "Password:")
KRELVOX_TEXT(TEXT_NO_ACCOUNT, "No account? Go to")
KRELVOX_TEXT(TEXT_SIGN_IN, "Sign in")
KRELVOX_TEXT(TEXT_SIGN_OUT, "Sign out")
KRELVOX_TEXT(TEXT_SERVICE_SITE_NAME, "www.youtube.com")
KRELVOX_TEXT(TEXT_BROWSER_FAILED, "The web browser cannot be opened. The address is %1")

// ---- Captcha
KRELVOX_TEXT(TEXT_VERIFICATION, "Verification")
KRELVOX_TEXT(TEXT_CAPTCHA_INSTRUCTION, "Type the characters you see in the picture below.")
KRELVOX_TEXT(TEXT_WORD_VERIFICATION, "Word verification:")

// ---- General options
KRELVOX_TEXT(TEXT_GENERAL_OPTIONS, "General options")
KRELVOX_TEXT(TEXT_DISK_SPACE_LIMIT, "Disk space limit:")
KRELVOX_TEXT(TEXT_MEGABYTES, "MB")
KRELVOX_TEXT(TEXT_CLEAR_VIDEO_HISTORY, "Clear video history")
KRELVOX_TEXT(TEXT_CLEAR_SEARCH_HISTORY, "Clear search history")
KRELVOX_TEXT(TEXT_CLEAR, "Clear")
KRELVOX_TEXT(TEXT_ENABLE_SEARCH_SUGGESTIONS, "Enable search suggestions")
KRELVOX_TEXT(TEXT_VIDEO_HISTORY_CLEARED, "The video history has been cleared")
KRELVOX_TEXT(TEXT_SEARCH_HISTORY_CLEARED, "The search history has been cleared")
KRELVOX_TEXT(TEXT_VIDEO_HISTORY_NOT_CLEARED, "The video history could not be cleared")
KRELVOX_TEXT(TEXT_SEARCH_HISTORY_NOT_CLEARED, "The search history could not be cleared")

// ---- Play options
KRELVOX_TEXT(TEXT_PLAYING_OPTIONS, "Playing options")
KRELVOX_TEXT(TEXT_START_PLAYING, "Start playing")
KRELVOX_TEXT(TEXT_START_WITH_BUFFER, "when there is enough buffer")
KRELVOX_TEXT(TEXT_START_AT_ONCE, "as soon as there's some data")
KRELVOX_TEXT(TEXT_ACTIVATE_FULL_SCREEN, "Activate full screen at start of playing")
KRELVOX_TEXT(TEXT_KEEP_ASPECT_RATIO, "Keep the original aspect ratio")

// ---- Search results
KRELVOX_TEXT(TEXT_GENERAL_RESULTS, "General results")
KRELVOX_TEXT(TEXT_LIMIT_RESULTS, "Limit the amount of results to")
KRELVOX_TEXT(TEXT_RESULT_TIME_FRAME, "Time frame")
KRELVOX_TEXT(TEXT_DEFAULT_SORTING_ORDER, "Default sorting order")
KRELVOX_TEXT(TEXT_INCLUDE_ADULT_CONTENT, "Include adult content")

#endif
