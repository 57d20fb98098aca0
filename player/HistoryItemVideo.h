#ifndef KRELVOX_HISTORYITEMVIDEO_H
#define KRELVOX_HISTORYITEMVIDEO_H

#include "core/VideoEntry.h"
#include "shell/PageHistoryItem.h"

// A video view in the page history: its own copy of the video shown and the
// playlist it was played from (-1: none), so that going back can show it again.
class HistoryItemVideo : public PageHistoryItem
{
    Q_OBJECT
public:
    HistoryItemVideo(int pageId, const VideoEntry& video, int playListId)
        : PageHistoryItem(pageId), myVideo(video), myPlayListId(playListId) {}
    ~HistoryItemVideo() override = default;

    const VideoEntry& getVideo() const { return myVideo; }
    int getPlayListId() const { return myPlayListId; }

private:
    VideoEntry myVideo;
    int myPlayListId;
};

#endif
