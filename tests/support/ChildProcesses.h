#ifndef KRELVOX_CHILDPROCESSES_H
#define KRELVOX_CHILDPROCESSES_H

#include <QList>
#include <QString>

// Processes on the machine by name, read from /proc: the tests check that no player
// child outlives its view, the program or a crash.
namespace ChildProcesses {

// Live (not zombie) processes with this command name whose parent is this process.
QList<qint64> of(const QString& name);
// Whether the process exists and is not a zombie.
bool isAlive(qint64 pid);

} // namespace ChildProcesses

#endif
