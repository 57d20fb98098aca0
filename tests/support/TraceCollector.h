#ifndef KRELVOX_TRACECOLLECTOR_H
#define KRELVOX_TRACECOLLECTOR_H

#include <QStringList>
#include <QtGlobal>

// Collects every diagnostic line (of any thread) while it lives, in place of the
// usual output: the test framework's own handler does not see them meanwhile, so
// QTest::ignoreMessage cannot be used together with it.
class TraceCollector
{
public:
    TraceCollector();
    ~TraceCollector();
    TraceCollector(const TraceCollector&) = delete;
    TraceCollector& operator=(const TraceCollector&) = delete;

    QStringList lines() const;
    QStringList lines(QtMsgType type) const;   // of one kind only

private:
    static void handler(QtMsgType type, const QMessageLogContext& context, const QString& message);

    QList<QPair<QtMsgType, QString>> myLines;
    QtMessageHandler myPrevious = nullptr;
};

#endif
