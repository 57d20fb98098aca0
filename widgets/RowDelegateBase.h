#ifndef KRELVOX_ROWDELEGATEBASE_H
#define KRELVOX_ROWDELEGATEBASE_H

#include <QAbstractItemDelegate>
#include <QColor>
#include <QVariant>

#include <memory>

class QAbstractItemView;
class QFont;
class QImage;
class QRectF;
class QTextLayout;

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

    // Long texts from the service (comments, descriptions, messages), shown as plain
    // text over lines of the given width: wrapped at word boundaries, and inside a word
    // only where the word alone is wider than a line, so that no line runs past the
    // width. A right-to-left paragraph keeps its direction and is aligned right.
    // The texts laid out last are kept for their rows' next measure and paint (a flick
    // repaints the rows it shows at every step).
    // The height the text takes at that width (0 for an empty text) ...
    int wrappedTextHeight(const QFont& font, const QString& text, int width) const;
    // ... and the text drawn in the font and the painter's pen from the box's top left.
    void drawWrappedText(QPainter* painter, const QRectF& box, const QFont& font, const QString& text) const;

private:
    struct WrappedText;
    class WrappedTextCache;
    // The text laid out at the width, from the cache when it is there.
    const WrappedText& wrappedText(const QFont& font, const QString& text, int width) const;

    std::unique_ptr<WrappedTextCache> myWrappedTexts;
};

#endif
