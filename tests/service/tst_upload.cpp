#include "tests/support/TestSupport.h"


#include "core/constants/Settings.h"
#include "service/ServiceTexts.h"
#include "service/account/MultipartUploadDevice.h"
#include "service/account/UploadManager.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

// Uploading a video: the multipart body streamed from the file, progress, the
// outcomes, the one repeat after a new sign-in, and cancelling.
class TestUpload : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void bodyArrivesWhole();
    void progressCountsTheWholeBody();
    void outcomes_data();
    void outcomes();
    void answerCutShortIsAFailure();
    void unreachableServiceIsAFailure();
    void expiredToken_data();
    void expiredToken();
    void incompleteFormIsNotReported_data();
    void incompleteFormIsNotReported();
    void emptyDescriptionIsFine();
    void cancelReportsNothing();
    void cancelDuringRenewalReportsNothing();
    void newUploadReplacesTheRunningOne();

    void deviceStreamsHeadFileAndTail_data();
    void deviceStreamsHeadFileAndTail();
    void deviceSeeks();
    void deviceIsReadOnly();
    void deviceFailsWhenTheFileShrinks();
    void partTypeByExtension_data();
    void partTypeByExtension();
};

namespace {

QByteArray pattern(int size, int seed = 7)
{
    QByteArray data(size, Qt::Uninitialized);
    for (int i = 0; i < size; ++i)
        data[i] = char((i * 31 + seed) % 256);
    return data;
}

// The video file to upload: data in the folder under the name.
QString videoFile(const QString& folder, const QString& name, const QByteArray& data)
{
    const QString path = QDir(folder).filePath(name);
    if (!writeFile(path, data))
        qFatal("cannot write %s", qPrintable(path));
    return path;
}

QMap<QString, QString> form(const QString& location)
{
    return {{"location", location},
            {"title", QString::fromUtf8("Häät & juhlat <2013>")},
            {"description", QStringLiteral("Kesä 2013.\nKuvattu puhelimella.")},
            {"category", QStringLiteral("People")},
            {"keywords", QString::fromUtf8("häät, juhla")}};
}

struct Upload
{
    TestWorld world{TestWorld::SignedIn};
    QString file;
    QByteArray data;
    QSignalSpy progress;
    QSignalSpy done;

    explicit Upload(int size = 300 * 1024, const QString& name = QString::fromUtf8("Kesä video.mp4"))
        : progress(world.service.get(), &VideoServiceProvider::uploadInProgress),
          done(world.service.get(), &VideoServiceProvider::uploadDone)
    {
        data = pattern(size);
        file = videoFile(world.environment.home(), name, data);
    }
    void start() { world.service->uploadVideo(form(file)); }
};

} // namespace

void TestUpload::bodyArrivesWhole()
{
    Upload upload;
    upload.start();
    QVERIFY(upload.done.wait());
    QCOMPARE(upload.done.count(), 1);
    QCOMPARE(upload.done.at(0).at(0).toBool(), true);
    QCOMPARE(upload.done.at(0).at(1).toString(), TEXT_UPLOAD_FINISHED());

    const FakeUpload& received = upload.world.account->lastUpload;
    QVERIFY2(received.error.isEmpty(), qPrintable(received.error));
    QVERIFY(received.wholeBody);
    QCOMPARE(received.title, QString::fromUtf8("Häät & juhlat <2013>"));
    QCOMPARE(received.description, QStringLiteral("Kesä 2013.\nKuvattu puhelimella."));
    QCOMPARE(received.category, QString("People"));
    QCOMPARE(received.keywords, QString::fromUtf8("häät, juhla"));
    QCOMPARE(received.partType, QByteArray("video/mp4"));
    QCOMPARE(received.fileSize, qint64(upload.data.size()));
    QVERIFY(received.fileBytes == upload.data);
    QCOMPARE(QUrl::fromPercentEncoding(received.slug), QString::fromUtf8("Kesä video.mp4"));

    const FakeRequest request = upload.world.last("/uploads/");
    QCOMPARE(request.path, QString("/uploads/feeds/api/users/default/uploads"));
    QCOMPARE(request.header("Authorization"), "GoogleLogin auth=" + FakeAccount::TOKEN.toLatin1());
    QCOMPARE(request.header("GData-Version"), QByteArray("2"));
    QCOMPARE(request.header("Content-Length").toLongLong(), request.bodySize);
}

