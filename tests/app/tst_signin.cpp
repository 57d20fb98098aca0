#include "app/AppTexts.h"
#include "core/PlayList.h"
#include "core/PlayListModel.h"
#include "core/constants/Settings.h"
#include "favorites/FavoriteResultController.h"
#include "favorites/FavoriteResultPage.h"
#include "service/ServiceTexts.h"
#include "service/account/PostManager.h"
#include "settings/SettingsPage.h"
#include "settings/SettingsViewAccount.h"
#include "shell/OneButtonDialog.h"
#include "shell/ShellTexts.h"
#include "tests/support/ProgramRig.h"

#include <QLineEdit>
#include <QProgressBar>
#include <QPushButton>
#include <QSignalSpy>
#include <QTest>

#include <memory>

// Signing in through the application controller against the fake service's sign-in
// routes: the wait notice, the outcome notice and what it passes on, Cancel, and the
// captcha round, whose answer decides the sign-in.

namespace {

const QString WAIT_NOTICE = QStringLiteral("run||Verifying the account information...");
const QString ACCOUNTS = QStringLiteral("/google/accounts/ClientLogin");

struct SignInRig : ProgramRig
{
    TestWorld world{TestWorld::FakeAccountServer};
    FakeService& fake = world.fake;
    std::shared_ptr<FakeAccountState> account = world.account;
    std::unique_ptr<MainController> controller;
    // What the wait notice looked like while it ran.
    QString waitButtonText;
    bool waitModal = false;
    bool waitBusy = false;

    explicit SignInRig(bool withService = true)
    {
        MainControllerOptions programOptions = options(fake.baseUrl());
        if (!withService)
            programOptions.createService = [](Repository&, QObject*) -> VideoServiceProvider* { return nullptr; };
        prompt.duringDialog = [this](QDialog* dialog) { noteWaitNotice(dialog); };
        controller = std::make_unique<MainController>(programOptions);
    }

    void noteWaitNotice(QDialog* dialog)
    {
        auto* notice = qobject_cast<OneButtonDialog*>(dialog);
        if (!notice)
            return;
        waitButtonText = notice->getButton()->text();
        waitModal = notice->isModal();
        waitBusy = notice->isProgressIndicatorShown() && notice->isProgressIndicatorBusy();
    }

    Repository& repository() { return controller->getRepository(); }
    YoutubeVideoService* service() { return static_cast<YoutubeVideoService*>(controller->getService()); }

    void storeAccount(const QString& user, const QString& password)
    {
        repository().setSetting(SETTING_YOUTUBE_USERNAME, user);
        repository().setSetting(SETTING_YOUTUBE_PASSWORD, password);
    }
    int accountFolders()
    {
        PlayListModel model(&repository());
        bool collapsed[2] = { false, false };
        repository().getPlayLists(&model, collapsed);
        int folders = 0;
        for (PlayList* playList : model.entries())
            folders += playList->getType() == ePlayListAccountFolder && playList->getServiceId() == 1 ? 1 : 0;
        return folders;
    }
    OneButtonDialog* lastShown() const
    {
        return prompt.shown.isEmpty() ? nullptr : qobject_cast<OneButtonDialog*>(prompt.shown.last().data());
    }
};

// A sign-in service that takes its time before it signs the account in.
void slowSignIn(FakeService& fake, int delayMs)
{
    FakeResponse answer = FakeResponse::document(
        "SID=DQAAAM4AAAB7kLm2Qx0cVtY3pR8s\nLSID=DQAAAM8AAAC4nH7qW1eR5tY9\nAuth=" + FakeAccount::TOKEN.toLatin1() + "\n",
        "text/plain");
    answer.delayMs = delayMs;
    fake.addRoute("POST", ACCOUNTS, answer);
}

} // namespace

