#include "bench/BenchCollection.h"
#include "bench/BenchSupport.h"
#include "tests/support/TestSupport.h"

#include <QProcess>
#include <QTest>

#include <csignal>
#include <unistd.h>

// From the start command to the home view on a set-up machine with nothing to build:
// "bash tools/setup.sh run" without a display checks the packages and the build,
// starts the demo service, a session bus, the virtual screen and the program, which
// quits right after the home view's first paint (KRELVOX_QUIT_AFTER_HOME_PAINT).
// Baseline in the same run: the program alone started offscreen against the same
// kind of answer-less start, measured the same way, in pairs with the command. Both
// with a database of 10,000 and of 100,000 favourites; printed: min / median / max
// of both and of their ratio, and how the medians grow from one size to the other.
// Target: under 3 seconds.
class BenchStartCommand : public QObject
{
    Q_OBJECT
private:
    static QProcessEnvironment environment(const TestEnvironment& env)
    {
        QProcessEnvironment e = env.headlessEnvironment();
        e.insert(QStringLiteral("KRELVOX_QUIT_AFTER_HOME_PAINT"), QStringLiteral("1"));
        e.insert(QStringLiteral("KRELVOX_BUILD_DIR"), QStringLiteral(KRELVOX_BUILD_DIR));
        // The queued favourites of the collection bring the start-up's question about
        // the download; nobody is there to answer it.
        e.insert(QStringLiteral("KRELVOX_NONINTERACTIVE"), QStringLiteral("1"));
        return e;
    }

    // The start command: wall milliseconds to the home view, -1 when it failed.
    static qint64 command(const TestEnvironment& env)
    {
        QProcess process;
        process.setProcessEnvironment(environment(env));
        process.setStandardErrorFile(QProcess::nullDevice());
        process.setChildProcessModifier([] { ::setsid(); });
        QString line;
        const qint64 ms = msToHomeView(process, QStringLiteral("bash"),
                                       {QStringLiteral(KRELVOX_SOURCE_DIR "/tools/setup.sh"), QStringLiteral("run")}, &line);
        const bool ended = process.waitForFinished(20000) && process.exitCode() == 0;
        if (process.state() != QProcess::NotRunning) {
            // The command leads a session of its own: what it started goes with it.
            ::kill(-pid_t(process.processId()), SIGTERM);
            process.waitForFinished(5000);
        }
        return ended && line.endsWith(QLatin1String("window 800x480")) ? ms : -1;
    }

    // The program alone, offscreen.
    static qint64 program(const TestEnvironment& env)
    {
        QProcessEnvironment e = environment(env);
        e.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("offscreen"));
        e.insert(QStringLiteral("KRELVOX_SERVICE_BASE_URL"), QStringLiteral("http://127.0.0.1:9"));
        QProcess process;
        process.setProcessEnvironment(e);
        process.setStandardErrorFile(QProcess::nullDevice());
        const qint64 ms = msToHomeView(process, QStringLiteral(KRELVOX_BUILD_DIR "/app/krelvox"), {});
        const bool ended = process.waitForFinished(20000) && process.exitCode() == 0;
        if (process.state() != QProcess::NotRunning) {
            process.kill();
            process.waitForFinished();
        }
        return ended ? ms : -1;
    }

    GrowthTable myGrowth{"favourites"};

private Q_SLOTS:
    void cleanupTestCase() { myGrowth.print(); }

    void commandToHomeView_data() { addCollectionSizes(); }

    void commandToHomeView()
    {
        QFETCH(int, favorites);
        QFETCH(int, playLists);
        TestEnvironment env;
        // The first start builds what is missing and makes the database: not counted.
        QVERIFY(command(env) >= 0);
        QVERIFY(program(env) >= 0);
        QCOMPARE(fillCollection(env.applicationFolder() + QStringLiteral("krelvox_db.dat"), favorites, playLists).size(),
                 playLists);

        constexpr int RUNS = 10;
        PairedFigures start;
        for (int i = 0; i < RUNS; ++i) {
            const qint64 viaCommand = command(env);
            const qint64 alone = program(env);
            QVERIFY(viaCommand >= 0 && alone >= 0);
            start.add(double(viaCommand), double(alone));
        }
        start.print(qPrintable(QStringLiteral("start command, %1").arg(QTest::currentDataTag())), "ms");
        myGrowth.add(QStringLiteral("start command to home view, ms"), favorites, start.oursSpread().median);
        myGrowth.add(QStringLiteral("program alone to home view, ms"), favorites, start.baselineSpread().median);
        QVERIFY2(start.oursSpread().median < 3000, qPrintable(QString::number(start.oursSpread().median)));
    }
};

QTEST_MAIN(BenchStartCommand)
#include "bench_startcommand.moc"
