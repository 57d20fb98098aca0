#include "browse/ResultController.h"
#include "browse/ResultPage.h"
#include "browse/SearchPage.h"
#include "core/VideoListModel.h"
#include "core/constants/Settings.h"
#include "shell/BackButton.h"
#include "shell/PageHistory.h"
#include "shell/PageHistoryItem.h"
#include "tests/support/TestSupport.h"
#include "widgets/SelectionBox.h"
#include "widgets/SelectionList.h"
#include "widgets/UniformSweepList.h"

#include <QAbstractItemView>
#include <QCompleter>
#include <QDir>
#include <QPainter>
#include <QScrollBar>
#include <QLineEdit>
#include <QPushButton>
#include <QSignalSpy>
#include <QtTest>

class TestSearchPage : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void init();
    void cleanup();

    void typedSearchReachesServiceAndFillsResults();
    void emptyQuerySearchesNothing_data();
    void emptyQuerySearchesNothing();
    void searchesGoIntoHistory();
    void completionFollowsSetting_data();
    void completionFollowsSetting();
    void completionOffFromStart();
    void completionOffersEarlierSearches();
    void historyRowFillsFieldAndDoubleTapSearches();
    void clearingHistoryList();
    void categories();
    void sortOrder();
    void completionPopUpIsForTheFinger();
    void firstTapBesideTheSuggestionsActs_data();
    void firstTapBesideTheSuggestionsActs();
    void dropDownsFitTheirEntries_data();
    void dropDownsFitTheirEntries();
    void selectedEarlierSearchHasTheGreyRowFill();

private:
    SearchPage* makePage();
    // The window with a pop-up drawn over it where it is on the screen, saved as a
    // screenshot.
    void saveWithPopUp(QWidget* popUp, const QString& name);
    // Types into the query field of the page shown until the suggestions open; their
    // pop-up, or null when it does not open.
    QAbstractItemView* openSuggestions(const QString& typed);

    TestWorld* myWorld = nullptr;
    PageHistory* myHistory = nullptr;
    SearchPage* myPage = nullptr;
};

void TestSearchPage::init()
{
    myWorld = new TestWorld(TestWorld::Service);
    myHistory = &myWorld->history;
    myPage = nullptr;
}

void TestSearchPage::cleanup()
{
    delete myPage;
    myPage = nullptr;
    delete myWorld;
    myWorld = nullptr;
}

SearchPage* TestSearchPage::makePage()
{
    myPage = new SearchPage(*myWorld->repository, *myHistory, myWorld->service->getSortBy(), &myWorld->window());
    myPage->setGeometry(0, 0, 800, 480);
    if (!myWorld->show())
        qWarning("window not exposed");
    return myPage;
}

