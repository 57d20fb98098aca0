#include "favorites/PlayListController.h"

#include "core/FileManager.h"
#include "core/Repository.h"
#include "core/Types.h"
#include "core/VideoEntry.h"
#include "core/constants/Paths.h"
#include "shell/PageHistory.h"
#include "tests/support/TestSupport.h"
#include "tools/samplevideo/SampleVideo.h"

// Playing a playlist through: where a start or a step lands (wrapping at both ends),
// the one download ahead and when it is not made, a missing entry, and the
// download ahead through the fake service.
class TestPlayListController : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void startsAndSteps_data();
    void startsAndSteps();
    void downloadsOneAhead_data();
    void downloadsOneAhead();
    void lookAheadFollowsTheCurrentDownload();
    void missingEntryGoesBack_data();
    void missingEntryGoesBack();
    void lookAheadThroughTheService();
};

namespace {

// Records the downloads asked for; the running download is the test's to set.
class DownloadingService : public RecordingVideoService
{
public:
    QStringList downloads;
    bool running = false;
    QString runningId;

    void download(VideoEntry* video) override { downloads << video->getVideoId(); }
    bool getDownloadState() override { return running; }
    const QString& getDownloadVideoId() override { return runningId; }
    void setVideoFileName(VideoEntry* video) override { video->setVideoFile(video->getVideoId() + VIDEO_FILE_SUFFIX); }
};

struct PlayListWorld
{
    TestWorld world{TestWorld::Service};
    Repository& repository = *world.repository;
    DownloadingService service;
    PageHistory& history = world.history;
    PlayListController* controller = nullptr;
    int playListId = 0;
    QStringList shown;      // video ids in the order the playlist shows them
    QList<int> favorites;   // their favourite ids

    // realService: the real service on the fake one, else the recording stand-in.
    explicit PlayListWorld(int entries, bool realService = false)
    {
        playListId = addPlayList(repository, eLocalService, ePlayListLocal, QStringLiteral("Trip"));
        for (int i = 0; i < entries; ++i) {
            VideoEntry entry;
            entry.setVideoId(QStringLiteral("vid%1").arg(i));
            entry.setName(entry.getVideoId());
            repository.addVideoToPlayList(&entry, playListId);
        }
        // The order the playlist shows, as the repository reads it.
        std::unique_ptr<VideoEntry> e(repository.getFirstPlayListsEntry(playListId));
        while (e) {
            shown << e->getVideoId();
            favorites << e->getFavoriteId();
            e.reset(repository.getNextPlayListsEntry(playListId, e->getFavoriteId()));
        }
        controller = new PlayListController(realService ? static_cast<VideoServiceProvider*>(world.service.get())
                                                        : &service,
                                            repository, history, nullptr);
    }
    ~PlayListWorld() { delete controller; }

    void store(int position, bool favoritesFolder = true)
    {
        FileManager* files = repository.getFileManager();
        writeFile((favoritesFolder ? files->getFavoriteVideoFolder() : files->getVideoFolder()) + shown.at(position)
                      + VIDEO_FILE_SUFFIX,
                  "stored");
    }
};

} // namespace

void TestPlayListController::startsAndSteps_data()
{
    QTest::addColumn<int>("entries");
    QTest::addColumn<int>("start");     // position in the shown order; -1: favourite id -1
    QTest::addColumn<QString>("steps"); // n: next, p: previous
    QTest::addColumn<int>("landed");    // position shown last

    QTest::newRow("-1 starts at the first") << 3 << -1 << "" << 0;
    QTest::newRow("a chosen entry") << 3 << 1 << "" << 1;
    QTest::newRow("next goes down the list") << 3 << 0 << "n" << 1;
    QTest::newRow("next from the last wraps to the first") << 3 << 2 << "n" << 0;
    QTest::newRow("previous from the first wraps to the last") << 3 << 0 << "p" << 2;
    QTest::newRow("one entry: next replays it") << 1 << 0 << "n" << 0;
    QTest::newRow("one entry: previous replays it") << 1 << -1 << "p" << 0;
    QTest::newRow("round trip") << 3 << 1 << "nnnp" << 0;
}

void TestPlayListController::startsAndSteps()
{
    QFETCH(int, entries);
    QFETCH(int, start);
    QFETCH(QString, steps);
    QFETCH(int, landed);

    PlayListWorld w(entries);
    QSignalSpy shown(w.controller, &PlayListController::showPlayListsVideo);
    w.controller->playVideoFromPlayList(w.playListId, start < 0 ? -1 : w.favorites.at(start), true);
    QCOMPARE(shown.count(), 1);
    // A start reads the view setting again and passes the information view on.
    QCOMPARE(shown.first().at(1).toInt(), w.playListId);
    QCOMPARE(shown.first().at(2).toBool(), true);
    QCOMPARE(shown.first().at(3).toBool(), true);
    for (const QChar step : steps) {
        if (step == QLatin1Char('n'))
            w.controller->changeNextVideo();
        else
            w.controller->changePreviousVideo();
    }
    QCOMPARE(shown.count(), 1 + steps.size());
    const QList<QVariant> last = shown.last();
    VideoEntry* entry = qvariant_cast<VideoEntry*>(last.at(0));
    QVERIFY(entry);
    QCOMPARE(entry->getVideoId(), w.shown.at(landed));
    QCOMPARE(w.controller->getFavoriteId(), w.favorites.at(landed));
    if (!steps.isEmpty()) {
        // A step keeps the view in use.
        QCOMPARE(last.at(2).toBool(), false);
        QCOMPARE(last.at(3).toBool(), false);
    }
}

