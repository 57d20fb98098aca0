#ifndef KRELVOX_SERVICEPROCESS_H
#define KRELVOX_SERVICEPROCESS_H

#include <QCoreApplication>
#include <QDeadlineTimer>
#include <QList>
#include <QProcess>
#include <QString>
#include <QStringList>

// The fake service in a process of its own (krelvox-fakeservice, whose path the
// benchmark gets as KRELVOX_FAKESERVICE_BINARY), for the transfer benchmarks: the
// server's work is not counted in the benchmark's own time and memory. The lines it
// prints after its address are kept, so that a benchmark can wait for the server's
// account of a transfer.
class ServiceProcess
{
public:
    ServiceProcess() = default;
    ~ServiceProcess() { stop(); }
    ServiceProcess(const ServiceProcess&) = delete;
    ServiceProcess& operator=(const ServiceProcess&) = delete;

    // Starts it with the arguments and reads its address; false when it did not come.
    bool start(const QStringList& arguments = {})
    {
        stop();
        myProcess.setProgram(QStringLiteral(KRELVOX_FAKESERVICE_BINARY));
        myProcess.setArguments(arguments);
        myProcess.setProcessChannelMode(QProcess::ForwardedErrorChannel);
        myProcess.start();
        if (!myProcess.waitForStarted())
            return false;
        const QByteArray line = nextLine(10000);
        if (!line.startsWith("KRELVOX_SERVICE_BASE_URL="))
            return false;
        myBaseUrl = QString::fromLatin1(line.mid(line.indexOf('=') + 1));
        return true;
    }

    void stop()
    {
        if (myProcess.state() == QProcess::NotRunning)
            return;
        myProcess.kill();
        myProcess.waitForFinished();
        myBaseUrl.clear();
    }

    QString baseUrl() const { return myBaseUrl; }

    // The next line it prints that starts with the prefix (the lines before it are
    // dropped), waiting while the event loop runs; "" when none came in time.
    QByteArray waitForLine(const QByteArray& prefix, int timeoutMs)
    {
        const QDeadlineTimer deadline(timeoutMs);
        while (!deadline.hasExpired()) {
            const QByteArray line = nextLine(int(qMax<qint64>(1, deadline.remainingTime())));
            if (line.startsWith(prefix))
                return line;
        }
        return QByteArray();
    }

private:
    QByteArray nextLine(int timeoutMs)
    {
        const QDeadlineTimer deadline(timeoutMs);
        while (!myProcess.canReadLine()) {
            if (deadline.hasExpired() || myProcess.state() == QProcess::NotRunning)
                return QByteArray();
            // The benchmark's own transfer goes on while it waits.
            QCoreApplication::processEvents(QEventLoop::AllEvents, 5);
            myProcess.waitForReadyRead(1);
        }
        return myProcess.readLine().trimmed();
    }

    QProcess myProcess;
    QString myBaseUrl;
};

#endif
