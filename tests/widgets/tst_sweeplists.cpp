#include "widgets/WidgetConstants.h"
#include "widgets/CommentSweepList.h"
#include "widgets/UniformSweepList.h"
#include "widgets/VariableSweepList.h"
#include "widgets/VideoSweepList.h"
#include "core/CommentListModel.h"
#include "core/VideoListModel.h"
#include "tests/support/TestSupport.h"

#include <QLineEdit>
#include <QScrollBar>
#include <QSignalSpy>
#include <QStringListModel>
#include <QStyledItemDelegate>
#include <QtTest>

namespace {

const int ROW_HEIGHT = 50;
const QSize LIST_SIZE(400, 300);

// Rows of one fixed height, so that scroll values are easy to reason about.
class FixedRowDelegate : public QStyledItemDelegate
{
public:
    using QStyledItemDelegate::QStyledItemDelegate;
    QSize sizeHint(const QStyleOptionViewItem&, const QModelIndex&) const override
    {
        return QSize(LIST_SIZE.width(), ROW_HEIGHT);
    }
};

QStringList rows(int count)
{
    QStringList texts;
    for (int i = 0; i < count; ++i)
        texts << QStringLiteral("row %1").arg(i);
    return texts;
}

} // namespace

using namespace Touch;

class TestSweepLists : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void init();
    void cleanup();

    void flickScrollsAndDecelerates();
    void flickNeedsSpeedAndDistance_data();
    void flickNeedsSpeedAndDistance();
    void shortUpwardFlickMovesOneRow();
    void pressStopsFlick();
    void contentFollowsFinger();
    void sideways_data();
    void sideways();
    void doubleTap_data();
    void doubleTap();
    void tapOnSelectedRowActivates_data();
    void tapOnSelectedRowActivates();
    void edgeAutoScroll();
    void setToBeginningClearsSelection();
    void selectionMadeOnEveryChange();
    void variableListFlicksWithoutSnapping();
    void commentDoubleTap_data();
    void commentDoubleTap();
    void videoLinks_data();
    void videoLinks();
    void newListLeavesTheFocus_data();
    void newListLeavesTheFocus();

private:
    UniformSweepList* makeUniform(int rowCount);

    // Flicks, sweeps and taps are timed on it; a gesture is quick unless the test
    // moves the clock on between press and release.
    std::unique_ptr<ManualClock> myClock;
    std::unique_ptr<TestWorld> myWorld;
    QWidget* myWindow = nullptr;
};

void TestSweepLists::init()
{
    myClock = std::make_unique<ManualClock>();
    myWorld = std::make_unique<TestWorld>(TestWorld::Folders);
    myWindow = &myWorld->window();
    myWindow->resize(LIST_SIZE);
}

void TestSweepLists::cleanup()
{
    myWorld.reset();
    myClock.reset();
}

UniformSweepList* TestSweepLists::makeUniform(int rowCount)
{
    auto* list = new UniformSweepList(myWindow, 0);
    list->setItemDelegate(new FixedRowDelegate(list));
    list->setModel(new QStringListModel(rows(rowCount), list));
    list->setGeometry(QRect(QPoint(0, 0), LIST_SIZE));
    if (!myWorld->show())
        qWarning("window not exposed");
    return list;
}

void TestSweepLists::flickScrollsAndDecelerates()
{
    UniformSweepList* list = makeUniform(100);
    QScrollBar* bar = list->verticalScrollBar();
    QVector<int> values;
    connect(bar, &QScrollBar::valueChanged, this, [&values](int v) { values << v; });

    // 100 px upwards: the content follows to 100, then the flick aims at 100 + 3 * 100.
    drag(list, QPoint(100, 250), QPoint(100, 150));
    QVERIFY(list->isKineticScrolling());
    QCOMPARE(bar->value(), 100);
    // One step every 20 ms.
    myClock->advance(SWEEP_KINETIC_INTERVAL_MS - 1);
    QCOMPARE(bar->value(), 100);
    myClock->advance(1);
    QVERIFY(bar->value() > 100);
    myClock->advance(5000);
    QVERIFY(!list->isKineticScrolling());
    QCOMPARE(bar->value(), 400);

    // After the finger's own scrolling, each kinetic step is shorter than the one before.
    const int first = values.indexOf(100);
    QVERIFY(first >= 0);
    QVector<int> steps;
    for (int i = first + 1; i < values.size(); ++i)
        steps << values[i] - values[i - 1];
    QVERIFY2(steps.size() >= 4, "the flick should take several steps");
    for (int i = 1; i < steps.size(); ++i) {
        QVERIFY(steps[i] > 0);
        QVERIFY2(steps[i] <= steps[i - 1], "the flick must not speed up");
    }
    QVERIFY(steps.first() > steps.last());

    // Flicking back down comes to rest at the top, on a row boundary.
    drag(list, QPoint(100, 50), QPoint(100, 250));
    myClock->advance(5000);
    QVERIFY(!list->isKineticScrolling());
    QCOMPARE(bar->value(), 0);
}

