#include "widgets/VideoSweepList.h"

#include "core/VideoEntry.h"

#include <QMouseEvent>

VideoSweepList::VideoSweepList(QWidget* parent) : UniformSweepList(parent, 0)
{
}

VideoSweepList::~VideoSweepList() = default;

void VideoSweepList::mouseReleaseEvent(QMouseEvent* event)
{
    const QModelIndex current = currentIndex();
    if (!myMoved && current.isValid() && model()) {
        VideoEntry* entry = qvariant_cast<VideoEntry*>(model()->data(current, Qt::DisplayRole));
        // The finger must go down and come up on the same link.
        const QPointF press(myPressX, myPressY);
        const QPointF release = event->position();
        auto hit = [&](const QRectF& rect) { return rect.contains(press) && rect.contains(release); };
        if (entry) {
            void (VideoSweepList::*link)(const QModelIndex&) = nullptr;
            if (hit(entry->getInfoButtonRect()))
                link = &VideoSweepList::infoButtonClicked;
            else if (hit(entry->getAuthorRect()))
                link = &VideoSweepList::authorLinkClicked;
            else if (hit(entry->getCommentsLinkRect()))
                link = &VideoSweepList::videoCommentsClicked;
            if (link) {
                myDoubleTap = false;
                setState(QAbstractItemView::NoState);
                Q_EMIT(this->*link)(current);
                return;
            }
        }
    }
    UniformSweepList::mouseReleaseEvent(event);
}
