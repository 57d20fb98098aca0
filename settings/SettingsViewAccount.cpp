#include "settings/SettingsViewAccount.h"

#include "core/Repository.h"
#include "core/constants/Settings.h"
#include "service/ServiceEndpoints.h"
#include "settings/SettingsConstants.h"
#include "settings/SettingsLogging.h"
#include "settings/SettingsStyles.h"
#include "settings/SettingsTexts.h"
#include "shell/BrowserLauncher.h"
#include "shell/ShellStyles.h"

#include <QDebug>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

#include <tuple>

SettingsViewAccount::SettingsViewAccount(Repository* repository, QWidget* parent)
    : SettingsViewBase(parent),
      myMainLayout(new QVBoxLayout(this)),
      myUserNameRow(new QHBoxLayout),
      myPasswordRow(new QHBoxLayout),
      myButtonRow(new QHBoxLayout),
      myLinkRow(new QHBoxLayout),
      myTitleLabel(new QLabel(TEXT_ACCOUNT_INFORMATION(), this)),
      myUserNameLabel(new QLabel(TEXT_USERNAME(), this)),
      myPasswordLabel(new QLabel(TEXT_PASSWORD(), this)),
      myNoAccountLabel(new QLabel(TEXT_NO_ACCOUNT(), this)),
      myUserNameEdit(new QLineEdit(this)),
      myPasswordEdit(new QLineEdit(this)),
      myLinkButton(new QPushButton(TEXT_SERVICE_SITE_NAME(), this)),
      mySignButton(new QPushButton(this)),
      myRepository(repository),
      myBrowserLauncher(new BrowserLauncher(this)),
      mySiteUrl(ServiceEndpoints::fromEnvironment().root(ServiceEndpoints::eWeb) + QLatin1Char('/'))
{
    // A sign-in that a previous run asked for and never saw answered leaves
    // nothing behind.
    readSignedIn();
    if (mySignedIn == 0)
        myRepository->clearAccount();

    for (QLabel* label : {myTitleLabel, myUserNameLabel, myPasswordLabel})
        label->setStyleSheet(STYLE_LABEL_18);
    myNoAccountLabel->setStyleSheet(STYLE_LABEL_12);
    myNoAccountLabel->setAlignment(Qt::AlignRight | Qt::AlignCenter);
    myPasswordEdit->setEchoMode(QLineEdit::Password);
    for (QLineEdit* field : {myUserNameEdit, myPasswordEdit}) {
        field->setMaximumSize(SETTINGS_FIELD_MAX_SIZE);
        field->setStyleSheet(STYLE_SETTINGS_LINE_EDIT);
    }
    mySignButton->setStyleSheet(STYLE_PUSH_BUTTON);
    mySignButton->setMinimumSize(SETTINGS_BIG_BUTTON_MIN_SIZE);
    myLinkButton->setStyleSheet(STYLE_SITE_LINK_BUTTON);
    myLinkButton->setMinimumSize(ACCOUNT_LINK_MIN_WIDTH, ACCOUNT_LINK_MIN_HEIGHT);
    myLinkButton->setMaximumWidth(ACCOUNT_LINK_MAX_WIDTH);

    if (mySignedIn != 0) {
        showSignedIn();
    } else {
        mySignButton->setText(TEXT_SIGN_IN());
        mySignButton->setEnabled(false);
    }

    myMainLayout->setSpacing(SETTINGS_VIEW_SPACING);
    myMainLayout->addWidget(myTitleLabel, 0);
    for (QHBoxLayout* row : {myUserNameRow, myPasswordRow, myButtonRow, myLinkRow}) {
        myMainLayout->addStretch(1);
        myMainLayout->addLayout(row);
    }
    myMainLayout->addStretch(1);
    for (auto [row, label, field] : {std::tuple{myUserNameRow, myUserNameLabel, myUserNameEdit},
                                     std::tuple{myPasswordRow, myPasswordLabel, myPasswordEdit}}) {
        row->addSpacing(SETTINGS_ROW_SPACING);
        row->addWidget(label, 1);
        row->addSpacing(ACCOUNT_LABEL_FIELD_GAP);
        row->addWidget(field, 2);
        row->addStretch(1);
    }
    myButtonRow->addStretch(1);
    myButtonRow->addWidget(mySignButton, 0);
    myButtonRow->addStretch(1);
    myLinkRow->addStretch(1);
    myLinkRow->addWidget(myNoAccountLabel, 1);
    myLinkRow->addWidget(myLinkButton, 1);
    myLinkRow->addStretch(1);

    connect(mySignButton, &QPushButton::clicked, this, &SettingsViewAccount::verifyAccountInformation);
    connect(myUserNameEdit, &QLineEdit::textChanged, this, &SettingsViewAccount::textChangedInLineEdit);
    connect(myPasswordEdit, &QLineEdit::textChanged, this, &SettingsViewAccount::textChangedInLineEdit);
    connect(myLinkButton, &QPushButton::clicked, this, &SettingsViewAccount::youtubeLinkClicked);
    connect(myBrowserLauncher, &BrowserLauncher::openFailed, this, &SettingsViewAccount::browserFailed);
    for (QWidget* watched : std::initializer_list<QWidget*>{mySignButton, myUserNameEdit, myPasswordEdit})
        watched->installEventFilter(this);
}

