#include "browse/ResultController.h"
#include "browse/ResultPage.h"
#include "core/CommentEntry.h"
#include "favorites/FavoriteResultController.h"
#include "favorites/FavoriteResultPage.h"
#include "favorites/PlayListController.h"
#include "player/HistoryItemVideo.h"
#include "player/NormalScreenView.h"
#include "player/VideoCommentsWidget.h"
#include "shell/BackButton.h"
#include "shell/HomeView.h"
#include "shell/PageHeader.h"
#include "shell/PageHistory.h"
#include "tests/app/AppPlaybackWorld.h"

#include <QSignalSpy>
#include <QTest>

// Videos inside the whole program: the view the settings choose, a playlist played
// through, F6 and Escape between the views, the end of a result video, going back
// to a video and from a playlist video to the favourites page, and no mplayer left
// however the view or the program is left.
class TestPlayback : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void resultVideoOpensInTheChosenView_data();
    void resultVideoOpensInTheChosenView();
    void playlistPlaysThroughInOneView_data();
    void playlistPlaysThroughInOneView();
    void hardwareKeys();
    void endedResultVideoReturnsToTheInformationView();
    void backToAVideoViewPlaysItAgain();
    void backFromAPlaylistVideoReachesTheFavouritesOnce_data();
    void backFromAPlaylistVideoReachesTheFavouritesOnce();
    void noPlayerIsLeft_data();
    void noPlayerIsLeft();
};

namespace {

int mplayers()
{
    return int(ChildProcesses::of(QStringLiteral("mplayer")).size());
}

SampleVideoFormat shortVideo(double seconds)
{
    SampleVideoFormat format;
    format.width = 160;
    format.height = 120;
    format.seconds = seconds;
    format.compressionLevel = 6;
    return format;
}

} // namespace

void TestPlayback::resultVideoOpensInTheChosenView_data()
{
    QTest::addColumn<int>("setting");
    QTest::addColumn<bool>("forceInfoView");
    QTest::addColumn<bool>("fullScreen");

    QTest::newRow("setting 0: information view") << 0 << false << false;
    QTest::newRow("setting 2: full screen") << 2 << false << true;
    QTest::newRow("information button: information view") << 2 << true << false;
}

void TestPlayback::resultVideoOpensInTheChosenView()
{
    QFETCH(int, setting);
    QFETCH(bool, forceInfoView);
    QFETCH(bool, fullScreen);

    AppPlaybackWorld w(setting);
    VideoEntry entry = AppPlaybackWorld::entry(QStringLiteral("res1"));
    w.controller->showResultVideo(&entry, forceInfoView);
    QCOMPARE(w.currentPage(), fullScreen ? w.fullScreenPage() : w.infoPage());
    QTRY_COMPARE_WITH_TIMEOUT(w.player()->getState(), ePlaying, 10000);
    RepVideoStatus status;
    w.repository().getVideoStatus(QStringLiteral("res1"), status);
    QVERIFY(status.inHistory);
    QCOMPARE(mplayers(), 1);
}

void TestPlayback::playlistPlaysThroughInOneView_data()
{
    QTest::addColumn<int>("setting");
    QTest::newRow("information view") << 0;
    QTest::newRow("full screen") << 2;
}

void TestPlayback::playlistPlaysThroughInOneView()
{
    QFETCH(int, setting);
    AppPlaybackWorld w(setting);
    const int playList = w.addPlayList({QStringLiteral("pa"), QStringLiteral("pb")},
                                       SampleVideo::make(shortVideo(0.6)));
    PageBase* view = setting ? w.fullScreenPage() : w.infoPage();
    QStringList played;
    QObject::connect(w.controller->getPlayListController(), &PlayListController::showPlayListsVideo,
                     [&](VideoEntry* entry) { played << entry->getVideoId(); });

    // As the favourites page asks for it: the whole playlist from its first entry.
    Q_EMIT w.controller->getFavoriteController()->playListFromVideo(playList, -1);
    QCOMPARE(w.currentPage(), view);
    // Each video plays to its end and the next follows by itself, round the list.
    QTRY_VERIFY_WITH_TIMEOUT(played.size() >= 3, 20000);
    QCOMPARE(played.mid(0, 3), (QStringList{played.at(0), played.at(1), played.at(0)}));
    QVERIFY(played.at(0) != played.at(1));
    QCOMPARE(w.currentPage(), view);
    QVERIFY(mplayers() <= 1);
}

