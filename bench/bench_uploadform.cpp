#include "app/MainController.h"
#include "bench/BenchSupport.h"
#include "core/constants/Settings.h"
#include "service/ServiceConstants.h"
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
#include <QFile>
#include <QLineEdit>
#include <QProcess>
#include <QPushButton>
#include <QTest>
#include <QTextEdit>
#include <QTimer>

#include <fcntl.h>
#include <unistd.h>

#include <algorithm>
#include <memory>

// A 200 MB video uploaded through the whole program: the upload form filled in, its
// "Upload" pressed, the progress dialog running until the outcome, against the fake
// service in a process of its own on loopback. The file is read from the disk each
// time (its cached pages dropped first), and so is it by the baseline, which only
// reads the file through: the upload's rate is set against the disk's in the same
// run. The process's peak memory (VmHWM) is read before the first upload (no upload
// warms anything up first) and after the last; the body is streamed from the file,
// so it may grow by less than 5 MB. The growth since start-up, with the form built
// and the larger fonts in force, is printed as well.
class BenchUploadForm : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void initTestCase();
    void cleanupTestCase();
    void twoHundredMegabytes();

private:
    qint64 readFileNs(quint32& sum);
    qint64 uploadNs(QString& outcome);

    std::unique_ptr<TestEnvironment> myEnvironment;
    QProcess myServer;
    std::unique_ptr<MainController> myController;
    QString myFile;
    qint64 myStartHwm = -1; // when the program has started, before its first request went out
};

namespace {

constexpr qint64 SIZE = 200 * 1024 * 1024;
constexpr int RUNS = 5;
constexpr qint64 READ_CHUNK = 64 * 1024;

// Writes the file and has its pages dropped from the cache: the next read comes from
// the disk.
bool dropCachedPages(const QString& path)
{
    const int fd = ::open(QFile::encodeName(path).constData(), O_RDONLY);
    if (fd < 0)
        return false;
    const bool dropped = ::fdatasync(fd) == 0 && ::posix_fadvise(fd, 0, 0, POSIX_FADV_DONTNEED) == 0;
    ::close(fd);
    return dropped;
}

QString figures(QList<double> values, const char* unit)
{
    std::sort(values.begin(), values.end());
    return QStringLiteral("min %1 / median %2 / max %3 %4")
        .arg(values.first(), 0, 'f', 2)
        .arg(values.at(values.size() / 2), 0, 'f', 2)
        .arg(values.last(), 0, 'f', 2)
        .arg(QLatin1String(unit));
}

} // namespace

void BenchUploadForm::initTestCase()
{
    myEnvironment = std::make_unique<TestEnvironment>();
    myServer.setProgram(QStringLiteral(KRELVOX_FAKESERVICE_BINARY));
    myServer.setProcessChannelMode(QProcess::ForwardedErrorChannel);
    myServer.start();
    QVERIFY(myServer.waitForStarted());
    QVERIFY(myServer.waitForReadyRead(10000));
    const QByteArray line = myServer.readLine().trimmed();
    QVERIFY2(line.startsWith("KRELVOX_SERVICE_BASE_URL="), line.constData());
    // The request lines it prints are read and dropped.
    connect(&myServer, &QProcess::readyReadStandardOutput, this, [this] { myServer.readAllStandardOutput(); });
    qputenv(SERVICE_ENV_BASE_URL.toLatin1().constData(), line.mid(line.indexOf('=') + 1));

    myFile = QDir(myEnvironment->home()).filePath(QStringLiteral("Revontulet.mp4"));
    QFile file(myFile);
    QVERIFY(file.open(QIODevice::WriteOnly));
    QByteArray block(1024 * 1024, Qt::Uninitialized);
    for (int i = 0; i < block.size(); ++i)
        block[i] = char(i * 131 % 251);
    for (qint64 written = 0; written < SIZE; written += block.size())
        QCOMPARE(file.write(block), qint64(block.size()));
    file.close();

    // The program as it starts, signed in, with the form open and filled in.
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
    UploadVideoPage* page = upload->getUploadPage();
    const QString chosen = myFile;
    upload->setVideoFileChooser([chosen](QWidget*, const QString&, const QString&, const QString&) { return chosen; });
    QTest::mouseClick(page->getBrowseButton(), Qt::LeftButton);
    page->getTitleField()->setText(QStringLiteral("Revontulet"));
    page->getDescriptionBox()->setPlainText(QStringLiteral("Aikavälikuvaus tammikuun yöltä."));
    page->getTagsField()->setText(QStringLiteral("lappi, yö"));
    page->getCategoryBox()->setCurrentIndex(page->getCategoryBox()->count() - 1);
    QVERIFY(page->getUploadButton()->isEnabled());
}

