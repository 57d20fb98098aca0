// The start-up benchmark's baseline: the least a Qt Widgets program does to put an
// 800 x 480 window on the screen. It shows one plain widget of that size and quits
// once the widget has been painted for the first time, printing the same line as
// the program's own quit-after-first-paint mode. With "-text" it draws one line of
// text as well: the least a program with text on its first screen does.
#include <QApplication>
#include <QElapsedTimer>
#include <QEvent>
#include <QPainter>
#include <QTimer>
#include <QWidget>

#include <cstdio>

namespace {

class BareWindow : public QWidget
{
public:
    BareWindow(const QElapsedTimer& sinceStart, bool text) : mySinceStart(sinceStart), myText(text) {}

protected:
    void paintEvent(QPaintEvent*) override
    {
        if (!myText)
            return;
        QPainter painter(this);
        painter.drawText(rect(), Qt::AlignCenter, QStringLiteral("Krelvox"));
    }

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
    const bool myText;
    bool myPainted = false;
};

} // namespace

int main(int argc, char* argv[])
{
    QElapsedTimer sinceStart;
    sinceStart.start();
    QApplication application(argc, argv);
    BareWindow window(sinceStart, application.arguments().contains(QStringLiteral("-text")));
    window.resize(800, 480);
    window.show();
    return application.exec();
}
