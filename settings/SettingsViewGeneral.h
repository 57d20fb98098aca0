#ifndef KRELVOX_SETTINGSVIEWGENERAL_H
#define KRELVOX_SETTINGSVIEWGENERAL_H

#include "settings/SettingsViewBase.h"

class QCheckBox;
class QLabel;
class QPushButton;
class QVBoxLayout;
class SelectionBox;

// "General Options": the disk space limit that a stored favourite must leave free,
// emptying the viewing and the search history, and the search suggestions. It
// stores nothing itself: every change goes out as (key, value) and the settings page
// stores it; the page also empties the histories, and the view tells the user how
// that went (historyCleared).
class SettingsViewGeneral : public SettingsViewBase
{
    Q_OBJECT
public:
    explicit SettingsViewGeneral(QWidget* parent);
    ~SettingsViewGeneral() override;

    // The stored values, once after construction. A limit that is not offered
    // leaves the box as it is; a completion value of 1 or more ticks the box (a
    // change that is reported like the user's).
    void setDiskSpaceLimit(int megabytes);
    void setCompletionCheckBoxState(int value);

    enum eHistory { eVideoHistory, eSearchHistory };
    // The history asked for by its "Clear" button was emptied (cleared) or the store
    // refused: a notice says which.
    void historyCleared(eHistory history, bool cleared);

    SelectionBox* getLimitBox() const { return myLimitBox; }
    QPushButton* getVideoHistoryButton() const { return myVideoHistoryButton; }
    QPushButton* getSearchHistoryButton() const { return mySearchHistoryButton; }
    QCheckBox* getCompletionCheckBox() const { return myCompletionCheckBox; }

Q_SIGNALS:
    void diskSpaceLimitChanged(const QString& key, int value);
    void clearPlayHistory();
    void clearSearchHistory();
    void completionCheckBoxStateChanged(const QString& key, int value);

private Q_SLOTS:
    void diskSpaceLimitChange(const QString& text);
    void clearPlayHistoryClicked();
    void clearSearchHistoryClicked();
    void completionCheckBoxStateChange(int state);

protected:
    void boxStepped(SelectionBox* box) override;

private:
    QVBoxLayout* myMainLayout;
    QLabel* myTitleLabel;
    QLabel* myLimitLabel;
    SelectionBox* myLimitBox;
    QPushButton* myVideoHistoryButton;
    QPushButton* mySearchHistoryButton;
    QCheckBox* myCompletionCheckBox;
};

#endif
