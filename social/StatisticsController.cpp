#include "social/StatisticsController.h"

#include "social/SocialLogging.h"
#include "social/SocialTexts.h"
#include "social/StatisticsPage.h"

#include "core/ContactListModel.h"
#include "core/MessageListModel.h"
#include "core/Repository.h"
#include "core/VideoListModel.h"
#include "core/constants/Settings.h"
#include "service/VideoServiceProvider.h"

#include <QDebug>

StatisticsController::StatisticsController(VideoServiceProvider* service, Repository& repository, QWidget* parent,
                                           PageHistory& history)
    : QObject(parent),
      myService(service),
      myPage(new StatisticsPage(&repository, parent, history)),
      myRepository(repository)
{
    // The service's answers go through this controller, which tells this page's
    // answers from other pages' ones.
    connect(myService, &VideoServiceProvider::noResults, this, &StatisticsController::noResults);
    connect(myService, &VideoServiceProvider::noMessages, this, &StatisticsController::noMessages);
    connect(myService, &VideoServiceProvider::inviteResponded, this, &StatisticsController::invitePosted);
    connect(myService, &VideoServiceProvider::profileFetched, this, &StatisticsController::profileFetched);
    connect(myService, &VideoServiceProvider::errorOccuredInFeedRequest, this,
            &StatisticsController::feedRequestFailed);
    connect(myService, &VideoServiceProvider::accountRequestFailed, this,
            &StatisticsController::accountRequestFailed);

    // The page's requests and navigation.
    connect(myPage, &StatisticsPage::getStatistics, this, &StatisticsController::getStatistics);
    connect(myPage, &StatisticsPage::getContacts, this, &StatisticsController::getContacts);
    connect(myPage, &StatisticsPage::getUploaded, this, &StatisticsController::getUploads);
    connect(myPage, &StatisticsPage::getContactUploadedVideos, this, &StatisticsController::getContactsUploadedVideos);
    connect(myPage, &StatisticsPage::getAuthorUploadedVideos, this, &StatisticsController::getContactsUploadedVideos);
    connect(myPage, &StatisticsPage::playVideo, this, &StatisticsController::playVideo);
    connect(myPage, &StatisticsPage::sendInvitationResponse, this, &StatisticsController::sendInvitationResponse);
    connect(myPage, &StatisticsPage::showVideoComments, this, &StatisticsController::showVideoComments);
    connect(myPage, qOverload<int>(&StatisticsPage::showMessage), this, &StatisticsController::showMessage);
    connect(this, qOverload<>(&StatisticsController::setInitialFocus), myPage, &StatisticsPage::setInitialFocus);

    // Rows in the page's own models answer its requests for sure.
    connect(myPage->getVideoListModel(), &QAbstractItemModel::rowsInserted, this, [this] { myUploadsPending = false; });
    connect(myPage->getContactListModel(), &QAbstractItemModel::rowsInserted, this,
            [this] { myContactsPending = false; });
}

StatisticsController::~StatisticsController() = default;

// ---- Requests

void StatisticsController::getStatistics()
{
    qCDebug(lcSocial) << "void StatisticsController::getStatistics()"
                      << "start";
    myFailureReported = false;
    myService->getProfile();
    qCDebug(lcSocial) << "void StatisticsController::getStatistics()"
                      << "stop";
}

void StatisticsController::getUploads()
{
    qCDebug(lcSocial) << "void StatisticsController::getUploads()"
                      << "start";
    myFailureReported = false;
    myPage->initPage();
    QString user;
    myRepository.getSetting(SETTING_YOUTUBE_USERNAME, user);
    myVideoListModel = myPage->getVideoListModel();
    myVideoListModel->clear();
    myPage->hideMyNoResultsLabel();
    myUploadsPending = true;
    myService->getUploadedVideos(user, myVideoListModel, 0);
    qCDebug(lcSocial) << "void StatisticsController::getUploads()"
                      << "stop";
}

void StatisticsController::getContacts()
{
    qCDebug(lcSocial) << "void StatisticsController::getContacts()"
                      << "start";
    myFailureReported = false;
    requestContacts();
    myMessageListModel = myPage->getMessageListModel();
    myMessageListModel->clear();
    myPage->hideMyNoResultsLabel();
    myService->getInboxMessages(myMessageListModel, 0);
    qCDebug(lcSocial) << "void StatisticsController::getContacts()"
                      << "stop";
}

void StatisticsController::requestContacts()
{
    myContactListModel = myPage->getContactListModel();
    myContactListModel->clear();
    myPage->hideMyNoResultsLabel();
    myContactsPending = true;
    myService->getContacts(myContactListModel);
}

void StatisticsController::setInitialFocus(int unused)
{
    Q_UNUSED(unused);
    Q_EMIT setInitialFocus();
}

void StatisticsController::sendInvitationResponse(const QString& contact, bool accepted)
{
    qCDebug(lcSocial) << "void StatisticsController::sendInvitationResponse(QString, bool)"
                      << "start";
    qCDebug(lcSocial) << "Invitation was " << (accepted ? "accepted" : "rejected");
    myFailureReported = false;
    myService->postRespondToInvite(contact, accepted);
    qCDebug(lcSocial) << "void StatisticsController::sendInvitationResponse(QString, bool)"
                      << "stop";
}

void StatisticsController::invitePosted()
{
    qCDebug(lcSocial) << "void StatisticsController::invitePosted()"
                      << "start";
    qCDebug(lcSocial) << "Invitation posted!";
    // The contacts show the answer; the inbox is not affected by it.
    requestContacts();
    qCDebug(lcSocial) << "void StatisticsController::invitePosted()"
                      << "stop";
}

// ---- Navigation

void StatisticsController::changeToHomepage()
{
    Q_EMIT backButton();
}

void StatisticsController::getContactsUploadedVideos(const QString& contact)
{
    Q_EMIT getContactUploadedVideos(contact);
}

void StatisticsController::playVideo(VideoEntry* video)
{
    Q_EMIT showUploadedVideo(video);
}

// ---- Answers

void StatisticsController::profileFetched(const QHash<QString, QString>& profile)
{
    myPage->profileFetched(profile);
}

void StatisticsController::noResults()
{
    // An empty contact list or upload history of ours; other pages' empty feeds raise
    // the same signal.
    if (myContactsPending && myPage->getContactListModel()->rowCount() == 0) {
        myContactsPending = false;
    } else if (myUploadsPending && myPage->getVideoListModel()->rowCount() == 0) {
        myUploadsPending = false;
    } else {
        qCDebug(lcSocial) << "an empty answer that is not the statistics page's";
        return;
    }
    myPage->noResults();
}

void StatisticsController::noMessages()
{
    myPage->noMessages();
}

void StatisticsController::feedRequestFailed()
{
    if (!myUploadsPending)
        return;
    myUploadsPending = false;
    myPage->requestFailed();
    reportFailure(TEXT_UPLOADS_FAILED());
}

void StatisticsController::accountRequestFailed(int request, const QString& text)
{
    if (request == eContactsRequest)
        myContactsPending = false;
    myPage->requestFailed();
    reportFailure(text, request == eInviteAnswerRequest);
}

void StatisticsController::reportFailure(const QString& text, bool always)
{
    if (!always && (myFailureReported || !myPage->isVisible())) {
        qCDebug(lcSocial) << "failure not reported (reported already, or the user left):" << text;
        return;
    }
    myFailureReported = true;
    Q_EMIT errorOccured(text);
}
