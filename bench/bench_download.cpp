#include "bench/BenchSupport.h"
#include "bench/ServiceProcess.h"
#include "core/FileManager.h"
#include "core/Repository.h"
#include "core/VideoEntry.h"
#include "service/ServiceConstants.h"
#include "service/ServiceEndpoints.h"
#include "service/YoutubeVideoService.h"
#include "tests/support/TestSupport.h"
#include "tools/fakeservice/FakeService.h"

#include <QEventLoop>
#include <QFile>
#include <QNetworkAccessManager>
#include <QNetworkReply>
#include <QSignalSpy>
#include <QTest>
#include <QTimer>

#include <memory>

// A video file through the regular download channel at two sizes, 10 MB and 200 MB,
// from the fake service in a process of its own on loopback. Baseline in the same
// run: a bare QNetworkAccessManager in this process making the same two requests
// (the watch page, then the file, written to disk as it arrives in 64 kB pieces).
// The two go in pairs, alternating which goes first. Printed: min / median / max of
// the time of each, of their ratio and of the rate; the peak memory growth of each
// transfer (the kernel's peak of this process is reset before each one); the
// process's peak before any transfer and after the last; and how the median time
// grows from the small file to the large one. Every file is checked: its size and
// its bytes at the start, the middle and the end.
// Goals: at most 1.5x the bare manager's time (median); a transfer's peak memory
// growth under 8 MB, whatever the file's size.
class BenchDownload : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void initTestCase();
    void tenMegabytes() { measure(10); }
    void twoHundredMegabytes() { measure(200); }
    void cleanupTestCase();

private:
    void measure(int megabytes);
    qint64 oursNs(qint64 size);
    qint64 bareNs(qint64 size);
    QString bareFile() const { return myWorld.environment.home() + QStringLiteral("/bare.flv"); }

    TestWorld myWorld{TestWorld::Database};
    ServiceProcess myServer;
    std::unique_ptr<QNetworkAccessManager> myBare;
    qint64 myStartHwm = -1;
    GrowthTable myGrowth{"MB"};
};

namespace {

constexpr int PAIRS = 5;
constexpr qint64 MB = 1024 * 1024;
constexpr qint64 WRITE_CHUNK = 64 * 1024;
constexpr double GOAL_RATIO = 1.5;
constexpr qint64 GOAL_PEAK_GROWTH_KB = 8 * 1024;

// The file holds exactly the bytes the fake service generates.
bool fileIsTheVideo(const QString& path, qint64 size)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly) || file.size() != size)
        return false;
    const qint64 probe = 4096;
    for (qint64 at : {qint64(0), size / 2, size - probe}) {
        file.seek(at);
        if (file.read(probe) != FakeService::generatedBytes(at, probe))
            return false;
    }
    return true;
}

} // namespace

void BenchDownload::initTestCase()
{
    // Before any transfer, before the network stack has been touched.
    myStartHwm = processStatusKb("VmHWM:");
    QVERIFY(myStartHwm > 0);
    QVERIFY(resetPeakMemory());
    myBare = std::make_unique<QNetworkAccessManager>();
}

void BenchDownload::cleanupTestCase()
{
    myServer.stop();
    myGrowth.print();
    std::printf("process peak memory: %lld kB before any transfer, %lld kB after the last\n", myStartHwm,
                processStatusKb("VmHWM:"));
}

qint64 BenchDownload::oursNs(qint64 size)
{
    VideoEntry video;
    video.setVideoId(FakeFeeds::VIDEO_ID);
    QSignalSpy done(myWorld.service.get(), &VideoServiceProvider::videoIsDownloaded);
    QElapsedTimer timer;
    timer.start();
    myWorld.service->download(&video);
    if (!done.wait(120000))
        return -1;
    const qint64 elapsed = timer.nsecsElapsed();
    const QString path =
        myWorld.repository->getFileManager()->getVideoFolder() + FakeFeeds::VIDEO_ID + QStringLiteral(".flv");
    return fileIsTheVideo(path, size) ? elapsed : -1;
}

