#include "player/MplayerMediaPlayer.h"

#include "player/PlayerLogging.h"
#include "player/PlayerTexts.h"

#include <QRegularExpression>

#include <csignal>
#include <utility>
#include <sys/prctl.h>
#include <unistd.h>

namespace {

// A child that is ended gets a moment to quit on its own, then one to end on TERM,
// before it is killed.
constexpr int QUIT_GRACE_MS = 500;
constexpr int TERM_GRACE_MS = 1000;
// When the player itself goes, a killed child is waited for at most this long.
constexpr int REAP_WAIT_MS = 1000;
// An output line longer than this is not one of the player's answers.
constexpr qint64 MAX_LINE = 4096;
// What a video can have. The player prints a file's own texts (its title) as they
// stand, so a file can make it print any line: a number beyond these is not believed.
constexpr double MAX_SECONDS = 100.0 * 24 * 3600;
constexpr double MAX_STREAM_BYTES = 1e15;
constexpr double MAX_PICTURE_SIDE = 16384;

// The player's answers and reports that change what we know.
const QRegularExpression& startedLine()
{
    static const QRegularExpression re(QStringLiteral("^Starting playback\\.\\.\\."));
    return re;
}
const QRegularExpression& numberLine()
{
    static const QRegularExpression re(
        QStringLiteral("^(ANS_TIME_POSITION|ANS_LENGTH|ID_LENGTH|ANS_stream_pos|ID_VIDEO_WIDTH|ID_VIDEO_HEIGHT)"
                       "=(-?[0-9]+(?:\\.[0-9]+)?)\\s*$"));
    return re;
}
const QRegularExpression& pauseLine()
{
    static const QRegularExpression re(QStringLiteral("^ANS_pause=(yes|no)\\s*$"));
    return re;
}
const QRegularExpression& exitLine()
{
    static const QRegularExpression re(QStringLiteral("^ID_EXIT=([A-Z]+)"));
    return re;
}

bool isBelievable(const QString& key, double value)
{
    if (key == QLatin1String("ID_VIDEO_WIDTH") || key == QLatin1String("ID_VIDEO_HEIGHT"))
        return value >= 0 && value <= MAX_PICTURE_SIDE;
    if (key == QLatin1String("ANS_stream_pos"))
        return qAbs(value) <= MAX_STREAM_BYTES;
    return qAbs(value) <= MAX_SECONDS;
}

// Lines that say why a file cannot be played.
const QRegularExpression& problemLine()
{
    static const QRegularExpression re(
        QStringLiteral("^(File not found: .*|Failed to open .*|Cannot open file .*|Failed to recognize file format.*"
                       "|FATAL: .*|Video: no video.*|Cannot find codec .*|No stream found.*)$"));
    return re;
}

} // namespace

MplayerMediaPlayer::MplayerMediaPlayer(QObject* parent) : MplayerMediaPlayer(MplayerOptions(), parent)
{
}

MplayerMediaPlayer::MplayerMediaPlayer(const MplayerOptions& options, QObject* parent)
    : MediaPlayer(parent), myOptions(options)
{
    myPollTimer.setInterval(qMax(20, options.pollIntervalMs));
    connect(&myPollTimer, &QTimer::timeout, this, &MplayerMediaPlayer::poll);
    myStartTimer.setSingleShot(true);
    myStartTimer.setInterval(qMax(100, options.startTimeoutMs));
    connect(&myStartTimer, &QTimer::timeout, this, &MplayerMediaPlayer::startTimedOut);
}

MplayerMediaPlayer::~MplayerMediaPlayer()
{
    endProcess();
    // The program is ending: children that have not ended yet are killed now rather
    // than left to their timers, and reaped, so that none outlives it.
    const QList<QProcess*> ending = std::exchange(myEndingProcesses, {});
    for (QProcess* process : ending) {
        process->disconnect(this);
        process->kill();
        process->waitForFinished(REAP_WAIT_MS);
        delete process;
    }
}

qint64 MplayerMediaPlayer::processId() const
{
    return myProcess ? myProcess->processId() : 0;
}

