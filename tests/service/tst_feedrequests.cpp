#include "tests/support/TestSupport.h"

#include "core/VideoEntry.h"
#include "core/VideoListModel.h"
#include "core/constants/Settings.h"

#include <QDir>
#include <QFileInfo>

// Feed requests through the service against the fake service: the request each
// operation sends, and what arrives in the model.
class TestFeedRequests : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void standardFeedRequest_data();
    void standardFeedRequest();
    void pageKeys_data();
    void pageKeys();
    void safeSearchFollowsRestrictedContent_data();
    void safeSearchFollowsRestrictedContent();
    void searchRequest_data();
    void searchRequest();
    void relatedResponsesAndUploads_data();
    void relatedResponsesAndUploads();
    void entriesOfAPage();
    void thumbnailsAreFetchedAttachedAndAnnounced();
    void unsafeThumbnailAddressesAreNotFollowed();
    void thumbnailsOfEveryPictureHost_data();
    void thumbnailsOfEveryPictureHost();
    void emptyFeedsRaiseNoResults();
    void missingInputsSendNothing();
    void relatedFailureHasItsOwnSignal();
    void modelDeletedWhileRequestRuns();
    void modelClearedWhileThumbnailsArrive();
    void newRequestReplacesTheRunningOne();
    void cancelledRequestsReportNothing();
};

void TestFeedRequests::standardFeedRequest_data()
{
    QTest::addColumn<int>("type");
    QTest::addColumn<QString>("timeFilter");
    QTest::addColumn<QString>("path");
    QTest::addColumn<QString>("time");

    QTest::newRow("most viewed today") << int(eMostViewed) << "Today"
                                       << "/gdata/feeds/api/standardfeeds/most_viewed" << "today";
    QTest::newRow("most recent this week") << int(eMostRecent) << "This week"
                                           << "/gdata/feeds/api/standardfeeds/most_recent" << "this_week";
    QTest::newRow("most discussed this month") << int(eMostDiscussed) << "This month"
                                               << "/gdata/feeds/api/standardfeeds/most_discussed" << "this_month";
    QTest::newRow("top rated any time") << int(eTopRated) << "Any time"
                                        << "/gdata/feeds/api/standardfeeds/top_rated" << "all_time";
    QTest::newRow("service value passes") << int(eTopRated) << "this_week"
                                          << "/gdata/feeds/api/standardfeeds/top_rated" << "this_week";
    QTest::newRow("no filter: the stored one") << int(eMostViewed) << ""
                                               << "/gdata/feeds/api/standardfeeds/most_viewed" << "today";
}

void TestFeedRequests::standardFeedRequest()
{
    QFETCH(int, type);
    QFETCH(QString, timeFilter);
    QFETCH(QString, path);
    QFETCH(QString, time);

    TestWorld world(TestWorld::Service);
    VideoListModel model(world.repository.get());
    QSignalSpy ready(world.service.get(), &VideoServiceProvider::updateModel);
    world.service->getFeed(eFeedRequestType(type), &model, 0, timeFilter);
    QVERIFY(ready.wait());

    const FakeRequest request = world.last(QStringLiteral("/gdata/feeds/"));
    QCOMPARE(request.path, path);
    QCOMPARE(queryKeys(request), QStringList({"max-results", "start-index", "time", "safeSearch", "v"}));
    QCOMPARE(request.queryValue("max-results"), QString("30"));
    QCOMPARE(request.queryValue("start-index"), QString("1"));
    QCOMPARE(request.queryValue("time"), time);
    QCOMPARE(request.queryValue("safeSearch"), QString("strict"));
    QCOMPARE(request.queryValue("v"), QString("2"));
    QCOMPARE(request.header("GData-Version"), QByteArray("2"));
    QVERIFY(request.header("X-GData-Key").startsWith("key="));
    QVERIFY(request.header("X-GData-Key").size() > 10);
    QCOMPARE(model.rowCount(), 4);
}

void TestFeedRequests::pageKeys_data()
{
    QTest::addColumn<int>("startIndex");
    QTest::addColumn<int>("amount");
    QTest::addColumn<QString>("sentStart");
    QTest::addColumn<QString>("sentMax");

    QTest::newRow("first page") << 0 << 30 << "1" << "30";
    QTest::newRow("second page of ten") << 11 << 10 << "11" << "10";
    QTest::newRow("negative start") << -5 << 20 << "1" << "20";
    QTest::newRow("above the service's limit") << 1 << 75 << "1" << "50";
    QTest::newRow("unset amount") << 1 << 0 << "1" << "30";
}