class TestSignIn : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void outcomeIsShownAndPassedOn_data()
    {
        QTest::addColumn<QString>("user");
        QTest::addColumn<QString>("password");
        QTest::addColumn<bool>("pictureMissing");
        QTest::addColumn<bool>("closeWithEscape");
        QTest::addColumn<QString>("title");
        QTest::addColumn<QString>("text");
        QTest::addColumn<bool>("verified");

        QTest::newRow("verified") << FakeAccount::USER << FakeAccount::PASSWORD << false << false
                                  << "Account verified!" << TEXT_ACCOUNT_SIGNED_IN() << true;
        // However the notice is closed, the outcome reaches the settings side.
        QTest::newRow("verified, closed with Escape") << FakeAccount::USER << FakeAccount::PASSWORD << false << true
                                                      << "Account verified!" << TEXT_ACCOUNT_SIGNED_IN() << true;
        QTest::newRow("wrong password") << FakeAccount::USER << "wrong" << false << false
                                        << "Sign-in failed" << TEXT_LOGIN_BAD_AUTHENTICATION()
                                        << false;
        QTest::newRow("wrong password, closed with Escape")
            << FakeAccount::USER << "wrong" << false << true << "Sign-in failed"
            << TEXT_LOGIN_BAD_AUTHENTICATION() << false;
        QTest::newRow("no user name") << QString() << QString() << false << false << "Sign-in failed"
                                      << TEXT_LOGIN_NO_ACCOUNT() << false;
        QTest::newRow("captcha picture cannot be fetched")
            << FakeAccount::CAPTCHA_USER << FakeAccount::CAPTCHA_PASSWORD << true << false
            << "Sign-in failed" << TEXT_CAPTCHA_IMAGE_FAILED() << false;
    }

    void outcomeIsShownAndPassedOn()
    {
        QFETCH(QString, user);
        QFETCH(QString, password);
        QFETCH(bool, pictureMissing);
        QFETCH(bool, closeWithEscape);
        QFETCH(QString, title);
        QFETCH(QString, text);
        QFETCH(bool, verified);
        SignInRig rig;
        rig.storeAccount(user, password);
        if (pictureMissing)
            rig.fake.removeRoute("GET", QStringLiteral("/google/accounts/Captcha"));
        QCOMPARE(rig.accountFolders(), 0);
        QSignalSpy finished(rig.controller.get(), &MainController::accountVerificationFinished);

        rig.controller->authenticate();
        QCOMPARE(rig.prompt.timedOut, 0);
        QCOMPARE(rig.waitButtonText, QStringLiteral("Cancel"));
        QVERIFY(rig.waitModal);
        QVERIFY(rig.waitBusy);
        QCOMPARE(rig.prompt.log, QStringList({ WAIT_NOTICE, QStringLiteral("show|%1|%2").arg(title, text) }));
        QCOMPARE(rig.accountFolders(), verified ? 1 : 0);

        // The outcome stays on screen, without blocking, until the user closes it.
        OneButtonDialog* notice = rig.lastShown();
        QVERIFY(notice);
        QVERIFY(notice->isVisible());
        QVERIFY(!notice->isModal());
        QCOMPARE(notice->getButton()->text(), TEXT_OK());
        QCOMPARE(finished.count(), 0);
        if (closeWithEscape)
            QTest::keyClick(notice, Qt::Key_Escape);
        else
            QTest::mouseClick(notice->getButton(), Qt::LeftButton);
        QCOMPARE(finished.count(), 1);
        QCOMPARE(finished.at(0).at(0).toBool(), verified);
        QTRY_VERIFY(rig.prompt.shown.last().isNull());
    }

    void cancelDuringTheWaitSuppressesTheLateResult_data()
    {
        QTest::addColumn<bool>("escape");
        QTest::newRow("Cancel button") << false;
        QTest::newRow("Escape") << true;
    }

    void cancelDuringTheWaitSuppressesTheLateResult()
    {
        QFETCH(bool, escape);
        SignInRig rig;
        rig.storeAccount(FakeAccount::USER, FakeAccount::PASSWORD);
        slowSignIn(rig.fake, 400);
        QSignalSpy finished(rig.controller.get(), &MainController::accountVerificationFinished);
        FakeService& fake = rig.fake;
        rig.prompt.duringDialog = [escape, &fake](QDialog* dialog) {
            // Once the sign-in has reached the service, and before it answers.
            if (!QTest::qWaitFor([&fake]() { return fake.requestsTo(ACCOUNTS).count() == 1; }, 5000))
                qWarning("the sign-in did not reach the service");
            if (escape)
                QTest::keyClick(dialog, Qt::Key_Escape);
            else
                QTest::mouseClick(static_cast<OneButtonDialog*>(dialog)->getButton(), Qt::LeftButton);
        };

        rig.controller->authenticate();
        QCOMPARE(rig.prompt.log, QStringList({ WAIT_NOTICE }));
        QCOMPARE(rig.fake.requestsTo(ACCOUNTS).count(), 1);
        QVERIFY(!rig.service()->postManager()->isAuthenticating());
        deleteLaterNow();
        QVERIFY(rig.controller->getMainWindow().findChildren<OneButtonDialog*>().isEmpty());

        // The sign-in's request has ended; then a report that was already on its way.
        QTRY_VERIFY(requestsSettled(&rig.controller->getMainWindow()));
        Q_EMIT rig.service()->authenticated(true, QStringLiteral("late"));
        QCOMPARE(rig.prompt.log, QStringList({ WAIT_NOTICE }));
        QCOMPARE(rig.accountFolders(), 0);
        QCOMPARE(finished.count(), 0);

        // The next sign-in is shown again.
        rig.prompt.duringDialog = nullptr;
        rig.controller->authenticate();
        QCOMPARE(rig.prompt.log, QStringList({ WAIT_NOTICE, WAIT_NOTICE,
                                               QStringLiteral("show|Account verified!|") + TEXT_ACCOUNT_SIGNED_IN() }));
        QCOMPARE(rig.accountFolders(), 1);
    }

    void captchaAnswerDecidesTheSignIn()
    {
        SignInRig rig;
        rig.storeAccount(FakeAccount::CAPTCHA_USER, FakeAccount::CAPTCHA_PASSWORD);
        QSignalSpy finished(rig.controller.get(), &MainController::accountVerificationFinished);
        QSignalSpy challenges(rig.service(), &VideoServiceProvider::captchaChallenge);

        // The challenge ends the wait without an outcome.
        rig.controller->authenticate();
        QCOMPARE(rig.prompt.timedOut, 0);
        QCOMPARE(challenges.count(), 1);
        QCOMPARE(rig.prompt.log, QStringList({ WAIT_NOTICE }));
        deleteLaterNow();
        QVERIFY(rig.controller->getMainWindow().findChildren<OneButtonDialog*>().isEmpty());

        // A wrong answer waits for the next challenge, which again shows no outcome.
        rig.repository().setSetting(SETTING_YOUTUBE_CAPTCHA_ANSWER, QStringLiteral("wrong"));
        rig.controller->verifyCaptcha();
        QCOMPARE(challenges.count(), 2);
        QCOMPARE(rig.prompt.log, QStringList({ WAIT_NOTICE, WAIT_NOTICE }));
        QCOMPARE(finished.count(), 0);

        // The right answer signs in, shown and passed on like a plain sign-in.
        rig.repository().setSetting(SETTING_YOUTUBE_CAPTCHA_ANSWER, FakeAccount::CAPTCHA_ANSWER);
        rig.controller->verifyCaptcha();
        const QMap<QString, QString> form = FakeAccount::parseForm(rig.fake.requestsTo(ACCOUNTS).last().body);
        QCOMPARE(form.value(QStringLiteral("logintoken")), FakeAccount::CAPTCHA_TOKEN);
        QCOMPARE(form.value(QStringLiteral("logincaptcha")), FakeAccount::CAPTCHA_ANSWER);
        QCOMPARE(rig.prompt.log, QStringList({ WAIT_NOTICE, WAIT_NOTICE, WAIT_NOTICE,
                                               QStringLiteral("show|Account verified!|") + TEXT_ACCOUNT_SIGNED_IN() }));
        QCOMPARE(rig.accountFolders(), 1);
        QTest::mouseClick(rig.lastShown()->getButton(), Qt::LeftButton);
        QCOMPARE(finished.count(), 1);
        QCOMPARE(finished.at(0).at(0).toBool(), true);
    }

    void signingInAgainRemovesTheEarlierNotice()
    {
        SignInRig rig;
        rig.storeAccount(FakeAccount::USER, QStringLiteral("wrong"));
        QSignalSpy finished(rig.controller.get(), &MainController::accountVerificationFinished);
        rig.controller->authenticate();
        QPointer<OneButtonDialog> first = rig.lastShown();
        QVERIFY(first);
        QCOMPARE(first->getTitle(), TEXT_SIGN_IN_FAILED());

        // Left open, it goes when the user signs in again, and its outcome with it.
        rig.storeAccount(FakeAccount::USER, FakeAccount::PASSWORD);
        rig.controller->authenticate();
        deleteLaterNow();
        QVERIFY(first.isNull());
        QCOMPARE(finished.count(), 0);
        OneButtonDialog* second = rig.lastShown();
        QVERIFY(second);
        QCOMPARE(second->getTitle(), TEXT_ACCOUNT_VERIFIED());
        QCOMPARE(rig.controller->getMainWindow().findChildren<OneButtonDialog*>().count(), 1);
        QTest::mouseClick(second->getButton(), Qt::LeftButton);
        QCOMPARE(finished.count(), 1);
        QCOMPARE(finished.at(0).at(0).toBool(), true);
        // A second sign-in of the same account adds no second folder.
        QCOMPARE(rig.accountFolders(), 1);
    }

    // Signed in and out on the settings page: the account's rows, read into the
    // favourites tree while it was signed in, leave the tree and the database.
    void signingOutTakesTheAccountOutOfTheFavorites()
    {
        SignInRig rig;
        rig.controller->showSettingsPage();
        SettingsViewAccount* account = rig.controller->getSettingsPage()->getAccountView();
        account->getUserNameEdit()->setText(FakeAccount::USER);
        account->getPasswordEdit()->setText(FakeAccount::PASSWORD);
        QTest::mouseClick(account->getSignButton(), Qt::LeftButton);
        QTest::mouseClick(rig.lastShown()->getButton(), Qt::LeftButton);
        PlayListModel* tree = rig.controller->getFavoriteController()->getPage()->getPlayListModel();
        tree->setVsFolderCollapsed(eAccountService, false);
        rig.controller->showFavoritesPage();
        QTRY_COMPARE(tree->rowCount(), 3 + 4);   // the fixed rows, the account's folder and its three

        rig.controller->showSettingsPage();
        QTest::mouseClick(account->getSignButton(), Qt::LeftButton);
        QCOMPARE(tree->rowCount(), 3);
        QCOMPARE(rig.accountFolders(), 0);
    }

    void withoutAServiceNothingIsAsked()
    {
        SignInRig rig(false);
        QVERIFY(rig.controller->startupFailed());
        QTest::ignoreMessage(QtDebugMsg, "Captcha cannot be verified, because         videoservice hasn't been defined");
        rig.controller->verifyCaptcha();
        rig.controller->authenticate();
        QCOMPARE(rig.prompt.log, QStringList());
        QCOMPARE(rig.fake.requestsTo(ACCOUNTS).count(), 0);
    }
};

QTEST_MAIN(TestSignIn)
#include "tst_signin.moc"
