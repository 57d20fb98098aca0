#include "player/FullScreenView.h"

#include "core/constants/Icons.h"
#include "player/PlayerConstants.h"
#include "player/PlayerStyles.h"
#include "player/VideoProgressBar.h"
#include "shell/PageHistoryItem.h"

#include <QIcon>
#include <QKeyEvent>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

FullScreenView::FullScreenView(PageHistory& history, QWidget* parent)
    : VideoViewBase(eFullScreenPageId, history, parent)
{
    myHideTimer.setSingleShot(true);
    myHideTimer.setInterval(CONTROLS_HIDE_MS);
    connect(&myHideTimer, &QTimer::timeout, this, &FullScreenView::hideControls);
}

FullScreenView::~FullScreenView() = default;

void FullScreenView::buildPage()
{
    VideoViewBase::buildPage();
    setStyleSheet(STYLE_FULL_SCREEN_VIEW);
    myBar = new QWidget(this);
    getViewButton()->setIcon(QIcon(ICON_NORMALSCREEN));

    auto* bar = new QVBoxLayout(myBar);
    bar->setContentsMargins(VIEW_MARGIN, 0, VIEW_MARGIN, VIEW_MARGIN);
    bar->setSpacing(0);
    bar->addWidget(statusLabel());
    bar->addWidget(getProgressBar());
    bar->addWidget(controls());

    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    layout->addWidget(videoArea(), 1);
    layout->addWidget(myBar);
    myBar->hide();
}

bool FullScreenView::areControlsShown() const
{
    return myBar && !myBar->isHidden();
}

void FullScreenView::showControls()
{
    ensureBuilt();
    myBar->show();
    myHideTimer.start();
}

void FullScreenView::hideControls()
{
    // A status the user should read keeps the bar up, and so does a video that does
    // not play.
    if (myBar && getStatusText().isEmpty() && isPlaying())
        myBar->hide();
}

void FullScreenView::setPlaying(bool playing)
{
    const bool was = isPlaying();
    VideoViewBase::setPlaying(playing);
    if (playing == was)
        return;
    // Paused: the bar comes up; playing again: it goes after the usual while.
    if (!playing)
        showControls();
    else if (areControlsShown())
        myHideTimer.start();
}

void FullScreenView::setStatusText(const QString& text)
{
    VideoViewBase::setStatusText(text);
    if (!text.isEmpty())
        showControls();
    else if (!myHideTimer.isActive())
        hideControls();
}

void FullScreenView::videoTapped()
{
    if (areControlsShown() && getStatusText().isEmpty())
        hideControls();
    else
        showControls();
}

void FullScreenView::keyPressEvent(QKeyEvent* event)
{
    switch (event->key()) {
    case Qt::Key_Up:
        showControls();
        Q_EMIT previousRequested();
        event->accept();
        return;
    case Qt::Key_Down:
        showControls();
        Q_EMIT nextRequested();
        event->accept();
        return;
    default:
        VideoViewBase::keyPressEvent(event);
    }
}
