#include "core/CommentListModel.h"
#include "core/ContactListModel.h"
#include "core/Repository.h"
#include "player/MplayerMediaPlayer.h"
#include "player/NormalScreenController.h"
#include "player/NormalScreenView.h"
#include "player/PlayerConstants.h"
#include "player/PlayerTexts.h"
#include "player/RatingWidget.h"
#include "player/SendLinkWidget.h"
#include "player/VideoCommentsWidget.h"
#include "player/VideoInfoWidget.h"
#include "player/VideoWidget.h"
#include "shell/DBusService.h"
#include "shell/PageHistory.h"
#include "tests/support/TestSupport.h"

#include <QClipboard>
#include <QGuiApplication>
#include <QPushButton>

// The information view's panes: rating, sending the link, and the comments panel
// with the pages it leads to. The service is a stand-in that records what it is
// asked and answers when the test says so.
class TestNormalScreenController : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void rating_data();
    void rating();
    void sendingTheLink_data();
    void sendingTheLink();
    void sendPaneOffersTheContacts_data();
    void sendPaneOffersTheContacts();
    void commentsPanel();
};

namespace {

class AnsweringService : public RecordingVideoService
{
public:
    QList<QVariantList> asked;

    void rateVideo(VideoEntry* video, int rating) override { asked.append({"rate", video->getVideoId(), rating}); }
    void sendVideoLink(const QString& contact, VideoEntry* video, const QString& message) override
    {
        asked.append({"link", contact, video->getVideoId(), message});
    }
    void getComments(VideoEntry* video, CommentListModel* model, int startIndex) override
    {
        asked.append({"comments", video->getVideoId(), startIndex, QVariant::fromValue<void*>(model),
                      model->rowCount()});
    }
    void getContacts(ContactListModel* model) override
    {
        asked.append({"contacts"});
        model->addEntry(new ContactEntry(QStringLiteral("pending"), QString(), true));
        model->addEntry(new ContactEntry(QStringLiteral("liisa"), QString(), false));
    }
};

struct InfoWorld
{
    TestWorld world;
    Repository& repository = *world.repository;
    AnsweringService service;
    PageHistory& history = world.history;
    QWidget& window = world.window();
    VideoWidget videoWidget;
    DBusService dbus;
    MplayerMediaPlayer player;
    NormalScreenController* controller;

    InfoWorld()
    {
        controller = new NormalScreenController(&service, repository, history, &player, &videoWidget, &dbus, &window);
        VideoEntry video;
        video.setVideoId(QStringLiteral("info1"));
        video.setName(QStringLiteral("Revontulet"));
        video.setDescription(QStringLiteral("Northern lights"));
        video.setRating(QStringLiteral("3.5"));
        video.setWatchUrl(QStringLiteral("http://www.youtube.com/watch?v=info1"));
        controller->playVideo(video);
    }
    ~InfoWorld()
    {
        videoWidget.setParent(nullptr);
        delete controller;
    }
    NormalScreenView* view() const { return controller->getNormalScreenView(); }
    void signIn(bool signedIn) { world.setSignedIn(signedIn); }
};

} // namespace

void TestNormalScreenController::rating_data()
{
    QTest::addColumn<bool>("signedIn");
    QTest::addColumn<bool>("done");
    QTest::addColumn<int>("stars");        // shown afterwards as the user's rating
    QTest::addColumn<QString>("note");

    QTest::newRow("not signed in: the account is needed") << false << false << 0 << TEXT_RATE_VIDEO();
    QTest::newRow("sent") << true << true << 4 << QStringLiteral("Your rating was sent.");
    QTest::newRow("refused") << true << false << 0 << QStringLiteral("The rating could not be sent.");
}

void TestNormalScreenController::rating()
{
    QFETCH(bool, signedIn);
    QFETCH(bool, done);
    QFETCH(int, stars);
    QFETCH(QString, note);

    InfoWorld w;
    w.signIn(signedIn);
    QSignalSpy accountNeeded(w.controller, &NormalScreenController::accountNeeded);
    RatingWidget* rating = w.view()->getInfoWidget()->getRatingWidget();
    QCOMPARE(rating->getAverage(), 3.5);
    // A tap on the fourth star.
    QTest::mouseClick(rating, Qt::LeftButton, {}, QPoint(3 * RATING_STAR_SIZE + 5, RATING_STAR_SIZE / 2));
    Q_EMIT w.service.ratingDone(done, note);

    QCOMPARE(accountNeeded.count(), signedIn ? 0 : 1);
    QCOMPARE(w.service.asked.contains(QVariantList({"rate", "info1", 4})), signedIn);
    QCOMPARE(rating->getUserRating(), stars);
    QCOMPARE(w.view()->getInfoWidget()->getRatingNote(), note);
}

void TestNormalScreenController::sendingTheLink_data()
{
    QTest::addColumn<int>("way");
    QTest::addColumn<bool>("signedIn");
    QTest::addColumn<QString>("result");
    QTest::addColumn<QString>("clipboard");

    const QString link = QStringLiteral("http://www.youtube.com/watch?v=info1");
    QTest::newRow("to the clipboard") << int(SendLinkWidget::eToClipboard) << false << TEXT_LINK_COPIED() << link;
    QTest::newRow("by mail, no mail program") << int(SendLinkWidget::eByMail) << false << TEXT_MAIL_UNAVAILABLE()
                                              << QString();
    QTest::newRow("to a contact, not signed in") << int(SendLinkWidget::eToContact) << false << QString() << QString();
    QTest::newRow("to a contact") << int(SendLinkWidget::eToContact) << true << QStringLiteral("The link was sent.")
                                  << QString();
}

