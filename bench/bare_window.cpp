// The start-up benchmark's baseline: the least a Qt Widgets program does to put an
// 800 x 480 window on the screen. It shows one plain widget of that size and quits
// once the widget has been painted for the first time, printing the same line as
// the program's own quit-after-first-paint mode.
#include <QApplication>
#include <QElapsedTimer>
#include <QEvent>
#include <QTimer>
#include <QWidget>

#include <cstdio>

namespace {

class BareWindow : public QWidget
{
public:
    explicit BareWindow(const QElapsedTimer& sinceStart) : mySinceStart(sinceStart) {}

protected:
    bool event(QEvent* event) override
    {
        const bool handled = QWidget::event(event);
        if (event->type() == QEvent::Paint && !myPainted) {
            myPainted = true;
            QTimer::singleShot(0, this, [this]() {
                std::printf("home view painted %lld ms after start, window %dx%d\n",
                            static_cast<long long>(mySinceStart.elapsed()), width(), height());
                std::fflush(stdout);
                QCoreApplication::exit(0);
            });
        }
        return handled;
    }

private:
    const QElapsedTimer& mySinceStart;
    bool myPainted = false;
};

} // namespace

int main(int argc, char* argv[])
{
    QElapsedTimer sinceStart;
    sinceStart.start();
    QApplication application(argc, argv);
    BareWindow window(sinceStart);
    window.resize(800, 480);
    window.show();
    return application.exec();
}
