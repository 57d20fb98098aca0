#include "app/MainController.h"

#include "service/VideoServiceProvider.h"
#include "social/UploadVideoController.h"
#include "social/UploadVideoPage.h"

// Uploading a video.

void MainController::showUpload()
{
    if (!accountSignedIn()) {
        showAccountDialog();
        return;
    }
    // The answer reaches the form through setCategory.
    if (myCategoryRequestFailed)
        myService->getCategories();
    if (!myUploadController) {
        myUploadController = new UploadVideoController(myService, myRepository, myPageHistory, &myMainWindow);
        myMainWindow.addPage(myUploadController->getUploadPage());
        // The form's back button leads home, short or long, as a long press does on
        // every page: the ways back from earlier pages end there.
        connect(myUploadController, &UploadVideoController::backButton, &myPageHistory, &PageHistory::clear);
        connect(myUploadController, &UploadVideoController::backButton, this, &MainController::showHomePage);
    }
    UploadVideoPage* page = myUploadController->getUploadPage();
    myUploadController->resetUploadCriteria();
    if (!myCategories.isEmpty() && !myCategoryRequestFailed)
        myUploadController->setCategories(myCategories);
    myMainWindow.showPage(page);
}
