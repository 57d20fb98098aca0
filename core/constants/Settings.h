#ifndef KRELVOX_CONSTANTS_SETTINGS_H
#define KRELVOX_CONSTANTS_SETTINGS_H

#include <QString>

// Keys of the settings store. The value of each constant is the key text as it is
// stored; integers are stored as their decimal text.

// Account
inline const QString SETTING_YOUTUBE_ACCOUNT_SIGNED_IN = QStringLiteral("SETTING_YOUTUBE_ACCOUNT_SIGNED_IN");
inline const QString SETTING_YOUTUBE_USERNAME = QStringLiteral("SETTING_YOUTUBE_USERNAME");
inline const QString SETTING_YOUTUBE_PASSWORD = QStringLiteral("SETTING_YOUTUBE_PASSWORD");
inline const QString SETTING_YOUTUBE_AUTHENTICATION_TOKEN = QStringLiteral("SETTING_YOUTUBE_AUTHENTICATION_TOKEN");
inline const QString SETTING_YOUTUBE_CAPTCHA_TOKEN = QStringLiteral("SETTING_YOUTUBE_CAPTCHA_TOKEN");
inline const QString SETTING_YOUTUBE_CAPTCHA_URL = QStringLiteral("SETTING_YOUTUBE_CAPTCHA_URL");
inline const QString SETTING_YOUTUBE_CAPTCHA_ANSWER = QStringLiteral("SETTING_YOUTUBE_CAPTCHA_ANSWER");

// The two built-in API credentials. They are readable settings but can never be
// changed through Repository::setSetting (code 1).
inline const QString SETTING_YOUTUBE_CLIENT_ID = QStringLiteral("SETTING_YOUTUBE_CLIENT_ID");
inline const QString SETTING_YOUTUBE_DEVELOPER_KEY = QStringLiteral("SETTING_YOUTUBE_DEVELOPER_KEY");

// Background downloading of the queue. The stored key has eight leading blanks;
// stores written by earlier versions use exactly this text, so it must stay.
inline const QString SETTING_BACKGROUND_DOWNLOADING_ENABLED = QStringLiteral("        SETTING_BACKGROUND_DOWNLOADING_ENABLED");

// Options
inline const QString SETTING_ACTIVATE_IN_FULLSCREEN = QStringLiteral("SETTING_ACTIVATE_IN_FULLSCREEN");
inline const QString SETTING_KEEP_ASPECT_RATIO = QStringLiteral("SETTING_KEEP_ASPECT_RATIO");
inline const QString SETTING_START_PLAYING = QStringLiteral("SETTING_START_PLAYING");
inline const QString SETTING_AMOUNT_OF_RESULTS = QStringLiteral("SETTING_AMOUNT_OF_RESULTS");
inline const QString SETTING_TIME_FILTER = QStringLiteral("SETTING_TIME_FILTER");
inline const QString SETTING_DEFAULT_SORTING_ORDER = QStringLiteral("SETTING_DEFAULT_SORTING_ORDER");
inline const QString SETTING_RESTRICTED_CONTENT = QStringLiteral("SETTING_RESTRICTED_CONTENT");
inline const QString SETTING_SEARCH_COMPLETION_ENABLED = QStringLiteral("SETTING_SEARCH_COMPLETION_ENABLED");
inline const QString SETTING_DISK_SPACE_LIMIT = QStringLiteral("SETTING_DISK_SPACE_LIMIT");

// Values written when the store is first created.
inline constexpr int DEFAULT_YOUTUBE_ACCOUNT_SIGNED_IN = 0;
inline constexpr int DEFAULT_BACKGROUND_DOWNLOADING_ENABLED = 1;
inline constexpr int DEFAULT_ACTIVATE_IN_FULLSCREEN = 2;
inline constexpr int DEFAULT_KEEP_ASPECT_RATIO = 0;
inline constexpr int DEFAULT_START_PLAYING = 300000;
inline constexpr int DEFAULT_AMOUNT_OF_RESULTS = 30;
inline const QString DEFAULT_TIME_FILTER = QStringLiteral("Today");
inline constexpr int DEFAULT_DEFAULT_SORTING_ORDER = 0;
inline constexpr int DEFAULT_RESTRICTED_CONTENT = 2;
inline constexpr int DEFAULT_SEARCH_COMPLETION_ENABLED = 1;
inline constexpr int DEFAULT_DISK_SPACE_LIMIT = 500;

// Displayed (and stored) texts of the time frame option.
inline const QString TIME_FILTER_TODAY = QStringLiteral("Today");
inline const QString TIME_FILTER_THIS_WEEK = QStringLiteral("This week");
inline const QString TIME_FILTER_THIS_MONTH = QStringLiteral("This month");
inline const QString TIME_FILTER_ANY_TIME = QStringLiteral("Any time");

// Settings store identity.
inline const QString SETTINGS_ORGANISATION = QStringLiteral("Morva");
inline const QString SETTINGS_APPLICATION = QStringLiteral("krelvox");

#endif
