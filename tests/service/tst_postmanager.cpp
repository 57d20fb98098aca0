#include "tests/support/TestSupport.h"


#include "core/VideoEntry.h"
#include "core/constants/Settings.h"
#include "service/ServiceTexts.h"
#include "service/account/PostManager.h"

#include <QXmlStreamReader>

// Posts of the account: comments, ratings, invitation answers and video links, and
// the one new sign-in after the service refuses the token.
class TestPostManager : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void commentIsPosted();
    void commentTextIsEscaped_data();
    void commentTextIsEscaped();
    void refusedCommentIsReported();
    void expiredTokenSignsInOnceAndResends();
    void secondRefusalEndsIt();
    void failedRenewalEndsIt();
    void waitingPostsShareOneRenewal();
    void rating_data();
    void rating();
    void invitationAnswers_data();
    void invitationAnswers();
    void emptyContactSendsNothing();
    void videoLinkToAContact();
    void tokenNeverGoesToOtherHosts();
};

namespace {

// The text of the first element with that local name.
QString elementText(const QByteArray& document, const QString& name)
{
    QXmlStreamReader reader(document);
    while (reader.readNextStartElement() || !reader.atEnd()) {
        if (reader.isStartElement() && reader.name() == name)
            return reader.readElementText();
        if (reader.hasError())
            break;
    }
    return QString();
}

} // namespace

void TestPostManager::commentIsPosted()
{
    TestWorld world(TestWorld::SignedIn);
    VideoEntry entry = videoWithId(FakeFeeds::VIDEO_ID);
    QSignalSpy done(world.service.get(), &VideoServiceProvider::commentingDone);
    QSignalSpy failed(world.service.get(), &VideoServiceProvider::errorOccuredInCommenting);
    world.service->commentVideo(QStringLiteral("Hieno video!"), &entry);
    QVERIFY(done.wait());
    QCOMPARE(failed.count(), 0);

    const FakeRequest request = world.last(QStringLiteral("/gdata/feeds/api/videos/"));
    QCOMPARE(request.method, QByteArray("POST"));
    QCOMPARE(request.path, QString("/gdata/feeds/api/videos/kx9fW2qHb1s/comments"));
    QCOMPARE(request.header("Authorization"), "GoogleLogin auth=" + FakeAccount::TOKEN.toLatin1());
    QVERIFY(request.header("Content-Type").startsWith("application/atom+xml"));
    QCOMPARE(elementText(request.body, "content"), QString("Hieno video!"));
    QCOMPARE(world.logins(), 0);
}

void TestPostManager::commentTextIsEscaped_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<QString>("arrives");
    QTest::newRow("markup") << "<b>bold</b> & \"quoted\" 'x'" << "<b>bold</b> & \"quoted\" 'x'";
    QTest::newRow("entity-looking") << "&amp; &lt;" << "&amp; &lt;";
    QTest::newRow("non-ASCII") << QString::fromUtf8("Ylläs ❄ 雪") << QString::fromUtf8("Ylläs ❄ 雪");
    QTest::newRow("control characters dropped") << QString::fromUtf8("a\x01" "b\x1f" "c\td") << "abc\td";
    QTest::newRow("lone surrogate dropped") << QString(QChar(0xD800)) + "ok" << "ok";
}

void TestPostManager::commentTextIsEscaped()
{
    QFETCH(QString, text);
    QFETCH(QString, arrives);
    TestWorld world(TestWorld::SignedIn);
    VideoEntry entry = videoWithId(FakeFeeds::VIDEO_ID);
    QSignalSpy done(world.service.get(), &VideoServiceProvider::commentingDone);
    world.service->commentVideo(text, &entry);
    QVERIFY(done.wait());
    QCOMPARE(elementText(world.last("/gdata/feeds/api/videos/").body, "content"), arrives);
}

void TestPostManager::refusedCommentIsReported()
{
    TestWorld world(TestWorld::SignedIn);
    VideoEntry entry = videoWithId(FakeFeeds::VIDEO_ID);
    QSignalSpy done(world.service.get(), &VideoServiceProvider::commentingDone);
    QSignalSpy failed(world.service.get(), &VideoServiceProvider::errorOccuredInCommenting);
    // The fake refuses an empty comment.
    world.service->commentVideo(QStringLiteral("   "), &entry);
    QVERIFY(failed.wait());
    QCOMPARE(done.count(), 0);
    QVERIFY(failed.at(0).at(0).toString().startsWith(TEXT_COMMENT_FAILED()));
    QVERIFY(failed.at(0).at(0).toString().contains("400"));

    // A video without an id is reported without a request.
    const int posts = world.count("POST", "/gdata/feeds/api/videos/");
    VideoEntry none;
    world.service->commentVideo(QStringLiteral("text"), &none);
    QVERIFY(failed.wait());
    QCOMPARE(world.count("POST", "/gdata/feeds/api/videos/"), posts);
}

