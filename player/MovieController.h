#ifndef KRELVOX_MOVIECONTROLLER_H
#define KRELVOX_MOVIECONTROLLER_H

#include "core/VideoEntry.h"

#include <QList>
#include <QObject>
#include <QTimer>

#include <memory>

class DBusService;
class MediaPlayer;
class PageHistory;
class Repository;
class VideoServiceProvider;
class VideoViewBase;
class VideoWidget;

// Plays one video at a time in its view (this class: full screen). The video is
// downloaded through the service while it plays: the player is opened once
// SETTING_START_PLAYING + 500000 bytes are on the card (at once for a stored file),
// pauses while playback has caught up with the download and goes on when enough
// has arrived, and is moved only inside the part that is there. A video of a result
// list steps through that list only when the user asks; a playlist video asks for
// the playlist's next one when it ends (changeNextVideoFromPlayList). While a video
// plays the display is kept on. The player is ended when the view is left.
//
// Both video views have a controller; the one whose view shows the video is
// active, the other ignores the player and the service. F6 moves the running video
// to the other controller (takeOver) without stopping the player.
class MovieController : public QObject
{
    Q_OBJECT
public:
    MovieController(VideoServiceProvider* service, Repository& repository, PageHistory& history,
                    MediaPlayer* player, VideoWidget* videoWidget, DBusService* dbus, QWidget* parent);
    ~MovieController() override;

    VideoViewBase* getPage() const { return myView; }
    bool isActive() const { return myActive; }
    // The video shown, null when none.
    VideoEntry* getVideo() const { return mySession.entry.get(); }
    // The playlist the video was started from, -1 when none.
    int getPlayListId() const { return mySession.playListId; }
    bool isBuffering() const { return mySession.buffering; }
    bool isHeld() const { return mySession.held; }
    qint64 getStartThreshold() const;

    // A video picked from a result list, whose entries are copied for previous and
    // next (none: a video on its own).
    void playVideo(const VideoEntry& entry, const QList<VideoEntry*>& list = {});
    // A video of the playlist: when it ends the playlist goes on.
    void playPlayListVideo(const VideoEntry& entry, int playListId);
    // Takes over the other controller's video as it is (the player keeps running).
    void takeOver(MovieController& other);
    // Ends the player and the video's download; nothing is shown afterwards.
    void stopVideo();
    // Another page covers the view for a while: the video pauses and is not started
    // by itself until continueVideo().
    void holdVideo();
    void continueVideo();

public Q_SLOTS:
    void playPause();
    void nextVideo();
    void previousVideo();
    // share: a point of the whole video, 0 to 1.
    void seekTo(double share);
    void seekStep(int direction);
    void volumeStep(int direction);

Q_SIGNALS:
    // Only for a video started from a playlist.
    void changeNextVideoFromPlayList();
    void changePreviousVideoFromPlayList();
    // F6 or the view button: the video should move to the other view.
    void viewChangeRequested();
    // A video that is not from a playlist has played to its end.
    void videoEnded();
    // The user stepped to another video of the result list.
    void resultVideoChanged(const VideoEntry& entry);
    // The player failed; the text is for the user.
    void errorOccured(const QString& text);

protected:
    MovieController(VideoServiceProvider* service, Repository& repository, MediaPlayer* player,
                    VideoWidget* videoWidget, DBusService* dbus, VideoViewBase* view, QObject* parent);

    // A new video is about to be played (the information view fills its panes).
    virtual void videoStarting(const VideoEntry& entry) { Q_UNUSED(entry); }

    VideoServiceProvider* myService;
    Repository& myRepository;
    MediaPlayer* myPlayer;
    DBusService* myDBus;
    VideoViewBase* myView;

private:
    // What belongs to the video being played; it moves between the controllers.
    struct Session
    {
        std::unique_ptr<VideoEntry> entry;
        int playListId = -1;
        QList<VideoEntry> list;     // the result list it came from
        int row = -1;
        QString file;
        qint64 downloaded = 0;      // bytes on the card
        qint64 total = 0;           // bytes of the whole file, 0 while unknown
        qint64 readAtEnd = 0;       // bytes read when the player ran out of them
        double restartAt = -1.0;    // >= 0: the player ran out and is opened again here
        bool complete = false;      // the whole file is on the card
        bool failed = false;        // the download failed
        bool opened = false;        // the player was opened on the file
        bool buffering = false;
        bool ended = false;
        bool userPaused = false;
        bool held = false;
    };

    void connectView();
    void begin(const VideoEntry& entry, int playListId, const QList<VideoEntry>& list, int row);
    void locateFile();
    void openPlayer(double seconds);
    void tryToStart();
    void startBuffering();
    void stopBuffering();
    qint64 lowMark() const;
    qint64 resumeMark() const;
    double seekLimit() const;
    void restartDownload();
    // What the play button shows: the video plays, or will once it can.
    bool playingOrAboutTo() const;
    void stepInList(int row);
    void showProgress();
    void refreshView();
    bool downloadingThisVideo() const;

    // Player and service reports (only while active).
    void playerStateChanged(int state);
    void playerPositionChanged(double seconds, qint64 streamPosition);
    void playerEndReached();
    void playerError(const QString& text);
    void downloadProgress(qint64 received, qint64 total);
    void downloadFinished();
    void downloadFailed(const QString& text);
    void viewLeft();

    VideoWidget* myVideoWidget;
    Session mySession;
    bool myActive = false;
    QTimer myProgressTimer;
};

#endif
