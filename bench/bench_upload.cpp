#include "bench/BenchSupport.h"
#include "bench/ServiceProcess.h"
#include "core/Repository.h"
#include "service/ServiceConstants.h"
#include "service/ServiceEndpoints.h"
#include "service/YoutubeVideoService.h"
#include "service/account/AccountConstants.h"
#include "tests/support/TestSupport.h"
#include "tools/fakeservice/AccountRoutes.h"
#include "tools/fakeservice/FakeService.h"

#include <QDir>
#include <QFile>
#include <QProcess>
#include <QSignalSpy>
#include <QTest>

#include <memory>

// A video uploaded through the service at two sizes, 10 MB and 200 MB, to the fake
// service in a process of its own on loopback, which reads each body's head and
// counts the rest. Baseline in the same run: a bare QNetworkAccessManager in this
// process posting the same kind of body (an Atom entry and the video as
// multipart/related, written to a file beforehand) from the disk, with the same
// headers. The two go in
// pairs, alternating which goes first. Printed: min / median / max of the time of
// each, of their ratio and of the rate; the peak memory growth of each transfer (the
// kernel's peak of this process is reset before each one); the process's peak before
// any transfer and after the last; and how the median time grows from the small file
// to the large one. Every upload is checked: the service took it, with a video part
// of the file's size.
// Goals: at most 1.5x curl's time (median); a transfer's peak memory
// growth under 5 MB, whatever the file's size.
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
    QString writeVideo(qint64 size);
    // curl's body: the entry, the video and the closing boundary.
    QString writeBody(const QString& video);
    qint64 oursNs(const QString& file);
    // curl posting the body; its own count of the transfer's time.
    qint64 bareNs(const QString& body);
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
constexpr double GOAL_RATIO = 1.5;
constexpr qint64 GOAL_PEAK_GROWTH_KB = 5 * 1024;

const QString TITLE = QStringLiteral("Revontulet");
const QString CATEGORY = QStringLiteral("Travel");
const QByteArray BOUNDARY = QByteArrayLiteral("bare-boundary-5c1d");

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

QString BenchUpload::writeVideo(qint64 size)
{
    const QString path = QDir(myWorld.environment.home()).filePath(QStringLiteral("Revontulet.mp4"));
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly | QIODevice::Truncate))
        return QString();
    const QByteArray block = FakeService::generatedBytes(0, MB);
    for (qint64 written = 0; written < size;) {
        const qint64 n = qMin<qint64>(block.size(), size - written);
        if (file.write(block.constData(), n) != n)
            return QString();
        written += n;
    }
    return path;
}

qint64 BenchUpload::receivedSize()
{
    // "upload <status> <bytes of the video part>"
    const QList<QByteArray> words = myServer.waitForLine("upload ", 10000).split(' ');
    return words.size() == 3 && words.at(1) == "201" ? words.at(2).toLongLong() : -1;
}

qint64 BenchUpload::oursNs(const QString& file)
{
    QSignalSpy done(myWorld.service.get(), &VideoServiceProvider::uploadDone);
    QElapsedTimer timer;
    timer.start();
    myWorld.service->uploadVideo({{UPLOAD_LOCATION, file},
                                  {UPLOAD_TITLE, TITLE},
                                  {UPLOAD_DESCRIPTION, QStringLiteral("Aikavälikuvaus")},
                                  {UPLOAD_CATEGORY, CATEGORY},
                                  {UPLOAD_KEYWORDS, QStringLiteral("lappi, yö")}});
    if (!done.wait(120000) || !done.at(0).at(0).toBool())
        return -1;
    return timer.nsecsElapsed();
}

QString BenchUpload::writeBody(const QString& video)
{
    const QString path = QDir(myWorld.environment.home()).filePath(QStringLiteral("body.bin"));
    QFile body(path);
    QFile in(video);
    if (!body.open(QIODevice::WriteOnly | QIODevice::Truncate) || !in.open(QIODevice::ReadOnly))
        return QString();
    body.write("--" + BOUNDARY + "\r\nContent-Type: application/atom+xml; charset=UTF-8\r\n\r\n"
               "<?xml version='1.0'?><entry xmlns='http://www.w3.org/2005/Atom'"
               " xmlns:media='http://search.yahoo.com/mrss/'><media:group>"
               "<media:title type='plain'>" + TITLE.toUtf8() + "</media:title>"
               "<media:category scheme='http://gdata.youtube.com/schemas/2007/categories.cat'>"
               + CATEGORY.toUtf8() + "</media:category></media:group></entry>"
               "\r\n--" + BOUNDARY + "\r\nContent-Type: video/mp4\r\n\r\n");
    while (!in.atEnd())
        body.write(in.read(MB));
    body.write("\r\n--" + BOUNDARY + "--\r\n");
    return body.error() == QFile::NoError ? path : QString();
}