void TestSearchPage::typedSearchReachesServiceAndFillsResults()
{
    makePage();
    ResultController controller(myWorld->service.get(), *myWorld->repository, *myHistory, &myWorld->window());
    connect(myPage, &SearchPage::search, &controller, &ResultController::search);
    ResultPage* results = controller.getResultPage();
    results->setGeometry(0, 0, 800, 480);

    CategoryMap categories;
    categories.insert(QString(), QStringLiteral("All"));
    categories.insert(QStringLiteral("Music"), QStringLiteral("Music"));
    categories.insert(QStringLiteral("Travel"), QStringLiteral("Travel & Events"));
    myPage->setCategories(categories);
    myPage->getCategoryBox()->setCurrentIndex(2);
    myPage->getSortBox()->setCurrentIndex(1); // "Date added"

    myPage->getQueryField()->setFocus();
    QTest::keyClicks(myPage->getQueryField(), QStringLiteral("northern lights & snow"));
    QTest::keyClick(myPage->getQueryField(), Qt::Key_Return);

    QVERIFY(QTest::qWaitFor([&]() { return results->getModel()->rowCount() > 0; }, 5000));
    const FakeRequest request = myWorld->fake.requestsTo(QStringLiteral("/gdata/feeds/api/videos")).last();
    QCOMPARE(request.path, QStringLiteral("/gdata/feeds/api/videos"));
    QCOMPARE(request.queryValue(QStringLiteral("q")), QStringLiteral("northern lights & snow"));
    QCOMPARE(request.queryValue(QStringLiteral("category")), QStringLiteral("Travel"));
    QCOMPARE(request.queryValue(QStringLiteral("orderby")), QStringLiteral("published"));

    QCOMPARE(results->getModel()->rowCount(), 4);
    QCOMPARE(results->getModel()->entryAt(0)->getVideoId(), FakeFeeds::VIDEO_ID);
    QCOMPARE(results->getSortBox()->currentText(), QStringLiteral("Date added"));
    // The search page recorded itself before the results came.
    QCOMPARE(myHistory->count(), 1);
    QCOMPARE(myHistory->last()->getPageId(), int(eSearchPageId));

    // Letters beyond ASCII reach the service as typed.
    myPage->getQueryField()->setText(QStringLiteral("revontulet yll\u00e4s"));
    QTest::mouseClick(myPage->getSearchButton(), Qt::LeftButton);
    QVERIFY(QTest::qWaitFor([&]() { return myWorld->fake.requestsTo(QStringLiteral("/gdata/feeds/api/videos")).count() == 2; }, 5000));
    QCOMPARE(myWorld->fake.requestsTo(QStringLiteral("/gdata/feeds/api/videos")).last().queryValue(QStringLiteral("q")),
             QStringLiteral("revontulet yll\u00e4s"));
}

void TestSearchPage::emptyQuerySearchesNothing_data()
{
    QTest::addColumn<QString>("text");
    QTest::newRow("empty") << "";
    QTest::newRow("blanks") << "   ";
}

void TestSearchPage::emptyQuerySearchesNothing()
{
    QFETCH(QString, text);
    makePage();
    QSignalSpy searches(myPage, &SearchPage::search);
    myPage->getQueryField()->setText(text);
    QTest::mouseClick(myPage->getSearchButton(), Qt::LeftButton);
    QCOMPARE(searches.count(), 0);
    QCOMPARE(myHistory->count(), 0);
    QVERIFY(myPage->getHistory().isEmpty());
}

void TestSearchPage::searchesGoIntoHistory()
{
    makePage();
    QSignalSpy searches(myPage, &SearchPage::search);
    for (const QString& text : {QStringLiteral("boats"), QStringLiteral(" cats "), QStringLiteral("boats")}) {
        myPage->getQueryField()->setText(text);
        QTest::mouseClick(myPage->getSearchButton(), Qt::LeftButton);
    }
    QCOMPARE(searches.count(), 3);
    QCOMPARE(searches.at(1).at(0).toString(), QStringLiteral("cats"));
    // Most recent first, each text once.
    QCOMPARE(myPage->getHistory(), (QStringList{QStringLiteral("boats"), QStringLiteral("cats")}));
    QStringList stored;
    myWorld->repository->getSearchHistory(stored);
    QCOMPARE(stored, myPage->getHistory());

    // A page made later finds them in the store.
    SearchPage later(*myWorld->repository, *myHistory, myWorld->service->getSortBy(), nullptr);
    QCOMPARE(later.getHistory(), stored);
}

void TestSearchPage::completionFollowsSetting_data()
{
    QTest::addColumn<int>("value");
    QTest::addColumn<bool>("enabled");
    QTest::newRow("0") << 0 << false;
    QTest::newRow("1") << 1 << true;
    QTest::newRow("2 (ticked)") << 2 << true;
    QTest::newRow("-1") << -1 << false;
}

void TestSearchPage::completionFollowsSetting()
{
    QFETCH(int, value);
    QFETCH(bool, enabled);
    makePage();
    QVERIFY(myPage->isCompletionEnabled()); // stored default 1
    // Through the store, as the settings page writes it ...
    myWorld->repository->setSetting(SETTING_SEARCH_COMPLETION_ENABLED, value);
    QCOMPARE(myPage->isCompletionEnabled(), enabled);
    QCOMPARE(myPage->getQueryField()->completer() != nullptr, enabled);
    // ... and directly; other keys change nothing.
    myPage->settingChanged(SETTING_SEARCH_COMPLETION_ENABLED, enabled ? 0 : 2);
    QCOMPARE(myPage->isCompletionEnabled(), !enabled);
    myPage->settingChanged(SETTING_DISK_SPACE_LIMIT, enabled ? 2 : 0);
    QCOMPARE(myPage->isCompletionEnabled(), !enabled);
}

