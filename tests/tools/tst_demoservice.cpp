#include "core/CommentListModel.h"
#include "core/ContactListModel.h"
#include "core/MessageListModel.h"
#include "core/PlayListModel.h"
#include "core/VideoListModel.h"
#include "core/constants/Settings.h"
#include "service/account/AccountConstants.h"
#include "service/account/PostManager.h"
#include "service/feeds/VideoDownloadManager.h"
#include "tests/support/TestSupport.h"
#include "tools/demoservice/DemoCatalogue.h"
#include "tools/demoservice/DemoPictures.h"
#include "tools/demoservice/DemoRoutes.h"
#include "tools/demoservice/DemoVideoFiles.h"

#include <QDir>
#include <QElapsedTimer>
#include <QNetworkAccessManager>
#include <QNetworkReply>
#include <QProcess>
#include <QRegularExpression>
#include <QSignalSpy>
#include <QTest>

#include <algorithm>
#include <functional>
#include <memory>

// The demo service as the program sees it: the program's own service layer reads the
// answers, so every document is checked in the form the program parses.

namespace {

// A world whose fake service serves the demo catalogue in place of the feed routes.
struct DemoWorld : TestWorld
{
    std::shared_ptr<DemoCatalogue> catalogue = std::make_shared<DemoCatalogue>();

    DemoWorld()
    {
        account = addDemoRoutes(fake, catalogue);
        if (!fake.start())
            qFatal("the demo service cannot listen");
        connectService(fake.baseUrl());
    }

    QByteArray get(const QString& path)
    {
        QNetworkAccessManager network;
        std::unique_ptr<QNetworkReply> reply(network.get(QNetworkRequest(QUrl(fake.baseUrl() + path))));
        QSignalSpy finished(reply.get(), &QNetworkReply::finished);
        return finished.wait() && reply->error() == QNetworkReply::NoError ? reply->readAll() : QByteArray();
    }
};

QStringList titles(const VideoListModel& model)
{
    QStringList names;
    for (int row = 0; row < model.rowCount(); ++row)
        names.append(model.entryAt(row)->getName());
    return names;
}

QStringList sortedTitles(QStringList names)
{
    names.sort();
    return names;
}

// A video file as the real player finds it: the length it announces and the picture
// it shows at a moment.
struct PlayerLook
{
    double length = -1;
    QImage picture;
};

PlayerLook lookWithPlayer(const QString& file, double at, const QString& pictureFolder)
{
    QDir(pictureFolder).removeRecursively();
    QProcess mplayer;
    mplayer.start(QStringLiteral("mplayer"),
                  {QStringLiteral("-quiet"), QStringLiteral("-identify"), QStringLiteral("-nosound"),
                   QStringLiteral("-vo"), QStringLiteral("png:outdir=") + pictureFolder, QStringLiteral("-frames"),
                   QStringLiteral("1"), QStringLiteral("-ss"), QString::number(at), file});
    PlayerLook look;
    if (!mplayer.waitForFinished(20000))
        return look;
    const QRegularExpressionMatch length =
        QRegularExpression(QStringLiteral("^ID_LENGTH=([0-9.]+)$"), QRegularExpression::MultilineOption)
            .match(QString::fromLatin1(mplayer.readAllStandardOutput()));
    look.length = length.hasMatch() ? length.captured(1).toDouble() : -1;
    look.picture = QImage(pictureFolder + QStringLiteral("/00000001.png"));
    return look;
}

// Colours that a viewer would take for one.
bool near(const QColor& a, const QColor& b)
{
    return qAbs(a.red() - b.red()) + qAbs(a.green() - b.green()) + qAbs(a.blue() - b.blue()) < 40;
}

// How many runs of the picture's columns hold dark ink: one per letter of a word whose
// letters stand apart.
int darkColumnRuns(const QImage& picture)
{
    int runs = 0;
    bool inRun = false;
    for (int x = 0; x < picture.width(); ++x) {
        bool dark = false;
        for (int y = 0; y < picture.height() && !dark; ++y)
            dark = picture.pixelColor(x, y).value() < 128;
        runs += dark && !inRun ? 1 : 0;
        inRun = dark;
    }
    return runs;
}

// What a standard feed is ordered by, largest first.
using FeedKey = std::function<double(const VideoEntry&)>;

} // namespace