void TestNormalScreenController::sendingTheLink()
{
    QFETCH(int, way);
    QFETCH(bool, signedIn);
    QFETCH(QString, result);
    QFETCH(QString, clipboard);

    InfoWorld w;
    w.signIn(signedIn);
    QGuiApplication::clipboard()->clear();
    QSignalSpy accountNeeded(w.controller, &NormalScreenController::accountNeeded);
    SendLinkWidget* send = w.view()->getSendLinkWidget();
    w.view()->showPane(NormalScreenView::eSendPane);
    send->setWay(way);
    send->setMessage(QStringLiteral("Look at this"));
    send->setContact(QStringLiteral("liisa"));
    QTest::mouseClick(send->getSendButton(), Qt::LeftButton);
    if (way == SendLinkWidget::eToContact && signedIn) {
        // Only accepted contacts are offered; the link goes to the one chosen.
        QCOMPARE(send->getContact(), QStringLiteral("liisa"));
        QVERIFY(w.service.asked.contains(QVariantList({"link", "liisa", "info1", "Look at this"})));
        Q_EMIT w.service.linkSent(true, result);
    }
    QTRY_COMPARE(send->getResult(), result);
    QCOMPARE(accountNeeded.count(), way == SendLinkWidget::eToContact && !signedIn ? 1 : 0);
    QCOMPARE(QGuiApplication::clipboard()->text(), clipboard);
}

void TestNormalScreenController::sendPaneOffersTheContacts_data()
{
    QTest::addColumn<bool>("signedIn");
    QTest::newRow("signed in") << true;
    QTest::newRow("not signed in") << false;
}

// The pane opens on "To a contact": opening it fetches the account's contacts, and
// asks for no account when none is signed in. Signing out forgets them.
void TestNormalScreenController::sendPaneOffersTheContacts()
{
    QFETCH(bool, signedIn);
    InfoWorld w;
    w.signIn(signedIn);
    QSignalSpy accountNeeded(w.controller, &NormalScreenController::accountNeeded);
    SendLinkWidget* send = w.view()->getSendLinkWidget();
    QTest::mouseClick(w.view()->getTab(NormalScreenView::eSendPane), Qt::LeftButton);
    QCOMPARE(w.view()->currentPane(), int(NormalScreenView::eSendPane));
    QCOMPARE(send->getWay(), int(SendLinkWidget::eToContact));
    QCOMPARE(w.service.asked.contains(QVariantList({"contacts"})), signedIn);
    QCOMPARE(send->getContact(), signedIn ? QStringLiteral("liisa") : QString());
    QCOMPARE(send->getSendButton()->isEnabled(), signedIn);
    QCOMPARE(accountNeeded.count(), 0);

    // Signed out, the account's contacts are gone; the next sign-in fetches its own.
    w.signIn(false);
    QCOMPARE(send->getContact(), QString());
    QVERIFY(!send->getSendButton()->isEnabled());
    w.signIn(true);
    w.service.asked.clear();
    QTest::mouseClick(w.view()->getTab(NormalScreenView::eSendPane), Qt::LeftButton);
    QVERIFY(w.service.asked.contains(QVariantList({"contacts"})));
    QCOMPARE(send->getContact(), QStringLiteral("liisa"));
}

void TestNormalScreenController::commentsPanel()
{
    InfoWorld w;
    CommentListModel* model = w.controller->getCommentModel();
    // The panel's comments were asked for at the start, into the emptied model.
    QCOMPARE(w.service.asked.first(),
             QVariantList({"comments", "info1", 0, QVariant::fromValue<void*>(model), 0}));
    model->setTotal(42);
    model->addEntry(new CommentEntry(QStringLiteral("anna"), QStringLiteral("Nice"), QStringLiteral("1.2.2013")));
    Q_EMIT w.service.commentsReady();
    VideoCommentsWidget* panel = w.view()->getCommentsWidget();
    QCOMPARE(panel->getTotalText(), TEXT_COMMENTS_TOTAL().arg(42));

    // After the user's comment the comments come again, and the panel is shown.
    w.service.asked.clear();
    Q_EMIT w.service.commentingDone();
    QCOMPARE(model->rowCount(), 0);
    QCOMPARE(w.service.asked.size(), 1);
    QCOMPARE(w.service.asked.first().first().toString(), QStringLiteral("comments"));
    QCOMPARE(w.view()->currentPane(), int(NormalScreenView::eCommentsPane));

    // The buttons lead to the pages, with the video and the shared model.
    model->addEntry(new CommentEntry(QStringLiteral("anna"), QStringLiteral("Nice"), QStringLiteral("1.2.2013")));
    Q_EMIT w.service.commentsReady();
    QSignalSpy all(w.controller, &NormalScreenController::showAllCommentsPage);
    QSignalSpy write(w.controller, &NormalScreenController::showWriteCommentPage);
    QSignalSpy description(w.controller, &NormalScreenController::showDescriptionPage);
    QTest::mouseClick(panel->getAllCommentsButton(), Qt::LeftButton);
    QTest::mouseClick(panel->getWriteButton(), Qt::LeftButton);
    Q_EMIT w.view()->getInfoWidget()->descriptionRequested();
    QCOMPARE(all.count(), 1);
    QCOMPARE(qvariant_cast<VideoEntry*>(all.first().at(0)), w.controller->getVideo());
    QCOMPARE(all.first().at(1).value<QObject*>(), static_cast<QObject*>(model));
    QCOMPARE(all.first().at(2).toBool(), false);
    QCOMPARE(write.count(), 1);
    QCOMPARE(description.count(), 1);
}

QTEST_MAIN(TestNormalScreenController)
#include "tst_normalscreencontroller.moc"