void TestSearchPage::completionOffFromStart()
{
    myWorld->repository->setSetting(SETTING_SEARCH_COMPLETION_ENABLED, 0);
    makePage();
    QVERIFY(!myPage->isCompletionEnabled());
}

void TestSearchPage::completionOffersEarlierSearches()
{
    for (const QString& text : {QStringLiteral("northern lights"), QStringLiteral("Nordic skiing"),
                                QStringLiteral("sailing")})
        myWorld->repository->addSearchHistory(text);
    makePage();
    QCompleter* completer = myPage->getQueryField()->completer();
    QVERIFY(completer);
    completer->setCompletionPrefix(QStringLiteral("nor"));
    QStringList offered;
    for (int i = 0; completer->setCurrentRow(i); ++i)
        offered << completer->currentCompletion();
    offered.sort();
    QCOMPARE(offered, (QStringList{QStringLiteral("Nordic skiing"), QStringLiteral("northern lights")}));
}

void TestSearchPage::historyRowFillsFieldAndDoubleTapSearches()
{
    for (const QString& text : {QStringLiteral("first"), QStringLiteral("second"), QStringLiteral("third")})
        myWorld->repository->addSearchHistory(text);
    makePage();
    QCOMPARE(myPage->getHistory().first(), QStringLiteral("third"));
    QSignalSpy searches(myPage, &SearchPage::search);

    // A tap fills the field without searching.
    tapRow(myPage->getHistoryList(), 1);
    QCOMPARE(myPage->getQueryField()->text(), QStringLiteral("second"));
    QCOMPARE(searches.count(), 0);

    // A double tap on a row searches for it.
    UniformSweepList* list = myPage->getHistoryList();
    Touch::doubleTap(list, rowCenter(list, 2));
    QCOMPARE(searches.count(), 1);
    QCOMPARE(searches.first().at(0).toString(), QStringLiteral("first"));
    // It is the most recent search now.
    QCOMPARE(myPage->getHistory().first(), QStringLiteral("first"));
}

void TestSearchPage::clearingHistoryList()
{
    myWorld->repository->addSearchHistory(QStringLiteral("something"));
    makePage();
    QCOMPARE(myPage->getHistory().count(), 1);
    myWorld->repository->clearSearchHistory();
    myPage->clearHistoryList();
    QVERIFY(myPage->getHistory().isEmpty());
    QCOMPARE(myPage->getHistoryList()->model()->rowCount(), 0);
    QCompleter* completer = myPage->getQueryField()->completer();
    completer->setCompletionPrefix(QStringLiteral("some"));
    QCOMPARE(completer->completionCount(), 0);
}

void TestSearchPage::categories()
{
    makePage();
    // Before the categories arrive the search is over all of them.
    QCOMPARE(myPage->getCategoryBox()->count(), 0);
    QCOMPARE(myPage->getCategory(), QString());

    CategoryMap categories;
    categories.insert(QStringLiteral("Music"), QStringLiteral("Music"));
    categories.insert(QStringLiteral("Autos"), QStringLiteral("Autos & Vehicles"));
    categories.insert(QString(), QStringLiteral("All"));
    myPage->setCategories(categories);
    SelectionBox* box = myPage->getCategoryBox();
    QCOMPARE(box->count(), 3);
    QCOMPARE(box->text(), QStringLiteral("All"));
    box->setCurrentIndex(1);
    QCOMPARE(box->currentText(), QStringLiteral("Autos & Vehicles"));
    QCOMPARE(myPage->getCategory(), QStringLiteral("Autos"));

    // New categories keep the choice while it is offered ...
    categories.insert(QStringLiteral("Comedy"), QStringLiteral("Comedy"));
    myPage->setCategories(categories);
    QCOMPARE(myPage->getCategory(), QStringLiteral("Autos"));
    // ... and fall back to all when it is not.
    categories.remove(QStringLiteral("Autos"));
    myPage->setCategories(categories);
    QCOMPARE(myPage->getCategory(), QString());
    QCOMPARE(box->text(), QStringLiteral("All"));
}

