#include "shell/HomeView.h"
#include "shell/MainWindow.h"
#include "shell/PageHistory.h"
#include "shell/PageHistoryItem.h"
#include "tests/support/TestSupport.h"

#include <QAction>
#include <QApplication>
#include <QMenu>
#include <QPushButton>
#include <QSignalSpy>
#include <QTest>

namespace {
// Room a button's text keeps from the button's frame on either side.
const int TEXT_CLEARANCE = 6;
} // namespace

class TestHomeView : public QObject
{
    Q_OBJECT
    TestEnvironment myEnvironment;
private:
    // The signal an entry emits and, for the feeds, its argument.
    static QString signalOf(HomeView& view, int entry, QList<QVariant>* arguments)
    {
        const QList<QPair<QString, QSignalSpy*>> spies = {
            { "feedRequest", new QSignalSpy(&view, &HomeView::feedRequest) },
            { "search", new QSignalSpy(&view, &HomeView::search) },
            { "favorites", new QSignalSpy(&view, &HomeView::favorites) },
            { "statistics", new QSignalSpy(&view, &HomeView::statistics) },
            { "upload", new QSignalSpy(&view, &HomeView::upload) },
            { "settings", new QSignalSpy(&view, &HomeView::settings) },
            { "help", new QSignalSpy(&view, &HomeView::help) },
            { "exitApplication", new QSignalSpy(&view, &HomeView::exitApplication) },
        };
        if (QPushButton* button = view.getButton(HomeView::eHomeEntry(entry)))
            QTest::mouseClick(button, Qt::LeftButton);
        else
            view.chooseEntry(entry, &view);
        QString name;
        for (const auto& spy : spies) {
            if (spy.second->count() == 1) {
                name = name.isEmpty() ? spy.first : QStringLiteral("more than one signal");
                *arguments = spy.second->at(0);
            }
            delete spy.second;
        }
        return name;
    }

    // The home view shown in the main window at the screen's size.
    static HomeView* showHome(MainWindow& window, PageHistory& history)
    {
        auto* view = new HomeView(nullptr, history);
        window.addPage(view);
        window.resize(800, 480);
        window.show();
        window.showPage(view);
        return view;
    }

private Q_SLOTS:
    void everyEntryEmitsItsSignal_data()
    {
        QTest::addColumn<int>("entry");
        QTest::addColumn<QString>("signal");
        QTest::addColumn<int>("feedType");
        QTest::addColumn<bool>("recordsHome");
        QTest::newRow("most viewed") << int(HomeView::eEntryMostViewed) << "feedRequest" << 0 << true;
        QTest::newRow("most recent") << int(HomeView::eEntryMostRecent) << "feedRequest" << 1 << true;
        QTest::newRow("most discussed") << int(HomeView::eEntryMostDiscussed) << "feedRequest" << 2 << true;
        QTest::newRow("top rated") << int(HomeView::eEntryTopRated) << "feedRequest" << 3 << true;
        QTest::newRow("search") << int(HomeView::eEntrySearch) << "search" << -1 << true;
        QTest::newRow("favourites") << int(HomeView::eEntryFavorites) << "favorites" << -1 << true;
        // The controller records the page for these once it knows the page changes.
        QTest::newRow("statistics") << int(HomeView::eEntryStatistics) << "statistics" << -1 << false;
        QTest::newRow("upload") << int(HomeView::eEntryUpload) << "upload" << -1 << false;
        QTest::newRow("settings") << int(HomeView::eEntrySettings) << "settings" << -1 << false;
        QTest::newRow("help") << int(HomeView::eEntryHelp) << "help" << -1 << false;
        QTest::newRow("exit") << int(HomeView::eEntryExit) << "exitApplication" << -1 << false;
    }

    void everyEntryEmitsItsSignal()
    {
        QFETCH(int, entry);
        QFETCH(QString, signal);
        QFETCH(int, feedType);
        QFETCH(bool, recordsHome);
        PageHistory history;
        HomeView view(nullptr, history);
        view.show();

        QList<QVariant> arguments;
        QCOMPARE(signalOf(view, entry, &arguments), signal);
        if (feedType >= 0)
            QCOMPARE(arguments.at(0).toInt(), feedType);
        QCOMPARE(history.count(), recordsHome ? 1 : 0);
        if (recordsHome)
            QCOMPARE(history.last()->getPageId(), int(eHomePageId));
    }

    void menuHasEveryPlaceAndHelp()
    {
        PageHistory history;
        HomeView view(nullptr, history);
        QList<int> entries;
        for (QAction* action : view.getMenu()->actions())
            entries << action->data().toInt();
        QList<int> expected;
        for (int e = HomeView::eEntryMostViewed; e <= HomeView::eEntryExit; ++e)
            expected << e;
        QCOMPARE(entries, expected);
    }

