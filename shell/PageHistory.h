#ifndef KRELVOX_PAGEHISTORY_H
#define KRELVOX_PAGEHISTORY_H

#include <QList>
#include <QObject>

class PageHistoryItem;

// The stack of pages the user came through. Pages add themselves before the view
// changes; the back button pops the last item and the controller restores its page.
class PageHistory : public QObject
{
    Q_OBJECT
public:
    explicit PageHistory(QObject* parent = nullptr);
    ~PageHistory() override;

    // Appends the item and takes ownership; a null item is ignored.
    void add(PageHistoryItem* item);
    // Removes the last item and hands it to the caller (null when empty).
    PageHistoryItem* takeLast();
    PageHistoryItem* last() const;
    int count() const { return myItems.count(); }
    bool isEmpty() const { return myItems.isEmpty(); }
    // Deletes every item.
    void clear();

public Q_SLOTS:
    // Traces "------- PageHistory::emitBack" and emits historyBackClicked(longClick).
    void emitBack(bool longClick);

Q_SIGNALS:
    void historyBackClicked(bool longClick);

private:
    QList<PageHistoryItem*> myItems;
};

#endif
