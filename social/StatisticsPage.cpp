#include "social/StatisticsPage.h"

#include "social/ContactEntryItemDelegate.h"
#include "social/ContactSweepList.h"
#include "social/MessageEntryItemDelegate.h"
#include "social/MessageSweepList.h"
#include "social/SocialTexts.h"
#include "social/StatisticsConstants.h"
#include "social/StatisticsWidget.h"

#include "core/ContactListModel.h"
#include "core/MessageListModel.h"
#include "core/VideoListModel.h"
#include "core/constants/Icons.h"
#include "shell/BackButton.h"
#include "shell/ProgressRoll.h"
#include "shell/ShellTexts.h"
#include "social/SocialLogging.h"
#include "widgets/VideoEntryItemDelegate.h"
#include "widgets/VideoSweepList.h"

#include <QDebug>
#include <QGridLayout>
#include <QLabel>
#include <QPushButton>
#include <QStackedWidget>
#include <QTabWidget>
#include <QTimer>

// Construction, the view buttons and the service's answers. The row actions and the
// page history are in StatisticsPageActions.cpp.

StatisticsPage::StatisticsPage(Repository* repository, QWidget* parent, PageHistory& history)
    : BaseQueryPage(repository, parent, history),
      myContactsButton(new QPushButton(this)),
      myUploadHistoryButton(new QPushButton(this)),
      myStatisticsButton(new QPushButton(this)),
      myBackButton(new BackButton(this)),
      myViews(new QStackedWidget(this)),
      myTabWidget(new QTabWidget(this)),
      myCountsTimer(new QTimer(this))
{
    // 1. Upload-history rows show a "Video comments" link in place of the author.
    getVideoDelegate()->setDelegateMode(VideoEntryItemDelegate::eCommentsMode);

    // 2. Texts, and the icon buttons of the right-hand column.
    setTitle(TEXT_MY_STATISTICS());
    setNoResultsText(TEXT_NO_UPLOADED_VIDEOS());
    setSubtitle(TEXT_STATISTICS());
    styleIconButton(getPlayButton(), ICON_PLAY);
    styleIconButton(myUploadHistoryButton, ICON_UPLOADED);
    styleIconButton(myContactsButton, ICON_CONTACTS);
    styleIconButton(myStatisticsButton, ICON_MYSTATS);
    // Nothing is selected yet to play.
    getPlayButton()->setEnabled(false);

    // 3. The contact lists share one model through two filters and one painter; the
    //    messages have their own list, painter and model.
    myViews->setStyleSheet(STYLE_STATISTICS_STACK);
    myTabWidget->setStyleSheet(STYLE_STATISTICS_TABS);
    myContactsList = new ContactSweepList(this);
    myInvitationsList = new ContactSweepList(this);
    myMessageList = new MessageSweepList(this);
    myContactDelegate = new ContactEntryItemDelegate(myContactsList);
    myContactModel = new ContactListModel(myContactsList);
    setSecondModel(myContactModel);
    myContactsProxy = new ContactFilterProxyModel(this, eContactFilter::Accepted);
    myInvitationsProxy = new ContactFilterProxyModel(this, eContactFilter::Pending);
    myContactsProxy->setSourceModel(myContactModel);
    myInvitationsProxy->setSourceModel(myContactModel);
    myMessageDelegate = new MessageEntryItemDelegate(myMessageList);
    myMessageModel = new MessageListModel(myMessageList);
    for (ContactSweepList* list : {myContactsList, myInvitationsList}) {
        list->setItemDelegate(myContactDelegate);
        list->setEditTriggers(QAbstractItemView::NoEditTriggers);
    }
    myContactsList->setModel(myContactsProxy);
    myInvitationsList->setModel(myInvitationsProxy);
    myMessageList->setItemDelegate(myMessageDelegate);
    myMessageList->setModel(myMessageModel);
    myMessageList->setEditTriggers(QAbstractItemView::NoEditTriggers);

    addContactTab(myContactsList, TEXT_MY_CONTACTS(), TEXT_NO_CONTACTS());
    addContactTab(myInvitationsList, TEXT_INVITATIONS(), TEXT_NO_INVITATIONS());
    addContactTab(myMessageList, TEXT_MESSAGES(), TEXT_NO_MESSAGES());

    // 4. The views: figures, uploads, contact tabs; the figures in front.
    myStatisticsWidget = new StatisticsWidget(this);
    myViews->insertWidget(eStatisticsView, myStatisticsWidget);
    myViews->insertWidget(eUploadsView, getResultList());
    myViews->insertWidget(eContactsView, myTabWidget);
    myViews->setCurrentIndex(eStatisticsView);

    // 5. Layout: the views fill the content area, the back button ends the header
    //    row, the buttons go down the right-hand column.
    getContentGrid()->setContentsMargins(0, 0, 0, 0);
    getContentGrid()->addWidget(myViews, 0, 0);
    myViews->lower();
    getHeaderRowGrid()->addWidget(myBackButton, 0, 3, Qt::AlignTop);
    int row = 0;
    for (QPushButton* button : {getPlayButton(), myStatisticsButton, myUploadHistoryButton, myContactsButton})
        getRightColumnGrid()->addWidget(button, row++, 0);
    getRightColumnGrid()->setRowStretch(row, 1);

    // 6. Connections.
    connect(getPlayButton(), &QPushButton::clicked, this, &StatisticsPage::playButtonClicked);
    connect(myStatisticsButton, &QPushButton::clicked, this, &StatisticsPage::statisticsButtonClicked);
    connect(myUploadHistoryButton, &QPushButton::clicked, this, &StatisticsPage::uploadButtonClicked);
    connect(myContactsButton, &QPushButton::clicked, this, &StatisticsPage::contactsButtonClicked);
    for (QAbstractItemModel* model : {static_cast<QAbstractItemModel*>(myContactModel),
                                      static_cast<QAbstractItemModel*>(getVideoListModel()),
                                      static_cast<QAbstractItemModel*>(myMessageModel)})
        connect(model, &QAbstractItemModel::rowsInserted, this, &StatisticsPage::rowsInserted);
    for (ContactSweepList* list : {myContactsList, myInvitationsList})
        connect(list, &ContactSweepList::contactLinkClicked, this, &StatisticsPage::contactLinkClicked);
    connect(myInvitationsList, &ContactSweepList::inviteAcceptLinkClicked, this,
            &StatisticsPage::inviteAcceptLinkClicked);
    connect(myInvitationsList, &ContactSweepList::inviteRejectLinkClicked, this,
            &StatisticsPage::inviteRejectLinkClicked);
    VideoSweepList* videos = getResultList();
    connect(videos, &VideoSweepList::authorLinkClicked, this, &StatisticsPage::authorLinkClicked);
    connect(videos, &VideoSweepList::infoButtonClicked, this, &StatisticsPage::infoButtonClicked);
    connect(videos, &VideoSweepList::videoCommentsClicked, this, &StatisticsPage::videoCommentsClicked);
    connect(videos, &UniformSweepList::selectionMade, this, &StatisticsPage::itemSelected);
    connect(videos, &SweepListBase::selectionCleared, this, &StatisticsPage::itemSelectionCleared);
    connect(myMessageList, &MessageSweepList::messageClicked, this,
            qOverload<const QModelIndex&>(&StatisticsPage::showMessage));
    connect(myTabWidget, &QTabWidget::currentChanged, this, &StatisticsPage::updateContactCounts);
    myCountsTimer->setSingleShot(true);
    myCountsTimer->setInterval(0);
    connect(myCountsTimer, &QTimer::timeout, this, &StatisticsPage::showCounts);
    setBackButton(myBackButton, history);
}

