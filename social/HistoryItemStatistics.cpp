#include "social/HistoryItemStatistics.h"
#include "social/SocialLogging.h"

#include <QDebug>

HistoryItemStatistics::HistoryItemStatistics(int pageId, int tab) : PageHistoryItem(pageId), myTab(tab)
{
    qCDebug(lcSocial) << "new HistoryItemStatistics() tab " << tab;
}

HistoryItemStatistics::~HistoryItemStatistics() = default;
