#include "social/UploadVideoController.h"

#include "core/StoragePaths.h"
#include "core/constants/Paths.h"
#include "service/VideoServiceProvider.h"
#include "service/account/AccountConstants.h"
#include "shell/OneButtonDialog.h"
#include "shell/ShellTexts.h"
#include "social/SocialLogging.h"
#include "social/UploadConstants.h"
#include "social/UploadTexts.h"
#include "social/UploadVideoPage.h"

#include <QApplication>
#include <QDebug>
#include <QDir>
#include <QFile>
#include <QFileDialog>
#include <QFileInfo>
#include <QFont>

namespace {

QString openFileDialog(QWidget* parent, const QString& caption, const QString& folder, const QString& filter)
{
    return QFileDialog::getOpenFileName(parent, caption, folder, filter);
}

// Where the chooser opens: the memory card, which holds the user's videos, or the
// user's own home folder when there is no card (the media folders are in /tmp then).
QString videoStartFolder()
{
    const QString root = StoragePaths::current().storageRoot;
    return root.isEmpty() || root == PATH_TMP ? QDir::homePath() : root;
}

} // namespace

UploadVideoController::UploadVideoController(VideoServiceProvider* service, Repository& repository,
                                             PageHistory& history, QWidget* parent)
    : QObject(parent), myService(service), myPage(new UploadVideoPage(parent, history)), myFileChooser(openFileDialog)
{
    qCDebug(lcSocial,
            "UploadVideoController::UploadVideoController(VideoServiceProvider*, Repository&, PageHistory&, QWidget*)"
            " > start");
    Q_UNUSED(repository);
    connect(myPage, &UploadVideoPage::backButtonClicked, this, &UploadVideoController::backButtonClicked);
    connect(myPage, &UploadVideoPage::browseButtonClicked, this, &UploadVideoController::browseButtonClicked);
    connect(myPage, &UploadVideoPage::uploadRequested, this, &UploadVideoController::uploadRequested);
    if (myService) {
        connect(myService, &VideoServiceProvider::uploadInProgress, this, &UploadVideoController::uploadInProgress);
        connect(myService, &VideoServiceProvider::uploadDone, this, &UploadVideoController::videoUploaded);
    }
    qCDebug(lcSocial,
            "UploadVideoController::UploadVideoController(VideoServiceProvider*, Repository&, PageHistory&, QWidget*)"
            " > end");
}

UploadVideoController::~UploadVideoController() = default;

void UploadVideoController::resetUploadCriteria()
{
    qCDebug(lcSocial, "void UploadVideoController::resetUploadCriteria() > start");
    myPage->resetUploadCriteria();
    qCDebug(lcSocial, "void UploadVideoController::resetUploadCriteria() > end");
}

void UploadVideoController::setCategories(const CategoryMap& categories)
{
    qCDebug(lcSocial, "void UploadVideoController::setCategories(CategoryMap&) > start");
    myPage->setCategories(categories);
    qCDebug(lcSocial, "void UploadVideoController::setCategories(CategoryMap&) > end");
}

OneButtonDialog* UploadVideoController::getCurrentDialog() const
{
    return myDialog;
}

void UploadVideoController::setVideoFileChooser(const VideoFileChooser& chooser)
{
    myFileChooser = chooser ? chooser : VideoFileChooser(openFileDialog);
}

void UploadVideoController::useUploadFonts()
{
    // Once a run: each change makes every widget lay itself out again.
    if (myUploadFontsSet)
        return;
    myUploadFontsSet = true;
    QApplication::setFont(QFont(UPLOAD_FONT_FAMILY, UPLOAD_ITEM_VIEW_FONT_POINTS), "QAbstractItemView");
    // Class fonts are looked up along a widget's classes up to QWidget: set there, the
    // font reaches every other widget.
    QApplication::setFont(QFont(UPLOAD_FONT_FAMILY, UPLOAD_WIDGET_FONT_POINTS), "QWidget");
}

void UploadVideoController::backButtonClicked()
{
    qCDebug(lcSocial, "void UploadVideoController::backButtonClicked() > start");
    Q_EMIT backButton();
    qCDebug(lcSocial, "void UploadVideoController::backButtonClicked() > end");
}

