#ifndef KRELVOX_PLAYERCLOCK_H
#define KRELVOX_PLAYERCLOCK_H

// Header-only: the tests that include it link the player and the sample video.

#include "player/MplayerMediaPlayer.h"
#include "tests/support/TestData.h"
#include "tools/samplevideo/SampleVideo.h"

#include <QTest>

// A second player on a video of its own, as the clock of a check that a player holds
// still: a paused player reports nothing, so nothing of it shows that time has passed.
// How far the clock has played is how long a player on this machine, as loaded as it
// is, had to run meanwhile: had the player under test not held, it would have moved
// as far.
class PlayerClock
{
public:
    // Writes the clock's video into the folder and starts playing it.
    explicit PlayerClock(const QString& folder) : myPlayer(options())
    {
        SampleVideoFormat format;
        format.width = 64;
        format.height = 48;
        format.seconds = LENGTH_SECONDS;
        format.compressionLevel = 9;
        const QString file = folder + QStringLiteral("/clock.flv");
        if (writeFile(file, SampleVideo::make(format)))
            myPlayer.play(file);
    }

    // Waits until the clock has played at least so many seconds more; false when it
    // has not by the timeout (it did not start, or ran out).
    bool waitFor(double seconds, int timeoutMs = 20000)
    {
        if (!QTest::qWaitFor([this] { return myPlayer.getState() == ePlaying; }, timeoutMs))
            return false;
        // The last report may be a poll old: one more poll's worth of play.
        const double until = myPlayer.getPosition() + seconds + POLL_MS / 1000.0;
        return QTest::qWaitFor([this, until] { return myPlayer.getPosition() >= until; }, timeoutMs);
    }

private:
    static constexpr double LENGTH_SECONDS = 60.0;
    static constexpr int POLL_MS = 50;

    static MplayerOptions options()
    {
        MplayerOptions options;
        options.pollIntervalMs = POLL_MS;
        return options;
    }

    MplayerMediaPlayer myPlayer;
};

#endif
