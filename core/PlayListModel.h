#ifndef KRELVOX_PLAYLISTMODEL_H
#define KRELVOX_PLAYLISTMODEL_H

#include "core/EntryListModel.h"
#include "core/PlayList.h"

class Repository;

// The rows of the playlist tree, flat: the tree look comes from painting and from
// leaving a folder's playlists out while the folder is collapsed. One collapsed flag
// per service id (0 local folder, 1 account folder); both start collapsed.
class PlayListModel : public EntryListModel<PlayList>
{
    Q_OBJECT
public:
    explicit PlayListModel(Repository* repository, QObject* parent = nullptr);

    Repository* getRepository() const { return myRepository; }

    void addPlayList(PlayList* playList) { addEntry(playList); }
    PlayList* getPlayListById(int id) const;
    QModelIndex getPlayListIndex(int id) const;

    void setVsFolderCollapsed(int vsId, bool collapsed);
    void toggleVsFolderCollapsed(int vsId);
    bool isVsFolderCollapsed(int vsId) const;
    bool* getVsFolderCollapsedFlags() { return myCollapsed; }

private:
    Repository* myRepository;
    bool myCollapsed[2] = {true, true};
};

#endif
