#include "app/MainController.h"
#include "browse/ResultController.h"
#include "browse/ResultPage.h"
#include "core/CommentListModel.h"
#include "core/constants/Settings.h"
#include "player/MediaPlayer.h"
#include "player/NormalScreenController.h"
#include "player/NormalScreenView.h"
#include "player/VideoCommentsWidget.h"
#include "player/VideoInfoWidget.h"
#include "player/VideoViewBase.h"
#include "service/YoutubeVideoService.h"
#include "shell/HomeView.h"
#include "shell/PageHistoryItem.h"
#include "social/AllCommentsPage.h"
#include "social/VideoDescriptionPage.h"
#include "social/WriteCommentPage.h"
#include "tests/support/ProgramRig.h"

#include <QDomDocument>
#include <QPushButton>
#include <QTest>
#include <QTextEdit>

// The comment pages in the whole program, on the fake service: paging through all
// comments, the way back through pages 13, 16 and 18 to the held video, and a comment
// posted as the service expects it, or refused without losing its text.
class TestCommentPagesInTheProgram : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void pagingAsksForTheRightComments_data();
    void pagingAsksForTheRightComments();
    void backReturnsThroughThePages_data();
    void backReturnsThroughThePages();
    void writtenCommentReachesTheService_data();
    void writtenCommentReachesTheService();
};

namespace {

const QString COMMENTS = QStringLiteral("/gdata/feeds/api/videos/") + FakeFeeds::MANY_COMMENTS_VIDEO_ID
    + QStringLiteral("/comments");

// Plays nothing: records what it is told and reports the states a player would.
class SilentPlayer : public MediaPlayer
{
public:
    using MediaPlayer::MediaPlayer;
    QStringList calls;
    MediaPlayerStates state = eStopped;

    void setVideoWindow(WId) override {}
    void setKeepAspectRatio(bool) override {}
    void play(const QString&, double) override { to("play", ePlaying); }
    void pause() override { to("pause", ePaused); }
    void resume() override { to("resume", ePlaying); }
    void stop() override { to("stop", eStopped); }
    void seek(double) override {}
    void setVolume(int) override {}
    int getVolume() const override { return 50; }
    MediaPlayerStates getState() const override { return state; }
    double getPosition() const override { return 0.0; }
    double getLength() const override { return 0.0; }
    qint64 getStreamPosition() const override { return -1; }
    QString getFile() const override { return QString(); }

private:
    void to(const char* call, MediaPlayerStates next)
    {
        calls << QString::fromLatin1(call);
        state = next;
        Q_EMIT stateChanged(state);
    }
};

// The program on the fake service with its signed-in account, videos shown in the
// information view.
struct CommentsWorld : ProgramRig
{
    TestWorld world{TestWorld::FakeAccountServer};
    FakeService& fake = world.fake;
    SilentPlayer* player = nullptr;
    std::unique_ptr<MainController> controller;

    CommentsWorld()
    {
        MainControllerOptions programOptions = options(fake.baseUrl());
        programOptions.createPlayer = [this](QObject* parent) -> MediaPlayer* {
            return player = new SilentPlayer(parent);
        };
        controller = std::make_unique<MainController>(programOptions);
        if (controller->startupFailed())
            qFatal("the program did not start");
        Repository& repository = controller->getRepository();
        repository.setSetting(SETTING_YOUTUBE_USERNAME, FakeAccount::USER);
        repository.setSetting(SETTING_YOUTUBE_PASSWORD, FakeAccount::PASSWORD);
        repository.setSetting(SETTING_YOUTUBE_AUTHENTICATION_TOKEN, FakeAccount::TOKEN);
        repository.setSetting(SETTING_YOUTUBE_ACCOUNT_SIGNED_IN, 1);
        repository.setSetting(SETTING_ACTIVATE_IN_FULLSCREEN, 0);
        repository.setSetting(SETTING_START_PLAYING, 0);
    }

    NormalScreenController* info() const { return controller->getNormalScreenController(); }
    PageBase* currentPage() { return controller->getMainWindow().currentPage(); }
    CommentListModel* comments() const { return info()->getCommentModel(); }

