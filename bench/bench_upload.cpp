#include "bench/BenchSupport.h"
#include "bench/ServiceProcess.h"
#include "bench/UploadBench.h"
#include "core/Repository.h"
#include "service/ServiceEndpoints.h"
#include "service/YoutubeVideoService.h"
#include "tests/support/TestSupport.h"

#include <QDir>
#include <QProcess>
#include <QSignalSpy>
#include <QTest>

// A video uploaded through the service at two sizes, 10 MB and 200 MB, to the fake
// service in a process of its own on loopback, which reads each body's head and
// counts the rest. Baseline in the same run: curl posting the same body (written to a
// file beforehand) with the same headers. The two go in pairs, alternating which goes
// first. Printed: min / median / max of the time of each, of their ratio and of the
// rate; the peak memory growth of each transfer (the kernel's peak of this process is
// reset before each one); the process's peak before any transfer and after the last;
// and how the medians grow from the small file to the large one. Every upload is
// checked: the service took it, with a video part of the file's size.
// Goals: at least 100 MB/s (median), eight times a 100 Mbit/s uplink, the fastest a
// user sends from; a transfer's peak memory growth under 2 MB, whatever the file's
// size. curl on loopback shows what the machine gives; its pace is no goal.
class BenchUpload : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void initTestCase();
    void cleanupTestCase();
    void tenMegabytes() { measure(10); }
    void twoHundredMegabytes() { measure(200); }

private:
    void measure(int megabytes);
    qint64 oursNs(const QString& video);
    // curl posting the body; its own count of the transfer's time.
    qint64 bareNs(const UploadBody& body);
    // The service's account of the last upload: the size of its video part.
    qint64 receivedSize();

    TestWorld myWorld{TestWorld::Database};
    ServiceProcess myServer;
    qint64 myStartHwm = -1;
    GrowthTable myGrowth{"MB"};
};

namespace {

constexpr int PAIRS = 5;
constexpr qint64 MB = 1024 * 1024;
constexpr double GOAL_RATE_MB_S = 100;
constexpr qint64 GOAL_PEAK_GROWTH_KB = 2 * 1024;

} // namespace

void BenchUpload::initTestCase()
{
    // Before any transfer, before the network stack has been touched.
    myStartHwm = processStatusKb("VmHWM:");
    QVERIFY(myStartHwm > 0);
    myWorld.storeAccount(FakeAccount::USER, FakeAccount::PASSWORD);
    myWorld.storeToken(FakeAccount::TOKEN);
    myWorld.setSignedIn(true);
}

void BenchUpload::cleanupTestCase()
{
    myServer.stop();
    myGrowth.print();
    std::printf("process peak memory: %lld kB before any transfer, %lld kB after the last\n", myStartHwm,
                processStatusKb("VmHWM:"));
}

qint64 BenchUpload::receivedSize()
{
    // "upload <status> <bytes of the video part>"
    const QList<QByteArray> words = myServer.waitForLine("upload ", 10000).split(' ');
    return words.size() == 3 && words.at(1) == "201" ? words.at(2).toLongLong() : -1;
}

qint64 BenchUpload::oursNs(const QString& video)
{
    QSignalSpy done(myWorld.service.get(), &VideoServiceProvider::uploadDone);
    QElapsedTimer timer;
    timer.start();
    myWorld.service->uploadVideo(uploadForm(video));
    if (!done.wait(120000) || !done.at(0).at(0).toBool())
        return -1;
    return timer.nsecsElapsed();
}

qint64 BenchUpload::bareNs(const UploadBody& body)
{
    const QUrl url = ServiceEndpoints(myServer.baseUrl()).url(ServiceEndpoints::eUpload, PATH_UPLOAD_FEED);
    QStringList arguments{QStringLiteral("-s"), QStringLiteral("-X"), QStringLiteral("POST"), QStringLiteral("-T"),
                          body.path, QStringLiteral("-o"), QStringLiteral("/dev/null"), QStringLiteral("-w"),
                          QStringLiteral("%{http_code} %{time_total}")};
    for (const auto& header : body.headers)
        arguments << QStringLiteral("-H") << QString::fromLatin1(header.first + ": " + header.second);
    // No "100-continue" round trip first: the service never refuses a body's head.
    arguments << QStringLiteral("-H") << QStringLiteral("Expect:") << url.toString();
    QProcess curl;
    curl.start(QStringLiteral("curl"), arguments);
    if (!curl.waitForFinished(120000) || curl.exitCode() != 0)
        return -1;
    // "<status> <seconds>"
    const QList<QByteArray> words = curl.readAllStandardOutput().trimmed().split(' ');
    return words.size() == 2 && words.at(0) == "201" ? qint64(words.at(1).toDouble() * 1e9) : -1;
}

void BenchUpload::measure(int megabytes)
{
    const qint64 size = megabytes * MB;
    const QString video = QDir(myWorld.environment.home()).filePath(QStringLiteral("Revontulet.mp4"));
    QVERIFY(writeVideoFile(video, size));
    const UploadBody body = writeUploadBody(uploadForm(video), QDir(myWorld.environment.home()).filePath("body.bin"));
    QVERIFY(!body.path.isEmpty());
    QVERIFY(myServer.start());
    myWorld.connectService(myServer.baseUrl(), 30000);
    UploadFigures figures;
    const auto checked = [this, size](qint64 elapsed) { return elapsed > 0 && receivedSize() == size ? elapsed : -1; };
    const bool done = timeUploads(
        PAIRS, megabytes, [&] { return checked(oursNs(video)); }, [&] { return checked(bareNs(body)); }, figures);
    myServer.stop();
    QVERIFY2(done, "an upload failed, or the service did not get all of it");
    const bool met = printUploadFigures(megabytes, figures, GOAL_RATE_MB_S, GOAL_PEAK_GROWTH_KB);
    myGrowth.add(QStringLiteral("upload time"), megabytes, figures.time.oursSpread().median);
    myGrowth.add(QStringLiteral("curl's upload time"), megabytes, figures.time.baselineSpread().median);
    myGrowth.add(QStringLiteral("peak memory growth (max), kB"), megabytes, spreadOf(figures.peak).max);
    QVERIFY2(met, "slower than 100 MB/s, or a transfer's peak memory grew by 2 MB or more");
}

QTEST_MAIN(BenchUpload)
#include "bench_upload.moc"
