#include "core/repository/PlayListStore.h"
#include "core/PlayList.h"
#include "core/PlayListModel.h"
#include "core/Types.h"
#include "core/constants/Texts.h"
#include "core/repository/RepositoryDatabase.h"
#include "core/repository/RepositoryRows.h"

#include <QHash>
#include <QSqlQuery>

namespace {

// The playlist's counts as its row keeps them: entries (the account's count of an
// account playlist whose entries have not been read), or stored copies still to download.
enum class Count { Entries, Downloads };

int readCounts(RepositoryDatabase& database, PlayListModel* model, Count which, const char* caller)
{
    if (!model || !database.isUsable())
        return eRepFailure;
    const QString sql = which == Count::Entries
        ? QStringLiteral("select id, coalesce(provider_count, entry_count) from playlist")
        : QStringLiteral("select id, download_count from playlist");
    QHash<int, int> counts;
    if (!database.readRows(sql, {}, caller, [&counts](const QSqlQuery& q) {
            counts.insert(int(q.value(0).toLongLong()), int(q.value(1).toLongLong()));
        }))
        return eRepFailure;
    for (PlayList* playList : model->entries()) {
        const int count = counts.value(playList->getId(), 0);
        if (which == Count::Entries)
            playList->setCount(count);
        else
            playList->setDownloadCount(count);
    }
    return eRepOk;
}

} // namespace

int PlayListStore::insertPlayList(RepositoryDatabase& database, int serviceId, int type, const PlayList& playList,
                                  const char* caller)
{
    // Usage stamp: milliseconds since the epoch, and always later than every other
    // playlist's, so the playlist just added is the newest even within one millisecond.
    QSqlQuery query(database.connection());
    if (!database.run(query,
                      QStringLiteral("insert into playlist (vs_id, type, name, description, provider_id,"
                                     " provider_updated_date, is_private, latest_usage_date)"
                                     " values (?, ?, ?, ?, ?, ?, ?,"
                                     " max(cast((julianday('now') - 2440587.5) * 86400000 as integer),"
                                     " (select coalesce(max(latest_usage_date), 0) + 1 from playlist)))"),
                      {serviceId, type, playList.getName(), playList.getDescription(), playList.getProviderId(),
                       playList.getProviderUpdated().toString(Qt::ISODateWithMs), int(playList.isPrivate())},
                      caller))
        return -1;
    return query.lastInsertId().toInt();
}

int PlayListStore::getPlayLists(PlayListModel* model, const bool collapsed[2])
{
    if (!model || !myDatabase.isUsable())
        return eRepFailure;
    const bool* flags = collapsed ? collapsed : model->getVsFolderCollapsedFlags();
    const QString sql = PLAYLIST_COLUMNS
        + QStringLiteral("where not (? and type = 4 and vs_id = 0) and not (? and type in (5, 6) and vs_id = 1)")
        + QStringLiteral(" order by vs_id, type, latest_usage_date desc, id desc");
    if (!myDatabase.readRows(sql, {int(flags[0]), int(flags[1])}, "Repository::getPlayLists()",
                             [model, flags](const QSqlQuery& q) {
                                 PlayList* playList = readPlayList(q);
                                 const int vsId = playList->getServiceId();
                                 if ((playList->getType() == ePlayListLocalFolder
                                      || playList->getType() == ePlayListAccountFolder)
                                     && (vsId == 0 || vsId == 1))
                                     playList->setFolderOpen(flags[vsId]);
                                 model->addPlayList(playList);
                             }))
        return eRepFailure;
    int result = addPlayListCountsToModel(model);
    if (result == eRepOk)
        result = addDownloadCountsToModel(model);
    return result;
}

int PlayListStore::addPlayListCountsToModel(PlayListModel* model)
{
    return readCounts(myDatabase, model, Count::Entries, "Repository::addPlayListCountsToModel()");
}

int PlayListStore::addDownloadCountsToModel(PlayListModel* model)
{
    return readCounts(myDatabase, model, Count::Downloads, "Repository::addDownloadCountsToModel()");
}

int PlayListStore::addPlayList(PlayList* playList)
{
    if (!playList || !myDatabase.isUsable())
        return eRepFailure;
    const int vsId = playList->getServiceId();
    if (vsId != eLocalService && vsId != eAccountService)
        return eRepUnsupportedService;
    // Only user rows are added here: the local fixed rows exist from the start. A type
    // that does not belong to the service becomes that service's plain playlist.
    int type = playList->getType();
    if (vsId == eLocalService)
        type = ePlayListLocal;
    else if (type != ePlayListAccountFolder && type != ePlayListAccountFavorites)
        type = ePlayListAccount;
    if (!isPlayListNameFree(playList->getName(), vsId))
        return eRepNameInUse;
    const int id = insertPlayList(myDatabase, vsId, type, *playList, "Repository::addPlayList()");
    if (id < 0)
        return eRepFailure;
    playList->setId(id);
    playList->setType(type);
    return eRepOk;
}

int PlayListStore::removePlayList(int playListId)
{
    if (!myDatabase.isUsable())
        return eRepFailure;
    if (playListId == ePlayListIdAllFavorites || playListId == ePlayListIdDownloadQueue
        || playListId == ePlayListIdLocalFolder)
        return eRepFailure;
    Transaction transaction(myDatabase, "Repository::removePlayList()");
    if (!transaction.isActive())
        return eRepFailure;
    // The trigger removes the playlist's entries in the same transaction.
    const int result = myDatabase.changeRow(QStringLiteral("delete from playlist where id = ?"), {playListId},
                                            "Repository::removePlayList()");
    if (result != eRepOk)
        return result;
    return transaction.commit() ? eRepOk : eRepFailure;
}

