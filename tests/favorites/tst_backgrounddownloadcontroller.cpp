#include "favorites/BackgroundDownloadController.h"
#include "tests/favorites/FavoritesFixture.h"

#include "core/constants/Paths.h"
#include "core/constants/Settings.h"
#include "service/ServiceConstants.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSignalSpy>
#include <QTest>

#include <memory>

namespace {

void addFavorite(Repository& repository, const QString& videoId, bool asLink = false)
{
    VideoEntry entry = videoWithId(videoId);
    entry.setName(QStringLiteral("Video ") + videoId);
    entry.setAuthor(QStringLiteral("author_") + videoId);
    QCOMPARE(repository.addFavorite(&entry, asLink), 0);
}

// The controller with a favourites controller, a page that shows the download queue
// and the recording service, whose background channel runs until the test ends it.
// The database may be filled before the controller is made.
struct QueueWorld : FavoritesWorld
{
    FavoriteResultController* favorites = controller;
    std::unique_ptr<BackgroundDownloadController> downloads;

    void makeController()
    {
        downloads = std::make_unique<BackgroundDownloadController>(&service, repository, favorites);
        favorites->restoreHistoryPosition(nullptr);
        favorites->getPage()->selectPlayListById(ePlayListIdDownloadQueue);
    }
    void setEnabled(bool on) { QCOMPARE(repository.setSetting(SETTING_BACKGROUND_DOWNLOADING_ENABLED, on ? 1 : 0), 0); }
    // The rows the favourites page shows for the download queue.
    QStringList shownQueue() const { return videoIds(*favorites->getPage()->getFavoriteModel()); }
};

} // namespace

class TestBackgroundDownloadController : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void switchedOnWithAnEmptyQueueWaitsForTheFirstStoredFavorite();
    void queueIsWorkedOffInOrderAndEachEntryIsStored();
    void entryAddedDuringADownloadWaitsItsTurn();
    void switchingOffCancelsAndKeepsTheEntryQueued();
    void switchingOnDuringADownloadStartsTheFirstEntryAgain();
    void removedVideosAreMarkedInvalidAndSkipped();
    void finishedWithoutAFileLeavesTheQueue();
    void lateReportsAfterSwitchingOffStoreNothing();
    void favoriteRemovedDuringItsDownloadLeavesNoFile();
    void endToEndThroughTheService();
};

void TestBackgroundDownloadController::switchedOnWithAnEmptyQueueWaitsForTheFirstStoredFavorite()
{
    QueueWorld world;
    world.makeController();
    QTest::ignoreMessage(QtDebugMsg, "First entry is empty");
    world.setEnabled(true);
    QCOMPARE(world.service.backgroundStarted, QStringList());
    QVERIFY(!world.downloads->getDownloadEntry());

    // A link is not downloaded; a stored copy is, at once.
    addFavorite(world.repository, QStringLiteral("link0000001"), true);
    QCOMPARE(world.service.backgroundStarted, QStringList());
    addFavorite(world.repository, QStringLiteral("copy0000001"));
    QCOMPARE(world.service.backgroundStarted, QStringList({ "copy0000001" }));
    QCOMPARE(world.downloads->getDownloadEntry()->getVideoId(), QStringLiteral("copy0000001"));
}

void TestBackgroundDownloadController::queueIsWorkedOffInOrderAndEachEntryIsStored()
{
    QueueWorld world;
    addFavorite(world.repository, QStringLiteral("first000001"));
    addFavorite(world.repository, QStringLiteral("link0000001"), true);
    addFavorite(world.repository, QStringLiteral("second00001"));
    world.makeController();
    // The page shows the queue newest first.
    QCOMPARE(world.shownQueue(), QStringList({ "second00001", "first000001" }));

    world.downloads->startOrStopBackgroundDownload();
    QCOMPARE(world.service.backgroundStarted, QStringList({ "first000001" }));

    world.service.finishBackgroundDownload();
    QCOMPARE(downloadStates(world.repository).value("first000001"), int(eDownloadStored));
    QVERIFY(QFileInfo(world.repository.getFileManager()->getFavoriteVideoFolder() + "first000001.flv").size() > 0);
    // The page was refilled: the stored one has left the queue it shows.
    QCOMPARE(world.shownQueue(), QStringList({ "second00001" }));
    QCOMPARE(world.service.backgroundStarted, QStringList({ "first000001", "second00001" }));

    world.service.finishBackgroundDownload();
    QCOMPARE(downloadStates(world.repository).value("second00001"), int(eDownloadStored));
    QVERIFY(!world.downloads->getDownloadEntry());
    // The empty queue shows its message row.
    QCOMPARE(world.shownQueue(), QStringList({ QString() }));
    QCOMPARE(world.service.backgroundStarted.count(), 2);
    QCOMPARE(downloadStates(world.repository).value("link0000001"), int(eDownloadQueued));
}

