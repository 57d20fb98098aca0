#include "browse/ResultController.h"
#include "browse/ResultPage.h"
#include "browse/SearchPage.h"
#include "core/FileManager.h"
#include "core/VideoEntry.h"
#include "core/constants/Settings.h"
#include "favorites/FavoriteItemDelegate.h"
#include "favorites/FavoriteResultController.h"
#include "favorites/FavoriteResultPage.h"
#include "player/MovieController.h"
#include "player/NormalScreenController.h"
#include "player/VideoViewBase.h"
#include "settings/SettingsPage.h"
#include "settings/SettingsViewGeneral.h"
#include "shell/HomeView.h"
#include "shell/PageHistoryItem.h"
#include "shell/PlatformConstants.h"
#include "tests/support/ProgramRig.h"
#include "widgets/SelectionBox.h"

#include <QAction>
#include <QApplication>
#include <QFile>
#include <QMenu>
#include <QPointer>
#include <QPushButton>
#include <QSignalSpy>
#include <QTabWidget>
#include <QTest>
#include <QTimer>

#include <memory>

namespace {

// A controller of a later subsystem: a child of the main window that still talks to
// the service and the repository while it is deleted.
class LateController : public QObject
{
public:
    LateController(QObject* parent, VideoServiceProvider* service, Repository* repository, QStringList* log)
        : QObject(parent), myService(service), myRepository(repository), myLog(log) {}
    ~LateController() override
    {
        *myLog << QStringLiteral("service %1, repository %2")
                      .arg(myService ? "alive" : "gone", myRepository ? "alive" : "gone");
    }

private:
    QPointer<VideoServiceProvider> myService;
    QPointer<Repository> myRepository;
    QStringList* myLog;
};

// Puts a stored-copy favourite (queued for download) into the test's database.
void queueFavorite(const QString& videoId)
{
    Repository repository;
    QCOMPARE(repository.openDatabase(), 0);
    VideoEntry entry = videoWithId(videoId);
    entry.setName(QStringLiteral("Queued video"));
    QCOMPARE(repository.addFavorite(&entry, false), 0);
}

const QString START_QUESTION = QStringLiteral(
    "ask|The downloading was stopped last time when exiting the application.|Start downloading now?");
const QString EXIT_QUESTION = QStringLiteral(
    "ask|Download in progress|You are exiting the program while the video is being downloaded. "
    "If you exit now the video download will be stopped.");
const QString ACCOUNT_QUESTION = QStringLiteral(
    "ask|Account information is needed for selected operation!|Set the account information now?");

} // namespace

class TestMainController : public QObject
{
    Q_OBJECT
    // The program opens its own repository in these folders.
    std::unique_ptr<TestEnvironment> myEnvironment;

private Q_SLOTS:
    void init() { myEnvironment = std::make_unique<TestEnvironment>(); }
    void cleanup() { myEnvironment.reset(); }

    // Help on a system without the platform's help viewer: the user is told, through
    // the program's prompt (so a run without anyone at the screen only traces it).
    void helpWithoutTheHelpViewerIsANotice()
    {
        ProgramRig rig;
        MainController controller(rig.options());
        QVERIFY(!controller.startupFailed());
        controller.getHomeView()->chooseEntry(HomeView::eEntryHelp, controller.getHomeView());
        QTRY_COMPARE(rig.prompt.log, QStringList({"inform|Help|Help is not available on this device."}));
        QCOMPARE(controller.getMainWindow().currentPage(), controller.getHomeView());
    }

    void startUpBuildsTheHomePage()
    {
        ProgramRig rig;
        MainController controller(rig.options());
        QVERIFY(!controller.startupFailed());
        QCOMPARE(QApplication::doubleClickInterval(), 600);
        QVERIFY(controller.getHomeView());
        QCOMPARE(controller.getMainWindow().currentPage(), controller.getHomeView());
        QCOMPARE(controller.getMainWindow().getMenu(), controller.getHomeView()->getMenu());
        QVERIFY(controller.getMainWindow().isVisible());
        QVERIFY(!controller.getMainWindow().isFullScreen());
        QCOMPARE(controller.getMainWindow().size(), QSize(800, 480));
        QVERIFY(controller.getRepository().isDatabaseUsable());
        QVERIFY(controller.getDBusService());
        // The service is a child of the main window and asked for the categories once.
        QCOMPARE(rig.service->parent(), &controller.getMainWindow());
        QCOMPARE(rig.service->calls, QStringList({ "getCategories" }));
        // An empty queue asks nothing.
        QCOMPARE(rig.prompt.log, QStringList());
        QVERIFY(controller.getPageHistory().isEmpty());
        QVERIFY(TestEnvironment::saveScreenshot(&controller.getMainWindow(), QStringLiteral("app_home_view")));
    }

