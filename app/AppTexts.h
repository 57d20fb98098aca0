#ifndef KRELVOX_APPTEXTS_H
#define KRELVOX_APPTEXTS_H

#include "core/constants/Texts.h"

// Texts of the application controller: start-up, exit and the account questions.

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
// The title of a refused or failed sign-in; the service's text below it says why
// (a wrong password, no network, ...).
KRELVOX_TEXT(TEXT_SIGN_IN_FAILED, "Sign-in failed")

#endif
