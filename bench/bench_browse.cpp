// Painting cost of the video rows and of one step of a kinetic flick.
//   bench_browse                 (QT_QPA_PLATFORM=offscreen when there is no display)
// Targets: one screenful of rows (5 rows at 800 x 480) painted in under 2 ms; one
// flick step, with its repaint, in under 4 ms with 1,000 rows in the list.
#include "widgets/VideoEntryItemDelegate.h"
#include "widgets/VideoSweepList.h"
#include "core/VideoListModel.h"
#include "tests/support/TestSupport.h"

#include <QImage>
#include <QPainter>
#include <QScrollBar>
#include <QtTest>

namespace {

VideoEntry* makeEntry(int i)
{
    auto* entry = new VideoEntry;
    entry->setVideoId(QStringLiteral("v%1").arg(i, 10, 10, QLatin1Char('0')));
    entry->setName(QStringLiteral("Video number %1 with a title long enough to wrap onto its second line of text")
                       .arg(i));
    entry->setAuthor(QStringLiteral("author%1").arg(i % 37));
    entry->setRating(QString::number((i % 11) / 2.0));
    entry->setLength(30 + i % 4000);
    entry->setViewCount(QString::number(1000 + i * 17));
    entry->setCommentCount(QString::number(i % 500));
    QImage thumbnail(128, 96, QImage::Format_RGB32);
    thumbnail.fill(QColor::fromHsv(i * 7 % 360, 160, 200));
    entry->setThumbnail(thumbnail);
    return entry;
}

// Lets the benchmark drive the flick one step at a time.
class BenchList : public VideoSweepList
{
public:
    using VideoSweepList::VideoSweepList;
    void flickTo(int aim) { startKineticScroll(aim); }
};

} // namespace

class BenchBrowse : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void paintScreenOfRows();
    void flickStep();
};

void BenchBrowse::paintScreenOfRows()
{
    TestEnvironment environment;
    VideoListModel model(nullptr);
    for (int i = 0; i < 5; ++i)
        model.addEntry(makeEntry(i));
    VideoEntryItemDelegate delegate(nullptr, 0);
    QImage screen(800, 480, QImage::Format_ARGB32_Premultiplied);
    QPainter painter(&screen);
    QStyleOptionViewItem option;
    const int rowHeight = 480 / 5;

    QBENCHMARK {
        for (int row = 0; row < 5; ++row) {
            option.rect = QRect(0, row * rowHeight, 800, rowHeight);
            delegate.paint(&painter, option, model.index(row, 0));
        }
    }
}

void BenchBrowse::flickStep()
{
    TestEnvironment environment;
    BenchList list(nullptr);
    auto* model = new VideoListModel(nullptr, &list);
    for (int i = 0; i < 1000; ++i)
        model->addEntry(makeEntry(i));
    list.setItemDelegate(new VideoEntryItemDelegate(&list, 0));
    list.setModel(model);
    list.resize(800, 480);
    list.show();
    QVERIFY(QTest::qWaitForWindowExposed(&list));
    QScrollBar* bar = list.verticalScrollBar();
    QVERIFY(bar->maximum() > 10000);

    int aim = bar->maximum();
    QBENCHMARK {
        if (!list.isKineticScrolling()) {
            list.flickTo(aim);
            aim = aim == 0 ? bar->maximum() : 0;
        }
        // One tick of the flick's timer and the repaint it causes.
        QMetaObject::invokeMethod(&list, "kineticStep", Qt::DirectConnection);
        list.viewport()->repaint();
    }
}

QTEST_MAIN(BenchBrowse)
#include "bench_browse.moc"
