#include "shell/PageHistory.h"
#include "shell/PageHistoryItem.h"
#include "shell/ShellLogging.h"

#include <QDebug>

PageHistory::PageHistory(QObject* parent) : QObject(parent)
{
}

PageHistory::~PageHistory()
{
    clear();
}

void PageHistory::add(PageHistoryItem* item)
{
    if (!item)
        return;
    item->setParent(nullptr);
    myItems.append(item);
}

PageHistoryItem* PageHistory::takeLast()
{
    return myItems.isEmpty() ? nullptr : myItems.takeLast();
}

PageHistoryItem* PageHistory::last() const
{
    return myItems.isEmpty() ? nullptr : myItems.last();
}

void PageHistory::clear()
{
    QList<PageHistoryItem*> old;
    old.swap(myItems);
    qDeleteAll(old);
}

void PageHistory::emitBack(bool longClick)
{
    qCDebug(lcShell) << "------- PageHistory::emitBack";
    Q_EMIT historyBackClicked(longClick);
}
