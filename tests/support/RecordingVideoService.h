#ifndef KRELVOX_RECORDINGVIDEOSERVICE_H
#define KRELVOX_RECORDINGVIDEOSERVICE_H

#include "service/VideoServiceProvider.h"
#include "service/account/vsCmdStruct.h"

#include <QList>
#include <QStringList>

class Repository;

// A video service that reaches no network: it records what it is asked, and keeps a
// background channel that runs from backgrounddownload until it is cancelled or the
// test ends it. With a repository it acts on the device as the real service would: it
// carries out the commands on the device's (service 0) playlists and reports them
// finished, as the command dispatcher does, and names the background download's file
// in the favourites video folder. Every other operation does nothing.
class RecordingVideoService : public VideoServiceProvider
{
public:
    explicit RecordingVideoService(Repository* device = nullptr, QObject* parent = nullptr);

    bool initialized = true;
    QStringList calls;             // every operation asked for, by name, in order
    QList<vsCmdStruct> commands;   // what was handed to the command queue

    // ---- The background channel
    QStringList backgroundStarted;   // video ids handed to it, in order
    int backgroundCancels = 0;
    bool backgroundDownloading = false;
    QString backgroundVideoId;       // the one it is fetching, "" when idle

    // The running download ends as the real channel ends it: the file is complete in
    // the favourites video folder (of the repository), the channel idle, then the signal.
    void finishBackgroundDownload();
    void finishBackgroundDownloadWithoutFile();
    // The running download ends with the service saying the video is gone.
    void reportBackgroundVideoRemoved();

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
    const QString& getDownloadVideoId() override { return myNoVideoId; }
    void setVideoFileName(VideoEntry*) override {}
    void backgrounddownload(VideoEntry* video) override;
    void cancelBackgoundDownload() override;
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
    void queueCommand(const vsCmdStruct& command) override;

private:
    void runOnDevice(const vsCmdStruct& command);
    void stopBackground();

    Repository* myDevice;
    CategoryMap mySortBy;
    QString myNoVideoId;
};

#endif
