#include "social/AllCommentsPage.h"

#include "core/CommentListModel.h"
#include "core/VideoEntry.h"
#include "shell/PageHistory.h"
#include "shell/PageHistoryItem.h"
#include "shell/ShellTexts.h"
#include "social/CommentEntryItemDelegate.h"
#include "social/SocialLogging.h"
#include "social/TextPageConstants.h"
#include "widgets/CommentSweepList.h"
#include "widgets/WidgetStyles.h"

#include <QDebug>
#include <QGridLayout>
#include <QLabel>
#include <QPushButton>

AllCommentsPage::AllCommentsPage(CommentListModel* model, QWidget* parent, PageHistory& history)
    : BaseTextContentPage(parent, history),
      myModel(model),
      myList(new CommentSweepList(this)),
      myCounter(new QLabel(this)),
      myPreviousButton(new QPushButton(TEXT_PREVIOUS(), this)),
      myNextButton(new QPushButton(TEXT_NEXT(), this))
{
    // The list: one row per comment, as the row painter measures it.
    myList->setStyleSheet(STYLE_VARIABLE_SWEEP_LIST);
    myList->setItemDelegate(new CommentEntryItemDelegate(myList, ALL_COMMENTS_PAGE_ROWS));
    myList->setModel(model);
    setList(myList, 1);

    // The paging bar on the header's black band, under the title.
    myCounter->setStyleSheet(STYLE_PAGING_COUNTER);
    myCounter->setAlignment(Qt::AlignHCenter | Qt::AlignTop);
    for (QPushButton* button : {myPreviousButton, myNextButton})
        button->setStyleSheet(STYLE_PAGING_BUTTON);
    auto* bar = new QGridLayout;
    bar->setContentsMargins(0, 0, 0, 0);
    bar->addWidget(myPreviousButton, 0, 0);
    bar->addWidget(myCounter, 0, 1);
    bar->addWidget(myNextButton, 0, 2);
    bar->setColumnStretch(0, PAGING_PREVIOUS_STRETCH);
    bar->setColumnStretch(1, PAGING_COUNTER_STRETCH);
    bar->setColumnStretch(2, PAGING_NEXT_STRETCH);
    bar->setColumnStretch(3, PAGING_EMPTY_STRETCH);
    getHeaderGrid()->addLayout(bar, 1, 0, 1, 3, Qt::AlignTop);

    connect(myList, &CommentSweepList::authorLinkClicked, this, &AllCommentsPage::authorLinkClicked);
    // A sweep's length is the direction: to the left (positive) pages back.
    connect(myList, &SweepListBase::horizontalSweep, this, &AllCommentsPage::changeCommentPage);
    connect(myPreviousButton, &QPushButton::clicked, this, &AllCommentsPage::changePreviousPage);
    connect(myNextButton, &QPushButton::clicked, this, &AllCommentsPage::changeNextPage);
    if (model)
        connect(model, &QAbstractItemModel::rowsInserted, this, &AllCommentsPage::rowsInserted);
}

AllCommentsPage::~AllCommentsPage() = default;

void AllCommentsPage::setVideoEntry(VideoEntry* video)
{
    if (!video) {
        qCWarning(lcSocial) << "ENTRY IS NULL";
        return;
    }
    // A copy: the entry given may belong to a list or a history item that goes away
    // while the page is still on show.
    myVideo = std::make_unique<VideoEntry>(*video);
    setTitle(myVideo->getName(), eCommentsTitle);
}

QString AllCommentsPage::getCounterText() const
{
    return myCounter->text();
}

void AllCommentsPage::addToPageHistory()
{
    getHistory().add(new HistoryItemAllComments(eAllCommentsPageId, myModel, myVideo.get()));
}

void AllCommentsPage::changeNextPage()
{
    Q_EMIT changeCommentPage(-1);
}

void AllCommentsPage::changePreviousPage()
{
    Q_EMIT changeCommentPage(1);
}

void AllCommentsPage::rowsInserted()
{
    if (!myModel)
        return;
    const int last = myStartIndex + myModel->rowCount() - 1;
    myCounter->setText(QStringLiteral("%1-%2/%3").arg(myStartIndex).arg(last).arg(myModel->getTotal()));
}

void AllCommentsPage::authorLinkClicked(const QModelIndex& index)
{
    if (!index.isValid() || !myModel)
        return;
    auto* entry = myModel->data(index, Qt::DisplayRole).value<CommentEntry*>();
    if (!entry)
        return;
    addToPageHistory();
    Q_EMIT authorLinkSignal(entry);
}
