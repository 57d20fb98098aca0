#include "browse/BrowseTexts.h"
#include "browse/HistoryItemResult.h"
#include "browse/ResultController.h"
#include "browse/ResultPage.h"
#include "core/FileManager.h"
#include "core/PlayListModel.h"
#include "core/VideoListModel.h"
#include "core/constants/Settings.h"
#include "shell/BaseDialog.h"
#include "shell/PageHeader.h"
#include "shell/PageHistory.h"
#include "shell/ProgressRoll.h"
#include "tests/support/TestSupport.h"
#include "widgets/SelectionBox.h"
#include "widgets/SelectionList.h"
#include "widgets/VideoSweepList.h"

#include <QLabel>
#include <QPushButton>
#include <QScrollBar>
#include <QSignalSpy>
#include <QtTest>

namespace {

const QString FEEDS = QStringLiteral("/gdata/feeds/api/standardfeeds/");
const QString SEARCH = QStringLiteral("/gdata/feeds/api/videos");
const QString USERS = QStringLiteral("/gdata/feeds/api/users/");

} // namespace

class TestResultController : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void init();
    void cleanup();

    void feedRequest_data();
    void feedRequest();
    void pagesThroughResults();
    void pageSizeFromSettings();
    void timeBoxAsksAgainOnlyOnChange();
    void searchWithSortBox();
    void titleStaysClearOfTheSortBox_data();
    void titleStaysClearOfTheSortBox();
    void relatedAndResponses_data();
    void relatedAndResponses();
    void authorUploads();
    void authorLinkOpensUploadsAndRecordsHistory();
    void noResults();
    void failedRequest();
    void answersForOtherModelsAreIgnored();
    void pickingAVideo();
    void backRestoresListAndPosition();
    void backAfterAnotherListAsksAgain();
    void saveAsLinkOrCopy();
    void noSpaceDialog_data();
    void noSpaceDialog();
    void defaultSortFollowsSettings();
    void storedTimeFrameIsTakenOver();

private:
    bool waitFilled();
    void selectRow(int row) { tapRow(myPage->getList(), row, QPoint(-100, 0)); }

    TestWorld* myWorld = nullptr;
    PageHistory* myHistory = nullptr;
    ResultController* myController = nullptr;
    ResultPage* myPage = nullptr;
};

void TestResultController::init()
{
    myWorld = new TestWorld(TestWorld::Service);
    myHistory = &myWorld->history;
    myController = new ResultController(myWorld->service.get(), *myWorld->repository, *myHistory,
                                        &myWorld->window());
    myPage = myController->getResultPage();
    myPage->setGeometry(0, 0, 800, 480);
    QVERIFY(myWorld->show());
}

void TestResultController::cleanup()
{
    delete myController;
    myController = nullptr;
    delete myWorld;
    myWorld = nullptr;
}

bool TestResultController::waitFilled()
{
    return QTest::qWaitFor([this]() { return !myController->isRequestPending(); }, 5000);
}

void TestResultController::feedRequest_data()
{
    QTest::addColumn<int>("type");
    QTest::addColumn<QString>("timeFilter");
    QTest::addColumn<QString>("feed");
    QTest::addColumn<QString>("time");
    QTest::addColumn<QString>("title");
    QTest::newRow("most viewed today") << 0 << "Today" << "most_viewed" << "today" << "Most viewed";
    QTest::newRow("most recent this week") << 1 << "This week" << "most_recent" << "this_week" << "Most recent";
    QTest::newRow("most discussed this month") << 2 << "This month" << "most_discussed" << "this_month"
                                               << "Most discussed";
    QTest::newRow("top rated any time") << 3 << "Any time" << "top_rated" << "all_time" << "Top rated";
}

