#include "service/account/PlaylistManager.h"
#include "core/PlayListModel.h"
#include "core/Types.h"
#include "service/ServiceConstants.h"
#include "service/ServiceLogging.h"
#include "service/account/AccountConstants.h"
#include "service/account/AccountDocuments.h"

#include <QDebug>

namespace {

struct PlayListsRequest : public AccountRequest
{
    PlayListsRequest(const QUrl& url, const FeedPager& p) : AccountRequest(url), pager(p) {}
    FeedPager pager;
};

} // namespace

PlaylistManager::PlaylistManager(QNetworkAccessManager* network, const ServiceEndpoints& endpoints,
                                 Repository& repository, QObject* parent)
    : AccountRequestManager(network, endpoints, repository, parent)
{
}

void PlaylistManager::getPlaylists(PlayListModel* model)
{
    qCDebug(lcService) << "PlaylistManager::getPlaylists(PlayListModel*)"
                       << "start";
    if (!model) {
        qCDebug(lcService) << "NULL pointer: "
                           << "PlaylistManager::getPlaylists";
        return;
    }
    abortAll();
    myModel = model;
    requestPage(FeedPager());
    qCDebug(lcService) << "PlaylistManager::getPlaylists(PlayListModel*)"
                       << "end";
}

void PlaylistManager::requestPage(const FeedPager& pager)
{
    QueryBuilder query;
    query.add(QUERY_MAX_RESULTS, QString::number(ACCOUNT_FEED_PAGE_SIZE));
    query.add(QUERY_START_INDEX, QString::number(pager.startIndex()));
    query.add(QUERY_VERSION, QUERY_VERSION_VALUE);
    send(new PlayListsRequest(
        endpoints().url(ServiceEndpoints::eApi, PATH_USERS + USER_DEFAULT + PATH_PLAYLISTS_SUFFIX, query.toString()),
        pager));
}

void PlaylistManager::requestSucceeded(ServiceRequest* r)
{
    auto* request = static_cast<PlayListsRequest*>(r);
    PlayListModel* model = myModel;
    if (!model)
        return;
    QList<AccountDocuments::PlayListItem> items;
    AccountDocuments::FeedInfo info;
    QString error;
    if (!AccountDocuments::parsePlayLists(request->receivedData(), items, info, error)) {
        reportFailure(request, ServiceRequest::eMalformed, QStringLiteral("The playlists could not be read: ") + error);
        return;
    }
    for (const AccountDocuments::PlayListItem& item : items) {
        auto* playList = new PlayList(0, eAccountService, ePlayListAccount, item.title);
        playList->setDescription(item.description);
        playList->setProviderId(item.playListId);
        playList->setProviderUpdated(item.updated);
        playList->setPrivate(item.isPrivate);
        playList->setCount(item.count);
        model->addPlayList(playList);
    }
    if (request->pager.advance(info))
        requestPage(request->pager);
    else
        Q_EMIT playListsFetched();
}

void PlaylistManager::requestFailed(ServiceRequest* r)
{
    qCDebug(lcService) << "PlaylistManager::requestFailed" << r->failureMessage();
    Q_EMIT errorOccuredInPlayList();
}
