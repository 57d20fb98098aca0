#ifndef KRELVOX_MEDIAPLAYER_H
#define KRELVOX_MEDIAPLAYER_H

#include "core/Types.h"

#include <QObject>
#include <QSize>
#include <QString>
#include <QWidget>

// A video player that runs outside the program and draws into a window of ours.
// Every operation returns at once; what the player does comes back as signals.
// States: ePlaying from the first picture on, ePaused, eStopped (never started,
// stopped, or at its end: endReached tells the last apart), eError (the player
// could not be started, could not play the file or died; errorOccured carries the
// text for the user).
class MediaPlayer : public QObject
{
    Q_OBJECT
public:
    explicit MediaPlayer(QObject* parent = nullptr) : QObject(parent) {}
    ~MediaPlayer() override = default;

    // The native window the picture goes into; 0: no picture (the player still
    // plays, for the timing). Used by the next play().
    virtual void setVideoWindow(WId window) = 0;
    // Whether the picture keeps its aspect ratio inside the window. Used by the next play().
    virtual void setKeepAspectRatio(bool keep) = 0;

    // Plays the file from the position (seconds). A file that is still being written
    // is read as far as it goes; the caller keeps the player behind the writer.
    virtual void play(const QString& file, double startSeconds = 0.0) = 0;
    virtual void pause() = 0;
    virtual void resume() = 0;
    // Ends the player; nothing of it is left running.
    virtual void stop() = 0;
    // To the position (seconds from the start), paused or playing as before.
    virtual void seek(double seconds) = 0;
    // 0 to 100.
    virtual void setVolume(int percent) = 0;
    virtual int getVolume() const = 0;

    virtual MediaPlayerStates getState() const = 0;
    virtual double getPosition() const = 0;   // seconds
    virtual double getLength() const = 0;     // seconds, 0 while unknown
    // Bytes of the file the player has read so far, -1 while unknown.
    virtual qint64 getStreamPosition() const = 0;
    virtual QString getFile() const = 0;

Q_SIGNALS:
    void stateChanged(int state);   // MediaPlayerStates
    // Position and the bytes read, reported together a few times a second while it runs.
    void positionChanged(double seconds, qint64 streamPosition);
    void lengthChanged(double seconds);
    // The picture's size in pixels, once the player knows it.
    void videoSizeChanged(const QSize& size);
    // The file was played to its end (the state is eStopped).
    void endReached();
    void errorOccured(const QString& text);
};

#endif
