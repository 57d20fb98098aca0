#include "player/MovieController.h"

#include "core/FileManager.h"
#include "core/Repository.h"
#include "core/constants/Settings.h"
#include "player/FullScreenView.h"
#include "player/MediaPlayer.h"
#include "player/PlayerConstants.h"
#include "player/PlayerLogging.h"
#include "player/PlayerTexts.h"
#include "player/VideoProgressBar.h"
#include "player/VideoWidget.h"
#include "service/VideoServiceProvider.h"
#include "shell/DBusService.h"

#include <QFileInfo>

MovieController::MovieController(VideoServiceProvider* service, Repository& repository, PageHistory& history,
                                 MediaPlayer* player, VideoWidget* videoWidget, DBusService* dbus, QWidget* parent)
    : MovieController(service, repository, player, videoWidget, dbus, new FullScreenView(history, parent), parent)
{
}

MovieController::MovieController(VideoServiceProvider* service, Repository& repository, MediaPlayer* player,
                                 VideoWidget* videoWidget, DBusService* dbus, VideoViewBase* view, QObject* parent)
    : QObject(parent),
      myService(service),
      myRepository(repository),
      myPlayer(player),
      myDBus(dbus),
      myView(view),
      myVideoWidget(videoWidget)
{
    myProgressTimer.setSingleShot(true);
    myProgressTimer.setInterval(PROGRESS_UPDATE_INTERVAL_MS);
    connect(&myProgressTimer, &QTimer::timeout, this, &MovieController::showProgress);

    connect(myPlayer, &MediaPlayer::stateChanged, this, &MovieController::playerStateChanged);
    connect(myPlayer, &MediaPlayer::positionChanged, this, &MovieController::playerPositionChanged);
    connect(myPlayer, &MediaPlayer::lengthChanged, this, [this] { refreshView(); });
    connect(myPlayer, &MediaPlayer::videoSizeChanged, this, [this](const QSize& size) {
        if (myActive)
            myVideoWidget->setVideoSize(size);
    });
    // A paused or stopped player leaves its window as it was: moved or resized, the
    // window would show the old picture out of place and the screen's old pixels
    // around it. It is black until the player runs again.
    connect(myVideoWidget, &VideoWidget::surfaceMoved, this, [this] {
        if (myActive && myPlayer->getState() != ePlaying)
            myVideoWidget->setSurfaceShown(false);
    });
    connect(myPlayer, &MediaPlayer::endReached, this, &MovieController::playerEndReached);
    connect(myPlayer, &MediaPlayer::errorOccured, this, &MovieController::playerError);
    if (myService) {
        connect(myService, &VideoServiceProvider::downloadInProgress, this, &MovieController::downloadProgress);
        connect(myService, &VideoServiceProvider::videoIsDownloaded, this, &MovieController::downloadFinished);
        connect(myService, &VideoServiceProvider::errorOccuredInDownload, this, &MovieController::downloadFailed);
    }
    connect(&myRepository, &Repository::settingChanged, this, [this](const QString& key, int value) {
        if (myActive && key == SETTING_KEEP_ASPECT_RATIO)
            myVideoWidget->setKeepAspectRatio(value > 0);
    });
    connectView();
}

MovieController::~MovieController()
{
    if (myActive)
        stopVideo();
}

void MovieController::connectView()
{
    connect(myView, &VideoViewBase::playPauseRequested, this, &MovieController::playPause);
    connect(myView, &VideoViewBase::nextRequested, this, &MovieController::nextVideo);
    connect(myView, &VideoViewBase::previousRequested, this, &MovieController::previousVideo);
    connect(myView, &VideoViewBase::seekRequested, this, &MovieController::seekTo);
    connect(myView, &VideoViewBase::seekStepRequested, this, &MovieController::seekStep);
    connect(myView, &VideoViewBase::volumeStepRequested, this, &MovieController::volumeStep);
    connect(myView, &VideoViewBase::viewChangeRequested, this, &MovieController::viewChangeRequested);
    connect(myView, &VideoViewBase::viewLeft, this, &MovieController::viewLeft);
}

