#include "favorites/FocusManager.h"

#include "tests/support/TestSupport.h"

#include <QApplication>
#include <QHBoxLayout>
#include <QListView>
#include <QPushButton>
#include <QStackedWidget>
#include <QtTest>

// The favourites page's ring: playlist list, favourite list, back button, two button
// stacks, trash button and search button.
class TestFocusManager : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void init();
    void cleanup();

    void wrapsAtBothEnds();
    void skipsDisabledWidgets();
    void buttonOfAStackStandsForTheStack();
    void disabledStackIsSkippedButNotADisabledPage();
    void touchFocusedWidgetIsNotTrappedByARememberedIndex();
    void ringWithNothingElseEnabledKeepsTheFocus();
    void focusedWidgetOutsideTheRingMovesFromTheRememberedIndex();
    void nothingHappensBeforeUseListOrWithoutAFocusedWidget();
    void useListWithUnknownIdChangesNothing();
    void firstListWithAnIdWins();

private:
    QWidget* focused() const { return QApplication::focusWidget(); }
    QList<QWidget*>* ring() const;

    TestEnvironment myEnvironment;
    QWidget* myWindow = nullptr;
    QListView* myPlayLists = nullptr;
    QListView* myFavorites = nullptr;
    QPushButton* myBack = nullptr;
    QStackedWidget* myStack1 = nullptr;
    QStackedWidget* myStack2 = nullptr;
    QPushButton* myStack1Buttons[2] = {};
    QPushButton* myStack2Buttons[2] = {};
    QPushButton* myTrash = nullptr;
    QPushButton* mySearch = nullptr;
    FocusManager* myManager = nullptr;
};

QList<QWidget*>* TestFocusManager::ring() const
{
    return new QList<QWidget*>{myPlayLists, myFavorites, myBack, myStack1, myStack2, myTrash, mySearch};
}

void TestFocusManager::init()
{
    myWindow = new QWidget;
    QHBoxLayout* layout = new QHBoxLayout(myWindow);
    myPlayLists = new QListView(myWindow);
    myFavorites = new QListView(myWindow);
    myBack = new QPushButton(QStringLiteral("back"), myWindow);
    myStack1 = new QStackedWidget(myWindow);
    myStack2 = new QStackedWidget(myWindow);
    for (int i = 0; i < 2; ++i) {
        myStack1Buttons[i] = new QPushButton(QStringLiteral("s1-%1").arg(i));
        myStack1->addWidget(myStack1Buttons[i]);
        myStack2Buttons[i] = new QPushButton(QStringLiteral("s2-%1").arg(i));
        myStack2->addWidget(myStack2Buttons[i]);
    }
    myTrash = new QPushButton(QStringLiteral("trash"), myWindow);
    mySearch = new QPushButton(QStringLiteral("search"), myWindow);
    for (QWidget* w : std::initializer_list<QWidget*>{myPlayLists, myFavorites, myBack, myStack1, myStack2, myTrash, mySearch}) {
        layout->addWidget(w);
        w->setFocusPolicy(Qt::StrongFocus);
    }
    myManager = new FocusManager(myWindow);
    myWindow->show();
    myWindow->activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(myWindow));
}

void TestFocusManager::cleanup()
{
    delete myWindow;
}

void TestFocusManager::wrapsAtBothEnds()
{
    myManager->addList(0, ring());
    mySearch->setFocus();
    myManager->useList(0, focused());
    QCOMPARE(myManager->getCurrentIndex(), 6);

    myManager->focusNext(focused());
    QCOMPARE(focused(), myPlayLists);
    QCOMPARE(myManager->getCurrentIndex(), 0);

    myManager->focusPrevious(focused());
    QCOMPARE(focused(), mySearch);

    // One full round forward visits every widget in ring order.
    QList<QWidget*> visited;
    for (int i = 0; i < 7; ++i) {
        myManager->focusNext(focused());
        visited << (focused() == myStack1Buttons[0] ? myStack1 : focused() == myStack2Buttons[0] ? myStack2 : focused());
    }
    const QList<QWidget*> order{myPlayLists, myFavorites, myBack, myStack1, myStack2, myTrash, mySearch};
    QCOMPARE(visited, order);
}

void TestFocusManager::skipsDisabledWidgets()
{
    myManager->addList(0, ring());
    myPlayLists->setFocus();
    myManager->useList(0, focused());
    myManager->focusNext(focused());
    QCOMPARE(focused(), myFavorites);
    QCOMPARE(myManager->getCurrentIndex(), 1);

    myBack->setEnabled(false);
    myStack1->setEnabled(false);
    myStack2->setEnabled(false);
    myTrash->setEnabled(false);
    myManager->focusNext(focused());
    QCOMPARE(focused(), mySearch);

    myManager->focusPrevious(focused());
    QCOMPARE(focused(), myFavorites);
}

