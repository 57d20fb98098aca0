#include "social/MessageEntryItemDelegate.h"

#include "social/AccountRowLayout.h"

#include "core/MessageEntry.h"
#include "widgets/WidgetStyles.h"

#include <QAbstractItemView>
#include <QFontMetrics>
#include <QPainter>
#include <QTextOption>

MessageEntryItemDelegate::MessageEntryItemDelegate(QAbstractItemView* view)
    : RowDelegateBase(view), myView(view), myFont(FONT_FAMILY, ACCOUNT_ROW_FONT_SIZE)
{
}

MessageEntryItemDelegate::~MessageEntryItemDelegate() = default;

QSize MessageEntryItemDelegate::sizeHint(const QStyleOptionViewItem& option, const QModelIndex& index) const
{
    Q_UNUSED(option);
    Q_UNUSED(index);
    return rowSize(myView, ACCOUNT_ROW_FACTOR, ACCOUNT_ROW_MIN, ACCOUNT_ROW_MAX);
}

void MessageEntryItemDelegate::paint(QPainter* painter, const QStyleOptionViewItem& option,
                                     const QModelIndex& index) const
{
    // 1. The row's message; nothing to paint without one.
    MessageEntry* entry = rowItem<MessageEntry>(index);
    if (!painter || !entry)
        return;
    painter->save();

    // 2. A selected row is filled under its content.
    if (option.state & QStyle::State_Selected)
        painter->fillRect(option.rect, ACCOUNT_ROW_SELECTED_COLOR);

    // 3. Layout, a white line along the top and the picture when it has arrived.
    const AccountRowLayout row(option.rect);
    drawTopLine(painter, option.rect);
    drawPicture(painter, row.thumbnail(), entry->getThumbnail());

    // 4. Title at the top of the left column, the sender on its third line, the date
    //    at the top of the right column. Title and sender take one line each, cut
    //    only where the column ends. The summary and the content are the message
    //    page's.
    painter->setPen(Qt::white);
    painter->setFont(myFont);
    const QFontMetrics metrics = painter->fontMetrics();
    const int columnWidth = int(row.c);
    painter->drawText(row.leftLine(2), metrics.elidedText(entry->getAuthor(), Qt::ElideRight, columnWidth),
                      QTextOption());
    painter->drawText(row.leftLine(0), metrics.elidedText(entry->getTitle(), Qt::ElideRight, columnWidth),
                      QTextOption());
    painter->drawText(row.rightColumn(), entry->getPublished(), QTextOption());

    painter->restore();
}
