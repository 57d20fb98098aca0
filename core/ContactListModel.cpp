#include "core/ContactListModel.h"

void ContactListModel::addContactInfo(ContactEntry* entry, const QString& joined, const QString& watched,
                                      const QString& logged, const QString& uploads,
                                      const QString& thumbnailUrl)
{
    if (findEntryIndex(entry) < 0)
        return;
    entry->setJoined(joined);
    entry->setWatched(watched);
    entry->setLogged(logged);
    entry->setUploads(uploads);
    entry->setThumbnailUrl(thumbnailUrl);
    entryChanged(entry);
}

void ContactListModel::addThumbnailToEntry(ContactEntry* entry, const QString& fileName)
{
    if (findEntryIndex(entry) < 0)
        return;
    entry->setContactThumbnail(fileName);
    entryChanged(entry);
}

bool ContactFilterProxyModel::filterAcceptsRow(int sourceRow, const QModelIndex& sourceParent) const
{
    if (!sourceModel())
        return false;
    QModelIndex index = sourceModel()->index(sourceRow, 0, sourceParent);
    if (!index.isValid())
        return false;
    if (myFilter & eContactFilter::All)
        return true;
    ContactEntry* entry = sourceModel()->data(index, Qt::DisplayRole).value<ContactEntry*>();
    if (!entry)
        return false;
    if ((myFilter & eContactFilter::Pending) && entry->isPending())
        return true;
    if ((myFilter & eContactFilter::Accepted) && !entry->isPending())
        return true;
    return false;
}
