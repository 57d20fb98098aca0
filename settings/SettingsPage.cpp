#include "settings/SettingsPage.h"

#include "core/Repository.h"
#include "core/constants/Settings.h"
#include "settings/SettingsConstants.h"
#include "settings/SettingsLogging.h"
#include "settings/SettingsStyles.h"
#include "settings/SettingsTexts.h"
#include "settings/SettingsViewAccount.h"
#include "settings/SettingsViewCaptcha.h"
#include "settings/SettingsViewGeneral.h"
#include "settings/SettingsViewPlay.h"
#include "settings/SettingsViewResult.h"
#include "shell/BackButton.h"
#include "shell/PageHeader.h"
#include "shell/PageHistory.h"
#include "shell/ShellStyles.h"

#include <QDebug>
#include <QKeyEvent>
#include <QStackedWidget>
#include <QTabBar>
#include <QTabWidget>
#include <QVBoxLayout>

namespace {

// What a trace may show of a stored text: the account's secrets stay out of it.
QString traceable(const QString& key, const QString& value)
{
    const bool secret = key == SETTING_YOUTUBE_PASSWORD || key == SETTING_YOUTUBE_AUTHENTICATION_TOKEN
                        || key == SETTING_YOUTUBE_CAPTCHA_TOKEN;
    return secret ? QStringLiteral("(not shown)") : value;
}

} // namespace

SettingsPage::SettingsPage(QWidget* parent, Repository* repository, PageHistory* history)
    : PageBase(parent),
      myMainLayout(new QVBoxLayout),
      myHeader(new PageHeader(TEXT_SETTINGS_TITLE(), this)),
      myTabWidget(new QTabWidget(this)),
      myAccountStack(new QStackedWidget(this)),
      myAccountView(new SettingsViewAccount(repository, this)),
      myPlayView(nullptr),
      myResultView(nullptr),
      myGeneralView(nullptr),
      myCaptchaView(new SettingsViewCaptcha(repository, this)),
      myRepository(repository),
      myHistory(history)
{
    // The header's back button goes back one page, held down or not.
    connect(myHeader->getBackButton(), &BackButton::backButtonClicked, this, [this]() { backButtonClicked(); });

    myTabWidget->setContentsMargins(0, 0, 0, 0);
    // The tab bar spans the row and its tabs share it (see STYLE_SETTINGS_TABS).
    myTabWidget->setDocumentMode(true);
    myTabWidget->tabBar()->setExpanding(true);
    myTabWidget->setStyleSheet(STYLE_SETTINGS_TABS);
    myAccountStack->addWidget(myAccountView);
    myAccountStack->addWidget(myCaptchaView);
    connect(myCaptchaView, &SettingsViewCaptcha::verifyCaptcha, this, &SettingsPage::verifyCaptchaClicked);
    myPlayView = new SettingsViewPlay(this);
    myResultView = new SettingsViewResult(this);
    myGeneralView = new SettingsViewGeneral(this);
    connectViews();

    myTabWidget->addTab(myAccountStack, TEXT_TAB_ACCOUNT());
    myTabWidget->addTab(myPlayView, TEXT_TAB_PLAY());
    myTabWidget->addTab(myResultView, TEXT_TAB_RESULTS());
    myTabWidget->addTab(myGeneralView, TEXT_TAB_GENERAL());

    myMainLayout->setContentsMargins(0, 0, 0, 0);
    myMainLayout->setSpacing(0);
    myMainLayout->addWidget(myHeader);
    myMainLayout->addWidget(myTabWidget, 1);
    setLayout(myMainLayout);
    setStyleSheet(STYLE_PAGE + STYLE_SETTINGS_TRANSPARENT_VIEWS);

    // Every view is connected: a control that changes while it is set from the
    // store reports it like the user's change, and it is stored again.
    loadStoredValues();
}

SettingsPage::~SettingsPage()
{
    qCDebug(lcSettings) << "SettingsPage::~SettingsPage no implementation";
}

