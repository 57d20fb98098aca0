#ifndef KRELVOX_TYPES_H
#define KRELVOX_TYPES_H

#include <QMap>
#include <QString>

// Map from a service key (category term or sort value) to its display label. The empty
// key stands for all categories in the category map and for relevance in the sort map.
typedef QMap<QString, QString> CategoryMap;

// The four standard feeds.
enum eFeedRequestType {
    eMostViewed = 0,
    eMostRecent = 1,
    eMostDiscussed = 2,
    eTopRated = 3
};

// 1 is a login that carries a captcha answer; any other value is a plain login.
enum eAuthenticateType {
    ePlainLogin = 0,
    eCaptchaLogin = 1
};

enum MediaPlayerStates {
    ePlaying = 0,
    ePaused = 1,
    eStopped = 2,
    eError = 3
};

// Download state of a favourite (DOWNLOAD_STATE column).
enum eDownloadState {
    eDownloadQueued = 0,
    eDownloadStored = 1,
    eDownloadInvalid = 2
};

// Service ids (VIDEO_SERVICE rows): 0 the device, 1 the account.
enum eVideoServiceId {
    eLocalService = 0,
    eAccountService = 1
};

// Playlist row types.
enum ePlayListType {
    ePlayListAllFavorites = 0,
    ePlayListDownloadQueue = 1,
    ePlayListLocalFolder = 2,
    ePlayListAccountFolder = 3,
    ePlayListLocal = 4,
    ePlayListAccountFavorites = 5,
    ePlayListAccount = 6
};

// Fixed playlist ids created with the database.
enum eFixedPlayListId {
    ePlayListIdAllFavorites = 1,
    ePlayListIdDownloadQueue = 2,
    ePlayListIdLocalFolder = 3
};

// Repository return codes.
enum eRepositoryCode {
    eRepOk = 0,
    eRepFailure = 1,
    eRepNotFound = 2,
    eRepNameInUse = 6,
    eRepUnsupportedService = 7
};

// Three flags of a video in the database.
struct RepVideoStatus {
    bool storedFavorite = false; // a stored copy of the video exists as a favourite
    bool inHistory = false;      // the video is in the viewing history
    bool linkFavorite = false;   // a link favourite of the video exists
};

#endif
