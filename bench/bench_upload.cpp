#include "bench/BenchSupport.h"
#include "core/Repository.h"
#include "core/constants/Settings.h"
#include "service/YoutubeVideoService.h"
#include "service/account/AccountConstants.h"
#include "tests/support/TestSupport.h"
#include "tools/fakeservice/AccountRoutes.h"
#include "tools/fakeservice/FakeService.h"

#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QSignalSpy>
#include <QTest>

#include <memory>

// A 50 MB video uploaded to the fake service on loopback: the body is streamed from
// the file, so the process's peak memory (VmHWM from /proc/self/status) may grow by
// less than 5 MB. The fake service reads the body's head and counts the rest
// without keeping it.
class BenchUpload : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void initTestCase();
    void fiftyMegabytes();

private:
    QString writeVideo(const QString& name, qint64 size);
    bool uploadOnce(const QString& file, qint64& elapsedNs);

    // The service's own timeout: an upload is never silent for that long.
    TestWorld myWorld{TestWorld::SignedIn, 30000};
    std::shared_ptr<FakeAccountState> myAccount = myWorld.account;
    YoutubeVideoService* myService = myWorld.service.get();
};

void BenchUpload::initTestCase()
{
    myWorld.fake.setBodyRecordLimit(64 * 1024);
}

QString BenchUpload::writeVideo(const QString& name, qint64 size)
{
    const QString path = QDir(myWorld.environment.home()).filePath(name);
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly))
        return QString();
    const QByteArray block = FakeService::generatedBytes(0, 1024 * 1024);
    for (qint64 written = 0; written < size;) {
        const qint64 n = qMin<qint64>(block.size(), size - written);
        if (file.write(block.constData(), n) != n)
            return QString();
        written += n;
    }
    return path;
}

bool BenchUpload::uploadOnce(const QString& file, qint64& elapsedNs)
{
    QSignalSpy done(myService, &VideoServiceProvider::uploadDone);
    QElapsedTimer timer;
    timer.start();
    myService->uploadVideo({{UPLOAD_LOCATION, file},
                            {UPLOAD_TITLE, QStringLiteral("Revontulet")},
                            {UPLOAD_DESCRIPTION, QStringLiteral("Aikavälikuvaus")},
                            {UPLOAD_CATEGORY, QStringLiteral("Travel")},
                            {UPLOAD_KEYWORDS, QStringLiteral("lappi, yö")}});
    if (!done.wait(120000))
        return false;
    elapsedNs = timer.nsecsElapsed();
    return done.at(0).at(0).toBool() && myAccount->lastUpload.error.isEmpty();
}

void BenchUpload::fiftyMegabytes()
{
    constexpr qint64 SIZE = 50 * 1024 * 1024;
    qint64 elapsed = 0;
    // Warm-up: the connection, the network thread and its buffers exist afterwards.
    const QString small = writeVideo(QStringLiteral("small.mp4"), 512 * 1024);
    QVERIFY(uploadOnce(small, elapsed));
    const QString big = writeVideo(QStringLiteral("big.mp4"), SIZE);
    QVERIFY(!big.isEmpty());

    const qint64 rssBefore = processStatusKb("VmRSS:");
    const qint64 hwmBefore = processStatusKb("VmHWM:");
    QBENCHMARK_ONCE {
        QVERIFY(uploadOnce(big, elapsed));
    }
    const qint64 rssAfter = processStatusKb("VmRSS:");
    const qint64 hwmAfter = processStatusKb("VmHWM:");

    QCOMPARE(myAccount->lastUpload.fileSize, SIZE);
    QVERIFY(!myAccount->lastUpload.wholeBody);
    const double rate = double(SIZE) / (1024.0 * 1024.0) / (double(elapsed) / 1e9);
    qInfo("50 MB upload: %.0f MB/s, %.2f s", rate, double(elapsed) / 1e9);
    qInfo("memory: VmRSS %lld -> %lld kB, VmHWM %lld -> %lld kB (peak growth %lld kB, file 51200 kB)", rssBefore,
          rssAfter, hwmBefore, hwmAfter, hwmAfter - hwmBefore);
    QVERIFY2(hwmAfter - hwmBefore < 5 * 1024, "peak memory grew by 5 MB or more");
}

QTEST_MAIN(BenchUpload)
#include "bench_upload.moc"
