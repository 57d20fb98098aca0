#ifndef KRELVOX_CONTACTLISTMODEL_H
#define KRELVOX_CONTACTLISTMODEL_H

#include "core/ContactEntry.h"
#include "core/EntryListModel.h"

#include <QSortFilterProxyModel>

// The account's contacts and pending invitations. Each contact arrives in three
// steps (entry, profile, thumbnail); late steps apply only while the entry is found.
class ContactListModel : public EntryListModel<ContactEntry>
{
    Q_OBJECT
public:
    explicit ContactListModel(QObject* parent = nullptr)
        : EntryListModel<ContactEntry>("ContactListModel::data", parent) {}

    void addContactInfo(ContactEntry* entry, const QString& joined, const QString& watched,
                        const QString& logged, const QString& uploads, const QString& thumbnailUrl);
    void addThumbnailToEntry(ContactEntry* entry, const QString& fileName);
};

// Bits of ContactFilterProxyModel's filter.
namespace eContactFilter {
enum { All = 2, Accepted = 4, Pending = 8 };
}

// Shows the accepted contacts, the pending invitations, or both, of one contact model.
class ContactFilterProxyModel : public QSortFilterProxyModel
{
    Q_OBJECT
public:
    ContactFilterProxyModel(QObject* parent, int filter)
        : QSortFilterProxyModel(parent), myFilter(filter) {}

protected:
    bool filterAcceptsRow(int sourceRow, const QModelIndex& sourceParent) const override;

private:
    int myFilter;
};

#endif
