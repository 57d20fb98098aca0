// The diagnostic handler: one line per message on standard error with the prefix of
// its kind, and a fatal message ends the program.
#include "core/CoreLogging.h"
#include "core/MessageHandler.h"
#include "tests/support/TestSupport.h"

#include <QTemporaryFile>
#include <QtTest>

#include <csignal>
#include <cstdio>
#include <sys/wait.h>
#include <unistd.h>

class TestMessageHandler : public QObject
{
    Q_OBJECT
    TestEnvironment myEnvironment;

private:
    // Everything the handler writes to standard error while it handles one message.
    static QByteArray captured(QtMsgType type, const QString& text)
    {
        QTemporaryFile file;
        if (!file.open())
            return QByteArray("cannot capture");
        std::fflush(stderr);
        const int saved = dup(STDERR_FILENO);
        dup2(file.handle(), STDERR_FILENO);
        krelvoxMessageHandler(type, QMessageLogContext(), text);
        std::fflush(stderr);
        dup2(saved, STDERR_FILENO);
        close(saved);
        file.seek(0);
        return file.readAll();
    }

private Q_SLOTS:
    void prefixes_data()
    {
        QTest::addColumn<int>("type");
        QTest::addColumn<QByteArray>("line");
        QTest::newRow("debug") << int(QtDebugMsg) << QByteArray("DEBUG   :hello 42\n");
        QTest::newRow("warning") << int(QtWarningMsg) << QByteArray("WARNING : hello 42\n");
        QTest::newRow("critical") << int(QtCriticalMsg) << QByteArray("CRITICAL: hello 42\n");
        QTest::newRow("info") << int(QtInfoMsg) << QByteArray("OTHER   : hello 42\n");
    }

    void prefixes()
    {
        QFETCH(int, type);
        QFETCH(QByteArray, line);
        QCOMPARE(captured(QtMsgType(type), QStringLiteral("hello 42")), line);
    }

    void percentSignsAreNotFormatDirectives()
    {
        QCOMPARE(captured(QtWarningMsg, QStringLiteral("100% %s %n %d")), QByteArray("WARNING : 100% %s %n %d\n"));
    }

    void fatalWritesItsLineAndAborts()
    {
        QTemporaryFile file;
        QVERIFY(file.open());
        std::fflush(stderr);
        const pid_t child = fork();
        QVERIFY(child >= 0);
        if (child == 0) {
            dup2(file.handle(), STDERR_FILENO);
            std::signal(SIGABRT, SIG_DFL);
            krelvoxMessageHandler(QtFatalMsg, QMessageLogContext(), QStringLiteral("the end"));
            _exit(0); // not reached when the handler aborts
        }
        int status = 0;
        QCOMPARE(waitpid(child, &status, 0), child);
        QVERIFY(WIFSIGNALED(status));
        QCOMPARE(WTERMSIG(status), SIGABRT);
        file.seek(0);
        QCOMPARE(file.readAll(), QByteArray("FATAL   : the end\n"));
    }

    // Installed, the handler gets what the logging rules let through: a layer's
    // category can be quiet while the rest still speaks, and lines keep their form.
    void installedHandlerHonoursTheRules_data()
    {
        QTest::addColumn<QString>("rules");
        QTest::addColumn<QByteArray>("output");
        const QByteArray plain("WARNING : through Qt 7\n");
        const QByteArray layer("DEBUG   :core 7\n");
        QTest::newRow("no rules") << QString() << plain + layer;
        QTest::newRow("the layer quiet") << QStringLiteral("krelvox.core.debug=false") << plain;
        QTest::newRow("another layer quiet") << QStringLiteral("krelvox.service.debug=false") << plain + layer;
        QTest::newRow("only the layer") << QStringLiteral("*=false\nkrelvox.core.debug=true") << layer;
    }

    void installedHandlerHonoursTheRules()
    {
        QFETCH(QString, rules);
        QFETCH(QByteArray, output);
        QTemporaryFile file;
        QVERIFY(file.open());
        std::fflush(stderr);
        const int saved = dup(STDERR_FILENO);
        dup2(file.handle(), STDERR_FILENO);
        // The test framework has a handler of its own; it comes back afterwards.
        const QtMessageHandler framework = qInstallMessageHandler(nullptr);
        installKrelvoxMessageHandler();
        QLoggingCategory::setFilterRules(rules);
        qWarning("through Qt %d", 7);
        qCDebug(lcCore, "core %d", 7);
        QLoggingCategory::setFilterRules(QString());
        const QtMessageHandler ours = qInstallMessageHandler(framework);
        std::fflush(stderr);
        dup2(saved, STDERR_FILENO);
        close(saved);
        QVERIFY(ours == &krelvoxMessageHandler);
        file.seek(0);
        QCOMPARE(file.readAll(), output);
    }
};

QTEST_MAIN(TestMessageHandler)
#include "tst_messagehandler.moc"
