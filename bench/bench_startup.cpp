#include "bench/BenchCollection.h"
#include "bench/BenchSupport.h"
#include "tests/support/TestSupport.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QRegularExpression>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QTest>

#include <tuple>

// The program from process start to its end, started offscreen with
// KRELVOX_QUIT_AFTER_HOME_PAINT, which makes it leave through its normal exit path
// (the controller's destructor and the clean-up) right after the home view's first
// paint. Two baselines run in the same rounds and leave the same way after their
// first paint (bench/): the empty window (a bare Qt program with one empty 800 x 480
// widget) and the text screen (a title and ten buttons in Qt's own widgets, linked
// with the same libraries as the program). Each round starts every contender once,
// rotating which goes first; a round gives the ratios of the program's wall time to
// each baseline's, in microseconds, from the start to the end of the process and to
// the painted line, and of the peak resident memory.
//
// Existing database: the program on 10,000 favourites in 200 playlists and on
// 100,000 in 1,000, both in the same rounds, so the growth from one to the other is a
// paired ratio too. New database: -create-db with no database and no settings yet.
// Synced writes (fsync, fdatasync) before the first paint and in the whole run are
// counted under strace, when it is installed, in a run of their own.
// Every run is checked: it ended with 0 after painting an 800 x 480 window, and the
// database is there.
//
// Goals (medians): start to exit at most 1.8x the empty window and 1.25x the text
// screen at both sizes, 100,000 within 1.1x of 10,000; a first start at most 2.0x the
// empty window, with at most two synced writes before the first paint.
class BenchStartup : public QObject
{
    Q_OBJECT
private:
    static constexpr int ROUNDS = 41;
    static constexpr double GOAL_EMPTY = 1.8;
    static constexpr double GOAL_TEXT = 1.25;
    static constexpr double GOAL_GROWTH = 1.1;
    static constexpr double GOAL_NEW_DATABASE = 2.0;
    static constexpr int GOAL_SYNCED_WRITES = 2;

    static QString binary(const char* name) { return QCoreApplication::applicationDirPath() + QLatin1Char('/') + QLatin1String(name); }
    static QString program() { return QCoreApplication::applicationDirPath() + QStringLiteral("/../app/krelvox"); }

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

    // One program started in every round.
    struct Contender
    {
        Contender(const QString& name, const QString& binary, const QStringList& arguments, const TestEnvironment* env,
                  bool newDatabase = false)
            : name(name), binary(binary), arguments(arguments), env(env), newDatabase(newDatabase)
        {
        }
        QString name;
        QString binary;
        QStringList arguments;
        const TestEnvironment* env;
        bool newDatabase; // the database and the settings go before each start
        QList<ProgramRun> runs;
    };

    static ProgramRun start(const Contender& c)
    {
        if (c.newDatabase) {
            QDir(c.env->applicationFolder()).removeRecursively();
            QDir(c.env->home() + QStringLiteral("/.config")).removeRecursively();
        }
        ProgramRun run = runProgram(c.binary, c.arguments, environment(*c.env), QByteArrayLiteral("home view painted"));
        if (!run.ok() || !run.line.endsWith(QLatin1String("window 800x480"))) {
            qWarning("%s did not paint an 800x480 window and end with 0: \"%s\", exit %d", qPrintable(c.name),
                     qPrintable(run.line), run.exitCode);
            return {};
        }
        return run;
    }

    // ROUNDS rounds of every contender, the first of each round one further on.
    static bool runRounds(QList<Contender>& contenders)
    {
        for (int round = 0; round < ROUNDS; ++round) {
            for (int turn = 0; turn < contenders.size(); ++turn) {
                Contender& c = contenders[(turn + round) % contenders.size()];
                c.runs.append(start(c));
                if (!c.runs.last().ok())
                    return false;
                if (c.binary == program() && !QFileInfo(databaseFile(*c.env)).size())
                    return false;
            }
        }
        return true;
    }

