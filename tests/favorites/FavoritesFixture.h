#ifndef KRELVOX_FAVORITESFIXTURE_H
#define KRELVOX_FAVORITESFIXTURE_H

// A favourites page on the test world's window, with its controller, the page history
// and a video service, plus helpers to fill the database, find rows on screen and hand
// drag events to the page.

#include "favorites/FavoriteItemDelegate.h"
#include "favorites/FavoriteResultController.h"
#include "favorites/FavoriteResultPage.h"
#include "favorites/FavoriteSweepList.h"
#include "favorites/PlayListDelegate.h"
#include "favorites/PlayListSweepList.h"

#include "core/FileManager.h"
#include "core/PlayList.h"
#include "core/PlayListModel.h"
#include "core/Types.h"
#include "core/VideoListModel.h"
#include "core/constants/Paths.h"
#include "core/constants/Settings.h"
#include "shell/PageHistory.h"
#include "tests/support/TestSupport.h"

#include <QApplication>
#include <QImage>
#include <QMimeData>
#include <QPainter>
#include <QPushButton>

#include <functional>

struct FavoritesWorld
{
    enum ServiceKind {
        RecordedCommands,   // the recording service: commands are only recorded
        LocalCommands,      // the recording service, which also carries out the device's commands
        AccountService,     // the video service on the fake service's signed-in account
    };

    // beforePage runs on the world before the controller and its page are made.
    explicit FavoritesWorld(ServiceKind kind = LocalCommands,
                            const std::function<void(TestWorld&)>& beforePage = nullptr)
        : world(kind == AccountService ? TestWorld::SignedIn : TestWorld::Database),
          repository(*world.repository),
          service(kind == LocalCommands ? &repository : nullptr),
          history(world.history),
          window(world.window())
    {
        if (beforePage)
            beforePage(world);
        VideoServiceProvider* provider = kind == AccountService ? static_cast<VideoServiceProvider*>(world.service.get())
                                                                : &service;
        controller = new FavoriteResultController(provider, repository, history, &window);
        page = controller->getPage();
        page->setGeometry(0, 0, 800, 480);
    }
    ~FavoritesWorld()
    {
        delete controller;
    }

    // ---- Filling the database

    QString thumbnailFile(const QString& videoId, const QColor& color)
    {
        QImage image(128, 96, QImage::Format_RGB32);
        image.fill(color);
        QPainter painter(&image);
        painter.setPen(Qt::white);
        painter.drawText(image.rect(), Qt::AlignCenter, videoId);
        painter.end();
        const QString file = repository.getFileManager()->getThumbnailFolder() + videoId + QStringLiteral(".png");
        image.save(file);
        return file;
    }

    // A video with a picture of its own; each one a little longer and rated otherwise.
    VideoEntry makeVideo(const QString& videoId, const QString& title = QString())
    {
        static const QColor colors[] = {QColor(40, 90, 160), QColor(160, 70, 40), QColor(50, 130, 60),
                                        QColor(120, 60, 140), QColor(150, 130, 30)};
        static int next = 0;
        VideoEntry entry = testVideo(videoId, title.isEmpty() ? QStringLiteral("Video ") + videoId : title);
        entry.setLength(61.5f + 37 * next);
        entry.setRating(QString::number(1 + next % 5));
        entry.setThumbnailFile(thumbnailFile(videoId, colors[next++ % 5]));
        return entry;
    }

    // A favourite kept as a link; its favourite id.
    int addLink(const QString& videoId, const QString& title = QString())
    {
        VideoEntry entry = makeVideo(videoId, title);
        repository.addFavorite(&entry, true);
        return entry.getFavoriteId();
    }
    // A favourite saved as a stored copy and still waiting in the queue.
    int addQueued(const QString& videoId, const QString& title = QString())
    {
        VideoEntry entry = makeVideo(videoId, title);
        repository.addFavorite(&entry, false);
        return entry.getFavoriteId();
    }
    // A stored copy whose file has been downloaded.
    int addStored(const QString& videoId, const QString& title = QString())
    {
        VideoEntry entry = makeVideo(videoId, title);
        repository.addFavorite(&entry, false);
        writeFile(repository.getFileManager()->getFavoriteVideoFolder() + videoId + VIDEO_FILE_SUFFIX,
                  QByteArray(3 * 1048576 + 200000, 'v'));
        repository.storeDownloadedEntry(&entry);
        return entry.getFavoriteId();
    }
    // A stored copy that cannot be downloaded.
    int addInvalid(const QString& videoId, const QString& title = QString())
    {
        VideoEntry entry = makeVideo(videoId, title);
        repository.addFavorite(&entry, false);
        repository.markEntryInvalid(&entry);
        return entry.getFavoriteId();
    }
    int addPlayList(int serviceId, int type, const QString& name)
    {
        return ::addPlayList(repository, serviceId, type, name);
    }
    int addToPlayList(const QString& videoId, int playListId)
    {
        VideoEntry entry = makeVideo(videoId);
        repository.addVideoToPlayList(&entry, playListId);
        return entry.getFavoriteId();
    }
    void setSignedIn(bool signedIn) { world.setSignedIn(signedIn); }