void SettingsPage::connectViews()
{
    connect(myAccountView, &SettingsViewAccount::authenticate, this, &SettingsPage::authenticationRequired);
    connect(myResultView, &SettingsViewResult::adultCheckBoxStateChanged, this, &SettingsPage::settingsIntegerChanged);
    connect(myGeneralView, &SettingsViewGeneral::completionCheckBoxStateChanged, this,
            &SettingsPage::settingsIntegerChanged);
    connect(myGeneralView, &SettingsViewGeneral::diskSpaceLimitChanged, this, &SettingsPage::settingsIntegerChanged);
    connect(myGeneralView, &SettingsViewGeneral::clearPlayHistory, this, &SettingsPage::clearPlayHistory);
    connect(myGeneralView, &SettingsViewGeneral::clearSearchHistory, this, &SettingsPage::clearSearchHistory);
    connect(myPlayView, &SettingsViewPlay::fullScreenActivationChanged, this, &SettingsPage::settingsIntegerChanged);
    connect(myPlayView, &SettingsViewPlay::keepAspectRatioChanged, this, &SettingsPage::settingsIntegerChanged);
    connect(myPlayView, &SettingsViewPlay::playingStartChanged, this, &SettingsPage::settingsIntegerChanged);
    connect(myAccountView, &SettingsViewAccount::disableHildonInput, this, &SettingsPage::disableHildonNeeded);
    connect(myResultView, &SettingsViewResult::resultLimitChanged, this, &SettingsPage::settingsIntegerChanged);
    connect(myResultView, &SettingsViewResult::uploadedTimeChanged, this, &SettingsPage::settingsStringChanged);
    connect(myResultView, &SettingsViewResult::sortingOrderChanged, this, &SettingsPage::settingsIntegerChanged);
    connect(myTabWidget, &QTabWidget::currentChanged, this, &SettingsPage::disableHildonNeeded);
    connect(this, &SettingsPage::focusTabWidget, myResultView, &SettingsViewResult::focusWidget);
}

void SettingsPage::loadStoredValues()
{
    myRepository->getSetting(SETTING_ACTIVATE_IN_FULLSCREEN, myFullScreenActivation);
    myRepository->getSetting(SETTING_KEEP_ASPECT_RATIO, myKeepAspectRatio);
    myRepository->getSetting(SETTING_START_PLAYING, myStartPlaying);
    myRepository->getSetting(SETTING_DISK_SPACE_LIMIT, myDiskSpaceLimit);
    myRepository->getSetting(SETTING_RESTRICTED_CONTENT, myRestrictedContent);
    // A damaged adult-content switch reads as 0, which would tick "Include adult
    // content": a value that is not a number counts as restricted, as the searches
    // take it.
    QString restricted;
    myRepository->getSetting(SETTING_RESTRICTED_CONTENT, restricted);
    bool isNumber = false;
    restricted.trimmed().toInt(&isNumber, 10);
    if (!isNumber)
        myRestrictedContent = DEFAULT_RESTRICTED_CONTENT;
    myRepository->getSetting(SETTING_AMOUNT_OF_RESULTS, myAmountOfResults);
    myRepository->getSetting(SETTING_TIME_FILTER, myTimeFilter);
    myRepository->getSetting(SETTING_DEFAULT_SORTING_ORDER, myDefaultSortingOrder);
    int completion = 0;
    myRepository->getSetting(SETTING_SEARCH_COMPLETION_ENABLED, completion);

    myGeneralView->setDiskSpaceLimit(myDiskSpaceLimit);
    myGeneralView->setCompletionCheckBoxState(completion);
    myPlayView->setSelections(myFullScreenActivation, myKeepAspectRatio, myStartPlaying);
    myResultView->setSelections(myAmountOfResults, myTimeFilter);
    myResultView->setAdultCheckBoxState(myRestrictedContent);

    qCDebug(lcSettings) << "SettingsPage: loaded" << myFullScreenActivation << myKeepAspectRatio << "myStartPlaying"
                        << myStartPlaying << myDiskSpaceLimit << myRestrictedContent << myAmountOfResults
                        << myTimeFilter << myDefaultSortingOrder;
}

