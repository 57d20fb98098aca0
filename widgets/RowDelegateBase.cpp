#include "widgets/RowDelegateBase.h"

#include "widgets/WidgetConstants.h"
#include "widgets/WidgetTexts.h"

#include <QAbstractItemView>
#include <QPainter>

RowDelegateBase::RowDelegateBase(QObject* parent) : QAbstractItemDelegate(parent)
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
