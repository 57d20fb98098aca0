#include "tests/support/TestSupport.h"

#include "core/FileManager.h"
#include "core/VideoEntry.h"
#include "core/VideoListModel.h"

#include <QElapsedTimer>
#include <QFile>
#include <QFileInfo>

#include <algorithm>

// The regular and the background download channel: watch page, token, the file
// streamed to disk, progress, cancel, and what is left on disk when it goes wrong.
class TestDownload : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void regularDownloadIsByteExact();
    void regularFileGrowsUnderItsFinalName();
    void backgroundDownloadIsByteExact();
    void backgroundFileGetsItsNameWhenComplete();
    void bothChannelsAtOnce();
    void progressAtMostEveryTenthOfASecond_data();
    void progressAtMostEveryTenthOfASecond();
    void cancelRemovesThePartialFile_data();
    void cancelRemovesThePartialFile();
    void failedRegularDownloadRemovesItsFile_data();
    void failedRegularDownloadRemovesItsFile();
    void removedVideoInTheBackground();
    void backgroundNetworkFailureIsNotARemoval();
    void newDownloadReplacesTheRunningOne();
    void sameVideoIsNotFetchedTwice();
    void setVideoFileName_data();
    void setVideoFileName();
    void nullEntriesDoNothing();
    void serviceDeletedWhileRequestsRun();

private:
    // The two channels, the column "background" of a _data function.
    static void bothChannels();
};

namespace {

// A video file route that sends part of the file and then stalls.
FakeResponse stallingFile(qint64 after)
{
    FakeResponse response = FakeResponse::generated(FakeFeeds::VIDEO_SIZE);
    response.stallAfter = after;
    return response;
}

} // namespace

void TestDownload::regularDownloadIsByteExact()
{
    TestWorld world(TestWorld::Service);
    VideoEntry video = videoWithId(FakeFeeds::VIDEO_ID);
    QSignalSpy progress(world.service.get(), &VideoServiceProvider::downloadInProgress);
    QSignalSpy done(world.service.get(), &VideoServiceProvider::videoIsDownloaded);
    QSignalSpy failed(world.service.get(), &VideoServiceProvider::errorOccuredInDownload);

    world.service->download(&video);
    QVERIFY(world.service->getDownloadState());
    QCOMPARE(world.service->getDownloadVideoId(), FakeFeeds::VIDEO_ID);
    QVERIFY(done.wait());
    QCOMPARE(done.count(), 1);
    QCOMPARE(failed.count(), 0);
    QVERIFY(!world.service->getDownloadState());
    QCOMPARE(world.service->getDownloadVideoId(), FakeFeeds::VIDEO_ID);

    const QString path = world.repository->getFileManager()->getVideoFolder() + FakeFeeds::VIDEO_ID + ".flv";
    QCOMPARE(readFile(path), FakeService::generatedBytes(0, FakeFeeds::VIDEO_SIZE));

    // Progress climbs to the whole file, with the total known from the start.
    QVERIFY(progress.count() >= 2);
    qint64 previous = 0;
    for (const QList<QVariant>& report : progress) {
        QVERIFY(report.at(0).toLongLong() >= previous);
        previous = report.at(0).toLongLong();
        QCOMPARE(report.at(1).toLongLong(), FakeFeeds::VIDEO_SIZE);
    }
    QCOMPARE(previous, FakeFeeds::VIDEO_SIZE);

    // Watch page first, then the file with the page's token.
    const FakeRequest watch = world.last(QStringLiteral("/www/watch"));
    QCOMPARE(watch.queryValue("v"), FakeFeeds::VIDEO_ID);
    const FakeRequest file = world.last(QStringLiteral("/www/get_video"));
    QCOMPARE(file.queryValue("video_id"), FakeFeeds::VIDEO_ID);
    QCOMPARE(file.queryValue("t"), FakeFeeds::WATCH_TOKEN);
    QVERIFY(file.header("X-GData-Key").isEmpty());
}

void TestDownload::regularFileGrowsUnderItsFinalName()
{
    TestWorld world(TestWorld::Service, 800);
    world.fake.addRoute("GET", QStringLiteral("/www/get_video"), stallingFile(700000));
    VideoEntry video = videoWithId(FakeFeeds::VIDEO_ID);
    QSignalSpy failed(world.service.get(), &VideoServiceProvider::errorOccuredInDownload);
    world.service->download(&video);

    // A player opens the file by its final name while it grows.
    const QString path = world.repository->getFileManager()->getVideoFolder() + FakeFeeds::VIDEO_ID + ".flv";
    QTRY_COMPARE(QFileInfo(path).size(), qint64(700000));
    QCOMPARE(readFile(path), FakeService::generatedBytes(0, 700000));

    // The stalled transfer times out: error, and the half file is gone.
    QVERIFY(failed.wait(3000));
    QVERIFY(failed.at(0).at(0).toString().contains(QStringLiteral("timed out")));
    QVERIFY(!QFileInfo::exists(path));
    QVERIFY(!world.service->getDownloadState());
}

