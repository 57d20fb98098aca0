#include "core/Repository.h"
#include "core/VideoEntry.h"
#include "core/VideoListModel.h"
#include "core/constants/Settings.h"
#include "service/ServiceLogging.h"
#include "service/ServiceTexts.h"
#include "service/YoutubeVideoService.h"
#include "service/account/ContactManager.h"
#include "service/account/InboxManager.h"
#include "service/account/PlaylistManager.h"
#include "service/account/PlaylistSyncManager.h"
#include "service/account/PostManager.h"
#include "service/account/UploadManager.h"
#include "service/account/YouTubeClient.h"

#include <QDebug>
#include <QPointer>

// The account operations: sign-in with captcha, posting, contacts, profile, inbox,
// playlists and their writes, and upload. Every manager of the account renews the
// sign-in through the PostManager when the service refuses its token.

void YoutubeVideoService::initializeAccount()
{
    myPost = new PostManager(myNetwork, myEndpoints, myRepository, this);
    myContacts = new ContactManager(myNetwork, myEndpoints, myRepository, this);
    myInbox = new InboxManager(myNetwork, myEndpoints, myRepository, this);
    myPlaylists = new PlaylistManager(myNetwork, myEndpoints, myRepository, this);
    myPlaylistSync = new PlaylistSyncManager(myNetwork, myEndpoints, myRepository, this);
    myUpload = new UploadManager(myNetwork, myEndpoints, myRepository, this);
    myClient = new YouTubeClient(myRepository, myPlaylistSync, this);
    for (AccountRequestManager* manager :
         {static_cast<AccountRequestManager*>(myContacts), static_cast<AccountRequestManager*>(myInbox),
          static_cast<AccountRequestManager*>(myPlaylists), static_cast<AccountRequestManager*>(myPlaylistSync),
          static_cast<AccountRequestManager*>(myUpload)})
        manager->setSession(myPost);

    connect(myPost, &PostManager::authenticated, this, &VideoServiceProvider::authenticated);
    connect(myPost, &PostManager::captchaRequired, this, &YoutubeVideoService::captchaRequired);
    connect(myPost->loginManager(), &ClientLoginManager::captchaImageFetched, this,
            &YoutubeVideoService::captchaImageFetched);
    connect(myPost, &PostManager::commentingDone, this, &VideoServiceProvider::commentingDone);
    connect(myPost, &PostManager::errorOccuredInCommenting, this, &VideoServiceProvider::errorOccuredInCommenting);
    connect(myPost, &PostManager::ratingDone, this, &VideoServiceProvider::ratingDone);
    connect(myPost, &PostManager::inviteResponded, this, &VideoServiceProvider::inviteResponded);
    connect(myPost, &PostManager::linkSent, this, &VideoServiceProvider::linkSent);
    connect(myContacts, &ContactManager::noResults, this, &VideoServiceProvider::noResults);
    connect(myContacts, &ContactManager::profileFetched, this, &VideoServiceProvider::profileFetched);
    connect(myInbox, &InboxManager::noMessages, this, &VideoServiceProvider::noMessages);
    const auto failed = [this](int request) {
        return [this, request](const QString& text) { Q_EMIT accountRequestFailed(request, text); };
    };
    connect(myContacts, &ContactManager::profileRequestFailed, this, failed(eProfileRequest));
    connect(myContacts, &ContactManager::contactsRequestFailed, this, failed(eContactsRequest));
    connect(myInbox, &InboxManager::inboxRequestFailed, this, failed(eInboxRequest));
    connect(myPost, &PostManager::inviteAnswerFailed, this, failed(eInviteAnswerRequest));
    connect(myPlaylists, &PlaylistManager::playListsFetched, this, &VideoServiceProvider::playListsFetched);
    connect(myPlaylists, &PlaylistManager::errorOccuredInPlayList, this, &VideoServiceProvider::errorOccuredInPlayList);
    connect(myUpload, &UploadManager::uploadInProgress, this, &VideoServiceProvider::uploadInProgress);
    connect(myUpload, &UploadManager::uploadDone, this, &VideoServiceProvider::uploadDone);
    connect(myClient, &YouTubeClient::commandFinished, this, &VideoServiceProvider::commandFinished);
}

// ---- Sign-in

void YoutubeVideoService::authenticate(eAuthenticateType type)
{
    myPost->authenticate(type);
}

void YoutubeVideoService::cancelAuthentication()
{
    myPost->cancelAuthentication();
}

