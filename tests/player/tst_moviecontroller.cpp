#include "core/constants/Settings.h"
#include "player/FullScreenView.h"
#include "player/PlayerConstants.h"
#include "player/PlayerTexts.h"
#include "player/VideoProgressBar.h"
#include "tests/player/PlaybackWorld.h"
#include "tests/support/PlayerClock.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QFileInfo>
#include <QPushButton>
#include <QSignalSpy>
#include <QTest>

// Playing a video while it downloads, with the real mplayer on the sample video
// served by the fake service: when it starts, that it waits for the download and
// plays to the end, seeking inside what is there, stepping through a result list or
// a playlist, failures, leaving, moving the video to the other view, the shape of
// the picture, the play button while the video is on its way, a download that broke
// off, and the volume notice.
class TestMovieController : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void growingFileWaitsForTheDownloadAndPlaysToTheEnd();
    void startsWhenEnoughIsThere_data();
    void startsWhenEnoughIsThere();
    void seekStaysInsideTheDownloadedPart();
    void resultListMovesOnlyWhenAsked_data();
    void resultListMovesOnlyWhenAsked();
    void playlistVideoAsksForTheNextOne();
    void failuresShowTheirText_data();
    void failuresShowTheirText();
    void leavingEndsPlayerAndDownload_data();
    void leavingEndsPlayerAndDownload();
    void otherViewTakesTheRunningVideo();
    void otherViewTakesAVideoStillLoading();
    void keepsTheAspectRatioAsSet_data();
    void keepsTheAspectRatioAsSet();
    void tapOnPlayNeverLeavesItPaused_data();
    void tapOnPlayNeverLeavesItPaused();
    void forwardStepNeverGoesBack_data();
    void forwardStepNeverGoesBack();
    void volumeNoticeMovesNoButton_data();
    void volumeNoticeMovesNoButton();
};

namespace {

// What was true each time the player's state changed.
struct StateRecord
{
    int state;
    qint64 onDisk;
    bool downloading;
    bool keepAlive;
};

QList<QString> mplayers()
{
    QList<QString> names;
    for (qint64 pid : ChildProcesses::of(QStringLiteral("mplayer")))
        names << QString::number(pid);
    return names;
}

} // namespace

void TestMovieController::growingFileWaitsForTheDownloadAndPlaysToTheEnd()
{
    PlaybackWorld w;
    // 3 s of video (about 1.7 MB) sent at half the speed it plays, in small pieces.
    w.serve(3.0, 300000, 8192);
    const QString file = w.downloadFile(QStringLiteral("slow1"));
    QList<StateRecord> states;
    QObject::connect(w.player.get(), &MediaPlayer::stateChanged, [&](int state) {
        states.append({state, QFileInfo(file).size(), w.world.service->getDownloadState(),
                       w.dbus.isDisplayKeepAliveActive()});
    });
    QSignalSpy reads(w.world.service.get(), &VideoServiceProvider::downloadInProgress);
    QSignalSpy shown(w.normal->getPage()->getProgressBar(), &VideoProgressBar::downloadedChanged);
    QSignalSpy ended(w.normal, &MovieController::videoEnded);
    QElapsedTimer clock;
    clock.start();

    w.show(w.normal);
    w.normal->playVideo(PlaybackWorld::entry(QStringLiteral("slow1")));
    QTRY_COMPARE_WITH_TIMEOUT(ended.count(), 1, 40000);
    const qint64 elapsed = clock.elapsed();

    // Opened on the growing file once the threshold was there, not before.
    QVERIFY(!states.isEmpty());
    QCOMPARE(states.first().state, int(ePlaying));
    QVERIFY2(states.first().onDisk >= w.normal->getStartThreshold(), qPrintable(QString::number(states.first().onDisk)));
    QVERIFY(states.first().downloading);
    QVERIFY(states.first().keepAlive);
    // It caught up with the download at least once and waited.
    bool waited = false;
    for (const StateRecord& r : std::as_const(states))
        waited = waited || (r.state == ePaused && r.downloading && !r.keepAlive);
    QVERIFY(waited);
    // It ended once, at the real end, with the whole file there.
    QCOMPARE(QFileInfo(file).size(), qint64(w.video.size()));
    QVERIFY(w.player->getPosition() > 2.5);
    QCOMPARE(w.normal->getPage()->getStatusText(), TEXT_VIDEO_ENDED());
    QVERIFY(!w.dbus.isDisplayKeepAliveActive());
    QCOMPARE(w.normal->getPage()->getProgressBar()->getDownloaded(), 1.0);
    // The view heard of the download at most every 100 ms, not at every read.
    QVERIFY2(reads.count() > shown.count(), qPrintable(QStringLiteral("%1 %2").arg(reads.count()).arg(shown.count())));
    QVERIFY(shown.count() <= elapsed / PROGRESS_UPDATE_INTERVAL_MS + 2);
}

