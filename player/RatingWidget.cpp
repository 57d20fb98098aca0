#include "player/RatingWidget.h"

#include "player/PlayerConstants.h"
#include "widgets/WidgetStyles.h"

#include <QMouseEvent>
#include <QPainter>
#include <QPainterPath>
#include <QtMath>

namespace {

QPainterPath starPath(const QRectF& box)
{
    QPainterPath path;
    const QPointF centre = box.center();
    const double outer = box.width() / 2 * 0.95;
    const double inner = outer * 0.4;
    for (int i = 0; i < 10; ++i) {
        const double radius = i % 2 ? inner : outer;
        const double angle = -M_PI / 2 + i * M_PI / 5;
        const QPointF point(centre.x() + radius * qCos(angle), centre.y() + radius * qSin(angle));
        if (i == 0)
            path.moveTo(point);
        else
            path.lineTo(point);
    }
    path.closeSubpath();
    return path;
}

} // namespace

RatingWidget::RatingWidget(QWidget* parent) : QWidget(parent)
{
    setFixedSize(sizeHint());
}

RatingWidget::~RatingWidget() = default;

QSize RatingWidget::sizeHint() const
{
    return QSize(RATING_STARS * RATING_STAR_SIZE, RATING_STAR_SIZE);
}

void RatingWidget::setAverage(double rating)
{
    myAverage = qBound(0.0, rating, double(RATING_STARS));
    myUserRating = 0;
    update();
}

void RatingWidget::setUserRating(int stars)
{
    myUserRating = qBound(0, stars, RATING_STARS);
    update();
}

int RatingWidget::starAt(const QPoint& point) const
{
    if (!rect().contains(point))
        return 0;
    return qBound(1, point.x() / RATING_STAR_SIZE + 1, RATING_STARS);
}

void RatingWidget::paintEvent(QPaintEvent*)
{
    QPainter painter(this);
    painter.setRenderHint(QPainter::Antialiasing);
    // The user's own rating is shown in the link colour, the average in gold.
    const double filled = myUserRating > 0 ? myUserRating : myAverage;
    const QColor fill = myUserRating > 0 ? QColor(LINK_COLOR) : RATING_AVERAGE_COLOR;
    for (int i = 0; i < RATING_STARS; ++i) {
        const QRectF box(i * RATING_STAR_SIZE, 0, RATING_STAR_SIZE, RATING_STAR_SIZE);
        const QPainterPath star = starPath(box);
        painter.fillPath(star, RATING_EMPTY_COLOR);
        const double share = qBound(0.0, filled - i, 1.0);
        if (share > 0) {
            painter.save();
            painter.setClipRect(QRectF(box.left(), box.top(), box.width() * share, box.height()));
            painter.fillPath(star, fill);
            painter.restore();
        }
        painter.setPen(QPen(Qt::white, 1));
        painter.drawPath(star);
    }
}

void RatingWidget::mouseReleaseEvent(QMouseEvent* event)
{
    if (const int stars = starAt(event->position().toPoint()))
        Q_EMIT ratingRequested(stars);
    QWidget::mouseReleaseEvent(event);
}