void YoutubeVideoService::captchaRequired()
{
    qCDebug(lcService) << "YoutubeVideoService::captchaRequired()"
                       << "start";
    QString token;
    QString address;
    myRepository.getSetting(SETTING_YOUTUBE_CAPTCHA_TOKEN, token);
    myRepository.getSetting(SETTING_YOUTUBE_CAPTCHA_URL, address);
    if (token.isEmpty())
        qCDebug(lcService) << "YoutubeVideoService::captchaRequired()"
                           << "the challenge has no token";
    const QString file = PostManager::captchaImageFile(myRepository);
    myPost->loginManager()->fetchCaptchaImage(myPost->loginManager()->captchaImageUrl(address), file);
    qCDebug(lcService) << "YoutubeVideoService::captchaRequired()"
                       << "end";
}

void YoutubeVideoService::captchaImageFetched(bool ok)
{
    qCDebug(lcService) << "YoutubeVideoService::captchaImageFetched(bool)" << ok;
    if (ok)
        Q_EMIT captchaChallenge();
    else
        Q_EMIT authenticated(false, TEXT_CAPTCHA_IMAGE_FAILED());
}

// ---- Posting

void YoutubeVideoService::commentVideo(const QString& text, VideoEntry* video)
{
    if (!video) {
        qCDebug(lcService) << "NULL pointer: "
                           << "YoutubeVideoService::commentVideo";
        return;
    }
    myPost->commentVideo(text, video->getVideoId());
}

void YoutubeVideoService::rateVideo(VideoEntry* video, int rating)
{
    if (!video) {
        qCDebug(lcService) << "NULL pointer: "
                           << "YoutubeVideoService::rateVideo";
        return;
    }
    myPost->rateVideo(video->getVideoId(), rating);
}

void YoutubeVideoService::sendVideoLink(const QString& contact, VideoEntry* video, const QString& message)
{
    if (!video) {
        qCDebug(lcService) << "NULL pointer: "
                           << "YoutubeVideoService::sendVideoLink";
        return;
    }
    myPost->sendVideoLink(contact, video->getVideoId(), message);
}

void YoutubeVideoService::postRespondToInvite(QString contact, bool accepted)
{
    myPost->postRespondToInvite(contact, accepted);
}

// ---- Reading

void YoutubeVideoService::getProfile()
{
    myContacts->getProfile();
}

void YoutubeVideoService::getContacts(ContactListModel* model)
{
    myContacts->getContacts(model, 1);
}

void YoutubeVideoService::getInboxMessages(MessageListModel* model, int startIndex)
{
    myInbox->getInboxMessages(model, startIndex);
}

void YoutubeVideoService::getPlayLists(PlayListModel* model)
{
    myPlaylists->getPlaylists(model);
}

void YoutubeVideoService::getPlayListEntries(const PlayList& playList, VideoListModel* model)
{
    const int id = playList.getId();
    const bool favorites = playList.getType() == ePlayListAccountFavorites;
    if (!model || playList.getServiceId() != eAccountService || (!favorites && playList.getProviderId().isEmpty())) {
        qCDebug(lcService) << "YoutubeVideoService::getPlayListEntries"
                           << "not an account playlist" << id;
        QMetaObject::invokeMethod(this, [this, id] { Q_EMIT errorOccuredInPlayListEntries(id); }, Qt::QueuedConnection);
        return;
    }
    QPointer<VideoListModel> target = model;
    myPlaylistSync->readPlayList(favorites ? QString() : playList.getProviderId(),
                                 [this, id, target](const SyncAnswer& answer) {
                                     if (!answer.ok || !target) {
                                         qCDebug(lcService)
                                             << "YoutubeVideoService::getPlayListEntries" << id << answer.message;
                                         Q_EMIT errorOccuredInPlayListEntries(id);
                                         return;
                                     }
                                     target->clear();
                                     for (const VideoEntry& entry : answer.entries)
                                         target->addEntry(new VideoEntry(entry));
                                     Q_EMIT playListEntriesFetched(id);
                                 });
}

// ---- Upload

void YoutubeVideoService::uploadVideo(QMap<QString, QString> video)
{
    myUpload->uploadVideo(video);
}

void YoutubeVideoService::cancelUploading()
{
    qCDebug(lcService) << "YoutubeVideoService::cancelUploading()"
                       << "start";
    myUpload->cancel();
    myPost->cancelAuthentication();
    qCDebug(lcService) << "YoutubeVideoService::cancelUploading()"
                       << "end";
}

// ---- Playlist and favourites writes

void YoutubeVideoService::queueCommand(const vsCmdStruct& command)
{
    myClient->queueCommand(command);
}
