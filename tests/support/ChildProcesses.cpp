#include "tests/support/ChildProcesses.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>

namespace {

struct ProcessStat
{
    QString name;
    char state = '?';
    qint64 parent = 0;
};

// /proc/<pid>/stat: "pid (name) state ppid ..."; the name may hold spaces and brackets.
bool readStat(qint64 pid, ProcessStat& stat)
{
    QFile file(QStringLiteral("/proc/%1/stat").arg(pid));
    if (!file.open(QIODevice::ReadOnly))
        return false;
    const QByteArray text = file.readAll();
    const int open = text.indexOf('(');
    const int close = text.lastIndexOf(')');
    if (open < 0 || close < open)
        return false;
    stat.name = QString::fromLocal8Bit(text.mid(open + 1, close - open - 1));
    const QList<QByteArray> rest = text.mid(close + 2).split(' ');
    if (rest.size() < 2)
        return false;
    stat.state = rest.at(0).isEmpty() ? '?' : rest.at(0).at(0);
    stat.parent = rest.at(1).toLongLong();
    return true;
}

} // namespace

QList<qint64> ChildProcesses::of(const QString& name)
{
    QList<qint64> found;
    const qint64 self = QCoreApplication::applicationPid();
    const QStringList entries = QDir(QStringLiteral("/proc")).entryList(QDir::Dirs | QDir::NoDotAndDotDot);
    for (const QString& entry : entries) {
        bool ok = false;
        const qint64 pid = entry.toLongLong(&ok);
        ProcessStat stat;
        if (ok && readStat(pid, stat) && stat.parent == self && stat.name == name && stat.state != 'Z')
            found.append(pid);
    }
    return found;
}

bool ChildProcesses::isAlive(qint64 pid)
{
    ProcessStat stat;
    return pid > 0 && readStat(pid, stat) && stat.state != 'Z' && stat.state != 'X';
}
