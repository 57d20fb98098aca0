#include "player/NormalScreenView.h"

#include "player/PlayerConstants.h"
#include "player/SendLinkWidget.h"
#include "player/VideoCommentsWidget.h"
#include "player/VideoInfoWidget.h"
#include "player/VideoProgressBar.h"
#include "shell/BackButton.h"
#include "shell/PageHeader.h"
#include "shell/PageHistoryItem.h"
#include "widgets/WidgetStyles.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QStackedWidget>
#include <QVBoxLayout>

namespace {

// The tabs over the panes: checked, the tab of the pane shown.
const QString STYLE_TAB = QStringLiteral(
    "QPushButton { color: white; background: rgba(0, 0, 0, 40%); border: 0px; font-family: SansSerif;"
    " font-size: 12pt; font-weight: bold; }"
    " QPushButton:checked { background: rgba(255, 255, 255, 25%); border-bottom: 3px solid #29ABE2; }");

} // namespace

NormalScreenView::NormalScreenView(PageHistory& history, QWidget* parent)
    : VideoViewBase(eNormalScreenPageId, history, parent),
      myHeader(new PageHeader(QString(), this)),
      myPanes(new QStackedWidget(this)),
      myInfo(new VideoInfoWidget(myPanes)),
      myComments(new VideoCommentsWidget(myPanes)),
      mySendLink(new SendLinkWidget(myPanes))
{
    connect(myHeader->getBackButton(), &BackButton::backButtonClicked, this, &NormalScreenView::backRequested);
    connect(this, &VideoViewBase::escapePressed, this, [this] { Q_EMIT backRequested(false); });

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
        tab->setStyleSheet(STYLE_TAB);
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

NormalScreenView::~NormalScreenView() = default;

void NormalScreenView::setVideo(const VideoEntry& video, int playListId)
{
    VideoViewBase::setVideo(video, playListId);
    QFont font(FONT_FAMILY, INFO_TITLE_FONT_SIZE, QFont::Bold);
    myHeader->setTitle(QFontMetrics(font).elidedText(video.getName(), Qt::ElideRight, INFO_TITLE_MAX_WIDTH));
    myInfo->setVideo(video);
}

void NormalScreenView::showPane(int pane)
{
    if (pane < eInfoPane || pane > eSendPane)
        return;
    myPanes->setCurrentIndex(pane);
    for (int i = 0; i < myTabs.size(); ++i)
        myTabs.at(i)->setChecked(i == pane);
}

int NormalScreenView::currentPane() const
{
    return myPanes->currentIndex();
}

QPushButton* NormalScreenView::getTab(int pane) const
{
    return myTabs.value(pane);
}
