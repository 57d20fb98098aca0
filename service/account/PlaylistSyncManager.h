#ifndef KRELVOX_PLAYLISTSYNCMANAGER_H
#define KRELVOX_PLAYLISTSYNCMANAGER_H

#include "core/VideoEntry.h"
#include "service/account/AccountRequestManager.h"
#include "service/feeds/FeedPager.h"

#include <QList>

#include <functional>

// What one playlist or favourites write of the account gave.
struct SyncAnswer
{
    bool ok = false;
    int httpStatus = 0;
    QString playListId;          // a created playlist
    QString entryId;             // a video added to a playlist or to the favourites
    QList<VideoEntry> entries;   // a playlist read: its videos in list order, each
                                 // with its item id as provider entry id
    QString message;             // why it failed
};

// The account's playlist and favourites writes, one request each, answered through
// the callback given with the call: create, rename and delete a playlist, add,
// remove and move a video in a playlist (yt:position), add to and remove from the
// account's Favorites, and read a whole playlist (or the Favorites) with the item id
// of every video (its pages end where FeedPager says).
class PlaylistSyncManager : public AccountRequestManager
{
    Q_OBJECT
public:
    using Done = std::function<void(const SyncAnswer&)>;

    PlaylistSyncManager(QNetworkAccessManager* network, const ServiceEndpoints& endpoints, Repository& repository,
                        QObject* parent = nullptr);

    void createPlayList(const QString& title, const QString& description, const Done& done);
    void updatePlayList(const QString& playListId, const QString& title, const QString& description,
                        const Done& done);
    void deletePlayList(const QString& playListId, const Done& done);
    void addVideo(const QString& playListId, const QString& videoId, const Done& done);
    void removeVideo(const QString& playListId, const QString& entryId, const Done& done);
    // position: 1 is the top of the list.
    void moveVideo(const QString& playListId, const QString& entryId, int position, const Done& done);
    void addFavorite(const QString& videoId, const Done& done);
    void removeFavorite(const QString& entryId, const Done& done);
    // The playlist's videos, all pages; an empty playlist id reads the Favorites.
    void readPlayList(const QString& playListId, const Done& done);

    // Drops every running request; no callback is called.
    void cancel() { abortAll(); }

protected:
    void requestSucceeded(ServiceRequest* request) override;
    void requestFailed(ServiceRequest* request) override;

private:
    enum Kind { eWrite, eCreatePlayList, eAddEntry, eRead };
    void write(const QString& path, const QByteArray& method, const QByteArray& body, Kind kind, const Done& done);
    void readPage(const QString& path, const FeedPager& pager, const QList<VideoEntry>& sofar, const Done& done);
};

#endif