void TestSweepLists::flickNeedsSpeedAndDistance_data()
{
    QTest::addColumn<int>("distance");
    QTest::addColumn<int>("holdMs");
    QTest::addColumn<bool>("flicks");
    QTest::newRow("15 px, quick") << 15 << 0 << true;
    QTest::newRow("14 px, quick") << 14 << 0 << false;
    QTest::newRow("100 px, released at 800 ms") << 100 << SWEEP_GESTURE_MAX_MS << true;
    QTest::newRow("100 px, released after 801 ms") << 100 << SWEEP_GESTURE_MAX_MS + 1 << false;
}

void TestSweepLists::flickNeedsSpeedAndDistance()
{
    QFETCH(int, distance);
    QFETCH(int, holdMs);
    QFETCH(bool, flicks);
    UniformSweepList* list = makeUniform(100);
    press(list, QPoint(100, 250));
    move(list, QPoint(100, 250 - distance));
    myClock->advance(holdMs);
    release(list, QPoint(100, 250 - distance));
    QCOMPARE(list->isKineticScrolling(), flicks);
    if (!flicks)
        QCOMPARE(list->verticalScrollBar()->value(), distance);
}

void TestSweepLists::shortUpwardFlickMovesOneRow()
{
    UniformSweepList* list = makeUniform(100);
    // 15 px up aims at 45 px, still inside the first row: the list moves on to the
    // next row instead of falling back.
    drag(list, QPoint(100, 200), QPoint(100, 185));
    myClock->advance(5000);
    QVERIFY(!list->isKineticScrolling());
    QCOMPARE(list->verticalScrollBar()->value(), ROW_HEIGHT);
}

void TestSweepLists::pressStopsFlick()
{
    UniformSweepList* list = makeUniform(100);
    drag(list, QPoint(100, 280), QPoint(100, 20));
    QVERIFY(list->isKineticScrolling());
    myClock->advance(3 * SWEEP_KINETIC_INTERVAL_MS);
    press(list, QPoint(100, 100));
    QVERIFY(!list->isKineticScrolling());
    const int held = list->verticalScrollBar()->value();
    myClock->advance(5000);
    QCOMPARE(list->verticalScrollBar()->value(), held);
    release(list, QPoint(100, 100));
}

void TestSweepLists::contentFollowsFinger()
{
    UniformSweepList* list = makeUniform(100);
    QScrollBar* bar = list->verticalScrollBar();
    bar->setValue(200);
    press(list, QPoint(100, 100));
    move(list, QPoint(100, 70));
    QCOMPARE(bar->value(), 230);
    move(list, QPoint(100, 160));
    QCOMPARE(bar->value(), 140);
    // The drag cannot leave the list's range.
    move(list, QPoint(100, 1000));
    QCOMPARE(bar->value(), 0);
    myClock->advance(SWEEP_GESTURE_MAX_MS + 1);
    release(list, QPoint(100, 1000));
    QVERIFY(!list->isKineticScrolling());
}

void TestSweepLists::sideways_data()
{
    QTest::addColumn<QPoint>("to");
    QTest::addColumn<int>("holdMs");
    QTest::addColumn<bool>("swept");
    QTest::addColumn<int>("length");
    QTest::newRow("left 15 px") << QPoint(185, 150) << 0 << true << 15;
    QTest::newRow("right 40 px") << QPoint(240, 150) << 0 << true << -40;
    QTest::newRow("left 14 px") << QPoint(186, 150) << 0 << false << 0;
    QTest::newRow("mostly vertical") << QPoint(180, 110) << 0 << false << 0;
    QTest::newRow("released at 800 ms") << QPoint(150, 150) << SWEEP_GESTURE_MAX_MS << true << 50;
    QTest::newRow("released after 801 ms") << QPoint(150, 150) << SWEEP_GESTURE_MAX_MS + 1 << false << 0;
}

