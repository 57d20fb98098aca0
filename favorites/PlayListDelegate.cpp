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
    return rowSize(myView, PLAYLIST_ROW_FACTOR, PLAYLIST_ROW_MIN, PLAYLIST_ROW_MAX);
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
    PlayList* playList = rowItem<PlayList>(index);
    if (!painter || !playList)
        return;

    // 2. Layout: a square icon cell as high as the row, the text beside it;
    //    playlists inside a folder are indented.
    const QRect& r = option.rect;
    myX = r.left();
    myY = r.top();
    myW = r.width();
    myH = r.height();
    myM = myH * PLAYLIST_MARGIN_FACTOR;
    myS = myH;
    const int type = playList->getType();
    if (type == ePlayListLocal || type == ePlayListAccountFavorites || type == ePlayListAccount)
        myX += PLAYLIST_INDENT;
    myIconTarget = QRectF(myX + myM, myY + myM, myS - 2 * myM, myH - 2 * myM);
    myTextRect = QRectF(myX + myS, myY + myM, myW - (myS + myX), 2 * (myH - 2 * myM) / 3);

    // 3. Highlight of the current row, and the top line.
    highlightCurrentRow(painter, option, index);
    drawTopLine(painter, r);

    // 4. Icon.
    myIcon = playList->getIcon();
    drawPicture(painter, myIconTarget, myIcon);

    // 5. Bold name with its count.
    myFont.setWeight(QFont::Bold);
    myFont.setUnderline(false);
    painter->setFont(myFont);
    myText = rowText(*playList);
    painter->drawText(myTextRect, myText, QTextOption());
    myFont.setWeight(QFont::Normal);

    // 6. Hit rectangle of the icon for the list.
    playList->setRect(myIconTarget);

    // 7. Bottom line.
    drawBottomLine(painter, r);
}
