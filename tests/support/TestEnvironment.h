#ifndef KRELVOX_TESTENVIRONMENT_H
#define KRELVOX_TESTENVIRONMENT_H

#include "core/StoragePaths.h"

#include <QProcessEnvironment>
#include <QString>
#include <QTemporaryDir>

class QWidget;

// A private set of folders for one test: a temporary HOME, storage root and settings
// file. While it lives, StoragePaths::current() points into it, so a Repository made
// by the test (or by code under test) never touches the real /tmp/krelvox, /media/mmc2
// or ~/krelvox. Create it before anything that opens settings or the database.
// Environments nest: the inner one gives the outer one's folders back when it goes.
class TestEnvironment
{
public:
    TestEnvironment();
    ~TestEnvironment();
    TestEnvironment(const TestEnvironment&) = delete;
    TestEnvironment& operator=(const TestEnvironment&) = delete;

    bool isValid() const { return myDir.isValid(); }
    QString root() const { return myDir.path(); }
    QString home() const;
    QString storageRoot() const;
    QString applicationFolder() const;
    QString settingsFile() const;
    const StoragePaths& paths() const { return myPaths; }
    // The environment of a program or script started in this world as on a machine
    // without a desktop: HOME, its settings and the storage root point here, the
    // start command's run folder is runFolder(), and there is no display, session
    // bus, platform choice or service address.
    QProcessEnvironment headlessEnvironment() const;
    QString runFolder() const;

    // Folder for artefacts that outlive the test (screenshots): $KRELVOX_TEST_OUTPUT,
    // else "test-output" in the working folder. Created when missing.
    static QString outputFolder();
    // Grabs the widget into <outputFolder>/<name>.png; true when the file was written.
    static bool saveScreenshot(QWidget* widget, const QString& name);

private:
    QTemporaryDir myDir;
    StoragePaths myPaths;
    QByteArray myOldHome;
    TestEnvironment* myOuter;
};

#endif
