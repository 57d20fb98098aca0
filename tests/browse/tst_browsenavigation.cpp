#include "browse/BrowseTexts.h"
#include "browse/ResultController.h"
#include "browse/ResultPage.h"
#include "browse/SearchPage.h"
#include "core/VideoListModel.h"
#include "service/YoutubeVideoService.h"
#include "shell/BackButton.h"
#include "shell/HomeView.h"
#include "shell/PageHeader.h"
#include "shell/PageHistoryItem.h"
#include "shell/ShellTexts.h"
#include "tests/support/ProgramRig.h"
#include "widgets/SelectionBox.h"
#include "widgets/VideoSweepList.h"

#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QScrollBar>
#include <QSignalSpy>
#include <QtTest>

#include <memory>

namespace {

const QString FEEDS = QStringLiteral("/gdata/feeds/api/standardfeeds/");
const QString SEARCH = QStringLiteral("/gdata/feeds/api/videos");

} // namespace

// The browsing pages inside the whole program: the home view's feeds and search, the
// result and search pages, and back navigation through the page history.
class TestBrowseNavigation : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void init();
    void cleanup();

    void feedFromHomeAndBackFromVideo();
    void searchFromHomeAndBackThroughPages();
    void backAfterAuthorLinkAsksForTheListAgain();
    void backButtonActsAfterThePageIsShownAgain_data();
    void backButtonActsAfterThePageIsShownAgain();
    void categoriesReachSearchPage();
    void pickedVideoGoesIntoViewingHistory();
    void clearingSearchHistory();
    void feedErrorIsShown();
    void screenshots();

private:
    PageBase* current() const { return myController->getMainWindow().currentPage(); }
    ResultPage* resultPage() const { return myController->getResultController()->getResultPage(); }
    bool waitFilled() const;
    void clickHome(HomeView::eHomeEntry entry);
    void selectRow(int row);
    void clickAuthorLink(int row);
    void clickBack();

    std::unique_ptr<TestWorld> myWorld;
    FakeService* myFake = nullptr;
    std::unique_ptr<ProgramRig> myRig;
    std::unique_ptr<MainController> myController;
};

void TestBrowseNavigation::init()
{
    myWorld = std::make_unique<TestWorld>(TestWorld::FakeServer);
    myFake = &myWorld->fake;
    myWorld->servePagedFeeds(75);
    // Questions are declined; the input method cannot be read.
    myRig = std::make_unique<ProgramRig>();
    myRig->inputMethod.readable = false;
    myController = std::make_unique<MainController>(myRig->options(myFake->baseUrl()));
    QVERIFY(!myController->startupFailed());
    QVERIFY(QTest::qWaitForWindowExposed(&myController->getMainWindow()));
}

void TestBrowseNavigation::cleanup()
{
    myController.reset();
    myRig.reset();
    myWorld.reset();
}

bool TestBrowseNavigation::waitFilled() const
{
    return QTest::qWaitFor([this]() { return !myController->getResultController()->isRequestPending(); }, 5000);
}

void TestBrowseNavigation::clickHome(HomeView::eHomeEntry entry)
{
    QPushButton* button = myController->getHomeView()->getButton(entry);
    QVERIFY(button);
    QTest::mouseClick(button, Qt::LeftButton);
}

void TestBrowseNavigation::selectRow(int row)
{
    tapRow(resultPage()->getList(), row, QPoint(-150, 0));
}

void TestBrowseNavigation::clickAuthorLink(int row)
{
    VideoSweepList* list = resultPage()->getList();
    list->viewport()->repaint();
    Touch::tap(list, resultPage()->getModel()->entryAt(row)->getAuthorRect().center().toPoint());
}

void TestBrowseNavigation::clickBack()
{
    BackButton* button = current()->findChild<BackButton*>();
    QVERIFY(button);
    QTest::mouseClick(button, Qt::LeftButton);
}

