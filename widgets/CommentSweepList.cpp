#include "widgets/CommentSweepList.h"

#include "core/CommentEntry.h"

#include <QMouseEvent>

CommentSweepList::CommentSweepList(QWidget* parent) : VariableSweepList(parent, 1)
{
}

CommentSweepList::~CommentSweepList() = default;

void CommentSweepList::mouseDoubleClickEvent(QMouseEvent* event)
{
    const QModelIndex current = currentIndex();
    if (!current.isValid() || !model())
        return;
    CommentEntry* entry = qvariant_cast<CommentEntry*>(model()->data(current, Qt::DisplayRole));
    if (!entry)
        return;
    if (entry->getAuthorRect().contains(event->position()))
        Q_EMIT authorLinkClicked(current);
    else
        Q_EMIT doubleClicked(current);
    clearSelection();
}
