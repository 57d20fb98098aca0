#include "player/MplayerMediaPlayer.h"
#include "player/PlayerTexts.h"
#include "tests/support/PlayerClock.h"
#include "tests/support/TestSupport.h"
#include "tools/samplevideo/SampleVideo.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QFile>
#include <QProcess>
#include <QTcpServer>
#include <QtEndian>

#include <csignal>
#include <cstdio>
#include <cstdlib>
#include <sys/resource.h>

// The mplayer child: playing a file to its end, pausing, seeking, the failures that
// end in the error state with a message, and that no child outlives its player,
// whichever way the player or the program ends, without the interface waiting for it;
// what a hostile file makes the player print and open.
class TestMediaPlayer : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void playsToTheEnd();
    void pauseHoldsThePositionAndSeekMovesIt();
    void failuresEndInTheErrorState_data();
    void failuresEndInTheErrorState();
    void noChildOutlivesThePlayer_data();
    void noChildOutlivesThePlayer();
    void childDiesWithTheProgram();
    void numbersNoVideoHasAreNotBelieved_data();
    void numbersNoVideoHasAreNotBelieved();
    void hostileFileOpensNoAddress_data();
    void hostileFileOpensNoAddress();

private:
    QString writeVideo(const QString& name, double seconds);
    TestEnvironment myEnvironment;
};

namespace {

constexpr auto CRASH_HELPER = "KRELVOX_PLAYER_CRASH_HELPER";

MplayerOptions fastPolling()
{
    MplayerOptions options;
    options.pollIntervalMs = 50;
    return options;
}

bool waitForState(MediaPlayer& player, MediaPlayerStates state, int timeoutMs = 10000)
{
    return QTest::qWaitFor([&] { return player.getState() == state; }, timeoutMs);
}

QByteArray atom(const char* type, const QByteArray& payload)
{
    QByteArray size(4, '\0');
    qToBigEndian(quint32(8 + payload.size()), size.data());
    return size + QByteArray(type, 4) + payload;
}

// A file that names another address to be played in its place.
QByteArray fileNaming(const QString& kind, const QByteArray& address)
{
    if (kind == QLatin1String("playlist"))
        return "#EXTM3U\n#EXT-X-TARGETDURATION:10\n#EXTINF:10,\n" + address + "\n#EXT-X-ENDLIST\n";
    // A movie that only refers to another one.
    QByteArray length(4, '\0');
    qToBigEndian(quint32(address.size() + 1), length.data());
    const QByteArray reference = atom("rdrf", QByteArray(4, '\0') + "url " + length + address + '\0');
    return atom("ftyp", QByteArray("qt  \0\0\0\0qt  ", 12)) + atom("moov", atom("rmra", atom("rmda", reference)));
}

} // namespace

QString TestMediaPlayer::writeVideo(const QString& name, double seconds)
{
    SampleVideoFormat format;
    format.width = 160;
    format.height = 120;
    format.seconds = seconds;
    const QString path = myEnvironment.root() + QLatin1Char('/') + name;
    return writeFile(path, SampleVideo::make(format)) ? path : QString();
}

void TestMediaPlayer::playsToTheEnd()
{
    const QString file = writeVideo(QStringLiteral("end.flv"), 1.5);
    MplayerMediaPlayer player(fastPolling());
    QSignalSpy states(&player, &MediaPlayer::stateChanged);
    QSignalSpy ends(&player, &MediaPlayer::endReached);
    QSignalSpy lengths(&player, &MediaPlayer::lengthChanged);
    QSignalSpy errors(&player, &MediaPlayer::errorOccured);

    player.play(file);
    QTRY_COMPARE_WITH_TIMEOUT(ends.count(), 1, 10000);
    QCOMPARE(errors.count(), 0);
    QCOMPARE(player.getState(), eStopped);
    QVERIFY(!states.isEmpty());
    QCOMPARE(states.first().first().toInt(), int(ePlaying));
    QVERIFY(!lengths.isEmpty());
    QCOMPARE(player.getLength(), 1.5);
    QVERIFY(player.getPosition() > 0.5);
    QVERIFY(player.getStreamPosition() > 0);
    QCOMPARE(player.processId(), 0);
    QVERIFY(ChildProcesses::of(QStringLiteral("mplayer")).isEmpty());
}