void TestUpload::progressCountsTheWholeBody()
{
    Upload upload(2 * 1024 * 1024 + 17);
    upload.start();
    QVERIFY(upload.done.wait());
    QVERIFY(upload.progress.count() >= 1);
    const qint64 bodySize = upload.world.last("/uploads/").bodySize;
    int previous = 0;
    for (const QList<QVariant>& report : upload.progress) {
        const int done = report.at(0).toInt();
        const int total = report.at(1).toInt();
        QCOMPARE(qint64(total), bodySize);
        QVERIFY2(done >= previous, qPrintable(QStringLiteral("%1 after %2").arg(done).arg(previous)));
        QVERIFY(done <= total);
        previous = done;
    }
    QCOMPARE(upload.progress.last().at(0).toInt(), upload.progress.last().at(1).toInt());
    QVERIFY(bodySize > upload.data.size());
}

void TestUpload::outcomes_data()
{
    QTest::addColumn<int>("status");
    QTest::addColumn<bool>("info");
    QTest::addColumn<QString>("text");
    QTest::newRow("201 created") << 201 << true << TEXT_UPLOAD_FINISHED();
    QTest::newRow("400 bad request") << 400 << false << TEXT_UPLOAD_FAILED();
    QTest::newRow("503 unavailable") << 503 << false << TEXT_SERVICE_NOT_AVAILABLE();
    QTest::newRow("403 refused") << 403 << false << TEXT_UPLOAD_FAILED();
    QTest::newRow("500 server error") << 500 << false << TEXT_UPLOAD_FAILED();
}

void TestUpload::outcomes()
{
    QFETCH(int, status);
    QFETCH(bool, info);
    QFETCH(QString, text);
    Upload upload;
    upload.world.account->uploadStatus = status;
    upload.start();
    QVERIFY(upload.done.wait());
    QTest::qWait(50);
    QCOMPARE(upload.done.count(), 1);
    QCOMPARE(upload.done.at(0).at(0).toBool(), info);
    QCOMPARE(upload.done.at(0).at(1).toString(), text);
    QCOMPARE(upload.world.count("POST", "/uploads/"), 1);
}

void TestUpload::answerCutShortIsAFailure()
{
    Upload upload;
    FakeResponse cut = FakeResponse::document(QByteArray(4000, 'x'), "application/atom+xml", 201);
    cut.dropAfter = 100;
    upload.world.fake.addRoute("POST", "/uploads/feeds/api/users/default/uploads", cut);
    upload.start();
    QVERIFY(upload.done.wait());
    QCOMPARE(upload.done.at(0).at(0).toBool(), false);
    QCOMPARE(upload.done.at(0).at(1).toString(), TEXT_UPLOAD_FAILED());
}

void TestUpload::unreachableServiceIsAFailure()
{
    TestWorld world(TestWorld::Unreachable);
    world.storeToken(FakeAccount::TOKEN);
    QSignalSpy done(world.service.get(), &VideoServiceProvider::uploadDone);
    world.service->uploadVideo(form(videoFile(world.environment.home(), "a.avi", pattern(1000))));
    QVERIFY(done.wait());
    QCOMPARE(done.at(0).at(0).toBool(), false);
    QCOMPARE(done.at(0).at(1).toString(), TEXT_UPLOAD_FAILED());
}

