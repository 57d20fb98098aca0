#ifndef KRELVOX_YOUTUBEVIDEOSERVICE_H
#define KRELVOX_YOUTUBEVIDEOSERVICE_H

#include "service/RequestManagerBase.h"
#include "service/ServiceEndpoints.h"
#include "service/VideoServiceProvider.h"

class CategoryRequestManager;
class CommentRequestManager;
class ContactManager;
class InboxManager;
class PlaylistManager;
class PlaylistSyncManager;
class PostManager;
class UploadManager;
class YouTubeClient;
class QNetworkAccessManager;
class Repository;
class ThumbnailRequestManager;
class VideoDownloadManager;
class VideoFeedRequestManager;

// The video service on the service's GData API. It owns the one network access
// manager and the request managers, and passes their signals on as its own.
class YoutubeVideoService : public VideoServiceProvider
{
    Q_OBJECT
public:
    YoutubeVideoService(Repository& repository, QObject* parent = nullptr);
    // With explicit endpoints (instead of the environment's).
    YoutubeVideoService(Repository& repository, const ServiceEndpoints& endpoints, QObject* parent = nullptr);
    ~YoutubeVideoService() override;

    bool isInitialized() const override { return myInitialized; }
    const ServiceEndpoints& endpoints() const { return myEndpoints; }
    QNetworkAccessManager* network() const { return myNetwork; }
    // Timeout, redirect and size limits of every request manager.
    void setRequestLimits(const RequestLimits& limits);

    // ---- Feeds
    void getFeed(eFeedRequestType type, VideoListModel* model, int startIndex, const QString& timeFilter) override;
    void search(const QString& text, const QString& category, const QString& sortBy,
                VideoListModel* model, int startIndex) override;
    void getRelatedVideos(VideoEntry* video, VideoListModel* model, int startIndex) override;
    void getVideoResponses(VideoEntry* video, VideoListModel* model, int startIndex) override;
    void getUploadedVideos(const QString& user, VideoListModel* model, int startIndex) override;
    void cancelFeedRequests() override;
    int getTotalResults(VideoListModel* model) const override;

    // ---- Comments
    void getComments(VideoEntry* video, CommentListModel* model, int startIndex) override;

    // ---- Categories and sort orders
    void getCategories() override;
    CategoryMap& getSortBy() override;

    // ---- Regular download
    void download(VideoEntry* video) override;
    void cancelDownload() override;
    bool getDownloadState() override;
    const QString& getDownloadVideoId() override;
    void setVideoFileName(VideoEntry* video) override;

    // ---- Pictures
    void getThumbnail(VideoListModel* model, VideoEntry* entry) override;

    // ---- Background download
    void backgrounddownload(VideoEntry* video) override;
    void cancelBackgoundDownload() override;
    bool getBackgroundDownloadState() override;

    // ---- Account (YoutubeVideoServiceAccount.cpp)
    void commentVideo(const QString& text, VideoEntry* video) override;
    void authenticate(eAuthenticateType type) override;
    void cancelAuthentication() override;
    void rateVideo(VideoEntry* video, int rating) override;
    void sendVideoLink(const QString& contact, VideoEntry* video, const QString& message) override;
    void getProfile() override;
    void getContacts(ContactListModel* model) override;
    void getInboxMessages(MessageListModel* model, int startIndex) override;
    void postRespondToInvite(QString contact, bool accepted) override;
    void uploadVideo(QMap<QString, QString> video) override;
    void cancelUploading() override;
    void getPlayLists(PlayListModel* model) override;
    void getPlayListEntries(const PlayList& playList, VideoListModel* model) override;
    void queueCommand(const vsCmdStruct& command) override;

    // The account's managers (for tests and diagnostics).
    PostManager* postManager() const { return myPost; }
    YouTubeClient* commandClient() const { return myClient; }

public Q_SLOTS:
    // A sign-in was answered with a captcha challenge: fetches its picture into the
    // thumbnails folder (PostManager::captchaImageFile).
    void captchaRequired();
    // The picture is there (captchaChallenge()) or could not be had (a failed sign-in).
    void captchaImageFetched(bool ok);

private:
    void initialize();
    void initializeAccount();
    void backgroundProgress(qint64 received, qint64 total);
    void backgroundFailed(const QString& message, bool unavailable);

    Repository& myRepository;
    ServiceEndpoints myEndpoints;
    QNetworkAccessManager* myNetwork = nullptr;
    VideoFeedRequestManager* myFeeds = nullptr;
    CommentRequestManager* myComments = nullptr;
    CategoryRequestManager* myCategories = nullptr;
    VideoDownloadManager* myDownload = nullptr;
    VideoDownloadManager* myBackgroundDownload = nullptr;
    ThumbnailRequestManager* myThumbnails = nullptr;   // pictures of lists that are not feeds
    // Account (YoutubeVideoServiceAccount.cpp)
    PostManager* myPost = nullptr;
    ContactManager* myContacts = nullptr;
    InboxManager* myInbox = nullptr;
    PlaylistManager* myPlaylists = nullptr;
    PlaylistSyncManager* myPlaylistSync = nullptr;
    UploadManager* myUpload = nullptr;
    YouTubeClient* myClient = nullptr;
    CategoryMap mySortBy;
    QString myDownloadVideoId;
    bool myInitialized = false;
};

#endif
