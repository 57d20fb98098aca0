#ifndef KRELVOX_PLAYLISTMANAGER_H
#define KRELVOX_PLAYLISTMANAGER_H

#include "service/account/AccountRequestManager.h"
#include "service/feeds/FeedPager.h"

#include <QPointer>

class PlayListModel;

// Reads the account's playlists (all pages of the playlists feed, 50 at a time) and
// appends one PlayList of the account (service 1, type 6) per playlist to a model,
// with its name, description, playlist id, update date, privacy and entry count.
// The pages end where FeedPager says.
// playListsFetched() follows the last page; a failure, errorOccuredInPlayList().
class PlaylistManager : public AccountRequestManager
{
    Q_OBJECT
public:
    PlaylistManager(QNetworkAccessManager* network, const ServiceEndpoints& endpoints, Repository& repository,
                    QObject* parent = nullptr);

    void getPlaylists(PlayListModel* model);

Q_SIGNALS:
    void playListsFetched();
    void errorOccuredInPlayList();

protected:
    void requestSucceeded(ServiceRequest* request) override;
    void requestFailed(ServiceRequest* request) override;

private:
    void requestPage(const FeedPager& pager);

    QPointer<PlayListModel> myModel;
};

#endif