void TestMovieController::startsWhenEnoughIsThere_data()
{
    QTest::addColumn<int>("startPlaying");
    QTest::addColumn<bool>("stored");
    QTest::addColumn<bool>("beforeComplete");

    QTest::newRow("the default setting: 800000 bytes") << 300000 << false << true;
    QTest::newRow("a threshold beyond the file: all of it") << 3000000 << false << false;
    QTest::newRow("a stored copy: at once, no download") << 300000 << true << false;
}

void TestMovieController::startsWhenEnoughIsThere()
{
    QFETCH(int, startPlaying);
    QFETCH(bool, stored);
    QFETCH(bool, beforeComplete);

    PlaybackWorld w;
    w.setStartPlaying(startPlaying);
    w.serve(3.0, 600000, 16384);
    if (stored)
        w.storeVideo(QStringLiteral("start1"), w.video);
    const QString file = stored ? QString() : w.downloadFile(QStringLiteral("start1"));
    qint64 onDisk = -1;
    QObject::connect(w.player.get(), &MediaPlayer::stateChanged, [&](int state) {
        if (state == ePlaying && onDisk < 0)
            onDisk = stored ? w.video.size() : QFileInfo(file).size();
    });
    w.show(w.movie);
    w.movie->playVideo(PlaybackWorld::entry(QStringLiteral("start1")));
    QTRY_VERIFY_WITH_TIMEOUT(onDisk >= 0, 20000);

    QVERIFY(onDisk >= qMin<qint64>(startPlaying + 500000, w.video.size()));
    QCOMPARE(onDisk < w.video.size(), beforeComplete);
    QCOMPARE(w.world.fake.requestsTo(QStringLiteral("/www/get_video")).isEmpty(), stored);
}

void TestMovieController::seekStaysInsideTheDownloadedPart()
{
    PlaybackWorld w;
    PlayerClock clock(w.world.environment.root());
    constexpr qint64 stall = 2500000;
    w.serveShaped(PlaybackWorld::makeVideo(6.0), [](FakeResponse& response, int) { response.stallAfter = stall; });
    w.show(w.normal);
    w.normal->playVideo(PlaybackWorld::entry(QStringLiteral("seek1"), 6.0f));
    QTRY_COMPARE_WITH_TIMEOUT(w.player->getState(), ePlaying, 10000);
    QTRY_COMPARE_WITH_TIMEOUT(QFileInfo(w.downloadFile(QStringLiteral("seek1"))).size(), stall, 10000);
    QTRY_VERIFY(w.player->getLength() > 0);

    // 90 % is not there: the seek ends where the download leaves enough behind it.
    w.normal->seekTo(0.9);
    const double limit = 6.0 * double(stall - (576000 + 500000)) / double(w.video.size());
    QTRY_VERIFY_WITH_TIMEOUT(qAbs(w.player->getPosition() - limit) < 0.5, 5000);
    QVERIFY(w.normal->getPage()->getProgressBar()->getPosition() <= limit + 0.01);
    // Back is always possible.
    w.normal->seekTo(0.05);
    QTRY_VERIFY_WITH_TIMEOUT(w.player->getPosition() < 1.0, 5000);
    // The stalled download is waited for, not run past: the player stays as buffering
    // left it and no end comes. What it had left to read (a second or so) it would
    // have run out of while the clock played on.
    QSignalSpy ended(w.normal, &MovieController::videoEnded);
    QTRY_VERIFY_WITH_TIMEOUT(w.normal->isBuffering(), 10000);
    QSignalSpy states(w.player.get(), &MediaPlayer::stateChanged);
    QVERIFY(clock.waitFor(1.5));
    QCOMPARE(ended.count(), 0);
    QCOMPARE(states.count(), 0);
    QCOMPARE(w.normal->getPage()->getStatusText(), TEXT_BUFFERING());
}