// The service refuses the stored token: one new sign-in, then the upload once more
// with the new token; a second refusal or a failed sign-in ends it as a failure.
void TestUpload::expiredToken_data()
{
    QTest::addColumn<bool>("passwordRight");
    QTest::addColumn<bool>("newTokenTaken");
    QTest::addColumn<bool>("uploaded");
    QTest::addColumn<QString>("text");
    QTest::addColumn<int>("posts");
    QTest::newRow("repeated once") << true << true << true << TEXT_UPLOAD_FINISHED() << 2;
    QTest::newRow("refused again") << true << false << false << TEXT_UPLOAD_FAILED() << 2;
    QTest::newRow("the sign-in fails") << false << true << false << TEXT_UPLOAD_FAILED() << 1;
}

void TestUpload::expiredToken()
{
    QFETCH(bool, passwordRight);
    QFETCH(bool, newTokenTaken);
    QFETCH(bool, uploaded);
    QFETCH(QString, text);
    QFETCH(int, posts);
    Upload upload(512 * 1024);
    upload.world.storeToken(QStringLiteral("expired-token"));
    if (!passwordRight)
        upload.world.storeAccount(FakeAccount::USER, QStringLiteral("old password"));
    if (!newTokenTaken)
        upload.world.account->acceptedTokens.clear();
    upload.start();
    QVERIFY(upload.done.wait());
    QTest::qWait(200);
    QCOMPARE(upload.done.count(), 1);
    QCOMPARE(upload.done.at(0).at(0).toBool(), uploaded);
    QCOMPARE(upload.done.at(0).at(1).toString(), text);
    QCOMPARE(upload.world.logins(), 1);
    QCOMPARE(upload.world.count("POST", "/uploads/"), posts);
    if (uploaded) {
        // The repeat is the same upload, from the kept form.
        QVERIFY(upload.world.account->lastUpload.fileBytes == upload.data);
        QCOMPARE(upload.world.account->lastUpload.title, form(upload.file).value("title"));
        QCOMPARE(upload.world.last("/uploads/").header("Authorization"),
                 "GoogleLogin auth=" + FakeAccount::TOKEN.toLatin1());
    }
}

void TestUpload::incompleteFormIsNotReported_data()
{
    QTest::addColumn<QString>("key");
    QTest::addColumn<QString>("value");   // "<remove>" takes the key away
    QTest::newRow("no location") << "location" << "<remove>";
    QTest::newRow("no title") << "title" << "<remove>";
    QTest::newRow("no description") << "description" << "<remove>";
    QTest::newRow("no category") << "category" << "<remove>";
    QTest::newRow("no keywords") << "keywords" << "<remove>";
    QTest::newRow("empty title") << "title" << "";
    QTest::newRow("empty category") << "category" << "";
    QTest::newRow("empty keywords") << "keywords" << "";
    QTest::newRow("empty location") << "location" << "";
    QTest::newRow("missing file") << "location" << "/nonexistent/krelvox/video.avi";
    QTest::newRow("a folder") << "location" << "<folder>";
    QTest::newRow("unreadable file") << "location" << "<unreadable>";
}

void TestUpload::incompleteFormIsNotReported()
{
    QFETCH(QString, key);
    QFETCH(QString, value);
    Upload upload;
    QMap<QString, QString> video = form(upload.file);
    if (value == "<remove>") {
        video.remove(key);
    } else if (value == "<folder>") {
        video.insert(key, upload.world.environment.home());
    } else if (value == "<unreadable>") {
        const QString locked = videoFile(upload.world.environment.home(), "locked.mp4", pattern(100));
        QFile::setPermissions(locked, QFile::WriteOwner);
        if (QFile(locked).open(QIODevice::ReadOnly))
            QSKIP("files stay readable for this user (root)");
        video.insert(key, locked);
    } else {
        video.insert(key, value);
    }
    upload.world.service->uploadVideo(video);
    QTest::qWait(200);
    QCOMPARE(upload.done.count(), 0);
    QCOMPARE(upload.progress.count(), 0);
    QCOMPARE(upload.world.count("POST", "/uploads/"), 0);
}

