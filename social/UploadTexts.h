#ifndef KRELVOX_UPLOADTEXTS_H
#define KRELVOX_UPLOADTEXTS_H

#include "core/constants/Texts.h"

// Texts of the upload form, its file chooser and its progress and result dialogs.

KRELVOX_TEXT(TEXT_UPLOAD_VIDEO, "Upload video")
KRELVOX_TEXT(TEXT_UPLOAD_FILE_LABEL, "Video:")
KRELVOX_TEXT(TEXT_UPLOAD_TITLE_LABEL, "Title:")
KRELVOX_TEXT(TEXT_UPLOAD_DESCRIPTION_LABEL, "Description:")
KRELVOX_TEXT(TEXT_UPLOAD_CATEGORY_LABEL, "Category:")
KRELVOX_TEXT(TEXT_UPLOAD_TAGS_LABEL, "Tags:")
KRELVOX_TEXT(TEXT_BROWSE, "Browse...")
KRELVOX_TEXT(TEXT_UPLOAD_BUTTON, "Upload")
KRELVOX_TEXT(TEXT_CHOOSE_CATEGORY, "Choose category...")

KRELVOX_TEXT(TEXT_CHOOSE_VIDEO_FOR_UPLOADING, "Choose video for uploading")
KRELVOX_TEXT(TEXT_MOVIE_FILE_FILTER, "Movies (*.avi *.3gp *.mov *.mp4 *.mpeg *.flv *.swf *.mkv)")

KRELVOX_TEXT(TEXT_UPLOAD_DIALOG_TITLE, "Upload")
KRELVOX_TEXT(TEXT_UPLOADING, "Uploading")
KRELVOX_TEXT(TEXT_PLEASE_WAIT, "Please wait")
KRELVOX_TEXT(TEXT_VIDEO_UPLOADED, "Video uploaded")
KRELVOX_TEXT(TEXT_FAILURE_IN_UPLOAD, "Failure in upload")

// Uploads that the service would refuse without a word are stopped before they
// start, with one of these.
KRELVOX_TEXT(TEXT_UPLOAD_NEEDS_CATEGORY, "Choose a category for the video.")
KRELVOX_TEXT(TEXT_UPLOAD_FILE_UNREADABLE, "The video file %1 cannot be read.")

#endif
