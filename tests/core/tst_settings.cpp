// The settings store and the repository's setting operations: defaults, numbers
// stored as text, the signals after a write, the keys that cannot be written, and
// the file's permissions.
#include "tests/support/TestSupport.h"

#include "core/Repository.h"
#include "core/SettingsManager.h"
#include "core/constants/Settings.h"

#include <QFile>
#include <QSettings>
#include <QSignalSpy>
#include <QtTest>

#include <memory>
#include <sys/stat.h>

class TestSettings : public QObject
{
    Q_OBJECT

private:
    std::unique_ptr<TestEnvironment> myEnv;

private Q_SLOTS:
    void init()
    {
        myEnv = std::make_unique<TestEnvironment>();
    }

    void cleanup()
    {
        myEnv.reset();
    }

    void defaults_data()
    {
        QTest::addColumn<QString>("key");
        QTest::addColumn<QString>("value");
        QTest::newRow("signed in") << SETTING_YOUTUBE_ACCOUNT_SIGNED_IN << "0";
        QTest::newRow("background downloading") << SETTING_BACKGROUND_DOWNLOADING_ENABLED << "1";
        QTest::newRow("full screen") << SETTING_ACTIVATE_IN_FULLSCREEN << "2";
        QTest::newRow("aspect ratio") << SETTING_KEEP_ASPECT_RATIO << "0";
        QTest::newRow("start playing") << SETTING_START_PLAYING << "300000";
        QTest::newRow("amount of results") << SETTING_AMOUNT_OF_RESULTS << "30";
        QTest::newRow("time filter") << SETTING_TIME_FILTER << "Today";
        QTest::newRow("sorting order") << SETTING_DEFAULT_SORTING_ORDER << "0";
        QTest::newRow("restricted content") << SETTING_RESTRICTED_CONTENT << "2";
        QTest::newRow("search completion") << SETTING_SEARCH_COMPLETION_ENABLED << "1";
        QTest::newRow("disk space limit") << SETTING_DISK_SPACE_LIMIT << "500";
        QTest::newRow("user name") << SETTING_YOUTUBE_USERNAME << "";
        QTest::newRow("captcha answer") << SETTING_YOUTUBE_CAPTCHA_ANSWER << "";
    }

    void defaults()
    {
        QFETCH(QString, key);
        QFETCH(QString, value);
        Repository repository;
        QCOMPARE(repository.openDatabase(), 0);
        QString read;
        repository.getSetting(key, read);
        QCOMPARE(read, value);
        QCOMPARE(repository.getSettingsManager()->writePendingDefaults(), 0);
        // Read back from the file itself: numbers are stored as text.
        QSettings file(myEnv->settingsFile(), QSettings::IniFormat);
        QVERIFY(file.contains(key));
        QCOMPARE(file.value(key).toString(), value);
    }

    void backgroundKeyKeepsItsLeadingBlanks()
    {
        Repository repository;
        QCOMPARE(repository.openDatabase(), 0);
        QCOMPARE(repository.getSettingsManager()->writePendingDefaults(), 0);
        QSettings file(myEnv->settingsFile(), QSettings::IniFormat);
        QVERIFY(file.contains(QStringLiteral("        SETTING_BACKGROUND_DOWNLOADING_ENABLED")));
        QVERIFY(!file.contains(QStringLiteral("SETTING_BACKGROUND_DOWNLOADING_ENABLED")));
    }

    // A new store's defaults are not written while the program starts: they go into
    // the file with its first write, when the program asks after its first screen, or
    // at the end of the run, whichever comes first; a value set meanwhile is kept.
    void defaultsWaitForTheFirstWrite_data()
    {
        QTest::addColumn<QString>("writer");
        QTest::newRow("the program asks") << "asked";
        QTest::newRow("a setting is written") << "setting";
        QTest::newRow("the run ends") << "end";
    }

    void defaultsWaitForTheFirstWrite()
    {
        QFETCH(QString, writer);
        const auto fileKeys = [this]() { return QSettings(myEnv->settingsFile(), QSettings::IniFormat).allKeys(); };
        {
            Repository repository;
            QCOMPARE(repository.openDatabase(), 0);
            QCOMPARE(fileKeys(), QStringList());
            if (writer == "asked")
                QCOMPARE(repository.getSettingsManager()->writePendingDefaults(), 0);
            if (writer == "setting")
                QCOMPARE(repository.setSetting(SETTING_START_PLAYING, 7), 0);
            if (writer != "end")
                QVERIFY(fileKeys().contains(SETTING_DISK_SPACE_LIMIT));
        }
        QSettings file(myEnv->settingsFile(), QSettings::IniFormat);
        QCOMPARE(file.value(SETTING_START_PLAYING).toString(), writer == "setting" ? "7" : "300000");
        QCOMPARE(file.value(SETTING_DISK_SPACE_LIMIT).toString(), QStringLiteral("500"));
    }

