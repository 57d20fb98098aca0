#ifndef KRELVOX_PLAYLISTCONTROLLER_H
#define KRELVOX_PLAYLISTCONTROLLER_H

#include "core/VideoEntry.h"

#include <QObject>
#include <QString>

#include <memory>

class PageHistory;
class Repository;
class VideoServiceProvider;

// Plays the entries of one playlist in the list's order: starts at a chosen entry
// (or the first), steps to the next or previous one when the playback side asks,
// wrapping around at either end, and keeps the download one entry ahead: while the
// current video is on the card, the next one of the playlist is downloaded.
//
// Each entry comes new from the repository; the controller keeps the current and
// the look-ahead entry and hands the current one on with showPlayListsVideo. The
// receiver uses it during the call (the movie controllers copy it), and the
// controller deletes it when the next start or step replaces it.
class PlayListController : public QObject
{
    Q_OBJECT
public:
    PlayListController(VideoServiceProvider* service, Repository& repository, PageHistory& history,
                       QObject* parent);
    ~PlayListController() override;

    int getPlayListId() const { return myPlayListId; }
    int getFavoriteId() const { return myFavoriteId; }

public Q_SLOTS:
    void playVideoFromPlayList(int playListId, int videoFavoriteId, bool forceInfoview);
    void playVideoFromPlayList(int playListId, int videoFavoriteId);
    void changeNextVideo();
    void changePreviousVideo();

Q_SIGNALS:
    // checkVideoViewSetting: the receiver chooses the view from the settings again;
    // forceInfoview: the information view.
    void showPlayListsVideo(VideoEntry* entry, int playListId, bool checkVideoViewSetting, bool forceInfoview);

private Q_SLOTS:
    void checkNextDownload();

private:
    void step(bool forward);
    // The entry is missing: the critical line and one page back.
    void entryMissing();
    // The video's file on the card (favourites folder first, then the download
    // folder), "" when it is not there.
    QString storedFile(const VideoEntry& entry) const;

    VideoServiceProvider* myService;
    Repository& myRepository;
    PageHistory& myHistory;
    int myPlayListId = 0;
    int myFavoriteId = 0;
    std::unique_ptr<VideoEntry> myCurrentEntry;
    std::unique_ptr<VideoEntry> myNextEntry;
};

#endif
