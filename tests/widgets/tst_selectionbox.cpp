#include "tests/support/TestSupport.h"
#include "widgets/SelectionBox.h"
#include "widgets/SelectionList.h"
#include "widgets/WidgetConstants.h"

#include <QPushButton>
#include <QScrollBar>
#include <QSignalSpy>
#include <QtTest>

namespace {

const QStringList TIMES = {QStringLiteral("Today"), QStringLiteral("This week"), QStringLiteral("This month"),
                           QStringLiteral("Any time")};

QStringList manyItems(int count)
{
    QStringList items;
    for (int i = 0; i < count; ++i)
        items << QStringLiteral("%1MB").arg(100 * (i + 1));
    return items;
}

} // namespace

class TestSelectionBox : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void init();
    void cleanup();

    void settersAreSilent();
    void setCurrentIndexOutsideEntries_data();
    void setCurrentIndexOutsideEntries();
    void setTextKeepsSelection();
    void pickReportsOnClose_data();
    void pickReportsOnClose();
    void closingWithoutPickReportsCurrentEntry_data();
    void closingWithoutPickReportsCurrentEntry();
    void dragInListDoesNotPick();
    void emptyBoxDoesNotOpen();
    void keysOpenTheList();
    void scrollButtonsFollowFlag();
    void listStaysOnScreen_data();
    void listStaysOnScreen();

private:
    SelectionBox* makeBox(int flag, const QStringList& items);

    std::unique_ptr<TestWorld> myWorld;
    QWidget* myWindow = nullptr;
};

void TestSelectionBox::init()
{
    myWorld = std::make_unique<TestWorld>(TestWorld::Folders);
    myWindow = &myWorld->window();
}

void TestSelectionBox::cleanup()
{
    myWorld.reset();
}

SelectionBox* TestSelectionBox::makeBox(int flag, const QStringList& items)
{
    auto* box = new SelectionBox(flag, myWindow);
    box->setGeometry(50, 50, 200, 50);
    box->setItems(items);
    if (!myWorld->show())
        qWarning("window not exposed");
    return box;
}

void TestSelectionBox::settersAreSilent()
{
    auto* box = new SelectionBox(0, myWindow);
    QSignalSpy changed(box, &SelectionBox::currentIndexChanged);
    QSignalSpy label(box, &SelectionBox::labelTextChanged);

    box->setItems(TIMES);
    QCOMPARE(box->count(), 4);
    QCOMPARE(box->currentIndex(), 0);
    QCOMPARE(box->currentText(), QStringLiteral("Today"));
    QCOMPARE(box->text(), QStringLiteral("Today"));
    QCOMPARE(label.count(), 1);

    box->setCurrentIndex(2);
    QCOMPARE(box->currentIndex(), 2);
    QCOMPARE(box->currentText(), QStringLiteral("This month"));
    QCOMPARE(box->text(), QStringLiteral("This month"));
    QCOMPARE(label.count(), 2);

    // Stepping to the same entry again still shows (and announces) its text.
    box->setCurrentIndex(2);
    QCOMPARE(label.count(), 3);

    box->setItems(QStringList{QStringLiteral("Relevance"), QStringLiteral("Rating")});
    QCOMPARE(box->currentIndex(), 0);
    QCOMPARE(box->text(), QStringLiteral("Relevance"));
    QCOMPARE(label.count(), 4);

    QCOMPARE(changed.count(), 0);
}

void TestSelectionBox::setCurrentIndexOutsideEntries_data()
{
    QTest::addColumn<int>("index");
    QTest::newRow("-1") << -1;
    QTest::newRow("past the last") << 4;
}

void TestSelectionBox::setCurrentIndexOutsideEntries()
{
    QFETCH(int, index);
    auto* box = new SelectionBox(0, myWindow);
    box->setItems(TIMES);
    box->setCurrentIndex(1);
    QSignalSpy changed(box, &SelectionBox::currentIndexChanged);
    box->setCurrentIndex(index);
    QCOMPARE(box->currentIndex(), -1);
    QCOMPARE(box->currentText(), QString());
    QCOMPARE(box->text(), QString());
    QCOMPARE(box->count(), 4);
    QCOMPARE(changed.count(), 0);
}