    void pagesOffScreenAreBuiltWhenFirstShown_data()
    {
        QTest::addColumn<QString>("page");
        QTest::newRow("result page, by a feed") << "result";
        QTest::newRow("search page") << "search";
        QTest::newRow("favourites page") << "favorites";
    }

    // Start-up builds the home view only; every other page builds its widgets when it
    // is first shown, with what reached it before: the categories, the settings, the
    // background download's progress.
    void pagesOffScreenAreBuiltWhenFirstShown()
    {
        QFETCH(QString, page);
        ProgramRig rig;
        MainController controller(rig.options());
        QVERIFY(!controller.startupFailed());
        const QMap<QString, PageBase*> pages = {{"result", controller.getResultController()->getResultPage()},
                                                {"search", controller.getSearchPage()},
                                                {"favorites", controller.getFavoriteController()->getPage()},
                                                {"information", controller.getNormalScreenController()->getPage()},
                                                {"full screen", controller.getMovieController()->getPage()}};
        for (PageBase* other : pages)
            QVERIFY(!other->isBuilt());

        CategoryMap categories{{QString(), QStringLiteral("All")}, {QStringLiteral("Music"), QStringLiteral("Music")}};
        Q_EMIT rig.service->categoriesReady(categories);
        controller.getRepository().setSetting(SETTING_SEARCH_COMPLETION_ENABLED, 0);
        controller.getRepository().setSetting(SETTING_TIME_FILTER, TIME_FILTER_THIS_MONTH);
        Q_EMIT rig.service->backgroundDownloadInProgress(42.5, QStringLiteral("queued01"));
        if (page == "result")
            controller.feedRequest(eMostViewed);
        else if (page == "search")
            controller.showSearchPage();
        else
            controller.showFavoritesPage();

        PageBase* shown = pages.value(page);
        QCOMPARE(controller.getMainWindow().currentPage(), shown);
        for (PageBase* other : pages)
            QCOMPARE(other->isBuilt(), other == shown);
        if (auto* result = qobject_cast<ResultPage*>(shown)) {
            QCOMPARE(result->getTimeBox()->currentText(), TIME_FILTER_THIS_MONTH);
            QCOMPARE(rig.service->calls, QStringList({"getCategories", "getFeed"}));
        } else if (auto* search = qobject_cast<SearchPage*>(shown)) {
            QCOMPARE(search->getCategoryBox()->count(), 2);
            QVERIFY(!search->isCompletionEnabled());
        } else {
            auto* favorites = qobject_cast<FavoriteResultPage*>(shown);
            QCOMPARE(favorites->getFavoriteDelegate()->getDownloadVideoId(), QStringLiteral("queued01"));
            QCOMPARE(favorites->getFavoriteDelegate()->getDownloadPercent(), 42);
        }
    }

    // A damage met while the program runs (the start-up look at the download queue,
    // the favourites page) is told once, after the read, however often it is met.
    void damagedDatabaseIsToldOnce()
    {
        queueFavorite(QStringLiteral("damaged01"));
        QVERIFY(damageTable(myEnvironment->applicationFolder() + "krelvox_db.dat", QStringLiteral("video_entry")));
        ProgramRig rig;
        MainController controller(rig.options());
        QVERIFY(!controller.startupFailed());
        controller.showFavoritesPage();
        delete controller.getRepository().getFirstPlayListsEntry(ePlayListIdAllFavorites);
        QTRY_VERIFY(rig.prompt.log.filter(QStringLiteral("inform|Error|The database is damaged")).size() == 1);
        controller.showFavoritesPage();
        // The notice is queued after the read: what was queued runs now.
        QCoreApplication::processEvents();
        QCOMPARE(rig.prompt.log.filter(QStringLiteral("inform|")).size(), 1);
    }