void TestMediaPlayer::pauseHoldsThePositionAndSeekMovesIt()
{
    const QString file = writeVideo(QStringLiteral("pause.flv"), 6.0);
    PlayerClock clock(myEnvironment.root());
    MplayerMediaPlayer player(fastPolling());
    player.play(file);
    QVERIFY(waitForState(player, ePlaying));
    QTRY_VERIFY_WITH_TIMEOUT(player.getPosition() > 0.2, 5000);

    player.pause();
    QCOMPARE(player.getState(), ePaused);
    // Answers to what was asked just before the pause may still come.
    QVERIFY(clock.waitFor(0.2));
    const double held = player.getPosition();
    QVERIFY(clock.waitFor(0.5));
    QVERIFY2(qAbs(player.getPosition() - held) < 0.15, qPrintable(QString::number(player.getPosition())));

    // A seek while paused moves the position and leaves it paused.
    player.seek(4.0);
    QTRY_VERIFY_WITH_TIMEOUT(player.getPosition() > 3.5, 5000);
    QCOMPARE(player.getState(), ePaused);
    QVERIFY(clock.waitFor(0.3));
    QVERIFY(player.getPosition() < 4.5);

    player.setVolume(130);
    QCOMPARE(player.getVolume(), 100);
    player.resume();
    QCOMPARE(player.getState(), ePlaying);
    QTRY_VERIFY_WITH_TIMEOUT(player.getPosition() > 4.4, 5000);
    player.stop();
    QCOMPARE(player.getState(), eStopped);
}

void TestMediaPlayer::failuresEndInTheErrorState_data()
{
    QTest::addColumn<QString>("program");
    QTest::addColumn<QByteArray>("content"); // empty: no file at all
    QTest::addColumn<QString>("message");

    QTest::newRow("no mplayer") << QStringLiteral("/nonexistent/mplayer") << QByteArray("x")
                                << TEXT_PLAYER_MISSING().section(QLatin1Char('%'), 0, 0);
    QTest::newRow("damaged file") << QStringLiteral("mplayer") << QByteArray(300000, '\x5a')
                                  << TEXT_CANNOT_PLAY_VIDEO();
    QTest::newRow("truncated header") << QStringLiteral("mplayer") << QByteArray("FLV\x01\x01\0\0\0\x09", 9)
                                      << TEXT_CANNOT_PLAY_VIDEO();
    QTest::newRow("missing file") << QStringLiteral("mplayer") << QByteArray()
                                  << TEXT_CANNOT_PLAY_VIDEO_BECAUSE().section(QLatin1Char('%'), 0, 0);
}

void TestMediaPlayer::failuresEndInTheErrorState()
{
    QFETCH(QString, program);
    QFETCH(QByteArray, content);
    QFETCH(QString, message);

    const QString path = myEnvironment.root() + QStringLiteral("/broken.flv");
    QFile::remove(path);
    if (!content.isEmpty())
        QVERIFY(writeFile(path, content));
    MplayerOptions options = fastPolling();
    options.program = program;
    MplayerMediaPlayer player(options);
    QSignalSpy errors(&player, &MediaPlayer::errorOccured);
    QSignalSpy ends(&player, &MediaPlayer::endReached);

    player.play(path);
    QTRY_COMPARE_WITH_TIMEOUT(errors.count(), 1, 10000);
    QCOMPARE(player.getState(), eError);
    QVERIFY2(errors.first().first().toString().startsWith(message), qPrintable(errors.first().first().toString()));
    QCOMPARE(ends.count(), 0);
    QVERIFY(ChildProcesses::of(QStringLiteral("mplayer")).isEmpty());

    // The next file plays again.
    if (program == QLatin1String("mplayer")) {
        player.play(writeVideo(QStringLiteral("after.flv"), 1.0));
        QVERIFY(waitForState(player, ePlaying));
    }
}