void TestDownload::backgroundDownloadIsByteExact()
{
    TestWorld world(TestWorld::Service);
    VideoEntry video = videoWithId(FakeFeeds::VIDEO_ID);
    QSignalSpy progress(world.service.get(), &VideoServiceProvider::backgroundDownloadInProgress);
    QSignalSpy done(world.service.get(), &VideoServiceProvider::backgroundVideoIsDownloaded);
    QSignalSpy removed(world.service.get(), &VideoServiceProvider::videoRemovedBackground);

    world.service->backgrounddownload(&video);
    const QString path = world.repository->getFileManager()->getFavoriteVideoFolder() + FakeFeeds::VIDEO_ID + ".flv";
    QCOMPARE(video.getVideoFile(), path);
    QVERIFY(world.service->getBackgroundDownloadState());
    QVERIFY(!world.service->getDownloadState());
    QVERIFY(done.wait());
    QCOMPARE(done.count(), 1);
    QCOMPARE(removed.count(), 0);
    QVERIFY(!world.service->getBackgroundDownloadState());
    QCOMPARE(readFile(path), FakeService::generatedBytes(0, FakeFeeds::VIDEO_SIZE));
    QVERIFY(!QFileInfo::exists(path + ".part"));

    QVERIFY(progress.count() >= 2);
    double previous = 0;
    for (const QList<QVariant>& report : progress) {
        QVERIFY(report.at(0).toDouble() >= previous);
        previous = report.at(0).toDouble();
        QCOMPARE(report.at(1).toString(), FakeFeeds::VIDEO_ID);
    }
    QCOMPARE(previous, 100.0);
}

void TestDownload::backgroundFileGetsItsNameWhenComplete()
{
    TestWorld world(TestWorld::Service, 800);
    world.fake.addRoute("GET", QStringLiteral("/www/get_video"), stallingFile(500000));
    VideoEntry video = videoWithId(FakeFeeds::VIDEO_ID);
    world.service->backgrounddownload(&video);
    const QString path = video.getVideoFile();
    QTRY_COMPARE(QFileInfo(path + ".part").size(), qint64(500000));
    QVERIFY(!QFileInfo::exists(path));

    // Stalled until the timeout: neither the partial nor a final file stays.
    QTRY_VERIFY_WITH_TIMEOUT(!world.service->getBackgroundDownloadState(), 3000);
    QVERIFY(!QFileInfo::exists(path + ".part"));
    QVERIFY(!QFileInfo::exists(path));
}

void TestDownload::bothChannelsAtOnce()
{
    TestWorld world(TestWorld::Service);
    VideoEntry regular = videoWithId(FakeFeeds::VIDEO_ID);
    VideoEntry queued = videoWithId(QStringLiteral("Q3m_Zt8pL0e"));
    QSignalSpy done(world.service.get(), &VideoServiceProvider::videoIsDownloaded);
    QSignalSpy backgroundDone(world.service.get(), &VideoServiceProvider::backgroundVideoIsDownloaded);
    world.service->download(&regular);
    world.service->backgrounddownload(&queued);
    QVERIFY(world.service->getDownloadState());
    QVERIFY(world.service->getBackgroundDownloadState());
    QTRY_COMPARE(done.count(), 1);
    QTRY_COMPARE(backgroundDone.count(), 1);
    const QByteArray expected = FakeService::generatedBytes(0, FakeFeeds::VIDEO_SIZE);
    QCOMPARE(readFile(world.repository->getFileManager()->getVideoFolder() + FakeFeeds::VIDEO_ID + ".flv"), expected);
    QCOMPARE(readFile(queued.getVideoFile()), expected);
}

void TestDownload::bothChannels()
{
    QTest::addColumn<bool>("background");
    QTest::newRow("regular") << false;
    QTest::newRow("background") << true;
}

void TestDownload::progressAtMostEveryTenthOfASecond_data()
{
    bothChannels();
}

