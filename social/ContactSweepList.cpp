#include "social/ContactSweepList.h"

#include "core/ContactEntry.h"

#include <QMouseEvent>

ContactSweepList::ContactSweepList(QWidget* parent) : UniformSweepList(parent, 0)
{
}

ContactSweepList::~ContactSweepList() = default;

void ContactSweepList::mouseDoubleClickEvent(QMouseEvent* event)
{
    // The press of the second tap has made its row current. A tap below the last
    // row leaves the current row as it was: it belongs to no row and does nothing.
    const QModelIndex current = currentIndex();
    const QPointF point = event->position();
    if (!current.isValid() || !model() || !visualRect(current).contains(point.toPoint()))
        return;
    ContactEntry* entry = qvariant_cast<ContactEntry*>(model()->data(current, Qt::DisplayRole));
    if (!entry)
        return;

    if (entry->getContactLinkRect().contains(point)) {
        Q_EMIT contactLinkClicked(current);
    } else if (entry->isPending()) {
        if (entry->getAcceptLinkRect().contains(point))
            Q_EMIT inviteAcceptLinkClicked(current);
        else if (entry->getRejectLinkRect().contains(point))
            Q_EMIT inviteRejectLinkClicked(current);
        else
            return; // between the buttons or on the profile: the selection stays
    } else {
        Q_EMIT doubleClicked(current);
    }
    clearSelection();
}
