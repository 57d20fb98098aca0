#ifndef KRELVOX_PLAYERCONSTANTS_H
#define KRELVOX_PLAYERCONSTANTS_H

#include <QCoreApplication>
#include <QString>

// Texts, geometry and timing of the playback layer.

#define KRELVOX_PLAYER_TEXT(name, text) \
    inline QString name() { return QCoreApplication::translate("Player", text); }

// ---- The player's failures, as the user reads them
KRELVOX_PLAYER_TEXT(TEXT_PLAYER_MISSING, "The video player %1 could not be started (%2). Videos cannot be played until it is installed.")
KRELVOX_PLAYER_TEXT(TEXT_PLAYER_CRASHED, "The video player stopped unexpectedly.")
KRELVOX_PLAYER_TEXT(TEXT_PLAYER_NOT_ANSWERING, "The video player did not start playing the video.")
KRELVOX_PLAYER_TEXT(TEXT_CANNOT_PLAY_VIDEO, "The video cannot be played: the file is damaged or of an unknown kind.")
KRELVOX_PLAYER_TEXT(TEXT_CANNOT_PLAY_VIDEO_BECAUSE, "The video cannot be played (%1).")

#endif
