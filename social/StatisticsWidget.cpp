#include "social/StatisticsWidget.h"

#include "social/SocialTexts.h"
#include "social/StatisticsConstants.h"

#include "service/account/AccountConstants.h"
#include "widgets/WidgetTexts.h"

#include <QFrame>
#include <QGridLayout>
#include <QLabel>

namespace {

// One line: its caption, the profile key of its value and its cell. The disk line
// has a second key and reads "<used> / <free>MB".
struct Line
{
    QString (*caption)();
    const QString& key;
    int row;
    int column;
};

const QList<Line>& lines()
{
    static const QList<Line> table = {
        {&TEXT_PROFILE_CREATED, PROFILE_PUBLISHED, 0, 0},
        {&TEXT_LAST_LOGIN, PROFILE_LAST_WEB_ACCESS, 1, 0},
        {&TEXT_DISKSPACE_USED_FREE, PROFILE_DISK_SPACE_USED, 2, 0},
        {&TEXT_AMOUNT_OF_FAVORITES, PROFILE_FAVORITES, 3, 0},
        {&TEXT_AMOUNT_OF_CONTACTS, PROFILE_CONTACTS, 4, 0},
        {&TEXT_VIDEOS_VIEWED, PROFILE_VIDEO_WATCH_COUNT, 0, 1},
        {&TEXT_MOST_VIEWED_FIGURE, PROFILE_MOST_VIEWED_VIDEO, 1, 1},
        {&TEXT_SEARCHES_MADE, PROFILE_SEARCHES, 2, 1},
        {&TEXT_MOST_SEARCHED, PROFILE_MOST_SEARCHED, 3, 1},
        {&TEXT_SUBSCRIPTIONS, PROFILE_SUBSCRIPTIONS, 4, 1},
    };
    return table;
}

} // namespace

StatisticsWidget::StatisticsWidget(QWidget* parent) : QWidget(parent), myLayout(new QGridLayout)
{
    setStyleSheet(STYLE_STATISTICS_WIDGET);
    for (const Line& line : lines()) {
        auto* value = new QLabel(this);
        // The figures come from the account's profile document: shown as they stand.
        value->setTextFormat(Qt::PlainText);
        myLayout->addWidget(value, line.row, line.column, Qt::AlignLeft);
        myValues.append(value);
    }
    // Empty frames under the lines keep each column at least 250 px wide.
    for (int i = 0; i < STATISTICS_LINES; ++i) {
        auto* column = new QFrame(this);
        column->setStyleSheet(STYLE_STATISTICS_COLUMN);
        myLayout->addWidget(column, i % STATISTICS_ROWS, i / STATISTICS_ROWS);
        column->lower();
    }
    setLayout(myLayout);
    setAutoFillBackground(true);
}

StatisticsWidget::~StatisticsWidget() = default;

void StatisticsWidget::setData(const QHash<QString, QString>& data)
{
    for (int i = 0; i < lines().count(); ++i) {
        const Line& line = lines().at(i);
        QString text = line.caption() + data.value(line.key);
        if (line.key == PROFILE_DISK_SPACE_USED)
            text += QStringLiteral(" / ") + data.value(PROFILE_DISK_SPACE_AVAILABLE) + TEXT_MB();
        myValues.at(i)->setText(text);
    }
}

QString StatisticsWidget::lineText(int line) const
{
    return line >= 0 && line < myValues.count() ? myValues.at(line)->text() : QString();
}
