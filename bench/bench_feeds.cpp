#include "bench/BenchSupport.h"
#include "core/VideoEntry.h"
#include "core/VideoListModel.h"
#include "service/feeds/VideoFeedParser.h"
#include "tests/support/TestSupport.h"
#include "tools/fakeservice/FakeService.h"

#include <QDomDocument>
#include <QTest>
#include <QXmlStreamReader>

// Reading a result feed at two sizes, a page of 50 entries and a document of 1,000:
// the feed parser filling a VideoListModel, against a raw QXmlStreamReader pass over
// every token of the same bytes (the floor for any streaming reader) in the same run;
// a DOM parse is timed against the same scan for comparison. Each figure is the
// median of a round of runs, taken in pairs with the scan, alternating which goes
// first; printed: min / median / max of both and of their ratio, and how the
// medians grow from the small document to the large one. Every run is checked: all
// entries read (their ids in order, once outside the timing), every token scanned.
// Goal: the parser at most 1.5x the token scan (median ratio), at both sizes.
class BenchFeeds : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void initTestCase();
    void cleanupTestCase();
    void parseAgainstTokenScan_data();
    void parseAgainstTokenScan();

private:
    static int scan(const QByteArray& document);
    static int parseIntoModel(const QByteArray& document, VideoListModel& model);
    static int dom(const QByteArray& document);

    TestEnvironment myEnvironment;
    QList<QByteArray> myEntries; // the fixture feed's entries, of all its shapes
    QByteArray myHead;           // the feed's elements before the first entry
    GrowthTable myGrowth{"entries"};
};

namespace {

constexpr int PAIRS = 11;
constexpr int RUNS_OF_A_PAGE = 20; // runs per timing of 50 entries; fewer of more, about as long
constexpr double GOAL_RATIO = 1.5;

} // namespace

void BenchFeeds::initTestCase()
{
    // The fixture feed's entries (full, rating-less, sparse, plain), repeated.
    const QByteArray fixture = FakeService::fixtureData(QStringLiteral("standard-feed.xml"));
    const qsizetype first = fixture.indexOf("<entry");
    const qsizetype end = fixture.lastIndexOf("</feed>");
    for (qsizetype at = first; at >= 0 && at < end;) {
        const qsizetype next = fixture.indexOf("</entry>", at) + 8;
        myEntries.append(fixture.mid(at, next - at));
        at = fixture.indexOf("<entry", next);
    }
    QCOMPARE(myEntries.size(), 4);
    myHead = fixture.left(first);
}

void BenchFeeds::cleanupTestCase()
{
    myGrowth.print();
}

int BenchFeeds::scan(const QByteArray& document)
{
    QXmlStreamReader reader(document);
    int tokens = 0;
    while (!reader.atEnd()) {
        reader.readNext();
        ++tokens;
    }
    return reader.hasError() ? -1 : tokens;
}

int BenchFeeds::parseIntoModel(const QByteArray& document, VideoListModel& model)
{
    model.clear();
    VideoFeedParser parser;
    if (!parser.parse(document))
        return -1;
    model.addEntries(parser.takeEntries());
    return model.rowCount();
}

int BenchFeeds::dom(const QByteArray& document)
{
    QDomDocument dom;
    if (!dom.setContent(document, true))
        return -1;
    return dom.documentElement()
        .elementsByTagNameNS(QStringLiteral("http://www.w3.org/2005/Atom"), QStringLiteral("entry"))
        .count();
}

void BenchFeeds::parseAgainstTokenScan_data()
{
    QTest::addColumn<int>("entries");
    QTest::newRow("a page of 50") << 50;
    QTest::newRow("1,000 entries") << 1000;
}

void BenchFeeds::parseAgainstTokenScan()
{
    QFETCH(int, entries);
    QByteArray feed = myHead;
    // Each entry its own id, so that the order can be checked.
    for (int i = 0; i < entries; ++i) {
        QByteArray entry = myEntries.at(i % myEntries.size());
        entry.insert(entry.indexOf("</yt:videoid>"), QByteArray::number(i));
        feed += entry;
    }
    feed += "</feed>";

    VideoListModel model(nullptr);
    QCOMPARE(parseIntoModel(feed, model), entries);
    for (int i = 0; i < entries; ++i)
        QVERIFY2(model.entryAt(i)->getVideoId().endsWith(QString::number(i)), qPrintable(model.entryAt(i)->getVideoId()));
    const int tokens = scan(feed);
    QVERIFY(tokens > entries);
    QCOMPARE(dom(feed), entries);

    PairedFigures parse;
    PairedFigures domParse;
    int results = 0;
    const int runs = qMax(1, RUNS_OF_A_PAGE * 50 / entries);
    auto timed = [&](const std::function<int()>& work, int expected) {
        return msOf([&] {
                   for (int i = 0; i < runs; ++i)
                       results += work() == expected ? 0 : 1;
               })
            / runs;
    };
    const auto scanOnce = [&] { return scan(feed); };
    const auto parseOnce = [&] { return parseIntoModel(feed, model); };
    const auto domOnce = [&] { return dom(feed); };
    for (int pair = 0; pair < PAIRS; ++pair) {
        double scanMs = 0;
        double parseMs = 0;
        if (pair % 2 == 0) {
            scanMs = timed(scanOnce, tokens);
            parseMs = timed(parseOnce, entries);
        } else {
            parseMs = timed(parseOnce, entries);
            scanMs = timed(scanOnce, tokens);
        }
        parse.add(parseMs, scanMs);
        domParse.add(timed(domOnce, entries), timed(scanOnce, tokens));
    }
    QCOMPARE(results, 0);
    std::printf("-- %d entries, %lld bytes, %d tokens\n", entries, qint64(feed.size()), tokens);
    parse.print("parse into the model vs token scan", "ms");
    domParse.print("DOM parse vs token scan", "ms");
    myGrowth.add(QStringLiteral("parse into the model, ms"), entries, parse.oursSpread().median);
    myGrowth.add(QStringLiteral("token scan, ms"), entries, parse.baselineSpread().median);
    QVERIFY2(parse.ratioSpread().median <= GOAL_RATIO, "the feed parser takes more than 1.5x a token scan");
}

QTEST_MAIN(BenchFeeds)
#include "bench_feeds.moc"
