#include "service/account/AccountDocuments.h"
#include "service/account/AtomEntryWriter.h"
#include "tests/support/TestSupport.h"

#include <QTest>
#include <QXmlStreamReader>

using namespace AccountDocuments;

// Reading the account's documents in the shapes the service has used over the
// years, and writing the entries the account sends.
class TestAccountDocuments : public QObject
{
    Q_OBJECT
    TestEnvironment myEnvironment;
private Q_SLOTS:
    void dates_data();
    void dates();
    void contactsInAnyElementOrder();
    void contactsOfTheOlderFormat();
    void brokenDocuments_data();
    void brokenDocuments();
    void inboxMessages();
    void playListsOfBothFormats();
    void listEntryIds_data();
    void listEntryIds();
    void writtenEntry();
    void writtenEntriesAreWellFormed_data();
    void writtenEntriesAreWellFormed();
    void uploadEntryCarriesTheForm();
};

namespace {

const QByteArray FEED_HEAD = "<?xml version='1.0' encoding='UTF-8'?><feed xmlns='http://www.w3.org/2005/Atom' "
                             "xmlns:openSearch='http://a9.com/-/spec/opensearch/1.1/' "
                             "xmlns:media='http://search.yahoo.com/mrss/' "
                             "xmlns:yt='http://gdata.youtube.com/schemas/2007'>";

// Every element of the document in order, as "namespace|name", or "" when it is broken.
QStringList elements(const QByteArray& document)
{
    QStringList names;
    QXmlStreamReader reader(document);
    while (!reader.atEnd()) {
        if (reader.readNext() == QXmlStreamReader::StartElement)
            names.append(reader.namespaceUri().toString() + "|" + reader.name().toString());
    }
    return reader.hasError() ? QStringList() : names;
}

QString textOf(const QByteArray& document, const QString& name)
{
    QXmlStreamReader reader(document);
    while (!reader.atEnd())
        if (reader.readNext() == QXmlStreamReader::StartElement && reader.name() == name)
            return reader.readElementText();
    return QString();
}

} // namespace

void TestAccountDocuments::dates_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<QString>("date");
    QTest::newRow("UTC") << "2013-06-27T23:06:04.000Z" << "27.06.2013";
    QTest::newRow("negative offset keeps its day") << "2008-02-04T23:27:54.000-08:00" << "04.02.2008";
    QTest::newRow("positive offset keeps its day") << "2010-05-17T00:30:11.000+03:00" << "17.05.2010";
    QTest::newRow("without milliseconds") << "2011-01-02T03:04:05Z" << "02.01.2011";
    QTest::newRow("blanks around") << "  2011-01-02T03:04:05Z\n" << "02.01.2011";
    QTest::newRow("not a date") << " yesterday " << "yesterday";
    QTest::newRow("empty") << "" << "";
}

void TestAccountDocuments::dates()
{
    QFETCH(QString, text);
    QFETCH(QString, date);
    QCOMPARE(dayMonthYear(text), date);
}

void TestAccountDocuments::contactsInAnyElementOrder()
{
    const QByteArray feed = FEED_HEAD
        + "<openSearch:totalResults>120</openSearch:totalResults><openSearch:startIndex>51</openSearch:startIndex>"
          "<link rel='next' href='http://x/?start-index=101'/>"
          "<entry><yt:status>requested</yt:status><yt:username>first</yt:username><id>http://x/contacts/first</id>"
          "<published>2009-09-09T09:09:09.000Z</published></entry>"
          "<entry><title type='text'>fromTitle</title><yt:status>accepted</yt:status></entry></feed>";
    QList<ContactItem> items;
    FeedInfo info;
    QString error;
    QVERIFY(parseContacts(feed, items, info, error));
    QCOMPARE(items.count(), 2);
    QCOMPARE(items.at(0).userName, QString("first"));
    QCOMPARE(items.at(0).status, QString("requested"));
    QCOMPARE(items.at(0).since, QString("09.09.2009"));
    QCOMPARE(items.at(1).userName, QString("fromTitle"));
    QCOMPARE(info.totalResults, 120);
    QCOMPARE(info.startIndex, 51);
    QCOMPARE(info.entryCount, 2);
    QVERIFY(info.hasNext);
}