    // The video plays in the information view and its panel has its first comments.
    bool watch()
    {
        VideoEntry entry;
        entry.setVideoId(FakeFeeds::MANY_COMMENTS_VIDEO_ID);
        entry.setName(QStringLiteral("Revontulet"));
        entry.setDescription(QStringLiteral("Aurora over the fell, all night long. ").repeated(40));
        controller->showResultVideo(&entry, true);
        return QTest::qWaitFor([this] { return player->state == ePlaying && comments()->rowCount() > 0; }, 10000);
    }
    // Opens a page from the information view as the user does.
    void open(int pageId)
    {
        NormalScreenView* view = static_cast<NormalScreenView*>(info()->getPage());
        if (pageId == eAllCommentsPageId)
            view->getCommentsWidget()->getAllCommentsButton()->click();
        else if (pageId == eWriteCommentPageId)
            view->getCommentsWidget()->getWriteButton()->click();
        else
            Q_EMIT view->getInfoWidget()->descriptionRequested();
    }
    // The start index each comment request asked for (0: none given).
    QList<int> commentStarts() const
    {
        QList<int> starts;
        for (const FakeRequest& request : fake.requestsTo(COMMENTS))
            if (request.method == "GET")
                starts << (request.hasQueryKey(QStringLiteral("start-index")) ? request.startIndex() : 0);
        return starts;
    }
};

} // namespace

void TestCommentPagesInTheProgram::pagingAsksForTheRightComments_data()
{
    QTest::addColumn<QStringList>("presses");
    QTest::addColumn<QList<int>>("starts");
    QTest::addColumn<QString>("counter");

    // The video has 120 comments.
    QTest::newRow("on to the end and once more") << QStringList{"next", "next", "next"} << QList<int>{0, 51, 101, 101}
                                                 << "101-120/120";
    QTest::newRow("back on the first page") << QStringList{"previous"} << QList<int>{0, 1} << "1-50/120";
    QTest::newRow("on, back and back") << QStringList{"next", "previous", "previous"} << QList<int>{0, 51, 1, 1}
                                       << "1-50/120";
}

void TestCommentPagesInTheProgram::pagingAsksForTheRightComments()
{
    QFETCH(QStringList, presses);
    QFETCH(QList<int>, starts);
    QFETCH(QString, counter);
    CommentsWorld w;
    QVERIFY(w.watch());
    w.fake.clearRequests();

    w.open(eAllCommentsPageId);
    AllCommentsPage* page = w.controller->getAllCommentsPage();
    QVERIFY(page);
    QCOMPARE(w.currentPage(), page);
    QCOMPARE(page->getTitle(), QStringLiteral("Comments of Revontulet"));
    // The video waits behind the page.
    QCOMPARE(w.player->state, ePaused);
    QTRY_COMPARE(page->getCounterText(), QStringLiteral("1-50/120"));
    for (const QString& press : presses) {
        const int asked = w.commentStarts().size();
        QTest::mouseClick(press == "next" ? page->getNextButton() : page->getPreviousButton(), Qt::LeftButton);
        QTRY_COMPARE(w.commentStarts().size(), asked + 1);
        QTRY_VERIFY(w.comments()->rowCount() > 0);
    }
    QCOMPARE(w.commentStarts(), starts);
    QTRY_COMPARE(page->getCounterText(), counter);
}

void TestCommentPagesInTheProgram::backReturnsThroughThePages_data()
{
    QTest::addColumn<int>("pageId");
    QTest::addColumn<bool>("byAuthor"); // left through an author's name, else through the menu

    QTest::newRow("all comments, left through the menu") << int(eAllCommentsPageId) << false;
    QTest::newRow("all comments, left through an author") << int(eAllCommentsPageId) << true;
    QTest::newRow("description") << int(eDescriptionPageId) << false;
    QTest::newRow("writing a comment") << int(eWriteCommentPageId) << false;
}

void TestCommentPagesInTheProgram::backReturnsThroughThePages()
{
    QFETCH(int, pageId);
    QFETCH(bool, byAuthor);
    CommentsWorld w;
    QVERIFY(w.watch());
    PageHistory& history = w.controller->getPageHistory();
    const int before = history.count();

    w.open(pageId);
    PageBase* page = w.currentPage();
    QVERIFY(page != w.info()->getPage());
    QCOMPARE(w.player->state, ePaused);
    if (pageId == eDescriptionPageId)
        QCOMPARE(w.controller->getDescriptionPage()->getDescription(), w.info()->getVideo()->getDescription());
    if (pageId == eWriteCommentPageId)
        QTest::keyClicks(w.controller->getWriteCommentPage()->getEditor(), QStringLiteral("Half written"));

    // Away to the result page, and back to the page as it was.
    if (byAuthor) {
        QTRY_VERIFY(w.comments()->rowCount() > 2);
        w.controller->getAllCommentsPage()->authorLinkClicked(w.comments()->index(2, 0));
        // The video is done with; the author's uploads are asked for.
        QCOMPARE(w.player->state, eStopped);
        QTRY_VERIFY(!w.fake.requestsTo(QStringLiteral("/gdata/feeds/api/users/viewer3/uploads")).isEmpty());
    } else {
        w.controller->getHomeView()->chooseEntry(HomeView::eEntryMostViewed, page);
    }
    QCOMPARE(w.currentPage(), w.controller->getResultController()->getResultPage());
    QCOMPARE(history.last()->getPageId(), pageId);
    history.emitBack(false);
    QCOMPARE(w.currentPage(), page);
    if (pageId == eAllCommentsPageId)
        QTRY_COMPARE(w.controller->getAllCommentsPage()->getCounterText(), QStringLiteral("1-50/120"));
    if (pageId == eWriteCommentPageId)
        QCOMPARE(w.controller->getWriteCommentPage()->getEditor()->toPlainText(), QStringLiteral("Half written"));

    // And on to the video, which goes on (or, once done with, starts again).
    const int plays = w.player->calls.count(QStringLiteral("play"));
    if (pageId == eWriteCommentPageId)
        QTest::mouseClick(w.controller->getWriteCommentPage()->getCancelButton(), Qt::LeftButton);
    else
        history.emitBack(false);
    QCOMPARE(w.currentPage(), w.info()->getPage());
    QTRY_COMPARE(w.player->state, ePlaying);
    QCOMPARE(w.player->calls.count(QStringLiteral("play")), plays + (byAuthor ? 1 : 0));
    QCOMPARE(w.player->calls.last(), byAuthor ? QStringLiteral("play") : QStringLiteral("resume"));
    QCOMPARE(history.count(), before);
}

