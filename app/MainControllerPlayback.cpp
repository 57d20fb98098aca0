#include "app/MainController.h"

#include "core/VideoEntry.h"

#include <QDebug>

// Playback: a video picked from a list, shown in the information or full-screen view.

void MainController::showResultVideo(VideoEntry* entry, bool forceInfoView)
{
    if (!entry) {
        qWarning("void MainController::showResultVideo(VideoEntry*, bool) - entry is NULL");
        return;
    }
    myRepository.addToHistory(entry);
    // HOOK (media playback subsystem): show the video in the information view
    // (NormalScreenController) when forceInfoView is set or SETTING_ACTIVATE_IN_FULLSCREEN
    // is 0, else in full screen, and start it. The entry belongs to the result page's
    // model, which a later request empties: the player takes its own copy.
    Q_UNUSED(forceInfoView);
}
