#include "tests/support/TestEnvironment.h"

#include <QDir>
#include <QStandardPaths>
#include <QWidget>

namespace {

TestEnvironment* innermostEnvironment = nullptr;

} // namespace

TestEnvironment::TestEnvironment()
    : myDir(QDir::tempPath() + QStringLiteral("/krelvox-test-XXXXXX")), myOuter(innermostEnvironment)
{
    myOldHome = qgetenv("HOME");
    QDir root(myDir.path());
    root.mkpath(QStringLiteral("home"));
    root.mkpath(QStringLiteral("storage"));
    root.mkpath(QStringLiteral("settings"));
    qputenv("HOME", home().toLocal8Bit());
    QStandardPaths::setTestModeEnabled(true);

    myPaths.storageRoot = storageRoot();
    myPaths.applicationFolder = applicationFolder();
    myPaths.settingsFile = settingsFile();
    StoragePaths::setOverride(myPaths);
    innermostEnvironment = this;
}

TestEnvironment::~TestEnvironment()
{
    innermostEnvironment = myOuter;
    if (myOuter)
        StoragePaths::setOverride(myOuter->paths());
    else
        StoragePaths::clearOverride();
    qputenv("HOME", myOldHome);
}

QString TestEnvironment::home() const
{
    return myDir.path() + QStringLiteral("/home");
}

QString TestEnvironment::storageRoot() const
{
    return myDir.path() + QStringLiteral("/storage");
}

QString TestEnvironment::applicationFolder() const
{
    return home() + QStringLiteral("/krelvox/");
}

QString TestEnvironment::settingsFile() const
{
    return myDir.path() + QStringLiteral("/settings/krelvox.conf");
}

QProcessEnvironment TestEnvironment::headlessEnvironment() const
{
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    for (const char* name : {"DISPLAY", "XAUTHORITY", "WAYLAND_DISPLAY", "DBUS_SESSION_BUS_ADDRESS", "QT_QPA_PLATFORM",
                             "KRELVOX_SERVICE_BASE_URL"})
        environment.remove(QString::fromLatin1(name));
    environment.insert(QStringLiteral("HOME"), home());
    environment.insert(QStringLiteral("XDG_CONFIG_HOME"), home() + QStringLiteral("/.config"));
    environment.insert(QStringLiteral("KRELVOX_STORAGE_ROOT"), storageRoot());
    environment.insert(QStringLiteral("KRELVOX_RUN_DIR"), runFolder());
    return environment;
}

QString TestEnvironment::runFolder() const
{
    return myDir.path() + QStringLiteral("/run");
}

QString TestEnvironment::outputFolder()
{
    QString folder = qEnvironmentVariable("KRELVOX_TEST_OUTPUT");
    if (folder.isEmpty())
        folder = QDir::currentPath() + QStringLiteral("/test-output");
    QDir().mkpath(folder);
    return folder;
}

bool TestEnvironment::saveScreenshot(QWidget* widget, const QString& name)
{
    if (!widget)
        return false;
    return widget->grab().save(outputFolder() + QLatin1Char('/') + name + QStringLiteral(".png"));
}
