#ifndef KRELVOX_ALLCOMMENTSPAGE_H
#define KRELVOX_ALLCOMMENTSPAGE_H

#include "core/CommentListModel.h"
#include "social/BaseTextContentPage.h"

#include <QPointer>

#include <memory>

class CommentSweepList;
class QLabel;
class QModelIndex;
class QPushButton;
class VideoEntry;

// All comments of one video, a page of 50 at a time, under "Comments of " and the
// video's title. A paging bar under the title holds "Previous", the counter
// (first-last/total, e.g. 51-100/137) and "Next". The buttons and sideways sweeps
// over the list only ask for another page (changeCommentPage); the application
// controller works out the new start, refills the shared comment model and stores
// the start back here. A double tap on an author's name asks for that author's
// videos (authorLinkSignal), after the page has recorded itself for the way back.
class AllCommentsPage : public BaseTextContentPage
{
    Q_OBJECT
public:
    // model: the comment model of the information view's panel, shared (not owned).
    AllCommentsPage(CommentListModel* model, QWidget* parent, PageHistory& history);
    ~AllCommentsPage() override;

    // The page keeps a copy of the video and shows its title; null only warns.
    void setVideoEntry(VideoEntry* video);
    // The page's copy of the video, null until one was given.
    VideoEntry* getVideoEntry() const { return myVideo.get(); }
    CommentListModel* getCommentListModel() const { return myModel; }
    // The 1-based number of the first comment shown.
    void setStartIndex(int index) { myStartIndex = index; }
    int getStartIndex() const { return myStartIndex; }

    CommentSweepList* getCommentList() const { return myList; }
    QPushButton* getPreviousButton() const { return myPreviousButton; }
    QPushButton* getNextButton() const { return myNextButton; }
    QString getCounterText() const;

public Q_SLOTS:
    void addToPageHistory() override;
    void changeNextPage();
    void changePreviousPage();
    // A row has arrived: the counter follows.
    void rowsInserted();
    void authorLinkClicked(const QModelIndex& index);

Q_SIGNALS:
    void authorLinkSignal(CommentEntry* commentEntry);
    // direction: positive for the previous page, zero or negative for the next one.
    void changeCommentPage(int direction);

private:
    QPointer<CommentListModel> myModel;
    std::unique_ptr<VideoEntry> myVideo;
    int myStartIndex = 1;
    CommentSweepList* myList;
    QLabel* myCounter;
    QPushButton* myPreviousButton;
    QPushButton* myNextButton;
};

#endif
