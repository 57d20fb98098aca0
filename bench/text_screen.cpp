// The start-up benchmark's second baseline: the least a program with a screen of text
// does, in Qt's own widgets: an 800 x 480 window with a title and ten buttons. It is
// linked with the same shared libraries as the program (bench/CMakeLists.txt), so
// that loading them costs both the same, and like the program it quits once the
// screen has been painted for the first time, printing the same line.
#include <QApplication>
#include <QElapsedTimer>
#include <QEvent>
#include <QGridLayout>
#include <QLabel>
#include <QPushButton>
#include <QTimer>
#include <QVBoxLayout>
#include <QWidget>

#include <cstdio>

namespace {

constexpr int WIDTH = 800;
constexpr int HEIGHT = 480;
constexpr int BUTTONS = 10;
constexpr int BUTTON_COLUMNS = 2;
constexpr int TITLE_POINT_SIZE = 18;

class TextScreen : public QWidget
{
public:
    explicit TextScreen(const QElapsedTimer& sinceStart) : mySinceStart(sinceStart)
    {
        auto* title = new QLabel(QStringLiteral("Krelvox"));
        QFont font = title->font();
        font.setBold(true);
        font.setPointSize(TITLE_POINT_SIZE);
        title->setFont(font);
        auto* buttons = new QGridLayout;
        for (int i = 0; i < BUTTONS; ++i)
            buttons->addWidget(new QPushButton(QStringLiteral("Button %1").arg(i + 1)), i / BUTTON_COLUMNS,
                               i % BUTTON_COLUMNS);
        auto* layout = new QVBoxLayout(this);
        layout->addWidget(title);
        layout->addLayout(buttons);
    }

protected:
    bool event(QEvent* event) override
    {
        const bool handled = QWidget::event(event);
        if (event->type() == QEvent::Paint && !myPainted) {
            myPainted = true;
            // The children paint in the same pass; report once it is done.
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
    TextScreen screen(sinceStart);
    screen.resize(WIDTH, HEIGHT);
    screen.show();
    return application.exec();
}
