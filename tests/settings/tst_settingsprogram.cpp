#include "browse/ResultController.h"
#include "browse/ResultPage.h"
#include "browse/SearchPage.h"
#include "core/FileManager.h"
#include "core/SettingsManager.h"
#include "core/VideoEntry.h"
#include "core/VideoListModel.h"
#include "player/MovieController.h"
#include "player/MplayerMediaPlayer.h"
#include "player/NormalScreenController.h"
#include "player/VideoViewBase.h"
#include "player/VideoWidget.h"
#include "service/ServiceTexts.h"
#include "settings/SettingsViewAccount.h"
#include "settings/SettingsViewCaptcha.h"
#include "shell/BackButton.h"
#include "shell/HomeView.h"
#include "shell/OneButtonDialog.h"
#include "shell/PageHeader.h"
#include "shell/PlatformConstants.h"
#include "tests/settings/SettingsTestSupport.h"
#include "tests/support/ProgramRig.h"
#include "widgets/VideoSweepList.h"

#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QStackedWidget>
#include <QTabBar>

#include <memory>

// The settings page inside the whole program: each option reaches the part of the
// program that reads it, and the account is signed in and out from the account view
// against the fake service.

namespace {

const QString WAIT_NOTICE = QStringLiteral("run||Verifying the account information...");
const QString ACCOUNTS = QStringLiteral("/google/accounts/ClientLogin");
// A second account whose password holds what a form must encode.
const QString FORM_USER = QStringLiteral("sara.lehto@example.com");
const QString FORM_PASSWORD = QStringLiteral("a&b=c+d%20 e#f;ä東京");

qint64 freeKilobytes = 0;
qint64 measuredFreeSpace(const QString&)
{
    return freeKilobytes;
}

struct Program : ProgramRig
{
    TestWorld world{TestWorld::FakeAccountServer};
    FakeService& fake = world.fake;
    std::unique_ptr<MainController> controller;

    // stored: texts written into the settings store once the program has started,
    // numbers announced as the settings page announces them ("" leaves the key as a
    // new store has it).
    explicit Program(bool reachable = true, const QMap<QString, QString>& stored = {})
    {
        world.account->passwords.insert(FORM_USER, FORM_PASSWORD);
        controller = std::make_unique<MainController>(options(reachable ? fake.baseUrl()
                                                                        : TestWorld::unreachableUrl()));
        for (auto it = stored.cbegin(); it != stored.cend(); ++it) {
            bool isNumber = false;
            const int number = it.value().toInt(&isNumber);
            if (isNumber)
                repository().setSetting(it.key(), number);
            else if (!it.value().isEmpty())
                repository().setSetting(it.key(), it.value());
        }
    }

    Repository& repository() { return controller->getRepository(); }
    QString stored(const QString& key)
    {
        QString value;
        repository().getSetting(key, value);
        return value;
    }
    SettingsPage* settings()
    {
        controller->showSettingsPage();
        return controller->getSettingsPage();
    }
    SettingsViewAccount* accountView() { return settings()->getAccountView(); }
    void goBack() { Q_EMIT controller->getSettingsPage()->getHeader()->getBackButton()->backButtonClicked(false); }

    // The query of the next request of the kind ("feed" or "search") that the user
    // makes from the home view or the search page.
    FakeRequest nextRequest(const QString& kind)
    {
        // What an earlier page asked for has been answered first.
        ResultController* results = controller->getResultController();
        if (!QTest::qWaitFor([results]() { return !results->isRequestPending(); }, 5000))
            return FakeRequest();
        fake.clearRequests();
        if (kind == QLatin1String("feed")) {
            controller->showHomePage();
            controller->getHomeView()->getButton(HomeView::eEntryMostViewed)->click();
        } else {
            controller->showSearchPage();
            controller->getSearchPage()->getQueryField()->setText(QStringLiteral("boats"));
            controller->getSearchPage()->startSearch();
        }
        const QString path = kind == QLatin1String("feed") ? QStringLiteral("/gdata/feeds/api/standardfeeds/")
                                                           : QStringLiteral("/gdata/feeds/api/videos");
        if (!QTest::qWaitFor([&]() { return !results->isRequestPending() && !fake.requestsTo(path).isEmpty(); }, 5000))
            return FakeRequest();
        return fake.requestsTo(path).last();
    }