qint64 MovieController::getStartThreshold() const
{
    int setting = 0;
    myRepository.getSetting(SETTING_START_PLAYING, setting);
    return qint64(qMax(0, setting)) + START_THRESHOLD_EXTRA_BYTES;
}

// ---- Starting

void MovieController::playVideo(const VideoEntry& entry, const QList<VideoEntry*>& list)
{
    QList<VideoEntry> copies;
    int row = -1;
    for (const VideoEntry* item : list) {
        if (!item)
            continue;
        if (row < 0 && item->getVideoId() == entry.getVideoId())
            row = int(copies.size());
        copies.append(*item);
    }
    if (row < 0)
        copies.clear();
    begin(entry, -1, copies, row);
}

void MovieController::playPlayListVideo(const VideoEntry& entry, int playListId)
{
    begin(entry, playListId, {}, -1);
}

void MovieController::begin(const VideoEntry& entry, int playListId, const QList<VideoEntry>& list, int row)
{
    qCDebug(lcPlayer) << "begin" << entry.getVideoId() << "playlist" << playListId;
    const QString previousId = mySession.entry ? mySession.entry->getVideoId() : QString();
    myPlayer->stop();
    // A download of the video before is dropped, unless it is this video's.
    if (!previousId.isEmpty() && previousId != entry.getVideoId() && downloadingThisVideo())
        myService->cancelDownload();

    mySession = Session();
    mySession.entry = std::make_unique<VideoEntry>(entry);
    mySession.playListId = playListId;
    mySession.list = list;
    mySession.row = row;
    myActive = true;
    myProgressTimer.stop();

    int keep = 0;
    myRepository.getSetting(SETTING_KEEP_ASPECT_RATIO, keep);
    myVideoWidget->setSurfaceShown(false);
    myVideoWidget->setVideoSize(QSize());
    myVideoWidget->setKeepAspectRatio(keep > 0);
    myPlayer->setKeepAspectRatio(keep > 0);
    myView->takeVideoWidget(myVideoWidget);
    myView->setVideo(entry, playListId);
    myView->getProgressBar()->setDownloaded(0.0);
    myView->getProgressBar()->setPosition(0.0, entry.getLength());
    videoStarting(entry);
    locateFile();
    refreshView();
}

bool MovieController::downloadingThisVideo() const
{
    return myService && mySession.entry && myService->getDownloadState()
        && myService->getDownloadVideoId() == mySession.entry->getVideoId();
}

void MovieController::locateFile()
{
    VideoEntry probe = *mySession.entry;
    if (myService)
        myService->setVideoFileName(&probe);
    const QString name = QFileInfo(probe.getVideoFile()).fileName();
    const bool stored = myRepository.resolveVideoFilePath(&probe) == 0 && !probe.getVideoFile().isEmpty();
    if (stored && !downloadingThisVideo()) {
        // On the card already: played at once.
        mySession.file = probe.getVideoFile();
        mySession.complete = true;
        mySession.downloaded = mySession.total = QFileInfo(mySession.file).size();
        showProgress();
        tryToStart();
        return;
    }
    FileManager* files = myRepository.getFileManager();
    mySession.file = files ? files->getVideoFolder() + name : QString();
    if (!myService || mySession.file.isEmpty()) {
        mySession.failed = true;
        return;
    }
    if (downloadingThisVideo())
        mySession.downloaded = QFileInfo(mySession.file).size();
    else
        myService->download(mySession.entry.get());
}

void MovieController::tryToStart()
{
    if (mySession.opened || mySession.held || mySession.failed || mySession.file.isEmpty())
        return;
    if (mySession.complete || mySession.downloaded >= getStartThreshold())
        openPlayer(0.0);
}

void MovieController::openPlayer(double seconds)
{
    mySession.opened = true;
    mySession.ended = false;
    mySession.restartAt = -1.0;
    myPlayer->setVideoWindow(myVideoWidget->videoWindow());
    myPlayer->play(mySession.file, seconds);
    if (mySession.userPaused)
        myPlayer->pause();
    refreshView();
}

// ---- The download

