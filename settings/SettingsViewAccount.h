#ifndef KRELVOX_SETTINGSVIEWACCOUNT_H
#define KRELVOX_SETTINGSVIEWACCOUNT_H

#include "settings/SettingsViewBase.h"

#include <QUrl>

class BrowserLauncher;
class QHBoxLayout;
class QLabel;
class QLineEdit;
class QPushButton;
class QVBoxLayout;
class Repository;

// "Account Info": the user name and password, one button that signs in or out, and
// a link to the service's web site for those without an account. A sign-in stores
// the two fields and asks for it (authenticate); its outcome comes back through
// accountVerified or accountNotVerified once the user has closed the outcome's
// notice. Signing out is local: the stored account and the signed-in flag are
// cleared and nothing is sent. This view is the only writer of
// SETTING_YOUTUBE_ACCOUNT_SIGNED_IN.
class SettingsViewAccount : public SettingsViewBase
{
    Q_OBJECT
public:
    SettingsViewAccount(Repository* repository, QWidget* parent);
    ~SettingsViewAccount() override;

    // The outcome of the sign-in asked for.
    void accountVerified();
    void accountNotVerified();

    bool isSignedIn() const { return mySignedIn != 0; }
    QLineEdit* getUserNameEdit() const { return myUserNameEdit; }
    QLineEdit* getPasswordEdit() const { return myPasswordEdit; }
    QPushButton* getSignButton() const { return mySignButton; }
    QPushButton* getLinkButton() const { return myLinkButton; }
    BrowserLauncher* getBrowserLauncher() const { return myBrowserLauncher; }
    QUrl getSiteUrl() const { return mySiteUrl; }

Q_SIGNALS:
    void authenticate();
    void disableHildonInput();

private Q_SLOTS:
    void verifyAccountInformation();
    void textChangedInLineEdit(const QString& text);
    void youtubeLinkClicked();
    void browserFailed(const QUrl& url);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    // Reads the flag back after each write, so the view shows what is stored.
    void readSignedIn();
    void showSignedIn();

    QVBoxLayout* myMainLayout;
    QHBoxLayout* myUserNameRow;
    QHBoxLayout* myPasswordRow;
    QHBoxLayout* myButtonRow;
    QHBoxLayout* myLinkRow;
    QLabel* myTitleLabel;
    QLabel* myUserNameLabel;
    QLabel* myPasswordLabel;
    QLabel* myNoAccountLabel;
    QLineEdit* myUserNameEdit;
    QLineEdit* myPasswordEdit;
    QPushButton* myLinkButton;
    QPushButton* mySignButton;
    QString myUserName;
    QString myPassword;
    Repository* myRepository;
    int mySignedIn = 0;
    BrowserLauncher* myBrowserLauncher;
    QUrl mySiteUrl;
};

#endif