SettingsViewAccount::~SettingsViewAccount() = default;

void SettingsViewAccount::readSignedIn()
{
    myRepository->getSetting(SETTING_YOUTUBE_ACCOUNT_SIGNED_IN, mySignedIn);
}

void SettingsViewAccount::showSignedIn()
{
    QString userName;
    QString password;
    myRepository->getSetting(SETTING_YOUTUBE_USERNAME, userName);
    myRepository->getSetting(SETTING_YOUTUBE_PASSWORD, password);
    myUserNameEdit->setText(userName);
    myPasswordEdit->setText(password);
    myUserNameEdit->setEnabled(false);
    myPasswordEdit->setEnabled(false);
    mySignButton->setText(TEXT_SIGN_OUT());
    mySignButton->setEnabled(true);
}

void SettingsViewAccount::verifyAccountInformation()
{
    Q_EMIT disableHildonInput();
    myRepository->clearAccount();
    if (mySignedIn == 0) {
        myUserName = myUserNameEdit->text();
        myPassword = myPasswordEdit->text();
        myRepository->setSetting(SETTING_YOUTUBE_USERNAME, myUserName);
        myRepository->setSetting(SETTING_YOUTUBE_PASSWORD, myPassword);
        Q_EMIT authenticate();
        return;
    }
    myRepository->setSetting(SETTING_YOUTUBE_ACCOUNT_SIGNED_IN, 0);
    readSignedIn();
    myPasswordEdit->clear();
    myUserNameEdit->clear();
    mySignButton->setText(TEXT_SIGN_IN());
    myUserNameEdit->setEnabled(true);
    myPasswordEdit->setEnabled(true);
}

void SettingsViewAccount::accountVerified()
{
    qCDebug(lcSettings) << "accountVerified";
    myRepository->setSetting(SETTING_YOUTUBE_ACCOUNT_SIGNED_IN, 1);
    readSignedIn();
    // The fields show the account that was signed in, also when they were edited
    // while its notice was up.
    showSignedIn();
}

void SettingsViewAccount::accountNotVerified()
{
    myRepository->clearAccount();
    myRepository->setSetting(SETTING_YOUTUBE_ACCOUNT_SIGNED_IN, 0);
    readSignedIn();
    // The fields keep what was typed: the user may try again at once (the refusal
    // may have been the network's), or correct a field first.
    textChangedInLineEdit(QString());
}

void SettingsViewAccount::textChangedInLineEdit(const QString& text)
{
    Q_UNUSED(text);
    mySignButton->setEnabled(!myUserNameEdit->text().isEmpty() && !myPasswordEdit->text().isEmpty());
}

void SettingsViewAccount::youtubeLinkClicked()
{
    myBrowserLauncher->openUrl(mySiteUrl);
}

void SettingsViewAccount::browserFailed(const QUrl& url)
{
    inform(TEXT_BROWSER_FAILED().arg(url.toString()));
}

bool SettingsViewAccount::eventFilter(QObject* watched, QEvent* event)
{
    if (event->type() != QEvent::KeyPress)
        return SettingsViewBase::eventFilter(watched, event);
    const auto* key = static_cast<QKeyEvent*>(event);
    switch (key->key()) {
    case Qt::Key_Up:
        qCDebug(lcSettings) << "focusPreviousChild();";
        focusNextPrevChild(false);
        return true;
    case Qt::Key_Down:
        qCDebug(lcSettings) << "focusNextChild();";
        focusNextPrevChild(true);
        return true;
    case Qt::Key_Return:
    case Qt::Key_Enter:
        if ((watched == myPasswordEdit || watched == mySignButton) && mySignButton->isEnabled()) {
            verifyAccountInformation();
            return true;
        }
        return false;
    default:
        return false;
    }
}
