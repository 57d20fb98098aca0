#ifndef KRELVOX_DESCRIPTIONDELEGATE_H
#define KRELVOX_DESCRIPTIONDELEGATE_H

#include "widgets/RowDelegateBase.h"

#include <QFont>

class QAbstractItemView;

// Paints a long text as one wrapped row of plain text (a video's description, a
// message): a faint line along the row's top and the text in white over the row. The row is as
// tall as the wrapped text, which may be taller than the view; the list scrolls it.
class DescriptionDelegate : public RowDelegateBase
{
    Q_OBJECT
public:
    // view: the list the rows are measured for (also the painter's parent).
    explicit DescriptionDelegate(QAbstractItemView* view);
    ~DescriptionDelegate() override;

    QSize sizeHint(const QStyleOptionViewItem& option, const QModelIndex& index) const override;
    void paint(QPainter* painter, const QStyleOptionViewItem& option, const QModelIndex& index) const override;

private:
    QAbstractItemView* myView;
    QFont myFont;
};

#endif