void TestAccountDocuments::contactsOfTheOlderFormat()
{
    const QByteArray feed =
        "<?xml version='1.0'?><feed xmlns='http://www.w3.org/2005/Atom' "
        "xmlns:openSearch='http://a9.com/-/spec/opensearchrss/1.0/' xmlns:y='http://gdata.youtube.com/schemas/2007'>"
        "<openSearch:totalResults>1558</openSearch:totalResults>"
        "<entry><id>http://gdata.youtube.com/feeds/users/u/contacts/testuser</id>"
        "<published>1970-01-14T04:17:17.804-08:00</published><y:username>testuser</y:username>"
        "<y:status>accepted</y:status></entry></feed>";
    QList<ContactItem> items;
    FeedInfo info;
    QString error;
    QVERIFY(parseContacts(feed, items, info, error));
    QCOMPARE(info.totalResults, 1558);
    QCOMPARE(items.at(0).userName, QString("testuser"));
    QCOMPARE(items.at(0).since, QString("14.01.1970"));
    QVERIFY(!info.hasNext);
}

void TestAccountDocuments::brokenDocuments_data()
{
    QTest::addColumn<QByteArray>("document");
    QTest::newRow("empty") << QByteArray();
    QTest::newRow("HTML") << QByteArray("<html><body>Service unavailable</body></html>");
    QTest::newRow("an entry, not a feed") << QByteArray("<entry xmlns='http://www.w3.org/2005/Atom'/>");
    QTest::newRow("feed without namespace") << QByteArray("<feed><entry/></feed>");
    QTest::newRow("cut off") << FEED_HEAD + "<entry><yt:username>a</yt:username></entry><entry><yt:user";
    QTest::newRow("junk after the feed") << FEED_HEAD + "</feed><feed>";
}

void TestAccountDocuments::brokenDocuments()
{
    QFETCH(QByteArray, document);
    FeedInfo info;
    QString error;
    QList<ContactItem> contacts{ContactItem()};
    QVERIFY(!parseContacts(document, contacts, info, error));
    QVERIFY(!error.isEmpty());
    QCOMPARE(contacts.count(), 1);   // left as it was
    QList<MessageItem> messages;
    QVERIFY(!parseInbox(document, messages, info, error));
    QVERIFY(messages.isEmpty());
    QList<PlayListItem> playLists;
    QVERIFY(!parsePlayLists(document, playLists, info, error));
    QList<ListEntryItem> entries;
    QVERIFY(!parseListEntries(document, entries, info, error));
    // (An empty entry is an empty profile.)
    ProfileItem profile;
    if (QByteArray(QTest::currentDataTag()) != "an entry, not a feed")
        QVERIFY(!parseProfile(document, profile, error));
}

void TestAccountDocuments::inboxMessages()
{
    const QByteArray feed = FEED_HEAD
        + "<entry><author><name>sender</name></author><title>Old style</title>"
          "<content type='text'>Message as text content</content>"
          "<link rel='alternate' href='http://www.youtube.com/watch?v=fromLink123&amp;feature=x'/>"
          "<published>2008-06-10T13:55:32.000-07:00</published>"
          "<media:group><media:thumbnail url='http://i.ytimg.com/vi/x/2.jpg'/>"
          "<media:thumbnail url='http://i.ytimg.com/vi/x/default.jpg' yt:name='default'/>"
          "<media:thumbnail url='http://i.ytimg.com/vi/x/hq.jpg' yt:name='hqdefault'/></media:group></entry>"
          "<entry><content type='application/x-shockwave-flash' src='http://www.youtube.com/v/x'/>"
          "<summary>Only a summary</summary></entry></feed>";
    QList<MessageItem> items;
    FeedInfo info;
    QString error;
    QVERIFY(parseInbox(feed, items, info, error));
    QCOMPARE(items.count(), 2);
    QCOMPARE(items.at(0).author, QString("sender"));
    QCOMPARE(items.at(0).content, QString("Message as text content"));
    QCOMPARE(items.at(0).summary, QString("Message as text content"));
    QCOMPARE(items.at(0).videoId, QString("fromLink123"));
    QCOMPARE(items.at(0).published, QString("10.06.2008"));
    QCOMPARE(items.at(0).thumbnailUrl, QString("http://i.ytimg.com/vi/x/default.jpg"));
    // A player link is no message text.
    QCOMPARE(items.at(1).content, QString("Only a summary"));
    QVERIFY(items.at(1).thumbnailUrl.isEmpty());
}

