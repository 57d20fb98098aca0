#include "core/PlayListModel.h"
#include "core/CoreLogging.h"

#include <QDebug>

PlayListModel::PlayListModel(Repository* repository, QObject* parent)
    : EntryListModel<PlayList>("PlayListModel::data", parent), myRepository(repository)
{
}

PlayList* PlayListModel::getPlayListById(int id) const
{
    for (PlayList* playList : myEntries)
        if (playList && playList->getId() == id)
            return playList;
    return nullptr;
}

QModelIndex PlayListModel::getPlayListIndex(int id) const
{
    for (int row = 0; row < myEntries.count(); ++row)
        if (myEntries.at(row) && myEntries.at(row)->getId() == id)
            return index(row, 0);
    return QModelIndex();
}

void PlayListModel::setVsFolderCollapsed(int vsId, bool collapsed)
{
    qCDebug(lcCore) << "void PlayListModel::setVsFolderCollapsed(int vsId, bool collapsed) start";
    if (vsId == 0 || vsId == 1)
        myCollapsed[vsId] = collapsed;
    qCDebug(lcCore) << "void PlayListModel::setVsFolderCollapsed(int vsId, bool collapsed) end";
}

void PlayListModel::toggleVsFolderCollapsed(int vsId)
{
    if (vsId == 0 || vsId == 1)
        myCollapsed[vsId] = !myCollapsed[vsId];
}

bool PlayListModel::isVsFolderCollapsed(int vsId) const
{
    return (vsId == 0 || vsId == 1) ? myCollapsed[vsId] : false;
}