class TestDemoService : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void searchMatchesTitles_data();
    void searchMatchesTitles();
    void standardFeedsNarrowWithTheTimeFrame_data();
    void standardFeedsNarrowWithTheTimeFrame();
    void accountAfterSignIn_data();
    void accountAfterSignIn();
    void commentsComeInPagesWithThePosted_data();
    void commentsComeInPagesWithThePosted();
    void captchaAccountIsAskedOnce_data();
    void captchaAccountIsAskedOnce();
    void picturesAreDrawnPerVideo_data();
    void picturesAreDrawnPerVideo();
    void videoFilesPlayAtTheirPace_data();
    void videoFilesPlayAtTheirPace();
};

void TestDemoService::searchMatchesTitles_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<QString>("category");
    QTest::addColumn<QString>("timeFilter");
    QTest::addColumn<QStringList>("expected");

    const QString any = TIME_FILTER_ANY_TIME;
    QTest::newRow("Latin words in any order") << "LIGHTS northern" << "" << any
                                              << QStringList({"Northern lights over the fells"});
    QTest::newRow("Cyrillic in another case") << QString::fromUtf8("КОТ") << "" << any
                                              << QStringList({QString::fromUtf8("Кот и первый снег")});
    QTest::newRow("Greek") << QString::fromUtf8("Σαντορίνη") << "" << any
                           << QStringList({QString::fromUtf8("Ηλιοβασίλεμα στη Σαντορίνη")});
    QTest::newRow("Japanese without spaces") << QString::fromUtf8("段ボール") << "" << any
                                             << QStringList({QString::fromUtf8("ねこと段ボール箱")});
    QTest::newRow("Arabic") << QString::fromUtf8("القهوة") << "" << any
                            << QStringList({QString::fromUtf8("طريقة تحضير القهوة العربية")});
    QTest::newRow("Hebrew") << QString::fromUtf8("ים המלח") << "" << any
                            << QStringList({QString::fromUtf8("שקיעה בים המלח")});
    QTest::newRow("Thai") << QString::fromUtf8("ตลาดน้ำ") << "" << any
                          << QStringList({QString::fromUtf8("ตลาดน้ำยามเช้า")});
    QTest::newRow("keywords find every script")
        << "cat" << "" << any
        << QStringList({"Kitten meets the robot vacuum", QString::fromUtf8("Кот и первый снег"),
                        QString::fromUtf8("ねこと段ボール箱")});
    QTest::newRow("a category narrows") << "sea" << "Travel" << any
                                        << QStringList({QString::fromUtf8("Ηλιοβασίλεμα στη Σαντορίνη"),
                                                        QString::fromUtf8("שקיעה בים המלח")});
    QTest::newRow("today leaves out older uploads")
        << "cat" << "" << TIME_FILTER_TODAY
        << QStringList({"Kitten meets the robot vacuum", QString::fromUtf8("ねこと段ボール箱")});
    QTest::newRow("nothing matches") << "zqxj" << "" << any << QStringList();
}

void TestDemoService::searchMatchesTitles()
{
    QFETCH(QString, text);
    QFETCH(QString, category);
    QFETCH(QString, timeFilter);
    QFETCH(QStringList, expected);

    DemoWorld world;
    world.repository->setSetting(SETTING_TIME_FILTER, timeFilter);
    VideoListModel model(world.repository.get());
    QSignalSpy ready(world.service.get(), &VideoServiceProvider::updateModel);
    QSignalSpy none(world.service.get(), &VideoServiceProvider::noResults);
    world.service->search(text, category, QString(), &model, 0);
    QTRY_VERIFY(ready.count() + none.count() > 0);
    QCOMPARE(sortedTitles(titles(model)), sortedTitles(expected));
}

void TestDemoService::standardFeedsNarrowWithTheTimeFrame_data()
{
    QTest::addColumn<int>("feed");
    QTest::addColumn<FeedKey>("order");

    QTest::newRow("most viewed") << int(eMostViewed)
                                 << FeedKey([](const VideoEntry& v) { return v.getViewCount().toDouble(); });
    QTest::newRow("most recent") << int(eMostRecent)
                                 << FeedKey([](const VideoEntry& v) { return double(v.getUploadDate().toSecsSinceEpoch()); });
    QTest::newRow("most discussed") << int(eMostDiscussed)
                                    << FeedKey([](const VideoEntry& v) { return v.getCommentCount().toDouble(); });
    QTest::newRow("top rated") << int(eTopRated) << FeedKey([](const VideoEntry& v) { return v.getRating().toDouble(); });
}