void TestResultController::feedRequest()
{
    QFETCH(int, type);
    QFETCH(QString, timeFilter);
    QFETCH(QString, feed);
    QFETCH(QString, time);
    QFETCH(QString, title);

    myController->feedRequest(type, timeFilter);
    QVERIFY(myController->isRequestPending());
    QVERIFY(myPage->getProgressRoll()->isRunning());
    QVERIFY(myPage->getProgressRoll()->isVisible());
    QVERIFY(waitFilled());

    const FakeRequest request = myWorld->fake.requestsTo(FEEDS).last();
    QCOMPARE(request.path, FEEDS.mid(0) + feed);
    QCOMPARE(request.queryValue(QStringLiteral("time")), time);
    QCOMPARE(request.queryValue(QStringLiteral("start-index")), QStringLiteral("1"));
    QCOMPARE(request.queryValue(QStringLiteral("max-results")), QStringLiteral("30"));

    // The fixture feed: four videos of 84.
    QCOMPARE(myPage->getModel()->rowCount(), 4);
    QVERIFY(!myPage->getProgressRoll()->isRunning());
    QVERIFY(!myPage->getProgressRoll()->isVisible());
    QVERIFY(!myPage->getNoResultsLabel()->isVisible());
    QCOMPARE(myPage->getRangeLabel()->text(), QStringLiteral("1-4/84"));
    QCOMPARE(myPage->getHeader()->getTitle(), title);
    QVERIFY(myPage->getTimeBox()->isVisible());
    QVERIFY(!myPage->getSortBox()->isVisible());
    QCOMPARE(myPage->getTimeBox()->currentText(), timeFilter);
    QVERIFY(!myPage->getPreviousButton()->isEnabled());
}

void TestResultController::pagesThroughResults()
{
    myWorld->servePagedFeeds(65);
    myController->feedRequest(eMostViewed, QStringLiteral("Today"));
    QVERIFY(waitFilled());
    QCOMPARE(myPage->getModel()->rowCount(), 30);
    QCOMPARE(myPage->getRangeLabel()->text(), QStringLiteral("1-30/65"));
    QVERIFY(!myPage->getPreviousButton()->isEnabled());
    QVERIFY(myPage->getNextButton()->isEnabled());

    QTest::mouseClick(myPage->getNextButton(), Qt::LeftButton);
    QVERIFY(waitFilled());
    QCOMPARE(myWorld->fake.requestsTo(FEEDS).last().queryValue(QStringLiteral("start-index")), QStringLiteral("31"));
    QCOMPARE(myPage->getRangeLabel()->text(), QStringLiteral("31-60/65"));
    QCOMPARE(myPage->getModel()->entryAt(0)->getVideoId(), QStringLiteral("v0000000031"));
    QVERIFY(myPage->getPreviousButton()->isEnabled());

    QTest::mouseClick(myPage->getNextButton(), Qt::LeftButton);
    QVERIFY(waitFilled());
    QCOMPARE(myPage->getRangeLabel()->text(), QStringLiteral("61-65/65"));
    QCOMPARE(myPage->getModel()->rowCount(), 5);
    QVERIFY(!myPage->getNextButton()->isEnabled());
    // No next page past the last one, even when asked directly.
    const int asked = myWorld->fake.requestsTo(FEEDS).count();
    QVERIFY(!myPage->getNextButton()->isEnabled());

    QTest::mouseClick(myPage->getPreviousButton(), Qt::LeftButton);
    QVERIFY(waitFilled());
    QCOMPARE(myWorld->fake.requestsTo(FEEDS).count(), asked + 1);
    QCOMPARE(myPage->getRangeLabel()->text(), QStringLiteral("31-60/65"));
    // The time frame stays the list's.
    QCOMPARE(myWorld->fake.requestsTo(FEEDS).last().queryValue(QStringLiteral("time")), QStringLiteral("today"));
}

