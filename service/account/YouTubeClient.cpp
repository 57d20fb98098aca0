#include "service/account/YouTubeClient.h"
#include "core/Repository.h"
#include "core/Types.h"
#include "core/VideoListModel.h"
#include "service/ServiceLogging.h"
#include "service/account/PlaylistSyncManager.h"

#include <QDebug>

YouTubeClient::YouTubeClient(Repository& repository, PlaylistSyncManager* sync, QObject* parent)
    : QObject(parent), myRepository(repository), mySync(sync)
{
}

void YouTubeClient::queueCommand(const vsCmdStruct& command)
{
    qCDebug(lcService) << "YouTubeClient::queueCommand(const vsCmdStruct&)" << command.cmdType << "service"
                       << command.playList.getServiceId() << "queued" << myQueue.count();
    myQueue.append(command);
    if (!myRunning)
        scheduleNext();
}

void YouTubeClient::scheduleNext()
{
    if (myScheduled || myQueue.isEmpty())
        return;
    myScheduled = true;
    QMetaObject::invokeMethod(this, [this] {
        myScheduled = false;
        runNext();
    }, Qt::QueuedConnection);
}

void YouTubeClient::runNext()
{
    if (myRunning || myQueue.isEmpty())
        return;
    myRunning = true;
    myCurrent = myQueue.takeFirst();
    const vsCmdStruct& command = myCurrent;

    if (command.cmdType == vsCopyPlayList) {
        if (command.targetServiceId == eAccountService && command.playList.getServiceId() == eLocalService)
            copyToAccount(command);
        else if (command.targetServiceId == eLocalService && command.playList.getServiceId() == eAccountService)
            copyToDevice(command);
        else
            finish(false);
        return;
    }
    switch (command.playList.getServiceId()) {
    case eLocalService:
        finish(runLocal(command));
        return;
    case eAccountService:
        runRemote(command);
        return;
    default:
        qCDebug(lcService) << "YouTubeClient::runNext"
                           << "unsupported service id" << command.playList.getServiceId();
        finish(false);
        return;
    }
}

void YouTubeClient::finish(bool ok)
{
    const int type = myCurrent.cmdType;
    qCDebug(lcService) << "YouTubeClient::finish" << type << (ok ? "done" : "failed");
    myRunning = false;
    myCurrent = vsCmdStruct();
    myCopy = Copy();
    Q_EMIT commandFinished(type, ok);
    scheduleNext();
}

QString YouTubeClient::videoIdOf(const vsCmdStruct& command)
{
    return command.video.getVideoId().isEmpty() ? command.text : command.video.getVideoId();
}

// A removal the account answers with "not found" has nothing left to remove.
bool YouTubeClient::isGone(const SyncAnswer& answer)
{
    return answer.ok || answer.httpStatus == 404;
}

QList<VideoEntry> YouTubeClient::entriesOf(int playListId)
{
    QList<VideoEntry> entries;
    VideoListModel model(&myRepository);
    if (myRepository.getPlayListEntries(playListId, &model) != eRepOk)
        return entries;
    for (VideoEntry* entry : model.entries())
        if (!entry->getVideoId().isEmpty())
            entries.append(*entry);
    return entries;
}

int YouTubeClient::newPosition(int playListId, const VideoEntry& entry, int targetSortId, bool afterLast)
{
    const QList<VideoEntry> entries = entriesOf(playListId);
    int moving = -1;
    int target = -1;
    for (int i = 0; i < entries.count(); ++i) {
        if (entries.at(i).getFavoriteId() == entry.getFavoriteId())
            moving = i;
        if (entries.at(i).getSortId() == targetSortId && target < 0)
            target = i;
    }
    if (moving < 0 || target < 0)
        return 0;
    if (moving == target)
        return moving + 1;
    // The shown order without the moved entry, then the entry at the target's place.
    if (target > moving)
        --target;
    return target + (afterLast ? 1 : 0) + 1;
}

// ---- The device's playlists

bool YouTubeClient::runLocal(const vsCmdStruct& command)
{
    VideoEntry video = command.video;
    if (video.getVideoId().isEmpty())
        video.setVideoId(command.text);
    return mirror(command, video);
}

