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

// Playback with the real mplayer:
// - start: from the moment the download passes the start threshold to the player's
//   first "playing", against mplayer started directly (same command line) on the
//   same file, once it is complete;
// - CPU: this process's share of one core while a video plays, beside the player's;
// - memory: this process's VmRSS over a long video played at high speed.
class BenchPlayback : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void thresholdToPlaying();
    void controllerCpuWhilePlaying();
    void memoryOverALongVideo();
};

namespace {

struct Figures
{
    QList<double> values;
    void add(double v) { values.append(v); }
    double min() const { return *std::min_element(values.begin(), values.end()); }
    double max() const { return *std::max_element(values.begin(), values.end()); }
    double median() const
    {
        QList<double> sorted = values;
        std::sort(sorted.begin(), sorted.end());
        return sorted.at(sorted.size() / 2);
    }
};

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

// ms from starting mplayer with the arguments to its "Starting playback..." line.
double directStart(const QStringList& arguments)
{
    QProcess process;
    process.setProcessChannelMode(QProcess::MergedChannels);
    QElapsedTimer clock;
    clock.start();
    process.start(QStringLiteral("mplayer"), arguments);
    QByteArray seen;
    while (!seen.contains("Starting playback...") && process.waitForReadyRead(10000))
        seen += process.readAll();
    const double ms = clock.nsecsElapsed() / 1e6;
    process.write("quit\n");
    if (!process.waitForFinished(2000)) {
        process.kill();
        process.waitForFinished();
    }
    return seen.contains("Starting playback...") ? ms : -1;
}

} // namespace

void BenchPlayback::thresholdToPlaying()
{
    constexpr int RUNS = 7;
    SampleVideoFormat format;
    format.width = 160;
    format.height = 120;
    const QByteArray video = SampleVideo::make(format);
    Figures ours;
    Figures direct;
    for (int run = 0; run < RUNS; ++run) {
        QElapsedTimer clock;
        qint64 reached = -1;
        qint64 playing = -1;
        MplayerOptions options;
        Stage stage(options, [&](Stage& s) {
            servePlayableVideo(s.world.fake, video, 1000000, 16384);
            // Connected before the controller: runs first when the bytes arrive.
            QObject::connect(s.world.service.get(), &VideoServiceProvider::downloadInProgress,
                             [&](qint64 received) {
                                 if (reached < 0 && received >= 500000)
                                     reached = clock.nsecsElapsed();
                             });
        });
        QObject::connect(&stage.player, &MediaPlayer::stateChanged, [&](int state) {
            if (state == ePlaying && playing < 0)
                playing = clock.nsecsElapsed();
        });
        const QString videoId = QStringLiteral("start%1").arg(run);
        clock.start();
        stage.controller->playVideo(Stage::entry(videoId));
        QTRY_VERIFY_WITH_TIMEOUT(playing > 0, 20000);
        QVERIFY(reached > 0 && playing > reached);
        ours.add((playing - reached) / 1e6);
        // The same file, complete, started directly with the same command line.
        QSignalSpy done(stage.world.service.get(), &VideoServiceProvider::videoIsDownloaded);
        QVERIFY(done.wait(20000));
        stage.controller->stopVideo();
        const QString file = stage.world.repository->getFileManager()->getVideoFolder() + videoId + VIDEO_FILE_SUFFIX;
        QFile::copy(file, file + QStringLiteral(".copy"));
        const double ms = directStart(stage.player.arguments(file + QStringLiteral(".copy"), 0));
        QVERIFY(ms > 0);
        direct.add(ms);
    }
    qInfo("threshold to playing: min %.1f / median %.1f / max %.1f ms", ours.min(), ours.median(), ours.max());
    qInfo("mplayer started directly: min %.1f / median %.1f / max %.1f ms", direct.min(), direct.median(),
          direct.max());
    qInfo("ratio of the medians: %.2f (at most 1.2)", ours.median() / direct.median());
}

void BenchPlayback::controllerCpuWhilePlaying()
{
    constexpr int WINDOWS = 3;
    constexpr int WINDOW_MS = 4000;
    SampleVideoFormat format;
    format.seconds = 30.0;
    format.compressionLevel = 6;
    Stage stage{MplayerOptions()};
    stage.store(QStringLiteral("cpu1"), SampleVideo::make(format));
    stage.controller->playVideo(Stage::entry(QStringLiteral("cpu1")));
    QTRY_COMPARE_WITH_TIMEOUT(stage.player.getState(), ePlaying, 10000);
    QTest::qWait(1000);
    Figures ours;
    Figures player;
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
        ours.add(100.0 * (cpuSecondsOfSelf() - selfBefore) / wall);
        player.add(100.0 * (cpuSecondsOf(stage.player.processId()) - childBefore) / wall);
    }
    QCOMPARE(stage.player.getState(), ePlaying);
    qInfo("program while playing: min %.2f / median %.2f / max %.2f %% of one core (under 1)", ours.min(),
          ours.median(), ours.max());
    qInfo("mplayer while playing: min %.2f / median %.2f / max %.2f %% of one core", player.min(), player.median(),
          player.max());
    qInfo("ratio program / mplayer (medians): %.3f", ours.median() / qMax(0.01, player.median()));
}

void BenchPlayback::memoryOverALongVideo()
{
    // 20 minutes of small pictures, played 100 times as fast.
    SampleVideoFormat format;
    format.width = 64;
    format.height = 48;
    format.framesPerSecond = 5;
    format.seconds = 1200.0;
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
    Figures rss;
    while (ended.isEmpty()) {
        QTest::qWait(250);
        rss.add(double(processStatusKb("VmRSS:")));
        QVERIFY2(rss.values.size() < 400, "the long video did not end");
    }
    const qint64 end = processStatusKb("VmRSS:");
    QVERIFY(stage.player.getPosition() > 1100.0);
    qInfo("VmRSS over 20 minutes of video at 100x (%lld samples): start %lld kB, min %.0f / median %.0f / max %.0f kB,"
          " end %lld kB",
          qint64(rss.values.size()), start, rss.min(), rss.median(), rss.max(), end);
    qInfo("ratio end / start: %.3f", double(end) / double(start));
}

QTEST_MAIN(BenchPlayback)
#include "bench_playback.moc"
