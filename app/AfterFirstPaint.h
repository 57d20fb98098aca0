#ifndef KRELVOX_AFTERFIRSTPAINT_H
#define KRELVOX_AFTERFIRSTPAINT_H

#include <QObject>

#include <functional>

class QWidget;

// Runs a piece of work once, right after the widget has been painted for the first
// time: from the event loop, once that paint is done. A child of the widget: it goes
// with it, and the work is not run once it has gone.
class AfterFirstPaint : public QObject
{
public:
    AfterFirstPaint(QWidget* widget, std::function<void()> work);

    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    std::function<void()> myWork;
    bool myPainted = false;
};

#endif
