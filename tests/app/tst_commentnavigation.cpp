#include "browse/ResultController.h"
#include "browse/ResultPage.h"
#include "core/VideoListModel.h"
#include "core/CommentListModel.h"
#include "core/constants/Settings.h"
#include "player/MediaPlayer.h"
#include "player/NormalScreenController.h"
#include "player/NormalScreenView.h"
#include "player/VideoCommentsWidget.h"
#include "player/VideoInfoWidget.h"
#include "shell/HomeView.h"
#include "shell/PageHistoryItem.h"
#include "social/AllCommentsPage.h"
#include "social/VideoDescriptionPage.h"
#include "social/WriteCommentPage.h"
#include "tests/support/ProgramRig.h"
#include "widgets/VideoSweepList.h"
#include "widgets/CommentSweepList.h"

#include <QDomDocument>
#include <QPushButton>
#include <QTextEdit>

// The comment pages in the whole program on the fake service: paging through all
// comments, the way back through pages 13, 16 and 18 to the held video, and a comment
// posted as the service expects it, or refused without losing its text. Also the
// video's related videos and responses, reached from the information view.
class TestCommentNavigation : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void pagingAsksForTheRightComments_data();
    void pagingAsksForTheRightComments();
    void backReturnsThroughThePages_data();
    void backReturnsThroughThePages();
    void writtenCommentReachesTheService_data();
    void writtenCommentReachesTheService();
    void relatedListsFromTheInformationView_data();
    void relatedListsFromTheInformationView();
};

namespace {

// The video of the fake service with 120 comments (unless a test serves others).
const QString COMMENTS = "/gdata/feeds/api/videos/" + FakeFeeds::MANY_COMMENTS_VIDEO_ID + "/comments";

// Plays nothing: reports the states a player would and counts its starts.
class SilentPlayer : public MediaPlayer
{
public:
    using MediaPlayer::MediaPlayer;
    MediaPlayerStates state = eStopped;
    int plays = 0;

    void play(const QString&, double) override { ++plays, to(ePlaying); }
    void pause() override { to(ePaused); }
    void resume() override { to(ePlaying); }
    void stop() override { to(eStopped); }
    MediaPlayerStates getState() const override { return state; }
    void setVideoWindow(WId) override {}
    void setKeepAspectRatio(bool) override {}
    void seek(double) override {}
    void setVolume(int) override {}
    int getVolume() const override { return 50; }
    double getPosition() const override { return 0.0; }
    double getLength() const override { return 0.0; }
    qint64 getStreamPosition() const override { return -1; }
    QString getFile() const override { return QString(); }

private:
    void to(MediaPlayerStates next) { Q_EMIT stateChanged(state = next); }
};

// The program on the fake service, signed in, a video playing in the information view.
struct CommentsWorld : ProgramRig
{
    TestWorld world{TestWorld::FakeAccountServer};
    SilentPlayer* player = nullptr;
    std::unique_ptr<MainController> controller;

    CommentsWorld()
    {
        MainControllerOptions programOptions = options(world.fake.baseUrl());
        programOptions.createPlayer = [this](QObject* parent) { return player = new SilentPlayer(parent); };
        controller = std::make_unique<MainController>(programOptions);
        Repository& repository = controller->getRepository();
        repository.setSetting(SETTING_YOUTUBE_AUTHENTICATION_TOKEN, FakeAccount::TOKEN);
        repository.setSetting(SETTING_YOUTUBE_ACCOUNT_SIGNED_IN, 1);
        repository.setSetting(SETTING_ACTIVATE_IN_FULLSCREEN, 0);
        repository.setSetting(SETTING_START_PLAYING, 0);
        VideoEntry video = testVideo(FakeFeeds::MANY_COMMENTS_VIDEO_ID, QStringLiteral("Revontulet"));
        video.setDescription(QStringLiteral("Aurora over the fell. ").repeated(80));
        controller->showResultVideo(&video, true);
    }
    NormalScreenController* info() const { return controller->getNormalScreenController(); }
    NormalScreenView* view() const { return static_cast<NormalScreenView*>(info()->getPage()); }
    PageBase* currentPage() { return controller->getMainWindow().currentPage(); }
    CommentListModel* comments() const { return info()->getCommentModel(); }
    bool playing() const { return QTest::qWaitFor([this] { return player->state == ePlaying; }, 10000); }