void TestPlayback::hardwareKeys()
{
    AppPlaybackWorld w(0);
    VideoEntry entry = AppPlaybackWorld::entry(QStringLiteral("keys1"));
    w.controller->getMainWindow().show();
    QVERIFY(QTest::qWaitForWindowExposed(&w.controller->getMainWindow()));
    w.controller->showResultVideo(&entry, false);
    QTRY_COMPARE_WITH_TIMEOUT(w.player()->getState(), ePlaying, 10000);
    const bool windowFullScreen = w.controller->getMainWindow().isFullScreen();
    const qint64 child = ChildProcesses::of(QStringLiteral("mplayer")).value(0);

    // F6 goes to full screen with the same player; the window stays as it was.
    QTest::keyClick(QApplication::focusWidget() ? QApplication::focusWidget() : w.infoPage(), Qt::Key_F6);
    QCOMPARE(w.currentPage(), w.fullScreenPage());
    QCOMPARE(w.controller->getMainWindow().isFullScreen(), windowFullScreen);
    // Escape goes back to the information view, F6 again to full screen.
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Escape);
    QCOMPARE(w.currentPage(), w.infoPage());
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_F6);
    QCOMPARE(w.currentPage(), w.fullScreenPage());
    QCOMPARE(ChildProcesses::of(QStringLiteral("mplayer")), QList<qint64>{child});
    QCOMPARE(w.player()->getState(), ePlaying);
    // F8 and F7 the volume (at most 100), Return pauses and plays on.
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_F8);
    QCOMPARE(w.player()->getVolume(), 90);
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_F7);
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_F7);
    QCOMPARE(w.player()->getVolume(), 100);
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Return);
    QCOMPARE(w.player()->getState(), ePaused);
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Return);
    QCOMPARE(w.player()->getState(), ePlaying);
}

void TestPlayback::endedResultVideoReturnsToTheInformationView()
{
    AppPlaybackWorld w(2, shortVideo(0.6));
    VideoEntry entry = AppPlaybackWorld::entry(QStringLiteral("end1"));
    w.controller->showResultVideo(&entry, false);
    QCOMPARE(w.currentPage(), w.fullScreenPage());
    QTRY_COMPARE_WITH_TIMEOUT(w.currentPage(), w.infoPage(), 15000);
    QCOMPARE(w.controller->getNormalScreenController()->getVideo()->getVideoId(), QStringLiteral("end1"));
    QCOMPARE(w.player()->getState(), eStopped);
}

void TestPlayback::backToAVideoViewPlaysItAgain()
{
    AppPlaybackWorld w(0);
    VideoEntry entry = AppPlaybackWorld::entry(QStringLiteral("back1"));
    w.controller->showResultVideo(&entry, false);
    QTRY_COMPARE_WITH_TIMEOUT(w.player()->getState(), ePlaying, 10000);

    // The author of a comment leads to the result page: the video ends, the view is
    // in the page history.
    Q_EMIT w.controller->getNormalScreenController()->authorVideosRequested(QStringLiteral("someone"));
    QCOMPARE(w.currentPage(), w.controller->getResultController()->getResultPage());
    QTRY_COMPARE_WITH_TIMEOUT(mplayers(), 0, 3000);
    auto* item = qobject_cast<HistoryItemVideo*>(w.controller->getPageHistory().last());
    QVERIFY(item);
    QCOMPARE(item->getVideo().getVideoId(), QStringLiteral("back1"));

    w.controller->getPageHistory().emitBack(false);
    QCOMPARE(w.currentPage(), w.infoPage());
    QTRY_COMPARE_WITH_TIMEOUT(w.player()->getState(), ePlaying, 10000);
    QCOMPARE(w.controller->getNormalScreenController()->getVideo()->getVideoId(), QStringLiteral("back1"));
}

