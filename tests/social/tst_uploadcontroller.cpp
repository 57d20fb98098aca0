#include "core/StoragePaths.h"
#include "core/constants/Paths.h"
#include "service/ServiceTexts.h"
#include "shell/PageHistory.h"
#include "social/UploadTexts.h"
#include "tests/social/UploadTestSupport.h"
#include "tests/support/TestSupport.h"

#include <QAbstractItemView>
#include <QFileDialog>
#include <QFileInfo>
#include <QLabel>
#include <QSignalSpy>

// The upload controller: the file chooser, the progress dialog and the outcome, first
// against a service the test speaks for, then through the fake service end to end.
class TestUploadController : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void reportsReachTheUserOnce_data();
    void reportsReachTheUserOnce();
    void videoReachesTheService();
    void failuresLeaveTheFormAsFilled_data();
    void failuresLeaveTheFormAsFilled();
    void cancelStopsTheTransferAtOnce();
    void realFileDialogAndLargerFonts();
};

namespace {

constexpr int TRAVEL = 3; // "Travel & Events" in the category list

// The controller on the world's window, its form emptied and given the categories.
struct ControllerRig
{
    UploadVideoController* controller;
    UploadVideoPage* page;

    ControllerRig(TestWorld& world, VideoServiceProvider* service)
        : controller(new UploadVideoController(service, *world.repository, world.history, &world.window())),
          page(controller->getUploadPage())
    {
        page->resize(800, 480);
        if (!world.show())
            qWarning("window not exposed");
        controller->setCategories(uploadCategories());
        controller->resetUploadCriteria();
    }
};

// The controller on a service the test speaks for, with a small video at hand. The
// service outlives the world, whose window holds the controller.
struct StubRig
{
    RecordingVideoService service;
    TestWorld world;
    ControllerRig rig{world, &service};
    QString file;

    explicit StubRig(const QString& name) : file(QDir(world.environment.home()).filePath(name))
    {
        writeVideoFile(file, 1000);
    }
};

// The controller on the video service of a signed-in account on the fake service.
struct ServiceRig
{
    TestWorld world{TestWorld::SignedIn};
    ControllerRig rig{world, world.service.get()};
    QString file = QDir(world.environment.home()).filePath(QStringLiteral("Revontulet.mp4"));
};

// Counts the application font changes a widget is told of.
struct FontChangeCounter : QObject
{
    int count = 0;
    bool eventFilter(QObject*, QEvent* event) override
    {
        count += event->type() == QEvent::ApplicationFontChange ? 1 : 0;
        return false;
    }
};

} // namespace