    void serviceThatDoesNotInitialiseFailsStartUpSilently()
    {
        ProgramRig rig;
        rig.serviceInitializes = false;
        MainController controller(rig.options());
        QVERIFY(controller.startupFailed());
        QCOMPARE(rig.prompt.log, QStringList());
    }

    void unusableDatabaseFailsStartUp_data()
    {
        QTest::addColumn<bool>("createDatabase");
        QTest::newRow("plain") << false;
        // A fresh database that cannot be made either is no success.
        QTest::newRow("-create-db") << true;
    }

    void unusableDatabaseFailsStartUp()
    {
        QFETCH(bool, createDatabase);
        // The application folder's place is taken by a file.
        QFile blocker(myEnvironment->applicationFolder().chopped(1));
        QVERIFY(blocker.open(QIODevice::WriteOnly));
        blocker.close();

        ProgramRig rig;
        {
            MainController controller(rig.options(QString(), createDatabase));
            QVERIFY(controller.startupFailed());
            QCOMPARE(rig.prompt.log, QStringList({ "inform|Can't use database. Exiting.|" }));
            QCOMPARE(rig.service, nullptr);
        }
        QVERIFY(QFileInfo(blocker.fileName()).isFile());
    }

    void startUpQuestion_data()
    {
        QTest::addColumn<bool>("enabled");
        QTest::addColumn<bool>("queued");
        QTest::addColumn<bool>("answer");
        QTest::addColumn<bool>("asked");
        QTest::addColumn<bool>("started");
        QTest::addColumn<int>("enabledAfter");
        QTest::newRow("yes starts the download") << true << true << true << true << true << 1;
        QTest::newRow("no switches downloading off") << true << true << false << true << false << 0;
        QTest::newRow("empty queue") << true << false << true << false << false << 1;
        QTest::newRow("switched off") << false << true << true << false << false << 0;
    }

    void startUpQuestion()
    {
        QFETCH(bool, enabled);
        QFETCH(bool, queued);
        QFETCH(bool, answer);
        QFETCH(bool, asked);
        QFETCH(bool, started);
        QFETCH(int, enabledAfter);
        if (queued)
            queueFavorite(QStringLiteral("queued01"));
        if (!enabled) {
            Repository repository;
            QCOMPARE(repository.openDatabase(), 0);
            QCOMPARE(repository.setSetting(SETTING_BACKGROUND_DOWNLOADING_ENABLED, 0), 0);
        }

        ProgramRig rig;
        rig.prompt.answers << answer;
        MainController controller(rig.options());
        QCOMPARE(rig.prompt.log, asked ? QStringList({ START_QUESTION }) : QStringList());
        QCOMPARE(rig.service->calls.contains("backgrounddownload"), started);
        if (started)
            QCOMPARE(rig.service->backgroundVideoId, QStringLiteral("queued01"));
        int value = -1;
        controller.getRepository().getSetting(SETTING_BACKGROUND_DOWNLOADING_ENABLED, value);
        QCOMPARE(value, enabledAfter);
        // The question comes before the home page is shown.
        QCOMPARE(controller.getMainWindow().currentPage(), controller.getHomeView());
    }

    void exitPath_data()
    {
        QTest::addColumn<bool>("downloading");
        QTest::addColumn<bool>("answer");
        QTest::addColumn<QString>("how");
        QTest::addColumn<int>("loopResult");
        QTest::newRow("no download: exit") << false << false << "exit" << 0;
        QTest::newRow("no download: close window") << false << false << "close" << 0;
        QTest::newRow("download, accepted") << true << true << "exit" << 0;
        QTest::newRow("download, declined") << true << false << "exit" << -1;
        QTest::newRow("download, close window, accepted") << true << true << "close" << 0;
        QTest::newRow("download, close window, declined") << true << false << "close" << -1;
        QTest::newRow("download, menu Exit, accepted") << true << true << "menu" << 0;
    }