void TestBrowseNavigation::feedFromHomeAndBackFromVideo()
{
    clickHome(HomeView::eEntryTopRated);
    QCOMPARE(current(), resultPage());
    QVERIFY(waitFilled());
    QCOMPARE(myFake->requestsTo(FEEDS).last().path, FEEDS + QStringLiteral("top_rated"));
    // The stored time frame: "Today".
    QCOMPARE(myFake->requestsTo(FEEDS).last().queryValue(QStringLiteral("time")), QStringLiteral("today"));
    QCOMPARE(resultPage()->getModel()->rowCount(), 30);
    QCOMPARE(myController->getPageHistory().count(), 1); // the home view

    // The user scrolls, picks a row and plays it.
    selectRow(14);
    QScrollBar* bar = resultPage()->getList()->verticalScrollBar();
    bar->setValue(820);
    QTest::mouseClick(resultPage()->getPlayButton(), Qt::LeftButton);
    QCOMPARE(myController->getPageHistory().count(), 2);

    // The video's view covers the result page (here: the home view stands in for it);
    // its back button goes back through the history.
    myController->getMainWindow().showPage(myController->getHomeView());
    const int asked = myFake->requestsTo(FEEDS).count();
    myController->getPageHistory().emitBack(false);
    QCOMPARE(current(), resultPage());
    QApplication::processEvents();
    QCOMPARE(myFake->requestsTo(FEEDS).count(), asked);
    QCOMPARE(bar->value(), 820);
    QCOMPARE(resultPage()->getList()->currentIndex().row(), 14);
    QVERIFY(resultPage()->getPlayButton()->isEnabled());
    QCOMPARE(myController->getPageHistory().count(), 1);

    // The result page's own back button returns home.
    QTest::mouseClick(resultPage()->getHeader()->getBackButton(), Qt::LeftButton);
    QCOMPARE(current(), myController->getHomeView());
    QCOMPARE(myController->getPageHistory().count(), 0);
}

void TestBrowseNavigation::searchFromHomeAndBackThroughPages()
{
    clickHome(HomeView::eEntrySearch);
    SearchPage* search = myController->getSearchPage();
    QCOMPARE(current(), search);
    QTest::keyClicks(search->getQueryField(), QStringLiteral("sailing"));
    QTest::keyClick(search->getQueryField(), Qt::Key_Return);
    QCOMPARE(current(), resultPage());
    QVERIFY(waitFilled());
    QCOMPARE(myFake->requestsTo(SEARCH).last().queryValue(QStringLiteral("q")), QStringLiteral("sailing"));
    QCOMPARE(resultPage()->getModel()->rowCount(), 30);

    // Next page, then back: to the search page (paging is not a step of its own) ...
    QTest::mouseClick(resultPage()->getNextButton(), Qt::LeftButton);
    QVERIFY(waitFilled());
    QTest::mouseClick(resultPage()->getHeader()->getBackButton(), Qt::LeftButton);
    QCOMPARE(current(), search);
    QCOMPARE(search->getQueryField()->text(), QStringLiteral("sailing"));
    // ... and home.
    QTest::mouseClick(search->findChild<BackButton*>(), Qt::LeftButton);
    QCOMPARE(current(), myController->getHomeView());
}

void TestBrowseNavigation::backAfterAuthorLinkAsksForTheListAgain()
{
    clickHome(HomeView::eEntryMostViewed);
    QVERIFY(waitFilled());
    QTest::mouseClick(resultPage()->getNextButton(), Qt::LeftButton);
    QVERIFY(waitFilled());
    selectRow(5);
    resultPage()->getList()->verticalScrollBar()->setValue(300);

    // The author link of a row: that author's uploads on the same page.
    VideoSweepList* list = resultPage()->getList();
    const QString name = resultPage()->getModel()->entryAt(5)->getAuthorUserName();
    clickAuthorLink(5);
    QVERIFY(waitFilled());
    QCOMPARE(myController->getResultController()->getCurrentRequest().text, name);

    // Back: the second page of the feed again, where the user was.
    myController->getPageHistory().emitBack(false);
    QVERIFY(waitFilled());
    QApplication::processEvents();
    QCOMPARE(current(), resultPage());
    QCOMPARE(myFake->requestsTo(FEEDS).last().queryValue(QStringLiteral("start-index")), QStringLiteral("31"));
    QCOMPARE(resultPage()->getRangeLabel()->text(), QStringLiteral("31-60/75"));
    QCOMPARE(list->verticalScrollBar()->value(), 300);
    QCOMPARE(list->currentIndex().row(), 5);
}

// Going back to another view of the page that is shown brings no show event: the back
// button must act again all the same, until the history is used up.
void TestBrowseNavigation::backButtonActsAfterThePageIsShownAgain_data()
{
    QTest::addColumn<QString>("route");
    QTest::newRow("an author's uploads, back to the feed, back home") << "author";
    QTest::newRow("the search page from the menu over itself") << "search menu";
}

