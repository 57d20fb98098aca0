#include "bench/BenchSupport.h"
#include "core/FileManager.h"
#include "core/constants/Paths.h"
#include "core/constants/Settings.h"
#include "player/MovieController.h"
#include "player/MplayerMediaPlayer.h"
#include "player/VideoViewBase.h"
#include "player/VideoWidget.h"
#include "shell/DBusService.h"
#include "shell/PageHistory.h"
#include "tests/support/TestSupport.h"
#include "tools/samplevideo/SampleVideo.h"

#include <QElapsedTimer>
#include <QEventLoop>
#include <QFile>
#include <QProcess>
#include <QTest>
#include <QTimer>

#include <algorithm>
#include <sys/resource.h>
#include <unistd.h>

// Playback with the real mplayer, each figure at two sizes:
// - start: from the moment the download passes the start threshold to the player's
//   first "playing", against mplayer started directly (same command line) at the same
//   moment of the same download into the same file, 15 pairs, alternating which
//   side goes first; pictures of 160 x 120 and of 320 x 240;
// - CPU: this process's share of one core while a video plays, beside the player's;
//   pictures of 160 x 120 and of 320 x 240;
// - memory: this process's VmRSS over a long video played at high speed, against
//   what it held when the video began; videos of 10 and of 20 minutes.
// Printed: min / median / max of ours, of the baseline and of their ratio, and how
// the medians grow from the small size to the large one.
// Goals: the start at most 1.2x mplayer's own (median); the program under 1 % of a
// core while playing; its memory at the end of the video within 2 % of the start.
class BenchPlayback : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void cleanupTestCase()
    {
        myGrowth.print();
        myLengthGrowth.print();
    }
    void thresholdToPlaying_data() { pictureSizes(); }
    void thresholdToPlaying();
    void controllerCpuWhilePlaying_data() { pictureSizes(); }
    void controllerCpuWhilePlaying();
    void memoryOverALongVideo_data();
    void memoryOverALongVideo();

private:
    static void pictureSizes()
    {
        QTest::addColumn<int>("width");
        QTest::addColumn<int>("height");
        QTest::newRow("160 x 120") << 160 << 120;
        QTest::newRow("320 x 240") << 320 << 240;
    }

    GrowthTable myGrowth{"pixels"};
    GrowthTable myLengthGrowth{"minutes"};
};

namespace {

// One movie controller on the real service and player, in a shown page.
struct Stage
{
    TestWorld world{TestWorld::Service};
    PageHistory& history = world.history;
    QWidget& window = world.window();
    VideoWidget videoWidget;
    DBusService dbus;
    MplayerMediaPlayer player;
    MovieController* controller = nullptr;

    Stage(const MplayerOptions& options, const std::function<void(Stage&)>& beforeController = {})
        : player(options)
    {
        world.repository->setSetting(SETTING_START_PLAYING, 0);
        if (beforeController)
            beforeController(*this);
        controller = new MovieController(world.service.get(), *world.repository, history, &player, &videoWidget,
                                         &dbus, &window);
        controller->getPage()->setParent(&window);
        controller->getPage()->resize(800, 480);
        window.resize(800, 480);
        window.show();
    }
    ~Stage()
    {
        delete controller;
        videoWidget.setParent(nullptr);
    }
    QString store(const QString& videoId, const QByteArray& data)
    {
        const QString path = world.repository->getFileManager()->getFavoriteVideoFolder() + videoId + VIDEO_FILE_SUFFIX;
        writeFile(path, data);
        return path;
    }
    static VideoEntry entry(const QString& videoId)
    {
        VideoEntry e;
        e.setVideoId(videoId);
        return e;
    }
};

double cpuSecondsOfSelf()
{
    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    return usage.ru_utime.tv_sec + usage.ru_stime.tv_sec + (usage.ru_utime.tv_usec + usage.ru_stime.tv_usec) / 1e6;
}

double cpuSecondsOf(qint64 pid)
{
    QFile file(QStringLiteral("/proc/%1/stat").arg(pid));
    if (!file.open(QIODevice::ReadOnly))
        return -1;
    const QByteArray text = file.readAll();
    const QList<QByteArray> fields = text.mid(text.lastIndexOf(')') + 2).split(' ');
    // utime and stime are fields 14 and 15 of the line, 12 and 13 after the name.
    return (fields.value(11).toDouble() + fields.value(12).toDouble()) / double(sysconf(_SC_CLK_TCK));
}

// mplayer started directly, its output read on the event loop (which goes on
// serving the download meanwhile): when its "Starting playback..." line came.
class DirectPlayer
{
public:
    explicit DirectPlayer(const QElapsedTimer& clock) : myClock(clock)
    {
        myProcess.setProcessChannelMode(QProcess::MergedChannels);
        QObject::connect(&myProcess, &QProcess::readyRead, [this]() {
            mySeen += myProcess.readAll();
            if (myPlaying < 0 && mySeen.contains("Starting playback..."))
                myPlaying = myClock.nsecsElapsed();
        });
    }
    ~DirectPlayer()
    {
        if (myProcess.state() == QProcess::NotRunning)
            return;
        myProcess.write("quit\n");
        if (!myProcess.waitForFinished(2000)) {
            myProcess.kill();
            myProcess.waitForFinished();
        }
    }
    void start(const QStringList& arguments) { myProcess.start(QStringLiteral("mplayer"), arguments); }
    bool started() const { return myProcess.state() != QProcess::NotRunning; }
    qint64 playing() const { return myPlaying; } // the clock's ns, -1 until then

private:
    const QElapsedTimer& myClock;
    QProcess myProcess;
    QByteArray mySeen;
    qint64 myPlaying = -1;
};

} // namespace

