#include "core/FileManager.h"
#include "core/VideoEntry.h"
#include "core/VideoListModel.h"
#include "core/constants/Paths.h"
#include "core/constants/Settings.h"
#include "favorites/BackgroundDownloadController.h"
#include "favorites/FavoriteResultController.h"
#include "favorites/FavoriteResultPage.h"
#include "favorites/FavoritesTexts.h"
#include "service/ServiceTexts.h"
#include "shell/HomeView.h"
#include "tests/support/ProgramRig.h"

#include <QDir>
#include <QFileInfo>
#include <QPushButton>
#include <QStackedWidget>
#include <QTest>
#include <QTimer>

#include <memory>

// The download queue inside the whole program: the start-up question, the favourites
// page's start/stop switch and the exit question while the queue is being fetched.

namespace {

const QString START_QUESTION = QStringLiteral(
    "ask|The downloading was stopped last time when exiting the application.|Start downloading now?");
const QString EXIT_QUESTION = QStringLiteral(
    "ask|Download in progress|You are exiting the program while the video is being downloaded. "
    "If you exit now the video download will be stopped.");

// Favourites queued in an earlier run: their pictures went with that run's files.
void queueFavorites(const QStringList& videoIds)
{
    Repository repository;
    QCOMPARE(repository.openDatabase(), 0);
    for (const QString& videoId : videoIds) {
        VideoEntry entry = videoWithId(videoId);
        entry.setName(QStringLiteral("Queued ") + videoId);
        entry.setThumbnailUrl(QStringLiteral("http://i.ytimg.com/vi/%1/default.jpg").arg(videoId));
        entry.setThumbnailFile(repository.getThumbnailFolder() + videoId + QStringLiteral(".jpg"));
        QCOMPARE(repository.addFavorite(&entry, false), 0);
    }
}

int downloadState(Repository& repository, const QString& videoId)
{
    return downloadStates(repository).value(videoId, -1);
}

// The program against the fake service with "queued00001" in the queue, whose video
// file comes as the response says; the queue is started at the start-up question.
struct QueueRun
{
    explicit QueueRun(const FakeResponse& video)
    {
        queueFavorites({ QStringLiteral("queued00001") });
        fake.addRoute("GET", QStringLiteral("/www/get_video"), video);
        prompt.answers << true;
        controller = std::make_unique<MainController>(rig.options(fake.baseUrl()));
    }

    TestWorld world{ TestWorld::FakeServer };
    FakeService& fake = world.fake;
    ProgramRig rig;
    ScriptedPrompt& prompt = rig.prompt;
    std::unique_ptr<MainController> controller;
};

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

    // A full card (the partial file is the system's full device) and one that cannot
    // be written (a folder where the partial file goes): the user is told once, in
    // words; the favourite stays queued; no partial file is left.
    void storageFailureIsToldOnce_data()
    {
        QTest::addColumn<bool>("full");
        QTest::addColumn<QString>("notice");
        QTest::newRow("full") << true << "inform|Error|The memory card is full";
        QTest::newRow("cannot be written") << false << "inform|Error|The memory card cannot be written to";
    }

    void storageFailureIsToldOnce()
    {
        QFETCH(bool, full);
        QFETCH(QString, notice);
        TestWorld world(TestWorld::FakeServer);
        FakeService& fake = world.fake;
        queueFavorites({ QStringLiteral("queued00001") });
        QString part;
        const auto block = [&part, full]() {
            return full ? QFile::link(QStringLiteral("/dev/full"), part) : QDir().mkpath(part + "/x");
        };

        ProgramRig rig;
        ScriptedPrompt& prompt = rig.prompt;
        prompt.answers << false;   // no start at start-up: the obstacle goes in first
        MainController controller(rig.options(fake.baseUrl()));
        Repository& repository = controller.getRepository();
        part = repository.getFileManager()->getFavoriteVideoFolder() + "queued00001" + VIDEO_FILE_SUFFIX + ".part";
        QVERIFY(block());

        repository.setSetting(SETTING_BACKGROUND_DOWNLOADING_ENABLED, 1);   // starts the queue
        QTRY_COMPARE(prompt.log.count(notice), 1);
        QVERIFY(!QFileInfo(part).isFile() && !QFileInfo(part).isSymLink());
        QCOMPARE(downloadState(repository, "queued00001"), int(eDownloadQueued));

        // The queue grows and the first favourite is tried again: the same fault is
        // not told twice.
        if (full)
            QVERIFY(block());
        VideoEntry second = videoWithId(QStringLiteral("queued00002"));
        QCOMPARE(repository.addFavorite(&second, false), 0);
        QTRY_COMPARE(fake.requestsTo(QStringLiteral("/www/watch")).count(), 2);
        QTRY_VERIFY(!controller.getService()->getBackgroundDownloadState());
        QCOMPARE(prompt.log.count(notice), 1);
        QCOMPARE(downloadState(repository, "queued00001"), int(eDownloadQueued));
        QVERIFY(!QFileInfo(part).isFile() && !QFileInfo(part).isSymLink());
    }

    // The service closes the connection in the middle of the video: the user is told
    // once that the queue stopped, the queue's row and its switch no longer show a
    // download, and the switch takes the queue up again once the service is back. The
    // row has its picture again.
    void aLostConnectionStopsTheQueueUntilItIsStarted()
    {
        FakeResponse cut = FakeResponse::generated(FakeFeeds::VIDEO_SIZE);
        cut.dropAfter = 300000;
        cut.chunkSize = 100000;
        cut.bytesPerSecond = 1000000;
        QueueRun run(cut);
        MainController& controller = *run.controller;
        QTest::mouseClick(controller.getHomeView()->getButton(HomeView::eEntryFavorites), Qt::LeftButton);
        FavoriteResultPage* page = controller.getFavoriteController()->getPage();
        page->selectPlayListById(ePlayListIdDownloadQueue);
        QPushButton* toggle = page->getActionButton(FavoriteResultPage::eDownloadSwitchButton);
        VideoEntry* row = page->getFavoriteModel()->entryAt(0);
        QTRY_VERIFY(page->isDownloading(row));
        QTRY_VERIFY(!row->getThumbnail().isNull());

        const QString notice = QStringLiteral("inform|Error|") + TEXT_BACKGROUND_DOWNLOAD_STOPPED();
        QTRY_COMPARE(run.prompt.log.count(notice), 1);
        QVERIFY(!controller.getService()->getBackgroundDownloadState());
        QVERIFY(!page->isDownloading(row));
        QCOMPARE(toggle->text(), TEXT_START_DOWNLOADING_BUTTON());
        QCOMPARE(downloadState(controller.getRepository(), "queued00001"), int(eDownloadQueued));

        serveGeneratedVideo(run.fake, FakeFeeds::VIDEO_SIZE);
        QTest::mouseClick(toggle, Qt::LeftButton);
        QCOMPARE(toggle->text(), TEXT_STOP_DOWNLOADING_BUTTON());
        QTRY_COMPARE(downloadState(controller.getRepository(), "queued00001"), int(eDownloadStored));
        QCOMPARE(run.prompt.log.count(notice), 1);
    }

    void exitAsksWhileTheQueueIsFetched()
    {
        // The video file stops half way and stays open: the download runs until cancelled.
        FakeResponse stalled = FakeResponse::generated(FakeFeeds::VIDEO_SIZE);
        stalled.stallAfter = 100000;
        QueueRun run(stalled);
        FakeService& fake = run.fake;
        ScriptedPrompt& prompt = run.prompt;
        MainController& controller = *run.controller;
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
