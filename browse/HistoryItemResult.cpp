#include "browse/HistoryItemResult.h"

HistoryItemResult::HistoryItemResult(const ResultRequest& request)
    : PageHistoryItem(eResultPageId), myRequest(request)
{
}

HistoryItemResult::~HistoryItemResult() = default;