void TestUploadController::reportsReachTheUserOnce_data()
{
    QTest::addColumn<bool>("upload");        // "Upload" pressed first
    QTest::addColumn<QStringList>("steps");  // what the service and the user do, in turn
    QTest::addColumn<QStringList>("states"); // the dialog before each step and at the end
    QTest::addColumn<QStringList>("calls");  // what the service was asked
    const QString start = QStringLiteral("Upload|Uploading|0");
    const QStringList sentAndCancelled{"uploadVideo", "cancelUploading"};
    QTest::newRow("1 of 3 bytes") << true << QStringList({"progress 1 3", "press"})
                                  << QStringList({start, "Upload|Uploading|33", "-"}) << sentAndCancelled;
    QTest::newRow("all sent") << true << QStringList({"progress 3 3", "press"})
                              << QStringList({start, "Upload|Please wait|100", "-"}) << sentAndCancelled;
    QTest::newRow("repeat after a new sign-in starts from 0")
        << true << QStringList({"progress 3 3", "progress 0 3", "press"})
        << QStringList({start, "Upload|Please wait|100", "Upload|Please wait|0", "-"}) << sentAndCancelled;
    QTest::newRow("a total of 0 says nothing")
        << true << QStringList({"progress 1 3", "progress 0 0", "press"})
        << QStringList({start, "Upload|Uploading|33", "Upload|Uploading|33", "-"}) << sentAndCancelled;
    QTest::newRow("failure in the service's words")
        << true << QStringList({"outcome 0 Palvelu ei vastaa.", "press"})
        << QStringList({start, "Failure in upload|Palvelu ei vastaa.", "-"}) << QStringList({"uploadVideo"});
    QTest::newRow("uploaded") << true << QStringList({"progress 5 5", "outcome 1 Valmis", "press"})
                              << QStringList({start, "Upload|Please wait|100", "Video uploaded|Valmis", "-"})
                              << QStringList({"uploadVideo"});
    QTest::newRow("a repeat after the result was closed")
        << true << QStringList({"outcome 1 Valmis", "press", "outcome 1 Valmis"})
        << QStringList({start, "Video uploaded|Valmis", "-", "-"}) << QStringList({"uploadVideo"});
    QTest::newRow("a repeat while the result is open replaces it")
        << true << QStringList({"outcome 1 Eka", "outcome 1 Toka", "press"})
        << QStringList({start, "Video uploaded|Eka", "Video uploaded|Toka", "-"}) << QStringList({"uploadVideo"});
    QTest::newRow("an outcome after Cancel") << true << QStringList({"progress 1 2", "press", "outcome 1 Valmis"})
                                             << QStringList({start, "Upload|Uploading|50", "-", "-"})
                                             << sentAndCancelled;
    QTest::newRow("Escape only hides the progress")
        << true << QStringList({"escape", "progress 2 2", "outcome 1 Valmis", "press"})
        << QStringList({start, start + " (hidden)", "Upload|Please wait|100 (hidden)", "Video uploaded|Valmis", "-"})
        << QStringList({"uploadVideo"});
    QTest::newRow("reports before any upload") << false << QStringList({"progress 1 3", "outcome 1 Valmis"})
                                               << QStringList({"-", "-", "-"}) << QStringList();
}

void TestUploadController::reportsReachTheUserOnce()
{
    QFETCH(bool, upload);
    QFETCH(QStringList, steps);
    QFETCH(QStringList, states);
    QFETCH(QStringList, calls);
    StubRig stub(QStringLiteral("a.mp4"));
    RecordingVideoService& service = stub.service;
    ControllerRig& rig = stub.rig;
    fillUploadForm(rig.controller, stub.file, TRAVEL);

    QList<std::function<void()>> actions;
    for (const QString& step : std::as_const(steps)) {
        const QStringList words = step.split(QLatin1Char(' '));
        actions << [&rig, &service, words]() {
            OneButtonDialog* dialog = rig.controller->getCurrentDialog();
            if (words[0] == "progress")
                Q_EMIT service.uploadInProgress(words[1].toInt(), words[2].toInt());
            else if (words[0] == "outcome")
                Q_EMIT service.uploadDone(words[1] == "1", words.mid(2).join(QLatin1Char(' ')));
            else if (words[0] == "press" && dialog)
                dialog->getButton()->click();
            else if (words[0] == "escape" && dialog)
                QTest::keyClick(dialog, Qt::Key_Escape);
        };
    }
    StepRunner runner(rig.controller, actions);
    if (upload)
        QTest::mouseClick(rig.page->getUploadButton(), Qt::LeftButton);
    QTRY_VERIFY(runner.finished());
    QCOMPARE(runner.states, states);
    QCOMPARE(service.calls, calls);
    QVERIFY(!rig.controller->isUploading());
}