QStringList MplayerMediaPlayer::arguments(const QString& file, double startSeconds) const
{
    QStringList args = {
        QStringLiteral("-slave"), QStringLiteral("-quiet"), QStringLiteral("-identify"),
        // Nothing of the user's own set-up, keys, remote control or joystick.
        QStringLiteral("-noconfig"), QStringLiteral("all"), QStringLiteral("-input"),
        QStringLiteral("nodefault-bindings"), QStringLiteral("-nolirc"), QStringLiteral("-nojoystick"),
        // Taps on the picture go to the program, not to the player.
        QStringLiteral("-nomouseinput"),
        // Only libavformat reads the file: the player's own demuxers would follow a
        // movie that refers to another address and play that address next.
        QStringLiteral("-demuxer"), QStringLiteral("lavf"),
        // The file may still be growing: read only a little of it to learn its format.
        // It came over plain http, so anyone on the way could have made it a playlist
        // or a description of a stream: the protocols that libavformat may open for it
        // are limited to one that does not exist, and the player reads nothing but the
        // file it was given.
        QStringLiteral("-lavfdopts"), QStringLiteral("probesize=131072:analyzeduration=2:o=protocol_whitelist=none"),
        QStringLiteral("-softvol"), QStringLiteral("-volume"), QString::number(myVolume),
        QStringLiteral("-osdlevel"), QStringLiteral("0"),
        QStringLiteral("-ao"), myOptions.audioOutputs.join(QLatin1Char(','))};
    if (myWindow != 0 && !myOptions.videoOutputs.isEmpty()) {
        // The window is sized by the program; the picture fills it.
        args << QStringLiteral("-vo") << myOptions.videoOutputs.join(QLatin1Char(',')) << QStringLiteral("-zoom")
             << QStringLiteral("-wid") << QString::number(quint64(myWindow));
    } else {
        args << QStringLiteral("-vo") << QStringLiteral("null");
    }
    args << (myKeepAspect ? QStringLiteral("-keepaspect") : QStringLiteral("-nokeepaspect"));
    if (startSeconds > 0)
        args << QStringLiteral("-ss") << QString::number(startSeconds, 'f', 2);
    if (myOptions.speed != 1.0)
        args << QStringLiteral("-speed") << QString::number(myOptions.speed);
    args << QStringLiteral("--") << file;
    return args;
}

void MplayerMediaPlayer::play(const QString& file, double startSeconds)
{
    qCDebug(lcPlayer) << "play" << file << "from" << startSeconds;
    endProcess();
    myFile = file;
    myPosition = qMax(0.0, startSeconds);
    myStreamPosition = -1;
    myStarted = false;
    myPauseWanted = false;
    myExitReason.clear();
    myProblem.clear();
    setState(eStopped);

    myProcess = new QProcess(this);
    myProcess->setProcessChannelMode(QProcess::MergedChannels);
    // The child is killed when the program dies, even by a crash; and if the program
    // is gone before the child gets this far, the child goes at once.
    const pid_t parent = getpid();
    myProcess->setChildProcessModifier([parent] {
        ::prctl(PR_SET_PDEATHSIG, SIGKILL);
        if (::getppid() != parent)
            ::_exit(1);
    });
    connect(myProcess, &QProcess::readyRead, this, &MplayerMediaPlayer::readOutput);
    connect(myProcess, &QProcess::finished, this, &MplayerMediaPlayer::processFinished);
    connect(myProcess, &QProcess::errorOccurred, this, &MplayerMediaPlayer::processError);
    myStartTimer.start();
    myProcess->start(myOptions.program, arguments(file, myPosition), QIODevice::ReadWrite);
}

void MplayerMediaPlayer::pause()
{
    if (!myProcess)
        return;
    if (!myStarted) {
        myPauseWanted = true;
        return;
    }
    if (myState != ePlaying)
        return;
    send("pause");
    myPollTimer.stop();
    setState(ePaused);
}

void MplayerMediaPlayer::resume()
{
    myPauseWanted = false;
    if (!myProcess || !myStarted || myState != ePaused)
        return;
    send("pause");
    myPollTimer.start();
    setState(ePlaying);
}

void MplayerMediaPlayer::stop()
{
    qCDebug(lcPlayer) << "stop" << myFile;
    endProcess();
    if (myState != eError)
        setState(eStopped);
}

void MplayerMediaPlayer::seek(double seconds)
{
    if (!myProcess || !myStarted)
        return;
    const double target = qMax(0.0, seconds);
    // "2": an absolute position in seconds; pausing_keep_force leaves a paused
    // player paused.
    send("pausing_keep_force seek " + QByteArray::number(target, 'f', 2) + " 2");
    myPosition = target;
    poll();
}

void MplayerMediaPlayer::setVolume(int percent)
{
    myVolume = qBound(0, percent, 100);
    if (myProcess && myStarted)
        send("pausing_keep_force volume " + QByteArray::number(myVolume) + " 1");
}

void MplayerMediaPlayer::send(const QByteArray& command)
{
    if (myProcess && myProcess->state() == QProcess::Running)
        myProcess->write(command + '\n');
}

void MplayerMediaPlayer::poll()
{
    send("pausing_keep_force get_time_pos");
    send("pausing_keep_force get_property stream_pos");
}

void MplayerMediaPlayer::readOutput()
{
    if (!myProcess)
        return;
    while (myProcess->canReadLine())
        handleLine(myProcess->readLine(MAX_LINE).trimmed());
    // Something without an end of line that long is not an answer: drop it.
    if (myProcess->bytesAvailable() > MAX_LINE)
        myProcess->readAll();
}

