#include "shell/PageHistory.h"
#include "shell/PageHistoryItem.h"
#include "core/CommentListModel.h"
#include "core/VideoEntry.h"
#include "tests/support/TestSupport.h"

#include <QPointer>
#include <QSignalSpy>
#include <QTest>

class TestPageHistory : public QObject
{
    Q_OBJECT
    TestEnvironment myEnvironment;
private Q_SLOTS:
    void addTakesOwnershipAndIgnoresNull()
    {
        QPointer<PageHistoryItem> item;
        {
            PageHistory history;
            history.add(nullptr);
            QVERIFY(history.isEmpty());

            QObject formerParent;
            item = new PageHistoryItem(eHomePageId, &formerParent);
            history.add(item);
            QCOMPARE(history.count(), 1);
            QCOMPARE(history.last(), item.data());
            // The history owns it now, not the object it came from.
            QCOMPARE(item->parent(), nullptr);
        }
        QVERIFY(item.isNull());
    }

    void takeLastIsLastInFirstOut()
    {
        PageHistory history;
        QCOMPARE(history.takeLast(), nullptr);
        history.add(new PageHistoryItem(eHomePageId));
        history.add(new PageHistoryItem(eResultPageId));
        std::unique_ptr<PageHistoryItem> last(history.takeLast());
        QCOMPARE(last->getPageId(), int(eResultPageId));
        QCOMPARE(history.count(), 1);
        history.clear();
        QVERIFY(history.isEmpty());
    }

    void allCommentsItemKeepsItsOwnVideo()
    {
        CommentListModel model;
        auto* video = new VideoEntry;
        video->setVideoId(QStringLiteral("abc"));
        video->setName(QStringLiteral("Title"));
        HistoryItemAllComments item(eAllCommentsPageId, &model, video);
        // The caller's video may go away; the item still has its copy.
        delete video;
        QCOMPARE(item.getPageId(), 13);
        QCOMPARE(item.getModel(), &model);
        QVERIFY(item.getVideo());
        QCOMPARE(item.getVideo()->getVideoId(), QStringLiteral("abc"));

        HistoryItemAllComments empty(eAllCommentsPageId, &model, nullptr);
        QCOMPARE(empty.getVideo(), nullptr);
    }
};

QTEST_MAIN(TestPageHistory)
#include "tst_pagehistory.moc"
