#include "core/VideoListModel.h"

VideoListModel::VideoListModel(Repository* repository, QObject* parent)
    : EntryListModel<VideoEntry>("VideoListModel::data", parent), myRepository(repository)
{
}

bool VideoListModel::removeEntry(VideoEntry* entry)
{
    int row = findEntryIndex(entry);
    if (row < 0)
        return false;
    beginRemoveRows(QModelIndex(), row, row);
    delete myEntries.takeAt(row);
    endRemoveRows();
    return true;
}
