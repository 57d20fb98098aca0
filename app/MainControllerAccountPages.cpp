#include "app/MainController.h"

#include "app/AppLogging.h"
#include "core/VideoListModel.h"
#include "player/NormalScreenController.h"
#include "social/HistoryItemStatistics.h"
#include "social/MessagePage.h"
#include "social/StatisticsController.h"
#include "social/StatisticsPage.h"

#include <QDebug>

// The account's pages: statistics, uploads, contacts, invitations and messages.

void MainController::createStatisticsController()
{
    myStatisticsController = new StatisticsController(myService, myRepository, &myMainWindow, myPageHistory);
    myMainWindow.addPage(myStatisticsController->getStatisticsPage());
    connect(myStatisticsController, &StatisticsController::backButton, this, &MainController::showHomePage);
    connect(myStatisticsController, &StatisticsController::getContactUploadedVideos, this,
            &MainController::searchAuthorsVideos);
    // The statistics page has recorded itself; the video plays as one picked from a
    // result list.
    connect(myStatisticsController, &StatisticsController::showUploadedVideo, this,
            [this](VideoEntry* entry) { showResultVideo(entry, false); });
    connect(myStatisticsController, &StatisticsController::showVideoComments, this,
            &MainController::showVideoComments);
    connect(myStatisticsController, &StatisticsController::showMessage, this, &MainController::showMessage);
    connect(myStatisticsController, &StatisticsController::errorOccured, this, &MainController::showErrorDialog);
}

void MainController::showStatistics(HistoryItemStatistics* history)
{
    if (!accountSignedIn()) {
        showAccountDialog();
        return;
    }
    if (!myStatisticsController)
        createStatisticsController();
    StatisticsPage* page = myStatisticsController->getStatisticsPage();

    if (history) {
        // Back to the page: the view the user left is asked for again.
        switch (history->getTab()) {
        case HistoryItemStatistics::eStatisticsTab:
            myStatisticsController->getStatistics();
            break;
        case HistoryItemStatistics::eMessagesTab:
        case HistoryItemStatistics::eContactsTab:
        case HistoryItemStatistics::eInvitationsTab:
            myStatisticsController->getContacts();
            break;
        case HistoryItemStatistics::eUploadsTab:
            myStatisticsController->getUploads();
            break;
        default:
            break;
        }
        myMainWindow.showPage(page);
        return;
    }

    // Opened anew (from the home view or the menu): the page the user was on is the
    // way back, unless it is this page itself.
    if (myMainWindow.currentPage() != page)
        leaveCurrentPage();
    myStatisticsController->getStatistics();
    page->showStatisticsView();
    myMainWindow.showPage(page);
    Q_EMIT myStatisticsController->setInitialFocus();
}

void MainController::showMessage(int row)
{
    qCDebug(lcApp) << "Showing message " << row;
    if (!myStatisticsController)
        return;
    // The statistics page has recorded itself: back returns to it.
    if (!myMessagePage) {
        myMessagePage = new MessagePage(&myMainWindow, myPageHistory,
                                        myStatisticsController->getStatisticsPage()->getMessageListModel(), row);
        myMainWindow.addPage(myMessagePage);
    } else {
        myMessagePage->setMessageIndex(row);
    }
    myMainWindow.showPage(myMessagePage);
}

void MainController::showVideoComments(const QString& videoId)
{
    // The uploaded video's comments on the all-comments page (the statistics page has
    // recorded itself for the way back).
    VideoEntry* entry = nullptr;
    if (myStatisticsController) {
        const VideoListModel* model = myStatisticsController->getStatisticsPage()->getVideoListModel();
        for (VideoEntry* candidate : model->entries())
            if (candidate->getVideoId() == videoId)
                entry = candidate;
    }
    if (!entry) {
        qCWarning(lcApp) << "void MainController::showVideoComments(QString) - no uploaded video" << videoId;
        return;
    }
    showAllCommentsPage(entry, myNormalScreenController->getCommentModel(), false, false);
}
