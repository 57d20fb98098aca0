#include "bench/BenchSupport.h"
#include "core/FileManager.h"
#include "core/Repository.h"
#include "core/VideoEntry.h"
#include "service/YoutubeVideoService.h"
#include "tests/support/TestSupport.h"
#include "tools/fakeservice/FakeService.h"

#include <QElapsedTimer>
#include <QFile>
#include <QFileInfo>
#include <QSignalSpy>
#include <QTest>

#include <memory>

// A 10 MB video through the regular download channel from the fake service on
// loopback: throughput, and how much the process's memory grows while the file
// streams to disk (VmRSS / VmHWM from /proc/self/status).
class BenchDownload : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void tenMegabytes();

private:
    bool downloadOnce(qint64 size, qint64& elapsedNs);

    // The service's own timeout: a download is never silent for that long.
    TestWorld myWorld{TestWorld::Service, 30000};
    FakeService& myFake = myWorld.fake;
    Repository* myRepository = myWorld.repository.get();
    YoutubeVideoService* myService = myWorld.service.get();
};

bool BenchDownload::downloadOnce(qint64 size, qint64& elapsedNs)
{
    FakeResponse file = FakeResponse::generated(size);
    file.chunkSize = 256 * 1024;
    myFake.addRoute("GET", QStringLiteral("/www/get_video"), file);
    VideoEntry video;
    video.setVideoId(FakeFeeds::VIDEO_ID);
    QSignalSpy done(myService, &VideoServiceProvider::videoIsDownloaded);
    QElapsedTimer timer;
    timer.start();
    myService->download(&video);
    if (!done.wait(60000))
        return false;
    elapsedNs = timer.nsecsElapsed();
    const QString path = myRepository->getFileManager()->getVideoFolder() + FakeFeeds::VIDEO_ID + ".flv";
    return QFileInfo(path).size() == size;
}

void BenchDownload::tenMegabytes()
{
    constexpr qint64 SIZE = 10 * 1024 * 1024;
    qint64 elapsed = 0;
    // Warm-up: connections, thread and buffers of the network stack exist afterwards.
    QVERIFY(downloadOnce(SIZE, elapsed));

    const qint64 rssBefore = processStatusKb("VmRSS:");
    const qint64 hwmBefore = processStatusKb("VmHWM:");
    QList<double> rates;
    for (int run = 0; run < 5; ++run) {
        QVERIFY(downloadOnce(SIZE, elapsed));
        rates.append(double(SIZE) / (1024.0 * 1024.0) / (double(elapsed) / 1e9));
    }
    const qint64 rssAfter = processStatusKb("VmRSS:");
    const qint64 hwmAfter = processStatusKb("VmHWM:");
    std::sort(rates.begin(), rates.end());
    const double median = rates.at(rates.size() / 2);
    qInfo("10 MB download: median %.0f MB/s (min %.0f, max %.0f) over %lld runs", median, rates.first(),
          rates.last(), qint64(rates.size()));
    qInfo("memory: VmRSS %lld -> %lld kB, VmHWM %lld -> %lld kB (peak growth %lld kB, file 10240 kB)",
          rssBefore, rssAfter, hwmBefore, hwmAfter, hwmAfter - hwmBefore);
    QVERIFY2(median >= 200.0, "below 200 MB/s");
    QVERIFY2(hwmAfter - hwmBefore < SIZE / 1024 / 4, "peak memory grew by a quarter of the file or more");
}

QTEST_MAIN(BenchDownload)
#include "bench_download.moc"
