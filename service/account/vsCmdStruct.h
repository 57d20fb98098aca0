#ifndef KRELVOX_VSCMDSTRUCT_H
#define KRELVOX_VSCMDSTRUCT_H

#include "core/PlayList.h"
#include "core/VideoEntry.h"

#include <QString>

// Playlist and favourites write operations handed to the command dispatcher
// (YouTubeClient), which runs one at a time. Commands on a playlist of service 0 touch
// only the local database; on service 1 they are also sent to the account.
enum vsCmdType {
    vsAddPlayList = 1,              // playList: new playlist (name, description, service id)
    vsRemovePlayList = 2,           // playList
    vsRenamePlayList = 3,           // playList, text = new name
    vsAddVideoToPlayList = 4,       // playList = target, video
    vsRemoveVideoFromPlayList = 5,  // playList, video
    vsAddVideoToYouTubeFavorites = 6,   // video (playList = the account's Favorites row)
    vsRemoveVideoFromYouTubeFavorites = 7, // video
    vsUpdatePlayListOrder = 8,      // playList, video, sortId, afterLast
    vsCopyPlayList = 9              // playList = source, targetServiceId: 1 sends a local
                                    // playlist to the account in phases, 0 copies an
                                    // account playlist to the device
};

struct vsCmdStruct
{
    int cmdType = 0;
    PlayList playList;        // a copy: the models may be refilled while a command runs
    VideoEntry video;         // a copy, for the commands that carry a video
    QString text;
    int sortId = 0;
    bool afterLast = false;
    int rowCount = 0;
    int targetServiceId = 0;
};

#endif
