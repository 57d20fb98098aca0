#ifndef KRELVOX_TOUCHROWDELEGATE_H
#define KRELVOX_TOUCHROWDELEGATE_H

#include "widgets/WidgetConstants.h"

#include <QPainter>
#include <QStyledItemDelegate>

// The platform's text rows, made tall enough for a finger: every row has the given
// height. With eGreyFill a selected row gets the grey fill of the program's other
// lists instead of the platform's highlight.
class TouchRowDelegate : public QStyledItemDelegate
{
public:
    enum eSelectionLook { ePlatformHighlight, eGreyFill };

    TouchRowDelegate(int rowHeight, QObject* parent, eSelectionLook look = ePlatformHighlight)
        : QStyledItemDelegate(parent), myRowHeight(rowHeight), myLook(look)
    {
    }

    QSize sizeHint(const QStyleOptionViewItem& option, const QModelIndex& index) const override
    {
        QSize size = QStyledItemDelegate::sizeHint(option, index);
        size.setHeight(myRowHeight);
        return size;
    }

    void paint(QPainter* painter, const QStyleOptionViewItem& option, const QModelIndex& index) const override
    {
        if (myLook != eGreyFill || !(option.state & QStyle::State_Selected)) {
            QStyledItemDelegate::paint(painter, option, index);
            return;
        }
        painter->fillRect(option.rect, ROW_HIGHLIGHT_COLOR);
        QStyleOptionViewItem plain(option);
        plain.state &= ~(QStyle::State_Selected | QStyle::State_HasFocus);
        QStyledItemDelegate::paint(painter, plain, index);
    }

private:
    int myRowHeight;
    eSelectionLook myLook;
};

#endif
