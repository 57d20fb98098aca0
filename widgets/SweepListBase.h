#ifndef KRELVOX_SWEEPLISTBASE_H
#define KRELVOX_SWEEPLISTBASE_H

#include "core/Clock.h"

#include <QListView>
#include <QPersistentModelIndex>

// A list view made for the finger: the content follows a vertical drag pixel by
// pixel, a quick drag is continued as a decelerating flick, a quick sideways drag is
// reported as a sweep, and tapping the selected row once more activates it. The
// scroll bar shows only while the list scrolls. While something is dragged over the
// list, its edges scroll it (checkDragScroll).
class SweepListBase : public QListView
{
    Q_OBJECT
public:
    // flag: the subclasses' own (the selection box's drop-down list shows its up and
    // down buttons by its flag); the base list behaves alike for every value.
    SweepListBase(QWidget* parent, int flag);
    ~SweepListBase() override;

    // Stops a running flick where it is.
    void stopKineticScroll();
    bool isKineticScrolling() const { return myKineticTimer.isActive(); }

    // Edge auto-scroll while an item is dragged over the list: y (relative to the
    // list) near the top scrolls up, near the bottom scrolls down, every
    // SWEEP_DRAG_SCROLL_INTERVAL_MS by SWEEP_DRAG_SCROLL_STEP pixels. True while y is
    // in an edge band; anywhere else the auto-scroll stops.
    bool checkDragScroll(int y);
    void stopDragScroll();
    bool isDragScrolling() const { return myDragScrollTimer.isActive(); }

public Q_SLOTS:
    // Clears the selection (announced by selectionCleared) and scrolls to the top.
    void setToBeginning();

Q_SIGNALS:
    void selectionCleared();
    // A quick sideways drag: the length is press x - release x (positive when the
    // finger moved to the left).
    void horizontalSweep(int length);

protected:
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;

    // The selected row was tapped once more without moving the finger.
    virtual void activateCurrentItem(const QModelIndex& index) = 0;

    // Where a flick of dy pixels (press y - release y) comes to rest, as a value of
    // the vertical scroll bar. Three times the drag, within the scroll range.
    virtual int flickAim(int dy) const;

    // Starts the kinetic flick towards the given scroll bar value.
    void startKineticScroll(int aim);
    // Shows the scroll bar and restarts its hide timer.
    void revealScrollBar();

    // Press state, written at every press (also by subclasses that handle the press
    // themselves): where the finger went down, the current index before the press,
    // the scroll bar's value then, the time since then, and whether the finger has
    // moved vertically since.
    int myPressX = 0;
    int myPressY = 0;
    QPersistentModelIndex myPressIndex;
    int myStartValue = 0;
    Stopwatch myPressTime;
    bool myMoved = false;

private Q_SLOTS:
    void kineticStep();
    void hideScrollBar();
    void dragScrollStep();

private:
    ClockTimer myKineticTimer;
    ClockTimer myScrollBarTimer;
    ClockTimer myDragScrollTimer;
    int myKineticAim = 0;
    // The value the last kinetic step left the scroll bar at; a different value
    // means someone else scrolled the list, which ends the flick.
    int myKineticValue = 0;
    int myDragScrollDirection = 0;
    // The single selected row at the previous release.
    QPersistentModelIndex myReleasedIndex;
};

#endif
