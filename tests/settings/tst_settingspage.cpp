#include "core/VideoListModel.h"
#include "core/constants/Settings.h"
#include "service/account/PostManager.h"
#include "settings/SettingsPage.h"
#include "settings/SettingsViewAccount.h"
#include "settings/SettingsViewCaptcha.h"
#include "settings/SettingsViewGeneral.h"
#include "settings/SettingsViewPlay.h"
#include "settings/SettingsViewResult.h"
#include "shell/BackButton.h"
#include "shell/BrowserLauncher.h"
#include "shell/PageHeader.h"
#include "tests/settings/SettingsTestSupport.h"
#include "tests/support/TestSupport.h"
#include "widgets/SelectionBox.h"

#include <QCheckBox>
#include <QDBusConnection>
#include <QDesktopServices>
#include <QLabel>
#include <QLineEdit>
#include <QPainter>
#include <QPushButton>
#include <QStackedWidget>
#include <QTabBar>
#include <QTabWidget>

// The settings page and its views on a repository of their own: what a stored (or
// hand-edited) value shows, what the user's changes store, the keys, the history
// clearing, the captcha view, the account view's states and its link.

namespace {

// The options of a new store once a page was built on it: the completion's 1 is
// stored again as the check box's state.
const QMap<QString, QString> OPTIONS_AFTER_BUILD = {
    {SETTING_ACTIVATE_IN_FULLSCREEN, "2"}, {SETTING_KEEP_ASPECT_RATIO, "0"},
    {SETTING_START_PLAYING, "300000"},     {SETTING_DISK_SPACE_LIMIT, "500"},
    {SETTING_RESTRICTED_CONTENT, "2"},     {SETTING_AMOUNT_OF_RESULTS, "30"},
    {SETTING_TIME_FILTER, "Today"},        {SETTING_DEFAULT_SORTING_ORDER, "0"},
    {SETTING_SEARCH_COMPLETION_ENABLED, "2"}};

struct PageRig
{
    TestWorld world;
    Repository* repository = world.repository.get();
    SettingsPage* page = nullptr;
    // What the rest of the program was told while the page was built.
    QMap<QString, int> announcedWhileBuilt;

    // stored: raw texts written into the settings store before the page is built.
    explicit PageRig(const QMap<QString, QString>& stored = {})
    {
        for (auto it = stored.cbegin(); it != stored.cend(); ++it)
            repository->setSetting(it.key(), it.value());
        QObject::connect(repository, &Repository::settingChanged, &world.window(),
                         [this](const QString& key, int value) {
                             if (!page)
                                 announcedWhileBuilt.insert(key, value);
                         });
        page = new SettingsPage(&world.window(), repository, &world.history);
        page->setGeometry(world.window().rect());
        CategoryMap orders;
        orders.insert(QString(), QStringLiteral("Relevance"));
        orders.insert(QStringLiteral("viewCount"), QStringLiteral("View count"));
        orders.insert(QStringLiteral("published"), QStringLiteral("Date added"));
        orders.insert(QStringLiteral("rating"), QStringLiteral("Rating"));
        page->setSortingOrders(orders);
        world.window().activateWindow();
        if (!world.show() || !QTest::qWaitForWindowActive(&world.window()))
            qWarning("window not active");
    }

    QString stored(const QString& key) const { return world.setting(key); }
    QMap<QString, QString> options() const
    {
        QMap<QString, QString> values;
        for (const QString& key : OPTIONS_AFTER_BUILD.keys())
            values.insert(key, stored(key));
        return values;
    }

    QString shown(const QString& key) const { return shownOption(page, key); }
};

// The device's browser service on a connection of its own to the session bus.
class BrowserStandIn : public QObject
{
    Q_OBJECT
    Q_CLASSINFO("D-Bus Interface", "com.nokia.osso_browser")
public:
    QStringList opened;
public Q_SLOTS:
    void open_new_window(const QString& address) { opened << address; }
};

// The desktop's browser as the desktop services reach it.
class DesktopBrowser : public QObject
{
    Q_OBJECT
public:
    QList<QUrl> opened;
public Q_SLOTS:
    void openUrl(const QUrl& url) { opened << url; }
};

} // namespace