void TestResultController::pageSizeFromSettings()
{
    myWorld->servePagedFeeds(100);
    QCOMPARE(myWorld->repository->setSetting(SETTING_AMOUNT_OF_RESULTS, 10), 0);
    myController->search(QStringLiteral("cats"), QString(), QString());
    QVERIFY(waitFilled());
    QCOMPARE(myWorld->fake.requestsTo(SEARCH).last().queryValue(QStringLiteral("max-results")), QStringLiteral("10"));
    QCOMPARE(myPage->getModel()->rowCount(), 10);
    myController->nextPage();
    QVERIFY(waitFilled());
    QCOMPARE(myWorld->fake.requestsTo(SEARCH).last().queryValue(QStringLiteral("start-index")), QStringLiteral("11"));
    QCOMPARE(myPage->getRangeLabel()->text(), QStringLiteral("11-20/100"));
}

void TestResultController::timeBoxAsksAgainOnlyOnChange()
{
    myWorld->servePagedFeeds(100);
    myController->feedRequest(eTopRated, QStringLiteral("Today"));
    QVERIFY(waitFilled());
    myController->nextPage();
    QVERIFY(waitFilled());
    const int asked = myWorld->fake.requestsTo(FEEDS).count();

    SelectionBox* box = myPage->getTimeBox();
    // Opened and closed without a new pick: the same list stays.
    box->showListBox();
    box->listBox()->hide();
    QCOMPARE(myWorld->fake.requestsTo(FEEDS).count(), asked);

    // "This month": the feed again from its first row.
    box->showListBox();
    SelectionListView* view = box->listBox()->listView();
    tapRow(view, 2);
    QVERIFY(waitFilled());
    QCOMPARE(myWorld->fake.requestsTo(FEEDS).count(), asked + 1);
    const FakeRequest request = myWorld->fake.requestsTo(FEEDS).last();
    QCOMPARE(request.path, FEEDS + QStringLiteral("top_rated"));
    QCOMPARE(request.queryValue(QStringLiteral("time")), QStringLiteral("this_month"));
    QCOMPARE(request.queryValue(QStringLiteral("start-index")), QStringLiteral("1"));
    QCOMPARE(myController->getCurrentRequest().timeFilter, QStringLiteral("This month"));
}

void TestResultController::searchWithSortBox()
{
    myWorld->servePagedFeeds(100);
    myController->search(QStringLiteral("  cats & dogs "), QStringLiteral("Music"), QStringLiteral("rating"));
    QVERIFY(waitFilled());
    FakeRequest request = myWorld->fake.requestsTo(SEARCH).last();
    QCOMPARE(request.path, SEARCH);
    QCOMPARE(request.queryValue(QStringLiteral("q")), QStringLiteral("cats & dogs"));
    QCOMPARE(request.queryValue(QStringLiteral("category")), QStringLiteral("Music"));
    QCOMPARE(request.queryValue(QStringLiteral("orderby")), QStringLiteral("rating"));
    QVERIFY(myPage->getSortBox()->isVisible());
    QVERIFY(!myPage->getTimeBox()->isVisible());
    QCOMPARE(myPage->getSortBox()->currentText(), QStringLiteral("Rating"));
    QCOMPARE(myPage->getHeader()->getTitle(), QStringLiteral("Search results: cats & dogs"));

    // "View count" (the last of the labels in key order): the search again, sorted anew.
    SelectionBox* box = myPage->getSortBox();
    box->showListBox();
    SelectionListView* view = box->listBox()->listView();
    QCOMPARE(view->model()->rowCount(), 4);
    tapRow(view, 3);
    QVERIFY(waitFilled());
    request = myWorld->fake.requestsTo(SEARCH).last();
    QCOMPARE(request.queryValue(QStringLiteral("orderby")), QStringLiteral("viewCount"));
    QCOMPARE(request.queryValue(QStringLiteral("q")), QStringLiteral("cats & dogs"));
    QCOMPARE(request.queryValue(QStringLiteral("category")), QStringLiteral("Music"));

    // Relevance is the empty key: no order is sent.
    myController->search(QStringLiteral("cats"), QString(), QString());
    QVERIFY(waitFilled());
    QVERIFY(!myWorld->fake.requestsTo(SEARCH).last().hasQueryKey(QStringLiteral("orderby")));
    QCOMPARE(myPage->getSortBox()->currentText(), QStringLiteral("Relevance"));
}

