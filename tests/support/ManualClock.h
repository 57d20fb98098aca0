#ifndef KRELVOX_MANUALCLOCK_H
#define KRELVOX_MANUALCLOCK_H

#include "core/Clock.h"

// A clock that moves only when the test says so: while it lives, long presses,
// flicks, sweeps and the busy indicator run on it, and their timers fire only inside
// advance(), each at its due time, however slow the machine is.
class ManualClock : public Clock
{
public:
    ManualClock() { install(); }
    ~ManualClock() override { uninstall(); }

    qint64 now() const override { return myNow; }

    // Moves the clock on by ms, firing on the way every timer that falls due, in the
    // order they fall due (a repeating one as often as it falls due).
    void advance(qint64 ms);
    // True while a timer runs on this clock.
    bool hasTimers() const { return !activeTimers().isEmpty(); }

protected:
    bool drivesTimers() const override { return true; }

private:
    // Far from zero, so that a time taken before the clock was installed shows.
    qint64 myNow = 1000000;
};

#endif
