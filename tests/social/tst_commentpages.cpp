#include "core/CommentListModel.h"
#include "core/VideoEntry.h"
#include "shell/BackButton.h"
#include "shell/PageHeader.h"
#include "shell/PageHistory.h"
#include "shell/PageHistoryItem.h"
#include "social/AllCommentsPage.h"
#include "social/TextPageConstants.h"
#include "social/VideoDescriptionPage.h"
#include "social/WriteCommentPage.h"
#include "tests/support/TestSupport.h"
#include "widgets/CommentSweepList.h"

#include <QClipboard>
#include <QInputMethodEvent>
#include <QLabel>
#include <QMimeData>
#include <QPushButton>
#include <QScrollBar>
#include <QSignalSpy>
#include <QTextEdit>

// The three comment pages on their own: the all-comments page's counter, paging
// requests and author link; the write-comment page's limit and what it does with the
// text it sends; the back button of the text pages; and how long and foreign texts
// lay out (with screenshots of the pages into the build folder).
class TestCommentPages : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void counterFollowsTheRows_data();
    void counterFollowsTheRows();
    void pagingAndAuthorLink_data();
    void pagingAndAuthorLink();
    void commentLimit_data();
    void commentLimit();
    void sentTextStaysUntilPosted_data();
    void sentTextStaysUntilPosted();
    void backActsOncePerShowing_data();
    void backActsOncePerShowing();
    void longAndForeignTextsKeepTheLayout();
};

namespace {

const QString ARABIC = QStringLiteral("هذا تعليق طويل باللغة العربية عن الفيديو ");
const QString CHINESE = QStringLiteral("这是一个关于视频的很长的中文评论没有空格");
const QString FINNISH = QStringLiteral("Revontulet näkyivät tunturin yllä koko yön. ");

VideoEntry video(const QString& title, const QString& description = QString())
{
    VideoEntry entry;
    entry.setVideoId(QStringLiteral("v1"));
    entry.setName(title);
    entry.setDescription(description);
    return entry;
}

void fill(CommentListModel& model, int count, int total, const QString& text = FINNISH)
{
    model.setTotal(total);
    for (int i = 0; i < count; ++i)
        model.addEntry(new CommentEntry(QStringLiteral("viewer%1").arg(i), text, QStringLiteral("01.07.2013")));
}

// Text typed key by key (one key a character of the basic plane).
void type(QWidget* editor, const QString& text)
{
    for (const QChar c : text)
        QTest::sendKeyEvent(QTest::Click, editor, Qt::Key_A, QString(c), Qt::NoModifier);
}

// Text as a platform input method commits it (one event, whole characters).
void commit(QWidget* editor, const QString& text)
{
    QInputMethodEvent event;
    event.setCommitString(text);
    QApplication::sendEvent(editor, &event);
}

} // namespace

void TestCommentPages::counterFollowsTheRows_data()
{
    QTest::addColumn<int>("start");
    QTest::addColumn<int>("rows");
    QTest::addColumn<int>("total");
    QTest::addColumn<QString>("counter");
    QTest::newRow("first page") << 1 << 50 << 137 << "1-50/137";
    QTest::newRow("middle page") << 51 << 50 << 137 << "51-100/137";
    QTest::newRow("last page, part full") << 101 << 37 << 137 << "101-137/137";
    QTest::newRow("no comments: the counter stays") << 1 << 0 << 0 << "";
}

void TestCommentPages::counterFollowsTheRows()
{
    QFETCH(int, start);
    QFETCH(int, rows);
    QFETCH(int, total);
    QFETCH(QString, counter);
    TestWorld world(TestWorld::Folders);
    CommentListModel model;
    AllCommentsPage page(&model, nullptr, world.history);
    page.setStartIndex(start);
    fill(model, rows, total);
    QCOMPARE(page.getCounterText(), counter);
    // Emptying the model for the next page leaves the counter until rows come.
    model.clear();
    QCOMPARE(page.getCounterText(), counter);
}