void TestAccountDocuments::playListsOfBothFormats()
{
    const QByteArray feed = FEED_HEAD
        + "<entry><id>tag:youtube.com,2008:user:u:playlist:PLV2ID</id><title>New</title><summary>About</summary>"
          "<updated>2011-07-01T19:17:01.000Z</updated><yt:countHint>7</yt:countHint>"
          "<yt:playlistId>PLV2ID</yt:playlistId><yt:private/></entry>"
          "<entry><id>http://gdata.youtube.com/feeds/api/users/u/playlists/8BCDD04DE8F771B2</id><title>Old</title>"
          "<yt:description>Old description</yt:description></entry></feed>";
    QList<PlayListItem> items;
    FeedInfo info;
    QString error;
    QVERIFY(parsePlayLists(feed, items, info, error));
    QCOMPARE(items.count(), 2);
    QCOMPARE(items.at(0).playListId, QString("PLV2ID"));
    QCOMPARE(items.at(0).description, QString("About"));
    QCOMPARE(items.at(0).count, 7);
    QVERIFY(items.at(0).isPrivate);
    QCOMPARE(items.at(0).updated, QDateTime(QDate(2011, 7, 1), QTime(19, 17, 1), Qt::UTC));
    QCOMPARE(items.at(1).playListId, QString("8BCDD04DE8F771B2"));
    QCOMPARE(items.at(1).description, QString("Old description"));
    QVERIFY(!items.at(1).isPrivate);
}

void TestAccountDocuments::listEntryIds_data()
{
    QTest::addColumn<QByteArray>("entry");
    QTest::addColumn<QString>("entryId");
    QTest::addColumn<QString>("videoId");
    QTest::addColumn<int>("position");
    QTest::newRow("playlist item") << QByteArray("<id>tag:youtube.com,2008:playlist:PL1:6C4DA1D9</id>"
                                                 "<media:group><yt:videoid>vid1</yt:videoid></media:group>"
                                                 "<yt:position>4</yt:position>")
                                   << "6C4DA1D9" << "vid1" << 4;
    QTest::newRow("older playlist item") << QByteArray("<id>http://gdata.youtube.com/feeds/api/playlists/BB/48408bef</id>"
                                                       "<link rel='alternate' href='http://www.youtube.com/watch?v=Dl643'/>")
                                         << "48408bef" << "Dl643" << 0;
    QTest::newRow("favourite") << QByteArray("<id>tag:youtube.com,2008:favorite:FLZtxP</id>"
                                             "<media:group><yt:videoid>fFAno</yt:videoid></media:group>")
                               << "FLZtxP" << "fFAno" << 0;
}

void TestAccountDocuments::listEntryIds()
{
    QFETCH(QByteArray, entry);
    QFETCH(QString, entryId);
    QFETCH(QString, videoId);
    QFETCH(int, position);
    QList<ListEntryItem> items;
    FeedInfo info;
    QString error;
    QVERIFY(parseListEntries(FEED_HEAD + "<entry>" + entry + "</entry></feed>", items, info, error));
    QCOMPARE(items.count(), 1);
    QCOMPARE(items.at(0).entryId, entryId);
    QCOMPARE(items.at(0).videoId, videoId);
    QCOMPARE(items.at(0).position, position);
}

