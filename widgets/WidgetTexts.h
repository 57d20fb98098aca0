#ifndef KRELVOX_WIDGETTEXTS_H
#define KRELVOX_WIDGETTEXTS_H

#include "core/constants/Texts.h"

// Texts of the shared row painters.

// ---- Cut texts and file sizes
KRELVOX_TEXT(TEXT_ELLIPSIS, "...")
KRELVOX_TEXT(TEXT_MB, "MB")
KRELVOX_TEXT(TEXT_KB, "KB")

// ---- Video rows
KRELVOX_TEXT(TEXT_VIDEO_COMMENTS, "Video comments")
KRELVOX_TEXT(TEXT_VIEW_COUNT, "%1 views")
KRELVOX_TEXT(TEXT_COMMENT_COUNT, "%1 comments")

#endif
