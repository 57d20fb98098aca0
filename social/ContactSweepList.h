#ifndef KRELVOX_CONTACTSWEEPLIST_H
#define KRELVOX_CONTACTSWEEPLIST_H

#include "widgets/UniformSweepList.h"

// The kinetic list of contacts or invitations. A double tap is hit-tested against the
// rectangles the contact painter stored in the current row's ContactEntry: the name
// opens the contact, "ACCEPT" and "REJECT" answer a pending invitation, and the rest
// of an accepted contact's row reports the row (doubleClicked). Each of these clears
// the selection; a double tap elsewhere on an invitation does nothing.
class ContactSweepList : public UniformSweepList
{
    Q_OBJECT
public:
    explicit ContactSweepList(QWidget* parent);
    ~ContactSweepList() override;

Q_SIGNALS:
    void contactLinkClicked(const QModelIndex& index);
    void inviteAcceptLinkClicked(const QModelIndex& index);
    void inviteRejectLinkClicked(const QModelIndex& index);

protected:
    void mouseDoubleClickEvent(QMouseEvent* event) override;
};

#endif
