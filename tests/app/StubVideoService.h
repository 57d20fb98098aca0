#ifndef KRELVOX_TESTS_STUBVIDEOSERVICE_H
#define KRELVOX_TESTS_STUBVIDEOSERVICE_H

#include "core/VideoEntry.h"
#include "service/VideoServiceProvider.h"

#include <QStringList>

// A video service that only records what the controller asks of it. The background
// channel runs from backgrounddownload until it is cancelled; the test may set it too.
class StubVideoService : public VideoServiceProvider
{
public:
    explicit StubVideoService(QObject* parent = nullptr) : VideoServiceProvider(parent) {}

    bool initialized = true;
    bool backgroundDownloading = false;
    QStringList calls;
    QString backgroundVideoId;

    bool isInitialized() const override { return initialized; }
    void getFeed(eFeedRequestType, VideoListModel*, int, const QString&) override { calls << "getFeed"; }
    void search(const QString&, const QString&, const QString&, VideoListModel*, int) override { calls << "search"; }
    void getRelatedVideos(VideoEntry*, VideoListModel*, int) override { calls << "getRelatedVideos"; }
    void getVideoResponses(VideoEntry*, VideoListModel*, int) override { calls << "getVideoResponses"; }
    void getUploadedVideos(const QString&, VideoListModel*, int) override { calls << "getUploadedVideos"; }
    void cancelFeedRequests() override { calls << "cancelFeedRequests"; }
    int getTotalResults(VideoListModel*) const override { return 0; }
    void getComments(VideoEntry*, CommentListModel*, int) override { calls << "getComments"; }
    void commentVideo(const QString&, VideoEntry*) override { calls << "commentVideo"; }
    void getCategories() override { calls << "getCategories"; }
    CategoryMap& getSortBy() override { return mySortBy; }
    void download(VideoEntry*) override { calls << "download"; }
    void cancelDownload() override { calls << "cancelDownload"; }
    bool getDownloadState() override { return false; }
    const QString& getDownloadVideoId() override { return myEmpty; }
    void setVideoFileName(VideoEntry*) override {}
    void backgrounddownload(VideoEntry* video) override
    {
        calls << "backgrounddownload";
        backgroundVideoId = video ? video->getVideoId() : QString();
        backgroundDownloading = video != nullptr;
    }
    void cancelBackgoundDownload() override
    {
        calls << "cancelBackgoundDownload";
        backgroundDownloading = false;
    }
    bool getBackgroundDownloadState() override { return backgroundDownloading; }
    void authenticate(eAuthenticateType) override { calls << "authenticate"; }
    void cancelAuthentication() override { calls << "cancelAuthentication"; }
    void rateVideo(VideoEntry*, int) override { calls << "rateVideo"; }
    void sendVideoLink(const QString&, VideoEntry*, const QString&) override { calls << "sendVideoLink"; }
    void getProfile() override { calls << "getProfile"; }
    void getContacts(ContactListModel*) override { calls << "getContacts"; }
    void getInboxMessages(MessageListModel*, int) override { calls << "getInboxMessages"; }
    void postRespondToInvite(QString, bool) override { calls << "postRespondToInvite"; }
    void uploadVideo(QMap<QString, QString>) override { calls << "uploadVideo"; }
    void cancelUploading() override { calls << "cancelUploading"; }
    void getPlayLists(PlayListModel*) override { calls << "getPlayLists"; }
    void queueCommand(const vsCmdStruct&) override { calls << "queueCommand"; }

private:
    CategoryMap mySortBy;
    QString myEmpty;
};

#endif
