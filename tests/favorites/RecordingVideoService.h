#ifndef KRELVOX_RECORDINGVIDEOSERVICE_H
#define KRELVOX_RECORDINGVIDEOSERVICE_H

// A video service for the favourites tests: it records the commands handed to its
// queue, and with a repository it also carries out the device's (service 0)
// playlist commands on it and reports them finished, as the command dispatcher does
// for local playlists. Every other operation does nothing.

#include "core/Repository.h"
#include "service/VideoServiceProvider.h"
#include "service/account/vsCmdStruct.h"

#include <QList>

class RecordingVideoService : public VideoServiceProvider
{
public:
    explicit RecordingVideoService(Repository* runLocallyOn = nullptr) : myRepository(runLocallyOn) {}

    QList<vsCmdStruct> commands;

    void queueCommand(const vsCmdStruct& command) override
    {
        commands.append(command);
        if (!myRepository || command.playList.getServiceId() != 0 || (command.cmdType == vsCopyPlayList))
            return;
        VideoEntry video = command.video;
        PlayList playList = command.playList;
        int result = 1;
        switch (command.cmdType) {
        case vsAddPlayList:
            result = myRepository->addPlayList(&playList);
            break;
        case vsRemovePlayList:
            result = myRepository->removePlayList(playList.getId());
            break;
        case vsRenamePlayList:
            result = myRepository->renamePlayList(playList.getId(), command.text);
            break;
        case vsAddVideoToPlayList:
            result = myRepository->addVideoToPlayList(&video, playList.getId());
            break;
        case vsRemoveVideoFromPlayList:
            result = myRepository->removeFavorite(&video, playList.getId());
            break;
        case vsUpdatePlayListOrder:
            result = myRepository->updatePlayListOrder(playList.getId(), &video, command.sortId, command.afterLast);
            break;
        default:
            return;
        }
        Q_EMIT commandFinished(command.cmdType, result == 0);
    }

    bool isInitialized() const override { return true; }
    void getFeed(eFeedRequestType, VideoListModel*, int, const QString&) override {}
    void search(const QString&, const QString&, const QString&, VideoListModel*, int) override {}
    void getRelatedVideos(VideoEntry*, VideoListModel*, int) override {}
    void getVideoResponses(VideoEntry*, VideoListModel*, int) override {}
    void getUploadedVideos(const QString&, VideoListModel*, int) override {}
    void cancelFeedRequests() override {}
    int getTotalResults(VideoListModel*) const override { return 0; }
    void getComments(VideoEntry*, CommentListModel*, int) override {}
    void commentVideo(const QString&, VideoEntry*) override {}
    void getCategories() override {}
    CategoryMap& getSortBy() override { return mySortBy; }
    void download(VideoEntry*) override {}
    void cancelDownload() override {}
    bool getDownloadState() override { return false; }
    const QString& getDownloadVideoId() override { return myDownloadVideoId; }
    void setVideoFileName(VideoEntry*) override {}
    void backgrounddownload(VideoEntry*) override {}
    void cancelBackgoundDownload() override {}
    bool getBackgroundDownloadState() override { return false; }
    void authenticate(eAuthenticateType) override {}
    void cancelAuthentication() override {}
    void rateVideo(VideoEntry*, int) override {}
    void sendVideoLink(const QString&, VideoEntry*, const QString&) override {}
    void getProfile() override {}
    void getContacts(ContactListModel*) override {}
    void getInboxMessages(MessageListModel*, int) override {}
    void postRespondToInvite(QString, bool) override {}
    void uploadVideo(QMap<QString, QString>) override {}
    void cancelUploading() override {}
    void getPlayLists(PlayListModel*) override {}

private:
    Repository* myRepository;
    CategoryMap mySortBy;
    QString myDownloadVideoId;
};

#endif