    void exitPath()
    {
        QFETCH(bool, downloading);
        QFETCH(bool, answer);
        QFETCH(QString, how);
        QFETCH(int, loopResult);
        ProgramRig rig;
        MainController controller(rig.options());
        rig.service->backgroundDownloading = downloading;
        rig.prompt.answers << answer;
        MainWindow& window = controller.getMainWindow();

        const int result = runApplicationLoop([&]() {
            if (how == QLatin1String("exit")) {
                QTest::mouseClick(controller.getHomeView()->getButton(HomeView::eEntryExit), Qt::LeftButton);
            } else if (how == QLatin1String("close")) {
                window.close();
            } else {
                QMenu* menu = window.getMenu();
                QTimer::singleShot(30, menu, [menu]() {
                    for (QAction* action : menu->actions()) {
                        if (action->data().toInt() == HomeView::eEntryExit)
                            menu->setActiveAction(action);
                    }
                    QTest::keyClick(menu, Qt::Key_Return);
                });
                window.showMenu();
            }
        });
        QCOMPARE(result, loopResult);
        QCOMPARE(rig.prompt.log, downloading ? QStringList({ EXIT_QUESTION }) : QStringList());
        QCOMPARE(rig.service->calls.contains("cancelBackgoundDownload"), downloading && answer);
        // Declining leaves the program as it was.
        QVERIFY(window.isVisible());
    }

    void errorDialogsComeOneAtATime()
    {
        ProgramRig rig;
        MainController controller(rig.options());

        // Errors arriving while a dialog is open (in its event loop) are not stacked.
        rig.prompt.duringNotice = [&]() {
            rig.prompt.duringNotice = nullptr;
            QTest::ignoreMessage(QtWarningMsg, QRegularExpression("dialog already open, not shown: second"));
            Q_EMIT rig.service->errorOccuredInDownload(QStringLiteral("second"));
        };
        Q_EMIT rig.service->errorOccuredInCommentFetching(QStringLiteral("first"));
        QCOMPARE(rig.prompt.log, QStringList({ "inform|Error|first" }));

        // Once it is closed the next error is shown.
        Q_EMIT rig.service->errorOccuredInCommenting(QStringLiteral("third"));
        Q_EMIT rig.service->errorOccuredInDownload(QStringLiteral("fourth"));
        QCOMPARE(rig.prompt.log, QStringList({ "inform|Error|first", "inform|Error|third", "inform|Error|fourth" }));
    }

    void categoriesAndTheirFailure()
    {
        ProgramRig rig;
        MainController controller(rig.options());
        Q_EMIT rig.service->errorOccuredInCategory();
        QVERIFY(controller.categoryRequestFailed());
        CategoryMap categories { { QString(), QStringLiteral("All") }, { QStringLiteral("Music"), QStringLiteral("Music") } };
        Q_EMIT rig.service->categoriesReady(categories);
        QVERIFY(!controller.categoryRequestFailed());
        QCOMPARE(controller.getCategories(), categories);
    }

    void historyBack()
    {
        ProgramRig rig;
        MainController controller(rig.options());
        MainWindow& window = controller.getMainWindow();
        PageHistory& history = controller.getPageHistory();
        auto* other = new StandInPage(history, eHomePageId);
        window.addPage(other);

        // The home view records itself when a feed is chosen; the page that follows
        // is left with the back button.
        QTest::mouseClick(controller.getHomeView()->getButton(HomeView::eEntryMostViewed), Qt::LeftButton);
        QCOMPARE(history.count(), 1);
        window.showPage(other);
        history.emitBack(false);
        QCOMPARE(window.currentPage(), controller.getHomeView());
        QVERIFY(history.isEmpty());

        // Back with no history goes home.
        window.showPage(other);
        history.emitBack(false);
        QCOMPARE(window.currentPage(), controller.getHomeView());

        // A page that no subsystem restores leads home, with a trace.
        history.add(new PageHistoryItem(99));
        window.showPage(other);
        QTest::ignoreMessage(QtWarningMsg, QRegularExpression("no page for history id 99, going home"));
        history.emitBack(false);
        QCOMPARE(window.currentPage(), controller.getHomeView());
        QVERIFY(history.isEmpty());
    }

