#ifndef KRELVOX_SETTINGSMANAGER_H
#define KRELVOX_SETTINGSMANAGER_H

#include <QHash>
#include <QObject>
#include <QString>

class QSettings;

// The settings store (organisation "Morva", application "krelvox"). Integers are
// stored as their text. The file is readable by its owner only: it holds the
// account's password and token.
class SettingsManager : public QObject
{
    Q_OBJECT
public:
    // settingsFile empty: the platform's default location for Morva/krelvox.
    explicit SettingsManager(const QString& settingsFile = QString(), QObject* parent = nullptr);
    ~SettingsManager() override;

    // 0 always; value is the stored text read as a base-10 number, 0 when missing or not a number.
    int getSetting(const QString& key, int& value) const;
    // 0 always; value is the stored text, "" when missing.
    int getSetting(const QString& key, QString& value) const;
    // 0 success, 1 when the store cannot be written.
    int setSetting(const QString& key, int value);
    int setSetting(const QString& key, const QString& value);
    bool contains(const QString& key) const;

    // The default value of every option key (used when the database is created), read
    // at once and written with the next write, or by writePendingDefaults().
    int writeDefaults();
    // The same for each option key that the store does not hold yet, so a store lost
    // beside an existing database does not leave options at 0.
    int writeMissingDefaults();
    // Writes the defaults still waiting; 0 when there were none. The program calls it
    // once its first screen is painted: the file write (two synced writes) does not
    // hold the first screen back.
    int writePendingDefaults();

    QString fileName() const;

private:
    // Writes the store, with the defaults still waiting for any key it does not hold.
    int sync();

    QSettings* mySettings;
    QHash<QString, QString> myPendingDefaults;
};

#endif