void TestPlayback::backFromAPlaylistVideoReachesTheFavouritesOnce_data()
{
    QTest::addColumn<int>("setting");
    QTest::addColumn<bool>("entryGone");
    QTest::addColumn<int>("steps");
    QTest::addColumn<bool>("backButton");

    QTest::newRow("information view, its back button twice") << 0 << false << 0 << true;
    QTest::newRow("full screen, after a step") << 2 << false << 1 << false;
    QTest::newRow("entry gone: the page stays") << 0 << true << 0 << false;
}

void TestPlayback::backFromAPlaylistVideoReachesTheFavouritesOnce()
{
    QFETCH(int, setting);
    QFETCH(bool, entryGone);
    QFETCH(int, steps);
    QFETCH(bool, backButton);

    AppPlaybackWorld w(setting);
    const int playList = w.addPlayList({QStringLiteral("fa"), QStringLiteral("fb")}, w.video);
    PageHistory& history = w.controller->getPageHistory();
    w.controller->getHomeView()->addToPageHistory();
    w.controller->showFavoritesPage();
    PageBase* favourites = w.controller->getFavoriteController()->getPage();
    QCOMPARE(w.currentPage(), favourites);
    const int depth = history.count();

    // PLAY on the favourites page.
    Q_EMIT w.controller->getFavoriteController()->playListFromVideo(playList, entryGone ? 99999 : -1);
    if (!entryGone) {
        PageBase* view = setting ? w.fullScreenPage() : w.infoPage();
        QCOMPARE(w.currentPage(), view);
        for (int step = 0; step < steps; ++step)
            w.controller->getPlayListController()->changeNextVideo();
        QCOMPARE(w.currentPage(), view);
        // A second press of the back button, before anything else, does nothing.
        BackButton* back = w.controller->getNormalScreenController()->getNormalScreenView()->getHeader()->getBackButton();
        if (backButton) {
            QTest::mouseClick(back, Qt::LeftButton);
            QTest::mouseClick(back, Qt::LeftButton);
        } else
            history.emitBack(false);
    }
    // Back on the favourites page, which is no longer in the history: one more Back
    // reaches the page before it.
    QCOMPARE(w.currentPage(), favourites);
    QCOMPARE(history.count(), depth);
    QTRY_COMPARE_WITH_TIMEOUT(mplayers(), 0, 3000);
    history.emitBack(false);
    QCOMPARE(w.currentPage(), static_cast<PageBase*>(w.controller->getHomeView()));
}

void TestPlayback::noPlayerIsLeft_data()
{
    QTest::addColumn<QString>("how");
    QTest::newRow("back button") << QStringLiteral("back");
    QTest::newRow("home page") << QStringLiteral("home");
    QTest::newRow("settings page") << QStringLiteral("settings");
    QTest::newRow("exit") << QStringLiteral("exit");
    QTest::newRow("program ends while playing") << QStringLiteral("delete");
}

void TestPlayback::noPlayerIsLeft()
{
    QFETCH(QString, how);
    AppPlaybackWorld w(2);
    VideoEntry entry = AppPlaybackWorld::entry(QStringLiteral("left1"));
    w.controller->showResultVideo(&entry, false);
    QTRY_COMPARE_WITH_TIMEOUT(w.player()->getState(), ePlaying, 10000);
    QCOMPARE(mplayers(), 1);

    if (how == QLatin1String("back")) {
        w.controller->getPageHistory().emitBack(false);
        QVERIFY(w.currentPage() != w.fullScreenPage());
    } else if (how == QLatin1String("home")) {
        w.controller->showHomePage();
    } else if (how == QLatin1String("settings")) {
        w.controller->showSettingsPage();
    } else if (how == QLatin1String("exit")) {
        w.controller->exitApplication();
    } else {
        w.controller.reset();
    }
    QTRY_COMPARE_WITH_TIMEOUT(mplayers(), 0, 3000);
}

QTEST_MAIN(TestPlayback)
#include "tst_playback.moc"