void TestUpload::emptyDescriptionIsFine()
{
    Upload upload;
    QMap<QString, QString> video = form(upload.file);
    video.insert("description", QString());
    upload.world.service->uploadVideo(video);
    QVERIFY(upload.done.wait());
    QCOMPARE(upload.done.at(0).at(0).toBool(), true);
    QVERIFY(upload.world.account->lastUpload.description.isEmpty());
}

void TestUpload::cancelReportsNothing()
{
    Upload upload(4 * 1024 * 1024);
    FakeResponse slow = FakeResponse::document("<entry/>", "application/atom+xml", 201);
    slow.delayMs = 300;
    upload.world.fake.addRoute("POST", "/uploads/feeds/api/users/default/uploads", slow);
    upload.start();
    QVERIFY(upload.progress.wait());
    upload.world.service->cancelUploading();
    QTest::qWait(600);
    QCOMPARE(upload.done.count(), 0);
    QTRY_COMPARE(upload.world.fake.openConnections(), 0);
}

void TestUpload::cancelDuringRenewalReportsNothing()
{
    Upload upload;
    upload.world.storeToken(QStringLiteral("expired-token"));
    FakeResponse slowLogin = FakeResponse::document("Auth=" + FakeAccount::TOKEN.toLatin1() + "\n", "text/plain");
    slowLogin.delayMs = 300;
    upload.world.fake.addRoute("POST", "/google/accounts/ClientLogin", slowLogin);
    QSignalSpy received(&upload.world.fake, &FakeService::requestReceived);
    upload.start();
    QTRY_COMPARE(upload.world.logins(), 1);
    upload.world.service->cancelUploading();
    QTest::qWait(600);
    QCOMPARE(upload.done.count(), 0);
    QCOMPARE(upload.world.count("POST", "/uploads/"), 1);
    // The sign-in was dropped before its answer.
    QCOMPARE(upload.world.setting(SETTING_YOUTUBE_AUTHENTICATION_TOKEN), QString("expired-token"));
}

void TestUpload::newUploadReplacesTheRunningOne()
{
    Upload upload(1024 * 1024);
    FakeResponse slow = FakeResponse::document("<entry/>", "application/atom+xml", 201);
    slow.delayMs = 200;
    upload.world.fake.addRoute("POST", "/uploads/feeds/api/users/default/uploads", slow);
    upload.start();
    QMap<QString, QString> second = form(videoFile(upload.world.environment.home(), "toinen.flv", pattern(5000, 3)));
    second.insert("title", QStringLiteral("Toinen"));
    upload.world.service->uploadVideo(second);
    QVERIFY(upload.done.wait());
    QTest::qWait(400);
    QCOMPARE(upload.done.count(), 1);
    const FakeRequest last = upload.world.last("/uploads/");
    QVERIFY(last.body.contains("Toinen"));
    QVERIFY(last.body.contains("video/x-flv"));
}

void TestUpload::deviceStreamsHeadFileAndTail_data()
{
    QTest::addColumn<int>("fileSize");
    QTest::addColumn<int>("chunk");
    QTest::newRow("byte by byte") << 1000 << 1;
    QTest::newRow("odd chunks") << 70000 << 7777;
    QTest::newRow("in one read") << 70000 << 0;
    QTest::newRow("empty file") << 0 << 5;
}

