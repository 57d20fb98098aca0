#include "player/VideoViewBase.h"

#include "core/constants/Icons.h"
#include "player/HistoryItemVideo.h"
#include "player/PlayerConstants.h"
#include "player/PlayerStyles.h"
#include "player/PlayerTexts.h"
#include "player/VideoProgressBar.h"
#include "player/VideoWidget.h"
#include "shell/PageHistory.h"
#include "shell/ShellStyles.h"

#include <QAbstractButton>
#include <QHBoxLayout>
#include <QIcon>
#include <QKeyEvent>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

VideoViewBase::VideoViewBase(int pageId, PageHistory& history, QWidget* parent)
    : PageBase(parent), myPageId(pageId), myHistory(history)
{
    // The widgets are built when the view is first shown or used (buildPage()).
    setFocusPolicy(Qt::StrongFocus);
}

void VideoViewBase::buildPage()
{
    setStyleSheet(STYLE_PAGE);

    myVideoArea = new QWidget(this);
    myVideoArea->setStyleSheet(STYLE_VIDEO_AREA);
    auto* videoLayout = new QVBoxLayout(myVideoArea);
    videoLayout->setContentsMargins(0, 0, 0, 0);

    myProgressBar = new VideoProgressBar(this);
    connect(myProgressBar, &VideoProgressBar::seekRequested, this, &VideoViewBase::seekRequested);

    myControls = new QWidget(this);
    myPreviousButton = makeButton(ICON_PREVIOUS);
    myPlayButton = makeButton(ICON_PLAY);
    myNextButton = makeButton(ICON_NEXT);
    myViewButton = makeButton(ICON_FULLSCREEN);
    myStatusLabel = new QLabel(this);
    // The player's reasons name the file: shown as they stand.
    myStatusLabel->setTextFormat(Qt::PlainText);
    myStatusLabel->setStyleSheet(STYLE_LABEL_12);
    myStatusLabel->setWordWrap(true);
    auto* row = new QHBoxLayout(myControls);
    row->setContentsMargins(0, 0, 0, 0);
    row->setSpacing(VIEW_SPACING);
    row->addWidget(myPreviousButton);
    row->addWidget(myPlayButton);
    row->addWidget(myNextButton);
    row->addStretch(1);
    row->addWidget(myViewButton);
    connect(myPreviousButton, &QPushButton::clicked, this, &VideoViewBase::previousRequested);
    connect(myPlayButton, &QPushButton::clicked, this, &VideoViewBase::playPauseRequested);
    connect(myNextButton, &QPushButton::clicked, this, &VideoViewBase::nextRequested);
    connect(myViewButton, &QPushButton::clicked, this, &VideoViewBase::viewChangeRequested);

    myVolumeTimer.setSingleShot(true);
    myVolumeTimer.setInterval(VOLUME_NOTE_MS);
    connect(&myVolumeTimer, &QTimer::timeout, myProgressBar, [this] { myProgressBar->setNote(QString()); });
    setStepButtons(false, false);
}

VideoViewBase::~VideoViewBase() = default;

QPushButton* VideoViewBase::makeButton(const QString& icon)
{
    auto* button = new QPushButton(myControls);
    button->setStyleSheet(STYLE_PUSH_BUTTON);
    button->setIcon(QIcon(icon));
    button->setIconSize(CONTROL_ICON_SIZE);
    button->setFixedSize(CONTROL_BUTTON_WIDTH, CONTROL_BUTTON_HEIGHT);
    button->setFocusPolicy(Qt::StrongFocus);
    return button;
}

VideoProgressBar* VideoViewBase::getProgressBar() const
{
    ensureBuilt();
    return myProgressBar;
}

QPushButton* VideoViewBase::getPlayButton() const
{
    ensureBuilt();
    return myPlayButton;
}

QPushButton* VideoViewBase::getPreviousButton() const
{
    ensureBuilt();
    return myPreviousButton;
}

QPushButton* VideoViewBase::getNextButton() const
{
    ensureBuilt();
    return myNextButton;
}

QPushButton* VideoViewBase::getViewButton() const
{
    ensureBuilt();
    return myViewButton;
}

void VideoViewBase::takeVideoWidget(VideoWidget* widget)
{
    ensureBuilt();
    myVideoWidget = widget;
    if (!widget)
        return;
    if (widget->parentWidget() != myVideoArea) {
        widget->setParent(myVideoArea);
        myVideoArea->layout()->addWidget(widget);
    }
    disconnect(widget, &VideoWidget::clicked, nullptr, nullptr);
    connect(widget, &VideoWidget::clicked, this, &VideoViewBase::videoTapped);
    widget->show();
}

void VideoViewBase::setVideo(const VideoEntry& video, int playListId)
{
    myVideo = video;
    myPlayListId = playListId;
    myHasVideo = true;
}

void VideoViewBase::setPlaying(bool playing)
{
    ensureBuilt();
    if (myPlaying == playing)
        return;
    myPlaying = playing;
    myPlayButton->setIcon(QIcon(playing ? ICON_PAUSE : ICON_PLAY));
}

void VideoViewBase::setStepButtons(bool previous, bool next)
{
    ensureBuilt();
    myPreviousButton->setEnabled(previous);
    myNextButton->setEnabled(next);
}

void VideoViewBase::setStatusText(const QString& text)
{
    ensureBuilt();
    myStatusLabel->setText(text);
}

QString VideoViewBase::getStatusText() const
{
    ensureBuilt();
    return myStatusLabel->text();
}

void VideoViewBase::showVolume(int percent)
{
    ensureBuilt();
    // In the time's place on the progress bar: the row of buttons has no room to spare.
    myProgressBar->setNote(TEXT_VOLUME().arg(percent));
    myVolumeTimer.start();
}

void VideoViewBase::addToPageHistory()
{
    if (myHasVideo)
        myHistory.add(new HistoryItemVideo(myPageId, myVideo, myPlayListId));
}

void VideoViewBase::setPageFocus()
{
    setFocus(Qt::OtherFocusReason);
}

bool VideoViewBase::event(QEvent* event)
{
    // F6 belongs to the video views while one is shown, not to the window's
    // full-screen switch.
    if (event->type() == QEvent::ShortcutOverride && static_cast<QKeyEvent*>(event)->key() == Qt::Key_F6) {
        event->accept();
        return true;
    }
    return PageBase::event(event);
}

void VideoViewBase::keyPressEvent(QKeyEvent* event)
{
    userActivity();
    switch (event->key()) {
    case Qt::Key_F6:
        Q_EMIT viewChangeRequested();
        break;
    case Qt::Key_F7:
        Q_EMIT volumeStepRequested(1);
        break;
    case Qt::Key_F8:
        Q_EMIT volumeStepRequested(-1);
        break;
    case Qt::Key_Return:
    case Qt::Key_Enter:
        if (auto* button = qobject_cast<QAbstractButton*>(focusWidget()); button && button->isEnabled())
            button->click();
        else
            Q_EMIT playPauseRequested();
        break;
    case Qt::Key_Left:
        Q_EMIT seekStepRequested(-1);
        break;
    case Qt::Key_Right:
        Q_EMIT seekStepRequested(1);
        break;
    case Qt::Key_Escape:
        Q_EMIT escapePressed();
        break;
    default:
        PageBase::keyPressEvent(event);
        return;
    }
    event->accept();
}

void VideoViewBase::hideEvent(QHideEvent* event)
{
    PageBase::hideEvent(event);
    // A minimised window is not a page left.
    if (!event->spontaneous())
        Q_EMIT viewLeft();
}