void TestCommentPagesInTheProgram::writtenCommentReachesTheService_data()
{
    QTest::addColumn<int>("status"); // 0: the connection breaks
    QTest::newRow("taken") << 201;
    QTest::newRow("forbidden") << 403;
    QTest::newRow("server error") << 500;
    QTest::newRow("no network") << 0;
}

void TestCommentPagesInTheProgram::writtenCommentReachesTheService()
{
    QFETCH(int, status);
    CommentsWorld w;
    const QString text = QStringLiteral("Upeat revontulet & <kiitos> \U0001F600");
    if (status != 201) {
        FakeResponse refusal = FakeResponse::error(status ? status : 200, "ServiceForbiddenException", "refused");
        if (!status)
            refusal.dropAfter = 0;
        w.fake.addRoute("POST", COMMENTS, refusal);
    }
    QVERIFY(w.watch());
    w.open(eWriteCommentPageId);
    WriteCommentPage* page = w.controller->getWriteCommentPage();
    QCOMPARE(w.currentPage(), page);
    page->getEditor()->setPlainText(QStringLiteral("  ") + text + QStringLiteral("\n"));
    w.fake.clearRequests();
    QTest::mouseClick(page->getSendButton(), Qt::LeftButton);
    QCOMPARE(w.currentPage(), w.info()->getPage());

    // The comment as an Atom entry, sent with the account's sign-in.
    QTRY_COMPARE(w.fake.requestsTo(COMMENTS).size() > 0, true);
    const FakeRequest post = w.fake.requestsTo(COMMENTS).first();
    QCOMPARE(post.method, QByteArray("POST"));
    QVERIFY(post.header("Content-Type").startsWith("application/atom+xml"));
    QCOMPARE(post.header("Authorization"), "GoogleLogin auth=" + FakeAccount::TOKEN.toLatin1());
    QDomDocument entry;
    QVERIFY(entry.setContent(post.body, true));
    QCOMPARE(entry.documentElement().localName(), QStringLiteral("entry"));
    QCOMPARE(entry.documentElement().namespaceURI(), QStringLiteral("http://www.w3.org/2005/Atom"));
    QCOMPARE(entry.documentElement().firstChildElement(QStringLiteral("content")).text(), text);

    if (status == 201) {
        // Taken: the comments are fetched again into the panel, shown, and the editor
        // is empty for the next comment.
        QTRY_COMPARE(w.commentStarts(), QList<int>{0});
        QCOMPARE(static_cast<NormalScreenView*>(w.info()->getPage())->currentPane(),
                 int(NormalScreenView::eCommentsPane));
        QTRY_COMPARE(page->getEditor()->toPlainText(), QString());
        QVERIFY(w.prompt.log.filter(QStringLiteral("inform|")).isEmpty());
    } else {
        // Refused: the reason is shown and the text waits for another try.
        QTRY_VERIFY(!w.prompt.log.filter(QStringLiteral("The comment could not be sent")).isEmpty());
        QTRY_VERIFY(!page->isPosting());
        QCOMPARE(page->getEditor()->toPlainText().trimmed(), text);
        QVERIFY(page->getSendButton()->isEnabled());
        QVERIFY(w.commentStarts().isEmpty());
    }
}

QTEST_MAIN(TestCommentPagesInTheProgram)
#include "tst_commentnavigation.moc"