void TestMovieController::resultListMovesOnlyWhenAsked_data()
{
    QTest::addColumn<int>("startRow");
    QTest::addColumn<QString>("steps");   // n: next, p: previous, e: play to the end
    QTest::addColumn<int>("endRow");
    QTest::addColumn<QString>("buttons");  // previous and next enabled: "pn", "-n", "p-"

    QTest::newRow("next from the middle") << 1 << "n" << 2 << "p-";
    QTest::newRow("next at the end stays") << 2 << "n" << 2 << "p-";
    QTest::newRow("previous twice to the first") << 2 << "pp" << 0 << "-n";
    QTest::newRow("previous at the start stays") << 0 << "p" << 0 << "-n";
    QTest::newRow("an ended video stays") << 1 << "e" << 1 << "pn";
}

void TestMovieController::resultListMovesOnlyWhenAsked()
{
    QFETCH(int, startRow);
    QFETCH(QString, steps);
    QFETCH(int, endRow);
    QFETCH(QString, buttons);

    PlaybackWorld w;
    const QByteArray video = PlaybackWorld::makeVideo(0.5);
    QList<VideoEntry> entries;
    QList<VideoEntry*> list;
    for (int i = 0; i < 3; ++i) {
        entries.append(PlaybackWorld::entry(QStringLiteral("list%1").arg(i), 0.5f));
        w.storeVideo(entries.last().getVideoId(), video);
    }
    for (VideoEntry& e : entries)
        list.append(&e);
    QSignalSpy ended(w.normal, &MovieController::videoEnded);
    QSignalSpy changed(w.normal, &MovieController::resultVideoChanged);
    QSignalSpy playlistNext(w.normal, &MovieController::changeNextVideoFromPlayList);
    w.show(w.normal);
    w.normal->playVideo(entries.at(startRow), list);
    QTRY_COMPARE_WITH_TIMEOUT(w.player->getState(), ePlaying, 10000);

    int moves = 0;
    for (const QChar step : steps) {
        const QString before = w.normal->getVideo()->getVideoId();
        if (step == QLatin1Char('n'))
            w.normal->nextVideo();
        else if (step == QLatin1Char('p'))
            w.normal->previousVideo();
        else
            QTRY_COMPARE_WITH_TIMEOUT(ended.count(), 1, 10000);
        moves += w.normal->getVideo()->getVideoId() != before;
    }
    QCOMPARE(w.normal->getVideo()->getVideoId(), entries.at(endRow).getVideoId());
    QCOMPARE(changed.count(), moves);
    QCOMPARE(playlistNext.count(), 0);
    QCOMPARE(QString(QLatin1Char(w.normal->getPage()->getPreviousButton()->isEnabled() ? 'p' : '-'))
                 + QLatin1Char(w.normal->getPage()->getNextButton()->isEnabled() ? 'n' : '-'),
             buttons);
    // Every video stepped to is in the viewing history.
    RepVideoStatus status;
    w.world.repository->getVideoStatus(entries.at(endRow).getVideoId(), status);
    QCOMPARE(status.inHistory, moves > 0);
}

