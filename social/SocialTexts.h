#ifndef KRELVOX_SOCIALTEXTS_H
#define KRELVOX_SOCIALTEXTS_H

#include "core/constants/Texts.h"

// Texts of the comments, statistics, contacts and messages pages.

KRELVOX_TEXT(TEXT_COMMENTS_OF, "Comments of ")
KRELVOX_TEXT(TEXT_DESCRIPTION_OF, "Description of ")
KRELVOX_TEXT(TEXT_MESSAGE, "Message ")
KRELVOX_TEXT(TEXT_WRITE_COMMENT, "WriteComment")
KRELVOX_TEXT(TEXT_MY_STATISTICS, "My statistics")
KRELVOX_TEXT(TEXT_UPLOAD_HISTORY, "Upload history")
KRELVOX_TEXT(TEXT_MY_CONTACTS, "My contacts")
KRELVOX_TEXT(TEXT_INVITATIONS, "Invitations")
KRELVOX_TEXT(TEXT_MESSAGES, "Messages")
KRELVOX_TEXT(TEXT_NO_UPLOADED_VIDEOS, "No uploaded videos found")
KRELVOX_TEXT(TEXT_NO_CONTACTS, "No contacts found")
KRELVOX_TEXT(TEXT_NO_INVITATIONS, "No invitations found")
KRELVOX_TEXT(TEXT_NO_MESSAGES, "No messages found")
// The invitation questions: a title naming the answer over the question itself.
KRELVOX_TEXT(TEXT_ACCEPT_INVITATION_TITLE, "Accept invitation")
KRELVOX_TEXT(TEXT_REJECT_INVITATION_TITLE, "Reject invitation")
KRELVOX_TEXT(TEXT_ADD_CONTACT_QUESTION, "Are you sure you want to add %1 as your %2")
KRELVOX_TEXT(TEXT_REJECT_CONTACT_QUESTION, "Are you sure you want to reject the %2 request by %1")
KRELVOX_TEXT(TEXT_UPLOADS, "Uploads: ")
KRELVOX_TEXT(TEXT_WATCHED, "Watched: ")
KRELVOX_TEXT(TEXT_SINCE, "Since: ")
KRELVOX_TEXT(TEXT_JOINED, "Joined: ")
KRELVOX_TEXT(TEXT_LOGGED, "Logged: ")
// What the invitation questions call the contact relation (their %2).
KRELVOX_TEXT(TEXT_FRIEND, "friend")
KRELVOX_TEXT(TEXT_UPLOADS_FAILED, "The uploaded videos could not be fetched. Check the network connection and try again.")

// ---- Statistics figures
KRELVOX_TEXT(TEXT_PROFILE_CREATED, "Profile created: ")
KRELVOX_TEXT(TEXT_AMOUNT_OF_FAVORITES, "Amount of favorites: ")
KRELVOX_TEXT(TEXT_AMOUNT_OF_CONTACTS, "Amount of contacts: ")
KRELVOX_TEXT(TEXT_SUBSCRIPTIONS, "Subscriptions: ")
KRELVOX_TEXT(TEXT_VIDEOS_VIEWED, "Videos viewed: ")
KRELVOX_TEXT(TEXT_LAST_LOGIN, "Last login: ")
KRELVOX_TEXT(TEXT_MOST_VIEWED_FIGURE, "Most viewed: ")
KRELVOX_TEXT(TEXT_DISKSPACE_USED_FREE, "Diskspace used/free: ")
KRELVOX_TEXT(TEXT_SEARCHES_MADE, "Searches made: ")
KRELVOX_TEXT(TEXT_MOST_SEARCHED, "Most searched: ")

#endif
