#include "player/NormalScreenView.h"

#include "player/PlayerConstants.h"
#include "player/PlayerStyles.h"
#include "player/PlayerTexts.h"
#include "player/SendLinkWidget.h"
#include "player/VideoCommentsWidget.h"
#include "player/VideoInfoWidget.h"
#include "player/VideoProgressBar.h"
#include "shell/BackButton.h"
#include "shell/PageHeader.h"
#include "shell/PageHistoryItem.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QStackedWidget>
#include <QVBoxLayout>

NormalScreenView::NormalScreenView(PageHistory& history, QWidget* parent)
    : VideoViewBase(eNormalScreenPageId, history, parent)
{
}

NormalScreenView::~NormalScreenView() = default;

void NormalScreenView::buildPage()
{
    VideoViewBase::buildPage();
    myHeader = new PageHeader(QString(), this);
    myPanes = new QStackedWidget(this);
    myInfo = new VideoInfoWidget(myPanes);
    myComments = new VideoCommentsWidget(myPanes);
    mySendLink = new SendLinkWidget(myPanes);

    // The back button goes back through the page base, once per showing; Escape
    // acts as a press of it.
    BackButton* back = myHeader->getBackButton();
    setBackButton(back, getHistory());
    connect(this, &VideoViewBase::escapePressed, back, [back] { Q_EMIT back->backButtonClicked(false); });

    // Left: the video, its progress, a status line and the buttons.
    videoArea()->setFixedWidth(INFO_VIDEO_WIDTH);
    auto* left = new QVBoxLayout;
    left->setSpacing(VIEW_SPACING / 2);
    left->addWidget(videoArea(), 1);
    left->addWidget(getProgressBar());
    left->addWidget(statusLabel());
    left->addWidget(controls());
    getProgressBar()->setFixedWidth(INFO_VIDEO_WIDTH);
    controls()->setFixedWidth(INFO_VIDEO_WIDTH);

    // Right: the tabs and their panes.
    auto* tabs = new QHBoxLayout;
    tabs->setSpacing(2);
    const QStringList names = {TEXT_INFO_TAB(), TEXT_COMMENTS_TAB(), TEXT_SEND_TAB()};
    for (int pane = 0; pane < names.size(); ++pane) {
        auto* tab = new QPushButton(names.at(pane), this);
        tab->setCheckable(true);
        tab->setStyleSheet(STYLE_INFO_TAB);
        tab->setFixedHeight(INFO_TAB_HEIGHT);
        tab->setSizePolicy(QSizePolicy::Ignored, QSizePolicy::Fixed);
        connect(tab, &QPushButton::clicked, this, [this, pane] { showPane(pane); });
        tabs->addWidget(tab);
        myTabs.append(tab);
    }
    // The panes take what the video leaves of the screen's width.
    myPanes->setSizePolicy(QSizePolicy::Ignored, QSizePolicy::Expanding);
    myPanes->addWidget(myInfo);
    myPanes->addWidget(myComments);
    myPanes->addWidget(mySendLink);
    auto* right = new QVBoxLayout;
    right->setSpacing(VIEW_SPACING);
    right->addLayout(tabs);
    right->addWidget(myPanes, 1);

    auto* body = new QHBoxLayout;
    body->setContentsMargins(VIEW_MARGIN, VIEW_MARGIN, VIEW_MARGIN, VIEW_MARGIN);
    body->setSpacing(VIEW_MARGIN * 2);
    body->addLayout(left);
    body->addLayout(right, 1);
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    layout->addWidget(myHeader);
    layout->addLayout(body, 1);
    showPane(eInfoPane);
}

PageHeader* NormalScreenView::getHeader() const
{
    ensureBuilt();
    return myHeader;
}

VideoInfoWidget* NormalScreenView::getInfoWidget() const
{
    ensureBuilt();
    return myInfo;
}

VideoCommentsWidget* NormalScreenView::getCommentsWidget() const
{
    ensureBuilt();
    return myComments;
}

SendLinkWidget* NormalScreenView::getSendLinkWidget() const
{
    ensureBuilt();
    return mySendLink;
}

void NormalScreenView::setVideo(const VideoEntry& video, int playListId)
{
    ensureBuilt();
    VideoViewBase::setVideo(video, playListId);
    // The header band cuts the title to the room beside the logo and the back button.
    myHeader->setTitle(video.getName());
    myInfo->setVideo(video);
}

void NormalScreenView::showPane(int pane)
{
    if (pane < eInfoPane || pane > eSendPane)
        return;
    ensureBuilt();
    myPanes->setCurrentIndex(pane);
    for (int i = 0; i < myTabs.size(); ++i)
        myTabs.at(i)->setChecked(i == pane);
}

int NormalScreenView::currentPane() const
{
    ensureBuilt();
    return myPanes->currentIndex();
}

QPushButton* NormalScreenView::getTab(int pane) const
{
    ensureBuilt();
    return myTabs.value(pane);
}
