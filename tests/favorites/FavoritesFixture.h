#ifndef KRELVOX_FAVORITESFIXTURE_H
#define KRELVOX_FAVORITESFIXTURE_H

// A favourites page on its own window, with its controller, a repository in a
// private test world and a recording video service, plus helpers to fill the
// database, find rows on screen and answer the page's dialogs.

#include "favorites/FavoriteItemDelegate.h"
#include "favorites/FavoriteResultController.h"
#include "favorites/FavoriteResultPage.h"
#include "favorites/FavoriteSweepList.h"
#include "favorites/PlayListDelegate.h"
#include "favorites/PlayListSweepList.h"

#include "core/FileManager.h"
#include "core/PlayList.h"
#include "core/PlayListModel.h"
#include "core/Repository.h"
#include "core/Types.h"
#include "core/VideoEntry.h"
#include "core/VideoListModel.h"
#include "core/constants/Paths.h"
#include "core/constants/Settings.h"
#include "shell/BaseDialog.h"
#include "shell/PageHistory.h"
#include "tests/favorites/RecordingVideoService.h"
#include "tests/support/TestEnvironment.h"

#include <QApplication>
#include <QFile>
#include <QImage>
#include <QMimeData>
#include <QPainter>
#include <QPointer>
#include <QPushButton>
#include <QTest>
#include <QTimer>

// Answers the next modal dialog that appears: remembers its title and text and
// presses OK (accept) or Cancel.
class DialogAnswerer : public QObject
{
public:
    explicit DialogAnswerer(bool accept) : myAccept(accept)
    {
        myTimer.setInterval(10);
        QObject::connect(&myTimer, &QTimer::timeout, this, [this]() { poll(); });
        myTimer.start();
    }
    bool answered() const { return myAnswered; }
    QString title;
    QString text;

private:
    void poll()
    {
        BaseDialog* dialog = qobject_cast<BaseDialog*>(QApplication::activeModalWidget());
        if (!dialog)
            return;
        myTimer.stop();
        myAnswered = true;
        title = dialog->getTitle();
        text = dialog->getText();
        if (myAccept)
            dialog->accept();
        else
            dialog->reject();
    }
    QTimer myTimer;
    bool myAccept;
    bool myAnswered = false;
};

struct FavoritesWorld
{
    explicit FavoritesWorld(bool runCommandsLocally = true)
        : service(runCommandsLocally ? &repository : nullptr)
    {
        repository.openDatabase();
        controller = new FavoriteResultController(&service, repository, history, &window);
        page = controller->getPage();
        window.resize(800, 480);
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

    VideoEntry makeVideo(const QString& videoId, const QString& title = QString())
    {
        static const QColor colors[] = {QColor(40, 90, 160), QColor(160, 70, 40), QColor(50, 130, 60),
                                        QColor(120, 60, 140), QColor(150, 130, 30)};
        static int next = 0;
        VideoEntry entry;
        entry.setVideoId(videoId);
        entry.setName(title.isEmpty() ? QStringLiteral("Video ") + videoId : title);
        entry.setAuthor(QStringLiteral("author_") + videoId);
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
        QFile file(repository.getFileManager()->getFavoriteVideoFolder() + videoId + VIDEO_FILE_SUFFIX);
        file.open(QIODevice::WriteOnly);
        file.write(QByteArray(3 * 1048576 + 200000, 'v'));
        file.close();
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
        PlayList playList(0, serviceId, type, name);
        repository.addPlayList(&playList);
        return playList.getId();
    }
    int addToPlayList(const QString& videoId, int playListId)
    {
        VideoEntry entry = makeVideo(videoId);
        repository.addVideoToPlayList(&entry, playListId);
        return entry.getFavoriteId();
    }
    void setSignedIn(bool signedIn)
    {
        repository.setSetting(SETTING_YOUTUBE_ACCOUNT_SIGNED_IN, signedIn ? 1 : 0);
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
        window.show();
        if (!QTest::qWaitForWindowExposed(&window))
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

    TestEnvironment environment;
    Repository repository;
    PageHistory history;
    RecordingVideoService service;
    QWidget window;
    FavoriteResultController* controller = nullptr;
    FavoriteResultPage* page = nullptr;
};

#endif