class TestSettingsPage : public QObject
{
    Q_OBJECT
private:
    // The session bus of the whole test, where the device's browser service may stand.
    PrivateSessionBus myBus;
    bool myBusUp = false;
    QByteArray myOldBusAddress;

private Q_SLOTS:
    void initTestCase()
    {
        myBusUp = myBus.start();
        myOldBusAddress = qgetenv("DBUS_SESSION_BUS_ADDRESS");
        if (myBusUp)
            qputenv("DBUS_SESSION_BUS_ADDRESS", myBus.address().toLocal8Bit());
    }

    void cleanupTestCase()
    {
        myBus.stop();
        qputenv("DBUS_SESSION_BUS_ADDRESS", myOldBusAddress);
    }

    void storedValuesAreShownAndNotSpread_data()
    {
        QTest::addColumn<QString>("key");
        QTest::addColumn<QString>("stored");
        QTest::addColumn<QString>("shown");
        QTest::addColumn<QString>("storedAfter");
        // A control that changes while it is set from the store reports it like the
        // user's change: stored and announced (settingChanged) once.
        QTest::addColumn<bool>("announced");

        QTest::newRow("full screen on") << SETTING_ACTIVATE_IN_FULLSCREEN << "2" << "ticked" << "2" << true;
        QTest::newRow("full screen off") << SETTING_ACTIVATE_IN_FULLSCREEN << "0" << "unticked" << "0" << false;
        QTest::newRow("full screen, not a number")
            << SETTING_ACTIVATE_IN_FULLSCREEN << "yes" << "unticked" << "yes" << false;
        // Any value but 0 ticks the box, which stores its own state.
        QTest::newRow("full screen -1") << SETTING_ACTIVATE_IN_FULLSCREEN << "-1" << "ticked" << "2" << true;
        QTest::newRow("aspect ratio 1") << SETTING_KEEP_ASPECT_RATIO << "1" << "ticked" << "2" << true;
        // A box's entry set from the store is not reported.
        QTest::newRow("start at once")
            << SETTING_START_PLAYING << "0" << "as soon as there's some data" << "0" << false;
        QTest::newRow("start, another number")
            << SETTING_START_PLAYING << "123456" << "when there is enough buffer" << "123456" << false;
        QTest::newRow("disk 250") << SETTING_DISK_SPACE_LIMIT << "250" << "250MB" << "250" << false;
        QTest::newRow("disk, not offered") << SETTING_DISK_SPACE_LIMIT << "0" << "500MB" << "0" << false;
        QTest::newRow("disk, not a number") << SETTING_DISK_SPACE_LIMIT << "lots" << "500MB" << "lots" << false;
        QTest::newRow("completion 1") << SETTING_SEARCH_COMPLETION_ENABLED << "1" << "ticked" << "2" << true;
        QTest::newRow("completion 0") << SETTING_SEARCH_COMPLETION_ENABLED << "0" << "unticked" << "0" << false;
        QTest::newRow("completion -4") << SETTING_SEARCH_COMPLETION_ENABLED << "-4" << "unticked" << "-4" << false;
        QTest::newRow("adult content restricted")
            << SETTING_RESTRICTED_CONTENT << "2" << "unticked" << "2" << false;
        QTest::newRow("adult content included") << SETTING_RESTRICTED_CONTENT << "0" << "ticked" << "0" << true;
        // A damaged switch does not let adult content through.
        QTest::newRow("adult content, not a number")
            << SETTING_RESTRICTED_CONTENT << "x" << "unticked" << "x" << false;
        QTest::newRow("results 40") << SETTING_AMOUNT_OF_RESULTS << "40" << "40" << "40" << false;
        QTest::newRow("results, not offered") << SETTING_AMOUNT_OF_RESULTS << "25" << "30" << "25" << false;
        QTest::newRow("results, not a number") << SETTING_AMOUNT_OF_RESULTS << "many" << "30" << "many" << false;
        QTest::newRow("time frame") << SETTING_TIME_FILTER << "This month" << "This month" << "This month" << false;
        QTest::newRow("time frame, unknown") << SETTING_TIME_FILTER << "Yesterday" << "Today" << "Yesterday" << false;
        QTest::newRow("time frame, empty") << SETTING_TIME_FILTER << "" << "Today" << "" << false;
        // Labels in the order of their keys: "", published, rating, viewCount.
        QTest::newRow("sort order 2") << SETTING_DEFAULT_SORTING_ORDER << "2" << "Rating" << "2" << false;
        QTest::newRow("sort order, beyond the list")
            << SETTING_DEFAULT_SORTING_ORDER << "9" << "Relevance" << "9" << false;
        QTest::newRow("sort order -1") << SETTING_DEFAULT_SORTING_ORDER << "-1" << "Relevance" << "-1" << false;
    }

