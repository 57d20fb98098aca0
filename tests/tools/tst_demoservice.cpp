#include "core/ContactListModel.h"
#include "core/MessageListModel.h"
#include "core/PlayListModel.h"
#include "core/VideoListModel.h"
#include "core/constants/Settings.h"
#include "service/account/AccountConstants.h"
#include "tests/support/TestSupport.h"
#include "tools/demoservice/DemoCatalogue.h"
#include "tools/demoservice/DemoPictures.h"
#include "tools/demoservice/DemoRoutes.h"

#include <QNetworkAccessManager>
#include <QNetworkReply>
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
    std::shared_ptr<const DemoCatalogue> catalogue = std::make_shared<const DemoCatalogue>();

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
    void picturesAreDrawnPerVideo_data();
    void picturesAreDrawnPerVideo();
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
    int previousTotal = 0;
    for (const QString& time : {TIME_FILTER_TODAY, TIME_FILTER_THIS_WEEK, TIME_FILTER_THIS_MONTH, TIME_FILTER_ANY_TIME}) {
        VideoListModel model(world.repository.get());
        QSignalSpy ready(world.service.get(), &VideoServiceProvider::updateModel);
        world.service->getFeed(eFeedRequestType(feed), &model, 0, time);
        QVERIFY2(ready.wait(), qPrintable(time));
        const int total = world.service->getTotalResults(&model);
        QVERIFY2(total >= previousTotal && total > 0, qPrintable(time));
        previousTotal = total;
        QCOMPARE(model.rowCount(), qMin(total, DEFAULT_AMOUNT_OF_RESULTS));
        // Over all time a feed is ordered by its measure alone.
        if (time != TIME_FILTER_ANY_TIME)
            continue;
        for (int row = 1; row < model.rowCount(); ++row)
            QVERIFY2(order(*model.entryAt(row - 1)) >= order(*model.entryAt(row)), qPrintable(QString::number(row)));
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

    QSignalSpy profile(world.service.get(), &VideoServiceProvider::profileFetched);
    world.service->getProfile();
    QVERIFY(profile.wait());
    const auto fields = profile.at(0).at(0).value<QHash<QString, QString>>();
    QCOMPARE(fields.value(PROFILE_CONTACTS), QString::number(world.catalogue->contacts().count()));
    QCOMPARE(fields.value(PROFILE_FAVORITES), QString::number(world.catalogue->favorites().count()));

    // Contacts: the accepted ones and the invitation to answer, with their pictures.
    ContactListModel contacts;
    world.service->getContacts(&contacts);
    QTRY_COMPARE(contacts.rowCount(), 4);
    QTRY_VERIFY(!contacts.entryAt(3)->getThumbnail().isNull());
    QCOMPARE(contacts.entryAt(3)->getUserName(), QString("desert_lens"));
    QVERIFY(contacts.entryAt(3)->isPending());

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
            for (int x = 0; x < picture.width(); ++x) {
                const QColor pixel = picture.pixelColor(x, y);
                close += qAbs(pixel.red() - own.red()) + qAbs(pixel.green() - own.green())
                        + qAbs(pixel.blue() - own.blue()) < 40;
            }
        QVERIFY2(close > picture.width() * picture.height() / 50, qPrintable(QString::number(index)));
        for (const QImage& other : std::as_const(pictures))
            QVERIFY(other != picture);
        pictures.append(picture);
    }
    QVERIFY(world.get(QStringLiteral("/ytimg/vi/unknown0000/%1.jpg").arg(name)).isEmpty());
}

QTEST_MAIN(TestDemoService)
#include "tst_demoservice.moc"