void TestSearchPage::sortOrder()
{
    myWorld->repository->setSetting(SETTING_DEFAULT_SORTING_ORDER, 3);
    makePage();
    SelectionBox* box = myPage->getSortBox();
    QCOMPARE(box->count(), 4);
    QCOMPARE(box->currentText(), QStringLiteral("View count"));
    QCOMPARE(myPage->getSortBy(), QStringLiteral("viewCount"));
    myWorld->repository->setSetting(SETTING_DEFAULT_SORTING_ORDER, 0);
    QCOMPARE(myPage->getSortBy(), QString());
    QCOMPARE(box->currentText(), QStringLiteral("Relevance"));
}

void TestSearchPage::saveWithPopUp(QWidget* popUp, const QString& name)
{
    QWidget* window = &myWorld->window();
    QPixmap shot = window->grab();
    QPainter painter(&shot);
    painter.drawPixmap(popUp->mapToGlobal(QPoint(0, 0)) - window->mapToGlobal(QPoint(0, 0)), popUp->grab());
    painter.end();
    QVERIFY(shot.save(QDir(TestEnvironment::outputFolder()).filePath(name + QStringLiteral(".png"))));
}

QAbstractItemView* TestSearchPage::openSuggestions(const QString& typed)
{
    myWorld->window().activateWindow();
    if (!QTest::qWaitForWindowActive(&myWorld->window()))
        return nullptr;
    QLineEdit* field = myPage->getQueryField();
    field->setFocus();
    QTest::keyClicks(field, typed);
    QAbstractItemView* popUp = field->completer()->popup();
    return QTest::qWaitFor([popUp] { return popUp->isVisible(); }) ? popUp : nullptr;
}

// Typing offers the earlier searches in a list like the others: rows high enough for a
// finger, in the program's font.
void TestSearchPage::completionPopUpIsForTheFinger()
{
    for (const QString& text : {QStringLiteral("northern lights"), QStringLiteral("Nordic skiing"),
                                QStringLiteral("norppa"), QStringLiteral("sailing")})
        myWorld->repository->addSearchHistory(text);
    makePage();
    QAbstractItemView* popUp = openSuggestions(QStringLiteral("nor"));
    QVERIFY(popUp);
    QCOMPARE(popUp->model()->rowCount(), 3);
    for (int row = 0; row < 3; ++row)
        QVERIFY(popUp->visualRect(popUp->model()->index(row, 0)).height() >= 46);
    QCOMPARE(popUp->font().family(), QStringLiteral("SansSerif"));
    QCOMPARE(popUp->font().pointSize(), 16);
    saveWithPopUp(popUp, QStringLiteral("search-completion-open"));
    popUp->hide();
}

void TestSearchPage::firstTapBesideTheSuggestionsActs_data()
{
    QTest::addColumn<QString>("control");
    QTest::newRow("Search") << "search";
    QTest::newRow("back") << "back";
}

// The suggestions close at a tap beside them, and the tap still does what it is
// for: the user need not tap twice.
void TestSearchPage::firstTapBesideTheSuggestionsActs()
{
    QFETCH(QString, control);
    myWorld->repository->addSearchHistory(QStringLiteral("northern lights"));
    makePage();
    QAbstractItemView* popUp = openSuggestions(QStringLiteral("nor"));
    QVERIFY(popUp);

    QPushButton* button = control == "search" ? myPage->getSearchButton() : myPage->findChild<BackButton*>();
    QSignalSpy clicked(button, &QAbstractButton::clicked);
    // Through the window, as the screen delivers a tap (and so past the pop-up).
    QWindow* window = myWorld->window().windowHandle();
    const QPoint at = button->mapTo(&myWorld->window(), button->rect().center());
    QTest::mousePress(window, Qt::LeftButton, Qt::NoModifier, at);
    QTest::mouseRelease(window, Qt::LeftButton, Qt::NoModifier, at);
    QTRY_COMPARE(clicked.count(), 1);
    QVERIFY(!popUp->isVisible());
}