    using Figure = qint64 ProgramRun::*;
    static PairedFigures paired(const Contender& ours, const Contender& baseline, Figure figure)
    {
        PairedFigures figures;
        for (int i = 0; i < ours.runs.size(); ++i)
            figures.add(double(ours.runs.at(i).*figure), double(baseline.runs.at(i).*figure));
        return figures;
    }

    // Prints the program's figures against both baselines; true when the start-to-exit
    // medians meet the goals given (a goal of 0 is none).
    static bool printAgainst(const Contender& ours, const Contender& empty, const Contender& text, double goalEmpty,
                             double goalText)
    {
        std::printf("-- %s\n", qPrintable(ours.name));
        const PairedFigures exitEmpty = paired(ours, empty, &ProgramRun::usToExit);
        const PairedFigures exitText = paired(ours, text, &ProgramRun::usToExit);
        exitEmpty.print("start to exit, vs the empty window", "us");
        exitText.print("start to exit, vs the text screen", "us");
        paired(ours, empty, &ProgramRun::usToLine).print("start to paint, vs the empty window", "us");
        paired(ours, text, &ProgramRun::usToLine).print("start to paint, vs the text screen", "us");
        paired(ours, empty, &ProgramRun::peakKb).print("peak resident memory, vs the empty window", "kB");
        const double medianEmpty = exitEmpty.ratioSpread().median;
        const double medianText = exitText.ratioSpread().median;
        bool met = true;
        if (goalEmpty > 0) {
            std::printf("goal: start to exit at most %.2fx the empty window: %.2f %s\n", goalEmpty, medianEmpty,
                        medianEmpty <= goalEmpty ? "met" : "NOT met");
            met = met && medianEmpty <= goalEmpty;
        }
        if (goalText > 0) {
            std::printf("goal: start to exit at most %.2fx the text screen: %.2f %s\n", goalText, medianText,
                        medianText <= goalText ? "met" : "NOT met");
            met = met && medianText <= goalText;
        }
        std::fflush(stdout);
        return met;
    }

    struct SyncedWrites
    {
        int beforePaint = -1;
        int total = -1;
    };

    // Runs the program once under strace and counts its fsync and fdatasync calls, all
    // threads, before it wrote the painted line and in the whole run; -1 when strace
    // is not installed or the run failed.
    static SyncedWrites countSyncedWrites(const Contender& c)
    {
        const QString strace = QStandardPaths::findExecutable(QStringLiteral("strace"));
        if (strace.isEmpty())
            return {};
        if (c.newDatabase) {
            QDir(c.env->applicationFolder()).removeRecursively();
            QDir(c.env->home() + QStringLiteral("/.config")).removeRecursively();
        }
        QTemporaryDir folder;
        const QString trace = folder.filePath(QStringLiteral("trace"));
        const QStringList arguments = QStringList{QStringLiteral("-f"), QStringLiteral("-qq"), QStringLiteral("-e"),
                                                  QStringLiteral("trace=fsync,fdatasync,write"), QStringLiteral("-o"),
                                                  trace, c.binary}
            + c.arguments;
        if (!runProgram(strace, arguments, environment(*c.env), QByteArrayLiteral("home view painted")).ok())
            return {};
        QFile file(trace);
        if (!file.open(QIODevice::ReadOnly))
            return {};
        const QRegularExpression sync(QStringLiteral("\\b(fsync|fdatasync)\\("));
        SyncedWrites counted{0, 0};
        bool painted = false;
        for (const QByteArray& bytes : file.readAll().split('\n')) {
            const QString line = QString::fromLocal8Bit(bytes);
            if (line.contains(QLatin1String("write(1, \"home view painted")))
                painted = true;
            if (!sync.match(line).hasMatch())
                continue;
            ++counted.total;
            if (!painted)
                ++counted.beforePaint;
        }
        return painted ? counted : SyncedWrites{};
    }

