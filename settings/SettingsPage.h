#ifndef KRELVOX_SETTINGSPAGE_H
#define KRELVOX_SETTINGSPAGE_H

#include "core/Types.h"
#include "shell/PageBase.h"

class PageHeader;
class PageHistory;
class QKeyEvent;
class QStackedWidget;
class QTabWidget;
class QVBoxLayout;
class Repository;
class UserPrompt;
class SettingsViewAccount;
class SettingsViewCaptcha;
class SettingsViewGeneral;
class SettingsViewPlay;
class SettingsViewResult;

// The settings page: four tabs ("Account Info", "Play Options", "Search Results",
// "General Options"); the first holds the account view, which the captcha view
// replaces while a captcha waits for its answer. The page reads the stored options
// once, when it is built, and hands them to the views; afterwards it stores every
// change a view reports. Integer options are announced by the repository
// (settingChanged), the time frame is read by its readers when they need it. Sign-in,
// captcha answers and the emptied search history go to the application controller
// as signals. The page never records itself in the page history.
class SettingsPage : public PageBase
{
    Q_OBJECT
public:
    SettingsPage(QWidget* parent, Repository* repository, PageHistory* history);
    ~SettingsPage() override;

    // How the views' notices reach the user (the program's prompt, not owned).
    void setPrompt(UserPrompt* prompt);
    // The service's sort orders, for the default sorting order of the result view.
    void setSortingOrders(const CategoryMap& orders);
    // "Account Info" current, the keyboard focus on the tabs.
    void focusFirstTab();
    // The captcha view takes the account view's place until it is answered.
    void showCaptchaView();
    void accountVerified();
    void accountNotVerified();

    PageHeader* getHeader() const { return myHeader; }
    QTabWidget* getTabWidget() const { return myTabWidget; }
    QStackedWidget* getAccountStack() const { return myAccountStack; }
    SettingsViewAccount* getAccountView() const { return myAccountView; }
    SettingsViewCaptcha* getCaptchaView() const { return myCaptchaView; }
    SettingsViewPlay* getPlayView() const { return myPlayView; }
    SettingsViewResult* getResultView() const { return myResultView; }
    SettingsViewGeneral* getGeneralView() const { return myGeneralView; }

public Q_SLOTS:
    void addToPageHistory() override;
    void settingsIntegerChanged(const QString& key, int value);
    void settingsStringChanged(const QString& key, const QString& value);

Q_SIGNALS:
    void verifyCaptcha();
    void authenticate();
    void disableHildonRequest();
    // 0 after Up, 1 after Down.
    void focusTabWidget(int direction);
    void clearSearchHistoryModel();

private Q_SLOTS:
    void backButtonClicked();
    void authenticationRequired();
    void disableHildonNeeded();
    void verifyCaptchaClicked();
    void clearPlayHistory();
    void clearSearchHistory();

protected:
    void keyPressEvent(QKeyEvent* event) override;

private:
    void connectViews();
    void loadStoredValues();

    QVBoxLayout* myMainLayout;
    PageHeader* myHeader;
    QTabWidget* myTabWidget;
    QStackedWidget* myAccountStack;
    SettingsViewAccount* myAccountView;
    SettingsViewPlay* myPlayView;
    SettingsViewResult* myResultView;
    SettingsViewGeneral* myGeneralView;
    SettingsViewCaptcha* myCaptchaView;
    Repository* myRepository;
    PageHistory* myHistory;
    CategoryMap mySortingOrders;
    // The stored values read when the page was built.
    int myFullScreenActivation = 0;
    int myKeepAspectRatio = 0;
    int myStartPlaying = 0;
    int myDiskSpaceLimit = 0;
    int myRestrictedContent = 0;
    int myAmountOfResults = 0;
    QString myTimeFilter;
    int myDefaultSortingOrder = 0;
};

#endif
