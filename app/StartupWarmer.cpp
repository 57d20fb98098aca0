#include "app/StartupWarmer.h"

#include "shell/LogoPixmap.h"

#include <QFontDatabase>

#ifdef KRELVOX_HAVE_FONTCONFIG
#include <fontconfig/fontconfig.h>
#endif

#ifdef Q_OS_LINUX
#include <pthread.h>
#include <sched.h>
#endif

namespace {

// The cores this process may run on; 1 where that cannot be told.
int usableCores()
{
#ifdef Q_OS_LINUX
    cpu_set_t set;
    if (sched_getaffinity(0, sizeof set, &set) == 0)
        return CPU_COUNT(&set);
#endif
    return 1;
}

} // namespace

StartupWarmer::StartupWarmer()
{
    if (usableCores() < 2)
        return;
#ifdef Q_OS_LINUX
    myMainCpu = sched_getcpu();
#endif
    startOnOtherCore(myFonts, &StartupWarmer::warmFonts);
}

StartupWarmer::~StartupWarmer()
{
    wait();
}

void StartupWarmer::applicationReady()
{
    {
        std::lock_guard<std::mutex> lock(myMutex);
        myApplicationReady = true;
    }
    myChanged.notify_all();
    if (myFonts.joinable() && !myLogo.joinable())
        startOnOtherCore(myLogo, &StartupWarmer::warmLogo);
}

void StartupWarmer::wait()
{
    {
        std::lock_guard<std::mutex> lock(myMutex);
        myCancelled = true;
    }
    myChanged.notify_all();
    for (std::thread* thread : {&myFonts, &myLogo}) {
        if (thread->joinable())
            thread->join();
    }
}

// The scheduler tends to start a new thread on its creator's core and to leave it
// there for a few milliseconds, where it would take turns with the main thread
// instead of using an idle core: the worker is kept off the main thread's core.
void StartupWarmer::startOnOtherCore(std::thread& thread, void (StartupWarmer::*work)())
{
    thread = std::thread(work, this);
#ifdef Q_OS_LINUX
    cpu_set_t set;
    if (myMainCpu >= 0 && sched_getaffinity(0, sizeof set, &set) == 0) {
        CPU_CLR(myMainCpu, &set);
        if (CPU_COUNT(&set) > 0)
            pthread_setaffinity_np(thread.native_handle(), sizeof set, &set);
    }
#endif
}

bool StartupWarmer::waitForApplication()
{
    std::unique_lock<std::mutex> lock(myMutex);
    myChanged.wait(lock, [this] { return myApplicationReady || myCancelled; });
    return myApplicationReady;
}

void StartupWarmer::warmFonts()
{
#ifdef KRELVOX_HAVE_FONTCONFIG
    // Parses the configuration files and maps the font caches: Qt's font database
    // then finds them ready.
    FcInit();
#endif
    if (!waitForApplication())
        return;
    // Builds Qt's font database (documented as thread-safe).
    QFontDatabase::families();
}

void StartupWarmer::warmLogo()
{
    logoImage();
}
