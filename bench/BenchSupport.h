#ifndef KRELVOX_BENCHSUPPORT_H
#define KRELVOX_BENCHSUPPORT_H

#include <QByteArray>
#include <QElapsedTimer>
#include <QFile>
#include <QList>
#include <QProcess>
#include <QString>
#include <QStringList>

#include <algorithm>
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

// Milliseconds the work took, wall clock.
inline double msOf(const std::function<void()>& work)
{
    QElapsedTimer timer;
    timer.start();
    work();
    return double(timer.nsecsElapsed()) / 1e6;
}

#endif
