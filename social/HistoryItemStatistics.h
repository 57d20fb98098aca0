#ifndef KRELVOX_HISTORYITEMSTATISTICS_H
#define KRELVOX_HISTORYITEMSTATISTICS_H

#include "shell/PageHistoryItem.h"

// The statistics page in the page history: which of its views was in front, so that
// going back refreshes that view.
class HistoryItemStatistics : public PageHistoryItem
{
    Q_OBJECT
public:
    // The view codes (getTab).
    enum eTab {
        eNoTab = 0,
        eStatisticsTab = 1,
        eMessagesTab = 2,
        eUploadsTab = 3,
        eContactsTab = 4,
        eInvitationsTab = 5
    };

    HistoryItemStatistics(int pageId, int tab);
    ~HistoryItemStatistics() override;

    int getTab() const { return myTab; }

private:
    int myTab;
};

#endif