void TestUpload::deviceStreamsHeadFileAndTail()
{
    QFETCH(int, fileSize);
    QFETCH(int, chunk);
    QTemporaryDir dir;
    const QByteArray data = pattern(fileSize);
    const QByteArray head = "--b\r\nhead\r\n\r\n";
    const QByteArray tail = "\r\n--b--\r\n";
    MultipartUploadDevice device(head, videoFile(dir.path(), "v.mp4", data), tail);
    QVERIFY(device.open(QIODevice::ReadOnly));
    QCOMPARE(device.size(), qint64(head.size() + data.size() + tail.size()));
    QByteArray read;
    const int step = chunk == 0 ? int(device.size()) : chunk;
    while (!device.atEnd()) {
        const QByteArray piece = device.read(step);
        QVERIFY(!piece.isEmpty());
        read += piece;
    }
    QVERIFY(read == head + data + tail);
    QCOMPARE(device.read(10), QByteArray());
}

void TestUpload::deviceSeeks()
{
    QTemporaryDir dir;
    const QByteArray data = pattern(5000);
    MultipartUploadDevice device("HEAD", videoFile(dir.path(), "v.avi", data), "TAIL");
    QVERIFY(device.open(QIODevice::ReadOnly));
    const QByteArray whole = "HEAD" + data + "TAIL";
    for (qint64 at : {qint64(0), qint64(2), qint64(4), qint64(1234), qint64(5003), qint64(5004), qint64(5006)}) {
        QVERIFY(device.seek(at));
        QCOMPARE(device.readAll(), whole.mid(int(at)));
    }
    QVERIFY(!device.seek(device.size() + 1));
    QVERIFY(!device.seek(-1));
    QVERIFY(device.reset());
    QCOMPARE(device.read(6), QByteArray("HEAD") + data.left(2));
}

void TestUpload::deviceIsReadOnly()
{
    QTemporaryDir dir;
    const QString file = videoFile(dir.path(), "v.avi", pattern(10));
    MultipartUploadDevice writable("h", file, "t");
    QVERIFY(!writable.open(QIODevice::ReadWrite));
    MultipartUploadDevice missing("h", dir.filePath("none.avi"), "t");
    QVERIFY(!missing.open(QIODevice::ReadOnly));
    MultipartUploadDevice device("h", file, "t");
    QVERIFY(device.open(QIODevice::ReadOnly));
    QCOMPARE(device.write("x"), qint64(-1));
}

void TestUpload::deviceFailsWhenTheFileShrinks()
{
    QTemporaryDir dir;
    const QString file = videoFile(dir.path(), "v.avi", pattern(10000));
    MultipartUploadDevice device("head", file, "tail");
    QVERIFY(device.open(QIODevice::ReadOnly));
    QFile(file).resize(100);
    const QByteArray read = device.read(device.size());
    QCOMPARE(read.size(), 4 + 100);
    QCOMPARE(device.read(100), QByteArray());
    QVERIFY(!device.errorString().isEmpty());
}

void TestUpload::partTypeByExtension_data()
{
    QTest::addColumn<QString>("file");
    QTest::addColumn<QByteArray>("type");
    QTest::newRow("avi") << "/x/a.avi" << QByteArray("video/x-msvideo");
    QTest::newRow("3gp upper case") << "/x/A.3GP" << QByteArray("video/3gpp");
    QTest::newRow("mov") << "/x/a.mov" << QByteArray("video/quicktime");
    QTest::newRow("mpeg") << "/x/a.mpeg" << QByteArray("video/mpeg");
    QTest::newRow("flv") << "/x/a.flv" << QByteArray("video/x-flv");
    QTest::newRow("swf") << "/x/a.swf" << QByteArray("application/x-shockwave-flash");
    QTest::newRow("mkv") << "/x/a.b.mkv" << QByteArray("video/x-matroska");
    QTest::newRow("unknown") << "/x/a.txt" << QByteArray("application/octet-stream");
    QTest::newRow("none") << "/x/video" << QByteArray("application/octet-stream");
}

void TestUpload::partTypeByExtension()
{
    QFETCH(QString, file);
    QFETCH(QByteArray, type);
    QCOMPARE(UploadManager::contentTypeOf(file), type);
}

QTEST_MAIN(TestUpload)
#include "tst_upload.moc"
