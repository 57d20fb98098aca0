#ifndef KRELVOX_SETTINGSVIEWRESULT_H
#define KRELVOX_SETTINGSVIEWRESULT_H

#include "core/Types.h"
#include "settings/SettingsViewBase.h"

class QCheckBox;
class QLabel;
class QVBoxLayout;
class SelectionBox;

// "Search Results": how many results a page holds, their time frame, the default
// sort order and whether adult content is included (stored inverted, as
// SETTING_RESTRICTED_CONTENT). Every change goes out as (key, value) for the
// settings page to store.
class SettingsViewResult : public SettingsViewBase
{
    Q_OBJECT
public:
    explicit SettingsViewResult(QWidget* parent);
    ~SettingsViewResult() override;

    // The stored values, once after construction. A limit that is not offered
    // shows "30" (the store keeps it until the box is next closed); a time frame
    // that is not one of the four texts leaves the box as it is.
    void setSelections(int resultLimit, const QString& timeFrame);
    // Ticked for 0 or less (a tick reported like the user's), unticked otherwise.
    void setAdultCheckBoxState(int restricted);
    // The service's sort orders: their labels in key order, then the stored index
    // selected; an index outside the list leaves the first entry selected.
    void setSortingOrders(const CategoryMap& orders, int index);

    SelectionBox* getLimitBox() const { return myLimitBox; }
    SelectionBox* getTimeFrameBox() const { return myTimeFrameBox; }
    SelectionBox* getSortingOrderBox() const { return mySortingOrderBox; }
    QCheckBox* getAdultCheckBox() const { return myAdultCheckBox; }

public Q_SLOTS:
    // 1 moves the focus to the next control, 0 to the previous one.
    void focusWidget(int focusDirection);

Q_SIGNALS:
    void resultLimitChanged(const QString& key, int value);
    void uploadedTimeChanged(const QString& key, const QString& value);
    void sortingOrderChanged(const QString& key, int value);
    void adultCheckBoxStateChanged(const QString& key, int value);

private Q_SLOTS:
    void limitChange(const QString& text);
    void yearChange(const QString& text);
    void sortingChange(const QString& text);
    void adultCheckBoxStateChange(int state);

protected:
    void boxStepped(SelectionBox* box) override;

private:
    QLabel* myTitleLabel;
    QLabel* myLimitLabel;
    QLabel* myTimeFrameLabel;
    QLabel* mySortingOrderLabel;
    SelectionBox* myLimitBox;
    SelectionBox* myTimeFrameBox;
    SelectionBox* mySortingOrderBox;
    QCheckBox* myAdultCheckBox;
    QVBoxLayout* myMainLayout;
    CategoryMap mySortingOrders;
};

#endif
