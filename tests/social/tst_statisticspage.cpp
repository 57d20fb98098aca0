#include "social/ContactSweepList.h"
#include "social/HistoryItemStatistics.h"
#include "social/StatisticsPage.h"
#include "social/StatisticsWidget.h"

#include "core/ContactListModel.h"
#include "core/MessageListModel.h"
#include "core/VideoListModel.h"
#include "shell/PageHistory.h"
#include "shell/ProgressRoll.h"
#include "tests/social/SocialTestSupport.h"
#include "widgets/VideoSweepList.h"

#include <QLabel>
#include <QPushButton>
#include <QSignalSpy>
#include <QTabWidget>

namespace {

using Profile = QHash<QString, QString>;

// The statistics page alone in a window, with the page history it records into.
struct PageRig
{
    TestWorld world{TestWorld::Folders};
    PageHistory& history = world.history;
    StatisticsPage* page = new StatisticsPage(nullptr, &world.window(), history);

    PageRig()
    {
        page->resize(800, 480);
        QVERIFY(world.show());
    }
    int lastCode() const
    {
        auto* item = qobject_cast<HistoryItemStatistics*>(history.last());
        return item && item->getPageId() == eStatisticsPageId ? item->getTab() : -1;
    }
    void addVideos(int count)
    {
        for (int i = 0; i < count; ++i) {
            auto* video = new VideoEntry;
            video->setVideoId(QStringLiteral("vid%1").arg(i));
            video->setName(QStringLiteral("Upload %1").arg(i));
            page->getVideoListModel()->addEntry(video);
        }
    }
    void addContacts(int accepted, int pending)
    {
        for (int i = 0; i < accepted + pending; ++i)
            page->getContactListModel()->addEntry(
                new ContactEntry(QStringLiteral("user%1").arg(i), QStringLiteral("1.1.2010"), i >= accepted));
    }
};

} // namespace

