#ifndef KRELVOX_STORAGEPATHS_H
#define KRELVOX_STORAGEPATHS_H

#include <QString>

// Where the program keeps its files. The defaults are the device's: the storage root
// is the memory card when mounted, else /tmp; the application folder (database) is
// HOME + "/krelvox/", else "/home/krelvox/"; the settings file is the store of
// organisation "Morva", application "krelvox". Tests replace all three with folders of
// their own through setOverride before they create a Repository.
struct StoragePaths
{
    QString storageRoot;       // media folders live in storageRoot + "/krelvox/"
    QString applicationFolder; // ends with "/"; holds the database file
    QString settingsFile;      // empty: the platform's default settings location

    static StoragePaths defaults();
    static StoragePaths current();        // the override when one is set, else the defaults
    static void setOverride(const StoragePaths& paths);
    static void clearOverride();
};

#endif
