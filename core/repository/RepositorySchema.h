#ifndef KRELVOX_REPOSITORYSCHEMA_H
#define KRELVOX_REPOSITORYSCHEMA_H

#include <QString>

class QSqlQuery;
class RepositoryDatabase;

// The tables, indexes and triggers of the database file and the way from each earlier
// layout to the current one. The layout version is the file's user_version: 0 for the
// files written before counts were kept in the playlist rows, 1 for those written
// before the author's user name was kept, 2 before the playlists' sort bases, 3 before
// the account's counts of its playlists and before video rows went with their last
// reference.
class RepositorySchema
{
public:
    static const int VERSION = 4;

    enum class Opened {
        Failed,   // the file cannot be used
        Created,  // a new file: tables, fixed rows (the settings want their defaults)
        Existing  // a file that was there, now of the current layout
    };

    // Opens fileName on the database's connection. A new file gets the whole layout
    // and the fixed rows; a file of an earlier layout is brought up to date in one
    // transaction (nothing changes when that fails). With setAsideDamaged the whole
    // file is checked first, and one that cannot be used or fails the check is moved
    // to "<file>.broken" (with its write-ahead log) and replaced by a new one.
    static Opened open(RepositoryDatabase& database, const QString& fileName, bool setAsideDamaged);

private:
    // Commits to a write-ahead log, each synced.
    static void useLog(QSqlQuery& pragma);
    static bool openAndCheck(RepositoryDatabase& database, bool wholeFile);
    static bool setAside(RepositoryDatabase& database, const QString& fileName);
    static bool create(RepositoryDatabase& database);
    // A new database file: built beside fileName, then moved in its place.
    static bool createFile(RepositoryDatabase& database, const QString& fileName);
    // From the layout version the file has to the current one.
    static bool migrate(RepositoryDatabase& database, int version);
};

#endif
