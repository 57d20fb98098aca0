#include "widgets/SweepListBase.h"

#include "widgets/WidgetConstants.h"
#include "widgets/WidgetStyles.h"

#include <QMouseEvent>
#include <QScrollBar>
#include <QtGlobal>

SweepListBase::SweepListBase(QWidget* parent, int flag) : QListView(parent)
{
    Q_UNUSED(flag);
    setAutoFillBackground(false);
    viewport()->setAutoFillBackground(false);
    setVerticalScrollMode(QAbstractItemView::ScrollPerPixel);
    setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    // The scroll bar shows only while the list moves (revealScrollBar).
    setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    setSelectionMode(QAbstractItemView::SingleSelection);
    setResizeMode(QListView::Adjust);
    setContentsMargins(0, 0, 0, 0);
    setViewportMargins(0, 0, 0, 0);
    setFrameShape(QFrame::NoFrame);
    setStyleSheet(STYLE_SWEEP_LIST);

    myKineticTimer.setInterval(SWEEP_KINETIC_INTERVAL_MS);
    connect(&myKineticTimer, &ClockTimer::timeout, this, &SweepListBase::kineticStep);
    myScrollBarTimer.setInterval(SWEEP_SCROLLBAR_HIDE_MS);
    myScrollBarTimer.setSingleShot(true);
    connect(&myScrollBarTimer, &ClockTimer::timeout, this, &SweepListBase::hideScrollBar);
    myDragScrollTimer.setInterval(SWEEP_DRAG_SCROLL_INTERVAL_MS);
    connect(&myDragScrollTimer, &ClockTimer::timeout, this, &SweepListBase::dragScrollStep);
}

SweepListBase::~SweepListBase() = default;

void SweepListBase::stopKineticScroll()
{
    myKineticTimer.stop();
    setViewportMargins(0, 0, 0, 0);
    myKineticAim = 0;
    myKineticValue = verticalScrollBar()->value();
}

void SweepListBase::startKineticScroll(int aim)
{
    QScrollBar* bar = verticalScrollBar();
    myKineticAim = qBound(bar->minimum(), aim, bar->maximum());
    myKineticValue = bar->value();
    if (myKineticAim != myKineticValue)
        myKineticTimer.start();
}

void SweepListBase::kineticStep()
{
    QScrollBar* bar = verticalScrollBar();
    const int value = bar->value();
    const int remaining = myKineticAim - value;
    if (value != myKineticValue || remaining == 0) {
        // Arrived, or the list was scrolled (or refilled) by someone else meanwhile.
        myKineticTimer.stop();
        return;
    }
    int step = remaining / SWEEP_KINETIC_DIVISOR;
    if (step == 0)
        step = remaining > 0 ? 1 : -1;
    bar->setValue(value + step);
    myKineticValue = bar->value();
    revealScrollBar();
    if (myKineticValue == value) // held at the end of the scroll range
        myKineticTimer.stop();
}

int SweepListBase::flickAim(int dy) const
{
    const QScrollBar* bar = verticalScrollBar();
    const int aim = bar->value() + qRound(dy * SWEEP_FLICK_FACTOR);
    return qBound(bar->minimum(), aim, bar->maximum());
}

void SweepListBase::revealScrollBar()
{
    if (verticalScrollBar()->maximum() <= 0)
        return;
    if (verticalScrollBarPolicy() != Qt::ScrollBarAsNeeded)
        setVerticalScrollBarPolicy(Qt::ScrollBarAsNeeded);
    myScrollBarTimer.start();
}

void SweepListBase::hideScrollBar()
{
    setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
}

bool SweepListBase::checkDragScroll(int y)
{
    if (y < SWEEP_DRAG_SCROLL_EDGE) {
        myDragScrollDirection = -1;
    } else if (y > viewport()->height() - SWEEP_DRAG_SCROLL_EDGE) {
        myDragScrollDirection = 1;
    } else {
        stopDragScroll();
        return false;
    }
    if (!myDragScrollTimer.isActive())
        myDragScrollTimer.start();
    return true;
}

void SweepListBase::stopDragScroll()
{
    myDragScrollTimer.stop();
    myDragScrollDirection = 0;
}

void SweepListBase::dragScrollStep()
{
    QScrollBar* bar = verticalScrollBar();
    const int value = bar->value();
    bar->setValue(value + myDragScrollDirection * SWEEP_DRAG_SCROLL_STEP);
    if (bar->value() == value) {
        // Nothing more to scroll in this direction; the next drag move restarts it.
        stopDragScroll();
        return;
    }
    revealScrollBar();
}

void SweepListBase::setToBeginning()
{
    stopKineticScroll();
    clearSelection();
    myReleasedIndex = QPersistentModelIndex();
    Q_EMIT selectionCleared();
    scrollToTop();
    verticalScrollBar()->setValue(0);
}

void SweepListBase::mousePressEvent(QMouseEvent* event)
{
    QScrollBar* bar = verticalScrollBar();
    if (!bar)
        return;
    stopKineticScroll();
    myPressTime.restart();
    const QPoint pos = event->position().toPoint();
    myPressY = pos.y();
    myPressX = pos.x();
    myPressIndex = currentIndex();
    myStartValue = bar->value();
    myMoved = false;
    // Makes the pressed row current and selected.
    QListView::mousePressEvent(event);
}

void SweepListBase::mouseMoveEvent(QMouseEvent* event)
{
    QScrollBar* bar = verticalScrollBar();
    if (!bar || event->buttons() == Qt::NoButton)
        return;
    const int dy = myPressY - qRound(event->position().y());
    myMoved = (dy != 0);
    bar->setValue(myStartValue + dy);
    if (myMoved)
        revealScrollBar();
}

void SweepListBase::mouseReleaseEvent(QMouseEvent* event)
{
    QScrollBar* bar = verticalScrollBar();
    if (!bar)
        return;
    // The item view's own press began a selection gesture; it ends here, without the
    // item view's release handling (no clicked signal from the base lists).
    setState(QAbstractItemView::NoState);

    const QPoint pos = event->position().toPoint();
    const int dy = myPressY - pos.y();
    const int dx = myPressX - pos.x();

    const QModelIndexList selected = selectionModel() ? selectionModel()->selectedIndexes() : QModelIndexList();
    if (selected.count() == 1) {
        const QModelIndex row = selected.first();
        if (myReleasedIndex.isValid() && row == myReleasedIndex && !myMoved)
            activateCurrentItem(row);
        else
            myReleasedIndex = row;
    } else {
        myReleasedIndex = QPersistentModelIndex();
    }

    if (!myPressTime.isValid() || myPressTime.elapsed() > SWEEP_GESTURE_MAX_MS)
        return;
    // A drag is vertical or sideways by its larger part.
    if (qAbs(dy) >= qAbs(dx)) {
        if (qAbs(dy) >= SWEEP_GESTURE_MIN_PIXELS)
            startKineticScroll(flickAim(dy));
    } else if (qAbs(dx) >= SWEEP_GESTURE_MIN_PIXELS) {
        Q_EMIT horizontalSweep(dx);
    }
}