void TestFeedRequests::pageKeys()
{
    QFETCH(int, startIndex);
    QFETCH(int, amount);
    QFETCH(QString, sentStart);
    QFETCH(QString, sentMax);

    TestWorld world(TestWorld::Service);
    world.repository->setSetting(SETTING_AMOUNT_OF_RESULTS, amount);
    VideoListModel model(world.repository.get());
    QSignalSpy ready(world.service.get(), &VideoServiceProvider::updateModel);
    world.service->getFeed(eMostViewed, &model, startIndex, QStringLiteral("Today"));
    QVERIFY(ready.wait());
    const FakeRequest request = world.last(QStringLiteral("/gdata/feeds/"));
    QCOMPARE(request.queryValue("start-index"), sentStart);
    QCOMPARE(request.queryValue("max-results"), sentMax);
}

void TestFeedRequests::safeSearchFollowsRestrictedContent_data()
{
    QTest::addColumn<QString>("restricted");
    QTest::addColumn<QString>("safeSearch");
    QTest::newRow("0 shows everything") << "0" << "none";
    QTest::newRow("1") << "1" << "strict";
    QTest::newRow("2 (ticked)") << "2" << "strict";
    // What cannot be read takes the default, which is strict.
    QTest::newRow("not a number") << "none" << "strict";
    QTest::newRow("empty") << "" << "strict";
}

void TestFeedRequests::safeSearchFollowsRestrictedContent()
{
    QFETCH(QString, restricted);
    QFETCH(QString, safeSearch);

    TestWorld world(TestWorld::Service);
    world.repository->setSetting(SETTING_RESTRICTED_CONTENT, restricted);
    VideoListModel model(world.repository.get());
    QSignalSpy ready(world.service.get(), &VideoServiceProvider::updateModel);
    world.service->getFeed(eTopRated, &model, 0, QStringLiteral("Today"));
    QVERIFY(ready.wait());
    world.service->search(QStringLiteral("kissa"), QString(), QString(), &model, 0);
    QVERIFY(ready.wait());
    const QList<FakeRequest> requests = world.fake.requestsTo(QStringLiteral("/gdata/feeds/"));
    QCOMPARE(requests.size(), 2);
    for (const FakeRequest& request : requests)
        QCOMPARE(request.queryValue("safeSearch"), safeSearch);
}

void TestFeedRequests::searchRequest_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<QString>("category");
    QTest::addColumn<QString>("sortBy");
    QTest::addColumn<QString>("storedTime");
    QTest::addColumn<QStringList>("keys");
    QTest::addColumn<QString>("time");

    const QStringList all{"q", "category", "orderby", "max-results", "start-index", "time", "safeSearch", "v"};
    const QStringList plain{"q", "max-results", "start-index", "time", "safeSearch", "v"};
    QTest::newRow("category and sort") << "revontulet" << "Travel" << "viewCount" << "Today" << all << "today";
    QTest::newRow("relevance, all categories") << "revontulet" << "" << "" << "This week" << plain << "this_week";
    QTest::newRow("reserved characters") << "c++ & a=b #1 50%" << "" << "" << "This month" << plain << "this_month";
    QTest::newRow("non-ASCII") << "ääni 東京" << "" << "" << "Any time" << plain << "all_time";
    QTest::newRow("unknown stored time frame") << "x" << "" << "" << "Yesterday" << plain << "all_time";
}

void TestFeedRequests::searchRequest()
{
    QFETCH(QString, text);
    QFETCH(QString, category);
    QFETCH(QString, sortBy);
    QFETCH(QString, storedTime);
    QFETCH(QStringList, keys);
    QFETCH(QString, time);

    TestWorld world(TestWorld::Service);
    world.repository->setSetting(SETTING_TIME_FILTER, storedTime);
    VideoListModel model(world.repository.get());
    QSignalSpy ready(world.service.get(), &VideoServiceProvider::updateModel);
    world.service->search(text, category, sortBy, &model, 0);
    QVERIFY(ready.wait());

    const FakeRequest request = world.last(QStringLiteral("/gdata/feeds/"));
    QCOMPARE(request.path, QString("/gdata/feeds/api/videos"));
    QCOMPARE(queryKeys(request), keys);
    QCOMPARE(request.queryValue("q"), text);
    QCOMPARE(request.queryValue("category"), category);
    QCOMPARE(request.queryValue("orderby"), sortBy);
    QCOMPARE(request.queryValue("time"), time);
    QCOMPARE(model.rowCount(), 4);
}

