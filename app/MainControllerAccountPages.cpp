#include "app/MainController.h"

#include <QDebug>

// The account's pages: statistics, contacts and messages.

void MainController::showStatistics(HistoryItemStatistics* history)
{
    Q_UNUSED(history);
    if (!accountSignedIn()) {
        showAccountDialog();
        return;
    }
    // The statistics subsystem adds here: StatisticsController on first use, the
    // refresh chosen by the history item, leaveCurrentPage() and the switch to its page.
    qDebug("void MainController::showStatistics(HistoryItemStatistics*) - no statistics page in this build");
}