    void storedValuesAreShownAndNotSpread()
    {
        QFETCH(QString, key);
        QFETCH(QString, stored);
        QFETCH(QString, shown);
        QFETCH(QString, storedAfter);
        QFETCH(bool, announced);
        PageRig rig({{key, stored}});
        QCOMPARE(rig.shown(key), shown);
        // The other options are left as they were.
        QMap<QString, QString> expected = OPTIONS_AFTER_BUILD;
        expected.insert(key, storedAfter);
        QCOMPARE(rig.options(), expected);
        // A new store's full-screen and completion boxes are ticked as they are built.
        QMap<QString, int> expectedAnnounced = {{SETTING_ACTIVATE_IN_FULLSCREEN, 2},
                                                {SETTING_SEARCH_COMPLETION_ENABLED, 2}};
        expectedAnnounced.remove(key);
        if (announced)
            expectedAnnounced.insert(key, storedAfter.toInt());
        QCOMPARE(rig.announcedWhileBuilt, expectedAnnounced);
    }

    void userChangesAreStored_data()
    {
        QTest::addColumn<QString>("key");
        QTest::addColumn<QString>("before");   // stored before the page is built; "" for the default
        QTest::addColumn<QString>("action");
        QTest::addColumn<QString>("after");
        QTest::addColumn<bool>("announced");  // settingChanged(key, after) came

        QTest::newRow("disk picked") << SETTING_DISK_SPACE_LIMIT << "" << "pick 3" << "1000" << true;
        QTest::newRow("disk list closed without a pick")
            << SETTING_DISK_SPACE_LIMIT << "lots" << "close" << "500" << true;
        QTest::newRow("disk Right") << SETTING_DISK_SPACE_LIMIT << "" << "Right" << "1000" << true;
        QTest::newRow("disk Left on the first entry") << SETTING_DISK_SPACE_LIMIT << "100" << "Left" << "100" << false;
        QTest::newRow("disk Down moves on") << SETTING_DISK_SPACE_LIMIT << "" << "Down" << "500" << false;
        QTest::newRow("start picked") << SETTING_START_PLAYING << "" << "pick 1" << "0" << true;
        QTest::newRow("start Right on the last entry") << SETTING_START_PLAYING << "0" << "Right" << "0" << false;
        QTest::newRow("start 123456 closed") << SETTING_START_PLAYING << "123456" << "close" << "300000" << true;
        QTest::newRow("results picked") << SETTING_AMOUNT_OF_RESULTS << "" << "pick 4" << "50" << true;
        QTest::newRow("results 25 closed") << SETTING_AMOUNT_OF_RESULTS << "25" << "close" << "30" << true;
        // The time frame is stored as its text and read when it is needed.
        QTest::newRow("time picked") << SETTING_TIME_FILTER << "" << "pick 2" << "This month" << false;
        QTest::newRow("time Left") << SETTING_TIME_FILTER << "This week" << "Left" << "Today" << false;
        QTest::newRow("sort picked") << SETTING_DEFAULT_SORTING_ORDER << "" << "pick 3" << "3" << true;
        QTest::newRow("adult content ticked") << SETTING_RESTRICTED_CONTENT << "" << "tap" << "0" << true;
        QTest::newRow("adult content unticked") << SETTING_RESTRICTED_CONTENT << "0" << "tap" << "1" << true;
        QTest::newRow("adult content Return") << SETTING_RESTRICTED_CONTENT << "" << "Return" << "0" << true;
        QTest::newRow("completion unticked") << SETTING_SEARCH_COMPLETION_ENABLED << "" << "tap" << "0" << true;
        QTest::newRow("completion ticked") << SETTING_SEARCH_COMPLETION_ENABLED << "0" << "tap" << "2" << true;
        QTest::newRow("full screen Return") << SETTING_ACTIVATE_IN_FULLSCREEN << "" << "Return" << "0" << true;
        QTest::newRow("aspect ratio Return") << SETTING_KEEP_ASPECT_RATIO << "" << "Return" << "2" << true;
        QTest::newRow("aspect ratio Up moves on") << SETTING_KEEP_ASPECT_RATIO << "" << "Up" << "0" << false;
    }