void TestPostManager::expiredTokenSignsInOnceAndResends()
{
    TestWorld world(TestWorld::Account);
    world.storeAccount(FakeAccount::USER, FakeAccount::PASSWORD);
    world.storeToken(QStringLiteral("expired-token"));
    VideoEntry entry = videoWithId(FakeFeeds::VIDEO_ID);
    QSignalSpy done(world.service.get(), &VideoServiceProvider::commentingDone);
    QSignalSpy failed(world.service.get(), &VideoServiceProvider::errorOccuredInCommenting);
    QSignalSpy authenticated(world.service.get(), &VideoServiceProvider::authenticated);
    world.service->commentVideo(QStringLiteral("Toinen yritys"), &entry);
    QVERIFY(done.wait());
    QCOMPARE(done.count(), 1);
    QCOMPARE(failed.count(), 0);
    QCOMPARE(world.logins(), 1);
    QCOMPARE(world.count("POST", "/gdata/feeds/api/videos/"), 2);
    // The comment that was kept went again, with the new token.
    const QList<FakeRequest> posts = world.fake.requestsTo("/gdata/feeds/api/videos/");
    QCOMPARE(posts.at(0).header("Authorization"), QByteArray("GoogleLogin auth=expired-token"));
    QCOMPARE(posts.at(1).header("Authorization"), "GoogleLogin auth=" + FakeAccount::TOKEN.toLatin1());
    QCOMPARE(posts.at(1).body, posts.at(0).body);
    QCOMPARE(world.setting(SETTING_YOUTUBE_AUTHENTICATION_TOKEN), FakeAccount::TOKEN);
    // A renewal in the background is not the user's sign-in.
    QCOMPARE(authenticated.count(), 0);
}

void TestPostManager::secondRefusalEndsIt()
{
    TestWorld world(TestWorld::Account);
    world.storeAccount(FakeAccount::USER, FakeAccount::PASSWORD);
    world.storeToken(QStringLiteral("expired-token"));
    // The sign-in works, but the API takes none of its tokens.
    world.account->acceptedTokens.clear();
    VideoEntry entry = videoWithId(FakeFeeds::VIDEO_ID);
    QSignalSpy done(world.service.get(), &VideoServiceProvider::commentingDone);
    QSignalSpy failed(world.service.get(), &VideoServiceProvider::errorOccuredInCommenting);
    world.service->commentVideo(QStringLiteral("Ei mene läpi"), &entry);
    QVERIFY(failed.wait());
    QTRY_VERIFY(requestsSettled(world.service.get()));
    QCOMPARE(failed.count(), 1);
    QCOMPARE(done.count(), 0);
    QCOMPARE(world.logins(), 1);
    QCOMPARE(world.count("POST", "/gdata/feeds/api/videos/"), 2);
    QVERIFY(failed.at(0).at(0).toString().contains("401"));
}

void TestPostManager::failedRenewalEndsIt()
{
    TestWorld world(TestWorld::Account);
    world.storeAccount(FakeAccount::USER, QStringLiteral("changed password"));
    world.storeToken(QStringLiteral("expired-token"));
    QSignalSpy rated(world.service.get(), &VideoServiceProvider::ratingDone);
    VideoEntry entry = videoWithId(FakeFeeds::VIDEO_ID);
    world.service->rateVideo(&entry, 4);
    QVERIFY(rated.wait());
    QCOMPARE(rated.count(), 1);
    QCOMPARE(rated.at(0).at(0).toBool(), false);
    QVERIFY(rated.at(0).at(1).toString().contains(TEXT_SIGN_IN_EXPIRED()));
    QCOMPARE(world.logins(), 1);
    QCOMPARE(world.count("POST", "/gdata/feeds/api/videos/"), 1);
}

void TestPostManager::waitingPostsShareOneRenewal()
{
    TestWorld world(TestWorld::Account);
    world.storeAccount(FakeAccount::USER, FakeAccount::PASSWORD);
    world.storeToken(QStringLiteral("expired-token"));
    VideoEntry entry = videoWithId(FakeFeeds::VIDEO_ID);
    QSignalSpy done(world.service.get(), &VideoServiceProvider::commentingDone);
    QSignalSpy rated(world.service.get(), &VideoServiceProvider::ratingDone);
    QSignalSpy answered(world.service.get(), &VideoServiceProvider::inviteResponded);
    world.service->commentVideo(QStringLiteral("yksi"), &entry);
    world.service->rateVideo(&entry, 5);
    world.service->postRespondToInvite(QStringLiteral("liisa_h"), true);
    QTRY_COMPARE(done.count() + rated.count() + answered.count(), 3);
    QCOMPARE(rated.at(0).at(0).toBool(), true);
    QCOMPARE(world.logins(), 1);
}

void TestPostManager::rating_data()
{
    QTest::addColumn<int>("value");
    QTest::addColumn<bool>("sent");
    QTest::newRow("1") << 1 << true;
    QTest::newRow("5") << 5 << true;
    QTest::newRow("0") << 0 << false;
    QTest::newRow("6") << 6 << false;
    QTest::newRow("negative") << -3 << false;
}

