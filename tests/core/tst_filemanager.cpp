// The media folders, the free-space check, file names made from service data, and
// where the program keeps its files by default.
#include "tests/support/TestSupport.h"

#include "core/FileManager.h"
#include "core/SettingsManager.h"
#include "core/StoragePaths.h"
#include "core/constants/Paths.h"
#include "core/constants/Settings.h"

#include <QDir>
#include <QFile>
#include <QRegularExpression>
#include <QStorageInfo>
#include <QtTest>

#include <memory>

class TestFileManager : public QObject
{
    Q_OBJECT

private:
    std::unique_ptr<TestEnvironment> myEnv;
    std::unique_ptr<SettingsManager> mySettings;
    std::unique_ptr<FileManager> myFiles;

    static bool writeBytes(const QString& path, int bytes) { return writeFile(path, QByteArray(bytes, 'x')); }

private Q_SLOTS:
    void init()
    {
        myEnv = std::make_unique<TestEnvironment>();
        mySettings = std::make_unique<SettingsManager>(myEnv->settingsFile());
        myFiles = std::make_unique<FileManager>(myEnv->storageRoot(), mySettings.get());
    }

    void cleanup()
    {
        myFiles.reset();
        mySettings.reset();
        myEnv.reset();
    }

    void folders()
    {
        const QString base = myEnv->storageRoot() + "/krelvox/";
        QCOMPARE(myFiles->getStorageRoot(), myEnv->storageRoot());
        QCOMPARE(myFiles->getApplicationMediaFolder(), base);
        QCOMPARE(myFiles->getVideoFolder(), base + "videos/");
        QCOMPARE(myFiles->getThumbnailFolder(), base + "thumbnails/");
        QCOMPARE(myFiles->getFavoriteVideoFolder(), base + "favorites/videos/");
        QCOMPARE(myFiles->getFavoriteThumbnailFolder(), base + "favorites/thumbnails/");
        QCOMPARE(myFiles->getQueueFolder(), base + "queue/");
        QCOMPARE(myFiles->createFolders(), 0);
        QVERIFY(QFileInfo(base + "favorites/thumbnails").isDir());
        QCOMPARE(myFiles->createFolders(), 0);

        FileManager trailing(myEnv->storageRoot() + "/", mySettings.get());
        QCOMPARE(trailing.getVideoFolder(), base + "videos/");
        FileManager root(QStringLiteral("/"), mySettings.get());
        QCOMPARE(root.getApplicationMediaFolder(), QStringLiteral("/krelvox/"));
    }

    void freeDiskSpaceAvailable_data()
    {
        QTest::addColumn<QString>("limit");
        QTest::addColumn<bool>("expected");
        QTest::addColumn<bool>("traced");
        QTest::newRow("one megabyte") << "1" << true << false;
        QTest::newRow("more than any disk") << "2000000000" << false << false;
        QTest::newRow("zero") << "0" << false << true;
        QTest::newRow("negative") << "-5" << false << true;
        QTest::newRow("not a number") << "lots" << false << true;
        QTest::newRow("missing") << "" << false << true;
    }

    void freeDiskSpaceAvailable()
    {
        QFETCH(QString, limit);
        QFETCH(bool, expected);
        QFETCH(bool, traced);
        if (!limit.isEmpty())
            mySettings->setSetting(SETTING_DISK_SPACE_LIMIT, limit);
        if (traced)
            QTest::ignoreMessage(QtDebugMsg, "Saved limit is invalid!");
        QCOMPARE(myFiles->freeDiskSpaceAvailable(), expected);
    }

    void freeSpaceMatchesTheFileSystem()
    {
        const qint64 kb = myFiles->diskSpaceAvailable();
        const qint64 expected = QStorageInfo(myEnv->storageRoot()).bytesAvailable() / 1024;
        QVERIFY(kb > 0);
        QVERIFY(qAbs(kb - expected) < 64 * 1024);
        // The limit is compared in kB: a limit just above the free space refuses.
        mySettings->setSetting(SETTING_DISK_SPACE_LIMIT, int(kb / 1024 + 64));
        QVERIFY(!myFiles->freeDiskSpaceAvailable());
    }

    void usedDiskSpaceCountsEveryMediaFolder()
    {
        QCOMPARE(myFiles->createFolders(), 0);
        QCOMPARE(myFiles->usedDiskSpace(), qint64(0));
        QVERIFY(writeBytes(myFiles->getVideoFolder() + "a.flv", 1000));
        QVERIFY(writeBytes(myFiles->getFavoriteVideoFolder() + "b.flv", 2000));
        QVERIFY(writeBytes(myFiles->getFavoriteThumbnailFolder() + "b.jpg", 30));
        QVERIFY(writeBytes(myFiles->getQueueFolder() + ".hidden", 4));
        // Outside the media folders: not ours.
        QVERIFY(writeBytes(myEnv->storageRoot() + "/other.bin", 99999));
        QCOMPARE(myFiles->usedDiskSpace(), qint64(3034));
    }

