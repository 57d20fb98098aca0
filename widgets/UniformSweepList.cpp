#include "widgets/UniformSweepList.h"

#include "widgets/WidgetConstants.h"

#include <QMouseEvent>
#include <QScrollBar>

UniformSweepList::UniformSweepList(QWidget* parent, int flag) : SweepListBase(parent, flag)
{
    setUniformItemSizes(true);
}

UniformSweepList::~UniformSweepList() = default;

void UniformSweepList::mousePressEvent(QMouseEvent* event)
{
    myDoubleTap = false;
    SweepListBase::mousePressEvent(event);
}

void UniformSweepList::mouseDoubleClickEvent(QMouseEvent* event)
{
    // The press of the second tap has already made its row current; the release
    // decides whether this was a double tap on the same row.
    Q_UNUSED(event);
    myDoubleTap = true;
}

void UniformSweepList::mouseReleaseEvent(QMouseEvent* event)
{
    if (!verticalScrollBar())
        return;
    const QModelIndex current = currentIndex();
    if (myDoubleTap && current == myPressIndex && myPressTime.isValid()
        && myPressTime.elapsed() < SWEEP_DOUBLE_TAP_MS) {
        myDoubleTap = false;
        setState(QAbstractItemView::NoState);
        Q_EMIT textSelected(current);
        return;
    }
    myDoubleTap = false;
    SweepListBase::mouseReleaseEvent(event);
}

int UniformSweepList::flickAim(int dy) const
{
    const QScrollBar* bar = verticalScrollBar();
    const int rowHeight = qMax(1, visualRect(currentIndex()).height());
    const int value = bar->value();
    int aim = value + qRound(dy * SWEEP_FLICK_FACTOR);
    aim = qMax(1, qMin(aim, bar->maximum()));
    int aimRow = aim / rowHeight;
    // A short upward flick still moves on by one row.
    if (dy > 0 && aimRow == value / rowHeight)
        ++aimRow;
    return aimRow * rowHeight;
}

void UniformSweepList::activateCurrentItem(const QModelIndex& index)
{
    Q_EMIT activated(index);
}

void UniformSweepList::selectionChanged(const QItemSelection& selected, const QItemSelection& deselected)
{
    Q_UNUSED(selected);
    Q_UNUSED(deselected);
    // Only the repaint of the item view's own handling is kept, so that painters that
    // show the selection stay current.
    viewport()->update();
    Q_EMIT selectionMade();
}
