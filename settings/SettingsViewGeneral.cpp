#include "settings/SettingsViewGeneral.h"

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
#include <QKeyEvent>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

#include <iterator>

SettingsViewGeneral::SettingsViewGeneral(QWidget* parent)
    : SettingsViewBase(parent),
      myMainLayout(new QVBoxLayout(this)),
      myTitleLabel(new QLabel(TEXT_GENERAL_OPTIONS(), this)),
      myLimitLabel(new QLabel(TEXT_DISK_SPACE_LIMIT(), this)),
      myLimitBox(new SelectionBox(0, this)),
      myVideoHistoryButton(new QPushButton(TEXT_CLEAR(), this)),
      mySearchHistoryButton(new QPushButton(TEXT_CLEAR(), this)),
      myCompletionCheckBox(new QCheckBox(TEXT_ENABLE_SEARCH_SUGGESTIONS(), this))
{
    myTitleLabel->setStyleSheet(STYLE_LABEL_18);
    myLimitLabel->setStyleSheet(STYLE_LABEL_18);

    QStringList limits;
    for (const int megabytes : DISK_SPACE_LIMITS)
        limits << QString::number(megabytes) + TEXT_MEGABYTES();
    myLimitBox->setItems(limits);
    myLimitBox->setCurrentIndex(DISK_SPACE_LIMIT_INITIAL_INDEX);

    myMainLayout->setSpacing(SETTINGS_VIEW_SPACING);
    myMainLayout->addWidget(myTitleLabel, 1, Qt::AlignTop);

    auto* videoHistoryLabel = new QLabel(TEXT_CLEAR_VIDEO_HISTORY());
    auto* searchHistoryLabel = new QLabel(TEXT_CLEAR_SEARCH_HISTORY());
    for (QLabel* label : {videoHistoryLabel, searchHistoryLabel})
        label->setStyleSheet(STYLE_LABEL_18);
    for (QPushButton* button : {myVideoHistoryButton, mySearchHistoryButton}) {
        button->setStyleSheet(STYLE_CLEAR_BUTTON);
        button->setMinimumSize(CLEAR_BUTTON_MIN_SIZE);
    }
    myCompletionCheckBox->setObjectName(QStringLiteral("myCompletionCheckBox"));
    myCompletionCheckBox->setStyleSheet(STYLE_SETTINGS_CHECK_BOX);

    auto* grid = new QGridLayout;
    grid->setContentsMargins(SETTINGS_GRID_MARGIN, SETTINGS_GRID_MARGIN, SETTINGS_GRID_MARGIN, SETTINGS_GRID_MARGIN);
    grid->setHorizontalSpacing(SETTINGS_GRID_SPACING);
    grid->setVerticalSpacing(SETTINGS_GRID_ROW_SPACING);
    grid->addWidget(myLimitLabel, 0, 0, Qt::AlignLeft);
    grid->addWidget(myLimitBox, 0, 1, Qt::AlignLeft);
    grid->addWidget(videoHistoryLabel, 1, 0, Qt::AlignLeft);
    grid->addWidget(myVideoHistoryButton, 1, 1, Qt::AlignLeft);
    grid->addWidget(searchHistoryLabel, 2, 0, Qt::AlignLeft);
    grid->addWidget(mySearchHistoryButton, 2, 1, Qt::AlignLeft);
    grid->addWidget(myCompletionCheckBox, 3, 0, Qt::AlignLeft);
    myMainLayout->addLayout(grid);

    connect(myVideoHistoryButton, &QPushButton::clicked, this, &SettingsViewGeneral::clearPlayHistoryClicked);
    connect(mySearchHistoryButton, &QPushButton::clicked, this, &SettingsViewGeneral::clearSearchHistoryClicked);
    connect(myCompletionCheckBox, &QCheckBox::stateChanged, this, &SettingsViewGeneral::completionCheckBoxStateChange);
    connect(myLimitBox, &SelectionBox::currentIndexChanged, this, &SettingsViewGeneral::diskSpaceLimitChange);
    myLimitBox->installEventFilter(this);
    myCompletionCheckBox->installEventFilter(this);
}

SettingsViewGeneral::~SettingsViewGeneral() = default;

void SettingsViewGeneral::setDiskSpaceLimit(int megabytes)
{
    const auto* found = std::find(std::begin(DISK_SPACE_LIMITS), std::end(DISK_SPACE_LIMITS), megabytes);
    if (found != std::end(DISK_SPACE_LIMITS))
        myLimitBox->setCurrentIndex(int(found - std::begin(DISK_SPACE_LIMITS)));
}

void SettingsViewGeneral::setCompletionCheckBoxState(int value)
{
    myCompletionCheckBox->setCheckState(value < 1 ? Qt::Unchecked : Qt::Checked);
}

void SettingsViewGeneral::diskSpaceLimitChange(const QString& text)
{
    Q_UNUSED(text);
    const int index = myLimitBox->currentIndex();
    if (index >= 0 && index < int(std::size(DISK_SPACE_LIMITS)))
        Q_EMIT diskSpaceLimitChanged(SETTING_DISK_SPACE_LIMIT, DISK_SPACE_LIMITS[index]);
}

void SettingsViewGeneral::clearPlayHistoryClicked()
{
    Q_EMIT clearPlayHistory();
}

void SettingsViewGeneral::clearSearchHistoryClicked()
{
    Q_EMIT clearSearchHistory();
}

void SettingsViewGeneral::historyCleared(eHistory history, bool cleared)
{
    if (history == eVideoHistory)
        inform(cleared ? TEXT_VIDEO_HISTORY_CLEARED() : TEXT_VIDEO_HISTORY_NOT_CLEARED());
    else
        inform(cleared ? TEXT_SEARCH_HISTORY_CLEARED() : TEXT_SEARCH_HISTORY_NOT_CLEARED());
}

void SettingsViewGeneral::completionCheckBoxStateChange(int state)
{
    qCDebug(lcSettings) << "void SettingsViewGeneral::completionCheckBoxStateChange(int)" << state;
    Q_EMIT completionCheckBoxStateChanged(SETTING_SEARCH_COMPLETION_ENABLED, state);
}

void SettingsViewGeneral::boxStepped(SelectionBox* box)
{
    if (box == myLimitBox)
        diskSpaceLimitChange(myLimitBox->currentText());
}