void TestSweepLists::sideways()
{
    QFETCH(QPoint, to);
    QFETCH(int, holdMs);
    QFETCH(bool, swept);
    QFETCH(int, length);
    UniformSweepList* list = makeUniform(100);
    QSignalSpy sweeps(list, &SweepListBase::horizontalSweep);
    press(list, QPoint(200, 150));
    move(list, to);
    myClock->advance(holdMs);
    release(list, to);
    QCOMPARE(sweeps.count(), swept ? 1 : 0);
    if (swept)
        QCOMPARE(sweeps.first().first().toInt(), length);
}

void TestSweepLists::doubleTap_data()
{
    QTest::addColumn<int>("secondRow");
    QTest::addColumn<int>("secondHoldMs");
    QTest::addColumn<bool>("selectedText");
    QTest::newRow("same row, quick") << 2 << 0 << true;
    QTest::newRow("other row") << 3 << 0 << false;
    QTest::newRow("same row, released at 199 ms") << 2 << SWEEP_DOUBLE_TAP_MS - 1 << true;
    QTest::newRow("same row, released at 200 ms") << 2 << SWEEP_DOUBLE_TAP_MS << false;
}

void TestSweepLists::doubleTap()
{
    QFETCH(int, secondRow);
    QFETCH(int, secondHoldMs);
    QFETCH(bool, selectedText);
    UniformSweepList* list = makeUniform(20);
    QSignalSpy texts(list, &UniformSweepList::textSelected);

    const QPoint first = rowCenter(list, 2);
    const QPoint second = rowCenter(list, secondRow);
    tap(list, first);
    press(list, second);
    QTest::mouseDClick(list->viewport(), Qt::LeftButton, {}, second);
    myClock->advance(secondHoldMs);
    release(list, second);

    QCOMPARE(texts.count(), selectedText ? 1 : 0);
    if (selectedText)
        QCOMPARE(texts.first().first().toModelIndex().row(), 2);
    QCOMPARE(list->currentIndex().row(), secondRow);
}

void TestSweepLists::tapOnSelectedRowActivates_data()
{
    QTest::addColumn<int>("secondRow");
    QTest::addColumn<int>("secondMove");
    QTest::addColumn<bool>("activates");
    QTest::newRow("same row") << 4 << 0 << true;
    QTest::newRow("other row") << 5 << 0 << false;
    QTest::newRow("same row, finger moved") << 4 << 3 << false;
}

void TestSweepLists::tapOnSelectedRowActivates()
{
    QFETCH(int, secondRow);
    QFETCH(int, secondMove);
    QFETCH(bool, activates);
    UniformSweepList* list = makeUniform(20);
    QSignalSpy activated(list, &QAbstractItemView::activated);
    QSignalSpy texts(list, &UniformSweepList::textSelected);

    tap(list, rowCenter(list, 4));
    QCOMPARE(activated.count(), 0);
    const QPoint at = rowCenter(list, secondRow);
    press(list, at);
    if (secondMove) {
        move(list, at + QPoint(0, secondMove));
        move(list, at + QPoint(0, secondMove));
    }
    release(list, at + QPoint(0, secondMove));
    QCOMPARE(activated.count(), activates ? 1 : 0);
    if (activates)
        QCOMPARE(activated.first().first().toModelIndex().row(), 4);
    QCOMPARE(texts.count(), 0);
}

