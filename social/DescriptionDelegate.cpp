#include "social/DescriptionDelegate.h"

#include "social/TextPageConstants.h"

#include "widgets/WidgetStyles.h"

#include <QAbstractItemView>
#include <QPainter>

DescriptionDelegate::DescriptionDelegate(QAbstractItemView* view)
    : RowDelegateBase(view), myView(view), myFont(FONT_FAMILY, TEXT_ROW_FONT_SIZE)
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
    const int width = qMax(1, myView->width() - TEXT_ROW_VIEW_MARGIN);
    return QSize(width, wrappedTextHeight(myFont, index.data(Qt::DisplayRole).toString(), width));
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
    drawWrappedText(painter, QRectF(option.rect), myFont, index.data(Qt::DisplayRole).toString());
    painter->restore();
}
