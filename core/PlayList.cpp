#include "core/PlayList.h"
#include "core/GlobalConstants.h"
#include "core/Repository.h"
#include "core/SharedImages.h"
#include "core/Types.h"

PlayList::PlayList(int id, int serviceId, int type, const QString& name)
    : myId(id), myServiceId(serviceId), myType(type), myName(name)
{
}

const QImage& PlayList::getIcon() const
{
    switch (myType) {
    case ePlayListAllFavorites:
        return getSharedImage(ICON_LIST_OPEN);
    case ePlayListDownloadQueue:
        return getSharedImage(ICON_FOLDER_DOWNLOADING);
    case ePlayListLocalFolder:
        return getSharedImage(myFolderOpen ? ICON_LOCAL_PLAYLIST_MAIN_OPEN : ICON_LOCAL_PLAYLIST_MAIN_CLOSE);
    case ePlayListAccountFolder:
        return getSharedImage(myFolderOpen ? ICON_YOUTUBE_PLAYLIST_OPEN : ICON_YOUTUBE_PLAYLIST_CLOSE);
    case ePlayListLocal:
        return getSharedImage(ICON_LOCAL_PLAYLIST);
    case ePlayListAccountFavorites:
    case ePlayListAccount:
        return getSharedImage(ICON_YOUTUBE_PLAYLIST);
    default:
        return getStarImage();
    }
}

bool PlayList::isFixed() const
{
    return myId == ePlayListIdAllFavorites || myId == ePlayListIdDownloadQueue || myId == ePlayListIdLocalFolder
        || myType == ePlayListLocalFolder || myType == ePlayListAccountFolder || myType == ePlayListAccountFavorites;
}

QString PlayList::uniqueName(Repository& repository, int serviceId)
{
    int number = repository.getUserPlayListCount(serviceId) + 1;
    QString name;
    for (;; ++number) {
        name = TEXT_NEW_PLAYLIST_PREFIX() + QString::number(number);
        if (repository.isPlayListNameFree(name, serviceId))
            break;
    }
    return name;
}