void TestBackgroundDownloadController::entryAddedDuringADownloadWaitsItsTurn()
{
    QueueWorld world;
    addFavorite(world.repository, QStringLiteral("first000001"));
    addFavorite(world.repository, QStringLiteral("second00001"));
    world.makeController();
    world.downloads->startOrStopBackgroundDownload();

    addFavorite(world.repository, QStringLiteral("third000001"));
    QCOMPARE(world.service.backgroundStarted, QStringList({ "first000001" }));
    QVERIFY(world.service.backgroundDownloading);

    world.service.finishBackgroundDownload();
    world.service.finishBackgroundDownload();
    world.service.finishBackgroundDownload();
    QCOMPARE(world.service.backgroundStarted, QStringList({ "first000001", "second00001", "third000001" }));
    const QMap<QString, int> states = downloadStates(world.repository);
    QCOMPARE(states.values(), QList<int>({ eDownloadStored, eDownloadStored, eDownloadStored }));
}

void TestBackgroundDownloadController::switchingOffCancelsAndKeepsTheEntryQueued()
{
    QueueWorld world;
    addFavorite(world.repository, QStringLiteral("first000001"));
    addFavorite(world.repository, QStringLiteral("second00001"));
    world.makeController();
    world.downloads->startOrStopBackgroundDownload();

    world.setEnabled(false);
    QCOMPARE(world.service.backgroundCancels, 1);
    QVERIFY(!world.service.backgroundDownloading);
    QVERIFY(!world.downloads->getDownloadEntry());
    QCOMPARE(downloadStates(world.repository).value("first000001"), int(eDownloadQueued));

    // Switched off, a new stored favourite is not fetched either.
    addFavorite(world.repository, QStringLiteral("third000001"));
    QCOMPARE(world.service.backgroundStarted, QStringList({ "first000001" }));

    world.setEnabled(true);
    QCOMPARE(world.service.backgroundStarted, QStringList({ "first000001", "first000001" }));
}

void TestBackgroundDownloadController::switchingOnDuringADownloadStartsTheFirstEntryAgain()
{
    QueueWorld world;
    addFavorite(world.repository, QStringLiteral("first000001"));
    addFavorite(world.repository, QStringLiteral("second00001"));
    world.makeController();
    world.downloads->startOrStopBackgroundDownload();

    world.setEnabled(true);
    QCOMPARE(world.service.backgroundStarted, QStringList({ "first000001", "first000001" }));
    QCOMPARE(world.service.backgroundCancels, 0);
    QCOMPARE(world.downloads->getDownloadEntry()->getVideoId(), QStringLiteral("first000001"));
    // The chain goes on from there as before.
    world.service.finishBackgroundDownload();
    QCOMPARE(world.service.backgroundStarted.last(), QStringLiteral("second00001"));
}

void TestBackgroundDownloadController::removedVideosAreMarkedInvalidAndSkipped()
{
    QueueWorld world;
    addFavorite(world.repository, QStringLiteral("gone0000001"));
    addFavorite(world.repository, QStringLiteral("gone0000002"));
    addFavorite(world.repository, QStringLiteral("fine0000001"));
    world.makeController();
    world.downloads->startOrStopBackgroundDownload();

    world.service.reportBackgroundVideoRemoved();
    world.service.reportBackgroundVideoRemoved();
    QCOMPARE(world.service.backgroundStarted, QStringList({ "gone0000001", "gone0000002", "fine0000001" }));
    QMap<QString, int> states = downloadStates(world.repository);
    QCOMPARE(states.value("gone0000001"), int(eDownloadInvalid));
    QCOMPARE(states.value("gone0000002"), int(eDownloadInvalid));
    QCOMPARE(states.value("fine0000001"), int(eDownloadQueued));
    // The page shows them as invalid rows of the queue.
    FavoriteResultPage* page = world.favorites->getPage();
    for (VideoEntry* entry : page->getFavoriteModel()->entries()) {
        const bool gone = entry->getVideoId().startsWith(QStringLiteral("gone"));
        QCOMPARE(entry->getDownloadState(), gone ? int(eDownloadInvalid) : int(eDownloadQueued));
    }

    // Not retried: once the last one is stored, the queue is empty.
    world.service.finishBackgroundDownload();
    QTest::ignoreMessage(QtDebugMsg, "First entry is empty");
    world.downloads->startOrStopBackgroundDownload();
    QCOMPARE(world.service.backgroundStarted.count(), 3);
}

void TestBackgroundDownloadController::finishedWithoutAFileLeavesTheQueue()
{
    // A download reported as finished that left no file must not be fetched for ever.
    QueueWorld world;
    addFavorite(world.repository, QStringLiteral("empty000001"));
    addFavorite(world.repository, QStringLiteral("second00001"));
    world.makeController();
    world.downloads->startOrStopBackgroundDownload();

    world.service.finishBackgroundDownloadWithoutFile();
    QCOMPARE(downloadStates(world.repository).value("empty000001"), int(eDownloadInvalid));
    QCOMPARE(world.service.backgroundStarted, QStringList({ "empty000001", "second00001" }));
}