    // Shows a video picked from a result list and tells what the playing side made of
    // the play options: "view" (the view it opened in), "aspect" (what the picture
    // keeps, in the video widget and on the player's command line) or "threshold"
    // (the bytes downloaded before the player opens). The video is left at once.
    QString playedWith(const QString& what)
    {
        VideoEntry entry;
        entry.setVideoId(QStringLiteral("kx9fW2qHb1s"));
        entry.setName(QStringLiteral("Boats"));
        entry.setLength(3.0f);
        controller->showResultVideo(&entry, false);
        MovieController* movie = controller->getMovieController();
        const bool fullScreen = controller->getMainWindow().currentPage() == movie->getPage();
        MovieController* shown = fullScreen ? movie : controller->getNormalScreenController();
        QString result;
        if (!shown->isActive()) {
            result = QStringLiteral("not playing");
        } else if (what == QLatin1String("view")) {
            result = fullScreen ? QStringLiteral("full screen") : QStringLiteral("information view");
        } else if (what == QLatin1String("aspect")) {
            auto* player = qobject_cast<MplayerMediaPlayer*>(controller->getPlayer());
            const bool widgetKeeps = controller->getVideoWidget().getKeepAspectRatio();
            const bool playerKeeps = player->arguments(QStringLiteral("video.flv"), 0.0)
                                         .contains(QStringLiteral("-keepaspect"));
            result = widgetKeeps != playerKeeps ? QStringLiteral("widget and player differ")
                     : widgetKeeps              ? QStringLiteral("kept")
                                                : QStringLiteral("stretched");
        } else {
            result = QString::number(shown->getStartThreshold());
        }
        controller->showHomePage();
        return result;
    }

    // Saves the first video of a feed as a stored favourite; true when it was queued.
    bool saveFirstVideo(const QString& dialogAnswer, QString* dialogTitle)
    {
        ResultController* results = controller->getResultController();
        if (!QTest::qWaitFor([&]() { return !results->isRequestPending() && results->getResultPage()->getModel()->rowCount() > 0; }, 5000))
            return false;
        ResultPage* page = results->getResultPage();
        page->getList()->selectionModel()->select(page->getModel()->index(0, 0), QItemSelectionModel::ClearAndSelect);
        QSignalSpy queued(&repository(), &Repository::downloadEntryAdded);
        DialogAnswerer answer([dialogAnswer](QWidget* dialog) {
            if (!clickDialogButton(dialog, dialogAnswer))
                dialog->close();
        });
        page->getSaveButton()->click();
        *dialogTitle = answer.title;
        return queued.count() == 1;
    }
};

} // namespace