bool YouTubeClient::mirror(const vsCmdStruct& command, VideoEntry& video)
{
    PlayList playList = command.playList;
    const int id = playList.getId();
    int result = eRepFailure;
    switch (command.cmdType) {
    case vsAddPlayList:
        result = myRepository.addPlayList(&playList);
        break;
    case vsRemovePlayList:
        result = myRepository.removePlayList(id);
        break;
    case vsRenamePlayList:
        result = command.text.isEmpty() ? int(eRepFailure) : myRepository.renamePlayList(id, command.text);
        break;
    case vsAddVideoToPlayList:
    case vsAddVideoToYouTubeFavorites:
        result = myRepository.addVideoToPlayList(&video, id);
        break;
    case vsRemoveVideoFromPlayList:
    case vsRemoveVideoFromYouTubeFavorites:
        result = myRepository.removeFavorite(&video, id);
        break;
    case vsUpdatePlayListOrder:
        result = myRepository.updatePlayListOrder(id, &video, command.sortId, command.afterLast);
        break;
    default:
        qCDebug(lcService) << "YouTubeClient::mirror"
                           << "unknown command" << command.cmdType;
        return false;
    }
    if (result != eRepOk)
        qCDebug(lcService) << "YouTubeClient::mirror"
                           << "command" << command.cmdType << "database code" << result;
    return result == eRepOk;
}

// ---- The account's playlists

void YouTubeClient::runRemote(const vsCmdStruct& command)
{
    const PlayList& playList = command.playList;
    const QString listId = playList.getProviderId();
    VideoEntry video = command.video;
    if (video.getVideoId().isEmpty())
        video.setVideoId(command.text);
    const QString entryId = video.getProviderEntryId();

    // The account took the change (or had nothing to change): the database follows.
    auto thenMirror = [this](const SyncAnswer& answer, bool accepted) {
        VideoEntry mirrored = myCurrent.video;
        if (mirrored.getVideoId().isEmpty())
            mirrored.setVideoId(myCurrent.text);
        if (!answer.entryId.isEmpty())
            mirrored.setProviderEntryId(answer.entryId);
        if (!accepted) {
            qCDebug(lcService) << "YouTubeClient::runRemote"
                               << "the account refused command" << myCurrent.cmdType << answer.message;
            finish(false);
            return;
        }
        finish(mirror(myCurrent, mirrored));
    };

    switch (command.cmdType) {
    case vsAddPlayList:
        if (playList.getName().isEmpty() || !myRepository.isPlayListNameFree(playList.getName(), eAccountService)) {
            finish(false);
            return;
        }
        mySync->createPlayList(playList.getName(), playList.getDescription(), [this](const SyncAnswer& answer) {
            if (!answer.ok || answer.playListId.isEmpty()) {
                finish(false);
                return;
            }
            myCurrent.playList.setProviderId(answer.playListId);
            myCurrent.playList.setProviderUpdated(QDateTime::currentDateTimeUtc());
            VideoEntry none;
            finish(mirror(myCurrent, none));
        });
        return;
    case vsRemovePlayList:
        if (listId.isEmpty()) {
            finish(mirror(command, video));
            return;
        }
        mySync->deletePlayList(listId, [thenMirror](const SyncAnswer& answer) { thenMirror(answer, isGone(answer)); });
        return;
    case vsRenamePlayList: {
        if (command.text.isEmpty()
            || (command.text != playList.getName() && !myRepository.isPlayListNameFree(command.text, eAccountService))) {
            finish(false);
            return;
        }
        if (listId.isEmpty()) {
            finish(mirror(command, video));
            return;
        }
        mySync->updatePlayList(listId, command.text, playList.getDescription(),
                               [thenMirror](const SyncAnswer& answer) { thenMirror(answer, answer.ok); });
        return;
    }
    case vsAddVideoToPlayList:
        if (listId.isEmpty() || video.getVideoId().isEmpty()) {
            qCDebug(lcService) << "YouTubeClient::runRemote"
                               << "no account playlist or video to add";
            finish(false);
            return;
        }
        mySync->addVideo(listId, video.getVideoId(),
                         [thenMirror](const SyncAnswer& answer) { thenMirror(answer, answer.ok); });
        return;
    case vsRemoveVideoFromPlayList:
        if (listId.isEmpty() || entryId.isEmpty()) {
            finish(mirror(command, video));
            return;
        }
        mySync->removeVideo(listId, entryId, [thenMirror](const SyncAnswer& answer) { thenMirror(answer, isGone(answer)); });
        return;
    case vsAddVideoToYouTubeFavorites:
        if (video.getVideoId().isEmpty()) {
            finish(false);
            return;
        }
        mySync->addFavorite(video.getVideoId(), [this, thenMirror](const SyncAnswer& answer) {
            // Without a Favorites row in the database there is nothing to mirror.
            if (answer.ok && myCurrent.playList.getId() <= 0) {
                finish(true);
                return;
            }
            thenMirror(answer, answer.ok);
        });
        return;
    case vsRemoveVideoFromYouTubeFavorites:
        if (entryId.isEmpty()) {
            finish(mirror(command, video));
            return;
        }
        mySync->removeFavorite(entryId, [this, thenMirror](const SyncAnswer& answer) {
            if (isGone(answer) && myCurrent.playList.getId() <= 0) {
                finish(true);
                return;
            }
            thenMirror(answer, isGone(answer));
        });
        return;
    case vsUpdatePlayListOrder: {
        const int position = newPosition(playList.getId(), video, command.sortId, command.afterLast);
        if (listId.isEmpty() || entryId.isEmpty() || position <= 0) {
            finish(mirror(command, video));
            return;
        }
        mySync->moveVideo(listId, entryId, position,
                          [thenMirror](const SyncAnswer& answer) { thenMirror(answer, answer.ok); });
        return;
    }
    default:
        qCDebug(lcService) << "YouTubeClient::runRemote"
                           << "unknown command" << command.cmdType;
        finish(false);
        return;
    }
}

