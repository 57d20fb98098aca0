#ifndef KRELVOX_TOUCHROWDELEGATE_H
#define KRELVOX_TOUCHROWDELEGATE_H

#include <QStyledItemDelegate>

// The platform's text rows, made tall enough for a finger: every row has the given
// height.
class TouchRowDelegate : public QStyledItemDelegate
{
public:
    TouchRowDelegate(int rowHeight, QObject* parent) : QStyledItemDelegate(parent), myRowHeight(rowHeight) {}

    QSize sizeHint(const QStyleOptionViewItem& option, const QModelIndex& index) const override
    {
        QSize size = QStyledItemDelegate::sizeHint(option, index);
        size.setHeight(myRowHeight);
        return size;
    }

private:
    int myRowHeight;
};

#endif
