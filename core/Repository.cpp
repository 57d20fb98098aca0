#include "core/Repository.h"
#include "core/CoreLogging.h"
#include "core/FileManager.h"
#include "core/SettingsManager.h"
#include "core/constants/Paths.h"
#include "core/constants/Settings.h"
#include "core/repository/AccountMirror.h"
#include "core/repository/FavoriteStore.h"
#include "core/repository/HistoryStore.h"
#include "core/repository/PlayListStore.h"
#include "core/repository/RepositoryDatabase.h"
#include "core/repository/RepositorySchema.h"
#include "core/repository/StoredFiles.h"

#include <QAtomicInt>
#include <QDebug>
#include <QDir>

namespace {

QAtomicInt connectionCounter;

// The built-in API credentials are no settings the program may change.
bool isFixedKey(const QString& key)
{
    if (key != SETTING_YOUTUBE_CLIENT_ID && key != SETTING_YOUTUBE_DEVELOPER_KEY)
        return false;
    qCDebug(lcCore) << "setSetting() - this key cannot be modified! ";
    return true;
}

} // namespace

Repository::Repository(QObject* parent) : Repository(StoragePaths::current(), parent)
{
}

Repository::Repository(const StoragePaths& paths, QObject* parent)
    : QObject(parent),
      myPaths(paths),
      myDatabase(std::make_unique<RepositoryDatabase>(
          QStringLiteral("krelvox_db_%1").arg(connectionCounter.fetchAndAddRelaxed(1))))
{
    if (myPaths.storageRoot.isEmpty())
        myPaths.storageRoot = FileManager::defaultStorageRoot();
    if (myPaths.applicationFolder.isEmpty())
        myPaths.applicationFolder = StoragePaths::defaults().applicationFolder;
    if (!myPaths.applicationFolder.endsWith(QLatin1Char('/')))
        myPaths.applicationFolder += QLatin1Char('/');
    mySettingsManager = new SettingsManager(myPaths.settingsFile, this);
    myFileManager = new FileManager(myPaths.storageRoot, mySettingsManager, this);

    myPlayLists = std::make_unique<PlayListStore>(*myDatabase);
    myStoredFiles = std::make_unique<StoredFiles>(*myDatabase, *myFileManager);
    myFavorites = std::make_unique<FavoriteStore>(*myDatabase, *myStoredFiles);
    myHistory = std::make_unique<HistoryStore>(*myDatabase);
    myAccountMirror = std::make_unique<AccountMirror>(*myDatabase);
    myDatabase->setDamageHandler([this]() { Q_EMIT databaseDamaged(); });
}

Repository::~Repository() = default;

QString Repository::databaseFileName() const
{
    return myPaths.applicationFolder + DATABASE_FILE_NAME;
}

bool Repository::isDatabaseUsable() const
{
    return myDatabase->isUsable();
}

bool Repository::isDatabaseDamaged() const
{
    return myDatabase->isDamaged();
}

QString Repository::getThumbnailFolder() const
{
    return myFileManager ? myFileManager->getThumbnailFolder() : QString();
}

int Repository::openDatabase(bool createNew)
{
    myDatabase->close();
    if (myFileManager->createFolders() != 0)
        qCWarning(lcCore) << "Repository::openDatabase() media folders missing under" << myFileManager->getApplicationMediaFolder();
    // No download runs before the database is open: a partial file is one a killed
    // run left, and nothing will ever finish it.
    myFileManager->removePartialFiles();

    if (!QDir().mkpath(myPaths.applicationFolder)) {
        qCWarning(lcCore) << "Repository::openDatabase() cannot create" << myPaths.applicationFolder;
        return eRepFailure;
    }
    const RepositorySchema::Opened opened = RepositorySchema::open(*myDatabase, databaseFileName(), createNew);
    if (opened == RepositorySchema::Opened::Failed)
        return eRepFailure;
    if (opened == RepositorySchema::Opened::Created)
        mySettingsManager->writeDefaults();
    else
        mySettingsManager->writeMissingDefaults();
    myDatabase->setUsable(true);
    myStoredFiles->deleteLeftoverFiles();
    return eRepOk;
}

