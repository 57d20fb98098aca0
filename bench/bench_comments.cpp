// The comment pages with long comments: opening the all-comments page on a page of
// 25 and of 50 comments of 500 characters, from the service's answer arriving (the
// feed read, the shared model filled one comment at a time) to the page painted; and
// one step of a flick over 1,000 and over 10,000 comment rows with its repaint. Each
// figure is timed in pairs with its baseline, alternating which goes first: the same
// texts read from the same feed with a bare XML reader into Qt's item model and shown
// by a plain word-wrapping list view. It prints min / median / max of both and of
// their ratio, and how the medians grow from the small size to the large one; every
// result is checked.
//
// Goals: the page open and painted within one frame, 16 ms; a flick step with its
// repaint under 2 ms.
//   bench_comments                (QT_QPA_PLATFORM=offscreen when there is no display)
#include "bench/BenchSupport.h"

#include "core/CommentListModel.h"
#include "service/feeds/CommentFeedParser.h"
#include "shell/PageHistory.h"
#include "social/AllCommentsPage.h"
#include "social/CommentEntryItemDelegate.h"
#include "tests/support/TestEnvironment.h"
#include "tools/fakeservice/FakeDocuments.h"
#include "widgets/CommentSweepList.h"

#include <QImage>
#include <QListView>
#include <QScrollBar>
#include <QStandardItemModel>
#include <QXmlStreamReader>
#include <QtTest>

namespace {

const int COMMENT_CHARS = 500;
const int PAIRS = 25;
const int FLICK_STEPS = 400;

// A comment of 500 characters; every fourth in another script. Each round of the
// benchmark has texts of its own, so that nothing laid out in an earlier round helps.
QString commentText(int i, int round = 0)
{
    static const QStringList samples{QStringLiteral("Revontulet näkyivät tunturin yllä koko yön, kiitos videosta! "),
                                     QStringLiteral("Northern lights all night long over the fell, thanks for this. "),
                                     QStringLiteral("Aurora über dem Fjell, die ganze Nacht lang, wunderbar gefilmt. "),
                                     QStringLiteral("هذا تعليق طويل باللغة العربية عن الفيديو الجميل ")};
    return (QString::number(round) + samples.at(i % samples.size()).repeated(10)).left(COMMENT_CHARS);
}

// A comment feed as the service answers it, with count comments of 500 characters.
QByteArray commentFeed(int count, int round)
{
    QByteArray feed = FakeDocuments::feedHead({"comment", "video:bench:comments", QString(), QStringLiteral("YouTube"),
                                               QStringLiteral("/feeds/api/videos/bench/comments"), 137, 1, count});
    for (int i = 0; i < count; ++i)
        feed += FakeDocuments::commentEntry(
            QStringLiteral("bench"), FakeComment{QStringLiteral("c%1").arg(i), QStringLiteral("viewer%1").arg(i),
                                                 commentText(i, round), QDateTime(QDate(2013, 7, 1), QTime(21, 14), Qt::UTC)});
    return feed + FakeDocuments::feedEnd();
}

// The baseline's reading: the content of every entry, with a bare XML reader.
QStringList readContents(const QByteArray& feed)
{
    QStringList texts;
    QXmlStreamReader reader(feed);
    while (!reader.atEnd())
        if (reader.readNext() == QXmlStreamReader::StartElement && reader.name() == QLatin1String("content"))
            texts << reader.readElementText();
    return texts;
}

// The baseline's list: a plain word-wrapping list of Qt's item model.
struct PlainList
{
    QStandardItemModel model;
    QListView view;

    explicit PlainList(QWidget* parent) : view(parent)
    {
        view.setModel(&model);
        view.setWordWrap(true);
        view.setVerticalScrollMode(QAbstractItemView::ScrollPerPixel);
        view.setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    }
    void fill(const QStringList& texts)
    {
        model.clear();
        for (const QString& text : texts)
            model.appendRow(new QStandardItem(text));
    }
};

// Lays the widget's rows out, as the event loop does before a frame, and paints it.
void paint(QWidget* widget, QImage& image)
{
    QCoreApplication::processEvents();
    image.fill(Qt::transparent);
    widget->render(&image);
}

} // namespace

class BenchComments : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    // The figures are about the pages, not about writing trace lines.
    void initTestCase() { dropDebugMessages(); }
    void cleanupTestCase() { myGrowth.print(); }
    void openAllCommentsPage_data();
    void openAllCommentsPage();
    void flickStepOverComments_data();
    void flickStepOverComments();

private:
    TestEnvironment myEnvironment;
    GrowthTable myGrowth{"comments"};
};

void BenchComments::openAllCommentsPage_data()
{
    QTest::addColumn<int>("comments");
    QTest::newRow("25 comments") << 25;
    QTest::newRow("50 comments") << 50;
}

