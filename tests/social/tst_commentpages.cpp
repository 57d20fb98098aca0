#include "core/CommentListModel.h"
#include "shell/BackButton.h"
#include "shell/PageHeader.h"
#include "shell/PageHistoryItem.h"
#include "social/AllCommentsPage.h"
#include "social/TextPageConstants.h"
#include "social/VideoDescriptionPage.h"
#include "social/WriteCommentPage.h"
#include "tests/support/TestSupport.h"
#include "widgets/VariableSweepList.h"

#include <QClipboard>
#include <QInputMethodEvent>
#include <QLabel>
#include <QMimeData>
#include <QPushButton>
#include <QScrollBar>
#include <QTextEdit>

// The comment pages on their own: the write-comment page's limit and what it does
// with the text it sends, the back button of the text pages, and screenshots of the
// pages with long and foreign texts (into the build folder). Paging, the author
// link and posting are tested in the whole program (tst_commentnavigation).
class TestCommentPages : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void commentLimit_data();
    void commentLimit();
    void sentTextStaysUntilPosted_data();
    void sentTextStaysUntilPosted();
    void backActsOncePerShowing_data();
    void backActsOncePerShowing();
    void screenshots();
};

namespace {

const QString ARABIC = QStringLiteral("هذا تعليق طويل باللغة العربية عن الفيديو ");
const QString FINNISH = QStringLiteral("Revontulet näkyivät tunturin yllä koko yön. ");

// Typed key by key (basic plane), or committed at once as an input method does.
void type(QWidget* editor, const QString& text, bool committed = false)
{
    if (committed) {
        QInputMethodEvent event;
        event.setCommitString(text);
        QApplication::sendEvent(editor, &event);
        return;
    }
    for (const QChar c : text)
        QTest::sendKeyEvent(QTest::Click, editor, Qt::Key_A, QString(c), Qt::NoModifier);
}

} // namespace

void TestCommentPages::commentLimit_data()
{
    QTest::addColumn<QString>("how"); // typed, committed, pasted
    QTest::addColumn<QString>("text");
    QTest::addColumn<int>("left");
    QTest::addColumn<bool>("sendable");

    const QString emoji = QStringLiteral("\U0001F600");
    QTest::newRow("empty") << "typed" << "" << 500 << false;
    QTest::newRow("one blank") << "typed" << " " << 499 << true;
    QTest::newRow("500 typed") << "typed" << QString(500, QLatin1Char('a')) << 0 << true;
    QTest::newRow("501 typed") << "typed" << QString(501, QLatin1Char('a')) << -1 << false;
    QTest::newRow("500 two-byte characters") << "typed" << QString(500, QChar(0xE4)) << 0 << true;
    QTest::newRow("500 outside the basic plane") << "committed" << emoji.repeated(500) << 0 << true;
    QTest::newRow("501 outside the basic plane") << "committed" << emoji.repeated(501) << -1 << false;
    QTest::newRow("501 pasted") << "pasted" << QString(501, QLatin1Char('b')) << -1 << false;
    QTest::newRow("rich text pasted arrives plain") << "pasted" << "bold & link" << 489 << true;
}

void TestCommentPages::commentLimit()
{
    QFETCH(QString, how);
    QFETCH(QString, text);
    QFETCH(int, left);
    QFETCH(bool, sendable);
    TestWorld world(TestWorld::Folders);
    WriteCommentPage page(nullptr, world.history);
    QVERIFY(showOnScreen(&page));
    QTextEdit* editor = page.getEditor();
    editor->setFocus();
    if (how == "pasted") {
        auto* data = new QMimeData;
        data->setText(text);
        data->setHtml(QStringLiteral("<b>bold</b> &amp; <a href='http://x'>link</a>"));
        QGuiApplication::clipboard()->setMimeData(data);
        editor->paste();
    } else {
        type(editor, text, how == "committed");
    }
    QCOMPARE(editor->toPlainText(), text);
    QVERIFY(!editor->toHtml().contains(QStringLiteral("font-weight:700")));
    QCOMPARE(page.getCounter()->text(), QString::number(left));
    QCOMPARE(page.getCounter()->styleSheet(), left < 0 ? STYLE_COMMENT_COUNTER_TOO_LONG : STYLE_COMMENT_COUNTER_FITS);
    QCOMPARE(page.getSendButton()->isEnabled(), sendable);
}

void TestCommentPages::sentTextStaysUntilPosted_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<QString>("outcome"); // posted, refused, edited (then posted), cancel
    QTest::addColumn<QString>("sent");    // "-": nothing sent
    QTest::addColumn<QString>("left");    // the editor's text at the end

    QTest::newRow("posted, trimmed") << "  Nice one \n" << "posted" << "Nice one" << "";
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
    WriteCommentPage page(nullptr, world.history);
    VideoEntry video = testVideo(QStringLiteral("v1"));
    page.setVideoEntryAndFocus(&video);
    QStringList sends;
    connect(&page, qOverload<const QString&, VideoEntry*>(&WriteCommentPage::sendComment), this,
            [&](const QString& comment, VideoEntry* entry) { sends << comment + '|' + entry->getVideoId(); });
    QSignalSpy back(&page, &WriteCommentPage::goBack);
    page.getEditor()->setPlainText(text);

    QTest::mouseClick(outcome == "cancel" ? page.getCancelButton() : page.getSendButton(), Qt::LeftButton);
    QCOMPARE(back.count(), 1);
    QCOMPARE(sends, sent == "-" ? QStringList() : QStringList{sent + "|v1"});
    // While the service has the comment, it cannot be sent twice.
    QVERIFY(!page.getSendButton()->isEnabled());
    if (outcome == "edited")
        page.getEditor()->setPlainText(left);
    outcome == "refused" ? page.commentRefused() : page.commentPosted();
    QCOMPARE(page.getEditor()->toPlainText(), left);
    QCOMPARE(page.getSendButton()->isEnabled(), !left.isEmpty());
}

