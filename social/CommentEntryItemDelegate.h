#ifndef KRELVOX_COMMENTENTRYITEMDELEGATE_H
#define KRELVOX_COMMENTENTRYITEMDELEGATE_H

#include "widgets/RowDelegateBase.h"

#include <QFont>
#include <QFontMetrics>

class CommentEntry;
class QAbstractItemView;

// Paints the rows of a comment list: the author as an underlined link and the date
// on the first line, the comment word-wrapped over the full width below. A row is as
// high as its text. While painting it stores the author link's hit rectangle into
// the CommentEntry, for the list's double-tap handling. Rows from the limit on are
// neither painted nor given a size.
class CommentEntryItemDelegate : public RowDelegateBase
{
    Q_OBJECT
public:
    // view: the list the rows are painted for (its width sizes the rows).
    CommentEntryItemDelegate(QAbstractItemView* view, int rowLimit);
    ~CommentEntryItemDelegate() override;

    void paint(QPainter* painter, const QStyleOptionViewItem& option, const QModelIndex& index) const override;
    QSize sizeHint(const QStyleOptionViewItem& option, const QModelIndex& index) const override;

    int getLineHeight() const { return myLineHeight; }

    // The author's name as shown: cut to its first characters and "..." when long.
    static QString shownAuthor(const QString& author);

private:
    // The row's entry, null (with a trace) for a row that is not painted.
    CommentEntry* entryFor(const QModelIndex& index) const;

    int myRowLimit;
    QFont myFont;
    QFontMetrics myMetrics;
    int myLineHeight;
};

#endif