// ---------------------------------------------------------------- Settings

int Repository::getSetting(const QString& key, int& value) const
{
    return mySettingsManager->getSetting(key, value);
}

int Repository::getSetting(const QString& key, QString& value) const
{
    return mySettingsManager->getSetting(key, value);
}

int Repository::setSetting(const QString& key, int value)
{
    if (isFixedKey(key))
        return eRepFailure;
    const int result = mySettingsManager->setSetting(key, value);
    if (result != 0)
        return result;
    if (key == SETTING_BACKGROUND_DOWNLOADING_ENABLED)
        Q_EMIT backgroundDownloadStatusChanged();
    else
        Q_EMIT settingChanged(key, value);
    return eRepOk;
}

int Repository::setSetting(const QString& key, const QString& value)
{
    if (isFixedKey(key))
        return eRepFailure;
    mySettingsManager->setSetting(key, value);
    return eRepOk;
}

int Repository::clearAccount()
{
    mySettingsManager->setSetting(SETTING_YOUTUBE_USERNAME, QString());
    mySettingsManager->setSetting(SETTING_YOUTUBE_PASSWORD, QString());
    mySettingsManager->setSetting(SETTING_YOUTUBE_AUTHENTICATION_TOKEN, QString());
    return eRepOk;
}

// ---------------------------------------------------------------- Playlists

int Repository::getPlayLists(PlayListModel* model, bool collapsed[2])
{
    return myPlayLists->getPlayLists(model, collapsed);
}

int Repository::addPlayListCountsToModel(PlayListModel* model)
{
    return myPlayLists->addPlayListCountsToModel(model);
}

int Repository::addDownloadCountsToModel(PlayListModel* model)
{
    return myPlayLists->addDownloadCountsToModel(model);
}

int Repository::addPlayList(PlayList* playList)
{
    return myPlayLists->addPlayList(playList);
}

int Repository::removePlayList(int playListId)
{
    return myPlayLists->removePlayList(playListId);
}

int Repository::renamePlayList(int playListId, const QString& name)
{
    return myPlayLists->renamePlayList(playListId, name);
}

int Repository::setPlayListDescription(int playListId, const QString& description)
{
    return myPlayLists->setPlayListDescription(playListId, description);
}

int Repository::touchPlayList(int playListId)
{
    return myPlayLists->touchPlayList(playListId);
}

bool Repository::isPlayListNameFree(const QString& name, int serviceId)
{
    return myPlayLists->isPlayListNameFree(name, serviceId);
}

int Repository::getUserPlayListCount(int serviceId)
{
    return myPlayLists->getUserPlayListCount(serviceId);
}

QString Repository::uniquePlayListName(int serviceId)
{
    return myPlayLists->uniquePlayListName(serviceId);
}

PlayList* Repository::getPlayList(int playListId)
{
    return myPlayLists->getPlayList(playListId);
}

int Repository::addAccountPlayListFolder()
{
    return myPlayLists->addAccountPlayListFolder();
}

int Repository::removeAccountPlayLists()
{
    return myPlayLists->removeAccountPlayLists();
}

int Repository::syncAccountPlayLists(PlayListModel* model, bool* changed)
{
    return myAccountMirror->syncAccountPlayLists(model, changed);
}

int Repository::syncAccountPlayListEntries(int playListId, VideoListModel* model, bool* changed)
{
    return myAccountMirror->syncAccountPlayListEntries(playListId, model, changed);
}

// ---------------------------------------------------------------- Favourites and entries

int Repository::addFavorite(VideoEntry* entry, bool asLink)
{
    bool queued = false;
    const int result = myFavorites->addFavorite(entry, asLink, queued);
    if (queued)
        Q_EMIT downloadEntryAdded();
    return result;
}

