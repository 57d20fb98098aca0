#ifndef KRELVOX_PLAYERTEXTS_H
#define KRELVOX_PLAYERTEXTS_H

#include "core/constants/Texts.h"

// Texts of the media player and the video views.

// ---- The player's failures, as the user reads them
KRELVOX_TEXT(TEXT_PLAYER_MISSING, "The video player %1 could not be started (%2). Videos cannot be played until it is installed.")
KRELVOX_TEXT(TEXT_PLAYER_CRASHED, "The video player stopped unexpectedly.")
KRELVOX_TEXT(TEXT_PLAYER_NOT_ANSWERING, "The video player did not start playing the video.")
KRELVOX_TEXT(TEXT_CANNOT_PLAY_VIDEO, "The video cannot be played: the file is damaged or of an unknown kind.")
KRELVOX_TEXT(TEXT_CANNOT_PLAY_VIDEO_BECAUSE, "The video cannot be played (%1).")
KRELVOX_TEXT(TEXT_DOWNLOAD_FAILED, "The video could not be downloaded.")

// ---- What the views show while a video is on its way
KRELVOX_TEXT(TEXT_LOADING_VIDEO, "Loading the video...")
KRELVOX_TEXT(TEXT_BUFFERING, "Buffering...")
KRELVOX_TEXT(TEXT_VIDEO_ENDED, "The video has ended.")
KRELVOX_TEXT(TEXT_VOLUME, "Volume %1%")
KRELVOX_TEXT(TEXT_DOWNLOADED_PERCENT, "%1% downloaded")

// ---- The information view
KRELVOX_TEXT(TEXT_INFO_TAB, "INFO")
KRELVOX_TEXT(TEXT_COMMENTS_TAB, "COMMENTS")
KRELVOX_TEXT(TEXT_SEND_TAB, "SEND LINK")
KRELVOX_TEXT(TEXT_BY_AUTHOR, "by %1")
KRELVOX_TEXT(TEXT_VIEWS, "Views: %1")
KRELVOX_TEXT(TEXT_DURATION, "Duration: %1")
KRELVOX_TEXT(TEXT_UPLOADED, "Uploaded: %1")
KRELVOX_TEXT(TEXT_RATINGS, "(%1 ratings)")
KRELVOX_TEXT(TEXT_RATE_VIDEO, "Rate this video:")
KRELVOX_TEXT(TEXT_MORE, "MORE")
KRELVOX_TEXT(TEXT_RELATED_BUTTON, "RELATED")
KRELVOX_TEXT(TEXT_RESPONSES_BUTTON, "RESPONSES")
KRELVOX_TEXT(TEXT_ALL_COMMENTS, "ALL COMMENTS")
KRELVOX_TEXT(TEXT_WRITE_COMMENT_BUTTON, "WRITE COMMENT")
KRELVOX_TEXT(TEXT_NO_COMMENTS, "No comments")
KRELVOX_TEXT(TEXT_COMMENTS_TOTAL, "%1 comments")

// ---- Sending the link
KRELVOX_TEXT(TEXT_SEND_TO_CONTACT, "To a contact")
KRELVOX_TEXT(TEXT_SEND_BY_MAIL, "By e-mail")
KRELVOX_TEXT(TEXT_COPY_TO_CLIPBOARD, "To the clipboard")
KRELVOX_TEXT(TEXT_CHOOSE_CONTACT, "Choose a contact")
KRELVOX_TEXT(TEXT_LINK_MESSAGE, "Message")
KRELVOX_TEXT(TEXT_LINK_COPIED, "The link is on the clipboard.")
KRELVOX_TEXT(TEXT_LINK_MAILED, "The link was handed to the mail program.")
KRELVOX_TEXT(TEXT_MAIL_UNAVAILABLE, "The mail program could not be reached.")
KRELVOX_TEXT(TEXT_NO_CONTACTS_YET, "No contacts")
KRELVOX_TEXT(TEXT_MAIL_BODY, "%1\n\n%2\n%3")

#endif