void TestFeedRequests::relatedResponsesAndUploads_data()
{
    QTest::addColumn<int>("operation");   // 0 related, 1 responses, 2 uploads
    QTest::addColumn<int>("startIndex");
    QTest::addColumn<QString>("path");
    QTest::addColumn<QStringList>("keys");

    QTest::newRow("related") << 0 << 0 << "/gdata/feeds/api/videos/kx9fW2qHb1s/related"
                             << QStringList{"max-results", "start-index", "safeSearch", "v"};
    QTest::newRow("responses, page 2") << 1 << 31 << "/gdata/feeds/api/videos/kx9fW2qHb1s/responses"
                                       << QStringList{"max-results", "start-index", "safeSearch", "v"};
    QTest::newRow("uploads, first page has no start index")
        << 2 << 0 << "/gdata/feeds/api/users/yuki.sato/uploads" << QStringList{"max-results", "safeSearch", "v"};
    QTest::newRow("uploads, page 2") << 2 << 31 << "/gdata/feeds/api/users/yuki.sato/uploads"
                                     << QStringList{"max-results", "start-index", "safeSearch", "v"};
}

void TestFeedRequests::relatedResponsesAndUploads()
{
    QFETCH(int, operation);
    QFETCH(int, startIndex);
    QFETCH(QString, path);
    QFETCH(QStringList, keys);

    TestWorld world(TestWorld::Service);
    VideoListModel model(world.repository.get());
    VideoEntry video = videoWithId(FakeFeeds::VIDEO_ID);
    QSignalSpy ready(world.service.get(), &VideoServiceProvider::updateModel);
    if (operation == 0)
        world.service->getRelatedVideos(&video, &model, startIndex);
    else if (operation == 1)
        world.service->getVideoResponses(&video, &model, startIndex);
    else
        world.service->getUploadedVideos(QStringLiteral("yuki.sato"), &model, startIndex);
    QVERIFY(ready.wait());

    const FakeRequest request = world.last(QStringLiteral("/gdata/feeds/"));
    QCOMPARE(request.path, path);
    QCOMPARE(queryKeys(request), keys);
    if (startIndex > 0)
        QCOMPARE(request.queryValue("start-index"), QString::number(startIndex));
    QCOMPARE(model.rowCount(), 4);
}

void TestFeedRequests::entriesOfAPage()
{
    TestWorld world(TestWorld::Service);
    VideoListModel model(world.repository.get());
    QSignalSpy inserted(&model, &QAbstractItemModel::rowsInserted);
    QSignalSpy ready(world.service.get(), &VideoServiceProvider::updateModel);
    world.service->getFeed(eMostViewed, &model, 0, QStringLiteral("Today"));
    QVERIFY(ready.wait());
    QCOMPARE(ready.count(), 1);

    // One insertion per row, in feed order.
    QCOMPARE(inserted.count(), 4);
    for (int i = 0; i < inserted.count(); ++i) {
        QCOMPARE(inserted.at(i).at(1).toInt(), i);
        QCOMPARE(inserted.at(i).at(2).toInt(), i);
    }
    QCOMPARE(world.service->getTotalResults(&model), 84);

    auto* first = model.data(model.index(0, 0)).value<VideoEntry*>();
    QVERIFY(first);
    QCOMPARE(first->getVideoId(), QString("kx9fW2qHb1s"));
    QCOMPARE(first->getName(), QString::fromUtf8("Revontulet Ylläksellä – ääni & kuva"));
    QCOMPARE(first->getAuthor(), QString("lumikuvaaja"));
    QCOMPARE(first->getLength(), 263.0f);
    QCOMPARE(first->getViewCount(), QString("1284467"));
    QCOMPARE(first->getCommentCount(), QString("1533"));
    QCOMPARE(first->getRating(), QString("4.871245"));
    QCOMPARE(first->getRatingCount(), QString("9412"));
    QCOMPARE(first->getThumbnailUrl(), QString("http://i1.ytimg.com/vi/kx9fW2qHb1s/default.jpg"));

    auto* unrated = model.entryAt(1);
    QCOMPARE(unrated->getVideoId(), QString("Q3m_Zt8pL0e"));
    QCOMPARE(unrated->getName(), QString::fromUtf8("東京の夜景 timelapse"));
    QCOMPARE(unrated->getRating(), QString());
    QCOMPARE(unrated->getCommentCount(), QString());
    QCOMPARE(unrated->getViewCount(), QString("5512"));

    auto* sparse = model.entryAt(2);
    QCOMPARE(sparse->getVideoId(), QString("aB-7rT4wXy2"));
    QCOMPARE(sparse->getAuthor(), QString("dr_ogg"));
    QCOMPARE(sparse->getLength(), 41.0f);
    QCOMPARE(sparse->getViewCount(), QString());
    QCOMPARE(sparse->getThumbnailUrl(), QString());
}

