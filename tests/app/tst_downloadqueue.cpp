#include "core/FileManager.h"
#include "core/VideoEntry.h"
#include "core/VideoListModel.h"
#include "core/constants/Paths.h"
#include "favorites/BackgroundDownloadController.h"
#include "favorites/FavoriteResultController.h"
#include "favorites/FavoriteResultPage.h"
#include "favorites/FavoritesTexts.h"
#include "shell/HomeView.h"
#include "tests/support/ProgramRig.h"

#include <QDir>
#include <QPushButton>
#include <QStackedWidget>
#include <QTest>
#include <QTimer>

// The download queue inside the whole program: the start-up question, the favourites
// page's start/stop switch and the exit question while the queue is being fetched.

namespace {

const QString START_QUESTION = QStringLiteral(
    "ask|The downloading was stopped last time when exiting the application.|Start downloading now?");
const QString EXIT_QUESTION = QStringLiteral(
    "ask|Download in progress|You are exiting the program while the video is being downloaded. "
    "If you exit now the video download will be stopped.");

void queueFavorites(const QStringList& videoIds)
{
    Repository repository;
    QCOMPARE(repository.openDatabase(), 0);
    for (const QString& videoId : videoIds) {
        VideoEntry entry = videoWithId(videoId);
        entry.setName(QStringLiteral("Queued ") + videoId);
        QCOMPARE(repository.addFavorite(&entry, false), 0);
    }
}

int downloadState(Repository& repository, const QString& videoId)
{
    return downloadStates(repository).value(videoId, -1);
}

} // namespace

class TestDownloadQueue : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void favoritesPageSwitchStartsAndStopsTheQueue()
    {
        TestWorld world(TestWorld::Folders);
        queueFavorites({ QStringLiteral("queued00001"), QStringLiteral("queued00002") });
        ProgramRig rig;
        ScriptedPrompt& prompt = rig.prompt;
        prompt.answers << true;
        MainController controller(rig.options());
        RecordingVideoService* service = rig.service;
        QVERIFY(controller.getBackgroundDownloadController());
        QCOMPARE(prompt.log, QStringList({ START_QUESTION }));
        // Yes at start-up: the first queued favourite goes to the background channel.
        QCOMPARE(service->backgroundVideoId, QStringLiteral("queued00001"));
        QVERIFY(service->backgroundDownloading);

        QTest::mouseClick(controller.getHomeView()->getButton(HomeView::eEntryFavorites), Qt::LeftButton);
        FavoriteResultPage* page = controller.getFavoriteController()->getPage();
        QCOMPARE(controller.getMainWindow().currentPage(), page);
        page->selectPlayListById(ePlayListIdDownloadQueue);
        QCOMPARE(page->getActionButtons()->currentIndex(), int(FavoriteResultPage::eDownloadSwitchButton));
        QPushButton* toggle = page->getActionButton(FavoriteResultPage::eDownloadSwitchButton);
        QCOMPARE(toggle->text(), TEXT_STOP_DOWNLOADING_BUTTON());

        service->calls.clear();
        QTest::mouseClick(toggle, Qt::LeftButton);
        QCOMPARE(service->calls, QStringList({ "cancelBackgoundDownload" }));
        QVERIFY(!service->backgroundDownloading);
        QCOMPARE(toggle->text(), TEXT_START_DOWNLOADING_BUTTON());

        service->calls.clear();
        QTest::mouseClick(toggle, Qt::LeftButton);
        QCOMPARE(service->calls, QStringList({ "backgrounddownload" }));
        QCOMPARE(service->backgroundVideoId, QStringLiteral("queued00001"));
        QCOMPARE(toggle->text(), TEXT_STOP_DOWNLOADING_BUTTON());

        // The finished download is stored and the next one follows.
        QFile file(controller.getRepository().getFileManager()->getFavoriteVideoFolder() + "queued00001"
                   + VIDEO_FILE_SUFFIX);
        QVERIFY(file.open(QIODevice::WriteOnly));
        file.write(QByteArray(4096, 'v'));
        file.close();
        service->finishBackgroundDownloadWithoutFile();
        QCOMPARE(downloadState(controller.getRepository(), "queued00001"), int(eDownloadStored));
        QCOMPARE(service->backgroundVideoId, QStringLiteral("queued00002"));
        QCOMPARE(page->getFavoriteModel()->rowCount(), 1);
    }

    void exitAsksWhileTheQueueIsFetched()
    {
        TestWorld world(TestWorld::FakeServer);
        FakeService& fake = world.fake;
        queueFavorites({ QStringLiteral("queued00001") });
        // The video file stops half way and stays open: the download runs until cancelled.
        FakeResponse stalled = FakeResponse::generated(FakeFeeds::VIDEO_SIZE);
        stalled.stallAfter = 100000;
        fake.addRoute("GET", QStringLiteral("/www/get_video"), stalled);

        ProgramRig rig;
        ScriptedPrompt& prompt = rig.prompt;
        prompt.answers << true;
        MainController controller(rig.options(fake.baseUrl()));
        VideoServiceProvider* service = controller.getService();
        QTRY_COMPARE(fake.requestsTo(QStringLiteral("/www/get_video")).count(), 1);
        QVERIFY(service->getBackgroundDownloadState());

        // Declined: the program and the download go on.
        prompt.answers << false;
        int result = runApplicationLoop([&]() {
            QTest::mouseClick(controller.getHomeView()->getButton(HomeView::eEntryExit), Qt::LeftButton);
        });
        QCOMPARE(result, -1);
        QCOMPARE(prompt.log, QStringList({ START_QUESTION, EXIT_QUESTION }));
        QVERIFY(service->getBackgroundDownloadState());

        // Accepted: the download stops, the favourite stays queued for the next run.
        prompt.answers << true;
        result = runApplicationLoop([&]() {
            QTest::mouseClick(controller.getHomeView()->getButton(HomeView::eEntryExit), Qt::LeftButton);
        });
        QCOMPARE(result, 0);
        QCOMPARE(prompt.log, QStringList({ START_QUESTION, EXIT_QUESTION, EXIT_QUESTION }));
        QVERIFY(!service->getBackgroundDownloadState());
        QCOMPARE(downloadState(controller.getRepository(), "queued00001"), int(eDownloadQueued));
        const QDir folder(controller.getRepository().getFileManager()->getFavoriteVideoFolder());
        QCOMPARE(folder.entryList(QDir::Files), QStringList());
    }
};

QTEST_MAIN(TestDownloadQueue)
#include "tst_downloadqueue.moc"