void TestUploadController::videoReachesTheService()
{
    ServiceRig s;
    const QByteArray data = writeVideoFile(s.file, 50 * 1024 * 1024);
    s.world.fake.setBodyRecordLimit(64 * 1024 * 1024);
    // The service stops reading for a while on the way: the dialog shows where it is.
    s.world.fake.pauseRequestBodies(data.size() / 3, 300);
    fillUploadForm(s.rig.controller, s.file, TRAVEL);
    const QStringList form = formContents(s.rig.page);

    // What the progress dialog showed after each report.
    QStringList shown;
    connect(s.world.service.get(), &VideoServiceProvider::uploadInProgress, this, [&s, &shown]() {
        shown << dialogState(s.rig.controller);
        shown.removeDuplicates();
    });
    ResultCloser closer(s.rig.controller);
    QTest::mouseClick(s.rig.page->getUploadButton(), Qt::LeftButton);
    QCOMPARE(closer.results, QStringList("Video uploaded|" + TEXT_UPLOAD_FINISHED()));

    // Moving: up from the start through a value on the way to all sent.
    int previous = 0;
    int onTheWay = 0;
    for (const QString& state : std::as_const(shown)) {
        const int value = state.section(QLatin1Char('|'), 2).toInt();
        QVERIFY2(value >= previous, qPrintable(shown.join(", ")));
        onTheWay += value > 0 && value < 100 ? 1 : 0;
        previous = value;
    }
    QVERIFY2(onTheWay > 0, qPrintable(shown.join(", ")));
    QCOMPARE(shown.last(), QStringLiteral("Upload|Please wait|100"));

    const FakeUpload& received = s.world.account->lastUpload;
    QVERIFY2(received.error.isEmpty(), qPrintable(received.error));
    QCOMPARE(QStringList({received.title, received.description, received.category, received.keywords}),
             QStringList({"Revontulet Saariselällä", "Aikavälikuvaus\ntammikuun yöltä.", "Travel", "lappi, yö"}));
    QCOMPARE(received.partType, QByteArray("video/mp4"));
    QVERIFY(received.wholeBody);
    QCOMPARE(received.fileSize, qint64(data.size()));
    QVERIFY(received.fileBytes == data);
    QCOMPARE(formContents(s.rig.page), form);
    QVERIFY(!s.rig.controller->isUploading());
}

void TestUploadController::failuresLeaveTheFormAsFilled_data()
{
    QTest::addColumn<QString>("failure");
    QTest::addColumn<QString>("text");
    QTest::addColumn<bool>("started"); // the upload was handed to the service
    const QString failed = TEXT_UPLOAD_FAILED();
    const QString unreadable = TEXT_UPLOAD_FILE_UNREADABLE().arg("Revontulet.mp4");
    QTest::newRow("refused twice (401, 401)") << "401 twice" << failed << true;
    QTest::newRow("forbidden (403)") << "403" << failed << true;
    QTest::newRow("server error (500)") << "500" << failed << true;
    QTest::newRow("unavailable (503)") << "503" << TEXT_SERVICE_NOT_AVAILABLE() << true;
    QTest::newRow("answered without creating it (200)") << "200" << failed << true;
    QTest::newRow("connection lost mid-way") << "connection lost" << failed << true;
    QTest::newRow("file cut short while sent") << "cut short" << failed << true;
    QTest::newRow("file gone before the repeat") << "gone before repeat" << failed << true;
    QTest::newRow("file vanished after it was chosen") << "vanished" << unreadable << false;
    QTest::newRow("file replaced by a folder") << "folder" << unreadable << false;
    QTest::newRow("file made unreadable") << "unreadable" << unreadable << false;
    QTest::newRow("category All") << "All" << TEXT_UPLOAD_NEEDS_CATEGORY() << false;
}