StatisticsPage::~StatisticsPage()
{
    myContactModel->clear();
}

int StatisticsPage::getViewIndex() const
{
    return myViews->currentIndex();
}

int StatisticsPage::getCurrentTab() const
{
    return myTabWidget->currentIndex();
}

void StatisticsPage::showView(int view)
{
    myViews->setCurrentIndex(view);
}

void StatisticsPage::addContactTab(QAbstractItemView* list, const QString& name, const QString& emptyText)
{
    auto* tab = new QWidget(myTabWidget);
    auto* grid = new QGridLayout(tab);
    grid->setContentsMargins(0, 0, 0, 0);
    grid->addWidget(list, 0, 0);
    // Over the middle of the list; taps and sweeps go through to the list.
    auto* empty = new QLabel(emptyText, tab);
    empty->setStyleSheet(STYLE_QUERY_LABEL_16);
    empty->setAttribute(Qt::WA_TransparentForMouseEvents);
    empty->hide();
    grid->addWidget(empty, 0, 0, Qt::AlignCenter);
    myEmptyTabTexts.append(empty);
    myTabWidget->addTab(tab, name);
}

// ---- The controller's operations

void StatisticsPage::initPage()
{
    createString(QString());
    setSubtitle(TEXT_UPLOAD_HISTORY());
    getVideoListModel()->clear();
    myContactModel->clear();
    showView(eUploadsView);
    myUploadHistoryButton->setFocus(Qt::OtherFocusReason);
    showBusyIndicator();
}

