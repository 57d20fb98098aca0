#ifndef KRELVOX_PLAYLIST_H
#define KRELVOX_PLAYLIST_H

#include <QDateTime>
#include <QImage>
#include <QMetaType>
#include <QRectF>
#include <QString>

#include <functional>

// One playlist or folder row of the playlist tree.
// Types: 0 all local favourites, 1 download queue, 2 local-playlists folder,
// 3 account folder, 4 user local playlist, 5 the account's Favorites, 6 account playlist.
class PlayList
{
public:
    PlayList() = default;
    PlayList(int id, int serviceId, int type, const QString& name);

    int getId() const { return myId; }
    void setId(int id) { myId = id; }
    int getServiceId() const { return myServiceId; }
    void setServiceId(int id) { myServiceId = id; }
    int getType() const { return myType; }
    void setType(int type) { myType = type; }
    const QString& getName() const { return myName; }
    void setName(const QString& name) { myName = name; }
    const QString& getDescription() const { return myDescription; }
    void setDescription(const QString& description) { myDescription = description; }
    const QString& getProviderId() const { return myProviderId; }
    void setProviderId(const QString& id) { myProviderId = id; }
    const QDateTime& getProviderUpdated() const { return myProviderUpdated; }
    void setProviderUpdated(const QDateTime& d) { myProviderUpdated = d; }
    bool isPrivate() const { return myPrivate; }
    void setPrivate(bool p) { myPrivate = p; }

    int getCount() const { return myCount; }                 // entries in the playlist
    void setCount(int count) { myCount = count; }
    int getDownloadCount() const { return myDownloadCount; } // entries still to download
    void setDownloadCount(int count) { myDownloadCount = count; }

    // On folder rows: true while the folder's playlists are hidden. The setter keeps
    // the name the rest of the program knows it by, although what it takes is the
    // folder's collapsed flag (PlayListModel::isVsFolderCollapsed), not "open".
    bool isFolderCollapsed() const { return myFolderCollapsed; }
    void setFolderOpen(bool collapsed) { myFolderCollapsed = collapsed; }

    // The icon rectangle as last painted (zero until painted).
    QRectF getRect() const { return myRect; }
    void setRect(const QRectF& rect) { myRect = rect; }

    // The row's icon, a shared image chosen by type; never owned by the caller.
    const QImage& getIcon() const;

    // The built-in rows (ids 1-3, types 2, 3 and 5) are never dragged or removed.
    bool isFixed() const;

    // "Playlist N": the first N, counting up from firstNumber, whose name isNameFree
    // accepts (Repository::uniquePlayListName counts from the number of the user's
    // playlists plus one and asks the database).
    static QString uniqueName(int firstNumber, const std::function<bool(const QString&)>& isNameFree);

private:
    int myId = 0;
    int myServiceId = 0;
    int myType = 0;
    QString myName;
    QString myDescription;
    QString myProviderId;
    QDateTime myProviderUpdated;
    bool myPrivate = false;
    int myCount = 0;
    int myDownloadCount = 0;
    bool myFolderCollapsed = false;
    QRectF myRect;
};

Q_DECLARE_METATYPE(PlayList*)

#endif