void TestFeedRequests::thumbnailsAreFetchedAttachedAndAnnounced()
{
    TestWorld world(TestWorld::Service);
    VideoListModel model(world.repository.get());
    QSignalSpy changed(&model, &QAbstractItemModel::dataChanged);
    QSignalSpy ready(world.service.get(), &VideoServiceProvider::updateModel);
    world.service->getFeed(eMostViewed, &model, 0, QStringLiteral("Today"));
    QVERIFY(ready.wait());

    // Three of the four entries name a thumbnail.
    QTRY_COMPARE(changed.count(), 3);
    const QString folder = world.repository->getThumbnailFolder();
    for (int row : {0, 1, 3}) {
        VideoEntry* entry = model.entryAt(row);
        QVERIFY2(!entry->getThumbnail().isNull(), qPrintable(entry->getVideoId()));
        QCOMPARE(entry->getThumbnail().size(), QSize(120, 90));
        QCOMPARE(entry->getThumbnailFile(), folder + entry->getVideoId() + ".jpg");
        QVERIFY(QFileInfo::exists(entry->getThumbnailFile()));
    }
    QVERIFY(model.entryAt(2)->getThumbnail().isNull());

    // The numbered thumbnail hosts map to the thumbnail endpoint.
    const QList<FakeRequest> pictures = world.fake.requestsTo(QStringLiteral("/ytimg/vi/"));
    QCOMPARE(pictures.size(), 3);
    QCOMPARE(pictures.at(0).path, QString("/ytimg/vi/kx9fW2qHb1s/default.jpg"));
    QVERIFY(pictures.at(0).header("X-GData-Key").isEmpty());
}

// A document whose thumbnails are on each picture host of the service, over http and
// https: under a base URL every one is asked of the local service, none of the real.
void TestFeedRequests::thumbnailsOfEveryPictureHost_data()
{
    QTest::addColumn<int>("row");
    QTest::addColumn<QString>("path");
    QTest::newRow("secure main host") << 0 << "/ytimg/vi/pH1aa0000001/default.jpg";
    QTest::newRow("numbered host") << 1 << "/ytimg/vi/pH1aa0000002/default.jpg";
    QTest::newRow("web site's picture host") << 2 << "/ytimg/vi/pH1aa0000003/2.jpg";
    QTest::newRow("web site's picture host, secure") << 3 << "/ytimg/vi/pH1aa0000004/default.jpg";
}

void TestFeedRequests::thumbnailsOfEveryPictureHost()
{
    QFETCH(int, row);
    QFETCH(QString, path);
    TestWorld world(TestWorld::Service);
    world.fake.addRoute("GET", QStringLiteral("/gdata/feeds/api/standardfeeds/most_recent"),
                        FakeResponse::fixture(QStringLiteral("picture-hosts-feed.xml"), "application/atom+xml"));
    VideoListModel model(world.repository.get());
    QSignalSpy ready(world.service.get(), &VideoServiceProvider::updateModel);
    world.service->getFeed(eMostRecent, &model, 0, QStringLiteral("Today"));
    QVERIFY(ready.wait());
    QCOMPARE(model.rowCount(), 4);
    QTRY_VERIFY(!model.entryAt(row)->getThumbnail().isNull());
    QCOMPARE(world.fake.requestsTo(path).size(), 1);
}

