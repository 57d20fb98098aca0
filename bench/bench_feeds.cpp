#include "core/VideoEntry.h"
#include "core/VideoListModel.h"
#include "service/feeds/VideoFeedParser.h"
#include "tests/support/TestSupport.h"
#include "tools/fakeservice/FakeService.h"

#include <QDomDocument>
#include <QElapsedTimer>
#include <QTest>
#include <QXmlStreamReader>

#include <algorithm>

// Reading a 50-entry result page: the feed parser filling a VideoListModel, next to a
// bare QXmlStreamReader pass over every token of the same bytes (the floor for any
// streaming reader) and a DOM parse. compareSideBySide() times the three in
// alternation and prints the ratios.
class BenchFeeds : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void initTestCase();
    void bareTokenScan();
    void parseIntoModel();
    void domParse();
    void compareSideBySide();

private:
    static int scan(const QByteArray& document);
    static int parseIntoModel(const QByteArray& document, VideoListModel& model);
    static int dom(const QByteArray& document);

    TestEnvironment myEnvironment;
    QByteArray myFeed;
};

void BenchFeeds::initTestCase()
{
    // 50 entries in the shapes of the fixture feed (full, rating-less, sparse, plain), repeated.
    const QByteArray fixture = FakeService::fixtureData(QStringLiteral("standard-feed.xml"));
    const int first = fixture.indexOf("<entry");
    const int end = fixture.lastIndexOf("</feed>");
    QList<QByteArray> entries;
    for (int at = first; at >= 0 && at < end;) {
        const int next = fixture.indexOf("</entry>", at) + 8;
        entries.append(fixture.mid(at, next - at));
        at = fixture.indexOf("<entry", next);
    }
    QCOMPARE(entries.size(), 4);
    myFeed = fixture.left(first);
    for (int i = 0; i < 50; ++i)
        myFeed += entries.at(i % entries.size());
    myFeed += "</feed>";

    VideoListModel model(nullptr);
    QCOMPARE(parseIntoModel(myFeed, model), 50);
    qInfo("feed document: %lld bytes, 50 entries", qint64(myFeed.size()));
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
    const QList<VideoEntry*> entries = parser.takeEntries();
    for (VideoEntry* entry : entries)
        model.addEntry(entry);
    return model.rowCount();
}

int BenchFeeds::dom(const QByteArray& document)
{
    QDomDocument dom;
    if (!dom.setContent(document, true))
        return -1;
    return dom.documentElement().elementsByTagNameNS(QStringLiteral("http://www.w3.org/2005/Atom"),
                                                     QStringLiteral("entry")).count();
}

void BenchFeeds::bareTokenScan()
{
    int tokens = 0;
    QBENCHMARK {
        tokens = scan(myFeed);
    }
    QVERIFY(tokens > 0);
}

void BenchFeeds::parseIntoModel()
{
    VideoListModel model(nullptr);
    int rows = 0;
    QBENCHMARK {
        rows = parseIntoModel(myFeed, model);
    }
    QCOMPARE(rows, 50);
}

void BenchFeeds::domParse()
{
    int entries = 0;
    QBENCHMARK {
        entries = dom(myFeed);
    }
    QCOMPARE(entries, 50);
}

void BenchFeeds::compareSideBySide()
{
    constexpr int ROUNDS = 15;
    constexpr int RUNS = 40;
    QList<qint64> scanTimes, parseTimes, domTimes;
    VideoListModel model(nullptr);
    QElapsedTimer timer;
    for (int round = 0; round < ROUNDS; ++round) {
        timer.start();
        for (int i = 0; i < RUNS; ++i)
            scan(myFeed);
        scanTimes.append(timer.nsecsElapsed() / RUNS);
        timer.start();
        for (int i = 0; i < RUNS; ++i)
            parseIntoModel(myFeed, model);
        parseTimes.append(timer.nsecsElapsed() / RUNS);
        timer.start();
        for (int i = 0; i < RUNS; ++i)
            dom(myFeed);
        domTimes.append(timer.nsecsElapsed() / RUNS);
    }
    auto median = [](QList<qint64> v) {
        std::sort(v.begin(), v.end());
        return double(v.at(v.size() / 2));
    };
    const double scanNs = median(scanTimes);
    const double parseNs = median(parseTimes);
    const double domNs = median(domTimes);
    qInfo("bare token scan : %8.1f us", scanNs / 1000.0);
    qInfo("parse into model: %8.1f us  (%.2fx the scan)", parseNs / 1000.0, parseNs / scanNs);
    qInfo("DOM parse       : %8.1f us  (%.2fx the scan)", domNs / 1000.0, domNs / scanNs);
    QVERIFY2(parseNs <= 1.5 * scanNs, "the feed parser takes more than 1.5x a bare token scan");
}

QTEST_MAIN(BenchFeeds)
#include "bench_feeds.moc"
