#ifndef KRELVOX_SERVICETEXTS_H
#define KRELVOX_SERVICETEXTS_H

#include "core/constants/Texts.h"

// Texts the video service reports to the user: account operations, uploads,
// downloads, categories and sort orders.

// ---- Texts of the account operations
KRELVOX_TEXT(TEXT_ACCOUNT_SIGNED_IN, "The account information was verified.")
KRELVOX_TEXT(TEXT_LOGIN_BAD_AUTHENTICATION, "The user name or password is not recognized.")
KRELVOX_TEXT(TEXT_LOGIN_NOT_VERIFIED, "The account's e-mail address has not been verified. Verify it on the service's web site before signing in here.")
KRELVOX_TEXT(TEXT_LOGIN_TERMS_NOT_AGREED, "The terms of the service have not been accepted for this account. Accept them on the service's web site before signing in here.")
KRELVOX_TEXT(TEXT_LOGIN_ACCOUNT_DELETED, "The account has been deleted.")
KRELVOX_TEXT(TEXT_LOGIN_ACCOUNT_DISABLED, "The account has been disabled.")
KRELVOX_TEXT(TEXT_LOGIN_SERVICE_DISABLED, "The account's access to the video service has been disabled.")
KRELVOX_TEXT(TEXT_LOGIN_UNREADABLE, "The answer of the sign-in service could not be read.")
KRELVOX_TEXT(TEXT_LOGIN_UNREACHABLE, "The sign-in service could not be reached. Check the network connection and try again.")
KRELVOX_TEXT(TEXT_LOGIN_NO_ACCOUNT, "No user name has been given for the account.")
KRELVOX_TEXT(TEXT_SIGN_IN_EXPIRED, "The account's sign-in has expired and could not be renewed. Sign in again in the settings.")
KRELVOX_TEXT(TEXT_COMMENT_FAILED, "The comment could not be sent.")
KRELVOX_TEXT(TEXT_RATING_SENT, "Your rating was sent.")
KRELVOX_TEXT(TEXT_RATING_FAILED, "The rating could not be sent.")
KRELVOX_TEXT(TEXT_LINK_SENT, "The link was sent.")
KRELVOX_TEXT(TEXT_LINK_FAILED, "The link could not be sent.")
KRELVOX_TEXT(TEXT_PROFILE_FAILED, "The account's profile could not be fetched.")
KRELVOX_TEXT(TEXT_CONTACTS_FAILED, "The contacts could not be fetched.")
KRELVOX_TEXT(TEXT_INBOX_FAILED, "The messages could not be fetched.")
KRELVOX_TEXT(TEXT_INVITE_ANSWER_FAILED, "The answer to the invitation could not be sent.")
KRELVOX_TEXT(TEXT_CAPTCHA_IMAGE_FAILED, "The error is unknown or unspecified. the request contained invalid input or was malformed.")

// ---- Upload outcomes
KRELVOX_TEXT(TEXT_UPLOAD_FINISHED, "Upload finished. Video will not be visible on YouTube until it has been processed and indexed")
KRELVOX_TEXT(TEXT_UPLOAD_FAILED, "Upload failed")
KRELVOX_TEXT(TEXT_SERVICE_NOT_AVAILABLE, "The service is not available. try again later.")

// ---- Downloads
KRELVOX_TEXT(TEXT_STORAGE_FULL, "The memory card is full")
KRELVOX_TEXT(TEXT_STORAGE_UNWRITABLE, "The memory card cannot be written to")
KRELVOX_TEXT(TEXT_BACKGROUND_DOWNLOAD_STOPPED, "Downloading the queued videos stopped: the connection to the video service was lost. Start downloading again when the connection is back.")

// ---- Categories and sort orders
KRELVOX_TEXT(TEXT_CATEGORY_ALL, "All")
KRELVOX_TEXT(TEXT_SORT_RELEVANCE, "Relevance")
KRELVOX_TEXT(TEXT_SORT_DATE_ADDED, "Date added")
KRELVOX_TEXT(TEXT_SORT_VIEW_COUNT, "View count")
KRELVOX_TEXT(TEXT_SORT_RATING, "Rating")

#endif