void TestMovieController::playlistVideoAsksForTheNextOne()
{
    PlaybackWorld w;
    w.storeVideo(QStringLiteral("pl1"), PlaybackWorld::makeVideo(0.5));
    QSignalSpy next(w.movie, &MovieController::changeNextVideoFromPlayList);
    QSignalSpy previous(w.movie, &MovieController::changePreviousVideoFromPlayList);
    QSignalSpy ended(w.movie, &MovieController::videoEnded);
    w.show(w.movie);
    w.movie->playPlayListVideo(PlaybackWorld::entry(QStringLiteral("pl1"), 0.5f), 7);
    QCOMPARE(w.movie->getPlayListId(), 7);
    QVERIFY(w.movie->getPage()->getNextButton()->isEnabled());
    QVERIFY(w.movie->getPage()->getPreviousButton()->isEnabled());

    // The user's steps go to the playlist ...
    w.movie->previousVideo();
    w.movie->nextVideo();
    QCOMPARE(previous.count(), 1);
    QCOMPARE(next.count(), 1);
    // ... and so does the end: the playlist goes on by itself.
    QTRY_COMPARE_WITH_TIMEOUT(next.count(), 2, 10000);
    QCOMPARE(ended.count(), 0);
}

void TestMovieController::failuresShowTheirText_data()
{
    QTest::addColumn<QString>("program");
    QTest::addColumn<QString>("videoId");
    QTest::addColumn<QByteArray>("stored");   // empty: downloaded
    QTest::addColumn<QString>("text");
    QTest::addColumn<bool>("reported");       // by the controller's errorOccured

    QTest::newRow("no mplayer") << QStringLiteral("/nonexistent/mplayer") << QStringLiteral("f1")
                                << PlaybackWorld::makeVideo(1.0)
                                << TEXT_PLAYER_MISSING().arg(QStringLiteral("/nonexistent/mplayer"),
                                                             QStringLiteral("execvp: No such file or directory"))
                                << true;
    QTest::newRow("damaged file") << QStringLiteral("mplayer") << QStringLiteral("f2") << QByteArray(600000, 'z')
                                  << TEXT_CANNOT_PLAY_VIDEO() << true;
    QTest::newRow("removed video") << QStringLiteral("mplayer") << FakeFeeds::REMOVED_VIDEO_ID << QByteArray()
                                   << TEXT_DOWNLOAD_FAILED() << false;
}

void TestMovieController::failuresShowTheirText()
{
    QFETCH(QString, program);
    QFETCH(QString, videoId);
    QFETCH(QByteArray, stored);
    QFETCH(QString, text);
    QFETCH(bool, reported);

    MplayerOptions options = PlaybackWorld::fastOptions();
    options.program = program;
    PlaybackWorld w(options);
    w.serve(1.0);
    if (!stored.isEmpty())
        w.storeVideo(videoId, stored);
    QSignalSpy errors(w.normal, &MovieController::errorOccured);
    w.show(w.normal);
    w.normal->playVideo(PlaybackWorld::entry(videoId, 1.0f));
    QTRY_COMPARE_WITH_TIMEOUT(w.normal->getPage()->getStatusText(), text, 10000);
    QCOMPARE(errors.count(), reported ? 1 : 0);
    if (reported)
        QCOMPARE(errors.first().first().toString(), text);
    QVERIFY(!w.dbus.isDisplayKeepAliveActive());
    QVERIFY(mplayers().isEmpty());
}

void TestMovieController::leavingEndsPlayerAndDownload_data()
{
    QTest::addColumn<QString>("how");
    QTest::newRow("another page shown") << QStringLiteral("page");
    QTest::newRow("stopped") << QStringLiteral("stop");
    QTest::newRow("controller deleted") << QStringLiteral("delete");
    QTest::newRow("held, then another page") << QStringLiteral("held");
}

