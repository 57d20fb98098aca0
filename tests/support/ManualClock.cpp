#include "tests/support/ManualClock.h"

void ManualClock::advance(qint64 ms)
{
    const qint64 until = myNow + ms;
    for (;;) {
        ClockTimer* next = nullptr;
        for (ClockTimer* timer : activeTimers())
            if (dueAt(timer) <= until && (!next || dueAt(timer) < dueAt(next)))
                next = timer;
        if (!next)
            break;
        myNow = qMax(myNow, dueAt(next));
        fire(next);
    }
    myNow = until;
}
