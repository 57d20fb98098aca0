#ifndef KRELVOX_CLOCK_H
#define KRELVOX_CLOCK_H

#include <QList>
#include <QObject>
#include <QTimer>

class ClockTimer;

// The time of the touch gestures and animations (long presses, flicks, the busy
// indicator): a monotonic count of milliseconds, and timers that run on it. The
// machine's clock is the one in use unless another clock has been installed; a clock
// that drives its timers itself runs them only when it is moved on, so the gestures
// can be stepped through exactly, whatever the load of the machine.
class Clock
{
public:
    Clock() = default;
    virtual ~Clock();
    Clock(const Clock&) = delete;
    Clock& operator=(const Clock&) = delete;

    // Milliseconds since an arbitrary start, never going back.
    virtual qint64 now() const = 0;

    // The clock in use: the installed one, else the machine's.
    static Clock& current();

protected:
    // Makes this clock the one in use, until uninstall(); not owned. Uninstalling
    // stops every timer this clock drives.
    void install();
    void uninstall();

    // True for a clock that runs its timers itself (fire); the machine's clock leaves
    // them to Qt's timers.
    virtual bool drivesTimers() const { return false; }

    // The running timers this clock drives, and when each is due on its count.
    const QList<ClockTimer*>& activeTimers() const { return myTimers; }
    static qint64 dueAt(const ClockTimer* timer);
    // Runs a due timer: a single-shot timer stops, a repeating one is due again one
    // interval later; then it emits timeout().
    static void fire(ClockTimer* timer);

private:
    friend class ClockTimer;
    QList<ClockTimer*> myTimers;
};

// A timer on the clock in use when it is started, with the parts of QTimer's
// interface that the widgets use.
class ClockTimer : public QObject
{
    Q_OBJECT
public:
    explicit ClockTimer(QObject* parent = nullptr);
    ~ClockTimer() override;

    void setInterval(int ms);
    int interval() const { return myTimer.interval(); }
    void setSingleShot(bool singleShot) { myTimer.setSingleShot(singleShot); }
    bool isSingleShot() const { return myTimer.isSingleShot(); }
    void setTimerType(Qt::TimerType type) { myTimer.setTimerType(type); }
    bool isActive() const;

    // (Re)starts the timer: due one interval from now.
    void start();
    void stop();

Q_SIGNALS:
    void timeout();

private:
    friend class Clock;

    QTimer myTimer;
    // The clock that drives this timer while it runs, or null (Qt's timer runs it).
    Clock* myDriver = nullptr;
    qint64 myDueAt = 0;
};

// Time since a moment, on the clock in use: QElapsedTimer's part that the gestures
// use. Invalid until restarted, and when the clock in use has changed since.
class Stopwatch
{
public:
    void restart();
    bool isValid() const;
    qint64 elapsed() const;

private:
    const Clock* myClock = nullptr;
    qint64 myStart = 0;
};

#endif
