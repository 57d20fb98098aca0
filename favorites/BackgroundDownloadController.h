#ifndef KRELVOX_BACKGROUNDDOWNLOADCONTROLLER_H
#define KRELVOX_BACKGROUNDDOWNLOADCONTROLLER_H

#include <QObject>
#include <QString>

#include <memory>

class FavoriteResultController;
class Repository;
class VideoEntry;
class VideoServiceProvider;

// Works the download queue off in the background: one queued favourite at a time, in
// queue order, through the service's background channel. Each finished or impossible
// download starts the next one, until the queue is empty or background downloading is
// switched off (SETTING_BACKGROUND_DOWNLOADING_ENABLED). The favourites page is kept up
// to date through its controller. No window and no signals of its own.
class BackgroundDownloadController : public QObject
{
    Q_OBJECT
public:
    // The service, the repository and the favourites controller are not owned; the
    // favourites controller may be null (then no list is refreshed).
    BackgroundDownloadController(VideoServiceProvider* service, Repository& repository,
                                 FavoriteResultController* favoriteController, QObject* parent = nullptr);
    ~BackgroundDownloadController() override;

    // The favourite handed to the service, null while idle.
    const VideoEntry* getDownloadEntry() const { return myDownloadEntry.get(); }

public Q_SLOTS:
    // Reads the setting: on, hands the first queued favourite to the service; off,
    // cancels the background download.
    void startOrStopBackgroundDownload();

private Q_SLOTS:
    // The queue has grown: starts it unless a background download runs already.
    void checkBackgroundDownloadState();
    // The running download has finished: stores it and moves on.
    void backgroundDownloadDone();
    // The running entry cannot be downloaded: marks it invalid and moves on.
    void backgroundDownloadInvalid(const QString& text);
    // The running download broke off (the connection, the storage): the entry stays
    // queued and the chain pauses until the setting is written, the queue grows or
    // the program starts again.
    void backgroundDownloadStopped();

private:
    void refreshFavoriteLists();

    VideoServiceProvider* myService;
    Repository& myRepository;
    FavoriteResultController* myFavoriteController;
    int myEnabled = 0;
    std::unique_ptr<VideoEntry> myDownloadEntry;
};

#endif
