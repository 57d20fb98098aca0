#ifndef KRELVOX_MESSAGELISTMODEL_H
#define KRELVOX_MESSAGELISTMODEL_H

#include "core/EntryListModel.h"
#include "core/MessageEntry.h"

// The account's inbox, one message per row in feed order.
class MessageListModel : public EntryListModel<MessageEntry>
{
    Q_OBJECT
public:
    explicit MessageListModel(QObject* parent = nullptr)
        : EntryListModel<MessageEntry>("MessageListModel::data", parent) {}

    void addThumbnailToEntry(MessageEntry* entry, const QString& fileName)
    {
        if (findEntryIndex(entry) < 0)
            return;
        entry->setMessageThumbnail(fileName);
        entryChanged(entry);
    }
};

#endif
