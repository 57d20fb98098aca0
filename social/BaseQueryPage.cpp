#include "social/BaseQueryPage.h"

#include "social/StatisticsConstants.h"

#include "core/VideoListModel.h"
#include "shell/LogoPixmap.h"
#include "shell/ProgressRoll.h"
#include "shell/ShellStyles.h"
#include "widgets/VideoEntryItemDelegate.h"
#include "widgets/VideoSweepList.h"

#include <QFrame>
#include <QGridLayout>
#include <QIcon>
#include <QLabel>
#include <QPushButton>

BaseQueryPage::BaseQueryPage(Repository* repository, QWidget* parent, PageHistory& history)
    : PageBase(parent),
      myMainGrid(new QGridLayout),
      myHeaderRowGrid(new QGridLayout),
      myContentGrid(new QGridLayout),
      myRightColumnGrid(new QGridLayout),
      myHeaderGrid(new QGridLayout),
      myTitleLabel(new QLabel(this)),
      mySubtitleLabel(new QLabel(this)),
      myNoResultsLabel(new QLabel(this)),
      myCountLabel(new QLabel(this)),
      myLogoLabel(new QLabel(this)),
      myHeaderBar(new QFrame(this)),
      myPlayButton(new QPushButton(this)),
      myResultList(nullptr),
      myVideoDelegate(nullptr),
      myVideoListModel(nullptr),
      myRepository(repository),
      myHistory(history),
      myBusyIndicator(new ProgressRoll(this))
{
    // 1. Header texts: the title beside the logo, the subtitle and the count below.
    myTitleLabel->setStyleSheet(STYLE_QUERY_TITLE);
    myTitleLabel->setAlignment(Qt::AlignLeft | Qt::AlignVCenter);
    myLogoLabel->setStyleSheet(STYLE_QUERY_TITLE);
    myLogoLabel->setAlignment(Qt::AlignLeft | Qt::AlignVCenter);
    myLogoLabel->setPixmap(getYoutubeLogoPixmap());
    myLogoLabel->setFixedSize(QUERY_LOGO_SIZE);
    mySubtitleLabel->setStyleSheet(STYLE_QUERY_LABEL_16);
    mySubtitleLabel->setAlignment(Qt::AlignLeft);
    myCountLabel->setStyleSheet(STYLE_QUERY_LABEL_16);
    myCountLabel->setAlignment(Qt::AlignRight);

    // 2. The video list with its painter and model.
    myResultList = new VideoSweepList(this);
    myVideoDelegate = new VideoEntryItemDelegate(myResultList, VideoEntryItemDelegate::eAuthorMode);
    myVideoListModel = new VideoListModel(repository, myResultList);
    myResultList->setItemDelegate(myVideoDelegate);
    myResultList->setModel(myVideoListModel);
    myResultList->setEditTriggers(QAbstractItemView::NoEditTriggers);

    // 3. The no-results label stays hidden until a subclass shows it; the header bar
    //    lies under the header's labels.
    myNoResultsLabel->setStyleSheet(STYLE_QUERY_LABEL_16);
    myNoResultsLabel->hide();
    myHeaderBar->setStyleSheet(STYLE_QUERY_HEADER_BAR);
    myHeaderBar->lower();

    // 4. Layout.
    myMainGrid->setContentsMargins(0, 0, 0, 0);
    myMainGrid->setSpacing(0);
    myMainGrid->addLayout(myHeaderRowGrid, 0, 0);
    myMainGrid->addLayout(myContentGrid, 1, 0);
    myMainGrid->setRowStretch(1, 1);

    myHeaderRowGrid->setColumnStretch(0, 0);
    myHeaderRowGrid->setContentsMargins(0, 0, 0, 0);
    myHeaderRowGrid->setSpacing(0);
    myHeaderRowGrid->addWidget(myHeaderBar, 0, 0, 1, 4);
    myHeaderRowGrid->addLayout(myHeaderGrid, 0, 0, 1, 3);

    myContentGrid->setColumnStretch(0, QUERY_CONTENT_STRETCH);
    myContentGrid->setContentsMargins(QUERY_CONTENT_MARGIN_LEFT, QUERY_CONTENT_MARGIN, QUERY_CONTENT_MARGIN,
                                      QUERY_CONTENT_MARGIN);
    myContentGrid->addWidget(myNoResultsLabel, 0, 0, Qt::AlignCenter);
    myContentGrid->addWidget(myBusyIndicator, 0, 0, Qt::AlignCenter);
    myContentGrid->addLayout(myRightColumnGrid, 0, 1);

    myRightColumnGrid->setColumnStretch(0, 0);
    myRightColumnGrid->setRowStretch(0, 0);
    myRightColumnGrid->setContentsMargins(0, 0, 0, 0);

    myHeaderGrid->setContentsMargins(QUERY_HEADER_LEFT_MARGIN, 0, 0, 0);
    myHeaderGrid->setHorizontalSpacing(0);
    myHeaderGrid->addWidget(myLogoLabel, 0, 0);
    myHeaderGrid->addWidget(myTitleLabel, 0, 1);
    myHeaderGrid->addWidget(mySubtitleLabel, 1, 0, 1, 2);
    myHeaderGrid->addWidget(myCountLabel, 1, 2);
    myHeaderGrid->setColumnStretch(1, 1);

    setLayout(myMainGrid);
    setStyleSheet(STYLE_PAGE);
}

BaseQueryPage::~BaseQueryPage()
{
    myVideoListModel->clear();
}

void BaseQueryPage::setResultListToBeginning()
{
    myResultList->setToBeginning();
}

void BaseQueryPage::hideMyNoResultsLabel()
{
    if (myNoResultsLabel->isVisibleTo(this))
        myNoResultsLabel->hide();
}

void BaseQueryPage::setTitle(const QString& text)
{
    myTitleLabel->setText(text);
}

void BaseQueryPage::setSubtitle(const QString& text)
{
    mySubtitleLabel->setText(text);
}

void BaseQueryPage::setNoResultsText(const QString& text)
{
    myNoResultsLabel->setText(text);
}

void BaseQueryPage::showBusyIndicator()
{
    myBusyIndicator->start();
    myBusyIndicator->raise();
    myBusyIndicator->show();
}

void BaseQueryPage::hideBusyIndicator()
{
    myBusyIndicator->stop();
    myBusyIndicator->hide();
    myPlayButton->setEnabled(false);
}

void BaseQueryPage::styleIconButton(QPushButton* button, const QString& iconPath)
{
    button->setIcon(QIcon(iconPath));
    button->setStyleSheet(STYLE_QUERY_ICON_BUTTON);
    button->setIconSize(QUERY_ICON_SIZE);
    button->setMaximumSize(QUERY_ICON_BUTTON_MAX_SIZE);
}
