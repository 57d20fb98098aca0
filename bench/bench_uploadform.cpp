#include "app/MainController.h"
#include "bench/BenchSupport.h"
#include "bench/ServiceProcess.h"
#include "bench/UploadBench.h"
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
    // Each upload reads the file from the disk and is checked by the service's account:
    // "upload <status> <bytes of the video part>".
    const QByteArray received = "upload 201 " + QByteArray::number(size);
    const auto checked = [this, &received](qint64 elapsed) {
        return elapsed > 0 && myServer.waitForLine("upload ", 10000) == received ? elapsed : -1;
    };
    const auto ours = [&] {
        QString outcome;
        const qint64 elapsed = dropCachedPages(myFile) ? uploadNs(outcome) : -1;
        return checked(outcome == TEXT_UPLOAD_FINISHED() ? elapsed : -1);
    };
    const auto bare = [&] { return checked(dropCachedPages(body.path) ? bareNs(body) : -1); };
    UploadFigures figures;
    QVERIFY2(timeUploads(PAIRS, megabytes, ours, bare, figures), "an upload failed, or the service did not get all of it");
    const bool met = printUploadFigures(megabytes, figures, GOAL_RATE_MB_S, GOAL_PEAK_GROWTH_KB);
    std::printf("since start-up (categories read, form built and filled in): VmHWM %lld -> %lld kB\n", myStartHwm,
                processStatusKb("VmHWM:"));
    std::fflush(stdout);
    myGrowth.add(QStringLiteral("upload time, ms"), megabytes, figures.time.oursSpread().median);
    myGrowth.add(QStringLiteral("bare manager's upload time, ms"), megabytes, figures.time.baselineSpread().median);
    QVERIFY2(met, "slower than 100 MB/s, or an upload's peak memory grew by 5 MB or more");
}

QTEST_MAIN(BenchUploadForm)
#include "bench_uploadform.moc"