// ---- Copying a playlist

void YouTubeClient::copyToAccount(const vsCmdStruct& command)
{
    const PlayList& source = command.playList;
    myCopy = Copy();
    myCopy.videos = entriesOf(source.getId());
    if (source.getName().isEmpty() || !myRepository.isPlayListNameFree(source.getName(), eAccountService)) {
        qCDebug(lcService) << "YouTubeClient::copyToAccount"
                           << "the account has a playlist of that name";
        finish(false);
        return;
    }
    mySync->createPlayList(source.getName(), source.getDescription(), [this](const SyncAnswer& answer) {
        if (!answer.ok || answer.playListId.isEmpty()) {
            finish(false);
            return;
        }
        PlayList target(0, eAccountService, ePlayListAccount, myCurrent.playList.getName());
        target.setDescription(myCurrent.playList.getDescription());
        target.setProviderId(answer.playListId);
        target.setProviderUpdated(QDateTime::currentDateTimeUtc());
        if (myRepository.addPlayList(&target) != eRepOk) {
            finish(false);
            return;
        }
        myCopy.target = target;
        addNextCopiedVideo();
    });
}

void YouTubeClient::addNextCopiedVideo()
{
    if (myCopy.next >= myCopy.videos.count()) {
        finishCopy();
        return;
    }
    const int index = myCopy.next++;
    mySync->addVideo(myCopy.target.getProviderId(), myCopy.videos.at(index).getVideoId(),
                     [this, index](const SyncAnswer& answer) {
                         if (answer.ok && !answer.entryId.isEmpty()) {
                             VideoEntry copied = myCopy.videos.at(index);
                             copied.setProviderEntryId(answer.entryId);
                             myCopy.copied.append(copied);
                         } else {
                             myCopy.allOk = false;
                         }
                         addNextCopiedVideo();
                     });
}

void YouTubeClient::copyToDevice(const vsCmdStruct& command)
{
    const PlayList& source = command.playList;
    myCopy = Copy();
    if (source.getName().isEmpty() || !myRepository.isPlayListNameFree(source.getName(), eLocalService)) {
        qCDebug(lcService) << "YouTubeClient::copyToDevice"
                           << "a local playlist has that name";
        finish(false);
        return;
    }
    auto store = [this](const QList<VideoEntry>& videos) {
        PlayList target(0, eLocalService, ePlayListLocal, myCurrent.playList.getName());
        target.setDescription(myCurrent.playList.getDescription());
        if (myRepository.addPlayList(&target) != eRepOk) {
            finish(false);
            return;
        }
        myCopy.target = target;
        for (VideoEntry video : videos) {
            video.setProviderEntryId(QString());
            myCopy.copied.append(video);
        }
        finishCopy();
    };
    const bool favorites = source.getType() == ePlayListAccountFavorites;
    if (source.getProviderId().isEmpty() && !favorites) {
        store(entriesOf(source.getId()));
        return;
    }
    mySync->readPlayList(favorites ? QString() : source.getProviderId(), [this, store](const SyncAnswer& answer) {
        if (!answer.ok) {
            finish(false);
            return;
        }
        store(answer.entries);
    });
}

void YouTubeClient::finishCopy()
{
    // A new entry goes to the top of a playlist: added bottom first, the copy keeps
    // the source's order.
    bool ok = myCopy.allOk;
    for (int i = myCopy.copied.count() - 1; i >= 0; --i) {
        VideoEntry video = myCopy.copied.at(i);
        if (myRepository.addVideoToPlayList(&video, myCopy.target.getId()) != eRepOk)
            ok = false;
    }
    finish(ok);
}