    void longPressGoesHomeAndForgetsTheWay()
    {
        ProgramRig rig;
        MainController controller(rig.options());
        MainWindow& window = controller.getMainWindow();
        PageHistory& history = controller.getPageHistory();
        auto* other = new StandInPage(history, eResultPageId);
        window.addPage(other);
        history.add(new PageHistoryItem(eHomePageId));
        history.add(new PageHistoryItem(eResultPageId));
        history.add(new PageHistoryItem(eResultPageId));
        window.showPage(other);

        history.emitBack(true);
        QCOMPARE(window.currentPage(), controller.getHomeView());
        QVERIFY(history.isEmpty());
    }

    void menuEntryRecordsThePageInFront()
    {
        ProgramRig rig;
        MainController controller(rig.options());
        MainWindow& window = controller.getMainWindow();
        PageHistory& history = controller.getPageHistory();
        auto* other = new StandInPage(history, eResultPageId);
        window.addPage(other);
        window.showPage(other);
        QSignalSpy feeds(controller.getHomeView(), &HomeView::feedRequest);

        QAction* topRated = nullptr;
        for (QAction* action : window.getMenu()->actions()) {
            if (action->data().toInt() == HomeView::eEntryTopRated)
                topRated = action;
        }
        QVERIFY(topRated);
        Q_EMIT window.menuEntryChosen(topRated);
        QCOMPARE(feeds.count(), 1);
        QCOMPARE(feeds.at(0).at(0).toInt(), 3);
        QCOMPARE(history.count(), 1);
        QCOMPARE(history.last()->getPageId(), int(eResultPageId));
    }

    // The device's select key sends Return (a keyboard's keypad Enter): on a focused
    // button of any page it does what a tap does.
    void selectKeyPressesTheFocusedButton_data()
    {
        QTest::addColumn<QString>("control");
        QTest::addColumn<int>("key");
        QTest::newRow("home entry, Return") << "home" << int(Qt::Key_Return);
        QTest::newRow("home entry, keypad Enter") << "home" << int(Qt::Key_Enter);
        QTest::newRow("search button, Return") << "search" << int(Qt::Key_Return);
        QTest::newRow("settings' Clear, keypad Enter") << "clear" << int(Qt::Key_Enter);
    }

