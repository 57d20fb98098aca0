#ifndef KRELVOX_ACCOUNTROWLAYOUT_H
#define KRELVOX_ACCOUNTROWLAYOUT_H

#include "social/StatisticsConstants.h"

#include <QRect>
#include <QRectF>

// The cells of a contact or message row: a 4:3 picture at the left, then two text
// columns of three lines each. x, y: the row's top left; m: margin; t: width of the
// picture cell; g: height inside the margins; L: one text line; c: one text column.
struct AccountRowLayout
{
    explicit AccountRowLayout(const QRect& row)
        : x(row.left()),
          y(row.top()),
          w(row.width()),
          h(row.height()),
          m(ACCOUNT_ROW_MARGIN_FACTOR * h),
          t(h * ACCOUNT_THUMBNAIL_ASPECT),
          g(h - 2 * m),
          L(g / ACCOUNT_ROW_TEXT_LINES),
          c((w - t) / 2)
    {
    }

    QRectF thumbnail() const { return QRectF(x + m, y + m, t - 2 * m, g); }
    // Line 0-2 of the left or right text column.
    QRectF leftLine(int line) const { return QRectF(x + t, y + m + line * L, c, L); }
    QRectF rightLine(int line) const { return QRectF(x + t + c, y + m + line * L, c, L); }
    // The right text column, from the top of its first line to the bottom margin.
    QRectF rightColumn() const { return QRectF(x + t + c, y + m, c, g); }

    double x, y, w, h, m, t, g, L, c;
};

#endif