void TestSelectionBox::setTextKeepsSelection()
{
    auto* box = new SelectionBox(0, myWindow);
    box->setItems(TIMES);
    box->setCurrentIndex(3);
    QSignalSpy label(box, &SelectionBox::labelTextChanged);
    box->setText(QStringLiteral("Choose category..."));
    QCOMPARE(label.count(), 1);
    QCOMPARE(box->text(), QStringLiteral("Choose category..."));
    QCOMPARE(box->currentIndex(), 3);
    QCOMPARE(box->currentText(), QStringLiteral("Any time"));
}

void TestSelectionBox::pickReportsOnClose_data()
{
    QTest::addColumn<int>("start");
    QTest::addColumn<int>("pick");
    QTest::newRow("another entry") << 0 << 2;
    QTest::newRow("the same entry") << 1 << 1;
}

void TestSelectionBox::pickReportsOnClose()
{
    QFETCH(int, start);
    QFETCH(int, pick);
    SelectionBox* box = makeBox(0, TIMES);
    box->setCurrentIndex(start);
    QSignalSpy changed(box, &SelectionBox::currentIndexChanged);
    QSignalSpy label(box, &SelectionBox::labelTextChanged);

    QTest::mouseClick(box, Qt::LeftButton);
    SelectionList* list = box->listBox();
    QVERIFY(list->isVisible());
    QCOMPARE(list->currentRow(), start);
    QCOMPARE(changed.count(), 0);

    tapRow(list->listView(), pick);
    QVERIFY(!list->isVisible());
    QCOMPARE(changed.count(), 1);
    QCOMPARE(changed.first().first().toString(), TIMES.at(pick));
    QCOMPARE(box->currentIndex(), pick);
    QCOMPARE(box->text(), TIMES.at(pick));
    // The label was set before the list reported its closing.
    QCOMPARE(label.count(), 1);
}

void TestSelectionBox::closingWithoutPickReportsCurrentEntry_data()
{
    QTest::addColumn<bool>("escape");
    QTest::newRow("Escape") << true;
    QTest::newRow("hidden from outside") << false;
}

void TestSelectionBox::closingWithoutPickReportsCurrentEntry()
{
    QFETCH(bool, escape);
    SelectionBox* box = makeBox(0, TIMES);
    box->setCurrentIndex(1);
    box->setText(QStringLiteral("shown text"));
    QSignalSpy changed(box, &SelectionBox::currentIndexChanged);
    QSignalSpy label(box, &SelectionBox::labelTextChanged);
    box->showListBox();
    SelectionList* list = box->listBox();
    QVERIFY(list->isVisible());
    if (escape)
        QTest::keyClick(list->listView(), Qt::Key_Escape);
    else
        list->hide();
    QVERIFY(!list->isVisible());
    QCOMPARE(changed.count(), 1);
    QCOMPARE(changed.first().first().toString(), QStringLiteral("This week"));
    QCOMPARE(label.count(), 0);
    QCOMPARE(box->text(), QStringLiteral("shown text"));
}

void TestSelectionBox::dragInListDoesNotPick()
{
    ManualClock clock;
    SelectionBox* box = makeBox(0, manyItems(30));
    QSignalSpy changed(box, &SelectionBox::currentIndexChanged);
    box->showListBox();
    SelectionList* list = box->listBox();
    SelectionListView* view = list->listView();
    QVERIFY(view->verticalScrollBar()->maximum() > 0);
    const QPoint from = view->visualRect(view->model()->index(3, 0)).center();
    Touch::press(view, from);
    Touch::move(view, from - QPoint(0, 40));
    clock.advance(SWEEP_GESTURE_MAX_MS + 1); // slow: no flick, just the drag
    Touch::release(view, from - QPoint(0, 40));
    QVERIFY(list->isVisible());
    QCOMPARE(changed.count(), 0);
    QCOMPARE(view->verticalScrollBar()->value(), 40);
    // Return picks the current row.
    QTest::keyClick(view, Qt::Key_Down);
    QTest::keyClick(view, Qt::Key_Return);
    QVERIFY(!list->isVisible());
    QCOMPARE(changed.count(), 1);
    QCOMPARE(box->currentIndex(), 4);
    QCOMPARE(box->text(), QStringLiteral("500MB"));
}

