#include "tests/support/TestSupport.h"

#include "core/ContactListModel.h"
#include "core/FileManager.h"
#include "service/account/ContactManager.h"

#include <QDir>
#include <QFileInfo>
#include <QNetworkAccessManager>
#include <QNetworkReply>

// The account's contacts (entry, profile, picture per contact) and its own profile.
class TestContactManager : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void onlyAcceptedAndRequestedContacts();
    void profileAndPictureArriveLater();
    void readInPagesOfFifty();
    void noContactsRaisesNoResults_data();
    void noContactsRaisesNoResults();
    void clearedModelTakesNoLateAnswers();
    void newFetchDropsTheRunningOne();
    void nullModelDoesNothing();
    void accountProfile();
    void profileKeysFromTheDocument_data();
    void profileKeysFromTheDocument();
    void profileThatIsNotOne();
};

namespace {

ContactEntry* contactAt(const ContactListModel& model, int row)
{
    return itemAt<ContactEntry>(model, row);
}

QStringList userNames(const ContactListModel& model)
{
    QStringList names;
    for (int row = 0; row < model.rowCount(); ++row)
        names.append(contactAt(model, row)->getUserName());
    return names;
}

// Waits until every contact of the model has its picture.
bool allPictures(const ContactListModel& model)
{
    for (int row = 0; row < model.rowCount(); ++row)
        if (contactAt(model, row)->getThumbnail().isNull())
            return false;
    return true;
}

} // namespace

void TestContactManager::onlyAcceptedAndRequestedContacts()
{
    TestWorld world(TestWorld::SignedIn);
    ContactListModel model;
    QSignalSpy inserted(&model, &QAbstractItemModel::rowsInserted);
    QSignalSpy none(world.service.get(), &VideoServiceProvider::noResults);
    world.service->getContacts(&model);
    QTRY_COMPARE(model.rowCount(), 3);
    QCOMPARE(inserted.count(), 3);
    // "pending" is an invitation the account sent: not listed.
    QCOMPARE(userNames(model), QStringList({"mikkokorhonen", "liisa_h", "tuulikki"}));
    QCOMPARE(contactAt(model, 0)->isPending(), false);
    QCOMPARE(contactAt(model, 1)->isPending(), true);
    QCOMPARE(contactAt(model, 2)->isPending(), false);
    // Dates as day.month.year, in the date's own offset.
    QCOMPARE(contactAt(model, 0)->getSince(), QString("26.02.2008"));
    QCOMPARE(contactAt(model, 2)->getSince(), QString("17.05.2010"));

    const FakeRequest request = world.last("/gdata/feeds/api/users/default/contacts");
    QCOMPARE(request.queryValue("start-index"), QString("1"));
    QCOMPARE(request.queryValue("max-results"), QString("50"));
    QCOMPARE(request.queryValue("v"), QString("2"));
    QTRY_VERIFY(allPictures(model));
    QCOMPARE(none.count(), 0);
}

void TestContactManager::profileAndPictureArriveLater()
{
    TestWorld world(TestWorld::SignedIn);
    ContactListModel model;
    QSignalSpy changed(&model, &QAbstractItemModel::dataChanged);
    world.service->getContacts(&model);
    QTRY_COMPARE(model.rowCount(), 3);
    QTRY_VERIFY(allPictures(model));
    // Each contact's row changes twice: its profile, then its picture.
    QCOMPARE(changed.count(), 6);

    ContactEntry* mikko = contactAt(model, 0);
    QVERIFY(mikko->getJoined().contains(QRegularExpression("^\\d\\d\\.\\d\\d\\.2008$")));
    QVERIFY(mikko->getLogged().endsWith(".06.2013"));
    QVERIFY(!mikko->getWatched().isEmpty());
    QVERIFY(!mikko->getUploads().isEmpty());
    QVERIFY(mikko->getThumbnailUrl().startsWith("http://i2.ytimg.com/i/"));
    const QString file = mikko->getThumbnailFile();
    QCOMPARE(QFileInfo(file).fileName(), QString("contact_thumb_mikkokorhonen.jpg"));
    QCOMPARE(QFileInfo(file).absolutePath() + "/", QDir(world.repository->getThumbnailFolder()).absolutePath() + "/");
    QVERIFY(QFileInfo::exists(file));

    // Profiles are read per contact; pictures come from the picture host, unsigned.
    QCOMPARE(world.count("GET", "/gdata/feeds/api/users/mikkokorhonen"), 1);
    for (const FakeRequest& request : world.fake.requestsTo("/ytimg/"))
        QVERIFY(request.header("Authorization").isEmpty());
}