void TestFocusManager::buttonOfAStackStandsForTheStack()
{
    myManager->addList(0, ring());
    myPlayLists->setFocus();
    myManager->useList(0, focused());

    myStack1->setCurrentIndex(1);
    myStack1Buttons[1]->setFocus();
    QVERIFY(myManager->getIndexFromWidget(myStack1Buttons[1]));
    QCOMPARE(myManager->getCurrentIndex(), 3);

    // The move starts from the stack's place even though the manager last put the focus elsewhere.
    myPlayLists->setFocus();
    myManager->useList(0, focused());
    myStack1Buttons[1]->setFocus();
    myManager->focusNext(focused());
    QCOMPARE(focused(), myStack2Buttons[0]);
    myManager->focusPrevious(focused());
    QCOMPARE(focused(), myStack1Buttons[1]);

    // A button that the stack does not show is not the stack's place.
    QVERIFY(!myManager->getIndexFromWidget(myStack1Buttons[0]));
}

void TestFocusManager::disabledStackIsSkippedButNotADisabledPage()
{
    myManager->addList(0, ring());
    myBack->setFocus();
    myManager->useList(0, focused());

    myStack1Buttons[0]->setEnabled(false);
    myManager->focusNext(focused());
    QCOMPARE(myManager->getCurrentIndex(), 3);

    // The manager last moved to the stack (index 3); the focus is back on the back
    // button by touch. The move must walk past the now disabled stack instead of
    // stopping at the remembered index.
    myStack1->setEnabled(false);
    myBack->setFocus();
    QCOMPARE(focused(), myBack);
    myManager->focusNext(focused());
    QCOMPARE(myManager->getCurrentIndex(), 4);
    QCOMPARE(focused(), myStack2Buttons[0]);
}

void TestFocusManager::touchFocusedWidgetIsNotTrappedByARememberedIndex()
{
    myManager->addList(0, ring());
    myPlayLists->setFocus();
    myManager->useList(0, focused());
    myManager->focusNext(focused());
    QCOMPARE(focused(), myFavorites);            // remembered index 1
    myPlayLists->setFocus();                     // a tap on the playlist list
    myFavorites->setEnabled(false);
    for (int i = 0; i < 3; ++i) {
        myManager->focusNext(focused());
        QCOMPARE(focused(), myBack);
        myPlayLists->setFocus();
    }
    myManager->focusPrevious(focused());
    QCOMPARE(focused(), mySearch);
}

void TestFocusManager::ringWithNothingElseEnabledKeepsTheFocus()
{
    myManager->addList(0, ring());
    myTrash->setFocus();
    myManager->useList(0, focused());
    QCOMPARE(myManager->getCurrentIndex(), 5);
    const QList<QWidget*> all{myPlayLists, myFavorites, myBack, myStack1, myStack2, mySearch};
    for (QWidget* w : all)
        if (w != myTrash)
            w->setEnabled(false);

    myManager->focusNext(focused());
    QCOMPARE(focused(), myTrash);
    QCOMPARE(myManager->getCurrentIndex(), 5);
    myManager->focusPrevious(focused());
    QCOMPARE(focused(), myTrash);
    QCOMPARE(myManager->getCurrentIndex(), 5);
}

void TestFocusManager::focusedWidgetOutsideTheRingMovesFromTheRememberedIndex()
{
    myManager->addList(0, ring());
    myFavorites->setFocus();
    myManager->useList(0, focused());
    QCOMPARE(myManager->getCurrentIndex(), 1);

    QPushButton outsider(QStringLiteral("outside"), myWindow);
    outsider.show();
    outsider.setFocus();
    QVERIFY(!myManager->getIndexFromWidget(&outsider));
    QCOMPARE(myManager->getCurrentIndex(), 1);
    myManager->focusNext(&outsider);
    QCOMPARE(focused(), myBack);
}

void TestFocusManager::nothingHappensBeforeUseListOrWithoutAFocusedWidget()
{
    myManager->addList(0, ring());
    myBack->setFocus();
    myManager->focusNext(focused());
    myManager->focusPrevious(focused());
    QCOMPARE(focused(), myBack);
    QCOMPARE(myManager->getCurrentListId(), -1);

    myManager->useList(0, myBack);
    myManager->focusNext(nullptr);
    myManager->focusPrevious(nullptr);
    QCOMPARE(focused(), myBack);
    QCOMPARE(myManager->getCurrentIndex(), 2);
}

void TestFocusManager::useListWithUnknownIdChangesNothing()
{
    myManager->addList(0, ring());
    myManager->useList(0, myTrash);
    QCOMPARE(myManager->getCurrentIndex(), 5);
    myManager->useList(3, myBack);
    QCOMPARE(myManager->getCurrentListId(), 0);
    QCOMPARE(myManager->getCurrentIndex(), 5);

    // A focused widget that is not in the list leaves the index at the first widget.
    QPushButton outsider;
    myManager->useList(0, &outsider);
    QCOMPARE(myManager->getCurrentIndex(), 0);
}

void TestFocusManager::firstListWithAnIdWins()
{
    myManager->addList(7, new QList<QWidget*>{myBack, myTrash});
    myManager->addList(7, new QList<QWidget*>{myFavorites, mySearch});
    myBack->setFocus();
    myManager->useList(7, focused());
    myManager->focusNext(focused());
    QCOMPARE(focused(), myTrash);
    myManager->focusNext(focused());
    QCOMPARE(focused(), myBack);
}

QTEST_MAIN(TestFocusManager)
#include "tst_focusmanager.moc"
