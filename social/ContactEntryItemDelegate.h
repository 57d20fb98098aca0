#ifndef KRELVOX_CONTACTENTRYITEMDELEGATE_H
#define KRELVOX_CONTACTENTRYITEMDELEGATE_H

#include "widgets/RowDelegateBase.h"

#include <QFont>

class QAbstractItemView;

// Paints one contact or invitation per row: the picture, the user name as an
// underlined link with an information sign after it, the profile counts and dates,
// and for an invitation waiting for an answer an "ACCEPT" and a "REJECT" button.
// While painting it stores the rectangles of the name link and of the two buttons in
// the row's ContactEntry (viewport coordinates); the contact list hit-tests double
// taps against them. One painter may serve several lists of the same size.
class ContactEntryItemDelegate : public RowDelegateBase
{
    Q_OBJECT
public:
    // view: the list whose size sets the row height (also the painter's parent).
    explicit ContactEntryItemDelegate(QAbstractItemView* view);
    ~ContactEntryItemDelegate() override;

    // As wide as the view, its height / 3.5 high, within 50 to 150.
    QSize sizeHint(const QStyleOptionViewItem& option, const QModelIndex& index) const override;
    void paint(QPainter* painter, const QStyleOptionViewItem& option, const QModelIndex& index) const override;

private:
    QAbstractItemView* myView;
    QFont myFont;
};

#endif
