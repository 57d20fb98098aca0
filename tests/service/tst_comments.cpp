#include "tests/support/TestSupport.h"

#include "core/CommentListModel.h"
#include "core/VideoEntry.h"
#include "service/feeds/CommentFeedParser.h"

// A video's comments, one page at a time, into a CommentListModel.
class TestComments : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void startIndexRule_data();
    void startIndexRule();
    void commentsInFeedOrderWithTheTotal();
    void pagesAddToTheModelWithoutClearingIt();
    void lastPageIsShort();
    void missingTextFallsBackToTheTitle();
    void newFetchReplacesTheRunningOne();
    void modelDeletedWhileFetching();
    void missingInputs();
};

namespace {

CommentEntry* commentAt(const CommentListModel& model, int row)
{
    return itemAt<CommentEntry>(model, row);
}

} // namespace

void TestComments::startIndexRule_data()
{
    QTest::addColumn<int>("startIndex");
    QTest::addColumn<QStringList>("keys");
    QTest::addColumn<QString>("sentStart");
    QTest::newRow("0: first page, no start index") << 0 << QStringList{"max-results", "v"} << "";
    QTest::newRow("negative") << -4 << QStringList{"max-results", "v"} << "";
    QTest::newRow("1") << 1 << QStringList{"max-results", "start-index", "v"} << "1";
    QTest::newRow("51") << 51 << QStringList{"max-results", "start-index", "v"} << "51";
}

void TestComments::startIndexRule()
{
    QFETCH(int, startIndex);
    QFETCH(QStringList, keys);
    QFETCH(QString, sentStart);

    TestWorld world(TestWorld::Service);
    CommentListModel model;
    VideoEntry video = videoWithId(FakeFeeds::VIDEO_ID);
    QSignalSpy ready(world.service.get(), &VideoServiceProvider::commentsReady);
    world.service->getComments(&video, &model, startIndex);
    QVERIFY(ready.wait());
    const FakeRequest request = world.last(QStringLiteral("/gdata/feeds/api/videos/"));
    QCOMPARE(request.path, QString("/gdata/feeds/api/videos/kx9fW2qHb1s/comments"));
    QCOMPARE(queryKeys(request), keys);
    QCOMPARE(request.queryValue("max-results"), QString("50"));
    QCOMPARE(request.queryValue("start-index"), sentStart);
    QCOMPARE(request.queryValue("v"), QString("2"));
    QCOMPARE(request.header("GData-Version"), QByteArray("2"));
}

void TestComments::commentsInFeedOrderWithTheTotal()
{
    TestWorld world(TestWorld::Service);
    CommentListModel model;
    VideoEntry video = videoWithId(FakeFeeds::VIDEO_ID);
    QSignalSpy inserted(&model, &QAbstractItemModel::rowsInserted);
    QSignalSpy ready(world.service.get(), &VideoServiceProvider::commentsReady);
    world.service->getComments(&video, &model, 0);
    QVERIFY(ready.wait());
    QCOMPARE(ready.count(), 1);
    QCOMPARE(inserted.count(), 3);
    QCOMPARE(model.getTotal(), 1533);

    CommentEntry* first = commentAt(model, 0);
    QCOMPARE(first->getAuthor(), QString("tunturihaukka"));
    QCOMPARE(first->getContent(),
             QString::fromUtf8("Upeaa! Tämä on paras revontulivideo, jonka olen nähnyt \xEF\xBB\xBF"));
    QCOMPARE(first->getPublished(), QString("01.07.2013"));
    CommentEntry* second = commentAt(model, 1);
    QCOMPARE(second->getAuthor(), QString("m_kowalski"));
    QCOMPARE(second->getContent(), QString("What lens & ISO did you use? <3"));
    QCOMPARE(second->getPublished(), QString("30.06.2013"));
    QCOMPARE(commentAt(model, 2)->getContent(), QString::fromUtf8("素晴らしい！"));
}

void TestComments::pagesAddToTheModelWithoutClearingIt()
{
    TestWorld world(TestWorld::Service);
    CommentListModel model;
    VideoEntry video = videoWithId(FakeFeeds::MANY_COMMENTS_VIDEO_ID);
    QSignalSpy ready(world.service.get(), &VideoServiceProvider::commentsReady);
    world.service->getComments(&video, &model, 0);
    QVERIFY(ready.wait());
    QCOMPARE(model.rowCount(), 50);
    QCOMPARE(model.getTotal(), FakeFeeds::MANY_COMMENTS_TOTAL);
    QCOMPARE(commentAt(model, 0)->getContent(), QString("Comment 1 & reply"));
    QCOMPARE(commentAt(model, 49)->getAuthor(), QString("viewer50"));

    world.service->getComments(&video, &model, 51);
    QVERIFY(ready.wait());
    QCOMPARE(model.rowCount(), 100);
    QCOMPARE(commentAt(model, 50)->getAuthor(), QString("viewer51"));
}