void MplayerMediaPlayer::handleLine(const QByteArray& raw)
{
    if (raw.isEmpty())
        return;
    const QString line = QString::fromLocal8Bit(raw);
    QRegularExpressionMatch m = numberLine().match(line);
    if (m.hasMatch()) {
        const QString key = m.captured(1);
        const double value = m.captured(2).toDouble();
        if (!isBelievable(key, value)) {
            qCDebug(lcPlayer) << "mplayer: not believed:" << line.left(80);
            return;
        }
        if (key == QLatin1String("ANS_TIME_POSITION")) {
            myPosition = value;
        } else if (key == QLatin1String("ANS_stream_pos")) {
            myStreamPosition = qint64(value);
            Q_EMIT positionChanged(myPosition, myStreamPosition);
        } else if (key == QLatin1String("ID_VIDEO_WIDTH")) {
            myVideoSize.setWidth(int(value));
        } else if (key == QLatin1String("ID_VIDEO_HEIGHT")) {
            myVideoSize.setHeight(int(value));
            if (myVideoSize.isValid())
                Q_EMIT videoSizeChanged(myVideoSize);
        } else if (value > 0 && !qFuzzyCompare(value, myLength)) {
            myLength = value;
            Q_EMIT lengthChanged(myLength);
        }
        return;
    }
    if (startedLine().match(line).hasMatch()) {
        myStarted = true;
        myStartTimer.stop();
        if (myPauseWanted) {
            myPauseWanted = false;
            send("pause");
            setState(ePaused);
        } else {
            myPollTimer.start();
            poll();
            setState(ePlaying);
        }
        return;
    }
    m = pauseLine().match(line);
    if (m.hasMatch()) {
        // Only a check: the player's own view of pausing wins.
        const bool paused = m.captured(1) == QLatin1String("yes");
        if (myStarted && paused != (myState == ePaused))
            setState(paused ? ePaused : ePlaying);
        return;
    }
    m = exitLine().match(line);
    if (m.hasMatch()) {
        myExitReason = m.captured(1);
        return;
    }
    m = problemLine().match(line);
    if (m.hasMatch()) {
        qCDebug(lcPlayer) << "mplayer:" << line;
        myProblem = m.captured(1);
    }
}

void MplayerMediaPlayer::processFinished(int exitCode, QProcess::ExitStatus status)
{
    readOutput();
    QProcess* process = myProcess;
    myProcess = nullptr;
    myPollTimer.stop();
    myStartTimer.stop();
    if (process)
        process->deleteLater();
    qCDebug(lcPlayer) << "mplayer ended" << exitCode << status << myExitReason << myProblem;

    // A child that catches a fatal signal exits on its own, without saying why it
    // ended: only an end of file or a quit is a normal end.
    const bool normalEnd = status == QProcess::NormalExit
        && (myExitReason == QLatin1String("EOF") || myExitReason == QLatin1String("QUIT"));
    if (!myStarted && status == QProcess::NormalExit) {
        fail(myProblem.isEmpty() ? TEXT_CANNOT_PLAY_VIDEO() : TEXT_CANNOT_PLAY_VIDEO_BECAUSE().arg(myProblem));
    } else if (!normalEnd) {
        fail(TEXT_PLAYER_CRASHED());
    } else if (myExitReason == QLatin1String("EOF")) {
        setState(eStopped);
        Q_EMIT endReached();
    } else {
        setState(eStopped);
    }
}

void MplayerMediaPlayer::processError(QProcess::ProcessError error)
{
    if (error != QProcess::FailedToStart || !myProcess)
        return;
    // No finished() follows a failed start.
    const QString reason = myProcess->errorString();
    myProcess->deleteLater();
    myProcess = nullptr;
    myStartTimer.stop();
    fail(TEXT_PLAYER_MISSING().arg(myOptions.program, reason));
}

void MplayerMediaPlayer::startTimedOut()
{
    if (!myProcess || myStarted)
        return;
    endProcess();
    fail(TEXT_PLAYER_NOT_ANSWERING());
}

void MplayerMediaPlayer::setState(MediaPlayerStates state)
{
    if (myState == state)
        return;
    myState = state;
    Q_EMIT stateChanged(state);
}

void MplayerMediaPlayer::fail(const QString& text)
{
    qCWarning(lcPlayer) << "player failed:" << text;
    setState(eError);
    Q_EMIT errorOccured(text);
}

void MplayerMediaPlayer::endProcess()
{
    myPollTimer.stop();
    myStartTimer.stop();
    myStarted = false;
    QProcess* process = myProcess;
    myProcess = nullptr;
    if (!process)
        return;
    // What the child says or does from now on is not news.
    process->disconnect(this);
    if (process->state() == QProcess::NotRunning) {
        process->deleteLater();
        return;
    }
    // Asked to quit, then TERM, then KILL, each on a timer: a child that hangs never
    // holds up the interface. Qt reaps it from the event loop once it has gone.
    myEndingProcesses.append(process);
    connect(process, &QProcess::stateChanged, this, [this, process](QProcess::ProcessState state) {
        if (state != QProcess::NotRunning)
            return;
        myEndingProcesses.removeOne(process);
        process->deleteLater();
    });
    process->write("quit\n");
    QTimer::singleShot(QUIT_GRACE_MS, process, &QProcess::terminate);
    QTimer::singleShot(QUIT_GRACE_MS + TERM_GRACE_MS, process, &QProcess::kill);
}
