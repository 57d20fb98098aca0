#include "app/MainController.h"

#include <QDebug>

// Uploading a video.

void MainController::showUpload()
{
    if (!accountSignedIn()) {
        showAccountDialog();
        return;
    }
    // The upload subsystem adds here: UploadVideoController on first use, its reset and
    // categories, leaveCurrentPage() and the switch to its page.
    qDebug("void MainController::showUpload() - no upload page in this build");
}
