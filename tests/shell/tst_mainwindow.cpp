#include "shell/MainWindow.h"
#include "shell/PageBase.h"
#include "tests/support/TestSupport.h"

#include <QAction>
#include <QApplication>
#include <QLineEdit>
#include <QMenu>
#include <QSignalSpy>
#include <QTest>
#include <QTimer>
#include <QVBoxLayout>

namespace {
// Every page operation the window calls is written into one shared log, so the tests
// see the order across pages.
QStringList pageLog;

class RecordingPage : public PageBase
{
public:
    RecordingPage(const QString& name, QWidget* parent = nullptr) : PageBase(parent), myName(name)
    {
        myEdit = new QLineEdit(this);
        auto* layout = new QVBoxLayout(this);
        layout->addWidget(myEdit);
    }
    void addToPageHistory() override { pageLog << myName + QStringLiteral(":history"); }
    void blockUiSignals(bool block) override
    {
        pageLog << myName + (block ? QStringLiteral(":block") : QStringLiteral(":unblock"));
        myFocusAtBlock = QApplication::focusWidget();
    }
    void setPageFocus() override
    {
        pageLog << myName + QStringLiteral(":focus");
        myEdit->setFocus();
    }
    QLineEdit* edit() const { return myEdit; }
    QWidget* myFocusAtBlock = nullptr;

private:
    QString myName;
    QLineEdit* myEdit;
};
} // namespace

class TestMainWindow : public QObject
{
    Q_OBJECT
    TestEnvironment myEnvironment;
private Q_SLOTS:
    void init() { pageLog.clear(); }

    void showPageRunsTheSwitchInOrder()
    {
        MainWindow window;
        auto* first = new RecordingPage(QStringLiteral("first"));
        auto* second = new RecordingPage(QStringLiteral("second"));
        window.addPage(first);
        window.addPage(second);
        QVERIFY(showOnScreen(&window));

        window.showPage(first);
        QApplication::setActiveWindow(&window);
        first->edit()->setFocus();
        QTRY_VERIFY(first->edit()->hasFocus());
        pageLog.clear();

        QSignalSpy sizes(&window, &MainWindow::screenSize);
        window.showPage(second);
        QCOMPARE(pageLog, QStringList({ "first:block", "second:unblock", "second:focus" }));
        // The focus was cleared before the old page was blocked.
        QVERIFY(first->myFocusAtBlock != first->edit());
        QCOMPARE(window.currentPage(), second);
        QCOMPARE(sizes.count(), 1);
        const QWidget* frame = window.centralWidget();
        QCOMPARE(sizes.at(0).at(0).toInt(), frame->width());
        QCOMPARE(sizes.at(0).at(1).toInt(), frame->height());
        // Switching never records history: the pages do that themselves.
        QVERIFY(!pageLog.join(' ').contains(QStringLiteral("history")));
    }

    void showPageEdgeCases()
    {
        MainWindow window;
        auto* page = new RecordingPage(QStringLiteral("only"));

        // A page that was never added is added rather than lost.
        QTest::ignoreMessage(QtWarningMsg, "void MainWindow::showPage(PageBase*) - page was not added, adding it");
        window.showPage(page);
        QCOMPARE(window.pageCount(), 1);
        QCOMPARE(window.currentPage(), page);
        // The first page added is already current: it is blocked and unblocked again.
        QCOMPARE(pageLog, QStringList({ "only:block", "only:unblock", "only:focus" }));

        // Showing the current page again blocks and unblocks the same page.
        pageLog.clear();
        window.showPage(page);
        QCOMPARE(pageLog, QStringList({ "only:block", "only:unblock", "only:focus" }));

        // Adding twice keeps one copy; a null page changes nothing.
        window.addPage(page);
        QCOMPARE(window.pageCount(), 1);
        QTest::ignoreMessage(QtWarningMsg, "void MainWindow::showPage(PageBase*) - NULL page, page not changed");
        window.showPage(nullptr);
        QCOMPARE(window.currentPage(), page);
    }

    void f6TogglesFullScreen()
    {
        MainWindow window;
        window.addPage(new RecordingPage(QStringLiteral("p")));
        QVERIFY(showOnScreen(&window));
        QVERIFY(!window.isFullScreen());
        QTest::keyClick(&window, Qt::Key_F6);
        QTRY_VERIFY(window.isFullScreen());
        QTest::keyClick(&window, Qt::Key_F6);
        QTRY_VERIFY(!window.isFullScreen());
    }

    void f4OpensTheMenuFromAnyControl()
    {
        MainWindow window;
        auto* page = new RecordingPage(QStringLiteral("p"));
        window.addPage(page);
        QMenu menu;
        QAction* first = menu.addAction(QStringLiteral("First"));
        QAction* second = menu.addAction(QStringLiteral("Second"));
        window.setMenu(&menu);
        QVERIFY(showOnScreen(&window));
        QApplication::setActiveWindow(&window);
        page->edit()->setFocus();

        QSignalSpy chosen(&window, &MainWindow::menuEntryChosen);
        // Pick the second entry from inside the menu's own event loop.
        QTimer::singleShot(50, &menu, [&menu, second]() {
            QVERIFY(menu.isVisible());
            menu.setActiveAction(second);
            QTest::keyClick(&menu, Qt::Key_Return);
        });
        QTest::keyClick(page->edit(), Qt::Key_F4);
        QTRY_COMPARE(chosen.count(), 1);
        QCOMPARE(chosen.at(0).at(0).value<QAction*>(), second);
        Q_UNUSED(first);

        // Dismissing the menu chooses nothing.
        QTimer::singleShot(50, &menu, [&menu]() { QTest::keyClick(&menu, Qt::Key_Escape); });
        QTest::keyClick(page->edit(), Qt::Key_F4);
        QVERIFY(!menu.isVisible());
        QCoreApplication::processEvents();
        QCOMPARE(chosen.count(), 1);
    }

    void closingIsHandedToTheListener()
    {
        {
            MainWindow window;
            window.show();
            QSignalSpy close(&window, &MainWindow::closeRequested);
            QVERIFY(!window.close());
            QCOMPARE(close.count(), 1);
            QVERIFY(window.isVisible());
        }
        {
            // Without a listener the window closes as any window does.
            MainWindow window;
            window.show();
            QVERIFY(window.close());
            QVERIFY(!window.isVisible());
        }
    }
};

QTEST_MAIN(TestMainWindow)
#include "tst_mainwindow.moc"
