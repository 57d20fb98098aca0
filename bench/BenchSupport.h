#ifndef KRELVOX_BENCHSUPPORT_H
#define KRELVOX_BENCHSUPPORT_H

#include <QAbstractItemView>
#include <QByteArray>
#include <QDebug>
#include <QElapsedTimer>
#include <QFile>
#include <QList>
#include <QMap>
#include <QProcess>
#include <QProcessEnvironment>
#include <QScrollBar>
#include <QString>
#include <QStringList>

#include <algorithm>
#include <cerrno>
#include <csignal>
#include <cstdio>
#include <fcntl.h>
#include <functional>
#include <poll.h>
#include <spawn.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

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

// Lets this process's peak resident memory (VmHWM) start again from what it holds
// now, so that the peak read after a transfer is that transfer's; false when the
// kernel does not allow it.
inline bool resetPeakMemory()
{
    QFile clear(QStringLiteral("/proc/self/clear_refs"));
    return clear.open(QIODevice::WriteOnly) && clear.write("5") == 1;
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

// Milliseconds the work took, wall clock.
inline double msOf(const std::function<void()>& work)
{
    QElapsedTimer timer;
    timer.start();
    work();
    return double(timer.nsecsElapsed()) / 1e6;
}

// Measurements taken in pairs, ours against the baseline doing the same work in the
// same run: the spread of each side and of the per-pair ratio.
struct PairedFigures
{
    QList<double> ours;
    QList<double> baseline;

    void add(double oursValue, double baselineValue)
    {
        ours.append(oursValue);
        baseline.append(baselineValue);
    }
    QList<double> ratios() const
    {
        QList<double> result;
        for (int i = 0; i < ours.size(); ++i)
            result.append(baseline.at(i) > 0 ? ours.at(i) / baseline.at(i) : 0.0);
        return result;
    }
    Spread oursSpread() const { return spreadOf(ours); }
    Spread baselineSpread() const { return spreadOf(baseline); }
    Spread ratioSpread() const { return spreadOf(ratios()); }

    // "<name>: ours min/median/max <unit>, baseline ..., ratio min/median/max (n pairs)"
    void print(const char* name, const char* unit) const
    {
        const Spread o = oursSpread();
        const Spread b = baselineSpread();
        const Spread r = ratioSpread();
        std::printf("%-34s ours %10.3f / %10.3f / %10.3f %s   baseline %10.3f / %10.3f / %10.3f %s"
                    "   ratio %5.2f / %5.2f / %5.2f  (min / median / max, %lld pairs)\n",
                    name, o.min, o.median, o.max, unit, b.min, b.median, b.max, unit, r.min, r.median, r.max,
                    qint64(ours.size()));
        std::fflush(stdout);
    }
};

// Times the work and its baseline in pairs, alternating which goes first.
inline PairedFigures timeInPairs(int pairs, const std::function<void()>& ours, const std::function<void()>& baseline)
{
    PairedFigures figures;
    for (int pair = 0; pair < pairs; ++pair) {
        if (pair % 2 == 0) {
            const double oursMs = msOf(ours);
            figures.add(oursMs, msOf(baseline));
        } else {
            const double baselineMs = msOf(baseline);
            figures.add(msOf(ours), baselineMs);
        }
    }
    return figures;
}

// Prints a figure timed in pairs with its baseline: min / median / max of both, of
// their ratio, and whether the median met the goal (none when goalMs is 0).
inline void printRatioFigure(const char* what, const QList<double>& ours, const QList<double>& base, double goalMs)
{
    PairedFigures figures;
    for (int i = 0; i < ours.count(); ++i)
        figures.add(ours.at(i), base.at(i));
    figures.print(what, "ms");
    if (goalMs > 0)
        std::printf("goal %.1f ms (median): %s\n", goalMs, figures.oursSpread().median < goalMs ? "met" : "MISSED");
    std::fflush(stdout);
}

// From here on debug messages are dropped and the others go to standard error alone.
inline void dropDebugMessages()
{
    qInstallMessageHandler([](QtMsgType type, const QMessageLogContext&, const QString& text) {
        if (type != QtDebugMsg)
            fprintf(stderr, "%s\n", qPrintable(text));
    });
}

// The medians of figures measured at several sizes (favourites, megabytes, entries),
// printed as their growth from the smallest size to the largest beside the growth of
// the size itself: a cost that grows with the size shows as a growth near the size's.
class GrowthTable
{
public:
    explicit GrowthTable(const char* sizeUnit) : myUnit(sizeUnit) {}

    void add(const QString& figure, double size, double median)
    {
        if (!myMedians.contains(figure))
            myOrder.append(figure);
        myMedians[figure][size] = median;
    }

    void print() const
    {
        for (const QString& figure : myOrder) {
            const QMap<double, double>& bySize = myMedians.value(figure);
            if (bySize.size() < 2)
                continue;
            const double small = bySize.first();
            const double large = bySize.last();
            std::printf("growth of %-34s %10.3f -> %10.3f  x%6.2f   (%g -> %g %s, x%.0f)\n", qPrintable(figure),
                        small, large, large / qMax(small, 1e-9), bySize.firstKey(), bySize.lastKey(), myUnit,
                        bySize.lastKey() / qMax(bySize.firstKey(), 1e-9));
        }
        std::fflush(stdout);
    }

private:
    const char* myUnit;
    QList<QString> myOrder;
    QMap<QString, QMap<double, double>> myMedians;
};

// One run of a program until it prints a line holding a marker, then to its end.
struct ProgramRun
{
    qint64 msToLine = -1; // wall milliseconds from the start to the marker's line
    qint64 usToLine = -1; // the same in microseconds
    qint64 usToExit = -1; // wall microseconds from the start to the process's end
    qint64 peakKb = -1;   // the process's peak resident memory (its maxrss)
    int exitCode = -1;    // -1 when it did not end normally
    QString line;         // the marker's line

    bool ok() const { return msToLine >= 0 && exitCode == 0; }
};

// Starts the program (with standard error to /dev/null), times it to the first line
// of its standard output that holds the marker and waits for it to end, reading its
// peak memory from the kernel's account of the child. A program that has not shown
// the marker within timeoutMs is killed.
inline ProgramRun runProgram(const QString& program, const QStringList& arguments,
                             const QProcessEnvironment& environment, const QByteArray& marker,
                             int timeoutMs = 30000)
{
    ProgramRun run;
    int out[2];
    if (::pipe(out) != 0)
        return run;
    QList<QByteArray> argumentBytes{program.toLocal8Bit()};
    for (const QString& argument : arguments)
        argumentBytes.append(argument.toLocal8Bit());
    QList<char*> argv;
    for (QByteArray& argument : argumentBytes)
        argv.append(argument.data());
    argv.append(nullptr);
    QList<QByteArray> environmentBytes;
    for (const QString& entry : environment.toStringList())
        environmentBytes.append(entry.toLocal8Bit());
    QList<char*> envp;
    for (QByteArray& entry : environmentBytes)
        envp.append(entry.data());
    envp.append(nullptr);

    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_adddup2(&actions, out[1], STDOUT_FILENO);
    posix_spawn_file_actions_addclose(&actions, out[0]);
    posix_spawn_file_actions_addclose(&actions, out[1]);
    posix_spawn_file_actions_addopen(&actions, STDERR_FILENO, "/dev/null", O_WRONLY, 0);

    QElapsedTimer wall;
    wall.start();
    pid_t pid = -1;
    const int spawned = posix_spawn(&pid, argv.first(), &actions, nullptr, argv.data(), envp.data());
    posix_spawn_file_actions_destroy(&actions);
    ::close(out[1]);
    if (spawned != 0) {
        ::close(out[0]);
        return run;
    }

    QByteArray output;
    for (;;) {
        const qsizetype at = output.indexOf(marker);
        const qsizetype end = at >= 0 ? output.indexOf('\n', at) : -1;
        if (end >= 0) {
            run.usToLine = wall.nsecsElapsed() / 1000;
            run.msToLine = run.usToLine / 1000;
            const qsizetype start = output.lastIndexOf('\n', at) + 1;
            run.line = QString::fromLocal8Bit(output.mid(start, end - start));
            break;
        }
        const qint64 left = timeoutMs - wall.elapsed();
        pollfd wait{out[0], POLLIN, 0};
        if (left <= 0 || ::poll(&wait, 1, int(left)) <= 0)
            break;
        char buffer[4096];
        const ssize_t n = ::read(out[0], buffer, sizeof buffer);
        if (n <= 0)
            break;
        output.append(buffer, n);
    }
    if (run.msToLine < 0)
        ::kill(pid, SIGKILL);
    // Drain what else it writes, so that it never blocks on a full pipe.
    char buffer[4096];
    while (::read(out[0], buffer, sizeof buffer) > 0) {
    }
    ::close(out[0]);

    int status = 0;
    rusage usage{};
    while (::wait4(pid, &status, 0, &usage) < 0 && errno == EINTR) {
    }
    run.usToExit = wall.nsecsElapsed() / 1000;
    run.peakKb = usage.ru_maxrss;
    if (WIFEXITED(status))
        run.exitCode = WEXITSTATUS(status);
    return run;
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