void TestDemoService::standardFeedsNarrowWithTheTimeFrame()
{
    QFETCH(int, feed);
    QFETCH(FeedKey, order);

    DemoWorld world;
    const QList<QPair<QString, qint64>> frames = {
        {TIME_FILTER_TODAY, 1}, {TIME_FILTER_THIS_WEEK, 7}, {TIME_FILTER_THIS_MONTH, 30}, {TIME_FILTER_ANY_TIME, 0}};
    int previousTotal = 0;
    for (const auto& [time, days] : frames) {
        VideoListModel model(world.repository.get());
        QSignalSpy ready(world.service.get(), &VideoServiceProvider::updateModel);
        world.service->getFeed(eFeedRequestType(feed), &model, 0, time);
        QVERIFY2(ready.wait(), qPrintable(time));
        // Each wider frame adds videos; each lists what was uploaded within it, in
        // the order of the figure that the rows show.
        const int total = world.service->getTotalResults(&model);
        QVERIFY2(total > previousTotal, qPrintable(time));
        previousTotal = total;
        QCOMPARE(model.rowCount(), qMin(total, DEFAULT_AMOUNT_OF_RESULTS));
        const QDateTime from = QDateTime::currentDateTimeUtc().addDays(-days).addSecs(-60);
        for (int row = 0; row < model.rowCount(); ++row) {
            QVERIFY2(days == 0 || model.entryAt(row)->getUploadDate() >= from, qPrintable(time));
            QVERIFY2(row == 0 || order(*model.entryAt(row - 1)) >= order(*model.entryAt(row)), qPrintable(time));
        }
    }
    QVERIFY(previousTotal <= world.catalogue->videos().count());
}

void TestDemoService::accountAfterSignIn_data()
{
    QTest::addColumn<QString>("password");
    QTest::addColumn<bool>("signedIn");

    QTest::newRow("the printed password") << DemoCatalogue::PASSWORD << true;
    QTest::newRow("another password") << DemoCatalogue::PASSWORD + QLatin1Char('x') << false;
}

void TestDemoService::accountAfterSignIn()
{
    QFETCH(QString, password);
    QFETCH(bool, signedIn);

    DemoWorld world;
    world.storeAccount(DemoCatalogue::USER, password);
    QSignalSpy authenticated(world.service.get(), &VideoServiceProvider::authenticated);
    world.service->authenticate(ePlainLogin);
    QVERIFY(authenticated.wait());
    QCOMPARE(authenticated.at(0).at(0).toBool(), signedIn);
    if (!signedIn)
        return;

    // Contacts: the accepted ones and the invitation to answer, with their pictures.
    ContactListModel contacts;
    world.service->getContacts(&contacts);
    QTRY_COMPARE(contacts.rowCount(), 4);
    QTRY_VERIFY(!contacts.entryAt(3)->getThumbnail().isNull());
    QCOMPARE(contacts.entryAt(3)->getUserName(), QString("desert_lens"));
    QVERIFY(contacts.entryAt(3)->isPending());

    // The statistics count what the lists show: contacts without the invitation.
    QSignalSpy profile(world.service.get(), &VideoServiceProvider::profileFetched);
    world.service->getProfile();
    QVERIFY(profile.wait());
    const auto fields = profile.at(0).at(0).value<QHash<QString, QString>>();
    QCOMPARE(fields.value(PROFILE_CONTACTS), QString::number(contacts.rowCount() - 1));
    QCOMPARE(fields.value(PROFILE_FAVORITES), QString::number(world.catalogue->favorites().count()));

    MessageListModel inbox;
    world.service->getInboxMessages(&inbox, 0);
    QTRY_COMPARE(inbox.rowCount(), world.catalogue->inbox().count());
    QCOMPARE(inbox.entryAt(0)->getVideoId(), world.catalogue->inbox().at(0).video.id);

    PlayListModel playLists(world.repository.get());
    QSignalSpy fetched(world.service.get(), &VideoServiceProvider::playListsFetched);
    world.service->getPlayLists(&playLists);
    QVERIFY(fetched.wait());
    QCOMPARE(playLists.rowCount(), world.catalogue->playLists().count());
    QCOMPARE(playLists.entryAt(1)->getName(), QString("Kitchen"));

    // The account's playlist shows the videos' own titles.
    VideoListModel entries(world.repository.get());
    QSignalSpy entriesFetched(world.service.get(), &VideoServiceProvider::playListEntriesFetched);
    world.service->getPlayListEntries(*playLists.entryAt(1), &entries);
    QVERIFY(entriesFetched.wait());
    QCOMPARE(titles(entries).value(1), QString::fromUtf8("Як зварити справжній борщ"));
}

