#include "core/Repository.h"
#include "tests/support/TestSupport.h"

#include <QDir>
#include <QFile>
#include <QProcess>
#include <QStandardPaths>
#include <QTest>

// The program itself, run as a child process with its own HOME, settings and storage
// root, no dialogs (KRELVOX_NONINTERACTIVE) and no network (the service points at a
// closed local port).
class TestStartup : public QObject
{
    Q_OBJECT
private:
    struct Run
    {
        int exitCode = -1;
        bool finished = false;
        QString out;
        QString err;
    };

    static QProcessEnvironment environmentFor(const TestEnvironment& env)
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

    static Run run(const QProcessEnvironment& environment, const QStringList& arguments,
                   const QString& program = QStringLiteral(KRELVOX_BINARY))
    {
        QProcess process;
        process.setProcessEnvironment(environment);
        process.start(program, arguments);
        Run result;
        result.finished = process.waitForFinished(30000);
        if (!result.finished) {
            process.kill();
            process.waitForFinished(3000);
        }
        result.exitCode = process.exitStatus() == QProcess::NormalExit ? process.exitCode() : -1;
        result.out = QString::fromLocal8Bit(process.readAllStandardOutput());
        result.err = QString::fromLocal8Bit(process.readAllStandardError());
        return result;
    }

    // The database the program uses under the test's HOME, opened from the test.
    static StoragePaths programPaths(const TestEnvironment& env)
    {
        StoragePaths paths;
        paths.storageRoot = env.storageRoot();
        paths.applicationFolder = env.home() + QStringLiteral("/krelvox/");
        paths.settingsFile = env.home() + QStringLiteral("/.config/Morva/krelvox.conf");
        return paths;
    }

private Q_SLOTS:
    void startsAndShowsTheHomeView()
    {
        TestEnvironment env;
        const Run result = run(environmentFor(env), { QStringLiteral("-no-fullscreen") });
        QVERIFY2(result.finished, qPrintable(result.err));
        QCOMPARE(result.exitCode, 0);
        QVERIFY2(result.out.contains(QStringLiteral("home view painted")), qPrintable(result.out + result.err));
        QVERIFY2(result.out.contains(QStringLiteral("window 800x480")), qPrintable(result.out));
        // Its files went where it was told, and the diagnostics went through the handler.
        QVERIFY(QFile::exists(env.home() + QStringLiteral("/krelvox/krelvox_db.dat")));
        QVERIFY(QDir(env.storageRoot() + QStringLiteral("/krelvox/videos")).exists());
        QVERIFY(result.err.contains(QStringLiteral("DEBUG   :MainController::MainController")));
    }

    void unusableDatabaseExitsWithOne_data()
    {
        QTest::addColumn<QStringList>("arguments");
        QTest::newRow("plain") << QStringList({ "-no-fullscreen" });
        QTest::newRow("-create-db") << QStringList({ "-no-fullscreen", "-create-db" });
    }

    void unusableDatabaseExitsWithOne()
    {
        QFETCH(QStringList, arguments);
        TestEnvironment env;
        // A file where the application folder belongs.
        QFile blocker(env.home() + QStringLiteral("/krelvox"));
        QVERIFY(blocker.open(QIODevice::WriteOnly));
        blocker.close();

        const Run result = run(environmentFor(env), arguments);
        QVERIFY(result.finished);
        QCOMPARE(result.exitCode, 1);
        QVERIFY2(result.err.contains(QStringLiteral("Can't use database. Exiting.")), qPrintable(result.err));
        QVERIFY(!result.out.contains(QStringLiteral("home view painted")));
    }

    void createDbReplacesOnlyABrokenDatabase()
    {
        TestEnvironment env;
        // A file that is no database where the database belongs.
        QDir().mkpath(env.home() + QStringLiteral("/krelvox"));
        const QString databaseFile = env.home() + QStringLiteral("/krelvox/krelvox_db.dat");
        QFile broken(databaseFile);
        QVERIFY(broken.open(QIODevice::WriteOnly));
        broken.write("this is not a database\n");
        broken.close();

        // Without the option the program refuses to run on it.
        Run result = run(environmentFor(env), { QStringLiteral("-no-fullscreen") });
        QCOMPARE(result.exitCode, 1);
        QVERIFY2(result.err.contains(QStringLiteral("Can't use database. Exiting.")), qPrintable(result.err));

        // "-create-db" makes a fresh database and keeps the broken file aside.
        result = run(environmentFor(env), { QStringLiteral("-no-fullscreen"), QStringLiteral("-create-db") });
        QCOMPARE(result.exitCode, 0);
        QVERIFY(result.out.contains(QStringLiteral("home view painted")));
        QVERIFY(QFile::exists(databaseFile + QStringLiteral(".broken")));

        StoragePaths::setOverride(programPaths(env));
        {
            Repository repository;
            QCOMPARE(repository.openDatabase(), 0);
            QStringList searches;
            QCOMPARE(repository.getSearchHistory(searches), 0);
            QCOMPARE(searches, QStringList());
            QCOMPARE(repository.addSearchHistory(QStringLiteral("kept")), 0);
        }
        // A usable database is kept, with or without the option.
        QCOMPARE(run(environmentFor(env), { QStringLiteral("-no-fullscreen"), QStringLiteral("-create-db") }).exitCode, 0);
        QCOMPARE(run(environmentFor(env), { QStringLiteral("-no-fullscreen") }).exitCode, 0);
        {
            Repository repository;
            QCOMPARE(repository.openDatabase(), 0);
            QStringList searches;
            repository.getSearchHistory(searches);
            QCOMPARE(searches, QStringList({ "kept" }));
        }
        StoragePaths::setOverride(env.paths());
    }

    void startsUnderXvfb()
    {
        const QString xvfb = QStandardPaths::findExecutable(QStringLiteral("xvfb-run"));
        if (xvfb.isEmpty())
            QSKIP("xvfb-run is not installed");
        TestEnvironment env;
        QProcessEnvironment environment = environmentFor(env);
        environment.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("xcb"));
        const Run result = run(environment,
                               { QStringLiteral("-a"), QStringLiteral(KRELVOX_BINARY), QStringLiteral("-no-fullscreen") },
                               xvfb);
        QVERIFY2(result.finished, qPrintable(result.err));
        QCOMPARE(result.exitCode, 0);
        QVERIFY2(result.out.contains(QStringLiteral("home view painted")), qPrintable(result.out + result.err));
        QVERIFY2(result.out.contains(QStringLiteral("window 800x480")), qPrintable(result.out));
    }
};

QTEST_MAIN(TestStartup)
#include "tst_startup.moc"