// A stopped child ends a moment later, from the event loop; one whose player is
// destroyed (the program ends) is gone when the destructor returns.
void TestMediaPlayer::noChildOutlivesThePlayer_data()
{
    QTest::addColumn<QString>("ending");
    QTest::addColumn<bool>("goneAtOnce");
    QTest::newRow("stop") << QStringLiteral("stop") << false;
    QTest::newRow("destroyed") << QStringLiteral("destroyed") << true;
    QTest::newRow("next file") << QStringLiteral("next file") << false;
    QTest::newRow("player crashed") << QStringLiteral("crash") << false;
    QTest::newRow("player hangs") << QStringLiteral("hang") << false;
    QTest::newRow("player hangs, then the program ends") << QStringLiteral("hang, destroyed") << true;
}

void TestMediaPlayer::noChildOutlivesThePlayer()
{
    QFETCH(QString, ending);
    QFETCH(bool, goneAtOnce);
    const QString file = writeVideo(QStringLiteral("long.flv"), 20.0);
    auto player = std::make_unique<MplayerMediaPlayer>(fastPolling());
    QSignalSpy errors(player.get(), &MediaPlayer::errorOccured);
    player->play(file);
    QVERIFY(waitForState(*player, ePlaying));
    const qint64 first = player->processId();
    QCOMPARE(ChildProcesses::of(QStringLiteral("mplayer")), QList<qint64>{first});

    if (ending == QLatin1String("stop")) {
        player->stop();
    } else if (ending == QLatin1String("destroyed")) {
        player.reset();
    } else if (ending == QLatin1String("next file")) {
        player->play(file);
        QVERIFY(waitForState(*player, ePlaying));
        QTRY_VERIFY(!ChildProcesses::isAlive(first));
        QCOMPARE(ChildProcesses::of(QStringLiteral("mplayer")).count(), 1);
        player->stop();
    } else if (ending == QLatin1String("crash")) {
        ::kill(pid_t(first), SIGSEGV);
        QTRY_COMPARE_WITH_TIMEOUT(errors.count(), 1, 5000);
        QCOMPARE(errors.first().first().toString(), TEXT_PLAYER_CRASHED());
        QCOMPARE(player->getState(), eError);
    } else {
        // A child that no longer reads its commands (nor acts on TERM) is killed, and
        // the interface does not wait for that.
        ::kill(pid_t(first), SIGSTOP);
        QElapsedTimer clock;
        clock.start();
        player->stop();
        QVERIFY2(clock.elapsed() < 250, qPrintable(QString::number(clock.elapsed())));
        QCOMPARE(player->getState(), eStopped);
        if (ending == QLatin1String("hang, destroyed"))
            player.reset();
    }
    if (!goneAtOnce)
        QTRY_VERIFY_WITH_TIMEOUT(ChildProcesses::of(QStringLiteral("mplayer")).isEmpty(), 5000);
    QVERIFY(!ChildProcesses::isAlive(first));
    QVERIFY(ChildProcesses::of(QStringLiteral("mplayer")).isEmpty());
}

void TestMediaPlayer::childDiesWithTheProgram()
{
    // A copy of this program starts a player and aborts; its child must not survive it.
    const QString file = writeVideo(QStringLiteral("crash.flv"), 20.0);
    QProcess helper;
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.insert(QString::fromLatin1(CRASH_HELPER), file);
    helper.setProcessEnvironment(environment);
    helper.start(QCoreApplication::applicationFilePath(), {});
    QVERIFY(helper.waitForFinished(15000));
    QCOMPARE(helper.exitStatus(), QProcess::CrashExit);
    bool ok = false;
    const qint64 child = helper.readAllStandardOutput().trimmed().toLongLong(&ok);
    QVERIFY(ok && child > 0);
    QTRY_VERIFY_WITH_TIMEOUT(!ChildProcesses::isAlive(child), 5000);
}

void TestMediaPlayer::numbersNoVideoHasAreNotBelieved_data()
{
    // The player prints a file's title as it stands: one with line breaks in it
    // makes it print these lines too.
    QTest::addColumn<QByteArray>("line");
    const QByteArray digits(400, '9');
    QTest::newRow("length of 400 digits") << "ID_LENGTH=" + digits + ".00";
    QTest::newRow("length of a thousand years") << QByteArray("ANS_LENGTH=31536000000");
    QTest::newRow("position of 400 digits") << "ANS_TIME_POSITION=" + digits;
    QTest::newRow("width beyond any int") << QByteArray("ID_VIDEO_WIDTH=99999999999");
    QTest::newRow("height beyond any int") << QByteArray("ID_VIDEO_HEIGHT=4294967456");
    QTest::newRow("bytes read beyond any int") << QByteArray("ANS_stream_pos=123456789012345678901234567890");
}

