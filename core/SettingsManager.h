#ifndef KRELVOX_SETTINGSMANAGER_H
#define KRELVOX_SETTINGSMANAGER_H

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

    // Writes the default value of every option key (used when the database is created).
    int writeDefaults();
    // Writes the default value of each option key that the store does not hold yet, so
    // a store lost beside an existing database does not leave options at 0.
    int writeMissingDefaults();

    QString fileName() const;

private:
    int sync();

    QSettings* mySettings;
};

#endif
