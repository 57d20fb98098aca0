#include "shell/ProgressRoll.h"
#include "shell/ShellConstants.h"

#include <QPainter>
#include <QtMath>

namespace {
// Dot colours: the bright leading dot and the dim rest of the ring.
const QColor ROLL_LEAD_COLOR(255, 255, 255);
const QColor ROLL_TRAIL_COLOR(255, 255, 255, 70);
// Ring radius and dot radius as parts of the widget's smaller side.
constexpr qreal ROLL_RING_RATIO = 0.38;
constexpr qreal ROLL_DOT_RATIO = 0.08;
} // namespace

ProgressRoll::ProgressRoll(QWidget* parent) : QWidget(parent)
{
    setAttribute(Qt::WA_TranslucentBackground, true);
    myTimer.setInterval(PROGRESS_ROLL_INTERVAL_MS);
    connect(&myTimer, &ClockTimer::timeout, this, &ProgressRoll::advance);
}

ProgressRoll::~ProgressRoll() = default;

QSize ProgressRoll::sizeHint() const
{
    return PROGRESS_ROLL_SIZE;
}

void ProgressRoll::start()
{
    myTimer.start();
    update();
}

void ProgressRoll::stop()
{
    myTimer.stop();
    update();
}

void ProgressRoll::advance()
{
    myStep = (myStep + 1) % PROGRESS_ROLL_DOTS;
    update();
}

void ProgressRoll::paintEvent(QPaintEvent* event)
{
    Q_UNUSED(event);
    QPainter painter(this);
    painter.setRenderHint(QPainter::Antialiasing, true);
    painter.setPen(Qt::NoPen);

    // 1. The ring's centre and sizes from the widget's smaller side.
    const qreal side = qMin(width(), height());
    const QPointF centre(width() / 2.0, height() / 2.0);
    const qreal ring = side * ROLL_RING_RATIO;
    const qreal dot = side * ROLL_DOT_RATIO;

    // 2. One dot per place, clockwise from the top; the current step is the bright one.
    for (int i = 0; i < PROGRESS_ROLL_DOTS; ++i) {
        const qreal angle = 2.0 * M_PI * i / PROGRESS_ROLL_DOTS;
        const QPointF at(centre.x() + ring * qSin(angle), centre.y() - ring * qCos(angle));
        painter.setBrush(i == myStep ? ROLL_LEAD_COLOR : ROLL_TRAIL_COLOR);
        painter.drawEllipse(at, dot, dot);
    }
}
