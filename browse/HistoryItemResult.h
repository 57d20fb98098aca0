#ifndef KRELVOX_HISTORYITEMRESULT_H
#define KRELVOX_HISTORYITEMRESULT_H

#include "browse/ResultRequest.h"
#include "shell/PageHistoryItem.h"

// The result page as the user left it: the list's request (kind, query, first row),
// the scroll position, the current row and the indexes of the sort and time boxes.
class HistoryItemResult : public PageHistoryItem
{
    Q_OBJECT
public:
    explicit HistoryItemResult(const ResultRequest& request);
    ~HistoryItemResult() override;

    const ResultRequest& getRequest() const { return myRequest; }
    int getCurrentRow() const { return myCurrentRow; }
    void setCurrentRow(int row) { myCurrentRow = row; }

private:
    ResultRequest myRequest;
    int myCurrentRow = -1;
};

#endif
