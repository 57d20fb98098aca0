#include "player/VideoCommentsWidget.h"

#include "core/CommentListModel.h"
#include "player/PlayerConstants.h"
#include "player/PlayerStyles.h"
#include "player/PlayerTexts.h"
#include "shell/ShellStyles.h"
#include "social/CommentEntryItemDelegate.h"
#include "widgets/CommentSweepList.h"
#include "widgets/WidgetStyles.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

VideoCommentsWidget::VideoCommentsWidget(QWidget* parent)
    : QWidget(parent),
      myList(new CommentSweepList(this)),
      myModel(new CommentListModel(myList)),
      myTotal(new QLabel(this)),
      myAllButton(new QPushButton(TEXT_ALL_COMMENTS(), this)),
      myWriteButton(new QPushButton(TEXT_WRITE_COMMENT_BUTTON(), this))
{
    myList->setItemDelegate(new CommentEntryItemDelegate(myList, PANEL_COMMENT_ROWS));
    myList->setModel(myModel);
    myList->setStyleSheet(STYLE_VARIABLE_SWEEP_LIST);
    connect(myList, &CommentSweepList::authorLinkClicked, this, &VideoCommentsWidget::authorIndexClicked);
    connect(myModel, &QAbstractItemModel::modelReset, this, &VideoCommentsWidget::commentsArrived);

    myTotal->setStyleSheet(STYLE_LABEL_12);
    for (QPushButton* button : {myAllButton, myWriteButton}) {
        button->setStyleSheet(STYLE_PUSH_BUTTON + STYLE_PANEL_BUTTON_FONT);
        button->setFixedHeight(PANEL_BUTTON_HEIGHT);
    }
    connect(myAllButton, &QPushButton::clicked, this, &VideoCommentsWidget::allCommentsRequested);
    connect(myWriteButton, &QPushButton::clicked, this, &VideoCommentsWidget::writeCommentRequested);

    auto* buttons = new QHBoxLayout;
    buttons->setSpacing(VIEW_SPACING);
    buttons->addWidget(myAllButton);
    buttons->addWidget(myWriteButton);
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(VIEW_SPACING / 2);
    layout->addWidget(myTotal);
    layout->addWidget(myList, 1);
    layout->addLayout(buttons);
    commentsArrived();
}

VideoCommentsWidget::~VideoCommentsWidget() = default;

QString VideoCommentsWidget::getTotalText() const
{
    return myTotal->text();
}

void VideoCommentsWidget::commentsArrived()
{
    const int total = qMax(myModel->getTotal(), myModel->rowCount());
    myTotal->setText(total > 0 ? TEXT_COMMENTS_TOTAL().arg(total) : TEXT_NO_COMMENTS());
    myAllButton->setEnabled(myModel->rowCount() > 0);
}

void VideoCommentsWidget::authorIndexClicked(const QModelIndex& index)
{
    if (CommentEntry* comment = myModel->entryAt(index.row()))
        Q_EMIT authorLinkClicked(comment);
}