// A file that arrives in many small reads over most of a second: the reports keep a
// tenth of a second apart, come all the way through, and the last is the whole file.
void TestDownload::progressAtMostEveryTenthOfASecond()
{
    QFETCH(bool, background);
    TestWorld world(TestWorld::Service);
    FakeResponse file = FakeResponse::generated(FakeFeeds::VIDEO_SIZE);
    file.chunkSize = 4096;
    file.bytesPerSecond = FakeFeeds::VIDEO_SIZE * 10 / 7;
    world.fake.addRoute("GET", QStringLiteral("/www/get_video"), file);
    VideoEntry video = videoWithId(FakeFeeds::VIDEO_ID);

    QElapsedTimer clock;
    QList<qint64> at;
    QList<double> shares;
    QObject receiver;
    if (background)
        connect(world.service.get(), &VideoServiceProvider::backgroundDownloadInProgress, &receiver,
                [&](double percent, const QString&) {
                    at << clock.elapsed();
                    shares << percent / 100.0;
                });
    else
        connect(world.service.get(), &VideoServiceProvider::downloadInProgress, &receiver,
                [&](qint64 received, qint64 total) {
                    at << clock.elapsed();
                    shares << double(received) / double(total);
                });
    QSignalSpy done(world.service.get(), background ? &VideoServiceProvider::backgroundVideoIsDownloaded
                                                    : &VideoServiceProvider::videoIsDownloaded);
    clock.start();
    if (background)
        world.service->backgrounddownload(&video);
    else
        world.service->download(&video);
    QVERIFY(done.wait(5000));

    QVERIFY2(at.size() >= 4, qPrintable(QString::number(at.size())));
    for (int i = 1; i < at.size() - 1; ++i)
        QVERIFY2(at.at(i) - at.at(i - 1) >= 100, qPrintable(QStringLiteral("report %1 after %2 ms").arg(i).arg(at.at(i) - at.at(i - 1))));
    QVERIFY(std::is_sorted(shares.cbegin(), shares.cend()));
    QCOMPARE(shares.last(), 1.0);
}

void TestDownload::cancelRemovesThePartialFile_data()
{
    bothChannels();
}

void TestDownload::cancelRemovesThePartialFile()
{
    QFETCH(bool, background);
    TestWorld world(TestWorld::Service);
    world.fake.addRoute("GET", QStringLiteral("/www/get_video"), stallingFile(300000));
    VideoEntry video = videoWithId(FakeFeeds::VIDEO_ID);
    QSignalSpy failed(world.service.get(), &VideoServiceProvider::errorOccuredInDownload);
    QSignalSpy done(world.service.get(), &VideoServiceProvider::videoIsDownloaded);
    QSignalSpy backgroundDone(world.service.get(), &VideoServiceProvider::backgroundVideoIsDownloaded);
    QSignalSpy removed(world.service.get(), &VideoServiceProvider::videoRemovedBackground);

    const QString folder = background ? world.repository->getFileManager()->getFavoriteVideoFolder()
                                      : world.repository->getFileManager()->getVideoFolder();
    const QString writing = folder + FakeFeeds::VIDEO_ID + (background ? ".flv.part" : ".flv");
    if (background)
        world.service->backgrounddownload(&video);
    else
        world.service->download(&video);
    QTRY_COMPARE(QFileInfo(writing).size(), qint64(300000));

    if (background)
        world.service->cancelBackgoundDownload();
    else
        world.service->cancelDownload();
    QVERIFY(!world.service->getDownloadState());
    QVERIFY(!world.service->getBackgroundDownloadState());
    QVERIFY(!QFileInfo::exists(writing));
    QVERIFY(!QFileInfo::exists(folder + FakeFeeds::VIDEO_ID + ".flv"));
    QTRY_VERIFY(requestsSettled(world.service.get()));
    QCOMPARE(failed.count() + done.count() + backgroundDone.count() + removed.count(), 0);
}

void TestDownload::failedRegularDownloadRemovesItsFile_data()
{
    QTest::addColumn<FakeResponse>("file");
    QTest::addColumn<QString>("messagePart");

    FakeResponse dropped = FakeResponse::generated(FakeFeeds::VIDEO_SIZE);
    dropped.dropAfter = 1000000;
    QTest::newRow("connection dropped") << dropped << "The connection was lost";
    QTest::newRow("file not found") << FakeResponse::document("<html>404</html>", "text/html", 404) << "404";
    QTest::newRow("server error") << FakeResponse::document("<html>500</html>", "text/html", 500) << "500";
    QTest::newRow("empty file") << FakeResponse::generated(0) << "without data";
    QTest::newRow("redirect loop") << FakeResponse::redirect("/www/get_video?video_id=x") << "redirects";
}

