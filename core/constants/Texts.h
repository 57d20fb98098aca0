#ifndef KRELVOX_CONSTANTS_TEXTS_H
#define KRELVOX_CONSTANTS_TEXTS_H

#include <QCoreApplication>
#include <QString>

// UI texts. Each is looked up through the translator the first time it is used, so
// an installed translation applies; the source text is the English text.
#define KRELVOX_TEXT(name, text) \
    inline QString name() { return QCoreApplication::translate("GlobalConstants", text); }

// ---- Shared
KRELVOX_TEXT(TEXT_OK, "OK")
KRELVOX_TEXT(TEXT_CANCEL, "Cancel")
KRELVOX_TEXT(TEXT_SEND, "SEND")
KRELVOX_TEXT(TEXT_CANCEL_UPPER, "CANCEL")
KRELVOX_TEXT(TEXT_PREVIOUS, "Previous")
KRELVOX_TEXT(TEXT_NEXT, "Next")
KRELVOX_TEXT(TEXT_ELLIPSIS, "...")
KRELVOX_TEXT(TEXT_MB, "MB")

// ---- Start-up and exit
KRELVOX_TEXT(TEXT_CANT_USE_DATABASE, "Can't use database. Exiting.")
KRELVOX_TEXT(TEXT_START_DOWNLOADING_TITLE, "The downloading was stopped last time when exiting the application.")
KRELVOX_TEXT(TEXT_START_DOWNLOADING_NOW, "Start downloading now?")
KRELVOX_TEXT(TEXT_DOWNLOAD_IN_PROGRESS, "Download in progress")
KRELVOX_TEXT(TEXT_EXIT_WHILE_DOWNLOADING, "You are exiting the program while the video is being downloaded. If you exit now the video download will be stopped.")

// ---- Account
KRELVOX_TEXT(TEXT_ACCOUNT_NEEDED_TITLE, "Account information is needed for selected operation!")
KRELVOX_TEXT(TEXT_ACCOUNT_NEEDED_QUESTION, "Set the account information now?")
KRELVOX_TEXT(TEXT_VERIFYING_ACCOUNT, "Verifying the account information...")
KRELVOX_TEXT(TEXT_ACCOUNT_VERIFIED, "Account verified!")
KRELVOX_TEXT(TEXT_INCORRECT_LOGIN, "Incorrect username or password.")
KRELVOX_TEXT(TEXT_CAPTCHA_IMAGE_FAILED, "The error is unknown or unspecified. the request contained invalid input or was malformed.")

// ---- Upload outcomes
KRELVOX_TEXT(TEXT_UPLOAD_FINISHED, "Upload finished. Video will not be visible on YouTube until it has been processed and indexed")
KRELVOX_TEXT(TEXT_UPLOAD_FAILED, "Upload failed")
KRELVOX_TEXT(TEXT_SERVICE_NOT_AVAILABLE, "The service is not available. try again later.")

// ---- Categories and sort orders
KRELVOX_TEXT(TEXT_CATEGORY_ALL, "All")
KRELVOX_TEXT(TEXT_SORT_RELEVANCE, "Relevance")
KRELVOX_TEXT(TEXT_SORT_DATE_ADDED, "Date added")
KRELVOX_TEXT(TEXT_SORT_VIEW_COUNT, "View count")
KRELVOX_TEXT(TEXT_SORT_RATING, "Rating")

// ---- Favourites
KRELVOX_TEXT(TEXT_ALL_LOCAL_FAVORITES, "All local favorites")
KRELVOX_TEXT(TEXT_DOWNLOAD_QUEUE, "Download queue")
KRELVOX_TEXT(TEXT_LOCAL_PLAYLISTS, "Local playlists")
KRELVOX_TEXT(TEXT_ACCOUNT_PLAYLISTS, "YouTube playlists")
KRELVOX_TEXT(TEXT_ACCOUNT_FAVORITES, "Favorites")
KRELVOX_TEXT(TEXT_NEW_PLAYLIST_PREFIX, "Playlist ")
KRELVOX_TEXT(TEXT_PLAYLIST_DESCRIPTION, "playlist made with Krelvox")
KRELVOX_TEXT(TEXT_VIDEO_CANNOT_BE_DOWNLOADED, "Video cannot be downloaded!")

