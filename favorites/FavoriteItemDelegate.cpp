#include "favorites/FavoriteItemDelegate.h"
#include "favorites/FavoriteSweepList.h"
#include "favorites/FavoritesConstants.h"

#include "core/SharedImages.h"
#include "core/Types.h"
#include "core/VideoEntry.h"
#include "favorites/FavoritesTexts.h"
#include "widgets/WidgetConstants.h"
#include "widgets/WidgetStyles.h"

#include <QAbstractItemView>
#include <QFontMetricsF>
#include <QPainter>
#include <QTextOption>

using namespace FavoritesGeometry;

namespace {
const QColor LINK_PEN_COLOR(LINK_COLOR);
}

FavoriteItemDelegate::FavoriteItemDelegate(QAbstractItemView* view)
    : RowDelegateBase(view),
      myView(view),
      myEmptyText(TEXT_NO_FAVORITES()),
      myFont(FONT_FAMILY, FAVORITE_FONT_SIZE)
{
}

QSize FavoriteItemDelegate::sizeHint(const QStyleOptionViewItem& option, const QModelIndex& index) const
{
    Q_UNUSED(option);
    Q_UNUSED(index);
    return rowSize(myView, FAVORITE_ROW_FACTOR, FAVORITE_ROW_MIN, FAVORITE_ROW_MAX);
}

void FavoriteItemDelegate::setDelegateMode(int mode)
{
    myMode = (mode == eDownloadMode || mode == eFavoriteMode || mode == eEmptyListMode) ? mode : eFavoriteMode;
}

void FavoriteItemDelegate::setDownloadProgress(double percent, const QString& videoId)
{
    myDownloadVideoId = videoId;
    myDownloadPercent = static_cast<int>(percent);
}

void FavoriteItemDelegate::setDropIndicator(VideoEntry* entry, int position)
{
    myDropEntry = entry;
    myDropPosition = position;
}

void FavoriteItemDelegate::getDropIndicator(VideoEntry*& entry, int& position) const
{
    entry = myDropEntry;
    position = myDropPosition;
}

int FavoriteItemDelegate::shownPlayListType() const
{
    const FavoriteSweepList* list = qobject_cast<const FavoriteSweepList*>(myView);
    return list ? list->getPlayListType() : ePlayListAllFavorites;
}

void FavoriteItemDelegate::paint(QPainter* painter, const QStyleOptionViewItem& option, const QModelIndex& index) const
{
    if (!painter || !rowItem<VideoEntry>(index))
        return;
    switch (myMode) {
    case eDownloadMode:
        paintDownloadItem(painter, option, index);
        break;
    case eEmptyListMode:
        paintEmptyList(painter, option, index);
        break;
    default:
        paintFavoriteItem(painter, option, index);
        break;
    }
}

VideoEntry* FavoriteItemDelegate::beginRow(QPainter* painter, const QStyleOptionViewItem& option,
                                           const QModelIndex& index) const
{
    // 1. The row's entry.
    VideoEntry* entry = rowItem<VideoEntry>(index);
    if (!entry)
        return nullptr;

    // 2. Highlight of the current row.
    highlightCurrentRow(painter, option, index);

    // 3. Layout shared by both row kinds.
    const QRect& r = option.rect;
    myX = r.left();
    myY = r.top();
    myW = r.width();
    myH = r.height();
    myM = FAVORITE_MARGIN_FACTOR * myH;
    myTW = myH * VIDEO_THUMBNAIL_ASPECT;
    myTH = myH - 2 * myM;
    myThumbnailBox = QRectF(myX + myM, myY + myM, myTW - 2 * myM, myTH);

    // 4. Drop position line.
    if (myDropEntry && myDropEntry == entry) {
        const double y = myDropPosition ? myY + myH - DROP_INDICATOR_INSET : myY + DROP_INDICATOR_INSET;
        painter->setPen(DROP_INDICATOR_COLOR);
        painter->drawLine(QPointF(DROP_INDICATOR_SIDE, y), QPointF(DROP_INDICATOR_SIDE + myW - 2 * DROP_INDICATOR_SIDE, y));
    }

    // 5. Top line.
    drawTopLine(painter, r);

    // 6. Thumbnail.
    myThumbnail = entry->getThumbnail();
    drawPicture(painter, myThumbnailBox, myThumbnail);
    return entry;
}

void FavoriteItemDelegate::endRow(QPainter* painter, const QStyleOptionViewItem& option) const
{
    // 7. Bottom line, last.
    drawBottomLine(painter, option.rect);
}