void TestContactManager::readInPagesOfFifty()
{
    TestWorld world(TestWorld::SignedIn);
    world.account->contacts.clear();
    for (int i = 0; i < 120; ++i)
        world.account->contacts.append(
            FakeContact{QStringLiteral("friend%1").arg(i, 3, 10, QLatin1Char('0')),
                        i % 10 == 0 ? QStringLiteral("pending") : QStringLiteral("accepted"),
                        QStringLiteral("2012-03-04T05:06:07.000Z")});
    ContactListModel model;
    QSignalSpy none(world.service.get(), &VideoServiceProvider::noResults);
    world.service->getContacts(&model);
    QTRY_COMPARE(world.count("GET", "/gdata/feeds/api/users/default/contacts"), 3);
    QTRY_COMPARE(model.rowCount(), 108);
    const QList<FakeRequest> pages = world.fake.requestsTo("/gdata/feeds/api/users/default/contacts");
    QCOMPARE(pages.at(0).queryValue("start-index"), QString("1"));
    QCOMPARE(pages.at(1).queryValue("start-index"), QString("51"));
    QCOMPARE(pages.at(2).queryValue("start-index"), QString("101"));
    QCOMPARE(contactAt(model, 0)->getUserName(), QString("friend001"));
    QCOMPARE(contactAt(model, 107)->getUserName(), QString("friend119"));
    QTRY_VERIFY(requestsSettled(world.service.get()));
    QCOMPARE(world.count("GET", "/gdata/feeds/api/users/default/contacts"), 3);
    QCOMPARE(none.count(), 0);
}

void TestContactManager::noContactsRaisesNoResults_data()
{
    QTest::addColumn<QStringList>("statuses");
    QTest::newRow("none at all") << QStringList();
    QTest::newRow("only sent invitations") << QStringList({"pending", "pending"});
}

void TestContactManager::noContactsRaisesNoResults()
{
    QFETCH(QStringList, statuses);
    TestWorld world(TestWorld::SignedIn);
    world.account->contacts.clear();
    for (const QString& status : statuses)
        world.account->contacts.append(FakeContact{"someone" + status, status, "2012-03-04T05:06:07.000Z"});
    ContactListModel model;
    QSignalSpy none(world.service.get(), &VideoServiceProvider::noResults);
    world.service->getContacts(&model);
    QVERIFY(none.wait());
    QCOMPARE(none.count(), 1);
    QCOMPARE(model.rowCount(), 0);
}

void TestContactManager::clearedModelTakesNoLateAnswers()
{
    TestWorld world(TestWorld::SignedIn);
    const QString profiles = QStringLiteral("/gdata/feeds/api/users/");
    const QStringList users{"mikkokorhonen", "liisa_h", "tuulikki"};
    ContactListModel model;
    QSignalSpy changed(&model, &QAbstractItemModel::dataChanged);
    // The model is emptied the moment the service has the first profile request: the
    // three were asked for together and none is answered yet, however slow the machine.
    int rowsWhenCleared = -1;
    QObject::connect(&world.fake, &FakeService::requestReceived, &model, [&](const QString& path) {
        if (rowsWhenCleared < 0 && users.contains(path.mid(profiles.size()))) {
            rowsWhenCleared = model.rowCount();
            model.clear();
        }
    });
    int profileAnswers = 0;
    QObject::connect(world.service->network(), &QNetworkAccessManager::finished, &model, [&](QNetworkReply* reply) {
        profileAnswers += users.contains(reply->url().path().mid(profiles.size())) ? 1 : 0;
    });
    world.service->getContacts(&model);
    QTRY_COMPARE(profileAnswers, users.size());
    QCOMPARE(rowsWhenCleared, 3);
    QTRY_VERIFY(requestsSettled(world.service.get()));
    // The profiles did come, after the model was emptied: nothing was applied.
    QCOMPARE(world.count("GET", "/gdata/feeds/api/users/mikkokorhonen"), 1);
    QCOMPARE(changed.count(), 0);
    QCOMPARE(world.fake.requestsTo("/ytimg/").count(), 0);
}

void TestContactManager::newFetchDropsTheRunningOne()
{
    TestWorld world(TestWorld::SignedIn);
    ContactListModel first;
    ContactListModel second;
    world.service->getContacts(&first);
    world.service->getContacts(&second);
    QTRY_COMPARE(second.rowCount(), 3);
    QTRY_VERIFY(allPictures(second));
    QTRY_VERIFY(requestsSettled(world.service.get()));
    QCOMPARE(first.rowCount(), 0);
}

void TestContactManager::nullModelDoesNothing()
{
    TestWorld world(TestWorld::SignedIn);
    world.service->getContacts(nullptr);
    QTRY_VERIFY(requestsSettled(world.service.get()));
    QVERIFY(world.fake.requests().isEmpty());
}

