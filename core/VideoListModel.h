#ifndef KRELVOX_VIDEOLISTMODEL_H
#define KRELVOX_VIDEOLISTMODEL_H

#include "core/EntryListModel.h"
#include "core/VideoEntry.h"

class Repository;

// Videos of one result page, a playlist or the download queue.
class VideoListModel : public EntryListModel<VideoEntry>
{
    Q_OBJECT
public:
    explicit VideoListModel(Repository* repository, QObject* parent = nullptr);

    Repository* getRepository() const { return myRepository; }

    // Tells the views that an entry's data (e.g. its thumbnail) changed.
    void updateEntry(const VideoEntry* entry) { entryChanged(entry); }

    // Removes one row and deletes its entry; false when the entry is not in the model.
    bool removeEntry(VideoEntry* entry);

private:
    Repository* myRepository;
};

#endif