    static void printSyncedWrites(const char* what, const SyncedWrites& counted, int goal, bool* met)
    {
        if (counted.total < 0) {
            std::printf("synced writes, %s: not counted (strace is not installed or the run failed)\n", what);
            return;
        }
        std::printf("synced writes, %s: %d before the first paint, %d in the whole run\n", what, counted.beforePaint,
                    counted.total);
        if (goal >= 0) {
            std::printf("goal: at most %d synced writes before the first paint: %s\n", goal,
                        counted.beforePaint <= goal ? "met" : "NOT met");
            *met = *met && counted.beforePaint <= goal;
        }
        std::fflush(stdout);
    }

    QList<Contender> baselines(const TestEnvironment& env) const
    {
        return {Contender(QStringLiteral("empty window"), binary("krelvox-bare-window"), {}, &env),
                Contender(QStringLiteral("text screen"), binary("krelvox-text-screen"), {}, &env)};
    }

private Q_SLOTS:
    void initTestCase()
    {
        for (const QString& file : {program(), binary("krelvox-bare-window"), binary("krelvox-text-screen")})
            QVERIFY2(QFileInfo(file).isExecutable(), qPrintable(file));
    }

    void existingDatabase()
    {
        TestEnvironment small;
        TestEnvironment large;
        QList<Contender> contenders = baselines(small);
        const QStringList arguments{QStringLiteral("-no-fullscreen")};
        for (const auto& [env, favorites, playLists] :
             {std::make_tuple(&small, 10000, 200), std::make_tuple(&large, 100000, 1000)}) {
            // The first start creates the database; it is not counted.
            Contender first{QStringLiteral("first start"), program(), arguments, env};
            QVERIFY(start(first).ok());
            QCOMPARE(fillCollection(databaseFile(*env), favorites, playLists).size(), playLists);
            contenders.append(Contender(QStringLiteral("%1 favourites in %2 playlists").arg(favorites).arg(playLists),
                                        program(), arguments, env));
        }
        QVERIFY(runRounds(contenders));

        bool met = printAgainst(contenders.at(2), contenders.at(0), contenders.at(1), GOAL_EMPTY, GOAL_TEXT);
        met = printAgainst(contenders.at(3), contenders.at(0), contenders.at(1), GOAL_EMPTY, GOAL_TEXT) && met;
        std::printf("-- growth from 10,000 to 100,000 favourites (x10)\n");
        const PairedFigures growth = paired(contenders.at(3), contenders.at(2), &ProgramRun::usToExit);
        growth.print("start to exit, 100,000 vs 10,000", "us");
        paired(contenders.at(3), contenders.at(2), &ProgramRun::usToLine).print("start to paint, 100,000 vs 10,000", "us");
        paired(contenders.at(3), contenders.at(2), &ProgramRun::peakKb).print("peak memory, 100,000 vs 10,000", "kB");
        const double grew = growth.ratioSpread().median;
        std::printf("goal: 100,000 within %.2fx of 10,000: %.2f %s\n", GOAL_GROWTH, grew,
                    grew <= GOAL_GROWTH ? "met" : "NOT met");
        met = met && grew <= GOAL_GROWTH;
        printSyncedWrites("10,000 favourites", countSyncedWrites(contenders.at(2)), -1, &met);
        printSyncedWrites("100,000 favourites", countSyncedWrites(contenders.at(3)), -1, &met);
        QVERIFY2(met, "a goal was not met");
    }

    void newDatabase()
    {
        TestEnvironment env;
        QList<Contender> contenders = baselines(env);
        contenders.append(Contender(QStringLiteral("new database (-create-db)"), program(),
                                    {QStringLiteral("-no-fullscreen"), QStringLiteral("-create-db")}, &env, true));
        QVERIFY(runRounds(contenders));
        bool met = printAgainst(contenders.at(2), contenders.at(0), contenders.at(1), GOAL_NEW_DATABASE, 0);
        printSyncedWrites("new database", countSyncedWrites(contenders.at(2)), GOAL_SYNCED_WRITES, &met);
        QVERIFY2(met, "a goal was not met");
    }
};

QTEST_MAIN(BenchStartup)
#include "bench_startup.moc"