void TestFeedRequests::unsafeThumbnailAddressesAreNotFollowed()
{
    TestWorld world(TestWorld::Service);
    QByteArray feed = FakeFeeds::makeVideoFeed(3, 3);
    feed.replace("http://i2.ytimg.com/vi/v0000000001/default.jpg", "file:///etc/passwd");
    feed.replace("<yt:videoid>v0000000002</yt:videoid>", "<yt:videoid>../../../escape</yt:videoid>");
    world.fake.addRoute("GET", QStringLiteral("/gdata/feeds/api/standardfeeds/most_recent"),
                        FakeResponse::document(feed, "application/atom+xml"));
    VideoListModel model(world.repository.get());
    QSignalSpy changed(&model, &QAbstractItemModel::dataChanged);
    QSignalSpy ready(world.service.get(), &VideoServiceProvider::updateModel);
    world.service->getFeed(eMostRecent, &model, 0, QStringLiteral("Today"));
    QVERIFY(ready.wait());
    QTRY_VERIFY(requestsSettled(world.service.get()));
    QCOMPARE(changed.count(), 2);

    QVERIFY(model.entryAt(0)->getThumbnail().isNull());
    // The odd id still gets its picture, but inside the thumbnails folder.
    VideoEntry* odd = model.entryAt(1);
    QCOMPARE(odd->getVideoId(), QString("../../../escape"));
    QVERIFY(!odd->getThumbnail().isNull());
    const QString folder = QDir(world.repository->getThumbnailFolder()).canonicalPath();
    QCOMPARE(QFileInfo(odd->getThumbnailFile()).canonicalPath(), folder);
}

void TestFeedRequests::emptyFeedsRaiseNoResults()
{
    TestWorld world(TestWorld::Service);
    VideoListModel model(world.repository.get());
    QSignalSpy none(world.service.get(), &VideoServiceProvider::noResults);
    QSignalSpy ready(world.service.get(), &VideoServiceProvider::updateModel);
    QSignalSpy failed(world.service.get(), &VideoServiceProvider::errorOccuredInFeedRequest);

    world.service->search(FakeFeeds::EMPTY_SEARCH, QString(), QString(), &model, 0);
    QVERIFY(none.wait());
    world.service->getUploadedVideos(FakeFeeds::EMPTY_USER, &model, 0);
    QVERIFY(none.wait());
    QCOMPARE(none.count(), 2);
    QCOMPARE(ready.count(), 0);
    QCOMPARE(failed.count(), 0);
    QCOMPARE(model.rowCount(), 0);
    QCOMPARE(world.service->getTotalResults(&model), 0);
}

void TestFeedRequests::missingInputsSendNothing()
{
    TestWorld world(TestWorld::Service);
    VideoListModel model(world.repository.get());
    VideoEntry noId;
    QSignalSpy feedError(world.service.get(), &VideoServiceProvider::errorOccuredInFeedRequest);
    QSignalSpy relatedError(world.service.get(), &VideoServiceProvider::errorOccuredInRelatedVideos);

    world.service->getFeed(eMostViewed, nullptr, 0, QString());
    world.service->search(QStringLiteral("x"), QString(), QString(), nullptr, 0);
    world.service->getRelatedVideos(nullptr, &model, 0);
    world.service->getRelatedVideos(&noId, &model, 0);
    world.service->getUploadedVideos(QStringLiteral("  "), &model, 0);
    world.service->getUploadedVideos(QStringLiteral(".."), &model, 0);
    QTRY_COMPARE(relatedError.count(), 1);
    QTRY_COMPARE(feedError.count(), 2);
    QTRY_VERIFY(requestsSettled(world.service.get()));
    QVERIFY(world.fake.requests().isEmpty());
}

void TestFeedRequests::relatedFailureHasItsOwnSignal()
{
    TestWorld world(TestWorld::Service);
    world.fake.addRoute("GET", QStringLiteral("/gdata/feeds/api/videos/gone0000000/related"),
                        FakeResponse::error(404, "ResourceNotFoundException", "Video not found"));
    VideoListModel model(world.repository.get());
    VideoEntry video = videoWithId(FakeFeeds::REMOVED_VIDEO_ID);
    QSignalSpy feedError(world.service.get(), &VideoServiceProvider::errorOccuredInFeedRequest);
    QSignalSpy relatedError(world.service.get(), &VideoServiceProvider::errorOccuredInRelatedVideos);
    world.service->getRelatedVideos(&video, &model, 0);
    QVERIFY(relatedError.wait());
    QCOMPARE(feedError.count(), 0);
    QCOMPARE(model.rowCount(), 0);
}