void TestSweepLists::edgeAutoScroll()
{
    UniformSweepList* list = makeUniform(100);
    QScrollBar* bar = list->verticalScrollBar();
    bar->setValue(200);
    QVector<int> values;
    connect(bar, &QScrollBar::valueChanged, this, [&values](int v) { values << v; });

    // Near the top edge: up, 20 px every 20 ms.
    QVERIFY(list->checkDragScroll(SWEEP_DRAG_SCROLL_EDGE - 1));
    myClock->advance(SWEEP_DRAG_SCROLL_INTERVAL_MS - 1);
    QVERIFY(values.isEmpty());
    myClock->advance(1 + 2 * SWEEP_DRAG_SCROLL_INTERVAL_MS);
    QCOMPARE(values, QVector<int>({180, 160, 140}));

    // Off the edges it stops.
    QVERIFY(!list->checkDragScroll(LIST_SIZE.height() / 2));
    QVERIFY(!list->isDragScrolling());
    myClock->advance(1000);
    QCOMPARE(bar->value(), 140);

    // Near the bottom edge: down.
    values.clear();
    QVERIFY(list->checkDragScroll(list->viewport()->height() - SWEEP_DRAG_SCROLL_EDGE + 1));
    myClock->advance(2 * SWEEP_DRAG_SCROLL_INTERVAL_MS);
    QCOMPARE(values, QVector<int>({160, 180}));
    list->stopDragScroll();
    QVERIFY(!list->isDragScrolling());

    // At the top of the list there is nothing left to scroll: it stops by itself.
    bar->setValue(30);
    QVERIFY(list->checkDragScroll(0));
    myClock->advance(3 * SWEEP_DRAG_SCROLL_INTERVAL_MS);
    QCOMPARE(bar->value(), 0);
    QVERIFY(!list->isDragScrolling());
}

void TestSweepLists::setToBeginningClearsSelection()
{
    UniformSweepList* list = makeUniform(100);
    tap(list, rowCenter(list, 3));
    QCOMPARE(list->selectionModel()->selectedIndexes().count(), 1);
    list->verticalScrollBar()->setValue(500);
    QSignalSpy cleared(list, &SweepListBase::selectionCleared);
    QSignalSpy activated(list, &QAbstractItemView::activated);

    list->setToBeginning();
    QCOMPARE(cleared.count(), 1);
    QVERIFY(list->selectionModel()->selectedIndexes().isEmpty());
    QCOMPARE(list->verticalScrollBar()->value(), 0);

    // A later tap on the row that was selected before is a first tap again.
    tap(list, rowCenter(list, 3));
    QCOMPARE(activated.count(), 0);
}

void TestSweepLists::selectionMadeOnEveryChange()
{
    UniformSweepList* list = makeUniform(10);
    QSignalSpy made(list, &UniformSweepList::selectionMade);
    tap(list, rowCenter(list, 1));
    QCOMPARE(made.count(), 1);
    tap(list, rowCenter(list, 2));
    QCOMPARE(made.count(), 2);
    list->clearSelection();
    QCOMPARE(made.count(), 3);
}

void TestSweepLists::variableListFlicksWithoutSnapping()
{
    auto* list = new VariableSweepList(myWindow, 0);
    list->setItemDelegate(new FixedRowDelegate(list));
    list->setModel(new QStringListModel(rows(100), list));
    list->setGeometry(QRect(QPoint(0, 0), LIST_SIZE));
    QVERIFY(myWorld->show());
    drag(list, QPoint(100, 250), QPoint(100, 230));
    myClock->advance(5000);
    QVERIFY(!list->isKineticScrolling());
    QCOMPARE(list->verticalScrollBar()->value(), 20 + 3 * 20);
}

void TestSweepLists::commentDoubleTap_data()
{
    QTest::addColumn<QPoint>("offset");
    QTest::addColumn<bool>("onAuthor");
    QTest::newRow("on the author") << QPoint(15, 10) << true;
    QTest::newRow("elsewhere") << QPoint(300, 30) << false;
}

void TestSweepLists::commentDoubleTap()
{
    QFETCH(QPoint, offset);
    QFETCH(bool, onAuthor);
    auto* list = new CommentSweepList(myWindow);
    auto* model = new CommentListModel(list);
    for (int i = 0; i < 5; ++i)
        model->addEntry(new CommentEntry(QStringLiteral("author%1").arg(i), QStringLiteral("text"), QString()));
    list->setItemDelegate(new FixedRowDelegate(list));
    list->setModel(model);
    list->setGeometry(QRect(QPoint(0, 0), LIST_SIZE));
    QVERIFY(myWorld->show());
    const QRect rowRect = list->visualRect(model->index(1, 0));
    model->entryAt(1)->setAuthorRect(QRectF(rowRect.left() + 5, rowRect.top() + 2, 80, 20));

    QSignalSpy author(list, &CommentSweepList::authorLinkClicked);
    QSignalSpy row(list, &QAbstractItemView::doubleClicked);
    Touch::doubleTap(list, rowRect.topLeft() + offset);
    QCOMPARE(author.count(), onAuthor ? 1 : 0);
    QCOMPARE(row.count(), onAuthor ? 0 : 1);
    const QList<QVariant> args = onAuthor ? author.first() : row.first();
    QCOMPARE(args.first().toModelIndex().row(), 1);
    QVERIFY(list->selectionModel()->selectedIndexes().isEmpty());
}

