#include "social/DescriptionDelegate.h"

#include "social/TextPageConstants.h"

#include "widgets/WidgetStyles.h"

#include <QAbstractItemView>
#include <QPainter>
#include <QTextOption>

DescriptionDelegate::DescriptionDelegate(QAbstractItemView* view)
    : RowDelegateBase(view), myView(view), myFont(FONT_FAMILY, TEXT_ROW_FONT_SIZE), myMetrics(myFont)
{
}

DescriptionDelegate::~DescriptionDelegate() = default;

QSize DescriptionDelegate::sizeHint(const QStyleOptionViewItem& option, const QModelIndex& index) const
{
    Q_UNUSED(option);
    if (!myView)
        return QSize();
    // Wrapped to the view's width less a margin; a text taller than the view keeps
    // its whole height.
    const QRect box(myView->pos(), QSize(qMax(1, myView->width() - TEXT_ROW_VIEW_MARGIN),
                                         qMax(1, myView->height() - TEXT_ROW_VIEW_MARGIN)));
    const QRect text =
        myMetrics.boundingRect(box, Qt::TextWordWrap, index.data(Qt::DisplayRole).toString());
    return QSize(box.width(), text.height());
}

void DescriptionDelegate::paint(QPainter* painter, const QStyleOptionViewItem& option,
                                const QModelIndex& index) const
{
    if (!painter)
        return;
    painter->save();
    painter->setFont(myFont);
    drawTopLine(painter, option.rect, QColor(255, 255, 255, TEXT_ROW_SEPARATOR_ALPHA));
    painter->setPen(Qt::white);
    painter->drawText(QRectF(option.rect), index.data(Qt::DisplayRole).toString(), QTextOption());
    painter->restore();
}