void FavoriteItemDelegate::paintFavoriteItem(QPainter* painter, const QStyleOptionViewItem& option,
                                             const QModelIndex& index) const
{
    VideoEntry* entry = beginRow(painter, option, index);
    if (!entry)
        return;

    bool ok = false;
    myRating = entry->getRating().toDouble(&ok);
    if (!ok)
        myRating = 0;
    myRating = qBound(0.0, myRating, MAX_RATING);
    const double L = myTH / 4;
    const double T3 = myTH / 3;
    const double TAW = myW - myTW - T3 - 2 * myM;
    const double textX = myX + myTW;

    // Title, bold, at most two lines.
    myFont.setWeight(QFont::Bold);
    myFont.setUnderline(false);
    painter->setFont(myFont);
    const double h = QFontMetricsF(myFont).height();
    myTitle = cutText(entry->getName(), FAVORITE_TITLE_MAX);
    painter->drawText(QRectF(textX, myY + myM, TAW, 2 * h), myTitle, QTextOption());
    // Moves the lower texts down to the bottom of their lines.
    const double d = static_cast<int>(L - h);

    // Author link.
    myFont.setWeight(QFont::Normal);
    myFont.setUnderline(true);
    painter->setFont(myFont);
    painter->setPen(LINK_PEN_COLOR);
    myAuthor = cutText(entry->getAuthor(), AUTHOR_MAX);
    painter->drawText(QRectF(textX, myY + myM + 3 * L + d, TAW - SIZE_COLUMN_WIDTH, L), myAuthor, QTextOption());
    painter->setPen(Qt::white);
    myFont.setUnderline(false);
    painter->setFont(myFont);
    myAuthorWidth = QFontMetricsF(myFont).horizontalAdvance(myAuthor);
    entry->setAuthorRect(QRectF(textX, myY + myM + 3 * L + d, myAuthorWidth, L));

    // Rating stars, as much of the five-star image as the rating covers.
    if (myRating > 0) {
        const QImage& stars = getStarImage();
        painter->drawImage(QRectF(textX, myY + myM + 2 * L, (TAW - STAR_WIDTH_CUT) * myRating / MAX_RATING, L - STAR_HEIGHT_CUT),
                           stars, QRectF(0, 0, stars.width() * myRating / MAX_RATING, STAR_SOURCE_HEIGHT));
    }

    entry->setThumbnailRect(myThumbnailBox);

    // File size and duration in the right-hand column.
    const double columnX = textX + TAW - SIZE_COLUMN_WIDTH + myM;
    painter->drawText(QRectF(columnX, myY + myM + 2 * L + d, SIZE_COLUMN_WIDTH - myM, L),
                      formatFileSize(entry->getVideoFileSize()), QTextOption());
    myDuration = formatDuration(entry->getLength());
    painter->drawText(QRectF(columnX, myY + myM + 3 * L + d, SIZE_COLUMN_WIDTH - myM, L), myDuration, QTextOption());

    // State icons: link, stored copy, history.
    const double iconX = textX + TAW + 2 * myM;
    drawPicture(painter, QRectF(iconX, myY + myM, T3, T3), entry->getLinkStateImage());
    drawPicture(painter, QRectF(iconX, myY + myM + T3, T3, T3), entry->getMemoryStateImage());
    drawPicture(painter, QRectF(iconX, myY + myM + 2 * T3, T3, T3), entry->getHistoryStateImage());

    endRow(painter, option);
}

void FavoriteItemDelegate::paintDownloadItem(QPainter* painter, const QStyleOptionViewItem& option,
                                             const QModelIndex& index) const
{
    VideoEntry* entry = beginRow(painter, option, index);
    if (!entry)
        return;

    const double T3 = myTH / 3;
    const double textX = myX + myTW;
    const double textW = myW - myTW;

    myFont.setWeight(QFont::Bold);
    myFont.setUnderline(false);
    painter->setFont(myFont);
    myTitle = cutText(entry->getName(), DOWNLOAD_TITLE_MAX);
    painter->drawText(QRectF(textX, myY + myM, textW, 2 * T3), myTitle, QTextOption());

    myFont.setWeight(QFont::Normal);
    painter->setFont(myFont);
    entry->setThumbnailRect(myThumbnailBox);

    myDuration = TEXT_DURATION_PREFIX() + formatDuration(entry->getLength());
    painter->drawText(QRectF(textX, myY + DOWNLOAD_DURATION_ROW * T3, textW, T3), myDuration, QTextOption());

    // An entry without a video id is never the running download.
    if (!entry->getVideoId().isEmpty() && entry->getVideoId() == myDownloadVideoId)
        myStatus = TEXT_DOWNLOADED_PREFIX() + QString::number(myDownloadPercent) + QLatin1Char('%');
    else if (entry->getDownloadState() == eDownloadInvalid)
        myStatus = TEXT_UNABLE_TO_DOWNLOAD();
    else
        myStatus.clear();
    if (!myStatus.isEmpty())
        painter->drawText(QRectF(textX, myY + DOWNLOAD_STATUS_ROW * T3, textW, T3), myStatus, QTextOption());

    endRow(painter, option);
}

void FavoriteItemDelegate::paintEmptyList(QPainter* painter, const QStyleOptionViewItem& option,
                                          const QModelIndex& index) const
{
    Q_UNUSED(option);
    Q_UNUSED(index);
    const double vw = myView ? myView->width() : option.rect.width();
    const double vh = myView ? myView->height() : option.rect.height();

    switch (shownPlayListType()) {
    case ePlayListDownloadQueue:
        myStatus = TEXT_NO_DOWNLOADS();
        break;
    case ePlayListLocalFolder:
    case ePlayListAccountFolder:
        myStatus.clear();
        break;
    case ePlayListLocal:
    case ePlayListAccount:
        myStatus = TEXT_EMPTY_PLAYLIST();
        break;
    default:
        myStatus = myEmptyText;
        break;
    }

    myFont.setWeight(QFont::Bold);
    myFont.setPointSize(EMPTY_LIST_FONT_SIZE);
    painter->setFont(myFont);
    painter->setPen(Qt::white);
    painter->drawText(QRectF(EMPTY_MESSAGE_X * vw, vh / EMPTY_MESSAGE_Y_DIVISOR, vw, EMPTY_MESSAGE_HEIGHT * vh),
                      myStatus, QTextOption());
    myFont.setPointSize(FAVORITE_FONT_SIZE);
    myFont.setWeight(QFont::Normal);
}
