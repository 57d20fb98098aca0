#ifndef KRELVOX_MPLAYERMEDIAPLAYER_H
#define KRELVOX_MPLAYERMEDIAPLAYER_H

#include "player/MediaPlayer.h"

#include <QProcess>
#include <QSize>
#include <QStringList>
#include <QTimer>

// How the mplayer child is run. The defaults suit the program; tests and
// benchmarks change the program path, the outputs and the speed.
struct MplayerOptions
{
    QString program = QStringLiteral("mplayer");
    // Video outputs tried in turn when there is a window to draw into; without one
    // the picture is decoded and dropped ("null").
    QStringList videoOutputs = {QStringLiteral("xv"), QStringLiteral("x11")};
    // Audio outputs tried in turn; "null" plays on without a sound device.
    QStringList audioOutputs = {QStringLiteral("alsa"), QStringLiteral("null")};
    // How often position and bytes read are asked for while it plays.
    int pollIntervalMs = 250;
    // A player that has not shown its first picture by then is given up.
    int startTimeoutMs = 20000;
    // Playback speed (1.0 normal).
    double speed = 1.0;
};

// The media player on mplayer in slave mode: one child process per file, its
// commands written to its input, its answers read line by line from its output.
// A child that is stopped is ended without waiting for it; every child dies with
// the program, however the program ends.
class MplayerMediaPlayer : public MediaPlayer
{
    Q_OBJECT
public:
    explicit MplayerMediaPlayer(QObject* parent = nullptr);
    explicit MplayerMediaPlayer(const MplayerOptions& options, QObject* parent = nullptr);
    ~MplayerMediaPlayer() override;

    void setVideoWindow(WId window) override { myWindow = window; }
    void setKeepAspectRatio(bool keep) override { myKeepAspect = keep; }
    void play(const QString& file, double startSeconds = 0.0) override;
    void pause() override;
    void resume() override;
    void stop() override;
    void seek(double seconds) override;
    void setVolume(int percent) override;
    int getVolume() const override { return myVolume; }

    MediaPlayerStates getState() const override { return myState; }
    double getPosition() const override { return myPosition; }
    double getLength() const override { return myLength; }
    qint64 getStreamPosition() const override { return myStreamPosition; }
    QString getFile() const override { return myFile; }

    // The picture's size as the player reports it (invalid until known).
    QSize getVideoSize() const { return myVideoSize; }
    // The running child's process id, 0 when none runs.
    qint64 processId() const;
    // The command line for a file (for the tests and the benchmark).
    QStringList arguments(const QString& file, double startSeconds) const;

private:
    void readOutput();
    void handleLine(const QByteArray& line);
    void processFinished(int exitCode, QProcess::ExitStatus status);
    void processError(QProcess::ProcessError error);
    void startTimedOut();
    void poll();
    void send(const QByteArray& command);
    void setState(MediaPlayerStates state);
    void fail(const QString& text);
    void endProcess();

    MplayerOptions myOptions;
    QProcess* myProcess = nullptr;
    QTimer myPollTimer;
    QTimer myStartTimer;
    WId myWindow = 0;
    bool myKeepAspect = true;
    int myVolume = 100;

    MediaPlayerStates myState = eStopped;
    QString myFile;
    double myPosition = 0.0;
    double myLength = 0.0;
    qint64 myStreamPosition = -1;
    QSize myVideoSize;
    // Children that were ended and have not gone yet.
    QList<QProcess*> myEndingProcesses;
    bool myStarted = false;        // the first picture is on its way
    bool myPauseWanted = false;    // pause() before the start
    QString myExitReason;          // "EOF", "QUIT", "ERROR" from the last lines
    QString myProblem;             // the last line that told of a failure
};

#endif
