#include "service/account/PlaylistSyncManager.h"
#include "service/ServiceConstants.h"
#include "service/ServiceLogging.h"
#include "service/account/AccountConstants.h"
#include "service/account/AccountDocuments.h"
#include "service/account/AtomEntryWriter.h"
#include "service/feeds/VideoFeedParser.h"

#include <QDebug>

namespace {

struct SyncRequest : public AccountRequest
{
    SyncRequest(const QUrl& url, const QByteArray& method, int k, const PlaylistSyncManager::Done& d)
        : AccountRequest(url, method), kind(k), done(d) {}

    int kind;
    PlaylistSyncManager::Done done;
    QString path;                 // reads: the feed, for the next page
    FeedPager pager;
    QList<VideoEntry> entries;    // reads: the pages before this one
};

QString segment(const QString& text)
{
    return ServiceEndpoints::pathSegment(text);
}

QString accountListsPath()
{
    return PATH_USERS + USER_DEFAULT + PATH_PLAYLISTS_SUFFIX;
}

QString favoritesPath()
{
    return PATH_USERS + USER_DEFAULT + PATH_FAVORITES_SUFFIX;
}

} // namespace

PlaylistSyncManager::PlaylistSyncManager(QNetworkAccessManager* network, const ServiceEndpoints& endpoints,
                                         Repository& repository, QObject* parent)
    : AccountRequestManager(network, endpoints, repository, parent)
{
}

void PlaylistSyncManager::write(const QString& path, const QByteArray& method, const QByteArray& body, Kind kind,
                                const Done& done)
{
    auto* request = new SyncRequest(endpoints().url(ServiceEndpoints::eApi, path), method, kind, done);
    if (!body.isEmpty()) {
        request->setRawHeader(HEADER_CONTENT_TYPE, CONTENT_TYPE_ATOM);
        request->setBody(body);
    }
    send(request);
}

void PlaylistSyncManager::createPlayList(const QString& title, const QString& description, const Done& done)
{
    write(accountListsPath(), QByteArrayLiteral("POST"), AtomEntryWriter::playList(title, description),
          eCreatePlayList, done);
}

void PlaylistSyncManager::updatePlayList(const QString& playListId, const QString& title, const QString& description,
                                         const Done& done)
{
    write(accountListsPath() + QLatin1Char('/') + segment(playListId), QByteArrayLiteral("PUT"),
          AtomEntryWriter::playList(title, description), eWrite, done);
}

void PlaylistSyncManager::deletePlayList(const QString& playListId, const Done& done)
{
    write(accountListsPath() + QLatin1Char('/') + segment(playListId), QByteArrayLiteral("DELETE"), QByteArray(),
          eWrite, done);
}

void PlaylistSyncManager::addVideo(const QString& playListId, const QString& videoId, const Done& done)
{
    write(PATH_PLAYLIST_FEEDS + segment(playListId), QByteArrayLiteral("POST"), AtomEntryWriter::listVideo(videoId),
          eAddEntry, done);
}

void PlaylistSyncManager::removeVideo(const QString& playListId, const QString& entryId, const Done& done)
{
    write(PATH_PLAYLIST_FEEDS + segment(playListId) + QLatin1Char('/') + segment(entryId),
          QByteArrayLiteral("DELETE"), QByteArray(), eWrite, done);
}

void PlaylistSyncManager::moveVideo(const QString& playListId, const QString& entryId, int position, const Done& done)
{
    write(PATH_PLAYLIST_FEEDS + segment(playListId) + QLatin1Char('/') + segment(entryId), QByteArrayLiteral("PUT"),
          AtomEntryWriter::listPosition(position), eWrite, done);
}

void PlaylistSyncManager::addFavorite(const QString& videoId, const Done& done)
{
    write(favoritesPath(), QByteArrayLiteral("POST"), AtomEntryWriter::listVideo(videoId), eAddEntry, done);
}

void PlaylistSyncManager::removeFavorite(const QString& entryId, const Done& done)
{
    write(favoritesPath() + QLatin1Char('/') + segment(entryId), QByteArrayLiteral("DELETE"), QByteArray(), eWrite,
          done);
}

void PlaylistSyncManager::readPlayList(const QString& playListId, const Done& done)
{
    const QString path = playListId.isEmpty() ? favoritesPath() : PATH_PLAYLIST_FEEDS + segment(playListId);
    readPage(path, FeedPager(), QList<VideoEntry>(), done);
}

void PlaylistSyncManager::readPage(const QString& path, const FeedPager& pager, const QList<VideoEntry>& sofar,
                                   const Done& done)
{
    QueryBuilder query;
    query.add(QUERY_MAX_RESULTS, QString::number(ACCOUNT_FEED_PAGE_SIZE));
    query.add(QUERY_START_INDEX, QString::number(pager.startIndex()));
    query.add(QUERY_VERSION, QUERY_VERSION_VALUE);
    auto* request = new SyncRequest(endpoints().url(ServiceEndpoints::eApi, path, query.toString()),
                                    QByteArrayLiteral("GET"), eRead, done);
    request->path = path;
    request->pager = pager;
    request->entries = sofar;
    send(request);
}

void PlaylistSyncManager::requestSucceeded(ServiceRequest* r)
{
    auto* request = static_cast<SyncRequest*>(r);
    SyncAnswer answer;
    answer.ok = true;
    answer.httpStatus = request->httpStatus();
    QString error;

    switch (request->kind) {
    case eCreatePlayList:
    case eAddEntry: {
        AccountDocuments::ListEntryItem entry;
        QString playListId;
        if (!AccountDocuments::parseWrittenEntry(request->receivedData(), entry, playListId, error)) {
            reportFailure(request, ServiceRequest::eMalformed, QStringLiteral("The answer could not be read: ") + error);
            return;
        }
        if (request->kind == eCreatePlayList)
            answer.playListId = playListId;
        else
            answer.entryId = entry.entryId;
        break;
    }
    case eRead: {
        QList<AccountDocuments::ListEntryItem> items;
        AccountDocuments::FeedInfo info;
        VideoFeedParser videos;
        if (!AccountDocuments::parseListEntries(request->receivedData(), items, info, error)
            || !videos.parse(request->receivedData())) {
            reportFailure(request, ServiceRequest::eMalformed,
                          QStringLiteral("The playlist could not be read: ") + error + videos.errorString());
            return;
        }
        QList<VideoEntry*> parsed = videos.takeEntries();
        QList<VideoEntry> entries = request->entries;
        for (int i = 0; i < parsed.count() && i < items.count(); ++i) {
            VideoEntry* video = parsed.at(i);
            if (video->getVideoId().isEmpty())
                video->setVideoId(items.at(i).videoId);
            video->setProviderEntryId(items.at(i).entryId);
            if (!video->getVideoId().isEmpty())
                entries.append(*video);
        }
        qDeleteAll(parsed);
        if (request->pager.advance(info)) {
            readPage(request->path, request->pager, entries, request->done);
            return;
        }
        answer.entries = entries;
        break;
    }
    case eWrite:
        break;
    }
    if (request->done)
        request->done(answer);
}

void PlaylistSyncManager::requestFailed(ServiceRequest* r)
{
    auto* request = static_cast<SyncRequest*>(r);
    qCDebug(lcService) << "PlaylistSyncManager::requestFailed" << request->method() << request->url().path()
                       << request->failureMessage();
    SyncAnswer answer;
    answer.ok = false;
    answer.httpStatus = request->httpStatus();
    answer.message = request->failureMessage();
    if (request->done)
        request->done(answer);
}
