#ifndef KRELVOX_UPLOADVIDEOCONTROLLER_H
#define KRELVOX_UPLOADVIDEOCONTROLLER_H

#include "core/Types.h"

#include <QMap>
#include <QObject>
#include <QPointer>
#include <QString>

#include <functional>

class OneButtonDialog;
class PageHistory;
class Repository;
class UploadVideoPage;
class VideoServiceProvider;
class QWidget;

// Runs the upload of one video to the signed-in account. It owns the upload form,
// opens the file chooser for it, hands the filled-in form to the service and keeps
// the user in a modal progress dialog ("Cancel" stops the upload) until the service
// reports the outcome, which it shows in a result dialog. An upload that the service
// would refuse without a report (no category, a file that cannot be read) is not
// started: the user is told why instead.
//
// The dialogs run nested event loops in which the service's reports arrive; the
// in-progress flag, not the dialog, tells a live upload from a finished or cancelled
// one, so a late or repeated report is shown at most once.
class UploadVideoController : public QObject
{
    Q_OBJECT
public:
    // Asks the user for a video file: the chosen path, "" when the user cancelled.
    using VideoFileChooser = std::function<QString(QWidget* parent, const QString& caption,
                                                   const QString& folder, const QString& filter)>;

    // The repository is not consulted; the page records itself in the history.
    UploadVideoController(VideoServiceProvider* service, Repository& repository, PageHistory& history,
                          QWidget* parent);
    ~UploadVideoController() override;

    UploadVideoPage* getUploadPage() const { return myPage; }
    void resetUploadCriteria();
    void setCategories(const CategoryMap& categories);

    // The real modal open-file dialog unless a chooser is set in its place (tests);
    // an empty chooser restores the dialog.
    void setVideoFileChooser(const VideoFileChooser& chooser);
    bool isUploading() const { return myUploadInProgress; }
    // The progress or result dialog while one exists.
    OneButtonDialog* getCurrentDialog() const;

Q_SIGNALS:
    // The page's back button was pressed (short or long).
    void backButton();

private Q_SLOTS:
    void backButtonClicked();
    void browseButtonClicked();
    void uploadRequested(QMap<QString, QString> uploadMap);
    void uploadInProgress(int done, int total);
    void videoUploaded(bool info, QString text);

private:
    void deleteUploadDialog();
    // Why the service would refuse the form without a report; "" when it would not.
    QString refusalOf(const QMap<QString, QString>& uploadMap) const;
    // The modal result dialog: "Video uploaded" or "Failure in upload" with the text.
    void showResult(bool info, const QString& text);
    void useUploadFonts();

    bool myUploadInProgress = false;
    VideoServiceProvider* myService;
    UploadVideoPage* myPage;
    QPointer<OneButtonDialog> myDialog;
    VideoFileChooser myFileChooser;
    bool myUploadFontsSet = false;
};

#endif
