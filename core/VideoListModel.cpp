#include "core/VideoListModel.h"

VideoListModel::VideoListModel(Repository* repository, QObject* parent)
    : EntryListModel<VideoEntry>("VideoListModel::data", parent), myRepository(repository)
{
    // A cleared model is filled anew by its owner; the old reader must not append to it.
    connect(this, &QAbstractItemModel::modelAboutToBeReset, this, &VideoListModel::endPaging);
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

void VideoListModel::setPageReader(const PageReader& reader, int pageSize)
{
    myPageReader = reader ? std::make_shared<PageReader>(reader) : nullptr;
    myPageSize = qMax(1, pageSize);
    myMoreToRead = bool(myPageReader);
}

bool VideoListModel::canFetchMore(const QModelIndex& parent) const
{
    return !parent.isValid() && myMoreToRead && !myReading;
}

void VideoListModel::fetchMore(const QModelIndex& parent)
{
    if (canFetchMore(parent))
        readPage(myPageSize);
}

bool VideoListModel::fetchUntil(int row)
{
    if (row < 0)
        return false;
    if (row >= rowCount() && canFetchMore())
        readPage(qMax(myPageSize, row + 1 - rowCount()));
    return row < rowCount();
}

void VideoListModel::readPage(int limit)
{
    // The views may ask again while the new rows are announced; one read at a time.
    myReading = true;
    const int before = rowCount();
    // The reader may end the paging itself (e.g. by clearing the model): it is kept
    // alive for the call.
    const std::shared_ptr<PageReader> reader = myPageReader;
    const bool read = (*reader)(this, limit);
    myReading = false;
    if (myPageReader != reader)
        return;
    myMoreToRead = read && rowCount() - before == limit;
}

void VideoListModel::endPaging()
{
    myPageReader = nullptr;
    myPageSize = 0;
    myMoreToRead = false;
}