    // Opens a page from the information view as the user does, once the panel is
    // filled; the fake service's record starts there.
    void open(int pageId)
    {
        QVERIFY(QTest::qWaitFor([this] { return comments()->rowCount() > 0; }, 10000));
        world.fake.clearRequests();
        if (pageId == eAllCommentsPageId)
            view()->getCommentsWidget()->getAllCommentsButton()->click();
        else if (pageId == eWriteCommentPageId)
            view()->getCommentsWidget()->getWriteButton()->click();
        else
            Q_EMIT view()->getInfoWidget()->descriptionRequested();
    }
    // The start index of each comment request (0: none given).
    QList<int> commentStarts() const
    {
        QList<int> starts;
        for (const FakeRequest& request : world.fake.requestsTo(COMMENTS))
            if (request.method == "GET")
                starts << (request.hasQueryKey(QStringLiteral("start-index")) ? request.startIndex() : 0);
        return starts;
    }
};

} // namespace

// The video's comments in pages of 50 up to its total: "Next" on the last page and
// "Previous" on the first fetch that page again.
void TestCommentNavigation::pagingAsksForTheRightComments_data()
{
    QTest::addColumn<int>("total");
    QTest::addColumn<QStringList>("presses");
    QTest::addColumn<QList<int>>("starts");
    QTest::addColumn<QString>("counter");

    const QStringList threeNext{"next", "next", "next"};
    QTest::newRow("120: on to the end and once more") << 120 << threeNext << QList<int>{0, 51, 101, 101}
                                                      << "101-120/120";
    QTest::newRow("100: the last page is full") << 100 << threeNext << QList<int>{0, 51, 51, 51} << "51-100/100";
    QTest::newRow("101: one comment on the last page") << 101 << threeNext << QList<int>{0, 51, 101, 101}
                                                       << "101-101/101";
    QTest::newRow("99: one short of two pages") << 99 << threeNext << QList<int>{0, 51, 51, 51} << "51-99/99";
    QTest::newRow("50: one page") << 50 << QStringList{"next"} << QList<int>{0, 1} << "1-50/50";
    QTest::newRow("51: one comment on the second page") << 51 << QStringList{"next", "next"} << QList<int>{0, 51, 51}
                                                        << "51-51/51";
    QTest::newRow("back on the first page") << 120 << QStringList{"previous"} << QList<int>{0, 1} << "1-50/120";
    QTest::newRow("sweeps: on, back and back") << 120 << QStringList{"sweep right", "sweep left", "sweep left"}
                                               << QList<int>{0, 51, 1, 1} << "1-50/120";
}

void TestCommentNavigation::pagingAsksForTheRightComments()
{
    QFETCH(int, total);
    QFETCH(QStringList, presses);
    QFETCH(QList<int>, starts);
    QFETCH(QString, counter);
    CommentsWorld w;
    w.world.fake.addRoute("GET", COMMENTS, [total](const FakeRequest& request) {
        const int start = request.startIndex();
        const int count = qBound(0, total - start + 1, request.maxResults(25));
        return FakeResponse::document(FakeFeeds::makeCommentFeed(FakeFeeds::MANY_COMMENTS_VIDEO_ID, count, total, start),
                                      "application/atom+xml; charset=UTF-8; type=feed");
    });
    QVERIFY(w.playing());
    w.open(eAllCommentsPageId);
    AllCommentsPage* page = w.controller->getAllCommentsPage();
    QCOMPARE(w.currentPage(), page);
    QCOMPARE(page->getTitle(), QStringLiteral("Comments of Revontulet"));
    QCOMPARE(w.player->state, ePaused);
    QTRY_COMPARE(page->getCounterText(), QStringLiteral("1-50/%1").arg(total));
    for (const QString& press : presses) {
        const int asked = w.commentStarts().size();
        if (press.startsWith("sweep"))
            Touch::drag(page->getCommentList(), QPoint(press == "sweep left" ? 600 : 100, 100),
                        QPoint(press == "sweep left" ? 100 : 600, 100));
        else
            QTest::mouseClick(press == "next" ? page->getNextButton() : page->getPreviousButton(), Qt::LeftButton);
        QTRY_COMPARE(w.commentStarts().size(), asked + 1);
        QTRY_VERIFY(w.comments()->rowCount() > 0);
    }
    QCOMPARE(w.commentStarts(), starts);
    QTRY_COMPARE(page->getCounterText(), counter);
}