void BenchUploadForm::cleanupTestCase()
{
    myController.reset();
    myServer.kill();
    myServer.waitForFinished();
    myEnvironment.reset();
}

qint64 BenchUploadForm::readFileNs(quint32& sum)
{
    QFile file(myFile);
    QByteArray buffer(int(READ_CHUNK), Qt::Uninitialized);
    QElapsedTimer timer;
    timer.start();
    if (!file.open(QIODevice::ReadOnly))
        return -1;
    qint64 total = 0;
    qint64 n;
    while ((n = file.read(buffer.data(), READ_CHUNK)) > 0) {
        sum += quint8(buffer.at(int(n - 1)));
        total += n;
    }
    const qint64 elapsed = timer.nsecsElapsed();
    return total == SIZE ? elapsed : -1;
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

void BenchUploadForm::twoHundredMegabytes()
{
    const double megabytes = double(SIZE) / (1024.0 * 1024.0);
    QList<double> diskRates;
    QList<double> uploadRates;
    QList<double> ratios;
    const qint64 hwmBefore = processStatusKb("VmHWM:");
    const qint64 rssBefore = processStatusKb("VmRSS:");
    for (int run = 0; run < RUNS; ++run) {
        quint32 sum = 0;
        QVERIFY(dropCachedPages(myFile));
        const qint64 readNs = readFileNs(sum);
        QVERIFY(readNs > 0);
        QVERIFY(dropCachedPages(myFile));
        QString outcome;
        const qint64 sendNs = uploadNs(outcome);
        QCOMPARE(outcome, TEXT_UPLOAD_FINISHED());
        QVERIFY(sendNs > 0);
        diskRates << megabytes / (double(readNs) / 1e9);
        uploadRates << megabytes / (double(sendNs) / 1e9);
        ratios << uploadRates.last() / diskRates.last();
        qInfo("run %d: disk %.0f MB/s, upload %.0f MB/s, ratio %.2f", run + 1, diskRates.last(), uploadRates.last(),
              ratios.last());
    }
    const qint64 hwmAfter = processStatusKb("VmHWM:");
    const qint64 rssAfter = processStatusKb("VmRSS:");
    qInfo("disk read:    %s", qPrintable(figures(diskRates, "MB/s")));
    qInfo("upload:       %s", qPrintable(figures(uploadRates, "MB/s")));
    qInfo("upload/disk:  %s", qPrintable(figures(ratios, "")));
    qInfo("memory: VmHWM %lld -> %lld kB (peak growth %lld kB), VmRSS %lld -> %lld kB, %d uploads of %lld kB",
          hwmBefore, hwmAfter, hwmAfter - hwmBefore, rssBefore, rssAfter, RUNS, SIZE / 1024);
    qInfo("since start-up (categories read, form built and filled in): VmHWM %lld -> %lld kB (growth %lld kB)",
          myStartHwm, hwmAfter, hwmAfter - myStartHwm);
    std::sort(ratios.begin(), ratios.end());
    QVERIFY2(hwmAfter - hwmBefore < 5 * 1024, "peak memory grew by 5 MB or more");
    QVERIFY2(ratios.at(ratios.size() / 2) >= 0.5, "the upload is slower than half the disk's read speed");
}

QTEST_MAIN(BenchUploadForm)
#include "bench_uploadform.moc"
