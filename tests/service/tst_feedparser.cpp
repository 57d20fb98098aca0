#include "core/VideoEntry.h"
#include "service/feeds/VideoFeedParser.h"
#include "tests/support/TestSupport.h"
#include "tools/fakeservice/FakeService.h"

#include <QElapsedTimer>
#include <QTest>

// The shapes real video feeds come in: namespaces under other prefixes, older
// protocol versions, optional elements missing, broken documents.
class TestFeedParser : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void fieldsOfOneEntry_data();
    void fieldsOfOneEntry();
    void authorNames_data();
    void authorNames();
    void fixtureFeed();
    void brokenDocumentsGiveNoEntries_data();
    void brokenDocumentsGiveNoEntries();
    void totals_data();
    void totals();
    void entityExpansionIsBounded();

private:
    TestEnvironment myEnvironment;
};

namespace {

const char* const HEAD =
    "<?xml version='1.0' encoding='UTF-8'?><feed xmlns='http://www.w3.org/2005/Atom' "
    "xmlns:media='http://search.yahoo.com/mrss/' xmlns:openSearch='http://a9.com/-/spec/opensearch/1.1/' "
    "xmlns:gd='http://schemas.google.com/g/2005' xmlns:yt='http://gdata.youtube.com/schemas/2007'>"
    "<openSearch:totalResults>1</openSearch:totalResults>";

QByteArray feedOf(const QByteArray& entry)
{
    return QByteArray(HEAD) + entry + "</feed>";
}

} // namespace

void TestFeedParser::fieldsOfOneEntry_data()
{
    QTest::addColumn<QByteArray>("document");
    QTest::addColumn<QString>("videoId");
    QTest::addColumn<QString>("title");
    QTest::addColumn<QString>("author");
    QTest::addColumn<float>("length");
    QTest::addColumn<QString>("rating");
    QTest::addColumn<QString>("thumbnail");
    QTest::addColumn<QString>("description");

    QTest::newRow("v2 entry") << feedOf(
        "<entry><id>tag:youtube.com,2008:video:AAAAAAAAAAA</id><title>Title</title>"
        "<author><name>someone</name></author><media:group><media:description type='plain'>About</media:description>"
        "<media:thumbnail url='http://i.ytimg.com/vi/AAAAAAAAAAA/0.jpg' width='320'/>"
        "<media:thumbnail url='http://i.ytimg.com/vi/AAAAAAAAAAA/default.jpg' width='120' yt:name='default'/>"
        "<yt:duration seconds='61'/><yt:videoid>AAAAAAAAAAA</yt:videoid></media:group>"
        "<gd:rating average='2.5' max='5' min='1' numRaters='4'/></entry>")
        << "AAAAAAAAAAA" << "Title" << "someone" << 61.0f << "2.5"
        << "http://i.ytimg.com/vi/AAAAAAAAAAA/default.jpg" << "About";

    // Older feeds: id in the entry id, text content, thumbnails without names.
    QTest::newRow("pre-v2 entry") << QByteArray(
        "<?xml version='1.0' encoding='UTF-8'?><feed xmlns='http://www.w3.org/2005/Atom' "
        "xmlns:openSearch='http://a9.com/-/spec/opensearchrss/1.0/' xmlns:media='http://search.yahoo.com/mrss/'>"
        "<entry><id>http://gdata.youtube.com/feeds/api/videos/BBBBBBBBBBB</id><title type='text'>Old</title>"
        "<content type='text'>Old description</content><author><name>elder</name></author>"
        "<media:group><media:thumbnail url='http://img.youtube.com/vi/BBBBBBBBBBB/2.jpg' height='97' width='130'/>"
        "<media:thumbnail url='http://img.youtube.com/vi/BBBBBBBBBBB/1.jpg' height='97' width='130'/>"
        "<media:content url='http://www.youtube.com/v/BBBBBBBBBBB' duration='215'/></media:group></entry></feed>")
        << "BBBBBBBBBBB" << "Old" << "elder" << 215.0f << ""
        << "http://img.youtube.com/vi/BBBBBBBBBBB/2.jpg" << "Old description";

    QTest::newRow("other prefixes") << QByteArray(
        "<a:feed xmlns:a='http://www.w3.org/2005/Atom' xmlns:m='http://search.yahoo.com/mrss/' "
        "xmlns:y='http://gdata.youtube.com/schemas/2007' xmlns:r='http://schemas.google.com/g/2005'>"
        "<a:entry><a:title>Prefixed</a:title><a:author><a:name>p</a:name></a:author>"
        "<r:rating average='5.0'/><m:group><y:videoid>CCCCCCCCCCC</y:videoid><y:duration seconds='9'/></m:group>"
        "</a:entry></a:feed>")
        << "CCCCCCCCCCC" << "Prefixed" << "p" << 9.0f << "5.0" << "" << "";

    // Same local names in foreign namespaces are not ours.
    QTest::newRow("foreign look-alikes") << feedOf(
        "<entry><title>Real</title><x:title xmlns:x='urn:other'>Fake</x:title>"
        "<x:author xmlns:x='urn:other'><x:name>impostor</x:name></x:author><author><name>real</name></author>"
        "<media:group><yt:videoid>DDDDDDDDDDD</yt:videoid><x:duration xmlns:x='urn:other' seconds='99'/></media:group>"
        "</entry>")
        << "DDDDDDDDDDD" << "Real" << "real" << 0.0f << "" << "" << "";

    // A favourite-like entry: the entry id is not a video id; the watch link is.
    QTest::newRow("id from the watch link") << feedOf(
        "<entry><id>tag:youtube.com,2008:user:someone:favorite:vjVQa1PpcFN</id><title>Fav</title>"
        "<link rel='alternate' type='text/html' href='http://www.youtube.com/watch?feature=x&amp;v=EEEEEEEEEEE'/>"
        "<media:group><media:credit role='uploader' scheme='urn:youtube'>uploader</media:credit></media:group></entry>")
        << "EEEEEEEEEEE" << "Fav" << "uploader" << 0.0f << "" << "" << "";

    QTest::newRow("entities and character references") << feedOf(
        "<entry><title>&lt;b&gt; &amp;amp; &#x2764; &#233;t&#xE9;</title>"
        "<media:group><yt:videoid>FFFFFFFFFFF</yt:videoid><media:description>a&#10;b &quot;c&quot;</media:description>"
        "</media:group></entry>")
        << "FFFFFFFFFFF" << QString::fromUtf8("<b> &amp; \u2764 été") << "" << 0.0f << "" << "" << "a\nb \"c\"";

    QTest::newRow("CDATA and whitespace") << feedOf(
        "<entry>\n  <title><![CDATA[Between <brackets>]]></title>\n  <author>\n <name> spaced </name></author>\n"
        "  <media:group>\n <yt:videoid> GGGGGGGGGGG </yt:videoid>\n </media:group>\n</entry>\n")
        << "GGGGGGGGGGG" << "Between <brackets>" << "spaced" << 0.0f << "" << "" << "";

    QTest::newRow("bad duration") << feedOf(
        "<entry><title>t</title><media:group><yt:videoid>HHHHHHHHHHH</yt:videoid><yt:duration seconds='-3'/>"
        "<media:content duration='abc'/></media:group></entry>")
        << "HHHHHHHHHHH" << "t" << "" << 0.0f << "" << "" << "";
}

