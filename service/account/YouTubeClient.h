#ifndef KRELVOX_YOUTUBECLIENT_H
#define KRELVOX_YOUTUBECLIENT_H

#include "service/account/vsCmdStruct.h"

#include <QList>
#include <QObject>

class PlaylistSyncManager;
class Repository;
struct SyncAnswer;

// The command dispatcher behind VideoServiceProvider::queueCommand: the playlist
// and favourites writes of the favourites page run here one at a time, in the order
// they were queued, each ending with commandFinished(cmdType, ok). A command never
// finishes inside queueCommand: the first step of every command runs from the event
// loop, so the caller's own work is done before the lists are refreshed.
//
// A command on a playlist of the device (service 0) is a database write only. On a
// playlist of the account (service 1) the account is written first and the database
// follows only when the account took the change. Copying a playlist runs in phases,
// one request at a time: to the account, the account playlist is created, then each
// video is added to it; to the device, the account playlist is read and a new local
// playlist gets its videos, in the same order.
class YouTubeClient : public QObject
{
    Q_OBJECT
public:
    YouTubeClient(Repository& repository, PlaylistSyncManager* sync, QObject* parent = nullptr);

    void queueCommand(const vsCmdStruct& command);
    // A command is running (or about to start).
    bool isBusy() const { return myRunning || !myQueue.isEmpty(); }

    // The list position (1 = top) that the moved entry gets in the playlist, as the
    // drop asks for it; 0 when the entry or the target is not in the playlist.
    int newPosition(int playListId, const VideoEntry& entry, int targetSortId, bool afterLast);

Q_SIGNALS:
    void commandFinished(int cmdType, bool ok);

private:
    void scheduleNext();
    void runNext();
    void finish(bool ok);
    bool runLocal(const vsCmdStruct& command);
    void runRemote(const vsCmdStruct& command);
    void copyToAccount(const vsCmdStruct& command);
    void copyToDevice(const vsCmdStruct& command);
    void addNextCopiedVideo();
    void finishCopy();
    // The database write that mirrors a command the account has taken.
    bool mirror(const vsCmdStruct& command, VideoEntry& video);
    QList<VideoEntry> entriesOf(int playListId);
    static QString videoIdOf(const vsCmdStruct& command);
    static bool isGone(const SyncAnswer& answer);

    Repository& myRepository;
    PlaylistSyncManager* mySync;
    QList<vsCmdStruct> myQueue;
    vsCmdStruct myCurrent;
    bool myRunning = false;
    bool myScheduled = false;

    // A playlist being copied.
    struct Copy
    {
        PlayList target;            // the new playlist (its id once it is stored)
        QList<VideoEntry> videos;   // the source's videos, top first
        QList<VideoEntry> copied;   // those the account took, with their item ids
        int next = 0;
        bool allOk = true;
    };
    Copy myCopy;
};

#endif
