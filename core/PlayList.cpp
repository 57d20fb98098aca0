#include "core/PlayList.h"
#include "core/SharedImages.h"
#include "core/Types.h"
#include "core/constants/Icons.h"
#include "core/constants/Texts.h"

namespace {
// More names than any device holds playlists; only a failing check gets this far.
const int MAX_UNIQUE_NAME_TRIES = 100000;
}

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
    // A collapsed folder shows the "open" picture: the one that offers to open it.
    case ePlayListLocalFolder:
        return getSharedImage(myFolderCollapsed ? ICON_LOCAL_PLAYLIST_MAIN_OPEN : ICON_LOCAL_PLAYLIST_MAIN_CLOSE);
    case ePlayListAccountFolder:
        return getSharedImage(myFolderCollapsed ? ICON_YOUTUBE_PLAYLIST_OPEN : ICON_YOUTUBE_PLAYLIST_CLOSE);
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

QString PlayList::uniqueName(int firstNumber, const std::function<bool(const QString&)>& isNameFree)
{
    for (int number = firstNumber; number < firstNumber + MAX_UNIQUE_NAME_TRIES; ++number) {
        const QString name = TEXT_NEW_PLAYLIST_PREFIX() + QString::number(number);
        if (isNameFree(name))
            return name;
    }
    return TEXT_NEW_PLAYLIST_PREFIX() + QString::number(firstNumber);
}
