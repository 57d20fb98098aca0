// Painting the video rows of a result list, and one step of a kinetic flick over
// them, in lists of 1,000 and of 10,000 videos. Each figure is timed in pairs with
// its baseline, alternating which goes first: a plain QListView over Qt's item model
// with the standard painter, showing the same titles and thumbnails at the same row
// height. It prints min / median / max of both and of their ratio, and how the
// medians grow from the short list to the long one; every result is checked.
//   bench_browse                 (QT_QPA_PLATFORM=offscreen when there is no display)
// Goals: a screenful of rows (5 at 800 x 480) painted in under 2 ms; one flick step,
// with its repaint, in under 4 ms (medians, at either size).
#include "bench/BenchSupport.h"
#include "core/VideoListModel.h"
#include "tests/support/TestSupport.h"
#include "widgets/VideoEntryItemDelegate.h"
#include "widgets/VideoSweepList.h"

#include <QImage>
#include <QListView>
#include <QPixmap>
#include <QScrollBar>
#include <QStandardItemModel>
#include <QtTest>

namespace {

constexpr int PAIRS = 200;
constexpr int ROWS_ON_SCREEN = 5;

QString title(int i)
{
    return QStringLiteral("Video number %1 with a title long enough to wrap onto its second line of text").arg(i);
}

QImage thumbnail(int i)
{
    QImage image(128, 96, QImage::Format_RGB32);
    image.fill(QColor::fromHsv(i * 7 % 360, 160, 200));
    return image;
}

VideoEntry* makeEntry(int i)
{
    auto* entry = new VideoEntry;
    entry->setVideoId(QStringLiteral("v%1").arg(i, 10, 10, QLatin1Char('0')));
    entry->setName(title(i));
    entry->setAuthor(QStringLiteral("author%1").arg(i % 37));
    entry->setRating(QString::number((i % 11) / 2.0));
    entry->setLength(30 + i % 4000);
    entry->setViewCount(QString::number(1000 + i * 17));
    entry->setCommentCount(QString::number(i % 500));
    entry->setThumbnail(thumbnail(i));
    return entry;
}

// Whether the picture shows the colour somewhere in the rectangle (a thumbnail drawn).
bool showsColor(const QImage& image, const QColor& color, const QRect& area)
{
    for (int y = area.top(); y <= area.bottom(); y += 2)
        for (int x = area.left(); x <= area.right(); x += 2)
            if (image.pixelColor(x, y).rgb() == color.rgb())
                return true;
    return false;
}

// Our list and the plain one, side by side in one window, with the same rows.
struct Lists
{
    QWidget window;
    FlickedList<VideoSweepList>* ours = new FlickedList<VideoSweepList>(&window);
    QListView* plain = new QListView(&window);
    QStandardItemModel plainModel;

    explicit Lists(int rows)
    {
        auto* model = new VideoListModel(nullptr, ours);
        QList<VideoEntry*> entries;
        for (int i = 0; i < rows; ++i)
            entries << makeEntry(i);
        model->addEntries(entries);
        ours->setItemDelegate(new VideoEntryItemDelegate(ours, 0));
        ours->setModel(model);
        for (int i = 0; i < rows; ++i) {
            auto* item = new QStandardItem(title(i));
            item->setData(QPixmap::fromImage(thumbnail(i)), Qt::DecorationRole);
            item->setSizeHint(QSize(800, 480 / ROWS_ON_SCREEN));
            plainModel.appendRow(item);
        }
        plain->setModel(&plainModel);
        plain->setUniformItemSizes(true);
        plain->setIconSize(QSize(128, 96));
        plain->setWordWrap(true);
        ours->setGeometry(0, 0, 800, 480);
        plain->setGeometry(0, 480, 800, 480);
        window.resize(800, 960);
        window.show();
    }
};

} // namespace