void TestMovieController::leavingEndsPlayerAndDownload()
{
    QFETCH(QString, how);
    PlaybackWorld w;
    w.serve(6.0, 400000, 16384);
    const QString file = w.downloadFile(QStringLiteral("leave1"));
    w.show(w.normal);
    w.normal->playVideo(PlaybackWorld::entry(QStringLiteral("leave1"), 6.0f));
    QTRY_COMPARE_WITH_TIMEOUT(w.player->getState(), ePlaying, 15000);
    QCOMPARE(mplayers().size(), 1);
    QVERIFY(w.world.service->getDownloadState());

    if (how == QLatin1String("page")) {
        w.leave();
    } else if (how == QLatin1String("stop")) {
        w.normal->stopVideo();
    } else if (how == QLatin1String("delete")) {
        delete w.normal;
        w.normal = nullptr;
    } else {
        // A page that only covers the view keeps the video, paused.
        w.normal->holdVideo();
        w.leave();
        QCOMPARE(w.player->getState(), ePaused);
        QCOMPARE(mplayers().size(), 1);
        w.show(w.normal);
        w.normal->continueVideo();
        QTRY_COMPARE(w.player->getState(), ePlaying);
        w.normal->stopVideo();
    }
    QTRY_VERIFY_WITH_TIMEOUT(mplayers().isEmpty(), 3000);
    QCOMPARE(w.player->getState(), eStopped);
    QVERIFY(!w.world.service->getDownloadState());
    QVERIFY(!QFileInfo::exists(file));
    QVERIFY(!w.dbus.isDisplayKeepAliveActive());
}

void TestMovieController::otherViewTakesTheRunningVideo()
{
    PlaybackWorld w;
    w.serve(6.0);
    w.show(w.normal);
    w.normal->playVideo(PlaybackWorld::entry(QStringLiteral("f6"), 6.0f));
    QTRY_COMPARE_WITH_TIMEOUT(w.player->getState(), ePlaying, 10000);
    const qint64 child = w.player->processId();
    QSignalSpy states(w.player.get(), &MediaPlayer::stateChanged);
    QSignalSpy positions(w.player.get(), &MediaPlayer::positionChanged);

    w.movie->takeOver(*w.normal);
    w.show(w.movie);
    QVERIFY(w.movie->isActive());
    QVERIFY(!w.normal->isActive());
    QCOMPARE(w.movie->getVideo()->getVideoId(), QStringLiteral("f6"));
    QVERIFY(w.movie->getPage()->isAncestorOf(&w.videoWidget));
    // The same player goes on, reporting its position: no restart, no pause.
    QTRY_VERIFY_WITH_TIMEOUT(positions.count() >= 2, 5000);
    QCOMPARE(w.player->processId(), child);
    QCOMPARE(states.count(), 0);

    // And back.
    w.normal->takeOver(*w.movie);
    w.show(w.normal);
    QVERIFY(w.normal->getPage()->isAncestorOf(&w.videoWidget));
    QCOMPARE(w.player->processId(), child);
    QCOMPARE(w.player->getState(), ePlaying);
}

// F6 while the next video is still loading: the view shows that video's start and
// length, not where the player of the video before it stopped.
void TestMovieController::otherViewTakesAVideoStillLoading()
{
    PlaybackWorld w;
    w.serve(6.0);
    w.show(w.movie);
    w.movie->playVideo(PlaybackWorld::entry(QStringLiteral("first"), 6.0f));
    QTRY_COMPARE_WITH_TIMEOUT(w.player->getState(), ePlaying, 10000);
    QTRY_VERIFY_WITH_TIMEOUT(w.player->getPosition() > 0.5, 10000);

    w.setStartPlaying(100000000); // the next one does not start while the test looks
    w.movie->playVideo(PlaybackWorld::entry(QStringLiteral("second"), 9.0f));
    w.normal->takeOver(*w.movie);
    w.show(w.normal);
    const VideoProgressBar* bar = w.normal->getPage()->getProgressBar();
    QCOMPARE(w.normal->getVideo()->getVideoId(), QStringLiteral("second"));
    QCOMPARE(bar->getPosition(), 0.0);
    QCOMPARE(bar->getLength(), 9.0);
}

void TestMovieController::keepsTheAspectRatioAsSet_data()
{
    QTest::addColumn<int>("setting");
    QTest::addColumn<int>("changedTo"); // while it plays; -1: unchanged
    QTest::addColumn<bool>("kept");

    QTest::newRow("2 keeps it") << 2 << -1 << true;
    QTest::newRow("0 fills the area") << 0 << -1 << false;
    QTest::newRow("changed to 2 while playing") << 0 << 2 << true;
    QTest::newRow("changed to 0 while playing") << 2 << 0 << false;
}