void TestCommentPages::pagingAndAuthorLink_data()
{
    QTest::addColumn<QString>("action");
    QTest::addColumn<int>("direction"); // 0: no paging asked for

    QTest::newRow("Previous pages back") << "previous" << 1;
    QTest::newRow("Next pages on") << "next" << -1;
    QTest::newRow("sweep to the left pages back") << "sweep left" << 1;
    QTest::newRow("sweep to the right pages on") << "sweep right" << -1;
    QTest::newRow("double tap on the 3rd author") << "author" << 0;
    QTest::newRow("double tap beside the 3rd author") << "row" << 0;
}

void TestCommentPages::pagingAndAuthorLink()
{
    QFETCH(QString, action);
    QFETCH(int, direction);
    TestWorld world(TestWorld::Folders);
    PageHistory& history = world.history;
    CommentListModel model;
    AllCommentsPage page(&model, nullptr, history);
    page.resize(800, 480);
    VideoEntry clip = video(QStringLiteral("Northern lights"));
    page.setVideoEntry(&clip);
    QCOMPARE(page.getTitle(), QStringLiteral("Comments of Northern lights"));
    fill(model, 50, 137);
    QVERIFY(showOnScreen(&page));
    CommentSweepList* list = page.getCommentList();
    // The list needs its scroll bar for the gestures.
    QVERIFY(list->verticalScrollBar()->maximum() > 0);
    QSignalSpy paging(&page, &AllCommentsPage::changeCommentPage);
    QSignalSpy author(&page, &AllCommentsPage::authorLinkSignal);
    QList<int> historyAtSignal;
    connect(&page, &AllCommentsPage::authorLinkSignal, this, [&] { historyAtSignal << history.count(); });

    const QRect third = list->visualRect(model.index(2, 0));
    const QPoint name = model.entryAt(2)->getAuthorRect().center().toPoint();
    if (action == "previous")
        QTest::mouseClick(page.getPreviousButton(), Qt::LeftButton);
    else if (action == "next")
        QTest::mouseClick(page.getNextButton(), Qt::LeftButton);
    else if (action.startsWith("sweep"))
        Touch::drag(list, QPoint(action == "sweep left" ? 600 : 100, 100), QPoint(action == "sweep left" ? 100 : 600, 100));
    else
        Touch::doubleTap(list, action == "author" ? name : QPoint(third.right() - 10, third.center().y()));

    QCOMPARE(paging.count(), direction ? 1 : 0);
    if (direction)
        QCOMPARE(paging.at(0).at(0).toInt() > 0, direction > 0);
    QCOMPARE(author.count(), action == "author" ? 1 : 0);
    if (action == "author") {
        // The page recorded itself, with the video, before the author was asked for.
        QCOMPARE(author.at(0).at(0).value<CommentEntry*>(), model.entryAt(2));
        QCOMPARE(historyAtSignal, QList<int>{1});
        auto* item = qobject_cast<HistoryItemAllComments*>(history.last());
        QVERIFY(item);
        QCOMPARE(item->getPageId(), int(eAllCommentsPageId));
        QCOMPARE(item->getModel(), &model);
        QCOMPARE(item->getVideo()->getName(), clip.getName());
    } else {
        QVERIFY(history.isEmpty());
    }
}

void TestCommentPages::commentLimit_data()
{
    QTest::addColumn<QString>("how");  // typed, committed (input method), pasted
    QTest::addColumn<QString>("text");
    QTest::addColumn<QString>("counter");
    QTest::addColumn<bool>("sendable");

    const QString emoji = QStringLiteral("\U0001F600");
    QTest::newRow("empty") << "typed" << "" << "500" << false;
    QTest::newRow("one blank") << "typed" << " " << "499" << true;
    QTest::newRow("500 typed") << "typed" << QString(500, QLatin1Char('a')) << "0" << true;
    QTest::newRow("501 typed") << "typed" << QString(501, QLatin1Char('a')) << "-1" << false;
    QTest::newRow("500 two-byte characters") << "typed" << QString(500, QChar(0xE4)) << "0" << true;
    QTest::newRow("500 characters outside the basic plane") << "committed" << emoji.repeated(500) << "0" << true;
    QTest::newRow("501 characters outside the basic plane") << "committed" << emoji.repeated(501) << "-1" << false;
    QTest::newRow("501 pasted") << "pasted" << QString(501, QLatin1Char('b')) << "-1" << false;
    QTest::newRow("pasted rich text arrives plain") << "pasted rich" << "bold & link" << "489" << true;
}

