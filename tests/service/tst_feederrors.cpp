#include "tests/support/TestSupport.h"

#include "core/CommentListModel.h"
#include "core/VideoEntry.h"
#include "core/VideoListModel.h"

#include <QElapsedTimer>

// Every way a feed, comment or category request can go wrong ends in the operation's
// error signal, never in a crash, a success or a silently empty page.
class TestFeedErrors : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void feedEndsInItsErrorSignal_data() { addFaultyAnswers(); }
    void feedEndsInItsErrorSignal();
    void commentsEndInTheirErrorSignal_data() { addFaultyAnswers(); }
    void commentsEndInTheirErrorSignal();
    void categoriesEndInTheirErrorSignal_data() { addFaultyAnswers(); }
    void categoriesEndInTheirErrorSignal();

private:
    static void addFaultyAnswers();
};

// The same faults for every kind of document.
void TestFeedErrors::addFaultyAnswers()
{
    QTest::addColumn<FakeResponse>("response");

    const QByteArray feed = FakeService::fixtureData(QStringLiteral("standard-feed.xml"));
    const QByteArray atom = "application/atom+xml; charset=UTF-8; type=feed";

    FakeResponse late = FakeResponse::document(feed, atom);
    late.delayMs = 1200;
    QTest::newRow("timeout") << late;
    QTest::newRow("404") << FakeResponse::error(404, "ResourceNotFoundException", "Not found");
    QTest::newRow("500") << FakeResponse::document("<html>Internal error</html>", "text/html", 500);
    QTest::newRow("403 quota") << FakeResponse::error(403, "too_many_recent_calls", "Slow down");
    QTest::newRow("redirect loop") << FakeResponse::redirect("/gdata/loop");
    QTest::newRow("not well-formed") << FakeResponse::document(QByteArray(feed).replace("</title>", "</titel>"), atom);
    QTest::newRow("document cut off") << FakeResponse::document(feed.left(feed.size() / 2), atom);
    FakeResponse dropped = FakeResponse::document(feed, atom);
    dropped.dropAfter = feed.size() / 3;
    QTest::newRow("connection dropped") << dropped;
    FakeResponse shortBody = FakeResponse::document(feed.left(2000), atom);
    shortBody.announcedLength = feed.size();
    QTest::newRow("wrong length") << shortBody;
    QByteArray huge = feed;
    huge.insert(huge.indexOf("<entry"), QByteArray(300 * 1024, ' '));
    QTest::newRow("oversized") << FakeResponse::document(huge, atom);
    QTest::newRow("HTML page instead of a document")
        << FakeResponse::document("<!DOCTYPE html><html><body>Sign in</body></html>", "text/html");
    QTest::newRow("empty body") << FakeResponse::document(QByteArray(), atom);
    QTest::newRow("garbage after the document") << FakeResponse::document(feed + "<feed>", atom);
    // Read with recursion this overflowed the stack; with a DOM it took a minute.
    QTest::newRow("nested 80,000 deep")
        << FakeResponse::document(feed.left(feed.indexOf("<entry")) + "<entry><title>" + QByteArray("<a>").repeated(80000),
                                  atom);
    QTest::newRow("undefined entity")
        << FakeResponse::document(QByteArray(feed).replace("&amp; kuva", "&nbsp; kuva"), atom);
}

namespace {

// Limits for these tests: a short timeout and a 256 KiB document limit.
void tighten(TestWorld& world)
{
    RequestLimits limits;
    limits.timeoutMs = 400;
    limits.maxDocumentSize = 256 * 1024;
    world.service->setRequestLimits(limits);
}

} // namespace

void TestFeedErrors::feedEndsInItsErrorSignal()
{
    QFETCH(FakeResponse, response);
    TestWorld world(TestWorld::Service);
    tighten(world);
    world.fake.addRoute("GET", QStringLiteral("/gdata/feeds/api/standardfeeds/most_viewed"), response);
    world.fake.addRoute("GET", QStringLiteral("/gdata/loop"), FakeResponse::redirect("/gdata/loop"));

    VideoListModel model(world.repository.get());
    QSignalSpy failed(world.service.get(), &VideoServiceProvider::errorOccuredInFeedRequest);
    QSignalSpy ready(world.service.get(), &VideoServiceProvider::updateModel);
    QSignalSpy none(world.service.get(), &VideoServiceProvider::noResults);
    world.service->getFeed(eMostViewed, &model, 0, QStringLiteral("Today"));
    QVERIFY(failed.wait(5000));
    QTRY_VERIFY(requestsSettled(world.service.get()));
    QCOMPARE(failed.count(), 1);
    QCOMPARE(ready.count(), 0);
    QCOMPARE(none.count(), 0);
    QCOMPARE(model.rowCount(), 0);
}

void TestFeedErrors::commentsEndInTheirErrorSignal()
{
    QFETCH(FakeResponse, response);
    TestWorld world(TestWorld::Service);
    tighten(world);
    world.fake.addRoute("GET", QStringLiteral("/gdata/feeds/api/videos/kx9fW2qHb1s/comments"), response);
    world.fake.addRoute("GET", QStringLiteral("/gdata/loop"), FakeResponse::redirect("/gdata/loop"));

    CommentListModel model;
    model.setTotal(7);
    VideoEntry video = videoWithId(FakeFeeds::VIDEO_ID);
    QSignalSpy failed(world.service.get(), &VideoServiceProvider::errorOccuredInCommentFetching);
    QSignalSpy ready(world.service.get(), &VideoServiceProvider::commentsReady);
    world.service->getComments(&video, &model, 0);
    QVERIFY(failed.wait(5000));
    QTRY_VERIFY(requestsSettled(world.service.get()));
    QCOMPARE(failed.count(), 1);
    QVERIFY(!failed.at(0).at(0).toString().isEmpty());
    QCOMPARE(ready.count(), 0);
    QCOMPARE(model.rowCount(), 0);
    QCOMPARE(model.getTotal(), 7);
}

void TestFeedErrors::categoriesEndInTheirErrorSignal()
{
    QFETCH(FakeResponse, response);
    TestWorld world(TestWorld::Service);
    tighten(world);
    world.fake.addRoute("GET", QStringLiteral("/gdata/schemas/2007/categories.cat"), response);
    world.fake.addRoute("GET", QStringLiteral("/gdata/loop"), FakeResponse::redirect("/gdata/loop"));

    QSignalSpy failed(world.service.get(), &VideoServiceProvider::errorOccuredInCategory);
    int ready = 0;
    connect(world.service.get(), &VideoServiceProvider::categoriesReady, this, [&ready] { ++ready; });
    // Read on the GUI thread at start-up: no document may hold it up.
    QElapsedTimer elapsed;
    elapsed.start();
    world.service->getCategories();
    QVERIFY(failed.wait(5000));
    QVERIFY2(elapsed.elapsed() < 5000, qPrintable(QString::number(elapsed.elapsed())));
    QTRY_VERIFY(requestsSettled(world.service.get()));
    QCOMPARE(failed.count(), 1);
    QCOMPARE(ready, 0);
}

QTEST_MAIN(TestFeedErrors)
#include "tst_feederrors.moc"