int Repository::addVideoToPlayList(VideoEntry* entry, int playListId)
{
    bool queued = false;
    const int result = myFavorites->addVideoToPlayList(entry, playListId, queued);
    if (queued)
        Q_EMIT downloadEntryAdded();
    return result;
}

int Repository::removeFavorite(VideoEntry* entry, int playListId)
{
    return myFavorites->removeFavorite(entry, playListId);
}

int Repository::getPlayListEntries(int playListId, VideoListModel* model)
{
    return myFavorites->getPlayListEntries(playListId, model);
}

int Repository::getPlayListEntries(int playListId, VideoListModel* model, int limit, PlayListCursor& cursor)
{
    return myFavorites->getPlayListEntries(playListId, model, limit, cursor);
}

int Repository::updatePlayListOrder(int playListId, VideoEntry* entry, int targetSortId, bool afterLast)
{
    return myFavorites->updatePlayListOrder(playListId, entry, targetSortId, afterLast);
}

VideoEntry* Repository::getFirstPlayListsEntry(int playListId)
{
    return myFavorites->getFirstPlayListsEntry(playListId);
}

VideoEntry* Repository::getLastPlayListsEntry(int playListId)
{
    return myFavorites->getLastPlayListsEntry(playListId);
}

VideoEntry* Repository::getNextPlayListsEntry(int playListId, int favoriteId)
{
    return myFavorites->getNeighbourEntry(playListId, favoriteId, true);
}

VideoEntry* Repository::getPreviousPlayListsEntry(int playListId, int favoriteId)
{
    return myFavorites->getNeighbourEntry(playListId, favoriteId, false);
}

VideoEntry* Repository::getPlayListsEntryById(int playListId, int favoriteId)
{
    return myFavorites->getPlayListsEntryById(playListId, favoriteId);
}

int Repository::resolveVideoFilePath(VideoEntry* entry)
{
    return myStoredFiles->resolveVideoFilePath(entry);
}

VideoEntry* Repository::getFirstDownloadEntry()
{
    return myFavorites->getFirstDownloadEntry();
}

int Repository::getDownloadQueueCount()
{
    return myPlayLists->getDownloadQueueCount();
}

int Repository::storeDownloadedEntry(VideoEntry* entry)
{
    return myStoredFiles->storeDownloadedEntry(entry);
}

int Repository::markEntryInvalid(VideoEntry* entry)
{
    return myStoredFiles->markEntryInvalid(entry);
}

int Repository::getVideoStatus(const QString& videoId, RepVideoStatus& status)
{
    return myFavorites->getVideoStatus(videoId, status);
}

int Repository::updateVideoStatus(VideoEntry* entry)
{
    return myFavorites->updateVideoStatus(entry);
}

// ---------------------------------------------------------------- Histories

int Repository::addToHistory(VideoEntry* entry)
{
    int limit = 0;
    getSetting(SETTING_AMOUNT_OF_RESULTS, limit);
    return myHistory->addToHistory(entry, limit < 1 ? DEFAULT_AMOUNT_OF_RESULTS : limit);
}

int Repository::getHistory(VideoListModel* model)
{
    return myHistory->getHistory(model);
}

int Repository::deleteAllHistoryEntries()
{
    return myHistory->deleteAllHistoryEntries();
}

QString Repository::getMostViewedVideo()
{
    return myHistory->getMostViewedVideo();
}

int Repository::addSearchHistory(const QString& text)
{
    return myHistory->addSearchHistory(text);
}

int Repository::getSearchHistory(QStringList& texts)
{
    return myHistory->getSearchHistory(texts);
}

int Repository::clearSearchHistory()
{
    return myHistory->clearSearchHistory();
}

int Repository::getSearchCount()
{
    return myHistory->getSearchCount();
}

QString Repository::getMostSearched()
{
    return myHistory->getMostSearched();
}

// ---------------------------------------------------------------- Exit

int Repository::exitCleanup()
{
    return myStoredFiles->exitCleanup();
}
