#include "core/repository/AccountMirror.h"
#include "core/repository/PlayListPositions.h"
#include "core/PlayList.h"
#include "core/PlayListModel.h"
#include "core/Types.h"
#include "core/VideoEntry.h"
#include "core/VideoListModel.h"
#include "core/constants/Texts.h"
#include "core/repository/PlayListStore.h"
#include "core/repository/RepositoryDatabase.h"
#include "core/repository/RepositoryRows.h"

#include <QSet>
#include <QSqlQuery>

namespace {

// A stored row that is matched to at most one of the account's items.
template <typename Row, typename Matches>
Row* firstUnclaimed(QList<Row>& rows, const Matches& matches)
{
    for (Row& row : rows)
        if (!row.kept && matches(row))
            return &row;
    return nullptr;
}

} // namespace

int AccountMirror::syncAccountPlayLists(PlayListModel* model, bool* changed)
{
    if (changed)
        *changed = false;
    if (!model || !myDatabase.isUsable())
        return eRepFailure;
    const char* caller = "Repository::syncAccountPlayLists()";
    Transaction transaction(myDatabase, caller);
    if (!transaction.isActive())
        return eRepFailure;
    bool wrote = false;

    bool ok = false;
    const int favorites = myDatabase.scalar(QStringLiteral("select count(*) from playlist where vs_id = ? and type = ?"),
                                            {int(eAccountService), int(ePlayListAccountFavorites)}, -1, caller, &ok);
    if (!ok)
        return eRepFailure;
    if (favorites == 0) {
        const PlayList row(0, eAccountService, ePlayListAccountFavorites, TEXT_ACCOUNT_FAVORITES());
        if (PlayListStore::insertPlayList(myDatabase, eAccountService, ePlayListAccountFavorites, row, caller) < 0)
            return eRepFailure;
        wrote = true;
    }

    struct Stored
    {
        int id;
        QString name;
        QString description;
        QString providerId;
        QString updated;
        bool isPrivate;
        int count;     // the account's count kept, -1 while none is
        int entries;   // the entries stored
        bool kept;
    };
    QList<Stored> stored;
    if (!myDatabase.readRows(QStringLiteral("select id, name, description, provider_id, provider_updated_date, is_private,"
                                            " coalesce(provider_count, -1), entry_count from playlist"
                                            " where vs_id = ? and type = ? order by id"),
                             {int(eAccountService), int(ePlayListAccount)}, caller, [&stored](const QSqlQuery& q) {
                                 stored.append({q.value(0).toInt(), q.value(1).toString(), q.value(2).toString(),
                                                q.value(3).toString(), q.value(4).toString(), q.value(5).toBool(),
                                                q.value(6).toInt(), q.value(7).toInt(), false});
                             }))
        return eRepFailure;
    // The account's count is kept for a playlist whose stored entries say otherwise
    // (not read yet, or changed on the account since); -1: none is kept.
    const auto countToKeep = [](const PlayList* playList, int entries) {
        return playList->getCount() < 0 || playList->getCount() == entries ? -1 : playList->getCount();
    };
    const auto countValue = [](int count) { return count < 0 ? QVariant(QMetaType::fromType<int>()) : QVariant(count); };

    QList<PlayList*> added;
    QSet<QString> seen;
    for (PlayList* playList : model->entries()) {
        if (!playList || playList->getProviderId().isEmpty() || seen.contains(playList->getProviderId()))
            continue;
        const QString providerId = playList->getProviderId();
        seen.insert(providerId);
        // A row that never had the account's id takes it over by its name.
        Stored* row = firstUnclaimed(stored, [&providerId](const Stored& s) { return s.providerId == providerId; });
        if (!row)
            row = firstUnclaimed(stored, [playList](const Stored& s) {
                return s.providerId.isEmpty() && s.name == playList->getName();
            });
        if (!row) {
            added.append(playList);
            continue;
        }
        row->kept = true;
        const QString updated = playList->getProviderUpdated().toString(Qt::ISODateWithMs);
        const int count = countToKeep(playList, row->entries);
        if (row->name == playList->getName() && row->description == playList->getDescription()
            && row->providerId == providerId && row->updated == updated && row->isPrivate == playList->isPrivate()
            && row->count == count)
            continue;
        if (!myDatabase.exec(QStringLiteral("update playlist set name = ?, description = ?, provider_id = ?,"
                                            " provider_updated_date = ?, is_private = ?, provider_count = ? where id = ?"),
                             {playList->getName(), playList->getDescription(), providerId, updated,
                              int(playList->isPrivate()), countValue(count), row->id},
                             caller))
            return eRepFailure;
        wrote = true;
    }

    // Gone from the account: the trigger takes the entries along.
    for (const Stored& row : stored) {
        if (row.kept)
            continue;
        if (!myDatabase.exec(QStringLiteral("delete from playlist where id = ?"), {row.id}, caller))
            return eRepFailure;
        wrote = true;
    }

    // The newest row is shown first: the account's first playlist is added last.
    for (int i = added.count() - 1; i >= 0; --i) {
        const int id = PlayListStore::insertPlayList(myDatabase, eAccountService, ePlayListAccount, *added.at(i), caller);
        if (id < 0
            || !myDatabase.exec(QStringLiteral("update playlist set provider_count = ? where id = ?"),
                                {countValue(countToKeep(added.at(i), 0)), id}, caller))
            return eRepFailure;
        wrote = true;
    }

    if (!transaction.commit())
        return eRepFailure;
    if (changed)
        *changed = wrote;
    return eRepOk;
}