void TestAccountDocuments::writtenEntry()
{
    ListEntryItem entry;
    QString playListId;
    QString error;
    QVERIFY(parseWrittenEntry("<entry xmlns='http://www.w3.org/2005/Atom' xmlns:yt='http://gdata.youtube.com/schemas/2007'>"
                              "<id>tag:youtube.com,2008:user:u:playlist:PLNEW</id><yt:playlistId>PLNEW</yt:playlistId>"
                              "</entry>",
                              entry, playListId, error));
    QCOMPARE(playListId, QString("PLNEW"));
    QVERIFY(parseWrittenEntry("<entry xmlns='http://www.w3.org/2005/Atom'><id>tag:youtube.com,2008:playlist:PL:ITEM9</id>"
                              "</entry>",
                              entry, playListId, error));
    QCOMPARE(entry.entryId, QString("ITEM9"));
    QCOMPARE(playListId, QString("ITEM9"));
    QVERIFY(!parseWrittenEntry("<feed xmlns='http://www.w3.org/2005/Atom'/>", entry, playListId, error));
    QVERIFY(!parseWrittenEntry("", entry, playListId, error));
}

void TestAccountDocuments::writtenEntriesAreWellFormed_data()
{
    QTest::addColumn<QByteArray>("document");
    QTest::addColumn<QString>("element");   // "namespace|name" that must be in it
    QTest::addColumn<QString>("text");
    const QString nasty = QString::fromUtf8("<&>\"' ä\x01\x02 ]]> --");
    const QString clean = QString::fromUtf8("<&>\"' ä ]]> --");
    QTest::newRow("comment") << AtomEntryWriter::comment(nasty) << "http://www.w3.org/2005/Atom|content" << clean;
    QTest::newRow("rating") << AtomEntryWriter::rating(3) << "http://schemas.google.com/g/2005|rating" << "";
    QTest::newRow("accept") << AtomEntryWriter::contactStatus(true) << "http://gdata.youtube.com/schemas/2007|status"
                            << "accepted";
    QTest::newRow("reject") << AtomEntryWriter::contactStatus(false) << "http://gdata.youtube.com/schemas/2007|status"
                            << "rejected";
    QTest::newRow("message") << AtomEntryWriter::videoMessage("vid", nasty) << "http://www.w3.org/2005/Atom|summary"
                             << clean;
    QTest::newRow("playlist") << AtomEntryWriter::playList(nasty, "d") << "http://www.w3.org/2005/Atom|title" << clean;
    QTest::newRow("list video") << AtomEntryWriter::listVideo("v<1>") << "http://www.w3.org/2005/Atom|id" << "v<1>";
    QTest::newRow("position") << AtomEntryWriter::listPosition(12) << "http://gdata.youtube.com/schemas/2007|position"
                              << "12";
}

void TestAccountDocuments::writtenEntriesAreWellFormed()
{
    QFETCH(QByteArray, document);
    QFETCH(QString, element);
    QFETCH(QString, text);
    const QStringList names = elements(document);
    QVERIFY2(!names.isEmpty(), document.constData());
    QCOMPARE(names.first(), QString("http://www.w3.org/2005/Atom|entry"));
    QVERIFY(names.contains(element));
    if (!text.isEmpty())
        QCOMPARE(textOf(document, element.section('|', 1)), text);
}

void TestAccountDocuments::uploadEntryCarriesTheForm()
{
    const QByteArray entry = AtomEntryWriter::upload("Otsikko & <b>", "Rivi 1\nRivi 2", "People", "a, b");
    const QStringList names = elements(entry);
    for (const QString name : {"group", "title", "description", "category", "keywords"})
        QVERIFY(names.contains("http://search.yahoo.com/mrss/|" + name));
    QCOMPARE(textOf(entry, "title"), QString("Otsikko & <b>"));
    QCOMPARE(textOf(entry, "description"), QString("Rivi 1\nRivi 2"));
    QCOMPARE(textOf(entry, "category"), QString("People"));
    QCOMPARE(textOf(entry, "keywords"), QString("a, b"));
    QVERIFY(entry.contains("scheme=\"http://gdata.youtube.com/schemas/2007/categories.cat\""));
}

QTEST_MAIN(TestAccountDocuments)
#include "tst_accountdocuments.moc"
