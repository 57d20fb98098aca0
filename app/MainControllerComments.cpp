#include "app/MainController.h"

#include "app/AppLogging.h"
#include "core/CommentEntry.h"
#include "core/CommentListModel.h"
#include "core/VideoEntry.h"
#include "player/NormalScreenController.h"
#include "player/VideoViewBase.h"
#include "service/VideoServiceProvider.h"
#include "shell/PageHistoryItem.h"
#include "social/AllCommentsPage.h"
#include "social/TextPageConstants.h"
#include "social/VideoDescriptionPage.h"
#include "social/WriteCommentPage.h"

#include <QDebug>

// A video's comments and description on pages of their own, and writing a comment:
// the pages are opened from the information view (and the comments also from the
// statistics page's upload history).

void MainController::connectComments()
{
    // The all-comments and description pages go back through the page history, so
    // the information view records itself first (going back lets its held video go
    // on). The write-comment page returns to the view by itself.
    connect(myNormalScreenController, &NormalScreenController::showAllCommentsPage, this,
            [this](VideoEntry* video, CommentListModel* model, bool listButtonsState) {
                if (video)
                    leaveCurrentPage();
                showAllCommentsPage(video, model, listButtonsState, false);
            });
    connect(myNormalScreenController, &NormalScreenController::showDescriptionPage, this,
            [this](VideoEntry* video, bool listButtonsState) {
                if (video)
                    leaveCurrentPage();
                showDescriptionPage(video, listButtonsState);
            });
    connect(myNormalScreenController, &NormalScreenController::showWriteCommentPage, this,
            &MainController::showWriteCommentPage);
    // The post's outcome reaches the write-comment page, which keeps the text until the
    // service has taken it (a refusal is shown as an error dialog too).
    connect(myService, &VideoServiceProvider::commentingDone, this, [this]() {
        if (myWriteCommentPage)
            myWriteCommentPage->commentPosted();
    });
    connect(myService, &VideoServiceProvider::errorOccuredInCommenting, this, [this]() {
        if (myWriteCommentPage)
            myWriteCommentPage->commentRefused();
    });
}

void MainController::holdInformationView()
{
    if (myNormalScreenController)
        myNormalScreenController->holdVideo();
}

// ---- All comments

void MainController::showAllCommentsPage(VideoEntry* video, CommentListModel* model, bool listButtonsState,
                                         bool historyPage)
{
    // The video views keep their step buttons themselves.
    Q_UNUSED(listButtonsState);
    if (!myAllCommentsPage) {
        myAllCommentsPage = new AllCommentsPage(model, &myMainWindow, myPageHistory);
        myMainWindow.addPage(myAllCommentsPage);
        connect(myAllCommentsPage, &AllCommentsPage::authorLinkSignal, this,
                &MainController::allCommentsAuthorLinkSignal);
        connect(myAllCommentsPage, &AllCommentsPage::changeCommentPage, this, &MainController::changeCommentPage);
    }
    if (!video) {
        qCWarning(lcApp, "ENTRY IS NULL -> PAGE NOT CHANGED");
        return;
    }
    if (!historyPage)
        holdInformationView();
    AllCommentsPage* page = myAllCommentsPage;
    page->setVideoEntry(video);
    page->setStartIndex(1);
    if (CommentListModel* comments = page->getCommentListModel()) {
        comments->clear();
        myService->getComments(page->getVideoEntry(), comments, 0);
    }
    page->setListToBeginning();
    myMainWindow.showPage(page);
}

void MainController::changeCommentPage(int direction)
{
    if (!myAllCommentsPage)
        return;
    AllCommentsPage* page = myAllCommentsPage;
    CommentListModel* model = page->getCommentListModel();
    if (!model) {
        qCDebug(lcApp) << "No model found in all comments -page!";
        return;
    }
    const int start = page->getStartIndex();
    int next = start;
    if (direction > 0)
        next = qMax(1, start - ALL_COMMENTS_PAGE_ROWS);
    else if (start + ALL_COMMENTS_PAGE_ROWS <= model->getTotal())
        next = start + ALL_COMMENTS_PAGE_ROWS;
    model->clear();
    if (VideoEntry* video = page->getVideoEntry())
        myService->getComments(video, model, next);
    page->setListToBeginning();
    page->setStartIndex(next);
}