void MovieController::downloadProgress(qint64 received, qint64 total)
{
    if (!myActive || mySession.complete || !downloadingThisVideo())
        return;
    mySession.downloaded = received;
    if (total > 0)
        mySession.total = total;
    // Many network reads a second: the view hears of them at most every 100 ms.
    if (!myProgressTimer.isActive())
        myProgressTimer.start();
    if (!mySession.opened)
        tryToStart();
    else if (mySession.buffering)
        stopBuffering();
}

void MovieController::downloadFinished()
{
    if (!myActive || mySession.complete || mySession.failed || downloadingThisVideo() || !mySession.entry)
        return;
    const QFileInfo file(mySession.file);
    if (!file.exists())
        return;
    mySession.complete = true;
    mySession.downloaded = mySession.total = file.size();
    myProgressTimer.stop();
    showProgress();
    if (!mySession.opened)
        tryToStart();
    else if (mySession.buffering)
        stopBuffering();
}

void MovieController::downloadFailed(const QString& text)
{
    Q_UNUSED(text); // the application controller shows it
    if (!myActive || mySession.complete || !mySession.entry || downloadingThisVideo())
        return;
    mySession.failed = true;
    // What had arrived plays on; a video still loading or waiting for more stops.
    if (!mySession.opened || mySession.buffering) {
        myPlayer->stop();
        mySession.buffering = false;
    }
    refreshView();
}

void MovieController::showProgress()
{
    if (!myActive)
        return;
    double share = 0.0;
    if (mySession.complete)
        share = 1.0;
    else if (mySession.total > 0)
        share = double(mySession.downloaded) / double(mySession.total);
    myView->getProgressBar()->setDownloaded(share);
    if (!mySession.opened && !mySession.failed && mySession.total > 0)
        myView->setStatusText(TEXT_LOADING_VIDEO() + QLatin1Char(' ')
                              + TEXT_DOWNLOADED_PERCENT().arg(int(share * 100)));
}

// ---- Buffering: playback never reads past what has arrived

qint64 MovieController::lowMark() const
{
    const double length = myPlayer->getLength();
    const double rate = length > 0 && mySession.total > 0 ? mySession.total / length : 0.0;
    return qMax(BUFFER_LOW_BYTES, qint64(rate * BUFFER_LOW_SECONDS));
}

qint64 MovieController::resumeMark() const
{
    return lowMark() + BUFFER_RESUME_BYTES;
}

void MovieController::startBuffering()
{
    qCDebug(lcPlayer) << "buffering at" << myPlayer->getPosition() << "read" << myPlayer->getStreamPosition()
                      << "of" << mySession.downloaded;
    mySession.buffering = true;
    myPlayer->pause();
    refreshView();
}

void MovieController::stopBuffering()
{
    const qint64 read = mySession.restartAt >= 0 ? mySession.readAtEnd : myPlayer->getStreamPosition();
    if (!mySession.complete && mySession.downloaded - read < resumeMark())
        return;
    mySession.buffering = false;
    if (mySession.restartAt >= 0) {
        openPlayer(mySession.restartAt);
    } else if (!mySession.userPaused && !mySession.held) {
        myPlayer->resume();
    }
    refreshView();
}

// ---- The player

void MovieController::playerStateChanged(int state)
{
    if (!myActive)
        return;
    // The player's window is shown from its first picture on.
    if (state == ePlaying && mySession.opened)
        myVideoWidget->setSurfaceShown(true);
    if (myDBus) {
        if (state == ePlaying)
            myDBus->startDisplayKeepAlive();
        else
            myDBus->stopDisplayKeepAlive();
    }
    refreshView();
}

void MovieController::playerPositionChanged(double seconds, qint64 streamPosition)
{
    if (!myActive || !mySession.opened)
        return;
    myView->getProgressBar()->setPosition(seconds, myPlayer->getLength());
    if (mySession.complete || mySession.failed || streamPosition < 0)
        return;
    if (mySession.buffering)
        stopBuffering();
    else if (myPlayer->getState() == ePlaying && mySession.downloaded - streamPosition < lowMark())
        startBuffering();
}

