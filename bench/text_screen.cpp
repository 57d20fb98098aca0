// The start-up benchmark's second baseline: the least a program with a screen of text
// does, in Qt's own widgets: an 800 x 480 window with a title and ten buttons. It is
// linked with the same shared libraries as the program (bench/CMakeLists.txt), so
// that loading them costs both the same, and like the program it quits once the
// screen has been painted for the first time, printing the same line.
#include "bench/QuitAfterFirstPaint.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QGridLayout>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>
#include <QWidget>

namespace {

constexpr int WIDTH = 800;
constexpr int HEIGHT = 480;
constexpr int BUTTONS = 10;
constexpr int BUTTON_COLUMNS = 2;
constexpr int TITLE_POINT_SIZE = 18;

// The title above two columns of buttons.
void fill(QWidget& screen)
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
    auto* layout = new QVBoxLayout(&screen);
    layout->addWidget(title);
    layout->addLayout(buttons);
}

} // namespace

int main(int argc, char* argv[])
{
    QElapsedTimer sinceStart;
    sinceStart.start();
    QApplication application(argc, argv);
    QWidget screen;
    fill(screen);
    new QuitAfterFirstPaint(&screen, sinceStart);
    screen.resize(WIDTH, HEIGHT);
    screen.show();
    return application.exec();
}