void TestMediaPlayer::numbersNoVideoHasAreNotBelieved()
{
    QFETCH(QByteArray, line);
    // A player that gives the true figures, then the file's forged line, and ends.
    const QString program = myEnvironment.root() + QStringLiteral("/forging-player");
    QVERIFY(writeFile(program, "#!/bin/sh\nprintf '%s\\n' ID_VIDEO_WIDTH=160 ID_VIDEO_HEIGHT=120 ID_LENGTH=2.50 "
                               "'Starting playback...' ANS_TIME_POSITION=1.5 ANS_stream_pos=1000 '" + line + "' "
                               "ID_EXIT=EOF\n"));
    QVERIFY(QFile::setPermissions(program, QFile::permissions(program) | QFileDevice::ExeOwner));

    MplayerOptions options = fastPolling();
    options.program = program;
    MplayerMediaPlayer player(options);
    QSignalSpy ends(&player, &MediaPlayer::endReached);
    QSignalSpy sizes(&player, &MediaPlayer::videoSizeChanged);
    player.play(QStringLiteral("forged.flv"));
    QTRY_COMPARE_WITH_TIMEOUT(ends.count(), 1, 10000);
    QCOMPARE(player.getLength(), 2.5);
    QCOMPARE(player.getPosition(), 1.5);
    QCOMPARE(player.getStreamPosition(), qint64(1000));
    QCOMPARE(player.getVideoSize(), QSize(160, 120));
    QCOMPARE(sizes.count(), 1);
}

// The file came over plain http: whoever sent it may have made it a playlist or a
// movie that points elsewhere, here at a listener on this machine.
void TestMediaPlayer::hostileFileOpensNoAddress_data()
{
    QTest::addColumn<QString>("kind");
    QTest::newRow("HLS playlist") << QStringLiteral("playlist");
    QTest::newRow("reference movie") << QStringLiteral("reference");
}

void TestMediaPlayer::hostileFileOpensNoAddress()
{
    QFETCH(QString, kind);
    QTcpServer listener;
    QVERIFY(listener.listen(QHostAddress::LocalHost));
    const QByteArray address = "http://127.0.0.1:" + QByteArray::number(listener.serverPort()) + "/segment0.ts";
    const QString file = myEnvironment.root() + QStringLiteral("/hostile.flv");
    QVERIFY(writeFile(file, fileNaming(kind, address)));

    MplayerMediaPlayer player(fastPolling());
    QSignalSpy errors(&player, &MediaPlayer::errorOccured);
    QSignalSpy ends(&player, &MediaPlayer::endReached);
    player.play(file);
    QTRY_VERIFY_WITH_TIMEOUT(errors.count() + ends.count() > 0 || listener.hasPendingConnections(), 15000);
    QVERIFY2(!listener.hasPendingConnections() && !listener.waitForNewConnection(0),
             "the player opened the address that the file named");
    QCOMPARE(errors.count(), 1);
    QCOMPARE(errors.first().first().toString(), TEXT_CANNOT_PLAY_VIDEO());
}

int main(int argc, char* argv[])
{
    QApplication app(argc, argv);
    const QString helperFile = qEnvironmentVariable(CRASH_HELPER);
    if (!helperFile.isEmpty()) {
        // The crashing program: play, tell the child's id, die.
        auto* player = new MplayerMediaPlayer(fastPolling());
        player->play(helperFile);
        if (!waitForState(*player, ePlaying))
            return 2;
        std::printf("%lld\n", player->processId());
        std::fflush(stdout);
        // A crash, without leaving a core file behind.
        const rlimit noCore{0, 0};
        setrlimit(RLIMIT_CORE, &noCore);
        std::abort();
    }
    TestMediaPlayer test;
    return QTest::qExec(&test, argc, argv);
}

#include "tst_mediaplayer.moc"
