#include "app/AfterFirstPaint.h"
#include "app/MainController.h"
#include "app/StartupWarmer.h"

#include "app/AppLogging.h"
#include "core/MessageHandler.h"
#include "core/StoragePaths.h"
#include "shell/HomeView.h"
#include "shell/UserPrompt.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QPixmap>
#include <QPointer>
#include <QSaveFile>
#include <QScreen>
#include <QTimer>

#include <cstdio>
#include <memory>

// Command line: "-no-fullscreen" opens a normal 800 x 480 window instead of full
// screen; "-create-db" replaces the database with a fresh one.
//
// Environment, for scripted runs (tests, the start-up benchmark):
// - KRELVOX_STORAGE_ROOT: the folder that holds the media folders instead of the
//   memory card or /tmp;
// - KRELVOX_NONINTERACTIVE: no dialogs; notices go to standard error and questions are
//   answered with Cancel;
// - KRELVOX_QUIT_AFTER_HOME_PAINT: end the event loop with 0 right after the home view
//   has been painted for the first time, printing "home view painted <ms> ms after
//   start, window <w>x<h>" on standard output (<ms> counted from entering main); the
//   controller is then deleted and cleans up as after any exit;
// - KRELVOX_SCREENSHOT: a file that gets a PNG picture of the whole screen every
//   SCREENSHOT_INTERVAL_MS (how the start command shows a virtual screen).

namespace {

const char* ENV_STORAGE_ROOT = "KRELVOX_STORAGE_ROOT";
const char* ENV_NONINTERACTIVE = "KRELVOX_NONINTERACTIVE";
const char* ENV_QUIT_AFTER_HOME_PAINT = "KRELVOX_QUIT_AFTER_HOME_PAINT";
const char* ENV_SCREENSHOT = "KRELVOX_SCREENSHOT";
constexpr int SCREENSHOT_INTERVAL_MS = 2000;

// Writes a picture of the screen to a file, again and again. It starts before the
// program's window exists, so that a question asked while the program starts shows
// too. The file is replaced whole, so a viewer never reads half a picture.
class ScreenshotWriter : public QObject
{
public:
    ScreenshotWriter(QObject* parent, const QString& path) : QObject(parent), myPath(path)
    {
        auto* timer = new QTimer(this);
        connect(timer, &QTimer::timeout, this, &ScreenshotWriter::write);
        timer->start(SCREENSHOT_INTERVAL_MS);
    }

    // What a platform without screen grabs pictures instead.
    void setWindow(QWidget* window) { myWindow = window; }

private:
    void write()
    {
        // The whole screen shows dialogs too.
        QPixmap picture;
        if (QScreen* screen = QGuiApplication::primaryScreen())
            picture = screen->grabWindow(0);
        if (picture.isNull() && myWindow)
            picture = myWindow->grab();
        if (picture.isNull())
            return;
        QSaveFile file(myPath);
        if (file.open(QIODevice::WriteOnly) && picture.save(&file, "PNG") && file.commit())
            return;
        if (!myFailed)
            qCWarning(lcApp, "ScreenshotWriter: cannot write %s", qPrintable(myPath));
        myFailed = true;
    }

    QPointer<QWidget> myWindow;
    QString myPath;
    bool myFailed = false;
};

} // namespace

int main(int argc, char* argv[])
{
    QElapsedTimer sinceStart;
    sinceStart.start();
    installKrelvoxMessageHandler();
    StartupWarmer warmer;

    auto* application = new QApplication(argc, argv);
    warmer.applicationReady();
    const QStringList arguments = QApplication::arguments();

    if (!qEnvironmentVariableIsEmpty(ENV_STORAGE_ROOT)) {
        StoragePaths paths = StoragePaths::defaults();
        paths.storageRoot = qEnvironmentVariable(ENV_STORAGE_ROOT);
        StoragePaths::setOverride(paths);
    }

    MainControllerOptions options;
    options.fullScreen = !arguments.contains(QStringLiteral("-no-fullscreen"));
    options.createDatabase = arguments.contains(QStringLiteral("-create-db"));
    std::unique_ptr<UserPrompt> scriptedPrompt;
    if (!qEnvironmentVariableIsEmpty(ENV_NONINTERACTIVE)) {
        scriptedPrompt = std::make_unique<NonInteractivePrompt>();
        options.prompt = scriptedPrompt.get();
    }

    ScreenshotWriter* screenshots = nullptr;
    if (!qEnvironmentVariableIsEmpty(ENV_SCREENSHOT))
        screenshots = new ScreenshotWriter(application, qEnvironmentVariable(ENV_SCREENSHOT));

    auto* controller = new MainController(options);
    // The controller has built the first screen, which was what the warm-up was for:
    // the event loop runs with the GUI thread alone.
    warmer.wait();
    int result = 1;
    if (!controller->startupFailed()) {
        if (!qEnvironmentVariableIsEmpty(ENV_QUIT_AFTER_HOME_PAINT) && controller->getHomeView()) {
            QWidget* home = controller->getHomeView();
            new AfterFirstPaint(home, [home, &sinceStart]() {
                const QSize window = home->window()->size();
                std::printf("home view painted %lld ms after start, window %dx%d\n",
                            static_cast<long long>(sinceStart.elapsed()), window.width(), window.height());
                std::fflush(stdout);
                QCoreApplication::exit(0);
            });
        }
        if (screenshots)
            screenshots->setWindow(&controller->getMainWindow());
        result = application->exec();
    }

    delete controller;
    delete application;
    return result;
}