qint64 BenchUpload::bareNs(const QString& path)
{
    const QUrl url = ServiceEndpoints(myServer.baseUrl()).url(ServiceEndpoints::eUpload, PATH_UPLOAD_FEED);
    const QStringList headers = {
        QString::fromLatin1(HEADER_CONTENT_TYPE + ": " + CONTENT_TYPE_MULTIPART_RELATED + '"' + BOUNDARY + '"'),
        QString::fromLatin1(HEADER_AUTHORIZATION + ": " + HEADER_AUTHORIZATION_PREFIX + FakeAccount::TOKEN.toLatin1()),
        QString::fromLatin1(HEADER_DEVELOPER_KEY + ": " + HEADER_DEVELOPER_KEY_PREFIX + SERVICE_DEVELOPER_KEY),
        QString::fromLatin1(HEADER_GDATA_VERSION + ": " + HEADER_GDATA_VERSION_VALUE),
        QString::fromLatin1(HEADER_SLUG + ": Revontulet.mp4"),
        // No "100-continue" round trip first: the service never refuses a body's head.
        QStringLiteral("Expect:")};
    QStringList arguments{QStringLiteral("-s"), QStringLiteral("-X"), QStringLiteral("POST"), QStringLiteral("-T"), path,
                          QStringLiteral("-o"), QStringLiteral("/dev/null"), QStringLiteral("-w"),
                          QStringLiteral("%{http_code} %{time_total}")};
    for (const QString& header : headers)
        arguments << QStringLiteral("-H") << header;
    arguments << url.toString();
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
    const QString file = writeVideo(size);
    QVERIFY(!file.isEmpty());
    const QString body = writeBody(file);
    QVERIFY(!body.isEmpty());
    QVERIFY(myServer.start());
    myWorld.connectService(myServer.baseUrl(), 30000);
    PairedFigures time;
    PairedFigures rate;
    QList<double> peak;
    for (int pair = 0; pair < PAIRS; ++pair) {
        qint64 ours = -1;
        qint64 bare = -1;
        for (int turn = 0; turn < 2; ++turn) {
            QVERIFY(resetPeakMemory());
            const qint64 rssBefore = processStatusKb("VmRSS:");
            const bool oursNow = (turn == 0) == (pair % 2 == 0);
            const qint64 elapsed = oursNow ? oursNs(file) : bareNs(body);
            const qint64 grown = processStatusKb("VmHWM:") - rssBefore;
            QVERIFY2(elapsed > 0, oursNow ? "the upload failed" : "curl's upload failed");
            QCOMPARE(receivedSize(), size);
            (oursNow ? ours : bare) = elapsed;
            if (oursNow)
                peak << double(grown);
        }
        time.add(double(ours) / 1e6, double(bare) / 1e6);
        rate.add(double(megabytes) / (double(ours) / 1e9), double(megabytes) / (double(bare) / 1e9));
    }
    myServer.stop();
    time.print(qPrintable(QStringLiteral("time, %1 MB").arg(megabytes)), "ms");
    rate.print(qPrintable(QStringLiteral("rate, %1 MB").arg(megabytes)), "MB/s");
    const Spread grown = spreadOf(peak);
    std::printf("%-34s ours %9.1f / %9.1f / %9.1f kB (min / median / max)\n",
                qPrintable(QStringLiteral("peak memory growth, %1 MB").arg(megabytes)), grown.min, grown.median,
                grown.max);
    myGrowth.add(QStringLiteral("upload time"), megabytes, time.oursSpread().median);
    myGrowth.add(QStringLiteral("curl's upload time"), megabytes, time.baselineSpread().median);
    QVERIFY2(time.ratioSpread().median <= GOAL_RATIO, "more than 1.5x curl's time");
    QVERIFY2(grown.max < GOAL_PEAK_GROWTH_KB, "a transfer's peak memory grew by 5 MB or more");
}

QTEST_MAIN(BenchUpload)
#include "bench_upload.moc"
