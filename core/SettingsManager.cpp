#include "core/SettingsManager.h"
#include "core/constants/Settings.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSettings>

namespace {

struct DefaultSetting {
    const QString& key;
    QString value;
};

// The option keys and the values a new store starts with.
QList<DefaultSetting> defaultSettings()
{
    return {
        {SETTING_YOUTUBE_ACCOUNT_SIGNED_IN, QString::number(DEFAULT_YOUTUBE_ACCOUNT_SIGNED_IN)},
        {SETTING_YOUTUBE_USERNAME, QString()},
        {SETTING_YOUTUBE_PASSWORD, QString()},
        {SETTING_YOUTUBE_AUTHENTICATION_TOKEN, QString()},
        {SETTING_YOUTUBE_CAPTCHA_TOKEN, QString()},
        {SETTING_YOUTUBE_CAPTCHA_URL, QString()},
        {SETTING_YOUTUBE_CAPTCHA_ANSWER, QString()},
        {SETTING_BACKGROUND_DOWNLOADING_ENABLED, QString::number(DEFAULT_BACKGROUND_DOWNLOADING_ENABLED)},
        {SETTING_ACTIVATE_IN_FULLSCREEN, QString::number(DEFAULT_ACTIVATE_IN_FULLSCREEN)},
        {SETTING_KEEP_ASPECT_RATIO, QString::number(DEFAULT_KEEP_ASPECT_RATIO)},
        {SETTING_START_PLAYING, QString::number(DEFAULT_START_PLAYING)},
        {SETTING_AMOUNT_OF_RESULTS, QString::number(DEFAULT_AMOUNT_OF_RESULTS)},
        {SETTING_TIME_FILTER, DEFAULT_TIME_FILTER},
        {SETTING_DEFAULT_SORTING_ORDER, QString::number(DEFAULT_DEFAULT_SORTING_ORDER)},
        {SETTING_RESTRICTED_CONTENT, QString::number(DEFAULT_RESTRICTED_CONTENT)},
        {SETTING_SEARCH_COMPLETION_ENABLED, QString::number(DEFAULT_SEARCH_COMPLETION_ENABLED)},
        {SETTING_DISK_SPACE_LIMIT, QString::number(DEFAULT_DISK_SPACE_LIMIT)},
    };
}

const QFile::Permissions OWNER_ONLY = QFile::ReadOwner | QFile::WriteOwner;

// The store holds the account's password and token: readable by its owner only. A
// missing file is made empty with those rights, so that the first write (which keeps
// the rights of the file it replaces) never shows the password to anyone else.
void restrictToOwner(const QString& fileName)
{
    if (!QFileInfo::exists(fileName)) {
        QDir().mkpath(QFileInfo(fileName).absolutePath());
        QFile file(fileName);
        if (!file.open(QIODevice::WriteOnly))
            return;
    }
    QFile::setPermissions(fileName, OWNER_ONLY);
}

} // namespace

SettingsManager::SettingsManager(const QString& settingsFile, QObject* parent)
    : QObject(parent),
      mySettings(settingsFile.isEmpty() ? new QSettings(SETTINGS_ORGANISATION, SETTINGS_APPLICATION)
                                        : new QSettings(settingsFile, QSettings::IniFormat))
{
    // At start, whatever the file holds (a line it cannot read included) and whether
    // or not anything is ever written.
    restrictToOwner(mySettings->fileName());
}

SettingsManager::~SettingsManager()
{
    sync();
    delete mySettings;
}

int SettingsManager::getSetting(const QString& key, int& value) const
{
    QString text;
    getSetting(key, text);
    bool ok = false;
    value = text.trimmed().toInt(&ok, 10);
    if (!ok)
        value = 0;
    return 0;
}

int SettingsManager::getSetting(const QString& key, QString& value) const
{
    value = mySettings->contains(key) ? mySettings->value(key).toString() : myPendingDefaults.value(key);
    return 0;
}

int SettingsManager::setSetting(const QString& key, int value)
{
    mySettings->setValue(key, QString::number(value));
    return sync();
}

int SettingsManager::setSetting(const QString& key, const QString& value)
{
    mySettings->setValue(key, value);
    return sync();
}

bool SettingsManager::contains(const QString& key) const
{
    return mySettings->contains(key) || myPendingDefaults.contains(key);
}

int SettingsManager::writeDefaults()
{
    // A store kept from an earlier database is set back at once (a new store, as
    // on a first start, holds nothing yet).
    bool reset = false;
    for (const DefaultSetting& setting : defaultSettings()) {
        if (!mySettings->contains(setting.key)) {
            myPendingDefaults.insert(setting.key, setting.value);
        } else if (mySettings->value(setting.key).toString() != setting.value) {
            mySettings->setValue(setting.key, setting.value);
            reset = true;
        }
    }
    return reset ? sync() : 0;
}

int SettingsManager::writeMissingDefaults()
{
    for (const DefaultSetting& setting : defaultSettings())
        if (!mySettings->contains(setting.key))
            myPendingDefaults.insert(setting.key, setting.value);
    return 0;
}

int SettingsManager::writePendingDefaults()
{
    return myPendingDefaults.isEmpty() ? 0 : sync();
}

QString SettingsManager::fileName() const
{
    return mySettings->fileName();
}

int SettingsManager::sync()
{
    for (auto pending = myPendingDefaults.cbegin(); pending != myPendingDefaults.cend(); ++pending)
        if (!mySettings->contains(pending.key()))
            mySettings->setValue(pending.key(), pending.value());
    myPendingDefaults.clear();
    mySettings->sync();
    restrictToOwner(mySettings->fileName());
    // A line the store could not read leaves a format error behind, but the write has
    // replaced the file all the same; only a file that could not be written is a failure.
    return mySettings->status() == QSettings::AccessError ? 1 : 0;
}