void TestMovieController::keepsTheAspectRatioAsSet()
{
    QFETCH(int, setting);
    QFETCH(int, changedTo);
    QFETCH(bool, kept);

    PlaybackWorld w;
    w.world.repository->setSetting(SETTING_KEEP_ASPECT_RATIO, setting);
    w.storeVideo(QStringLiteral("aspect"), PlaybackWorld::makeVideo(3.0));
    w.show(w.normal);
    w.normal->playVideo(PlaybackWorld::entry(QStringLiteral("aspect")));
    QTRY_COMPARE_WITH_TIMEOUT(w.videoWidget.getVideoSize(), QSize(160, 120), 10000);
    if (changedTo >= 0)
        w.world.repository->setSetting(SETTING_KEEP_ASPECT_RATIO, changedTo);

    const QRect area = w.videoWidget.rect();
    const QRect surface = w.videoWidget.surfaceGeometry();
    QVERIFY(!area.isEmpty());
    if (kept) {
        QVERIFY(qAbs(double(surface.width()) / surface.height() - 160.0 / 120.0) < 0.02);
        QCOMPARE(surface.center(), area.center());
        QVERIFY(surface.width() == area.width() || surface.height() == area.height());
    } else {
        QCOMPARE(surface, area);
    }
}

void TestMovieController::tapOnPlayNeverLeavesItPaused_data()
{
    QTest::addColumn<QString>("phase");
    QTest::addColumn<qint64>("lostAfter"); // the first answer breaks off after so many bytes
    QTest::newRow("the player starting on a stored copy") << "starting" << qint64(-1);
    QTest::newRow("loading") << "loading" << qint64(-1);
    QTest::newRow("buffering") << "buffering" << qint64(-1);
    // The start threshold is 500000 bytes.
    QTest::newRow("connection lost while loading") << "lost" << qint64(300000);
    QTest::newRow("connection lost while playing") << "lost" << qint64(2000000);
}

// While the video is on its way the button shows that it will play, and a tap turns
// that. After a lost connection a tap on play downloads the video again and goes on
// where it stopped.
void TestMovieController::tapOnPlayNeverLeavesItPaused()
{
    QFETCH(QString, phase);
    QFETCH(qint64, lostAfter);
    PlaybackWorld w;
    w.serveShaped(PlaybackWorld::makeVideo(6.0), [lostAfter](FakeResponse& response, int answer) {
        // Half the speed it plays at: loading takes a while, and it buffers.
        response.bytesPerSecond = lostAfter < 0 ? 300000 : 1000000;
        response.chunkSize = 8192;
        response.dropAfter = answer == 0 ? lostAfter : -1;
    });
    if (phase == QLatin1String("starting"))
        w.storeVideo(QStringLiteral("tap1"), w.video);
    w.show(w.normal);
    w.normal->playVideo(PlaybackWorld::entry(QStringLiteral("tap1"), 6.0f));
    VideoViewBase* view = w.normal->getPage();
    if (phase == QLatin1String("buffering"))
        QTRY_VERIFY_WITH_TIMEOUT(w.normal->isBuffering(), 20000);
    double stoppedAt = 0.0;
    if (phase == QLatin1String("lost")) {
        // What had arrived is played out; then nothing moves.
        QTRY_COMPARE_WITH_TIMEOUT(view->getStatusText(), TEXT_DOWNLOAD_FAILED(), 20000);
        QTRY_COMPARE_WITH_TIMEOUT(w.player->getState(), eStopped, 20000);
        stoppedAt = w.player->getPosition();
        QVERIFY(!view->isPlaying());
    } else {
        QVERIFY(w.player->getState() != ePlaying);
        QVERIFY(view->isPlaying());
        QTest::mouseClick(view->getPlayButton(), Qt::LeftButton);
        QVERIFY(!view->isPlaying());
    }
    QTest::mouseClick(view->getPlayButton(), Qt::LeftButton);
    QVERIFY(view->isPlaying());
    QTRY_COMPARE_WITH_TIMEOUT(w.player->getState(), ePlaying, 20000);
    QVERIFY(w.player->getPosition() >= stoppedAt - 0.3);
    QTRY_VERIFY_WITH_TIMEOUT(w.player->getPosition() > stoppedAt + 0.3, 10000);
}