void TestResultController::titleStaysClearOfTheSortBox_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<bool>("whole");
    QTest::newRow("short search") << "cats" << true;
    QTest::newRow("long search") << "northern lights over the fells" << false;
}

// The title of a search's results is shown beside the sort box, not under it: cut
// with "…" when it does not fit.
void TestResultController::titleStaysClearOfTheSortBox()
{
    QFETCH(QString, text);
    QFETCH(bool, whole);
    myController->search(text, QString(), QStringLiteral("relevance"));
    QVERIFY(waitFilled());
    QApplication::processEvents();
    PageHeader* header = myPage->getHeader();
    QLabel* title = header->getTitleLabel();
    const QRect box = myPage->getSortBox()->geometry();
    QVERIFY(myPage->getSortBox()->isVisible());
    QVERIFY2(title->geometry().right() < box.left(), qPrintable(QStringLiteral("%1 %2").arg(title->geometry().right()).arg(box.left())));
    QVERIFY(title->fontMetrics().horizontalAdvance(title->text()) <= title->contentsRect().width());
    QVERIFY(header->getTitle().startsWith(QStringLiteral("Search results: ") + text.left(10)));
    QCOMPARE(title->text() == header->getTitle(), whole);
    QVERIFY(title->text().startsWith(QStringLiteral("Search results")));
}

void TestResultController::relatedAndResponses_data()
{
    QTest::addColumn<bool>("responses");
    QTest::newRow("related") << false;
    QTest::newRow("responses") << true;
}

void TestResultController::relatedAndResponses()
{
    QFETCH(bool, responses);
    auto* video = new VideoEntry;
    video->setVideoId(QStringLiteral("kx9fW2qHb1s"));
    video->setName(QStringLiteral("Northern lights"));
    if (responses)
        myController->videoResponses(video);
    else
        myController->relatedVideos(video);
    delete video; // the controller keeps what it needs
    QVERIFY(waitFilled());
    const QString path = SEARCH + QStringLiteral("/kx9fW2qHb1s") + (responses ? QStringLiteral("/responses")
                                                                                : QStringLiteral("/related"));
    QCOMPARE(myWorld->fake.requestsTo(SEARCH).last().path, path);
    QCOMPARE(myPage->getModel()->rowCount(), 4);
    QCOMPARE(myPage->getHeader()->getTitle(),
             (responses ? QStringLiteral("Video responses: ") : QStringLiteral("Related videos: "))
                 + QStringLiteral("Northern lights"));
    // Paging keeps the video.
    myController->nextPage();
    QVERIFY(waitFilled());
    QCOMPARE(myWorld->fake.requestsTo(SEARCH).last().path, path);
    QCOMPARE(myWorld->fake.requestsTo(SEARCH).last().queryValue(QStringLiteral("start-index")), QStringLiteral("31"));
}

void TestResultController::authorUploads()
{
    myController->searchAuthorsVideos(QStringLiteral("lumikuvaaja"));
    QVERIFY(waitFilled());
    QCOMPARE(myWorld->fake.requestsTo(USERS).last().path, USERS + QStringLiteral("lumikuvaaja/uploads"));
    QCOMPARE(myPage->getHeader()->getTitle(), QStringLiteral("Videos of lumikuvaaja"));
    QVERIFY(!myPage->getTimeBox()->isVisible());
    QVERIFY(!myPage->getSortBox()->isVisible());
}