// Both sides of a pair play the same video downloaded afresh into the same file of
// videos/, at the same pace, from the moment the download passes the threshold: the
// program through its movie controller, the baseline by starting mplayer itself on
// the growing file with the same command line. Which side goes first alternates.
void BenchPlayback::thresholdToPlaying()
{
    QFETCH(int, width);
    QFETCH(int, height);
    constexpr int PAIRS = 15;
    constexpr qint64 THRESHOLD = 500000; // the start setting (0 here) plus 500000 bytes
    SampleVideoFormat format;
    format.width = width;
    format.height = height;
    const QByteArray video = SampleVideo::make(format);
    QVERIFY(video.size() > THRESHOLD);
    QElapsedTimer clock;
    qint64 reached = -1;
    MplayerOptions options;
    Stage stage(options, [&](Stage& s) {
        servePlayableVideo(s.world.fake, video, 1000000, 16384);
        // Connected before the controller: runs first when the bytes arrive.
        QObject::connect(s.world.service.get(), &VideoServiceProvider::downloadInProgress, [&](qint64 received) {
            if (reached < 0 && received >= THRESHOLD)
                reached = clock.nsecsElapsed();
        });
    });
    const QString videoId = QStringLiteral("growing");
    const QString file = stage.world.repository->getFileManager()->getVideoFolder() + videoId + VIDEO_FILE_SUFFIX;
    const auto downloaded = [](QSignalSpy& done) { return !done.isEmpty() || done.wait(20000); };

    // The program: the threshold passed to the player's first "playing".
    const auto ours = [&]() -> double {
        qint64 playing = -1;
        const QMetaObject::Connection watch =
            QObject::connect(&stage.player, &MediaPlayer::stateChanged, [&](int state) {
                if (state == ePlaying && playing < 0)
                    playing = clock.nsecsElapsed();
            });
        QSignalSpy done(stage.world.service.get(), &VideoServiceProvider::videoIsDownloaded);
        reached = -1;
        clock.start();
        stage.controller->playVideo(Stage::entry(videoId));
        const bool played = QTest::qWaitFor([&]() { return playing > 0; }, 20000);
        QObject::disconnect(watch);
        const bool complete = downloaded(done);
        stage.controller->stopVideo();
        return played && complete && reached > 0 && playing > reached ? (playing - reached) / 1e6 : -1;
    };
    // mplayer alone: started as the same download passes the threshold (as the
    // controller opens the player), to its "Starting playback..." line.
    const auto baseline = [&]() -> double {
        VideoEntry entry = Stage::entry(videoId);
        DirectPlayer direct(clock);
        const QMetaObject::Connection watch = QObject::connect(
            stage.world.service.get(), &VideoServiceProvider::downloadInProgress, [&](qint64 received) {
                if (!direct.started() && received >= THRESHOLD)
                    direct.start(stage.player.arguments(file, 0));
            });
        QSignalSpy done(stage.world.service.get(), &VideoServiceProvider::videoIsDownloaded);
        reached = -1;
        clock.start();
        stage.world.service->download(&entry);
        const bool played = QTest::qWaitFor([&]() { return direct.playing() > 0; }, 20000);
        QObject::disconnect(watch);
        const bool complete = downloaded(done);
        return played && complete && reached > 0 ? (direct.playing() - reached) / 1e6 : -1;
    };

    PairedFigures start;
    for (int pair = 0; pair < PAIRS; ++pair) {
        double oursMs = -1;
        double baseMs = -1;
        for (int turn = 0; turn < 2; ++turn) {
            QFile::remove(file);
            if ((turn + pair) % 2 == 0)
                oursMs = ours();
            else
                baseMs = baseline();
        }
        QVERIFY2(oursMs > 0 && baseMs > 0, qPrintable(QStringLiteral("pair %1: %2 / %3").arg(pair).arg(oursMs).arg(baseMs)));
        QCOMPARE(QFileInfo(file).size(), qint64(video.size()));
        start.add(oursMs, baseMs);
    }
    start.print(qPrintable(QStringLiteral("threshold to playing, %1").arg(QTest::currentDataTag())), "ms");
    std::printf("goal at most 1.2x mplayer started directly on the growing file (median ratio): %s\n",
                start.ratioSpread().median <= 1.2 ? "met" : "MISSED");
    myGrowth.add(QStringLiteral("threshold to playing, ms"), width * height, start.oursSpread().median);
    myGrowth.add(QStringLiteral("mplayer started directly, ms"), width * height, start.baselineSpread().median);
}