void TestSweepLists::videoLinks_data()
{
    QTest::addColumn<QString>("rect");
    QTest::addColumn<QPoint>("releaseOffset");
    QTest::addColumn<QString>("expected");
    QTest::newRow("author") << "author" << QPoint() << "author";
    QTest::newRow("comments") << "comments" << QPoint() << "comments";
    QTest::newRow("info button") << "info" << QPoint() << "info";
    QTest::newRow("elsewhere") << "" << QPoint() << "";
    // Pressed on the author, then the finger slid off it: a drag, no link.
    QTest::newRow("slid off the author") << "author" << QPoint(0, 30) << "";
}

void TestSweepLists::videoLinks()
{
    QFETCH(QString, rect);
    QFETCH(QPoint, releaseOffset);
    QFETCH(QString, expected);
    auto* list = new VideoSweepList(myWindow);
    auto* model = new VideoListModel(nullptr, list);
    for (int i = 0; i < 5; ++i) {
        auto* entry = new VideoEntry;
        entry->setVideoId(QStringLiteral("v%1").arg(i));
        model->addEntry(entry);
    }
    list->setItemDelegate(new FixedRowDelegate(list));
    list->setModel(model);
    list->setGeometry(QRect(QPoint(0, 0), LIST_SIZE));
    QVERIFY(myWorld->show());

    const QRect rowRect = list->visualRect(model->index(2, 0));
    const QRectF author(rowRect.left() + 100, rowRect.top() + 30, 80, 16);
    const QRectF comments(rowRect.left() + 200, rowRect.top() + 30, 80, 16);
    const QRectF info(rowRect.right() - 40, rowRect.top() + 5, 35, 35);
    VideoEntry* entry = model->entryAt(2);
    entry->setAuthorRect(author);
    entry->setCommentsLinkRect(comments);
    entry->setInfoButtonRect(info);

    QPoint at = rowRect.center() - QPoint(150, 0);
    if (rect == QLatin1String("author"))
        at = author.center().toPoint();
    else if (rect == QLatin1String("comments"))
        at = comments.center().toPoint();
    else if (rect == QLatin1String("info"))
        at = info.center().toPoint();

    QSignalSpy authorSpy(list, &VideoSweepList::authorLinkClicked);
    QSignalSpy commentsSpy(list, &VideoSweepList::videoCommentsClicked);
    QSignalSpy infoSpy(list, &VideoSweepList::infoButtonClicked);
    if (releaseOffset.isNull()) {
        tap(list, at);
    } else {
        press(list, at);
        move(list, at + releaseOffset);
        release(list, at + releaseOffset);
    }
    QCOMPARE(authorSpy.count(), expected == QLatin1String("author") ? 1 : 0);
    QCOMPARE(commentsSpy.count(), expected == QLatin1String("comments") ? 1 : 0);
    QCOMPARE(infoSpy.count(), expected == QLatin1String("info") ? 1 : 0);
    QSignalSpy* hit = expected == QLatin1String("author") ? &authorSpy
        : expected == QLatin1String("comments")           ? &commentsSpy
        : expected == QLatin1String("info")               ? &infoSpy
                                                          : nullptr;
    if (hit)
        QCOMPARE(hit->first().first().toModelIndex().row(), 2);
}

void TestSweepLists::newListLeavesTheFocus_data()
{
    QTest::addColumn<bool>("shown");
    QTest::newRow("made") << false;
    QTest::newRow("made, then shown") << true;
}

// A list takes the keyboard focus when its page gives it: being made (a page builds
// its lists when it is first shown) takes it neither from the control that has it
// nor later, when the list is first shown.
void TestSweepLists::newListLeavesTheFocus()
{
    QFETCH(bool, shown);
    auto* field = new QLineEdit(myWindow);
    myWindow->show();
    QVERIFY(QTest::qWaitForWindowActive(myWindow));
    field->setFocus();
    QTRY_VERIFY(field->hasFocus());

    auto* list = new VideoSweepList(myWindow);
    if (shown)
        list->show();
    QCoreApplication::processEvents();
    QVERIFY(field->hasFocus());
}

QTEST_MAIN(TestSweepLists)
#include "tst_sweeplists.moc"
