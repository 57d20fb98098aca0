#include "favorites/FavoriteResultPage.h"
#include "favorites/FavoriteItemDelegate.h"
#include "favorites/FavoriteSweepList.h"
#include "favorites/PlayListDelegate.h"

#include "core/Repository.h"
#include "core/Types.h"
#include "core/VideoEntry.h"
#include "core/VideoListModel.h"
#include "core/constants/Settings.h"
#include "favorites/FavoritesTexts.h"

#include <QPushButton>
#include <QStackedWidget>

// The download queue on the favourites page: the start/stop switch and the progress
// of the video that the background channel fetches.

bool FavoriteResultPage::backgroundDownloadingEnabled() const
{
    int enabled = 0;
    myRepository.getSetting(SETTING_BACKGROUND_DOWNLOADING_ENABLED, enabled);
    return enabled != 0;
}

bool FavoriteResultPage::backgroundDownloadRunning() const
{
    return backgroundDownloadingEnabled() && !myDownloadStopped;
}

void FavoriteResultPage::backgroundDownloadStatusChanged()
{
    // Written either way, the queue is started or stopped anew. Switched off, the
    // download stops: no entry is being fetched any more.
    myDownloadStopped = false;
    if (!backgroundDownloadingEnabled())
        setDownloadProgress(0, QString());
    if (isBuilt())
        updateButtons();
}

void FavoriteResultPage::backgroundDownloadStopped()
{
    myDownloadStopped = true;
    setDownloadProgress(0, QString());
    if (isBuilt())
        updateButtons();
}

void FavoriteResultPage::downloadSwitchClicked()
{
    // A queue that stopped on a failure is started again, though the setting is on.
    myRepository.setSetting(SETTING_BACKGROUND_DOWNLOADING_ENABLED, backgroundDownloadRunning() ? 0 : 1);
    updateButtons();
}

void FavoriteResultPage::setDownloadProgress(double percent, const QString& videoId)
{
    const QString before = myDownloadVideoId;
    const int shownBefore = int(myDownloadPercent);
    myDownloadVideoId = videoId;
    myDownloadPercent = percent;
    // Bytes arrive: the queue runs again (it grew, or the program started it).
    const bool resumed = myDownloadStopped && !videoId.isEmpty();
    if (resumed)
        myDownloadStopped = false;
    // A page not built yet gives its painter the last report when it is.
    if (!isBuilt())
        return;
    if (resumed)
        updateButtons();
    myFavoriteDelegate->setDownloadProgress(percent, videoId);
    // Only the download queue's rows show it, in whole percents: the row being fetched
    // is repainted when its figure changes, and the one fetched before when another
    // takes its place.
    if (myFavoriteDelegate->getDelegateMode() != FavoriteItemDelegate::eDownloadMode
        || (videoId == before && int(percent) == shownBefore))
        return;
    repaintRowOf(videoId);
    if (before != videoId)
        repaintRowOf(before);
}

void FavoriteResultPage::repaintRowOf(const QString& videoId)
{
    if (videoId.isEmpty())
        return;
    // The rows on screen, from the one at the top of the viewport.
    const QModelIndex top = myFavoriteView->indexAt(QPoint(0, 0));
    const int height = myFavoriteView->viewport()->height();
    for (int row = top.isValid() ? top.row() : 0; row < myFavoriteModel->rowCount(); ++row) {
        const QModelIndex index = myFavoriteModel->index(row, 0);
        if (myFavoriteView->visualRect(index).top() >= height)
            return;
        if (myFavoriteModel->entryAt(row)->getVideoId() == videoId)
            myFavoriteView->update(index);
    }
}

bool FavoriteResultPage::isDownloading(VideoEntry* entry) const
{
    ensureBuilt();
    return myPlayListDelegate->getPlayListType() == ePlayListDownloadQueue && entry
        && !myDownloadVideoId.isEmpty() && entry->getVideoId() == myDownloadVideoId;
}
