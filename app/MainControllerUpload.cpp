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
    }
    UploadVideoPage* page = myUploadController->getUploadPage();
    // The page's back button returns to where the user came from (the form itself
    // is not a step back from the form).
    if (myMainWindow.currentPage() != page)
        leaveCurrentPage();
    myUploadController->resetUploadCriteria();
    if (!myCategories.isEmpty() && !myCategoryRequestFailed)
        myUploadController->setCategories(myCategories);
    myMainWindow.showPage(page);
}