    // The playlists most page tests share, made in this order: "Mix" holding the
    // videos given, "Empty", and with the account its folder, its "Favorites" holding
    // their videos, and the account playlist "Trips".
    struct PlayLists
    {
        int mix = 0;
        int empty = 0;
        int accountFolder = 0;
        int accountFavorites = 0;
        int trips = 0;
    };
    PlayLists addPlayLists(const QStringList& mixVideos, bool account = true,
                           const QStringList& accountFavoriteVideos = QStringList())
    {
        PlayLists ids;
        ids.mix = addPlayList(eLocalService, ePlayListLocal, QStringLiteral("Mix"));
        for (const QString& videoId : mixVideos)
            addToPlayList(videoId, ids.mix);
        ids.empty = addPlayList(eLocalService, ePlayListLocal, QStringLiteral("Empty"));
        if (!account)
            return ids;
        ids.accountFolder = repository.addAccountPlayListFolder();
        ids.accountFavorites = addPlayList(eAccountService, ePlayListAccountFavorites, QStringLiteral("Favorites"));
        for (const QString& videoId : accountFavoriteVideos)
            addToPlayList(videoId, ids.accountFavorites);
        ids.trips = addPlayList(eAccountService, ePlayListAccount, QStringLiteral("Trips"));
        return ids;
    }

    // Closes both folders and refills, so that the tree ends above the list's bottom.
    void collapseFolders()
    {
        page->getPlayListModel()->setVsFolderCollapsed(0, true);
        page->getPlayListModel()->setVsFolderCollapsed(1, true);
        controller->refreshLists();
        paint();
    }
    // A point of the playlist list below its last row, in page coordinates.
    QPoint belowPlayLists() const
    {
        QWidget* viewport = page->getPlayListView()->viewport();
        return viewport->mapTo(page, QPoint(20, viewport->height() - 2));
    }

    // ---- The page on screen

    void show(bool openFolders = true)
    {
        if (openFolders) {
            page->getPlayListModel()->setVsFolderCollapsed(0, false);
            page->getPlayListModel()->setVsFolderCollapsed(1, false);
        }
        if (!world.show())
            qWarning("the favourites window was not exposed");
        controller->restoreHistoryPosition(nullptr);
        // As the main window does when it shows a page.
        page->setPageFocus();
        paint();
    }
    // Lets the painters run, which writes the hit rectangles into the rows.
    void paint()
    {
        page->grab();
    }
    void select(int playListId)
    {
        page->selectPlayListById(playListId);
        paint();
    }
    PlayList* playList(int id) const { return page->getPlayListModel()->getPlayListById(id); }
    VideoEntry* entry(int row) const { return page->getFavoriteModel()->entryAt(row); }
    VideoEntry* entryByVideoId(const QString& videoId) const
    {
        for (VideoEntry* e : page->getFavoriteModel()->entries())
            if (e->getVideoId() == videoId)
                return e;
        return nullptr;
    }
    int rowOf(const QString& videoId) const
    {
        return page->getFavoriteModel()->findEntryIndex(entryByVideoId(videoId));
    }
    // Centre of a playlist's row, in page coordinates.
    QPoint playListPoint(int id) const
    {
        PlayListSweepList* view = page->getPlayListView();
        const QModelIndex index = page->getPlayListModel()->getPlayListIndex(id);
        view->scrollTo(index);
        const QRect rect = view->visualRect(index);
        return view->viewport()->mapTo(page, rect.center());
    }
    // A point of a favourite row at a share of its height, in page coordinates.
    QPoint favoritePoint(int row, double share = 0.5) const
    {
        FavoriteSweepList* view = page->getFavoriteView();
        const QModelIndex index = page->getFavoriteModel()->index(row, 0);
        view->scrollTo(index);
        const QRect rect = view->visualRect(index);
        return view->viewport()->mapTo(page, QPoint(rect.left() + rect.width() * 2 / 3,
                                                     rect.top() + int(rect.height() * share)));
    }
    QPoint trashPoint() const
    {
        QWidget* trash = page->getTrashButton();
        return trash->mapTo(page, trash->rect().center());
    }
    // Hands a drag event straight to the page. (Through QApplication the drop handling
    // would look for the running drag, and there is none here.)
    void deliver(QEvent* event) { static_cast<QObject*>(page)->event(event); }

    // Sends a drop of a drag of that format to the page; true when it was accepted.
    bool drop(const QPoint& point, const QString& format)
    {
        QMimeData data;
        data.setData(format, QByteArray());
        QDropEvent event(QPointF(point), Qt::LinkAction, &data, Qt::LeftButton, Qt::NoModifier);
        event.ignore();
        deliver(&event);
        return event.isAccepted() && event.dropAction() != Qt::IgnoreAction;
    }
    bool dragMove(const QPoint& point, const QString& format)
    {
        QMimeData data;
        data.setData(format, QByteArray());
        QDragMoveEvent event(point, Qt::LinkAction, &data, Qt::LeftButton, Qt::NoModifier);
        event.ignore();
        deliver(&event);
        return event.isAccepted();
    }
    VideoEntry* dropIndicator(int* flag = nullptr) const
    {
        VideoEntry* indicator = nullptr;
        int position = 0;
        page->getFavoriteDelegate()->getDropIndicator(indicator, position);
        if (flag)
            *flag = position;
        return indicator;
    }

    TestWorld world;
    Repository& repository;
    RecordingVideoService service;
    PageHistory& history;
    QWidget& window;
    FavoriteResultController* controller = nullptr;
    FavoriteResultPage* page = nullptr;
};

#endif
