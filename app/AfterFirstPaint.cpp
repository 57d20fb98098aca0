#include "app/AfterFirstPaint.h"

#include <QEvent>
#include <QTimer>
#include <QWidget>

#include <utility>

AfterFirstPaint::AfterFirstPaint(QWidget* widget, std::function<void()> work)
    : QObject(widget), myWork(std::move(work))
{
    widget->installEventFilter(this);
}

bool AfterFirstPaint::eventFilter(QObject* watched, QEvent* event)
{
    if (event->type() == QEvent::Paint && !myPainted) {
        myPainted = true;
        // The widget paints in this event; the work waits until it is done.
        QTimer::singleShot(0, this, [this]() { myWork(); });
    }
    return QObject::eventFilter(watched, event);
}
