#include "core/Clock.h"

#include <QElapsedTimer>

namespace {

// The machine's monotonic clock.
class SystemClock : public Clock
{
public:
    SystemClock() { myStart.start(); }
    qint64 now() const override { return myStart.elapsed(); }

private:
    QElapsedTimer myStart;
};

Clock* installedClock = nullptr;

} // namespace

Clock::~Clock()
{
    uninstall();
}

Clock& Clock::current()
{
    if (installedClock)
        return *installedClock;
    static SystemClock systemClock;
    return systemClock;
}

void Clock::install()
{
    installedClock = this;
}

void Clock::uninstall()
{
    // Timers left running would wait for a clock that no longer moves.
    const QList<ClockTimer*> running = myTimers;
    for (ClockTimer* timer : running)
        timer->stop();
    if (installedClock == this)
        installedClock = nullptr;
}

qint64 Clock::dueAt(const ClockTimer* timer)
{
    return timer->myDueAt;
}

void Clock::fire(ClockTimer* timer)
{
    if (timer->isSingleShot())
        timer->stop();
    else
        timer->myDueAt += qMax(1, timer->interval());
    Q_EMIT timer->timeout();
}

ClockTimer::ClockTimer(QObject* parent) : QObject(parent)
{
    connect(&myTimer, &QTimer::timeout, this, &ClockTimer::timeout);
}

ClockTimer::~ClockTimer()
{
    stop();
}

void ClockTimer::setInterval(int ms)
{
    myTimer.setInterval(ms);
}

bool ClockTimer::isActive() const
{
    return myDriver || myTimer.isActive();
}

void ClockTimer::start()
{
    stop();
    Clock& clock = Clock::current();
    if (!clock.drivesTimers()) {
        myTimer.start();
        return;
    }
    myDriver = &clock;
    myDueAt = clock.now() + interval();
    clock.myTimers.append(this);
}

void ClockTimer::stop()
{
    myTimer.stop();
    if (myDriver) {
        myDriver->myTimers.removeOne(this);
        myDriver = nullptr;
    }
}

void Stopwatch::restart()
{
    myClock = &Clock::current();
    myStart = myClock->now();
}

bool Stopwatch::isValid() const
{
    // Compared, never followed: a clock uninstalled since may be gone.
    return myClock && myClock == &Clock::current();
}

qint64 Stopwatch::elapsed() const
{
    return isValid() ? Clock::current().now() - myStart : 0;
}