    void userChangesAreStored()
    {
        QFETCH(QString, key);
        QFETCH(QString, before);
        QFETCH(QString, action);
        QFETCH(QString, after);
        QFETCH(bool, announced);
        PageRig rig(before.isEmpty() ? QMap<QString, QString>() : QMap<QString, QString>{{key, before}});
        QSignalSpy changes(rig.repository, &Repository::settingChanged);
        SelectionBox* box = optionBox(rig.page, key);
        QWidget* control = box ? static_cast<QWidget*>(box) : optionCheckBox(rig.page, key);
        rig.page->getTabWidget()->setCurrentWidget(control->parentWidget());
        QApplication::processEvents();
        const int width = control->width();

        changeOption(rig.page, key, action);
        QCOMPARE(rig.stored(key), after);
        // A box keeps its width whatever it shows, and shows it whole.
        QApplication::processEvents();
        QCOMPARE(control->width(), width);
        if (QLabel* shown = box ? box->findChild<QLabel*>() : nullptr)
            QVERIFY(shown->fontMetrics().horizontalAdvance(shown->text()) <= shown->contentsRect().width());
        QList<QVariantList> expected;
        if (announced)
            expected << QVariantList{key, after.toInt()};
        QCOMPARE(QList<QVariantList>(changes.cbegin(), changes.cend()), expected);
        // Up and Down move the focus on and change nothing.
        if (action == QLatin1String("Up") || action == QLatin1String("Down"))
            QVERIFY(!control->hasFocus());
    }

    void pageKeys_data()
    {
        QTest::addColumn<int>("tab");
        QTest::addColumn<int>("key");
        QTest::addColumn<int>("tabAfter");
        QTest::addColumn<int>("focusDirection");   // what focusTabWidget carried, -1 none

        QTest::newRow("Right") << 0 << int(Qt::Key_Right) << 1 << -1;
        QTest::newRow("Right on the last tab") << 3 << int(Qt::Key_Right) << 3 << -1;
        QTest::newRow("Left") << 2 << int(Qt::Key_Left) << 1 << -1;
        QTest::newRow("Left on the first tab") << 0 << int(Qt::Key_Left) << 0 << -1;
        QTest::newRow("Up on the account tab") << 0 << int(Qt::Key_Up) << 0 << 0;
        QTest::newRow("Down on the play tab") << 1 << int(Qt::Key_Down) << 1 << 1;
        QTest::newRow("Up on the results tab") << 2 << int(Qt::Key_Up) << 2 << 0;
        QTest::newRow("Down on the general tab") << 3 << int(Qt::Key_Down) << 3 << 1;
    }