void TestFeedParser::fieldsOfOneEntry()
{
    QFETCH(QByteArray, document);
    QFETCH(QString, videoId);
    QFETCH(QString, title);
    QFETCH(QString, author);
    QFETCH(float, length);
    QFETCH(QString, rating);
    QFETCH(QString, thumbnail);
    QFETCH(QString, description);

    VideoFeedParser parser;
    QVERIFY2(parser.parse(document), qPrintable(parser.errorString()));
    const QList<VideoEntry*> entries = parser.takeEntries();
    QCOMPARE(entries.size(), 1);
    const VideoEntry* entry = entries.first();
    QCOMPARE(entry->getVideoId(), videoId);
    QCOMPARE(entry->getName(), title);
    QCOMPARE(entry->getAuthor(), author);
    QCOMPARE(entry->getLength(), length);
    QCOMPARE(entry->getRating(), rating);
    QCOMPARE(entry->getThumbnailUrl(), thumbnail);
    QCOMPARE(entry->getDescription(), description);
    qDeleteAll(entries);
}

// The shown author and the user name that the author link asks for, from the shapes
// the documents give them in.
void TestFeedParser::authorNames_data()
{
    QTest::addColumn<QByteArray>("entry");
    QTest::addColumn<QString>("author");
    QTest::addColumn<QString>("userName");

    QTest::newRow("newer feed: display name with blanks") << QByteArray(
        "<author><name>Ryan Lewis</name><uri>https://gdata.youtube.com/feeds/api/users/RyanLewisProductions</uri>"
        "<yt:userId>XYRdIXDdeZIf816EWAr5zQ</yt:userId></author><media:group>"
        "<media:credit role='uploader' scheme='urn:youtube' yt:display='Ryan Lewis' yt:type='partner'>"
        "ryanlewisproductions</media:credit></media:group>")
        << "Ryan Lewis" << "RyanLewisProductions";
    QTest::newRow("playlist feed: the owner is not the uploader") << QByteArray(
        "<author><name>Mauro Torres</name><uri>http://gdata.youtube.com/feeds/api/users/chebyte</uri>"
        "<yt:userId>9m4qThg_zsMLscTUP9FeSQ</yt:userId></author><media:group>"
        "<media:credit role='uploader' scheme='urn:youtube' yt:display='Harbour Films'>harbourfilms</media:credit>"
        "</media:group>")
        << "Harbour Films" << "harbourfilms";
    QTest::newRow("favourites feed without display names") << QByteArray(
        "<author>\n  <name>fredflintstone</name>\n  <uri>http://stage.gdata.youtube.com/feeds/api/users/fredflintstone"
        "</uri>\n</author><media:group><media:credit role=\"uploader\" scheme=\"urn:youtube\" yt:type=\"partner\">"
        "AtGoogleTalks</media:credit></media:group>")
        << "AtGoogleTalks" << "AtGoogleTalks";
    QTest::newRow("older feed: uri on its own line") << QByteArray(
        "<author>\n <name>davidchoimusic</name>\n <uri>\n http://gdata.youtube.com/feeds/users/davidchoimusic</uri>"
        "\n</author>")
        << "davidchoimusic" << "davidchoimusic";
    QTest::newRow("user name element") << QByteArray(
        "<author><name>Honda</name><yt:username display='Honda'>honda</yt:username></author>")
        << "Honda" << "honda";
    QTest::newRow("name only") << QByteArray("<author><name>elder</name></author>") << "elder" << "";
    QTest::newRow("credit only") << QByteArray(
        "<media:group><media:credit role='uploader' scheme='urn:youtube'>solo</media:credit></media:group>")
        << "solo" << "solo";
    QTest::newRow("another credit role is no uploader") << QByteArray(
        "<author><name>owner</name><uri>http://gdata.youtube.com/feeds/api/users/owner</uri></author>"
        "<media:group><media:credit role='producer'>someone</media:credit></media:group>")
        << "owner" << "owner";
    QTest::newRow("a web address is no user") << QByteArray(
        "<author><name>YouTube</name><uri>http://www.youtube.com/</uri></author>") << "YouTube" << "";
}