    void selectKeyPressesTheFocusedButton()
    {
        QFETCH(QString, control);
        QFETCH(int, key);
        ProgramRig rig;
        MainController controller(rig.options());
        controller.getMainWindow().activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(&controller.getMainWindow()));
        QPushButton* button = controller.getHomeView()->getButton(HomeView::eEntryMostViewed);
        if (control == "search") {
            controller.showSearchPage();
            button = controller.getSearchPage()->getSearchButton();
        } else if (control == "clear") {
            controller.showSettingsPage();
            SettingsViewGeneral* general = controller.getSettingsPage()->getGeneralView();
            controller.getSettingsPage()->getTabWidget()->setCurrentWidget(general);
            button = general->getSearchHistoryButton();
        }
        button->setFocus();
        QSignalSpy clicked(button, &QAbstractButton::clicked);
        QTest::keyClick(button, Qt::Key(key), key == Qt::Key_Enter ? Qt::KeypadModifier : Qt::NoModifier);
        QCOMPARE(clicked.count(), 1);
    }

    void accountIsAskedForWhenNotSignedIn_data()
    {
        QTest::addColumn<int>("entry");
        QTest::addColumn<int>("signedIn");
        QTest::addColumn<bool>("answer");
        QTest::addColumn<bool>("asked");
        QTest::newRow("upload, signed out, OK") << int(HomeView::eEntryUpload) << 0 << true << true;
        QTest::newRow("upload, signed out, Cancel") << int(HomeView::eEntryUpload) << 0 << false << true;
        QTest::newRow("statistics, signed out, OK") << int(HomeView::eEntryStatistics) << 0 << true << true;
        QTest::newRow("upload, signed in") << int(HomeView::eEntryUpload) << 1 << true << false;
        QTest::newRow("statistics, signed in") << int(HomeView::eEntryStatistics) << 1 << true << false;
    }

    void accountIsAskedForWhenNotSignedIn()
    {
        QFETCH(int, entry);
        QFETCH(int, signedIn);
        QFETCH(bool, answer);
        QFETCH(bool, asked);
        ProgramRig rig;
        MainController controller(rig.options());
        controller.getRepository().setSetting(SETTING_YOUTUBE_ACCOUNT_SIGNED_IN, signedIn);
        rig.prompt.answers << answer;
        rig.inputMethod.values[GCONF_IM_STYLUS_ENABLED] = true;

        QTest::mouseClick(controller.getHomeView()->getButton(HomeView::eHomeEntry(entry)), Qt::LeftButton);
        QCOMPARE(rig.prompt.log, asked ? QStringList({ ACCOUNT_QUESTION }) : QStringList());
        // OK leads to the settings page, which first closes the on-screen keyboard.
        QCOMPARE(!rig.inputMethod.writes.isEmpty(), asked && answer);
        // OK shows the settings page, the home view recorded to go back to; turned
        // away, the home view stays in front and nothing is recorded.
        if (asked) {
            QCOMPARE(controller.getMainWindow().currentPage(),
                     answer ? static_cast<PageBase*>(controller.getSettingsPage()) : controller.getHomeView());
            QCOMPARE(controller.getPageHistory().count(), answer ? 1 : 0);
        }
    }

    void inputMethodToggle_data()
    {
        QTest::addColumn<bool>("stylus");
        QTest::addColumn<bool>("correction");
        QTest::addColumn<bool>("readable");
        QTest::addColumn<QStringList>("writes");
        QTest::newRow("both off: nothing to close") << false << false << true << QStringList();
        QTest::newRow("both on") << true << true << true
                                 << QStringList({ "enable-stylus-im=0", "enable-stylus-im=1",
                                                  "auto_correction=0", "auto_correction=1" });
        QTest::newRow("stylus only") << true << false << true
                                     << QStringList({ "enable-stylus-im=0", "enable-stylus-im=1",
                                                      "auto_correction=0", "auto_correction=1",
                                                      "auto_correction=0" });
        QTest::newRow("correction only") << false << true << true
                                         << QStringList({ "enable-stylus-im=0", "enable-stylus-im=1",
                                                          "auto_correction=0", "auto_correction=1",
                                                          "enable-stylus-im=0" });
        // Keys that cannot be read are left alone, whatever they hold.
        QTest::newRow("store cannot be read") << true << true << false << QStringList();
    }

    void inputMethodToggle()
    {
        QFETCH(bool, stylus);
        QFETCH(bool, correction);
        QFETCH(bool, readable);
        QFETCH(QStringList, writes);
        ProgramRig rig;
        MainController controller(rig.options());
        rig.inputMethod.values[GCONF_IM_STYLUS_ENABLED] = stylus;
        rig.inputMethod.values[GCONF_IM_AUTO_CORRECTION] = correction;
        rig.inputMethod.readable = readable;

        controller.removeVirtualInputMethod();
        QCOMPARE(rig.inputMethod.writes, writes);
        // The keys end as they were.
        QCOMPARE(rig.inputMethod.values.value(GCONF_IM_STYLUS_ENABLED), stylus);
        QCOMPARE(rig.inputMethod.values.value(GCONF_IM_AUTO_CORRECTION), correction);
    }

    void controllersGoBeforeTheServiceAndTheRepository()
    {
        ProgramRig rig;
        QStringList log;
        {
            MainController controller(rig.options());
            new LateController(&controller.getMainWindow(), rig.service, &controller.getRepository(), &log);
            auto* page = new StandInPage(controller.getPageHistory(), eResultPageId);
            controller.getMainWindow().addPage(page);
            new LateController(page, rig.service, &controller.getRepository(), &log);
        }
        QCOMPARE(log, QStringList({ "service alive, repository alive", "service alive, repository alive" }));
    }

    void destructorCleansUpTheMediaFolders()
    {
        ProgramRig rig;
        QString leftover;
        {
            MainController controller(rig.options());
            leftover = controller.getRepository().getFileManager()->getVideoFolder() + QStringLiteral("old.flv");
            QFile file(leftover);
            QVERIFY(file.open(QIODevice::WriteOnly));
            file.write("x");
        }
        QVERIFY(!QFile::exists(leftover));
    }
};

QTEST_MAIN(TestMainController)
#include "tst_maincontroller.moc"