class TestSettingsProgram : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void cleanup() { FileManager::setFreeSpaceMeasure(nullptr); }

    void optionsReachTheirReaders_data()
    {
        QTest::addColumn<QString>("key");
        QTest::addColumn<QString>("before");     // stored before the program starts; "" for the default
        QTest::addColumn<QString>("action");     // on the page; "" for none
        // "feed <query key>", "search <query key>", "completion", "video <what>" (playedWith)
        QTest::addColumn<QString>("probe");
        QTest::addColumn<QString>("expected");

        QTest::newRow("result count") << SETTING_AMOUNT_OF_RESULTS << "" << "pick 0" << "feed max-results" << "10";
        QTest::newRow("result count in searches") << SETTING_AMOUNT_OF_RESULTS << "" << "pick 4" << "search max-results"
                                                  << "50";
        QTest::newRow("time frame") << SETTING_TIME_FILTER << "" << "pick 2" << "feed time" << "this_month";
        QTest::newRow("time frame in searches") << SETTING_TIME_FILTER << "" << "pick 3" << "search time" << "all_time";
        QTest::newRow("sort order") << SETTING_DEFAULT_SORTING_ORDER << "" << "pick 2" << "search orderby" << "rating";
        QTest::newRow("adult content included") << SETTING_RESTRICTED_CONTENT << "" << "tap" << "search safeSearch"
                                                << "none";
        QTest::newRow("adult content in feeds") << SETTING_RESTRICTED_CONTENT << "" << "tap" << "feed safeSearch" << "none";
        // A damaged switch does not let adult content through.
        QTest::newRow("adult content switch damaged") << SETTING_RESTRICTED_CONTENT << "x" << "" << "search safeSearch"
                                                      << "strict";
        QTest::newRow("search suggestions off") << SETTING_SEARCH_COMPLETION_ENABLED << "" << "tap" << "completion"
                                                << "off";
        QTest::newRow("search suggestions on") << SETTING_SEARCH_COMPLETION_ENABLED << "0" << "tap" << "completion"
                                               << "on";
        // The play options, read when a video starts.
        QTest::newRow("full screen off") << SETTING_ACTIVATE_IN_FULLSCREEN << "" << "tap" << "video view"
                                         << "information view";
        QTest::newRow("aspect ratio kept") << SETTING_KEEP_ASPECT_RATIO << "" << "Return" << "video aspect" << "kept";
        // 500000 bytes are always waited for, on top of the option.
        QTest::newRow("start as soon as there is data") << SETTING_START_PLAYING << "" << "pick 1" << "video threshold"
                                                        << "500000";
    }

    void optionsReachTheirReaders()
    {
        QFETCH(QString, key);
        QFETCH(QString, before);
        QFETCH(QString, action);
        QFETCH(QString, probe);
        QFETCH(QString, expected);
        Program program(true, {{key, before}});
        // What the readers do before the change.
        const QString kind = probe.section(QLatin1Char(' '), 0, 0);
        const QString queryKey = probe.section(QLatin1Char(' '), 1);
        auto read = [&]() {
            if (kind == QLatin1String("video"))
                return program.playedWith(queryKey);
            if (kind == QLatin1String("completion"))
                return program.controller->getSearchPage()->isCompletionEnabled() ? QStringLiteral("on")
                                                                                  : QStringLiteral("off");
            return program.nextRequest(kind).queryValue(queryKey);
        };
        if (action.isEmpty()) {
            QCOMPARE(read(), expected);
            return;
        }
        const QString unchanged = read();
        QVERIFY(!unchanged.isEmpty() || kind == QLatin1String("search"));
        QVERIFY(unchanged != expected);

        changeOption(program.settings(), key, action);
        program.goBack();
        QCOMPARE(read(), expected);
    }

    void diskLimitDecidesWhetherAVideoIsStored_data()
    {
        QTest::addColumn<int>("entry");
        QTest::addColumn<bool>("stored");
        // The card has 300 MB free.
        QTest::newRow("100MB") << 0 << true;
        QTest::newRow("250MB") << 1 << true;
        QTest::newRow("500MB") << 2 << false;
        QTest::newRow("1000MB") << 3 << false;
    }

    void diskLimitDecidesWhetherAVideoIsStored()
    {
        QFETCH(int, entry);
        QFETCH(bool, stored);
        freeKilobytes = 300 * 1024;
        FileManager::setFreeSpaceMeasure(&measuredFreeSpace);
        Program program;
        program.controller->getHomeView()->getButton(HomeView::eEntryMostViewed)->click();

        // The default 500 MB does not leave room: the notice leads to the settings.
        QString title;
        QVERIFY(!program.saveFirstVideo(QStringLiteral("Settings"), &title));
        QCOMPARE(title, QStringLiteral("Video cannot be downloaded!"));
        SettingsPage* settings = program.controller->getSettingsPage();
        QCOMPARE(program.controller->getMainWindow().currentPage(), settings);
        QCOMPARE(settings->getTabWidget()->currentIndex(), 0);
        QCOMPARE(settings->window()->focusWidget(), settings->getTabWidget()->tabBar());
        // Another tab closes the on-screen keyboard.
        program.inputMethod.values[GCONF_IM_STYLUS_ENABLED] = true;
        program.inputMethod.writes.clear();

        changeOption(program.controller->getSettingsPage(), SETTING_DISK_SPACE_LIMIT, QStringLiteral("pick %1").arg(entry));
        QVERIFY(!program.inputMethod.writes.isEmpty());
        program.goBack();
        QCOMPARE(program.controller->getMainWindow().currentPage(),
                 program.controller->getResultController()->getResultPage());
        title.clear();
        QCOMPARE(program.saveFirstVideo(QString(), &title), stored);
        QCOMPARE(title.isEmpty(), stored);
    }

    void clearedHistoriesAreEmptyEverywhere()
    {
        Program program;
        SearchPage* search = program.controller->getSearchPage();
        program.nextRequest(QStringLiteral("search"));
        QCOMPARE(search->getHistory(), QStringList{QStringLiteral("boats")});
        VideoEntry video;
        video.setVideoId(QStringLiteral("kx9fW2qHb1s"));
        video.setName(QStringLiteral("Boats"));
        QCOMPARE(program.repository().addToHistory(&video), 0);

        SettingsViewGeneral* general = program.settings()->getGeneralView();
        program.prompt.log.clear();
        general->getVideoHistoryButton()->click();
        general->getSearchHistoryButton()->click();
        // Told through the program's prompt.
        QCOMPARE(program.prompt.log, QStringList({QStringLiteral("inform||The video history has been cleared"),
                                                  QStringLiteral("inform||The search history has been cleared")}));
        QVERIFY(search->getHistory().isEmpty());
        QStringList searches;
        program.repository().getSearchHistory(searches);
        QVERIFY(searches.isEmpty());
        VideoListModel viewed(&program.repository());
        program.repository().getHistory(&viewed);
        QCOMPARE(viewed.rowCount(), 0);
    }

    void signInFromTheAccountView_data()
    {
        QTest::addColumn<QString>("user");
        QTest::addColumn<QString>("password");
        QTest::addColumn<bool>("reachable");
        QTest::addColumn<QString>("title");
        QTest::addColumn<QString>("text");

        QTest::newRow("verified") << FakeAccount::USER << FakeAccount::PASSWORD << true << "Account verified!"
                                  << TEXT_ACCOUNT_SIGNED_IN();
        QTest::newRow("wrong password") << FakeAccount::USER << "wrong" << true << "Sign-in failed"
                                        << TEXT_LOGIN_BAD_AUTHENTICATION();
        QTest::newRow("form characters and letters beyond ASCII")
            << FORM_USER << FORM_PASSWORD << true << "Account verified!" << TEXT_ACCOUNT_SIGNED_IN();
        QTest::newRow("blanks") << " " << " " << true << "Sign-in failed"
                                << TEXT_LOGIN_BAD_AUTHENTICATION();
        QTest::newRow("very long") << QString(3000, QChar(0x00e4)) + QStringLiteral("@example.com")
                                   << QString(32767, QLatin1Char('&')) << true << "Sign-in failed"
                                   << TEXT_LOGIN_BAD_AUTHENTICATION();
        QTest::newRow("no network") << FakeAccount::USER << FakeAccount::PASSWORD << false
                                    << "Sign-in failed" << TEXT_LOGIN_UNREACHABLE();
    }

    void signInFromTheAccountView()
    {
        QFETCH(QString, user);
        QFETCH(QString, password);
        QFETCH(bool, reachable);
        QFETCH(QString, title);
        QFETCH(QString, text);
        const bool verified = title == QLatin1String("Account verified!");
        TraceCollector traces;
        Program program(reachable);
        SettingsViewAccount* view = program.accountView();
        view->getUserNameEdit()->setText(user);
        view->getPasswordEdit()->setText(password);
        view->getSignButton()->click();

        QCOMPARE(program.prompt.log, QStringList({WAIT_NOTICE, QStringLiteral("show|%1|%2").arg(title, text)}));
        if (reachable) {
            // Sent as typed, every character encoded.
            const QMap<QString, QString> form =
                FakeAccount::parseForm(program.fake.requestsTo(ACCOUNTS).last().body);
            QCOMPARE(form.value(QStringLiteral("Email")), user);
            QCOMPARE(form.value(QStringLiteral("Passwd")), password);
        }
        // Signed in once the user has closed the notice.
        QVERIFY(!view->isSignedIn());
        QTest::mouseClick(qobject_cast<OneButtonDialog*>(program.prompt.shown.last().data())->getButton(),
                          Qt::LeftButton);
        QCOMPARE(view->isSignedIn(), verified);
        QCOMPARE(program.stored(SETTING_YOUTUBE_ACCOUNT_SIGNED_IN), QString::number(verified ? 1 : 0));
        QCOMPARE(view->getSignButton()->text(), verified ? QStringLiteral("Sign out") : QStringLiteral("Sign in"));
        QVERIFY(view->getSignButton()->isEnabled());
        QCOMPARE(view->getUserNameEdit()->isEnabled(), !verified);
        QCOMPARE(view->getUserNameEdit()->text(), user);
        if (!verified) {
            // A refused sign-in is tried again at once, with the fields as they are.
            const QString outcome = program.prompt.log.last();
            view->getSignButton()->click();
            QCOMPARE(program.prompt.log.mid(2), QStringList({WAIT_NOTICE, outcome}));
        }

        // The secrets stay in the store, which only its owner may read.
        const QStringList lines = traces.lines();
        QVERIFY(!lines.isEmpty());
        const QString token = FakeAccount::TOKEN;
        for (const QString& line : lines + program.prompt.log) {
            QVERIFY2(!line.contains(token), qPrintable(line));
            QVERIFY2(password.size() < 8 || !line.contains(password), qPrintable(line));
        }
        const QFile::Permissions others = QFile::ReadGroup | QFile::WriteGroup | QFile::ReadOther | QFile::WriteOther;
        QCOMPARE(QFile::permissions(program.repository().getSettingsManager()->fileName()) & others,
                 QFile::Permissions());
    }

    void cancelledSignInLeavesTheViewWaiting()
    {
        Program program;
        FakeResponse slow = FakeResponse::document("Auth=" + FakeAccount::TOKEN.toLatin1() + "\n", "text/plain");
        slow.delayMs = 400;
        program.fake.addRoute("POST", ACCOUNTS, slow);
        FakeService& fake = program.fake;
        program.prompt.duringDialog = [&fake](QDialog* dialog) {
            if (!QTest::qWaitFor([&fake]() { return fake.requestsTo(ACCOUNTS).count() == 1; }, 5000))
                qWarning("the sign-in did not reach the service");
            QTest::mouseClick(static_cast<OneButtonDialog*>(dialog)->getButton(), Qt::LeftButton);
        };
        SettingsViewAccount* view = program.accountView();
        view->getUserNameEdit()->setText(FakeAccount::USER);
        view->getPasswordEdit()->setText(FakeAccount::PASSWORD);
        view->getSignButton()->click();
        QTRY_VERIFY(requestsSettled(&program.controller->getMainWindow()));
        QCOMPARE(program.prompt.log, QStringList{WAIT_NOTICE});
        QVERIFY(!view->isSignedIn());
        QCOMPARE(view->getSignButton()->text(), QStringLiteral("Sign in"));
        QVERIFY(view->getSignButton()->isEnabled());
    }

    void captchaRoundFromTheAccountView()
    {
        Program program;
        SettingsPage* page = program.settings();
        SettingsViewAccount* view = page->getAccountView();
        SettingsViewCaptcha* captcha = page->getCaptchaView();
        view->getUserNameEdit()->setText(FakeAccount::CAPTCHA_USER);
        view->getPasswordEdit()->setText(FakeAccount::CAPTCHA_PASSWORD);
        view->getSignButton()->click();
        QCOMPARE(program.prompt.log, QStringList{WAIT_NOTICE});
        QCOMPARE(page->getAccountStack()->currentWidget(), captcha);
        QVERIFY(!captcha->getPictureLabel()->pixmap().isNull());

        // Left and shown again, the challenge waits for its answer.
        program.goBack();
        program.settings();
        QCOMPARE(page->getAccountStack()->currentWidget(), captcha);

        // A wrong answer brings the next challenge, shown in the view again; the right
        // one signs in.
        for (const QString& answer : {QStringLiteral("wrong"), FakeAccount::CAPTCHA_ANSWER}) {
            captcha->getAnswerField()->setText(answer);
            QTest::keyClick(captcha->getAnswerField(), Qt::Key_Return);
            const QMap<QString, QString> form = FakeAccount::parseForm(program.fake.requestsTo(ACCOUNTS).last().body);
            QCOMPARE(form.value(QStringLiteral("logintoken")), FakeAccount::CAPTCHA_TOKEN);
            QCOMPARE(form.value(QStringLiteral("logincaptcha")), answer);
            const bool right = answer == FakeAccount::CAPTCHA_ANSWER;
            QCOMPARE(page->getAccountStack()->currentWidget(), right ? static_cast<QWidget*>(view) : captcha);
            QVERIFY(right || !captcha->getPictureLabel()->pixmap().isNull());
        }
        QCOMPARE(program.prompt.log, QStringList({WAIT_NOTICE, WAIT_NOTICE, WAIT_NOTICE,
                                                  QStringLiteral("show|Account verified!|") + TEXT_ACCOUNT_SIGNED_IN()}));
        QTest::mouseClick(qobject_cast<OneButtonDialog*>(program.prompt.shown.last().data())->getButton(),
                          Qt::LeftButton);
        QVERIFY(view->isSignedIn());

        // Signing out asks nothing of the service.
        const int logins = program.fake.requestsTo(ACCOUNTS).count();
        view->getSignButton()->click();
        QVERIFY(!view->isSignedIn());
        QCOMPARE(program.fake.requestsTo(ACCOUNTS).count(), logins);
        QCOMPARE(program.stored(SETTING_YOUTUBE_USERNAME), QString());
        QCOMPARE(program.stored(SETTING_YOUTUBE_PASSWORD), QString());
        QCOMPARE(program.stored(SETTING_YOUTUBE_AUTHENTICATION_TOKEN), QString());
    }
};

QTEST_MAIN(TestSettingsProgram)
#include "tst_settingsprogram.moc"
