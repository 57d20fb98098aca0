#ifndef KRELVOX_VIDEOLISTMODEL_H
#define KRELVOX_VIDEOLISTMODEL_H

#include "core/EntryListModel.h"
#include "core/VideoEntry.h"

#include <functional>
#include <memory>

class Repository;

// Videos of one result page, a playlist or the download queue.
//
// A long list can be filled a page at a time: its owner sets a page reader, and the
// views ask for the next page (fetchMore) as they are scrolled to the end of the rows
// read so far. Clearing the model ends the paged filling.
class VideoListModel : public EntryListModel<VideoEntry>
{
    Q_OBJECT
public:
    // Appends at most limit entries that follow the ones it read before to the model
    // (as one block, addEntries); false when the list could not be read.
    using PageReader = std::function<bool(VideoListModel* model, int limit)>;

    explicit VideoListModel(Repository* repository, QObject* parent = nullptr);

    Repository* getRepository() const { return myRepository; }

    // Tells the views that an entry's data (e.g. its thumbnail) changed.
    void updateEntry(const VideoEntry* entry) { entryChanged(entry); }

    // Removes one row and deletes its entry; false when the entry is not in the model.
    bool removeEntry(VideoEntry* entry);

    // Fills the rest of the list through the reader, pageSize entries per fetchMore;
    // nothing is read until the first fetchMore.
    void setPageReader(const PageReader& reader, int pageSize);

    // True while the last page read came back full (there may be more).
    bool canFetchMore(const QModelIndex& parent = QModelIndex()) const override;
    // Appends the next page.
    void fetchMore(const QModelIndex& parent = QModelIndex()) override;
    // Reads on, in one read, until the row is there or the list has ended; true when
    // the row is there.
    bool fetchUntil(int row);

private:
    void readPage(int limit);
    void endPaging();

    Repository* myRepository;
    // Shared, not copied, while a read runs: the reader keeps its place in itself.
    std::shared_ptr<PageReader> myPageReader;
    int myPageSize = 0;
    bool myMoreToRead = false;
    bool myReading = false;
};

#endif