void TestContactManager::accountProfile()
{
    TestWorld world(TestWorld::SignedIn);
    world.repository->addSearchHistory(QStringLiteral("revontulet"));
    world.repository->addSearchHistory(QStringLiteral("revontulet"));
    world.repository->addSearchHistory(QStringLiteral("lappi"));
    QSignalSpy fetched(world.service.get(), &VideoServiceProvider::profileFetched);
    world.service->getProfile();
    QVERIFY(fetched.wait());
    const auto profile = fetched.at(0).at(0).value<QHash<QString, QString>>();
    QCOMPARE(world.last("/gdata/feeds/api/users/").path, QString("/gdata/feeds/api/users/default"));
    QCOMPARE(profile.value("published"), QString("18.03.2007"));
    QCOMPARE(profile.value("lastWebAccess"), QString("29.06.2013"));
    QCOMPARE(profile.value("videoWatchCount"), QString("1432"));
    QCOMPARE(profile.value("favorites"), QString("37"));
    QCOMPARE(profile.value("contacts"), QString("4"));
    QCOMPARE(profile.value("subscriptions"), QString("12"));
    QCOMPARE(profile.value("searches"), QString::number(world.repository->getSearchCount()));
    QCOMPARE(profile.value("mostSearched"), QString("revontulet"));
    QVERIFY(profile.contains("mostViewedVideo"));
    QCOMPARE(profile.value("diskSpaceUsed"), QString("0"));
    const qint64 freeMb = world.repository->getFileManager()->diskSpaceAvailable() / 1024;
    QCOMPARE(profile.value("diskSpaceAvailable"), QString::number(double(freeMb), 'g', 6));
    QCOMPARE(profile.size(), 11);
}

void TestContactManager::profileKeysFromTheDocument_data()
{
    QTest::addColumn<QByteArray>("document");
    QTest::addColumn<QString>("key");
    QTest::addColumn<QString>("value");
    const QByteArray head = "<?xml version='1.0'?><entry xmlns='http://www.w3.org/2005/Atom' "
                            "xmlns:gd='http://schemas.google.com/g/2005' xmlns:yt='http://gdata.youtube.com/schemas/2007'>";
    QTest::newRow("no statistics") << head + "<published>2009-12-31T23:59:59.000-05:00</published></entry>"
                                   << "lastWebAccess" << "";
    QTest::newRow("date in its own offset") << head + "<published>2009-12-31T23:59:59.000-05:00</published></entry>"
                                            << "published" << "31.12.2009";
    QTest::newRow("feed link without a count")
        << head + "<gd:feedLink rel='http://gdata.youtube.com/schemas/2007#user.favorites' href='x'/></entry>"
        << "favorites" << "";
    QTest::newRow("prefix of another name")
        << QByteArray("<entry xmlns='http://www.w3.org/2005/Atom' xmlns:q='http://schemas.google.com/g/2005'>"
                      "<q:feedLink rel='http://gdata.youtube.com/schemas/2007#user.contacts' countHint='7'/></entry>")
        << "contacts" << "7";
    QTest::newRow("statistics from 1970")
        << head + "<yt:statistics lastWebAccess='1970-01-01T00:00:00.000Z' videoWatchCount='0'/></entry>"
        << "lastWebAccess" << "01.01.1970";
}

void TestContactManager::profileKeysFromTheDocument()
{
    QFETCH(QByteArray, document);
    QFETCH(QString, key);
    QFETCH(QString, value);
    TestWorld world(TestWorld::Account);
    ContactManager manager(world.service->network(), world.service->endpoints(), *world.repository);
    QHash<QString, QString> profile;
    QVERIFY(manager.parseProfile(document, profile));
    QCOMPARE(profile.value(key), value);
    QCOMPARE(profile.size(), 11);
}

void TestContactManager::profileThatIsNotOne()
{
    TestWorld world(TestWorld::SignedIn);
    ContactManager manager(world.service->network(), world.service->endpoints(), *world.repository);
    QHash<QString, QString> profile;
    QVERIFY(!manager.parseProfile("<html><body>Sign in</body></html>", profile));
    QVERIFY(!manager.parseProfile("<entry xmlns='http://www.w3.org/2005/Atom'><published>", profile));
    QVERIFY(profile.isEmpty());

    world.fake.addRoute("GET", "/gdata/feeds/api/users/default", FakeResponse::document("garbage", "text/plain"));
    QSignalSpy fetched(world.service.get(), &VideoServiceProvider::profileFetched);
    world.service->getProfile();
    QTRY_VERIFY(requestsSettled(world.service.get()));
    QCOMPARE(fetched.count(), 0);
}

QTEST_MAIN(TestContactManager)
#include "tst_contactmanager.moc"