    void integerReading_data()
    {
        QTest::addColumn<QString>("stored");
        QTest::addColumn<int>("expected");
        QTest::newRow("number") << "42" << 42;
        QTest::newRow("negative") << "-7" << -7;
        QTest::newRow("missing") << QString() << 0;
        QTest::newRow("text") << "Today" << 0;
        QTest::newRow("number with text") << "12abc" << 0;
        QTest::newRow("leading zero is decimal") << "010" << 10;
        QTest::newRow("hex is not a number here") << "0x10" << 0;
    }

    void integerReading()
    {
        QFETCH(QString, stored);
        QFETCH(int, expected);
        {
            QSettings file(myEnv->settingsFile(), QSettings::IniFormat);
            if (!stored.isNull())
                file.setValue(QStringLiteral("KEY"), stored);
        }
        SettingsManager settings(myEnv->settingsFile());
        int value = 99;
        QCOMPARE(settings.getSetting(QStringLiteral("KEY"), value), 0);
        QCOMPARE(value, expected);
        QString text = QStringLiteral("x");
        QCOMPARE(settings.getSetting(QStringLiteral("KEY"), text), 0);
        QCOMPARE(text, stored.isNull() ? QString() : stored);
    }

    void integerWriteAnnounces()
    {
        Repository repository;
        QCOMPARE(repository.openDatabase(), 0);
        QSignalSpy changed(&repository, &Repository::settingChanged);
        QSignalSpy background(&repository, &Repository::backgroundDownloadStatusChanged);

        QCOMPARE(repository.setSetting(SETTING_AMOUNT_OF_RESULTS, 20), 0);
        QCOMPARE(changed.count(), 1);
        QCOMPARE(changed.at(0).at(0).toString(), SETTING_AMOUNT_OF_RESULTS);
        QCOMPARE(changed.at(0).at(1).toInt(), 20);
        QCOMPARE(background.count(), 0);

        QCOMPARE(repository.setSetting(SETTING_BACKGROUND_DOWNLOADING_ENABLED, 0), 0);
        QCOMPARE(background.count(), 1);
        QCOMPARE(changed.count(), 1);
        int value = 1;
        repository.getSetting(SETTING_BACKGROUND_DOWNLOADING_ENABLED, value);
        QCOMPARE(value, 0);

        // The text form stores as typed and announces nothing.
        QCOMPARE(repository.setSetting(SETTING_TIME_FILTER, QStringLiteral("This week")), 0);
        QCOMPARE(repository.setSetting(SETTING_YOUTUBE_PASSWORD, QStringLiteral(" p@ss wörd ")), 0);
        QCOMPARE(changed.count(), 1);
        QCOMPARE(background.count(), 1);
        QString text;
        repository.getSetting(SETTING_YOUTUBE_PASSWORD, text);
        QCOMPARE(text, QStringLiteral(" p@ss wörd "));
    }

    void credentialKeysAreRefused_data()
    {
        QTest::addColumn<QString>("key");
        QTest::newRow("client id") << SETTING_YOUTUBE_CLIENT_ID;
        QTest::newRow("developer key") << SETTING_YOUTUBE_DEVELOPER_KEY;
    }

    void credentialKeysAreRefused()
    {
        QFETCH(QString, key);
        Repository repository;
        QCOMPARE(repository.openDatabase(), 0);
        QSignalSpy changed(&repository, &Repository::settingChanged);
        QTest::ignoreMessage(QtDebugMsg, "setSetting() - this key cannot be modified! ");
        QCOMPARE(repository.setSetting(key, 5), 1);
        QTest::ignoreMessage(QtDebugMsg, "setSetting() - this key cannot be modified! ");
        QCOMPARE(repository.setSetting(key, QStringLiteral("stolen")), 1);
        QCOMPARE(changed.count(), 0);
        QVERIFY(!repository.getSettingsManager()->contains(key));
    }