void TestResultController::authorLinkOpensUploadsAndRecordsHistory()
{
    myController->feedRequest(eMostViewed, QStringLiteral("Today"));
    QVERIFY(waitFilled());
    VideoSweepList* list = myPage->getList();
    list->viewport()->repaint(); // the painter writes the link rectangles
    // The row shows the author's display name; the link asks for the account's uploads.
    VideoEntry* entry = myPage->getModel()->entryAt(1);
    const QRectF author = entry->getAuthorRect();
    QVERIFY(!author.isEmpty());
    QCOMPARE(entry->getAuthor(), QStringLiteral("Harbour Films"));
    const QString name = QStringLiteral("harbourfilms");

    Touch::tap(list, author.center().toPoint());
    QCOMPARE(myHistory->count(), 1);
    auto* item = qobject_cast<HistoryItemResult*>(myHistory->last());
    QVERIFY(item);
    QCOMPARE(item->getRequest().kind, ResultRequest::eFeed);
    QCOMPARE(item->getPageId(), int(eResultPageId));
    QVERIFY(waitFilled());
    QCOMPARE(myController->getCurrentRequest().kind, ResultRequest::eAuthor);
    QCOMPARE(myController->getCurrentRequest().text, name);
    QCOMPARE(myWorld->fake.requestsTo(USERS).last().path, USERS + name + QStringLiteral("/uploads"));
}

void TestResultController::noResults()
{
    myController->search(FakeFeeds::EMPTY_SEARCH, QString(), QString());
    QVERIFY(waitFilled());
    QCOMPARE(myPage->getModel()->rowCount(), 0);
    QVERIFY(myPage->getNoResultsLabel()->isVisible());
    QVERIFY(!myPage->getProgressRoll()->isRunning());
    QVERIFY(myPage->getRangeLabel()->text().isEmpty());
    QVERIFY(!myPage->getNextButton()->isEnabled());

    // The next list hides the notice again.
    myController->searchAuthorsVideos(QStringLiteral("lumikuvaaja"));
    QVERIFY(!myPage->getNoResultsLabel()->isVisible());
    QVERIFY(waitFilled());
    QVERIFY(!myPage->getNoResultsLabel()->isVisible());
}

void TestResultController::failedRequest()
{
    myWorld->fake.addRoute("GET", QStringLiteral("/gdata/feeds/api/standardfeeds/*"),
                           FakeResponse::error(500, "InternalError", "Server error"));
    QSignalSpy errors(myController, &ResultController::errorOccured);
    myController->feedRequest(eMostViewed, QStringLiteral("Today"));
    QVERIFY(errors.wait(5000));
    QCOMPARE(errors.count(), 1);
    QCOMPARE(errors.first().first().toString(), TEXT_FEED_REQUEST_FAILED());
    QVERIFY(!myController->isRequestPending());
    QVERIFY(!myPage->getProgressRoll()->isRunning());
    QCOMPARE(myPage->getModel()->rowCount(), 0);

    // A related-videos failure has its own text; a feed failure elsewhere is not ours.
    myWorld->fake.addRoute("GET", QStringLiteral("/gdata/feeds/api/videos/*"),
                           FakeResponse::error(500, "InternalError", "Server error"));
    VideoEntry video = videoWithId(QStringLiteral("abc"));
    myController->relatedVideos(&video);
    QVERIFY(errors.wait(5000));
    QCOMPARE(errors.last().first().toString(), TEXT_RELATED_REQUEST_FAILED());
    Q_EMIT myWorld->service->errorOccuredInFeedRequest();
    QCOMPARE(errors.count(), 2);
}