void TestDemoService::commentsComeInPagesWithThePosted_data()
{
    QTest::addColumn<int>("posted");
    QTest::addColumn<int>("startIndex");
    QTest::addColumn<int>("rows");

    QTest::newRow("first page") << 0 << 0 << 50;
    QTest::newRow("second page") << 0 << 51 << 50;
    QTest::newRow("last page") << 0 << 101 << 37;
    QTest::newRow("posted ones come first") << 2 << 0 << 50;
    QTest::newRow("posted ones push the last page on") << 2 << 101 << 39;
}

// The most discussed video of today has its comments on three pages; comments posted
// during the run are kept, newest first, and counted.
void TestDemoService::commentsComeInPagesWithThePosted()
{
    QFETCH(int, posted);
    QFETCH(int, startIndex);
    QFETCH(int, rows);

    DemoWorld world;
    world.storeToken(FakeAccount::TOKEN);
    VideoListModel discussed(world.repository.get());
    QSignalSpy ready(world.service.get(), &VideoServiceProvider::updateModel);
    world.service->getFeed(eMostDiscussed, &discussed, 0, TIME_FILTER_TODAY);
    QVERIFY(ready.wait());
    QSignalSpy commented(world.service.get(), &VideoServiceProvider::commentingDone);
    for (int i = 1; i <= posted; ++i) {
        world.service->commentVideo(QStringLiteral("Posted %1").arg(i), discussed.entryAt(0));
        QVERIFY(commented.wait());
    }

    CommentListModel comments;
    QSignalSpy fetched(world.service.get(), &VideoServiceProvider::commentsReady);
    world.service->getComments(discussed.entryAt(0), &comments, startIndex);
    QVERIFY(fetched.wait());
    QCOMPARE(comments.getTotal(), 137 + posted);
    QCOMPARE(comments.rowCount(), rows);
    const bool postedFirst = comments.entryAt(0)->getAuthor() == DemoCatalogue::USER
        && comments.entryAt(0)->getContent() == QStringLiteral("Posted %1").arg(posted);
    QCOMPARE(postedFirst, posted > 0 && startIndex == 0);
}

void TestDemoService::captchaAccountIsAskedOnce_data()
{
    QTest::addColumn<QStringList>("answers");

    QTest::newRow("the answer in the picture") << QStringList({DemoCatalogue::CAPTCHA_ANSWER});
    QTest::newRow("a wrong answer first") << QStringList({"tundra", DemoCatalogue::CAPTCHA_ANSWER});
}

// The captcha account is challenged until it gives the answer that its picture shows
// legibly, and signs in without a challenge after that.
void TestDemoService::captchaAccountIsAskedOnce()
{
    QFETCH(QStringList, answers);

    DemoWorld world;
    world.storeAccount(DemoCatalogue::CAPTCHA_USER, DemoCatalogue::PASSWORD);
    QSignalSpy challenged(world.service.get(), &VideoServiceProvider::captchaChallenge);
    QSignalSpy authenticated(world.service.get(), &VideoServiceProvider::authenticated);
    world.service->authenticate(ePlainLogin);
    QVERIFY(challenged.wait());
    // Dark letters standing apart, in a picture that the captcha view shows whole.
    const QImage picture(PostManager::captchaImageFile(*world.repository));
    QVERIFY(picture.width() <= 400 && picture.height() <= 120);
    QCOMPARE(darkColumnRuns(picture), DemoCatalogue::CAPTCHA_ANSWER.size());

    for (const QString& answer : answers) {
        world.repository->setSetting(SETTING_YOUTUBE_CAPTCHA_ANSWER, answer);
        world.service->authenticate(eCaptchaLogin);
        QVERIFY(answer == answers.last() ? authenticated.wait() : challenged.wait());
    }
    world.service->authenticate(ePlainLogin);
    QVERIFY(authenticated.wait());
    QCOMPARE(challenged.count(), answers.count());
    QVERIFY(authenticated.at(0).at(0).toBool() && authenticated.at(1).at(0).toBool());
}

void TestDemoService::picturesAreDrawnPerVideo_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<QSize>("size");

    QTest::newRow("list picture") << "default" << QSize(120, 90);
    QTest::newRow("medium") << "mqdefault" << QSize(320, 180);
    QTest::newRow("large") << "hqdefault" << QSize(480, 360);
}