qint64 BenchDownload::bareNs(qint64 size)
{
    const ServiceEndpoints endpoints(myServer.baseUrl());
    QEventLoop loop;
    QFile file(bareFile());
    bool failed = false;
    QElapsedTimer timer;
    timer.start();

    QueryBuilder page;
    page.add(QUERY_WATCH_VIDEO, FakeFeeds::VIDEO_ID);
    QNetworkReply* watch = myBare->get(QNetworkRequest(endpoints.url(ServiceEndpoints::eWeb, PATH_WATCH, page.toString())));
    connect(watch, &QNetworkReply::finished, &loop, &QEventLoop::quit);
    loop.exec();
    failed = watch->error() != QNetworkReply::NoError || watch->readAll().isEmpty();
    watch->deleteLater();

    QueryBuilder query;
    query.add(QUERY_VIDEO_ID, FakeFeeds::VIDEO_ID);
    query.add(QUERY_TOKEN, FakeFeeds::WATCH_TOKEN);
    if (failed || !file.open(QIODevice::WriteOnly | QIODevice::Truncate | QIODevice::Unbuffered))
        return -1;
    QNetworkReply* reply =
        myBare->get(QNetworkRequest(endpoints.url(ServiceEndpoints::eWeb, PATH_GET_VIDEO, query.toString())));
    QByteArray buffer(int(WRITE_CHUNK), Qt::Uninitialized);
    const auto drain = [&] {
        qint64 n;
        while ((n = reply->read(buffer.data(), WRITE_CHUNK)) > 0)
            failed = failed || file.write(buffer.constData(), n) != n;
    };
    connect(reply, &QNetworkReply::readyRead, &loop, drain);
    connect(reply, &QNetworkReply::finished, &loop, &QEventLoop::quit);
    loop.exec();
    drain();
    failed = failed || reply->error() != QNetworkReply::NoError;
    reply->deleteLater();
    file.close();
    const qint64 elapsed = timer.nsecsElapsed();
    return !failed && fileIsTheVideo(bareFile(), size) ? elapsed : -1;
}

void BenchDownload::measure(int megabytes)
{
    const qint64 size = megabytes * MB;
    QVERIFY(myServer.start({QStringLiteral("--video-size"), QString::number(size)}));
    myWorld.connectService(myServer.baseUrl(), 30000);
    PairedFigures time;
    PairedFigures rate;
    PairedFigures peak;
    for (int pair = 0; pair < PAIRS; ++pair) {
        qint64 ours = -1;
        qint64 bare = -1;
        qint64 oursPeak = -1;
        qint64 barePeak = -1;
        for (int turn = 0; turn < 2; ++turn) {
            QVERIFY(resetPeakMemory());
            const qint64 rssBefore = processStatusKb("VmRSS:");
            if ((turn == 0) == (pair % 2 == 0)) {
                ours = oursNs(size);
                oursPeak = processStatusKb("VmHWM:") - rssBefore;
            } else {
                bare = bareNs(size);
                barePeak = processStatusKb("VmHWM:") - rssBefore;
            }
        }
        QVERIFY2(ours > 0, "the download did not give the whole file");
        QVERIFY2(bare > 0, "the bare download did not give the whole file");
        time.add(double(ours) / 1e6, double(bare) / 1e6);
        rate.add(double(megabytes) / (double(ours) / 1e9), double(megabytes) / (double(bare) / 1e9));
        peak.add(double(oursPeak), double(barePeak));
    }
    QFile::remove(bareFile());
    myServer.stop();
    time.print(qPrintable(QStringLiteral("time, %1 MB").arg(megabytes)), "ms");
    rate.print(qPrintable(QStringLiteral("rate, %1 MB").arg(megabytes)), "MB/s");
    peak.print(qPrintable(QStringLiteral("peak memory growth, %1 MB").arg(megabytes)), "kB");
    myGrowth.add(QStringLiteral("download time"), megabytes, time.oursSpread().median);
    myGrowth.add(QStringLiteral("bare download time"), megabytes, time.baselineSpread().median);
    QVERIFY2(time.ratioSpread().median <= GOAL_RATIO, "more than 1.5x the bare manager's time");
    QVERIFY2(peak.oursSpread().max < GOAL_PEAK_GROWTH_KB, "a transfer's peak memory grew by 8 MB or more");
}

QTEST_MAIN(BenchDownload)
#include "bench_download.moc"
