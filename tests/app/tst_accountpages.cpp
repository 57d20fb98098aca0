#include "app/MainController.h"
#include "browse/ResultController.h"
#include "browse/ResultPage.h"
#include "core/ContactListModel.h"
#include "core/MessageListModel.h"
#include "core/VideoListModel.h"
#include "core/constants/Settings.h"
#include "service/YoutubeVideoService.h"
#include "shell/BackButton.h"
#include "shell/HomeView.h"
#include "shell/PageHeader.h"
#include "shell/ProgressRoll.h"
#include "social/ContactSweepList.h"
#include "social/HistoryItemStatistics.h"
#include "social/MessagePage.h"
#include "social/MessageSweepList.h"
#include "social/StatisticsController.h"
#include "social/StatisticsPage.h"
#include "tests/social/SocialTestSupport.h"
#include "tests/support/ProgramRig.h"
#include "widgets/VariableSweepList.h"

#include <QLabel>
#include <QPushButton>
#include <QSignalSpy>
#include <QTabWidget>

// The account pages inside the whole program, on the fake service's account.
class TestAccountPages : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void init()
    {
        myWorld = std::make_unique<AccountPagesWorld>();
        myRig = std::make_unique<ProgramRig>();
        myController = std::make_unique<MainController>(myRig->options(myWorld->fake.baseUrl()));
        QVERIFY(!myController->startupFailed());
        QVERIFY(QTest::qWaitForWindowExposed(&myController->getMainWindow()));
        Repository& repository = myController->getRepository();
        repository.setSetting(SETTING_YOUTUBE_USERNAME, FakeAccount::USER);
        repository.setSetting(SETTING_YOUTUBE_AUTHENTICATION_TOKEN, FakeAccount::TOKEN);
        repository.setSetting(SETTING_YOUTUBE_ACCOUNT_SIGNED_IN, 1);
    }
    void cleanup()
    {
        myController.reset();
        myRig.reset();
        myWorld.reset();
    }

    void signedOutNeverMakesThePage()
    {
        myController->getRepository().setSetting(SETTING_YOUTUBE_ACCOUNT_SIGNED_IN, 0);
        QTest::mouseClick(myController->getHomeView()->getButton(HomeView::eEntryStatistics), Qt::LeftButton);
        HistoryItemStatistics item(eStatisticsPageId, HistoryItemStatistics::eContactsTab);
        myController->showStatistics(&item);
        QCOMPARE(myRig->prompt.log.count(), 2);
        QCOMPARE(myController->getStatisticsController(), nullptr);
        QCOMPARE(myWorld->fake.requests().count(), 0);
    }

    void backRefreshesTheViewLeft_data()
    {
        QTest::addColumn<int>("tab");
        QTest::addColumn<QStringList>("asked");
        const QStringList contacts{CONTACTS, INBOX};
        QTest::newRow("1: figures") << 1 << QStringList{PROFILE};
        QTest::newRow("2: messages") << 2 << contacts;
        QTest::newRow("3: uploads") << 3 << QStringList{UPLOADS};
        QTest::newRow("4: contacts") << 4 << contacts;
        QTest::newRow("5: invitations") << 5 << contacts;
        QTest::newRow("0: nothing") << 0 << QStringList();
        QTest::newRow("7: nothing") << 7 << QStringList();
    }
    void backRefreshesTheViewLeft()
    {
        QFETCH(int, tab);
        QFETCH(QStringList, asked);
        PageHistory& history = myController->getPageHistory();
        history.add(new HistoryItemStatistics(eStatisticsPageId, tab));
        history.emitBack(false);
        StatisticsPage* page = myController->getStatisticsController()->getStatisticsPage();
        QCOMPARE(myController->getMainWindow().currentPage(), page);
        QTRY_VERIFY(requestsSettled(&myController->getMainWindow()));
        QStringList paths;
        for (const FakeRequest& request : myWorld->fake.requests())
            if (QStringList({PROFILE, CONTACTS, INBOX, UPLOADS}).contains(request.path))
                paths << request.path;
        paths.sort();
        QCOMPARE(paths, asked);
        QVERIFY(history.isEmpty());
    }

    // The whole way through the tabs, a contact's uploads, a message and back, with a
    // picture of each view.
    void throughTheTabs()
    {
        MainWindow& window = myController->getMainWindow();
        PageHistory& history = myController->getPageHistory();
        QTest::mouseClick(myController->getHomeView()->getButton(HomeView::eEntryStatistics), Qt::LeftButton);
        StatisticsPage* page = myController->getStatisticsController()->getStatisticsPage();
        QCOMPARE(window.currentPage(), page);
        QCOMPARE(history.last()->getPageId(), int(eHomePageId));
        QVERIFY(page->getStatisticsButton()->hasFocus());
        QTRY_VERIFY(!page->getBusyIndicator()->isRunning() && myWorld->fake.requestsTo(PROFILE).count() == 1);
        QVERIFY(saveScreenshot(QStringLiteral("account_statistics")));

        page->getUploadHistoryButton()->click();
        QTRY_COMPARE(page->getVideoListModel()->rowCount(), 4);
        QVERIFY(saveScreenshot(QStringLiteral("account_uploads")));

        page->getContactsButton()->click();
        QTRY_COMPARE(page->getMessageListModel()->rowCount(), 2);
        QTRY_COMPARE(page->getContactsProxy()->rowCount(), 2);
        const char* shots[] = {"account_contacts", "account_invitations", "account_messages"};
        for (int tab = StatisticsPage::eContactsTab; tab <= StatisticsPage::eMessagesTab; ++tab) {
            page->getTabWidget()->setCurrentIndex(tab);
            QVERIFY(saveScreenshot(QLatin1String(shots[tab])));
        }

        // A contact's name lists the contact's uploads; back asks for the contacts again.
        page->getTabWidget()->setCurrentIndex(StatisticsPage::eContactsTab);
        ContactSweepList* contacts = page->getContactsList();
        contacts->viewport()->repaint();
        ContactEntry* mikko = page->getContactListModel()->entryAt(0);
        QCOMPARE(mikko->getUserName(), QStringLiteral("mikkokorhonen"));
        Touch::doubleTap(contacts, mikko->getContactLinkRect().center().toPoint());
        ResultPage* results = myController->getResultController()->getResultPage();
        QCOMPARE(window.currentPage(), results);
        QTRY_COMPARE(myWorld->fake.requestsTo(USERS + QStringLiteral("mikkokorhonen/uploads")).count(), 1);
        QCOMPARE(qobject_cast<HistoryItemStatistics*>(history.last())->getTab(), 4);
        history.emitBack(false);
        QCOMPARE(window.currentPage(), page);
        QCOMPARE(page->getTabWidget()->currentIndex(), int(StatisticsPage::eContactsTab));
        QTRY_COMPARE(myWorld->fake.requestsTo(CONTACTS).count(), 2);

        // A double tap opens a message; sweeps step through the inbox; back returns to
        // the messages.
        QTRY_COMPARE(page->getMessageListModel()->rowCount(), 2);
        page->getTabWidget()->setCurrentIndex(StatisticsPage::eMessagesTab);
        MessageSweepList* messages = page->getMessageList();
        Touch::doubleTap(messages, messages->visualRect(messages->model()->index(0, 0)).center());
        MessagePage* message = myController->getMessagePage();
        QVERIFY(message);
        QCOMPARE(window.currentPage(), message);
        QVERIFY(message->getTextList()->hasFocus());
        QVERIFY(message->getTitle().startsWith(QStringLiteral("Message 1/2\n")));
        QCOMPARE(message->getText(), QStringLiteral("Katso tämä: revontulet & tunturi"));
        const QStringList steps{"2/2", "2/2", "1/2", "1/2"};
        const int sweeps[] = {300, 300, -300, -300}; // finger to the left: the next one
        for (int i = 0; i < steps.count(); ++i) {
            sweep(message->getTextList(), sweeps[i]);
            QVERIFY2(message->getTitle().startsWith(QStringLiteral("Message ") + steps.at(i)),
                     qPrintable(message->getTitle()));
        }
        QVERIFY(saveScreenshot(QStringLiteral("account_message")));
        sweep(message->getTextList(), 300);
        QVERIFY(history.last()->getPageId() == eStatisticsPageId);
        QTest::mouseClick(message->getHeader()->getBackButton(), Qt::LeftButton);
        QCOMPARE(window.currentPage(), page);
        QCOMPARE(page->getTabWidget()->currentIndex(), int(StatisticsPage::eMessagesTab));
        QTRY_COMPARE(myWorld->fake.requestsTo(INBOX).count(), 3);

        // A second message opens on the same page.
        QTRY_COMPARE(page->getMessageListModel()->rowCount(), 2);
        Touch::doubleTap(messages, messages->visualRect(messages->model()->index(1, 0)).center());
        QCOMPARE(myController->getMessagePage(), message);
        QVERIFY(message->getTitle().startsWith(QStringLiteral("Message 2/2\n")));
        history.emitBack(false);

        // The only invitation accepted: its tab says it is empty, and the contact is
        // among the contacts.
        QTRY_COMPARE(page->getInvitationsProxy()->rowCount(), 1);
        page->getTabWidget()->setCurrentIndex(StatisticsPage::eInvitationsTab);
        ContactSweepList* invitations = page->getInvitationsList();
        invitations->viewport()->repaint();
        auto* liisa = page->getInvitationsProxy()->index(0, 0).data().value<ContactEntry*>();
        DialogAnswerer answerer(true);
        Touch::doubleTap(invitations, liisa->getAcceptLinkRect().center().toPoint());
        QTRY_COMPARE(page->getContactsProxy()->rowCount(), 3);
        QTRY_VERIFY(page->getEmptyTabText(StatisticsPage::eInvitationsTab)->isVisible());
        QCOMPARE(page->getTabWidget()->tabText(StatisticsPage::eInvitationsTab), QStringLiteral("Invitations (0)"));
        QVERIFY(saveScreenshot(QStringLiteral("account_invitations_empty")));
        QCOMPARE(myRig->prompt.log, QStringList());
    }

private:
    bool saveScreenshot(const QString& name)
    {
        myController->getMainWindow().repaint();
        return TestEnvironment::saveScreenshot(&myController->getMainWindow(), name);
    }
    // A quick sideways drag over the list; length: from where the finger goes down to
    // where it comes up, positive to the left.
    static void sweep(QAbstractItemView* list, int length)
    {
        QWidget* viewport = list->viewport();
        const QPoint from(viewport->width() / 2 + length / 2, 40);
        QTest::mousePress(viewport, Qt::LeftButton, Qt::NoModifier, from);
        QTest::mouseMove(viewport, from - QPoint(length / 2, 0));
        QTest::mouseRelease(viewport, Qt::LeftButton, Qt::NoModifier, from - QPoint(length, 0));
    }

    std::unique_ptr<AccountPagesWorld> myWorld;
    std::unique_ptr<ProgramRig> myRig;
    std::unique_ptr<MainController> myController;
};

QTEST_MAIN(TestAccountPages)
#include "tst_accountpages.moc"
