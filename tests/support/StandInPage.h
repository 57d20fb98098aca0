#ifndef KRELVOX_STANDINPAGE_H
#define KRELVOX_STANDINPAGE_H

#include "shell/PageBase.h"
#include "shell/PageHistory.h"
#include "shell/PageHistoryItem.h"

// A page as far as the page history cares: it records itself under its page id. It
// stands in for the pages of other parts of the program.
class StandInPage : public PageBase
{
public:
    StandInPage(PageHistory& history, int pageId) : myHistory(history), myPageId(pageId) {}
    void addToPageHistory() override { myHistory.add(new PageHistoryItem(myPageId)); }

private:
    PageHistory& myHistory;
    int myPageId;
};

#endif