void TestFeedParser::authorNames()
{
    QFETCH(QByteArray, entry);
    QFETCH(QString, author);
    QFETCH(QString, userName);

    VideoFeedParser parser;
    QVERIFY2(parser.parse(feedOf("<entry><title>t</title>" + entry + "</entry>")), qPrintable(parser.errorString()));
    const QList<VideoEntry*> entries = parser.takeEntries();
    QCOMPARE(entries.size(), 1);
    QCOMPARE(entries.first()->getAuthor(), author);
    QCOMPARE(entries.first()->getAuthorUserName(), userName);
    QCOMPARE(entries.first()->getAuthorLinkName(), userName.isEmpty() ? author : userName);
    qDeleteAll(entries);
}

void TestFeedParser::fixtureFeed()
{
    VideoFeedParser parser;
    QVERIFY(parser.parse(FakeService::fixtureData(QStringLiteral("standard-feed.xml"))));
    QCOMPARE(parser.totalResults(), 84);
    const QList<VideoEntry*> entries = parser.takeEntries();
    QCOMPARE(entries.size(), 4);
    const VideoEntry* first = entries.at(0);
    QCOMPARE(first->getDescription(),
             QString::fromUtf8("Revontulet taivaalla \u2744 Ylläs, helmikuu 2013.\nKuvattu 14 mm <f/2.8> "
                               "objektiivilla.\n\nMusiikki: \"Pohjoinen\" – Aino & Eero"));
    QCOMPARE(first->getCategory(), QString("Travel"));
    QCOMPARE(first->getKeywords(), QStringList({"revontulet", "aurora borealis", "Lappi", "Ylläs"}));
    QCOMPARE(first->getUploadDate(), QDateTime(QDate(2013, 2, 14), QTime(19, 42, 7), Qt::UTC));
    QCOMPARE(first->getRelatedUrl(), QString("http://gdata.youtube.com/feeds/api/videos/kx9fW2qHb1s/related?v=2.1"));
    QCOMPARE(first->getCommentsUrl(),
             QString("http://gdata.youtube.com/feeds/api/videos/kx9fW2qHb1s/comments?v=2.1"));
    QCOMPARE(first->getWatchUrl(), QString("http://www.youtube.com/watch?v=kx9fW2qHb1s&feature=youtube_gdata"));

    // Author before id, a date with an offset, entities that must stay escaped once.
    const VideoEntry* sparse = entries.at(2);
    QCOMPARE(sparse->getName(), QString::fromUtf8("Short \"clip\" \u2013 test &amp; more"));
    QCOMPARE(sparse->getUploadDate().toUTC(), QDateTime(QDate(2013, 7, 1), QTime(6, 59, 1), Qt::UTC));
    QCOMPARE(sparse->getDescription(), QString());
    QCOMPARE(sparse->getCommentCount(), QString());
    QCOMPARE(entries.at(3)->getCommentCount(), QString("0"));
    qDeleteAll(entries);
}

