#include "tests/support/RecordingVideoService.h"

#include "core/FileManager.h"
#include "core/Repository.h"
#include "core/constants/Paths.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

namespace {

// Bytes of a video file the background channel "fetched".
const int FETCHED_VIDEO_SIZE = 250000;

} // namespace

RecordingVideoService::RecordingVideoService(Repository* device, QObject* parent)
    : VideoServiceProvider(parent), myDevice(device)
{
}

void RecordingVideoService::queueCommand(const vsCmdStruct& command)
{
    calls << "queueCommand";
    commands.append(command);
    if (myDevice && command.playList.getServiceId() == 0 && command.cmdType != vsCopyPlayList)
        runOnDevice(command);
}

void RecordingVideoService::runOnDevice(const vsCmdStruct& command)
{
    VideoEntry video = command.video;
    PlayList playList = command.playList;
    int result = 1;
    switch (command.cmdType) {
    case vsAddPlayList:
        result = myDevice->addPlayList(&playList);
        break;
    case vsRemovePlayList:
        result = myDevice->removePlayList(playList.getId());
        break;
    case vsRenamePlayList:
        result = myDevice->renamePlayList(playList.getId(), command.text);
        break;
    case vsAddVideoToPlayList:
        result = myDevice->addVideoToPlayList(&video, playList.getId());
        break;
    case vsRemoveVideoFromPlayList:
        result = myDevice->removeFavorite(&video, playList.getId());
        break;
    case vsUpdatePlayListOrder:
        result = myDevice->updatePlayListOrder(playList.getId(), &video, command.sortId, command.afterLast);
        break;
    default:
        return;
    }
    Q_EMIT commandFinished(command.cmdType, result == 0);
}

void RecordingVideoService::backgrounddownload(VideoEntry* video)
{
    calls << "backgrounddownload";
    if (video && myDevice)
        video->setVideoFile(myDevice->getFileManager()->getFavoriteVideoFolder() + video->getVideoId()
                            + VIDEO_FILE_SUFFIX);
    backgroundStarted << (video ? video->getVideoId() : QString());
    backgroundDownloading = video != nullptr;
    backgroundVideoId = video ? video->getVideoId() : QString();
}

void RecordingVideoService::cancelBackgoundDownload()
{
    calls << "cancelBackgoundDownload";
    ++backgroundCancels;
    stopBackground();
}

void RecordingVideoService::finishBackgroundDownload()
{
    if (!myDevice)
        qFatal("a finished background download needs the device's repository");
    QFile file(myDevice->getFileManager()->getFavoriteVideoFolder() + backgroundVideoId + VIDEO_FILE_SUFFIX);
    QDir().mkpath(QFileInfo(file).absolutePath());
    if (!file.open(QIODevice::WriteOnly))
        qFatal("the test cannot write a video file");
    file.write(QByteArray(FETCHED_VIDEO_SIZE, 'f'));
    file.close();
    finishBackgroundDownloadWithoutFile();
}

void RecordingVideoService::finishBackgroundDownloadWithoutFile()
{
    stopBackground();
    Q_EMIT backgroundVideoIsDownloaded();
}

void RecordingVideoService::reportBackgroundVideoRemoved()
{
    stopBackground();
    Q_EMIT videoRemovedBackground(QStringLiteral("The video is not available"));
}

void RecordingVideoService::stopBackground()
{
    backgroundDownloading = false;
    backgroundVideoId.clear();
}