void TestComments::lastPageIsShort()
{
    TestWorld world(TestWorld::Service);
    CommentListModel model;
    VideoEntry video = videoWithId(FakeFeeds::MANY_COMMENTS_VIDEO_ID);
    QSignalSpy ready(world.service.get(), &VideoServiceProvider::commentsReady);
    world.service->getComments(&video, &model, 101);
    QVERIFY(ready.wait());
    QCOMPARE(model.rowCount(), 20);
    QCOMPARE(commentAt(model, 19)->getAuthor(), QString("viewer120"));

    // Past the end: an empty page still ends the fetch.
    model.clear();
    world.service->getComments(&video, &model, 151);
    QVERIFY(ready.wait());
    QCOMPARE(model.rowCount(), 0);
    QCOMPARE(model.getTotal(), FakeFeeds::MANY_COMMENTS_TOTAL);
}

void TestComments::missingTextFallsBackToTheTitle()
{
    CommentFeedParser parser;
    QVERIFY(parser.parse("<feed xmlns='http://www.w3.org/2005/Atom'><entry><title>Only a title</title>"
                         "<published>not a date</published></entry><entry><content>Text</content>"
                         "<author><name>a</name></author><author><name>b</name></author></entry></feed>"));
    QCOMPARE(parser.totalResults(), -1);
    const QList<CommentEntry*> entries = parser.takeEntries();
    QCOMPARE(entries.size(), 2);
    QCOMPARE(entries.at(0)->getContent(), QString("Only a title"));
    QCOMPARE(entries.at(0)->getAuthor(), QString());
    QCOMPARE(entries.at(0)->getPublished(), QString("not a date"));
    QCOMPARE(entries.at(1)->getAuthor(), QString("a"));
    qDeleteAll(entries);
}

void TestComments::newFetchReplacesTheRunningOne()
{
    TestWorld world(TestWorld::Service);
    FakeResponse slow = FakeResponse::fixture(QStringLiteral("comment-feed.xml"), "application/atom+xml");
    slow.delayMs = 200;
    world.fake.addRoute("GET", QStringLiteral("/gdata/feeds/api/videos/kx9fW2qHb1s/comments"), slow);
    CommentListModel model;
    VideoEntry first = videoWithId(FakeFeeds::VIDEO_ID);
    VideoEntry second = videoWithId(FakeFeeds::MANY_COMMENTS_VIDEO_ID);
    QSignalSpy ready(world.service.get(), &VideoServiceProvider::commentsReady);
    world.service->getComments(&first, &model, 0);
    world.service->getComments(&second, &model, 0);
    QVERIFY(ready.wait());
    QTRY_VERIFY(requestsSettled(world.service.get()));
    QCOMPARE(ready.count(), 1);
    QCOMPARE(model.rowCount(), 50);
}

void TestComments::modelDeletedWhileFetching()
{
    TestWorld world(TestWorld::Service);
    FakeResponse slow = FakeResponse::fixture(QStringLiteral("comment-feed.xml"), "application/atom+xml");
    slow.delayMs = 150;
    world.fake.addRoute("GET", QStringLiteral("/gdata/feeds/api/videos/kx9fW2qHb1s/comments"), slow);
    auto* model = new CommentListModel;
    VideoEntry video = videoWithId(FakeFeeds::VIDEO_ID);
    QSignalSpy ready(world.service.get(), &VideoServiceProvider::commentsReady);
    world.service->getComments(&video, model, 0);
    delete model;
    QTRY_VERIFY(requestsSettled(world.service.get()));
    QCOMPARE(ready.count(), 0);
}

void TestComments::missingInputs()
{
    TestWorld world(TestWorld::Service);
    CommentListModel model;
    VideoEntry noId;
    QSignalSpy failed(world.service.get(), &VideoServiceProvider::errorOccuredInCommentFetching);
    world.service->getComments(nullptr, &model, 0);
    world.service->getComments(&noId, nullptr, 0);
    world.service->getComments(&noId, &model, 0);
    QVERIFY(failed.wait());
    QCOMPARE(failed.count(), 1);
    QVERIFY(!failed.at(0).at(0).toString().isEmpty());
    QVERIFY(world.fake.requests().isEmpty());
}

QTEST_MAIN(TestComments)
#include "tst_comments.moc"
