#include "social/ContactSweepList.h"
#include "social/StatisticsController.h"
#include "social/StatisticsPage.h"
#include "social/StatisticsWidget.h"

#include "core/ContactListModel.h"
#include "core/MessageListModel.h"
#include "core/VideoListModel.h"
#include "core/constants/Settings.h"
#include "shell/PageHistory.h"
#include "shell/ProgressRoll.h"
#include "tests/social/SocialTestSupport.h"

#include <QLabel>
#include <QPushButton>
#include <QSignalSpy>
#include <QTabWidget>

namespace {

// The statistics page and its controller on the fake account, shown in the window.
struct Rig
{
    AccountPagesWorld world{400};
    StatisticsController* controller =
        new StatisticsController(world.service.get(), *world.repository, &world.window(), world.history);
    StatisticsPage* page = controller->getStatisticsPage();
    QSignalSpy reports{controller, &StatisticsController::errorOccured};

    Rig()
    {
        page->resize(800, 480);
        QVERIFY(world.show());
    }
    bool busy() const { return page->getBusyIndicator()->isRunning(); }
    int contacts() const { return page->getContactsProxy()->rowCount(); }
    int invitations() const { return page->getInvitationsProxy()->rowCount(); }
    int messages() const { return page->getMessageListModel()->rowCount(); }
    int requests(const QByteArray& method, const QString& path) const
    {
        int n = 0;
        for (const FakeRequest& request : world.fake.requests())
            n += request.method == method && request.path == path;
        return n;
    }
    // The route answers with an error, or sends its head and then nothing.
    void breakRoute(const QByteArray& method, const QString& path, bool silent)
    {
        FakeResponse response = FakeResponse::error(500, "ServiceException", "Broken for the test");
        if (silent)
            response.stallAfter = 0;
        world.fake.addRoute(method, path, response);
    }
};

} // namespace

