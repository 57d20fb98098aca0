#include "app/MainController.h"
#include "bench/BenchSupport.h"
#include "bench/ServiceProcess.h"
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
#include <QPushButton>
#include <QTest>
#include <QTextEdit>
#include <QTimer>

#include <fcntl.h>
#include <unistd.h>

#include <algorithm>
#include <memory>

// A video of 10 MB and one of 200 MB uploaded through the whole program: the upload
// form filled in, its "Upload" pressed, the progress dialog running until the
// outcome, against the fake service in a process of its own on loopback. The file is
// read from the disk each time (its cached pages dropped first), and so is it by the
// baseline, which only reads the file through: the upload's rate is set against the
// disk's in the same run. The process's peak memory (VmHWM) is read before the first
// upload (no upload warms anything up first) and after the last of each size; the
// body is streamed from the file, so it may grow by less than 5 MB. The growth since
// start-up, with the form built and the larger fonts in force, is printed as well,
// and how the medians grow from the small file to the large one.
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
    qint64 readFileNs(qint64 size, quint32& sum);
    qint64 uploadNs(QString& outcome);

    std::unique_ptr<TestEnvironment> myEnvironment;
    ServiceProcess myServer;
    std::unique_ptr<MainController> myController;
    QString myFile;
    qint64 myStartHwm = -1; // when the program has started, before its first request went out
    GrowthTable myGrowth{"MB"};
};

namespace {

constexpr qint64 MB = 1024 * 1024;
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
    QFile file(myFile);
    if (!file.open(QIODevice::WriteOnly | QIODevice::Truncate))
        return false;
    QByteArray block(int(MB), Qt::Uninitialized);
    for (int i = 0; i < block.size(); ++i)
        block[i] = char(i * 131 % 251);
    for (qint64 written = 0; written < size; written += block.size())
        if (file.write(block) != block.size())
            return false;
    file.close();
    UploadVideoPage* page = myController->getUploadController()->getUploadPage();
    QTest::mouseClick(page->getBrowseButton(), Qt::LeftButton);
    page->getTitleField()->setText(QStringLiteral("Revontulet"));
    page->getDescriptionBox()->setPlainText(QStringLiteral("Aikavälikuvaus tammikuun yöltä."));
    page->getTagsField()->setText(QStringLiteral("lappi, yö"));
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

qint64 BenchUploadForm::readFileNs(qint64 size, quint32& sum)
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
    return total == size ? elapsed : -1;
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

void BenchUploadForm::measure(int megabytes)
{
    const qint64 size = megabytes * MB;
    QVERIFY(chooseVideo(size));
    QList<double> diskRates;
    QList<double> uploadRates;
    QList<double> ratios;
    const qint64 hwmBefore = processStatusKb("VmHWM:");
    const qint64 rssBefore = processStatusKb("VmRSS:");
    for (int run = 0; run < RUNS; ++run) {
        quint32 sum = 0;
        QVERIFY(dropCachedPages(myFile));
        const qint64 readNs = readFileNs(size, sum);
        QVERIFY(readNs > 0);
        QVERIFY(dropCachedPages(myFile));
        QString outcome;
        const qint64 sendNs = uploadNs(outcome);
        QCOMPARE(outcome, TEXT_UPLOAD_FINISHED());
        QVERIFY(sendNs > 0);
        // "upload <status> <bytes of the video part>"
        QCOMPARE(myServer.waitForLine("upload ", 10000), QByteArray("upload 201 " + QByteArray::number(size)));
        diskRates << double(megabytes) / (double(readNs) / 1e9);
        uploadRates << double(megabytes) / (double(sendNs) / 1e9);
        ratios << uploadRates.last() / diskRates.last();
    }
    const qint64 hwmAfter = processStatusKb("VmHWM:");
    const qint64 rssAfter = processStatusKb("VmRSS:");
    std::printf("-- %d MB\n", megabytes);
    std::printf("disk read:    %s\n", qPrintable(figures(diskRates, "MB/s")));
    std::printf("upload:       %s\n", qPrintable(figures(uploadRates, "MB/s")));
    std::printf("upload/disk:  %s\n", qPrintable(figures(ratios, "")));
    std::printf("memory: VmHWM %lld -> %lld kB (peak growth %lld kB), VmRSS %lld -> %lld kB, %d uploads of %lld kB\n",
                hwmBefore, hwmAfter, hwmAfter - hwmBefore, rssBefore, rssAfter, RUNS, size / 1024);
    std::printf("since start-up (categories read, form built and filled in): VmHWM %lld -> %lld kB (growth %lld kB)\n",
                myStartHwm, hwmAfter, hwmAfter - myStartHwm);
    std::fflush(stdout);
    std::sort(uploadRates.begin(), uploadRates.end());
    std::sort(ratios.begin(), ratios.end());
    myGrowth.add(QStringLiteral("upload time, ms"), megabytes, megabytes * 1000.0 / uploadRates.at(RUNS / 2));
    myGrowth.add(QStringLiteral("upload / disk rate"), megabytes, ratios.at(RUNS / 2));
    QVERIFY2(hwmAfter - hwmBefore < 5 * 1024, "peak memory grew by 5 MB or more");
    QVERIFY2(ratios.at(ratios.size() / 2) >= 0.5, "the upload is slower than half the disk's read speed");
}

QTEST_MAIN(BenchUploadForm)
#include "bench_uploadform.moc"
