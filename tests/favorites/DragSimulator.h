#ifndef KRELVOX_DRAGSIMULATOR_H
#define KRELVOX_DRAGSIMULATOR_H

// The offscreen platform's drag does nothing (QDrag::exec returns the ignore action at
// once). This runner stands in for the platform's drag loop: it takes the real QDrag
// that a list built, moves it along a path of window points, delivering enter, move,
// leave and drop events to the widget under the pointer that accepts drops (as the
// window does for a platform drag), and ends it like the platform: with the drop's
// action when the last move was accepted and the drop accepted it, else with the
// ignore action. What the drag carried is kept for the test.

#include "favorites/FavoritesDrag.h"

#include <QDrag>
#include <QDragEnterEvent>
#include <QMimeData>
#include <QPixmap>
#include <QPointer>
#include <QWidget>
#include <functional>

class DragSimulator
{
public:
    // points: window coordinates of the path; the drag is released at the last one.
    DragSimulator(QWidget* window, const QList<QPoint>& points,
                  const std::function<void()>& beforeRelease = std::function<void()>())
        : myWindow(window), myPoints(points), myBeforeRelease(beforeRelease)
    {
        FavoritesDrag::setRunner([this](QDrag* drag, Qt::DropActions actions) { return run(drag, actions); });
    }
    ~DragSimulator() { FavoritesDrag::setRunner(FavoritesDrag::Runner()); }

    bool started = false;
    QStringList formats;
    QByteArray data;
    QPixmap pixmap;
    QPoint hotSpot;
    Qt::DropActions supportedActions;
    QObject* source = nullptr;
    Qt::DropAction result = Qt::IgnoreAction;

private:
    // The deepest widget at the point that accepts drops, as a window finds it.
    QWidget* targetAt(const QPoint& point) const
    {
        QWidget* widget = myWindow->childAt(point);
        if (!widget)
            widget = myWindow;
        while (widget && !(widget->acceptDrops() && widget->isEnabled()))
            widget = widget->parentWidget() && !widget->isWindow() ? widget->parentWidget() : nullptr;
        return widget;
    }

    static void deliver(QWidget* widget, QEvent* event) { static_cast<QObject*>(widget)->event(event); }

    Qt::DropAction run(QDrag* drag, Qt::DropActions actions)
    {
        started = true;
        formats = drag->mimeData()->formats();
        data = formats.isEmpty() ? QByteArray("missing") : drag->mimeData()->data(formats.first());
        pixmap = drag->pixmap();
        hotSpot = drag->hotSpot();
        supportedActions = actions;
        source = drag->source();

        QPointer<QWidget> current;
        bool accepted = false;
        Qt::DropAction action = Qt::IgnoreAction;
        for (const QPoint& point : myPoints) {
            QWidget* target = targetAt(point);
            if (target != current) {
                if (current) {
                    QDragLeaveEvent leave;
                    deliver(current, &leave);
                }
                current = target;
                accepted = false;
                if (current) {
                    QDragEnterEvent enter(current->mapFrom(myWindow, point), actions, drag->mimeData(),
                                          Qt::LeftButton, Qt::NoModifier);
                    enter.ignore();
                    deliver(current, &enter);
                    accepted = enter.isAccepted();
                }
            }
            if (current && accepted) {
                QDragMoveEvent move(current->mapFrom(myWindow, point), actions, drag->mimeData(), Qt::LeftButton,
                                    Qt::NoModifier);
                move.ignore();
                deliver(current, &move);
                accepted = move.isAccepted();
                action = move.dropAction();
            }
        }
        if (myBeforeRelease)
            myBeforeRelease();
        if (!current || !accepted || myPoints.isEmpty()) {
            if (current) {
                QDragLeaveEvent leave;
                deliver(current, &leave);
            }
            result = Qt::IgnoreAction;
            return result;
        }
        QDropEvent drop(QPointF(current->mapFrom(myWindow, myPoints.last())), actions, drag->mimeData(), Qt::LeftButton,
                        Qt::NoModifier);
        drop.setDropAction(action);
        drop.ignore();
        deliver(current, &drop);
        // Without a platform drag the events propose the copy action; a platform drag
        // proposes one of the drag's own actions, which is what it then reports.
        if (!drop.isAccepted() || drop.dropAction() == Qt::IgnoreAction)
            result = Qt::IgnoreAction;
        else
            result = actions.testFlag(drop.dropAction()) ? drop.dropAction() : Qt::LinkAction;
        return result;
    }

    QWidget* myWindow;
    QList<QPoint> myPoints;
    std::function<void()> myBeforeRelease;
};

#endif