class TestStatisticsController : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void answersFillThePage()
    {
        Rig rig;
        rig.page->getStatisticsButton()->click();
        QTRY_COMPARE(rig.page->getStatisticsWidget()->lineText(0), QStringLiteral("Profile created: 18.03.2007"));
        const StatisticsWidget* figures = rig.page->getStatisticsWidget();
        QCOMPARE(figures->lineText(3), QStringLiteral("Amount of favorites: 37"));
        QCOMPARE(figures->lineText(5), QStringLiteral("Videos viewed: 1432"));
        QCOMPARE(figures->lineText(9), QStringLiteral("Subscriptions: 12"));
        QVERIFY(figures->lineText(2).endsWith(QStringLiteral("MB")));

        // The account's uploads: the first page, as the user name's feed.
        rig.page->getUploadHistoryButton()->click();
        QTRY_COMPARE(rig.page->getVideoListModel()->rowCount(), 4);
        QCOMPARE(rig.page->getCountLabel()->text(), QStringLiteral("1-4/4"));
        QCOMPARE(rig.requests("GET", UPLOADS), 1);
        QVERIFY(!rig.world.fake.requestsTo(UPLOADS).constLast().hasQueryKey(QStringLiteral("start-index")));

        // Contacts and inbox come together; "pekka.p" waits for the other side and
        // is no invitation to answer.
        rig.page->getContactsButton()->click();
        QTRY_COMPARE(rig.messages(), 2);
        QTRY_COMPARE(rig.contacts() + rig.invitations(), 3);
        QCOMPARE(rig.invitations(), 1);
        QVERIFY(!rig.busy());
        QCOMPARE(rig.reports.count(), 0);
    }

    void invitationAnswerReachesTheService_data()
    {
        QTest::addColumn<bool>("accept");
        QTest::addColumn<int>("contactsAfter");
        QTest::newRow("accept") << true << 3;
        QTest::newRow("reject") << false << 2;
    }
    void invitationAnswerReachesTheService()
    {
        QFETCH(bool, accept);
        QFETCH(int, contactsAfter);
        Rig rig;
        rig.page->getContactsButton()->click();
        QTRY_COMPARE(rig.invitations(), 1);
        QTRY_COMPARE(rig.messages(), 2);
        rig.page->getTabWidget()->setCurrentIndex(StatisticsPage::eInvitationsTab);
        ContactSweepList* list = rig.page->getInvitationsList();
        list->viewport()->repaint();
        ContactEntry* invitation = rig.page->getContactListModel()->entryAt(1);
        QCOMPARE(invitation->getUserName(), QStringLiteral("liisa_h"));
        const QRectF button = accept ? invitation->getAcceptLinkRect() : invitation->getRejectLinkRect();

        DialogAnswerer yes(true);
        Touch::doubleTap(list, button.center().toPoint());
        QTRY_COMPARE(rig.requests("PUT", CONTACTS + QStringLiteral("/liisa_h")), 1);
        const FakeRequest put = rig.world.fake.requestsTo(CONTACTS + QStringLiteral("/liisa_h")).constLast();
        QVERIFY(put.body.contains(accept ? "accepted</yt:status>" : "rejected</yt:status>"));
        QVERIFY(put.body.contains("term=\"Friends\""));

        // The contacts are read again and follow the answer; the messages stay.
        QTRY_COMPARE(rig.requests("GET", CONTACTS), 2);
        QTRY_COMPARE(rig.contacts(), contactsAfter);
        QCOMPARE(rig.invitations(), 0);
        QCOMPARE(rig.messages(), 2);
        QCOMPARE(rig.requests("GET", INBOX), 1);
        QTRY_VERIFY(!rig.busy());
    }

    // A request that fails or never gets an answer: the busy indicator ends, the
    // failure is reported once while the page is shown, and not after the user left.
    void failedRequest_data()
    {
        QTest::addColumn<QString>("button");
        QTest::addColumn<QStringList>("broken");
        QTest::addColumn<bool>("silent");
        QTest::addColumn<bool>("leave");
        QTest::addColumn<int>("reports");
        const QStringList profile{PROFILE}, uploads{UPLOADS}, contacts{CONTACTS}, both{CONTACTS, INBOX};
        QTest::newRow("profile fails") << "statistics" << profile << false << false << 1;
        QTest::newRow("profile never answers") << "statistics" << profile << true << false << 1;
        QTest::newRow("uploads fail") << "uploads" << uploads << false << false << 1;
        QTest::newRow("uploads never answer") << "uploads" << uploads << true << false << 1;
        QTest::newRow("contacts fail") << "contacts" << contacts << false << false << 1;
        QTest::newRow("contacts and inbox fail: one report") << "contacts" << both << false << false << 1;
        QTest::newRow("contacts never answer, user left") << "contacts" << both << true << true << 0;
        QTest::newRow("uploads fail, user left") << "uploads" << uploads << false << true << 0;
    }
    void failedRequest()
    {
        QFETCH(QString, button);
        QFETCH(QStringList, broken);
        QFETCH(bool, silent);
        QFETCH(bool, leave);
        QFETCH(int, reports);
        Rig rig;
        for (const QString& path : broken)
            rig.breakRoute("GET", path, silent);
        const QMap<QString, QPushButton*> buttons = {{"statistics", rig.page->getStatisticsButton()},
                                                     {"uploads", rig.page->getUploadHistoryButton()},
                                                     {"contacts", rig.page->getContactsButton()}};
        buttons.value(button)->click();
        QVERIFY(rig.busy());
        if (leave) {
            rig.page->hide();
            QVERIFY(!rig.busy());
        }
        const int expectedRequests = broken.count();
        QTRY_VERIFY(rig.world.fake.requests().count() >= expectedRequests);
        // A silent route ends in the request timeout.
        QTRY_VERIFY(requestsSettled(rig.world.service.get()));
        QCOMPARE(rig.reports.count(), reports);
        QVERIFY(!rig.busy());
        QVERIFY(rig.page->getNoResultsLabel()->isHidden());
        QCOMPARE(rig.page->getVideoListModel()->rowCount() + rig.page->getContactListModel()->rowCount(), 0);
    }

    void invitationAnswerThatFailsIsReported()
    {
        Rig rig;
        rig.breakRoute("PUT", CONTACTS + QStringLiteral("/liisa_h"), false);
        rig.page->hide();
        QMetaObject::invokeMethod(rig.controller, "sendInvitationResponse", Q_ARG(QString, QStringLiteral("liisa_h")),
                                  Q_ARG(bool, true));
        QTRY_COMPARE(rig.reports.count(), 1);
        QVERIFY(rig.reports.at(0).at(0).toString().startsWith(QStringLiteral("The answer to the invitation")));
    }

    // Empty answers are said to be empty; another page's empty feed is not.
    void emptyAnswer_data()
    {
        QTest::addColumn<QString>("button");
        QTest::addColumn<QString>("noResults");
        QTest::newRow("no uploads") << "uploads" << "No uploaded videos found";
        QTest::newRow("no contacts, no messages") << "contacts" << "No contacts found";
        QTest::newRow("empty inbox, contacts there") << "inbox" << "";
        QTest::newRow("another page's empty feed") << "foreign" << "";
    }
    void emptyAnswer()
    {
        QFETCH(QString, button);
        QFETCH(QString, noResults);
        Rig rig;
        rig.world.repository->setSetting(SETTING_YOUTUBE_USERNAME, FakeFeeds::EMPTY_USER);
        rig.world.account->contacts.clear();
        rig.world.account->emptyInbox = true;
        if (button == QLatin1String("uploads")) {
            rig.page->getUploadHistoryButton()->click();
        } else if (button == QLatin1String("foreign")) {
            Q_EMIT rig.world.service->noResults();
        } else {
            if (button == QLatin1String("inbox"))
                rig.world.account->contacts.append({QStringLiteral("pal"), QStringLiteral("accepted"), QString()});
            rig.page->getContactsButton()->click();
        }
        QTRY_VERIFY(!rig.busy());
        QTRY_VERIFY(requestsSettled(rig.world.service.get()));
        // The page's word, or in the contact tabs the word of the tab in front.
        QLabel* word = rig.page->getNoResultsLabel();
        if (!word->isVisible() && rig.page->getViewIndex() == StatisticsPage::eContactsView)
            word = rig.page->getEmptyTabText(rig.page->getCurrentTab());
        QCOMPARE(word->isVisible() ? word->text() : QString(), noResults);
        QCOMPARE(rig.reports.count(), 0);
    }

    // Rows that come while the user is away, or for a request asked again, are the
    // newest answer's rows only.
    void lateAndRepeatedAnswers()
    {
        Rig rig;
        FakeResponse slowUploads = FakeResponse::fixture(QStringLiteral("standard-feed.xml"), "application/atom+xml");
        slowUploads.delayMs = 300;
        rig.world.fake.addRoute("GET", UPLOADS, slowUploads);
        rig.page->getUploadHistoryButton()->click();
        rig.page->getContactsButton()->click();
        rig.page->getContactsButton()->click();
        rig.page->hide();
        QVERIFY(!rig.busy());
        QTRY_COMPARE(rig.page->getVideoListModel()->rowCount(), 4);
        QTRY_COMPARE(rig.messages(), 2);
        QTRY_VERIFY(requestsSettled(rig.world.service.get()));
        QCOMPARE(rig.contacts() + rig.invitations(), 3);
        QCOMPARE(rig.messages(), 2);
        QCOMPARE(rig.page->getVideoListModel()->rowCount(), 4);
        QCOMPARE(rig.reports.count(), 0);
    }
};

QTEST_MAIN(TestStatisticsController)
#include "tst_statisticscontroller.moc"
