#include "player/VideoProgressBar.h"

#include "player/PlayerConstants.h"
#include "widgets/WidgetStyles.h"

#include <QMouseEvent>
#include <QPainter>

namespace {

// Room at the right of the track for "h:mm:ss / h:mm:ss".
constexpr int TIME_TEXT_WIDTH = 150;
constexpr int TRACK_HEIGHT = 12;
constexpr int TIME_FONT_SIZE = 12;

} // namespace

VideoProgressBar::VideoProgressBar(QWidget* parent) : QWidget(parent)
{
    setFixedHeight(PROGRESS_BAR_HEIGHT);
    setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Fixed);
}

VideoProgressBar::~VideoProgressBar() = default;

QSize VideoProgressBar::sizeHint() const
{
    return QSize(INFO_VIDEO_WIDTH, PROGRESS_BAR_HEIGHT);
}

QString VideoProgressBar::formatTime(double seconds)
{
    const int s = seconds > 0 ? int(seconds) : 0;
    const auto two = [](int v) { return QStringLiteral("%1").arg(v, 2, 10, QLatin1Char('0')); };
    if (s >= 3600)
        return QString::number(s / 3600) + QLatin1Char(':') + two(s % 3600 / 60) + QLatin1Char(':') + two(s % 60);
    return QString::number(s / 60) + QLatin1Char(':') + two(s % 60);
}

void VideoProgressBar::setDownloaded(double share)
{
    const double value = qBound(0.0, share, 1.0);
    if (qFuzzyCompare(value + 1.0, myDownloaded + 1.0))
        return;
    myDownloaded = value;
    update();
    Q_EMIT downloadedChanged(value);
}

void VideoProgressBar::setPosition(double seconds, double length)
{
    myPosition = qMax(0.0, seconds);
    myLength = qMax(0.0, length);
    // Position reports come several times a second: the bar is painted again only
    // when what it shows changes (a pixel of the played part, a second of the time).
    const QRect track = trackRect();
    const int played = myLength > 0 ? int(track.width() * qBound(0.0, myPosition / myLength, 1.0)) : 0;
    const QString time = timeText();
    if (played == myPaintedPlayed && time == myPaintedTime)
        return;
    myPaintedPlayed = played;
    myPaintedTime = time;
    update();
}

void VideoProgressBar::setNote(const QString& note)
{
    if (note == myNote)
        return;
    myNote = note;
    update();
}

QString VideoProgressBar::timeText() const
{
    return formatTime(myPosition) + QStringLiteral(" / ") + formatTime(myLength);
}

QRect VideoProgressBar::trackRect() const
{
    const int width = qMax(0, this->width() - TIME_TEXT_WIDTH - VIEW_SPACING);
    return QRect(0, (height() - TRACK_HEIGHT) / 2, width, TRACK_HEIGHT);
}

void VideoProgressBar::paintEvent(QPaintEvent*)
{
    QPainter painter(this);
    const QRect track = trackRect();

    // 1. The track, then the downloaded part over it, then the played part.
    painter.fillRect(track, PROGRESS_TRACK_COLOR);
    painter.fillRect(QRectF(track.left(), track.top(), track.width() * myDownloaded, track.height()),
                     PROGRESS_DOWNLOADED_COLOR);
    const double played = myLength > 0 ? qBound(0.0, myPosition / myLength, 1.0) : 0.0;
    painter.fillRect(QRectF(track.left(), track.top(), track.width() * played, track.height()),
                     PROGRESS_PLAYED_COLOR);

    // 2. The time played and the length, or the notice in their place.
    painter.setPen(Qt::white);
    painter.setFont(QFont(FONT_FAMILY, TIME_FONT_SIZE));
    painter.drawText(QRect(track.right() + VIEW_SPACING, 0, TIME_TEXT_WIDTH, height()), Qt::AlignVCenter | Qt::AlignRight,
                     myNote.isEmpty() ? timeText() : myNote);
}

void VideoProgressBar::mouseReleaseEvent(QMouseEvent* event)
{
    const QRect track = trackRect();
    const double x = event->position().x();
    if (track.width() > 0 && x >= track.left() && x <= track.right() + 1)
        Q_EMIT seekRequested(qBound(0.0, (x - track.left()) / track.width(), 1.0));
    QWidget::mouseReleaseEvent(event);
}
