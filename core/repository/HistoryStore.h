#ifndef KRELVOX_HISTORYSTORE_H
#define KRELVOX_HISTORYSTORE_H

#include <QString>
#include <QStringList>

class RepositoryDatabase;
class VideoEntry;
class VideoListModel;

// The viewing history (VIDEO_HISTORY, trimmed to a number of rows) and the search
// history (SEARCH_HISTORY).
class HistoryStore
{
public:
    explicit HistoryStore(RepositoryDatabase& database) : myDatabase(database) {}

    // Keeps the newest limit rows.
    int addToHistory(VideoEntry* entry, int limit);
    int getHistory(VideoListModel* model);
    int deleteAllHistoryEntries();
    QString getMostViewedVideo();

    int addSearchHistory(const QString& text);
    int getSearchHistory(QStringList& texts);
    int clearSearchHistory();
    int getSearchCount();
    QString getMostSearched();

private:
    RepositoryDatabase& myDatabase;
};

#endif