void TestBrowseNavigation::backButtonActsAfterThePageIsShownAgain()
{
    QFETCH(QString, route);
    PageBase* again = nullptr;
    if (route == QLatin1String("author")) {
        clickHome(HomeView::eEntryMostViewed);
        QVERIFY(waitFilled());
        clickAuthorLink(0);
        QVERIFY(waitFilled());
        QCOMPARE(myController->getResultController()->getCurrentRequest().kind, ResultRequest::eAuthor);
        again = resultPage();
    } else {
        clickHome(HomeView::eEntrySearch);
        myController->getHomeView()->chooseEntry(HomeView::eEntrySearch, current());
        again = myController->getSearchPage();
    }
    QCOMPARE(current(), again);
    QCOMPARE(myController->getPageHistory().count(), 2);

    clickBack();
    QCOMPARE(current(), again);
    QCOMPARE(myController->getPageHistory().count(), 1);
    if (again == resultPage()) {
        QVERIFY(waitFilled());
        QCOMPARE(myController->getResultController()->getCurrentRequest().kind, ResultRequest::eFeed);
    }
    clickBack();
    QCOMPARE(current(), myController->getHomeView());
    QCOMPARE(myController->getPageHistory().count(), 0);
}

void TestBrowseNavigation::categoriesReachSearchPage()
{
    SelectionBox* box = myController->getSearchPage()->getCategoryBox();
    QVERIFY(QTest::qWaitFor([box]() { return box->count() > 0; }, 5000));
    QCOMPARE(box->text(), QStringLiteral("All"));
    QCOMPARE(box->count(), myController->getCategories().count());
}

void TestBrowseNavigation::pickedVideoGoesIntoViewingHistory()
{
    clickHome(HomeView::eEntryMostRecent);
    QVERIFY(waitFilled());
    selectRow(2);
    const QString id = resultPage()->getModel()->entryAt(2)->getVideoId();
    QTest::mouseClick(resultPage()->getPlayButton(), Qt::LeftButton);
    VideoListModel history(&myController->getRepository());
    QCOMPARE(myController->getRepository().getHistory(&history), 0);
    QCOMPARE(history.rowCount(), 1);
    QCOMPARE(history.entryAt(0)->getVideoId(), id);
}

void TestBrowseNavigation::clearingSearchHistory()
{
    SearchPage* search = myController->getSearchPage();
    search->getQueryField()->setText(QStringLiteral("first"));
    search->startSearch();
    QVERIFY(waitFilled());
    QCOMPARE(search->getHistory(), QStringList{QStringLiteral("first")});
    myController->getRepository().clearSearchHistory();
    myController->clearSearchHistoryModel();
    QVERIFY(search->getHistory().isEmpty());
}

void TestBrowseNavigation::feedErrorIsShown()
{
    myFake->addRoute("GET", FEEDS + QLatin1Char('*'), FakeResponse::error(503, "ServiceUnavailable", "Down"));
    clickHome(HomeView::eEntryMostDiscussed);
    QVERIFY(QTest::qWaitFor([this]() { return !myRig->prompt.log.isEmpty(); }, 5000));
    QCOMPARE(myRig->prompt.log, QStringList{"inform|" + TEXT_ERROR() + QLatin1Char('|') + TEXT_FEED_REQUEST_FAILED()});
    QVERIFY(!resultPage()->isFilling());
}

void TestBrowseNavigation::screenshots()
{
    MainWindow& window = myController->getMainWindow();
    window.resize(800, 480);
    QApplication::processEvents();
    QVERIFY(TestEnvironment::saveScreenshot(&window, QStringLiteral("browse-home-view")));

    // A filled result page with its thumbnails.
    myFake->addRoute("GET", FEEDS + QLatin1Char('*'),
                     FakeResponse::fixture(QStringLiteral("standard-feed.xml"), "application/atom+xml"));
    clickHome(HomeView::eEntryMostViewed);
    QVERIFY(waitFilled());
    VideoListModel* model = resultPage()->getModel();
    QVERIFY(QTest::qWaitFor([model]() {
        for (VideoEntry* entry : model->entries())
            if (!entry->getThumbnailUrl().isEmpty() && entry->getThumbnail().isNull())
                return false;
        return true;
    }, 5000));
    selectRow(1);
    QApplication::processEvents();
    QVERIFY(TestEnvironment::saveScreenshot(&window, QStringLiteral("browse-result-page")));

    // The search page with earlier searches.
    for (const QString& text : {QStringLiteral("northern lights"), QStringLiteral("sailing in the archipelago"),
                                QStringLiteral("cross-country skiing")})
        myController->getRepository().addSearchHistory(text);
    SearchPage* search = myController->getSearchPage();
    search->reloadHistory();
    search->getQueryField()->setText(QStringLiteral("northern"));
    myController->showSearchPage();
    QApplication::processEvents();
    QVERIFY(TestEnvironment::saveScreenshot(&window, QStringLiteral("browse-search-page")));
}

QTEST_MAIN(TestBrowseNavigation)
#include "tst_browsenavigation.moc"