void TestDownload::failedRegularDownloadRemovesItsFile()
{
    QFETCH(FakeResponse, file);
    QFETCH(QString, messagePart);
    TestWorld world(TestWorld::Service);
    world.fake.addRoute("GET", QStringLiteral("/www/get_video"), file);
    VideoEntry video = videoWithId(FakeFeeds::VIDEO_ID);
    QSignalSpy failed(world.service.get(), &VideoServiceProvider::errorOccuredInDownload);
    QSignalSpy done(world.service.get(), &VideoServiceProvider::videoIsDownloaded);
    world.service->download(&video);
    QVERIFY(failed.wait());
    QVERIFY2(failed.at(0).at(0).toString().contains(messagePart), qPrintable(failed.at(0).at(0).toString()));
    QCOMPARE(done.count(), 0);
    QVERIFY(!world.service->getDownloadState());
    QVERIFY(!QFileInfo::exists(world.repository->getFileManager()->getVideoFolder() + FakeFeeds::VIDEO_ID + ".flv"));
}

void TestDownload::removedVideoInTheBackground()
{
    TestWorld world(TestWorld::Service);
    VideoEntry video = videoWithId(FakeFeeds::REMOVED_VIDEO_ID);
    QSignalSpy removed(world.service.get(), &VideoServiceProvider::videoRemovedBackground);
    QSignalSpy done(world.service.get(), &VideoServiceProvider::backgroundVideoIsDownloaded);
    world.service->backgrounddownload(&video);
    QVERIFY(removed.wait());
    QVERIFY(!removed.at(0).at(0).toString().isEmpty());
    QCOMPARE(done.count(), 0);
    QVERIFY(!world.service->getBackgroundDownloadState());
    QVERIFY(world.fake.requestsTo(QStringLiteral("/www/get_video")).isEmpty());
    QVERIFY(!QFileInfo::exists(video.getVideoFile()));

    // The file answer "not found" means the same; and a regular download says so too.
    world.fake.addRoute("GET", QStringLiteral("/www/get_video"),
                        FakeResponse::document("<html>Not found</html>", "text/html", 404));
    VideoEntry other = videoWithId(FakeFeeds::VIDEO_ID);
    world.service->backgrounddownload(&other);
    QVERIFY(removed.wait());
    QSignalSpy failed(world.service.get(), &VideoServiceProvider::errorOccuredInDownload);
    world.service->download(&video);
    QVERIFY(failed.wait());
}

void TestDownload::backgroundNetworkFailureIsNotARemoval()
{
    TestWorld world(TestWorld::Service);
    FakeResponse dropped = FakeResponse::generated(FakeFeeds::VIDEO_SIZE);
    dropped.dropAfter = 400000;
    world.fake.addRoute("GET", QStringLiteral("/www/get_video"), dropped);
    VideoEntry video = videoWithId(FakeFeeds::VIDEO_ID);
    QSignalSpy removed(world.service.get(), &VideoServiceProvider::videoRemovedBackground);
    QSignalSpy done(world.service.get(), &VideoServiceProvider::backgroundVideoIsDownloaded);
    world.service->backgrounddownload(&video);
    QTRY_VERIFY(!world.service->getBackgroundDownloadState());
    QTRY_VERIFY(requestsSettled(world.service.get()));
    // The entry stays queued for a later try: no report, and nothing on disk.
    QCOMPARE(removed.count(), 0);
    QCOMPARE(done.count(), 0);
    QVERIFY(!QFileInfo::exists(video.getVideoFile()));
    QVERIFY(!QFileInfo::exists(video.getVideoFile() + ".part"));
}

void TestDownload::newDownloadReplacesTheRunningOne()
{
    TestWorld world(TestWorld::Service);
    world.fake.addRoute("GET", QStringLiteral("/www/get_video"), [](const FakeRequest& request) {
        if (request.queryValue("video_id") == FakeFeeds::VIDEO_ID)
            return stallingFile(200000);
        return FakeResponse::generated(FakeFeeds::VIDEO_SIZE);
    });
    VideoEntry first = videoWithId(FakeFeeds::VIDEO_ID);
    VideoEntry second = videoWithId(QStringLiteral("nN5cV0dJ6uE"));
    const QString folder = world.repository->getFileManager()->getVideoFolder();
    QSignalSpy done(world.service.get(), &VideoServiceProvider::videoIsDownloaded);
    world.service->download(&first);
    QTRY_COMPARE(QFileInfo(folder + FakeFeeds::VIDEO_ID + ".flv").size(), qint64(200000));
    world.service->download(&second);
    QVERIFY(!QFileInfo::exists(folder + FakeFeeds::VIDEO_ID + ".flv"));
    QCOMPARE(world.service->getDownloadVideoId(), QString("nN5cV0dJ6uE"));
    QVERIFY(done.wait());
    QCOMPARE(done.count(), 1);
    QCOMPARE(QFileInfo(folder + "nN5cV0dJ6uE.flv").size(), FakeFeeds::VIDEO_SIZE);
}

