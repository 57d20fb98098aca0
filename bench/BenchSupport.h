#ifndef KRELVOX_BENCHSUPPORT_H
#define KRELVOX_BENCHSUPPORT_H

#include <QByteArray>
#include <QDebug>
#include <QElapsedTimer>
#include <QFile>
#include <QList>
#include <QAbstractItemView>
#include <QProcess>
#include <QScrollBar>
#include <QString>
#include <QStringList>

#include <algorithm>
#include <cstdio>
#include <functional>

// A kB figure of this process from /proc/self/status ("VmRSS:", "VmHWM:"), -1 when
// it cannot be read. The memory benchmarks compare it before and after a transfer.
inline qint64 processStatusKb(const char* key)
{
    QFile status(QStringLiteral("/proc/self/status"));
    if (!status.open(QIODevice::ReadOnly))
        return -1;
    const QList<QByteArray> lines = status.readAll().split('\n');
    for (const QByteArray& line : lines)
        if (line.startsWith(key))
            return line.mid(qstrlen(key)).trimmed().split(' ').value(0).toLongLong();
    return -1;
}

// Starts the process (set up by the caller) and waits for the program's line
// "home view painted ..." (KRELVOX_QUIT_AFTER_HOME_PAINT): the wall milliseconds from
// the start to that line, -1 when it did not come; the line goes to *line. The
// process is left to end by itself.
inline qint64 msToHomeView(QProcess& process, const QString& program, const QStringList& arguments,
                           QString* line = nullptr)
{
    QElapsedTimer wall;
    wall.start();
    process.start(program, arguments);
    QString output;
    while (!output.contains(QStringLiteral("home view painted")) || !output.endsWith(QLatin1Char('\n'))) {
        if (!process.waitForReadyRead(30000))
            return -1;
        output += QString::fromLocal8Bit(process.readAllStandardOutput());
    }
    const qint64 elapsed = wall.elapsed();
    if (line)
        *line = output.mid(output.indexOf(QStringLiteral("home view painted"))).section(QLatin1Char('\n'), 0, 0);
    return elapsed;
}

// The smallest, middle and largest of a set of timings.
struct Spread
{
    double min = 0;
    double median = 0;
    double max = 0;
};

inline Spread spreadOf(QList<double> values)
{
    std::sort(values.begin(), values.end());
    return {values.first(), values.at(values.size() / 2), values.last()};
}

// Prints a figure timed in pairs with its baseline: min / median / max of both, of
// their ratio, and whether the median met the goal.
inline void printRatioFigure(const char* what, const QList<double>& ours, const QList<double>& base, double goalMs)
{
    QList<double> ratios;
    for (int i = 0; i < ours.count(); ++i)
        ratios << ours.at(i) / base.at(i);
    const Spread o = spreadOf(ours);
    const Spread b = spreadOf(base);
    const Spread r = spreadOf(ratios);
    qInfo("%s: %.3f / %.3f / %.3f ms (min / median / max), baseline %.3f / %.3f / %.3f ms,"
          " ratio %.2f / %.2f / %.2f; goal %.1f ms: %s",
          what, o.min, o.median, o.max, b.min, b.median, b.max, r.min, r.median, r.max, goalMs,
          o.median < goalMs ? "met" : "MISSED");
}

// From here on debug messages are dropped and the others go to standard error alone.
inline void dropDebugMessages()
{
    qInstallMessageHandler([](QtMsgType type, const QMessageLogContext&, const QString& text) {
        if (type != QtDebugMsg)
            fprintf(stderr, "%s\n", qPrintable(text));
    });
}

// Milliseconds the work took, wall clock.
inline double msOf(const std::function<void()>& work)
{
    QElapsedTimer timer;
    timer.start();
    work();
    return double(timer.nsecsElapsed()) / 1e6;
}

// A kinetic list (a SweepListBase) that a benchmark flicks one step at a time.
template <typename List>
class FlickedList : public List
{
public:
    using List::List;
    void flickTo(int aim) { this->startKineticScroll(aim); }
    void step() { QMetaObject::invokeMethod(this, "kineticStep", Qt::DirectConnection); }
};

// Times steps of flicks over the list, to its end and back, each step one tick of the
// flick's timer with the repaint it causes; paired with the baseline, the plain view
// scrolled by the same distance (round again at its ends) and repainted. Returns the
// pixels the list travelled.
template <typename List>
int timeFlickSteps(FlickedList<List>* list, QAbstractItemView* plain, int steps, QList<double>& oursMs,
                   QList<double>& baseMs)
{
    QScrollBar* bar = list->verticalScrollBar();
    QScrollBar* plainBar = plain->verticalScrollBar();
    int aim = bar->maximum();
    int moved = 0;
    const auto ours = [&] {
        if (!list->isKineticScrolling()) {
            list->flickTo(aim);
            aim = aim == 0 ? bar->maximum() : 0;
        }
        const int before = bar->value();
        list->step();
        list->viewport()->repaint();
        moved = bar->value() - before;
    };
    const auto base = [&] {
        int value = plainBar->value() + moved;
        if (value > plainBar->maximum() || value < 0)
            value = value < 0 ? plainBar->maximum() : 0;
        plainBar->setValue(value);
        plain->viewport()->repaint();
    };
    int travelled = 0;
    for (int i = 0; i < steps; ++i) {
        const int before = bar->value();
        oursMs << msOf(ours);
        baseMs << msOf(base);
        travelled += qAbs(bar->value() - before);
    }
    return travelled;
}

#endif