    void pageKeys()
    {
        QFETCH(int, tab);
        QFETCH(int, key);
        QFETCH(int, tabAfter);
        QFETCH(int, focusDirection);
        PageRig rig;
        rig.page->getTabWidget()->setCurrentIndex(tab);
        QSignalSpy focus(rig.page, &SettingsPage::focusTabWidget);
        QTest::keyClick(rig.page, Qt::Key(key));
        QCOMPARE(rig.page->getTabWidget()->currentIndex(), tabAfter);
        QCOMPARE(focus.count(), focusDirection < 0 ? 0 : 1);
        if (focusDirection >= 0)
            QCOMPARE(focus.first().first().toInt(), focusDirection);
    }

    void backButtonGoesBackOnePage_data()
    {
        QTest::addColumn<bool>("longPress");
        QTest::newRow("press") << false;
        QTest::newRow("held down") << true;
    }

    void backButtonGoesBackOnePage()
    {
        QFETCH(bool, longPress);
        PageRig rig;
        QSignalSpy back(&rig.world.history, &PageHistory::historyBackClicked);
        Q_EMIT rig.page->getHeader()->getBackButton()->backButtonClicked(longPress);
        QCOMPARE(back.count(), 1);
        QCOMPARE(back.first().first().toBool(), false);
        // Never in the history itself.
        rig.page->addToPageHistory();
        QCOMPARE(rig.world.history.count(), 0);
    }

    void clearingAHistory_data()
    {
        QTest::addColumn<bool>("search");
        QTest::addColumn<bool>("refused");
        QTest::addColumn<QString>("notice");
        QTest::newRow("video history") << false << false << "The video history has been cleared";
        QTest::newRow("search history") << true << false << "The search history has been cleared";
        // A locked or damaged store that refuses the deletion: told, and nothing emptied.
        QTest::newRow("video history refused") << false << true << "The video history could not be cleared";
        QTest::newRow("search history refused") << true << true << "The search history could not be cleared";
    }

    void clearingAHistory()
    {
        QFETCH(bool, search);
        QFETCH(bool, refused);
        QFETCH(QString, notice);
        PageRig rig;
        SettingsViewGeneral* view = rig.page->getGeneralView();
        QSignalSpy listEmptied(rig.page, &SettingsPage::clearSearchHistoryModel);
        QPushButton* button = search ? view->getSearchHistoryButton() : view->getVideoHistoryButton();
        RawDatabase raw(rig.repository->databaseFileName());
        const QString table = search ? "search_history" : "video_history";
        if (refused)
            QVERIFY(raw.exec("create trigger keep before delete on " + table
                             + " begin select raise(abort, 'io'); end"));
        for (int round = 1; round <= 2; ++round) {
            // The other history stays.
            rig.repository->addSearchHistory(QStringLiteral("boats"));
            VideoEntry video;
            video.setVideoId(QStringLiteral("v0000000001"));
            video.setName(QStringLiteral("Boats"));
            QCOMPARE(rig.repository->addToHistory(&video), 0);

            DialogAnswerer reader(false);
            button->click();
            QVERIFY(reader.answered());
            QCOMPARE(reader.text, notice);
            QStringList searches;
            rig.repository->getSearchHistory(searches);
            QCOMPARE(searches.isEmpty(), search && !refused);
            VideoListModel viewed(rig.repository);
            rig.repository->getHistory(&viewed);
            QCOMPARE(viewed.rowCount() == 0, !search && !refused);
            QCOMPARE(listEmptied.count(), search && !refused ? round : 0);
            if (search)
                rig.repository->deleteAllHistoryEntries();
            else
                rig.repository->clearSearchHistory();
        }
    }

    void captchaView_data()
    {
        QTest::addColumn<QString>("answer");
        QTest::addColumn<bool>("withReturn");
        QTest::newRow("OK") << "kr3lv0x" << false;
        QTest::newRow("Return") << "kr3lv0x" << true;
        QTest::newRow("empty answer") << "" << false;
        QTest::newRow("blanks and letters beyond ASCII") << " äö ß " << true;
    }