void TestFeedRequests::modelDeletedWhileRequestRuns()
{
    TestWorld world(TestWorld::Service);
    FakeResponse slow = FakeResponse::fixture(QStringLiteral("standard-feed.xml"), "application/atom+xml");
    slow.delayMs = 200;
    world.fake.addRoute("GET", QStringLiteral("/gdata/feeds/api/standardfeeds/most_viewed"), slow);

    auto* model = new VideoListModel(world.repository.get());
    QSignalSpy ready(world.service.get(), &VideoServiceProvider::updateModel);
    QSignalSpy failed(world.service.get(), &VideoServiceProvider::errorOccuredInFeedRequest);
    world.service->getFeed(eMostViewed, model, 0, QStringLiteral("Today"));
    QTRY_COMPARE(world.fake.requests().size(), 1);
    delete model;
    QTRY_VERIFY(requestsSettled(world.service.get()));
    QCOMPARE(ready.count(), 0);
    QCOMPARE(failed.count(), 0);
    QCOMPARE(world.service->getTotalResults(model), 0);
}

void TestFeedRequests::modelClearedWhileThumbnailsArrive()
{
    TestWorld world(TestWorld::Service);
    FakeResponse slowPicture = FakeResponse::document(FakeFeeds::thumbnailImage(), "image/jpeg");
    slowPicture.delayMs = 200;
    world.fake.addRoute("GET", QStringLiteral("/ytimg/vi/*"), slowPicture);

    VideoListModel model(world.repository.get());
    QSignalSpy changed(&model, &QAbstractItemModel::dataChanged);
    QSignalSpy ready(world.service.get(), &VideoServiceProvider::updateModel);
    world.service->getFeed(eMostViewed, &model, 0, QStringLiteral("Today"));
    QVERIFY(ready.wait());
    model.clear();
    QTRY_VERIFY(requestsSettled(world.service.get()));
    QCOMPARE(changed.count(), 0);

    // A later page of the same model gets its pictures again.
    world.service->getFeed(eMostViewed, &model, 0, QStringLiteral("Today"));
    QVERIFY(ready.wait());
    QTRY_COMPARE(changed.count(), 3);
}

void TestFeedRequests::newRequestReplacesTheRunningOne()
{
    TestWorld world(TestWorld::Service);
    FakeResponse slow = FakeResponse::fixture(QStringLiteral("standard-feed.xml"), "application/atom+xml");
    slow.delayMs = 200;
    world.fake.addRoute("GET", QStringLiteral("/gdata/feeds/api/standardfeeds/most_viewed"), slow);

    VideoListModel model(world.repository.get());
    QSignalSpy ready(world.service.get(), &VideoServiceProvider::updateModel);
    world.service->getFeed(eMostViewed, &model, 0, QStringLiteral("Today"));
    world.service->getFeed(eTopRated, &model, 0, QStringLiteral("Today"));
    QVERIFY(ready.wait());
    QTRY_VERIFY(requestsSettled(world.service.get()));
    QCOMPARE(ready.count(), 1);
    QCOMPARE(model.rowCount(), 4);
}

void TestFeedRequests::cancelledRequestsReportNothing()
{
    TestWorld world(TestWorld::Service);
    FakeResponse slow = FakeResponse::fixture(QStringLiteral("standard-feed.xml"), "application/atom+xml");
    slow.delayMs = 150;
    world.fake.addRoute("GET", QStringLiteral("/gdata/feeds/api/videos"), slow);

    VideoListModel model(world.repository.get());
    QSignalSpy ready(world.service.get(), &VideoServiceProvider::updateModel);
    QSignalSpy failed(world.service.get(), &VideoServiceProvider::errorOccuredInFeedRequest);
    world.service->search(QStringLiteral("x"), QString(), QString(), &model, 0);
    world.service->cancelFeedRequests();
    QTRY_VERIFY(requestsSettled(world.service.get()));
    QCOMPARE(ready.count(), 0);
    QCOMPARE(failed.count(), 0);
    QCOMPARE(model.rowCount(), 0);
}

QTEST_MAIN(TestFeedRequests)
#include "tst_feedrequests.moc"