    void menuEntryFromAnotherPageRecordsThatPage()
    {
        PageHistory history;
        HomeView view(nullptr, history);
        StandInPage other(history, eResultPageId);
        QSignalSpy feeds(&view, &HomeView::feedRequest);

        view.chooseEntry(HomeView::eEntryTopRated, &other);
        QCOMPARE(feeds.count(), 1);
        QCOMPARE(feeds.at(0).at(0).toInt(), 3);
        QCOMPARE(history.count(), 1);
        QCOMPARE(history.last()->getPageId(), int(eResultPageId));

        // Without a page to leave only the signal goes out; unknown entries do nothing.
        view.chooseEntry(HomeView::eEntrySearch, nullptr);
        QCOMPARE(history.count(), 1);
        QTest::ignoreMessage(QtWarningMsg, QRegularExpression("unknown entry 99"));
        view.chooseEntry(99, &other);
        QCOMPARE(history.count(), 1);
    }

    void blockedButtonsEmitNothing()
    {
        PageHistory history;
        HomeView view(nullptr, history);
        view.show();
        QSignalSpy feeds(&view, &HomeView::feedRequest);
        view.blockUiSignals(true);
        QTest::mouseClick(view.getButton(HomeView::eEntryMostViewed), Qt::LeftButton);
        QCOMPARE(feeds.count(), 0);
        QCOMPARE(history.count(), 0);
        view.blockUiSignals(false);
        QTest::mouseClick(view.getButton(HomeView::eEntryMostViewed), Qt::LeftButton);
        QCOMPARE(feeds.count(), 1);
    }

    void screenshotAt800x480()
    {
        PageHistory history;
        MainWindow window;
        HomeView* view = showHome(window, history);
        QVERIFY(QTest::qWaitForWindowExposed(&window));
        QCOMPARE(window.size(), QSize(800, 480));
        // Every entry fits on the screen.
        for (int e = HomeView::eEntryMostViewed; e <= HomeView::eEntryExit; ++e) {
            if (QPushButton* button = view->getButton(HomeView::eHomeEntry(e))) {
                const QRect onWindow(button->mapTo(&window, QPoint(0, 0)), button->size());
                QVERIFY2(window.rect().contains(onWindow), qPrintable(button->text()));
                // and its text is not cut.
                QVERIFY2(button->width() >= button->sizeHint().width(), qPrintable(button->text()));
            }
        }
        QVERIFY(TestEnvironment::saveScreenshot(&window, QStringLiteral("shell_home_view")));

        // The columns are equally wide, and every text keeps clear of its button's frame.
        const int width = view->getButton(HomeView::eEntryMostViewed)->width();
        for (QPushButton* button : view->findChildren<QPushButton*>()) {
            QVERIFY2(qAbs(button->width() - width) <= 1, qPrintable(button->text()));
            const int text = button->fontMetrics().horizontalAdvance(button->text());
            QVERIFY2(text + 2 * TEXT_CLEARANCE <= button->contentsRect().width(), qPrintable(button->text()));
        }
    }

    void arrowKeysMoveInTheirDirection_data()
    {
        QTest::addColumn<int>("from");
        QTest::addColumn<int>("key");
        QTest::addColumn<int>("to");
        QTest::newRow("down from a feed") << int(HomeView::eEntryMostViewed) << int(Qt::Key_Down)
                                          << int(HomeView::eEntrySearch);
        QTest::newRow("right along the row") << int(HomeView::eEntryMostViewed) << int(Qt::Key_Right)
                                             << int(HomeView::eEntryMostRecent);
        QTest::newRow("up") << int(HomeView::eEntryUpload) << int(Qt::Key_Up) << int(HomeView::eEntryTopRated);
        QTest::newRow("left at the edge stays") << int(HomeView::eEntrySearch) << int(Qt::Key_Left)
                                                << int(HomeView::eEntrySearch);
        QTest::newRow("right at the edge stays") << int(HomeView::eEntryTopRated) << int(Qt::Key_Right)
                                                 << int(HomeView::eEntryTopRated);
        QTest::newRow("down to the nearest below") << int(HomeView::eEntryFavorites) << int(Qt::Key_Down)
                                                   << int(HomeView::eEntrySettings);
        QTest::newRow("down in the last column") << int(HomeView::eEntryUpload) << int(Qt::Key_Down)
                                                 << int(HomeView::eEntryExit);
        QTest::newRow("left over the gap") << int(HomeView::eEntryExit) << int(Qt::Key_Left)
                                           << int(HomeView::eEntrySettings);
        QTest::newRow("down from the last row stays") << int(HomeView::eEntrySettings) << int(Qt::Key_Down)
                                                      << int(HomeView::eEntrySettings);
    }

    void arrowKeysMoveInTheirDirection()
    {
        QFETCH(int, from);
        QFETCH(int, key);
        QFETCH(int, to);
        PageHistory history;
        MainWindow window;
        HomeView* view = showHome(window, history);
        window.activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(&window));
        QPushButton* start = view->getButton(HomeView::eHomeEntry(from));
        start->setFocus();
        QTest::keyClick(start, Qt::Key(key));
        QCOMPARE(QApplication::focusWidget(), view->getButton(HomeView::eHomeEntry(to)));
    }
};

QTEST_MAIN(TestHomeView)
#include "tst_homeview.moc"