void TestCommentPages::backActsOncePerShowing_data()
{
    QTest::addColumn<int>("pageId");
    QTest::newRow("all comments") << int(eAllCommentsPageId);
    QTest::newRow("description") << int(eDescriptionPageId);
}

void TestCommentPages::backActsOncePerShowing()
{
    QFETCH(int, pageId);
    ManualClock clock;
    TestWorld world(TestWorld::Folders);
    CommentListModel model;
    std::unique_ptr<BaseTextContentPage> page;
    if (pageId == eAllCommentsPageId)
        page = std::make_unique<AllCommentsPage>(&model, nullptr, world.history);
    else
        page = std::make_unique<VideoDescriptionPage>(nullptr, nullptr, world.history);
    page->show();
    QSignalSpy back(&world.history, &PageHistory::historyBackClicked);
    BackButton* button = page->getHeader()->getBackButton();

    // A second press while the page is still on show does nothing, until it is shown again.
    QTest::mouseClick(button, Qt::LeftButton);
    QTest::mouseClick(button, Qt::LeftButton);
    QCOMPARE(back.count(), 1);
    QCOMPARE(back.at(0).at(0).toBool(), false);
    page->hide();
    page->show();
    // Held down: back with the long press's flag (home), once.
    QTest::mousePress(button, Qt::LeftButton);
    clock.advance(1500);
    QTest::mouseRelease(button, Qt::LeftButton);
    QCOMPARE(back.count(), 2);
    QCOMPARE(back.at(1).at(0).toBool(), true);
    page->addToPageHistory();
    QCOMPARE(world.history.last()->getPageId(), pageId);
}

void TestCommentPages::screenshots()
{
    // Screenshots: 50 comments of up to 500 characters (a word longer than a line,
    // markup, right-to-left and CJK text), a comment being written, a description of
    // many screens. How such rows lay out is tested with the row painter.
    const QStringList texts{QString(500, QLatin1Char('x')), QStringLiteral("<b>not bold</b> <a href='http://x'>x</a>"),
                            ARABIC.repeated(12).left(500), QStringLiteral("这是一个关于视频的很长的中文评论没有空格").repeated(25),
                            FINNISH.repeated(11).left(500)};
    TestWorld world(TestWorld::Folders);
    CommentListModel model;
    AllCommentsPage comments(&model, nullptr, world.history);
    VideoEntry video = testVideo(QStringLiteral("v1"), QStringLiteral("Revontulet Ylläksellä – koko yön aikaviive"));
    video.setDescription(FINNISH.repeated(60) + QStringLiteral("\n\n") + ARABIC.repeated(10));
    comments.setVideoEntry(&video);
    model.setTotal(137);
    for (int i = 0; i < 50; ++i)
        model.addEntry(new CommentEntry(i % 7 ? QStringLiteral("viewer%1").arg(i) : QStringLiteral("مشاهد_طويل_الاسم"),
                                        texts.at(i % texts.size()), QStringLiteral("01.07.2013")));
    WriteCommentPage write(nullptr, world.history);
    VideoDescriptionPage description(&video, nullptr, world.history);
    description.setTitle(video.getName(), BaseTextContentPage::eDescriptionTitle);
    description.setDescription(video.getDescription());
    for (QWidget* page : std::initializer_list<QWidget*>{&comments, &write, &description}) {
        page->resize(800, 480);
        QVERIFY(showOnScreen(page));
    }
    type(write.getEditor(), FINNISH.repeated(3));
    QCOMPARE(comments.getCounterText(), QStringLiteral("1-50/137"));
    QCOMPARE(write.getCounter()->text(), QStringLiteral("368"));
    // The description is one row taller than the page, scrolled by the list.
    QVERIFY(description.getTextList()->verticalScrollBar()->maximum() > 0);
    // The texts keep off the screen's sides.
    for (BaseTextContentPage* page : std::initializer_list<BaseTextContentPage*>{&comments, &description}) {
        const QWidget* text = page->getList()->viewport();
        const int left = text->mapTo(page, QPoint(0, 0)).x();
        QVERIFY2(left >= 10 && left + text->width() <= 800 - 10, qPrintable(QString::number(left)));
    }
    QVERIFY(TestEnvironment::saveScreenshot(&comments, QStringLiteral("all-comments-50")));
    QVERIFY(TestEnvironment::saveScreenshot(&write, QStringLiteral("write-comment")));
    QVERIFY(TestEnvironment::saveScreenshot(&description, QStringLiteral("description-long")));
}

QTEST_MAIN(TestCommentPages)
#include "tst_commentpages.moc"