    void captchaView()
    {
        QFETCH(QString, answer);
        QFETCH(bool, withReturn);
        PageRig rig;
        SettingsViewCaptcha* captcha = rig.page->getCaptchaView();
        QSignalSpy verify(rig.page, &SettingsPage::verifyCaptcha);
        rig.repository->setSetting(SETTING_YOUTUBE_CAPTCHA_URL, QStringLiteral("Captcha?ctoken=Hk3rQz7"));
        QImage picture(200, 70, QImage::Format_RGB32);
        picture.fill(Qt::yellow);
        QVERIFY(picture.save(PostManager::captchaImageFile(*rig.repository), "PNG"));

        rig.page->getTabWidget()->setCurrentIndex(2);
        rig.page->showCaptchaView();
        QCOMPARE(rig.page->getTabWidget()->currentIndex(), 2);
        QCOMPARE(rig.page->getAccountStack()->currentWidget(), captcha);
        QCOMPARE(captcha->getPictureLabel()->pixmap().size(), QSize(200, 70));

        for (int round = 1; round <= 2; ++round) {
            captcha->getAnswerField()->setText(answer);
            if (withReturn)
                QTest::keyClick(captcha->getAnswerField(), Qt::Key_Return);
            else
                captcha->getConfirmButton()->click();
            QCOMPARE(verify.count(), round);
            QCOMPARE(rig.stored(SETTING_YOUTUBE_CAPTCHA_ANSWER), answer);
            QCOMPARE(rig.page->getAccountStack()->currentWidget(), rig.page->getAccountView());
            // A further challenge shows the view again, the answer still there; its
            // picture may be gone meanwhile.
            QVERIFY(QFile::remove(PostManager::captchaImageFile(*rig.repository)));
            rig.page->showCaptchaView();
            QCOMPARE(rig.page->getAccountStack()->currentWidget(), captcha);
            QCOMPARE(captcha->getAnswerField()->text(), answer);
            QVERIFY(captcha->getPictureLabel()->pixmap().isNull());
            QVERIFY(picture.save(PostManager::captchaImageFile(*rig.repository), "PNG"));
        }
    }