void TestPostManager::rating()
{
    QFETCH(int, value);
    QFETCH(bool, sent);
    TestWorld world(TestWorld::SignedIn);
    VideoEntry entry = videoWithId(FakeFeeds::VIDEO_ID);
    QSignalSpy rated(world.service.get(), &VideoServiceProvider::ratingDone);
    world.service->rateVideo(&entry, value);
    QVERIFY(rated.wait());
    QCOMPARE(rated.at(0).at(0).toBool(), sent);
    QCOMPARE(rated.at(0).at(1).toString(), sent ? TEXT_RATING_SENT() : TEXT_RATING_FAILED());
    QCOMPARE(world.count("POST", "/gdata/feeds/api/videos/"), sent ? 1 : 0);
    if (sent) {
        const FakeRequest request = world.last("/gdata/feeds/api/videos/");
        QCOMPARE(request.path, QString("/gdata/feeds/api/videos/kx9fW2qHb1s/ratings"));
        QVERIFY(request.body.contains("value=\"" + QByteArray::number(value) + "\""));
    }
}

void TestPostManager::invitationAnswers_data()
{
    QTest::addColumn<bool>("accept");
    QTest::addColumn<QString>("status");
    QTest::newRow("accept") << true << "accepted";
    QTest::newRow("reject") << false << "rejected";
}

void TestPostManager::invitationAnswers()
{
    QFETCH(bool, accept);
    QFETCH(QString, status);
    TestWorld world(TestWorld::SignedIn);
    QSignalSpy answered(world.service.get(), &VideoServiceProvider::inviteResponded);
    world.service->postRespondToInvite(QStringLiteral("liisa_h"), accept);
    QVERIFY(answered.wait());
    const FakeRequest request = world.last("/gdata/feeds/api/users/");
    QCOMPARE(request.method, QByteArray("PUT"));
    QCOMPARE(request.path, QString("/gdata/feeds/api/users/default/contacts/liisa_h"));
    QCOMPARE(elementText(request.body, "status"), status);
    QVERIFY(request.body.contains("term=\"Friends\""));
    // The fake has taken the answer.
    bool found = false;
    for (const FakeContact& contact : world.account->contacts)
        if (contact.userName == "liisa_h")
            found = contact.status == "accepted";
    QCOMPARE(found, accept);
}

void TestPostManager::emptyContactSendsNothing()
{
    TestWorld world(TestWorld::SignedIn);
    TraceCollector traces;
    QSignalSpy answered(world.service.get(), &VideoServiceProvider::inviteResponded);
    world.service->postRespondToInvite(QString(), true);
    QTRY_VERIFY(requestsSettled(world.service.get()));
    QCOMPARE(answered.count(), 0);
    QVERIFY(world.fake.requests().isEmpty());
    QVERIFY(traces.lines().contains(QStringLiteral("Empty QString ")));
}

void TestPostManager::videoLinkToAContact()
{
    TestWorld world(TestWorld::SignedIn);
    VideoEntry entry = videoWithId(FakeFeeds::VIDEO_ID);
    QSignalSpy sent(world.service.get(), &VideoServiceProvider::linkSent);
    world.service->sendVideoLink(QStringLiteral("mikkokorhonen"), &entry, QStringLiteral("Katso <tämä> & tuo"));
    QVERIFY(sent.wait());
    QCOMPARE(sent.at(0).at(0).toBool(), true);
    const FakeRequest request = world.last("/gdata/feeds/api/users/");
    QCOMPARE(request.method, QByteArray("POST"));
    QCOMPARE(request.path, QString("/gdata/feeds/api/users/mikkokorhonen/inbox"));
    QCOMPARE(elementText(request.body, "id"), FakeFeeds::VIDEO_ID);
    QCOMPARE(elementText(request.body, "summary"), QString::fromUtf8("Katso <tämä> & tuo"));

    // No contact: not sent, and said so.
    world.service->sendVideoLink(QString(), &entry, QString());
    QVERIFY(sent.wait());
    QCOMPARE(sent.at(1).at(0).toBool(), false);
    // A name cannot climb out of its path segment.
    world.service->sendVideoLink(QStringLiteral("../../videos/x"), &entry, QString());
    QVERIFY(sent.wait());
    QCOMPARE(world.last("/gdata/feeds/api/users/").path, QString("/gdata/feeds/api/users/../../videos/x/inbox"));
}

void TestPostManager::tokenNeverGoesToOtherHosts()
{
    TestWorld world(TestWorld::SignedIn);
    QSignalSpy challenge(world.service.get(), &VideoServiceProvider::captchaChallenge);
    world.storeAccount(FakeAccount::CAPTCHA_USER, FakeAccount::CAPTCHA_PASSWORD);
    world.service->authenticate(ePlainLogin);
    QVERIFY(challenge.wait());
    for (const FakeRequest& request : world.fake.requests())
        QVERIFY2(request.header("Authorization").isEmpty(), qPrintable(request.path));
}

QTEST_MAIN(TestPostManager)
#include "tst_postmanager.moc"
