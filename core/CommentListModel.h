#ifndef KRELVOX_COMMENTLISTMODEL_H
#define KRELVOX_COMMENTLISTMODEL_H

#include "core/CommentEntry.h"
#include "core/EntryListModel.h"

// One page of a video's comments plus the total the service reports for the video.
// Clearing keeps the total.
class CommentListModel : public EntryListModel<CommentEntry>
{
    Q_OBJECT
public:
    explicit CommentListModel(QObject* parent = nullptr)
        : EntryListModel<CommentEntry>("CommentListModel::data", parent) {}

    void setTotal(int total) { myTotal = total; }
    int getTotal() const { return myTotal; }

private:
    int myTotal = 0;
};

#endif