    void accountViewStates()
    {
        // A sign-in asked for by an earlier run and never answered leaves nothing.
        PageRig rig({{SETTING_YOUTUBE_ACCOUNT_SIGNED_IN, "0"},
                     {SETTING_YOUTUBE_USERNAME, "aino"},
                     {SETTING_YOUTUBE_PASSWORD, "salainen"},
                     {SETTING_YOUTUBE_AUTHENTICATION_TOKEN, "DQAAAN4"}});
        for (const QString& key : {SETTING_YOUTUBE_USERNAME, SETTING_YOUTUBE_PASSWORD,
                                   SETTING_YOUTUBE_AUTHENTICATION_TOKEN})
            QCOMPARE(rig.stored(key), QString());
        SettingsViewAccount* view = rig.page->getAccountView();
        QLineEdit* user = view->getUserNameEdit();
        QLineEdit* password = view->getPasswordEdit();
        QPushButton* sign = view->getSignButton();
        QSignalSpy authenticate(rig.page, &SettingsPage::authenticate);
        QCOMPARE(password->echoMode(), QLineEdit::Password);

        // Any character makes a field filled, a blank too; Return does nothing
        // while the button is disabled, and Up and Down never reach a field.
        const QList<QPair<QString, QString>> fields = {{"", "x"}, {"x", ""}, {" ", " "}, {"ä", "ö"}};
        for (const auto& [userText, passwordText] : fields) {
            user->setText(userText);
            password->setText(passwordText);
            QCOMPARE(sign->isEnabled(), !userText.isEmpty() && !passwordText.isEmpty());
        }
        user->clear();
        password->setFocus();
        QTest::keyClick(password, Qt::Key_Return);
        QTest::keyClick(password, Qt::Key_Up);
        QVERIFY(!password->hasFocus());
        QCOMPARE(authenticate.count(), 0);

        // A sign-in: both fields stored as typed.
        user->setText(QStringLiteral("aino"));
        password->setText(QStringLiteral("revontulet"));
        password->setFocus();
        QTest::keyClick(password, Qt::Key_Enter);
        QCOMPARE(authenticate.count(), 1);
        QCOMPARE(rig.stored(SETTING_YOUTUBE_USERNAME), QStringLiteral("aino"));
        QCOMPARE(rig.stored(SETTING_YOUTUBE_PASSWORD), QStringLiteral("revontulet"));

        // Refused: the fields keep the text, and the button is ready for another try.
        rig.page->accountNotVerified();
        QVERIFY(sign->isEnabled());
        QCOMPARE(user->text(), QStringLiteral("aino"));
        QCOMPARE(rig.stored(SETTING_YOUTUBE_PASSWORD), QString());
        password->setText(QStringLiteral("revontulet!"));
        QVERIFY(sign->isEnabled());

        // Verified.
        sign->click();
        QSignalSpy changes(rig.repository, &Repository::settingChanged);
        rig.page->accountVerified();
        QVERIFY(view->isSignedIn());
        QCOMPARE(sign->text(), QStringLiteral("Sign out"));
        QVERIFY(sign->isEnabled() && !user->isEnabled() && !password->isEnabled());

        // Signed out locally: nothing is asked of the service.
        sign->click();
        QCOMPARE(authenticate.count(), 2);
        QVERIFY(!view->isSignedIn());
        QCOMPARE(rig.stored(SETTING_YOUTUBE_USERNAME), QString());
        QCOMPARE(rig.stored(SETTING_YOUTUBE_PASSWORD), QString());
        QCOMPARE(user->text(), QString());
        QCOMPARE(sign->text(), QStringLiteral("Sign in"));
        QVERIFY(!sign->isEnabled() && user->isEnabled() && password->isEnabled());
        QCOMPARE(changes.count(), 2);
        QCOMPARE(changes.last(), QVariantList({SETTING_YOUTUBE_ACCOUNT_SIGNED_IN, 0}));

        // Built again while signed in, it shows the stored account.
        rig.repository->setSetting(SETTING_YOUTUBE_USERNAME, QStringLiteral("aino"));
        rig.repository->setSetting(SETTING_YOUTUBE_ACCOUNT_SIGNED_IN, 1);
        SettingsViewAccount again(rig.repository, nullptr);
        QCOMPARE(again.getUserNameEdit()->text(), QStringLiteral("aino"));
        QVERIFY(!again.getUserNameEdit()->isEnabled());
        QCOMPARE(again.getSignButton()->text(), QStringLiteral("Sign out"));
    }

    void siteLink_data()
    {
        QTest::addColumn<bool>("deviceBrowser");
        QTest::addColumn<bool>("desktopBrowser");
        QTest::newRow("the device's browser") << true << false;
        QTest::newRow("the desktop's browser") << false << true;
        QTest::newRow("no browser") << false << false;
    }

    void siteLink()
    {
        QFETCH(bool, deviceBrowser);
        QFETCH(bool, desktopBrowser);
        if (!myBusUp)
            QSKIP(qPrintable(myBus.why()));
        PageRig rig;
        SettingsViewAccount* view = rig.page->getAccountView();
        const QUrl site = view->getSiteUrl();
        QVERIFY(site.isValid());

        QDBusConnection serviceSide = myBus.connect(QStringLiteral("browser-stand-in"));
        BrowserStandIn device;
        if (deviceBrowser) {
            QVERIFY(serviceSide.registerObject("/com/nokia/osso_browser/request", &device,
                                               QDBusConnection::ExportAllSlots));
            QVERIFY(serviceSide.registerService("com.nokia.osso_browser"));
        }
        DesktopBrowser desktop;
        // A handler without the method makes the desktop services fail.
        QDesktopServices::setUrlHandler(site.scheme(), &desktop, desktopBrowser ? "openUrl" : "noSuchMethod");

        // Each press opens the site once more, or says why it could not.
        QSignalSpy opened(view->getBrowserLauncher(), &BrowserLauncher::urlOpened);
        for (int press = 1; press <= 2; ++press) {
            DialogAnswerer notice(false);
            view->getLinkButton()->click();
            if (deviceBrowser || desktopBrowser) {
                QTRY_COMPARE(opened.count(), press);
            } else {
                QTRY_VERIFY(notice.answered());
                QVERIFY(notice.text.contains(site.toString()));
            }
        }
        QCOMPARE(device.opened, deviceBrowser ? QStringList(2, site.toString()) : QStringList());
        QCOMPARE(desktop.opened, desktopBrowser ? QList<QUrl>(2, site) : QList<QUrl>());
        QDesktopServices::unsetUrlHandler(site.scheme());
        serviceSide.unregisterService("com.nokia.osso_browser");
        QDBusConnection::disconnectFromBus(QStringLiteral("browser-stand-in"));
    }