void BenchPlayback::controllerCpuWhilePlaying()
{
    QFETCH(int, width);
    QFETCH(int, height);
    constexpr int WINDOWS = 3;
    constexpr int WINDOW_MS = 4000;
    SampleVideoFormat format;
    format.width = width;
    format.height = height;
    format.seconds = 30.0;
    format.compressionLevel = 6;
    Stage stage{MplayerOptions()};
    stage.store(QStringLiteral("cpu1"), SampleVideo::make(format));
    stage.controller->playVideo(Stage::entry(QStringLiteral("cpu1")));
    QTRY_COMPARE_WITH_TIMEOUT(stage.player.getState(), ePlaying, 10000);
    QTest::qWait(1000);
    PairedFigures cpu;
    for (int i = 0; i < WINDOWS; ++i) {
        const double selfBefore = cpuSecondsOfSelf();
        const double childBefore = cpuSecondsOf(stage.player.processId());
        QElapsedTimer clock;
        clock.start();
        // The plain event loop, as the program runs it (QTest::qWait polls).
        QEventLoop loop;
        QTimer::singleShot(WINDOW_MS, &loop, &QEventLoop::quit);
        loop.exec();
        const double wall = clock.nsecsElapsed() / 1e9;
        cpu.add(100.0 * (cpuSecondsOfSelf() - selfBefore) / wall,
                100.0 * (cpuSecondsOf(stage.player.processId()) - childBefore) / wall);
    }
    QCOMPARE(stage.player.getState(), ePlaying);
    cpu.print(qPrintable(QStringLiteral("share of a core vs mplayer, %1").arg(QTest::currentDataTag())), "%");
    std::printf("goal under 1 %% of a core (median): %s\n", cpu.oursSpread().median < 1.0 ? "met" : "MISSED");
    myGrowth.add(QStringLiteral("program's share of a core, %"), width * height, cpu.oursSpread().median);
    myGrowth.add(QStringLiteral("mplayer's share of a core, %"), width * height, cpu.baselineSpread().median);
}

void BenchPlayback::memoryOverALongVideo_data()
{
    QTest::addColumn<int>("minutes");
    QTest::newRow("10 minutes") << 10;
    QTest::newRow("20 minutes") << 20;
}

void BenchPlayback::memoryOverALongVideo()
{
    QFETCH(int, minutes);
    // Small pictures, played 100 times as fast.
    SampleVideoFormat format;
    format.width = 64;
    format.height = 48;
    format.framesPerSecond = 5;
    format.seconds = minutes * 60.0;
    format.compressionLevel = 9;
    MplayerOptions options;
    options.speed = 100.0;
    Stage stage(options);
    stage.store(QStringLiteral("long1"), SampleVideo::make(format));
    QSignalSpy ended(stage.controller, &MovieController::videoEnded);
    stage.controller->playVideo(Stage::entry(QStringLiteral("long1")));
    QTRY_COMPARE_WITH_TIMEOUT(stage.player.getState(), ePlaying, 10000);
    QTest::qWait(500);
    const qint64 start = processStatusKb("VmRSS:");
    PairedFigures rss;
    while (ended.isEmpty()) {
        QTest::qWait(250);
        rss.add(double(processStatusKb("VmRSS:")), double(start));
        QVERIFY2(rss.ours.size() < 400, "the long video did not end");
    }
    const qint64 end = processStatusKb("VmRSS:");
    QVERIFY(stage.player.getPosition() > minutes * 60.0 - 100.0);
    rss.print(qPrintable(QStringLiteral("VmRSS vs the start, %1 at 100x").arg(QTest::currentDataTag())), "kB");
    std::printf("end %lld kB, start %lld kB, ratio %.3f; goal within 2 %%: %s\n", end, start,
                double(end) / double(start), qAbs(double(end) / double(start) - 1.0) <= 0.02 ? "met" : "MISSED");
    myLengthGrowth.add(QStringLiteral("VmRSS at the end, kB"), minutes, double(end));
}

QTEST_MAIN(BenchPlayback)
#include "bench_playback.moc"