void TestCommentPages::commentLimit()
{
    QFETCH(QString, how);
    QFETCH(QString, text);
    QFETCH(QString, counter);
    QFETCH(bool, sendable);
    TestWorld world(TestWorld::Folders);
    WriteCommentPage page(nullptr, world.history);
    QVERIFY(showOnScreen(&page));
    QTextEdit* editor = page.getEditor();
    editor->setFocus();

    if (how == "typed") {
        type(editor, text);
    } else if (how == "committed") {
        commit(editor, text);
    } else {
        auto* data = new QMimeData;
        data->setText(text);
        if (how == "pasted rich")
            data->setHtml(QStringLiteral("<b>bold</b> &amp; <a href='http://x'>link</a>"));
        QGuiApplication::clipboard()->setMimeData(data);
        editor->paste();
    }
    QCOMPARE(editor->toPlainText(), text);
    QVERIFY(!editor->toHtml().contains(QStringLiteral("font-weight:700")));
    QVERIFY(!editor->toHtml().contains(QStringLiteral("href")));
    QCOMPARE(page.getCounter()->text(), counter);
    QCOMPARE(page.getCounter()->styleSheet(),
             counter.toInt() < 0 ? STYLE_COMMENT_COUNTER_TOO_LONG : STYLE_COMMENT_COUNTER_FITS);
    QCOMPARE(page.getSendButton()->isEnabled(), sendable);
}

void TestCommentPages::sentTextStaysUntilPosted_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<QString>("outcome"); // posted, refused, edited (then posted), cancel
    QTest::addColumn<QString>("sent");    // "-": nothing sent
    QTest::addColumn<QString>("left");    // the editor's text at the end

    QTest::newRow("posted: the editor empties") << "  Nice one \n" << "posted" << "Nice one" << "";
    QTest::newRow("refused: the text stays") << "Nice one" << "refused" << "Nice one" << "Nice one";
    QTest::newRow("edited while posting: the new text stays") << "Nice" << "edited" << "Nice" << "Nice!";
    QTest::newRow("blanks only: sent empty, nothing kept") << "   " << "posted" << "" << "";
    QTest::newRow("cancel empties") << "Nice one" << "cancel" << "-" << "";
}

void TestCommentPages::sentTextStaysUntilPosted()
{
    QFETCH(QString, text);
    QFETCH(QString, outcome);
    QFETCH(QString, sent);
    QFETCH(QString, left);
    TestWorld world(TestWorld::Folders);
    PageHistory& history = world.history;
    WriteCommentPage page(nullptr, history);
    VideoEntry clip = video(QStringLiteral("Northern lights"));
    page.setVideoEntryAndFocus(&clip);
    QStringList sends;
    connect(&page, qOverload<const QString&, VideoEntry*>(&WriteCommentPage::sendComment), this,
            [&](const QString& comment, VideoEntry* video) { sends << comment + QLatin1Char('|') + video->getVideoId(); });
    QSignalSpy back(&page, &WriteCommentPage::goBack);
    page.getEditor()->setPlainText(text);

    QTest::mouseClick(outcome == "cancel" ? page.getCancelButton() : page.getSendButton(), Qt::LeftButton);
    QCOMPARE(back.count(), 1);
    QCOMPARE(sends, sent == "-" ? QStringList() : QStringList{sent + QLatin1Char('|') + clip.getVideoId()});
    // While the service has the comment, it cannot be sent twice.
    QVERIFY(!page.getSendButton()->isEnabled());
    if (outcome == "edited")
        page.getEditor()->setPlainText(left);
    if (outcome == "refused")
        page.commentRefused();
    else
        page.commentPosted();
    QCOMPARE(page.getEditor()->toPlainText(), left);
    QCOMPARE(page.getSendButton()->isEnabled(), !left.isEmpty());
    QVERIFY(history.isEmpty());
    page.addToPageHistory();
    QCOMPARE(history.last()->getPageId(), int(eWriteCommentPageId));
}

void TestCommentPages::backActsOncePerShowing_data()
{
    QTest::addColumn<bool>("comments");
    QTest::newRow("all-comments page") << true;
    QTest::newRow("description page") << false;
}

