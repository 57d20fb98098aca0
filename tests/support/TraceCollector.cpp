#include "tests/support/TraceCollector.h"

#include <QMutex>

namespace {

QMutex collectorMutex;
TraceCollector* activeCollector = nullptr;

} // namespace

TraceCollector::TraceCollector()
{
    QMutexLocker lock(&collectorMutex);
    activeCollector = this;
    myPrevious = qInstallMessageHandler(&TraceCollector::handler);
}

TraceCollector::~TraceCollector()
{
    QMutexLocker lock(&collectorMutex);
    qInstallMessageHandler(myPrevious);
    activeCollector = nullptr;
}

QStringList TraceCollector::lines() const
{
    QMutexLocker lock(&collectorMutex);
    QStringList texts;
    for (const auto& line : myLines)
        texts << line.second;
    return texts;
}

QStringList TraceCollector::lines(QtMsgType type) const
{
    QMutexLocker lock(&collectorMutex);
    QStringList texts;
    for (const auto& line : myLines)
        if (line.first == type)
            texts << line.second;
    return texts;
}

void TraceCollector::handler(QtMsgType type, const QMessageLogContext&, const QString& message)
{
    QMutexLocker lock(&collectorMutex);
    if (activeCollector)
        activeCollector->myLines.append({type, message});
}
