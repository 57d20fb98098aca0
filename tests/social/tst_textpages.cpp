#include "social/DescriptionDelegate.h"
#include "social/MessagePage.h"

#include "core/MessageListModel.h"
#include "shell/PageHeader.h"
#include "shell/PageHistory.h"
#include "tests/social/SocialTestSupport.h"
#include "widgets/VariableSweepList.h"

#include <QLabel>
#include <QStringListModel>

namespace {

// An inbox of count messages titled "Title 1"... with the summaries "Summary 1"...;
// the last one has no summary.
void fillInbox(MessageListModel& model, int count)
{
    for (int i = 1; i <= count; ++i) {
        auto* message = new MessageEntry;
        message->setTitle(QStringLiteral("Title %1").arg(i));
        message->setSummary(i < count ? QStringLiteral("Summary %1").arg(i) : QString());
        model.addEntry(message);
    }
}

} // namespace

class TestTextPages : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void titleOfTheKind_data()
    {
        QTest::addColumn<int>("kind");
        QTest::addColumn<QString>("text");
        QTest::addColumn<QString>("shown");
        const QString x34 = QString(34, QLatin1Char('x'));
        QTest::newRow("42 with the prefix: whole") << 2 << x34 << "Message " + x34;
        QTest::newRow("43: 42 and ...") << 2 << x34 + "y" << "Message " + x34 + "...";
        // A message's title has a line of its own, which "Message 3/12" does not shorten.
        const QString x40 = QString(40, QLatin1Char('x'));
        QTest::newRow("second line: 40 whole") << 2 << "3/12\n" + x40 << "Message 3/12\n" + x40;
        QTest::newRow("second line: 43 cut") << 2 << "3/12\n" + x40 + "yyy" << "Message 3/12\n" + x40 + "yy...";
        QTest::newRow("comments") << 0 << "clip" << "Comments of clip";
        QTest::newRow("description") << 1 << "clip" << "Description of clip";
        QTest::newRow("kind 5: no prefix") << 5 << "clip" << "clip";
    }
    void titleOfTheKind()
    {
        QFETCH(int, kind);
        QFETCH(QString, text);
        QFETCH(QString, shown);
        PageHistory history;
        MessageListModel model;
        MessagePage page(nullptr, history, &model, 0);
        page.setTitle(text, kind);
        QCOMPARE(page.getTitle(), shown);
        // On the 800 px header each line fits whole.
        page.resize(800, 480);
        QVERIFY(showOnScreen(&page));
        QCOMPARE(page.getHeader()->getTitleLabel()->text(), shown);
    }

    void sweepsStepThroughTheInbox_data()
    {
        QTest::addColumn<int>("row");
        QTest::addColumn<int>("direction");
        QTest::addColumn<int>("shownRow");
        QTest::addColumn<QString>("text");
        QTest::newRow("back at the first stays") << 0 << -300 << 0 << "Summary 1";
        QTest::newRow("on from the first") << 0 << 300 << 1 << "Summary 2";
        QTest::newRow("0 counts as back") << 2 << 0 << 1 << "Summary 2";
        QTest::newRow("on at the last stays; no summary") << 4 << 1 << 4 << "";
        QTest::newRow("a row the inbox lacks changes nothing") << 9 << 1 << 0 << "Summary 1";
    }
    void sweepsStepThroughTheInbox()
    {
        QFETCH(int, row);
        QFETCH(int, direction);
        QFETCH(int, shownRow);
        QFETCH(QString, text);
        PageHistory history;
        MessageListModel model;
        fillInbox(model, 5);
        MessagePage page(nullptr, history, &model, 0);
        page.setMessageIndex(row);
        if (row < model.rowCount())
            page.changeMessage(direction);
        QCOMPARE(page.getTitle(), QStringLiteral("Message %1/5\nTitle %1").arg(shownRow + 1));
        QCOMPARE(page.getText(), text);
        page.addToPageHistory();
        QVERIFY(history.isEmpty());
    }

    void longTextIsOneTallRow()
    {
        TestEnvironment environment;
        VariableSweepList list(nullptr, 1);
        list.resize(400, 200);
        DescriptionDelegate delegate(&list);
        QStringListModel model({QStringLiteral("word ").repeated(400), QStringLiteral("short")});
        const QSize tall = delegate.sizeHint(QStyleOptionViewItem(), model.index(0, 0));
        const QSize line = delegate.sizeHint(QStyleOptionViewItem(), model.index(1, 0));
        QCOMPARE(tall.width(), 393);
        QVERIFY(tall.height() > 4 * list.height());
        QVERIFY(line.height() > 0 && line.height() < 40);
    }
};

QTEST_MAIN(TestTextPages)
#include "tst_textpages.moc"
