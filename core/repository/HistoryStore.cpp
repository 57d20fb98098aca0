#include "core/repository/HistoryStore.h"
#include "core/CoreLogging.h"
#include "core/Types.h"
#include "core/VideoEntry.h"
#include "core/VideoListModel.h"
#include "core/repository/RepositoryDatabase.h"
#include "core/repository/RepositoryRows.h"

#include <QDebug>
#include <QSqlQuery>

int HistoryStore::addToHistory(VideoEntry* entry, int limit)
{
    if (!entry || entry->getVideoId().isEmpty() || !myDatabase.isUsable())
        return eRepFailure;
    const char* caller = "Repository::addToHistory()";
    {
        Transaction transaction(myDatabase, caller);
        if (!transaction.isActive())
            return eRepFailure;
        const int rowId = upsertVideo(myDatabase, entry);
        const bool ok = rowId > 0
            && myDatabase.exec(QStringLiteral("insert or ignore into video_history (video_entry_id, view_count, viewed_date)"
                                              " values (?, 0, 0)"),
                               {rowId}, caller)
            && myDatabase.exec(QStringLiteral("update video_history set view_count = view_count + 1, viewed_date = ?"
                                              " where video_entry_id = ?"),
                               {usageStamp(), rowId}, caller)
            && myDatabase.exec(QStringLiteral("delete from video_history where id not in"
                                              " (select id from video_history order by viewed_date desc, id desc limit ?)"),
                               {limit}, caller)
            && transaction.commit();
        if (!ok)
            return eRepFailure;
    }
    entry->setInHistory(true);
    return eRepOk;
}

int HistoryStore::getHistory(VideoListModel* model)
{
    if (!model || !myDatabase.isUsable())
        return eRepFailure;
    const char* caller = "Repository::getHistory()";
    QSqlQuery query(myDatabase.connection());
    // History entries have no favourite row: the favourite columns read as empty.
    const QString sql = ENTRY_COLUMNS
        + QStringLiteral("from video_history h0 join video_entry v on v.id = h0.video_entry_id"
                         " left join favorite f on f.id = 0 order by h0.viewed_date desc, h0.id desc");
    if (!myDatabase.run(query, sql, {}, caller))
        return eRepFailure;
    bool ok = false;
    model->addEntries(readEntries(myDatabase, query, caller, &ok));
    return ok ? eRepOk : eRepFailure;
}

int HistoryStore::deleteAllHistoryEntries()
{
    if (!myDatabase.isUsable())
        return eRepFailure;
    return myDatabase.exec(QStringLiteral("delete from video_history"), {}, "Repository::deleteAllHistoryEntries()")
        ? eRepOk
        : eRepFailure;
}

QString HistoryStore::getMostViewedVideo()
{
    if (!myDatabase.isUsable())
        return QString();
    return myDatabase.text(QStringLiteral("select v.name from video_history h join video_entry v on v.id = h.video_entry_id"
                                          " order by h.view_count desc, h.viewed_date desc limit 1"),
                           {}, "Repository::getMostViewedVideo()");
}

int HistoryStore::addSearchHistory(const QString& text)
{
    if (text.trimmed().isEmpty() || !myDatabase.isUsable())
        return eRepFailure;
    const char* caller = "Repository::addSearchHistory()";
    Transaction transaction(myDatabase, caller);
    const bool ok = transaction.isActive()
        && myDatabase.exec(QStringLiteral("insert or ignore into search_history (search_text, search_count, latest_usage_date)"
                                          " values (?, 0, 0)"),
                           {text}, caller)
        && myDatabase.exec(QStringLiteral("update search_history set search_count = search_count + 1, latest_usage_date = ?"
                                          " where search_text = ?"),
                           {usageStamp(), text}, caller)
        && transaction.commit();
    return ok ? eRepOk : eRepFailure;
}

int HistoryStore::getSearchHistory(QStringList& texts)
{
    texts.clear();
    if (!myDatabase.isUsable())
        return eRepFailure;
    return myDatabase.readRows(QStringLiteral("select search_text from search_history order by latest_usage_date desc, id desc"),
                               {}, "Repository::getSearchHistory()",
                               [&texts](const QSqlQuery& q) { texts.append(q.value(0).toString()); })
        ? eRepOk
        : eRepFailure;
}

int HistoryStore::clearSearchHistory()
{
    if (myDatabase.isUsable()
        && myDatabase.exec(QStringLiteral("delete from  search_history"), {}, "Repository::clearSearchHistory()"))
        return eRepOk;
    qCDebug(lcCore) << " ERROR";
    return eRepFailure;
}

int HistoryStore::getSearchCount()
{
    if (!myDatabase.isUsable())
        return 0;
    return myDatabase.scalar(QStringLiteral("select coalesce(sum(search_count), 0) from search_history"), {}, 0,
                             "Repository::getSearchCount()");
}

QString HistoryStore::getMostSearched()
{
    if (!myDatabase.isUsable())
        return QString();
    return myDatabase.text(QStringLiteral("select search_text from search_history"
                                          " order by search_count desc, latest_usage_date desc limit 1"),
                           {}, "Repository::getMostSearched()");
}