void TestMovieController::forwardStepNeverGoesBack_data()
{
    QTest::addColumn<qint64>("stall");      // bytes sent before the download stops; -1: all
    QTest::addColumn<QString>("expected");  // "stays", "arrived" (as far as it can), "ten"
    // 14 s of video, about 576000 bytes a second.
    QTest::newRow("at the end of what has arrived: stays") << qint64(2500000) << "stays";
    QTest::newRow("past the end of what has arrived: up to it") << qint64(4000000) << "arrived";
    QTest::newRow("all of it there: ten seconds on") << qint64(-1) << "ten";
}

void TestMovieController::forwardStepNeverGoesBack()
{
    QFETCH(qint64, stall);
    QFETCH(QString, expected);
    PlaybackWorld w;
    w.serveShaped(PlaybackWorld::makeVideo(14.0), [stall](FakeResponse& response, int) { response.stallAfter = stall; });
    w.show(w.normal);
    w.normal->playVideo(PlaybackWorld::entry(QStringLiteral("step1"), 14.0f));
    QTRY_COMPARE_WITH_TIMEOUT(w.player->getState(), ePlaying, 10000);
    QTRY_VERIFY(w.player->getLength() > 0);
    if (expected == QLatin1String("stays")) // playback has caught up with the download
        QTRY_VERIFY_WITH_TIMEOUT(w.normal->isBuffering(), 15000);
    else if (stall > 0)
        QTRY_COMPARE_WITH_TIMEOUT(QFileInfo(w.downloadFile(QStringLiteral("step1"))).size(), stall, 10000);
    const double before = w.player->getPosition();

    QTest::keyClick(w.normal->getPage(), Qt::Key_Right);
    QVERIFY2(w.player->getPosition() >= before - 0.05, qPrintable(QString::number(w.player->getPosition())));
    QVERIFY(w.normal->getPage()->getProgressBar()->getPosition() >= before - 0.05);
    double target = before;
    if (expected == QLatin1String("ten"))
        target = before + 10.0;
    else if (expected == QLatin1String("arrived"))
        target = 14.0 * double(stall - (576000 + 500000)) / double(w.video.size());
    QTRY_VERIFY_WITH_TIMEOUT(qAbs(w.player->getPosition() - target) < 0.6, 5000);
}

void TestMovieController::volumeNoticeMovesNoButton_data()
{
    QTest::addColumn<bool>("fullScreen");
    QTest::newRow("information view") << false;
    QTest::newRow("full screen") << true;
}

// F7 and F8 show the volume in the time's place on the progress bar: the row of
// buttons has no room for it.
void TestMovieController::volumeNoticeMovesNoButton()
{
    QFETCH(bool, fullScreen);
    PlaybackWorld w;
    MovieController* controller = fullScreen ? w.movie : static_cast<MovieController*>(w.normal);
    VideoViewBase* view = controller->getPage();
    w.show(controller);
    QVERIFY(QTest::qWaitForWindowExposed(&w.window));
    if (auto* full = qobject_cast<FullScreenView*>(view))
        full->showControls();
    const auto places = [view] {
        QList<QRect> rects;
        for (QWidget* b : {view->getPreviousButton(), view->getPlayButton(), view->getNextButton(), view->getViewButton()})
            rects << QRect(b->mapTo(view, QPoint(0, 0)), b->size());
        return rects;
    };
    const QList<QRect> before = places();
    QTest::keyClick(view, Qt::Key_F8);
    QTest::keyClick(view, Qt::Key_F7);
    QApplication::processEvents();
    QCOMPARE(places(), before);
    QCOMPARE(view->getProgressBar()->getNote(), TEXT_VOLUME().arg(100));
}

QTEST_MAIN(TestMovieController)
#include "tst_moviecontroller.moc"