void TestPlayListController::downloadsOneAhead_data()
{
    QTest::addColumn<QString>("stored");   // per shown position: s stored, - not
    QTest::addColumn<int>("current");
    QTest::addColumn<int>("running");      // position being downloaded, -1 none
    QTest::addColumn<QString>("download"); // position asked for, "" none

    QTest::newRow("current not there: only the current") << "---" << 0 << -1 << "0";
    QTest::newRow("current stored: the next one") << "s--" << 0 << -1 << "1";
    QTest::newRow("current in the download folder: the next one") << "d--" << 0 << -1 << "1";
    QTest::newRow("next stored already: nothing") << "ss-" << 0 << -1 << "";
    QTest::newRow("next being downloaded: nothing") << "s--" << 0 << 1 << "";
    QTest::newRow("current being downloaded: not twice") << "---" << 0 << 0 << "";
    QTest::newRow("at the last entry: no wrap") << "--s" << 2 << -1 << "";
}

void TestPlayListController::downloadsOneAhead()
{
    QFETCH(QString, stored);
    QFETCH(int, current);
    QFETCH(int, running);
    QFETCH(QString, download);

    PlayListWorld w(stored.size());
    for (int i = 0; i < stored.size(); ++i)
        if (stored.at(i) != QLatin1Char('-'))
            w.store(i, stored.at(i) == QLatin1Char('s'));
    if (running >= 0) {
        w.service.running = true;
        w.service.runningId = w.shown.at(running);
    }
    w.controller->playVideoFromPlayList(w.playListId, w.favorites.at(current));
    QCOMPARE(w.service.downloads, download.isEmpty() ? QStringList() : QStringList{w.shown.at(download.toInt())});
}

void TestPlayListController::lookAheadFollowsTheCurrentDownload()
{
    PlayListWorld w(3);
    w.controller->playVideoFromPlayList(w.playListId, w.favorites.at(1));
    QCOMPARE(w.service.downloads, QStringList{w.shown.at(1)});
    // The current video's download ends: the next one follows, once.
    w.store(1, false);
    Q_EMIT w.service.videoIsDownloaded();
    QCOMPARE(w.service.downloads, (QStringList{w.shown.at(1), w.shown.at(2)}));
    w.store(2, false);
    Q_EMIT w.service.videoIsDownloaded();
    QCOMPARE(w.service.downloads.size(), 2);
}

void TestPlayListController::missingEntryGoesBack_data()
{
    QTest::addColumn<int>("entries");
    QTest::addColumn<int>("favoriteId");  // 0: the first entry's, then the playlist is emptied
    QTest::addColumn<QString>("steps");

    QTest::newRow("no such favourite") << 2 << 9999 << "";
    QTest::newRow("-1 in an empty playlist") << 0 << -1 << "";
    QTest::newRow("next in an emptied playlist") << 1 << 0 << "n";
    QTest::newRow("previous in an emptied playlist") << 1 << 0 << "p";
}

void TestPlayListController::missingEntryGoesBack()
{
    QFETCH(int, entries);
    QFETCH(int, favoriteId);
    QFETCH(QString, steps);

    PlayListWorld w(entries);
    QSignalSpy shown(w.controller, &PlayListController::showPlayListsVideo);
    QSignalSpy back(&w.history, &PageHistory::historyBackClicked);
    if (favoriteId == 0) {
        w.controller->playVideoFromPlayList(w.playListId, w.favorites.first());
        std::unique_ptr<VideoEntry> entry(w.repository.getFirstPlayListsEntry(w.playListId));
        QCOMPARE(w.repository.removeFavorite(entry.get(), w.playListId), 0);
        shown.clear();
        w.service.downloads.clear();
    }
    QTest::ignoreMessage(QtCriticalMsg, "REPOSITORY get NULL entry pointer");
    if (steps == QLatin1String("n"))
        w.controller->changeNextVideo();
    else if (steps == QLatin1String("p"))
        w.controller->changePreviousVideo();
    else
        w.controller->playVideoFromPlayList(w.playListId, favoriteId);

    QCOMPARE(shown.count(), 0);
    QCOMPARE(back.count(), 1);
    QCOMPARE(back.first().first().toBool(), false);
    // Without a current entry later download ends start nothing.
    Q_EMIT w.service.videoIsDownloaded();
    QVERIFY(w.service.downloads.isEmpty());
}

void TestPlayListController::lookAheadThroughTheService()
{
    PlayListWorld w(2, true);
    TestWorld& world = w.world;
    const QByteArray video = SampleVideo::make();
    servePlayableVideo(world.fake, video);
    // The first video is a stored copy: the second comes ahead from the service.
    FileManager* files = world.repository->getFileManager();
    QVERIFY(writeFile(files->getFavoriteVideoFolder() + w.shown.at(0) + VIDEO_FILE_SUFFIX, video));
    QSignalSpy done(world.service.get(), &VideoServiceProvider::videoIsDownloaded);

    w.controller->playVideoFromPlayList(w.playListId, -1);
    QTRY_COMPARE_WITH_TIMEOUT(done.count(), 1, 10000);
    QCOMPARE(world.fake.requestsTo(QStringLiteral("/www/get_video")).size(), 1);
    QCOMPARE(world.last(QStringLiteral("/www/get_video")).queryValue(QStringLiteral("video_id")), w.shown.at(1));
    QCOMPARE(readFile(files->getVideoFolder() + w.shown.at(1) + VIDEO_FILE_SUFFIX), video);
    // The check after that download finds the next video there and asks for nothing.
    QTRY_VERIFY(requestsSettled(world.service.get()));
    QCOMPARE(world.fake.requestsTo(QStringLiteral("/www/get_video")).size(), 1);
}

QTEST_MAIN(TestPlayListController)
#include "tst_playlistcontroller.moc"