void TestFeedParser::brokenDocumentsGiveNoEntries_data()
{
    QTest::addColumn<QByteArray>("document");
    const QByteArray good = FakeService::fixtureData(QStringLiteral("standard-feed.xml"));
    QTest::newRow("empty") << QByteArray();
    QTest::newRow("cut in the last entry") << good.left(good.lastIndexOf("<yt:statistics"));
    QTest::newRow("cut after the last entry") << good.left(good.lastIndexOf("</feed>"));
    QTest::newRow("mismatched tag") << QByteArray(good).replace("</media:group>", "</media:grup>");
    QTest::newRow("trailing element") << good + "<entry/>";
    QTest::newRow("not a feed") << QByteArray("<entry xmlns='http://www.w3.org/2005/Atom'><title>x</title></entry>");
    QTest::newRow("feed outside Atom") << QByteArray("<feed><entry><title>x</title></entry></feed>");
    QTest::newRow("HTML") << QByteArray("<html><head><title>Error</title></head><body></body></html>");
    QTest::newRow("plain text") << QByteArray("Error=BadAuthentication\n");
}

void TestFeedParser::brokenDocumentsGiveNoEntries()
{
    QFETCH(QByteArray, document);
    VideoFeedParser parser;
    QVERIFY(!parser.parse(document));
    QVERIFY(!parser.errorString().isEmpty());
    QCOMPARE(parser.entryCount(), 0);
    QVERIFY(parser.takeEntries().isEmpty());
}

void TestFeedParser::totals_data()
{
    QTest::addColumn<QByteArray>("document");
    QTest::addColumn<int>("total");
    QTest::addColumn<int>("entries");
    QTest::newRow("empty feed") << FakeService::fixtureData(QStringLiteral("empty-feed.xml")) << 0 << 0;
    QTest::newRow("no total") << QByteArray("<feed xmlns='http://www.w3.org/2005/Atom'><entry/></feed>") << -1 << 1;
    QTest::newRow("not a number")
        << QByteArray("<feed xmlns='http://www.w3.org/2005/Atom' xmlns:o='http://a9.com/-/spec/opensearch/1.1/'>"
                      "<o:totalResults>many</o:totalResults></feed>")
        << -1 << 0;
    QTest::newRow("generated page") << FakeFeeds::makeVideoFeed(50, 999) << 999 << 50;
}

void TestFeedParser::totals()
{
    QFETCH(QByteArray, document);
    QFETCH(int, total);
    QFETCH(int, entries);
    VideoFeedParser parser;
    QVERIFY(parser.parse(document));
    QCOMPARE(parser.totalResults(), total);
    QCOMPARE(parser.entryCount(), entries);
}

void TestFeedParser::entityExpansionIsBounded()
{
    QByteArray bomb = "<?xml version='1.0'?><!DOCTYPE feed [<!ENTITY a0 'xxxxxxxxxxxxxxxxxxxx'>";
    for (int i = 1; i < 12; ++i)
        bomb += "<!ENTITY a" + QByteArray::number(i) + " '" + QByteArray("&a" + QByteArray::number(i - 1) + ";").repeated(10)
            + "'>";
    bomb += "]><feed xmlns='http://www.w3.org/2005/Atom'><entry><title>&a11;</title></entry></feed>";
    QElapsedTimer timer;
    timer.start();
    VideoFeedParser parser;
    const bool ok = parser.parse(bomb);
    QVERIFY(timer.elapsed() < 2000);
    if (ok) {
        const QList<VideoEntry*> entries = parser.takeEntries();
        QVERIFY(entries.isEmpty() || entries.first()->getName().size() < 10 * 1024 * 1024);
        qDeleteAll(entries);
    }
}

QTEST_MAIN(TestFeedParser)
#include "tst_feedparser.moc"
