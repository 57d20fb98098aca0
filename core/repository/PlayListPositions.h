#ifndef KRELVOX_PLAYLISTPOSITIONS_H
#define KRELVOX_PLAYLISTPOSITIONS_H

#include <QString>
#include <QVariantList>

class RepositoryDatabase;

// The sort positions of a playlist's FAVORITE rows. A row stores a key (SORT_ID) and
// its playlist a base (SORT_BASE); the row's position is its key less the base. The
// keys of a playlist are always base+1..base+N, so positions run 1..N, the highest
// shown first. Closing a gap or moving a row shifts by one either the rows on one side
// of the change or, together with the base, the rows on the other side, whichever are
// fewer: a change near either end of a long playlist moves only a few rows, and none
// moves more than half of them.
class PlayListPositions
{
public:
    explicit PlayListPositions(RepositoryDatabase& database) : myDatabase(database) {}

    // The position of a row f, as an expression over the favourite row f. (Plain
    // text, so that other constants may be made from it at any time.)
    static constexpr const char* POSITION_OF_ROW =
        "f.sort_id - coalesce((select p.sort_base from playlist p where p.id = f.playlist_id), 0)";

    // The playlist's base; false (reported) when it could not be read. A playlist
    // that does not exist has base 0.
    bool base(int playListId, qint64& base, const char* caller);

    // The key of position in the playlist, as an expression bound with
    // (position, playListId).
    static constexpr const char* KEY_OF_POSITION = "? + coalesce((select sort_base from playlist where id = ?), 0)";

    // The position a new row of the playlist takes: above every other. False
    // (reported) when it could not be read.
    bool nextPosition(int playListId, int& position, const char* caller);

    // After the row with removedKey left the playlist: the keys are made contiguous
    // again, the positions 1..N-1 keeping their order. Runs inside the caller's
    // transaction.
    bool closeGap(int playListId, qint64 removedKey, const char* caller);

    // Moves the playlist's favourite favoriteId next to the row at targetPosition:
    // above it, or below it when afterLast. Runs in a transaction of its own. Returns
    // the repository's code: eRepNotFound when the favourite or the target is not in
    // the playlist. newPosition gets the moved row's position.
    int move(int playListId, int favoriteId, int targetPosition, bool afterLast, int& newPosition);

private:
    // The first column of the first row as a 64-bit value; found tells whether there
    // was a row with a value. False (reported) when the statement failed.
    bool value(const QString& sql, const QVariantList& values, qint64& result, bool& found, const char* caller);
    // The playlist's base and its highest key (the base when it is empty; both 0 when
    // there is no such playlist). False (reported) when they could not be read.
    bool bounds(int playListId, qint64& base, qint64& top, const char* caller);
    // Shifts every key below below and above above by shift, and the base with them.
    bool shiftOutside(int playListId, qint64 below, qint64 above, int shift, const char* caller);

    RepositoryDatabase& myDatabase;
};

#endif
