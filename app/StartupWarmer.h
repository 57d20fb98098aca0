#ifndef KRELVOX_STARTUPWARMER_H
#define KRELVOX_STARTUPWARMER_H

#include <condition_variable>
#include <mutex>
#include <thread>

// Work that the first screen waits for and that needs nothing of the main thread,
// done on other cores while the main thread builds the program:
// - the font configuration and the list of installed fonts: the first text laid out
//   needs them, and reading them is the largest part of start-up;
// - the logo of the page headers, read through Qt's SVG image plugin, which the
//   first push button's border image needs as well.
// Made at the top of main(), before the application object: reading the font
// configuration needs none. The rest starts at applicationReady(). Whatever the main
// thread asks for before a worker has it ready, it waits for (Qt's font database
// locks, the logo is built once), so nothing depends on the warm-up being done.
// With one core there is no other core to use and nothing is started.
//
// Loading the SQL driver's plugin here gained nothing: the dynamic loader's lock,
// which the main thread needs meanwhile, is held for the whole load. Measuring a
// text here, to have the database find the fonts that stand in for the pages'
// family, cost time: the main thread waited for the font database's lock while
// the worker laid the text out with font engines of its own.
class StartupWarmer
{
public:
    StartupWarmer();
    ~StartupWarmer(); // waits for the workers
    StartupWarmer(const StartupWarmer&) = delete;
    StartupWarmer& operator=(const StartupWarmer&) = delete;

    // The QApplication exists: what needs it may start.
    void applicationReady();
    // Waits for the workers; call before the application object goes.
    void wait();

private:
    void warmFonts();
    void warmLogo();
    bool waitForApplication(); // false when the warm-up ended first
    void startOnOtherCore(std::thread& thread, void (StartupWarmer::*work)());

    std::thread myFonts;
    std::thread myLogo;
    std::mutex myMutex;
    std::condition_variable myChanged;
    bool myApplicationReady = false;
    bool myCancelled = false;
    int myMainCpu = -1;
};

#endif