void TestCommentNavigation::backReturnsThroughThePages_data()
{
    QTest::addColumn<int>("pageId");
    QTest::addColumn<bool>("byAuthor"); // left by a double tap on an author, else through the menu

    QTest::newRow("all comments, through the menu") << int(eAllCommentsPageId) << false;
    QTest::newRow("all comments, through an author") << int(eAllCommentsPageId) << true;
    QTest::newRow("description") << int(eDescriptionPageId) << false;
    QTest::newRow("writing a comment") << int(eWriteCommentPageId) << false;
}

void TestCommentNavigation::backReturnsThroughThePages()
{
    QFETCH(int, pageId);
    QFETCH(bool, byAuthor);
    CommentsWorld w;
    QVERIFY(w.playing());
    PageHistory& history = w.controller->getPageHistory();
    const int before = history.count();
    w.open(pageId);
    PageBase* page = w.currentPage();
    QCOMPARE(w.player->state, ePaused);
    if (pageId == eWriteCommentPageId)
        QTest::keyClicks(w.controller->getWriteCommentPage()->getEditor(), QStringLiteral("Half written"));

    // Away to the result page and back to the page as it was.
    if (byAuthor) {
        CommentSweepList* list = w.controller->getAllCommentsPage()->getCommentList();
        QTRY_VERIFY(w.comments()->rowCount() > 2 && !w.comments()->entryAt(2)->getAuthorRect().isEmpty());
        Touch::doubleTap(list, w.comments()->entryAt(2)->getAuthorRect().center().toPoint());
        // The video is done with; the author's uploads are asked for.
        QCOMPARE(w.player->state, eStopped);
        QTRY_COMPARE(w.world.fake.requestsTo(QStringLiteral("/gdata/feeds/api/users/viewer3/uploads")).size(), 1);
    } else {
        w.controller->getHomeView()->chooseEntry(HomeView::eEntryMostViewed, page);
    }
    QCOMPARE(w.currentPage(), w.controller->getResultController()->getResultPage());
    QCOMPARE(history.last()->getPageId(), pageId);
    history.emitBack(false);
    QCOMPARE(w.currentPage(), page);
    if (pageId == eAllCommentsPageId) {
        // Fetched again, and paged on, for the video of the history item (gone by now).
        QTRY_COMPARE(w.controller->getAllCommentsPage()->getCounterText(), QStringLiteral("1-50/120"));
        QTest::mouseClick(w.controller->getAllCommentsPage()->getNextButton(), Qt::LeftButton);
        QTRY_COMPARE(w.controller->getAllCommentsPage()->getCounterText(), QStringLiteral("51-100/120"));
    }
    if (pageId == eDescriptionPageId)
        QCOMPARE(w.controller->getDescriptionPage()->getDescription(), w.info()->getVideo()->getDescription());
    if (pageId == eWriteCommentPageId)
        QCOMPARE(w.controller->getWriteCommentPage()->getEditor()->toPlainText(), QStringLiteral("Half written"));

    // On to the video: it goes on, or starts again once it was done with.
    if (pageId == eWriteCommentPageId)
        QTest::mouseClick(w.controller->getWriteCommentPage()->getCancelButton(), Qt::LeftButton);
    else
        history.emitBack(false);
    QCOMPARE(w.currentPage(), w.info()->getPage());
    QVERIFY(w.playing());
    QCOMPARE(w.player->plays, byAuthor ? 2 : 1);
    QCOMPARE(history.count(), before);
}

void TestCommentNavigation::writtenCommentReachesTheService_data()
{
    QTest::addColumn<int>("status"); // 0: the connection breaks
    QTest::newRow("taken") << 201;
    QTest::newRow("forbidden") << 403;
    QTest::newRow("server error") << 500;
    QTest::newRow("no network") << 0;
}