    void emptyFolderRemovesFilesOnly()
    {
        QCOMPARE(myFiles->createFolders(), 0);
        QVERIFY(writeBytes(myFiles->getQueueFolder() + "a", 1));
        QVERIFY(writeBytes(myFiles->getQueueFolder() + ".b", 1));
        QVERIFY(QDir().mkpath(myFiles->getQueueFolder() + "sub"));
        QVERIFY(writeBytes(myFiles->getQueueFolder() + "sub/keep", 1));
        QCOMPARE(myFiles->emptyFolder(myFiles->getQueueFolder()), 0);
        QCOMPARE(QDir(myFiles->getQueueFolder()).entryList(QDir::Files | QDir::Hidden), QStringList());
        QVERIFY(QFileInfo::exists(myFiles->getQueueFolder() + "sub/keep"));
        QCOMPARE(myFiles->emptyFolder(myEnv->root() + "/missing"), 0);
    }

    // "~#" in an expected name stands for the 16 hex digits that tell an altered name
    // from every other: a name that had to change carries them before its extension.
    void sanitizeFileName_data()
    {
        QTest::addColumn<QString>("name");
        QTest::addColumn<QString>("expected");
        const QString cjk = QString::fromUtf8("視"); // three bytes in UTF-8
        const QString emoji = QString::fromUtf8("😀");   // four bytes, two UTF-16 units
        QTest::newRow("video id") << "dQw4w9WgXcQ.flv" << "dQw4w9WgXcQ.flv";
        QTest::newRow("dash and underscore") << "a-b_c" << "a-b_c";
        QTest::newRow("parent folder") << "../../etc/passwd" << "___.._etc_passwd~#";
        QTest::newRow("absolute") << "/etc/passwd" << "_etc_passwd~#";
        QTest::newRow("dot dot") << ".." << "__~#";
        QTest::newRow("dot") << "." << "_~#";
        QTest::newRow("hidden") << ".profile" << "_profile~#";
        QTest::newRow("backslash") << "..\\..\\x" << "___.._x~#";
        QTest::newRow("nul") << QString::fromUtf16(u"a\u0000/b", 4) << "a__b~#";
        QTest::newRow("control") << "a\nb\tc" << "a_b_c~#";
        QTest::newRow("empty") << "" << "_~#";
        QTest::newRow("slash in a video id keeps the extension") << "a/b.flv" << "a_b~#.flv";
        QTest::newRow("captcha address") << "Captcha?ctoken=Ab_9-x" << "Captcha?ctoken=Ab_9-x";
        QTest::newRow("unicode kept") << QString::fromUtf8("vidéo") << QString::fromUtf8("vidéo");
        QTest::newRow("inner dots kept") << "a..b" << "a..b";
        // Names are cut by their bytes: 250 leave room for ".part" within 255.
        QTest::newRow("250 bytes kept") << QString(246, QLatin1Char('a')) + ".flv" << QString(246, QLatin1Char('a')) + ".flv";
        QTest::newRow("251 bytes cut, extension kept")
            << QString(247, QLatin1Char('a')) + ".flv" << QString(229, QLatin1Char('a')) + "~#.flv";
        QTest::newRow("120 CJK characters") << cjk.repeated(120) + ".flv" << cjk.repeated(76) + "~#.flv";
        QTest::newRow("never half a character") << emoji.repeated(100) + ".jpg" << emoji.repeated(57) + "~#.jpg";
        const QChar high(0xd800), low(0xdc00);
        QTest::newRow("half a surrogate pair") << "a" + QString(high) + "b.flv" << "a_b~#.flv";
        QTest::newRow("pair the wrong way round") << QString(low) + high + "x" << "__x~#";
        QTest::newRow("a long dotted part is no extension")
            << "x." + QString(300, QLatin1Char('b')) << "x." + QString(231, QLatin1Char('b')) + "~#";
    }

    void sanitizeFileName()
    {
        QFETCH(QString, name);
        QFETCH(QString, expected);
        const QString safe = FileManager::sanitizeFileName(name);
        const QStringList parts = expected.split(QStringLiteral("~#"));
        if (parts.size() == 1) {
            QCOMPARE(safe, expected);
        } else {
            const QRegularExpression pattern(QRegularExpression::anchoredPattern(
                QRegularExpression::escape(parts.at(0)) + "~[0-9a-f]{16}" + QRegularExpression::escape(parts.at(1))));
            QVERIFY2(pattern.match(safe).hasMatch(), qPrintable(safe));
        }
        QVERIFY(QFile::encodeName(safe).size() <= FileManager::MAX_FILE_NAME_BYTES);
        // A name made here is a name already: passed again it stays as it is.
        QCOMPARE(FileManager::sanitizeFileName(safe), safe);
    }