// ---- Favourites page: rows, drops, buttons and questions
KRELVOX_TEXT(TEXT_FAVORITES_TITLE, "Favorites")
KRELVOX_TEXT(TEXT_NO_FAVORITES, "NO FAVORITES")
KRELVOX_TEXT(TEXT_NO_DOWNLOADS, "NO DOWNLOADS")
KRELVOX_TEXT(TEXT_EMPTY_PLAYLIST, "EMPTY PLAYLIST")
KRELVOX_TEXT(TEXT_DURATION_PREFIX, "Duration: ")
KRELVOX_TEXT(TEXT_DOWNLOADED_PREFIX, "Downloaded: ")
KRELVOX_TEXT(TEXT_UNABLE_TO_DOWNLOAD, "Unable to download")
KRELVOX_TEXT(TEXT_KB, "KB")
KRELVOX_TEXT(TEXT_CANT_COPY_BEFORE_DOWNLOADED, "Can't copy a video to playlist before it has been downloaded.")
KRELVOX_TEXT(TEXT_CANNOT_CHANGE_FAVORITES_ORDER, "Cannot change the order of Favorites")
KRELVOX_TEXT(TEXT_SENDING_PLAYLIST_TO_DEVICE, "Sending the YouTube playlist to device")
KRELVOX_TEXT(TEXT_NEW_PLAYLIST_BUTTON, "NEW PLAYLIST")
KRELVOX_TEXT(TEXT_RENAME_BUTTON, "RENAME")
KRELVOX_TEXT(TEXT_SAVE_BUTTON, "SAVE")
KRELVOX_TEXT(TEXT_PLAY_BUTTON, "PLAY")
KRELVOX_TEXT(TEXT_START_DOWNLOADING_BUTTON, "START DOWNLOADING")
KRELVOX_TEXT(TEXT_STOP_DOWNLOADING_BUTTON, "STOP DOWNLOADING")
KRELVOX_TEXT(TEXT_REMOVE_PLAYLIST_TITLE, "Remove playlist")
KRELVOX_TEXT(TEXT_REMOVE_PLAYLIST_QUESTION, "Remove the playlist %1 and its list of videos?")
KRELVOX_TEXT(TEXT_REMOVE_FAVORITE_TITLE, "Remove video")
KRELVOX_TEXT(TEXT_REMOVE_FAVORITE_QUESTION, "Remove %1 from the playlist %2?")
KRELVOX_TEXT(TEXT_REMOVE_LOCAL_FAVORITE_QUESTION, "Remove %1 from the favorites? It is removed from every local playlist and its stored copy is deleted.")
KRELVOX_TEXT(TEXT_PLAYLIST_NAME_IN_USE, "A playlist with this name already exists.")

// Drag-and-drop formats of the favourites page's lists (not translated).
inline const QString MIME_TYPE_PLAYLIST = QStringLiteral("app/krelvox_playlist");
inline const QString MIME_TYPE_FAVORITE = QStringLiteral("app/krelvox_favorite");

// ---- Social
KRELVOX_TEXT(TEXT_COMMENTS_OF, "Comments of ")
KRELVOX_TEXT(TEXT_DESCRIPTION_OF, "Description of ")
KRELVOX_TEXT(TEXT_MESSAGE, "Message ")
KRELVOX_TEXT(TEXT_WRITE_COMMENT, "WriteComment")
KRELVOX_TEXT(TEXT_MY_STATISTICS, "My statistics")
KRELVOX_TEXT(TEXT_STATISTICS, "Statistics")
KRELVOX_TEXT(TEXT_UPLOAD_HISTORY, "Upload history")
KRELVOX_TEXT(TEXT_MY_CONTACTS, "My contacts")
KRELVOX_TEXT(TEXT_INVITATIONS, "Invitations")
KRELVOX_TEXT(TEXT_MESSAGES, "Messages")
KRELVOX_TEXT(TEXT_NO_UPLOADED_VIDEOS, "No uploaded videos found")
KRELVOX_TEXT(TEXT_NO_CONTACTS, "No contacts found")
KRELVOX_TEXT(TEXT_ADD_CONTACT_QUESTION, "Are you sure you want to add %1 as your %2")
KRELVOX_TEXT(TEXT_REJECT_CONTACT_QUESTION, "Are you sure you want to reject the %2 request by %1")
KRELVOX_TEXT(TEXT_UPLOADS, "Uploads: ")
KRELVOX_TEXT(TEXT_WATCHED, "Watched: ")
KRELVOX_TEXT(TEXT_SINCE, "Since: ")
KRELVOX_TEXT(TEXT_JOINED, "Joined: ")
KRELVOX_TEXT(TEXT_LOGGED, "Logged: ")

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
KRELVOX_TEXT(TEXT_HELP, "Help")
KRELVOX_TEXT(TEXT_EXIT, "Exit")
KRELVOX_TEXT(TEXT_ERROR, "Error")

// ---- Browsing: video rows, result and search pages
KRELVOX_TEXT(TEXT_VIDEO_COMMENTS, "Video comments")
KRELVOX_TEXT(TEXT_VIEW_COUNT, "%1 views")
KRELVOX_TEXT(TEXT_COMMENT_COUNT, "%1 comments")
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
