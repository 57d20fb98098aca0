#include "tests/support/TestSupport.h"

#include "service/feeds/CategoryRequestManager.h"

// The category list and the sort orders.
class TestCategories : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void assignableCategoriesWithAllFirst();
    void oneRequestWhileOneRuns();
    void categoryFlags_data();
    void categoryFlags();
    void sortOrders();
};

void TestCategories::assignableCategoriesWithAllFirst()
{
    TestWorld world(TestWorld::Service);
    CategoryMap received;
    int count = 0;
    connect(world.service.get(), &VideoServiceProvider::categoriesReady, this, [&](CategoryMap& map) {
        received = map;
        ++count;
    });
    QSignalSpy failed(world.service.get(), &VideoServiceProvider::errorOccuredInCategory);
    world.service->getCategories();
    QTRY_COMPARE(count, 1);
    QCOMPARE(failed.count(), 0);

    QCOMPARE(received.firstKey(), QString());
    QCOMPARE(received.first(), QString("All"));
    QCOMPARE(received.keys(), QStringList({"", "Autos", "Comedy", "Film", "Games", "Music", "Nonprofit", "Travel"}));
    QCOMPARE(received.value("Film"), QString("Film & Animation"));
    QCOMPARE(received.value("Nonprofit"), QString("Nonprofits & Activism"));
    QVERIFY(!received.contains("Shortmov"));   // deprecated
    QVERIFY(!received.contains("Movies"));     // browsable but not assignable

    const FakeRequest request = world.last(QStringLiteral("/gdata/schemas/"));
    QCOMPARE(request.path, QString("/gdata/schemas/2007/categories.cat"));
    QCOMPARE(request.header("GData-Version"), QByteArray("2"));
}

void TestCategories::oneRequestWhileOneRuns()
{
    TestWorld world(TestWorld::Service);
    FakeResponse slow = FakeResponse::fixture(QStringLiteral("categories.xml"), "application/atomcat+xml");
    slow.delayMs = 100;
    world.fake.addRoute("GET", QStringLiteral("/gdata/schemas/2007/categories.cat"), slow);
    int count = 0;
    connect(world.service.get(), &VideoServiceProvider::categoriesReady, this, [&count] { ++count; });
    world.service->getCategories();
    world.service->getCategories();
    QTRY_COMPARE(count, 1);
    QTRY_VERIFY(requestsSettled(world.service.get()));
    QCOMPARE(count, 1);
    QCOMPARE(world.fake.requests().size(), 1);

    // Once answered, a new call asks again.
    world.service->getCategories();
    QTRY_COMPARE(count, 2);
}

void TestCategories::categoryFlags_data()
{
    QTest::addColumn<QByteArray>("categories");
    QTest::addColumn<QStringList>("keys");

    const QByteArray open = "<app:categories xmlns:app='http://www.w3.org/2007/app' "
                            "xmlns:atom='http://www.w3.org/2005/Atom' xmlns:yt='http://gdata.youtube.com/schemas/2007'>";
    QTest::newRow("assignable and deprecated") << open + "<atom:category term='A' label='a'><yt:assignable/>"
                                                         "<yt:deprecated/></atom:category></app:categories>"
                                               << QStringList{""};
    QTest::newRow("no term") << open + "<atom:category label='x'><yt:assignable/></atom:category></app:categories>"
                             << QStringList{""};
    QTest::newRow("flag of another namespace")
        << open + "<atom:category term='B' label='b'><z:assignable xmlns:z='urn:z'/></atom:category></app:categories>"
        << QStringList{""};
    QTest::newRow("label missing: the term") << open + "<atom:category term='C'><yt:assignable/></atom:category>"
                                                       "</app:categories>"
                                             << QStringList{"", "C"};
    QTest::newRow("no categories") << open + "</app:categories>" << QStringList{""};
}

void TestCategories::categoryFlags()
{
    QFETCH(QByteArray, categories);
    QFETCH(QStringList, keys);
    TestEnvironment environment;
    CategoryMap map;
    QString error;
    QVERIFY2(CategoryRequestManager::parseCategories(categories, map, error), qPrintable(error));
    QCOMPARE(map.keys(), keys);
    QCOMPARE(map.value(QString()), QString("All"));
    if (keys.contains("C"))
        QCOMPARE(map.value("C"), QString("C"));
}

void TestCategories::sortOrders()
{
    TestWorld world(TestWorld::Service);
    CategoryMap& sortBy = world.service->getSortBy();
    QCOMPARE(sortBy.size(), 4);
    QCOMPARE(sortBy.value(""), QString("Relevance"));
    QCOMPARE(sortBy.value("published"), QString("Date added"));
    QCOMPARE(sortBy.value("viewCount"), QString("View count"));
    QCOMPARE(sortBy.value("rating"), QString("Rating"));
    QCOMPARE(sortBy.values(), QStringList({"Relevance", "Date added", "Rating", "View count"}));
    // The same map every time.
    QCOMPARE(&world.service->getSortBy(), &sortBy);
}

QTEST_MAIN(TestCategories)
#include "tst_categories.moc"
