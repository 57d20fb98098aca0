#include "favorites/PlayListDelegate.h"
#include "favorites/FavoritesConstants.h"

#include "core/PlayList.h"
#include "core/Types.h"
#include "widgets/WidgetStyles.h"

#include <QAbstractItemView>
#include <QPainter>
#include <QTextOption>

using namespace FavoritesGeometry;

PlayListDelegate::PlayListDelegate(QAbstractItemView* view)
    : RowDelegateBase(view), myView(view), myFont(FONT_FAMILY, PLAYLIST_FONT_SIZE)
{
}

QSize PlayListDelegate::sizeHint(const QStyleOptionViewItem& option, const QModelIndex& index) const
{
    Q_UNUSED(option);
    Q_UNUSED(index);
    return QSize(myView ? myView->width() : 0,
                 rowHeight(myView, PLAYLIST_ROW_FACTOR, PLAYLIST_ROW_MIN, PLAYLIST_ROW_MAX));
}

void PlayListDelegate::setPlayListType(int type)
{
    myPlayListType = (type >= ePlayListAllFavorites && type <= ePlayListAccount) ? type : ePlayListAllFavorites;
}

QString PlayListDelegate::rowText(const PlayList& playList)
{
    QString text = playList.getName();
    if (playList.getType() != ePlayListLocalFolder && playList.getType() != ePlayListAccountFolder)
        text += QStringLiteral(" (") + QString::number(playList.getCount()) + QLatin1Char(')');
    return cutText(text, PLAYLIST_NAME_MAX);
}

void PlayListDelegate::paint(QPainter* painter, const QStyleOptionViewItem& option, const QModelIndex& index) const
{
    // 1. The row's playlist, or nothing to paint.
    if (!index.isValid() || !painter)
        return;
    myVariant = index.model()->data(index, Qt::DisplayRole);
    if (!myVariant.isValid() || myVariant.isNull())
        return;
    PlayList* playList = myVariant.value<PlayList*>();
    if (!playList)
        return;

    // 2. Highlight of the current row.
    if (myView && index == myView->currentIndex())
        drawHighlight(painter, option.rect);

    // 3. Layout; playlists inside a folder are indented.
    const QRect& r = option.rect;
    myX = r.left();
    myY = r.top();
    myW = r.right() - r.left() + 1;
    myH = r.bottom() - r.top() + 1;
    myM = myH * PLAYLIST_MARGIN_FACTOR;
    myS = myH;
    const int type = playList->getType();
    if (type == ePlayListLocal || type == ePlayListAccountFavorites || type == ePlayListAccount)
        myX += PLAYLIST_INDENT;
    myIconTarget = QRectF(myX + myM, myY + myM, myS - 2 * myM, myH - 2 * myM);
    myTextRect = QRectF(myX + myS, myY + myM, myW - (myS + myX), 2 * (myH - 2 * myM) / 3);

    // 4. Top line.
    drawTopLine(painter, r);

    // 5. Icon.
    myIcon = playList->getIcon();
    drawPicture(painter, myIconTarget, myIcon);

    // 6.-8. Bold name with its count.
    myFont.setWeight(QFont::Bold);
    myFont.setUnderline(false);
    painter->setFont(myFont);
    myText = rowText(*playList);
    painter->drawText(myTextRect, myText, QTextOption());
    myFont.setWeight(QFont::Normal);

    // 9. Hit rectangle of the icon for the list.
    playList->setRect(myIconTarget);

    // 10. Bottom line.
    drawBottomLine(painter, r);
}