void MainController::allCommentsAuthorLinkSignal(CommentEntry* entry)
{
    if (!entry) {
        qCDebug(lcApp, "Error entry is NULL");
        return;
    }
    // The page has recorded itself. The information view's video is done with: going
    // back to the view starts it again.
    const QString author = entry->getAuthor();
    if (myNormalScreenController)
        myNormalScreenController->stopVideo();
    searchAuthorsVideos(author);
}

// ---- Writing a comment

void MainController::showWriteCommentPage(VideoEntry* video, bool listButtonsState)
{
    Q_UNUSED(listButtonsState);
    if (!myWriteCommentPage) {
        myWriteCommentPage = new WriteCommentPage(&myMainWindow, myPageHistory);
        myMainWindow.addPage(myWriteCommentPage);
        connect(myWriteCommentPage, &WriteCommentPage::goBack, this, &MainController::writeCommentsBackButtonSignal);
        connect(myWriteCommentPage, qOverload<const QString&, VideoEntry*>(&WriteCommentPage::sendComment), this,
                &MainController::saveComment);
    }
    if (!video) {
        qCWarning(lcApp, "Error entry is NULL");
        return;
    }
    holdInformationView();
    myMainWindow.showPage(myWriteCommentPage);
    myWriteCommentPage->setVideoEntryAndFocus(video);
}

void MainController::saveComment(const QString& text, VideoEntry* video)
{
    if (!video) {
        qCDebug(lcApp, "Error entry is NULL");
        if (myWriteCommentPage)
            myWriteCommentPage->commentRefused();
        return;
    }
    // Blanks only: nothing to post (the service would refuse it).
    if (text.isEmpty())
        return;
    myService->commentVideo(text, video);
}

void MainController::writeCommentsBackButtonSignal()
{
    NormalScreenController* view = myNormalScreenController;
    if (view->isActive()) {
        myMainWindow.showPage(view->getPage());
        view->continueVideo();
        return;
    }
    // The video ended while the page was left for another one: it starts again.
    VideoEntry* video = myWriteCommentPage ? myWriteCommentPage->getVideoEntry() : nullptr;
    if (!video) {
        showHomePage();
        return;
    }
    useVideoController(view);
    view->playVideo(*video);
    myMainWindow.showPage(view->getPage());
}

// ---- Description

void MainController::showDescriptionPage(VideoEntry* video, bool listButtonsState)
{
    Q_UNUSED(listButtonsState);
    if (!video) {
        qCWarning(lcApp, "Entry is NULL");
        return;
    }
    holdInformationView();
    if (!myDescriptionPage) {
        myDescriptionPage = new VideoDescriptionPage(video, &myMainWindow, myPageHistory);
        myMainWindow.addPage(myDescriptionPage);
    }
    myDescriptionPage->setTitle(video->getName(), BaseTextContentPage::eDescriptionTitle);
    myDescriptionPage->setDescription(video->getDescription());
    myDescriptionPage->setListToBeginning();
    myMainWindow.showPage(myDescriptionPage);
}

// ---- Back to a page

void MainController::restoreCommentsPage(PageHistoryItem* item)
{
    switch (item->getPageId()) {
    case eAllCommentsPageId: {
        // The first page of the comments of the item's video, fetched again.
        auto* comments = qobject_cast<HistoryItemAllComments*>(item);
        if (comments && comments->getVideo()) {
            showAllCommentsPage(comments->getVideo(), comments->getModel(), false, true);
            return;
        }
        break;
    }
    case eDescriptionPageId:
        if (myDescriptionPage) {
            myMainWindow.showPage(myDescriptionPage);
            return;
        }
        break;
    case eWriteCommentPageId:
        // The comment as the user left it.
        if (myWriteCommentPage) {
            myMainWindow.showPage(myWriteCommentPage);
            return;
        }
        break;
    default:
        break;
    }
    showHomePage();
}
