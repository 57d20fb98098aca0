#include "social/ContactEntryItemDelegate.h"

#include "social/AccountRowLayout.h"
#include "social/SocialTexts.h"

#include "core/ContactEntry.h"
#include "core/SharedImages.h"
#include "widgets/WidgetStyles.h"

#include <QAbstractItemView>
#include <QPainter>
#include <QTextOption>

#include <utility>

ContactEntryItemDelegate::ContactEntryItemDelegate(QAbstractItemView* view)
    : RowDelegateBase(view), myView(view), myFont(FONT_FAMILY, ACCOUNT_ROW_FONT_SIZE)
{
}

ContactEntryItemDelegate::~ContactEntryItemDelegate() = default;

QSize ContactEntryItemDelegate::sizeHint(const QStyleOptionViewItem& option, const QModelIndex& index) const
{
    Q_UNUSED(option);
    Q_UNUSED(index);
    // The same size for every row, from the view the painter was made for.
    return rowSize(myView, ACCOUNT_ROW_FACTOR, ACCOUNT_ROW_MIN, ACCOUNT_ROW_MAX);
}

void ContactEntryItemDelegate::paint(QPainter* painter, const QStyleOptionViewItem& option,
                                     const QModelIndex& index) const
{
    // 1. The row's contact; nothing to paint without one.
    ContactEntry* entry = rowItem<ContactEntry>(index);
    if (!painter || !entry)
        return;
    painter->save();
    painter->setPen(Qt::white);

    // 2. A selected row is filled under all of its content.
    if (option.state & QStyle::State_Selected)
        painter->fillRect(option.rect, ACCOUNT_ROW_SELECTED_COLOR);

    // 3. Layout, and a white line along the top of the row.
    const AccountRowLayout row(option.rect);
    drawTopLine(painter, option.rect);

    // 4. The picture, when it has arrived.
    drawPicture(painter, row.thumbnail(), entry->getThumbnail());

    // 5. The name as a link; its hit area is as wide as the name drawn and reaches
    //    a little above its line, but not above the viewport.
    const QRectF nameLine = row.leftLine(0);
    const QString name = cutText(entry->getUserName(), CONTACT_NAME_MAX_CHARS);
    QFont font = myFont;
    font.setWeight(QFont::Normal);
    font.setUnderline(true);
    painter->setFont(font);
    painter->setPen(QColor(LINK_COLOR));
    painter->drawText(nameLine, name, QTextOption());
    const double nameWidth = painter->fontMetrics().horizontalAdvance(name);
    const double hitTop = qMax(0, int(nameLine.top() - CONTACT_LINK_HIT_MARGIN));
    entry->setContactLinkRect(
        QRectF(nameLine.left(), hitTop, nameWidth, nameLine.height() + CONTACT_LINK_HIT_MARGIN));

    // 6. The information sign after the name, a gap apart: its ring would touch the
    //    name's last letter.
    drawPicture(painter, QRectF(nameLine.left() + nameWidth + CONTACT_INFO_SIGN_GAP, nameLine.top(), row.L, row.L),
                ContactEntry::getInfoButtonImage());

    font.setUnderline(false);
    painter->setFont(font);
    painter->setPen(Qt::white);

    // 7. An invitation's answer buttons take the first line of the right column; an
    //    accepted contact has none to hit.
    const QRectF accept(row.x + row.t + row.c, row.y + row.m, row.c / CONTACT_BUTTON_WIDTH_DIVISOR, row.L);
    const QRectF reject(row.x + row.t + row.c + row.c / 2, row.y + row.m, row.c / CONTACT_BUTTON_WIDTH_DIVISOR, row.L);
    if (entry->isPending()) {
        for (const auto& [box, text] : {std::pair(accept, CONTACT_ACCEPT), std::pair(reject, CONTACT_REJECT)}) {
            drawPicture(painter, box, getBackBgImage());
            painter->drawText(box, text, QTextOption(Qt::AlignCenter));
        }
        entry->setAcceptLinkRect(accept);
        entry->setRejectLinkRect(reject);
    } else {
        entry->setAcceptLinkRect(QRectF());
        entry->setRejectLinkRect(QRectF());
    }

    // 8. The profile: counts at the left, dates at the right ("Since" only for a
    //    contact: an invitation's buttons are there).
    painter->drawText(row.leftLine(2), TEXT_WATCHED() + entry->getWatched(), QTextOption());
    painter->drawText(row.leftLine(1), TEXT_UPLOADS() + entry->getUploads(), QTextOption());
    if (!entry->isPending())
        painter->drawText(row.rightLine(0), TEXT_SINCE() + entry->getSince(), QTextOption());
    painter->drawText(row.rightLine(1), TEXT_JOINED() + entry->getJoined(), QTextOption());
    painter->drawText(row.rightLine(2), TEXT_LOGGED() + entry->getLogged(), QTextOption());

    painter->restore();
}