void BenchComments::flickStepOverComments_data()
{
    QTest::addColumn<int>("comments");
    QTest::newRow("1,000 comments") << 1000;
    QTest::newRow("10,000 comments") << 10000;
}

void BenchComments::openAllCommentsPage()
{
    QFETCH(int, comments);
    // Each in a window of its own, so that the frame of one paints nothing of the other.
    PageHistory history;
    CommentListModel model;
    AllCommentsPage page(&model, nullptr, history);
    page.resize(800, 480);
    PlainList plain(nullptr);
    plain.view.resize(800, 410);
    page.show();
    plain.view.show();
    QVERIFY(QTest::qWaitForWindowExposed(&page));
    QVERIFY(QTest::qWaitForWindowExposed(&plain.view));
    QList<QByteArray> feeds;
    for (int i = 0; i < 2 * PAIRS; ++i)
        feeds << commentFeed(comments, i);
    int round = 0;
    int oursLastRound = -1;
    QImage pageImage(page.size(), QImage::Format_ARGB32_Premultiplied);
    QImage plainImage(plain.view.size(), QImage::Format_ARGB32_Premultiplied);

    // As the controller and the service do it: the model emptied and the list at its
    // top, then the answer read into the model one comment at a time, then the turn
    // of the event loop that ends with the frame.
    const auto ours = [&] {
        model.clear();
        page.setStartIndex(1);
        page.setListToBeginning();
        CommentFeedParser parser;
        oursLastRound = round;
        parser.parse(feeds.at(round++));
        const QList<CommentEntry*> entries = parser.takeEntries();
        model.setTotal(parser.totalResults());
        for (CommentEntry* entry : entries)
            model.addEntry(entry);
        paint(&page, pageImage);
    };
    const auto base = [&] {
        plain.fill(readContents(feeds.at(round++)));
        plain.view.scrollToTop();
        paint(&plain.view, plainImage);
    };
    const PairedFigures figures = timeInPairs(PAIRS, ours, base);
    const QList<double>& oursMs = figures.ours;
    const QList<double>& baseMs = figures.baseline;
    QCOMPARE(model.rowCount(), comments);
    QCOMPARE(round, 2 * PAIRS);
    QCOMPARE(model.entryAt(7)->getContent(), commentText(7, oursLastRound));
    QCOMPARE(plain.model.rowCount(), comments);
    QCOMPARE(page.getCounterText(), QStringLiteral("1-%1/137").arg(comments));
    QVERIFY(!model.entryAt(0)->getAuthorRect().isEmpty()); // the first rows were painted
    printRatioFigure(qPrintable(QStringLiteral("all-comments page opened, %1").arg(QTest::currentDataTag())), oursMs,
                     baseMs, 16.0);
    myGrowth.add(QStringLiteral("page opened, ms"), comments, spreadOf(oursMs).median);
    myGrowth.add(QStringLiteral("plain list filled, ms"), comments, spreadOf(baseMs).median);
}

void BenchComments::flickStepOverComments()
{
    QFETCH(int, comments);
    QWidget window;
    window.resize(800, 480);
    CommentListModel model;
    QStringList texts;
    for (int i = 0; i < comments; ++i) {
        // Comments as people write them: from a line to the whole 500 characters.
        texts << commentText(i).left(40 + i * 37 % (COMMENT_CHARS - 40));
        model.addEntry(new CommentEntry(QStringLiteral("viewer%1").arg(i), texts.last(), QStringLiteral("01.07.2013")));
    }
    auto* list = new FlickedList<CommentSweepList>(&window);
    list->setItemDelegate(new CommentEntryItemDelegate(list, comments));
    list->setModel(&model);
    list->resize(800, 240);
    PlainList plain(&window);
    plain.fill(texts);
    plain.view.resize(800, 240);
    plain.view.move(0, 240);
    window.show();
    QVERIFY(QTest::qWaitForWindowExposed(&window));
    QScrollBar* bar = list->verticalScrollBar();
    QVERIFY(bar->maximum() > 50000);

    QList<double> oursMs;
    QList<double> baseMs;
    const int travelled = timeFlickSteps(list, &plain.view, FLICK_STEPS, oursMs, baseMs);
    QVERIFY(travelled > bar->maximum());
    printRatioFigure(qPrintable(QStringLiteral("a flick step, %1").arg(QTest::currentDataTag())), oursMs, baseMs, 2.0);
    myGrowth.add(QStringLiteral("flick step, ms"), comments, spreadOf(oursMs).median);
    myGrowth.add(QStringLiteral("plain flick step, ms"), comments, spreadOf(baseMs).median);
}

QTEST_MAIN(BenchComments)
#include "bench_comments.moc"