void TestResultController::answersForOtherModelsAreIgnored()
{
    // Our feed answers late; an upload list for another page answers first.
    FakeResponse late = FakeResponse::document(FakeFeeds::makeVideoFeed(3, 3, 1), "application/atom+xml");
    late.delayMs = 300;
    myWorld->fake.addRoute("GET", QStringLiteral("/gdata/feeds/api/standardfeeds/*"), late);
    myController->feedRequest(eMostViewed, QStringLiteral("Today"));
    VideoListModel other(myWorld->repository.get());
    QSignalSpy updates(myWorld->service.get(), &VideoServiceProvider::updateModel);
    myWorld->service->getUploadedVideos(QStringLiteral("lumikuvaaja"), &other, 0);
    QVERIFY(updates.wait(5000));
    QCOMPARE(other.rowCount(), 4);
    QVERIFY(myController->isRequestPending());
    QVERIFY(myPage->getProgressRoll()->isRunning());
    // An empty answer (of someone else) may be taken for ours while ours is still
    // out; our rows show all the same once they arrive.
    Q_EMIT myWorld->service->noResults();
    QVERIFY(QTest::qWaitFor([this]() { return myPage->getModel()->rowCount() == 3; }, 5000));
    QCOMPARE(myPage->getRangeLabel()->text(), QStringLiteral("1-3/3"));
    QVERIFY(!myPage->getNoResultsLabel()->isVisible());
    QVERIFY(!myPage->getProgressRoll()->isRunning());
    QVERIFY(!myController->isRequestPending());
    // Later answers for other models leave our page alone.
    const QString range = myPage->getRangeLabel()->text();
    myWorld->service->getUploadedVideos(QStringLiteral("lumikuvaaja"), &other, 0);
    QVERIFY(updates.wait(5000));
    Q_EMIT myWorld->service->noResults();
    QCOMPARE(myPage->getRangeLabel()->text(), range);
    QVERIFY(!myPage->getNoResultsLabel()->isVisible());
}

void TestResultController::pickingAVideo()
{
    myController->feedRequest(eMostViewed, QStringLiteral("Today"));
    QVERIFY(waitFilled());
    QSignalSpy shown(myController, &ResultController::showToVideo);
    QVERIFY(!myPage->getPlayButton()->isEnabled());

    selectRow(1);
    QVERIFY(myPage->getPlayButton()->isEnabled());
    QTest::mouseClick(myPage->getPlayButton(), Qt::LeftButton);
    QCOMPARE(shown.count(), 1);
    QCOMPARE(qvariant_cast<VideoEntry*>(shown.first().at(0)), myPage->getModel()->entryAt(1));
    QCOMPARE(shown.first().at(1).toBool(), false);
    QCOMPARE(myHistory->count(), 1);

    // A double tap on a row plays it too.
    VideoSweepList* list = myPage->getList();
    Touch::doubleTap(list, list->visualRect(myPage->getModel()->index(0, 0)).center() - QPoint(100, 0));
    QCOMPARE(shown.count(), 2);
    QCOMPARE(qvariant_cast<VideoEntry*>(shown.last().at(0)), myPage->getModel()->entryAt(0));

    // The information button: the video in the information view.
    list->viewport()->repaint();
    const QRectF info = myPage->getModel()->entryAt(1)->getInfoButtonRect();
    Touch::tap(list, info.center().toPoint());
    QCOMPARE(shown.count(), 3);
    QCOMPARE(qvariant_cast<VideoEntry*>(shown.last().at(0)), myPage->getModel()->entryAt(1));
    QCOMPARE(shown.last().at(1).toBool(), true);
    QCOMPARE(myHistory->count(), 3);

    // A new list clears the selection: nothing to play.
    myController->searchAuthorsVideos(QStringLiteral("lumikuvaaja"));
    QVERIFY(!myPage->getPlayButton()->isEnabled());
    QVERIFY(waitFilled());
}

