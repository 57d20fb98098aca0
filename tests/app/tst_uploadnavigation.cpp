#include "app/MainController.h"
#include "browse/SearchPage.h"
#include "core/constants/Settings.h"
#include "shell/BackButton.h"
#include "shell/HomeView.h"
#include "shell/PageHeader.h"
#include "shell/PageHistoryItem.h"
#include "social/UploadTexts.h"
#include "tests/social/UploadTestSupport.h"
#include "tests/support/ProgramRig.h"

#include <QSignalSpy>

// The upload form inside the whole program: opened from the home view or its menu
// while signed in, emptied and given the categories each time; its back button leads
// home however it is pressed and wherever the form was opened from, and the form is
// found again through the history of a page opened from it.
class TestUploadNavigation : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void formInTheProgram_data();
    void formInTheProgram();
};

void TestUploadNavigation::formInTheProgram_data()
{
    QTest::addColumn<int>("from");             // the page id the form is opened from
    QTest::addColumn<bool>("categoriesFailed"); // the category request failed at start-up
    QTest::addColumn<QString>("leave");        // how the user leaves the form
    QTest::addColumn<int>("landing");          // the page id in front afterwards
    QTest::newRow("from home, back") << int(eHomePageId) << false << "back" << int(eHomePageId);
    QTest::newRow("from home, long press") << int(eHomePageId) << false << "long press" << int(eHomePageId);
    QTest::newRow("from the search page's menu, back") << int(eSearchPageId) << false << "back" << int(eHomePageId);
    QTest::newRow("from the search page's menu, long press")
        << int(eSearchPageId) << false << "long press" << int(eHomePageId);
    QTest::newRow("categories asked for again") << int(eHomePageId) << true << "back" << int(eHomePageId);
    QTest::newRow("away by the menu and back to the form")
        << int(eHomePageId) << false << "search, back" << int(eUploadPageId);
}

void TestUploadNavigation::formInTheProgram()
{
    QFETCH(int, from);
    QFETCH(bool, categoriesFailed);
    QFETCH(QString, leave);
    QFETCH(int, landing);
    TestWorld world(TestWorld::Folders);   // the program opens its own repository
    ProgramRig rig;
    MainController controller(rig.options());
    RecordingVideoService* service = rig.service;
    MainWindow& window = controller.getMainWindow();
    controller.getRepository().setSetting(SETTING_YOUTUBE_ACCOUNT_SIGNED_IN, 1);
    CategoryMap categories = uploadCategories();
    if (categoriesFailed)
        Q_EMIT service->errorOccuredInCategory();
    else
        Q_EMIT service->categoriesReady(categories);
    auto pageId = [&]() -> int {
        PageBase* page = window.currentPage();
        if (page == controller.getHomeView())
            return eHomePageId;
        if (controller.getUploadController() && page == controller.getUploadController()->getUploadPage())
            return eUploadPageId;
        return page == controller.getSearchPage() ? eSearchPageId : -1;
    };
    auto open = [&]() {
        if (from == eSearchPageId) {
            controller.getHomeView()->chooseEntry(HomeView::eEntrySearch, window.currentPage());
            controller.getHomeView()->chooseEntry(HomeView::eEntryUpload, window.currentPage());
        } else {
            QTest::mouseClick(controller.getHomeView()->getButton(HomeView::eEntryUpload), Qt::LeftButton);
        }
    };

    // Opened, filled in part, left and opened again: the form is empty each time.
    open();
    QCOMPARE(pageId(), int(eUploadPageId));
    UploadVideoPage* page = controller.getUploadController()->getUploadPage();
    page->getTitleField()->setText(QStringLiteral("Vanha otsikko"));
    controller.historyBackClicked(true);
    open();
    QCOMPARE(pageId(), int(eUploadPageId));
    QCOMPARE(formContents(page).mid(1), QStringList({"", "", "", TEXT_CHOOSE_CATEGORY(), ""}));
    QCOMPARE(service->calls.count("getCategories"), categoriesFailed ? 3 : 1);
    if (categoriesFailed) {
        // The answer reaches the open form.
        QCOMPARE(page->getCategoryBox()->count(), 0);
        Q_EMIT service->categoriesReady(categories);
    }
    QCOMPARE(page->getCategoryBox()->count(), categories.size());
    QCOMPARE(page->getCategoryBox()->text(), TEXT_CHOOSE_CATEGORY());
    QVERIFY(rig.prompt.log.isEmpty());

    page->getTitleField()->setText(QStringLiteral("Revontulet"));
    BackButton* back = page->getHeader()->getBackButton();
    if (leave == "back") {
        QTest::mouseClick(back, Qt::LeftButton);
    } else if (leave == "long press") {
        Q_EMIT back->backButtonClicked(true);
    } else {
        controller.getHomeView()->chooseEntry(HomeView::eEntrySearch, window.currentPage());
        QCOMPARE(controller.getPageHistory().last()->getPageId(), int(eUploadPageId));
        QTest::mouseClick(controller.getSearchPage()->findChild<BackButton*>(), Qt::LeftButton);
    }
    QCOMPARE(pageId(), landing);
    // Home ends every way back.
    if (landing == eHomePageId)
        QVERIFY(controller.getPageHistory().isEmpty());
    // Going back never empties the form.
    QCOMPARE(page->getTitleField()->text(), QStringLiteral("Revontulet"));
}

QTEST_MAIN(TestUploadNavigation)
#include "tst_uploadnavigation.moc"