class TestStatisticsPage : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void figures_data()
    {
        QTest::addColumn<Profile>("data");
        QTest::addColumn<QStringList>("lines");
        const Profile full = {{"published", "01.02.2008"},      {"lastWebAccess", "03.07.2013"},
                              {"diskSpaceUsed", "120"},         {"diskSpaceAvailable", "850"},
                              {"favorites", "7"},               {"contacts", "3"},
                              {"videoWatchCount", "1234"},      {"mostViewedVideo", "Revontulet"},
                              {"searches", "42"},               {"mostSearched", "lappi"},
                              {"subscriptions", "5"},           {"unknown", "ignored"}};
        QTest::newRow("every key, and one unknown")
            << full
            << QStringList{"Profile created: 01.02.2008", "Last login: 03.07.2013", "Diskspace used/free: 120 / 850MB",
                           "Amount of favorites: 7", "Amount of contacts: 3", "Videos viewed: 1234",
                           "Most viewed: Revontulet", "Searches made: 42", "Most searched: lappi", "Subscriptions: 5"};
        QTest::newRow("empty: captions alone")
            << Profile()
            << QStringList{"Profile created: ", "Last login: ", "Diskspace used/free:  / MB", "Amount of favorites: ",
                           "Amount of contacts: ", "Videos viewed: ", "Most viewed: ", "Searches made: ",
                           "Most searched: ", "Subscriptions: "};
    }
    void figures()
    {
        QFETCH(Profile, data);
        QFETCH(QStringList, lines);
        StatisticsWidget widget;
        // A second answer replaces the first one's lines.
        widget.setData({{"published", "31.12.1999"}, {"searches", "9"}});
        widget.setData(data);
        for (int i = 0; i < lines.count(); ++i)
            QCOMPARE(widget.lineText(i), lines.at(i));
    }

    // contacts: how many the contact list brings (none: the service's empty answer).
    void countLabelAndTabs_data()
    {
        QTest::addColumn<bool>("uploads");
        QTest::addColumn<int>("contacts");
        QTest::addColumn<int>("tab");
        QTest::addColumn<QString>("count");
        QTest::newRow("three uploads") << true << 0 << -1 << "1-3/3";
        QTest::newRow("My contacts") << false << 2 << 0 << "1-2/2";
        QTest::newRow("no invitations: hidden") << false << 2 << 1 << "";
        QTest::newRow("Messages") << false << 2 << 2 << "1-1/1";
        QTest::newRow("Messages beside no contacts") << false << 0 << 2 << "1-1/1";
    }
    void countLabelAndTabs()
    {
        QFETCH(bool, uploads);
        QFETCH(int, contacts);
        QFETCH(int, tab);
        QFETCH(QString, count);
        PageRig rig;
        QSignalSpy contactRequests(rig.page, &StatisticsPage::getContacts);
        if (uploads) {
            rig.page->getUploadHistoryButton()->click();
            rig.addVideos(3);
        } else {
            rig.page->getContactsButton()->click();
            rig.page->getMessageListModel()->addEntry(new MessageEntry);
            rig.addContacts(contacts, 0);
            if (contacts == 0)
                rig.page->noResults();
            // Tabs count their rows and a switch updates the count, without a request.
            QTRY_COMPARE(rig.page->getTabWidget()->tabText(0), QStringLiteral("My contacts (%1)").arg(contacts));
            rig.page->getTabWidget()->setCurrentIndex(tab);
            QCOMPARE(rig.page->getTabWidget()->tabText(1), QStringLiteral("Invitations (0)"));
            QCOMPARE(rig.page->getTabWidget()->tabText(2), QStringLiteral("Messages (1)"));
            QCOMPARE(contactRequests.count(), 1);
        }
        QTRY_VERIFY(!rig.page->getBusyIndicator()->isRunning());
        QCOMPARE(rig.page->getCountLabel()->isVisible(), !count.isEmpty());
        if (!count.isEmpty())
            QCOMPARE(rig.page->getCountLabel()->text(), count);
        // A tab without rows says so; no word for the whole page covers a tab's rows.
        if (!uploads)
            QCOMPARE(rig.page->getEmptyTabText(tab)->isVisible(), count.isEmpty());
        QCOMPARE(rig.page->getNoResultsLabel()->isVisible(), false);
    }

    void historyCodeOfTheViewInFront_data()
    {
        QTest::addColumn<QString>("button");
        QTest::addColumn<int>("tab");
        QTest::addColumn<int>("code");
        QTest::newRow("figures") << "statistics" << 0 << 1;
        QTest::newRow("upload history") << "uploads" << 0 << 3;
        QTest::newRow("My contacts") << "contacts" << 0 << 4;
        QTest::newRow("Invitations") << "contacts" << 1 << 5;
        QTest::newRow("Messages: 2, not its tab index") << "contacts" << 2 << 2;
    }
    void historyCodeOfTheViewInFront()
    {
        QFETCH(QString, button);
        QFETCH(int, tab);
        QFETCH(int, code);
        PageRig rig;
        const QMap<QString, QPushButton*> buttons = {{"statistics", rig.page->getStatisticsButton()},
                                                     {"uploads", rig.page->getUploadHistoryButton()},
                                                     {"contacts", rig.page->getContactsButton()}};
        buttons.value(button)->click();
        rig.page->getTabWidget()->setCurrentIndex(tab);
        rig.page->addToPageHistory();
        QCOMPARE(rig.lastCode(), code);
        // Leaving the page ends the busy indicator the request started.
        QVERIFY(rig.page->getBusyIndicator()->isRunning());
        rig.page->hide();
        QVERIFY(!rig.page->getBusyIndicator()->isRunning());
    }

    void invitationAnswer_data()
    {
        QTest::addColumn<bool>("accept");
        QTest::addColumn<bool>("ok");
        QTest::addColumn<QString>("title");
        QTest::addColumn<QString>("question");
        const QString add = QStringLiteral("Are you sure you want to add user0 as your friend");
        const QString reject = QStringLiteral("Are you sure you want to reject the friend request by user0");
        QTest::newRow("accept, OK") << true << true << "Accept invitation" << add;
        QTest::newRow("accept, Cancel") << true << false << "Accept invitation" << add;
        QTest::newRow("reject, OK") << false << true << "Reject invitation" << reject;
        QTest::newRow("reject, Cancel") << false << false << "Reject invitation" << reject;
    }
    void invitationAnswer()
    {
        QFETCH(bool, accept);
        QFETCH(bool, ok);
        QFETCH(QString, title);
        QFETCH(QString, question);
        PageRig rig;
        rig.page->getContactsButton()->click();
        rig.addContacts(0, 1);
        rig.page->getTabWidget()->setCurrentIndex(StatisticsPage::eInvitationsTab);
        ContactSweepList* list = rig.page->getInvitationsList();
        list->viewport()->repaint();
        ContactEntry* entry = rig.page->getContactListModel()->entryAt(0);
        QSignalSpy answers(rig.page, &StatisticsPage::sendInvitationResponse);
        const QRectF button = accept ? entry->getAcceptLinkRect() : entry->getRejectLinkRect();
        QVERIFY(!button.isEmpty());

        DialogAnswerer answerer(ok);
        Touch::doubleTap(list, button.center().toPoint());
        // The question is the dialog's text, under a title of its own.
        QCOMPARE(answerer.title, title);
        QCOMPARE(answerer.text, question);
        QCOMPARE(answers.count(), ok ? 1 : 0);
        if (ok)
            QCOMPARE(answers.at(0), QVariantList({QStringLiteral("user0"), accept}));
        // OK waits for the service's answer; Cancel leaves the indicator as it was.
        QCOMPARE(rig.page->getBusyIndicator()->isRunning(), ok);
        QVERIFY(rig.history.isEmpty());
    }

    void uploadHistoryActions()
    {
        PageRig rig;
        rig.page->getUploadHistoryButton()->click();
        rig.addVideos(3);
        VideoSweepList* list = rig.page->getResultList();
        list->viewport()->repaint();
        // Loaded, nothing can be played until a row is selected.
        QVERIFY(!rig.page->getPlayButton()->isEnabled());
        QTest::mouseClick(list->viewport(), Qt::LeftButton, Qt::NoModifier, list->visualRect(list->model()->index(1, 0)).center());
        QVERIFY(rig.page->getPlayButton()->isEnabled());
        QSignalSpy plays(rig.page, &StatisticsPage::playVideo);
        rig.page->getPlayButton()->click();
        QCOMPARE(plays.count(), 1);
        QCOMPARE(plays.at(0).at(0).value<VideoEntry*>()->getVideoId(), QStringLiteral("vid1"));
        QCOMPARE(rig.lastCode(), int(HistoryItemStatistics::eUploadsTab));

        // The "Video comments" link of a row asks for that video's comments.
        QSignalSpy comments(rig.page, &StatisticsPage::showVideoComments);
        VideoEntry* video = rig.page->getVideoListModel()->entryAt(2);
        const QPoint link = video->getCommentsLinkRect().center().toPoint();
        QTest::mouseClick(list->viewport(), Qt::LeftButton, Qt::NoModifier, link);
        QCOMPARE(comments.count(), 1);
        QCOMPARE(comments.at(0).at(0).toString(), QStringLiteral("vid2"));
        QCOMPARE(rig.history.count(), 2);
        QCOMPARE(rig.lastCode(), int(HistoryItemStatistics::eUploadsTab));
    }
};

QTEST_MAIN(TestStatisticsPage)
#include "tst_statisticspage.moc"
