#include "tests/support/TestSupport.h"


#include "core/MessageListModel.h"

#include <QFileInfo>

// The account's inbox: messages in feed order, then their pictures.
class TestInboxManager : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void messagesInFeedOrder();
    void picturesFollow();
    void startIndex_data();
    void startIndex();
    void emptyInboxRaisesNoMessages();
    void nullModelDoesNothing();
    void fetchEmptiesTheModelFirst();
    void clearedModelTakesNoLatePictures();
    void failedInboxLeavesTheModelEmpty();
};

namespace {

MessageEntry* messageAt(const MessageListModel& model, int row)
{
    return itemAt<MessageEntry>(model, row);
}

} // namespace

void TestInboxManager::messagesInFeedOrder()
{
    TestWorld world(TestWorld::SignedIn);
    MessageListModel model;
    QSignalSpy inserted(&model, &QAbstractItemModel::rowsInserted);
    QSignalSpy none(world.service.get(), &VideoServiceProvider::noMessages);
    world.service->getInboxMessages(&model, 0);
    QTRY_COMPARE(model.rowCount(), 2);
    QCOMPARE(inserted.count(), 2);
    QCOMPARE(none.count(), 0);

    MessageEntry* first = messageAt(model, 0);
    QCOMPARE(first->getAuthor(), QString("mikkokorhonen"));
    QCOMPARE(first->getTitle(), QString("mikkokorhonen sent you a video!"));
    QCOMPARE(first->getSummary(), QString::fromUtf8("Katso tämä: revontulet & tunturi"));
    QCOMPARE(first->getContent(), first->getSummary());
    // In the date's own offset (-07:00), not in UTC.
    QCOMPARE(first->getPublished(), QString("28.06.2013"));
    QCOMPARE(first->getVideoId(), QString("k7Qm2Lx9Pw4"));
    QCOMPARE(first->getThumbnailUrl(), QString("http://img.youtube.com/vi/k7Qm2Lx9Pw4/2.jpg"));

    MessageEntry* second = messageAt(model, 1);
    QCOMPARE(second->getAuthor(), QString("liisa_h"));
    QCOMPARE(second->getPublished(), QString("20.06.2013"));
    // The picture named "default" is the small one.
    QCOMPARE(second->getThumbnailUrl(), QString("http://i.ytimg.com/vi/Zp4sD0qVn8E/default.jpg"));
}

void TestInboxManager::picturesFollow()
{
    TestWorld world(TestWorld::SignedIn);
    MessageListModel model;
    world.service->getInboxMessages(&model, 0);
    QTRY_COMPARE(model.rowCount(), 2);
    QTRY_VERIFY(!messageAt(model, 0)->getThumbnail().isNull() && !messageAt(model, 1)->getThumbnail().isNull());
    const QString file = messageAt(model, 0)->getThumbnailFile();
    QVERIFY(file.startsWith(world.repository->getThumbnailFolder()));
    QVERIFY(QFileInfo::exists(file));
    QCOMPARE(world.fake.requestsTo("/ytimg/vi/").count(), 2);
    for (const FakeRequest& request : world.fake.requestsTo("/ytimg/"))
        QVERIFY(request.header("Authorization").isEmpty());
}

void TestInboxManager::startIndex_data()
{
    QTest::addColumn<int>("startIndex");
    QTest::addColumn<QString>("sent");
    QTest::newRow("first page") << 0 << "";
    QTest::newRow("later page") << 51 << "51";
}

void TestInboxManager::startIndex()
{
    QFETCH(int, startIndex);
    QFETCH(QString, sent);
    TestWorld world(TestWorld::SignedIn);
    MessageListModel model;
    world.service->getInboxMessages(&model, startIndex);
    QTRY_COMPARE(model.rowCount(), 2);
    const FakeRequest request = world.last("/gdata/feeds/api/users/default/inbox");
    QCOMPARE(request.queryValue("start-index"), sent);
    QCOMPARE(request.hasQueryKey("start-index"), !sent.isEmpty());
    QCOMPARE(request.queryValue("max-results"), QString("50"));
}

void TestInboxManager::emptyInboxRaisesNoMessages()
{
    TestWorld world(TestWorld::SignedIn);
    world.account->emptyInbox = true;
    MessageListModel model;
    QSignalSpy none(world.service.get(), &VideoServiceProvider::noMessages);
    QSignalSpy noResults(world.service.get(), &VideoServiceProvider::noResults);
    world.service->getInboxMessages(&model, 0);
    QVERIFY(none.wait());
    QCOMPARE(none.count(), 1);
    QCOMPARE(noResults.count(), 0);
    QCOMPARE(model.rowCount(), 0);
}

void TestInboxManager::nullModelDoesNothing()
{
    TestWorld world(TestWorld::SignedIn);
    QSignalSpy none(world.service.get(), &VideoServiceProvider::noMessages);
    world.service->getInboxMessages(nullptr, 0);
    QTRY_VERIFY(requestsSettled(world.service.get()));
    QVERIFY(world.fake.requests().isEmpty());
    QCOMPARE(none.count(), 0);
}

void TestInboxManager::fetchEmptiesTheModelFirst()
{
    TestWorld world(TestWorld::SignedIn);
    MessageListModel model;
    model.addEntry(new MessageEntry);
    QSignalSpy reset(&model, &QAbstractItemModel::modelReset);
    world.service->getInboxMessages(&model, 0);
    QCOMPARE(reset.count(), 1);
    QCOMPARE(model.rowCount(), 0);
    QTRY_COMPARE(model.rowCount(), 2);
}

void TestInboxManager::clearedModelTakesNoLatePictures()
{
    TestWorld world(TestWorld::SignedIn);
    FakeResponse slow = FakeResponse::document(FakeFeeds::thumbnailImage(), "image/jpeg");
    slow.delayMs = 200;
    world.fake.addRoute("GET", "/ytimg/vi/*", slow);
    MessageListModel model;
    world.service->getInboxMessages(&model, 0);
    QTRY_COMPARE(model.rowCount(), 2);
    QSignalSpy changed(&model, &QAbstractItemModel::dataChanged);
    model.clear();
    QTRY_VERIFY(requestsSettled(world.service.get()));
    QCOMPARE(world.fake.requestsTo("/ytimg/vi/").count(), 2);
    QCOMPARE(changed.count(), 0);
}

void TestInboxManager::failedInboxLeavesTheModelEmpty()
{
    TestWorld world(TestWorld::SignedIn);
    world.account->inboxStatus = 500;
    MessageListModel model;
    QSignalSpy none(world.service.get(), &VideoServiceProvider::noMessages);
    world.service->getInboxMessages(&model, 0);
    QTRY_COMPARE(world.count("GET", "/gdata/feeds/api/users/default/inbox"), 1);
    QTRY_VERIFY(requestsSettled(world.service.get()));
    QCOMPARE(model.rowCount(), 0);
    QCOMPARE(none.count(), 0);
}

QTEST_MAIN(TestInboxManager)
#include "tst_inboxmanager.moc"
