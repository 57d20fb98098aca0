#include "core/repository/PlayListPositions.h"
#include "core/Types.h"
#include "core/repository/RepositoryDatabase.h"

#include <QSqlQuery>

namespace {

const QString BASE_OF = QStringLiteral("select sort_base from playlist where id = ?");
// The base and the highest key; an empty playlist's highest key is its base.
const QString BOUNDS = QStringLiteral("select sort_base, coalesce((select max(sort_id) from favorite"
                                      " where playlist_id = playlist.id), sort_base) from playlist where id = ?");
const QString SHIFT_BELOW =
    QStringLiteral("update favorite set sort_id = sort_id + ? where playlist_id = ? and sort_id < ?");
const QString SHIFT_ABOVE =
    QStringLiteral("update favorite set sort_id = sort_id + ? where playlist_id = ? and sort_id > ?");
const QString SHIFT_BASE = QStringLiteral("update playlist set sort_base = sort_base + ? where id = ?");
// The moved row takes its new key and the rows between its old and new key shift by
// one towards where it was: one statement.
const QString SHIFT_BETWEEN = QStringLiteral("update favorite set sort_id = case when id = ? then ? else sort_id + ? end"
                                             " where playlist_id = ? and sort_id between ? and ?");

} // namespace

bool PlayListPositions::value(const QString& sql, const QVariantList& values, qint64& result, bool& found,
                              const char* caller)
{
    QSqlQuery query(myDatabase.connection());
    if (!myDatabase.run(query, sql, values, caller))
        return false;
    found = query.next() && !query.value(0).isNull();
    result = found ? query.value(0).toLongLong() : 0;
    return found || myDatabase.rowsEnded(query, caller);
}

bool PlayListPositions::base(int playListId, qint64& base, const char* caller)
{
    bool found = false;
    return value(BASE_OF, {playListId}, base, found, caller);
}

bool PlayListPositions::bounds(int playListId, qint64& base, qint64& top, const char* caller)
{
    QSqlQuery query(myDatabase.connection());
    if (!myDatabase.run(query, BOUNDS, {playListId}, caller))
        return false;
    const bool found = query.next();
    base = found ? query.value(0).toLongLong() : 0;
    top = found ? query.value(1).toLongLong() : 0;
    return found || myDatabase.rowsEnded(query, caller);
}

bool PlayListPositions::nextPosition(int playListId, int& position, const char* caller)
{
    qint64 first = 0;
    qint64 top = 0;
    if (!bounds(playListId, first, top, caller))
        return false;
    position = int(top - first) + 1;
    return true;
}

bool PlayListPositions::shiftOutside(int playListId, qint64 below, qint64 above, int shift, const char* caller)
{
    return myDatabase.exec(SHIFT_BELOW, {shift, playListId, below}, caller)
        && myDatabase.exec(SHIFT_ABOVE, {shift, playListId, above}, caller)
        && myDatabase.exec(SHIFT_BASE, {shift, playListId}, caller);
}

bool PlayListPositions::closeGap(int playListId, qint64 removedKey, const char* caller)
{
    qint64 first = 0;
    qint64 top = 0;
    if (!bounds(playListId, first, top, caller))
        return false;
    const qint64 rowsAbove = qMax<qint64>(0, top - removedKey);
    const qint64 rowsBelow = removedKey - first - 1;
    if (rowsAbove <= rowsBelow)
        return myDatabase.exec(SHIFT_ABOVE, {-1, playListId, removedKey}, caller);
    // The rows below move up into the gap and the base with them: the rows above
    // keep their keys and, with the new base, lose one position each.
    return myDatabase.exec(SHIFT_BELOW, {1, playListId, removedKey}, caller)
        && myDatabase.exec(SHIFT_BASE, {1, playListId}, caller);
}

int PlayListPositions::move(int playListId, int favoriteId, int targetPosition, bool afterLast, int& newPosition)
{
    const char* caller = "Repository::updatePlayListOrder()";
    Transaction transaction(myDatabase, caller);
    qint64 first = 0;
    qint64 top = 0;
    qint64 from = 0;
    bool moving = false;
    if (!transaction.isActive() || !bounds(playListId, first, top, caller)
        || !value(QStringLiteral("select sort_id from favorite where id = ? and playlist_id = ?"),
                  {favoriteId, playListId}, from, moving, caller))
        return eRepFailure;
    // The keys are contiguous: every position from 1 to the count has its row.
    if (!moving || targetPosition < 1 || targetPosition > top - first)
        return eRepNotFound;
    const qint64 target = first + targetPosition;
    newPosition = int(from - first);
    if (from == target)
        return eRepOk;

    // Moving down (to a lower key): the rows from the new key up to the old one move
    // up by one; moving up, the rows above the old key down to the new one move down.
    const bool down = target < from;
    const qint64 to = down ? (afterLast ? target : target + 1) : (afterLast ? target - 1 : target);
    const int shift = down ? 1 : -1;
    const qint64 low = qMin(from, to);
    const qint64 high = qMax(from, to);
    const qint64 between = high - low;
    const qint64 outside = (top - first) - between - 1;
    bool ok = false;
    if (between <= outside) {
        ok = myDatabase.exec(SHIFT_BETWEEN, {favoriteId, to, shift, playListId, low, high}, caller);
    } else {
        // Fewer rows lie outside the two keys: they shift the other way, with the
        // base, and the moved row goes one key beyond the new one. The positions come
        // out the same.
        ok = shiftOutside(playListId, low, high, -shift, caller)
            && myDatabase.exec(QStringLiteral("update favorite set sort_id = ? where id = ?"), {to - shift, favoriteId},
                               caller);
    }
    if (!ok || !transaction.commit())
        return eRepFailure;
    newPosition = int(to - first);
    return eRepOk;
}
