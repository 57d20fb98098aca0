#include "widgets/RowDelegateBase.h"

#include "widgets/WidgetConstants.h"
#include "widgets/WidgetTexts.h"

#include <QAbstractItemView>
#include <QCache>
#include <QPainter>
#include <QTextLayout>
#include <QtMath>

namespace {

// Laid-out texts kept at most, counted in characters: the rows a page shows and
// measures, at two widths.
const int WRAPPED_TEXT_CACHE_CHARS = 60000;

// Line breaks of the service's texts as the text layout knows them.
QString plainLines(const QString& text)
{
    QString lines = text;
    lines.remove(QLatin1Char('\r'));
    lines.replace(QLatin1Char('\n'), QChar::LineSeparator);
    return lines;
}

} // namespace

struct RowDelegateBase::WrappedText
{
    QTextLayout layout;
    int height = 0;
};

class RowDelegateBase::WrappedTextCache
{
public:
    struct Key
    {
        QString font;
        QString text;
        int width;
        bool operator==(const Key& other) const
        {
            return width == other.width && text == other.text && font == other.font;
        }
        friend size_t qHash(const Key& key, size_t seed = 0) { return qHashMulti(seed, key.font, key.text, key.width); }
    };
    QCache<Key, WrappedText> texts{WRAPPED_TEXT_CACHE_CHARS};
    // A text too long for the cache, kept until the next one.
    std::unique_ptr<WrappedText> oversized;
};

RowDelegateBase::RowDelegateBase(QObject* parent)
    : QAbstractItemDelegate(parent), myWrappedTexts(std::make_unique<WrappedTextCache>())
{
}

RowDelegateBase::~RowDelegateBase() = default;

QString RowDelegateBase::formatDuration(float seconds)
{
    const int s = seconds > 0 ? static_cast<int>(seconds) : 0;
    const auto field = [](int value) { return QStringLiteral("%1").arg(value, 2, 10, QLatin1Char('0')); };
    if (s >= 3600)
        return field(s / 3600) + QLatin1Char(':') + field(s % 3600 / 60) + QLatin1Char(':') + field(s % 60);
    return field(s / 60) + QLatin1Char(':') + field(s % 60);
}

QString RowDelegateBase::formatFileSize(int bytes)
{
    const double kilo = 1024.0;
    const double mega = 1048576.0;
    if (bytes <= mega)
        return QString::number(bytes / kilo, 'f', 1) + QLatin1Char(' ') + TEXT_KB();
    const double megabytes = bytes / mega;
    return QString::number(megabytes, 'f', megabytes < 1000.0 ? 1 : 0) + QLatin1Char(' ') + TEXT_MB();
}

QString RowDelegateBase::cutText(const QString& text, int max)
{
    return text.length() > max ? text.left(max) + TEXT_ELLIPSIS() : text;
}

const QAbstractItemView* RowDelegateBase::viewFor(const QStyleOptionViewItem& option) const
{
    if (const auto* view = qobject_cast<const QAbstractItemView*>(parent()))
        return view;
    return qobject_cast<const QAbstractItemView*>(option.widget);
}

int RowDelegateBase::rowHeight(const QAbstractItemView* view, double factor, double min, double max)
{
    if (!view)
        return qRound(min);
    return qRound(qBound(min, view->height() / factor, max));
}

QSize RowDelegateBase::rowSize(const QAbstractItemView* view, double factor, double min, double max)
{
    return QSize(view ? view->width() : 0, rowHeight(view, factor, min, max));
}

void RowDelegateBase::drawHighlight(QPainter* painter, const QRect& row)
{
    painter->fillRect(row, ROW_HIGHLIGHT_COLOR);
}

void RowDelegateBase::highlightCurrentRow(QPainter* painter, const QStyleOptionViewItem& option,
                                          const QModelIndex& index) const
{
    const QAbstractItemView* view = viewFor(option);
    if (view && index == view->currentIndex())
        drawHighlight(painter, option.rect);
}

void RowDelegateBase::drawTopLine(QPainter* painter, const QRect& row, const QColor& color)
{
    painter->setPen(color);
    painter->drawLine(QPointF(row.left(), row.top()), QPointF(row.right() + 1, row.top()));
}

void RowDelegateBase::drawBottomLine(QPainter* painter, const QRect& row)
{
    painter->setPen(Qt::white);
    painter->drawLine(QPointF(row.left(), row.bottom() + 1), QPointF(row.right() + 1, row.bottom() + 1));
}

void RowDelegateBase::drawPicture(QPainter* painter, const QRectF& box, const QImage& image)
{
    if (!image.isNull())
        painter->drawImage(box, image, QRectF(image.rect()));
}

const RowDelegateBase::WrappedText& RowDelegateBase::wrappedText(const QFont& font, const QString& text,
                                                                 int width) const
{
    const WrappedTextCache::Key key{font.key(), text, width};
    if (const WrappedText* cached = myWrappedTexts->texts.object(key))
        return *cached;

    // The lines one under the other, each on whole pixels, with the font's leading
    // between them: as the text functions of the painter lay out wrapped text.
    auto* wrapped = new WrappedText;
    QTextLayout& layout = wrapped->layout;
    layout.setText(plainLines(text));
    layout.setFont(font);
    QTextOption option;
    option.setWrapMode(QTextOption::WrapAtWordBoundaryOrAnywhere);
    layout.setTextOption(option);
    layout.setCacheEnabled(true);
    const qreal leading = QFontMetricsF(font).leading();
    qreal height = -leading;
    layout.beginLayout();
    for (QTextLine line = layout.createLine(); line.isValid(); line = layout.createLine()) {
        line.setLineWidth(width);
        height = qCeil(height + leading);
        line.setPosition(QPointF(0.0, height));
        height += line.ascent() + line.descent();
    }
    layout.endLayout();
    wrapped->height = text.isEmpty() ? 0 : qMax(0, qCeil(height));
    const int cost = text.size() + 1;
    if (cost > myWrappedTexts->texts.maxCost())
        myWrappedTexts->oversized.reset(wrapped);
    else
        myWrappedTexts->texts.insert(key, wrapped, cost);
    return *wrapped;
}

int RowDelegateBase::wrappedTextHeight(const QFont& font, const QString& text, int width) const
{
    return wrappedText(font, text, qMax(1, width)).height;
}

void RowDelegateBase::drawWrappedText(QPainter* painter, const QRectF& box, const QFont& font,
                                      const QString& text) const
{
    wrappedText(font, text, qMax(1, qRound(box.width()))).layout.draw(painter, box.topLeft());
}
