#ifndef KRELVOX_ENTRYLISTMODEL_H
#define KRELVOX_ENTRYLISTMODEL_H

#include "core/CoreLogging.h"
#include <QAbstractListModel>
#include <QDebug>
#include <QList>
#include <QVariant>

// A flat list model of owned entry pointers, shared by the playlist, video, comment,
// contact and message models. The display role gives the entry pointer in a variant
// of the entry's registered pointer meta-type; every other role or index gives an
// invalid variant. Adding appends exactly one row (a batch: one block of rows);
// clearing deletes every entry and resets the model; a late answer checks
// findEntryIndex before it touches an entry.
template <typename T>
class EntryListModel : public QAbstractListModel
{
public:
    explicit EntryListModel(const char* traceName, QObject* parent = nullptr)
        : QAbstractListModel(parent), myTraceName(traceName)
    {
        qRegisterMetaType<T*>();
    }

    ~EntryListModel() override { deleteEntries(); }

    int rowCount(const QModelIndex& parent = QModelIndex()) const override
    {
        Q_UNUSED(parent);
        return myEntries.count();
    }

    QVariant data(const QModelIndex& index, int role = Qt::DisplayRole) const override
    {
        if (role != Qt::DisplayRole || !index.isValid() || index.row() >= myEntries.count())
            return QVariant();
        T* entry = myEntries.at(index.row());
        if (!entry) {
            qCDebug(lcCore) << myTraceName << "Error: Invalid pointer!";
            return QVariant();
        }
        return QVariant::fromValue(entry);
    }

    // Appends one row; the model takes ownership. A null entry is ignored.
    void addEntry(T* entry)
    {
        if (!entry)
            return;
        beginInsertRows(QModelIndex(), myEntries.count(), myEntries.count());
        myEntries.append(entry);
        endInsertRows();
    }

    // Appends the entries as one block of rows, announced once; the model takes
    // ownership. Null entries are dropped; with nothing left nothing is announced.
    // Filling a long list this way spares the views one insertion per row.
    void addEntries(const QList<T*>& entries)
    {
        QList<T*> added;
        added.reserve(entries.count());
        for (T* entry : entries)
            if (entry)
                added.append(entry);
        if (added.isEmpty())
            return;
        beginInsertRows(QModelIndex(), myEntries.count(), myEntries.count() + added.count() - 1);
        myEntries.append(added);
        endInsertRows();
    }

    // Deletes every entry and resets the model (also when it is empty).
    void clear()
    {
        beginResetModel();
        deleteEntries();
        endResetModel();
    }

    // The row of the pointer, -1 when it is not in the model.
    int findEntryIndex(const T* entry) const
    {
        for (int i = 0; i < myEntries.count(); ++i)
            if (myEntries.at(i) == entry)
                return i;
        return -1;
    }

    // The entry of a row, null for a row outside the model.
    T* entryAt(int row) const
    {
        return (row >= 0 && row < myEntries.count()) ? myEntries.at(row) : nullptr;
    }

    const QList<T*>& entries() const { return myEntries; }

protected:
    // Announces a change of one entry's row (no-op for an entry not in the model).
    void entryChanged(const T* entry)
    {
        int row = findEntryIndex(entry);
        if (row >= 0)
            Q_EMIT dataChanged(index(row, 0), index(row, 0));
    }

    QList<T*> myEntries;

private:
    void deleteEntries()
    {
        QList<T*> old;
        old.swap(myEntries);
        qDeleteAll(old);
    }

    const char* myTraceName;
};

#endif
