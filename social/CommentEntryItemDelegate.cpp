#include "social/CommentEntryItemDelegate.h"

#include "core/CommentEntry.h"
#include "social/SocialLogging.h"
#include "social/TextPageConstants.h"
#include "widgets/WidgetStyles.h"

#include <QAbstractItemView>
#include <QDebug>
#include <QPainter>
#include <QTextOption>

namespace {

QFont rowFont()
{
    return QFont(FONT_FAMILY, TEXT_ROW_FONT_SIZE);
}

// The name at the left and the date at the right of the first line, whatever the
// direction of their script, so that the name is where its hit area is.
const QTextOption AUTHOR_OPTION(Qt::AlignLeft | Qt::AlignAbsolute);
const QTextOption DATE_OPTION(Qt::AlignRight | Qt::AlignTop | Qt::AlignAbsolute);

} // namespace

CommentEntryItemDelegate::CommentEntryItemDelegate(QAbstractItemView* view, int rowLimit)
    : RowDelegateBase(view),
      myRowLimit(rowLimit),
      myFont(rowFont()),
      myMetrics(myFont),
      myLineHeight(qRound(
          myMetrics.boundingRect(QRect(), Qt::TextDontClip, QString::fromLatin1(COMMENT_LINE_SAMPLE)).height()
          * COMMENT_LINE_FACTOR))
{
}

CommentEntryItemDelegate::~CommentEntryItemDelegate() = default;

QString CommentEntryItemDelegate::shownAuthor(const QString& author)
{
    return author.length() > COMMENT_AUTHOR_MAX_CHARS ? cutText(author, COMMENT_AUTHOR_KEPT_CHARS) : author;
}

CommentEntry* CommentEntryItemDelegate::entryFor(const QModelIndex& index) const
{
    if (!index.isValid()) {
        qCDebug(lcSocial) << "Painter: Invalid index!" << index.row();
        return nullptr;
    }
    if (index.row() >= myRowLimit)
        return nullptr;
    if (!index.data(Qt::DisplayRole).isValid()) {
        qCDebug(lcSocial) << "Painter: variant invalid: ";
        return nullptr;
    }
    return rowItem<CommentEntry>(index);
}

QSize CommentEntryItemDelegate::sizeHint(const QStyleOptionViewItem& option, const QModelIndex& index) const
{
    const CommentEntry* entry = entryFor(index);
    const QAbstractItemView* view = viewFor(option);
    if (!entry || !view)
        return QSize(0, 0);
    const int width = view->width() - TEXT_ROW_VIEW_MARGIN;
    return QSize(width, myLineHeight + wrappedTextHeight(myFont, entry->getContent(), width));
}

void CommentEntryItemDelegate::paint(QPainter* painter, const QStyleOptionViewItem& option,
                                     const QModelIndex& index) const
{
    // 1. The row's comment; nothing to paint without one.
    CommentEntry* entry = entryFor(index);
    if (!painter || !entry)
        return;
    painter->save();

    // 2. The row's areas: author and date on the first line, the text below.
    const QRectF row(option.rect);
    const double authorWidth = qRound(COMMENT_AUTHOR_SHARE * row.width());
    const QRectF authorArea(row.left(), row.top(), authorWidth, myLineHeight);
    const QRectF dateArea(row.left() + authorWidth, row.top(), qRound(COMMENT_DATE_SHARE * row.width()),
                          myLineHeight);
    const QRectF textArea(row.left(), row.top() + myLineHeight, row.width(), row.height() - myLineHeight);
    entry->setAuthorRect(authorArea);

    // 3. A faint white line along the top of the row.
    drawTopLine(painter, option.rect, QColor(255, 255, 255, TEXT_ROW_SEPARATOR_ALPHA));

    // 4. The author as a link.
    QFont linkFont = myFont;
    linkFont.setUnderline(true);
    painter->setFont(linkFont);
    painter->setPen(QColor(LINK_COLOR));
    const QString author = shownAuthor(entry->getAuthor());
    painter->drawText(authorArea, author, AUTHOR_OPTION);

    // 5. The link's hit area: the name's width, a little taller than its line, never
    //    above the top of the viewport.
    const double hitTop = int(qMax(0.0, authorArea.top() - COMMENT_AUTHOR_HIT_MARGIN));
    entry->setAuthorRect(QRectF(authorArea.left(), hitTop, painter->fontMetrics().horizontalAdvance(author),
                                authorArea.height() + COMMENT_AUTHOR_HIT_MARGIN));

    // 6. The date, right-aligned.
    painter->setFont(myFont);
    painter->setPen(Qt::white);
    painter->drawText(dateArea, entry->getPublished(), DATE_OPTION);

    // 7. The comment as plain text, wrapped over the full width.
    drawWrappedText(painter, textArea, myFont, entry->getContent());

    painter->restore();
}