void TestCommentPages::backActsOncePerShowing()
{
    QFETCH(bool, comments);
    TestWorld world(TestWorld::Folders);
    PageHistory& history = world.history;
    CommentListModel model;
    std::unique_ptr<BaseTextContentPage> page;
    if (comments)
        page = std::make_unique<AllCommentsPage>(&model, nullptr, history);
    else
        page = std::make_unique<VideoDescriptionPage>(nullptr, nullptr, history);
    page->show();
    QSignalSpy back(&history, &PageHistory::historyBackClicked);
    BackButton* button = page->getHeader()->getBackButton();

    QTest::mouseClick(button, Qt::LeftButton);
    QTest::mouseClick(button, Qt::LeftButton);
    QCOMPARE(back.count(), 1);
    page->hide();
    page->show();
    QTest::mouseClick(button, Qt::LeftButton);
    QCOMPARE(back.count(), 2);
    page->addToPageHistory();
    QCOMPARE(history.last()->getPageId(), int(comments ? eAllCommentsPageId : eDescriptionPageId));
}

void TestCommentPages::longAndForeignTextsKeepTheLayout()
{
    // A page of 50 comments of up to 500 characters: a word longer than a line, markup,
    // right-to-left and CJK text.
    const QStringList texts{QStringLiteral("x").repeated(500), QStringLiteral("<b>not bold</b> <a href='http://x'>x</a>"),
                            ARABIC.repeated(12).left(500), CHINESE.repeated(25), FINNISH.repeated(11).left(500)};
    TestWorld world(TestWorld::Folders);
    PageHistory& history = world.history;
    CommentListModel model;
    AllCommentsPage comments(&model, nullptr, history);
    comments.resize(800, 480);
    VideoEntry clip = video(QStringLiteral("Revontulet Ylläksellä – koko yön aikaviive tunturin laelta"),
                            FINNISH.repeated(60) + QStringLiteral("\n\n") + ARABIC.repeated(10));
    comments.setVideoEntry(&clip);
    model.setTotal(137);
    for (int i = 0; i < 50; ++i)
        model.addEntry(new CommentEntry(i % 7 ? QStringLiteral("viewer%1").arg(i) : QStringLiteral("مشاهد_طويل_الاسم%1").arg(i),
                                        texts.at(i % texts.size()), QStringLiteral("01.07.2013")));
    QVERIFY(showOnScreen(&comments));
    CommentSweepList* list = comments.getCommentList();
    QCOMPARE(comments.getCounterText(), QStringLiteral("1-50/137"));
    // No row is wider than the list; the long word wrapped onto several lines.
    for (int row = 0; row < 50; ++row)
        QVERIFY2(list->visualRect(model.index(row, 0)).right() < list->viewport()->width(), qPrintable(QString::number(row)));
    QCOMPARE(list->horizontalScrollBar()->maximum(), 0);
    QVERIFY(list->visualRect(model.index(0, 0)).height() > 4 * QFontMetrics(QFont(QStringLiteral("SansSerif"), 12)).height());
    QVERIFY(TestEnvironment::saveScreenshot(&comments, QStringLiteral("all-comments-50")));

    WriteCommentPage write(nullptr, history);
    write.resize(800, 480);
    QVERIFY(showOnScreen(&write));
    type(write.getEditor(), FINNISH.repeated(3));
    QVERIFY(TestEnvironment::saveScreenshot(&write, QStringLiteral("write-comment")));

    VideoDescriptionPage description(&clip, nullptr, history);
    description.resize(800, 480);
    description.setTitle(clip.getName(), BaseTextContentPage::eDescriptionTitle);
    description.setDescription(clip.getDescription());
    QVERIFY(showOnScreen(&description));
    // The description is one row taller than the page, scrolled by the list.
    QCOMPARE(description.getTitle(), (QStringLiteral("Description of ") + clip.getName()).left(42) + QStringLiteral("..."));
    QVERIFY(description.getTextList()->verticalScrollBar()->maximum() > 0);
    QVERIFY(TestEnvironment::saveScreenshot(&description, QStringLiteral("description-long")));
}

QTEST_MAIN(TestCommentPages)
#include "tst_commentpages.moc"