void TestSelectionBox::emptyBoxDoesNotOpen()
{
    SelectionBox* box = makeBox(0, QStringList());
    QSignalSpy changed(box, &SelectionBox::currentIndexChanged);
    QCOMPARE(box->currentIndex(), -1);
    box->showListBox();
    QVERIFY(!box->listBox()->isVisible());
    QCOMPARE(changed.count(), 0);
}

void TestSelectionBox::keysOpenTheList()
{
    SelectionBox* box = makeBox(0, TIMES);
    QTest::keyClick(box, Qt::Key_Return);
    QVERIFY(box->listBox()->isVisible());
    box->listBox()->hide();
    QTest::keyClick(box, Qt::Key_Enter);
    QVERIFY(box->listBox()->isVisible());
    box->listBox()->hide();
}

void TestSelectionBox::scrollButtonsFollowFlag()
{
    SelectionBox* plain = makeBox(0, manyItems(30));
    QVERIFY(!plain->listBox()->hasScrollButtons());

    SelectionBox* withButtons = makeBox(1, manyItems(30));
    SelectionList* list = withButtons->listBox();
    QVERIFY(list->hasScrollButtons());
    withButtons->showListBox();
    QScrollBar* bar = list->listView()->verticalScrollBar();
    QCOMPARE(bar->value(), 0);
    QVERIFY(!list->upButton()->isEnabled());
    QVERIFY(list->downButton()->isEnabled());
    QTest::mouseClick(list->downButton(), Qt::LeftButton);
    QCOMPARE(bar->value(), bar->pageStep());
    QVERIFY(list->upButton()->isEnabled());
    QTest::mouseClick(list->upButton(), Qt::LeftButton);
    QCOMPARE(bar->value(), 0);
    // Scrolling with the buttons picks nothing and keeps the list open.
    QVERIFY(list->isVisible());
    list->hide();
}

void TestSelectionBox::listStaysOnScreen_data()
{
    QTest::addColumn<int>("entries");
    QTest::addColumn<int>("flag");
    QTest::addColumn<int>("y");
    QTest::newRow("a few, near the bottom") << 4 << 0 << 400;
    // Too many for either side: the list scrolls on the side with more room.
    QTest::newRow("many, near the top") << 30 << 0 << 50;
    QTest::newRow("many with scroll buttons, near the bottom") << 30 << 1 << 400;
}

// The list opens on the screen, beside its box and never over it.
void TestSelectionBox::listStaysOnScreen()
{
    QFETCH(int, entries);
    QFETCH(int, flag);
    QFETCH(int, y);
    SelectionBox* box = makeBox(flag, manyItems(entries));
    box->move(50, y);
    box->showListBox();
    SelectionList* list = box->listBox();
    QVERIFY(list->isVisible());
    const QRect screen = box->screen()->availableGeometry();
    QVERIFY2(screen.contains(list->geometry()), "the list must fit on the screen");
    const QRect boxOnScreen(box->mapToGlobal(QPoint(0, 0)), box->size());
    QVERIFY(!list->geometry().intersects(boxOnScreen));
    QVERIFY(list->geometry().top() == boxOnScreen.bottom() + 1 || list->geometry().bottom() == boxOnScreen.top() - 1);
    // What does not fit scrolls: the last entry can be reached.
    SelectionListView* view = list->listView();
    view->scrollToBottom();
    QVERIFY(view->visualRect(view->model()->index(entries - 1, 0)).bottom() <= view->viewport()->height());
    list->hide();
}

QTEST_MAIN(TestSelectionBox)
#include "tst_selectionbox.moc"
