#ifndef KRELVOX_FAVORITEITEMDELEGATE_H
#define KRELVOX_FAVORITEITEMDELEGATE_H

#include "widgets/RowDelegateBase.h"

#include <QFont>
#include <QImage>
#include <QRectF>
#include <QString>

class QAbstractItemView;
class VideoEntry;

// Paints the right-hand list of the favourites page in one of three modes:
// favourite rows (thumbnail, title, stars, author link, size, duration, state icons),
// download-queue rows (thumbnail, title, duration, download status) or the message of
// an empty list. It writes the thumbnail and author-link rectangles into each entry
// for the list's hit tests and draws the drop-position line during a drag.
class FavoriteItemDelegate : public RowDelegateBase
{
    Q_OBJECT
public:
    enum eMode { eDownloadMode = 0, eFavoriteMode = 1, eEmptyListMode = 2 };

    // The view is also the parent.
    explicit FavoriteItemDelegate(QAbstractItemView* view);

    void paint(QPainter* painter, const QStyleOptionViewItem& option, const QModelIndex& index) const override;
    QSize sizeHint(const QStyleOptionViewItem& option, const QModelIndex& index) const override;

    virtual void paintDownloadItem(QPainter* painter, const QStyleOptionViewItem& option, const QModelIndex& index) const;
    virtual void paintEmptyList(QPainter* painter, const QStyleOptionViewItem& option, const QModelIndex& index) const;

    // 0, 1 or 2; any other value stores 1.
    void setDelegateMode(int mode);
    int getDelegateMode() const { return myMode; }

    // The running background download: its video id and percentage (truncated).
    void setDownloadProgress(double percent, const QString& videoId);
    const QString& getDownloadVideoId() const { return myDownloadVideoId; }
    int getDownloadPercent() const { return myDownloadPercent; }

    // The row under a favourite drag and where its line goes (0 top, else bottom).
    // A null entry removes the line.
    void setDropIndicator(VideoEntry* entry, int position);
    void getDropIndicator(VideoEntry*& entry, int& position) const;

private:
    // Steps shared by favourite and download rows; null when there is no entry.
    VideoEntry* beginRow(QPainter* painter, const QStyleOptionViewItem& option, const QModelIndex& index) const;
    void endRow(QPainter* painter, const QStyleOptionViewItem& option) const;
    void paintFavoriteItem(QPainter* painter, const QStyleOptionViewItem& option, const QModelIndex& index) const;
    int shownPlayListType() const;

    QAbstractItemView* myView;
    int myMode = eFavoriteMode;
    QString myDownloadVideoId;
    int myDownloadPercent = 0;
    VideoEntry* myDropEntry = nullptr;
    int myDropPosition = 0;
    QString myEmptyText;

    // Working storage of the last paint, reused for every row.
    mutable QFont myFont;
    mutable QImage myThumbnail;
    mutable QString myTitle, myAuthor, myDuration, myStatus;
    mutable double myAuthorWidth = 0;
    mutable double myRating = 0;
    mutable double myX = 0, myY = 0, myW = 0, myH = 0, myM = 0, myTW = 0, myTH = 0;
    mutable QRectF myThumbnailBox;
    mutable QRectF myBox;
};

#endif