void TestUploadController::failuresLeaveTheFormAsFilled()
{
    QFETCH(QString, failure);
    QFETCH(QString, text);
    QFETCH(bool, started);
    ServiceRig s;
    // Large enough that a third of it is far from the end of what is read ahead.
    writeVideoFile(s.file, 32 * 1024 * 1024);
    fillUploadForm(s.rig.controller, s.file, failure == "All" ? 0 : TRAVEL);
    const QStringList form = formContents(s.rig.page);

    if (failure == "401 twice") {
        s.world.storeToken(QStringLiteral("expired-token"));
        s.world.account->acceptedTokens.clear();
    } else if (failure.front().isDigit()) {
        s.world.account->uploadStatus = failure.toInt();
    } else if (failure == "vanished" || failure == "folder") {
        QVERIFY(QFile::remove(s.file));
        if (failure == "folder")
            QVERIFY(QDir().mkpath(s.file));
    } else if (failure == "unreadable") {
        QFile::setPermissions(s.file, QFile::WriteOwner);
        if (QFile(s.file).open(QIODevice::ReadOnly))
            QSKIP("files stay readable for this user (root)");
    } else if (failure == "gone before repeat") {
        s.world.storeToken(QStringLiteral("expired-token"));
        connect(&s.world.fake, &FakeService::requestReceived, &s.world.fake, [&s](const QString& path) {
            if (path.endsWith(QLatin1String("ClientLogin")))
                QFile::remove(s.file);
        });
    } else {
        // Once a third has arrived, the line goes or the file shrinks. Queued, and so
        // bound to the fake: a report still queued when the row ends goes with it.
        connect(
            &s.world.fake, &FakeService::requestBodyProgress, &s.world.fake,
            [&s, failure](const QString&, qint64 received) {
                if (received < QFileInfo(s.file).size() / 3)
                    return;
                if (failure == "connection lost")
                    s.world.fake.abortConnections();
                else
                    QFile(s.file).resize(1000);
            },
            Qt::QueuedConnection);
    }
    QSignalSpy arrived(&s.world.fake, &FakeService::requestBodyProgress);
    ResultCloser closer(s.rig.controller);
    QTest::mouseClick(s.rig.page->getUploadButton(), Qt::LeftButton);
    QCOMPARE(closer.results, QStringList("Failure in upload|" + text));
    QTRY_VERIFY(requestsSettled(s.world.service.get()));
    QCOMPARE(closer.results.size(), 1);
    QCOMPARE(arrived.isEmpty(), !started);
    QCOMPARE(formContents(s.rig.page), form);
    QVERIFY(s.rig.page->getUploadButton()->isEnabled());
    QVERIFY(!s.rig.controller->isUploading());
}

void TestUploadController::cancelStopsTheTransferAtOnce()
{
    ServiceRig s;
    constexpr qint64 SIZE = 32 * 1024 * 1024;
    writeVideoFile(s.file, SIZE);
    fillUploadForm(s.rig.controller, s.file, TRAVEL);
    // Cancel once a quarter has arrived, while the service holds the rest up.
    s.world.fake.pauseRequestBodies(SIZE / 4, 300);
    QSignalSpy arrived(&s.world.fake, &FakeService::requestBodyProgress);
    connect(
        &s.world.fake, &FakeService::requestBodyProgress, &s.world.fake,
        [&s](const QString&, qint64 received) {
            OneButtonDialog* dialog = s.rig.controller->getCurrentDialog();
            if (received >= SIZE / 4 && dialog && dialog->isVisible())
                dialog->getButton()->click();
        },
        Qt::QueuedConnection);
    ResultCloser closer(s.rig.controller);
    QTest::mouseClick(s.rig.page->getUploadButton(), Qt::LeftButton);
    QVERIFY(!s.rig.controller->isUploading());
    QVERIFY(!s.rig.controller->getCurrentDialog());
    // Once the service reads again, it finds the line closed: what was on its way is
    // all that came, the body never arrived whole, and nothing was reported.
    QTRY_COMPARE_WITH_TIMEOUT(s.world.fake.openConnections(), 0, 1000);
    QVERIFY(!arrived.isEmpty());
    QVERIFY2(arrived.last().at(1).toLongLong() < SIZE / 2, qPrintable(arrived.last().at(1).toString()));
    QVERIFY(s.world.fake.requestsTo("/uploads/").isEmpty());
    QVERIFY(closer.results.isEmpty());
}

