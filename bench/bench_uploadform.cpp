#include "app/MainController.h"
#include "bench/BenchSupport.h"
#include "bench/ServiceProcess.h"
#include "bench/UploadBody.h"
#include "core/constants/Settings.h"
#include "service/ServiceConstants.h"
#include "service/ServiceEndpoints.h"
#include "service/ServiceTexts.h"
#include "service/VideoServiceProvider.h"
#include "shell/OneButtonDialog.h"
#include "shell/ShellTexts.h"
#include "social/UploadVideoController.h"
#include "social/UploadVideoPage.h"
#include "tests/support/TestSupport.h"
#include "tools/fakeservice/AccountRoutes.h"
#include "widgets/SelectionBox.h"

#include <QDir>
#include <QElapsedTimer>
#include <QLineEdit>
#include <QNetworkAccessManager>
#include <QNetworkReply>
#include <QPushButton>
#include <QTest>
#include <QTextEdit>
#include <QTimer>

#include <memory>

// A video of 10 MB and one of 200 MB uploaded through the whole program: the upload
// form filled in, its "Upload" pressed, the progress dialog running until the
// outcome, against the fake service in a process of its own on loopback. Baseline in
// the same run: a bare QNetworkAccessManager in this process posting the same body
// (written to a file beforehand) with the same headers, so the ratio is what the
// program adds to the network manager it uploads through. Both read from the disk
// (the file's cached pages dropped first) and go in pairs, alternating which goes
// first; each upload is checked by the service's account of the video part's size.
// Printed: min / median / max of the time and the rate of each and of their ratio,
// how the medians grow from the small file to the large one, each upload's peak
// memory growth (the kernel's peak of this process is reset before it; no upload
// warms anything up first) and the peak since start-up with the form built.
// Goals: at least 100 MB/s through the program (median), eight times a 100 Mbit/s
// uplink, the fastest a user sends from; the body is streamed from the file, so an
// upload's peak grows by less than 5 MB, the progress dialog and all.
class BenchUploadForm : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void initTestCase();
    void cleanupTestCase();
    void tenMegabytes() { measure(10); }
    void twoHundredMegabytes() { measure(200); }

private:
    void measure(int megabytes);
    // Writes the video and fills the form in with it.
    bool chooseVideo(qint64 size);
    qint64 uploadNs(QString& outcome);
    qint64 bareNs(const UploadBody& body);

    std::unique_ptr<TestEnvironment> myEnvironment;
    ServiceProcess myServer;
    std::unique_ptr<MainController> myController;
    QNetworkAccessManager myBareNetwork;
    QString myFile;
    qint64 myStartHwm = -1; // when the program has started, before its first request went out
    GrowthTable myGrowth{"MB"};
};

namespace {

constexpr qint64 MB = 1024 * 1024;
constexpr int PAIRS = 5;
constexpr double GOAL_RATE_MB_S = 100;
constexpr qint64 GOAL_PEAK_GROWTH_KB = 5 * 1024;

} // namespace

void BenchUploadForm::initTestCase()
{
    myEnvironment = std::make_unique<TestEnvironment>();
    QVERIFY(myServer.start());
    qputenv(SERVICE_ENV_BASE_URL.toLatin1().constData(), myServer.baseUrl().toLatin1());
    myFile = QDir(myEnvironment->home()).filePath(QStringLiteral("Revontulet.mp4"));

    // The program as it starts, signed in, with the form open.
    MainControllerOptions options;
    options.fullScreen = false;
    myController = std::make_unique<MainController>(options);
    QVERIFY(!myController->startupFailed());
    myStartHwm = processStatusKb("VmHWM:");
    Repository& repository = myController->getRepository();
    repository.setSetting(SETTING_YOUTUBE_USERNAME, FakeAccount::USER);
    repository.setSetting(SETTING_YOUTUBE_PASSWORD, FakeAccount::PASSWORD);
    repository.setSetting(SETTING_YOUTUBE_AUTHENTICATION_TOKEN, FakeAccount::TOKEN);
    repository.setSetting(SETTING_YOUTUBE_ACCOUNT_SIGNED_IN, 1);
    QTRY_VERIFY_WITH_TIMEOUT(!myController->getCategories().isEmpty(), 10000);
    myController->showUpload();
    UploadVideoController* upload = myController->getUploadController();
    QVERIFY(upload);
    const QString chosen = myFile;
    upload->setVideoFileChooser([chosen](QWidget*, const QString&, const QString&, const QString&) { return chosen; });
}

bool BenchUploadForm::chooseVideo(qint64 size)
{
    if (!writeVideoFile(myFile, size))
        return false;
    UploadVideoPage* page = myController->getUploadController()->getUploadPage();
    QTest::mouseClick(page->getBrowseButton(), Qt::LeftButton);
    const QMap<QString, QString> form = uploadForm(myFile);
    page->getTitleField()->setText(form.value(UPLOAD_TITLE));
    page->getDescriptionBox()->setPlainText(form.value(UPLOAD_DESCRIPTION));
    page->getTagsField()->setText(form.value(UPLOAD_KEYWORDS));
    page->getCategoryBox()->setCurrentIndex(page->getCategoryBox()->count() - 1);
    return page->getUploadButton()->isEnabled();
}

void BenchUploadForm::cleanupTestCase()
{
    myController.reset();
    myServer.stop();
    myEnvironment.reset();
    myGrowth.print();
}