int PlayListStore::removeAccountPlayLists()
{
    if (!myDatabase.isUsable())
        return eRepFailure;
    Transaction transaction(myDatabase, "Repository::removeAccountPlayLists()");
    // The folder, the Favorites and the playlists; the trigger removes their entries.
    if (!transaction.isActive()
        || !myDatabase.exec(QStringLiteral("delete from playlist where vs_id = ?"), {int(eAccountService)},
                            "Repository::removeAccountPlayLists()"))
        return eRepFailure;
    return transaction.commit() ? eRepOk : eRepFailure;
}

int PlayListStore::renamePlayList(int playListId, const QString& name)
{
    if (!myDatabase.isUsable())
        return eRepFailure;
    bool ok = false;
    const int vsId = myDatabase.scalar(QStringLiteral("select vs_id from playlist where id = ?"), {playListId}, -1,
                                       "Repository::renamePlayList()", &ok);
    if (!ok)
        return eRepFailure;
    if (vsId < 0)
        return eRepNotFound;
    const int other = myDatabase.scalar(QStringLiteral("select id from playlist where vs_id = ? and name = ?"),
                                        {vsId, name}, 0, "Repository::renamePlayList()", &ok);
    if (!ok)
        return eRepFailure;
    if (other != 0 && other != playListId)
        return eRepNameInUse;
    return myDatabase.exec(QStringLiteral("update playlist set name = ? where id = ?"), {name, playListId},
                           "Repository::renamePlayList()")
        ? eRepOk
        : eRepFailure;
}

int PlayListStore::setPlayListDescription(int playListId, const QString& description)
{
    if (!myDatabase.isUsable())
        return eRepFailure;
    return myDatabase.changeRow(QStringLiteral("update playlist set description = ? where id = ?"),
                                {description, playListId}, "Repository::setPlayListDescription()");
}

int PlayListStore::touchPlayList(int playListId)
{
    if (!myDatabase.isUsable())
        return eRepFailure;
    return myDatabase.changeRow(QStringLiteral("update playlist set latest_usage_date ="
                                               " max(cast((julianday('now') - 2440587.5) * 86400000 as integer),"
                                               " (select coalesce(max(latest_usage_date), 0) + 1 from playlist))"
                                               " where id = ?"),
                                {playListId}, "Repository::touchPlayList()");
}

bool PlayListStore::isPlayListNameFree(const QString& name, int serviceId)
{
    if (!myDatabase.isUsable())
        return false;
    bool ok = false;
    const int count = myDatabase.scalar(QStringLiteral("select count(*) from playlist where vs_id = ? and name = ?"),
                                        {serviceId, name}, 1, "Repository::isPlayListNameFree()", &ok);
    return ok && count == 0;
}

int PlayListStore::getUserPlayListCount(int serviceId)
{
    if (!myDatabase.isUsable())
        return 0;
    const int type = serviceId == eAccountService ? ePlayListAccount : ePlayListLocal;
    return myDatabase.scalar(QStringLiteral("select count(*) from playlist where vs_id = ? and type = ?"),
                             {serviceId, type}, 0, "Repository::getUserPlayListCount()");
}

QString PlayListStore::uniquePlayListName(int serviceId)
{
    // Without a usable database no name is known to be taken: the first candidate.
    const bool usable = myDatabase.isUsable();
    return PlayList::uniqueName(getUserPlayListCount(serviceId) + 1, [this, usable, serviceId](const QString& name) {
        return !usable || isPlayListNameFree(name, serviceId);
    });
}

PlayList* PlayListStore::getPlayList(int playListId)
{
    if (!myDatabase.isUsable())
        return nullptr;
    QSqlQuery query(myDatabase.connection());
    if (!myDatabase.run(query, PLAYLIST_COLUMNS + QStringLiteral("where id = ?"), {playListId},
                        "Repository::getPlayList()")
        || !query.next())
        return nullptr;
    return readPlayList(query);
}

int PlayListStore::addAccountPlayListFolder()
{
    if (!myDatabase.isUsable())
        return -1;
    bool ok = false;
    const int existing = myDatabase.scalar(
        QStringLiteral("select id from playlist where vs_id = ? and type = ? order by id limit 1"),
        {int(eAccountService), int(ePlayListAccountFolder)}, 0, "Repository::addAccountPlayListFolder()", &ok);
    if (!ok)
        return -1;
    if (existing > 0)
        return existing;
    const PlayList folder(0, eAccountService, ePlayListAccountFolder, TEXT_ACCOUNT_PLAYLISTS());
    return insertPlayList(myDatabase, eAccountService, ePlayListAccountFolder, folder,
                          "Repository::addAccountPlayListFolder()");
}

int PlayListStore::getDownloadQueueCount()
{
    if (!myDatabase.isUsable())
        return 0;
    return myDatabase.scalar(QStringLiteral("select download_count from playlist where id = ?"),
                             {int(ePlayListIdAllFavorites)}, 0, "Repository::getDownloadQueueCount()");
}