void TestUploadController::realFileDialogAndLargerFonts()
{
    StubRig stub(QStringLiteral("Kesä.mp4"));
    ControllerRig& rig = stub.rig;
    const QString& file = stub.file;
    FontChangeCounter fontChanges;
    rig.page->installEventFilter(&fontChanges);

    // The dialog as it opens; a pick, then a second browse that is cancelled.
    QStringList seen;
    QString fontPoints; // of the dialog's file list and of a label
    QTimer poll;
    bool pick = true;
    connect(&poll, &QTimer::timeout, this, [&]() {
        QWidget* modal = QApplication::activeModalWidget();
        auto* dialog = qobject_cast<QFileDialog*>(modal);
        if (!dialog) {
            // Anything else (a "file not found" box) would hold the test up.
            if (modal) {
                seen << QStringLiteral("unexpected ") + modal->metaObject()->className();
                modal->close();
            }
            return;
        }
        seen << dialog->windowTitle() + '|' + dialog->directory().absolutePath() + '|' + dialog->nameFilters().join(';');
        fontPoints = QStringLiteral("%1 %2")
                         .arg(dialog->findChild<QAbstractItemView*>()->font().pointSize())
                         .arg(dialog->findChild<QLabel*>(QStringLiteral("fileNameLabel"))->font().pointSize());
        if (pick) {
            TestEnvironment::saveScreenshot(dialog, QStringLiteral("upload-file-dialog"));
            // Typed into its file name field, as a user would.
            dialog->findChild<QLineEdit*>(QStringLiteral("fileNameEdit"))->setText(file);
            static_cast<QDialog*>(dialog)->accept();
        } else {
            dialog->reject();
        }
    });
    poll.start(20);
    QTest::mouseClick(rig.page->getBrowseButton(), Qt::LeftButton);
    QCOMPARE(rig.page->getVideoFile(), file);
    QCOMPARE(rig.page->getFileField()->text(), QStringLiteral("Kesä.mp4"));
    // It opens on the memory card (the storage root), each kind of file listed once.
    const QString filter = QStringLiteral("Movies (*.avi *.3gp *.mov *.mp4 *.mpeg *.flv *.swf *.mkv)");
    QCOMPARE(seen, QStringList(TEXT_CHOOSE_VIDEO_FOR_UPLOADING() + '|' + stub.world.environment.storageRoot() + '|'
                               + filter));

    // The larger fonts are in force from the first browse on, set once.
    QCOMPARE(fontPoints, QStringLiteral("22 18"));
    rig.page->getTitleField()->setText(QStringLiteral("Juhannuskokko"));
    rig.page->getDescriptionBox()->setPlainText(QStringLiteral("Kokko rannalla."));
    rig.page->getTagsField()->setText(QStringLiteral("kesä, kokko"));
    pickCategory(rig.page, TRAVEL);
    QVERIFY(rig.page->getUploadButton()->isEnabled());
    QVERIFY(TestEnvironment::saveScreenshot(&stub.world.window(), QStringLiteral("upload-form-filled")));
    // In the larger fonts the whole form is on the 800 x 480 screen, "Upload" clear of
    // its bottom edge.
    QPushButton* upload = rig.page->getUploadButton();
    const QRect onScreen(upload->mapTo(&stub.world.window(), QPoint(0, 0)), upload->size());
    QVERIFY2(onScreen.bottom() <= 480 - 6, qPrintable(QString::number(onScreen.bottom())));

    // Without a card (the media folders in /tmp) it opens in the user's home folder.
    pick = false;
    const StoragePaths card = StoragePaths::current();
    StoragePaths noCard = card;
    noCard.storageRoot = PATH_TMP;
    StoragePaths::setOverride(noCard);
    QTest::mouseClick(rig.page->getBrowseButton(), Qt::LeftButton);
    StoragePaths::setOverride(card);
    QCOMPARE(seen.size(), 2);
    QCOMPARE(seen.at(1).section('|', 1, 1), stub.world.environment.home());
    QCOMPARE(fontChanges.count, 1);
    // A cancelled chooser takes the file away.
    QCOMPARE(rig.page->getVideoFile(), QString());
    QVERIFY(rig.page->getFileField()->text().isEmpty());
    QVERIFY(!rig.page->getUploadButton()->isEnabled());
}

QTEST_MAIN(TestUploadController)
#include "tst_uploadcontroller.moc"
