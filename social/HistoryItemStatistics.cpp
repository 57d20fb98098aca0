#include "social/HistoryItemStatistics.h"

#include <QDebug>

HistoryItemStatistics::HistoryItemStatistics(int pageId, int tab) : PageHistoryItem(pageId), myTab(tab)
{
    qDebug() << "new HistoryItemStatistics() tab " << tab;
}

HistoryItemStatistics::~HistoryItemStatistics() = default;