void TestCommentNavigation::writtenCommentReachesTheService()
{
    QFETCH(int, status);
    CommentsWorld w;
    if (status != 201) {
        FakeResponse refusal = FakeResponse::error(status ? status : 200, "ServiceForbiddenException", "refused");
        refusal.dropAfter = status ? -1 : 0;
        w.world.fake.addRoute("POST", COMMENTS, refusal);
    }
    QVERIFY(w.playing());
    w.open(eWriteCommentPageId);
    WriteCommentPage* page = w.controller->getWriteCommentPage();
    const QString text = QStringLiteral("Upeat revontulet & <kiitos> \U0001F600");
    page->getEditor()->setPlainText("  " + text + "\n");
    w.world.fake.clearRequests();
    QTest::mouseClick(page->getSendButton(), Qt::LeftButton);
    QCOMPARE(w.currentPage(), w.info()->getPage());

    // The comment as an Atom entry, with the account's sign-in.
    QTRY_VERIFY(!w.world.fake.requestsTo(COMMENTS).isEmpty());
    const FakeRequest post = w.world.fake.requestsTo(COMMENTS).first();
    QCOMPARE(post.method, QByteArray("POST"));
    QVERIFY(post.header("Content-Type").startsWith("application/atom+xml"));
    QCOMPARE(post.header("Authorization"), "GoogleLogin auth=" + FakeAccount::TOKEN.toLatin1());
    QDomDocument entry;
    QVERIFY(entry.setContent(post.body, true));
    QCOMPARE(entry.documentElement().localName(), QStringLiteral("entry"));
    QCOMPARE(entry.documentElement().namespaceURI(), QStringLiteral("http://www.w3.org/2005/Atom"));
    QCOMPARE(entry.documentElement().firstChildElement(QStringLiteral("content")).text(), text);

    if (status == 201) {
        // Taken: the comments come again into the panel, shown; the editor is emptied.
        QTRY_COMPARE(w.commentStarts(), QList<int>{0});
        QCOMPARE(w.view()->currentPane(), int(NormalScreenView::eCommentsPane));
        QTRY_COMPARE(page->getEditor()->toPlainText(), QString());
        QVERIFY(w.prompt.log.filter(QStringLiteral("inform|")).isEmpty());
    } else {
        // Refused: the reason is shown, the text waits for another try.
        QTRY_COMPARE(w.prompt.log.filter(QStringLiteral("The comment could not be sent")).size(), 1);
        QTRY_VERIFY(page->getSendButton()->isEnabled());
        QCOMPARE(page->getEditor()->toPlainText().trimmed(), text);
        QVERIFY(w.commentStarts().isEmpty());
    }
}

void TestCommentNavigation::relatedListsFromTheInformationView_data()
{
    QTest::addColumn<QString>("list");
    QTest::newRow("related videos") << "related";
    QTest::newRow("video responses") << "responses";
}

// A video picked with a result row's information button: its information view leads
// to the videos related to it or to its responses; Back returns to the video, and
// on to the list it was picked from.
void TestCommentNavigation::relatedListsFromTheInformationView()
{
    QFETCH(QString, list);
    CommentsWorld w;
    ResultController* results = w.controller->getResultController();
    w.controller->getHomeView()->chooseEntry(HomeView::eEntryMostViewed, w.currentPage());
    QTRY_VERIFY(!results->isRequestPending());
    const ResultRequest feed = results->getCurrentRequest();
    VideoSweepList* rows = results->getResultPage()->getList();
    VideoEntry* picked = results->getResultPage()->getModel()->entryAt(1);
    const QString videoId = picked->getVideoId();
    rows->viewport()->repaint();
    Touch::tap(rows, picked->getInfoButtonRect().center().toPoint());
    QVERIFY(w.playing());
    QVERIFY(TestEnvironment::saveScreenshot(&w.controller->getMainWindow(), "information-view-" + list));

    VideoInfoWidget* info = w.view()->getInfoWidget();
    QTest::mouseClick(list == "related" ? info->getRelatedButton() : info->getResponsesButton(), Qt::LeftButton);
    QCOMPARE(w.currentPage(), results->getResultPage());
    QTRY_COMPARE(w.world.fake.requestsTo("/gdata/feeds/api/videos/" + videoId + '/' + list).size(), 1);
    QTRY_VERIFY(!results->isRequestPending() && results->getResultPage()->getModel()->rowCount() > 0);

    w.controller->getPageHistory().emitBack(false);
    QCOMPARE(w.currentPage(), w.info()->getPage());
    QVERIFY(w.playing());
    QCOMPARE(w.info()->getVideo()->getVideoId(), videoId);
    w.controller->getPageHistory().emitBack(false);
    QCOMPARE(w.currentPage(), results->getResultPage());
    QVERIFY(results->getCurrentRequest() == feed);
}

QTEST_MAIN(TestCommentNavigation)
#include "tst_commentnavigation.moc"