void StatisticsPage::showStatisticsView()
{
    setSubtitle(TEXT_STATISTICS());
    showView(eStatisticsView);
}

void StatisticsPage::requestFailed()
{
    hideBusyIndicator();
}

void StatisticsPage::setInitialFocus()
{
    myStatisticsButton->setFocus(Qt::OtherFocusReason);
}

// ---- Buttons

void StatisticsPage::statisticsButtonClicked()
{
    showBusyIndicator();
    Q_EMIT getStatistics();
    setSubtitle(TEXT_STATISTICS());
    showView(eStatisticsView);
}

void StatisticsPage::uploadButtonClicked()
{
    getVideoListModel()->clear();
    showBusyIndicator();
    Q_EMIT getUploaded();
    setSubtitle(TEXT_UPLOAD_HISTORY());
    setNoResultsText(TEXT_NO_UPLOADED_VIDEOS());
    showView(eUploadsView);
}

void StatisticsPage::contactsButtonClicked()
{
    myContactModel->clear();
    myMessageModel->clear();
    showBusyIndicator();
    // The lists fill again: none is known to be empty yet.
    for (QLabel* empty : std::as_const(myEmptyTabTexts))
        empty->hide();
    Q_EMIT getContacts();
    setSubtitle(QString());
    setNoResultsText(TEXT_NO_CONTACTS());
    createString(QString());
    showView(eContactsView);
}

void StatisticsPage::itemSelected()
{
    // Also raised when the selection is cleared: only a selected row can be played.
    const QItemSelectionModel* selection = getResultList()->selectionModel();
    getPlayButton()->setEnabled(selection && selection->hasSelection());
}

void StatisticsPage::itemSelectionCleared()
{
    getPlayButton()->setEnabled(false);
}

// ---- Answers

void StatisticsPage::profileFetched(QHash<QString, QString> data)
{
    hideBusyIndicator();
    hideMyNoResultsLabel();
    myStatisticsWidget->setData(data);
}

void StatisticsPage::rowsInserted()
{
    hideMyNoResultsLabel();
    myCountsTimer->start();
}

void StatisticsPage::showCounts()
{
    hideBusyIndicator();
    switch (myViews->currentIndex()) {
    case eStatisticsView:
        break;
    case eUploadsView:
        createString(QString::number(getVideoListModel()->rowCount()));
        break;
    case eContactsView:
        updateContactCounts();
        break;
    default:
        qCDebug(lcSocial) << "Invalid StackIndex";
        break;
    }
}

void StatisticsPage::noMessages()
{
    // No rows: an empty inbox does not take back "No contacts found".
    myCountsTimer->start();
}

void StatisticsPage::noResults()
{
    // In the contact tabs each empty tab says so itself: one word over all of them
    // would cover the rows of the others.
    if (myViews->currentIndex() == eContactsView) {
        showCounts();
        return;
    }
    hideBusyIndicator();
    getNoResultsLabel()->show();
    createString(QString());
}

void StatisticsPage::updateContactCounts()
{
    const int counts[] = {myContactsProxy->rowCount(), myInvitationsProxy->rowCount(), myMessageModel->rowCount()};
    const QString names[] = {TEXT_MY_CONTACTS(), TEXT_INVITATIONS(), TEXT_MESSAGES()};
    // While a request runs, a list without rows may still fill: it is not called empty.
    const bool waiting = getBusyIndicator()->isRunning();
    for (int tab = eContactsTab; tab <= eMessagesTab; ++tab) {
        myTabWidget->setTabText(tab, names[tab] + QStringLiteral(" (") + QString::number(counts[tab])
                                         + QLatin1Char(')'));
        myEmptyTabTexts.at(tab)->setVisible(!waiting && counts[tab] == 0);
    }
    const int current = myTabWidget->currentIndex();
    if (current >= eContactsTab && current <= eMessagesTab)
        createString(QString::number(counts[current]));
}

void StatisticsPage::createString(const QString& count)
{
    QLabel* label = getCountLabel();
    label->setText(count.isEmpty() ? QString() : QStringLiteral("1-") + count + QLatin1Char('/') + count);
    label->setVisible(!count.isEmpty() && count != QLatin1String("0"));
}
