#include "settings/SettingsViewResult.h"

#include "core/constants/Settings.h"
#include "settings/SettingsConstants.h"
#include "settings/SettingsLogging.h"
#include "settings/SettingsStyles.h"
#include "settings/SettingsTexts.h"
#include "shell/ShellStyles.h"
#include "widgets/SelectionBox.h"

#include <QCheckBox>
#include <QDebug>
#include <QGridLayout>
#include <QLabel>
#include <QVBoxLayout>

#include <iterator>

namespace {

// The time frames as they are shown and stored.
const QStringList& timeFrames()
{
    static const QStringList texts = {TIME_FILTER_TODAY, TIME_FILTER_THIS_WEEK, TIME_FILTER_THIS_MONTH,
                                      TIME_FILTER_ANY_TIME};
    return texts;
}

} // namespace

SettingsViewResult::SettingsViewResult(QWidget* parent)
    : SettingsViewBase(parent),
      myTitleLabel(new QLabel(TEXT_GENERAL_RESULTS(), this)),
      myLimitLabel(new QLabel(TEXT_LIMIT_RESULTS(), this)),
      myTimeFrameLabel(new QLabel(TEXT_RESULT_TIME_FRAME(), this)),
      mySortingOrderLabel(new QLabel(TEXT_DEFAULT_SORTING_ORDER(), this)),
      myLimitBox(new SelectionBox(0, this)),
      myTimeFrameBox(new SelectionBox(0, this)),
      mySortingOrderBox(new SelectionBox(0, this)),
      myAdultCheckBox(new QCheckBox(TEXT_INCLUDE_ADULT_CONTENT(), this)),
      myMainLayout(new QVBoxLayout(this))
{
    for (QLabel* label : {myTitleLabel, myLimitLabel, myTimeFrameLabel, mySortingOrderLabel})
        label->setStyleSheet(STYLE_LABEL_18);
    QStringList limits;
    for (const int limit : RESULT_LIMITS)
        limits << QString::number(limit);
    myLimitBox->setItems(limits);
    myTimeFrameBox->setItems(timeFrames());
    myAdultCheckBox->setObjectName(QStringLiteral("myAdultCheckBox"));
    myAdultCheckBox->setStyleSheet(STYLE_SETTINGS_CHECK_BOX);

    myMainLayout->setSpacing(SETTINGS_VIEW_SPACING);
    myMainLayout->addWidget(myTitleLabel, 1, Qt::AlignTop);
    auto* grid = new QGridLayout;
    grid->setContentsMargins(SETTINGS_GRID_MARGIN, SETTINGS_GRID_MARGIN, SETTINGS_GRID_MARGIN, SETTINGS_GRID_MARGIN);
    grid->setHorizontalSpacing(SETTINGS_GRID_SPACING);
    grid->setVerticalSpacing(SETTINGS_GRID_ROW_SPACING);
    grid->addWidget(myLimitLabel, 0, 0, Qt::AlignLeft);
    grid->addWidget(myLimitBox, 0, 1, Qt::AlignLeft);
    grid->addWidget(myTimeFrameLabel, 1, 0, Qt::AlignLeft);
    grid->addWidget(myTimeFrameBox, 1, 1, Qt::AlignLeft);
    grid->addWidget(mySortingOrderLabel, 2, 0, Qt::AlignLeft);
    grid->addWidget(mySortingOrderBox, 2, 1, Qt::AlignLeft);
    grid->addWidget(myAdultCheckBox, 3, 0);
    myMainLayout->addLayout(grid, 8);

    connect(myAdultCheckBox, &QCheckBox::stateChanged, this, &SettingsViewResult::adultCheckBoxStateChange);
    connect(myLimitBox, &SelectionBox::currentIndexChanged, this, &SettingsViewResult::limitChange);
    connect(myTimeFrameBox, &SelectionBox::currentIndexChanged, this, &SettingsViewResult::yearChange);
    connect(mySortingOrderBox, &SelectionBox::currentIndexChanged, this, &SettingsViewResult::sortingChange);
    for (QWidget* watched : std::initializer_list<QWidget*>{mySortingOrderBox, myTimeFrameBox, myLimitBox,
                                                            myAdultCheckBox})
        watched->installEventFilter(this);
}

SettingsViewResult::~SettingsViewResult() = default;

void SettingsViewResult::setSelections(int resultLimit, const QString& timeFrame)
{
    const auto* found = std::find(std::begin(RESULT_LIMITS), std::end(RESULT_LIMITS), resultLimit);
    myLimitBox->setCurrentIndex(found != std::end(RESULT_LIMITS) ? int(found - std::begin(RESULT_LIMITS))
                                                                 : RESULT_LIMIT_FALLBACK_INDEX);
    const int timeIndex = timeFrames().indexOf(timeFrame);
    if (timeIndex >= 0)
        myTimeFrameBox->setCurrentIndex(timeIndex);
    else
        qCDebug(lcSettings) << "Invalid uploadtime " << timeFrame;
}

void SettingsViewResult::setAdultCheckBoxState(int restricted)
{
    myAdultCheckBox->setCheckState(restricted <= 0 ? Qt::Checked : Qt::Unchecked);
}

void SettingsViewResult::setSortingOrders(const CategoryMap& orders, int index)
{
    mySortingOrders = orders;
    // A QMap gives its values in the order of their keys.
    mySortingOrderBox->setItems(mySortingOrders.values());
    if (index >= 0 && index < mySortingOrderBox->count())
        mySortingOrderBox->setCurrentIndex(index);
}

void SettingsViewResult::focusWidget(int focusDirection)
{
    qCDebug(lcSettings) << "SettingsViewResult::focusWidget";
    if (focusDirection == SETTINGS_FOCUS_NEXT)
        focusNextPrevChild(true);
    else if (focusDirection == SETTINGS_FOCUS_PREVIOUS)
        focusNextPrevChild(false);
    else
        qCDebug(lcSettings) << "SettingsViewResult::focusWidget : Invalid focusDirection";
}

void SettingsViewResult::limitChange(const QString& text)
{
    Q_UNUSED(text);
    const int index = myLimitBox->currentIndex();
    const bool offered = index >= 0 && index < int(std::size(RESULT_LIMITS));
    Q_EMIT resultLimitChanged(SETTING_AMOUNT_OF_RESULTS, RESULT_LIMITS[offered ? index : RESULT_LIMIT_FALLBACK_INDEX]);
}

void SettingsViewResult::yearChange(const QString& text)
{
    Q_UNUSED(text);
    Q_EMIT uploadedTimeChanged(SETTING_TIME_FILTER, myTimeFrameBox->currentText());
}

void SettingsViewResult::sortingChange(const QString& text)
{
    Q_UNUSED(text);
    const int index = mySortingOrderBox->currentIndex();
    // An empty box (no sort orders yet) has nothing to store.
    if (index >= 0)
        Q_EMIT sortingOrderChanged(SETTING_DEFAULT_SORTING_ORDER, index);
}

void SettingsViewResult::adultCheckBoxStateChange(int state)
{
    Q_EMIT adultCheckBoxStateChanged(SETTING_RESTRICTED_CONTENT,
                                     state == Qt::Unchecked ? ADULT_CONTENT_EXCLUDED : ADULT_CONTENT_INCLUDED);
}

void SettingsViewResult::boxStepped(SelectionBox* box)
{
    if (box == myLimitBox)
        limitChange(box->currentText());
    else if (box == myTimeFrameBox)
        yearChange(box->currentText());
    else if (box == mySortingOrderBox)
        sortingChange(box->currentText());
}