void UploadVideoController::browseButtonClicked()
{
    qCDebug(lcSocial, "void UploadVideoController::browseButtonClicked() > start");
    useUploadFonts();
    // A cancelled chooser gives "", which clears a file chosen before.
    const QString path = myFileChooser(myPage, TEXT_CHOOSE_VIDEO_FOR_UPLOADING(), videoStartFolder(),
                                       TEXT_MOVIE_FILE_FILTER());
    myPage->setVideoFile(path);
    qCDebug(lcSocial, "void UploadVideoController::browseButtonClicked() > end");
}

QString UploadVideoController::refusalOf(const QMap<QString, QString>& uploadMap) const
{
    if (uploadMap.value(UPLOAD_CATEGORY).isEmpty())
        return TEXT_UPLOAD_NEEDS_CATEGORY();
    const QString location = uploadMap.value(UPLOAD_LOCATION);
    QFile file(location);
    if (!QFileInfo(location).isFile() || !file.open(QIODevice::ReadOnly))
        return TEXT_UPLOAD_FILE_UNREADABLE().arg(QFileInfo(location).fileName());
    return QString();
}

void UploadVideoController::uploadRequested(QMap<QString, QString> uploadMap)
{
    qCDebug(lcSocial, "void UploadVideoController::uploadRequested(QMap<QString,QString>) > start");
    // A progress dialog hidden with Escape is still current; what comes now replaces it.
    deleteUploadDialog();
    const QString refusal = refusalOf(uploadMap);
    if (!refusal.isEmpty()) {
        qCWarning(lcSocial) << "upload not started:" << refusal;
        showResult(false, refusal);
        qCDebug(lcSocial, "void UploadVideoController::uploadRequested(QMap<QString,QString>) > end");
        return;
    }

    myDialog = new OneButtonDialog(myPage);
    QPointer<OneButtonDialog> progress = myDialog;
    progress->setButtonText(TEXT_CANCEL(), 1);
    progress->setTitle(TEXT_UPLOAD_DIALOG_TITLE());
    progress->setText(TEXT_UPLOADING());
    progress->showProgressIndicator(true);
    // Set first: a service that reports at once must not find the upload idle.
    myUploadInProgress = true;
    myService->uploadVideo(uploadMap);

    // The reports arrive inside this loop; the outcome deletes the dialog, which ends
    // it with 0, and so does Escape (the dialog then stays, hidden, for the reports).
    if (progress && progress->exec() != 0) {
        myUploadInProgress = false;
        myService->cancelUploading();
        deleteUploadDialog();
    }
    qCDebug(lcSocial, "void UploadVideoController::uploadRequested(QMap<QString,QString>) > end");
}

void UploadVideoController::uploadInProgress(int done, int total)
{
    qCDebug(lcSocial, "void UploadVideoController::uploadInProgress(int,int) > start");
    // The service never reports an empty body; such a report says nothing.
    if (myDialog && total > 0) {
        myDialog->setProgressIndicatorValue(int(double(done) / double(total) * 100.0));
        // Everything sent: the service's answer is still to come.
        if (done / total == 1)
            myDialog->setText(TEXT_PLEASE_WAIT());
    }
    qCDebug(lcSocial, "void UploadVideoController::uploadInProgress(int,int) > end");
}

void UploadVideoController::videoUploaded(bool info, QString text)
{
    qCDebug(lcSocial, "void UploadVideoController::videoUploaded(bool,QString) > start");
    // A cancelled upload, or a repeated report of one already shown.
    if (!myUploadInProgress) {
        qCDebug(lcSocial, "void UploadVideoController::videoUploaded(bool,QString) > end");
        return;
    }
    deleteUploadDialog();
    showResult(info, text);
    myUploadInProgress = false;
    qCDebug(lcSocial, "void UploadVideoController::videoUploaded(bool,QString) > end");
}

void UploadVideoController::showResult(bool info, const QString& text)
{
    myDialog = new OneButtonDialog(myPage);
    QPointer<OneButtonDialog> result = myDialog;
    result->setTitle(info ? TEXT_VIDEO_UPLOADED() : TEXT_FAILURE_IN_UPLOAD());
    result->setText(text);
    result->exec();
    // A report that came while it was open has replaced it already.
    if (myDialog == result)
        deleteUploadDialog();
}

void UploadVideoController::deleteUploadDialog()
{
    if (!myDialog)
        return;
    delete myDialog.data();
    myDialog = nullptr;
}