void TestBackgroundDownloadController::lateReportsAfterSwitchingOffStoreNothing()
{
    QueueWorld world;
    addFavorite(world.repository, QStringLiteral("first000001"));
    world.makeController();
    world.downloads->startOrStopBackgroundDownload();
    world.setEnabled(false);

    // A report that was on its way when the download was cancelled.
    world.service.finishBackgroundDownloadWithoutFile();
    world.service.reportBackgroundVideoRemoved();
    QCOMPARE(downloadStates(world.repository).value("first000001"), int(eDownloadQueued));
    QCOMPARE(world.service.backgroundStarted, QStringList({ "first000001" }));
    QVERIFY(!world.downloads->getDownloadEntry());
}

void TestBackgroundDownloadController::favoriteRemovedDuringItsDownloadLeavesNoFile()
{
    // The user throws the favourite away while its file is still being fetched: when the
    // download ends there is nothing to store it under, so the file must not stay behind.
    QueueWorld world;
    addFavorite(world.repository, QStringLiteral("gone0000001"));
    addFavorite(world.repository, QStringLiteral("second00001"));
    world.makeController();
    world.downloads->startOrStopBackgroundDownload();
    QCOMPARE(world.service.backgroundStarted, QStringList({ "gone0000001" }));

    VideoEntry removed = videoWithId(QStringLiteral("gone0000001"));
    QCOMPARE(world.repository.removeFavorite(&removed, ePlayListIdAllFavorites), 0);
    world.service.finishBackgroundDownload();

    const QString folder = world.repository.getFileManager()->getFavoriteVideoFolder();
    QVERIFY(!QFileInfo::exists(folder + QStringLiteral("gone0000001") + VIDEO_FILE_SUFFIX));
    QVERIFY(!downloadStates(world.repository).contains(QStringLiteral("gone0000001")));
    // The queue goes on with the next favourite.
    QCOMPARE(world.service.backgroundStarted, QStringList({ "gone0000001", "second00001" }));
}

void TestBackgroundDownloadController::endToEndThroughTheService()
{
    TestWorld world(TestWorld::Service);
    Repository& repository = *world.repository;
    FileManager* files = repository.getFileManager();
    // Three stored favourites with thumbnails; the second one has been removed from
    // the service.
    const QStringList ids = { QStringLiteral("first000001"), FakeFeeds::REMOVED_VIDEO_ID, QStringLiteral("third000001") };
    for (const QString& id : ids) {
        const QString thumbnail = files->getThumbnailFolder() + id + QStringLiteral(".jpg");
        QVERIFY(writeFile(thumbnail, FakeFeeds::thumbnailImage()));
        VideoEntry entry = videoWithId(id);
        entry.setName(QStringLiteral("Video ") + id);
        entry.setThumbnailFile(thumbnail);
        QCOMPARE(repository.addFavorite(&entry, false), 0);
    }
    auto* favorites = new FavoriteResultController(world.service.get(), repository, world.history, &world.window());
    BackgroundDownloadController controller(world.service.get(), repository, favorites);
    QSignalSpy done(world.service.get(), &VideoServiceProvider::backgroundVideoIsDownloaded);
    QSignalSpy removed(world.service.get(), &VideoServiceProvider::videoRemovedBackground);

    controller.startOrStopBackgroundDownload();
    QTRY_COMPARE_WITH_TIMEOUT(done.count(), 2, 20000);
    QCOMPARE(removed.count(), 1);
    QTRY_VERIFY(!world.service->getBackgroundDownloadState());

    // The files were asked for in queue order; the removed one never got that far.
    QStringList fetched;
    for (const FakeRequest& request : world.fake.requestsTo(QString()))
        if (request.path.endsWith(PATH_GET_VIDEO))
            fetched << request.queryValue(QStringLiteral("video_id"));
    QCOMPARE(fetched, QStringList({ "first000001", "third000001" }));

    const QMap<QString, int> states = downloadStates(repository);
    QCOMPARE(states.value("first000001"), int(eDownloadStored));
    QCOMPARE(states.value(FakeFeeds::REMOVED_VIDEO_ID), int(eDownloadInvalid));
    QCOMPARE(states.value("third000001"), int(eDownloadStored));
    for (const QString& id : { QStringLiteral("first000001"), QStringLiteral("third000001") }) {
        QCOMPARE(QFileInfo(files->getFavoriteVideoFolder() + id + VIDEO_FILE_SUFFIX).size(), FakeFeeds::VIDEO_SIZE);
        QVERIFY(QFileInfo::exists(files->getFavoriteThumbnailFolder() + id + QStringLiteral(".jpg")));
        QVERIFY(!QFileInfo::exists(files->getThumbnailFolder() + id + QStringLiteral(".jpg")));
    }
    QVERIFY(!QFileInfo::exists(files->getFavoriteVideoFolder() + FakeFeeds::REMOVED_VIDEO_ID + VIDEO_FILE_SUFFIX));
    QCOMPARE(repository.getDownloadQueueCount(), 0);
    QVERIFY(!controller.getDownloadEntry());
}

QTEST_MAIN(TestBackgroundDownloadController)
#include "tst_backgrounddownloadcontroller.moc"