    // On the 800 x 480 screen every control of each tab lies wholly on the page, and
    // the page asks for no more room than the screen has (a taller page grows the
    // window under every other page too). The tabs share the row equally, whichever
    // is current (a bold title moves no border).
    void everyTabFitsTheScreen_data()
    {
        QTest::addColumn<int>("tab");
        QTest::newRow("account") << 0;
        QTest::newRow("play options") << 1;
        QTest::newRow("search results") << 2;
        QTest::newRow("general options") << 3;
    }

    void everyTabFitsTheScreen()
    {
        QFETCH(int, tab);
        PageRig rig;
        rig.page->getTabWidget()->setCurrentIndex(tab);
        QWidget* view = rig.page->getTabWidget()->currentWidget();
        QVERIFY(view->isVisible());
        QCOMPARE(rig.page->height(), 480);
        QVERIFY2(rig.page->minimumSizeHint().height() <= 480,
                 qPrintable(QString::number(rig.page->minimumSizeHint().height())));
        QTabBar* bar = rig.page->getTabWidget()->tabBar();
        const int share = rig.page->width() / bar->count();
        for (int other = 0; other < bar->count(); ++other) {
            const QRect place = bar->tabRect(other);
            QVERIFY(qAbs(place.left() - other * share) <= 2 && qAbs(place.width() - share) <= 2);
        }
        for (QWidget* control : view->findChildren<QWidget*>()) {
            if (!control->isVisible())
                continue;
            const QRect onPage(control->mapTo(rig.page, QPoint(0, 0)), control->size());
            QVERIFY2(rig.page->rect().contains(onPage),
                     qPrintable(QStringLiteral("%1 at %2,%3 %4x%5")
                                    .arg(QString::fromLatin1(control->metaObject()->className()))
                                    .arg(onPage.x()).arg(onPage.y()).arg(onPage.width()).arg(onPage.height())));
        }
    }

    void screenshots()
    {
        PageRig rig;
        const QStringList names = {"settings_account", "settings_play", "settings_results", "settings_general"};
        for (int tab = 0; tab < names.count(); ++tab) {
            rig.page->getTabWidget()->setCurrentIndex(tab);
            QVERIFY(TestEnvironment::saveScreenshot(rig.page, names.at(tab)));
        }
        rig.repository->setSetting(SETTING_YOUTUBE_CAPTCHA_URL, QStringLiteral("Captcha?ctoken=Hk3rQz7"));
        QImage picture(200, 70, QImage::Format_RGB32);
        picture.fill(Qt::white);
        QPainter painter(&picture);
        painter.setFont(QFont(QStringLiteral("SansSerif"), 28, QFont::Bold));
        painter.drawText(picture.rect(), Qt::AlignCenter, QStringLiteral("kr3lv0x"));
        painter.end();
        QVERIFY(picture.save(PostManager::captchaImageFile(*rig.repository), "PNG"));
        rig.page->getTabWidget()->setCurrentIndex(0);
        rig.page->showCaptchaView();
        QVERIFY(TestEnvironment::saveScreenshot(rig.page, "settings_captcha"));
    }
};

QTEST_MAIN(TestSettingsPage)
#include "tst_settingspage.moc"