class BenchBrowse : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void cleanupTestCase() { myGrowth.print(); }
    void paintScreenOfRows_data() { sizes(); }
    void paintScreenOfRows();
    void flickStep_data() { sizes(); }
    void flickStep();

private:
    static void sizes()
    {
        QTest::addColumn<int>("rows");
        QTest::newRow("1,000 videos") << 1000;
        QTest::newRow("10,000 videos") << 10000;
    }

    TestEnvironment myEnvironment;
    GrowthTable myGrowth{"videos"};
};

// The screenful half-way down the list, painted into an image of the viewport.
void BenchBrowse::paintScreenOfRows()
{
    QFETCH(int, rows);
    Lists lists(rows);
    QVERIFY(QTest::qWaitForWindowExposed(&lists.window));
    lists.ours->scrollTo(lists.ours->model()->index(rows / 2, 0), QAbstractItemView::PositionAtTop);
    lists.plain->scrollTo(lists.plainModel.index(rows / 2, 0), QAbstractItemView::PositionAtTop);
    QCOMPARE(lists.ours->indexAt(QPoint(10, 10)).row(), rows / 2);
    QCOMPARE(lists.plain->indexAt(QPoint(10, 10)).row(), rows / 2);
    QImage oursImage(lists.ours->viewport()->size(), QImage::Format_ARGB32_Premultiplied);
    QImage plainImage(lists.plain->viewport()->size(), QImage::Format_ARGB32_Premultiplied);

    const PairedFigures paint = timeInPairs(PAIRS, [&] { lists.ours->viewport()->render(&oursImage); },
                                            [&] { lists.plain->viewport()->render(&plainImage); });
    // The rows were drawn: the thumbnail of the top row is in each picture.
    const QColor top = thumbnail(rows / 2).pixelColor(0, 0);
    const QRect firstRow(0, 0, 300, 480 / ROWS_ON_SCREEN - 1);
    QVERIFY(showsColor(oursImage, top, firstRow));
    QVERIFY(showsColor(plainImage, top, firstRow));
    paint.print(qPrintable(QStringLiteral("a screenful, %1").arg(QTest::currentDataTag())), "ms");
    std::printf("goal 2 ms (median): %s\n", paint.oursSpread().median < 2.0 ? "met" : "MISSED");
    myGrowth.add(QStringLiteral("a screenful painted, ms"), rows, paint.oursSpread().median);
    myGrowth.add(QStringLiteral("plain screenful painted, ms"), rows, paint.baselineSpread().median);
}

// One tick of the flick's timer and the repaint it causes; the baseline scrolls the
// plain list by the same distance and repaints it.
void BenchBrowse::flickStep()
{
    QFETCH(int, rows);
    Lists lists(rows);
    QVERIFY(QTest::qWaitForWindowExposed(&lists.window));
    QScrollBar* bar = lists.ours->verticalScrollBar();
    QScrollBar* plainBar = lists.plain->verticalScrollBar();
    lists.plain->setVerticalScrollMode(QAbstractItemView::ScrollPerPixel);
    QVERIFY(bar->maximum() > 10000);
    QVERIFY(plainBar->maximum() > 10000);

    QList<double> oursMs;
    QList<double> plainMs;
    QVERIFY(timeFlickSteps(lists.ours, lists.plain, PAIRS, oursMs, plainMs) > 0);
    PairedFigures step;
    for (int i = 0; i < oursMs.size(); ++i)
        step.add(oursMs.at(i), plainMs.at(i));
    step.print(qPrintable(QStringLiteral("a flick step, %1").arg(QTest::currentDataTag())), "ms");
    std::printf("goal 4 ms (median): %s\n", step.oursSpread().median < 4.0 ? "met" : "MISSED");
    myGrowth.add(QStringLiteral("a flick step, ms"), rows, step.oursSpread().median);
    myGrowth.add(QStringLiteral("plain flick step, ms"), rows, step.baselineSpread().median);
}

QTEST_MAIN(BenchBrowse)
#include "bench_browse.moc"
