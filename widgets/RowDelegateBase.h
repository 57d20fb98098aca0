#ifndef KRELVOX_ROWDELEGATEBASE_H
#define KRELVOX_ROWDELEGATEBASE_H

#include <QAbstractItemDelegate>
#include <QColor>
#include <QVariant>

class QAbstractItemView;
class QImage;
class QRectF;

// Base of the row painters of the kinetic lists (video, favourite, playlist, comment,
// contact and message rows): the drawing every row shares and the texts the rows
// format. A painter's parent is the view it paints for.
class RowDelegateBase : public QAbstractItemDelegate
{
    Q_OBJECT
public:
    // "mm:ss", or "hh:mm:ss" from one hour up; whole seconds, a negative length is
    // "00:00".
    static QString formatDuration(float seconds);
    // Up to 1 MB in kilobytes with one decimal ("1.5 KB"), above in megabytes, with
    // one decimal below 1000 MB ("10.5 MB", "1000 MB").
    static QString formatFileSize(int bytes);
    // The text cut to max characters followed by "..." when it is longer.
    static QString cutText(const QString& text, int max);

protected:
    explicit RowDelegateBase(QObject* parent);
    ~RowDelegateBase() override;

    // The row's item (its display data, e.g. VideoEntry or PlayList); null for an
    // invalid row and for a row without an item.
    template <typename Item>
    static Item* rowItem(const QModelIndex& index)
    {
        return index.isValid() ? index.data(Qt::DisplayRole).value<Item*>() : nullptr;
    }
    // The view the rows are painted for: the parent when it is a view, else the
    // option's widget; null when neither is.
    const QAbstractItemView* viewFor(const QStyleOptionViewItem& option) const;
    // A row height that follows the view: its height / factor, within min and max;
    // min without a view.
    static int rowHeight(const QAbstractItemView* view, double factor, double min, double max);
    // A row as wide as the view (0 without one) and as high as rowHeight says.
    static QSize rowSize(const QAbstractItemView* view, double factor, double min, double max);

    // The grey fill of a highlighted row.
    static void drawHighlight(QPainter* painter, const QRect& row);
    // The grey fill when the row is the view's current row.
    void highlightCurrentRow(QPainter* painter, const QStyleOptionViewItem& option, const QModelIndex& index) const;
    // The one-pixel lines (white unless told) along the row's top and bottom edges.
    // They end one pixel right of the row, so that neighbouring rows' lines meet.
    static void drawTopLine(QPainter* painter, const QRect& row, const QColor& color = Qt::white);
    static void drawBottomLine(QPainter* painter, const QRect& row);
    // The whole image scaled into the box (thumbnails, icons); nothing for a null image.
    static void drawPicture(QPainter* painter, const QRectF& box, const QImage& image);
};

#endif
