#include "bench/BenchCollection.h"
#include "bench/BenchSupport.h"
#include "tests/support/TestSupport.h"

#include <QDir>
#include <QFileInfo>
#include <QRegularExpression>
#include <QTest>

// From process start to the home view painted, against the bare Qt program of
// bench/bare_window.cpp (one 800 x 480 widget, quits after its first paint) in the
// same run. The program is started offscreen with KRELVOX_QUIT_AFTER_HOME_PAINT,
// which makes it quit through its normal exit path right after the home view's first
// paint. The two are started in pairs, alternating which goes first; each pair gives
// a ratio of the wall time to the painted line, of the time the program counts from
// entering main, and of the peak resident memory (the kernel's maxrss of the child).
// The bare program is also started drawing one line of text ("-text"): what loading
// a font costs any program with text, printed beside the goal's baseline.
// Printed: min / median / max of each side and of the ratios, with an existing
// database of 10,000 and of 100,000 favourites (and how the medians grow from one to
// the other) and with a new one (-create-db, no database yet). Every run is checked:
// it ended with 0 after painting an 800 x 480 window, and the database is there.
// Goal: wall time and peak memory at most twice the bare program's (medians).
class BenchStartup : public QObject
{
    Q_OBJECT
private:
    static constexpr int PAIRS = 11;
    static constexpr double GOAL_RATIO = 2.0;

    static QString buildFolder() { return QCoreApplication::applicationDirPath() + QStringLiteral("/.."); }
    static QString program() { return buildFolder() + QStringLiteral("/app/krelvox"); }
    static QString bareProgram() { return QCoreApplication::applicationDirPath() + QStringLiteral("/krelvox-bare-window"); }

    static QProcessEnvironment environment(const TestEnvironment& env)
    {
        QProcessEnvironment e = QProcessEnvironment::systemEnvironment();
        e.insert(QStringLiteral("HOME"), env.home());
        e.insert(QStringLiteral("XDG_CONFIG_HOME"), env.home() + QStringLiteral("/.config"));
        e.insert(QStringLiteral("KRELVOX_STORAGE_ROOT"), env.storageRoot());
        e.insert(QStringLiteral("KRELVOX_NONINTERACTIVE"), QStringLiteral("1"));
        e.insert(QStringLiteral("KRELVOX_QUIT_AFTER_HOME_PAINT"), QStringLiteral("1"));
        e.insert(QStringLiteral("KRELVOX_SERVICE_BASE_URL"), QStringLiteral("http://127.0.0.1:9"));
        e.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("offscreen"));
        return e;
    }

    static QString databaseFile(const TestEnvironment& env)
    {
        return env.applicationFolder() + QStringLiteral("krelvox_db.dat");
    }

    // One start; empty when the run is not what it should be.
    static ProgramRun start(const QString& binary, const QStringList& arguments, const TestEnvironment& env)
    {
        ProgramRun run = runProgram(binary, arguments, environment(env), QByteArrayLiteral("home view painted"));
        if (!run.ok() || !run.line.endsWith(QLatin1String("window 800x480"))) {
            qWarning("%s did not paint an 800x480 window and end with 0: \"%s\", exit %d", qPrintable(binary),
                     qPrintable(run.line), run.exitCode);
            return {};
        }
        return run;
    }

    static double ownMs(const ProgramRun& run)
    {
        const QRegularExpressionMatch own = QRegularExpression(QStringLiteral("painted (\\d+) ms")).match(run.line);
        return own.hasMatch() ? own.captured(1).toDouble() : -1.0;
    }

    // PAIRS pairs of the program against the bare one (and the bare one with text);
    // newDatabase removes the database (and the settings) before each start of the
    // program.
    bool measure(const char* name, const TestEnvironment& env, bool newDatabase, bool* goalMet)
    {
        PairedFigures wall;
        PairedFigures wallText;
        PairedFigures own;
        PairedFigures peak;
        for (int pair = 0; pair < PAIRS; ++pair) {
            ProgramRun ours;
            ProgramRun bare;
            ProgramRun text;
            for (int turn = 0; turn < 3; ++turn) {
                switch ((turn + pair) % 3) {
                case 0:
                    bare = start(bareProgram(), {}, env);
                    break;
                case 1:
                    text = start(bareProgram(), {QStringLiteral("-text")}, env);
                    break;
                default: {
                    QStringList arguments{QStringLiteral("-no-fullscreen")};
                    if (newDatabase) {
                        QDir(env.applicationFolder()).removeRecursively();
                        QDir(env.home() + QStringLiteral("/.config")).removeRecursively();
                        arguments << QStringLiteral("-create-db");
                    }
                    ours = start(program(), arguments, env);
                }
                }
            }
            if (!ours.ok() || !bare.ok() || !text.ok() || !QFileInfo(databaseFile(env)).size())
                return false;
            wall.add(double(ours.msToLine), double(bare.msToLine));
            wallText.add(double(ours.msToLine), double(text.msToLine));
            own.add(ownMs(ours), ownMs(bare));
            peak.add(double(ours.peakKb), double(bare.peakKb));
        }
        std::printf("-- %s\n", name);
        wall.print("wall time to the first paint", "ms");
        own.print("from main to the first paint", "ms");
        peak.print("peak resident memory", "kB");
        wallText.print("wall time, bare program with text", "ms");
        if (!newDatabase) {
            myGrowth.add(QStringLiteral("wall time, ms"), mySize, wall.oursSpread().median);
            myGrowth.add(QStringLiteral("from main, ms"), mySize, own.oursSpread().median);
            myGrowth.add(QStringLiteral("peak resident memory, kB"), mySize, peak.oursSpread().median);
        }
        *goalMet = wall.ratioSpread().median <= GOAL_RATIO && peak.ratioSpread().median <= GOAL_RATIO;
        std::printf("goal (at most %.1fx the bare program, medians): %s\n", GOAL_RATIO, *goalMet ? "met" : "NOT met");
        std::fflush(stdout);
        return true;
    }

    GrowthTable myGrowth{"favourites"};
    int mySize = 0; // favourites of the database measured

private Q_SLOTS:
    void initTestCase()
    {
        QVERIFY2(QFileInfo(program()).isExecutable(), qPrintable(program()));
        QVERIFY2(QFileInfo(bareProgram()).isExecutable(), qPrintable(bareProgram()));
    }

    void cleanupTestCase() { myGrowth.print(); }

    void existingDatabase_data() { addCollectionSizes(); }

    void existingDatabase()
    {
        QFETCH(int, favorites);
        QFETCH(int, playLists);
        TestEnvironment env;
        // The first start creates the database; it is not counted.
        QVERIFY(start(program(), {QStringLiteral("-no-fullscreen")}, env).ok());
        QVERIFY(QFileInfo(databaseFile(env)).size() > 0);
        QCOMPARE(fillCollection(databaseFile(env), favorites, playLists).size(), playLists);
        mySize = favorites;
        bool met = false;
        QVERIFY(measure(QTest::currentDataTag(), env, false, &met));
        QVERIFY2(met, "more than twice the bare program");
    }

    void newDatabase()
    {
        TestEnvironment env;
        bool met = false;
        QVERIFY(measure("new database (-create-db)", env, true, &met));
        QVERIFY2(met, "more than twice the bare program");
    }
};

QTEST_MAIN(BenchStartup)
#include "bench_startup.moc"
