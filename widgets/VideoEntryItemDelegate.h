#ifndef KRELVOX_VIDEOENTRYITEMDELEGATE_H
#define KRELVOX_VIDEOENTRYITEMDELEGATE_H

#include "widgets/RowDelegateBase.h"

#include <QFont>
#include <QFontMetricsF>

class VideoEntry;

// Paints the rows of a video list: thumbnail, title, rating stars, the author's name
// (mode 0) or a "Video comments" link (mode 1), view and comment counts, duration and
// an information button. While painting it writes the hit rectangles of the
// thumbnail, the link and the information button into the row's VideoEntry, in the
// view's viewport coordinates, for the list's tap handling.
class VideoEntryItemDelegate : public RowDelegateBase
{
    Q_OBJECT
public:
    enum eMode { eAuthorMode = 0, eCommentsMode = 1 };

    // parent: the list view the delegate paints for (used for the row height).
    VideoEntryItemDelegate(QObject* parent, int mode);
    ~VideoEntryItemDelegate() override;

    // 1 paints the "Video comments" link, any other value the author's name.
    void setDelegateMode(int mode);
    int getDelegateMode() const { return myMode; }

    void paint(QPainter* painter, const QStyleOptionViewItem& option, const QModelIndex& index) const override;
    // The view's width by its height / VIDEO_ROW_FACTOR, within the row height range.
    QSize sizeHint(const QStyleOptionViewItem& option, const QModelIndex& index) const override;

private:
    int myMode;
    QFont myFont;
    QFont myBoldFont;
    QFont myLinkFont;
    QFontMetricsF myMetrics;
    QFontMetricsF myBoldMetrics;
};

#endif
