#include "settings/SettingsViewPlay.h"

#include "core/constants/Settings.h"
#include "settings/SettingsConstants.h"
#include "settings/SettingsStyles.h"
#include "settings/SettingsTexts.h"
#include "shell/ShellStyles.h"
#include "widgets/SelectionBox.h"

#include <QCheckBox>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QVBoxLayout>

#include <utility>

namespace {

// The start box's entries, in this order.
enum StartPlayingItem { eStartWithBuffer = 0, eStartAtOnce = 1 };

} // namespace

SettingsViewPlay::SettingsViewPlay(QWidget* parent)
    : SettingsViewBase(parent),
      myMainLayout(new QVBoxLayout(this)),
      myFullScreenRow(new QHBoxLayout),
      myAspectRatioRow(new QHBoxLayout),
      myStartPlayingRow(new QHBoxLayout),
      myTitleLabel(new QLabel(TEXT_PLAYING_OPTIONS(), this)),
      myStartPlayingLabel(new QLabel(TEXT_START_PLAYING(), this)),
      myFullScreenActivationBox(new QCheckBox(TEXT_ACTIVATE_FULL_SCREEN(), this)),
      myKeepAspectRatioBox(new QCheckBox(TEXT_KEEP_ASPECT_RATIO(), this)),
      myStartPlayingBox(new SelectionBox(0, this))
{
    myTitleLabel->setStyleSheet(STYLE_LABEL_18);
    myStartPlayingLabel->setStyleSheet(STYLE_LABEL_18);
    myFullScreenActivationBox->setObjectName(QStringLiteral("myFullScreenActivationBox"));
    myKeepAspectRatioBox->setObjectName(QStringLiteral("myKeepAspectRatioBox"));
    for (QCheckBox* box : {myFullScreenActivationBox, myKeepAspectRatioBox})
        box->setStyleSheet(STYLE_SETTINGS_CHECK_BOX);
    myStartPlayingBox->setItems({TEXT_START_WITH_BUFFER(), TEXT_START_AT_ONCE()});

    myMainLayout->setSpacing(SETTINGS_VIEW_SPACING);
    myMainLayout->addWidget(myTitleLabel, 1);
    myMainLayout->addStretch(1);
    myMainLayout->addLayout(myFullScreenRow, 1);
    myMainLayout->addStretch(1);
    myMainLayout->addLayout(myAspectRatioRow, 2);
    myMainLayout->addStretch(1);
    myMainLayout->addLayout(myStartPlayingRow, 2);
    myMainLayout->addStretch(2);
    for (auto [row, box] : {std::pair{myFullScreenRow, myFullScreenActivationBox},
                            std::pair{myAspectRatioRow, myKeepAspectRatioBox}}) {
        row->addSpacing(SETTINGS_ROW_SPACING);
        row->addWidget(box, 1);
        row->addStretch(15);
    }
    myStartPlayingRow->addSpacing(SETTINGS_ROW_SPACING);
    myStartPlayingRow->addWidget(myStartPlayingLabel, 1);
    myStartPlayingRow->addWidget(myStartPlayingBox, 15);
    myStartPlayingRow->addSpacing(PLAY_START_ROW_END_SPACING);

    connect(myStartPlayingBox, &SelectionBox::currentIndexChanged, this, &SettingsViewPlay::playingStartChange);
    connect(myFullScreenActivationBox, &QCheckBox::stateChanged, this, &SettingsViewPlay::fullScreenActivationChange);
    connect(myKeepAspectRatioBox, &QCheckBox::stateChanged, this, &SettingsViewPlay::keepAspectRatioChange);
    for (QWidget* watched : std::initializer_list<QWidget*>{myKeepAspectRatioBox, myFullScreenActivationBox,
                                                            myStartPlayingBox})
        watched->installEventFilter(this);
}

SettingsViewPlay::~SettingsViewPlay() = default;

void SettingsViewPlay::setSelections(int fullScreen, int keepAspectRatio, int startPlaying)
{
    myFullScreenActivationBox->setCheckState(fullScreen != 0 ? Qt::Checked : Qt::Unchecked);
    myKeepAspectRatioBox->setCheckState(keepAspectRatio != 0 ? Qt::Checked : Qt::Unchecked);
    if (startPlaying == START_PLAYING_AT_ONCE)
        myStartPlayingBox->setCurrentIndex(eStartAtOnce);
    else if (startPlaying == DEFAULT_START_PLAYING)
        myStartPlayingBox->setCurrentIndex(eStartWithBuffer);
}

void SettingsViewPlay::fullScreenActivationChange(int state)
{
    Q_EMIT fullScreenActivationChanged(SETTING_ACTIVATE_IN_FULLSCREEN, state);
}

void SettingsViewPlay::keepAspectRatioChange(int state)
{
    Q_EMIT keepAspectRatioChanged(SETTING_KEEP_ASPECT_RATIO, state);
}

void SettingsViewPlay::playingStartChange(const QString& text)
{
    Q_UNUSED(text);
    switch (myStartPlayingBox->currentIndex()) {
    case eStartWithBuffer:
        Q_EMIT playingStartChanged(SETTING_START_PLAYING, DEFAULT_START_PLAYING);
        break;
    case eStartAtOnce:
        Q_EMIT playingStartChanged(SETTING_START_PLAYING, START_PLAYING_AT_ONCE);
        break;
    default:
        break;
    }
}

void SettingsViewPlay::boxStepped(SelectionBox* box)
{
    if (box == myStartPlayingBox)
        playingStartChange(box->currentText());
}