void TestDemoService::picturesAreDrawnPerVideo()
{
    QFETCH(QString, name);
    QFETCH(QSize, size);

    DemoWorld world;
    QList<QImage> pictures;
    for (int index : {0, 1, 17}) {
        const QByteArray data = world.get(QStringLiteral("/ytimg/vi/%1/%2.jpg").arg(world.catalogue->videos().at(index).id, name));
        const QImage picture = QImage::fromData(data, "JPG");
        QCOMPARE(picture.size(), size);
        // The video's own colour covers a good part of the picture.
        const QColor own = DemoPictures::signatureColour(index);
        int close = 0;
        for (int y = 0; y < picture.height(); ++y)
            for (int x = 0; x < picture.width(); ++x)
                close += near(picture.pixelColor(x, y), own);
        QVERIFY2(close > picture.width() * picture.height() / 50, qPrintable(QString::number(index)));
        for (const QImage& other : std::as_const(pictures))
            QVERIFY(other != picture);
        pictures.append(picture);
    }
    QVERIFY(world.get(QStringLiteral("/ytimg/vi/unknown0000/%1.jpg").arg(name)).isEmpty());
}

void TestDemoService::videoFilesPlayAtTheirPace_data()
{
    QTest::addColumn<bool>("keepsAhead");

    QTest::newRow("arrives faster than it plays") << true;
    QTest::newRow("arrives slower than it plays") << false;
}

// The shortest video of each pace is fetched as the program does: the watch page for
// the token, then the file, which the real player then plays.
void TestDemoService::videoFilesPlayAtTheirPace()
{
    QFETCH(bool, keepsAhead);

    DemoWorld world;
    int index = -1;
    const QList<FakeVideo>& videos = world.catalogue->videos();
    for (int i = 0; i < videos.count(); ++i)
        if ((DemoVideoFiles::paceShare(i) > 1) == keepsAhead && (index < 0 || videos.at(i).seconds < videos.at(index).seconds))
            index = i;
    QVERIFY(index >= 0);
    const FakeVideo& video = videos.at(index);
    const QString token = VideoDownloadManager::extractToken(world.get(QStringLiteral("/www/watch?v=") + video.id));
    QVERIFY(!token.isEmpty());

    // Two seconds of the download, from its first byte.
    QNetworkAccessManager network;
    const QUrl url(world.fake.baseUrl() + QStringLiteral("/www/get_video?video_id=%1&t=%2").arg(video.id, token));
    std::unique_ptr<QNetworkReply> reply(network.get(QNetworkRequest(url)));
    QByteArray fetched;
    qint64 firstBytes = 0;
    QElapsedTimer sinceFirst;
    QVERIFY(QTest::qWaitFor([&] {
        fetched += reply->readAll();
        if (!sinceFirst.isValid() && !fetched.isEmpty()) {
            sinceFirst.start();
            firstBytes = fetched.size();
        }
        return sinceFirst.isValid() && sinceFirst.elapsed() >= 2000;
    }, 20000));
    const double secondsFetched = sinceFirst.elapsed() / 1000.0;
    reply->abort();
    QCOMPARE(reply->header(QNetworkRequest::ContentTypeHeader).toString(), QString("video/x-flv"));

    const QByteArray whole = DemoVideoFiles(world.catalogue).file(index);
    QCOMPARE(reply->header(QNetworkRequest::ContentLengthHeader).toLongLong(), whole.size());
    QVERIFY(whole.startsWith(fetched));
    const double playRate = double(whole.size()) / video.seconds;   // bytes a second of video
    const double fetchRate = (fetched.size() - firstBytes) / secondsFetched;
    QVERIFY2(keepsAhead ? fetchRate > playRate : fetchRate < playRate,
             qPrintable(QStringLiteral("%1 bytes/s arrive, %2 play").arg(fetchRate).arg(playRate)));

    // The player knows the length from what has come; the whole file plays to its end
    // in the colour of the video's pictures, the time bar (bottom) run full.
    const QString part = world.environment.root() + QStringLiteral("/part.flv");
    const QString full = world.environment.root() + QStringLiteral("/full.flv");
    QVERIFY(writeFile(part, fetched) && writeFile(full, whole));
    const QString pictures = world.environment.root() + QStringLiteral("/pictures");
    QCOMPARE(lookWithPlayer(part, 0, pictures).length, double(video.seconds));
    const PlayerLook end = lookWithPlayer(full, video.seconds - 0.5, pictures);
    QCOMPARE(end.length, double(video.seconds));
    QCOMPARE(end.picture.size(), QSize(320, 240));
    QVERIFY(near(end.picture.pixelColor(10, 190), DemoPictures::signatureColour(index)));
    QVERIFY(near(end.picture.pixelColor(310, 237), QColor(128, 128, 128)));
}

QTEST_MAIN(TestDemoService)
#include "tst_demoservice.moc"