int AccountMirror::syncAccountPlayListEntries(int playListId, VideoListModel* model, bool* changed)
{
    if (changed)
        *changed = false;
    if (!model || !myDatabase.isUsable())
        return eRepFailure;
    const char* caller = "Repository::syncAccountPlayListEntries()";
    qint64 usage = 0;
    {
        QSqlQuery query(myDatabase.connection());
        if (!myDatabase.run(query, QStringLiteral("select vs_id, type, latest_usage_date from playlist where id = ?"),
                            {playListId}, caller))
            return eRepFailure;
        if (!query.next())
            return myDatabase.rowsEnded(query, caller) ? eRepNotFound : eRepFailure;
        const int type = query.value(1).toInt();
        if (query.value(0).toInt() != eAccountService || (type != ePlayListAccount && type != ePlayListAccountFavorites))
            return eRepFailure;
        usage = query.value(2).toLongLong();
    }

    Transaction transaction(myDatabase, caller);
    if (!transaction.isActive())
        return eRepFailure;
    bool wrote = false;
    bool inserted = false;

    struct Stored
    {
        int id;
        QString videoId;
        QString entryId;
        int sortId;
        bool kept;
    };
    QList<Stored> stored;
    if (!myDatabase.readRows(QStringLiteral("select f.id, v.video_id, f.provider_entry_id, ")
                                 + QLatin1String(PlayListPositions::POSITION_OF_ROW)
                                 + QStringLiteral(" from favorite f join video_entry v on v.id = f.video_entry_id"
                                                  " where f.playlist_id = ? order by f.sort_id desc"),
                             {playListId}, caller, [&stored](const QSqlQuery& q) {
                                 stored.append({q.value(0).toInt(), q.value(1).toString(), q.value(2).toString(),
                                                q.value(3).toInt(), false});
                             }))
        return eRepFailure;

    QList<VideoEntry*> wanted;
    for (VideoEntry* entry : model->entries())
        if (entry && !entry->getVideoId().isEmpty())
            wanted.append(entry);

    // Matched by the account's entry id; a row that never had one, by its video.
    QList<Stored*> match(wanted.count(), nullptr);
    auto claim = [&stored](const auto& matches) -> Stored* {
        Stored* row = firstUnclaimed(stored, matches);
        if (row)
            row->kept = true;
        return row;
    };
    for (int i = 0; i < wanted.count(); ++i) {
        const QString entryId = wanted.at(i)->getProviderEntryId();
        if (!entryId.isEmpty())
            match[i] = claim([&entryId](const Stored& row) { return row.entryId == entryId; });
    }
    for (int i = 0; i < wanted.count(); ++i) {
        if (match.at(i))
            continue;
        const QString videoId = wanted.at(i)->getVideoId();
        match[i] = claim([&videoId](const Stored& row) { return row.entryId.isEmpty() && row.videoId == videoId; });
    }

    for (const Stored& row : stored) {
        if (row.kept)
            continue;
        if (!myDatabase.exec(QStringLiteral("delete from favorite where id = ?"), {row.id}, caller))
            return eRepFailure;
        wrote = true;
    }

    // SORT_IDs count down from the top: the account's first entry gets the highest.
    for (int i = 0; i < wanted.count(); ++i) {
        VideoEntry* entry = wanted.at(i);
        const int sortId = wanted.count() - i;
        const int videoRow = upsertVideo(myDatabase, entry);
        if (videoRow < 0)
            return eRepFailure;
        if (const Stored* row = match.at(i)) {
            if (row->sortId == sortId && row->entryId == entry->getProviderEntryId())
                continue;
            if (!myDatabase.exec(QStringLiteral("update favorite set sort_id = ") + QLatin1String(PlayListPositions::KEY_OF_POSITION)
                                     + QStringLiteral(", provider_entry_id = ? where id = ?"),
                                 {sortId, playListId, entry->getProviderEntryId(), row->id}, caller))
                return eRepFailure;
            wrote = true;
            continue;
        }
        FavoriteRow added;
        added.sortId = sortId;
        if (!readSharedState(myDatabase, videoRow, added, caller)
            || !insertFavoriteRow(myDatabase, playListId, videoRow, added, entry->getProviderEntryId(), caller))
            return eRepFailure;
        wrote = true;
        inserted = true;
    }

    // The insert trigger marks the playlist used; reading the account does not.
    if (inserted
        && !myDatabase.exec(QStringLiteral("update playlist set latest_usage_date = ? where id = ?"), {usage, playListId},
                            caller))
        return eRepFailure;
    // The entries are the account's now: they are counted themselves.
    const int counted = myDatabase.changeRow(QStringLiteral("update playlist set provider_count = null"
                                                            " where id = ? and provider_count is not null"),
                                             {playListId}, caller);
    if (counted == eRepFailure)
        return eRepFailure;
    wrote = wrote || counted == eRepOk;

    if (!transaction.commit())
        return eRepFailure;
    if (changed)
        *changed = wrote;
    return eRepOk;
}
