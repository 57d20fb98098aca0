#ifndef KRELVOX_PLAYLISTDELEGATE_H
#define KRELVOX_PLAYLISTDELEGATE_H

#include "widgets/RowDelegateBase.h"

#include <QFont>
#include <QImage>
#include <QRectF>
#include <QString>

class PlayList;
class QAbstractItemView;
class QTextOption;

// Paints the rows of the playlist tree: highlight of the current row, a white line
// above and below, the icon and the bold name with its entry count. Rows are sized
// from the view's height. The painted icon rectangle is written back into the row's
// PlayList so that the list can hit-test presses on it. The delegate also keeps the
// type of the playlist whose entries the favourites page shows.
class PlayListDelegate : public RowDelegateBase
{
    Q_OBJECT
public:
    // The view is also the parent.
    explicit PlayListDelegate(QAbstractItemView* view);

    void paint(QPainter* painter, const QStyleOptionViewItem& option, const QModelIndex& index) const override;
    QSize sizeHint(const QStyleOptionViewItem& option, const QModelIndex& index) const override;

    // 0-6; any other value stores 0.
    void setPlayListType(int type);
    int getPlayListType() const { return myPlayListType; }

    // The text of a row: the name, with " (count)" except on folder rows; when that
    // is longer than 65 characters, the name is cut and marked with "...", and the
    // count kept.
    static QString rowText(const PlayList& playList);
    // The row's text as it is drawn into the box in the font: the name cut further
    // when the wrapped text would need more lines than the box has, so that the
    // count stays readable inside the row.
    static QString fittedText(const PlayList& playList, const QFont& font, const QRectF& box);

private:
    static QTextOption textOption();
    // True when the text, wrapped to the box's width, needs no more lines than fit
    // in its height (at least one).
    static bool fits(const QString& text, const QFont& font, const QRectF& box);

    QAbstractItemView* myView;

    // Working storage of the last paint, reused for every row.
    mutable QRectF myIconTarget;
    mutable QRectF myTextRect;
    mutable double myX = 0, myY = 0, myW = 0, myH = 0, myM = 0, myS = 0;
    mutable QFont myFont;
    mutable QImage myIcon;
    mutable QString myText;

    int myPlayListType = 0;
};

#endif