void MovieController::playerEndReached()
{
    if (!myActive || !mySession.entry)
        return;
    if (mySession.failed) {
        // What had arrived before the download failed is played: nothing follows.
        refreshView();
        return;
    }
    if (!mySession.complete) {
        // The player read to the end of what had arrived before we could hold it:
        // it is opened again where it stopped once more has come.
        qCDebug(lcPlayer) << "ran out of data at" << myPlayer->getPosition();
        mySession.restartAt = myPlayer->getPosition();
        mySession.readAtEnd = qMax(myPlayer->getStreamPosition(), qint64(0));
        mySession.buffering = true;
        refreshView();
        return;
    }
    mySession.ended = true;
    refreshView();
    if (mySession.playListId >= 0)
        Q_EMIT changeNextVideoFromPlayList();
    else
        Q_EMIT videoEnded();
}

void MovieController::playerError(const QString& text)
{
    if (!myActive)
        return;
    mySession.buffering = false;
    myView->setStatusText(text);
    Q_EMIT errorOccured(text);
}

// ---- What the user asks for

void MovieController::playPause()
{
    if (!myActive || !mySession.entry)
        return;
    const MediaPlayerStates state = myPlayer->getState();
    if (mySession.failed && (!mySession.opened || state == eStopped || state == eError)) {
        // Nothing is left to play of what had arrived: the download starts again.
        restartDownload();
        return;
    }
    if (mySession.opened && (mySession.ended || state == eError)) {
        // Over: from the start again.
        mySession.userPaused = false;
        if (mySession.complete)
            openPlayer(0.0);
        return;
    }
    // Loading, starting, buffering or playing: the tap turns what the video does or
    // will do once it can, and the button shows that at once.
    mySession.userPaused = !mySession.userPaused;
    if (mySession.userPaused)
        myPlayer->pause();
    else if (!mySession.buffering && !mySession.held)
        myPlayer->resume();
    refreshView();
}

void MovieController::restartDownload()
{
    if (!myService || mySession.file.isEmpty())
        return;
    qCDebug(lcPlayer) << "download again" << mySession.entry->getVideoId();
    mySession.failed = false;
    mySession.userPaused = false;
    mySession.downloaded = 0;
    mySession.total = 0;
    if (mySession.opened) {
        // The file comes again from its start; the video goes on where it stopped
        // once that much is there, as after running out of data.
        mySession.restartAt = myPlayer->getPosition();
        mySession.readAtEnd = qMax(myPlayer->getStreamPosition(), qint64(0));
        mySession.buffering = true;
        myPlayer->stop();
    }
    myView->getProgressBar()->setDownloaded(0.0);
    myService->download(mySession.entry.get());
    refreshView();
}

void MovieController::nextVideo()
{
    if (!myActive || !mySession.entry)
        return;
    if (mySession.playListId >= 0)
        Q_EMIT changeNextVideoFromPlayList();
    else if (mySession.row >= 0 && mySession.row + 1 < mySession.list.size())
        stepInList(mySession.row + 1);
}

void MovieController::previousVideo()
{
    if (!myActive || !mySession.entry)
        return;
    if (mySession.playListId >= 0)
        Q_EMIT changePreviousVideoFromPlayList();
    else if (mySession.row > 0)
        stepInList(mySession.row - 1);
}

void MovieController::stepInList(int row)
{
    const QList<VideoEntry> list = mySession.list;
    VideoEntry entry = list.at(row);
    myRepository.addToHistory(&entry);
    begin(entry, -1, list, row);
    Q_EMIT resultVideoChanged(entry);
}

double MovieController::seekLimit() const
{
    const double length = myPlayer->getLength();
    if (mySession.complete)
        return length;
    if (mySession.total <= 0 || length <= 0)
        return 0.0;
    const double share = double(mySession.downloaded - resumeMark()) / double(mySession.total);
    return qMax(0.0, length * share);
}

void MovieController::seekTo(double share)
{
    if (!myActive || !mySession.opened || myPlayer->getLength() <= 0)
        return;
    const double wanted = share * myPlayer->getLength();
    const double position = myPlayer->getPosition();
    const double target = qBound(0.0, wanted, seekLimit());
    // Playback runs closer to the download's end than a seek may land: a point ahead
    // goes as far as can be played, never back behind where the video is.
    if (wanted > position && target <= position)
        return;
    myPlayer->seek(target);
    myView->getProgressBar()->setPosition(target, myPlayer->getLength());
}

