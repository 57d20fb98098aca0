#include "widgets/VideoEntryItemDelegate.h"

#include "core/SharedImages.h"
#include "core/VideoEntry.h"
#include "core/constants/Icons.h"
#include "widgets/WidgetConstants.h"
#include "widgets/WidgetStyles.h"
#include "widgets/WidgetTexts.h"

#include <QAbstractItemView>
#include <QPainter>
#include <QTextOption>

namespace {

QFont makeFont(int weight, bool underline)
{
    QFont font(FONT_FAMILY, VIDEO_FONT_SIZE);
    font.setWeight(static_cast<QFont::Weight>(weight));
    font.setUnderline(underline);
    return font;
}

const QTextOption ALIGN_RIGHT(Qt::AlignRight | Qt::AlignTop);

} // namespace

VideoEntryItemDelegate::VideoEntryItemDelegate(QObject* parent, int mode)
    : RowDelegateBase(parent),
      myMode(eAuthorMode),
      myFont(makeFont(QFont::Normal, false)),
      myBoldFont(makeFont(QFont::Bold, false)),
      myLinkFont(makeFont(QFont::Normal, true)),
      myMetrics(myFont),
      myBoldMetrics(myBoldFont)
{
    setDelegateMode(mode);
}

VideoEntryItemDelegate::~VideoEntryItemDelegate() = default;

void VideoEntryItemDelegate::setDelegateMode(int mode)
{
    myMode = (mode == eCommentsMode) ? eCommentsMode : eAuthorMode;
}

QSize VideoEntryItemDelegate::sizeHint(const QStyleOptionViewItem& option, const QModelIndex& index) const
{
    Q_UNUSED(index);
    const QAbstractItemView* view = viewFor(option);
    const int height = rowHeight(view, VIDEO_ROW_FACTOR, VIDEO_ROW_MIN, VIDEO_ROW_MAX);
    return QSize(view ? view->viewport()->width() : 0, height);
}

void VideoEntryItemDelegate::paint(QPainter* painter, const QStyleOptionViewItem& option,
                                   const QModelIndex& index) const
{
    // 1. The row's entry; nothing to paint without one.
    VideoEntry* entry = rowItem<VideoEntry>(index);
    if (!painter || !entry)
        return;
    painter->save();

    // 2. Layout. X, Y, W, H: the row; M: margin; TW: thumbnail cell width; TH: height
    //    inside the margins; L: one of the four text lines; IB: information button.
    const QRect& r = option.rect;
    const double X = r.left();
    const double Y = r.top();
    const double W = r.width();
    const double H = r.height();
    const double M = VIDEO_ROW_MARGIN_FACTOR * H;
    const double TW = H * VIDEO_THUMBNAIL_ASPECT;
    const double TH = H - 2 * M;
    const double L = TH / VIDEO_TEXT_LINES;
    const double IB = TH * VIDEO_INFO_BUTTON_FACTOR;
    const QRectF infoBox(X + W - VIDEO_INFO_BUTTON_RIGHT - IB, Y + (H - IB) / 2, IB, IB);
    const double countsX = infoBox.left() - M - VIDEO_COUNTS_WIDTH;
    const double textX = X + TW;
    const double TAW = qMax(0.0, countsX - M - textX);
    // Texts of the lower lines sit on the bottom of their line.
    const double d = qMax(0.0, L - myMetrics.height());

    // 3. The selected row is highlighted.
    if (option.state & QStyle::State_Selected)
        drawHighlight(painter, r);

    // 4. A white line along the top of the row.
    drawTopLine(painter, r);

    // 5. Thumbnail, or the loading picture until it has arrived.
    const QRectF thumbnailBox(X + M, Y + M, TW - 2 * M, TH);
    const QImage thumbnail = entry->getThumbnail();
    drawPicture(painter, thumbnailBox, thumbnail.isNull() ? getSharedImage(ICON_LOADING) : thumbnail);
    entry->setThumbnailRect(thumbnailBox);

    // 6. Title, bold, over the first two lines.
    painter->setFont(myBoldFont);
    painter->drawText(QRectF(textX, Y + M, TAW, 2 * myBoldMetrics.height()),
                      cutText(entry->getName(), VIDEO_TITLE_MAX_CHARS), QTextOption());

    // 7. Rating stars: the part of the five-star image that the rating covers.
    bool ratingOk = false;
    const double rating = qBound(0.0, entry->getRating().toDouble(&ratingOk), 5.0);
    const QImage& stars = getStarImage();
    if (ratingOk && rating > 0 && !stars.isNull()) {
        const double starsWidth = qMin(TAW, stars.width() * (L - VIDEO_STARS_SHRINK) / stars.height());
        painter->drawImage(QRectF(textX, Y + M + 2 * L, starsWidth * rating / 5.0, L - VIDEO_STARS_SHRINK), stars,
                           QRectF(0, 0, stars.width() * rating / 5.0, stars.height()));
    }

    // 8. The link line: the author's name, or the "Video comments" link; its
    //    rectangle goes into the entry, the other link's is emptied.
    const QString linkText = myMode == eCommentsMode ? TEXT_VIDEO_COMMENTS()
                                                     : cutText(entry->getAuthor(), VIDEO_AUTHOR_MAX_CHARS);
    // The link's hit area is the width of its text over its whole line, down to the
    // row's bottom edge: easier to hit with a finger than the letters alone.
    const QRectF linkBox(textX, Y + M + 3 * L, qMin(TAW, myMetrics.horizontalAdvance(linkText)), L + M);
    painter->setFont(myLinkFont);
    painter->setPen(QColor(LINK_COLOR));
    painter->drawText(QRectF(textX, Y + M + 3 * L + d, TAW, L), linkText, QTextOption());
    painter->setPen(Qt::white);
    const QRectF hitBox = linkText.isEmpty() ? QRectF() : linkBox;
    if (myMode == eCommentsMode) {
        entry->setCommentsLinkRect(hitBox);
        entry->setAuthorRect(QRectF());
    } else {
        entry->setAuthorRect(hitBox);
        entry->setCommentsLinkRect(QRectF());
    }

    // 9. Counts and duration, right-aligned in their column.
    painter->setFont(myFont);
    if (!entry->getViewCount().isEmpty())
        painter->drawText(QRectF(countsX, Y + M + L + d, VIDEO_COUNTS_WIDTH, L),
                          TEXT_VIEW_COUNT().arg(entry->getViewCount()), ALIGN_RIGHT);
    if (!entry->getCommentCount().isEmpty())
        painter->drawText(QRectF(countsX, Y + M + 2 * L + d, VIDEO_COUNTS_WIDTH, L),
                          TEXT_COMMENT_COUNT().arg(entry->getCommentCount()), ALIGN_RIGHT);
    painter->drawText(QRectF(countsX, Y + M + 3 * L + d, VIDEO_COUNTS_WIDTH, L), formatDuration(entry->getLength()),
                      ALIGN_RIGHT);

    // 10. The information button; its rectangle goes into the entry.
    drawPicture(painter, infoBox, getSharedImage(ICON_INFOBUTTON));
    entry->setInfoButtonRect(infoBox);

    painter->restore();
}