void TestResultController::backRestoresListAndPosition()
{
    myWorld->servePagedFeeds(100);
    myController->feedRequest(eMostDiscussed, QStringLiteral("This week"));
    QVERIFY(waitFilled());
    myController->nextPage();
    QVERIFY(waitFilled());
    selectRow(12);
    QScrollBar* bar = myPage->getList()->verticalScrollBar();
    bar->setValue(700);
    QCOMPARE(bar->value(), 700);
    QTest::mouseClick(myPage->getPlayButton(), Qt::LeftButton);
    QCOMPARE(myHistory->count(), 1);

    // The video view covers the page; back from it.
    myPage->hide();
    const int asked = myWorld->fake.requestsTo(FEEDS).count();
    std::unique_ptr<PageHistoryItem> item(myHistory->takeLast());
    myController->restoreHistory(item.get());
    myPage->show();
    QApplication::processEvents();
    // The list was still there: nothing is asked again.
    QCOMPARE(myWorld->fake.requestsTo(FEEDS).count(), asked);
    QCOMPARE(bar->value(), 700);
    QCOMPARE(myPage->getList()->currentIndex().row(), 12);
    QCOMPARE(myPage->getRangeLabel()->text(), QStringLiteral("31-60/100"));
}

void TestResultController::backAfterAnotherListAsksAgain()
{
    myWorld->servePagedFeeds(100);
    myController->search(QStringLiteral("boats"), QStringLiteral("Autos"), QStringLiteral("published"));
    QVERIFY(waitFilled());
    myController->nextPage();
    QVERIFY(waitFilled());
    selectRow(20);
    myPage->getList()->verticalScrollBar()->setValue(900);
    QTest::mouseClick(myPage->getPlayButton(), Qt::LeftButton);

    // From the video the user went on to another list (an author's uploads) ...
    myController->searchAuthorsVideos(QStringLiteral("lumikuvaaja"));
    QVERIFY(waitFilled());
    myPage->hide();

    // ... and comes back: the search is asked again for the same rows.
    std::unique_ptr<PageHistoryItem> item(myHistory->takeLast());
    myController->restoreHistory(item.get());
    QVERIFY(waitFilled());
    myPage->show();
    QApplication::processEvents();
    const FakeRequest request = myWorld->fake.requestsTo(SEARCH).last();
    QCOMPARE(request.queryValue(QStringLiteral("q")), QStringLiteral("boats"));
    QCOMPARE(request.queryValue(QStringLiteral("category")), QStringLiteral("Autos"));
    QCOMPARE(request.queryValue(QStringLiteral("orderby")), QStringLiteral("published"));
    QCOMPARE(request.queryValue(QStringLiteral("start-index")), QStringLiteral("31"));
    QCOMPARE(myPage->getSortBox()->currentText(), QStringLiteral("Date added"));
    QCOMPARE(myPage->getList()->verticalScrollBar()->value(), 900);
    QCOMPARE(myPage->getList()->currentIndex().row(), 20);
    QCOMPARE(myPage->getModel()->entryAt(20)->getVideoId(), QStringLiteral("v0000000051"));
}

void TestResultController::saveAsLinkOrCopy()
{
    QCOMPARE(myWorld->repository->setSetting(SETTING_DISK_SPACE_LIMIT, 1), 0);
    QVERIFY(myWorld->repository->getFileManager()->freeDiskSpaceAvailable());
    myController->feedRequest(eMostViewed, QStringLiteral("Today"));
    QVERIFY(waitFilled());
    QSignalSpy queued(myWorld->repository.get(), &Repository::downloadEntryAdded);

    selectRow(0);
    QTest::mouseClick(myPage->getAddLinkButton(), Qt::LeftButton);
    selectRow(1);
    QTest::mouseClick(myPage->getSaveButton(), Qt::LeftButton);
    QCOMPARE(queued.count(), 1);

    VideoListModel favorites(myWorld->repository.get());
    QCOMPARE(myWorld->repository->getPlayListEntries(ePlayListIdAllFavorites, &favorites), 0);
    QCOMPARE(favorites.rowCount(), 2);
    QStringList links;
    QStringList copies;
    for (VideoEntry* entry : favorites.entries())
        (entry->getVideoLink() == 1 ? links : copies) << entry->getVideoId();
    QCOMPARE(links, QStringList{myPage->getModel()->entryAt(0)->getVideoId()});
    QCOMPARE(copies, QStringList{myPage->getModel()->entryAt(1)->getVideoId()});
    QCOMPARE(myHistory->count(), 0);
}