qint64 BenchUploadForm::uploadNs(QString& outcome)
{
    UploadVideoController* upload = myController->getUploadController();
    QElapsedTimer timer;
    qint64 elapsed = -1;
    // The outcome ends the timing; its dialog is closed from inside its loop.
    const auto stamp = connect(myController->getService(), &VideoServiceProvider::uploadDone, this,
                               [&](bool, const QString& text) {
                                   elapsed = timer.nsecsElapsed();
                                   outcome = text;
                               });
    QTimer closer;
    connect(&closer, &QTimer::timeout, this, [upload] {
        OneButtonDialog* dialog = upload->getCurrentDialog();
        if (dialog && dialog->isVisible() && !dialog->isProgressIndicatorShown())
            dialog->getButton()->click();
    });
    closer.start(5);
    timer.start();
    QTest::mouseClick(upload->getUploadPage()->getUploadButton(), Qt::LeftButton);
    disconnect(stamp);
    return elapsed;
}

qint64 BenchUploadForm::bareNs(const UploadBody& body)
{
    QFile file(body.path);
    if (!file.open(QIODevice::ReadOnly))
        return -1;
    QNetworkRequest request(ServiceEndpoints(myServer.baseUrl()).url(ServiceEndpoints::eUpload, PATH_UPLOAD_FEED));
    for (const auto& header : body.headers)
        request.setRawHeader(header.first, header.second);
    QElapsedTimer timer;
    timer.start();
    std::unique_ptr<QNetworkReply> reply(myBareNetwork.post(request, &file));
    QSignalSpy finished(reply.get(), &QNetworkReply::finished);
    if (!finished.wait(120000))
        return -1;
    const qint64 elapsed = timer.nsecsElapsed();
    const bool created = reply->error() == QNetworkReply::NoError
        && reply->attribute(QNetworkRequest::HttpStatusCodeAttribute).toInt() == 201;
    return created ? elapsed : -1;
}

void BenchUploadForm::measure(int megabytes)
{
    const qint64 size = megabytes * MB;
    QVERIFY(chooseVideo(size));
    const UploadBody body = writeUploadBody(uploadForm(myFile), QDir(myEnvironment->home()).filePath("body.bin"));
    QVERIFY(!body.path.isEmpty());
    PairedFigures time;
    PairedFigures rate;
    QList<double> peak;
    for (int pair = 0; pair < PAIRS; ++pair) {
        qint64 ours = -1;
        qint64 bare = -1;
        for (int turn = 0; turn < 2; ++turn) {
            const bool oursNow = (turn == 0) == (pair % 2 == 0);
            QVERIFY(dropCachedPages(oursNow ? myFile : body.path));
            QVERIFY(resetPeakMemory());
            const qint64 rssBefore = processStatusKb("VmRSS:");
            QString outcome;
            const qint64 elapsed = oursNow ? uploadNs(outcome) : bareNs(body);
            QVERIFY2(elapsed > 0, oursNow ? "no outcome" : "the bare upload failed");
            if (oursNow) {
                peak << double(processStatusKb("VmHWM:") - rssBefore);
                QCOMPARE(outcome, TEXT_UPLOAD_FINISHED());
            }
            // "upload <status> <bytes of the video part>"
            QCOMPARE(myServer.waitForLine("upload ", 10000), QByteArray("upload 201 " + QByteArray::number(size)));
            (oursNow ? ours : bare) = elapsed;
        }
        time.add(double(ours) / 1e6, double(bare) / 1e6);
        rate.add(double(megabytes) / (double(ours) / 1e9), double(megabytes) / (double(bare) / 1e9));
    }
    time.print(qPrintable(QStringLiteral("time, %1 MB").arg(megabytes)), "ms");
    rate.print(qPrintable(QStringLiteral("rate, %1 MB").arg(megabytes)), "MB/s");
    const Spread grown = spreadOf(peak);
    std::printf("%-34s ours %9.1f / %9.1f / %9.1f kB (min / median / max)\n",
                qPrintable(QStringLiteral("peak memory growth, %1 MB").arg(megabytes)), grown.min, grown.median,
                grown.max);
    std::printf("since start-up (categories read, form built and filled in): VmHWM %lld -> %lld kB\n", myStartHwm,
                processStatusKb("VmHWM:"));
    const double medianRate = rate.oursSpread().median;
    std::printf("goals: rate %.1f MB/s (median) against at least %.0f MB/s: %s; peak memory growth %.0f kB (max)"
                " against under %lld kB: %s\n",
                medianRate, GOAL_RATE_MB_S, medianRate >= GOAL_RATE_MB_S ? "met" : "MISSED", grown.max,
                GOAL_PEAK_GROWTH_KB, grown.max < GOAL_PEAK_GROWTH_KB ? "met" : "MISSED");
    std::fflush(stdout);
    myGrowth.add(QStringLiteral("upload time, ms"), megabytes, time.oursSpread().median);
    myGrowth.add(QStringLiteral("bare manager's upload time, ms"), megabytes, time.baselineSpread().median);
    QVERIFY2(grown.max < GOAL_PEAK_GROWTH_KB, "an upload's peak memory grew by 5 MB or more");
    QVERIFY2(medianRate >= GOAL_RATE_MB_S, "slower than 100 MB/s");
}

QTEST_MAIN(BenchUploadForm)
#include "bench_uploadform.moc"