void MovieController::seekStep(int direction)
{
    const double length = myPlayer->getLength();
    if (length > 0)
        seekTo((myPlayer->getPosition() + direction * SEEK_STEP_SECONDS) / length);
}

void MovieController::volumeStep(int direction)
{
    myPlayer->setVolume(myPlayer->getVolume() + direction * VOLUME_STEP);
    myView->showVolume(myPlayer->getVolume());
}

// ---- Views and leaving

void MovieController::takeOver(MovieController& other)
{
    if (&other == this || !other.mySession.entry)
        return;
    const WId window = myVideoWidget->videoWindow();
    mySession = std::move(other.mySession);
    other.mySession = Session();
    other.myActive = false;
    other.myProgressTimer.stop();
    myActive = true;
    myView->takeVideoWidget(myVideoWidget);
    myView->setVideo(*mySession.entry, mySession.playListId);
    videoStarting(*mySession.entry);
    showProgress();
    // A video still loading is at its start; the player still holds where the video
    // before it stopped.
    if (mySession.opened)
        myView->getProgressBar()->setPosition(myPlayer->getPosition(), myPlayer->getLength());
    else
        myView->getProgressBar()->setPosition(0.0, mySession.entry->getLength());
    // The widget keeps its window when it moves; should the platform give it another,
    // the player starts again in it where it was.
    if (mySession.opened && myVideoWidget->videoWindow() != window && myPlayer->getState() != eStopped)
        openPlayer(myPlayer->getPosition());
    refreshView();
}

void MovieController::stopVideo()
{
    if (!mySession.entry) {
        myActive = false;
        return;
    }
    qCDebug(lcPlayer) << "stop" << mySession.entry->getVideoId();
    myPlayer->stop();
    if (!mySession.complete && downloadingThisVideo())
        myService->cancelDownload();
    if (myDBus)
        myDBus->stopDisplayKeepAlive();
    mySession = Session();
    myActive = false;
    myProgressTimer.stop();
    myVideoWidget->setSurfaceShown(false);
    myView->setPlaying(false);
    myView->setStatusText(QString());
}

void MovieController::holdVideo()
{
    if (!myActive || !mySession.entry)
        return;
    mySession.held = true;
    myPlayer->pause();
    refreshView();
}

void MovieController::continueVideo()
{
    if (!myActive || !mySession.entry)
        return;
    mySession.held = false;
    if (!mySession.opened)
        tryToStart();
    else if (!mySession.userPaused && !mySession.buffering && myPlayer->getState() == ePaused)
        myPlayer->resume();
    refreshView();
}

void MovieController::viewLeft()
{
    // The other view taking the video over, or a page that only covers this one for a
    // while (held), is not leaving it.
    if (myActive && !mySession.held)
        stopVideo();
}

void MovieController::refreshView()
{
    if (!myActive || !mySession.entry)
        return;
    const MediaPlayerStates state = myPlayer->getState();
    myView->setPlaying(playingOrAboutTo());
    const bool fromList = mySession.row >= 0;
    myView->setStepButtons(mySession.playListId >= 0 || (fromList && mySession.row > 0),
                           mySession.playListId >= 0 || (fromList && mySession.row + 1 < mySession.list.size()));
    QString status;
    if (state == eError && mySession.opened)
        return; // the error text stays
    if (mySession.failed)
        status = TEXT_DOWNLOAD_FAILED();
    else if (mySession.buffering)
        status = TEXT_BUFFERING();
    else if (mySession.ended)
        status = TEXT_VIDEO_ENDED();
    else if (!mySession.opened)
        status = TEXT_LOADING_VIDEO();
    myView->setStatusText(status);
}

bool MovieController::playingOrAboutTo() const
{
    if (mySession.userPaused || mySession.held)
        return false;
    // Loading or buffering: it plays as soon as enough is there.
    if (!mySession.opened || mySession.buffering)
        return !mySession.failed;
    const MediaPlayerStates state = myPlayer->getState();
    // eStopped before the player's first picture, and after its end.
    return state == ePlaying || (state == eStopped && !mySession.ended && !mySession.failed);
}