void TestResultController::noSpaceDialog_data()
{
    QTest::addColumn<QString>("answer");
    QTest::addColumn<bool>("toFavorites");
    QTest::addColumn<bool>("toSettings");
    QTest::newRow("to the favourites") << "Favorites" << true << false;
    QTest::newRow("to the settings") << "Settings" << false << true;
    QTest::newRow("Escape") << "" << false << false;
}

void TestResultController::noSpaceDialog()
{
    QFETCH(QString, answer);
    QFETCH(bool, toFavorites);
    QFETCH(bool, toSettings);
    // No storage has a million gigabytes free.
    QCOMPARE(myWorld->repository->setSetting(SETTING_DISK_SPACE_LIMIT, 1000000000), 0);
    myController->feedRequest(eMostViewed, QStringLiteral("Today"));
    QVERIFY(waitFilled());
    QSignalSpy favorites(myController, &ResultController::showFavoritesPage);
    QSignalSpy settings(myController, &ResultController::showSettingsPage);
    QSignalSpy queued(myWorld->repository.get(), &Repository::downloadEntryAdded);
    selectRow(0);

    DialogAnswerer notice([&](QWidget* dialog) {
        if (answer.isEmpty())
            QTest::keyClick(dialog, Qt::Key_Escape);
        else
            QVERIFY(clickDialogButton(dialog, answer));
    });
    QTest::mouseClick(myPage->getSaveButton(), Qt::LeftButton);
    QCOMPARE(notice.title, QStringLiteral("Video cannot be downloaded!"));
    QCOMPARE(favorites.count(), toFavorites ? 1 : 0);
    QCOMPARE(settings.count(), toSettings ? 1 : 0);
    QCOMPARE(queued.count(), 0);
    // Leaving for the favourites records the page; the settings page records it itself.
    QCOMPARE(myHistory->count(), toFavorites ? 1 : 0);
    VideoListModel stored(myWorld->repository.get());
    myWorld->repository->getPlayListEntries(ePlayListIdAllFavorites, &stored);
    QCOMPARE(stored.rowCount(), 0);
}

void TestResultController::defaultSortFollowsSettings()
{
    QCOMPARE(myPage->getSortBox()->currentText(), QStringLiteral("Relevance"));
    QCOMPARE(myWorld->repository->setSetting(SETTING_DEFAULT_SORTING_ORDER, 2), 0);
    QCOMPARE(myPage->getSortBox()->currentText(), QStringLiteral("Rating"));
    QCOMPARE(myPage->getSortBy(), QStringLiteral("rating"));
    // A value outside the list leaves the box alone.
    QCOMPARE(myWorld->repository->setSetting(SETTING_DEFAULT_SORTING_ORDER, 9), 0);
    QCOMPARE(myPage->getSortBox()->currentText(), QStringLiteral("Rating"));
}

void TestResultController::storedTimeFrameIsTakenOver()
{
    QCOMPARE(myPage->timeFilterForRequest(), QStringLiteral("Today"));
    myPage->setTimeFrameIndex(2);
    QCOMPARE(myPage->timeFilterForRequest(), QStringLiteral("This month"));
    // The settings view stores a new default: the page takes it over once.
    myWorld->repository->setSetting(SETTING_TIME_FILTER, QStringLiteral("Any time"));
    QCOMPARE(myPage->timeFilterForRequest(), QStringLiteral("Any time"));
    myPage->setTimeFrameIndex(1);
    QCOMPARE(myPage->timeFilterForRequest(), QStringLiteral("This week"));
    // Text that is no time frame changes nothing.
    myWorld->repository->setSetting(SETTING_TIME_FILTER, QStringLiteral("Yesterday"));
    QCOMPARE(myPage->timeFilterForRequest(), QStringLiteral("This week"));
}

QTEST_MAIN(TestResultController)
#include "tst_resultcontroller.moc"
