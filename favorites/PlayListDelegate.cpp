#include "favorites/PlayListDelegate.h"
#include "favorites/FavoritesConstants.h"

#include "core/PlayList.h"
#include "core/Types.h"
#include "widgets/WidgetStyles.h"

#include <QAbstractItemView>
#include <QFontMetricsF>
#include <QPainter>
#include <QTextLayout>
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

namespace {

const QString ELLIPSIS = QStringLiteral("...");

// " (count)" for every row but the folders'.
QString countSuffix(const PlayList& playList)
{
    if (playList.getType() == ePlayListLocalFolder || playList.getType() == ePlayListAccountFolder)
        return QString();
    return QStringLiteral(" (") + QString::number(playList.getCount()) + QLatin1Char(')');
}

// The name shortened to length characters, marked as cut, with the count after it.
QString shortened(const QString& name, int length, const QString& suffix)
{
    return name.left(length).trimmed() + ELLIPSIS + suffix;
}

} // namespace

QString PlayListDelegate::rowText(const PlayList& playList)
{
    // A long name is cut, never the count after it.
    const QString suffix = countSuffix(playList);
    const QString& name = playList.getName();
    if (name.size() + suffix.size() <= PLAYLIST_NAME_MAX)
        return name + suffix;
    return shortened(name, qMax(0, PLAYLIST_NAME_MAX - int(suffix.size())), suffix);
}

QTextOption PlayListDelegate::textOption()
{
    // Words wrap; a word longer than the line breaks where it must.
    QTextOption option;
    option.setWrapMode(QTextOption::WrapAtWordBoundaryOrAnywhere);
    return option;
}

bool PlayListDelegate::fits(const QString& text, const QFont& font, const QRectF& box)
{
    const QFontMetricsF metrics(font);
    const int lines = qMax(1, int(box.height() / metrics.lineSpacing()));
    QTextLayout layout(text, font);
    layout.setTextOption(textOption());
    layout.beginLayout();
    int count = 0;
    for (QTextLine line = layout.createLine(); line.isValid(); line = layout.createLine()) {
        line.setLineWidth(box.width());
        if (++count > lines)
            break;
    }
    layout.endLayout();
    return count <= lines;
}

QString PlayListDelegate::fittedText(const PlayList& playList, const QFont& font, const QRectF& box)
{
    const QString text = rowText(playList);
    if (fits(text, font, box))
        return text;
    // The longest beginning of the name that fits with the mark and the count.
    const QString suffix = countSuffix(playList);
    const QString& name = playList.getName();
    int low = 0;
    int high = qMin(int(name.size()), PLAYLIST_NAME_MAX);
    while (low < high) {
        const int middle = (low + high + 1) / 2;
        if (fits(shortened(name, middle, suffix), font, box))
            low = middle;
        else
            high = middle - 1;
    }
    return shortened(name, low, suffix);
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
    // The name may take the row's whole height below its top margin; cut further it
    // is not, so that it and its count stay readable inside the row.
    const QRectF nameBox(myTextRect.topLeft(), QSizeF(myTextRect.width(), myH - 2 * myM));
    myText = fittedText(*playList, myFont, nameBox);
    painter->drawText(nameBox, myText, textOption());
    myFont.setWeight(QFont::Normal);

    // 6. Hit rectangle of the icon for the list.
    playList->setRect(myIconTarget);

    // 7. Bottom line.
    drawBottomLine(painter, r);
}
