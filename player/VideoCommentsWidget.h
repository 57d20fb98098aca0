#ifndef KRELVOX_VIDEOCOMMENTSWIDGET_H
#define KRELVOX_VIDEOCOMMENTSWIDGET_H

#include <QWidget>

class CommentEntry;
class CommentListModel;
class CommentSweepList;
class QLabel;
class QPushButton;

// The comments panel of the information view: the first comments of the video in a
// kinetic list (at most 20 rows), their total, and buttons to all comments and to
// writing one. It makes the comment model that the all-comments page later shares.
class VideoCommentsWidget : public QWidget
{
    Q_OBJECT
public:
    explicit VideoCommentsWidget(QWidget* parent = nullptr);
    ~VideoCommentsWidget() override;

    CommentListModel* getModel() const { return myModel; }
    CommentSweepList* getList() const { return myList; }
    QPushButton* getAllCommentsButton() const { return myAllButton; }
    QPushButton* getWriteButton() const { return myWriteButton; }
    QString getTotalText() const;

public Q_SLOTS:
    // The service has filled the model: shows the total.
    void commentsArrived();

Q_SIGNALS:
    void allCommentsRequested();
    void writeCommentRequested();
    void authorLinkClicked(CommentEntry* comment);

private:
    void authorIndexClicked(const QModelIndex& index);

    CommentSweepList* myList;
    CommentListModel* myModel;
    QLabel* myTotal;
    QPushButton* myAllButton;
    QPushButton* myWriteButton;
};

#endif
