// The start-up benchmark's baseline: the least a Qt Widgets program does to put an
// 800 x 480 window on the screen. It shows one plain widget of that size and quits
// once the widget has been painted for the first time, printing the same line as
// the program's own quit-after-first-paint mode.
#include "bench/QuitAfterFirstPaint.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QWidget>

int main(int argc, char* argv[])
{
    QElapsedTimer sinceStart;
    sinceStart.start();
    QApplication application(argc, argv);
    QWidget window;
    new QuitAfterFirstPaint(&window, sinceStart);
    window.resize(800, 480);
    window.show();
    return application.exec();
}