    void clearAccount()
    {
        Repository repository;
        QCOMPARE(repository.openDatabase(), 0);
        repository.setSetting(SETTING_YOUTUBE_USERNAME, QStringLiteral("user"));
        repository.setSetting(SETTING_YOUTUBE_PASSWORD, QStringLiteral("secret"));
        repository.setSetting(SETTING_YOUTUBE_AUTHENTICATION_TOKEN, QStringLiteral("token"));
        repository.setSetting(SETTING_YOUTUBE_ACCOUNT_SIGNED_IN, 1);
        QCOMPARE(repository.clearAccount(), 0);
        for (const QString& key : {SETTING_YOUTUBE_USERNAME, SETTING_YOUTUBE_PASSWORD, SETTING_YOUTUBE_AUTHENTICATION_TOKEN}) {
            QString value = QStringLiteral("x");
            repository.getSetting(key, value);
            QCOMPARE(value, QString());
        }
        int signedIn = 0;
        repository.getSetting(SETTING_YOUTUBE_ACCOUNT_SIGNED_IN, signedIn);
        QCOMPARE(signedIn, 1);
    }

    void storeIsReadableByItsOwnerOnly()
    {
        Repository repository;
        QCOMPARE(repository.openDatabase(), 0);
        repository.setSetting(SETTING_YOUTUBE_PASSWORD, QStringLiteral("secret"));
        const QFile::Permissions permissions = QFile::permissions(myEnv->settingsFile());
        QCOMPARE(permissions & (QFile::ReadGroup | QFile::WriteGroup | QFile::ReadOther | QFile::WriteOther),
                 QFile::Permissions());
        QVERIFY(permissions & QFile::ReadOwner);
        QVERIFY(permissions & QFile::WriteOwner);
    }

    // The store holds the password: it is made owner-only as soon as it is opened,
    // before any write, whatever it holds; a line it cannot read does not stop that
    // nor make the next write fail.
    void storeIsOwnerOnlyFromTheStart_data()
    {
        QTest::addColumn<QByteArray>("content");
        QTest::addColumn<int>("mode");
        QTest::newRow("readable by all") << QByteArray("[General]\nSETTING_YOUTUBE_PASSWORD=secret\n") << 0644;
        QTest::newRow("a malformed line") << QByteArray("[General]\nSETTING_YOUTUBE_PASSWORD=secret\n[General\n") << 0644;
        QTest::newRow("writable by all") << QByteArray("[General]\nSETTING_YOUTUBE_PASSWORD=secret\n") << 0666;
        QTest::newRow("no file yet") << QByteArray() << -1;
    }

    void storeIsOwnerOnlyFromTheStart()
    {
        QFETCH(QByteArray, content);
        QFETCH(int, mode);
        const QString file = myEnv->settingsFile();
        const QFile::Permissions ownerOnly = QFile::ReadOwner | QFile::WriteOwner;
        if (mode >= 0) {
            QVERIFY(writeFile(file, content));
            QVERIFY(::chmod(QFile::encodeName(file).constData(), mode_t(mode)) == 0);
        }
        SettingsManager settings(file);
        QCOMPARE(QFile::permissions(file) & ~(QFile::ReadUser | QFile::WriteUser), ownerOnly);
        QCOMPARE(settings.setSetting(SETTING_AMOUNT_OF_RESULTS, 12), 0);
        QCOMPARE(QFile::permissions(file) & ~(QFile::ReadUser | QFile::WriteUser), ownerOnly);
        QString password;
        settings.getSetting(SETTING_YOUTUBE_PASSWORD, password);
        QCOMPARE(password, mode >= 0 ? QStringLiteral("secret") : QString());
    }

    void valuesSurviveANewStoreObject()
    {
        {
            SettingsManager settings(myEnv->settingsFile());
            QCOMPARE(settings.setSetting(QStringLiteral("A"), 7), 0);
            QCOMPARE(settings.setSetting(QStringLiteral("B"), QStringLiteral("a=b;c\"d")), 0);
        }
        SettingsManager settings(myEnv->settingsFile());
        int a = 0;
        QString b;
        settings.getSetting(QStringLiteral("A"), a);
        settings.getSetting(QStringLiteral("B"), b);
        QCOMPARE(a, 7);
        QCOMPARE(b, QStringLiteral("a=b;c\"d"));
        QCOMPARE(settings.fileName(), myEnv->settingsFile());
    }
};

QTEST_MAIN(TestSettings)
#include "tst_settings.moc"
