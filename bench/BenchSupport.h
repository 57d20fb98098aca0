#ifndef KRELVOX_BENCHSUPPORT_H
#define KRELVOX_BENCHSUPPORT_H

#include <QByteArray>
#include <QFile>
#include <QList>

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

#endif
