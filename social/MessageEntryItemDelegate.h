#ifndef KRELVOX_MESSAGEENTRYITEMDELEGATE_H
#define KRELVOX_MESSAGEENTRYITEMDELEGATE_H

#include "widgets/RowDelegateBase.h"

#include <QFont>

class QAbstractItemView;

// Paints one inbox message per row: the message's picture, its title, the sender and
// the date. A message row has no links: a double tap anywhere on it opens it.
class MessageEntryItemDelegate : public RowDelegateBase
{
    Q_OBJECT
public:
    // view: the list whose size sets the row height (also the painter's parent).
    explicit MessageEntryItemDelegate(QAbstractItemView* view);
    ~MessageEntryItemDelegate() override;

    // As wide as the view, its height / 3.5 high, within 50 to 150.
    QSize sizeHint(const QStyleOptionViewItem& option, const QModelIndex& index) const override;
    void paint(QPainter* painter, const QStyleOptionViewItem& option, const QModelIndex& index) const override;

private:
    QAbstractItemView* myView;
    QFont myFont;
};

#endif
