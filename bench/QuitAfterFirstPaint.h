#ifndef KRELVOX_QUITAFTERFIRSTPAINT_H
#define KRELVOX_QUITAFTERFIRSTPAINT_H

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QEvent>
#include <QTimer>
#include <QWidget>

#include <cstdio>

// What the start-up baselines do after their first paint, as the program does with
// KRELVOX_QUIT_AFTER_HOME_PAINT: print "home view painted <ms> ms after start,
// window <w>x<h>" once the paint is done, and end the event loop with 0.
class QuitAfterFirstPaint : public QObject
{
public:
    QuitAfterFirstPaint(QWidget* window, const QElapsedTimer& sinceStart) : QObject(window), mySinceStart(sinceStart)
    {
        window->installEventFilter(this);
    }

    bool eventFilter(QObject* watched, QEvent* event) override
    {
        if (event->type() == QEvent::Paint && !myPainted) {
            myPainted = true;
            QTimer::singleShot(0, this, [this]() {
                const QWidget* window = static_cast<QWidget*>(parent());
                std::printf("home view painted %lld ms after start, window %dx%d\n",
                            static_cast<long long>(mySinceStart.elapsed()), window->width(), window->height());
                std::fflush(stdout);
                QCoreApplication::exit(0);
            });
        }
        return QObject::eventFilter(watched, event);
    }

private:
    const QElapsedTimer& mySinceStart;
    bool myPainted = false;
};

#endif