void TestSearchPage::dropDownsFitTheirEntries_data()
{
    QTest::addColumn<QString>("box");
    QTest::newRow("categories of the service") << "category";
    QTest::newRow("time frames of the result page") << "time";
}

// A drop-down is wide enough for its longest entry, and has scroll buttons only when
// its entries do not all fit on the screen.
void TestSearchPage::dropDownsFitTheirEntries()
{
    QFETCH(QString, box);
    makePage();
    std::unique_ptr<ResultPage> resultPage;
    SelectionBox* selection = nullptr;
    if (box == "category") {
        CategoryMap categories;
        connect(myWorld->service.get(), &VideoServiceProvider::categoriesReady, myPage,
                [&categories](CategoryMap& read) { categories = read; });
        myWorld->service->getCategories();
        QTRY_VERIFY(!categories.isEmpty());
        myPage->setCategories(categories);
        selection = myPage->getCategoryBox();
    } else {
        myPage->hide();
        resultPage = std::make_unique<ResultPage>(*myWorld->repository, *myHistory, &myWorld->window());
        resultPage->setGeometry(0, 0, 800, 480);
        resultPage->show();
        resultPage->getTimeBox()->show();
        selection = resultPage->getTimeBox();
    }
    QVERIFY(selection->count() > 1);
    selection->showListBox();
    SelectionList* list = selection->listBox();
    QVERIFY(list->isVisible());
    SelectionListView* view = list->listView();
    const QFontMetrics metrics(view->font());
    for (int row = 0; row < selection->count(); ++row) {
        const QString text = list->itemText(row);
        QVERIFY2(metrics.horizontalAdvance(text) + 20 <= view->viewport()->width(), qPrintable(text));
    }
    QApplication::processEvents();
    const QScrollBar* bar = view->verticalScrollBar();
    const bool scrolls = bar->maximum() > bar->minimum();
    QCOMPARE(list->upButton()->isVisible(), scrolls);
    QCOMPARE(list->downButton()->isVisible(), scrolls);
    if (box == "category")
        saveWithPopUp(list, QStringLiteral("search-categories-open"));
    list->hide();
}

// The chosen earlier search has the grey fill of the other lists' current rows.
void TestSearchPage::selectedEarlierSearchHasTheGreyRowFill()
{
    for (const QString& text : {QStringLiteral("first"), QStringLiteral("second")})
        myWorld->repository->addSearchHistory(text);
    makePage();
    tapRow(myPage->getHistoryList(), 0);
    UniformSweepList* list = myPage->getHistoryList();
    QVERIFY(list->selectionModel()->isSelected(list->model()->index(0, 0)));
    // What the user sees: the list over the page's own colour.
    QImage image(list->viewport()->size(), QImage::Format_RGB32);
    image.fill(QColor(0x65, 0x18, 0x18));
    QPainter painter(&image);
    painter.drawPixmap(0, 0, list->viewport()->grab());
    painter.end();
    auto sample = [&](int row) {
        const QRect rect = list->visualRect(list->model()->index(row, 0));
        return image.pixelColor(rect.right() - 15, rect.center().y());
    };
    const QColor selected = sample(0);
    const QColor plain = sample(1);
    const double alpha = 90.0 / 255.0;
    auto blend = [alpha](int base) { return base * (1 - alpha) + 180 * alpha; };
    QVERIFY2(qAbs(selected.red() - blend(plain.red())) <= 6 && qAbs(selected.green() - blend(plain.green())) <= 6
                 && qAbs(selected.blue() - blend(plain.blue())) <= 6,
             qPrintable(QStringLiteral("%1 over %2").arg(selected.name(), plain.name())));
}

QTEST_MAIN(TestSearchPage)
#include "tst_searchpage.moc"