void TestDownload::sameVideoIsNotFetchedTwice()
{
    TestWorld world(TestWorld::Service);
    VideoEntry video = videoWithId(FakeFeeds::VIDEO_ID);
    VideoEntry copy = video;
    QSignalSpy done(world.service.get(), &VideoServiceProvider::videoIsDownloaded);
    world.service->download(&video);
    world.service->download(&copy);
    QVERIFY(done.wait());
    QTRY_VERIFY(requestsSettled(world.service.get()));
    QCOMPARE(done.count(), 1);
    QCOMPARE(world.fake.requestsTo(QStringLiteral("/www/watch")).size(), 1);
}

void TestDownload::setVideoFileName_data()
{
    QTest::addColumn<QString>("videoId");
    QTest::addColumn<QString>("fileName");
    QTest::newRow("plain id") << "kx9fW2qHb1s" << "kx9fW2qHb1s.flv";
    QTest::newRow("dash and underscore") << "-_aB-7rT4wX" << "-_aB-7rT4wX.flv";
    QTest::newRow("path in the id") << "../x/y" << "___x_y~c171bbca20f665fb.flv";
}

void TestDownload::setVideoFileName()
{
    QFETCH(QString, videoId);
    QFETCH(QString, fileName);
    TestWorld world(TestWorld::Service);
    VideoEntry video = videoWithId(videoId);
    video.setVideoFile(QStringLiteral("old"));
    world.service->setVideoFileName(&video);
    QCOMPARE(video.getVideoFile(), fileName);
}

void TestDownload::nullEntriesDoNothing()
{
    TestWorld world(TestWorld::Service);
    QTest::ignoreMessage(QtDebugMsg, QRegularExpression("NULL pointer: .*setVideoFileName"));
    world.service->setVideoFileName(nullptr);
    QTest::ignoreMessage(QtDebugMsg, QRegularExpression("NULL pointer: .*backgrounddownload"));
    world.service->backgrounddownload(nullptr);
    QTest::ignoreMessage(QtDebugMsg, QRegularExpression("NULL pointer: .*download"));
    world.service->download(nullptr);
    QVERIFY(!world.service->getDownloadState());
    QVERIFY(!world.service->getBackgroundDownloadState());
    QTRY_VERIFY(requestsSettled(world.service.get()));
    QVERIFY(world.fake.requests().isEmpty());
}

void TestDownload::serviceDeletedWhileRequestsRun()
{
    TestWorld world(TestWorld::Service);
    world.fake.addRoute("GET", QStringLiteral("/www/get_video"), stallingFile(200000));
    FakeResponse slowFeed = FakeResponse::fixture(QStringLiteral("standard-feed.xml"), "application/atom+xml");
    slowFeed.delayMs = 300;
    world.fake.addRoute("GET", QStringLiteral("/gdata/feeds/api/standardfeeds/most_viewed"), slowFeed);

    VideoEntry video = videoWithId(FakeFeeds::VIDEO_ID);
    VideoEntry queued = videoWithId(QStringLiteral("nN5cV0dJ6uE"));
    VideoListModel model(world.repository.get());
    world.service->download(&video);
    world.service->backgrounddownload(&queued);
    world.service->getFeed(eMostViewed, &model, 0, QStringLiteral("Today"));
    world.service->getCategories();
    const QString partial = world.repository->getFileManager()->getVideoFolder() + FakeFeeds::VIDEO_ID + ".flv";
    QTRY_COMPARE(QFileInfo(partial).size(), qint64(200000));

    // The network manager and its replies go with the service: nothing is left that an
    // answer could reach; what was already queued runs now.
    world.service.reset();
    QCoreApplication::processEvents();
    QCOMPARE(model.rowCount(), 0);
    QVERIFY(!QFileInfo::exists(partial));
    QVERIFY(!QFileInfo::exists(queued.getVideoFile() + ".part"));
}

QTEST_MAIN(TestDownload)
#include "tst_download.moc"
