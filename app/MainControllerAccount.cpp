#include "app/MainController.h"

#include "app/AppLogging.h"
#include "app/AppTexts.h"
#include "core/Repository.h"
#include "core/constants/Settings.h"
#include "favorites/FavoriteResultController.h"
#include "service/VideoServiceProvider.h"
#include "settings/SettingsPage.h"
#include "shell/OneButtonDialog.h"
#include "shell/ShellTexts.h"
#include "shell/UserPrompt.h"

#include <QDebug>

// Signing in to the account: the question that leads to the settings page, the wait
// notice, the outcome and the captcha round.

void MainController::showAccountDialog()
{
    if (myPrompt->ask(&myMainWindow, TEXT_ACCOUNT_NEEDED_TITLE(), TEXT_ACCOUNT_NEEDED_QUESTION()))
        showSettingsPage();
}

void MainController::authenticate()
{
    qCDebug(lcApp, "void MainController::authenticate() start");
    signIn(ePlainLogin);
    qCDebug(lcApp, "void MainController::authenticate() end");
}

void MainController::signIn(eAuthenticateType type)
{
    if (!myService) {
        qCDebug(lcApp, "void MainController::signIn(eAuthenticateType) - no video service");
        return;
    }
    myAuthenticationCancelled = false;
    // A new sign-in lets its result through again (see captchaChallenge).
    myAuthenticationResultSuppressed = false;
    removeAccountNotices();

    QPointer<OneButtonDialog> wait = new OneButtonDialog(&myMainWindow);
    wait->setText(TEXT_VERIFYING_ACCOUNT());
    wait->setButtonText(TEXT_CANCEL());
    wait->setProgressIndicatorBusy(true);
    wait->showProgressIndicator(true);
    myAuthenticationWaitDialog = wait;

    myService->authenticate(type);
    // The answer, a captcha challenge or another sign-in closes the notice through
    // closeAuthenticationWaitDialog(); one that came at once leaves nothing to wait for.
    if (myAuthenticationWaitDialog == wait)
        myPrompt->runDialog(wait);

    if (wait && myAuthenticationWaitDialog == wait) {
        // The user ended the wait ("Cancel", or Escape): whatever the service still
        // reports of this sign-in is not shown.
        myAuthenticationCancelled = true;
        myAuthenticationResultSuppressed = true;
        myAuthenticationWaitDialog = nullptr;
        myService->cancelAuthentication();
        delete wait;
    }
}

void MainController::authenticated(bool done, const QString& text)
{
    qCDebug(lcApp, "void MainController::authenticated(bool, QString) start");
    if (myAuthenticationCancelled || myAuthenticationResultSuppressed) {
        qCDebug(lcApp, "void MainController::authenticated(bool, QString) - result not shown (%s)",
                myAuthenticationCancelled ? "cancelled" : "suppressed");
        return;
    }
    removeAccountNotices();
    if (done && myRepository.addAccountPlayListFolder() < 0)
        qCWarning(lcApp,
                  "void MainController::authenticated(bool, QString) - the account's playlist folder was not added");

    auto* notice = new OneButtonDialog(&myMainWindow);
    notice->setModal(false);
    notice->setTitle(done ? TEXT_ACCOUNT_VERIFIED() : TEXT_SIGN_IN_FAILED());
    notice->setText(text);
    // However the user closes it (its button or Escape), the outcome is passed on.
    connect(notice, &QDialog::finished, this, done ? &MainController::accountVerified : &MainController::accountNotVerified);
    connect(notice, &QDialog::finished, notice, &QObject::deleteLater);
    myAccountNotice = notice;
    myPrompt->showDialog(notice);
    qCDebug(lcApp, "void MainController::authenticated(bool, QString) end");
}

void MainController::captchaChallenge()
{
    qCDebug(lcApp, "void MainController::captchaChallenge() start");
    if (mySettingsPage)
        mySettingsPage->showCaptchaView();
    if (!myAuthenticationResultSuppressed) {
        myAuthenticationResultSuppressed = true;
        closeAuthenticationWaitDialog();
    }
    qCDebug(lcApp, "void MainController::captchaChallenge() end");
}

void MainController::verifyCaptcha()
{
    if (!myService) {
        qCDebug(lcApp, "Captcha cannot be verified, because         videoservice hasn't been defined");
        return;
    }
    // The answer decides the sign-in: its outcome is shown and passed on, and a
    // wrong answer brings the next challenge.
    signIn(eCaptchaLogin);
}

void MainController::accountVerified()
{
    if (mySettingsPage)
        mySettingsPage->accountVerified();
    Q_EMIT accountVerificationFinished(true);
}

void MainController::accountNotVerified()
{
    if (mySettingsPage)
        mySettingsPage->accountNotVerified();
    Q_EMIT accountVerificationFinished(false);
}

void MainController::accountSettingChanged(const QString& key, int value)
{
    if (key != SETTING_YOUTUBE_ACCOUNT_SIGNED_IN || value != 0)
        return;
    // What was read from the account is the account's, not the device's: the next
    // sign-in brings it back.
    if (myRepository.removeAccountPlayLists() != eRepOk) {
        qCWarning(lcApp,
                  "void MainController::accountSettingChanged(const QString&, int) - the account's playlists stay");
        return;
    }
    myFavoriteController->refreshLists();
}

void MainController::closeAuthenticationWaitDialog()
{
    QPointer<OneButtonDialog> wait = myAuthenticationWaitDialog;
    myAuthenticationWaitDialog = nullptr;
    if (!wait)
        return;
    // Ends its modal loop; it is deleted once that loop has returned.
    wait->done(QDialog::Rejected);
    wait->deleteLater();
}

void MainController::removeAccountNotices()
{
    closeAuthenticationWaitDialog();
    if (myAccountNotice) {
        // Removed, not answered: its outcome belongs to the sign-in before.
        myAccountNotice->disconnect(this);
        myAccountNotice->close();
        myAccountNotice->deleteLater();
        myAccountNotice = nullptr;
    }
}
