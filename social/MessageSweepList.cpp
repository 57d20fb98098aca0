#include "social/MessageSweepList.h"
#include "social/SocialLogging.h"

#include <QDebug>
#include <QMouseEvent>

MessageSweepList::MessageSweepList(QWidget* parent) : UniformSweepList(parent, 0)
{
}

MessageSweepList::~MessageSweepList() = default;

void MessageSweepList::mouseDoubleClickEvent(QMouseEvent* event)
{
    qCDebug(lcSocial) << "virtual void MessageSweepList::mouseDoubleClickEvent(QMouseEvent*)"
                      << "start";
    // The press of the second tap has made its row current; a tap below the last row
    // leaves an earlier row current, which this tap did not touch.
    const QModelIndex current = currentIndex();
    if (!current.isValid() || !model() || !visualRect(current).contains(event->position().toPoint())) {
        qCDebug(lcSocial) << "Invalid index";
    } else if (!model()->data(current, Qt::DisplayRole).isValid()) {
        qCDebug(lcSocial) << "Invalid data";
    } else {
        qCDebug(lcSocial) << "Message clicked";
        Q_EMIT messageClicked(current);
    }
    qCDebug(lcSocial) << "virtual void MessageSweepList::mouseDoubleClickEvent(QMouseEvent*)"
                      << "end";
}