void SettingsPage::setPrompt(UserPrompt* prompt)
{
    for (SettingsViewBase* view : std::initializer_list<SettingsViewBase*>{myAccountView, myCaptchaView, myPlayView,
                                                                          myResultView, myGeneralView})
        view->setPrompt(prompt);
}

void SettingsPage::setSortingOrders(const CategoryMap& orders)
{
    mySortingOrders = orders;
    myResultView->setSortingOrders(mySortingOrders, myDefaultSortingOrder);
}

void SettingsPage::focusFirstTab()
{
    myTabWidget->setCurrentIndex(SETTINGS_TAB_ACCOUNT);
    myTabWidget->setFocus(Qt::OtherFocusReason);
}

void SettingsPage::showCaptchaView()
{
    myCaptchaView->loadPicture();
    myAccountStack->setCurrentWidget(myCaptchaView);
}

void SettingsPage::accountVerified()
{
    myAccountView->accountVerified();
}

void SettingsPage::accountNotVerified()
{
    myAccountView->accountNotVerified();
}

void SettingsPage::addToPageHistory()
{
}

void SettingsPage::backButtonClicked()
{
    // Once per showing: a second press before the page changes does nothing.
    if (isVisible())
        myHistory->emitBack(false);
}

void SettingsPage::authenticationRequired()
{
    Q_EMIT authenticate();
}

void SettingsPage::disableHildonNeeded()
{
    Q_EMIT disableHildonRequest();
}

void SettingsPage::verifyCaptchaClicked()
{
    myAccountStack->setCurrentWidget(myAccountView);
    Q_EMIT verifyCaptcha();
}

void SettingsPage::clearPlayHistory()
{
    const bool cleared = myRepository->deleteAllHistoryEntries() == eRepOk;
    myGeneralView->historyCleared(SettingsViewGeneral::eVideoHistory, cleared);
}

void SettingsPage::clearSearchHistory()
{
    // A store that refused keeps its rows: the search page's list keeps showing them.
    const bool cleared = myRepository->clearSearchHistory() == eRepOk;
    if (cleared)
        Q_EMIT clearSearchHistoryModel();
    myGeneralView->historyCleared(SettingsViewGeneral::eSearchHistory, cleared);
}

void SettingsPage::settingsIntegerChanged(const QString& key, int value)
{
    qCDebug(lcSettings) << "void SettingsPage::settingsIntegerChanged(const QString&, int)" << key << value;
    myRepository->setSetting(key, value);
}

void SettingsPage::settingsStringChanged(const QString& key, const QString& value)
{
    qCDebug(lcSettings) << "void SettingsPage::settingsStringChanged(const QString&, QString)" << key
                        << traceable(key, value);
    myRepository->setSetting(key, value);
    qCDebug(lcSettings) << "void SettingsPage::settingsStringChanged(const QString&, QString)" << key
                        << traceable(key, value) << "stored";
}

void SettingsPage::keyPressEvent(QKeyEvent* event)
{
    const int current = myTabWidget->currentIndex();
    switch (event->key()) {
    case Qt::Key_Return:
    case Qt::Key_Enter:
        if (myHeader->getBackButton()->hasFocus()) {
            backButtonClicked();
            return;
        }
        break;
    case Qt::Key_Right:
        // On the last tab this names no tab, and nothing changes.
        myTabWidget->setCurrentIndex(current + 1);
        return;
    case Qt::Key_Left:
        if (current > 0)
            myTabWidget->setCurrentIndex(current - 1);
        return;
    case Qt::Key_Up:
        Q_EMIT focusTabWidget(SETTINGS_FOCUS_PREVIOUS);
        return;
    case Qt::Key_Down:
        Q_EMIT focusTabWidget(SETTINGS_FOCUS_NEXT);
        return;
    default:
        break;
    }
    PageBase::keyPressEvent(event);
}