    // Ids that the replacements or the cut would have made alike stay apart.
    void distinctNamesStayDistinct_data()
    {
        QTest::addColumn<QString>("first");
        QTest::addColumn<QString>("second");
        const QString cjk = QString::fromUtf8("視").repeated(120);
        QTest::newRow("slash and underscore") << "a/b.flv" << "a_b.flv";
        QTest::newRow("slash and backslash") << "a/b" << "a\\b";
        QTest::newRow("leading dot and underscore") << ".x" << "_x";
        QTest::newRow("empty and underscore") << "" << "_";
        QTest::newRow("same long start") << cjk + "1.flv" << cjk + "2.flv";
        QTest::newRow("same first 250 bytes") << QString(300, QLatin1Char('a')) << QString(301, QLatin1Char('a'));
    }

    void distinctNamesStayDistinct()
    {
        QFETCH(QString, first);
        QFETCH(QString, second);
        QVERIFY(FileManager::sanitizeFileName(first) != FileManager::sanitizeFileName(second));
    }

    void pathsFromServiceDataStayInTheirFolder_data()
    {
        QTest::addColumn<QString>("name");
        QTest::newRow("parent") << "../x";
        QTest::newRow("deep parent") << "../../../../../../tmp/evil";
        QTest::newRow("absolute") << "/tmp/evil";
        QTest::newRow("nul") << QString::fromUtf16(u"\u0000../x", 5);
        QTest::newRow("very long") << QString(5000, QLatin1Char('a'));
        QTest::newRow("long with surrogates") << QString::fromUtf8("😀").repeated(200);
        QTest::newRow("long CJK video file") << QString::fromUtf8("視").repeated(120) + ".flv";
        // 242 bytes counted as UTF-8, 256 as the file system gets them.
        QTest::newRow("unpaired surrogates") << QString(235, QLatin1Char('a')) + QString(QChar(0xdc00)).repeated(7);
    }

    void pathsFromServiceDataStayInTheirFolder()
    {
        QFETCH(QString, name);
        const QString folder = myFiles->getThumbnailFolder();
        const QString path = FileManager::pathInFolder(folder, name);
        QCOMPARE(QFileInfo(QDir::cleanPath(path)).absolutePath() + "/", folder);
        QVERIFY(!FileManager::sanitizeFileName(name).isEmpty());
        // A name cut short never ends in half a character.
        QVERIFY(!FileManager::sanitizeFileName(name).back().isHighSurrogate());
        // The file can really be made there, and so can its partial download.
        QCOMPARE(myFiles->createFolders(), 0);
        for (const QString& file : {path, path + PARTIAL_FILE_SUFFIX}) {
            QFile out(file);
            QVERIFY2(out.open(QIODevice::WriteOnly), qPrintable(file));
        }
    }

    void defaultPaths()
    {
        const QByteArray home = qgetenv("HOME");
        StoragePaths paths = StoragePaths::defaults();
        QCOMPARE(paths.applicationFolder, QString::fromLocal8Bit(home) + "/krelvox/");
        QVERIFY(paths.settingsFile.isEmpty());
        // The card is not mounted on a test machine.
        QCOMPARE(paths.storageRoot, QStringLiteral("/tmp"));
        QCOMPARE(FileManager::defaultStorageRoot(), QStringLiteral("/tmp"));

        qputenv("HOME", "");
        QCOMPARE(StoragePaths::defaults().applicationFolder, QStringLiteral("/home/krelvox/"));
        qunsetenv("HOME");
        QCOMPARE(StoragePaths::defaults().applicationFolder, QStringLiteral("/home/krelvox/"));
        qputenv("HOME", home);
    }

    void overrideComesAndGoes()
    {
        QCOMPARE(StoragePaths::current().storageRoot, myEnv->storageRoot());
        QCOMPARE(StoragePaths::current().settingsFile, myEnv->settingsFile());
        StoragePaths::clearOverride();
        QCOMPARE(StoragePaths::current().storageRoot, StoragePaths::defaults().storageRoot);
        StoragePaths::setOverride(myEnv->paths());
        QCOMPARE(StoragePaths::current().applicationFolder, myEnv->applicationFolder());
    }
};

QTEST_MAIN(TestFileManager)
#include "tst_filemanager.moc"
