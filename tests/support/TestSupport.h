#ifndef KRELVOX_TESTSUPPORT_H
#define KRELVOX_TESTSUPPORT_H

// The shared test support: include this one header (and link krelvox_testsupport,
// which krelvox_add_tests does).
//
// The world a test runs in (TestWorld.h)
//   TestWorld world(level)        temporary HOME, storage root and settings, then as
//                                 asked: an opened repository, the fake service with
//                                 the video service pointed at it, its account routes,
//                                 a signed-in account; the page history and the
//                                 800 x 480 window that pages use
// The folders alone (TestEnvironment.h)
//   TestEnvironment env           for a test that opens its own repository; nests
//   env.headlessEnvironment()     the environment of a child program in these folders
//   TestEnvironment::saveScreenshot(widget, name)   a picture into the test output folder
//
// Data (TestData.h)
//   testVideo, videoWithId        videos as the service delivers them
//   writeFile, readFile           whole files
//   addPlayList                   a stored playlist's id
//   videoIds, playListVideoIds    the ids of a model's rows or of a stored playlist
//   itemAt<Entry>(model, row)     the entry behind a list row
//   ModelProbe<Model>             a model that hands out indexes for rows it lacks
//   queryKeys(request)            the query keys the fake service received, in order
//   RawDatabase                   a second connection to look at rows or break writes
//   damageTable(file, table)      a table whose pages no longer read
//   damageIndex(file, index, key) an index that no longer matches its table
//
// The screen and the finger (Interaction.h)
//   showOnScreen, Touch::tap/doubleTap/press/move/release/drag, rowCenter, tapRow
//   DialogAnswerer                answers the next modal dialog from inside its loop
//   runApplicationLoop            runs the application loop around an action
//
// Time (ManualClock.h)
//   ManualClock clock             long presses, flicks and the busy indicator run on
//   clock.advance(ms)             it while it lives, moved on only by the test
//
// Stand-ins
//   RecordingVideoService         records operations and commands, with a background
//                                 channel the test ends; carries out device commands
//   ScriptedPrompt, MemoryInputMethod   questions answered from a script, keys in memory
//   RecordingPaintDevice          what a row painter drew, instead of pixels
//   TraceCollector                the diagnostic lines written while it lives
//   PrivateSessionBus             a D-Bus session bus of the test's own
//   ChildProcesses::of(name)      this process's live children by name (the player)
//   StandInPage                   a page that only records itself in the history
//
// Tests that build the whole program include ProgramRig.h as well; player tests that
// check a paused player holds still time it with PlayerClock.h (a second player).

#include "tests/support/ChildProcesses.h"
#include "tests/support/Interaction.h"
#include "tests/support/ManualClock.h"
#include "tests/support/PrivateSessionBus.h"
#include "tests/support/RecordingPaintDevice.h"
#include "tests/support/RecordingVideoService.h"
#include "tests/support/ScriptedPrompt.h"
#include "tests/support/StandInPage.h"
#include "tests/support/TestData.h"
#include "tests/support/TestEnvironment.h"
#include "tests/support/TestWorld.h"
#include "tests/support/TraceCollector.h"

#include "core/Repository.h"
#include "service/YoutubeVideoService.h"

#include <QSignalSpy>
#include <QTest>

#endif
